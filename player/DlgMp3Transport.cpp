// The transport of the music page: play, pause, stop, restart, seeks, the loop,
// the page's timers with the 200 ms position poll, and the status texts.
#include "player/DlgMp3.h"

#include "controls/DpiMsg.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>

// ---- timers

void CDlgMp3::ArmTimer(UINT_PTR id, UINT ms)
{
    if (id >= 100)
        return;
    m_timerIds[id] = m_hWnd ? SetTimer(id, ms) : id;
    m_timerPeriods[id] = ms;
}

void CDlgMp3::StopTimer(UINT_PTR id)
{
    if (id >= 100)
        return;
    if (m_hWnd && m_timerIds[id])
        KillTimer(id);
    m_timerIds[id] = 0;
}

void CDlgMp3::KillPlayTimers()
{
    for (UINT_PTR id : {kTimerPoll, kTimerAutoScroll, kTimerMarkRow, kTimerTrackRow, kTimerDelayedStart, kTimerFadeOut,
                        kTimerMarkerTime})
        StopTimer(id);
}

// ---- small steps

void CDlgMp3::MoveStreams(float seconds)
{
    const QWORD bytes = BASS_ChannelSeconds2Bytes(m_stream, double(seconds));
    BASS_ChannelSetPosition(m_stream, bytes, BASS_POS_BYTE);
    if (g_cdgStream)
        BASS_ChannelSetPosition(g_cdgStream, bytes, BASS_POS_BYTE);
}

void CDlgMp3::EnableSourceCombos(bool enable)
{
    for (CComboBox& c : m_combo)
        if (c.m_hWnd)
            c.EnableWindow(enable);
}

void CDlgMp3::ShowFadeInButton(bool fadeIn)
{
    if (CButtonST* b = Button(1269); b && b->m_hWnd)
        b->ShowWindow(fadeIn ? SW_SHOW : SW_HIDE);
    if (CButtonST* b = Button(1270); b && b->m_hWnd)
        b->ShowWindow(fadeIn ? SW_HIDE : SW_SHOW);
}

void CDlgMp3::NotifyMusicStarted() { SendCommand(CMD_RECORDER_MUSIC_STARTED); }
void CDlgMp3::NotifyMusicStopped() { SendCommand(CMD_RECORDER_MUSIC_STOPPED); }
void CDlgMp3::SendPosition() { SendCommand(CMD_SET_POSITION); }
void CDlgMp3::SendTimerTick() { SendCommand(CMD_TIMER_TICK); }

void CDlgMp3::StartMarkerTimers()
{
    SendCommand(CMD_MARKERS_START_TIMER);
    if (m_markersPanelShown)
        ArmTimer(kTimerMarkerTime, 1000);
}

void CDlgMp3::UpdateLevelMeter()
{
    const DWORD level = BASS_ChannelGetLevel(m_stream);
    const int left = int(LOWORD(level)), right = int(HIWORD(level));
    const int value = (left / 175 + right / 175) / 2;
    if (m_peakMeter.m_hWnd)
        m_peakMeter.SetData(&value, 0, 1);
}

void CDlgMp3::WriteTrackRow()
{
    m_db.AddTrack(m_title.GetText(), m_danceName, 1, "", "", m_currentList, g_currentSongPath, g_danceLevel, 1);
    m_trackPending = 0;
    SendCommand(CMD_TRACK_MGR_REFRESH);
    if (m_set.trackDateTime && m_currentList >= 1 && m_currentList <= 3)
        ReloadList(m_currentList);
}

void CDlgMp3::StartAutoBreakCount()
{
    if (m_set.autoBreakMinutes > 0)
        if (CButtonST* b = Button(1241); b && b->m_hWnd && b->IsWindowVisible()) {
            m_autoBreakCount = 0;
            ArmTimer(kTimerAutoBreak, 1000);
        }
}

// ---- play, pause, stop

