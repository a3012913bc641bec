// Find Lyrics: the rows it lists from candidates and searches, sorting, View,
// OK with and without marrying, its settings, and the modal use.
#include "LyricsFixture.h"

#include "texts/MarryDlg.h"
#include "store/CommandCodes.h"

#include <memory>
#include <tuple>

using namespace lyricstest;

namespace {

using Row = std::tuple<std::string, std::string, std::string, std::string>;

class MarryDlgTest : public LyricsTest {
protected:
    std::unique_ptr<CMarryDlg> dlg;

    // The modeless window as the music page makes it.
    void open(const std::string& musicPath = "/music/RR 7 - Sunny.mp3", int fromLyricsPage = 0)
    {
        dlg = std::make_unique<CMarryDlg>(nullptr);
        ASSERT_TRUE(dlg->Create(CMarryDlg::IDD, &mainWnd));
        dlg->Setup(g_lyricsCandidates, musicPath);
        dlg->SetOpenedFromLyricsPage(fromLyricsPage);
        dlg->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (dlg && dlg->m_hWnd)
            dlg->DestroyWindow();
        dlg.reset();
        LyricsTest::TearDown();
    }
    // The rows as the list shows them, cell by cell.
    std::vector<Row> shownRows()
    {
        std::vector<Row> rows;
        CQuickList& list = dlg->GetList();
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.emplace_back(list.GetItemText(i, 0), list.GetItemText(i, 1), list.GetItemText(i, 2),
                              list.GetItemText(i, 3));
        return rows;
    }
    std::vector<std::string> headers()
    {
        std::vector<std::string> texts;
        for (int c = 0; c < 4; ++c) {
            char buffer[64] = {};
            LVCOLUMN column{};
            column.mask = LVCF_TEXT;
            column.pszText = buffer;
            column.cchTextMax = sizeof buffer;
            dlg->GetList().GetColumn(c, &column);
            texts.push_back(buffer);
        }
        return texts;
    }
    std::string text(int id) { return dlg->GetDlgItem(id)->GetWindowText(); }
    void setText(int id, const std::string& value) { dlg->GetDlgItem(id)->SetWindowText(value); }
    void select(int row) { dlg->GetList().SetSelectionMark(row); }
    std::vector<std::string> paths()
    {
        std::vector<std::string> out;
        for (const CMemArray& row : dlg->GetRows())
            out.push_back(row.GetCol2());
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(MarryDlgTest, CandidateRowsFollowTheNamingModeAsTheirKindSays)
{
    g_lyricsCandidates[0] = "C:\\Lyrics\\RR 101 - My Song.htm";
    g_lyricsCandidates[5] = "[db]RR 102 - Other";
    struct Case {
        std::string mode;
        std::vector<std::string> headers;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"0",
         {"Label", "Title", "Path", "Level"},
         {{"RR 101", "My Song", "C:\\Lyrics\\RR 101 - My Song.htm", ""}, {"RR 102", "Other", "[db]RR 102", ""}}},
        {"1",
         {"Title", "Label", "Path", "Level"},
         {{"RR 101", "My Song", "C:\\Lyrics\\RR 101 - My Song.htm", ""}, {"Other", "RR 102", "[db]RR 102", ""}}},
    };
    for (const Case& c : cases) {
        setting("music - colnameglobal", c.mode);
        open();
        EXPECT_EQ(headers(), c.headers) << c.mode;
        EXPECT_EQ(shownRows(), c.rows) << c.mode;
        EXPECT_EQ(dlg->GetList().GetColumnWidth(2), 0) << "the path column is hidden";
        EXPECT_EQ(text(1120), c.mode == "1" ? "Title:" : "Label:");
        EXPECT_EQ(text(1121), c.mode == "1" ? "Label:" : "Title:");
        dlg->DestroyWindow();
    }
}

TEST_F(MarryDlgTest, TheSearchFieldsComeFromTheMusicFileTitle)
{
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"/music/RR 7 - Sunny.mp3", "RR 7", "Sunny"},
        {"/music/Just A Title.mp3", "", "Just A Title"},
        {"/music/RR 101 - .mp3", "", "RR 101"},
        {"", "", ""},
    };
    for (const auto& [music, first, second] : cases) {
        open(music);
        EXPECT_EQ(text(1267), first) << music;
        EXPECT_EQ(text(1268), second) << music;
        dlg->DestroyWindow();
    }
}

