#include "managers/PlaylistPreview.h"

#include "managers/MusicStream.h"
#include "store/MyFunctions.h"

bool IsPreviewable(const std::string& path) { return musicrows::IsMusicFile(path); }

int ProbeLength(const std::string& path)
{
    return MyFunctions().GetExtension(path) == "OGG" ? 0 : musicrows::SongSeconds(path);
}

std::string BassErrorText(const std::string& text, int code)
{
    std::string message = text + "\n\nBASS error code: " + std::to_string(code);
    message += code == BASS_ERROR_HANDLE ? "\r\n\r\nCheck the filepath." : "\r\n\r\nSee the helpfile for more information.";
    return message;
}

CPlaylistPreview::~CPlaylistPreview() { FreeAll(); }

bool CPlaylistPreview::IsPlaying(int list) const
{
    const HSTREAM h = m_channel[list & 1];
    return h && BASS_ChannelIsActive(h) == BASS_ACTIVE_PLAYING;
}

CPlaylistPreview::Outcome CPlaylistPreview::Press(int list, const std::string& path, float volume, bool& otherPaused,
                                                  std::string& error)
{
    list &= 1;
    const int other = list ^ 1;
    otherPaused = false;
    if (IsPlaying(other)) {
        BASS_ChannelPause(m_channel[other]);
        otherPaused = true;
    }
    if (IsPlaying(list)) {
        BASS_ChannelPause(m_channel[list]);
        return Outcome::Paused;
    }
    if (path.empty())
        return Outcome::Nothing;
    // The new preview replaces the old one, whether it can be made or not:
    // a paused earlier song never starts again in its place.
    if (m_channel[list]) {
        BASS_StreamFree(m_channel[list]);
        m_channel[list] = 0;
    }
    if (!IsPreviewable(path)) {
        error = BassErrorText("Can't play stream", BASS_ERROR_FILEFORM);
        return Outcome::Failed;
    }
    BASS_Start();
    m_channel[list] = musicrows::OpenByExtension(path, 0, 44100);
    BASS_ChannelSetAttribute(m_channel[list], BASS_ATTRIB_VOL, volume);
    if (BASS_ChannelPlay(m_channel[list], FALSE))
        return Outcome::Started;
    error = BassErrorText("Can't play stream", BASS_ErrorGetCode());
    if (m_channel[list]) {
        BASS_StreamFree(m_channel[list]);
        m_channel[list] = 0;
    }
    return Outcome::Failed;
}

void CPlaylistPreview::FreeAll()
{
    for (HSTREAM& h : m_channel) {
        if (h)
            BASS_StreamFree(h);
        h = 0;
    }
}
