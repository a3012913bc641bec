// The main window's second player: short sounds beside the song of the music
// page (the two sound keys, the preview of the selected song, the break music
// and the ding). A second press while a sound plays pauses it.
#include "app/MirtalDlg.h"

#include "managers/MusicStream.h"
#include "platform/audio/Bass.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"

void CMirtalDlg::PlaySoundFile(int number)
{
    std::string path;
    switch (number) {
    case 1: path = m_f8SoundPath; break;
    case 2: path = m_f9SoundPath; break;
    case 3: path = g_selectedSongPath; break;
    case 4: path = m_breakMusicPath; break;
    case 5: path = g_dingPath; break;
    default: break;
    }
    if (m_soundStream && BASS_ChannelIsActive(m_soundStream) == BASS_ACTIVE_PLAYING) {
        BASS_ChannelPause(m_soundStream);
        return;
    }
    if (path.empty())
        return;
    BASS_Start();
    // The sound before goes: each sound is a stream of its own, and a file of no
    // known kind plays nothing rather than the sound before.
    BASS_StreamFree(m_soundStream);
    m_soundStream = 0;
    if (!musicrows::IsMusicFile(path))
        return;
    // A file that does not open is said when it fails to play.
    m_soundStream = musicrows::OpenByExtension(path, 0, 44100);
    BASS_ChannelSetAttribute(m_soundStream, BASS_ATTRIB_VOL, float(g_defaultVolume) * 0.01f);
    if (!BASS_ChannelPlay(m_soundStream, FALSE))
        ShowBassError("Can't play stream");
}

void CMirtalDlg::ShowBassError(const std::string& text)
{
    ::MessageBox(m_hWnd, CDlgMp3::BassErrorText(text, BASS_ErrorGetCode()), "Mirtal", MB_OK | MB_ICONERROR);
}
