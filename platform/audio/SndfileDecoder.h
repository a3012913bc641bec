#pragma once
// WAV, FLAC and Ogg Vorbis through libsndfile (its FLAC seeks are exact).
#include "platform/audio/Decoder.h"

struct sf_private_tag;

namespace audio {

class SndfileDecoder : public Decoder {
public:
    enum class Kind { Wav, Flac, Ogg };

    // Opens the file when its content is of the given kind.
    static std::unique_ptr<Decoder> open(const std::string& path, Kind kind, int& error);
    ~SndfileDecoder() override;

    int sampleRate() const override { return m_rate; }
    int channels() const override { return m_channels; }
    std::uint64_t lengthFrames() const override { return m_length; }
    bool seek(std::uint64_t frame) override;
    int read(float* out, int frames) override;
    std::uint32_t channelType() const override { return m_ctype; }
    int bitsPerSample() const override { return m_bits; }
    bool finiteSamples() const override { return m_integer; }

private:
    SndfileDecoder() = default;
    bool readableAt(std::uint64_t frame);
    bool reopen();

    sf_private_tag* m_file = nullptr;
    std::string m_path;
    int m_rate = 0;
    int m_channels = 0;
    std::uint64_t m_length = 0;
    std::uint32_t m_ctype = 0;
    int m_bits = 0;
    bool m_integer = false;  // integer samples: their floats are always finite
};

} // namespace audio