TEST_F(MarryDlgTest, AllLevelsByDefaultShowsTheCurrentLevelOnEveryCandidate)
{
    setting("lyrics - searchorder", "3");
    setting("lyrics - subdir", "true");
    g_danceLevel = 3;
    g_lyricsCandidates[0] = "/l/RR 1 - A.htm";
    g_lyricsCandidates[1] = "[db]RR 2 - B";
    open();
    EXPECT_EQ(dlg->GetSource(), CMarryDlg::kAllLevels);
    EXPECT_EQ(dlg->GetRows()[0].GetCol3(), "Plus");
    EXPECT_EQ(dlg->GetRows()[1].GetCol3(), "Plus");
}

TEST_F(MarryDlgTest, TheDefaultSourceFollowsTheSearchOrder)
{
    const std::tuple<std::string, std::string, int> cases[] = {
        {"0", "true", 0}, {"2", "true", 0}, {"1", "false", 1}, {"3", "false", 1}, {"1", "true", 2},
    };
    for (const auto& [order, subdir, source] : cases) {
        setting("lyrics - searchorder", order);
        setting("lyrics - subdir", subdir);
        open();
        EXPECT_EQ(dlg->GetSource(), source) << order << subdir;
        EXPECT_EQ(dlg->IsDlgButtonChecked(1136 + source), BST_CHECKED) << order << subdir;
        dlg->DestroyWindow();
    }
}

TEST_F(MarryDlgTest, ADatabaseSearchListsRecordsWithACueSheetWhoseLabelTitleHoldsTheText)
{
    record("RR 7", "Sunny", "sheet");
    record("RR 8", "SUNDOWN", "sheet");
    record("RR 9", "Sunflower", ""); // no cue sheet
    record("RR 10", "Moon", "sheet");
    setting("music - colnameglobal", "1");
    open();
    setText(1268, "sun");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1266, BN_CLICKED), 0);
    EXPECT_EQ(paths(), (std::vector<std::string>{"[db]RR 7", "[db]RR 8"}));
    EXPECT_EQ(text(1268), "sun") << "the database is searched as typed";
    for (const CMemArray& row : dlg->GetRows())
        if (row.GetCol2() == "[db]RR 7") {
            EXPECT_EQ(row.GetCol0(), "Sunny");
            EXPECT_EQ(row.GetCol1(), "RR 7");
            EXPECT_EQ(row.GetCol3(), "");
        }
    EXPECT_EQ(dlg->GetList().GetItemCount(), 2);
}

