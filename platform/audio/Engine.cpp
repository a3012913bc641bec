#include "platform/audio/Engine.h"

#include "platform/audio/Channel.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/OutputDevice.h"
#include "platform/audio/TempoStream.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

thread_local int t_error = BASS_OK;

constexpr DWORD kDefaultBufferMs = 500;
constexpr DWORD kMinBufferMs = 10;
constexpr DWORD kMaxBufferMs = 5000;
constexpr DWORD kEffectLevel = 9;  // the equaliser is available

} // namespace

Engine& Engine::instance()
{
    static Engine engine;
    return engine;
}

Engine::Engine()
{
    m_config[BASS_CONFIG_BUFFER] = kDefaultBufferMs;
}

Engine::~Engine()
{
    // The process ends without BASS_Free: every device still stops cleanly here.
    std::vector<int> numbers;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [number, device] : m_devices)
            numbers.push_back(number);
    }
    for (int n : numbers)
        freeDevice(n);
    freeRecordings();
    PortAudioOutput::shutdown();
}

BOOL done(int code)
{
    Engine::setError(code);
    return code == BASS_OK ? TRUE : FALSE;
}

void Engine::setError(int code)
{
    t_error = code;
}

int Engine::error()
{
    return t_error;
}

int Engine::init(int device, DWORD freq, DWORD flags)
{
    if (device < -1)
        return BASS_ERROR_DEVICE;
    if (freq == 0)
        freq = 44100;
    if (freq < 8000 || freq > 384000)
        return BASS_ERROR_ILLPARAM;
    int number = device;
    int paIndex = -1;
    if (device != 0) {
        const auto& cards = PortAudioOutput::devices();
        if (device == -1) {
            auto it = std::find_if(cards.begin(), cards.end(), [](const PortAudioDeviceInfo& d) { return d.isDefault; });
            if (it == cards.end())
                return BASS_ERROR_DEVICE;
            number = int(it - cards.begin()) + 1;
        }
        if (number > int(cards.size()))
            return BASS_ERROR_DEVICE;
        paIndex = cards[size_t(number - 1)].paIndex;
    }
    std::lock_guard lock(m_mutex);
    if (m_devices.count(number))
        return BASS_ERROR_ALREADY;
    const int outChannels = (flags & BASS_DEVICE_MONO) ? 1 : 2;
    Device d;
    d.number = number;
    d.flags = flags;
    if (number == 0) {
        const int period = int(freq) * NoSoundOutput::kPeriodMs / 1000;
        d.mixer = std::make_shared<Mixer>(int(freq), outChannels, Mixer::leadFor(period));
        d.mixer->start();
        d.output = std::make_unique<NoSoundOutput>(*d.mixer);
    } else {
        d.mixer = std::make_shared<Mixer>(int(freq), outChannels,
                                          Mixer::leadFor(PortAudioOutput::kPeriodFrames));
        d.mixer->start();
        int err = BASS_OK;
        d.output = PortAudioOutput::open(paIndex, *d.mixer, err);
        if (!d.output) {
            d.mixer->stop();
            return err;
        }
    }
    m_devices.emplace(number, std::move(d));
    m_current = number;
    return BASS_OK;
}

void Engine::freeDevice(int number)
{
    std::vector<std::shared_ptr<Channel>> taken;
    Device device;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_devices.find(number);
        if (it == m_devices.end())
            return;
        device = std::move(it->second);
        m_devices.erase(it);
        std::vector<DWORD> handles;
        for (const auto& [handle, entry] : m_channels)
            if (entry.device == number)
                handles.push_back(handle);
        for (DWORD h : handles)
            takeLocked(h, taken);
        if (m_current == number)
            m_current = m_devices.empty() ? kNoDevice : m_devices.begin()->first;
    }
    // The output stops first, so nothing pulls from the mixer while it goes.
    device.output.reset();
    device.mixer->stop();
    release(taken);
}

void Engine::release(const std::vector<std::shared_ptr<Channel>>& taken)
{
    for (const auto& c : taken)
        if (c->mixer())
            c->mixer()->detach(c.get());
    for (const auto& c : taken)
        c->released();
}

