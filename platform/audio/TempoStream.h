#pragma once
// Tempo, pitch and rate over a decoding channel, through SoundTouch.
// Positions and length are the source's: source frames at the source's rate.
#include "platform/audio/Channel.h"

#include <SoundTouch.h>

#include <vector>

namespace audio {

class TempoStream : public Channel {
public:
    TempoStream(std::shared_ptr<Channel> source, DWORD flags, bool freeSource, std::shared_ptr<Mixer> mixer);

    int rate() const override { return m_source->rate(); }
    int channels() const override { return m_source->channels(); }
    std::uint64_t lengthFrames() const override { return m_source->lengthFrames(); }
    DWORD channelType() const override { return BASS_CTYPE_STREAM_TEMPO; }
    int bitsPerSample() const override { return m_source->bitsPerSample(); }
    const char* fileName() const override { return m_source->fileName(); }
    void startReadAhead() override { m_source->startReadAhead(); }

    const std::shared_ptr<Channel>& source() const { return m_source; }
    bool freesSource() const { return m_freeSource; }
    // How much faster than the file it plays: tempo and rate together.
    float rateRatio() const;

protected:
    int render(float* out, int frames, double outRate) override;
    bool seekSource(std::uint64_t frame) override;
    double sourcePerOutput(double outRate) const override;
    void prepareToPlay() override { m_source->startReadAhead(); }
    int setOwnAttribute(DWORD attrib, float value) override;
    int getOwnAttribute(DWORD attrib, float& value) override;

private:
    static constexpr int kFeedFrames = 128;

    double tempoFactor() const;
    double tempoFreq() const;
    void applySettings(double outRate);

    const std::shared_ptr<Channel> m_source;
    const bool m_freeSource;
    soundtouch::SoundTouch m_touch;
    std::atomic<float> m_tempo{0.0f};      // percent
    std::atomic<float> m_pitch{0.0f};      // semitones
    std::atomic<float> m_tempoFreq{0.0f};  // Hz, 0 = the source's rate
    double m_appliedTempo = -1, m_appliedPitch = -1000, m_appliedRate = -1;
    bool m_flushed = false;
    std::vector<float> m_feed;
};

} // namespace audio
