// The music page's markers panel: the song's markers loaded into it, the
// hotkey functions, and "next" that only moves forward.
#include "MusicPageFixture.h"

#include "player/MarkerList.h"
#include "store/PlayerGlobals.h"

using namespace musicpagetest;

namespace {

class MarkersPanelTest : public MusicPageTest {
protected:
    void TearDown() override
    {
        g_songMarkers.clear();
        MusicPageTest::TearDown();
    }
};

TEST_F(MarkersPanelTest, HotkeysMakeMoveAndToggleOnThePanelsList)
{
    start();
    g_songMarkers = "00:15;r01:30;02:45;";
    page->LoadSongMarkers();
    CMarkerList& m = page->PanelMarkers();
    ASSERT_EQ(m.Count(), 3);
    EXPECT_TRUE(m.IsFlagged(1));
    g_position = 75.6f;
    page->MarkerCommand(4);
    EXPECT_EQ(g_songMarkers, "00:15;01:14;r01:30;02:45;");
    g_position = 170;
    m.Track();
    page->MarkerCommand(2);
    EXPECT_FLOAT_EQ(g_position, 170.0f) << "next on the last marker stays";
    page->MarkerCommand(6);
    EXPECT_TRUE(m.locked);
    EXPECT_EQ(CMusicDb().GetSetting("markers - lock", 1), "true");
    g_position = 20;
    page->MarkerCommand(4);
    EXPECT_EQ(m.Count(), 4) << "locked: nothing is made";
}

} // namespace
