// Opening a song: the decode stream by file type inside a tempo stream, its
// length, rate, beat scan and stored settings, the loop rules of its list,
// and saving or resetting the song's settings.
#include "player/DlgMp3.h"

#include "controls/Comment.h"
#include "controls/ModelessInitDlg.h"
#include "karaoke/Karalux.h"
#include "managers/MusicStream.h"
#include "platform/audio/BassFx.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>

namespace {

bool IsOneOf(const std::string& ext, std::initializer_list<const char*> kinds)
{
    return std::any_of(kinds.begin(), kinds.end(), [&](const char* k) { return ext == k; });
}

bool IsDocument(const std::string& ext) { return IsOneOf(ext, {"HTM", "HTML", "PDF", "TXT", "RTF", "MHT"}); }

} // namespace

HSTREAM CDlgMp3::CreateDecodeStream(const std::string& path, const std::string& ext) const
{
    // The page plays no OGG, though the managers' previews open it.
    return ext == "OGG" ? 0 : musicrows::OpenByExtension(path, BASS_STREAM_DECODE);
}

void CDlgMp3::OpenSong(int list, int row, const std::string& requested, int listType, int autostart, int naming)
{
    // A copy: the caller may hand in the previous song's path, which step 2 replaces.
    const std::string path = requested;
    const std::string ext = m_fn.GetExtension(path);
    // 1. The file must be there (a CD track is no file on disk) or be the loaded song.
    if (path != g_currentSongPath && ext != "CDA" && !m_fn.FileExists(path)) {
        ::MessageBox(m_hWnd, "Can\xC2\xB4t find the file: " + path, "Mirtal", MB_ICONEXCLAMATION);
        RestoreFocus(1);
        return;
    }
    // A file that is no song, or one that does not open, is refused while the
    // loaded song goes on playing.
    if (!m_fn.IsAudioFile(path)) {
        ::MessageBox(m_hWnd, "This file is not a song Mirtal can play:\n" + path, "Mirtal", MB_ICONEXCLAMATION);
        RestoreFocus(1);
        return;
    }
    BeginWaitCursor();
    const HSTREAM decode = CreateDecodeStream(path, ext);
    const HSTREAM tempo = decode ? BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE) : 0;
    if (!tempo) {
        EndWaitCursor();
        ShowBassError("Can't create stream");
        if (decode)
            BASS_StreamFree(decode);
        RestoreFocus(1);
        return;
    }

    // 2. The song being left becomes the previous song.
    m_prevPath = g_currentSongPath;
    m_prevRow = m_currentRow;
    m_prevList = m_currentList;
    m_prevListType = m_listType;
    m_prevNaming = m_namingMode;
    m_currentRow = row;
    g_currentSongPath = path;
    m_listType = listType;
    m_currentList = list;
    m_namingMode = naming;

    // 4., 5. The old song stops and is freed.
    if (g_playing)
        Pause();
    FreeSong();
    m_stream = tempo;

    // 8. The CD+G companion of an MP3 while the karaoke window is open.
    if (g_karaokeOpen && ext == "MP3") {
        m_fn.WriteLog("Karaoke");
        const std::string cdg = path.substr(0, path.size() - 3) + "cdg";
        g_cdgStream = BASS_StreamCreateFile(FALSE, cdg.c_str(), 0, 0, 0);
        if (!g_cdgStream) {
            ShowBassError("No CDG file found!");
        } else {
            KARALUX_SetVideoWindow(g_cdgStream, m_hWnd);
            BASS_ChannelSetAttribute(g_cdgStream, BASS_ATTRIB_VOL, 0.0f);
        }
    }

    // 9. The song's settings, its row marked, the list's fixed tempo and pitch.
    const int option = m_set.autostartOption;
    const bool startsItself = autostart && m_autostartCheck &&
                              (option == 0 || (option == 1 && m_listType == 1) || (option == 2 && m_listType < 2));
    {
        const UnattendedOpen unattended(*this, startsItself);
        InitSong();
    }
    if (m_set.markersSeconds == 0)
        MarkRow(m_currentList, m_currentRow, path);
    if (m_currentList >= 1 && m_currentList <= 3) {
        if (m_set.fixBpm[m_currentList - 1])
            ApplyFixedBpm(m_set.fixBpmValue);
        if (m_set.adjustPitch[m_currentList - 1])
            AdjustPitch(m_set.adjustPitchValue);
    }
    // 11. The other lists show their played marks afresh.
    if (m_set.songMark123)
        for (int l = 1; l <= 3; ++l)
            if (l != m_currentList)
                ReloadList(l);
    EndWaitCursor();

    // 13. Autostart by list type.
    if (startsItself)
        PlayPause();
    RestoreFocus(1);
}

