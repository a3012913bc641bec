#include "managers/PlaylistPreview.h"

#include "platform/audio/BassCd.h"
#include "platform/audio/BassMidi.h"
#include "store/MyFunctions.h"

bool IsPreviewable(const std::string& path)
{
    static const char* const kPlayed[] = {"MP1", "MP2", "MP3", "WAV", "OGG", "CDA", "MID", "MIDI", "KAR",
                                          "WMA", "FLAC", "AAC", "MP4", "M4A"};
    const std::string ext = MyFunctions().GetExtension(path);
    for (const char* e : kPlayed)
        if (ext == e)
            return true;
    return false;
}

HSTREAM CreateMusicStream(const std::string& path, bool forLengthProbe)
{
    const std::string ext = MyFunctions().GetExtension(path);
    // The probe only decodes: it needs no output device.
    const DWORD flags = forLengthProbe ? BASS_STREAM_DECODE : 0;
    const char* file = path.c_str();
    if (ext == "MP1" || ext == "MP2" || ext == "MP3" || ext == "WAV")
        return BASS_StreamCreateFile(FALSE, file, 0, 0, flags);
    if (ext == "OGG")
        return forLengthProbe ? 0 : BASS_StreamCreateFile(FALSE, file, 0, 0, flags);
    if (ext == "CDA")
        return BASS_CD_StreamCreateFile(file, flags);
    if (ext == "MID" || ext == "MIDI" || ext == "KAR")
        return BASS_MIDI_StreamCreateFile(FALSE, file, 0, 0, flags, forLengthProbe ? 0 : 44100);
    if (ext == "WMA")
        return BASS_WMA_StreamCreateFile(FALSE, file, 0, 0, flags);
    if (ext == "FLAC")
        return BASS_FLAC_StreamCreateFile(FALSE, file, 0, 0, flags);
    if (ext == "AAC" || ext == "MP4" || ext == "M4A")
        return BASS_AAC_StreamCreateFile(FALSE, file, 0, 0, flags);
    return 0;
}

int ProbeLength(const std::string& path)
{
    const HSTREAM stream = CreateMusicStream(path, true);
    if (!stream)
        return 0;
    const QWORD bytes = BASS_ChannelGetLength(stream, BASS_POS_BYTE);
    const double seconds = BASS_ChannelBytes2Seconds(stream, bytes);
    BASS_StreamFree(stream);
    return seconds > 0 ? static_cast<int>(seconds) : 0;
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
    m_channel[list] = CreateMusicStream(path, false);
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
