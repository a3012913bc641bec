// The show-calls window: its pool from utility.db, the calls file or both,
// three different calls on top, font heights by length and window height,
// the caption, the file choice, the seconds and its keys.
#include "MainWindowFixture.h"

#include "store/AppGlobals.h"
#include "app/Calls.h"
#include "store/CommandCodes.h"
#include "store/UtilityDb.h"

#include <algorithm>
#include <set>

using namespace mainwindowtest;

namespace {

class CallsTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        win::SetFileDialogAnswerer({});
        MainWindowTest::TearDown();
        g_danceLevel = 1;
    }
    // Calls of utility.db as (group, stored name) rows.
    void callsInDb(const std::vector<std::pair<std::string, std::string>>& rows)
    {
        CUtilityDb u;
        u.Init();
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        for (const auto& [level, name] : rows)
            db.Execute("insert into calls values('" + level + "','" + name + "');");
    }
    CCalls* open()
    {
        menu(32808);
        CCalls* calls = dlg->m_calls.Get();
        EXPECT_NE(calls, nullptr);
        return calls;
    }
    std::vector<std::string> lines(CCalls* c) { return {c->LineText(0), c->LineText(1), c->LineText(2)}; }
};

TEST_F(CallsTest, FromTheDatabaseTheThreeLinesAlwaysHoldThreeDifferentCalls)
{
    preset({{"general - callscombo", "0"}, {"general - showcallssec", "4"}});
    callsInDb({{"Basic", "Circle Left"}, {"Basic", "Forward And Back"}, {"Basic", "Swing Thru"},
               {"Plus", "Spin Chain And Exchange The Gears"}});
    start();
    CCalls* c = open();
    EXPECT_EQ(c->Seconds(), 4);
    EXPECT_TRUE(c->IsTimerRunning());
    EXPECT_EQ(g_callPool.size(), 3u);
    for (int tick = 0; tick < 20; ++tick) {
        c->SendMessage(WM_TIMER, 1, 0);
        if (tick < 1)
            continue;
        const auto l = lines(c);
        EXPECT_EQ(std::set<std::string>(l.begin(), l.end()).size(), 3u) << l[0] << "|" << l[1] << "|" << l[2];
        for (const std::string& s : l)
            EXPECT_NE(std::find(g_callPool.begin(), g_callPool.end(), s), g_callPool.end()) << s;
    }
}

TEST_F(CallsTest, APoolOfFewerThanThreeCallsRepeatsInsteadOfHanging)
{
    preset({{"general - callscombo", "0"}});
    callsInDb({{"Basic", "Circle Left"}});
    start();
    CCalls* c = open();
    c->ShowNextCall();
    c->ShowNextCall();
    EXPECT_EQ(lines(c), (std::vector<std::string>{"Circle Left", "Circle Left", "Circle Left"}));
}

TEST_F(CallsTest, FileOnlyWithoutAFileShowsNothingAndRunsNoTimer)
{
    preset({{"general - callscombo", "1"}});
    callsInDb({{"Basic", "Circle Left"}});
    start();
    CCalls* c = open();
    EXPECT_TRUE(g_callPool.empty());
    EXPECT_FALSE(c->IsTimerRunning());
    EXPECT_EQ(lines(c), (std::vector<std::string>{"", "", ""}));
}

TEST_F(CallsTest, TheFirstLineIsSizedByItsLengthAndTicksByTheWindowHeight)
{
    struct Case {
        int length;
        int height;
    } const cases[] = {{32, 56}, {33, 40}, {40, 40}, {41, 32}};
    for (const Case& k : cases) {
        // Characters count, not bytes: every call ends in a two-byte letter.
        const std::string call = std::string(size_t(k.length - 1), 'x') + "\xC3\xA9";
        testsupport::writeFile(dir.file("calls.txt"), call + "   \r\n");
        preset({{"general - callscombo", "1"},
                {"general - callspath_b", dir.file("calls.txt")},
                {"general - callspos_height", "900"}});
        start();
        CCalls* c = open();
        EXPECT_EQ(c->LineText(0), call);
        EXPECT_EQ(c->LineFontHeight(0), k.height) << k.length;
        CRect client;
        c->GetClientRect(&client);
        ASSERT_GE(client.Height(), 700);
        c->ShowNextCall();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(c->LineFontHeight(i), 96);
        TearDown();
        SetUp();
    }
}

TEST_F(CallsTest, TheCaptionNamesTheLevelWithoutALeadingProgramName)
{
    struct Case {
        const char* levelName;
        const char* caption;
    } const cases[] = {
        {nullptr, "Mirtal - Show Calls "},
        {"Mirtal - Basic Program", "Mirtal - Show Calls Basic Program"},
        {"Basic", "Mirtal - Show Calls Basic"},
    };
    for (const Case& k : cases) {
        preset({{"basic - levelname", k.levelName ? k.levelName : ""}});
        start();
        dlg->SetLevel(1);
        CCalls* c = open();
        EXPECT_EQ(c->GetWindowText(), k.caption);
        TearDown();
        SetUp();
    }
}

