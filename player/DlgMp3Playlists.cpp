// The sources of the music page's song lists: M3U playlists and folders, the
// source combos with their ten-entry histories, reloading and switching a
// list's source, the playlists per dance level and a playlist into the queue.
#include "player/DlgMp3.h"

#include "controls/FolderPicker.h"
#include "controls/ModelessInitDlg.h"
#include "managers/ListFile.h"
#include "managers/PlaylistRows.h"
#include "platform/win/FileDialog.h"
#include "store/PlayerGlobals.h"

#include <algorithm>

namespace {

constexpr const char* kPlaylistFilter = "Playlist files (*.M3u)|*.M3u|All Files (*.*)|*.*||";
constexpr const char* kLevelCodes[10] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};

// Rows built in one go below this; above it the rows come in steps with the please-wait window.
constexpr size_t kRowsPerStep = 2000;

// A source text names a playlist when its fourth character from the end is "." (".m3u");
// anything else (".m3u8" too) is taken as a folder.
bool IsPlaylistSource(const std::string& text) { return text.size() > 4 && text[text.size() - 4] == '.'; }

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n\f\v");
    return text.substr(first, last - first + 1);
}

} // namespace

// ---- histories

void CDlgMp3::AddComboHistory(int list, const std::string& path)
{
    if (list < 1 || list > 3)
        return;
    const std::string p = Trimmed(path);
    if (p.empty())
        return;
    CComboBox& combo = m_combo[list - 1];
    if (combo.m_hWnd) {
        // Exact and case-sensitive: two folders that differ in case are two folders here.
        for (int i = 0; i < combo.GetCount(); ++i)
            if (combo.GetLBText(i) == p)
                return;
        combo.AddString(p);
    }
    std::string(&history)[10] = m_set.comboHistory[list - 1];
    std::move_backward(history, history + 9, history + 10);
    history[0] = p;
}

const std::string& CDlgMp3::ComboHistory(int list, int index) const
{
    return m_set.comboHistory[std::clamp(list, 1, 3) - 1][std::clamp(index, 0, 9)];
}

void CDlgMp3::ClearComboHistories()
{
    for (int i = 0; i < 3; ++i) {
        for (std::string& entry : m_set.comboHistory[i])
            entry.clear();
        if (m_combo[i].m_hWnd)
            m_combo[i].ResetContent();
    }
    ReloadAllLists();
}

void CDlgMp3::SaveComboHistories()
{
    // The page also ends while the program ends: a store that fails then is logged, and the
    // rest of the page's end still runs.
    try {
        m_db.BeginBatch();
        for (int i = 0; i < 10; ++i)
            for (int c = 0; c < 3; ++c)
                m_db.SetSetting("music - combo" + std::to_string(c + 1) + "_" + std::to_string(i),
                                m_set.comboHistory[c][i], 0);
        m_db.CommitBatch();
    } catch (const CppSQLite3Exception& e) {
        m_fn.WriteLog(std::string("The list histories were not saved: ") + e.what());
    }
}

// ---- loading

void CDlgMp3::ShowSourceLoaded(int list)
{
    AddComboHistory(list, m_comboText[list - 1]);
    if (m_tooltip.m_hWnd)
        m_tooltip.AddTool(&m_combo[list - 1], m_comboText[list - 1]);
}

std::vector<CMemArray> CDlgMp3::BuildRowsWithProgress(const std::vector<std::string>& paths, int list)
{
    if (paths.size() <= kRowsPerStep || !m_hWnd)
        return MakeSongRows(paths, list);
    CModelessInitDlg* wait = new CModelessInitDlg(this);
    if (!wait->Create(CModelessInitDlg::IDD, this)) {
        delete wait;
        wait = nullptr;
    }
    const size_t steps = (paths.size() + kRowsPerStep - 1) / kRowsPerStep;
    if (wait) {
        wait->ShowWindow(SW_SHOW);
        wait->SetText("Loading " + std::to_string(paths.size()) + " songs");
        wait->StartProgress(0, int(steps), 1);
    }
    std::vector<CMemArray> rows;
    rows.reserve(paths.size());
    for (size_t first = 0; first < paths.size(); first += kRowsPerStep) {
        const auto end = paths.begin() + std::ptrdiff_t(std::min(paths.size(), first + kRowsPerStep));
        std::vector<CMemArray> part = MakeSongRows(std::vector<std::string>(paths.begin() + std::ptrdiff_t(first), end), list);
        std::move(part.begin(), part.end(), std::back_inserter(rows));
        if (wait)
            wait->Step();
    }
    if (wait)
        wait->DestroyWindow();
    return rows;
}

