// The MIDI calls.
#include "platform/audio/BassMidi.h"

#include "platform/audio/Engine.h"
#include "platform/audio/FileStream.h"
#include "platform/audio/LazyDecoders.h"
#include "platform/audio/SoundFonts.h"

using audio::Engine;
using audio::done;

namespace {

constexpr DWORD kMinRate = 8000;
constexpr DWORD kMaxRate = 192000;

} // namespace

extern "C" {

HSTREAM BASS_MIDI_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags, DWORD freq)
{
    if (mem || offset || length || !file || (freq && (freq < kMinRate || freq > kMaxRate)))
        return done(BASS_ERROR_ILLPARAM), 0;
    const int rate = freq ? int(freq) : audio::currentOutputRate();
    int err = BASS_OK;
    const HSTREAM h = audio::createFileStream(static_cast<const char*>(file), flags,
                                              [rate](const std::string& p, int& e) {
                                                  return audio::openMidiDecoder(p, rate, e);
                                              },
                                              err);
    done(err);
    return h;
}

HSOUNDFONT BASS_MIDI_FontInit(const void* file, DWORD)
{
    if (!file)
        return done(BASS_ERROR_ILLPARAM), 0;
    HSOUNDFONT h = 0;
    done(audio::SoundFonts::instance().open(static_cast<const char*>(file), h));
    return h;
}

BOOL BASS_MIDI_FontFree(HSOUNDFONT handle)
{
    return done(audio::SoundFonts::instance().close(handle));
}

BOOL BASS_MIDI_StreamSetFonts(DWORD handle, const BASS_MIDI_FONT* fonts, DWORD count)
{
    if (handle != 0)
        return done(Engine::instance().channel(handle) ? BASS_ERROR_NOTAVAIL : BASS_ERROR_HANDLE);
    return done(audio::SoundFonts::instance().setDefaults(fonts, count));
}

}  // extern "C"
