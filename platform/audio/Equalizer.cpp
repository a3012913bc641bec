#include "platform/audio/Equalizer.h"

#include <algorithm>
#include <cmath>

namespace audio {

Equalizer::Equalizer() : m_params{1000.0f, 12.0f, 0.0f} {}

bool Equalizer::setParameters(const void* params)
{
    if (!params)
        return false;
    const auto* p = static_cast<const BASS_DX8_PARAMEQ*>(params);
    if (!std::isfinite(p->fCenter) || !std::isfinite(p->fBandwidth) || !std::isfinite(p->fGain))
        return false;
    m_params.fCenter = std::clamp(p->fCenter, 80.0f, 16000.0f);
    m_params.fBandwidth = std::clamp(p->fBandwidth, 1.0f, 36.0f);
    m_params.fGain = std::clamp(p->fGain, -15.0f, 15.0f);
    m_dirty = true;
    return true;
}

void Equalizer::getParameters(void* params) const
{
    *static_cast<BASS_DX8_PARAMEQ*>(params) = m_params;
}

void Equalizer::reset()
{
    for (State& s : m_state)
        s = State{};
}

void Equalizer::design(double rate)
{
    // A band above the Nyquist frequency would make the filter unstable: keep
    // the centre inside the band the rate can carry.
    const double centre = std::min(double(m_params.fCenter), rate * 0.45);
    const double w0 = 2.0 * M_PI * centre / rate;
    // Q from the bandwidth as for an analog band: the digital form of the
    // bandwidth widens without bound as the centre nears the Nyquist frequency.
    const double span = std::pow(2.0, double(m_params.fBandwidth) / 12.0);
    const double q = std::sqrt(span) / (span - 1.0);
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a = std::pow(10.0, double(m_params.fGain) / 40.0);
    const double a0 = 1.0 + alpha / a;
    m_b0 = (1.0 + alpha * a) / a0;
    m_b1 = -2.0 * std::cos(w0) / a0;
    m_b2 = (1.0 - alpha * a) / a0;
    m_a1 = m_b1;
    m_a2 = (1.0 - alpha / a) / a0;
    m_designedRate = rate;
    m_dirty = false;
}

void Equalizer::process(float* buffer, int frames, int channels, double rate)
{
    if (m_dirty || rate != m_designedRate)
        design(rate);
    if (m_state.size() != size_t(channels))
        m_state.assign(size_t(channels), State{});
    for (int c = 0; c < channels; ++c) {
        State s = m_state[size_t(c)];
        float* p = buffer + c;
        for (int i = 0; i < frames; ++i, p += channels) {
            const double x = *p;
            const double y = m_b0 * x + m_b1 * s.x1 + m_b2 * s.x2 - m_a1 * s.y1 - m_a2 * s.y2;
            s.x2 = s.x1;
            s.x1 = x;
            s.y2 = s.y1;
            s.y1 = y;
            *p = float(y);
        }
        // Denormals would make the filter crawl on silence.
        if (std::fabs(s.y1) < 1e-20)
            s.y1 = 0;
        if (std::fabs(s.y2) < 1e-20)
            s.y2 = 0;
        m_state[size_t(c)] = s;
    }
}

} // namespace audio