void CDlgMp3::Play()
{
    const float volume = float(g_songVolume) * 0.01f;
    if (!IsSongLoaded()) {
        ::MessageBox(m_hWnd, "Doubleclick on a song first!", "Mirtal", MB_ICONEXCLAMATION);
        return;
    }
    // A pending delayed start or fade-out belongs to the play before this one.
    for (UINT_PTR id : {kTimerAutoBreak, kTimerDelayedStart, kTimerFadeOut})
        StopTimer(id);
    SetPlayButtonIcon(false);
    if (m_trackingCheck && m_trackPending) {
        if (m_set.trackTime == 0)
            WriteTrackRow();
        else
            ArmTimer(kTimerTrackRow, UINT(m_set.trackTime) * 1000);
    }
    if (g_position >= float(g_songLength)) {
        g_position = 0;
        MoveStreams(0);
    }
    if (m_stream) {
        BASS_Start();
        bool played;
        if (g_fadeInNextPlay) {
            BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_VOL, 0.0f);
            played = BASS_ChannelPlay(m_stream, FALSE);
            if (played)
                BASS_ChannelSlideAttribute(m_stream, BASS_ATTRIB_VOL, volume, DWORD(m_set.fadeSeconds) * 1000);
        } else {
            played = BASS_ChannelPlay(m_stream, FALSE);
            if (played)
                BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_VOL, volume);
        }
        if (played) {
            g_playing = 1;
            if (g_cdgStream)
                BASS_ChannelPlay(g_cdgStream, FALSE);
        } else {
            ShowBassError("Can't play stream");
        }
    }
    if (g_playing) {
        EnableSourceCombos(false);
        ShowFadeInButton(false);
        ArmTimer(kTimerPoll, 200);
        StartMarkerTimers();
        NotifyMusicStarted();
        if (m_set.markersSeconds > 0)
            ArmTimer(kTimerMarkRow, UINT(m_set.markersSeconds) * 1000);
        if (g_autoScrollSec)
            ArmTimer(kTimerAutoScroll, UINT(g_autoScrollSec));
    }
    if (m_danceTimerStarted) {
        if (m_set.timerStop)
            ArmTimer(kTimerDance, UINT(m_danceTimerPeriod));
    } else {
        StartDanceTimer();
        ArmTimer(kTimerDance, UINT(m_danceTimerPeriod));
        m_danceTimerStarted = 1;
    }
    if (m_lyricsOnPlayCheck && !g_lyricsPath.empty()) {
        if (g_lyricsShowMode == 1) {
            if (!m_lyricsViewShown) {
                OnShowLyricsButton();
                ArmTimer(kTimerLyricsShown, 500);
            }
        } else {
            SendCommand(CMD_PLAY_STARTED);
        }
    }
    g_fadeInNextPlay = 0;
    UpdateStatusTexts();
    if (m_set.delaySingingCall > 0 && g_playing && ListTypeOf(m_currentList) == 2) {
        ArmTimer(kTimerDelayedStart, UINT(m_set.delaySingingCall) * 1000);
        BASS_ChannelPause(m_stream);
        if (g_cdgStream)
            BASS_ChannelPause(g_cdgStream);
    }
}

void CDlgMp3::Pause()
{
    if (!IsSongLoaded())
        return;
    if (m_set.alwaysFadeOut) {
        FadeOut();
        return;
    }
    if (m_set.timerStop)
        StopTimer(kTimerDance);
    EnableSourceCombos(true);
    ShowFadeInButton(true);
    KillPlayTimers();
    BASS_ChannelPause(m_stream);
    if (g_cdgStream)
        BASS_ChannelPause(g_cdgStream);
    NotifyMusicStopped();
    g_playing = 0;
    UpdateStatusTexts();
    ShowSongLists(true);
    if (m_set.jumpBack > 0)
        SeekTo(g_position - float(m_set.jumpBack));
    StartAutoBreakCount();
    SetPlayButtonIcon(true);
    if (m_set.activateOnStop)
        SendCommand(CMD_SHOW_MUSIC_PAGE);
}

void CDlgMp3::PlayPause()
{
    if (g_playing)
        Pause();
    else
        Play();
}

void CDlgMp3::StopAndRewind()
{
    if (!IsSongLoaded())
        return;
    if (m_set.timerStop)
        StopTimer(kTimerDance);
    EnableSourceCombos(true);
    KillPlayTimers();
    BASS_ChannelPause(m_stream);
    if (g_cdgStream)
        BASS_ChannelPause(g_cdgStream);
    ShowSongLists(true);
    NotifyMusicStopped();
    g_playing = 0;
    ShowFadeInButton(true);
    StartAutoBreakCount();
    SetPlayButtonIcon(true);
    if (m_set.timerRestart) {
        StopTimer(kTimerDance);
        ResetDanceTimer();
        if (m_danceTimerStarted && m_set.timerStop)
            ArmTimer(kTimerDance, UINT(m_danceTimerPeriod));
    }
    SeekTo(0);
    g_position = 0;
    g_sinceMarkerSeconds = 0;
    m_markerTimeLabel.SetText("0:00");
    SendTimerTick();
    MoveStreams(0);
    BASS_Start();
    SendCommand(CMD_SLIDER_RESTYLE);
    SendPosition();
    UpdateStatusTexts();
    RestoreFocus(1);
}

