#include "platform/audio/OutputDevice.h"

#include "platform/audio/Bass.h"
#include "platform/audio/Mixer.h"

#include <portaudio.h>

#include <chrono>
#include <cmath>
#include <mutex>

namespace audio {

NoSoundOutput::NoSoundOutput(Mixer& mixer) : m_mixer(mixer)
{
    m_thread = std::thread([this] { clockLoop(); });
}

NoSoundOutput::~NoSoundOutput()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

int NoSoundOutput::periodFrames() const
{
    return m_mixer.rate() * kPeriodMs / 1000;
}

void NoSoundOutput::clockLoop()
{
    using clock = std::chrono::steady_clock;
    const int ch = m_mixer.channels();
    std::vector<float> sink(size_t(m_mixer.rate() / 10 + 1) * size_t(ch));
    const int maxFrames = int(sink.size() / size_t(ch));
    auto origin = clock::now();
    std::uint64_t taken = 0;  // frames taken since origin
    bool wasPaused = false;
    auto next = origin;
    while (m_running.load()) {
        next += std::chrono::milliseconds(kPeriodMs);
        std::this_thread::sleep_until(next);
        const auto now = clock::now();
        if (m_mixer.paused()) {
            wasPaused = true;
            continue;
        }
        if (wasPaused || now - next > std::chrono::milliseconds(100)) {
            // Resumed, or the machine stalled: restart the clock rather than
            // rushing through the missed time.
            origin = now;
            next = now;
            taken = 0;
            wasPaused = false;
            continue;
        }
        const double elapsed = std::chrono::duration<double>(now - origin).count();
        const auto due = std::uint64_t(elapsed * m_mixer.rate());
        while (taken < due) {
            const int n = int(std::min<std::uint64_t>(due - taken, std::uint64_t(maxFrames)));
            m_mixer.pull(sink.data(), n);
            taken += std::uint64_t(n);
        }
    }
}

namespace {

int paCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
               PaStreamCallbackFlags, void* user)
{
    static_cast<PortAudioOutput*>(user)->fill(static_cast<float*>(output), frames);
    return paContinue;
}

} // namespace

const std::vector<PortAudioDeviceInfo>& PortAudioOutput::devices()
{
    return PortAudioHost::outputs();
}

void PortAudioOutput::shutdown()
{
    PortAudioHost::shutdown();
}

std::unique_ptr<PortAudioOutput> PortAudioOutput::open(int paIndex, Mixer& mixer, int& error)
{
    std::lock_guard lock(PortAudioHost::mutex());
    if (!PortAudioHost::startLocked()) {
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(paIndex);
    if (!info) {
        error = BASS_ERROR_DEVICE;
        return nullptr;
    }
    std::unique_ptr<PortAudioOutput> out(new PortAudioOutput(mixer));
    PaStreamParameters params{};
    params.device = paIndex;
    params.channelCount = mixer.channels();
    params.sampleFormat = paFloat32;
    params.suggestedLatency = info->defaultLowOutputLatency;
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, nullptr, &params, mixer.rate(), kPeriodFrames, paClipOff, &paCallback,
                      out.get())
        != paNoError) {
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    out->m_stream = stream;
    if (const PaStreamInfo* si = Pa_GetStreamInfo(stream))
        out->m_latencyMs = int(std::lround(si->outputLatency * 1000.0));
    if (Pa_StartStream(stream) != paNoError) {
        Pa_CloseStream(stream);
        out->m_stream = nullptr;
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    PortAudioHost::streamOpenedLocked();
    error = BASS_OK;
    return out;
}

PortAudioOutput::~PortAudioOutput()
{
    if (!m_stream)
        return;
    Pa_StopStream(m_stream);
    Pa_CloseStream(m_stream);
    std::lock_guard lock(PortAudioHost::mutex());
    PortAudioHost::streamClosedLocked();
}

void PortAudioOutput::fill(float* out, unsigned long frames)
{
    if (m_mixer.paused()) {
        const size_t n = size_t(frames) * size_t(m_mixer.channels());
        for (size_t i = 0; i < n; ++i)
            out[i] = 0.0f;
        return;
    }
    m_mixer.pull(out, int(frames));
}

} // namespace audio
