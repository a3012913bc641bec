// The cue-sheet editor as a caller uses it: lines typed, patterns chosen,
// parts cleared and copied, and the page that View and Save write.
#include "texts/CueSheet.h"
#include "texts/GetFromMusicDb.h"

#include "RecordWindowsFixture.h"
#include "platform/win/FileDialog.h"
#include "platform/win/WholeFile.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kClearAll = 1084;
constexpr int kView = 1088;
constexpr int kSave = 1087;
constexpr int kSeven = 1325;
constexpr int kOpenerList = 1433;
constexpr int kMiddleList = 1434;
constexpr int kCloserList = 1435;
constexpr int kLayoutList = 1530;
constexpr int kOpenerLines[8] = {1092, 1093, 1096, 1097, 1094, 1095, 1098, 1099};
constexpr int kOpenerMarks[8] = {1174, 1377, 1378, 1379, 1381, 1382, 1383, 1384};
constexpr int kMiddleLines[8] = {1118, 1119, 1120, 1121, 1122, 1123, 1124, 1125};
constexpr int kCloserLines[8] = {1126, 1127, 1128, 1129, 1100, 1130, 1131, 1132};
constexpr int kCloserMarks[8] = {1402, 1403, 1404, 1405, 1385, 1406, 1407, 1408};

const std::string kEmptyHead = "<HTML><HEAD><TITLE>\n - </TITLE>\n"
                               "<LINK rel=\"STYLESHEET\" type=\"text/css\" HREF=\"cuesheet2.css\"> </HEAD>\n"
                               "<BODY>\n<FONT CLASS=\"title\"></FONT>\n&nbsp;&nbsp;<NOBR>\n"
                               "<FONT CLASS=\"label\">()</FONT></NOBR>&nbsp;&nbsp;<NOBR>"
                               "<FONT CLASS=\"artist\"></FONT></NOBR><br>";
const std::string kCircleLeftOpener = "Circle Left<br>\n"
                                      "Left Allemande the corner, Dosado you own<br>\n"
                                      "Left Allemande and Weave The Ring<br>\n"
                                      "Swing your girl around and Promenade<br>\n";
const std::string kDefaultFigure = "<P CLASS=\"hdr\">FIGURE</P><br><br>\n"
                                   "Heads Square Thru count 'em 4 hands round<br>\n"
                                   "You make a Right Hand Star<br>\n"
                                   "The Heads Star Left, roll it one time and then<br>\n"
                                   "Same pair and do a Dosado<br>\n"
                                   "Swing Thru and then the Boys Trade<br>\n"
                                   "Swing the corner lady round and Promenade<br>\n\n";

class CueSheetTest : public recordtest::RecordWindowsTest {
protected:
    std::unique_ptr<CCueSheet> sheet;

    void SetUp() override
    {
        RecordWindowsTest::SetUp();
        CMusicDb().SetSetting("lyrics - pathglobal", dir.file("lyrics"), 1);
        sheet = std::make_unique<CCueSheet>(&mainWnd);
        ASSERT_TRUE(sheet->Create(CCueSheet::IDD, &mainWnd));
        sheet->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        sheet->DestroyWindow();
        sheet.reset();
        RecordWindowsTest::TearDown();
    }
    CWnd& w() { return *sheet; }
    bool checked(int id) { return w().IsDlgButtonChecked(id) != 0; }
    bool enabled(int id) { return w().GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    // View, and the page it wrote with the program's line feeds.
    std::string view()
    {
        click(w(), kView);
        std::string page = testsupport::readFile(dir.file("tempsheet.html"));
        std::erase(page, '\r');
        return page;
    }
    // The part headings of a page, in order.
    static std::vector<std::string> headings(const std::string& page)
    {
        std::vector<std::string> found;
        const std::string open = "<P CLASS=\"hdr\">";
        for (size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
            const size_t from = at + open.size();
            found.push_back(page.substr(from, page.find("</P>", from) - from));
        }
        return found;
    }
    static int count(const std::string& page, const std::string& what)
    {
        int n = 0;
        for (size_t at = page.find(what); at != std::string::npos; at = page.find(what, at + 1))
            ++n;
        return n;
    }
};

TEST_F(CueSheetTest, ClearAllThenViewWritesTheOpenerAndTheDefaultFigure)
{
    type(w(), 1461, "RR 123");
    type(w(), kOpenerLines[0], "something");
    type(w(), 1133, "a tag");
    click(w(), kClearAll);
    EXPECT_EQ(text(w(), 1461), "");
    EXPECT_EQ(text(w(), 1133), "");
    EXPECT_EQ(view(), kEmptyHead + "<br><P CLASS=\"hdr\">OPENER - MIDDLE BREAK - CLOSER</P><br><br>\n" +
                          kCircleLeftOpener + "<br>\n" + kDefaultFigure + "</BODY></HTML>\n");
    EXPECT_EQ(g_htmlPath, dir.file("tempsheet.html"));
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{909});
    EXPECT_EQ(w().GetWindowText(), "Mirtal - Cuesheets");
}

