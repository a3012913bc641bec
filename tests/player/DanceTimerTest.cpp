// The dance timer (its four kinds, half-second ticks, red over time and the
// ding) and the break timer that the page opens after the music stopped.
#include "MusicPageFixture.h"

#include "controls/NewLabel.h"
#include "platform/win/Button.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>

namespace {

using namespace musicpagetest;

class DanceTimerTest : public MusicPageTest {
protected:
    CNewLabel& display() { return *static_cast<CNewLabel*>(page->GetDlgItem(1037)); }
    std::string shown() { return display().GetText(); }
    bool red() { return display().GetTextColor() == RGB(255, 0, 0); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            page->Tick(kTimerDance);
    }
    int dings() const { return int(std::count(mainWnd.codes.begin(), mainWnd.codes.end(), CMD_PLAY_DING)); }
    void SetUp() override
    {
        MusicPageTest::SetUp();
        g_dingPath = "/sounds/ding.wav"; // the main window plays it (945)
        g_danceLevel = 1;
        g_breakTimerOpen = 0;
        g_breakSecondsLeft = 0;
    }
    void TearDown() override
    {
        g_dingPath.clear();
        g_breakTimerOpen = 0;
        MusicPageTest::TearDown();
    }
};

TEST_F(DanceTimerTest, CountingDownShowsTheSecondsAndBlinksRedOverTime)
{
    start({{"music - timerup", "1"}, {"music - timertime", "1"}, {"music - timerred", "true"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->Play();
    EXPECT_TRUE(page->IsTimerArmed(kTimerDance));
    EXPECT_EQ(page->TimerPeriod(kTimerDance), 500u);
    EXPECT_EQ(shown(), "1:00");
    ticks(1);
    EXPECT_EQ(shown(), "1:00") << "half a second";
    ticks(1);
    EXPECT_EQ(shown(), "0:59");
    EXPECT_EQ(g_danceTimerSeconds, 59);
    EXPECT_TRUE(mainWnd.sent(CMD_TIMER_TICK));
    ticks(118);
    EXPECT_EQ(shown(), "0:00");
    EXPECT_FALSE(red());
    ticks(2);
    EXPECT_EQ(shown(), "-0:01");
    // Below zero: red on every second tick, and the state tells the timer windows.
    std::vector<bool> colours;
    for (int i = 0; i < 4; ++i) {
        ticks(1);
        colours.push_back(red());
        EXPECT_EQ(g_danceTimerState, red() ? 2 : 1);
    }
    EXPECT_NE(colours[0], colours[1]);
    EXPECT_EQ(colours[0], colours[2]);
    EXPECT_EQ(colours[1], colours[3]);

    // A look at the page with the red timer and the tempo labels.
    if (const char* keep = std::getenv("MIRTAL_SCREENSHOT_DIR")) {
        if (!red())
            ticks(1);
        page->SetDetectedBpm(120);
        g_tempo = 5;
        g_pitch = 1;
        page->ApplyAttributes();
        page->widget()->grab().toImage().save(QString::fromStdString(std::string(keep) + "/dance-timer-red.png"));
    }
}

TEST_F(DanceTimerTest, TheOvertimeDingByListType)
{
    struct Case {
        const char* plingHoedown;
        int listType;
        int dings;
    };
    const Case cases[] = {
        {"true", 2, 0}, // a singing call never dings when only hoedowns do
        {"true", 1, 1}, // a hoedown dings once
        {"false", 2, 1},
        {"false", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.plingHoedown << " " << c.listType);
        if (page)
            page->DestroyWindow();
        start({{"music - timerup", "1"},
               {"music - timertime", "1"},
               {"music - alarmpling", "true"},
               {"music - plinghoedown", c.plingHoedown},
               {"music - columetype1", std::to_string(c.listType)}});
        rows(1, {wav("Song.wav", 20)});
        page->OpenListRow(1, 0);
        page->Play();
        mainWnd.codes.clear();
        ticks(121);
        EXPECT_EQ(dings(), 0) << "not before 0:00 is passed";
        ticks(40);
        EXPECT_EQ(dings(), c.dings);
    }
}

TEST_F(DanceTimerTest, TheKindsAndTheirStartValues)
{
    struct Case {
        const char* type;
        const char* perLevel;
        int level;
        const char* atStart;
        const char* afterTwoSeconds;
    };
    // Song of 20 s standing at 5 s; the general time 2 minutes, Plus 7 minutes.
    const Case cases[] = {
        {"0", "false", 3, "0:00", "0:02"},
        {"1", "false", 3, "2:00", "1:58"},
        {"1", "true", 3, "7:00", "6:58"},
        {"1", "true", 1, "3:00", "2:58"},
        {"2", "false", 3, "0:20", "0:18"},
        {"3", "false", 3, "0:15", "0:15"}, // what is left of the song, which stands still here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.perLevel << " " << c.level);
        if (page)
            page->DestroyWindow();
        g_danceLevel = c.level;
        start({{"music - timerup", c.type},
               {"music - timertime", "2"},
               {"music - timerseparatelevel", c.perLevel},
               {"music - timertimeplus", "7"},
               {"music - timertimebasic", "3"}});
        page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
        page->SeekTo(5);
        page->Play();
        EXPECT_EQ(shown(), c.atStart);
        ticks(4);
        EXPECT_EQ(shown(), c.afterTwoSeconds);
    }
}

TEST_F(DanceTimerTest, CountingUpTurnsRedPastTheLevelTime)
{
    start({{"music - timerup", "0"}, {"music - timertime", "1"}, {"music - timerred", "true"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->Play();
    ticks(120);
    EXPECT_EQ(shown(), "1:00");
    bool anyRed = false;
    for (int i = 0; i < 4; ++i) {
        ticks(1);
        anyRed = anyRed || red();
    }
    EXPECT_TRUE(anyRed);
}

TEST_F(DanceTimerTest, TheHotkeysSwitchTheKindAndRestart)
{
    start({{"music - timerup", "3"}, {"music - timertime", "1"}});
    page->DanceTimerCommand(1);
    EXPECT_EQ(CMusicDb().GetSetting("music - timerup", 1), "0") << "type 3 turns into counting up";
    page->DanceTimerCommand(1);
    EXPECT_EQ(CMusicDb().GetSetting("music - timerup", 1), "1");

    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->Play();
    ticks(10);
    EXPECT_EQ(shown(), "0:55");
    mainWnd.codes.clear();
    page->DanceTimerCommand(2);
    EXPECT_EQ(shown(), "1:00");
    EXPECT_TRUE(page->IsTimerArmed(kTimerDance)) << "still playing: it runs again";
    EXPECT_TRUE(mainWnd.sent(CMD_SLIDER_RESTYLE));
    page->Pause();
    page->DanceTimerCommand(2);
    EXPECT_FALSE(page->IsTimerArmed(kTimerDance));
}

TEST_F(DanceTimerTest, TheBreakTimerOpensAfterTheAutomaticBreakTime)
{
    start({{"music - autobreaktime", "1"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->Play();
    page->Pause();
    ASSERT_TRUE(page->IsTimerArmed(kTimerAutoBreak));
    EXPECT_EQ(page->TimerPeriod(kTimerAutoBreak), 1000u);
    mainWnd.codes.clear();
    for (int i = 0; i < 60; ++i)
        page->Tick(kTimerAutoBreak);
    EXPECT_FALSE(mainWnd.sent(CMD_BREAK_OPEN_AUTO)) << "one minute: not yet";
    page->Tick(kTimerAutoBreak);
    EXPECT_TRUE(mainWnd.sent(CMD_BREAK_OPEN_AUTO)) << "one minute and a second";
    EXPECT_FALSE(page->IsTimerArmed(kTimerAutoBreak));
    EXPECT_TRUE(page->IsTimerArmed(kTimerBreakCheck));

    // Playing again stops the count.
    page->Play();
    EXPECT_FALSE(page->IsTimerArmed(kTimerAutoBreak));
}

TEST_F(DanceTimerTest, TheBreakButtonOpensAndClosesTheBreakTimer)
{
    start({{"music - pausemin", "5"}});
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1241, BN_CLICKED), 0);
    EXPECT_TRUE(mainWnd.sent(CMD_BREAK_OPEN));
    EXPECT_TRUE(page->IsTimerArmed(kTimerBreakCheck));
    g_breakTimerOpen = 1;
    mainWnd.codes.clear();
    page->OnBreakButton();
    EXPECT_TRUE(mainWnd.sent(CMD_BREAK_CLOSE));
    EXPECT_FALSE(page->IsTimerArmed(kTimerBreakCheck));

    // The break minutes are stored when the edit loses the focus.
    page->GetDlgItem(1281)->SetWindowText("12");
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1281, EN_KILLFOCUS), 0);
    EXPECT_EQ(CMusicDb().GetSetting("music - pausemin", 1), "12");
}

TEST_F(DanceTimerTest, TheEndOfTheBreakStartsTheMusic)
{
    struct Case {
        const char* pauseStart;
        const char* fromQueue;
        bool plays;
        bool queuedSong;
    };
    const Case cases[] = {
        {"true", "false", true, false},
        {"false", "true", true, true},
        {"false", "false", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pauseStart << " " << c.fromQueue);
        if (page)
            page->DestroyWindow();
        start({{"music - pausestart", c.pauseStart}, {"music - afterbreakplayfromque", c.fromQueue}});
        const std::string first = wav("First.wav", 20), queued = wav("Queued.wav", 20);
        page->OpenSong(4, -1, first, 0, 0, 0);
        page->QueueSong(queued, 1, 0, "0", 0);
        page->OnBreakButton();
        g_breakTimerOpen = 1;
        g_breakSecondsLeft = 3;
        mainWnd.codes.clear();
        page->Tick(kTimerBreakCheck);
        EXPECT_EQ(g_playing, 0) << "the break still runs";
        g_breakSecondsLeft = -1;
        page->Tick(kTimerBreakCheck);
        EXPECT_EQ(g_playing, c.plays ? 1 : 0);
        EXPECT_EQ(mainWnd.sent(CMD_BREAK_CLOSE), c.plays);
        EXPECT_EQ(g_currentSongPath, c.queuedSong ? queued : first);
        page->Pause();
        g_breakTimerOpen = 0;
    }
}

TEST_F(DanceTimerTest, ABreakWindowClosedByHandEndsTheCheck)
{
    start({{"music - pausestart", "true"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->OnBreakButton();
    ASSERT_TRUE(page->IsTimerArmed(kTimerBreakCheck));
    // The user closed the break window; its count had run out.
    g_breakTimerOpen = 0;
    g_breakSecondsLeft = -5;
    mainWnd.codes.clear();
    page->Tick(kTimerBreakCheck);
    EXPECT_FALSE(page->IsTimerArmed(kTimerBreakCheck));
    EXPECT_FALSE(mainWnd.sent(CMD_BREAK_OPEN)) << "not opened again";
    EXPECT_EQ(g_playing, 0);
}

} // namespace
