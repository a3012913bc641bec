// The music page's song lists: rows built from music file paths, the cells the
// virtual lists ask for, played marks and flags, removal, tracking and the
// column-width bookkeeping.
#include "player/DlgMp3.h"

#include "managers/MusicStream.h"
#include "managers/PlaylistRows.h"
#include "managers/TrackName.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>

namespace {

constexpr UINT kListIds[3] = {1009, 1011, 1012};

std::vector<MemoryList2>& Remembered(int list)
{
    return list == 1 ? g_listMemory1 : list == 2 ? g_listMemory2 : g_listMemory3;
}

COLORREF LowBytes(const int (&rgb)[3]) { return RGB(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF); }

} // namespace

// ---- rows

std::vector<CMemArray> CDlgMp3::MakeSongRows(const std::vector<std::string>& paths, int list)
{
    std::vector<std::string> songs;
    songs.reserve(paths.size());
    for (const std::string& p : paths)
        if (m_fn.IsAudioFile(p))
            songs.push_back(p);

    const int n = std::clamp(list, 1, 3) - 1;
    SongFactsRequest request;
    request.lastPlayed = m_set.trackDateTime != 0;
    request.danceName = m_danceName;
    for (int i = 0; i < 3; ++i) {
        request.marks[size_t(i)] = m_set.songMark123 ? true : (i == n && m_set.songMarker[n]);
        request.sources[size_t(i)] = ListSource(i + 1); // a filter caption is no source
    }
    request.marksBySource = m_set.marksPerList != 0;
    const std::vector<SongFacts> facts = m_db.GetSongFacts(songs, request, m_db.IsBatchOpen() ? 0 : 1);

    std::vector<CMemArray> rows;
    if (list >= 1 && list <= 3)
        rows.reserve(songs.size());
    const int naming = list >= 1 && list <= 3 ? m_set.namingMode[n] : 0;
    for (size_t i = 0; i < songs.size(); ++i) {
        const std::string& path = songs[i];
        const SongFacts& f = facts[i];
        std::string length;
        if (m_set.lengthActive) {
            int seconds = f.length;
            if (seconds == 0) {
                seconds = MeasureSongLength(path);
                if (f.known && seconds > 0)
                    m_db.SetLength(path, seconds, m_db.IsBatchOpen() ? 0 : 1);
            }
            length = playlistrows::LengthText(seconds);
        }
        if (list < 1 || list > 3)
            continue;
        std::string first, second;
        if (naming < 2) {
            playlistrows::LabelAndTitle(path, naming, first, second);
        } else {
            second = m_fn.FileTitleFromPath(path);
        }
        if (m_set.noNumberLabel)
            first = m_fn.FirstWord(first);
        const std::string rate = m_set.rateActive && f.known ? m_fn.IntToString(f.rate) : std::string();
        std::string comment;
        if (m_set.trackDateTime)
            comment = f.lastPlayed;
        else if (m_set.commentActive)
            comment = f.comment;
        const bool marked = f.marked[0] || f.marked[1] || f.marked[2];
        const std::string colour = f.flag != 0 ? m_fn.IntToString(f.flag) : marked ? "1" : "0";
        const std::string markedText = f.flag == 0 && marked ? "1" : "0";
        CMemArray row;
        row.SetAll(first, second, rate, path, length, comment, colour, markedText, "", "");
        rows.push_back(std::move(row));
    }
    return rows;
}

void CDlgMp3::AddSongRow(const std::string& path, int list, int position)
{
    std::vector<CMemArray> rows = MakeSongRows({path}, list);
    if (list < 1 || list > 3 || rows.empty())
        return;
    auto& target = m_rows[list - 1];
    if (position < 0 || position >= int(target.size()))
        target.push_back(std::move(rows.front()));
    else
        target.insert(target.begin() + position, std::move(rows.front()));
}