void CDlgMp3::FreeSong()
{
    BASS_Pause();
    for (UINT_PTR id : {kTimerPoll, kTimerDance, kTimerMarkRow, kTimerTrackRow, kTimerDelayedStart, kTimerFadeOut,
                        kTimerMarkerTime})
        StopTimer(id);
    if (m_bpmScan)
        BASS_FX_BPM_Free(m_bpmScan);
    BASS_FX_BPM_Free(m_stream);
    BASS_FX_BPM_BeatFree(m_stream);
    BASS_StreamFree(m_stream);
    BASS_StreamFree(g_cdgStream);

    ShowTitle("");
    g_songComment.clear();
    g_sinceMarkerSeconds = 0;
    g_keychangeSteps = 0;
    g_keychangeTime = 0;
    m_rating = 0;
    g_songRating = 0;
    g_songMarkers.clear();
    g_markerComments.clear();
    g_markerSeconds.clear();

    m_stream = 0;
    m_bpmScan = 0;
    m_eqBands[0] = m_eqBands[1] = m_eqBands[2] = 0;
    g_cdgStream = 0;
    g_songLength = 0;
    g_songVolume = g_defaultVolume;
    g_pitch = 0;
    m_detectedBpm = 0;
    g_position = 0;
    g_loopStart = 0;
    g_loopEnd = 0;
    g_speedHz = 44100;
    g_tempo = 0;
    g_lyricsPath.clear();
    g_playing = 0;

    m_playedRowRemoved = 0;
    m_fileRate = 0;
    m_keychangeStepsValue = 0;
    m_keychangeDone = 0;
    m_loopCounter = 0;
    if (g_eqEachSong)
        g_eqBass = g_eqMid = g_eqTreble = 0;
    if (!m_set.resetTimerZero) {
        ResetDanceTimer();
        m_danceAlarmDone = 0;
    }

    if (m_hWnd) {
        m_lengthLabel.SetFontSize(26);
        m_positionLabel.SetFontSize(26);
        m_keychangeSpin.SetPos32(0);
        SetPlayButtonIcon(true);
        SetCommentButtonImage(false);
        m_markerTimeLabel.SetText("0:00");
        m_keychangeTimeLabel.SetText("0:00");
        m_speedSlider.SetPos(44100);
        m_pitchSlider.SetPos(0);
        m_tempoSlider.SetPos(0);
        m_volumeSlider.SetPos(g_songVolume);
        if (CButtonST* b = Button(1243))
            b->ShowWindow(SW_HIDE);
    }
}