void CDlgMp3::PlayFromStart()
{
    if (!IsSongLoaded()) {
        RestoreFocus(1);
        return;
    }
    Pause();
    const bool restarts = m_set.restartMode == 0 || (m_set.restartMode == 1 && m_listType == 1);
    if (!m_set.resetTimerZero) {
        if (m_set.timerRestart) {
            StopTimer(kTimerDance);
            ResetDanceTimer();
        }
        if (m_danceTimerStarted && m_set.timerStop) {
            ArmTimer(kTimerDance, UINT(m_danceTimerPeriod));
        } else if (!m_danceTimerStarted && restarts) {
            StartDanceTimer();
            ArmTimer(kTimerDance, UINT(m_danceTimerPeriod));
            m_danceTimerStarted = 1;
        }
    }
    SeekTo(0);
    g_position = 0;
    g_playing = 0;
    g_sinceMarkerSeconds = 0;
    m_markerTimeLabel.SetText("0:00");
    SendTimerTick();
    MoveStreams(0);
    BASS_Start();
    if (restarts) {
        if (BASS_ChannelPlay(m_stream, FALSE)) {
            BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_VOL, float(g_songVolume) * 0.01f);
            g_playing = 1;
            EnableSourceCombos(false);
            ArmTimer(kTimerPoll, 200);
            SetPlayButtonIcon(false);
            ShowFadeInButton(false);
            StartMarkerTimers();
            NotifyMusicStarted();
            if (g_cdgStream)
                BASS_ChannelPlay(g_cdgStream, FALSE);
        } else {
            ShowBassError("Can't play stream");
        }
    }
    if (m_trackingCheck && m_trackPending && m_set.trackTime > 0) {
        StopTimer(kTimerTrackRow);
        ArmTimer(kTimerTrackRow, UINT(m_set.trackTime) * 1000);
    }
    SendPosition();
    UpdateStatusTexts();
    if (m_lyricsOnPlayCheck && m_set.restartMode != 2)
        if (CButtonST* b = Button(1243); b && b->m_hWnd && b->IsWindowVisible())
            SendCommand(CMD_SHOW_LYRICS_FORCED);
    RestoreFocus(1);
}

// ---- seeks

void CDlgMp3::SeekTo(float seconds)
{
    g_position = std::clamp(seconds, 0.0f, float(std::max(g_songLength, 0)));
    MoveStreams(g_position);
    if (!g_playing) {
        BASS_Pause();
        StopTimer(kTimerPoll);
    }
    if (m_positionLabel.m_hWnd)
        m_positionLabel.SetText(m_fn.SecondsToText(int(g_position)));
    SendPosition();
}

void CDlgMp3::SeekToPosition()
{
    g_position = std::clamp(g_position, 0.0f, float(std::max(g_songLength, 0)));
    MoveStreams(g_position);
    if (!g_playing) {
        BASS_Pause();
        StopTimer(kTimerPoll);
    }
    if (m_positionLabel.m_hWnd)
        m_positionLabel.SetText(m_fn.SecondsToText(int(g_position)));
    UpdateStatusTexts();
}