int Engine::free()
{
    int number = kNoDevice;
    {
        std::lock_guard lock(m_mutex);
        if (m_current == kNoDevice)
            return BASS_ERROR_INIT;
        number = m_current;
    }
    freeDevice(number);
    return BASS_OK;
}

int Engine::start()
{
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(m_current);
    if (it == m_devices.end())
        return BASS_ERROR_INIT;
    it->second.mixer->setPaused(false);
    return BASS_OK;
}

int Engine::pause()
{
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(m_current);
    if (it == m_devices.end())
        return BASS_ERROR_INIT;
    it->second.mixer->setPaused(true);
    return BASS_OK;
}

int Engine::deviceInfo(DWORD device, BASS_DEVICEINFO& info)
{
    std::lock_guard lock(m_mutex);
    if (device == 0) {
        info.name = "No sound";
        info.driver = "";
        info.flags = BASS_DEVICE_ENABLED | (m_devices.count(0) ? BASS_DEVICE_INIT : 0);
        return BASS_OK;
    }
    const auto& cards = PortAudioOutput::devices();
    if (device > cards.size())
        return BASS_ERROR_DEVICE;
    const PortAudioDeviceInfo& card = cards[device - 1];
    info.name = card.name.c_str();
    info.driver = card.driver.c_str();
    info.flags = BASS_DEVICE_ENABLED | (card.isDefault ? BASS_DEVICE_DEFAULT : 0)
               | (m_devices.count(int(device)) ? BASS_DEVICE_INIT : 0);
    return BASS_OK;
}

int Engine::info(BASS_INFO& info)
{
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(m_current);
    if (it == m_devices.end())
        return BASS_ERROR_INIT;
    const Device& d = it->second;
    const DWORD leadMs = DWORD(d.mixer->leadFrames() * 1000 / d.mixer->rate());
    info = BASS_INFO{};
    info.minbuf = leadMs;
    info.dsver = kEffectLevel;
    info.latency = leadMs + DWORD(d.output->latencyMs());
    info.initflags = d.flags;
    info.speakers = DWORD(d.mixer->channels());
    info.freq = DWORD(d.mixer->rate());
    return BASS_OK;
}

int Engine::setVolume(float volume)
{
    if (!std::isfinite(volume) || volume < 0.0f || volume > 1.0f)
        return BASS_ERROR_ILLPARAM;
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(m_current);
    if (it == m_devices.end())
        return BASS_ERROR_INIT;
    it->second.mixer->setVolume(volume);
    return BASS_OK;
}

int Engine::volume(float& volume)
{
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(m_current);
    if (it == m_devices.end())
        return BASS_ERROR_INIT;
    volume = it->second.mixer->volume();
    return BASS_OK;
}

int Engine::setConfig(DWORD option, DWORD value)
{
    std::lock_guard lock(m_mutex);
    if (option == BASS_CONFIG_BUFFER)
        value = std::clamp(value, kMinBufferMs, kMaxBufferMs);
    m_config[option] = value;
    return BASS_OK;
}

int Engine::config(DWORD option, DWORD& value)
{
    std::lock_guard lock(m_mutex);
    auto it = m_config.find(option);
    if (it == m_config.end())
        return BASS_ERROR_ILLTYPE;
    value = it->second;
    return BASS_OK;
}

int Engine::bufferMs()
{
    std::lock_guard lock(m_mutex);
    return int(m_config[BASS_CONFIG_BUFFER]);
}

int Engine::currentMixer(std::shared_ptr<Mixer>& mixer)
{
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(m_current);
    if (it == m_devices.end())
        return BASS_ERROR_INIT;
    mixer = it->second.mixer;
    return BASS_OK;
}

DWORD Engine::nextHandle()
{
    do {
        ++m_lastHandle;
    } while (m_lastHandle == 0 || m_channels.count(m_lastHandle) || m_effects.count(m_lastHandle));
    return m_lastHandle;
}

