// The music page's markers panel: the song's markers in list 1146, and the
// hotkey functions of the markers while the markers are a panel.
#include "player/DlgMp3.h"

#include "player/MarkerList.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>

CMarkerList& CDlgMp3::PanelMarkers()
{
    if (!m_panelMarkers) {
        // The page's "next" only moves forward; auto memory saves the song's row at once.
        m_panelMarkers = std::make_shared<CMarkerList>(
            m_markersList, CMarkerList::Options{true, [this] { m_db.SaveSongSettings(g_currentSongPath, 1); }});
        CMarkerList& m = *m_panelMarkers;
        m.autoMemory = m_set.markersAutoMemory != 0;
        m.locked = m_set.markersLock != 0;
        m.fadeIn = m_set.markersFadeIn != 0;
        m.lockOffSelect = m_set.markersLockOffSel != 0;
        m.lockOnSelect = m_set.markersLockOnSel != 0;
        m.scrollAmount = m_set.markersScroll > 0 ? m_set.markersScroll : 10;
    }
    return *m_panelMarkers;
}

void CDlgMp3::LoadSongMarkers()
{
    CMarkerList& m = PanelMarkers();
    m.Load();
    m_autoMemoryCheck = m.autoMemory;
    m_lockCheck = m.locked;
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::MarkerCommand(int command)
{
    CMarkerList& m = PanelMarkers();
    switch (command) {
    case 0:
    case 1:
        if (m.Count() > 0) {
            if (command == 1 && m_loopCheck)
                OnLoopToggle();
            SeekTo(float(markers::Seconds(m.TimeAt(m.Count() - 1))));
            if (!g_playing)
                Play();
        }
        break;
    case 2: NextMarker(); break;
    case 3: PreviousMarker(); break;
    case 4: MakeMarker(); break;
    case 5: OnAutoMemoryToggle(); break;
    case 6: OnLockToggle(); break;
    default: break;
    }
    RestoreFocus(1);
}

// ---- the panel's buttons and list

namespace {

// Controls the panel takes the place of: loop, autostart, lyrics on play, and the
// pitch, speed and volume sliders with their labels.
constexpr UINT kLoopArea[] = {1248, 1249, 1250, 1032, 1233, 1234, 1022, 1023, 1064, 1071,
                              1029, 1030, 1031, 1039, 1040, 1041, 1025, 1026, 1027};
constexpr UINT kPanel[] = {1146, 1274, 1273, 1253, 1254, 1275, 1276, 1144, 1145, 1152, 1151};

struct Tip {
    UINT id;
    const char* text;
};
constexpr Tip kPanelTips[] = {
    {1273, "Move to the previous marker"},
    {1274, "Move to the next marker"},
    {1253, "Make a mark at the current position"},
    {1254, "Delete the selected marker"},
    {1275, "Flag the selected marker"},
    {1276, "Add a comment to the selected marker"},
    {1144, "Auto memory for markers"},
    {1145, "Lock markers"},
    {1152, "Fade in on play"},
};
constexpr Tip kLoopTips[] = {
    {1248, "Auto values for the loop"},
    {1249, "Set start value for the loop"},
    {1250, "Set stop value for the loop"},
    {1262, "Start value for the keychange"},
    {1064, "Toggle autostart on/off"},
    {1071, "Toggle show lyrics on play on/off"},
    {1032, "Toggle loop on/off"},
};

} // namespace

void CDlgMp3::SwapMarkerTips(bool panel)
{
    if (!m_tooltip.m_hWnd)
        return;
    auto remove = [this](const auto& tips) {
        for (const Tip& t : tips)
            if (CWnd* w = GetDlgItem(t.id))
                m_tooltip.RemoveTool(w);
    };
    remove(kPanelTips);
    remove(kLoopTips);
    auto add = [this](const auto& tips) {
        for (const Tip& t : tips)
            if (CWnd* w = GetDlgItem(t.id))
                m_tooltip.AddTool(w, t.text);
    };
    if (panel)
        add(kPanelTips);
    else
        add(kLoopTips);
}

void CDlgMp3::ShowMarkersPanel(bool show, bool skipLayout)
{
    m_markersPanelShown = show;
    m_keychangeArea = show ? 0 : 1;
    if (m_hWnd) {
        for (UINT id : kLoopArea)
            if (CWnd* w = GetDlgItem(id))
                w->ShowWindow(show ? SW_HIDE : SW_SHOW);
        for (UINT id : kPanel)
            if (CWnd* w = GetDlgItem(id))
                w->ShowWindow(show ? SW_SHOW : SW_HIDE);
        CheckDlgButton(1152, PanelMarkers().fadeIn ? BST_CHECKED : BST_UNCHECKED);
        SwapMarkerTips(show);
    }
    if (show)
        StartMarkerTimers();
    else
        StopTimer(kTimerMarkerTime);
    if (!skipLayout) {
        ApplyLayout();
        RestoreFocus(1);
    }
}

void CDlgMp3::MarkerTick()
{
    CMarkerList& m = PanelMarkers();
    g_sinceMarkerSeconds = std::max(0, int(g_position) - m.CurrentMarkerTime());
    m_markerTimeLabel.SetText(m_fn.SecondsToText(g_sinceMarkerSeconds));
    m.Track();
    if (!g_playing)
        StopTimer(kTimerMarkerTime);
}

// The page's previous and next also restart the time since the marker.
void CDlgMp3::MoveToMarker(bool next)
{
    if (next)
        PanelMarkers().Next();
    else
        PanelMarkers().Previous();
    g_sinceMarkerSeconds = 0;
    m_markerTimeLabel.SetText("0:00");
    SendCommand(CMD_TIMER_TICK);
    RestoreFocus(1);
}

void CDlgMp3::PreviousMarker() { MoveToMarker(false); }
void CDlgMp3::NextMarker() { MoveToMarker(true); }

void CDlgMp3::MakeMarker()
{
    PanelMarkers().Make();
    RestoreFocus(1);
}

void CDlgMp3::DeleteMarkers()
{
    PanelMarkers().Delete();
    RestoreFocus(1);
}

void CDlgMp3::ToggleMarkerFlag()
{
    PanelMarkers().ToggleFlag();
    RestoreFocus(1);
}

void CDlgMp3::EditMarkerComment()
{
    PanelMarkers().EditComment(this);
    RestoreFocus(1);
}

void CDlgMp3::GoToSelectedMarker()
{
    PanelMarkers().GoToSelected();
    RestoreFocus(1);
}

void CDlgMp3::OnMarkerListDoubleClick(NMHDR*, LRESULT* result)
{
    GoToSelectedMarker();
    *result = 0;
}

void CDlgMp3::OnMarkerListRightClick(NMHDR*, LRESULT* result)
{
    ToggleMarkerFlag();
    *result = 0;
}

namespace {

void FlipAndStore(CMusicDb& db, bool& flag, const char* key)
{
    flag = !flag;
    db.SetSetting(key, flag ? "true" : "false", 1);
}

} // namespace

void CDlgMp3::OnAutoMemoryToggle()
{
    CMarkerList& m = PanelMarkers();
    FlipAndStore(m_db, m.autoMemory, "markers - automem");
    m_autoMemoryCheck = m.autoMemory;
    RestoreFocus(1);
}

void CDlgMp3::OnLockToggle()
{
    CMarkerList& m = PanelMarkers();
    FlipAndStore(m_db, m.locked, "markers - lock");
    m_lockCheck = m.locked;
    RestoreFocus(1);
}

void CDlgMp3::OnFadeInToggle()
{
    CMarkerList& m = PanelMarkers();
    FlipAndStore(m_db, m.fadeIn, "markers - fadein");
    if (m_hWnd)
        CheckDlgButton(1152, m.fadeIn ? BST_CHECKED : BST_UNCHECKED);
    RestoreFocus(1);
}
