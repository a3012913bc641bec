// The viewer page's sources and its steps through the entries.
#include "DlgListFixture.h"

#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "platform/win/ComboBox.h"

#include <algorithm>
#include <filesystem>
#include <set>

using namespace dlglisttest;

namespace {

// "n1" .. without an extension.
std::string title(int i)
{
    std::string name = "n";
    name += std::to_string(i);
    return name;
}

std::vector<std::string> numbered(int n)
{
    std::vector<std::string> entries;
    for (int i = 1; i <= n; ++i)
        entries.push_back(title(i).append(".txt"));
    return entries;
}

TEST_F(DlgListTest, IndexStepsStayInsideTheListAndTheShownIndexIsStored)
{
    struct Case {
        int stored;           // " - index" before the load
        void (CDlgList::*step)();
        int expected;
    };
    const Case cases[] = {
        {0, nullptr, 1},   {-3, nullptr, 1}, {500, nullptr, 100},
        {95, &CDlgList::OnIndexPlus10, 100}, {4, &CDlgList::OnIndexMinus10, 1},
        {50, &CDlgList::OnIndexPlus10, 60},  {50, &CDlgList::OnIndexMinus10, 40},
        {100, &CDlgList::OnIndexPlus1, 100}, {1, &CDlgList::OnIndexMinus1, 1},
        {7, &CDlgList::OnIndexPlus1, 8},     {7, &CDlgList::OnIndexMinus1, 6},
    };
    const std::string list = listFile(numbered(100));
    for (const Case& c : cases) {
        source(CDlgList::kListFile, list, c.stored);
        if (c.step)
            (page.get()->*c.step)();
        EXPECT_EQ(page->GetCurrentIndex(), c.expected) << c.stored;
        EXPECT_EQ(field(1088), std::to_string(c.expected));
        EXPECT_EQ(field(1068), "100");
        EXPECT_EQ(key("index"), std::to_string(c.expected));
        EXPECT_EQ(field(1086), title(c.expected));
    }
    EXPECT_EQ(field(1087), "list") << "the list file's title";
}

TEST_F(DlgListTest, ListLinesBecomeEntriesAsTheyAreAndAMissingListSaysSo)
{
    source(CDlgList::kListFile, listFile({"a.txt   ", "", "#EXTINF x", "[choreotable]plus[choreoname]x[choreotype]"}));
    ASSERT_EQ(page->GetEntryCount(), 4);
    EXPECT_EQ(page->GetFileList()[0].GetCol1(), "a.txt") << "trailing blanks go";
    EXPECT_EQ(page->GetFileList()[1].GetCol1(), "");
    EXPECT_EQ(page->GetFileList()[2].GetCol1(), "#EXTINF x");
    // Stepping onto the empty line changes nothing shown.
    page->OnIndexPlus1();
    EXPECT_EQ(page->GetCurrentIndex(), 2);
    EXPECT_EQ(field(1088), "1");
    EXPECT_EQ(field(1086), "a");

    source(CDlgList::kListFile, dir.file("missing.ini"));
    EXPECT_EQ(page->GetEntryCount(), 0);
    EXPECT_EQ(shownText(), "Open " + dir.file("missing.ini") + " failed!");
    EXPECT_EQ(field(1088), "0");
    EXPECT_EQ(field(1068), "0");
    page->OnIndexPlus10();
    page->OnRandom();
    EXPECT_EQ(field(1088), "0");
}

TEST_F(DlgListTest, AFolderListsItsDocumentsOnly)
{
    testsupport::TempDir folder;
    testsupport::writeFile(folder.file("TIP.TXT"), "tip\n");
    testsupport::writeFile(folder.file("song.mp3"), "x");
    std::filesystem::create_directory(folder.path() / "x.htm");
    source(CDlgList::kFolder, folder.str());
    ASSERT_EQ(page->GetEntryCount(), 1);
    EXPECT_EQ(page->GetFileList()[0].GetCol1(), folder.file("TIP.TXT"));
    EXPECT_EQ(field(1087), folder.str());
    EXPECT_EQ(shownText(), "tip\n");

    // The folder button stores the chosen folder as the page's source; Cancel changes nothing.
    setKey("type", "3");
    setKey("path", "x.txt");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        EXPECT_TRUE(r.folder);
        return std::vector<std::string>{folder.str()};
    });
    page->OnSelectFolder();
    EXPECT_EQ(key("type"), "2");
    EXPECT_EQ(key("path"), folder.str());
    EXPECT_EQ(page->GetEntryCount(), 1);
    win::SetFileDialogAnswerer([](const win::FileDialogRequest&) { return std::nullopt; });
    page->OnSelectFolder();
    EXPECT_EQ(key("path"), folder.str());

    // A folder that cannot be entered: an empty list and no message.
    source(CDlgList::kFolder, dir.file("nowhere"));
    EXPECT_EQ(page->GetEntryCount(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DlgListTest, AChosenFileIsStoredAsAListOrAsOneDocument)
{
    const std::string ini = listFile({"a.txt", "b.txt"}, "Dances.INI");
    testsupport::writeFile(dir.file("calls.pdf"), "%PDF-1.4\n");
    for (const auto& [file, type, count] :
         std::vector<std::tuple<std::string, std::string, int>>{{ini, "1", 2}, {dir.file("calls.pdf"), "3", 1}}) {
        win::SetFileDialogAnswerer([f = file](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
            EXPECT_EQ(r.defaultExt, ".ini");
            return std::vector<std::string>{f};
        });
        page->OnSelectFile();
        EXPECT_EQ(key("type"), type) << file;
        EXPECT_EQ(key("path"), file);
        EXPECT_EQ(page->GetEntryCount(), count);
    }
    // Cancel changes nothing.
    win::SetFileDialogAnswerer([](const win::FileDialogRequest&) { return std::nullopt; });
    page->OnSelectFile();
    EXPECT_EQ(key("path"), dir.file("calls.pdf"));
}

TEST_F(DlgListTest, RandomShowsEveryEntryOnceBeforeAnyComesAgain)
{
    source(CDlgList::kListFile, listFile(numbered(3)));
    std::set<int> seen{page->GetCurrentIndex()};
    page->OnRandom();
    seen.insert(page->GetCurrentIndex());
    page->OnRandom();
    seen.insert(page->GetCurrentIndex());
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3}));
    // Every entry shown: the marks are cleared and any may come, marked again.
    page->OnRandom();
    const auto& files = page->GetFileList();
    EXPECT_EQ(std::count_if(files.begin(), files.end(), [](const CFileList& f) { return f.GetCol2() == "1"; }), 1);
    EXPECT_EQ(files[size_t(page->GetCurrentIndex() - 1)].GetCol2(), "1");
    // Over many rounds each round of three shows all three.
    for (int round = 0; round < 20; ++round) {
        std::set<int> r;
        for (int i = 0; i < 3; ++i) {
            page->OnRandom();
            r.insert(page->GetCurrentIndex());
        }
        if (r.size() != 3)
            break; // rounds need not line up with the clearing of the marks
    }
}

