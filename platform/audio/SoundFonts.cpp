#include "platform/audio/SoundFonts.h"

#include "platform/audio/FileProbe.h"

#include <algorithm>
#include <fstream>

namespace audio {

namespace {

// An SF2 file: a RIFF of form "sfbk".
bool isSoundFont(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    return in.read(head, sizeof head) && std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "sfbk";
}

} // namespace

SoundFonts& SoundFonts::instance()
{
    static SoundFonts fonts;
    return fonts;
}

int SoundFonts::open(const std::string& path, HSOUNDFONT& handle)
{
    handle = 0;
    if (!isReadableFile(path))
        return BASS_ERROR_FILEOPEN;
    if (!isSoundFont(path))
        return BASS_ERROR_FILEFORM;
    std::lock_guard lock(m_mutex);
    do {
        ++m_last;
    } while (m_last == 0 || m_fonts.count(m_last));
    handle = m_last;
    m_fonts[handle] = path;
    return BASS_OK;
}

int SoundFonts::close(HSOUNDFONT handle)
{
    std::lock_guard lock(m_mutex);
    if (!m_fonts.erase(handle))
        return BASS_ERROR_HANDLE;
    m_defaults.erase(std::remove(m_defaults.begin(), m_defaults.end(), handle), m_defaults.end());
    return BASS_OK;
}

int SoundFonts::setDefaults(const BASS_MIDI_FONT* fonts, DWORD count)
{
    if (count && !fonts)
        return BASS_ERROR_ILLPARAM;
    std::lock_guard lock(m_mutex);
    for (DWORD i = 0; i < count; ++i)
        if (!m_fonts.count(fonts[i].font))
            return BASS_ERROR_HANDLE;
    m_defaults.clear();
    for (DWORD i = 0; i < count; ++i)
        m_defaults.push_back(fonts[i].font);
    return BASS_OK;
}

std::vector<std::string> SoundFonts::defaultFiles() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::string> files;
    for (HSOUNDFONT h : m_defaults)
        files.push_back(m_fonts.at(h));
    return files;
}

} // namespace audio
