#pragma once
// Where a recording's sound comes from: a PortAudio input, or the "No sound"
// recording device, which yields silence in real time against a clock. Each
// runs a thread of its own that hands the captured frames to a sink.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace audio {

class RecordSource {
public:
    // Captured interleaved float frames, on the source's thread.
    using Sink = std::function<void(const float* frames, int count)>;

    virtual ~RecordSource() = default;
    // Ends the capture; the sink is not called after this returns.
    virtual void stop() = 0;

    // paIndex -1: the "No sound" device. Null with a BASS_ERROR_... code when
    // the device cannot capture in that format.
    static std::unique_ptr<RecordSource> open(int paIndex, int rate, int channels, Sink sink, int& error);
};

class NoSoundRecordSource : public RecordSource {
public:
    static constexpr int kPeriodMs = 5;

    NoSoundRecordSource(int rate, int channels, Sink sink);
    ~NoSoundRecordSource() override;
    void stop() override;

private:
    void clockLoop();

    const int m_rate;
    const int m_channels;
    Sink m_sink;
    std::atomic<bool> m_running{true};
    std::thread m_thread;
};

class PortAudioRecordSource : public RecordSource {
public:
    static constexpr int kPeriodFrames = 512;

    static std::unique_ptr<RecordSource> open(int paIndex, int rate, int channels, Sink sink, int& error);
    ~PortAudioRecordSource() override;
    void stop() override;

private:
    PortAudioRecordSource(void* stream, int deviceChannels, int channels, Sink sink);
    void readLoop();

    void* m_stream;
    const int m_deviceChannels;  // what the device gives
    const int m_channels;        // what the recording asked for
    Sink m_sink;
    std::atomic<bool> m_running{true};
    std::thread m_thread;
};

} // namespace audio
