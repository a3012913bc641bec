// Sorting the song lists (header clicks, the key order, the byte order of the
// texts) and dragging rows: moves within a list, copies to another list and
// drops on the queue.
#include "MusicPageFixture.h"

#include "platform/win/Input.h"
#include "platform/win/ListBox.h"
#include "platform/win/ListCtrl.h"
#include "store/CppSQLite3.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <algorithm>

namespace {

using namespace musicpagetest;

class SortDragTest : public MusicPageTest {
protected:
    // Rows of list N from (column 0, column 1, column 4) triples; column 3 is a path made of both names.
    void table(int list, const std::vector<std::array<std::string, 3>>& cells)
    {
        std::vector<CMemArray> r;
        for (const auto& c : cells) {
            CMemArray row;
            row.SetAll(c[0], c[1], "", "/m/" + c[0] + c[1] + ".mp3", c[2], "", "0", "0", "", "");
            r.push_back(row);
        }
        page->SetSongRows(list, r);
    }

    std::vector<std::string> column(int list, int c)
    {
        std::vector<std::string> out;
        for (const CMemArray& r : page->SongRows(list))
            out.push_back(r.GetCol(c));
        return out;
    }

    CListCtrl& list(int n) { return *static_cast<CListCtrl*>(page->GetDlgItem(n == 1 ? 1009 : n == 2 ? 1011 : 1012)); }

    // A click on header column c with the pointer at page x.
    void headerClick(int x, int c)
    {
        CRect r;
        page->GetWindowRect(&r);
        ::SetCursorPos(r.left + x, r.top + 5);
        CPoint p;
        ::GetCursorPos(&p);
        ASSERT_EQ(p.x, r.left + x);
        NMHEADER nm{};
        nm.hdr = NMHDR{list(1).GetHeaderCtrl()->m_hWnd, 0, HDN_ITEMCLICK};
        nm.iItem = c;
        page->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
    }

    // The mouse goes down on row `from` of list `source` and starts a drag.
    void beginDrag(int source, int from)
    {
        CListCtrl& s = list(source);
        for (int i = 0; i < s.GetItemCount(); ++i)
            s.SetItemState(i, i == from ? LVIS_SELECTED : 0, LVIS_SELECTED);
        NMLISTVIEW begin{};
        begin.hdr = NMHDR{s.m_hWnd, UINT_PTR(s.GetDlgCtrlID()), LVN_BEGINDRAG};
        begin.iItem = from;
        CRect r;
        s.GetItemRect(from, r, LVIR_BOUNDS);
        begin.ptAction = r.CenterPoint();
        page->SendMessage(WM_NOTIFY, s.GetDlgCtrlID(), reinterpret_cast<LPARAM>(&begin));
        EXPECT_TRUE(page->IsDragging());
    }

    // A point of the target window in page coordinates, moved to by the mouse.
    CPoint moveTo(CWnd& target, CPoint at)
    {
        target.ClientToScreen(&at);
        ::SetCursorPos(at.x, at.y); // where any move the window system makes up finds the pointer
        page->ScreenToClient(&at);
        page->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        return at;
    }

    // A mouse drag of row `from` of list `source` to the point `at` of the target window.
    void drag(int source, int from, CWnd& target, CPoint at)
    {
        beginDrag(source, from);
        at = moveTo(target, at);
        page->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        EXPECT_FALSE(page->IsDragging());
    }

    // How many pixels of the middle line of row `row` of list n the page shows in this colour.
    int pixelsOfRow(int n, int row, COLORREF colour)
    {
        win::PumpMessages();
        QApplication::processEvents();
        const QImage shot = page->widget()->grab().toImage();
        CRect r;
        list(n).GetItemRect(row, r, LVIR_BOUNDS);
        list(n).ClientToScreen(&r);
        page->ScreenToClient(&r);
        int count = 0;
        for (int x = r.left; x < r.right; ++x) {
            const QRgb p = shot.pixel(x, r.CenterPoint().y);
            count += qRed(p) == GetRValue(colour) && qGreen(p) == GetGValue(colour) && qBlue(p) == GetBValue(colour);
        }
        return count;
    }

