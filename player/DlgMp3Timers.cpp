// The dance timer of the music page (display 1037, ticking every half second:
// up from 0:00, or down from the level's time, the song's length or what is
// left of the song; red and a ding once over time) and the break timer that
// the page opens after the music stopped and closes when music plays.
#include "player/DlgMp3.h"

#include "platform/audio/PlaySound.h"
#include "platform/win/Resources.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>

namespace {

constexpr COLORREF kTimerNormal = RGB(0, 0, 255);
constexpr COLORREF kTimerRed = RGB(255, 0, 0);

} // namespace

int CDlgMp3::LevelTimerSeconds() const
{
    const int minutes = m_set.timerPerLevel && g_danceLevel >= 1 && g_danceLevel <= 10
                            ? m_set.timerLevelMinutes[g_danceLevel - 1]
                            : m_set.timerMinutes;
    return minutes * 60;
}

void CDlgMp3::ShowDanceTimer(int seconds, COLORREF colour)
{
    if (m_danceTimerLabel.m_hWnd)
        m_danceTimerLabel.SetTextColor(colour).SetText(m_fn.SecondsToText(seconds));
}

void CDlgMp3::StartDanceTimer()
{
    m_danceHalfTick = 0;
    m_danceCountUp = 0;
    m_danceCountDown = LevelTimerSeconds();
    m_danceLimit = LevelTimerSeconds();
    if (m_set.timerUp == 2)
        m_danceCountDown = g_songLength;
    else if (m_set.timerUp == 3)
        m_danceCountDown = g_songLength - int(g_position);
    ShowDanceTimer(m_set.timerUp == 0 ? 0 : m_danceCountDown, kTimerNormal);
}

void CDlgMp3::ResetDanceTimer()
{
    m_danceTimerStarted = 0;
    m_danceCountUp = 0;
    m_danceCountDown = LevelTimerSeconds();
    g_danceTimerSeconds = m_set.timerUp == 0 ? 0 : m_danceCountDown;
    ShowDanceTimer(g_danceTimerSeconds, kTimerNormal);
    g_danceTimerState = 1;
    SendCommand(CMD_TIMER_TICK);
    SendCommand(CMD_SLIDER_RESTYLE);
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::DanceTimerTick()
{
    if (m_danceHalfTick) {
        --m_danceCountDown;
        ++m_danceCountUp;
        m_danceHalfTick = 0;
    } else {
        m_danceHalfTick = 1;
    }
    const int type = m_set.timerUp;
    int shown = m_danceCountDown;
    if (type == 0)
        shown = m_danceCountUp;
    else if (type == 3)
        shown = g_songLength - int(g_position);
    g_danceTimerSeconds = shown;
    COLORREF colour = kTimerNormal;
    const bool overTime =
        ((type == 1 || type == 2) && m_danceCountDown < 0) || (type == 0 && m_danceCountUp > m_danceLimit);
    if (overTime) {
        if (m_set.timerRed) {
            if (m_danceBlink)
                colour = kTimerRed;
            m_danceBlink = m_danceBlink ? 0 : 1;
        }
        if (!m_danceAlarmDone && m_set.alarmPling) {
            m_danceAlarmDone = 1;
            // With "only hoedowns" a singing call runs over time quietly.
            if (!m_set.plingHoedown || m_listType == 1)
                PlayDing();
        }
    }
    g_danceTimerState = colour == kTimerRed ? 2 : 1;
    SendCommand(CMD_TIMER_TICK);
    ShowDanceTimer(shown, colour);
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::DanceTimerCommand(int kind)
{
    if (kind == 1) {
        m_set.timerUp = m_set.timerUp < 1 ? 1 : 0;
        m_db.SetSetting("music - timerup", std::to_string(m_set.timerUp), 1);
    } else if (kind == 2) {
        StopTimer(kTimerDance);
        ResetDanceTimer();
        if (g_playing) {
            StartDanceTimer();
            ArmTimer(kTimerDance, UINT(m_danceTimerPeriod));
            m_danceTimerStarted = 1;
        }
        if (m_set.resetTimerZero)
            m_danceAlarmDone = 0;
    }
}

void CDlgMp3::PlayDing()
{
    if (!g_dingPath.empty()) {
        SendCommand(CMD_PLAY_DING);
    } else {
        const std::string ding = win::LoadResourceData(401);
        if (!ding.empty())
            PlaySound(ding.data(), nullptr, SND_MEMORY | SND_ASYNC);
    }
    RestoreFocus(0);
}

// ---- break timer

void CDlgMp3::ToggleBreakTimer(int how)
{
    StopTimer(kTimerAutoBreak);
    if (g_breakTimerOpen) {
        SendCommand(CMD_BREAK_CLOSE);
        StopTimer(kTimerBreakCheck);
        return;
    }
    CButtonST* button = Button(1241);
    if (!g_playing && button && button->m_hWnd && button->IsWindowVisible()) {
        SendCommand(how == 1 ? CMD_BREAK_OPEN_AUTO : CMD_BREAK_OPEN);
        ArmTimer(kTimerBreakCheck, 1000);
    }
}

void CDlgMp3::OnBreakButton()
{
    ToggleBreakTimer(2);
    RestoreFocus(1);
}

void CDlgMp3::OnBreakMinutesChanged()
{
    UpdateData(TRUE);
    m_db.BeginBatch();
    m_db.SetSetting("music - pausemin", std::to_string(m_breakMinutes), 0);
    m_db.CommitBatch();
}

void CDlgMp3::AutoBreakTick()
{
    ++m_autoBreakCount;
    if (m_autoBreakCount > m_set.autoBreakMinutes * 60)
        ToggleBreakTimer(1);
}

void CDlgMp3::BreakCheckTick()
{
    // A break window closed by hand leaves nothing to check.
    if (!g_breakTimerOpen) {
        StopTimer(kTimerBreakCheck);
        return;
    }
    if (g_breakSecondsLeft >= 0 || !(m_set.pauseStart || m_set.afterBreakFromQueue))
        return;
    OnBreakButton();
    if (m_set.afterBreakFromQueue) {
        const size_t queued = m_queue.size();
        PlayNextQueued();
        if (m_queue.size() < queued && !g_playing)
            Play();
    } else {
        PlayPause();
    }
}
