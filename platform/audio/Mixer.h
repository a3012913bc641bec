#pragma once
// Mixes the playing channels of one device on a thread of its own, a few
// milliseconds ahead of the output, into a ring that the output callback
// drains. The callback side (pull) takes no lock, allocates nothing and never
// touches a channel: a change of any attribute is heard as soon as the ring's
// short lead has played out.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

namespace audio {

class Channel;

class Mixer {
public:
    static constexpr int kBlockFrames = 128;

    // Sees what the output takes, as it takes it (on the output's thread, so
    // it must neither block nor allocate): `first` is the mixer's index of the
    // first of `frames` interleaved frames.
    class Monitor {
    public:
        virtual ~Monitor() = default;
        virtual void taken(const float* out, int frames, std::uint64_t first) = 0;
    };

    // The lead for an output that takes `periodFrames` at once: what it takes
    // plus one block, so the next period is ready when it asks.
    static int leadFor(int periodFrames) { return periodFrames + kBlockFrames; }

    // `leadFrames`: how far mixing runs ahead of the output at most.
    Mixer(int rate, int channels, int leadFrames);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int rate() const { return m_rate; }
    int channels() const { return m_channels; }
    int leadFrames() const { return int(m_capacity); }

    void start();
    void stop();

    void attach(const std::shared_ptr<Channel>& channel);
    void detach(const Channel* channel);

    // Output paused (BASS_Pause): the output stops pulling, positions stand still.
    void setPaused(bool paused) { m_paused.store(paused); }
    bool paused() const { return m_paused.load(); }

    void setVolume(float volume) { m_volume.store(volume); }

    // One monitor at most; null removes it. Remove it before it goes, and
    // stop the output (or wait a period) before freeing it.
    void setMonitor(Monitor* monitor) { m_monitor.store(monitor, std::memory_order_release); }
    float volume() const { return m_volume.load(); }

    // Output callback: fills `frames` frames, silence for what the mixer has
    // not made yet. Returns the frames that came from the ring. `nowNs` is
    // the steady clock's time of the pull (0: read it here).
    int pull(float* out, int frames, std::int64_t nowNs = 0);

    // Frames handed to the output, and frames mixed, since start.
    std::uint64_t consumedFrames() const { return m_consumed.load(std::memory_order_acquire); }
    std::uint64_t renderedFrames() const { return m_written.load(std::memory_order_acquire); }

    // The frames played by `nowNs` (0: now), with a fraction: the output
    // takes whole periods, but plays each at the rate from the moment it
    // took it, so this advances smoothly between pulls, never past what was
    // taken and never backwards.
    double playedFrames(std::int64_t nowNs = 0) const;
    static std::int64_t nowNs();

    // One block into the ring when there is room; false when full. The mixing
    // thread calls it; tests and benchmarks may drive it themselves when the
    // thread is not started.
    bool renderBlock();

private:
    void threadLoop();

    const int m_rate;
    const int m_channels;
    size_t m_capacity;  // frames

    // Ring: written by the mixing thread only, read by the output only.
    std::vector<float> m_ring;
    std::atomic<std::uint64_t> m_written{0};  // frames
    std::atomic<std::uint64_t> m_read{0};     // frames

    std::atomic<std::uint64_t> m_consumed{0};
    // The last pull: frames before it, frames after it, and its time; read
    // consistently through the sequence number (odd while being written).
    std::atomic<std::uint32_t> m_stampSeq{0};
    std::atomic<std::uint64_t> m_stampFrom{0};
    std::atomic<std::uint64_t> m_stampTo{0};
    std::atomic<std::int64_t> m_stampNs{0};
    mutable std::atomic<double> m_playedMax{0};
    std::atomic<bool> m_paused{false};
    std::atomic<float> m_volume{1.0f};
    std::atomic<Monitor*> m_monitor{nullptr};

    std::mutex m_channelsMutex;  // m_channelList; never taken by the output
    std::vector<std::shared_ptr<Channel>> m_channelList;
    std::vector<float> m_bus;

    std::atomic<bool> m_running{false};
    std::atomic<bool> m_waiting{false};
    std::counting_semaphore<> m_wake{0};
    std::thread m_thread;
};

} // namespace audio