TEST_F(CallsTest, SourcesGiveDatabaseCallsAsWrittenFileLinesOrBothAndReopeningAddsNothing)
{
    testsupport::writeFile(dir.file("mine.txt"), "Pass The Ocean\r\nDon't Stop\r\n\r\nSwing Thru\t\r\n");
    preset({{"general - callscombo", "2"}, {"general - callspath_b", dir.file("mine.txt")}});
    callsInDb({{"Basic", "Swing Thru"}, {"Basic", "Don[¤]t Stop"}, {"Basic Extra", "Half Sashay"}});
    start();
    open();
    // The database keeps the apostrophe escaped; the caller reads it as typed.
    const std::vector<std::string> both = {"Pass The Ocean", "Don't Stop", "", "Swing Thru",
                                           "Swing Thru", "Don't Stop", "Half Sashay"};
    std::vector<std::string> pool = g_callPool;
    std::sort(pool.begin(), pool.end());
    std::vector<std::string> expected = both;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(pool, expected);

    code(CMD_CALLS_CLOSED);
    win::PumpMessages();
    open();
    EXPECT_EQ(g_levelCalls[0].size(), 3u);
    EXPECT_EQ(g_callPool.size(), both.size());
}

TEST_F(CallsTest, ChoosingAFileKeepsTheScrollingStateAndStoresThePath)
{
    testsupport::writeFile(dir.file("new.txt"), "Ferris Wheel\r\n");
    preset({{"general - callscombo", "1"}});
    start();
    CCalls* c = open();
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        EXPECT_EQ(r.filter, "Text files (*.txt)|*.txt|Data files (*.dat)|*.dat||");
        return std::vector<std::string>{dir.file("new.txt")};
    });
    for (bool paused : {false, true}) {
        if (c->IsPaused() != paused)
            c->ToggleScrolling();
        c->SendMessage(WM_COMMAND, MAKEWPARAM(1226, BN_CLICKED), 0);
        EXPECT_EQ(c->IsPaused(), paused);
        EXPECT_EQ(c->LineText(0), "Ferris Wheel");
        EXPECT_EQ(c->CallsPath(), dir.file("new.txt"));
        EXPECT_EQ(c->GetDlgItem(1123)->GetWindowText(), paused ? "Scrolling Off" : "Scrolling On");
    }
    EXPECT_EQ(setting("general - callspath_b"), dir.file("new.txt"));
}

TEST_F(CallsTest, ASpinStepTakesEffectAtOnceAndSwitchesScrollingOn)
{
    preset({{"general - showcallssec", "0"}});
    callsInDb({{"Basic", "Circle Left"}});
    start();
    CCalls* c = open();
    EXPECT_EQ(c->Seconds(), 1);
    c->ToggleScrolling();
    ASSERT_TRUE(c->IsPaused());
    c->SetDlgItemText(1159, "7");
    EXPECT_EQ(c->Seconds(), 7);
    EXPECT_FALSE(c->IsPaused());
    EXPECT_EQ(setting("general - showcallssec"), "7");
    c->SetDlgItemText(1159, "999");
    EXPECT_EQ(c->Seconds(), 300);
    EXPECT_EQ(c->GetDlgItem(1159)->GetWindowText(), "300");
}

TEST_F(CallsTest, KeysGoToTheMainWindowAndNothingIsTypedIntoTheWindow)
{
    start();
    CCalls* c = open();
    ASSERT_EQ(dlg->GetCurrentPage(), 0);
    press(Qt::Key_2, Qt::NoModifier, c->GetDlgItem(1159));
    EXPECT_EQ(dlg->GetCurrentPage(), 1);
    EXPECT_EQ(c->GetDlgItem(1159)->GetWindowText(), std::to_string(c->Seconds()));
    c->SetDlgItemText(1004, "x");
    EXPECT_EQ(c->GetDlgItem(1004)->GetWindowText(), "");
    // Hide keeps the window.
    c->SendMessage(WM_COMMAND, MAKEWPARAM(1124, BN_CLICKED), 0);
    EXPECT_TRUE(dlg->m_calls.Exists());
    EXPECT_FALSE(c->IsWindowVisible());
}

} // namespace

namespace {

std::string tipOf(CPPToolTip& tips, CWnd* control)
{
    const auto* tools = tips.GetTools(control);
    return tools && tools->size() == 1 ? tools->front().text : std::string("(none)");
}

TEST_F(CallsTest, BalloonTipsNameEachControlAndTheCallsFile)
{
    testsupport::writeFile(dir.file("mine.txt"), "Swing Thru\r\n");
    preset({{"general - callspath_b", dir.file("mine.txt")}});
    start();
    CCalls* c = open();
    ASSERT_NE(c, nullptr);
    const std::pair<int, std::string> cases[] = {
        {1124, "Hide the window"},
        {1123, "Toggle scrolling on/off"},
        {1223, "Select database, file or both"},
        {1226, "Select a file with calls"},
        {1159, "Number of seconds before a new call is displayed"},
        {1227, dir.file("mine.txt")},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(tipOf(c->Tips(), c->GetDlgItem(id)), text) << id;
}

} // namespace