void CDlgMp3::InitSong()
{
    // 1. the please-wait window, which frees itself when its window goes
    CModelessInitDlg* wait = nullptr;
    if (m_hWnd) {
        wait = new CModelessInitDlg(this);
        if (wait->Create(CModelessInitDlg::IDD, this)) {
            wait->ShowWindow(SW_SHOW);
            wait->UpdateWindow();
            wait->SetText("Init Song");
            wait->StartProgress(0, 15, 1);
            wait->Step();
        } else {
            delete wait;
            wait = nullptr;
        }
    }
    auto step = [&] {
        if (wait)
            wait->Step();
    };
    auto text = [&](const char* t) {
        if (wait)
            wait->SetText(t);
    };

    // 2. length in whole seconds
    g_songLength = int(BASS_ChannelBytes2Seconds(m_stream, BASS_ChannelGetLength(m_stream, BASS_POS_BYTE)));
    step();
    text("Checking BPM");
    step();

    // 4. the file's rate
    float rate = 0;
    BASS_ChannelGetAttribute(m_stream, BASS_ATTRIB_TEMPO_FREQ, &rate);
    m_fileRate = rate;
    g_speedHz = int(rate);
    if (m_speedSlider.m_hWnd)
        m_speedSlider.SetRange(g_speedHz - 4000, g_speedHz + 4000);

    // 5. the beats of seconds 60 to 90, scanned in the background on a stream of their own
    const std::string ext = m_fn.GetExtension(g_currentSongPath);
    const HSTREAM scan = ext == "FLAC"
                             ? BASS_FLAC_StreamCreateFile(FALSE, g_currentSongPath.c_str(), 0, 0, BASS_STREAM_DECODE)
                             : BASS_StreamCreateFile(FALSE, g_currentSongPath.c_str(), 0, 0, BASS_STREAM_DECODE);
    if (scan) {
        m_detectedBpm = BASS_FX_BPM_DecodeGet(scan, 60.0, 90.0, 0, 0x10003, nullptr, nullptr);
        m_bpmScan = m_detectedBpm > 0 ? 0 : scan;
        if (m_detectedBpm > 0)
            BASS_StreamFree(scan);
    }

    // 7., 8. the stored settings of the song
    text("Load settings");
    step();
    m_db.LoadSongSettings(g_currentSongPath, 1);
    m_rating = g_songRating;
    SendCommand(CMD_MARKERS_RELOAD);

    // 9. labels
    if (m_hWnd) {
        m_loopStartLabel.SetText(m_fn.SecondsToText(int(g_loopStart)));
        m_loopEndLabel.SetText(m_fn.SecondsToText(int(g_loopEnd)));
        m_keychangeTimeLabel.SetText(m_fn.SecondsToText(int(g_keychangeTime)));
    }
    m_keychangeStepsValue = g_keychangeSteps;

    ApplyListLoopRules(m_currentList);
    ApplyAttributes();
    ShowTitle(m_fn.FileTitleFromPath(g_currentSongPath));
    ShowTimeLabels();
    ApplyEqualizer(1);
    SendCommand(CMD_EQUALIZER_REFRESH);
    step();
    UpdateStatusTexts();
    SendCommand(CMD_SET_POSITION_RANGE, g_songLength);

    // 16. the comment
    if (!g_songComment.empty()) {
        SetCommentButtonImage(true);
        if (g_songComment.compare(0, 4, "URL:") == 0)
            SendCommand(CMD_SHOW_COMMENT_URL);
    }

    // 17. lyrics
    text("Searching for lyrics");
    step();
    g_lyricsPath = FindLyricsForSong(g_currentSongPath, m_currentList, false);
    if (g_lyricsPath.empty()) {
        SendCommand(CMD_LYRICS_WINDOW_CLOSE);
    } else if (CButtonST* b = Button(1243); b && b->m_hWnd) {
        b->ShowWindow(SW_SHOW);
    }
    SendCommand(CMD_SONG_LOADED);
    m_trackPending = 1;
    if (!m_set.resetTimerZero)
        SendCommand(CMD_TIMER_TICK);

    // 21. the bar fills up and the window goes
    if (wait) {
        step();
        while (!wait->StepAndTest()) {
        }
        wait->DestroyWindow();
    }
}

void CDlgMp3::ShowTimeLabels()
{
    if (!m_hWnd)
        return;
    const std::string length = m_fn.SecondsToText(g_songLength);
    m_lengthLabel.SetText(length);
    m_positionLabel.SetText(m_fn.SecondsToText(int(g_position)));
    if (length.size() > 5) {
        m_lengthLabel.SetFontSize(18);
        m_positionLabel.SetFontSize(18);
    }
}

int CDlgMp3::ListTypeOf(int list) const { return list >= 1 && list <= 3 ? m_set.listType[list - 1] : 0; }

