// The end of the main window: the window state stored in one transaction,
// and what the next start makes of it.
#include "MainWindowFixture.h"

#include "store/CommandCodes.h"
#include "app/Timer.h"

using namespace mainwindowtest;

namespace {

class ShutdownTest : public MainWindowTest {
protected:
    void stop()
    {
        rec.reset();
        dlg->DestroyWindow();
        dlg.reset();
    }
};

struct Stored {
    const char* key;
    int* global;
};

// The 15 column widths and the 42 window places, as stored and read at start.
const Stored kStored[] = {
    {"music - colwidth1_0", &g_colWidth1_0},          {"music - colwidth1_4", &g_colWidth1_4},
    {"music - colwidth2_2", &g_colWidth2_2},          {"music - colwidth3_0", &g_colWidth3_0},
    {"music - colwidth3_4", &g_colWidth3_4},          {"general - modelesslyrics_x", &g_lyricsWindowX},
    {"general - modelesslyrics_height", &g_lyricsWindowHeight}, {"general - karaoke_width", &g_karaokeWidth},
    {"general - modelesslyrics2_y", &g_lyricsWindow2Y}, {"general - pausepos_x", &g_breakPosX},
    {"general - timerpos_y", &g_timerPosY},           {"general - jukeboxpos_x", &g_jukeboxPosX},
    {"general - aboutpos_y", &g_aboutPosY},           {"general - recordpos_x", &g_recorderPosX},
    {"general - markerpos_y", &g_markersPosY},        {"general - squareidpos_x", &g_squareIdPosX},
    {"general - equalizerpos_y", &g_equalizerPosY},   {"general - callspos_width", &g_callsWidth},
    {"general - callspos_height", &g_callsHeight},    {"general - hotkeypos_x", &g_hotkeysPosX},
    {"general - musicctrlpos_w", &g_musicControlWidth}, {"general - musicctrlpos_h", &g_musicControlHeight},
    {"general - computercardspos_x", &g_cardsPosX},   {"general - tagspos_y", &g_tagsPosY},
};

TEST_F(ShutdownTest, TheWindowStateIsStoredAndReadAgainAtTheNextStart)
{
    // Widths that follow the list width would be laid out anew at start.
    preset({{"markers - visible", "true"}, {"markers - show", "1"}, {"music - adjustcolwidth", "false"}});
    start();
    int value = 101;
    for (const Stored& s : kStored)
        *s.global = value++;
    g_tooltipsOn = 0;
    g_timerVisible = 1;
    stop();

    value = 101;
    for (const Stored& s : kStored)
        EXPECT_EQ(setting(s.key), std::to_string(value++)) << s.key;
    EXPECT_EQ(setting("markers - visible"), "false");
    EXPECT_EQ(setting("general - tooltip"), "false");
    EXPECT_EQ(setting("music - timervisible"), "true");

    // The next start reads them back and opens the timer window again.
    for (const Stored& s : kStored)
        *s.global = 0;
    start();
    value = 101;
    for (const Stored& s : kStored)
        EXPECT_EQ(*s.global, value++) << s.key;
    EXPECT_TRUE(dlg->m_timerWindow.IsVisible());
    EXPECT_TRUE(checked(32805));
    EXPECT_FALSE(dlg->MusicPage().IsMarkersPanelShown()) << "no markers panel at start";
}

TEST_F(ShutdownTest, ATimerWindowClosedByTheUserIsNotReopened)
{
    preset({{"music - timervisible", "true"}});
    start();
    ASSERT_TRUE(dlg->m_timerWindow);
    code(CMD_TIMER_CLOSED);
    stop();
    EXPECT_EQ(setting("music - timervisible"), "false");
    start();
    EXPECT_FALSE(dlg->m_timerWindow);
    EXPECT_FALSE(checked(32805));
}

TEST_F(ShutdownTest, TheStateIsStoredInOneTransaction)
{
    start();
    g_colWidth1_0 = 77;
    g_tagsPosY = 88;
    // The last key of the batch cannot be written: nothing of the batch may land.
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("CREATE TRIGGER refuse BEFORE UPDATE ON ini WHEN new.name = 'music - timervisible' "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        db.Close();
    }
    const std::string widthBefore = setting("music - colwidth1_0");
    const std::string placeBefore = setting("general - tagspos_y");
    stop(); // the window goes all the same
    EXPECT_EQ(setting("music - colwidth1_0"), widthBefore);
    EXPECT_EQ(setting("general - tagspos_y"), placeBefore);
    EXPECT_TRUE(boxes().empty()) << "the end shows no message";

    // With the table writable again the next end stores everything.
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("DROP TRIGGER refuse;");
        db.Close();
    }
    start();
    g_colWidth1_0 = 77;
    stop();
    EXPECT_EQ(setting("music - colwidth1_0"), "77");
}

} // namespace