TEST_F(CueSheetTest, SameAsEntriesAndSevenFiguresDecideHeadingsAndRepeats)
{
    struct Case {
        int middle;
        int closer;
        bool seven;
        std::vector<std::string> headings;
    };
    const std::vector<std::string> seven = {"OPENER", "FIGURE", "FIGURE", "MIDDLE BREAK", "FIGURE", "FIGURE", "CLOSER"};
    const Case cases[] = {
        {0, 1, false, {"OPENER - MIDDLE BREAK - CLOSER", "FIGURE"}},
        {0, 0, false, {"OPENER - MIDDLE BREAK - CLOSER", "FIGURE"}},
        {0, 2, false, {"OPENER - MIDDLE BREAK", "FIGURE", "CLOSER"}},
        {2, 1, false, {"OPENER", "FIGURE", "MIDDLE BREAK - CLOSER"}},
        {3, 0, false, {"OPENER - CLOSER", "FIGURE", "MIDDLE BREAK"}},
        {3, 5, false, {"OPENER", "FIGURE", "MIDDLE BREAK", "CLOSER"}},
        {1, 4, false, {"OPENER", "FIGURE", "MIDDLE BREAK - CLOSER"}}, // Same as Closer
        {1, 1, false, {"OPENER - MIDDLE BREAK - CLOSER", "FIGURE"}}, // each the other: the opener
        {0, 0, true, seven},
        {0, 1, true, seven},
        {2, 1, true, seven},
        {1, 4, true, seven},
        {1, 1, true, seven},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.middle) + "/" + std::to_string(c.closer) + (c.seven ? " seven" : ""));
        click(w(), kClearAll);
        choose(w(), kMiddleList, c.middle);
        choose(w(), kCloserList, c.closer);
        if (c.seven != checked(kSeven))
            click(w(), kSeven);
        const std::string page = view();
        EXPECT_EQ(headings(page), c.headings);
        if (c.seven && c.middle == 0 && c.closer == 0) {
            EXPECT_EQ(count(page, "Left Allemande the corner, Dosado you own"), 3);
            EXPECT_EQ(count(page, "Heads Square Thru"), 4);
        }
        if (c.middle == 1 && c.closer == 4 && c.seven) {
            EXPECT_EQ(count(page, "Four Ladies Chain, you turn that girl and then"), 2) << "the closer's lines twice";
        }
    }
}

