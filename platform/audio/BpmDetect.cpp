#include "platform/audio/BpmDetect.h"

#include "platform/audio/Channel.h"
#include "platform/audio/Engine.h"

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
        if (r.cancel && r.cancel->load()) {
            error = BASS_OK;
            return 0;
        }
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

BpmJobs& BpmJobs::instance()
{
    static BpmJobs jobs;
    return jobs;
}

BpmJobs::~BpmJobs()
{
    std::vector<std::shared_ptr<Job>> all;
    {
        std::lock_guard lock(m_mutex);
        for (auto& [handle, job] : m_jobs)
            all.push_back(job);
        m_jobs.clear();
        all.insert(all.end(), m_forgotten.begin(), m_forgotten.end());
        m_forgotten.clear();
    }
    for (const auto& job : all) {
        job->cancel = true;
        if (job->thread.joinable())
            job->thread.join();
    }
}

void BpmJobs::start(DWORD handle, std::shared_ptr<Channel> channel, const BpmRequest& request)
{
    reap();
    auto job = std::make_shared<Job>();
    BpmRequest r = request;
    r.cancel = &job->cancel;
    std::lock_guard lock(m_mutex);
    if (auto old = m_jobs.find(handle); old != m_jobs.end()) {
        old->second->cancel = true;
        m_forgotten.push_back(old->second);
    }
    m_jobs[handle] = job;
    Job* const raw = job.get();
    job->thread = std::thread([this, raw, channel = std::move(channel), r]() mutable {
        int error = BASS_OK;
        const float bpm = detectBpm(*channel, r, error);
        // The stream was handed over with the detection: it ends here.
        Engine::end(channel);
        channel.reset();
        std::lock_guard lock(m_mutex);
        raw->bpm = bpm;
        raw->error = error;
        raw->finished = true;
        m_finished.notify_all();
    });
}

bool BpmJobs::take(DWORD handle, float& bpm, int& error)
{
    std::shared_ptr<Job> job;
    {
        std::unique_lock lock(m_mutex);
        auto it = m_jobs.find(handle);
        if (it == m_jobs.end())
            return false;
        job = it->second;
        m_finished.wait(lock, [&] { return job->finished; });
        bpm = job->bpm;
        error = job->error;
        m_jobs.erase(handle);
    }
    if (job->thread.joinable())
        job->thread.join();
    return true;
}

bool BpmJobs::cancel(DWORD handle)
{
    {
        std::lock_guard lock(m_mutex);
        auto it = m_jobs.find(handle);
        if (it == m_jobs.end())
            return false;
        it->second->cancel = true;
        m_forgotten.push_back(it->second);
        m_jobs.erase(it);
    }
    reap();
    return true;
}

void BpmJobs::reap()
{
    std::vector<std::shared_ptr<Job>> ended;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_forgotten.begin(); it != m_forgotten.end();) {
            if ((*it)->finished) {
                ended.push_back(*it);
                it = m_forgotten.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& job : ended)
        if (job->thread.joinable())
            job->thread.join();
}

} // namespace audio