    CPoint rowCentre(int n, int row)
    {
        CRect r;
        list(n).GetItemRect(row, r, LVIR_BOUNDS);
        return r.CenterPoint();
    }

    CPoint belowLastRow(int n)
    {
        CRect r, client;
        list(n).GetItemRect(list(n).GetItemCount() - 1, r, LVIR_BOUNDS);
        list(n).GetClientRect(&client);
        EXPECT_LT(r.bottom + 10, client.bottom) << "the list must show space below its rows";
        return CPoint(r.CenterPoint().x, r.bottom + 10);
    }
};

TEST_F(SortDragTest, TheSameColumnSortsAscendingThenDescendingAndANewColumnAscending)
{
    start();
    table(1, {{"B", "y", ""}, {"C", "x", ""}, {"A", "z", ""}});
    page->SortList1(1, true);
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"x", "y", "z"}));
    page->SortList1(1, true);
    EXPECT_EQ(column(1, 1), (std::vector<std::string>{"z", "y", "x"}));
    page->SortList1(0, true);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"A", "B", "C"}));
    // Without the toggle (a load sorting again) the direction stays.
    page->SortList(1, 0);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"A", "B", "C"}));
    page->SortList1(0, true);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(SortDragTest, TextsSortByTheirBytesAndEarlierSortsBreakTies)
{
    start();
    table(2, {{"RR", "b", "10:00"}, {"AB", "a", "100:00"}, {"RR", "a", "09:59"}, {"ab", "c", "100:00"}});
    page->SortList2(4, true);
    EXPECT_EQ(column(2, 4), (std::vector<std::string>{"09:59", "100:00", "100:00", "10:00"}));
    page->SortList2(1, true);
    page->SortList2(0, true);
    EXPECT_EQ(column(2, 0), (std::vector<std::string>{"AB", "RR", "RR", "ab"})) << "upper case first";
    EXPECT_EQ(column(2, 1), (std::vector<std::string>{"a", "a", "b", "c"})) << "ties ordered by the earlier sort";
}

// Long texts sharing their first bytes, texts that are prefixes of others, bytes above 0x7f,
// zero bytes and many ties: a sort gives the order of CompareRows over the rows, equal rows
// in their former order, in both directions and whatever the earlier sorts were.
TEST_F(SortDragTest, ASortOrdersAsTheRowComparisonWithEqualRowsInTheirOrder)
{
    start();
    const std::vector<std::string> texts{"",
                                         "a",
                                         "ab",
                                         std::string("ab\0", 3),
                                         std::string("ab\0c", 4),
                                         "/home/caller/music/ABC 1 - Song.mp3",
                                         "/home/caller/music/ABC 1 - Song.mp3x",
                                         "/home/caller/music/ABC 10 - Song.mp3",
                                         "/home/caller/music/ABC 2 - Song.mp3",
                                         "0123456789abcdef",
                                         "0123456789abcdefg",
                                         "0123456789abcdeg",
                                         "\xc3\xa9t\xc3\xa9",
                                         "\x7f",
                                         "2024-05-08, 19:40",
                                         "2024-05-08, 19:41"};
    std::vector<CMemArray> rows;
    unsigned seed = 7;
    const auto pick = [&] {
        seed = seed * 1103515245u + 12345u;
        return texts[(seed >> 16) % texts.size()];
    };
    for (int i = 0; i < 400; ++i) {
        CMemArray row;
        row.SetAll(pick(), pick(), pick(), pick(), pick(), pick(), std::to_string(i), "0", "", "");
        rows.push_back(row);
    }
    page->SetSongRows(1, rows);
    std::vector<CMemArray> expected = rows;
    for (const int column : {0, 5, 2, 2, 4, 1, 3, 3}) {
        page->SortList1(column, true);
        std::stable_sort(expected.begin(), expected.end(),
                         [](const CMemArray& a, const CMemArray& b) { return CDlgMp3::CompareRows(a, b) < 0; });
        std::vector<std::string> got, want;
        for (const CMemArray& r : page->SongRows(1))
            got.push_back(r.GetCol(6));
        for (const CMemArray& r : expected)
            want.push_back(r.GetCol(6));
        ASSERT_EQ(got, want) << "column " << column << (g_sortDescending ? " descending" : " ascending");
    }
}