TEST_F(CueSheetTest, LayoutsPutThePartsIntoTableCells)
{
    struct Case {
        int layout;
        bool seven;
        std::vector<std::string> headings;
        int cells;  // "</TD><TD" seams
        int tables; // table paragraphs (figure, middle break, closer)
    };
    const Case cases[] = {
        {0, false, {"OPENER", "FIGURE", "MIDDLE BREAK", "CLOSER", "TAG"}, 0, 0},
        {1, false, {"OPENER", "MIDDLE BREAK", "CLOSER", "TAG", "FIGURE"}, 1, 3},
        {1, true, {"OPENER", "MIDDLE BREAK", "CLOSER", "TAG", "FIGURE", "FIGURE", "FIGURE", "FIGURE"}, 1, 6},
        {2, false, {"OPENER", "TAG", "MIDDLE BREAK", "CLOSER", "FIGURE"}, 3, 3},
        {2, true, {"OPENER", "TAG", "MIDDLE BREAK", "CLOSER", "FIGURE", "FIGURE", "FIGURE", "FIGURE"}, 6, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        click(w(), kClearAll);
        choose(w(), kMiddleList, 2);
        choose(w(), kCloserList, 3);
        type(w(), 1133, "Tag line");
        combo(w(), kLayoutList).SetCurSel(c.layout);
        if (c.seven != checked(kSeven))
            click(w(), kSeven);
        const std::string page = view();
        // Two leading paragraphs in the table layouts come from the table start itself.
        std::vector<std::string> shown = headings(page);
        if (c.layout != 0) {
            EXPECT_EQ(page.find(kEmptyHead + "<TABLE height=\"50%\" border=\"0\" cellspacing=\"10\"><TR><TD "
                                             "valign=\"top\"><br><P CLASS=\"hdr\"><br><P CLASS=\"hdr\">OPENER"),
                      0u);
            shown.erase(shown.begin());
            EXPECT_NE(page.find("</TD></TR></TABLE></BODY></HTML>"), std::string::npos);
        }
        EXPECT_EQ(shown, c.headings);
        EXPECT_EQ(count(page, "</TD><TD valign=\"top\">"), c.cells);
        EXPECT_EQ(count(page, "<P CLASS=\"table\">"), c.tables);
        EXPECT_EQ(count(page, "Circle Left<br>"), 2) << "the opener's and the middle break's pattern line";
        EXPECT_EQ(count(page, "Grand Square<br>"), 1);
    }
    combo(w(), kLayoutList).SetCurSel(-1);
    EXPECT_EQ(view(), kEmptyHead + "</BODY></HTML>\n") << "no layout: head and end";
}

TEST_F(CueSheetTest, LinesAreWrittenAsTypedWithTheirMarks)
{
    click(w(), kClearAll);
    choose(w(), kOpenerList, 3); // (Empty)
    type(w(), 1461, "AB 1");
    type(w(), 1086, "Fish & <Chips>");
    type(w(), 1009, "Jo");
    type(w(), kOpenerLines[0], "Heads <b>promenade</b> & swing");
    type(w(), kOpenerLines[2], "Sides face");
    click(w(), kOpenerMarks[2]);
    type(w(), 1101, "first<br>second");
    const std::string page = view();
    EXPECT_NE(page.find("<TITLE>\nFish & <Chips> - AB 1</TITLE>"), std::string::npos);
    EXPECT_NE(page.find("<FONT CLASS=\"artist\">Jo</FONT>"), std::string::npos);
    EXPECT_NE(page.find("<br><P CLASS=\"hdr\">OPENER - MIDDLE BREAK - CLOSER</P><br><br>\n"
                        "Heads <b>promenade</b> & swing<br>\n"
                        "<FONT CLASS=\"lyrics\"><L>Sides face<br>\n</L></FONT><br>\n"),
              std::string::npos);
    EXPECT_NE(page.find("<P CLASS=\"hdr\">ADDITIONAL LYRICS</P><br><br>\n"
                        "<FONT CLASS=\"lyrics\"><L>first<br>second<br>\n</L></FONT><br>\n</BODY>"),
              std::string::npos);
}

TEST_F(CueSheetTest, PatternsFillTheirPartAndSameAsEntriesLockIt)
{
    click(w(), kClearAll);
    EXPECT_EQ(text(w(), 1460), "Circle Left");
    EXPECT_FALSE(enabled(kMiddleLines[0]));
    EXPECT_FALSE(enabled(kCloserLines[7]));

    type(w(), kOpenerLines[6], "kept");
    choose(w(), kOpenerList, 1);
    EXPECT_EQ(text(w(), 1460), "Grand Square");
    EXPECT_EQ(text(w(), kOpenerLines[4]), "Four Ladies Promenade one time");
    EXPECT_EQ(text(w(), kOpenerLines[6]), "kept") << "lines 7 and 8 keep their texts";
    const int grandSquareMarks[8] = {1, 1, 1, 1, 0, 0, 1, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(checked(kOpenerMarks[i]), grandSquareMarks[i] != 0) << i;

    choose(w(), kCloserList, 4); // 4 Ladies Chain
    EXPECT_TRUE(enabled(kCloserLines[0]));
    EXPECT_EQ(text(w(), 1467), "");
    EXPECT_EQ(text(w(), kCloserLines[0]), "Four Ladies Chain, you turn that girl and then");
    choose(w(), kCloserList, 1);
    EXPECT_FALSE(enabled(kCloserLines[0]));
    EXPECT_EQ(text(w(), kCloserLines[0]), "Four Ladies Chain, you turn that girl and then") << "kept while locked";

    // Copying the opener: its lines and marks, the matching pattern entry, no pattern applied.
    type(w(), kOpenerLines[0], "own line");
    click(w(), 1090);
    EXPECT_EQ(combo(w(), kCloserList).GetCurSel(), 3);
    EXPECT_EQ(text(w(), 1467), "Grand Square");
    EXPECT_EQ(text(w(), kCloserLines[0]), "own line");
    EXPECT_TRUE(enabled(kCloserLines[0]));
    EXPECT_TRUE(checked(kCloserMarks[0]));

    // Clearing a part: empty lines, marks 7 and 8 on; its heading and pattern stay.
    click(w(), 1089);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(text(w(), kCloserLines[i]), "") << i;
        EXPECT_EQ(checked(kCloserMarks[i]), i >= 6) << i;
    }
    EXPECT_EQ(text(w(), 1467), "Grand Square");

    // A mark flips with each click; the seven-figures choice survives Clear All.
    click(w(), kCloserMarks[0]);
    EXPECT_TRUE(checked(kCloserMarks[0]));
    click(w(), kCloserMarks[0]);
    EXPECT_FALSE(checked(kCloserMarks[0]));
    click(w(), kSeven);
    combo(w(), kLayoutList).SetCurSel(2);
    click(w(), kClearAll);
    EXPECT_TRUE(checked(kSeven));
    EXPECT_EQ(combo(w(), kLayoutList).GetCurSel(), 2);
    EXPECT_FALSE(enabled(kCloserLines[0]));
}

TEST_F(CueSheetTest, SaveNeedsLabelAndTitleAndKeepsTheOldFileWhenItCannotWrite)
{
    std::vector<win::FileDialogRequest> asked;
    std::string answer;
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        asked.push_back(r);
        if (answer.empty())
            return std::nullopt;
        return std::vector<std::string>{answer};
    });
    click(w(), kSave);
    type(w(), 1461, "RR 7");
    click(w(), kSave);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Write the label and number!", "Write the Title of the song!"}));
    EXPECT_TRUE(asked.empty());

    type(w(), 1086, "Moon");
    click(w(), kSave); // cancelled
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].fileName, dir.file("lyrics") + "/RR 7 - Moon");
    EXPECT_FALSE(asked[0].open);
    EXPECT_EQ(asked[0].filter, "Web Page (*.html)|*.html||");

    std::filesystem::create_directory(dir.file("lyrics"));
    testsupport::writeFile(dir.file("lyrics/RR 7 - Moon.html"), "old");
    answer = dir.file("lyrics/RR 7 - Moon");
    click(w(), kSave);
    const std::string saved = testsupport::readFile(dir.file("lyrics/RR 7 - Moon.html"));
    EXPECT_EQ(saved.find("<HTML><HEAD><TITLE>\r\nMoon - RR 7</TITLE>"), 0u);
    EXPECT_EQ(saved.substr(saved.size() - 16), "</BODY></HTML>\r\n");
    EXPECT_EQ(boxes.size(), 2u);

    // A folder in the way of the temporary file: a box, and the saved page stays.
    std::filesystem::create_directory(win::WholeFileScratch(dir.file("lyrics/RR 7 - Moon.html")));
    type(w(), kOpenerLines[0], "changed");
    click(w(), kSave);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2], "Can't write the cuesheet " + dir.file("lyrics/RR 7 - Moon.html") + ".");
    EXPECT_EQ(testsupport::readFile(dir.file("lyrics/RR 7 - Moon.html")), saved);
    EXPECT_TRUE(mainWnd.codes.empty()) << "Save shows nothing";
}

