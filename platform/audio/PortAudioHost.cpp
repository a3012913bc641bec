#include "platform/audio/PortAudioHost.h"

#include <portaudio.h>

namespace audio {

namespace {

bool g_started = false;
int g_open = 0;
std::vector<PortAudioDeviceInfo> g_outputs;
std::vector<PortAudioDeviceInfo> g_inputs;

} // namespace

std::mutex& PortAudioHost::mutex()
{
    static std::mutex m;
    return m;
}

bool PortAudioHost::startLocked()
{
    if (g_started)
        return true;
    if (Pa_Initialize() != paNoError)
        return false;
    g_started = true;
    const PaDeviceIndex defOut = Pa_GetDefaultOutputDevice();
    const PaDeviceIndex defIn = Pa_GetDefaultInputDevice();
    const int count = Pa_GetDeviceCount();
    for (int i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (!info)
            continue;
        const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
        const std::string name = info->name ? info->name : "";
        const std::string driver = host && host->name ? host->name : "";
        if (info->maxOutputChannels > 0)
            g_outputs.push_back({i, name, driver, i == defOut});
        if (info->maxInputChannels > 0)
            g_inputs.push_back({i, name, driver, i == defIn});
    }
    return true;
}

const std::vector<PortAudioDeviceInfo>& PortAudioHost::outputs()
{
    std::lock_guard lock(mutex());
    startLocked();
    return g_outputs;
}

const std::vector<PortAudioDeviceInfo>& PortAudioHost::inputs()
{
    std::lock_guard lock(mutex());
    startLocked();
    return g_inputs;
}

void PortAudioHost::streamOpenedLocked()
{
    ++g_open;
}

void PortAudioHost::streamClosedLocked()
{
    --g_open;
}

void PortAudioHost::shutdown()
{
    std::lock_guard lock(mutex());
    if (g_started && g_open == 0) {
        Pa_Terminate();
        g_started = false;
        g_outputs.clear();
        g_inputs.clear();
    }
}

} // namespace audio
