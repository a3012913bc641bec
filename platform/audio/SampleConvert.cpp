#include "platform/audio/SampleConvert.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace audio {

namespace {

// 1 when the sample is not finite: its exponent bits are all set. Integer
// work, so a loop of it vectorises without fast-math.
inline std::uint32_t nonFinite(float x)
{
    constexpr std::uint32_t kExponent = 0x7f800000u;
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return std::uint32_t((bits & kExponent) == kExponent);
}

void mendNonFinite(float* samples, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(samples[i]))
            samples[i] = 0.0f;
}

} // namespace

void silenceNonFinite(float* samples, size_t count)
{
    // One damaged sample would stay for ever in every filter after it. Looked
    // for in one pass, mended only when one is found.
    std::uint32_t found = 0;
    for (size_t i = 0; i < count; ++i)
        found |= nonFinite(samples[i]);
    if (found) [[unlikely]]
        mendNonFinite(samples, count);
}

void interleaveFinite(const float* const* planes, int channels, size_t frames, float* dst)
{
    std::uint32_t found = 0;
    if (channels == 2) {
        const float* l = planes[0];
        const float* r = planes[1];
        for (size_t i = 0; i < frames; ++i) {
            dst[2 * i] = l[i];
            dst[2 * i + 1] = r[i];
            found |= nonFinite(l[i]) | nonFinite(r[i]);
        }
    } else if (channels == 1) {
        const float* m = planes[0];
        for (size_t i = 0; i < frames; ++i) {
            dst[i] = m[i];
            found |= nonFinite(m[i]);
        }
    } else {
        const size_t ch = size_t(channels);
        for (size_t c = 0; c < ch; ++c) {
            const float* src = planes[c];
            for (size_t i = 0; i < frames; ++i) {
                dst[i * ch + c] = src[i];
                found |= nonFinite(src[i]);
            }
        }
    }
    if (found) [[unlikely]]
        mendNonFinite(dst, frames * size_t(channels));
}

} // namespace audio
