#include "app/BreakTime.h"
#include "controls/ToolWindowInfos.h"

#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "platform/audio/PlaySound.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Resources.h"
#include "platform/win/WidgetAccess.h"

#include <string>

namespace {

constexpr UINT_PTR kTick = 1;
constexpr int kDisplay = 1125;

std::function<void()>& alertPlayer()
{
    static std::function<void()> player;
    return player;
}

} // namespace

BEGIN_MESSAGE_MAP(CBreakTime, CToolDialog)
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CBreakTime::CBreakTime(CWnd* parent) : CToolDialog(IDD, toolwindows::kBreakTime, parent) {}

void CBreakTime::SetAlertPlayer(std::function<void()> player) { alertPlayer() = std::move(player); }

void CBreakTime::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, kDisplay, m_display);
}

BOOL CBreakTime::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    g_breakTimerOpen = 1;
    g_breakSecondsLeft = 0;
    m_minutes = 0;
    m_alert = 0;
    ApplyColors();
    m_display.SetTextColor(RGB(0, 0, 0))
        .SetFontSize(80)
        .SetFontBold(TRUE)
        .SetAlignment(CNewLabel::kCentre | CNewLabel::kVCentre)
        .SetText("0:00");
    PlaceWindow();
    return TRUE;
}

void CBreakTime::Start(bool automatic)
{
    int shortenBy = 0;
    m_db.BeginBatch();
    m_minutes = m_db.GetSettingInt("music - pausemin", 0);
    m_musicPath = m_db.GetSetting("music - pausepath", 0);
    m_alert = m_db.GetSettingBool("music - pausepling", 0) ? 1 : 0;
    if (automatic)
        shortenBy = m_db.GetSettingInt("music - autobreaktime", 0);
    m_db.CommitBatch();
    g_breakSecondsLeft = (m_minutes - shortenBy) * 60;
    m_display.SetText(m_fn.SecondsToText(g_breakSecondsLeft));
    KillTimer(kTick);
    SetTimer(kTick, 1000);
}

void CBreakTime::AdjustMinute(bool add)
{
    g_breakSecondsLeft += add ? 60 : -60;
}

void CBreakTime::ReloadSettings()
{
    m_db.BeginBatch();
    m_minutes = m_db.GetSettingInt("music - pausemin", 0);
    m_alert = m_db.GetSettingBool("music - pausepling", 0) ? 1 : 0;
    m_musicPath = m_db.GetSetting("music - pausepath", 0);
    m_db.CommitBatch();
    ApplyColors();
}

void CBreakTime::PlaceWindow()
{
    const bool large = g_largeLayout != 0;
    MakePlaceUsable({large ? 300 : 254, large ? 150 : 130});
    SetWindowPos(&wndTopMost, g_breakPosX, g_breakPosY, large ? 300 : 254, large ? 150 : 130, SWP_SHOWWINDOW);
    ShowWindow(SW_SHOW);
}

void CBreakTime::ApplyColors()
{
    const COLORREF back = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(back);
    if (m_display.m_hWnd)
        m_display.SetBkColor(back);
}

void CBreakTime::OnTimer(UINT_PTR id)
{
    if (id != kTick)
        return;
    --g_breakSecondsLeft;
    m_display.SetText(m_fn.SecondsToText(g_breakSecondsLeft));
    if (g_breakSecondsLeft == 0 && m_alert) {
        m_display.SetTextColor(RGB(255, 0, 0));
        SignalBreakEnd();
    }
}

void CBreakTime::SignalBreakEnd()
{
    if (!m_musicPath.empty()) {
        SendCommand(CMD_PLAY_BREAK_MUSIC);
        return;
    }
    if (alertPlayer()) {
        alertPlayer()();
        return;
    }
    // The program's own alert sound, wave resource 401.
    const std::string ding = win::LoadResourceData(401);
    if (ding.empty() || !PlaySound(ding.data(), nullptr, SND_MEMORY | SND_ASYNC))
        win::Beep();
}

BOOL CBreakTime::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN) {
        const HWND self = m_hWnd;
        SendCommand(UINT(msg->wParam));
        // The main window may have closed the timer on that key.
        if (CWnd::FromHandle(self) != this)
            return TRUE;
    }
    return CToolDialog::PreTranslateMessage(msg);
}

void CBreakTime::EndCount()
{
    // Nothing runs on below zero behind a closed window.
    KillTimer(kTick);
    g_breakTimerOpen = 0;
    g_breakSecondsLeft = 0;
}

void CBreakTime::OnCancel()
{
    EndCount();
    CToolDialog::OnCancel();
}

void CBreakTime::OnClose()
{
    EndCount();
    CToolDialog::OnClose();
}
