// The timer window and the marker timer bar: texts and colours from the main
// window's tick, their places, and how they close.
#include "MainWindowFixture.h"

#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "app/Timer.h"
#include "app/TimerMarkers.h"

using namespace mainwindowtest;

namespace {

class TimerTest : public MainWindowTest {
protected:
    CTimer* openTimer()
    {
        menu(32805);
        return dlg->m_timerWindow.Get();
    }
    CTimerMarkers* openBar()
    {
        dlg->ShowMarkerTimer(true);
        return dlg->m_markerTimer.Get();
    }
    void tick(int dance, int sinceMarker, int state)
    {
        g_danceTimerSeconds = dance;
        g_sinceMarkerSeconds = sinceMarker;
        g_danceTimerState = state;
        code(CMD_TIMER_TICK);
    }
};

constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255),
                   kBlack = RGB(0, 0, 0);

TEST_F(TimerTest, TickShowsTimesAndStatesWithoutColourKeepTheLastOne)
{
    start();
    CTimer* timer = openTimer();
    CTimerMarkers* bar = openBar();
    ASSERT_TRUE(timer && bar);
    EXPECT_EQ(timer->ReadOut().GetWindowText(), "0:00");
    EXPECT_EQ(timer->ReadOut().GetTextColor(), kBlue);
    EXPECT_EQ(bar->Left().GetTextColor(), kBlue);
    EXPECT_EQ(bar->Right().GetTextColor(), kBlack);

    const struct {
        int dance, since, state;
        const char* danceText;
        const char* sinceText;
        COLORREF colour;
    } steps[] = {
        {75, 5, 1, "1:15", "0:05", kBlue},
        {600, 61, 2, "10:00", "1:01", kRed},
        {601, 62, 0, "10:01", "1:02", kRed},
        {-75, 0, 3, "-1:15", "0:00", kWhite},
        {-5, 0, 4, "-0:05", "0:00", kWhite},
        {0, 0, 1, "0:00", "0:00", kBlue},
    };
    for (const auto& s : steps) {
        tick(s.dance, s.since, s.state);
        EXPECT_EQ(timer->ReadOut().GetWindowText(), s.danceText);
        EXPECT_EQ(timer->ReadOut().GetTextColor(), s.colour) << s.state;
        EXPECT_EQ(bar->Left().GetWindowText(), s.danceText);
        EXPECT_EQ(bar->Right().GetWindowText(), s.sinceText);
        EXPECT_EQ(bar->Left().GetTextColor(), s.colour) << s.state;
        EXPECT_EQ(bar->Right().GetTextColor(), kBlack) << s.state;
    }
    tick(125, 7, 1);
    win::PumpMessages(20);
    screenshot(timer->frameWidget()->grab().toImage(), "timer-window.png");
    screenshot(bar->frameWidget()->grab().toImage(), "marker-timer-bar.png");
}

TEST_F(TimerTest, TimerWindowStaysOffTheRightAndBottomEdgesOnly)
{
    const struct {
        int large, screenW, screenH, x, y;
        CRect want;
    } cases[] = {
        {0, 1280, 1024, 30, 40, {30, 40, 280, 180}},
        {0, 800, 600, 1200, 900, {550, 460, 800, 600}},
        {1, 800, 600, 1200, 900, {450, 410, 800, 600}},
        {0, 800, 600, -30, -40, {-30, -40, 220, 100}},
    };
    start();
    CTimer* timer = openTimer();
    ASSERT_NE(timer, nullptr);
    for (const auto& c : cases) {
        win::SetDisplayOverride(win::DisplayMetrics{c.screenW, c.screenH, 96, 96});
        g_largeLayout = c.large;
        g_timerPosX = c.x;
        g_timerPosY = c.y;
        timer->PlaceWindow();
        CRect r;
        timer->GetWindowRect(&r);
        EXPECT_EQ(r, c.want) << c.large << " " << c.x << " " << c.y;
        EXPECT_EQ(g_timerPosX, c.want.left);
        EXPECT_EQ(g_timerPosY, c.want.top);
    }
    g_largeLayout = 0;
}

TEST_F(TimerTest, BarLiesOverTheMainWindowWhenPlacedAgain)
{
    start();
    dlg->MoveWindow(100, 50, 1000, 700);
    CTimerMarkers* bar = openBar();
    ASSERT_NE(bar, nullptr);
    CRect r;
    bar->GetWindowRect(&r);
    EXPECT_EQ(r, CRect(505, 50, 960, 135));
    dlg->MoveWindow(20, 10, 1000, 700);
    bar->Reposition();
    bar->GetWindowRect(&r);
    EXPECT_EQ(r, CRect(425, 10, 880, 95));
}

TEST_F(TimerTest, ColoursFollowTheDialogColour)
{
    start();
    CTimer* timer = openTimer();
    CTimerMarkers* bar = openBar();
    ASSERT_TRUE(timer && bar);
    g_dlgColorR = 10;
    g_dlgColorG = 20;
    g_dlgColorB = 30;
    timer->ApplyColours();
    bar->ApplyColours();
    for (COLORREF c : {timer->GetBackgroundColor(), timer->ReadOut().GetBkColor(), bar->GetBackgroundColor(),
                       bar->Left().GetBkColor(), bar->Right().GetBkColor()})
        EXPECT_EQ(c, RGB(10, 20, 30));
}

TEST_F(TimerTest, CloseBoxReportsTheTimerAndEscapeOnlyHidesTheBar)
{
    start();
    CTimer* timer = openTimer();
    CTimerMarkers* bar = openBar();
    ASSERT_TRUE(timer && bar);
    timer->SendMessage(WM_CLOSE);
    win::PumpMessages();
    EXPECT_FALSE(dlg->m_timerWindow.Exists());
    EXPECT_FALSE(checked(32805));
    EXPECT_EQ(g_timerVisible, 0);

    bar->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    bar->SendMessage(WM_CLOSE);
    EXPECT_TRUE(dlg->m_markerTimer.Exists());
    EXPECT_FALSE(bar->IsWindowVisible());
}

} // namespace