int CDlgMp3::MeasureSongLength(const std::string& path)
{
    // Only what the page can play is measured (no OGG).
    return m_fn.GetExtension(path) == "OGG" ? 0 : musicrows::SongSeconds(path);
}

void CDlgMp3::RefreshListCount(int list)
{
    if (list < 1 || list > 3)
        return;
    const int i = list - 1;
    m_rowCount[i] = int(m_rows[i].size());
    if (m_list[i].m_hWnd) {
        m_list[i].SetItemCount(m_rowCount[i]);
        m_list[i].Invalidate();
    }
    if (m_hWnd)
        SetDlgItemInt(1061 + UINT(i), UINT(m_rowCount[i]));
}

// ---- cells

LRESULT CDlgMp3::OnGetListCell(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    for (int i = 0; i < 3; ++i) {
        if (HWND(wParam) != m_list[i].m_hWnd && UINT(wParam) != kListIds[i])
            continue;
        const int row = cell->GetItem();
        if (row < 0 || row >= int(m_rows[i].size()))
            return 0;
        const CMemArray& r = m_rows[i][size_t(row)];
        cell->text = r.Col(std::min(cell->GetSubItem(), 5));
        const std::string& colour = r.Col(6);
        cell->textColor = LowBytes(m_set.listTextColor);
        cell->backColor = colour == "1"   ? LowBytes(m_set.markColor)
                          : colour == "2" ? LowBytes(m_set.flagColor)
                                          : LowBytes(m_set.listColor);
        cell->hotTextColor = RGB(170, 10, 150);
        cell->selTextColor = RGB(240, 200, 128);
        cell->selBackColor = RGB(30, 0, 96);
        cell->selBackColorNoFocus = RGB(20, 20, 120);
        return 0;
    }
    return 0;
}

// ---- selection and opening

namespace {

void ClickList(CDlgMp3& page, std::vector<CMemArray> (&rows)[3], int (&selected)[3], CQuickList (&lists)[3], int n)
{
    page.UpdateData(TRUE);
    const int mark = lists[n].m_hWnd ? lists[n].GetSelectionMark() : -1;
    for (int i = 0; i < 3; ++i)
        selected[i] = i == n ? mark : -1;
    if (mark >= 0 && mark < int(rows[n].size()))
        g_selectedSongPath = rows[n][size_t(mark)].GetCol(3);
}

} // namespace

void CDlgMp3::OnClickList1(NMHDR*, LRESULT* result)
{
    ClickList(*this, m_rows, m_selectedRow, m_list, 0);
    *result = 0;
}
void CDlgMp3::OnClickList2(NMHDR*, LRESULT* result)
{
    ClickList(*this, m_rows, m_selectedRow, m_list, 1);
    *result = 0;
}
void CDlgMp3::OnClickList3(NMHDR*, LRESULT* result)
{
    ClickList(*this, m_rows, m_selectedRow, m_list, 2);
    *result = 0;
}

void CDlgMp3::OpenSelectedRow(int list)
{
    if (list < 1 || list > 3)
        return;
    UpdateData(TRUE);
    const int row = m_list[list - 1].m_hWnd ? m_list[list - 1].GetSelectionMark() : -1;
    if (row >= 0 && row < int(m_rows[list - 1].size())) {
        m_lastOpenedRow[list - 1] = row;
        // A queued song opened before and never played must not keep this one unmarked.
        m_openedFromQueue = 0;
        OpenSong(list, row, m_rows[list - 1][size_t(row)].GetCol(3), m_set.listType[list - 1], m_autostartCheck,
                 m_set.namingMode[list - 1]);
    }
    RefreshListCount(list);
    RestoreFocus(1);
    Invalidate();
}

// ---- removal

