// The main menu (195): the tool windows of View and Tools, the Options
// dialogs and what follows them, Change Program, Fixed BPM, Pitch Adjustment,
// Checkers and the music combos. Every command arrives through OnCommand,
// which keeps a database error inside the command.
#include "app/MirtalDlg.h"
#include "store/ResourceIds.h"

#include "app/Calls.h"
#include "app/ComputerCards.h"
#include "app/Global.h"
#include "app/MusicControl.h"
#include "app/MyTool.h"
#include "app/SquareID.h"
#include "app/TagsDlg.h"
#include "app/Timer.h"
#include "app/ViewHotkeys.h"
#include "managers/ToolsChoreo.h"
#include "managers/ToolsMarry.h"
#include "managers/ToolsMemory.h"
#include "managers/ToolsMusic.h"
#include "managers/ToolsPlaylist.h"
#include "managers/ToolsTrack.h"
#include "options/OptionChoreo.h"
#include "options/OptionHotkeys.h"
#include "options/OptionLyrics.h"
#include "platform/win/Menu.h"
#include "player/Equalizer.h"
#include "player/JukeBox.h"
#include "player/Karaoke.h"
#include "player/Markers.h"
#include "player/OutputDevice.h"
#include "store/PlayerGlobals.h"
#include "player/Record.h"
#include "texts/CueSheet.h"
#include "texts/SqRecord.h"

namespace {

constexpr UINT kFixedBpmListFirst = 32949;  // "Enable Listbox 1" .. 3
constexpr UINT kFixedBpmValueFirst = 32952; // "122" .. "132"
constexpr UINT kPitchListFirst = 32971;     // "Enable Listbox 1" .. 3
constexpr UINT kPitchValueFirst = 32984;    // "+5" .. "+1", then "-1" .. "-5"
constexpr UINT kCommandSinkId = IDC_FOCUS_SINK;

enum class Toggled { Created, Hidden, Shown, Failed };

// Creates the window on first use, else hides a visible one or shows a hidden
// one; the item's check mark follows. setUp runs between creation and showing.
template <class T, class SetUp>
Toggled toggle(CMirtalDlg& dlg, ToolSlot<T>& slot, UINT item, SetUp&& setUp)
{
    if (!slot) {
        T* w = slot.Create(&dlg);
        if (!w)
            return Toggled::Failed;
        setUp(*w);
        w->ShowWindow(SW_SHOW);
        w->UpdateWindow();
        dlg.CheckViewItem(item, MF_CHECKED);
        return Toggled::Created;
    }
    if (slot.IsVisible()) {
        slot->ShowWindow(SW_HIDE);
        dlg.CheckViewItem(item, MF_UNCHECKED);
        return Toggled::Hidden;
    }
    slot->ShowWindow(SW_SHOW);
    dlg.CheckViewItem(item, MF_CHECKED);
    return Toggled::Shown;
}

// The record search's "vapkern": another text-case tool each time, owned by the search window.
void openTextCaseTool(CWnd& parent)
{
    auto* tool = new toolwin::Owned<CMyTool>(&parent);
    if (!tool->Create(CMyTool::IDD, &parent)) {
        if (tool->m_hWnd)
            tool->DestroyWindow();
        delete tool;
        return;
    }
    tool->Adopt();
    tool->ShowWindow(SW_SHOW);
    tool->UpdateWindow();
}

template <class T>
Toggled toggle(CMirtalDlg& dlg, ToolSlot<T>& slot, UINT item)
{
    return toggle(dlg, slot, item, [](T&) {});
}

// The window's own hidden command sink takes the keyboard focus.
template <class T>
void focusOwnSink(ToolSlot<T>& slot, Toggled result)
{
    if (result != Toggled::Created)
        return;
    if (CWnd* sink = slot->GetDlgItem(kCommandSinkId))
        sink->SetFocus();
}

} // namespace

// ---- View and Tools -------------------------------------------------------------------------

void CMirtalDlg::OnToolWindowItem(UINT id) { ToggleToolWindow(id); }