DWORD Engine::add(const std::shared_ptr<Channel>& channel)
{
    const DWORD h = addLocked(channel);
    // Attached outside the lock: the mixer's lock is taken before a channel's,
    // and a plug-in's procedure or Free (which hold their channel's) may call
    // into the engine. A device freed meanwhile has taken the channel already;
    // it must not stay in the mixer then.
    if (h && !channel->isDecoding()) {
        channel->mixer()->attach(channel);
        bool gone = false;
        {
            std::lock_guard lock(m_mutex);
            gone = m_channels.count(h) == 0;
        }
        if (gone)
            channel->mixer()->detach(channel.get());
    }
    return h;
}

DWORD Engine::addLocked(const std::shared_ptr<Channel>& channel)
{
    std::lock_guard lock(m_mutex);
    // A playing channel belongs to the device of its mixer (which may have
    // gone meanwhile); a decoding one to the current device.
    int device = m_current;
    if (channel->mixer()) {
        auto it = std::find_if(m_devices.begin(), m_devices.end(),
                               [&](const auto& d) { return d.second.mixer == channel->mixer(); });
        device = it == m_devices.end() ? kNoDevice : it->first;
    }
    if (device == kNoDevice)
        return 0;
    const DWORD h = nextHandle();
    channel->setHandle(h);
    m_channels[h] = Entry{channel, device};
    return h;
}

std::shared_ptr<Channel> Engine::channel(DWORD handle)
{
    std::lock_guard lock(m_mutex);
    auto it = m_channels.find(handle);
    return it == m_channels.end() ? nullptr : it->second.channel;
}

void Engine::takeLocked(DWORD handle, std::vector<std::shared_ptr<Channel>>& taken)
{
    auto it = m_channels.find(handle);
    if (it == m_channels.end())
        return;
    taken.push_back(it->second.channel);
    m_channels.erase(it);
    for (auto e = m_effects.begin(); e != m_effects.end();)
        e = e->second.channel == handle ? m_effects.erase(e) : std::next(e);
}

int Engine::freeChannel(DWORD handle)
{
    std::vector<std::shared_ptr<Channel>> taken;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_channels.find(handle);
        if (it == m_channels.end())
            return BASS_ERROR_HANDLE;
        const std::shared_ptr<Channel> c = it->second.channel;
        takeLocked(handle, taken);
        if (auto* tempo = dynamic_cast<TempoStream*>(c.get()); tempo && tempo->freesSource())
            takeLocked(tempo->source()->handle(), taken);
    }
    release(taken);
    return BASS_OK;
}

std::shared_ptr<Channel> Engine::takeChannel(DWORD handle)
{
    std::vector<std::shared_ptr<Channel>> taken;
    std::lock_guard lock(m_mutex);
    takeLocked(handle, taken);
    return taken.empty() ? nullptr : taken.front();
}

void Engine::end(const std::shared_ptr<Channel>& channel)
{
    release({channel});
}

DWORD Engine::addRecording(const std::shared_ptr<Channel>& channel)
{
    std::lock_guard lock(m_mutex);
    const DWORD h = nextHandle();
    channel->setHandle(h);
    m_channels[h] = Entry{channel, kRecordingOwner};
    return h;
}

void Engine::freeRecordings()
{
    freeOwnedBy(kRecordingOwner);
}

void Engine::freeOwnedBy(int owner)
{
    std::vector<std::shared_ptr<Channel>> taken;
    {
        std::lock_guard lock(m_mutex);
        std::vector<DWORD> handles;
        for (const auto& [handle, entry] : m_channels)
            if (entry.device == owner)
                handles.push_back(handle);
        for (DWORD h : handles)
            takeLocked(h, taken);
    }
    release(taken);
}

DWORD Engine::addEffect(DWORD channelHandle, int effectId)
{
    std::lock_guard lock(m_mutex);
    if (!m_channels.count(channelHandle))
        return 0;
    const DWORD h = nextHandle();
    m_effects[h] = EffectRef{channelHandle, effectId};
    return h;
}

std::shared_ptr<Channel> Engine::effect(DWORD handle, int& effectId)
{
    std::lock_guard lock(m_mutex);
    auto it = m_effects.find(handle);
    if (it == m_effects.end())
        return nullptr;
    auto c = m_channels.find(it->second.channel);
    if (c == m_channels.end())
        return nullptr;
    effectId = it->second.id;
    return c->second.channel;
}

} // namespace audio
