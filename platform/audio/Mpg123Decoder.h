#pragma once
// MPEG audio layers I, II and III through libmpg123.
#include "platform/audio/Decoder.h"

struct mpg123_handle_struct;

namespace audio {

class Mpg123Decoder : public Decoder {
public:
    // Frames decoded ahead of a seek target so that the bit reservoir and the
    // filter banks hold what a linear decode would hold: every seek is exact.
    static constexpr int kSeekPreroll = 10;

    static std::unique_ptr<Decoder> open(const std::string& path, int& error);
    ~Mpg123Decoder() override;

    int sampleRate() const override { return m_rate; }
    int channels() const override { return m_channels; }
    std::uint64_t lengthFrames() const override { return m_length; }
    bool seek(std::uint64_t frame) override;
    int read(float* out, int frames) override;
    std::uint32_t channelType() const override { return m_ctype; }

private:
    struct Reader;

    Mpg123Decoder();

    // mpg123 reads frame by frame; through a buffer of our own the length
    // scan costs a few reads instead of one system call per frame.
    std::unique_ptr<Reader> m_reader;
    mpg123_handle_struct* m_handle = nullptr;
    int m_rate = 0;
    int m_channels = 0;
    std::uint64_t m_length = 0;
    std::uint32_t m_ctype = 0;
    bool m_ended = false;
};

} // namespace audio
