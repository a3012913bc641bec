// The record database search as a caller uses it: counts and choices at
// opening, searches with filters, sorting by header clicks, row colours, the
// layout, and the maintenance keywords typed as search text.
#include "texts/SqRecord.h"

#include "RecordWindowsFixture.h"
#include "store/ChoreoDb.h"
#include "platform/win/FileDialog.h"

#include <filesystem>
#include <memory>

namespace {

constexpr int kSearchField = 1067;
constexpr int kHits = 1114;
constexpr int kSearch = 1117;

class SqRecordTest : public recordtest::RecordWindowsTest {
protected:
    std::unique_ptr<CSqRecord> window;
    std::vector<std::string> fileAnswers; // the next file-dialog answers; empty: cancel
    int fileQuestions = 0;

    void SetUp() override
    {
        RecordWindowsTest::SetUp();
        addRecords({{"AB 123", "Sunny Day", "John O'Neil", "ACME", ""},
                    {"RR 7", "apple Tree", "Ann", "Red", ""},
                    {"CD 1", "Apple Tree", "Bob", "Blue", ""},
                    {"AB 99", "Moon", "Ann", "ACME", ""},
                    {"ZZ 1", "Sunrise", "Bob", "Red", ""}});
        addCallers({"JOHN O'NEIL", "ANN", "BOB"});
        win::SetFileDialogAnswerer([this](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
            ++fileQuestions;
            if (fileAnswers.empty())
                return std::nullopt;
            std::vector<std::string> answer{fileAnswers.front()};
            fileAnswers.erase(fileAnswers.begin());
            return answer;
        });
        open();
    }
    void TearDown() override
    {
        if (window && window->m_hWnd)
            window->DestroyWindow();
        window.reset();
        RecordWindowsTest::TearDown();
    }
    void open()
    {
        if (window && window->m_hWnd)
            window->DestroyWindow();
        window = std::make_unique<CSqRecord>(&mainWnd);
        ASSERT_TRUE(window->Create(CSqRecord::IDD, &mainWnd));
        window->ShowWindow(SW_SHOW);
        win::PumpMessages(10);
    }
    CWnd& w() { return *window; }
    CQuickList& list() { return *static_cast<CQuickList*>(w().GetDlgItem(1009)); }
    void search(const std::string& what, int type = 0)
    {
        type_(what);
        choose(w(), 1110, type);
        click(w(), kSearch);
    }
    void type_(const std::string& what) { type(w(), kSearchField, what); }
    // The listed rows' labels, read through the list.
    std::vector<std::string> labels()
    {
        std::vector<std::string> out;
        for (int i = 0; i < list().GetItemCount(); ++i)
            out.push_back(list().GetItemText(i, 0));
        return out;
    }
    void clickHeader(int column) { notify(w(), 1009, LVN_COLUMNCLICK, -1, column); }
    static int comboIndex(CWnd& w, int id, const std::string& item) { return combo(w, id).FindStringExact(-1, item); }
};

using Labels = std::vector<std::string>;

TEST_F(SqRecordTest, OpeningCountsTheCatalogueAndFillsTheChoices)
{
    EXPECT_EQ(w().GetWindowText(), "Mirtal - Record Database");
    EXPECT_EQ(text(w(), 1068), "5");
    EXPECT_EQ(text(w(), 1115), "3");
    EXPECT_EQ(text(w(), 1116), "3");
    EXPECT_EQ(text(w(), kHits), "0");
    EXPECT_EQ(combo(w(), 1110).GetLBText(combo(w(), 1110).GetCurSel()), "Title");
    CComboBox& companies = combo(w(), 1111);
    ASSERT_EQ(companies.GetCount(), 4);
    EXPECT_EQ(companies.GetLBText(0), "(All Companys)");
    EXPECT_EQ(companies.GetCurSel(), 0);
    CComboBox& callers = combo(w(), 1112);
    ASSERT_EQ(callers.GetCount(), 4);
    EXPECT_EQ(callers.GetLBText(0), "(All Callers)");
    EXPECT_GE(comboIndex(w(), 1112, "JOHN O'NEIL"), 1) << "callers are shown unescaped";
}

TEST_F(SqRecordTest, SearchesByColumnWithCompanyAndCallerFilters)
{
    struct Case {
        const char* text;
        int type;
        const char* company; // empty: (All Companys)
        const char* caller;  // empty: (All Callers)
        Labels labels;
    };
    const Case cases[] = {
        {"", 0, "", "", {"AB 123", "RR 7", "CD 1", "AB 99", "ZZ 1"}},
        {"sun", 0, "", "", {"AB 123", "ZZ 1"}},
        {"ann", 2, "", "", {"RR 7", "AB 99"}},
        {"o'neil", 2, "", "", {"AB 123"}},
        {"ab", 1, "", "", {"AB 123", "AB 99"}},
        {"", 3, "Red", "", {"RR 7", "ZZ 1"}},
        {"", 0, "", "BOB", {"CD 1", "ZZ 1"}},
        {"tree", 0, "Red", "ANN", {"RR 7"}},
        {"nothing like it", 0, "", "", {}},
        {"loadtrebquemix ", 0, "", "", {}}, // a keyword with a trailing blank is text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        combo(w(), 1111).SetCurSel(*c.company ? comboIndex(w(), 1111, c.company) : 0);
        combo(w(), 1112).SetCurSel(*c.caller ? comboIndex(w(), 1112, c.caller) : 0);
        search(c.text, c.type);
        EXPECT_EQ(labels(), c.labels);
        EXPECT_EQ(text(w(), kHits), std::to_string(c.labels.size()));
        EXPECT_EQ(text(w(), kSearchField), c.text);
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(fileQuestions, 0);

    // A company typed into the list's field, no item chosen, narrows as well.
    combo(w(), 1111).SetCurSel(-1);
    combo(w(), 1111).SetWindowText("Blue ");
    combo(w(), 1112).SetCurSel(0);
    search("");
    EXPECT_EQ(labels(), Labels{"CD 1"});

    click(w(), 1118);
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_EQ(text(w(), kHits), "0");
    EXPECT_EQ(text(w(), kSearchField), "");
    EXPECT_EQ(combo(w(), 1111).GetCurSel(), 0);
    EXPECT_EQ(combo(w(), 1110).GetCurSel(), 0);
}

TEST_F(SqRecordTest, HeaderClicksSortByTheLatestColumnsAndToggleTheDirection)
{
    clickHeader(1); // no hits: nothing to sort, and the order stays fresh
    search("");
    clickHeader(1);
    EXPECT_EQ(labels(), (Labels{"CD 1", "AB 99", "AB 123", "ZZ 1", "RR 7"})) << "byte order: upper case first";
    clickHeader(1);
    EXPECT_EQ(labels(), (Labels{"RR 7", "ZZ 1", "AB 123", "AB 99", "CD 1"}));
    clickHeader(2);
    EXPECT_EQ(labels(), (Labels{"AB 99", "RR 7", "CD 1", "ZZ 1", "AB 123"})) << "caller, then title, then label";

    // A new window starts with the plain order again.
    open();
    search("");
    clickHeader(2);
    EXPECT_EQ(labels(), (Labels{"AB 99", "RR 7", "CD 1", "ZZ 1", "AB 123"})) << "caller, then label";
}

TEST_F(SqRecordTest, EvenRowsWearTheDialogColour)
{
    search("");
    for (int row = 0; row < 4; ++row) {
        const ListCellData cell = *list().RequestCell(row, 1);
        if (row % 2 == 0) {
            EXPECT_EQ(cell.backColor, RGB(200, 220, 240)) << row;
            EXPECT_EQ(cell.textColor, RGB(10, 5, 20)) << row;
            EXPECT_EQ(cell.selBackColor, RGB(30, 0, 96)) << row;
            EXPECT_EQ(cell.selBackColorNoFocus, RGB(20, 20, 120)) << row;
        } else {
            EXPECT_EQ(cell.backColor, CLR_DEFAULT) << row;
            EXPECT_EQ(cell.textColor, CLR_DEFAULT) << row;
        }
    }
    EXPECT_EQ(list().RequestCell(3, 2)->text, "Ann");
    g_dlgColorR = 1;
    g_dlgColorG = 2;
    g_dlgColorB = 3;
    window->RefreshBackground();
    EXPECT_EQ(window->GetBackgroundColor(), RGB(1, 2, 3));
    EXPECT_EQ(list().RequestCell(0, 0)->backColor, RGB(1, 2, 3));
}

TEST_F(SqRecordTest, TheListFillsTheWindowBesideTheFields)
{
    for (const int large : {0, 1}) {
        SCOPED_TRACE(large);
        g_largeLayout = large;
        w().SetWindowPos(nullptr, 0, 0, 1000 + 40 * large, 600, SWP_NOMOVE | SWP_NOZORDER);
        CRect client;
        w().GetClientRect(client);
        CRect at;
        list().GetWindowRect(at);
        w().ScreenToClient(at);
        const int left = large ? 300 : 270;
        EXPECT_EQ(at, CRect(left, 10, left + client.Width() - left - 10, 10 + client.Height() - 20));
        const int third = (client.Width() - 382) / 3;
        EXPECT_EQ(list().GetColumnWidth(0), 80);
        EXPECT_EQ(list().GetColumnWidth(1), third);
        EXPECT_EQ(list().GetColumnWidth(2), large ? third - 15 : third);
        EXPECT_EQ(list().GetColumnWidth(3), large ? third - 20 : third);
    }
    g_largeLayout = 0;
}

TEST_F(SqRecordTest, PageKeysScrollTheListOnlyFromTheHiddenField)
{
    std::vector<recordtest::Record> many;
    for (int i = 0; i < 60; ++i)
        many.push_back({"M " + std::to_string(100 + i), "Many " + std::to_string(i), "X", "Y", ""});
    addRecords(many);
    search("Many");
    ASSERT_EQ(list().GetItemCount(), 60);
    MSG key{};
    key.message = WM_KEYDOWN;
    key.wParam = VK_NEXT;
    w().GetDlgItem(kSearchField)->SetFocus();
    key.hwnd = w().GetDlgItem(kSearchField)->m_hWnd;
    w().PreTranslateMessage(&key);
    EXPECT_EQ(list().GetTopIndex(), 0);
    w().SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(5, 240)); // a click on the background parks the focus
    win::PumpMessages(10);
    ASSERT_EQ(CWnd::GetFocus(), w().GetDlgItem(1004));
    key.hwnd = w().GetDlgItem(1004)->m_hWnd;
    w().PreTranslateMessage(&key);
    const int down = list().GetTopIndex();
    EXPECT_GT(down, 0);
    MSG wheel{};
    wheel.hwnd = key.hwnd;
    wheel.message = WM_MOUSEWHEEL;
    wheel.wParam = MAKEWPARAM(0, 120);
    EXPECT_TRUE(w().PreTranslateMessage(&wheel));
    EXPECT_LT(list().GetTopIndex(), down) << "a notch away from the user scrolls up";
}

TEST_F(SqRecordTest, MaintenanceKeywordsDoWhatTheyNameAndSaySo)
{
    CChoreoDb().Create();
    struct Case {
        std::string text;
        std::string box;     // the start of the one box expected
        std::string written; // a file in the data folder it leaves
    };
    const Case cases[] = {
        {"zestgoblinry-", "Write the tablet's music folder after \"zestgoblinry-\".", ""},
        {"zestgoblinry-/sdcard/music", "The tablet database mirtaltablet.db is written for the folder /sdcard/music.",
         "mirtaltablet.db"},
        {"hollyvanecropsteamy", "The short cue sheets are rebuilt.", ""},
        {"quiltmarbdoven",
         "Written in " + dir.str() + ":\ncuesheet.txt\ncuesheetshort.txt\ncuesheetcsv.csv\ncuesheetshortcsv.csv",
         "cuesheetshortcsv.csv"},
        {"driftwelkpon", "The choreography statistics are written to " + dir.file("driftwelkpon.csv") + ".",
         "driftwelkpon.csv"},
        {"vapkern", "The text-case tool is not available here.", ""},
        {"loadtrebquemix", "", ""}, // the file choice cancelled: nothing happens, nothing is said
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        boxes.clear();
        search(c.text);
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.empty());
        } else {
            EXPECT_EQ(boxes, std::vector<std::string>{c.box});
        }
        win::PumpMessages(10);
        if (!c.written.empty()) {
            EXPECT_TRUE(std::filesystem::exists(dir.file(c.written)));
        }
        EXPECT_EQ(text(w(), kSearchField), c.text) << "the keyword stays";
        EXPECT_EQ(CWnd::GetFocus(), w().GetDlgItem(kSearchField));
        EXPECT_EQ(list().GetItemCount(), 0) << "no search ran";
    }
    EXPECT_EQ(text(w(), 1068), "5");

    // The text-case tool opens with this window as parent, a new one each time.
    std::vector<HWND> parents;
    window->SetTextCaseToolOpener([&](CWnd& parent) { parents.push_back(parent.m_hWnd); });
    search("vapkern");
    search("vapkern");
    EXPECT_EQ(parents, (std::vector<HWND>{w().m_hWnd, w().m_hWnd}));
}

