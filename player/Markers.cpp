#include "player/Markers.h"

#include "controls/ToolWindowInfos.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/PlayerGlobals.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

} // namespace

BEGIN_MESSAGE_MAP(CMarkers, CToolDialog)
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_BN_CLICKED(1148, OnPrevious)
    ON_BN_CLICKED(1147, OnNext)
    ON_BN_CLICKED(1149, OnMake)
    ON_BN_CLICKED(1150, OnDelete)
    ON_BN_CLICKED(1201, OnFlag)
    ON_BN_CLICKED(1089, OnComment)
    ON_BN_CLICKED(1200, OnSave)
    ON_BN_CLICKED(1144, OnAutoMemoryToggle)
    ON_BN_CLICKED(1145, OnLockToggle)
    ON_NOTIFY(NM_DBLCLK, 1146, OnListDoubleClick)
    ON_NOTIFY(NM_RCLICK, 1146, OnListRightClick)
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnFocusEditChange)
END_MESSAGE_MAP()

CMarkers::CMarkers(CWnd* parent)
    : CToolDialog(IDD, toolwindows::kMarkers, parent),
      m_markers(m_list, {false, [] { SendCommand(CMD_SAVE_SONG_SETTINGS); }})
{
}

void CMarkers::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1146, m_list);
    DDX_Control(dx, 1151, m_since);
    DDX_Control(dx, 1148, m_previous);
    DDX_Control(dx, 1147, m_next);
    DDX_Control(dx, 1149, m_make);
    DDX_Control(dx, 1150, m_delete);
    DDX_Check(dx, 1144, m_autoMemory);
    DDX_Check(dx, 1145, m_lock);
    DDX_Check(dx, 1152, m_fadeIn);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sink.text);
}

BOOL CMarkers::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    PlaceWindow();
    ApplyDialogColour();
    m_since.SetFontSize(72).SetFontBold(TRUE).SetAlignment(0x12).SetText("0:00");
    CMusicDb db;
    db.BeginBatch();
    const bool grid = db.GetSettingBool("music - gridlines", 0);
    m_markers.autoMemory = db.GetSettingBool("markers - automem", 0);
    m_markers.locked = db.GetSettingBool("markers - lock", 0);
    m_markers.fadeIn = db.GetSettingBool("markers - fadein", 0);
    m_markers.lockOffSelect = db.GetSettingBool("markers - lockoffsel", 0);
    m_markers.lockOnSelect = db.GetSettingBool("markers - lockonsel", 0);
    const std::string scroll = db.GetSetting("markers - scroll", 0);
    db.CommitBatch();
    m_markers.scrollAmount = scroll.empty() ? 10 : std::atoi(scroll.c_str());
    m_markers.SetUp("Markers , 60; int, 0; Comment, 110", grid);

    toolkit::CreateBalloonTips(m_tooltip, *this, {
        {1148, "Move to the previous marker"}, {1147, "Move to the next marker"},
        {1149, "Make a mark at the current position"}, {1150, "Delete the selected marker"},
        {1201, "Flag the row "}, {1200, "Save all the settings"}, {1089, "Add a comment to the marker"},
        {1145, "Lock markers"}, {1152, "Fade in the music on start"}, {1146, "List with the markers"},
    });
    LoadMarkers();
    if (g_playing)
        StartRefreshTimer();
    ParkFocus();
    return TRUE;
}

// The flags follow their check boxes; the fade-in box is the window's own.
void CMarkers::ReadControls()
{
    UpdateData(TRUE);
    m_markers.autoMemory = m_autoMemory != 0;
    m_markers.locked = m_lock != 0;
    m_markers.fadeIn = m_fadeIn != 0;
}

void CMarkers::LoadMarkers()
{
    m_markers.Load();
    m_autoMemory = m_markers.autoMemory;
    m_lock = m_markers.locked;
    m_fadeIn = m_markers.fadeIn;
    UpdateData(FALSE);
    Invalidate();
}

void CMarkers::StartRefreshTimer() { SetTimer(kRefreshTimer, 500); }