void CDlgMp3::ApplyListLoopRules(int list)
{
    float autoStart = float(m_set.autoLoopStart), autoStop = float(m_set.autoLoopStop);
    if (float(g_songLength) < 2 * autoStart)
        autoStart = autoStop = 1;
    const int type = ListTypeOf(list);
    auto showLoop = [&] {
        if (m_hWnd) {
            m_loopStartLabel.SetText(m_fn.SecondsToText(int(g_loopStart)));
            m_loopEndLabel.SetText(m_fn.SecondsToText(int(g_loopEnd)));
        }
    };
    if (type == 1) {
        m_loopCheck = 1;
        if (g_loopStart == 0 && g_loopEnd == 0) {
            g_loopStart = autoStart;
            g_loopEnd = float(g_songLength) - autoStop;
        }
    } else if (type == 2) {
        m_loopCheck = 0;
    }
    if (m_set.alwaysLoopValue) {
        if (g_loopStart == 0)
            g_loopStart = autoStart;
        if (g_loopEnd == 0)
            g_loopEnd = float(g_songLength) - autoStop;
    }
    showLoop();
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::OpenPreviousSong()
{
    if (!m_prevPath.empty())
        OpenSong(m_prevList, m_prevRow, m_prevPath, m_prevListType, 1, m_prevNaming);
}

void CDlgMp3::OpenFileDirect(const std::string& path)
{
    m_currentList = 4;
    OpenSong(4, -1, path, 0, 1, 0);
}

void CDlgMp3::DropFile(const std::string& path)
{
    if (IsDocument(m_fn.GetExtension(path))) {
        g_droppedFilePath = path;
        SendCommand(CMD_SHOW_DROPPED_LYRICS);
    } else {
        OpenFileDirect(path);
    }
}

void CDlgMp3::SaveSongSettings()
{
    if (g_currentSongPath.empty())
        return;
    m_db.SaveSongSettings(g_currentSongPath, 1);
    if (m_hWnd)
        UpdateData(TRUE);
    if (!g_markerSeconds.empty() && !g_markerComments.empty()) {
        m_db.BeginBatch();
        for (size_t i = 0; i < g_markerSeconds.size() && i < g_markerComments.size(); ++i)
            if (!g_markerComments[i].empty())
                m_db.SetMarkerComment(g_currentSongPath, g_markerSeconds[i], g_markerComments[i], 0);
        m_db.CommitBatch();
    }
    if (m_currentList >= 1 && m_currentList <= 3)
        ReloadList(m_currentList);
    SendCommand(CMD_MUSIC_MGR_REFRESH);
    RestoreFocus(1);
}

void CDlgMp3::EditSongComment()
{
    // The comment is kept in its stored form; the prompt shows and takes it as written.
    CComment prompt(m_fn.UnescapeSql(g_songComment), this);
    prompt.DoModal();
    if (prompt.IsConfirmed()) {
        g_songComment = m_fn.EscapeSql(prompt.GetText());
        if (!g_currentSongPath.empty())
            m_db.SaveSongSettings(g_currentSongPath, 1);
        SetCommentButtonImage(!g_songComment.empty());
    }
    RestoreFocus(1);
}

void CDlgMp3::ResetMusicSettings()
{
    if (::MessageBox(m_hWnd, "Do you want reset all the music settings?", "Mirtal",
                        MB_YESNO | MB_ICONQUESTION) == IDYES) {
        g_loopStart = g_loopEnd = 0;
        if (m_hWnd) {
            m_loopStartLabel.SetText(m_fn.SecondsToText(0));
            m_loopEndLabel.SetText(m_fn.SecondsToText(0));
        }
        float rate = 0;
        BASS_ChannelGetAttribute(m_stream, BASS_ATTRIB_FREQ, &rate);
        g_speedHz = int(rate);
        g_tempo = 0;
        g_pitch = 0;
        g_songVolume = g_defaultVolume;
        if (!m_lockCheck && m_markersList.m_hWnd) {
            m_markersList.DeleteAllItems();
            g_songMarkers.clear();
        }
        ApplyAttributes();
        UpdateStatusTexts();
    }
    if (m_hWnd)
        UpdateData(TRUE);
}