void CMirtalDlg::ToggleToolWindow(UINT itemId)
{
    switch (itemId) {
    case ID_VIEW_JUKEBOX: focusOwnSink(m_jukebox, toggle(*this, m_jukebox, itemId)); break;
    case ID_VIEW_RECORDER: toggle(*this, m_recorder, itemId); break;
    case ID_VIEW_TIMER: {
        const Toggled t = toggle(*this, m_timerWindow, itemId);
        if (t != Toggled::Failed)
            g_timerVisible = t == Toggled::Hidden ? 0 : 1;
        UpdateData(FALSE);
        return;
    }
    case ID_VIEW_MARKERS: OnViewMusicMarkers(); return;
    case ID_VIEW_SQUAREID: toggle(*this, m_squareId, itemId); break;
    case ID_VIEW_CALLS:
        if (toggle(*this, m_calls, itemId) == Toggled::Created)
            m_calls->LoadCalls();
        break;
    case ID_VIEW_EQUALIZER: toggle(*this, m_equalizer, itemId); break;
    case ID_TOOLS_MUSIC_MANAGER: toggle(*this, m_musicManager, itemId); break;
    case ID_TOOLS_PLAYLIST_MANAGER: toggle(*this, m_playlistManager, itemId); break;
    case ID_TOOLS_CHOREO_MANAGER: toggle(*this, m_choreoManager, itemId); break;
    case ID_TOOLS_MEMORY_MANAGER: toggle(*this, m_memoryManager, itemId); break;
    case ID_TOOLS_TRACK_MANAGER: focusOwnSink(m_trackManager, toggle(*this, m_trackManager, itemId)); break;
    case ID_TOOLS_MARRY_LYRICS: toggle(*this, m_marryManager, itemId); break;
    case ID_TOOLS_CUESHEETS: toggle(*this, m_cueSheet, itemId); break;
    case ID_TOOLS_RECORD_DATABASE:
        toggle(*this, m_recordDb, itemId, [](CSqRecord& w) { w.SetTextCaseToolOpener(openTextCaseTool); });
        break;
    case ID_VIEW_CARDS: toggle(*this, m_cards, itemId); break;
    case ID_VIEW_MUSIC_CONTROL: toggle(*this, m_musicControl, itemId); break;
    case ID_VIEW_HOTKEYS: toggle(*this, m_hotkeysView, itemId); break;
    case ID_VIEW_KARAOKE:
        toggle(*this, m_karaoke, itemId, [](CKaraoke& w) { w.PlaceWindow(); });
        UpdateData(FALSE);
        return;
    case ID_VIEW_TAGS: toggle(*this, m_tags, itemId); break;
    default: return;
    }
    ParkFocus();
}

void CMirtalDlg::OnViewMusicMarkers()
{
    if (g_markersShow == 0) {
        const Toggled t = toggle(*this, m_markers, 32806);
        focusOwnSink(m_markers, t);
        if (t == Toggled::Created || t == Toggled::Shown)
            m_dlgMp3.MusicAction(22);
        else if (t == Toggled::Hidden)
            m_dlgMp3.MusicAction(23);
    } else {
        // The markers are a panel of the music page; the item keeps its mark.
        ToggleMarkerPanel();
    }
    ParkFocus();
}

// ---- Change Program ------------------------------------------------------------------------

void CMirtalDlg::OnChangeProgram(UINT id) { SetLevel(int(id - 32786)); }

// ---- Options --------------------------------------------------------------------------------

void CMirtalDlg::OnOptionsUserSettings()
{
    CGlobal settings;
    if (settings.DoModal() == IDOK)
        ApplySettings();
}

void CMirtalDlg::OnOptionsLyrics()
{
    COptionLyrics options;
    if (options.DoModal() != IDOK)
        return;
    ApplySettings();
    WriteCssToLyricsFolders();
}

void CMirtalDlg::OnOptionsChoreography()
{
    COptionChoreo options;
    if (options.DoModal() != IDOK)
        return;
    for (int n = 0; n < m_pageCount - 2; ++n)
        m_dlgList[size_t(n)].SetFontReload(true);
    m_musicDb.BeginBatch();
    for (int level = 1; level <= 10; ++level) {
        const std::string name = m_musicDb.GetSetting(m_fn.LevelCode(level) + " - levelname", 0);
        m_levelTitles[size_t(level - 1)] = name;
        m_levelMenuNames[size_t(level - 1)] = name;
    }
    m_musicDb.CommitBatch();
    WriteChoreoCss();
    ApplyLevelNames();
    SetLevel(g_danceLevel);
}

void CMirtalDlg::OnOptionsHotkeys()
{
    COptionHotkeys options;
    if (options.DoModal() != IDOK)
        return;
    LoadHotkeyTable();
    if (CViewHotkeys* view = m_hotkeysView.Get())
        view->BuildText();
}

