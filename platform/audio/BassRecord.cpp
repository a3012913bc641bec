// The recording calls.
#include "platform/audio/Bass.h"

#include "platform/audio/Engine.h"
#include "platform/audio/RecordDevices.h"

using audio::Engine;
using audio::done;
using audio::RecordDevices;

extern "C" {

BOOL BASS_RecordGetDeviceInfo(DWORD device, BASS_DEVICEINFO* info)
{
    if (!info)
        return done(BASS_ERROR_ILLPARAM);
    return done(RecordDevices::instance().deviceInfo(device, *info));
}

BOOL BASS_RecordInit(int device)
{
    return done(RecordDevices::instance().init(device));
}

BOOL BASS_RecordFree()
{
    return done(RecordDevices::instance().free());
}

const char* BASS_RecordGetInputName(int input)
{
    const char* name = nullptr;
    done(RecordDevices::instance().inputName(input, name));
    return name;
}

DWORD BASS_RecordGetInput(int input, float* volume)
{
    DWORD flags = 0;
    float level = 0;
    if (!done(RecordDevices::instance().getInput(input, flags, level)))
        return DWORD(-1);
    if (volume)
        *volume = level;
    return flags;
}

BOOL BASS_RecordSetInput(int input, DWORD flags, float volume)
{
    return done(RecordDevices::instance().setInput(input, flags, volume));
}

HRECORD BASS_RecordStart(DWORD freq, DWORD chans, DWORD flags, RECORDPROC* proc, void* user)
{
    HRECORD h = 0;
    done(RecordDevices::instance().start(freq, chans, flags, proc, user, h));
    return h;
}

}  // extern "C"