TEST_F(DlgListTest, DatabaseSourcesListReferencesWithCaptions)
{
    CChoreoDb db;
    db.SaveEntry("plus", "Figure", "Easy", "heads square thru", 0, 1);
    db.SaveEntry("plus", "finale", "hard", "swing thru", 0, 1);
    db.SaveEntry("plus", "other", "easy", "nothing", 0, 1);
    db.SaveEntry("c1", "c1_chain", "assy", "x", 0, 1);
    db.SaveEntry("basic", "basic_one", "assy", "y", 0, 1);

    source(CDlgList::kDatabase, "[choreotable]plus[choreoname]fi[choreotype]easy[choreocall]square");
    EXPECT_EQ(field(1087), "DB: plus, Name: fi");
    EXPECT_EQ(field(1271), "Type: easy, Call: square");
    ASSERT_EQ(page->GetEntryCount(), 1);
    EXPECT_EQ(page->GetFileList()[0].GetCol1(), "[choreotable]plus[choreoname]figure[choreotype]easy");

    source(CDlgList::kDatabase, CChoreoRef::LevelQuery(3));
    EXPECT_EQ(field(1087), "DB: plus");
    EXPECT_EQ(field(1271), "");
    EXPECT_EQ(page->GetEntryCount(), 3);

    source(CDlgList::kDatabase, "sql=assy");
    EXPECT_EQ(field(1087), "sql=assy");
    ASSERT_EQ(page->GetEntryCount(), 2);
    std::vector<std::string> entries{page->GetFileList()[0].GetCol1(), page->GetFileList()[1].GetCol1()};
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"[choreotable]basic[choreoname]basic_one[choreotype]assy",
                                                 "[choreotable]c1[choreoname]c1_chain[choreotype]assy"}));
    // An own query that would write is not run.
    source(CDlgList::kDatabase, "sql=delete from plus");
    EXPECT_EQ(page->GetEntryCount(), 0);
    EXPECT_EQ(db.Search(CChoreoRef::LevelQuery(3), 1).RowCount(), 3);
}

