#pragma once
// The library's state behind the C-style calls: the open devices with their
// mixers and outputs, the handle table, the configuration and the calling
// thread's error code.
#include "platform/audio/Bass.h"

#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace audio {

class Channel;
class Mixer;
class OutputDevice;

// Leaves `code` as the calling thread's error code and gives the call's BOOL result.
BOOL done(int code);

class Engine {
public:
    static Engine& instance();
    ~Engine();

    // The error code of the last call on this thread.
    static void setError(int code);
    static int error();

    int init(int device, DWORD freq, DWORD flags);
    int free();
    int start();
    int pause();
    int deviceInfo(DWORD device, BASS_DEVICEINFO& info);
    int info(BASS_INFO& info);
    int setVolume(float volume);
    int volume(float& volume);
    int setConfig(DWORD option, DWORD value);
    int config(DWORD option, DWORD& value);
    // The decode-ahead of a new stream, milliseconds.
    int bufferMs();

    // The current device's mixer for a new channel; BASS_ERROR_INIT without one.
    int currentMixer(std::shared_ptr<Mixer>& mixer);
    // Registers a channel on the current device and returns its handle (0 when no device is open).
    DWORD add(const std::shared_ptr<Channel>& channel);
    std::shared_ptr<Channel> channel(DWORD handle);
    // Frees a channel (and the source a tempo stream was told to free); BASS_ERROR_HANDLE when unknown.
    int freeChannel(DWORD handle);
    // Takes a channel out of the handle table for whoever ends it later
    // (Engine::end); null when unknown.
    std::shared_ptr<Channel> takeChannel(DWORD handle);
    // Ends a channel taken out of the table: off its mixer, then released.
    static void end(const std::shared_ptr<Channel>& channel);

    // Registers a recording: it belongs to no output device, and
    // freeRecordings (BASS_RecordFree) ends it instead of BASS_Free.
    DWORD addRecording(const std::shared_ptr<Channel>& channel);
    void freeRecordings();

    DWORD addEffect(DWORD channelHandle, int effectId);
    // The channel and the effect id of an effect handle; null when unknown.
    std::shared_ptr<Channel> effect(DWORD handle, int& effectId);

private:
    // Registers the channel and gives its handle, 0 when its device is gone.
    DWORD addLocked(const std::shared_ptr<Channel>& channel);
    struct Device {
        int number = 0;
        DWORD flags = 0;
        std::shared_ptr<Mixer> mixer;
        std::unique_ptr<OutputDevice> output;
    };
    struct Entry {
        std::shared_ptr<Channel> channel;
        int device = 0;
    };
    struct EffectRef {
        DWORD channel = 0;
        int id = 0;
    };

    Engine();
    DWORD nextHandle();
    void freeDevice(int number);
    // Takes a channel and its effects out of the tables; the caller releases it unlocked.
    void takeLocked(DWORD handle, std::vector<std::shared_ptr<Channel>>& taken);
    // Ends channels taken out of the tables: off their mixer, then released. Unlocked.
    static void release(const std::vector<std::shared_ptr<Channel>>& taken);
    void freeOwnedBy(int owner);

    std::mutex m_mutex;
    std::map<int, Device> m_devices;
    int m_current = kNoDevice;
    std::unordered_map<DWORD, Entry> m_channels;
    std::unordered_map<DWORD, EffectRef> m_effects;
    std::map<DWORD, DWORD> m_config;
    DWORD m_lastHandle = 0;

    static constexpr int kNoDevice = -1000;
    static constexpr int kRecordingOwner = -2000;
};

} // namespace audio