TEST_F(MarryDlgTest, AFolderSearchListsNonAudioFilesWhoseTitleHoldsTheTextInCapitals)
{
    for (const char* name : {"Sunny.htm", "SUNRISE.pdf", "Sunny.mp3", "RR 7 - Sunny.htm", "Moon.htm"})
        file(std::string("lyrics/") + name);
    std::filesystem::create_directories(dir.file("lyrics/Sunny folder"));
    g_lyricsPathGlobal = dir.file("lyrics");
    setting("music - colnameglobal", "1");
    g_lyricsCandidates[0] = dir.file("lyrics/RR 7 - Sunny.htm");
    open();
    EXPECT_EQ(dlg->GetRows()[0].GetCol0(), "RR 7") << "a candidate keeps the order of its name";
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
    EXPECT_EQ(dlg->GetSource(), CMarryDlg::kDirectory);
    setText(1267, "sun");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1265, BN_CLICKED), 0);
    EXPECT_EQ(text(1267), "SUN");
    EXPECT_EQ(paths(), (std::vector<std::string>{dir.file("lyrics/RR 7 - Sunny.htm"), dir.file("lyrics/SUNRISE.pdf"),
                                                 dir.file("lyrics/Sunny.htm")}));
    for (const CMemArray& row : dlg->GetRows())
        if (row.GetCol2() == dir.file("lyrics/RR 7 - Sunny.htm")) {
            EXPECT_EQ(row.GetCol0(), "Sunny") << "a found file follows the naming mode";
            EXPECT_EQ(row.GetCol1(), "RR 7");
        }
    // An empty text lists every non-audio file; a missing folder lists nothing.
    setText(1267, "");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1265, BN_CLICKED), 0);
    EXPECT_EQ(dlg->GetRowCount(), 4);
    g_lyricsPathGlobal = dir.file("missing");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1096, BN_CLICKED), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1265, BN_CLICKED), 0);
    EXPECT_EQ(dlg->GetRowCount(), 0);
}

TEST_F(MarryDlgTest, SearchingAllLevelsAddsEachLevelFolderWithItsLevelText)
{
    file("global/Sun A.htm");
    file("plus/Sun B.htm");
    file("shared/Sun C.htm");
    g_lyricsPathGlobal = dir.file("global");
    setting("plus - lyricsdir", dir.file("plus"));
    setting("global - lyricsdir", dir.file("shared"));
    open();
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);
    setText(1268, "sun");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1266, BN_CLICKED), 0);
    std::vector<Row> rows = shownRows();
    EXPECT_EQ(rows, (std::vector<Row>{{"", "Sun A", dir.file("global/Sun A.htm"), ""},
                                      {"", "Sun B", dir.file("plus/Sun B.htm"), "Plus"},
                                      {"", "Sun C", dir.file("shared/Sun C.htm"), "Global"}}));
}

TEST_F(MarryDlgTest, HeaderClicksSortUpThenDownWithTheOtherColumnsBreakingTies)
{
    g_lyricsCandidates[0] = "/l/B 2 - x.htm";
    g_lyricsCandidates[1] = "/l/A 1 - y.htm";
    g_lyricsCandidates[2] = "/l/B 1 - y.htm";
    g_lyricsCandidates[3] = "/l/a 3 - z.htm";
    open();
    auto column = [&](int c) {
        std::vector<std::string> out;
        for (const CMemArray& row : dlg->GetRows())
            out.push_back(row.GetCol(c));
        return out;
    };
    auto clickHeader = [&](int c) {
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = dlg->GetList().m_hWnd;
        nm.hdr.idFrom = 1009;
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iSubItem = c;
        dlg->SendMessage(WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&nm));
    };
    clickHeader(1);
    EXPECT_EQ(column(0), (std::vector<std::string>{"B 2", "A 1", "B 1", "a 3"})) << "ascending by title, then label";
    clickHeader(1);
    EXPECT_EQ(column(0), (std::vector<std::string>{"a 3", "B 1", "A 1", "B 2"}));
    clickHeader(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"A 1", "B 1", "B 2", "a 3"})) << "capitals first, byte-wise";
    EXPECT_EQ(dlg->GetList().GetItemText(0, 0), "A 1");

    // A new window starts ascending again.
    dlg->DestroyWindow();
    open();
    clickHeader(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"A 1", "B 1", "B 2", "a 3"}));
}