TEST_F(CueSheetTest, DatabaseFillsThePropertiesFromThePickedRecord)
{
    addRecords({{"AB 5   ", "Sun & Moon", "Ann O'Hara", "ACME", ""}});
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.dialogId != CGetFromMusicDb::IDD)
            return std::nullopt;
        auto* list = static_cast<CListCtrl*>(q.window->GetDlgItem(1191));
        list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        list->SetSelectionMark(0);
        click(*q.window, 1097);
        return IDCANCEL;
    });
    click(w(), 1085);
    EXPECT_EQ(text(w(), 1461), "AB 5");
    EXPECT_EQ(text(w(), 1086), "Sun & Moon");
    EXPECT_EQ(text(w(), 1009), "Ann O'Hara");

    // Cancel changes nothing.
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest&) -> std::optional<int> { return IDCANCEL; });
    click(w(), 1085);
    EXPECT_EQ(text(w(), 1461), "AB 5");
}

TEST_F(CueSheetTest, HelpAndClosingTellTheMainWindowAndEnterClosesNothing)
{
    MSG enter{};
    enter.hwnd = w().GetDlgItem(kOpenerLines[0])->m_hWnd;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_FALSE(w().PreTranslateMessage(&enter));
    EXPECT_TRUE(mainWnd.codes.empty());
    w().SendMessage(WM_HELP, 0, 0);
    w().SendMessage(WM_CLOSE, 0, 0);
    EXPECT_EQ(mainWnd.codes, (std::vector<UINT>{201, 937}));
}

TEST_F(CueSheetTest, LooksRight)
{
    type(w(), 1461, "RYL 123");
    type(w(), 1086, "Sunny Side Of The Street");
    type(w(), 1009, "Ann Caller");
    type(w(), 1133, "Tag the line");
    choose(w(), kCloserList, 3);
    shoot(w(), "cue-sheet-editor.png");
}

} // namespace
