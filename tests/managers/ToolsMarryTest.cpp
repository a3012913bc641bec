// The marry manager: its sources, marrying, deleting, sorting, the CSV file and its layout.
#include "ManagersFixture.h"
#include "managers/ToolsMarry.h"
#include "store/UtilityDb.h"

#include <QImage>
#include <QWidget>
#include <filesystem>

namespace {

class ToolsMarryTest : public managerstest::ManagersTest {
protected:
    void SetUp() override
    {
        ManagersTest::SetUp();
        for (const char* f : {"music/RR 123 - Happy Song.mp3", "music/Happy Song.mp3", "music/sub/Deep - Song.mp3",
                              "lyrics/RR 123 - Happy Song.htm", "lyrics/Other.txt"}) {
            std::filesystem::create_directories(std::filesystem::path(dir.file(f)).parent_path());
            testsupport::writeFile(dir.file(f), "x");
        }
        CUtilityDb utility;
        utility.Init();
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        db.Execute("INSERT INTO sqrecord VALUES ('ABC 101','Blue Moon','c','co','ABC 101 - Blue Moon','[yes]');");
        db.Execute("INSERT INTO sqrecord VALUES ('XY 7','None','c','co','XY 7 - None','[no]');");
        db.Close();
        CMusicDb m;
        m.SetSetting("marrydlg - start", "true", 1);
        m.SetSetting("marrydlg - dirpath", dir.file("music"), 1);
        m.SetSetting("music - subdir", "false", 1);
        m.SetSetting("music - sortplaylist", "true", 1);
        m.SetSetting("music - colsortglobal", "0", 1);
    }
    CToolsMarry* open()
    {
        page = std::make_unique<CToolsMarry>();
        EXPECT_TRUE(page->Create(CToolsMarry::IDD, nullptr));
        page->SetWindowPos(nullptr, 0, 0, 1000, 700, SWP_NOZORDER);
        page->ShowWindow(SW_SHOW);
        win::PumpMessages(10);
        return page.get();
    }
    void TearDown() override
    {
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        ManagersTest::TearDown();
    }
    CQuickList& list(int id) { return *static_cast<CQuickList*>(page->GetDlgItem(id)); }
    void click(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    std::vector<std::string> col(int list, int c)
    {
        std::vector<std::string> out;
        for (const auto& r : page->Rows(list))
            out.push_back(r.GetCol(c));
        return out;
    }
    int indexOf(int list, int c, const std::string& text)
    {
        const auto v = col(list, c);
        return int(std::find(v.begin(), v.end(), text) - v.begin());
    }
    std::unique_ptr<CToolsMarry> page;
};

using Texts = std::vector<std::string>;

TEST_F(ToolsMarryTest, RowsOfMusicLyricsAndCueSheets)
{
    open();
    EXPECT_EQ(col(CToolsMarry::kMusic, 0), (Texts{"", "RR 123"})); // sorted on load; the subfolder left out
    EXPECT_EQ(col(CToolsMarry::kMusic, 1), (Texts{"Happy Song", "Happy Song"}));
    EXPECT_EQ(col(CToolsMarry::kLyrics, 0), (Texts{"ABC 101"}));
    EXPECT_EQ(col(CToolsMarry::kLyrics, 2), (Texts{"[db]ABC 101"}));
    EXPECT_EQ(page->GetDlgItem(1527)->GetWindowText(), "Cuesheet Database");

    CMusicDb m;
    m.SetSetting("music - colnameglobal", "1", 1);
    m.SetSetting("music - subdir", "true", 1);
    page->DestroyWindow();
    open();
    EXPECT_EQ(col(CToolsMarry::kMusic, 0), (Texts{"Deep", "Happy Song", "RR 123"}));
    EXPECT_EQ(col(CToolsMarry::kMusic, 1), (Texts{"Song", "", "Happy Song"}));

    // A folder that cannot be entered: an empty list, nothing stored.
    page->LoadFolder(dir.file("nowhere"), 1, CToolsMarry::kLyrics);
    EXPECT_TRUE(page->Rows(CToolsMarry::kLyrics).empty());
    EXPECT_EQ(query("SELECT value FROM ini WHERE name='marrydlg - lyricsdirstart';"), "false|");
    page->LoadFolder(dir.file("lyrics"), 1, CToolsMarry::kLyrics);
    EXPECT_EQ(page->Rows(CToolsMarry::kLyrics).size(), 2u);
    EXPECT_EQ(query("SELECT value FROM ini WHERE name='marrydlg - lyricspath';"), dir.file("lyrics") + "|");
}

TEST_F(ToolsMarryTest, AddMarriesTheMarkedRowsAndDeleteRemovesTheMarriage)
{
    open();
    const int song = indexOf(CToolsMarry::kMusic, 0, "RR 123");
    list(1009).SetSelectionMark(song);
    list(1011).SetSelectionMark(0);
    click(1089);
    const std::string music = dir.file("music/RR 123 - Happy Song.mp3");
    EXPECT_EQ(query("SELECT * FROM marry;"), music + ",[db]ABC 101|");
    EXPECT_EQ(col(CToolsMarry::kMarriages, 0), (Texts{"RR 123 - Happy Song"}));
    EXPECT_EQ(col(CToolsMarry::kMarriages, 2), (Texts{"[db]ABC 101"}));

    // A second marriage of the same music replaces the first.
    page->LoadFolder(dir.file("lyrics"), 1, CToolsMarry::kLyrics);
    list(1011).SetSelectionMark(indexOf(CToolsMarry::kLyrics, 1, "Happy Song"));
    click(1089);
    EXPECT_EQ(query("SELECT * FROM marry;"), music + "," + dir.file("lyrics/RR 123 - Happy Song.htm") + "|");
    EXPECT_EQ(list(1446).GetItemCount(), 1);

    list(1446).SetSelectionMark(0);
    click(1090);
    EXPECT_EQ(query("SELECT * FROM marry;"), "");
    EXPECT_TRUE(page->Rows(CToolsMarry::kMarriages).empty());

    // View hands the marked lyrics entry to the main window.
    list(1011).SetSelectionMark(0);
    click(1194);
    EXPECT_EQ(g_htmlPath, page->Rows(CToolsMarry::kLyrics)[0].GetCol(2));
    EXPECT_EQ(mainWnd.codes.back(), UINT(CMD_SHOW_HTML));
}

TEST_F(ToolsMarryTest, TheMarriageListSortsAscendingThenDescendingWhicheverColumn)
{
    exec("INSERT INTO marry VALUES ('/m/b.mp3','/l/a.htm');");
    exec("INSERT INTO marry VALUES ('/m/a.mp3','/l/b.htm');");
    exec("INSERT INTO marry VALUES ('/m/c.mp3','/l/c.htm');");
    open();
    EXPECT_EQ(col(CToolsMarry::kMarriages, 0), (Texts{"b", "a", "c"})); // table order
    page->SortMarriages(0);
    EXPECT_EQ(col(CToolsMarry::kMarriages, 0), (Texts{"a", "b", "c"}));
    page->SortMarriages(2);
    EXPECT_EQ(col(CToolsMarry::kMarriages, 2), (Texts{"/l/c.htm", "/l/b.htm", "/l/a.htm"}));
}

TEST_F(ToolsMarryTest, ExportWritesTheListShownAndImportStoresItsLines)
{
    exec("INSERT INTO marry VALUES ('/m/b[\xC2\xA4]s.mp3','/l/a.htm');");
    exec("INSERT INTO marry VALUES ('/m/a.mp3','[db]ABC 101');");
    open();
    const std::string csv = dir.file("MarryLyrics.csv");
    std::vector<win::FileDialogRequest> asked;
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        asked.push_back(r);
        return std::vector<std::string>{csv};
    });
    click(1201);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].fileName, "MarryLyrics.csv");
    EXPECT_EQ(testsupport::readFile(csv), "/m/b's.mp3;/l/a.htm;\r\n/m/a.mp3;[db]ABC 101;\r\n");

    const std::string before = query("SELECT * FROM marry;");
    click(1185);
    EXPECT_EQ(query("SELECT * FROM marry;"), before);

    testsupport::writeFile(csv, "/m/new.mp3;/l/new.htm;\r\n;/l/x.htm;\r\nno separator\r\n");
    click(1185);
    EXPECT_EQ(page->Rows(CToolsMarry::kMarriages).size(), 3u);
    EXPECT_EQ(col(CToolsMarry::kMarriages, 1).back(), "/m/new.mp3");

    // A cancelled import still reloads the list.
    exec("DELETE FROM marry;");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
        return std::nullopt;
    });
    click(1185);
    EXPECT_TRUE(page->Rows(CToolsMarry::kMarriages).empty());
}