TEST_F(MarryDlgTest, OkWithMarryOnStoresThePairAndWithMarryOffOnlyHandsTheChoiceOn)
{
    g_lyricsCandidates[0] = "/l/RR 7 - Sunny.htm";
    g_lyricsCandidates[1] = "[db]RR 7 - Sunny";
    const std::string music = "/music/RR 7 - Sunny.mp3";
    struct Case {
        bool marry;
        int row;
        std::string chosen;
    };
    const Case cases[] = {{true, 1, "[db]RR 7"}, {false, 0, "/l/RR 7 - Sunny.htm"}};
    for (const Case& c : cases) {
        CMusicDb().DeleteMarriage(music, 1);
        setting("music - marrysave", c.marry ? "true" : "false");
        open(music);
        EXPECT_EQ(dlg->IsDlgButtonChecked(1174), c.marry ? BST_CHECKED : BST_UNCHECKED);
        mainWnd.codes.clear();
        select(c.row);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), 0);
        EXPECT_EQ(dlg->GetChosenLyricsPath(), c.chosen);
        EXPECT_EQ(CMusicDb().GetMarriage(music), c.marry ? c.chosen : "");
        EXPECT_EQ(mainWnd.count(CMD_MARRY_MGR_REFRESH), c.marry ? 1 : 0);
        EXPECT_EQ(mainWnd.count(CMD_LYRICS_PICKED), 1);
        EXPECT_FALSE(dlg->IsWindowVisible()) << "hidden and kept";
        dlg->DestroyWindow();
    }
}

TEST_F(MarryDlgTest, ViewAndOkWithoutASelectionSayWhatIsMissingAndSendNothing)
{
    g_lyricsCandidates[0] = "/l/a.htm";
    open();
    mainWnd.codes.clear();
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1271, BN_CLICKED), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), 0);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Select lyrics first!", "Select lyrics first!"}));
    EXPECT_TRUE(mainWnd.codes.empty());
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(g_foundLyricsPath, "");

    // A selection left from a longer list is no selection.
    select(0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
    g_lyricsPathGlobal = dir.file("none");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1096, BN_CLICKED), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1265, BN_CLICKED), 0);
    ASSERT_EQ(dlg->GetRowCount(), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1271, BN_CLICKED), 0);
    EXPECT_EQ(boxes.size(), 3u);

    // View with a selection: the music page's view (916) when not the lyrics page's window.
    dlg->Setup(g_lyricsCandidates, "/music/x.mp3");
    select(0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1271, BN_CLICKED), 0);
    EXPECT_EQ(g_foundLyricsPath, "/l/a.htm");
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_SHOW_FOUND_LYRICS});
    EXPECT_TRUE(dlg->IsWindowVisible());
}

TEST_F(MarryDlgTest, TheCheckBoxAndTheShowModeAreStoredAtOnce)
{
    setting("music - marrysave", "false");
    open();
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1174, BN_CLICKED), 0);
    EXPECT_EQ(CMusicDb().GetSetting("music - marrysave", 1), "true");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1174, BN_CLICKED), 0);
    EXPECT_EQ(CMusicDb().GetSetting("music - marrysave", 1), "false");

    CComboBox* combo = static_cast<CComboBox*>(dlg->GetDlgItem(1272));
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetLBText(2), "Window");
    combo->SetCurSel(1);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1272, CBN_SELCHANGE), LPARAM(combo->m_hWnd));
    EXPECT_EQ(g_lyricsShowMode, 1);
    EXPECT_EQ(CMusicDb().GetSetting("lyrics - show", 1), "1");
}

TEST_F(MarryDlgTest, TheChosenFolderIsSearchedAsADirectory)
{
    file("picked/Sun.txt");
    open();
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& q) -> std::optional<std::vector<std::string>> {
        fileChoices.push_back(q);
        return std::vector<std::string>{dir.file("picked")};
    });
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1273, BN_CLICKED), 0);
    ASSERT_EQ(fileChoices.size(), 1u);
    EXPECT_TRUE(fileChoices[0].folder);
    EXPECT_EQ(dlg->GetSearchFolder(), dir.file("picked"));
    EXPECT_EQ(dlg->GetSource(), CMarryDlg::kDirectory);
    setText(1268, "sun");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1266, BN_CLICKED), 0);
    EXPECT_EQ(paths(), std::vector<std::string>{dir.file("picked/Sun.txt")});
    // Reset goes back to the global lyrics folder and the default source.
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(1096, BN_CLICKED), 0);
    EXPECT_EQ(dlg->GetSearchFolder(), g_lyricsPathGlobal);
    EXPECT_EQ(dlg->GetSource(), CMarryDlg::kDatabase);
}

