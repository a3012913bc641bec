#include "platform/audio/RecordSource.h"

#include "platform/audio/Bass.h"
#include "platform/audio/PortAudioHost.h"

#include <portaudio.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace audio {

std::unique_ptr<RecordSource> RecordSource::open(int paIndex, int rate, int channels, Sink sink, int& error)
{
    if (paIndex < 0) {
        error = BASS_OK;
        return std::make_unique<NoSoundRecordSource>(rate, channels, std::move(sink));
    }
    return PortAudioRecordSource::open(paIndex, rate, channels, std::move(sink), error);
}

NoSoundRecordSource::NoSoundRecordSource(int rate, int channels, Sink sink)
    : m_rate(rate), m_channels(channels), m_sink(std::move(sink))
{
    m_thread = std::thread([this] { clockLoop(); });
}

NoSoundRecordSource::~NoSoundRecordSource()
{
    stop();
}

void NoSoundRecordSource::stop()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

void NoSoundRecordSource::clockLoop()
{
    using clock = std::chrono::steady_clock;
    const int maxFrames = m_rate / 10;
    const std::vector<float> silence(size_t(maxFrames) * size_t(m_channels), 0.0f);
    auto origin = clock::now();
    auto next = origin;
    std::uint64_t given = 0;
    while (m_running.load()) {
        next += std::chrono::milliseconds(kPeriodMs);
        std::this_thread::sleep_until(next);
        const auto now = clock::now();
        if (now - next > std::chrono::milliseconds(100)) {
            // The machine stalled: go on from now rather than rush the missed time.
            origin = now;
            next = now;
            given = 0;
            continue;
        }
        const auto due = std::uint64_t(std::chrono::duration<double>(now - origin).count() * m_rate);
        while (given < due && m_running.load()) {
            const int n = int(std::min<std::uint64_t>(due - given, std::uint64_t(maxFrames)));
            m_sink(silence.data(), n);
            given += std::uint64_t(n);
        }
    }
}

std::unique_ptr<RecordSource> PortAudioRecordSource::open(int paIndex, int rate, int channels, Sink sink, int& error)
{
    std::lock_guard lock(PortAudioHost::mutex());
    if (!PortAudioHost::startLocked()) {
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(paIndex);
    if (!info || info->maxInputChannels <= 0) {
        error = BASS_ERROR_DEVICE;
        return nullptr;
    }
    // A mono input serves a stereo recording on both sides.
    const int deviceChannels = std::min(channels, info->maxInputChannels);
    PaStreamParameters params{};
    params.device = paIndex;
    params.channelCount = deviceChannels;
    params.sampleFormat = paFloat32;
    params.suggestedLatency = info->defaultHighInputLatency;
    if (Pa_IsFormatSupported(&params, nullptr, rate) != paFormatIsSupported) {
        error = BASS_ERROR_FORMAT;
        return nullptr;
    }
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, &params, nullptr, rate, kPeriodFrames, paClipOff, nullptr, nullptr) != paNoError) {
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    if (Pa_StartStream(stream) != paNoError) {
        Pa_CloseStream(stream);
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    PortAudioHost::streamOpenedLocked();
    error = BASS_OK;
    return std::unique_ptr<RecordSource>(new PortAudioRecordSource(stream, deviceChannels, channels, std::move(sink)));
}

PortAudioRecordSource::PortAudioRecordSource(void* stream, int deviceChannels, int channels, Sink sink)
    : m_stream(stream), m_deviceChannels(deviceChannels), m_channels(channels), m_sink(std::move(sink))
{
    m_thread = std::thread([this] { readLoop(); });
}

PortAudioRecordSource::~PortAudioRecordSource()
{
    stop();
}

void PortAudioRecordSource::stop()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
    if (!m_stream)
        return;
    Pa_StopStream(m_stream);
    Pa_CloseStream(m_stream);
    m_stream = nullptr;
    std::lock_guard lock(PortAudioHost::mutex());
    PortAudioHost::streamClosedLocked();
}

void PortAudioRecordSource::readLoop()
{
    std::vector<float> in(size_t(kPeriodFrames) * size_t(m_deviceChannels));
    std::vector<float> out(size_t(kPeriodFrames) * size_t(m_channels));
    while (m_running.load()) {
        // An overflow loses what the device had; what is read is still good.
        const PaError err = Pa_ReadStream(m_stream, in.data(), kPeriodFrames);
        if (err != paNoError && err != paInputOverflowed)
            break;
        if (m_deviceChannels == m_channels) {
            m_sink(in.data(), kPeriodFrames);
            continue;
        }
        for (size_t f = 0; f < size_t(kPeriodFrames); ++f)
            for (size_t c = 0; c < size_t(m_channels); ++c)
                out[f * size_t(m_channels) + c] = in[f * size_t(m_deviceChannels) + std::min(c, size_t(m_deviceChannels) - 1)];
        m_sink(out.data(), kPeriodFrames);
    }
}

} // namespace audio
