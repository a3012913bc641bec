// The track manager: the log newest first and its limit, Delete, the export
// line and header, the import and what it adds, and Ctrl+A.
#include "ManagersFixture.h"
#include "controls/ControlShots.h"
#include "managers/ToolsTrack.h"
#include "platform/win/Input.h"

namespace managerstest {
namespace {

class ToolsTrackTest : public ManagersTest {
protected:
    std::unique_ptr<CToolsTrack> page;

    void TearDown() override
    {
        win::SetHeldModifiers(std::nullopt);
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        ManagersTest::TearDown();
    }
    CToolsTrack& open()
    {
        page = std::make_unique<CToolsTrack>();
        EXPECT_TRUE(page->Create(CToolsTrack::IDD, &mainWnd));
        page->ShowWindow(SW_SHOW);
        return *page;
    }
    void play(const std::string& date, const std::string& time, const std::string& title, const std::string& name,
              int list, const std::string& path, int level)
    {
        CMusicDb().AddTrack(title, name, 0, date, time, list, path, level, 1);
    }
    // n plays, one a minute from 2020-01-01 00:00 on; the newest is the last.
    void plays(int n)
    {
        exec("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < " + std::to_string(n - 1) +
             ") INSERT INTO track SELECT date('2020-01-01', '+' || (i / 1440) || ' days'), "
             "printf('%02d:%02d', (i / 60) % 24, i % 60), 'Song ' || i, 'Dance', '1', '/m/s' || i || '.mp3', 3 "
             "FROM k;");
    }
    std::string titles()
    {
        std::string out;
        for (const CMemArray& r : page->Rows())
            out += r.GetCol(0) + "|";
        return out;
    }
    void press(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void selectRows(const std::vector<int>& rows)
    {
        page->List().SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            page->List().SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    void answerFile(const std::string& path)
    {
        win::SetFileDialogAnswerer([path](const win::FileDialogRequest& r) -> std::vector<std::string> {
            EXPECT_EQ(r.fileName, "Trackdatabase.csv");
            return {path};
        });
    }
};

TEST_F(ToolsTrackTest, ShowsTheLogNewestFirstWithLevelNames)
{
    play("2024-05-01", "21:15", "Sun It[¤]s", "Fun", 2, "/m/sun.mp3", 3);
    play("2024-05-02", "09:00", "Moon", "Fun", 1, "/m/moon.mp3", 12);
    play("2024-05-01", "22:00", "Star", "Club", 3, "/m/star.mp3", 10);
    CToolsTrack& p = open();
    EXPECT_EQ(titles(), "Moon|Star|Sun It's|");
    EXPECT_EQ(page->GetDlgItem(1068)->GetWindowText(), "3");
    EXPECT_EQ(p.Rows()[1].GetCol(6), "Challenge 4");
    EXPECT_EQ(p.Rows()[0].GetCol(6), "") << "a level outside 1 to 10 has no name";
    EXPECT_EQ(p.List().GetItemText(2, 5), "/m/sun.mp3");
    EXPECT_EQ(p.List().GetItemText(2, 6), "Plus");
    EXPECT_EQ(p.List().GetColumnWidth(5), 0) << "the path column is closed";
    p.MoveWindow(0, 0, 900, 500);
    shots::grab(p, "track-manager");
}

TEST_F(ToolsTrackTest, ShowsAtMostTwentyThousandRowsTheNewest)
{
    plays(20000);
    CToolsTrack& p = open();
    EXPECT_EQ(p.List().GetItemCount(), 20000);
    EXPECT_EQ(boxes, std::vector<std::string>{"The limit on the number of records is exceeded."});
    p.DestroyWindow();

    boxes.clear();
    plays(1); // the same rows again would be no new plays: one older play
    exec("UPDATE track SET date='2019-12-31' WHERE rowid = (SELECT max(rowid) FROM track);");
    open();
    EXPECT_EQ(page->List().GetItemCount(), 20000);
    EXPECT_EQ(page->Rows().front().GetCol(0), "Song 19999");
    EXPECT_EQ(page->Rows().back().GetCol(0), "Song 0") << "the one older play is not shown";
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ToolsTrackTest, ExportWritesTheHeaderAndTheSelectedRowsAndReimportAddsNothing)
{
    play("2024-05-01", "21:15", "Sunshine", "Fun", 2, "/m/sun.mp3", 3);
    play("2024-05-01", "20:00", "It[¤]s me", "Fun", 1, "/m/It[¤]s.mp3", 4);
    open();
    press(1184);
    EXPECT_EQ(boxes, std::vector<std::string>{"Make a selection first"});

    selectRows({0, 1});
    answerFile(dir.file("t.csv"));
    press(1184);
    EXPECT_EQ(testsupport::readFile(dir.file("t.csv")),
              "Date;Time;Title;Name;List;Path;Level\r\n"
              "2024-05-01;21:15;Sunshine;Fun;2;/m/sun.mp3;Plus\r\n"
              "2024-05-01;20:00;It's me;Fun;1;/m/It's.mp3;Advance 1\r\n");

    press(1185);
    EXPECT_EQ(query("SELECT count(*) FROM track;"), "2|") << "every entry exists already, apostrophes included";

    exec("DELETE FROM track;");
    press(1185);
    EXPECT_EQ(query("SELECT path, fullpath, level FROM track ORDER BY time;"),
              "It[¤]s me,/m/It[¤]s.mp3,4|Sunshine,/m/sun.mp3,3|");
    EXPECT_EQ(titles(), "Sunshine|It's me|");
}

TEST_F(ToolsTrackTest, TheReaderSkipsHeadersAndShortLines)
{
    testsupport::writeFile(dir.file("in.csv"), "Title;Date;Time;Name;List;Path;Level\r\n"
                                               "Date;Time;Title;Name;List;Path;Level\r\n"
                                               ";2024-01-01;10:00;A;F;1;/m/a.mp3;Plus\r\n"
                                               "2024-01-01;10:00;B;F;1\r\n"
                                               "\r\n"
                                               "2024-01-02;11:00;C;F;x;/m/c.mp3\r\n"
                                               "2024-01-03;12:00;D;F;2;/m/d.mp3;a2;more\r\n"
                                               "2024-01-04;13:00;E;F;2;;Plus\r\n");
    open();
    answerFile(dir.file("in.csv"));
    press(1185);
    EXPECT_EQ(query("SELECT path, list, fullpath, level FROM track ORDER BY date;"),
              "C,0,/m/c.mp3,0|D,2,/m/d.mp3,0|")
        << "six fields: level 0; an unknown level text: 0; an empty path: nothing";
    EXPECT_EQ(page->Rows().back().GetCol(6), "");
}

TEST_F(ToolsTrackTest, DeleteRemovesEveryIdenticalEntryAndShowsTheOldestFirst)
{
    play("2024-05-03", "10:00", "A", "Fun", 1, "/m/a.mp3", 3);
    play("2024-05-03", "10:00", "A", "Fun", 2, "/m/a.mp3", 3); // the same entry from another list
    play("2024-05-01", "10:00", "B", "Fun", 1, "/m/b.mp3", 3);
    play("2024-05-02", "10:00", "C", "Fun", 1, "/m/c.mp3", 3);
    CToolsTrack& p = open();
    EXPECT_EQ(titles(), "A|A|C|B|");
    boxAnswers["Do you want to delete the selected items?"] = IDNO;
    selectRows({0});
    p.List().SetSelectionMark(0);
    press(1183);
    EXPECT_EQ(query("SELECT count(*) FROM track;"), "4|");

    boxAnswers["Do you want to delete the selected items?"] = IDYES;
    press(1183);
    EXPECT_EQ(query("SELECT path FROM track ORDER BY date;"), "B|C|");
    EXPECT_EQ(titles(), "B|C|") << "after a deletion the oldest date comes first";
    EXPECT_EQ(p.List().GetSelectionMark(), -1);
    EXPECT_EQ(p.SortState().Leading(), 1);
}

TEST_F(ToolsTrackTest, CtrlAThenExportWritesTheWholeLog)
{
    plays(5);
    CToolsTrack& p = open();
    MSG key{};
    key.hwnd = p.List().m_hWnd;
    key.message = WM_KEYDOWN;
    key.wParam = 'A';
    p.PreTranslateMessage(&key);
    EXPECT_EQ(p.List().GetSelectedCount(), 0u) << "A alone selects nothing";
    win::SetHeldModifiers(MK_CONTROL);
    EXPECT_TRUE(p.PreTranslateMessage(&key));
    EXPECT_EQ(p.List().GetSelectedCount(), 5u);
    answerFile(dir.file("all.csv"));
    press(1184);
    const std::string file = testsupport::readFile(dir.file("all.csv"));
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 6);
}

TEST_F(ToolsTrackTest, HeaderClicksSortByTheKeysAndReloadStartsAscending)
{
    play("2024-05-01", "10:00", "b", "Z", 1, "/m/b.mp3", 3);
    play("2024-05-02", "10:00", "a", "Y", 1, "/m/a.mp3", 3);
    play("2024-05-03", "10:00", "c", "X", 1, "/m/c.mp3", 3);
    CToolsTrack& p = open();
    auto click = [&](int column) {
        NMHEADER nm;
        nm.hdr.hwndFrom = p.List().GetHeaderCtrl()->m_hWnd;
        nm.hdr.code = HDN_ITEMCLICK;
        nm.iItem = column;
        p.List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
    };
    click(3);
    EXPECT_EQ(titles(), "c|a|b|");
    click(3);
    EXPECT_EQ(titles(), "b|a|c|");
    p.Reload();
    EXPECT_EQ(p.SortState().descending, 0);
    EXPECT_EQ(titles(), "c|a|b|") << "the fill keeps the log's order, newest first";
}

} // namespace
} // namespace managerstest
