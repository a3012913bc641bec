// The main window's second player: short sounds beside the song of the music
// page (the two sound keys, the preview of the selected song, the break music
// and the ding). A second press while a sound plays pauses it.
#include "app/MirtalDlg.h"

#include "platform/audio/Bass.h"
#include "platform/audio/BassCd.h"
#include "platform/audio/BassMidi.h"
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
    const std::string ext = MyFunctions().GetExtension(path);
    const char* file = path.c_str();
    if (ext == "MP1" || ext == "MP2" || ext == "MP3" || ext == "WAV" || ext == "OGG")
        m_soundStream = BASS_StreamCreateFile(FALSE, file, 0, 0, 0);
    else if (ext == "MID" || ext == "MIDI" || ext == "KAR")
        m_soundStream = BASS_MIDI_StreamCreateFile(FALSE, file, 0, 0, 0, 44100);
    else if (ext == "WMA")
        m_soundStream = BASS_WMA_StreamCreateFile(FALSE, file, 0, 0, 0);
    else if (ext == "FLAC")
        m_soundStream = BASS_FLAC_StreamCreateFile(FALSE, file, 0, 0, 0);
    else if (ext == "AAC" || ext == "MP4" || ext == "M4A")
        m_soundStream = BASS_AAC_StreamCreateFile(FALSE, file, 0, 0, 0);
    else if (ext == "CDA")
        m_soundStream = BASS_CD_StreamCreateFile(file, 0);
    else
        return;
    BASS_ChannelSetAttribute(m_soundStream, BASS_ATTRIB_VOL, float(g_defaultVolume) * 0.01f);
    if (!BASS_ChannelPlay(m_soundStream, FALSE))
        ShowBassError("Can't play stream");
}

void CMirtalDlg::ShowBassError(const std::string& text)
{
    ::MessageBox(m_hWnd, CDlgMp3::BassErrorText(text, BASS_ErrorGetCode()), "Mirtal", MB_OK | MB_ICONERROR);
}