void CDlgMp3::JumpToMiddle()
{
    if (g_songLength > 0) {
        BASS_ChannelSetPosition(m_stream, BASS_ChannelSeconds2Bytes(m_stream, double(g_songLength / 2)), BASS_POS_BYTE);
        if (!g_playing)
            Play();
    }
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::Rewind()
{
    const bool stopped = !g_playing;
    g_position -= float(m_set.fastForwardRewind);
    SeekToPosition();
    if (stopped) {
        g_sinceMarkerSeconds -= m_set.fastForwardRewind;
        m_markerTimeLabel.SetText(m_fn.SecondsToText(g_sinceMarkerSeconds));
        SendTimerTick();
    }
    RestoreFocus(1);
}

void CDlgMp3::FastForward()
{
    const bool stopped = !g_playing;
    g_position += float(m_set.fastForwardRewind);
    SeekToPosition();
    if (stopped) {
        g_sinceMarkerSeconds += m_set.fastForwardRewind;
        m_markerTimeLabel.SetText(m_fn.SecondsToText(g_sinceMarkerSeconds));
        SendTimerTick();
    }
    RestoreFocus(1);
}

// ---- loop and autostart

void CDlgMp3::OnLoopToggle()
{
    m_loopCheck = m_loopCheck ? 0 : 1;
    m_db.SetSetting("music - loop", m_loopCheck ? "true" : "false", 1);
    if (m_hWnd)
        UpdateData(FALSE);
    UpdateStatusTexts();
    RestoreFocus(1);
}

// The check boxes flip themselves when clicked: the toggles start from the state before.
void CDlgMp3::OnLoopButton()
{
    UpdateData(TRUE);
    m_loopCheck = m_loopCheck ? 0 : 1;
    OnLoopToggle();
}

void CDlgMp3::OnAutostartButton()
{
    UpdateData(TRUE);
    m_autostartCheck = m_autostartCheck ? 0 : 1;
    OnAutostartToggle();
}

void CDlgMp3::OnAutostartToggle()
{
    m_autostartCheck = m_autostartCheck ? 0 : 1;
    m_db.SetSetting("music - autostart", m_autostartCheck ? "true" : "false", 1);
    if (m_hWnd)
        UpdateData(FALSE);
    RestoreFocus(1);
}

void CDlgMp3::SetAutoLoop()
{
    float autoStart = float(m_set.autoLoopStart), autoStop = float(m_set.autoLoopStop);
    if (g_songLength < 50)
        autoStart = autoStop = 1;
    if (g_songLength != 0) {
        g_loopStart = autoStart;
        g_loopEnd = float(g_songLength) - autoStop;
        m_loopStartLabel.SetText(m_fn.SecondsToText(int(g_loopStart)));
        m_loopEndLabel.SetText(m_fn.SecondsToText(int(g_loopEnd)));
        if (!m_loopCheck) {
            m_loopCheck = 1;
            m_db.SetSetting("music - loop", "true", 1);
            if (m_hWnd)
                UpdateData(FALSE);
        }
    }
    UpdateStatusTexts();
    RestoreFocus(1);
}

void CDlgMp3::SetLoopStartHere()
{
    g_loopStart = g_position;
    m_loopStartLabel.SetText(m_fn.SecondsToText(int(g_loopStart)));
    RestoreFocus(1);
}

void CDlgMp3::SetLoopStopHere()
{
    g_loopEnd = g_position;
    m_loopEndLabel.SetText(m_fn.SecondsToText(int(g_loopEnd)));
    RestoreFocus(1);
}

void CDlgMp3::UpdateStatusTexts()
{
    std::string dance(1, ' ');
    dance += m_fn.FileTitleFromPath(g_currentSongPath);
    if (m_trackingCheck)
        dance += " - Dancename: " + m_danceName;
    g_statusDanceText.swap(dance);
    g_statusPlayText = g_playing ? " Music playing" : " Music stopped";
    g_statusLoopText = m_loopCheck && g_loopEnd > 0 ? " Loop active" : " Loop not active";
    std::string tempo = " Tempo ";
    tempo += m_bpmLabel.GetText();
    g_statusTempoText.swap(tempo);
    SendCommand(CMD_UPDATE_STATUS_BAR);
}

// ---- the page's timers

void CDlgMp3::OnTimer(UINT_PTR id)
{
    // A tick of a timer that has been stopped meanwhile is dropped.
    if (id >= 100 || !m_timerIds[id])
        return;
    if (m_hWnd)
        UpdateData(TRUE);
    switch (id) {
    case kTimerRefocus: RestoreFocus(1); break;
    case kTimerPoll: PollPosition(); break;
    case kTimerFadeOut: EndFadeOut(); break;
    case kTimerJukeboxFade:
        StopTimer(kTimerJukeboxFade);
        JukeboxPlayNext();
        break;
    case kTimerDelayedStart:
        StopTimer(kTimerDelayedStart);
        BASS_ChannelPlay(m_stream, FALSE);
        if (g_cdgStream)
            BASS_ChannelPlay(g_cdgStream, FALSE);
        break;
    case kTimerAutoScroll: SendCommand(CMD_SCROLL_LYRICS); break;
    case kTimerTrackLabels:
    case kTimerLyricsShown:
        StopTimer(id);
        Invalidate();
        break;
    case kTimerMarkRow:
        StopTimer(kTimerMarkRow);
        MarkRow(m_currentList, m_currentRow, g_currentSongPath);
        break;
    case kTimerTrackRow:
        StopTimer(kTimerTrackRow);
        WriteTrackRow();
        break;
    case kTimerMarkerTime: MarkerTick(); break;
    case kTimerAudioRetry: OpenAudioDevice(); break;
    case kTimerDance: DanceTimerTick(); break;
    case kTimerAutoBreak: AutoBreakTick(); break;
    case kTimerBreakCheck: BreakCheckTick(); break;
    case kTimerDpiNotice: {
        StopTimer(kTimerDpiNotice);
        CDpiMsg notice(this);
        notice.DoModal();
        break;
    }
    default: break;
    }
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::PollPosition()
{
    g_position = float(BASS_ChannelBytes2Seconds(m_stream, BASS_ChannelGetPosition(m_stream, BASS_POS_BYTE)));
    m_positionLabel.SetText(m_fn.SecondsToText(int(g_position)));
    UpdateLevelMeter();
    SendPosition();
    if (g_breakTimerOpen && g_position > 0.5f)
        OnBreakButton();
    if (g_position >= g_keychangeTime && g_keychangeTime > 0 && g_keychangeSteps > 0 && !m_keychangeDone) {
        g_pitch += float(g_keychangeSteps);
        ApplyAttributes();
        m_keychangeDone = 1;
    }
    if (g_position > 5.0f && m_set.deletePlayedFiles && !m_playedRowRemoved) {
        RemovePlayedRow(m_currentList, g_currentSongPath);
        m_playedRowRemoved = 1;
    }
    if (m_loopCheck && g_position >= g_loopEnd && g_loopEnd > 1.0f) {
        MoveStreams(g_loopStart);
        ++m_loopCounter;
        if (m_set.loopCount > 0 && m_loopCounter >= m_set.loopCount)
            m_loopCheck = 0;
    }
    if (g_position >= float(g_songLength) ||
        (g_jukeboxMode > 0 && g_jukeboxShortPlay && g_position >= float(g_jukeboxShortTime)))
        EndOfSong();
}

void CDlgMp3::EndOfSong()
{
    if (m_set.timerStop)
        StopTimer(kTimerDance);
    SetPlayButtonIcon(true);
    StopTimer(kTimerPoll);
    g_playing = 0;
    ShowSongLists(true);
    UpdateStatusTexts();
    EnableSourceCombos(true);
    ShowFadeInButton(true);
    if (m_set.activateOnStop)
        SendCommand(CMD_SHOW_MUSIC_PAGE);
    if (g_jukeboxMode > 0)
        StartJukeboxFade();
    StartAutoBreakCount();
}

void CDlgMp3::EndFadeOut()
{
    for (UINT_PTR t : {kTimerFadeOut, kTimerPoll, kTimerAutoScroll, kTimerMarkerTime})
        StopTimer(t);
    BASS_ChannelPause(m_stream);
    if (g_cdgStream)
        BASS_ChannelPause(g_cdgStream);
    g_playing = 0;
    NotifyMusicStopped();
    EnableSourceCombos(true);
    ShowFadeInButton(true);
    SetPlayButtonIcon(true);
    if (m_set.timerStop)
        StopTimer(kTimerDance);
    ShowSongLists(true);
    UpdateStatusTexts();
}

void CDlgMp3::FadeOut()
{
    if (!IsSongLoaded())
        return;
    if (g_playing) {
        BASS_ChannelSlideAttribute(m_stream, BASS_ATTRIB_VOL, 0.0f, DWORD(m_set.fadeSeconds) * 1000);
        ArmTimer(kTimerFadeOut, UINT(std::max(1, m_set.fadeSeconds * 1000)));
        SendCommand(CMD_CARDS_NEXT);
        ShowFadeInButton(true);
        SetPlayButtonIcon(true);
    } else {
        g_fadeInNextPlay = 1;
        Play();
    }
    RestoreFocus(1);
}
