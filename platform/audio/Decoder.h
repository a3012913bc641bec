#pragma once
// One decoding library behind one small interface. A decoder belongs to one
// thread at a time; the stream that owns it serialises the calls.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace audio {

class Decoder {
public:
    // lengthFrames() of a source whose end shows only when it is reached (a
    // stream procedure): reading stops at the first read that yields nothing.
    static constexpr std::uint64_t kOpenEnded = std::uint64_t(1) << 56;

    virtual ~Decoder() = default;

    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    // Exact length in frames: a linear read from frame 0 yields this many.
    virtual std::uint64_t lengthFrames() const = 0;
    // Moves so that the next read starts exactly at this frame.
    virtual bool seek(std::uint64_t frame) = 0;
    // Reads up to `frames` interleaved float frames; fewer only at the end
    // (or on a damaged file); 0 at the end.
    virtual int read(float* out, int frames) = 0;

    // BASS_CTYPE_... of the content, and bits per sample of the source (0 when not known).
    virtual std::uint32_t channelType() const = 0;
    virtual int bitsPerSample() const { return 0; }
    // Every sample read() gives is finite (an integer source, or one the
    // decoder checks while converting), so the stream need not look again.
    virtual bool finiteSamples() const { return false; }
};

// Opens a file, or returns null with a BASS_ERROR_... code in `error`.
using DecoderFactory = std::function<std::unique_ptr<Decoder>(const std::string& path, int& error)>;

} // namespace audio
