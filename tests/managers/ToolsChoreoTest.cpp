// The choreography manager: its sources, the right list's editing and file,
// the searches and the maintenance keyword.
#include "ManagersFixture.h"
#include "managers/ToolsChoreo.h"
#include "store/ChoreoDb.h"

#include <QImage>
#include <QWidget>
#include <filesystem>

namespace {

class ToolsChoreoTest : public managerstest::ManagersTest {
protected:
    void SetUp() override
    {
        ManagersTest::SetUp();
        CChoreoDb choreo;
        choreo.Create();
        choreo.SaveEntry("plus", "mixer_3", "easy", "Heads Spin Chain Thru", 0, 1);
        choreo.SaveEntry("plus", "singer_1", "hard", "Sides Square Thru", 0, 1);
        choreo.SaveEntry("plus", "figure_2", "", "Swing Thru", 0, 1);
    }
    CToolsChoreo* open()
    {
        page = std::make_unique<CToolsChoreo>();
        EXPECT_TRUE(page->Create(CToolsChoreo::IDD, nullptr));
        page->SetWindowPos(nullptr, 0, 0, 1000, 600, SWP_NOZORDER);
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
    void setting(const std::string& name, const std::string& value)
    {
        CMusicDb m;
        m.SetSetting(name, value, 1);
    }
    std::string stored(const std::string& name) { return query("SELECT value FROM ini WHERE name='" + name + "';"); }
    CQuickList& list(int id) { return *static_cast<CQuickList*>(page->GetDlgItem(id)); }
    void click(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void search(const std::string& text, int button)
    {
        page->GetDlgItem(1067)->SetWindowText(text);
        click(button);
    }
    static std::vector<std::string> col(const std::vector<CMemArray>& rows, int c)
    {
        std::vector<std::string> out;
        for (const auto& r : rows)
            out.push_back(r.GetCol(c));
        return out;
    }
    // A right list of the given titles (entries "/c/<title>.htm").
    void rightList(std::initializer_list<const char*> titles)
    {
        std::string text;
        for (const char* t : titles)
            text += std::string("/c/") + t + ".htm\r\n";
        testsupport::writeFile(dir.file("right.ini"), text);
        page->LoadList(dir.file("right.ini"), 1);
    }
    std::unique_ptr<CToolsChoreo> page;
};

using Texts = std::vector<std::string>;

TEST_F(ToolsChoreoTest, ALevelTableSourceListsItsEntriesAndReloadAlternatesTheOrder)
{
    setting("choreodlg - dirpath", "[choreotable]plus");
    open();
    EXPECT_EQ(page->SourceText(), "Database: PLUS");
    EXPECT_EQ(page->GetDlgItem(1209)->GetWindowText(), "Database: PLUS");
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"figure_2", "mixer_3", "singer_1"}));
    EXPECT_EQ(page->LeftRows()[1].GetCol(1), "[choreotable]plus[choreoname]mixer_3[choreotype]easy[choreocall]");
    click(1197);
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"singer_1", "mixer_3", "figure_2"}));
    click(1197);
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"figure_2", "mixer_3", "singer_1"}));

    // View hands the encoded reference to the main window.
    list(1009).SetSelectionMark(1);
    click(1206);
    EXPECT_EQ(g_htmlPath, page->LeftRows()[1].GetCol(1));
    EXPECT_EQ(mainWnd.codes.back(), UINT(CMD_SHOW_HTML_PLAIN));
}

TEST_F(ToolsChoreoTest, DatabaseOpensTheChosenLevelTableAndRemembersIt)
{
    CChoreoDb().SaveEntry("basic", "start_1", "", "Heads Square Thru", 0, 1);
    open();
    dialogAnswer = [](CWnd*, UINT id) { return id == 356 ? IDOK : IDCANCEL; }; // Basic, as the picker starts
    click(1272);
    EXPECT_EQ(page->SourceText(), "Database: BASIC");
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"start_1"}));
    EXPECT_EQ(stored("choreodlg - dirpath"), "[choreotable]basic|");
    dialogAnswer = nullptr;
    click(1272); // cancelled: nothing changes
    EXPECT_EQ(page->SourceText(), "Database: BASIC");
}

