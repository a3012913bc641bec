#pragma once
// Where a mixer's output goes: a sound card through PortAudio, or the
// "No sound" device, which takes the output at real-time pace against a clock
// and writes it nowhere, so positions, slides, levels and ends behave as on a
// card.
#include "platform/audio/PortAudioHost.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace audio {

class Mixer;

class OutputDevice {
public:
    virtual ~OutputDevice() = default;
    // Milliseconds from the mixer's ring to the listener, beyond the ring itself.
    virtual int latencyMs() const = 0;
    // Frames the output takes at once.
    virtual int periodFrames() const = 0;
};

class NoSoundOutput : public OutputDevice {
public:
    static constexpr int kPeriodMs = 5;

    explicit NoSoundOutput(Mixer& mixer);
    ~NoSoundOutput() override;

    int latencyMs() const override { return 0; }
    int periodFrames() const override;

private:
    void clockLoop();

    Mixer& m_mixer;
    std::atomic<bool> m_running{true};
    std::thread m_thread;
};

class PortAudioOutput : public OutputDevice {
public:
    static constexpr int kPeriodFrames = 512;

    // The output devices in PortAudio's order; PortAudio starts on the first call.
    static const std::vector<PortAudioDeviceInfo>& devices();
    // Ends PortAudio once no output is open (library shutdown).
    static void shutdown();

    // Opens the device; null with a BASS_ERROR_... code when the sound system refuses.
    static std::unique_ptr<PortAudioOutput> open(int paIndex, Mixer& mixer, int& error);
    ~PortAudioOutput() override;

    int latencyMs() const override { return m_latencyMs; }
    int periodFrames() const override { return kPeriodFrames; }

    // PortAudio's callback: the mixer's output, or silence while paused.
    void fill(float* out, unsigned long frames);

private:
    explicit PortAudioOutput(Mixer& mixer) : m_mixer(mixer) {}

    Mixer& m_mixer;
    void* m_stream = nullptr;
    int m_latencyMs = 0;
};

} // namespace audio