void CMirtalDlg::SelectOutputDevice()
{
    const int before = g_outputDevice;
    COutputDevice choice;
    if (choice.DoModal() != IDOK)
        return;
    g_outputDevice = m_musicDb.GetSettingInt("music - outputdevice", 1);
    if (g_outputDevice != before)
        m_dlgMp3.RestartAudio();
}

// ---- Fixed BPM and Pitch Adjustment ------------------------------------------------------------
// The setting is stored first: when that fails the switch and its mark stay
// as they were, so the menu and the stored settings always agree.

void CMirtalDlg::OnFixedBpmListItem(UINT id) { ToggleFixedBpmList(int(id - kFixedBpmListFirst) + 1); }
void CMirtalDlg::OnFixedBpmValueItem(UINT id) { SetFixedBpmValue(int(id - kFixedBpmValueFirst) + 122); }
void CMirtalDlg::OnPitchListItem(UINT id) { TogglePitchList(int(id - kPitchListFirst) + 1); }

void CMirtalDlg::OnPitchValueItem(UINT id)
{
    const int index = int(id - kPitchValueFirst); // 0..4 are +5..+1, 5..9 are -1..-5
    SetPitchValue(index < 5 ? 5 - index : 4 - index);
}

void CMirtalDlg::ToggleFixedBpmList(int list)
{
    static const char* const keys[] = {"music - fixbpm", "music - fixbpm2", "music - fixbpm3"};
    if (list < 1 || list > 3)
        return;
    const int on = m_fixBpm[size_t(list - 1)] ? 0 : 1;
    if (!StoreSetting("The Fixed BPM switch could not be stored.", keys[list - 1], on ? "true" : "false"))
        return;
    m_fixBpm[size_t(list - 1)] = on;
    CheckViewItem(kFixedBpmListFirst + UINT(list - 1), on ? MF_CHECKED : MF_UNCHECKED);
    m_dlgMp3.LoadFixedBpmSettings();
    UpdateData(FALSE);
}

void CMirtalDlg::SetFixedBpmValue(int value)
{
    if (value < 122 || value > 132)
        return;
    if (!StoreSetting("The Fixed BPM value could not be stored.", "music - fixbpmvalue", std::to_string(value)))
        return;
    m_dlgMp3.LoadFixedBpmSettings();
    for (UINT id = kFixedBpmValueFirst; id <= kFixedBpmValueFirst + 10; ++id)
        CheckViewItem(id, MF_UNCHECKED);
    CheckViewItem(kFixedBpmValueFirst + UINT(value - 122), MF_CHECKED);
    UpdateData(FALSE);
}

void CMirtalDlg::TogglePitchList(int list)
{
    if (list < 1 || list > 3)
        return;
    const int on = m_adjustPitch[size_t(list - 1)] ? 0 : 1;
    if (!StoreSetting("The Pitch Adjustment switch could not be stored.", "music - adjustpitch" + std::to_string(list),
                      on ? "true" : "false"))
        return;
    m_adjustPitch[size_t(list - 1)] = on;
    CheckViewItem(kPitchListFirst + UINT(list - 1), on ? MF_CHECKED : MF_UNCHECKED);
    m_dlgMp3.LoadAdjustPitchSettings();
    UpdateData(FALSE);
}

void CMirtalDlg::SetPitchValue(int step)
{
    if (step == 0 || step < -5 || step > 5)
        return;
    if (!StoreSetting("The Pitch Adjustment value could not be stored.", "music - adjustpitchvalue",
                      std::to_string(step)))
        return;
    m_dlgMp3.LoadAdjustPitchSettings();
    for (UINT id = kPitchValueFirst; id <= kPitchValueFirst + 9; ++id)
        CheckViewItem(id, MF_UNCHECKED);
    CheckViewItem(kPitchValueFirst + UINT(step > 0 ? 5 - step : 4 - step), MF_CHECKED);
    UpdateData(FALSE);
}

// ---- Tools > Checkers, File > Remove content from Music Combo ---------------------------------------

void CMirtalDlg::RunChecker()
{
    // The checker lies outside the program; what it does is its own affair.
    m_fn.OpenInFolder(m_musicDb.GetSetting("general - checkerpath", 1));
}

void CMirtalDlg::ClearMusicCombos() { m_dlgMp3.ClearComboHistories(); }
