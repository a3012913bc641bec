#pragma once
// The recording device in use and the software levels of its input, behind
// the BASS_Record... calls.
#include "platform/audio/Bass.h"

#include <map>
#include <memory>
#include <mutex>

namespace audio {

struct RecordInputLevels;

class RecordDevices {
public:
    static RecordDevices& instance();

    // Each returns a BASS_ERROR_... code.
    int deviceInfo(DWORD device, BASS_DEVICEINFO& info);
    int init(int device);
    int free();
    int inputName(int input, const char*& name);
    int getInput(int input, DWORD& flags, float& volume);
    int setInput(int input, DWORD flags, float volume);
    int start(DWORD freq, DWORD chans, DWORD flags, RECORDPROC* proc, void* user, HRECORD& handle);

private:
    RecordDevices() = default;

    std::mutex m_mutex;
    int m_current = kNone;
    int m_paIndex = -1;  // -1: "No sound"
    // Kept per device number, so levels survive a free and a new init.
    std::map<int, std::shared_ptr<RecordInputLevels>> m_levels;

    static constexpr int kNone = -1000;
};

} // namespace audio