void CMarkers::OnTimer(UINT_PTR id)
{
    if (id != kRefreshTimer)
        return;
    if (!g_playing) {
        KillTimer(kRefreshTimer);
        return;
    }
    const int since = std::max(0, int(g_position) - m_markers.CurrentMarkerTime());
    m_since.SetText(MyFunctions().SecondsToText(since));
    ReadControls();
    m_markers.Track();
}

void CMarkers::OnPrevious()
{
    ReadControls();
    m_markers.Previous();
    ParkFocus();
}

void CMarkers::OnNext()
{
    ReadControls();
    m_markers.Next();
    ParkFocus();
}

void CMarkers::OnMake()
{
    ReadControls();
    m_markers.Make();
    ParkFocus();
}

void CMarkers::OnDelete()
{
    ReadControls();
    m_markers.Delete();
    ParkFocus();
}

void CMarkers::OnFlag()
{
    m_markers.ToggleFlag();
    ParkFocus();
}

void CMarkers::OnComment()
{
    m_markers.EditComment(this);
    ParkFocus();
}

void CMarkers::OnSave()
{
    SendCommand(CMD_SAVE_SONG_SETTINGS);
    ParkFocus();
}

void CMarkers::OnAutoMemoryToggle()
{
    m_autoMemory = m_autoMemory ? 0 : 1;
    m_markers.autoMemory = m_autoMemory != 0;
    CMusicDb().SetSetting("markers - automem", m_autoMemory ? "true" : "false", 1);
    ParkFocus();
}

void CMarkers::OnLockToggle()
{
    m_lock = m_lock ? 0 : 1;
    m_markers.locked = m_lock != 0;
    CMusicDb().SetSetting("markers - lock", m_lock ? "true" : "false", 1);
    ParkFocus();
}

void CMarkers::OnListDoubleClick(NMHDR*, LRESULT* result)
{
    ReadControls();
    m_markers.GoToSelected();
    *result = 0;
}

void CMarkers::OnListRightClick(NMHDR*, LRESULT* result)
{
    m_markers.ToggleFlag();
    *result = 0;
}

void CMarkers::HotkeyCommand(int command)
{
    ReadControls();
    switch (command) {
    case 0:
    case 1:
        if (m_markers.Count() > 0) {
            if (command == 1)
                SendCommand(CMD_PLAYER_LOOP_OFF);
            g_position = float(markers::Seconds(m_markers.TimeAt(m_markers.Count() - 1)));
            SendCommand(CMD_SEEK_TO_MARKER);
            SendCommand(CMD_PLAY_IF_STOPPED);
        }
        break;
    case 2: m_markers.Next(); break;
    case 3: m_markers.Previous(); break;
    case 4: m_markers.Make(); break;
    case 5: OnAutoMemoryToggle(); break;
    case 6: OnLockToggle(); break;
    default: break;
    }
}

BOOL CMarkers::PreTranslateMessage(MSG* msg)
{
    // Enter in the list goes to the selected marker; other keys reach the main window.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && msg->hwnd == m_list.m_hWnd) {
        ReadControls();
        m_markers.GoToSelected();
        return TRUE;
    }
    toolkit::RelayAndForwardKeys(m_tooltip, msg);
    return CToolDialog::PreTranslateMessage(msg);
}

void CMarkers::OnFocusEditChange() { m_sink.Empty(*this, IDC_FOCUS_SINK); }

void CMarkers::ApplyDialogColour()
{
    const COLORREF colour = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(colour);
    if (m_since.m_hWnd)
        m_since.SetBkColor(colour);
}

void CMarkers::PlaceWindow()
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    if (g_markersPosX > screenW - 300)
        g_markersPosX = screenW - 300;
    if (g_markersPosY > screenH - 200)
        g_markersPosY = screenH - 200;
    if (g_markersPosX < 0)
        g_markersPosX = 0;
    if (g_markersPosY < 0)
        g_markersPosY = 0;
    const int x = g_markersPosX, y = g_markersPosY;
    SetWindowPos(&wndTop, x, y, g_largeLayout ? 830 : 550, g_largeLayout ? 345 : 250, SWP_SHOWWINDOW);
}

void CMarkers::OnCancel() { CToolDialog::OnCancel(); }

void CMarkers::OnClose() { CToolDialog::OnClose(); }
