// Song markers: the markers string, making, flagging and following markers
// in the markers window, the flagged skip and the next and previous moves.
#include "PlayerFixture.h"

#include "player/Markers.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"

using namespace playertest;

namespace {

TEST(MarkersString, ReadsStopsAndWritesBack)
{
    const auto items = markers::Parse("00:15;r01:30;02:45;");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].time, "01:30");
    EXPECT_TRUE(items[1].flagged);
    EXPECT_EQ(items[2].seconds, 165);
    EXPECT_EQ(markers::Write(items), "00:15;r01:30;02:45;");
    EXPECT_EQ(markers::Parse("00:15;x;00:30;").size(), 1u) << "a one-character item ends the list";
    EXPECT_EQ(markers::Parse("00:15;00:30").size(), 1u) << "text after the last ; is ignored";
    const std::pair<const char*, int> times[] = {{"01:05", 65}, {"1:05", 65}, {"100:05", 6005}, {"12:00", 720}, {"ab", 0}};
    for (const auto& [text, seconds] : times)
        EXPECT_EQ(markers::Seconds(text), seconds) << text;
    EXPECT_EQ(markers::TimeText(74), "01:14");
    EXPECT_EQ(markers::TimeText(6005), "100:05");
    EXPECT_EQ(markers::TimeText(0), "00:00");
}

class MarkersTest : public PlayerTest {
protected:
    std::unique_ptr<CMarkers> win;
    void SetUp() override
    {
        PlayerTest::SetUp();
        g_currentSongPath = "/m/song.mp3";
        g_songMarkers = "00:15;r01:30;02:45;";
        g_songLength = 200;
        g_position = 0;
        g_playing = 0;
    }
    void TearDown() override
    {
        if (win && win->m_hWnd)
            win->DestroyWindow();
        win.reset();
        g_songMarkers.clear();
        g_currentSongPath.clear();
        g_playing = 0;
        PlayerTest::TearDown();
    }
    CMarkers& open()
    {
        win = std::make_unique<CMarkers>();
        EXPECT_TRUE(win->Create(CMarkers::IDD));
        return *win;
    }
    CReportCtrl& list() { return *static_cast<CReportCtrl*>(win->GetDlgItem(1146)); }
    void select(int row)
    {
        list().SetAllItemStates(RC_ITEM_ALL, RC_ITEM_UNSELECTED);
        list().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        list().SetSelectionMark(row);
    }
    std::vector<std::string> times()
    {
        std::vector<std::string> t;
        for (int r = 0; r < list().GetItemCount(); ++r)
            t.push_back(list().GetItemText(r, 0));
        return t;
    }
};

TEST_F(MarkersTest, LoadingShowsTheFlaggedRowRedAndMakingKeepsTimeOrder)
{
    open();
    EXPECT_EQ(times(), (std::vector<std::string>{"00:15", "01:30", "02:45"}));
    EXPECT_TRUE(win->Markers().IsFlagged(1));
    EXPECT_FALSE(win->Markers().IsFlagged(0));
    g_position = 75.6f;
    click(*win, 1149);
    EXPECT_EQ(times(), (std::vector<std::string>{"00:15", "01:14", "01:30", "02:45"}));
    EXPECT_EQ(list().GetItemText(1, 1), "74");
    EXPECT_EQ(g_songMarkers, "00:15;01:14;r01:30;02:45;");
    g_position = 75.9f;
    click(*win, 1149);
    EXPECT_EQ(times().size(), 4u) << "the same second again adds nothing";
    g_position = 0.5f;
    click(*win, 1149);
    EXPECT_EQ(times().front(), "00:00") << "never before the start";
    shot(*win, "markers.png");
}

TEST_F(MarkersTest, FlagNeedsASelectionAndLockStopsMakeAndDelete)
{
    open();
    list().SetSelectionMark(-1);
    click(*win, 1201);
    EXPECT_EQ(g_songMarkers, "00:15;r01:30;02:45;") << "no selection flags nothing";
    select(0);
    click(*win, 1201);
    EXPECT_EQ(g_songMarkers, "r00:15;r01:30;02:45;");
    click(*win, 1145);
    EXPECT_EQ(setting("markers - lock"), "true");
    g_position = 50;
    click(*win, 1149);
    click(*win, 1150);
    EXPECT_EQ(times().size(), 3u);
    click(*win, 1145);
    select(2);
    click(*win, 1150);
    EXPECT_EQ(g_songMarkers, "r00:15;r01:30;");
    // A comment needs a selected marker.
    list().SetSelectionMark(-1);
    click(*win, 1089);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Select a Marker first!");
}

TEST_F(MarkersTest, PlayingSkipsAFlaggedSectionAndAFlaggedLastMarkerGoesToTheEnd)
{
    open();
    g_playing = 1;
    g_position = 90.2f; // on the red 01:30
    win->Markers().Track();
    EXPECT_FLOAT_EQ(g_position, 165.0f) << "skipped to the next marker";
    EXPECT_EQ(mainWnd.count(CMD_SEEK_TO_MARKER), 1);
    g_songMarkers = "00:15;r01:30;";
    win->LoadMarkers();
    g_position = 90.0f;
    win->Markers().Track();
    EXPECT_FLOAT_EQ(g_position, 200.0f) << "to the end of the song, never back to the start";
}

TEST_F(MarkersTest, NextAndPreviousMoveBetweenPlainMarkers)
{
    open();
    CMarkerList& m = win->Markers();
    g_position = 20; // after 00:15
    m.Track();
    click(*win, 1147);
    EXPECT_FLOAT_EQ(g_position, 165.0f) << "over the flagged 01:30";
    click(*win, 1147);
    EXPECT_FLOAT_EQ(g_position, 165.0f) << "on the last marker the window goes back to it";
    click(*win, 1148);
    EXPECT_FLOAT_EQ(g_position, 15.0f) << "stopped exactly on a marker: the one before, over the flagged";
    click(*win, 1148);
    EXPECT_FLOAT_EQ(g_position, 0.0f);

    // The page's next only moves forward.
    CMarkerList page(list(), {true, {}});
    page.Load();
    g_position = 170;
    page.Track();
    page.Next();
    EXPECT_FLOAT_EQ(g_position, 170.0f);
}

TEST_F(MarkersTest, AutoMemoryAsksTheMainWindowToSaveAndHotkeysWork)
{
    open();
    click(*win, 1144);
    EXPECT_EQ(setting("markers - automem"), "true");
    g_position = 40;
    win->HotkeyCommand(4);
    EXPECT_EQ(mainWnd.count(CMD_SAVE_SONG_SETTINGS), 1);
    EXPECT_EQ(g_songMarkers, "00:15;00:39;r01:30;02:45;");
    mainWnd.codes.clear();
    win->HotkeyCommand(1);
    EXPECT_EQ(mainWnd.codes, (std::vector<UINT>{CMD_PLAYER_LOOP_OFF, CMD_SEEK_TO_MARKER, CMD_PLAY_IF_STOPPED}));
    EXPECT_FLOAT_EQ(g_position, 165.0f);
}

} // namespace
