#include "platform/audio/Mixer.h"

#include "platform/audio/Channel.h"

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstring>

namespace audio {

Mixer::Mixer(int rate, int channels, int leadFrames)
    : m_rate(rate), m_channels(channels), m_capacity(size_t(std::max(leadFrames, 2 * kBlockFrames)))
{
    m_ring.assign(m_capacity * size_t(channels), 0.0f);
    m_bus.assign(size_t(kBlockFrames) * size_t(channels), 0.0f);
}

Mixer::~Mixer()
{
    stop();
}

void Mixer::start()
{
    if (m_running.exchange(true))
        return;
    m_thread = std::thread([this] { threadLoop(); });
}

void Mixer::stop()
{
    if (!m_running.exchange(false))
        return;
    m_wake.release();
    if (m_thread.joinable())
        m_thread.join();
}

void Mixer::attach(const std::shared_ptr<Channel>& channel)
{
    std::lock_guard lock(m_channelsMutex);
    m_channelList.push_back(channel);
}

void Mixer::detach(const Channel* channel)
{
    std::shared_ptr<Channel> last;  // freed outside the lock
    std::lock_guard lock(m_channelsMutex);
    auto it = std::find_if(m_channelList.begin(), m_channelList.end(),
                           [&](const std::shared_ptr<Channel>& c) { return c.get() == channel; });
    if (it != m_channelList.end()) {
        last = std::move(*it);
        m_channelList.erase(it);
    }
}

std::int64_t Mixer::nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Mixer::playedFrames(std::int64_t now) const
{
    if (now == 0)
        now = nowNs();
    std::uint64_t from = 0;
    std::uint64_t to = 0;
    std::int64_t at = 0;
    for (;;) {
        const std::uint32_t seq = m_stampSeq.load(std::memory_order_acquire);
        if (seq & 1)
            continue;
        from = m_stampFrom.load(std::memory_order_relaxed);
        to = m_stampTo.load(std::memory_order_relaxed);
        at = m_stampNs.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (m_stampSeq.load(std::memory_order_relaxed) == seq)
            break;
    }
    double played = double(from);
    // Paused: the device plays nothing more of what it took.
    if (at > 0 && now > at && !m_paused.load())
        played = std::min(double(to), played + double(now - at) * 1e-9 * double(m_rate));
    // Readers on several threads each see a value at least the last one given.
    double seen = m_playedMax.load(std::memory_order_relaxed);
    while (played > seen && !m_playedMax.compare_exchange_weak(seen, played, std::memory_order_relaxed)) {
    }
    return std::max(played, seen);
}

int Mixer::pull(float* out, int frames, std::int64_t now)
{
    const size_t ch = size_t(m_channels);
    const std::uint64_t read = m_read.load(std::memory_order_relaxed);
    const std::uint64_t written = m_written.load(std::memory_order_acquire);
    const size_t n = size_t(std::min<std::uint64_t>(written - read, std::uint64_t(frames)));
    const size_t head = size_t(read % m_capacity);
    const size_t first = std::min(n, m_capacity - head);
    std::memcpy(out, m_ring.data() + head * ch, first * ch * sizeof(float));
    std::memcpy(out + first * ch, m_ring.data(), (n - first) * ch * sizeof(float));
    if (n < size_t(frames))
        std::memset(out + n * ch, 0, (size_t(frames) - n) * ch * sizeof(float));
    m_read.store(read + n, std::memory_order_release);
    if (Monitor* monitor = m_monitor.load(std::memory_order_acquire))
        monitor->taken(out, int(n), read);
    // The frames taken start playing now; silence after them does not advance them.
    m_stampSeq.fetch_add(1, std::memory_order_acq_rel);
    m_stampFrom.store(read, std::memory_order_relaxed);
    m_stampTo.store(read + n, std::memory_order_relaxed);
    m_stampNs.store(now ? now : nowNs(), std::memory_order_relaxed);
    m_stampSeq.fetch_add(1, std::memory_order_release);
    m_consumed.store(read + n, std::memory_order_release);
    if (m_waiting.exchange(false))
        m_wake.release();
    return int(n);
}

bool Mixer::renderBlock()
{
    const std::uint64_t written = m_written.load(std::memory_order_relaxed);
    const std::uint64_t read = m_read.load(std::memory_order_acquire);
    if (written - read + kBlockFrames > m_capacity)
        return false;
    std::fill(m_bus.begin(), m_bus.end(), 0.0f);
    {
        std::lock_guard lock(m_channelsMutex);
        for (const std::shared_ptr<Channel>& c : m_channelList)
            c->mixInto(m_bus.data(), kBlockFrames, m_channels, double(m_rate), written);
    }
    const float volume = m_volume.load();
    const size_t ch = size_t(m_channels);
    const size_t tail = size_t(written % m_capacity);
    for (size_t i = 0; i < size_t(kBlockFrames); ++i) {
        float* dst = m_ring.data() + ((tail + i) % m_capacity) * ch;
        const float* src = m_bus.data() + i * ch;
        for (size_t c = 0; c < ch; ++c) {
            // Never a NaN to the device (clamp would pass it on).
            const float v = src[c] * volume;
            dst[c] = std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
        }
    }
    m_written.store(written + kBlockFrames, std::memory_order_release);
    return true;
}

void Mixer::threadLoop()
{
    while (m_running.load()) {
        while (m_running.load() && renderBlock()) {
        }
        // Sleep until the output has taken something; the timeout covers an
        // output that has stopped pulling.
        m_waiting.store(true);
        if (renderBlock()) {
            m_waiting.store(false);
            continue;
        }
        (void)m_wake.try_acquire_for(std::chrono::milliseconds(20));
    }
}

} // namespace audio
