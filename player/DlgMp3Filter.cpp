// The music page's search: the search dialog of a song list and the filter
// that refills the list with those of its remembered songs that pass a test.
// A filter starts from the remembered entries, never from what the list shows,
// so it loses no song and one that passed nothing does not block the next.
#include "player/DlgMp3.h"

#include "controls/ModelessInitDlg.h"
#include "player/Compare.h"
#include "store/PlayerGlobals.h"

#include <iterator>
#include <memory>

std::vector<std::string> g_filterMatches;

namespace {

std::vector<MemoryList2>& RememberedEntries(int list)
{
    return list == 1 ? g_listMemory1 : list == 2 ? g_listMemory2 : g_listMemory3;
}

// The caption of each search criterion 0..10 (criteria 4 and 5 show the title text).
constexpr const char* kCaptions[11] = {
    "These Songs don´t have lyrics",
    "These Songs are not in the Music database",
    "These Songs are marked",
    "These Songs are not marked",
    "Searched for: ",
    "Searched for: ",
    "These Songs are in the Trackdatabase",
    "These Songs match the dance name in the Trackdatabase",
    "These Songs don´t match the dance name in the Trackdatabase",
    "These Songs are in the Trackdatabase between certain dates",
    "These Songs are in the Trackdatabase before a certain date",
};

} // namespace

std::string CDlgMp3::ListSource(int list) const
{
    if (list < 1 || list > 3)
        return {};
    return m_set.listSource[list - 1] == "list" ? m_set.playlistPath[list - 1] : m_set.folderPath[list - 1];
}

void CDlgMp3::OnSearchList(int list)
{
    if (list < 1 || list > 3)
        return;
    CCompare search(m_set.trackName, list, m_searchBefore, m_searchAfter, nullptr);
    if (search.DoModal() == IDOK) {
        m_searchBefore = search.GetBeforeDate();
        m_searchAfter = search.GetAfterDate();
        m_searchRateLow = search.GetRateLow();
        m_searchRateHigh = search.GetRateHigh();
        const int criterion = search.GetSelection();
        if (criterion >= 0 && criterion <= 10) {
            const int type = musicfilter::TypeOfCriterion(criterion);
            if (criterion == 4 || criterion == 5)
                FilterList(type, search.GetSearchText(), 0, kCaptions[criterion] + search.GetSearchText(), list);
            else if (criterion >= 7)
                FilterList(type, search.GetDanceName(), search.GetTextExact() ? 1 : 0, kCaptions[criterion], list);
            else
                FilterList(type, "", 0, kCaptions[criterion], list);
        }
    }
    RestoreFocus(1);
}

void CDlgMp3::FilterList(int type, const std::string& text, int exact, const std::string& caption, int list)
{
    g_filterMatches.clear();
    if (list < 1 || list > 3) {
        RestoreFocus(1);
        return;
    }
    const std::vector<MemoryList2>& entries = RememberedEntries(list);
    m_rows[list - 1].clear();
    RefreshListCount(list);
    m_comboText[list - 1] = caption;
    if (entries.empty()) {
        RestoreFocus(1);
        return;
    }

    if (m_hWnd)
        BeginWaitCursor();
    // The progress window frees itself when its window is destroyed.
    CModelessInitDlg* progress = nullptr;
    if (m_hWnd) {
        progress = new CModelessInitDlg;
        if (progress->Create(CModelessInitDlg::IDD, this)) {
            progress->ShowWindow(SW_SHOW);
            progress->UpdateWindow();
            progress->StartProgress(0, int(entries.size()), 1);
            progress->SetText("Searching...");
        } else {
            delete progress;
            progress = nullptr;
        }
    }

    musicfilter::Search search;
    search.text = text;
    search.exact = exact;
    search.list = list;
    search.marksListDir = m_set.marksPerList;
    search.source = ListSource(list); // marks belong to the playlist or folder, not to the caption
    search.after = m_searchAfter;
    search.before = m_searchBefore;
    search.rateLow = m_searchRateLow;
    search.rateHigh = m_searchRateHigh;
    search.findLyrics = [this, list](const std::string& path) { return FindLyricsForSong(path, list, true); };

    m_db.BeginBatch();
    // The marks and the rates of the whole list come in one query: asked song by song, a
    // list of tens of thousands of songs would take seconds.
    const bool byMark = type == 4 || type == 5;
    std::vector<SongFacts> facts;
    if (byMark || type == 11) {
        std::vector<std::string> paths;
        paths.reserve(entries.size());
        for (const MemoryList2& entry : entries)
            paths.push_back(entry.GetCol0());
        SongFactsRequest request;
        request.songRow = !byMark;
        request.flag = false;
        if (byMark) {
            request.marks[static_cast<size_t>(list - 1)] = true;
            request.marksBySource = search.marksListDir != 0;
            request.sources[static_cast<size_t>(list - 1)] = search.source;
        }
        facts = m_db.GetSongFacts(paths, request, 0);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const MemoryList2& entry = entries[i];
        if (progress)
            progress->Step();
        // A remembered entry keeps the full path as its name and the file title as its path.
        bool passes = false;
        if (byMark)
            passes = facts[i].marked[static_cast<size_t>(list - 1)] == (type == 4);
        else if (type == 11)
            passes = facts[i].known && search.rateLow <= facts[i].rate && facts[i].rate <= search.rateHigh;
        else
            passes = musicfilter::Passes(type, entry.GetCol0(), entry.GetCol1(), search, m_db);
        if (passes)
            g_filterMatches.push_back(entry.GetCol0());
    }
    // The rows of all the songs that passed in one go: their facts in one query, not one per row.
    std::vector<CMemArray> passed = MakeSongRows(g_filterMatches, list);
    auto& rows = m_rows[list - 1];
    rows.insert(rows.end(), std::make_move_iterator(passed.begin()), std::make_move_iterator(passed.end()));
    m_db.CommitBatch();

    RefreshListCount(list);
    if (!m_rows[list - 1].empty() && m_set.sortColumn[list - 1] < 2) {
        SortList(list, m_set.sortColumn[list - 1]);
        RefreshListCount(list);
    }
    if (progress) {
        progress->StepAndTest();
        progress->DestroyWindow();
    }
    if (m_hWnd)
        EndWaitCursor();
    RestoreFocus(1);
}
