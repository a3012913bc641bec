#include "platform/audio/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace audio {

Resampler::Resampler(int channels) : m_channels(channels)
{
    m_buffer.reserve(size_t(kChunk + 4) * size_t(channels) * 2);
}

void Resampler::reset()
{
    m_buffer.clear();
    m_frames = 0;
    m_base = 0;
    m_pos = 0;
    m_primed = false;
}

int Resampler::process(float* out, int frames, double step, const Pull& pull)
{
    const size_t ch = size_t(m_channels);
    int produced = 0;
    while (produced < frames) {
        // Interpolation at m_pos needs source frames m_pos-1 .. m_pos+2, which
        // sit at buffer slots m_pos .. m_pos+3 (slot 0 is one frame of history).
        const size_t whole = size_t(m_pos);
        if (whole + 3 >= m_frames) {
            // Drop what is behind, keep the history frame, pull more.
            if (whole > 0 && m_frames > whole) {
                const size_t drop = whole;
                std::memmove(m_buffer.data(), m_buffer.data() + drop * ch, (m_frames - drop) * ch * sizeof(float));
                m_frames -= drop;
                m_base += drop;
                m_pos -= double(drop);
            }
            const size_t old = m_frames;
            m_buffer.resize((m_frames + kChunk + 1) * ch);
            if (!m_primed) {
                const int n = pull(m_buffer.data() + ch, kChunk);
                if (n <= 0) {
                    m_buffer.resize(old * ch);
                    break;
                }
                // The history frame repeats the first frame.
                std::memcpy(m_buffer.data(), m_buffer.data() + ch, ch * sizeof(float));
                m_frames = size_t(n) + 1;
                m_primed = true;
            } else {
                const int n = pull(m_buffer.data() + m_frames * ch, kChunk);
                if (n <= 0) {
                    m_buffer.resize(old * ch);
                    break;
                }
                m_frames += size_t(n);
            }
            m_buffer.resize(m_frames * ch);
            continue;
        }
        const float t = float(m_pos - double(whole));
        const float* p0 = m_buffer.data() + whole * ch;
        const float* p1 = p0 + ch;
        const float* p2 = p1 + ch;
        const float* p3 = p2 + ch;
        float* o = out + size_t(produced) * ch;
        for (size_t c = 0; c < ch; ++c) {
            // Catmull-Rom between p1 and p2.
            const float a = p0[c], b = p1[c], cc = p2[c], d = p3[c];
            o[c] = b + 0.5f * t * (cc - a + t * (2.0f * a - 5.0f * b + 4.0f * cc - d + t * (3.0f * (b - cc) + d - a)));
        }
        ++produced;
        m_pos += step;
    }
    return produced;
}

} // namespace audio