void CDlgMp3::LoadPlaylistFile(const std::string& path, int target)
{
    const bool toList = target >= 1 && target <= 3;
    if (toList) {
        TakeLoadedRows(target, {}, {});
        ShowSourceLoaded(target);
    }
    std::vector<std::string> accepted;
    for (std::string line : playlistrows::ReadPlaylist(path)) {
        if (m_set.currentDrive)
            line = m_fn.ReplaceDrive(line); // only a path with a drive letter moves
        if (m_set.onlyExistingPaths && !m_fn.FileExists(line))
            continue;
        accepted.push_back(std::move(line));
    }
    m_db.BeginBatch();
    std::vector<CMemArray> rows = BuildRowsWithProgress(accepted, target);
    m_db.CommitBatch();
    if (toList) {
        TakeLoadedRows(target, std::move(rows), accepted);
        SortAfterLoad(target, true);
        RecordSource(target, "list", "music - listpath", m_comboText[target - 1]);
    } else if (target == 4) {
        for (const std::string& line : accepted)
            QueueSong(line, 4, 0, "4", 4);
    }
    RestoreFocus(1);
}

void CDlgMp3::LoadFolder(const std::string& folder, int list)
{
    if (list < 1 || list > 3)
        return;
    TakeLoadedRows(list, {}, {});
    ShowSourceLoaded(list);
    // While the page starts, the default music folder is read with its subfolders.
    const bool subfolders = m_set.subfolders[list - 1] || m_set.useDefaultMusicFolder > 0;
    if (folder.empty())
        return;
    std::vector<std::string> files;
    playlistrows::ScanFolder(folder, subfolders, files);
    m_db.BeginBatch();
    std::vector<CMemArray> rows = BuildRowsWithProgress(files, list);
    m_db.CommitBatch();
    TakeLoadedRows(list, std::move(rows), files);
    SortAfterLoad(list, false);
    RecordSource(list, "dir", "music - dirpath", m_comboText[list - 1]);
    RestoreFocus(1);
}

void CDlgMp3::SortAfterLoad(int list, bool playlist)
{
    // A folder is never sorted by rate after its scan; a playlist may be.
    const int column = m_set.sortColumn[list - 1];
    if (m_rows[list - 1].empty() || column < 0 || column > (playlist ? 2 : 1))
        return;
    // Labels cut to their first word sort by title first, so equal labels stay in title order.
    if (m_set.noNumberLabel)
        SortList(list, 1);
    SortList(list, column);
    RefreshListCount(list);
}

void CDlgMp3::RecordSource(int list, const char* kind, const std::string& key, const std::string& value)
{
    const std::string n = std::to_string(list);
    m_db.SetSetting("music - listdir" + n, kind, 1);
    m_db.SetSetting(key + n, value, 1);
}

// ---- choosing, reloading and switching sources

void CDlgMp3::ShowPlaylist(int list, const std::string& path)
{
    m_comboText[list - 1] = m_set.playlistPath[list - 1] = path;
    m_set.listSource[list - 1] = "list";
    LoadPlaylistFile(path, list);
}

void CDlgMp3::ShowFolder(int list, const std::string& folder)
{
    m_comboText[list - 1] = m_set.folderPath[list - 1] = folder;
    m_set.listSource[list - 1] = "dir";
    LoadFolder(folder, list);
}

void CDlgMp3::OnSelChangeCombo(int list)
{
    if (list < 1 || list > 3)
        return;
    UpdateData(TRUE);
    CComboBox& combo = m_combo[list - 1];
    const int sel = combo.m_hWnd ? combo.GetCurSel() : -1;
    const std::string chosen = sel >= 0 ? combo.GetLBText(sel) : m_comboText[list - 1];
    BeginWaitCursor();
    if (IsPlaylistSource(chosen))
        ShowPlaylist(list, chosen);
    else
        ShowFolder(list, chosen);
    EndWaitCursor();
    RestoreFocus(1);
}

void CDlgMp3::OnOpenPlaylist(int list)
{
    if (list < 1 || list > 3)
        return;
    CFileDialog dialog(TRUE, ".M3u", m_set.playlistPath[list - 1].c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kPlaylistFilter, this);
    if (dialog.DoModal() == IDOK) {
        BeginWaitCursor();
        ShowPlaylist(list, dialog.GetPathName());
        EndWaitCursor();
    }
    RestoreFocus(1);
}