TEST_F(ToolsMarryTest, LayoutFollowsTheClientSize)
{
    exec("INSERT INTO marry VALUES ('/m/RR 123 - Happy Song.mp3','[db]ABC 101');");
    open();
    page->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOSIZE);
    CRect client;
    page->GetClientRect(client);
    const int w = client.Width(), h = client.Height(), a = w / 2;
    const auto place = [&](int id) {
        CRect r;
        page->GetDlgItem(id)->GetWindowRect(r);
        page->ScreenToClient(r);
        return r;
    };
    EXPECT_EQ(place(1009), CRect(22, 55, 22 + a - 90, 55 + 260));
    EXPECT_EQ(place(1011), CRect(a + 68, 55, a + 68 + a - 90, 315));
    EXPECT_EQ(place(1446), CRect(120, 398, 120 + w - 140, 398 + h - 418));
    EXPECT_EQ(place(1185), CRect(22, 520, 114, 562));
    EXPECT_EQ(list(1446).GetColumnWidth(0), (w - 162) / 2);
    EXPECT_EQ(list(1009).GetColumnWidth(1), a - 182);

    win::PumpMessages(20);
    const QImage shot = page->frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        shot.save(QString::fromStdString((std::filesystem::path(out) / "marry-manager.png").string()));
}

} // namespace