TEST_F(ToolsChoreoTest, AFolderSourceListsItsFilesAndAFolderThatCannotBeEnteredNothing)
{
    for (const char* f : {"choreo/a.htm", "choreo/b.pdf", "choreo/sub/c.htm"}) {
        std::filesystem::create_directories(std::filesystem::path(dir.file(f)).parent_path());
        testsupport::writeFile(dir.file(f), "x");
    }
    setting("choreodlg - dirpath", dir.file("choreo"));
    open();
    Texts titles = col(page->LeftRows(), 0);
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (Texts{"a", "b"}));

    page->LoadSource(dir.file("gone"), 1);
    EXPECT_TRUE(page->LeftRows().empty());
    EXPECT_EQ(list(1009).GetItemCount(), 0);
    EXPECT_EQ(stored("choreodlg - dirpath"), dir.file("choreo") + "|");
}

TEST_F(ToolsChoreoTest, AddCutsOnlyTheDataFolderPrefixAndInsertsAtTheMark)
{
    open();
    rightList({"r0", "r1", "r2", "r3", "r4"});
    std::filesystem::create_directories(dir.file("Choreo"));
    testsupport::writeFile(dir.file("Choreo/x.htm"), "x");
    page->LoadSource(dir.file("Choreo"), 1);
    ASSERT_EQ(page->LeftRows().size(), 1u);

    click(1208); // Relative Path on
    EXPECT_EQ(stored("choreodlg - relative"), "true|");
    list(1009).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list(1011).SetSelectionMark(2);
    click(1089);
    EXPECT_EQ(col(page->RightRows(), 1)[2], "Choreo/x.htm");
    EXPECT_EQ(col(page->RightRows(), 0)[3], "r2");

    // A double click adds the full path.
    list(1011).SetSelectionMark(-1);
    list(1009).SetSelectionMark(0);
    NMHDR hdr{list(1009).m_hWnd, 1009, NM_DBLCLK};
    page->SendMessage(WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(col(page->RightRows(), 1).back(), dir.file("Choreo/x.htm"));

    // A folder whose path differs from the data folder's in case only keeps its full path.
    std::string twin = dir.str();
    const size_t nameAt = twin.find_last_of('/') + 1;
    twin[nameAt] = char(std::toupper(static_cast<unsigned char>(twin[nameAt])));
    ASSERT_NE(twin, dir.str());
    std::filesystem::create_directories(twin + "/Choreo");
    testsupport::writeFile(twin + "/Choreo/y.htm", "y");
    page->LoadSource(twin + "/Choreo", 1);
    list(1009).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    click(1089);
    std::filesystem::remove_all(twin);
    EXPECT_EQ(col(page->RightRows(), 1).back(), twin + "/Choreo/y.htm");
}

TEST_F(ToolsChoreoTest, ThreeSelectedLeftRowsGoBeforeTheMarkedRightRow)
{
    setting("choreodlg - dirpath", "[choreotable]plus");
    open();
    rightList({"r0", "r1", "r2", "r3", "r4"});
    for (int i = 0; i < 3; ++i)
        list(1009).SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    list(1011).SetSelectionMark(2);
    click(1089);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"r0", "r1", "figure_2", "mixer_3", "singer_1", "r2", "r3", "r4"}));
}

