// The furniture of the main window and the end of its life: the status bar,
// the position slider, the tool windows it keeps (reported closed and
// forgotten), the refreshes of open tool windows, the help file, and the
// window state saved at shutdown.
#include "app/MirtalDlg.h"
#include "app/MirtalDlgPlaces.h"

#include "app/Calls.h"
#include "controls/ToolWindowInfos.h"
#include "store/ResourceIds.h"

#include <vector>
#include "store/CommandCodes.h"
#include "app/ComputerCards.h"
#include "app/BreakTime.h"
#include "app/ModelessLyrics.h"
#include "app/MusicControl.h"
#include "app/SquareID.h"
#include "app/TagsDlg.h"
#include "app/Timer.h"
#include "app/TimerMarkers.h"
#include "app/ViewHotkeys.h"
#include "managers/ToolsChoreo.h"
#include "managers/ToolsMarry.h"
#include "managers/ToolsMemory.h"
#include "managers/ToolsMusic.h"
#include "managers/ToolsPlaylist.h"
#include "managers/ToolsTrack.h"
#include "platform/win/Menu.h"
#include "player/Equalizer.h"
#include "player/JukeBox.h"
#include "player/Karaoke.h"
#include "player/Markers.h"
#include "store/PlayerGlobals.h"
#include "player/Record.h"
#include "store/StoreGlobals.h"
#include "texts/CueSheet.h"
#include "texts/DlgEdit.h"
#include "texts/SqRecord.h"

namespace {
constexpr UINT kPositionSliderId = 1002;
} // namespace

// ---- status bar and position slider ---------------------------------------------------------

void CMirtalDlg::UpdateStatusBar()
{
    // Runs at every status change while a song plays: texts only.
    if (m_statusBar.m_hWnd) {
        const std::string* texts[] = {&g_statusDanceText, &g_statusPlayText, &g_statusTempoText, &g_statusLoopText,
                                      &g_statusRecordText};
        for (int i = 0; i < 5; ++i)
            m_statusBar.SetPaneText(i, *texts[i], TRUE);
    }
    RefreshMusicControl();
    UpdateData(FALSE);
}

void CMirtalDlg::SetPositionRange(int seconds)
{
    m_slider.SetRange(0, seconds, FALSE);
    m_slider.SetPos(0);
    UpdateData(FALSE);
}

void CMirtalDlg::ShowPosition()
{
    m_slider.SetPos(int(g_position)); // whole seconds, cut towards zero
    UpdateData(FALSE);
}

LRESULT CMirtalDlg::OnPositionSliderMoved(WPARAM id, LPARAM)
{
    // The song follows the thumb while it is dragged.
    if (id == kPositionSliderId)
        m_dlgMp3.SeekTo(float(m_slider.GetPos()));
    return 0;
}

// ---- tool windows ---------------------------------------------------------------------------

void CMirtalDlg::CheckViewItem(UINT itemId, UINT check)
{
    if (CMenu* menu = GetMenu())
        menu->CheckMenuItem(itemId, MF_BYCOMMAND | check);
}

const std::vector<CMirtalDlg::ToolWindowEntry>& CMirtalDlg::ToolWindows()
{
    static const std::vector<ToolWindowEntry> table = {
        {toolwindows::kJukebox, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_jukebox; }},
        {toolwindows::kRecorder, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_recorder; }},
        {toolwindows::kTimer, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_timerWindow; }},
        {toolwindows::kMarkers, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_markers; }},
        {toolwindows::kSquareId, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_squareId; }},
        {toolwindows::kCalls, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_calls; }},
        {toolwindows::kEqualizer, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_equalizer; }},
        {toolwindows::kMusicManager, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_musicManager; }},
        {toolwindows::kPlaylistManager, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_playlistManager; }},
        {toolwindows::kChoreoManager, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_choreoManager; }},
        {toolwindows::kMemoryManager, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_memoryManager; }},
        {toolwindows::kTrackManager, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_trackManager; }},
        {toolwindows::kMarryLyrics, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_marryManager; }},
        {toolwindows::kCueSheets, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_cueSheet; }},
        {toolwindows::kRecordDatabase, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_recordDb; }},
        {toolwindows::kCards, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_cards; }},
        {toolwindows::kMusicControl, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_musicControl; }},
        {toolwindows::kHotkeys, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_hotkeysView; }},
        {toolwindows::kKaraoke, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_karaoke; }},
        {toolwindows::kTags, [](CMirtalDlg& d) -> ToolSlotBase& { return d.m_tags; }},
    };
    return table;
}