TEST_F(DlgListTest, ANameWithAnApostropheOpensAndIsFoundAgain)
{
    CChoreoDb db;
    db.SaveEntry("plus", "O'Neil's", "", "line one<br>line two", 0, 1);
    source(CDlgList::kDatabase, CChoreoRef::LevelQuery(3));
    ASSERT_EQ(page->GetEntryCount(), 1);
    EXPECT_EQ(field(1086), "o'neil's");
    EXPECT_EQ(shownText(), "line one\nline two");
    // Kept for review and read back from the memory table, it still opens.
    page->OnSaveForReview();
    CMusicDb music;
    CppSQLite3Table memory = music.GetMemory(1);
    ASSERT_EQ(memory.RowCount(), 1);
    memory.SetRow(0);
    const std::string saved = MyFunctions().UnescapeSql(memory.FieldTextOr(0, ""));
    EXPECT_EQ(saved, page->GetFileList()[0].GetCol1());
    EXPECT_EQ(db.GetEntryValue(saved, 1), "line one<br>line two");
    EXPECT_EQ(db.Search(CChoreoRef("plus", "o'neil", "", "").GetEncoded(), 1).RowCount(), 1);
}

TEST_F(DlgListTest, SavingForReviewKeepsOneRowAndTellsTheMainWindowEachTime)
{
    source(CDlgList::kListFile, listFile({"a.txt", "b.txt"}));
    page->OnSaveForReview();
    page->OnSaveForReview();
    EXPECT_EQ(CMusicDb().GetMemory(1).RowCount(), 1);
    EXPECT_EQ(std::count(mainWnd.codes.begin(), mainWnd.codes.end(), CMD_MEMORY_REFRESH), 2);
}

TEST_F(DlgListTest, ThePickDialogStartsFromTheLevelAndItsResultBecomesTheSource)
{
    CChoreoDb().SaveEntry("plus", "figure", "easy", "v", 0, 1);
    std::string start;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.dialogId != 358)
            return std::nullopt;
        auto* levels = static_cast<CComboBox*>(q.window->GetDlgItem(1272));
        start = levels->GetCurSel() < 0 ? "" : levels->GetLBText(levels->GetCurSel());
        q.window->GetDlgItem(1086)->SetWindowText("fig");
        q.window->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), LPARAM(q.window->GetDlgItem(1097)->m_hWnd));
        return IDCANCEL;
    });
    source(CDlgList::kListFile, listFile({"a.txt"}));
    page->OnChoreographyFromDb();
    EXPECT_EQ(start, "Plus");
    EXPECT_EQ(key("type"), "4");
    EXPECT_EQ(key("path"), "[choreotable]plus[choreoname]fig[choreotype][choreocall]");
    EXPECT_EQ(page->GetEntryCount(), 1);
}

} // namespace
