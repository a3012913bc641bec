// The hotkeys view: its text from table hotkeys, its place on small screens,
// and its close report.
#include "MainWindowFixture.h"

#include "store/AppGlobals.h"
#include "app/ViewHotkeys.h"


using namespace mainwindowtest;

namespace {

int byDefault(const std::string& key)
{
    for (const auto& d : CMusicDb::DefaultHotkeys())
        if (key == d.key)
            return d.function;
    return -1;
}

class ViewHotkeysTest : public MainWindowTest {
protected:
    CViewHotkeys* open()
    {
        menu(32852);
        return dynamic_cast<CViewHotkeys*>(dlg->ToolSlotOfItem(32852)->Window());
    }

    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> out;
        size_t from = 0;
        for (;;) {
            const size_t at = text.find("\r\n", from);
            out.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
            if (at == std::string::npos)
                return out;
            from = at + 2;
        }
    }
};

TEST_F(ViewHotkeysTest, ListsFixedKeysThenEveryAssignableKeyByName)
{
    start();
    {
        CMusicDb db;
        db.SetHotkey("b", 0, 1);
        db.SetHotkey("c", 86, 1);
        db.SetHotkey("d", 87, 1);  // no such function
        db.SetHotkey("e", -3, 1);
        db.SetHotkey("minus", 57, 1);
    }
    CViewHotkeys* view = open();
    ASSERT_NE(view, nullptr);
    const std::vector<std::string> l = lines(view->Text());
    ASSERT_EQ(l.size(), 11u + 29u);
    const std::pair<size_t, std::string> expected[] = {
        {0, "F1 - Open the helpfile"},
        {3, "F8 - Play sound 1"},
        {10, "TAB - Switch winow focus"},
        {11, "A - Choreography - Back file"},
        {12, "B - *** No Function ***"},
        {13, "C - Show Calls - Next"},
        {14, "D - *** No Function ***"},
        {15, "E - *** No Function ***"},
        {29, "S - " + CViewHotkeys::FunctionName(byDefault("s"))},
        {30, "T - Show lyrics"},
        {31, "U - " + CViewHotkeys::FunctionName(byDefault("u"))},
        {37, ", - " + CViewHotkeys::FunctionName(byDefault("comma"))},
        {39, "- - Markers - Play From Last Marker Without Loop"},
    };
    for (const auto& [i, text] : expected)
        EXPECT_EQ(l[i], text) << i;
    // The last line has no break after it, and keys without a function line are absent.
    EXPECT_NE(view->Text().substr(view->Text().size() - 2), "\r\n");
    for (const std::string& line : l)
        for (const char* absent : {"F7", "F10", "F11", "F12"})
            EXPECT_NE(line.rfind(absent, 0), 0u) << line;
}

TEST_F(ViewHotkeysTest, TextIsASnapshotUntilRebuilt)
{
    start();
    CViewHotkeys* view = open();
    ASSERT_NE(view, nullptr);
    CMusicDb db;
    db.SetHotkey("z", 10, 1);
    EXPECT_EQ(lines(view->Text())[36].rfind("Z - View Hotkeys", 0), std::string::npos);
    view->BuildText();
    EXPECT_EQ(lines(view->Text())[36], "Z - View Hotkeys");
    std::string shown;
    view->GetDlgItemText(1277, shown);
    EXPECT_NE(shown.find("Z - View Hotkeys"), std::string::npos);
}

TEST_F(ViewHotkeysTest, PlaceKeepsTheWindowOnTheScreen)
{
    struct Case {
        int large, screenW, screenH, x, y;
        CRect want;
    } cases[] = {
        {0, 1280, 1024, 100, 50, {100, 50, 360, 630}},
        {0, 1280, 1024, 2000, 900, {1020, 414, 1280, 994}},
        {0, 1280, 1024, -40, -20, {-40, -20, 220, 560}},
        {1, 1280, 1024, 2000, 900, {980, 314, 1280, 1024}},
        {1, 1024, 700, 10, 300, {10, -10, 310, 690}},
    };
    start();
    CViewHotkeys* view = open();
    ASSERT_NE(view, nullptr);
    for (const Case& c : cases) {
        win::SetDisplayOverride(win::DisplayMetrics{c.screenW, c.screenH, 96, 96});
        g_largeLayout = c.large;
        g_hotkeysPosX = c.x;
        g_hotkeysPosY = c.y;
        view->PlaceWindow();
        CRect r;
        view->GetWindowRect(&r);
        EXPECT_EQ(r, c.want) << c.large << " " << c.screenH << " " << c.x;
        EXPECT_EQ(g_hotkeysPosX, c.want.left);
        EXPECT_EQ(g_hotkeysPosY, c.want.top);
        EXPECT_TRUE(view->IsWindowVisible());
    }
    g_largeLayout = 0;
}

TEST_F(ViewHotkeysTest, CloseBoxReportsAndTypingNeverStaysInTheSink)
{
    start();
    CViewHotkeys* view = open();
    ASSERT_NE(view, nullptr);
    CWnd* sink = view->GetDlgItem(1004);
    ASSERT_NE(sink, nullptr);
    sink->SetWindowText("x");
    EXPECT_EQ(sink->GetWindowText(), "");
    EXPECT_EQ(lines(view->Text()).size(), 40u) << "reading the controls back keeps the list";

    view->SendMessage(WM_CLOSE);
    win::PumpMessages();
    EXPECT_FALSE(dlg->ToolSlotOfItem(32852)->Exists());
    EXPECT_FALSE(checked(32852));
}

} // namespace
