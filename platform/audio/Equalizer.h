#pragma once
// Effects applied to a channel's output, and the one effect type offered: a
// peaking equaliser band (centre, bandwidth in semitones, gain in dB).
#include "platform/audio/Bass.h"

#include <vector>

namespace audio {

class Effect {
public:
    virtual ~Effect() = default;
    // In place, interleaved frames at `rate`.
    virtual void process(float* buffer, int frames, int channels, double rate) = 0;
    // Clears the internal state; the parameters stay.
    virtual void reset() = 0;
    virtual bool setParameters(const void* params) = 0;
    virtual void getParameters(void* params) const = 0;
};

class Equalizer : public Effect {
public:
    Equalizer();

    void process(float* buffer, int frames, int channels, double rate) override;
    void reset() override;
    bool setParameters(const void* params) override;
    void getParameters(void* params) const override;

private:
    void design(double rate);

    BASS_DX8_PARAMEQ m_params;
    double m_designedRate = 0;
    bool m_dirty = true;
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    struct State {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    };
    std::vector<State> m_state;
};

} // namespace audio