TEST_F(SortDragTest, ASortByRateOrLastPlayTakesTheFactsAfresh)
{
    start({{"music - rateactive", "true"}, {"music - trackdatetime", "true"}, {"music - trackname", "Plus Tip"}});
    // The rows were made before the songs were rated and played.
    table(1, {{"A", "", ""}, {"B", "", ""}, {"C", "", ""}});
    CppSQLite3DB db;
    db.Open(dir.file("mirtal.db"));
    for (auto [song, rate] : {std::pair{"A", 7}, {"B", 2}})
        db.Execute("INSERT INTO music (path, rate) VALUES ('/m/" + std::string(song) + ".mp3', '" +
                   std::to_string(rate) + "');");
    db.Close();
    CMusicDb m;
    m.AddTrack("B", "Plus Tip", 0, "2025-03-01", "20:00", 1, "/m/B.mp3", 2, 1);
    m.AddTrack("C", "Plus Tip", 0, "2025-01-10", "20:00", 1, "/m/C.mp3", 2, 1);
    m.AddTrack("A", "Mainstream", 0, "2025-06-01", "20:00", 1, "/m/A.mp3", 2, 1);

    page->SortList1(2, true);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(column(1, 2), (std::vector<std::string>{"0", "2", "7"}));
    page->SortList1(5, true);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"A", "C", "B"})) << "never played under the dance name first";
    EXPECT_EQ(column(1, 5), (std::vector<std::string>{"", "2025-01-10, 20:00", "2025-03-01, 20:00"}));
}

TEST_F(SortDragTest, EachListStartsWithTheDescendingFlagOfItsOwnSetting)
{
    start({{"music - listboxsortdesc3", "true"}});
    table(1, {{"A", "", ""}, {"B", "", ""}});
    table(3, {{"A", "", ""}, {"B", "", ""}});
    page->SortList(1, 0);
    page->SortList(3, 0);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(column(3, 0), (std::vector<std::string>{"B", "A"}));
}

TEST_F(SortDragTest, AHeaderClickSortsTheListUnderThePointer)
{
    start({{"music - nrlistboxes", "3"}});
    page->MoveWindow(CRect(0, 0, 900, 700));
    struct Case {
        int x, sorted;
    } cases[] = {{299, 1}, {300, 2}, {599, 2}, {600, 3}};
    for (const Case& c : cases) {
        for (int n = 1; n <= 3; ++n)
            table(n, {{"B", "a", ""}, {"A", "b", ""}});
        page->SortList1(1, false); // every list's first key is now another column
        page->SortList2(1, false);
        page->SortList3(1, false);
        headerClick(c.x, 0);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(column(n, 0)[0], n == c.sorted ? "A" : "B") << "x " << c.x << " list " << n;
    }
    for (int n = 1; n <= 3; ++n)
        page->SetSongRows(n, {});
    headerClick(10, 0); // an empty list: nothing
    EXPECT_TRUE(page->SongRows(1).empty());
}

TEST_F(SortDragTest, DraggingARowWithinAListMovesIt)
{
    start({{"music - colname1", "2"}});
    std::vector<std::string> songs;
    for (const char* n : {"S0", "S1", "S2", "S3", "S4", "S5", "S6"})
        songs.push_back(wav(std::string(n) + ".wav", 1));
    rows(1, songs);
    struct Case {
        int from, onto;  // onto -1: below the last row
        std::vector<std::string> order;
    } cases[] = {
        {5, 2, {"S0", "S1", "S5", "S2", "S3", "S4", "S6"}},
        {2, 5, {"S0", "S1", "S3", "S4", "S2", "S5", "S6"}},
        {3, 3, {"S0", "S1", "S2", "S3", "S4", "S5", "S6"}},
        {1, -1, {"S0", "S2", "S3", "S4", "S5", "S6", "S1"}},
    };
    for (const Case& c : cases) {
        rows(1, songs);
        drag(1, c.from, list(1), c.onto >= 0 ? rowCentre(1, c.onto) : belowLastRow(1));
        EXPECT_EQ(column(1, 1), c.order) << c.from << " -> " << c.onto;
        EXPECT_FALSE(list(1).GetItemState(std::max(c.onto, 0), LVIS_DROPHILITED));
    }
}

