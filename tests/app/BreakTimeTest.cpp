// The break timer: its start values by hand and after a song, its ticks, the
// signal at zero (alert sound or break music), minutes added and taken, and
// its close box.
#include "MainWindowFixture.h"

#include "store/AppGlobals.h"
#include "app/BreakTime.h"
#include "store/CommandCodes.h"

#include <QImage>
#include <QWidget>

using namespace mainwindowtest;

namespace {

class BreakTimeTest : public MainWindowTest {
protected:
    int alerts = 0;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        CBreakTime::SetAlertPlayer([this] { ++alerts; });
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        CBreakTime::SetAlertPlayer({});
    }
    CBreakTime* timer() { return dlg->m_breakTimer.Get(); }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            timer()->SendMessage(WM_TIMER, 1, 0);
    }
    // Whether the break music plays on the main window's second player.
    int breakMusicCommands()
    {
        const DWORD s = dlg->SoundStream();
        return s && BASS_ChannelIsActive(s) == BASS_ACTIVE_PLAYING ? 1 : 0;
    }
    std::string breakMusic(const char* wanted)
    {
        if (!*wanted)
            return "";
        const std::string path = dir.file("break.wav");
        if (!std::filesystem::exists(path))
            testsupport::writeSineWav(path, 5, 8000, 1);
        return path;
    }
};

struct StartCase {
    const char* minutes;
    const char* autoMinutes;
    UINT command;
    const char* shown;
    const char* afterOneTick;
};

TEST_F(BreakTimeTest, StartsFromTheLengthLessTheAutomaticMinutesAfterASong)
{
    const StartCase cases[] = {
        {"5", "2", CMD_BREAK_OPEN, "5:00", "4:59"},
        {"5", "2", CMD_BREAK_OPEN_AUTO, "3:00", "2:59"},
        {"2", "3", CMD_BREAK_OPEN_AUTO, "-1:00", "-1:01"},
        {"0", "0", CMD_BREAK_OPEN, "0:00", "-0:01"},
    };
    for (const StartCase& c : cases) {
        preset({{"music - pausemin", c.minutes}, {"music - autobreaktime", c.autoMinutes}, {"music - pausepling", "true"}});
        start();
        code(c.command);
        ASSERT_NE(timer(), nullptr) << c.shown;
        EXPECT_TRUE(timer()->IsWindowVisible());
        EXPECT_EQ(g_breakTimerOpen, 1);
        EXPECT_EQ(timer()->DisplayText(), c.shown);
        tick();
        EXPECT_EQ(timer()->DisplayText(), c.afterOneTick);
        // Below zero from the start, or passing zero only from above: no signal.
        EXPECT_EQ(alerts, 0) << c.shown;
        code(CMD_BREAK_CLOSE);
        EXPECT_FALSE(dlg->m_breakTimer);
        EXPECT_EQ(g_breakTimerOpen, 0);
        TearDown();
        SetUp();
    }
}