TEST_F(ToolsChoreoTest, DragsWithinTheRightListAndFromTheLeft)
{
    setting("choreodlg - dirpath", "[choreotable]plus");
    open();
    const struct {
        int dragged, drop;
        Texts result;
    } cases[] = {
        {0, 2, {"B", "C", "A"}},
        {0, 1, {"B", "A", "C"}},
        {2, 0, {"C", "A", "B"}},
        {0, -1, {"B", "C", "A"}},
    };
    for (const auto& c : cases) {
        rightList({"A", "B", "C"});
        page->DropRows(&list(1011), &list(1011), c.drop, c.dragged);
        EXPECT_EQ(col(page->RightRows(), 0), c.result) << c.dragged << " onto " << c.drop;
    }
    rightList({"A", "B", "C"});
    list(1009).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list(1009).SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    page->DropRows(&list(1009), &list(1011), 1, 0);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"A", "figure_2", "singer_1", "B", "C"}));
    page->DropRows(&list(1011), &list(1009), 0, 0); // onto the left list: nothing
    EXPECT_EQ(page->RightRows().size(), 5u);
}

TEST_F(ToolsChoreoTest, AMouseDragFromTheLeftListDropsOnTheRowUnderThePointer)
{
    setting("choreodlg - dirpath", "[choreotable]plus");
    open();
    rightList({"A", "B", "C"});
    win::PumpMessages(20);
    list(1009).SetItemState(1, LVIS_SELECTED, LVIS_SELECTED); // mixer_3
    NMLISTVIEW begin{};
    begin.hdr = NMHDR{list(1009).m_hWnd, 1009, LVN_BEGINDRAG};
    begin.iItem = 1;
    CRect from;
    list(1009).GetItemRect(1, from, LVIR_BOUNDS);
    begin.ptAction = from.CenterPoint();
    page->SendMessage(WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&begin));

    CRect onto;
    list(1011).GetItemRect(1, onto, LVIR_BOUNDS); // B
    CPoint at = onto.CenterPoint();
    list(1011).ClientToScreen(&at);
    page->ScreenToClient(&at);
    page->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(list(1011).GetItemState(1, LVIS_DROPHILITED));
    page->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"A", "mixer_3", "B", "C"}));
    EXPECT_FALSE(list(1011).GetItemState(1, LVIS_DROPHILITED));
}

TEST_F(ToolsChoreoTest, UpDownDeleteSaveAndReload)
{
    open();
    click(1202); // Reload before any list: empty, and the empty path stored
    EXPECT_EQ(stored("choreodlg - listpath"), "|");
    rightList({"A", "B", "C"});
    list(1011).SetSelectionMark(0);
    click(1203);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"A", "B", "C"}));
    click(1093);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"B", "A", "C"}));
    EXPECT_EQ(list(1011).GetSelectionMark(), 1);
    list(1011).SetSelectionMark(2);
    click(1093);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"B", "A", "C"}));
    list(1011).SetSelectionMark(0);
    click(1201);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"A", "C"}));

    const std::string out = dir.file("saved.ini");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
        return std::vector<std::string>{out};
    });
    click(1200);
    EXPECT_EQ(testsupport::readFile(out), "/c/A.htm\r\n/c/C.htm\r\n");
    EXPECT_EQ(stored("choreodlg - listpath"), out + "|");
    EXPECT_EQ(page->GetDlgItem(1204)->GetWindowText(), out);
}

TEST_F(ToolsChoreoTest, FindFileAndFindCallKeepTheSourceOrderAndRecordEachSearch)
{
    std::filesystem::create_directories(dir.file("c"));
    testsupport::writeFile(dir.file("c/Mixer 1.htm"), "Heads square thru\r\n");
    testsupport::writeFile(dir.file("c/mixer-2.txt"), "swing thru\r\n");
    testsupport::writeFile(dir.file("c/Singer.htm"), "SQUARE THRU four\r\n");
    setting("choreodlg - dirpath", dir.file("c"));
    open();
    const Texts source = col(page->LeftRows(), 1);
    search("mix", 1207);
    Texts expected;
    for (const auto& e : source)
        if (e.find("ixer") != std::string::npos)
            expected.push_back(e);
    EXPECT_EQ(col(page->LeftRows(), 1), expected);
    search("Square Thru", 1198);
    expected.clear();
    for (const auto& e : source)
        if (e.find("Mixer 1") != std::string::npos || e.find("Singer") != std::string::npos)
            expected.push_back(e);
    EXPECT_EQ(col(page->LeftRows(), 1), expected); // the whole source again, not the last result
    EXPECT_EQ(page->SourceText(), dir.file("c") + ", Search For: mix, Search For: Square Thru");
    search("", 1207);
    EXPECT_EQ(page->LeftRows().size(), expected.size());
}