void CDlgMp3::RemoveSelectedRow(int list)
{
    if (list < 1 || list > 3)
        return;
    CQuickList& ctl = m_list[list - 1];
    auto& rows = m_rows[list - 1];
    const int row = ctl.m_hWnd ? ctl.GetSelectionMark() : -1;
    if (row < 0 || row >= int(rows.size()))
        return;
    rows.erase(rows.begin() + row);
    if (m_currentList == list && m_currentRow > row)
        --m_currentRow;
    RefreshListCount(list);
    ctl.SetSelectionMark(row);
}

void CDlgMp3::ReloadList1() { ReloadList(1); }
void CDlgMp3::ReloadList2() { ReloadList(2); }
void CDlgMp3::ReloadList3() { ReloadList(3); }

void CDlgMp3::RemovePlayedRow(int list, const std::string& path)
{
    if (list < 1 || list > 3 || path.empty())
        return;
    auto& rows = m_rows[list - 1];
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const CMemArray& r) { return r.Col(3) == path; });
    if (it == rows.end())
        return;
    const int row = int(it - rows.begin());
    rows.erase(it);
    if (m_currentList == list && m_currentRow > row)
        --m_currentRow;
    RefreshListCount(list);
}

// ---- marks and flags

// Marks are kept under the list's playlist or folder, also while a filter caption is shown.
void CDlgMp3::MarkRow(int list, int row, const std::string& path)
{
    if (list >= 1 && list <= 3 && !IsOpenedFromQueue()) {
        auto& rows = m_rows[list - 1];
        if (row >= 0 && row < int(rows.size())) {
            CMemArray& r = rows[size_t(row)];
            if (m_set.songMarker[list - 1] && r.Col(6) == "0")
                r.SetCol(6, "1");
            r.SetCol(7, "1");
        }
        m_db.AddMark(list, path, m_currentRow, ListSource(list), 1);
        if (m_list[list - 1].m_hWnd)
            m_list[list - 1].Invalidate();
    }
    m_openedFromQueue = 0;
}

void CDlgMp3::UnmarkRows(int list, int row, const std::string& path)
{
    if (list < 1 || list > 3)
        return;
    auto& rows = m_rows[list - 1];
    if (m_set.singleDeleteList) {
        if (row < 0)
            return;
        std::string source;
        if (m_set.songMarker[list - 1]) {
            if (row < int(rows.size()))
                rows[size_t(row)].SetCol(6, "0");
            RefreshListCount(list);
            source = ListSource(list);
        }
        m_db.DeleteMarks(list, path, m_set.marksPerList, source, 1);
        return;
    }
    m_db.DeleteMarks(list, "", m_set.marksPerList, ListSource(list), 1);
    for (CMemArray& r : rows)
        r.SetCol(6, "0");
    RefreshListCount(list);
}

namespace {

std::string SelectedPath(const std::vector<CMemArray>& rows, int row)
{
    return row >= 0 && row < int(rows.size()) ? rows[size_t(row)].GetCol(3) : std::string();
}

} // namespace

void CDlgMp3::OnUnmarkList1() { UnmarkRows(1, m_selectedRow[0], SelectedPath(m_rows[0], m_selectedRow[0])); }
void CDlgMp3::OnUnmarkList2() { UnmarkRows(2, m_selectedRow[1], SelectedPath(m_rows[1], m_selectedRow[1])); }
void CDlgMp3::OnUnmarkList3() { UnmarkRows(3, m_selectedRow[2], SelectedPath(m_rows[2], m_selectedRow[2])); }

// The hotkey's number is not used: the flag always has the value "2".
void CDlgMp3::ToggleSongFlag(int)
{
    BeginWaitCursor();
    UpdateData(TRUE);
    const int list = m_currentList;
    CMemArray* row = nullptr;
    if (list >= 1 && list <= 3 && m_currentRow >= 0 && m_currentRow < int(m_rows[list - 1].size()))
        row = &m_rows[list - 1][size_t(m_currentRow)];
    if (row && row->Col(6) == "2") {
        // Off: the stored flag goes too, or the next reload would show the song flagged again.
        row->SetCol(6, "1");
        m_db.DeleteFlag(g_currentSongPath, 1);
    } else if (!g_currentSongPath.empty()) {
        m_db.SetFlagValue(g_currentSongPath, "2", 1);
        if (row)
            row->SetCol(6, "2");
    }
    if (list >= 1 && list <= 3)
        RefreshListCount(list);
    EndWaitCursor();
}

