#pragma once
// A stream of a file: its decoder behind a read-ahead buffer.
#include "platform/audio/Channel.h"
#include "platform/audio/ReadAhead.h"
#include "platform/audio/Resampler.h"

namespace audio {

// The sample formats a stream may have. A damaged or hostile header can claim
// 1 Hz or billions of channels; such a stream would stall the tempo chain or
// ask the read-ahead for gigabytes, so it is refused with BASS_ERROR_FORMAT.
constexpr int kMinStreamRate = 100;
constexpr int kMaxStreamRate = 768000;
constexpr int kMaxStreamChannels = 8;
bool isStreamFormat(long long rate, long long channels);

class FileStream : public Channel {
public:
    FileStream(std::unique_ptr<Decoder> decoder, const std::string& path, DWORD flags,
               std::shared_ptr<Mixer> mixer, int bufferMs);

    int rate() const override { return m_source.rate(); }
    int channels() const override { return m_source.channels(); }
    std::uint64_t lengthFrames() const override { return m_source.length(); }
    DWORD channelType() const override { return m_source.decoder().channelType(); }
    int bitsPerSample() const override { return m_source.decoder().bitsPerSample(); }
    const char* fileName() const override { return m_path.c_str(); }

    void startReadAhead() override { m_source.startBackground(); }

protected:
    ReadAhead& source() { return m_source; }
    int render(float* out, int frames, double outRate) override;
    bool seekSource(std::uint64_t frame) override;
    double sourcePerOutput(double outRate) const override { return playbackRate() / outRate; }
    void prepareToPlay() override { m_source.startBackground(); }

private:
    ReadAhead m_source;
    const std::string m_path;
    Resampler m_resampler;
    bool m_resampling = false;  // the resampler holds source frames since the last seek
    std::uint64_t m_resampleBase = 0;  // the source frame the resampler started at
};

// Makes a stream of an opened decoder, playing on the current device or
// decoding (BASS_STREAM_DECODE), and registers it: the handle, or 0 with a
// BASS_ERROR_... code in `error`.
DWORD createFileStream(std::unique_ptr<Decoder> decoder, const std::string& path, DWORD flags, int& error);
// The same for a file that `factory` opens (the registry's choice when empty),
// after checking that a device is open and the file can be read.
DWORD createFileStream(const std::string& path, DWORD flags, const DecoderFactory& factory, int& error);
// The rate of the current device's mixer; 44100 without a device.
int currentOutputRate();

} // namespace audio
