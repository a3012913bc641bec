#pragma once
// An outside encoder program fed through a pipe. Samples are queued by the
// capture thread and written by a thread of the encoder's own, so a slow or
// stuck program never holds up the capture.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace audio {

class Encoder {
public:
    // At most this much sound waits for the program; more is dropped.
    static constexpr int kMaxQueuedSeconds = 30;

    // The arguments of a command line (see BassEnc.h).
    static std::vector<std::string> splitCommandLine(const std::string& command);

    // Starts the program; null with a BASS_ERROR_... code when it cannot run.
    // With `header` a WAV header of unknown length goes first.
    static std::unique_ptr<Encoder> start(const std::string& command, int rate, int channels, bool header,
                                          int& error);
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // Queues interleaved float frames as 16-bit samples; never blocks.
    void write(const float* frames, int count);
    // Closes the program's input and waits for it to end (its file is then
    // complete); a program that does not end within a while is killed.
    void finish();
    // Sound waiting for the program, in seconds.
    double queuedSeconds() const;
    // The program runs and takes input.
    bool active() const { return m_alive.load() && !m_closingFlag.load(); }
    // The program went away (or stopped reading) before it was told to finish.
    bool failed() const { return !m_alive.load() && !m_closingFlag.load(); }

private:
    Encoder(int fd, pid_t pid, int rate, int channels);
    void writerLoop();

    const int m_rate;
    const int m_channels;
    int m_fd;
    pid_t m_pid;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<std::uint8_t> m_queue;
    size_t m_maxQueue = 0;
    bool m_closing = false;
    std::atomic<bool> m_alive{true};
    std::atomic<bool> m_closingFlag{false};
    std::atomic<bool> m_finished{false};
    std::mutex m_finishMutex;
    std::thread m_thread;
};

} // namespace audio