// ---- tracking

void CDlgMp3::OnTrackingToggle()
{
    if (m_trackingCheck) {
        m_trackingCheck = 0;
        m_set.tracking = 0;
        m_db.SetSetting("music - tracking", "false", 1);
        m_db.SetSetting("music - trackname", "", 1);
        m_db.SetSetting("music - tracklevel", "", 1);
    } else {
        m_trackingCheck = 1;
        m_set.tracking = 1;
        m_db.SetSetting("music - tracking", "true", 1);
        CTrackName picker(m_danceName, m_set.trackLevel, this);
        if (picker.DoModal() != 0) {
            m_danceName = picker.GetDanceName();
            m_set.trackName = m_danceName;
            m_set.trackLevel = picker.GetLevel();
            m_db.SetSetting("music - trackname", m_danceName, 1);
            if (!m_set.noTrackLevel) {
                m_db.SetSetting("music - tracklevel", m_fn.IntToString(m_set.trackLevel), 1);
                SendLevelCommand(m_set.trackLevel);
            }
            for (int n = 1; n <= 3; ++n)
                if (m_set.trackFilter[n - 1])
                    FilterList(2, m_danceName, 1, "Trackfilter:" + m_danceName, n);
        }
    }
    UpdateStatusTexts();
    RestoreFocus(1);
}

void CDlgMp3::SendLevelCommand(int level)
{
    if (level >= 1 && level <= 10)
        SendCommand(CMD_LEVEL_1 + UINT(level) - 1);
}

void CDlgMp3::InitTrackFilterLabels()
{
    if (m_trackingCheck && m_set.trackPrompt) {
        m_trackingCheck = 0;
        OnTrackingToggle();
    } else if (m_trackingCheck) {
        for (int n = 1; n <= 3; ++n)
            if (m_set.trackFilter[n - 1])
                FilterList(2, m_danceName, 1, "Trackfilter:  " + m_danceName, n);
    }
    ArmTimer(kTimerTrackLabels, 500);
}

// ---- square identification

void CDlgMp3::OnSquareIdButton() { SendCommand(CMD_TOGGLE_SQUAREID); }

// ---- column widths

void CDlgMp3::OnHeaderItemChanged(NMHDR*, LRESULT* result)
{
    UpdateData(TRUE);
    int* widths[3][3] = {{&g_colWidth1_0, &g_colWidth1_1, &g_colWidth1_2},
                         {&g_colWidth2_0, &g_colWidth2_1, &g_colWidth2_2},
                         {&g_colWidth3_0, &g_colWidth3_1, &g_colWidth3_2}};
    for (int i = 0; i < 3; ++i)
        if (m_list[i].m_hWnd)
            for (int c = 0; c < 3; ++c)
                *widths[i][c] = m_list[i].GetColumnWidth(c);
    *result = 0;
}

// ---- the rows a whole source gives

void CDlgMp3::TakeLoadedRows(int list, std::vector<CMemArray> rows, const std::vector<std::string>& remembered)
{
    if (list < 1 || list > 3)
        return;
    m_rows[list - 1] = std::move(rows);
    std::vector<MemoryList2>& memory = Remembered(list);
    memory.clear();
    memory.reserve(remembered.size());
    for (const std::string& p : remembered) {
        MemoryList2 entry;
        entry.SetAll(p, m_fn.FileTitleFromPath(p), "", "", 0, 0, 0, 0);
        memory.push_back(std::move(entry));
    }
    RefreshListCount(list);
}