TEST_F(BreakTimeTest, ZeroSignalsOnceWithTheAlertFlagAndTurnsTheDigitsRed)
{
    struct Case {
        const char* pling;
        const char* music;
        int alerts;
        int musicCommands;
        COLORREF color;
    } const cases[] = {
        {"true", "", 1, 0, RGB(255, 0, 0)},
        {"true", "/music/break.mp3", 0, 1, RGB(255, 0, 0)},
        {"false", "", 0, 0, RGB(0, 0, 0)},
        {"false", "/music/break.mp3", 0, 0, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        preset({{"music - pausemin", "1"}, {"music - pausepling", c.pling}, {"music - pausepath", breakMusic(c.music)}});
        start();
        code(CMD_BREAK_OPEN);
        alerts = 0;
        clearCalls();
        tick(59);
        EXPECT_EQ(timer()->DisplayText(), "0:01");
        EXPECT_EQ(timer()->DisplayColor(), RGB(0, 0, 0));
        tick();
        EXPECT_EQ(timer()->DisplayText(), "0:00");
        tick(2);
        EXPECT_EQ(timer()->DisplayText(), "-0:02");
        EXPECT_EQ(alerts, c.alerts) << c.pling << " " << c.music;
        EXPECT_EQ(breakMusicCommands(), c.musicCommands) << c.pling << " " << c.music;
        EXPECT_EQ(timer()->DisplayColor(), c.color) << c.pling << " " << c.music;
        TearDown();
        SetUp();
    }
}

TEST_F(BreakTimeTest, ASecondManualStartCountsFromTheFullLengthAgainAndAMinuteCanBeAddedOrTaken)
{
    preset({{"music - pausemin", "3"}, {"music - pausepling", "true"}});
    start();
    code(CMD_BREAK_OPEN);
    CBreakTime* first = timer();
    tick(10);
    EXPECT_EQ(g_breakSecondsLeft, 170);
    code(CMD_BREAK_OPEN);
    EXPECT_EQ(timer(), first);
    EXPECT_EQ(g_breakSecondsLeft, 180);
    EXPECT_EQ(first->DisplayText(), "3:00");
    // An automatic start leaves an open timer counting.
    tick();
    code(CMD_BREAK_OPEN_AUTO);
    EXPECT_EQ(g_breakSecondsLeft, 179);

    first->AdjustMinute(true);
    EXPECT_EQ(g_breakSecondsLeft, 239);
    first->AdjustMinute(false);
    first->AdjustMinute(false);
    first->AdjustMinute(false);
    EXPECT_EQ(g_breakSecondsLeft, 59);
    tick(59);
    EXPECT_EQ(alerts, 1);
    // Raised above zero again, the next pass signals again.
    first->AdjustMinute(true);
    tick(60);
    EXPECT_EQ(alerts, 2);
}

TEST_F(BreakTimeTest, TheCloseBoxEndsTheBreakAndTheMainWindowDestroysTheTimer)
{
    preset({{"music - pausemin", "5"}, {"music - pausepling", "true"}});
    start();
    g_breakPosX = 120;
    g_breakPosY = 90;
    code(CMD_BREAK_OPEN);
    CRect r;
    timer()->GetWindowRect(&r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.Width(), 254);
    EXPECT_EQ(timer()->GetWindowText(), "Mirtal - Break Timer");

    timer()->MoveWindow(200, 150, 254, 130);
    EXPECT_EQ(g_breakPosX, 200);
    EXPECT_EQ(g_breakPosY, 150);

    tick(3);
    timer()->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    win::PumpMessages(5);
    EXPECT_FALSE(dlg->m_breakTimer.Exists());
    EXPECT_EQ(g_breakTimerOpen, 0);
    EXPECT_EQ(g_breakSecondsLeft, 0);
    // Closed is closed: the count does not run on below zero and nothing signals.
    win::PumpMessages(1200);
    EXPECT_EQ(g_breakSecondsLeft, 0);
    EXPECT_EQ(alerts, 0);
}

TEST_F(BreakTimeTest, TheDigitsAreLargeAndCentredOnTheDialogColour)
{
    preset({{"music - pausemin", "5"}});
    start();
    g_dlgColorR = 200;
    g_dlgColorG = 220;
    g_dlgColorB = 240;
    code(CMD_BREAK_OPEN);
    ASSERT_NE(timer(), nullptr);
    EXPECT_EQ(timer()->Display().GetBkColor(), RGB(200, 220, 240));
    win::PumpMessages(20);
    const QImage shot = timer()->frameWidget()->grab().toImage();
    screenshot(shot, "break-timer.png");
    // Black digits drawn across the middle of the window, none at its edge.
    const QImage label = timer()->Display().widget()->grab().toImage();
    int dark = 0;
    for (int x = 0; x < label.width(); ++x)
        if (qGray(label.pixel(x, label.height() / 2)) < 60)
            ++dark;
    EXPECT_GT(dark, 10);
    EXPECT_EQ(label.pixel(1, 1) & 0xffffff, 0xc8dcf0u);
    g_dlgColorR = g_dlgColorG = g_dlgColorB = 240;
}

TEST_F(BreakTimeTest, AKeyPressedInTheTimerReachesTheMainWindow)
{
    start();
    code(CMD_BREAK_OPEN);
    ASSERT_EQ(dlg->GetCurrentPage(), 0);
    // A digit picks the main window's tab.
    press(Qt::Key_2, Qt::NoModifier, timer());
    EXPECT_EQ(dlg->GetCurrentPage(), 1);
}

} // namespace