TEST_F(SortDragTest, DraggingToAnotherListCopiesWithThatListsNaming)
{
    start({{"music - nrlistboxes", "3"}, {"music - colname1", "2"}, {"music - colname3", "0"}});
    page->MoveWindow(CRect(0, 0, 780, 560)); // every list on the 800 x 600 test screen
    const std::string a = wav("RR 1 - Alpha.wav", 1), b = wav("RR 2 - Beta.wav", 1);
    rows(1, {a, b});
    rows(3, {a});
    drag(1, 1, list(3), rowCentre(3, 0));
    EXPECT_EQ(column(3, 3), (std::vector<std::string>{b, a}));
    EXPECT_EQ(page->SongRows(3)[0].GetCol(0), "RR 2") << "list 3 names by label and title";
    EXPECT_EQ(page->SongRows(3)[0].GetCol(1), "Beta");
    EXPECT_EQ(column(1, 3), (std::vector<std::string>{a, b})) << "the source keeps its row";
}

TEST_F(SortDragTest, TheRowUnderADragIsHighlightedUntilTheDrop)
{
    start({{"music - colname1", "2"}, {"music - listcolorR", "200"}, {"music - listcolorG", "201"},
           {"music - listcolorB", "202"}});
    rows(1, {wav("S0.wav", 1), wav("S1.wav", 1), wav("S2.wav", 1)});
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    beginDrag(1, 2);
    const CPoint at = moveTo(list(1), rowCentre(1, 0));
    CRect row;
    list(1).GetItemRect(0, row, LVIR_BOUNDS);
    EXPECT_GT(pixelsOfRow(1, 0, highlight), row.Width() / 2) << "the drop row shows the highlight";
    EXPECT_EQ(pixelsOfRow(1, 1, highlight), 0);
    moveTo(list(1), rowCentre(1, 1));
    EXPECT_EQ(pixelsOfRow(1, 0, highlight), 0) << "the highlight follows the pointer";
    EXPECT_GT(pixelsOfRow(1, 1, highlight), row.Width() / 2);
    page->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(pixelsOfRow(1, r, highlight), 0) << r;
    EXPECT_GT(pixelsOfRow(1, 1, RGB(200, 201, 202)), row.Width() / 2) << "the row shows the list colour again";
}

TEST_F(SortDragTest, ADropOnTheQueueMarksAndQueuesTheRow)
{
    start({{"music - columetype2", "2"}, {"music - songmarker2", "true"}});
    const std::string a = wav("Alpha.wav", 1), b = wav("Beta.wav", 1);
    rows(2, {a, b});
    auto& box = *static_cast<CListBox*>(page->GetDlgItem(1218));
    CRect r;
    box.GetClientRect(&r);
    drag(2, 1, box, r.CenterPoint());
    ASSERT_EQ(page->QueuedSongs().size(), 1u);
    EXPECT_EQ(page->QueuedSongs()[0].GetCol1(), b);
    EXPECT_EQ(page->QueuedSongs()[0].GetList(), 2);
    EXPECT_EQ(page->QueuedSongs()[0].GetRow(), 1);
    EXPECT_EQ(page->QueuedSongs()[0].GetCol2(), "2");
    EXPECT_EQ(box.GetText(0), "Beta");
    EXPECT_EQ(page->SongRows(2)[1].GetCol(7), "1") << "marked as played";
    EXPECT_TRUE(CMusicDb().IsMarked(b, 2, 0, "", 1));

    // A drop outside any list ends the drag without effect.
    drag(2, 0, *page, CPoint(5, 5));
    EXPECT_EQ(page->QueuedSongs().size(), 1u);
    EXPECT_EQ(page->SongRows(2).size(), 2u);
}

} // namespace
