// The music page's queue: the songs to play next, in play order, shown one to
// one in box 1218 and kept in table queuedfiles between runs. Entry i of the
// box is record i, so two files of the same name stay two songs.
#include "player/DlgMp3.h"

#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>
#include <array>

void CDlgMp3::AppendQueueEntry(const MemoryList2& record)
{
    m_queue.push_back(record);
    if (m_queueBox.m_hWnd)
        m_queueBox.AddString(record.GetCol0());
}

void CDlgMp3::RemoveQueueEntry(int index)
{
    if (index < 0 || index >= int(m_queue.size()))
        return;
    m_queue.erase(m_queue.begin() + index);
    if (m_queueBox.m_hWnd)
        m_queueBox.DeleteString(index);
}

void CDlgMp3::MoveQueueEntry(int from, int to)
{
    const MemoryList2 record = m_queue[size_t(from)];
    RemoveQueueEntry(from);
    m_queue.insert(m_queue.begin() + to, record);
    if (m_queueBox.m_hWnd) {
        m_queueBox.InsertString(to, record.GetCol0());
        m_queueBox.SetCurSel(to);
    }
}

void CDlgMp3::QueueSong(const std::string& path, int list, int row, const std::string& type, int naming)
{
    if (!path.empty()) {
        // The name loses its extension and the dot; a name without a dot queues nothing.
        std::string name = m_fn.FileNameFromPath(path);
        const size_t cut = m_fn.GetExtension(path).size() + 1;
        name = name.size() > cut && name.find('.') != std::string::npos ? name.substr(0, name.size() - cut)
                                                                            : std::string();
        std::string lyrics;
        if (m_set.lyricsSearchQueue && list < 4 && !name.empty()) {
            lyrics = FindLyricsForSong(path, list, false);
            if (!lyrics.empty())
                name = "[L] " + name;
        }
        if (!name.empty() && !type.empty() && list > 0 && row >= 0 && naming >= 0) {
            MemoryList2 record;
            record.SetAll(name, path, type, lyrics, list, row, naming, int(m_queue.size()));
            AppendQueueEntry(record);
        }
    }
    RestoreFocus(1);
}

bool CDlgMp3::MarkAndQueueRow(int list, int row)
{
    if (list < 1 || list > 3 || row < 0 || row >= int(m_rows[list - 1].size()))
        return false;
    // The queued song counts as played in its list.
    const std::string path = m_rows[list - 1][size_t(row)].GetCol(3);
    MarkRow(list, row, path);
    QueueSong(path, list, row, m_fn.IntToString(m_set.listType[list - 1]), m_set.namingMode[list - 1]);
    return true;
}

void CDlgMp3::QueueSelectedRow(int list)
{
    if (list < 1 || list > 3 || !m_hWnd)
        return;
    BeginWaitCursor();
    UpdateData(TRUE);
    const int row = m_list[list - 1].m_hWnd ? m_list[list - 1].GetSelectionMark() : -1;
    if (MarkAndQueueRow(list, row)) {
        EndWaitCursor();
        RefreshListCount(list);
    } else {
        EndWaitCursor();
    }
    RestoreFocus(1);
}

void CDlgMp3::OnRClickList1(NMHDR*, LRESULT* result)
{
    QueueSelectedRow(1);
    *result = 0;
}
void CDlgMp3::OnRClickList2(NMHDR*, LRESULT* result)
{
    QueueSelectedRow(2);
    *result = 0;
}
void CDlgMp3::OnRClickList3(NMHDR*, LRESULT* result)
{
    QueueSelectedRow(3);
    *result = 0;
}

void CDlgMp3::OnPlayNextQueued() { PlayNextQueued(); }

