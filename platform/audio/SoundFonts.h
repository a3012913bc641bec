#pragma once
// The sound fonts the program has opened, and the default set that new MIDI
// streams render with.
#include "platform/audio/BassMidi.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace audio {

class SoundFonts {
public:
    static SoundFonts& instance();

    // A BASS_ERROR_... code; the new handle in `handle`.
    int open(const std::string& path, HSOUNDFONT& handle);
    int close(HSOUNDFONT handle);
    int setDefaults(const BASS_MIDI_FONT* fonts, DWORD count);
    // The files of the default set, the top font first.
    std::vector<std::string> defaultFiles() const;

private:
    SoundFonts() = default;

    mutable std::mutex m_mutex;
    std::map<HSOUNDFONT, std::string> m_fonts;
    std::vector<HSOUNDFONT> m_defaults;
    HSOUNDFONT m_last = 0;
};

} // namespace audio
