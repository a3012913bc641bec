#include "platform/audio/BpmDetect.h"

#include "platform/audio/Channel.h"

#include <BPMDetect.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace audio {

namespace {

constexpr int kMinBpmRate = 8000;

} // namespace

float foldBpm(float bpm, DWORD minMaxBpm, DWORD flags)
{
    if (!(bpm > 0) || !std::isfinite(bpm))
        return 0;
    double low = LOWORD(minMaxBpm);
    double high = HIWORD(minMaxBpm);
    if (minMaxBpm == 0 || low <= 0 || high <= low) {
        low = BASS_FX_BPM_DEFAULT_MIN;
        high = BASS_FX_BPM_DEFAULT_MAX;
    }
    double v = bpm;
    if (flags & BASS_FX_BPM_MULT2) {
        while (v < low)
            v *= 2;
        while (v > high)
            v /= 2;
    }
    return v >= low && v <= high ? float(v) : 0.0f;
}

float detectBpm(Channel& channel, const BpmRequest& r, int& error)
{
    if (!channel.isDecoding()) {
        error = BASS_ERROR_DECODE;
        return 0;
    }
    if (!std::isfinite(r.startSec) || !std::isfinite(r.endSec) || r.startSec < 0 || r.endSec <= r.startSec) {
        error = BASS_ERROR_ILLPARAM;
        return 0;
    }
    const int rate = channel.rate();
    const int ch = channel.channels();
    const std::uint64_t length = channel.lengthFrames();
    const auto first = std::uint64_t(r.startSec * rate);
    // A stream that ends before the range starts has nothing to measure.
    if (first >= length) {
        error = BASS_ERROR_POSITION;
        return 0;
    }
    const std::uint64_t last = std::min(length, std::uint64_t(r.endSec * rate));
    if (channel.setPosition(first) != BASS_OK) {
        error = BASS_ERROR_POSITION;
        return 0;
    }
    // The beat detector decimates to about 1 kHz in blocks and throws below 8 kHz.
    if (rate < kMinBpmRate) {
        error = BASS_ERROR_FORMAT;
        return 0;
    }
    soundtouch::BPMDetect detect(ch, rate);
    constexpr int kChunk = 8192;
    std::vector<float> buffer(size_t(kChunk) * size_t(ch));
    std::uint64_t at = first;
    while (at < last) {
        const int want = int(std::min<std::uint64_t>(kChunk, last - at));
        int got = 0;
        if (channel.getData(buffer.data(), want, got) != BASS_OK || got <= 0)
            break;
        detect.inputSamples(buffer.data(), got);
        at += std::uint64_t(got);
        if (r.progress)
            r.progress(channel.handle(), float(100.0 * double(at - first) / double(last - first)), r.user);
    }
    error = BASS_OK;
    return foldBpm(detect.getBpm(), r.minMaxBpm, r.flags);
}

} // namespace audio