void CDlgMp3::PlayNextQueued()
{
    if (m_hWnd)
        UpdateData(TRUE);
    if (!m_queue.empty()) {
        const int count = int(m_queue.size());
        int sel = m_queueBox.m_hWnd ? m_queueBox.GetCurSel() : -1;
        if (sel < 0 || sel >= count)
            sel = 0;
        const MemoryList2 song = m_queue[size_t(sel)];
        RemoveQueueEntry(sel);
        m_openedFromQueue = 1;
        m_currentList = song.GetList();
        if (m_queueBox.m_hWnd)
            m_queueBox.SetCurSel(sel); // the following entry moves into the place
        const std::string lyrics = song.GetCol3();
        g_lyricsPath = lyrics;
        const int type = m_fn.StringToInt(song.GetCol2());
        // A queued song that starts itself never waits for the lyrics chooser.
        const UnattendedOpen unattended(*this, m_set.autostartQueue != 0);
        if (!lyrics.empty()) {
            // The lyrics were found when the song was queued: the opening must not search again.
            const auto saved = std::to_array(m_set.searchLyrics);
            std::fill(std::begin(m_set.searchLyrics), std::end(m_set.searchLyrics), 0);
            OpenSong(song.GetList(), song.GetRow(), song.GetCol1(), type, 0, song.GetNaming());
            std::copy(saved.begin(), saved.end(), std::begin(m_set.searchLyrics));
            g_lyricsPath = lyrics;
            ShowLyricsButton();
        } else {
            OpenSong(song.GetList(), song.GetRow(), song.GetCol1(), type, 0, song.GetNaming());
        }
        ApplyListLoopRules(m_currentList);
        if (m_set.autostartQueue)
            PlayPause();
    }
    RestoreFocus(1);
    if (m_hWnd)
        Invalidate();
}

void CDlgMp3::OnQueueDelete()
{
    if (m_set.singleDeleteQueue) {
        UpdateData(TRUE);
        const int sel = m_queueBox.m_hWnd ? m_queueBox.GetCurSel() : -1;
        if (sel >= 0 && sel < int(m_queue.size())) {
            RemoveQueueEntry(sel);
            m_queueBox.SetCurSel(sel);
        }
    } else {
        m_queue.clear();
        if (m_queueBox.m_hWnd)
            m_queueBox.ResetContent();
    }
    RestoreFocus(1);
}

void CDlgMp3::OnDeleteAllCheck()
{
    // The page's value is the check as it was before this click.
    const bool wasSet = m_deleteAllCheck != 0;
    m_set.singleDeleteQueue = wasSet ? 1 : 0;
    m_deleteAllCheck = wasSet ? 0 : 1;
    m_db.SetSetting("music - singledeletequeue", wasSet ? "true" : "false", 1);
    RestoreFocus(1);
}

void CDlgMp3::OnQueueMoveUp()
{
    UpdateData(TRUE);
    const int sel = m_queueBox.m_hWnd ? m_queueBox.GetCurSel() : -1;
    if (sel > 0 && sel < int(m_queue.size()))
        MoveQueueEntry(sel, sel - 1);
    RestoreFocus(1);
}

void CDlgMp3::OnQueueMoveDown()
{
    UpdateData(TRUE);
    const int sel = m_queueBox.m_hWnd ? m_queueBox.GetCurSel() : -1;
    if (sel >= 0 && sel < int(m_queue.size()) - 1)
        MoveQueueEntry(sel, sel + 1);
    RestoreFocus(1);
}

void CDlgMp3::OnQueuedLyricsButton()
{
    SendCommand(CMD_TOGGLE_QUEUED_LYRICS);
    RestoreFocus(1);
}

void CDlgMp3::TakeQueuedLyrics()
{
    if (m_hWnd)
        UpdateData(TRUE);
    if (m_queue.empty())
        return;
    int sel = m_queueBox.m_hWnd ? m_queueBox.GetCurSel() : -1;
    if (sel < 0 || sel >= int(m_queue.size()))
        sel = 0;
    g_queuedLyricsPath = m_queue[size_t(sel)].GetCol3();
}

void CDlgMp3::SaveQueue()
{
    m_db.BeginBatch();
    m_db.ClearQueuedFiles(0);
    if (m_set.saveQueue)
        for (const MemoryList2& q : m_queue)
            m_db.AddQueuedFile(q.GetCol0(), q.GetCol1(), q.GetCol2(), q.GetCol3(), q.GetList(), q.GetRow(),
                               q.GetNaming(), q.GetNr(), 0);
    m_db.CommitBatch();
    RestoreFocus(1);
}

void CDlgMp3::LoadQueue()
{
    if (m_set.saveQueue) {
        m_db.BeginBatch();
        CppSQLite3Table t = m_db.GetQueuedFiles(0);
        m_db.CommitBatch();
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            auto text = [&](int field) { return m_fn.UnescapeSql(t.FieldTextOr(field, "")); };
            MemoryList2 record;
            record.SetAll(text(0), text(1), text(2), text(3), t.FieldInt(4, 0), t.FieldInt(5, 0), t.FieldInt(6, 0),
                          t.FieldInt(7, 0));
            AppendQueueEntry(record);
        }
    }
    RestoreFocus(1);
}