ToolSlotBase* CMirtalDlg::ToolSlotOfItem(UINT itemId)
{
    for (const ToolWindowEntry& e : ToolWindows())
        if (e.info.menuId == itemId)
            return &e.slot(*this);
    return nullptr;
}

void CMirtalDlg::OnToolWindowClosed(UINT code)
{
    for (const ToolWindowEntry& e : ToolWindows()) {
        if (e.info.closedCode != code)
            continue;
        CheckViewItem(e.info.menuId, MF_UNCHECKED);
        // A report for a window that is already gone only clears the mark.
        e.slot(*this).Destroy();
        if (code == CMD_TIMER_CLOSED)
            g_timerVisible = 0;
        if (code == CMD_MARKERS_CLOSED)
            m_dlgMp3.ShowMarkersPanel(false, false);
        return;
    }
}

void CMirtalDlg::RefreshTags()
{
    if (CTagsDlg* tags = m_tags.Get())
        tags->ShowTags(tags->ReadTags(g_currentSongPath));
}

void CMirtalDlg::RefreshEqualizer()
{
    if (CEqualizer* eq = m_equalizer.Get())
        eq->RefreshControls();
}

void CMirtalDlg::ReloadMarkers()
{
    m_dlgMp3.LoadSongMarkers();
    if (CMarkers* markers = m_markers.Get())
        markers->LoadMarkers();
}

void CMirtalDlg::StartMarkersTimer()
{
    if (CMarkers* markers = m_markers.Get())
        markers->StartRefreshTimer();
}

void CMirtalDlg::ShowTimerTick()
{
    // Comes with every tick of the dance timer: texts only.
    if (CTimer* timer = m_timerWindow.Get()) {
        timer->SetTime(m_fn.SecondsToText(g_danceTimerSeconds));
        timer->SetState(g_danceTimerState);
    }
    if (CTimerMarkers* bar = m_markerTimer.Get()) {
        bar->SetTimes(m_fn.SecondsToText(g_danceTimerSeconds), m_fn.SecondsToText(g_sinceMarkerSeconds));
        bar->SetState(g_danceTimerState);
    }
    if (g_danceTimerState == 2)
        SetSliderStyle(3);
    UpdateData(FALSE);
}

// ---- help -------------------------------------------------------------------------------------

void CMirtalDlg::OpenHelpFile() { m_fn.OpenDocument(m_fn.AddBackslash(g_baseFolder) + "Mirtal.chm"); }

BOOL CMirtalDlg::OnHelpInfo(HELPINFO*)
{
    OpenHelpFile();
    return FALSE;
}

// ---- shutdown ------------------------------------------------------------------------------------

void CMirtalDlg::SaveWindowState()
{
    // All of it in one transaction: either the whole state is stored or none of it.
    m_musicDb.BeginBatch();
    m_markersPanel = 0;
    m_musicDb.SetSetting("markers - visible", "false", 0);
    for (int list = 0; list < 3; ++list)
        for (int column = 0; column < 5; ++column)
            m_musicDb.SetSetting(mainplaces::ColumnWidthKey(list, column),
                                 std::to_string(*mainplaces::kColumnWidths[list][column]), 0);
    for (const mainplaces::Place& place : mainplaces::kPlaces)
        m_musicDb.SetSetting(place.key, std::to_string(*place.value), 0);
    m_musicDb.SetSetting("general - tooltip", g_tooltipsOn ? "true" : "false", 0);
    m_musicDb.SetSetting("music - timervisible", g_timerVisible ? "true" : "false", 0);
    m_musicDb.CommitBatch();
}

void CMirtalDlg::OnDestroy()
{
    RemoveSongSettingsNotifier();
    WaitForBackup();
    // A start that failed read nothing worth keeping.
    if (!m_startupFailed) {
        try {
            SaveWindowState();
        } catch (const std::exception& e) {
            // The window goes anyway; the old state stays stored.
            m_musicDb.AbortBatch();
            m_fn.WriteLog(std::string("The window state could not be stored: ") + e.what());
        }
    }
    CDialogEx::OnDestroy();

    ToolSlotBase* const order[] = {
        &m_hotkeysView,  &m_musicControl, &m_editor,   &m_memoryManager, &m_musicManager, &m_playlistManager,
        &m_choreoManager, &m_trackManager, &m_marryManager, &m_cueSheet, &m_recorder,  &m_timerWindow,
        &m_calls,        &m_karaoke,      &m_lyricsWindow1, &m_lyricsWindow2, &m_jukebox, &m_markers,
        &m_recordDb,     &m_squareId,     &m_equalizer, &m_breakTimer,   &m_cards,        &m_tags,
        &m_markerTimer,
    };
    for (ToolSlotBase* slot : order)
        slot->Destroy();
}