TEST_F(ToolsChoreoTest, TheTypeKeywordSetsOrAppendsTypesAndRefusesABadArgumentBeforeWriting)
{
    setting("choreodlg - dirpath", "[choreotable]plus");
    open();
    list(1009).SetItemState(1, LVIS_SELECTED, LVIS_SELECTED); // mixer_3
    list(1009).SetItemState(2, LVIS_SELECTED, LVIS_SELECTED); // singer_1
    click(1089);
    CChoreoDb choreo;
    const auto typeOf = [&](const char* name) {
        return choreo.GetEntryType(std::string("[choreotable]plus[choreoname]") + name + "[choreotype]", 1);
    };
    search("sorbetfjordlynxa plus*updatefast", 1198);
    EXPECT_EQ(typeOf("mixer_3"), "easy, fast");
    EXPECT_EQ(typeOf("singer_1"), "hard, fast");
    EXPECT_EQ(typeOf("figure_2"), "");
    search("sorbetfjordlynxa plus*slow", 1198);
    EXPECT_EQ(typeOf("mixer_3"), "slow");
    EXPECT_TRUE(boxes.empty());

    for (const char* bad : {"sorbetfjordlynxa plus slow", "sorbetfjordlynxa nolevel*slow"}) {
        boxes.clear();
        search(bad, 1198);
        EXPECT_EQ(boxes.size(), 1u) << bad;
        EXPECT_EQ(typeOf("mixer_3"), "slow");
    }
    // The import keyword stores the text files of a chosen folder in a chosen level.
    std::filesystem::create_directories(dir.file("texts"));
    testsupport::writeFile(dir.file("texts/new_1.txt"), "Heads Star Thru\r\n");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
        return std::vector<std::string>{dir.file("texts")};
    });
    dialogAnswer = [](CWnd*, UINT id) { return id == 356 ? IDOK : IDCANCEL; }; // Basic
    search("plumtaxiweld", 1198);
    EXPECT_TRUE(choreo.HasEntry("basic", "new_1", 1));
    dialogAnswer = nullptr;

    // The keyword with a trailing blank is an ordinary search.
    search("plumtaxiweld ", 1198);
    EXPECT_TRUE(page->LeftRows().empty());
}

TEST_F(ToolsChoreoTest, Layout)
{
    setting("choreodlg - dirpath", "[choreotable]plus");
    open();
    rightList({"A", "B"});
    CRect client;
    page->GetClientRect(client);
    const int w = client.Width(), h = client.Height(), m = w / 2;
    const auto place = [&](int id) {
        CRect r;
        page->GetDlgItem(id)->GetWindowRect(r);
        page->ScreenToClient(r);
        return r;
    };
    EXPECT_EQ(place(1009), CRect(22, 55, 22 + m - 100, h - 125));
    EXPECT_EQ(place(1011), CRect(m + 78, 55, m + 78 + m - 100, h - 125));
    EXPECT_EQ(place(1062), CRect(w - 56, h - 116, w - 21, h - 96));
    EXPECT_EQ(list(1009).GetColumnWidth(0), m - 122);
    win::PumpMessages(20);
    const QImage shot = page->frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        shot.save(QString::fromStdString((std::filesystem::path(out) / "choreo-manager.png").string()));
}

} // namespace
