#include "platform/audio/RecordDevices.h"

#include "platform/audio/Engine.h"
#include "platform/audio/PortAudioHost.h"
#include "platform/audio/RecordChannel.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

const char* const kInputName = "Default";
constexpr DWORD kMinRate = 8000;
constexpr DWORD kMaxRate = 192000;

} // namespace

RecordDevices& RecordDevices::instance()
{
    static RecordDevices devices;
    return devices;
}

int RecordDevices::deviceInfo(DWORD device, BASS_DEVICEINFO& info)
{
    DWORD initFlag = 0;
    {
        std::lock_guard lock(m_mutex);
        initFlag = m_current == int(device) ? BASS_DEVICE_INIT : 0;
    }
    if (device == 0) {
        info.name = "No sound";
        info.driver = "";
        info.flags = BASS_DEVICE_ENABLED | initFlag;
        return BASS_OK;
    }
    // Only the cards need PortAudio.
    const auto& inputs = PortAudioHost::inputs();
    if (device > inputs.size())
        return BASS_ERROR_DEVICE;
    const PortAudioDeviceInfo& card = inputs[device - 1];
    info.name = card.name.c_str();
    info.driver = card.driver.c_str();
    // PulseAudio names the source that captures what a card plays "Monitor of ...".
    const bool loopback = card.name.rfind("Monitor of ", 0) == 0;
    info.flags = BASS_DEVICE_ENABLED | (card.isDefault ? BASS_DEVICE_DEFAULT : 0) | (loopback ? BASS_DEVICE_LOOPBACK : 0)
               | initFlag;
    return BASS_OK;
}

int RecordDevices::init(int device)
{
    if (device < -1)
        return BASS_ERROR_DEVICE;
    int number = device;
    int paIndex = -1;
    if (device != 0) {
        const auto& inputs = PortAudioHost::inputs();
        if (device == -1) {
            auto it = std::find_if(inputs.begin(), inputs.end(), [](const PortAudioDeviceInfo& d) { return d.isDefault; });
            if (it == inputs.end())
                return BASS_ERROR_DEVICE;
            number = int(it - inputs.begin()) + 1;
        }
        if (number > int(inputs.size()))
            return BASS_ERROR_DEVICE;
        paIndex = inputs[size_t(number - 1)].paIndex;
    }
    std::lock_guard lock(m_mutex);
    if (m_current != kNone)
        return BASS_ERROR_ALREADY;
    m_current = number;
    m_paIndex = paIndex;
    auto& levels = m_levels[number];
    if (!levels)
        levels = std::make_shared<RecordInputLevels>();
    return BASS_OK;
}

int RecordDevices::free()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_current == kNone)
            return BASS_ERROR_INIT;
        m_current = kNone;
    }
    Engine::instance().freeRecordings();
    return BASS_OK;
}

int RecordDevices::inputName(int input, const char*& name)
{
    name = nullptr;
    std::lock_guard lock(m_mutex);
    if (m_current == kNone)
        return BASS_ERROR_INIT;
    if (input != 0)
        return BASS_ERROR_ILLPARAM;
    name = kInputName;
    return BASS_OK;
}

int RecordDevices::getInput(int input, DWORD& flags, float& volume)
{
    std::lock_guard lock(m_mutex);
    if (m_current == kNone)
        return BASS_ERROR_INIT;
    const RecordInputLevels& levels = *m_levels[m_current];
    if (input == -1) {
        flags = 0;
        volume = levels.master.load();
        return BASS_OK;
    }
    if (input != 0)
        return BASS_ERROR_ILLPARAM;
    flags = levels.on.load() ? 0 : BASS_INPUT_OFF;
    volume = levels.level.load();
    return BASS_OK;
}

int RecordDevices::setInput(int input, DWORD flags, float volume)
{
    std::lock_guard lock(m_mutex);
    if (m_current == kNone)
        return BASS_ERROR_INIT;
    if (input != 0 && input != -1)
        return BASS_ERROR_ILLPARAM;
    if (std::isnan(volume) || ((flags & BASS_INPUT_OFF) && (flags & BASS_INPUT_ON)))
        return BASS_ERROR_ILLPARAM;
    RecordInputLevels& levels = *m_levels[m_current];
    std::atomic<float>& level = input == -1 ? levels.master : levels.level;
    if (volume >= 0)
        level.store(std::min(volume, 1.0f));
    if (input == 0 && (flags & BASS_INPUT_OFF))
        levels.on.store(false);
    if (input == 0 && (flags & BASS_INPUT_ON))
        levels.on.store(true);
    return BASS_OK;
}

int RecordDevices::start(DWORD freq, DWORD chans, DWORD flags, RECORDPROC* proc, void* user, HRECORD& handle)
{
    handle = 0;
    if (freq == 0)
        freq = 44100;
    if (freq < kMinRate || freq > kMaxRate || chans < 1 || chans > 2)
        return BASS_ERROR_FORMAT;
    std::shared_ptr<RecordInputLevels> levels;
    int paIndex = -1;
    {
        std::lock_guard lock(m_mutex);
        if (m_current == kNone)
            return BASS_ERROR_INIT;
        levels = m_levels[m_current];
        paIndex = m_paIndex;
    }
    RecordChannel::Procedure procedure;
    if (proc)
        procedure = [proc, user](DWORD h, const void* data, DWORD bytes) { return proc(h, data, bytes, user) != FALSE; };
    auto channel = std::make_shared<RecordChannel>(int(freq), int(chans), flags, std::move(levels), std::move(procedure));
    // Registered first, so that the procedure's first call already has the handle.
    handle = Engine::instance().addRecording(channel);
    if (const int err = channel->open(paIndex); err != BASS_OK) {
        Engine::instance().freeChannel(handle);
        handle = 0;
        return err;
    }
    return BASS_OK;
}

} // namespace audio