void CDlgMp3::OnBrowseFolder(int list)
{
    if (list < 1 || list > 3)
        return;
    CComboBox& combo = m_combo[list - 1];
    combo.EnableWindow(TRUE);
    CFolderPicker picker;
    const std::string folder = picker.BrowseEx(this, "Select a folder:", 0, m_set.folderPath[list - 1], 64);
    if (!folder.empty()) {
        BeginWaitCursor();
        ShowFolder(list, folder);
        EndWaitCursor();
    }
    if (g_playing)
        combo.EnableWindow(FALSE);
    RestoreFocus(1);
}

void CDlgMp3::OnSavePlaylist(int list)
{
    if (list < 1 || list > 3)
        return;
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, ".M3u", m_comboText[list - 1].c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kPlaylistFilter, this);
    if (dialog.DoModal() != IDOK) {
        RestoreFocus(1);
        return;
    }
    const std::string path = dialog.GetPathName();
    BeginWaitCursor();
    std::vector<std::string> lines;
    lines.reserve(m_rows[list - 1].size());
    for (const CMemArray& row : m_rows[list - 1])
        lines.push_back(row.GetCol(3));
    if (!listfile::WriteLines(path, lines))
        listfile::ReportCannotCreate();
    ShowPlaylist(list, path);
    EndWaitCursor();
    RestoreFocus(1);
}

void CDlgMp3::ReloadList(int list)
{
    if (list < 1 || list > 3)
        return;
    BeginWaitCursor();
    if (m_set.listSource[list - 1] == "list")
        ShowPlaylist(list, m_set.playlistPath[list - 1]);
    else
        ShowFolder(list, m_set.folderPath[list - 1]);
    EndWaitCursor();
}

void CDlgMp3::ReloadAllLists()
{
    for (int n = 1; n <= 3; ++n)
        ReloadList(n);
}

void CDlgMp3::ToggleListSource(int list)
{
    if (list < 1 || list > 3)
        return;
    BeginWaitCursor();
    if (m_set.listSource[list - 1] == "list")
        ShowFolder(list, m_set.folderPath[list - 1]);
    else
        ShowPlaylist(list, m_set.playlistPath[list - 1]);
    EndWaitCursor();
}

void CDlgMp3::LoadStartSources(bool lengthsLater)
{
    if (m_set.deleteMarksAtStart)
        for (int n = 1; n <= 3; ++n)
            UnmarkRows(n, -1, "");
    for (int n = 1; n <= 3; ++n) {
        const bool playlist = m_set.listSource[n - 1] == "list";
        const std::string& source = playlist ? m_set.playlistPath[n - 1] : m_set.folderPath[n - 1];
        m_comboText[n - 1] = source;
        // With lengths shown the lists are read once the audio library runs (ReloadAllLists).
        if (source.empty() || lengthsLater)
            continue;
        if (playlist)
            LoadPlaylistFile(source, n);
        else
            LoadFolder(source, n);
    }
}

void CDlgMp3::LoadLevelPlaylists(int level)
{
    if (level < 1 || level > 10)
        return;
    std::string lists[3];
    try {
        m_db.BeginBatch();
        for (int n = 0; n < 3; ++n)
            lists[n] =
                m_db.GetSetting(std::string(kLevelCodes[level - 1]) + " - playlist" + std::to_string(n + 1), 0);
        m_db.CommitBatch();
    } catch (const CppSQLite3Exception& e) {
        // The level switch goes on; the lists stay as they are.
        m_fn.WriteLog(std::string("The playlists of the level could not be read: ") + e.what());
        return;
    }
    if (std::all_of(std::begin(lists), std::end(lists), [](const std::string& s) { return s.empty(); }))
        return;
    BeginWaitCursor();
    for (int n = 1; n <= 3; ++n)
        ShowPlaylist(n, lists[n - 1]);
    EndWaitCursor();
    RestoreFocus(1);
}

void CDlgMp3::LoadPlaylistIntoQueue()
{
    CFileDialog dialog(TRUE, ".M3u", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlaylistFilter, this);
    if (dialog.DoModal() == IDOK) {
        BeginWaitCursor();
        LoadPlaylistFile(dialog.GetPathName(), 4);
        EndWaitCursor();
    }
    RestoreFocus(1);
}