TEST_F(SqRecordTest, ARecordListImportReplacesTheCatalogueAndAFailureIsAMessage)
{
    const auto pad = [](std::string s, size_t n) { return s + std::string(n - s.size(), ' '); };
    testsupport::writeFile(dir.file("records.txt"), pad("NEW 1", 11) + pad("NEW SONG", 53) + pad("NEW CALLER", 50) +
                                                        pad("NEWCO", 24) + "\r\n");
    fileAnswers = {dir.file("records.txt")};
    search("loadtrebquemix");
    EXPECT_EQ(boxes, std::vector<std::string>{"The record catalogue now holds 1 records."});
    EXPECT_EQ(text(w(), 1068), "1");
    EXPECT_EQ(text(w(), 1115), "1");

    // A database that cannot be read: the keyword says so and the window goes on.
    boxes.clear();
    std::filesystem::remove(dir.file("choreo.db"));
    std::filesystem::create_directory(dir.file("choreo.db"));
    search("driftwelkpon");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Writing the choreography statistics failed.", 0), 0u) << boxes[0];
    search("");
    EXPECT_EQ(labels(), Labels{"NEW 1"});
}

TEST_F(SqRecordTest, HelpAndTheCloseBoxTellTheMainWindowAndEscOnlyHides)
{
    w().SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(w().IsWindowVisible());
    EXPECT_TRUE(mainWnd.codes.empty());
    w().ShowWindow(SW_SHOW);
    w().SendMessage(WM_HELP, 0, 0);
    w().SendMessage(WM_CLOSE, 0, 0);
    EXPECT_EQ(mainWnd.codes, (std::vector<UINT>{201, 702}));
}

TEST_F(SqRecordTest, LooksRight)
{
    search("");
    clickHeader(0);
    w().SetWindowPos(nullptr, 0, 0, 1000, 420, SWP_NOMOVE | SWP_NOZORDER);
    shoot(w(), "record-search.png");
}

} // namespace