TEST_F(MarryDlgTest, EvenRowsOrAllRowsGetTheListColours)
{
    g_lyricsCandidates[0] = "/l/a.htm";
    g_lyricsCandidates[1] = "/l/b.htm";
    open();
    for (int all : {0, 1}) {
        g_colorAllRows = all;
        for (int row : {0, 1}) {
            ListCellData* cell = dlg->GetList().RequestCell(row, 1);
            const bool coloured = row == 0 || all;
            EXPECT_EQ(cell->text, row == 0 ? "a" : "b");
            EXPECT_EQ(cell->backColor, coloured ? RGB(200, 220, 240) : CLR_DEFAULT) << all << row;
            EXPECT_EQ(cell->selBackColor, coloured ? RGB(30, 0, 96) : CLR_DEFAULT) << all << row;
        }
    }
}

TEST_F(MarryDlgTest, TheModalLookupReturnsTheRowTakenWithOk)
{
    g_lyricsCandidates[0] = "/l/first.htm";
    g_lyricsCandidates[1] = "/l/second.htm";
    setting("music - marrysave", "true");
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.kind != win::DialogKind::Dialog || q.dialogId != CMarryDlg::IDD)
            return std::nullopt;
        auto* modal = static_cast<CMarryDlg*>(q.window);
        EXPECT_EQ(modal->GetRowCount(), 2);
        modal->GetList().SetSelectionMark(1);
        modal->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), 0);
        return IDOK;
    });
    CMarryDlg modal(g_lyricsCandidates, "/music/song.mp3");
    EXPECT_EQ(modal.DoModal(), IDOK);
    EXPECT_EQ(modal.GetChosenLyricsPath(), "/l/second.htm");
    EXPECT_EQ(CMusicDb().GetMarriage("/music/song.mp3"), "/l/second.htm");
    EXPECT_EQ(mainWnd.count(CMD_LYRICS_PICKED), 0) << "a modal window only returns";
    EXPECT_EQ(mainWnd.count(CMD_MARRY_MGR_REFRESH), 1);
}

TEST_F(MarryDlgTest, ClosingFromTheTitleBarReportsOnlyTheMusicPagesWindow)
{
    for (int fromLyricsPage : {0, 1}) {
        open("/m.mp3", fromLyricsPage);
        mainWnd.codes.clear();
        dlg->SendMessage(WM_CLOSE, 0, 0);
        EXPECT_FALSE(dlg->IsWindowVisible());
        EXPECT_EQ(mainWnd.count(CMD_FIND_LYRICS_CLOSED), fromLyricsPage ? 0 : 1);
        dlg->DestroyWindow();
    }
}

// Find Lyrics with candidates from the lookup, as the caller sees it. Keeps
// find-lyrics.png where the tests run (or in MIRTAL_SCREENSHOT_DIR).
TEST_F(MarryDlgTest, TheWindowLooksRight)
{
    g_gridLines = 1;
    g_lyricsCandidates[0] = "/lyrics/RR 7 - Sunny.htm";
    g_lyricsCandidates[1] = "[db]RR 7 - Sunny";
    g_lyricsCandidates[2] = "/lyrics/RR 7 - Sunny Days.pdf";
    setting("music - marrysave", "true");
    open();
    select(1);
    dlg->GetList().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    win::PumpMessages(50);
    screenshot(*dlg, "find-lyrics.png");
    EXPECT_EQ(dlg->GetRowCount(), 3);
}

} // namespace
