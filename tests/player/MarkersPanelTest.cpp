// The music page's markers panel: the song's markers loaded into it, the
// hotkey functions, "next" that only moves forward, the panel taking the loop
// controls' place, and its buttons and list.
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

TEST_F(MarkersPanelTest, ThePanelTakesTheLoopControlsPlaceAndGivesItBack)
{
    start();
    auto visible = [&](int id) { return page->GetDlgItem(id)->IsWindowVisible() != FALSE; };
    const int loopArea[] = {1248, 1249, 1250, 1032, 1022, 1023, 1064, 1071, 1039, 1040, 1041};
    const int panel[] = {1146, 1273, 1274, 1253, 1254, 1275, 1276, 1144, 1145, 1152, 1151};
    EXPECT_FALSE(page->IsMarkersPanelShown());
    for (int id : panel)
        EXPECT_FALSE(visible(id)) << id;

    page->ShowMarkersPanel(true, false);
    EXPECT_TRUE(page->IsMarkersPanelShown());
    for (int id : panel)
        EXPECT_TRUE(visible(id)) << id;
    for (int id : loopArea)
        EXPECT_FALSE(visible(id)) << id;
    EXPECT_TRUE(page->IsTimerArmed(kTimerMarkerTime)) << "the time since the marker counts";

    page->ShowMarkersPanel(false, false);
    for (int id : panel)
        EXPECT_FALSE(visible(id)) << id;
    for (int id : loopArea)
        EXPECT_TRUE(visible(id)) << id;
    EXPECT_FALSE(page->IsTimerArmed(kTimerMarkerTime));
}

TEST_F(MarkersPanelTest, TheButtonsAndTheListEditAndMoveThroughTheMarkers)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 200), 0, 0, 0);
    g_songMarkers = "00:15;01:30;02:45;";
    page->LoadSongMarkers();
    page->ShowMarkersPanel(true, true);
    CMarkerList& m = page->PanelMarkers();
    auto click = [&](int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
    auto listNotify = [&](UINT code) {
        NMHDR hdr{page->GetDlgItem(1146)->m_hWnd, 1146, code};
        page->SendMessage(WM_NOTIFY, 1146, LPARAM(&hdr));
    };
    auto select = [&](int row) {
        auto* list = static_cast<CListCtrl*>(page->GetDlgItem(1146));
        for (int r = 0; r < list->GetItemCount(); ++r)
            list->SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
        list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        list->SetSelectionMark(row);
    };

    g_position = 40.5f;
    click(1253);
    EXPECT_EQ(g_songMarkers, "00:15;00:39;01:30;02:45;") << "made one second before the position";

    g_position = 0;
    page->SeekToPosition();
    m.Track();
    click(1274);
    EXPECT_FLOAT_EQ(g_position, 15.0f) << "next";
    EXPECT_EQ(g_sinceMarkerSeconds, 0);
    click(1274);
    EXPECT_FLOAT_EQ(g_position, 39.0f);
    click(1273);
    EXPECT_FLOAT_EQ(g_position, 15.0f) << "previous while stopped on a marker";

    select(2);
    click(1275);
    EXPECT_EQ(g_songMarkers, "00:15;00:39;r01:30;02:45;") << "flagged";
    listNotify(NM_RCLICK);
    EXPECT_EQ(g_songMarkers, "00:15;00:39;01:30;02:45;") << "a right click flags back";

    select(3);
    listNotify(NM_DBLCLK);
    EXPECT_FLOAT_EQ(g_position, 165.0f) << "a double click goes to the marker";
    EXPECT_TRUE(mainWnd.sent(CMD_PLAY_PAUSE)) << "and asks to play the stopped song";

    select(1);
    click(1254);
    EXPECT_EQ(g_songMarkers, "00:15;01:30;02:45;") << "deleted";

    struct Toggle {
        int id;
        const char* key;
    } toggles[] = {{1144, "markers - automem"}, {1145, "markers - lock"}, {1152, "markers - fadein"}};
    for (const Toggle& t : toggles) {
        click(t.id);
        EXPECT_EQ(CMusicDb().GetSetting(t.key, 1), "true") << t.key;
        EXPECT_EQ(page->IsDlgButtonChecked(t.id), UINT(BST_CHECKED)) << t.key;
    }
    EXPECT_TRUE(m.autoMemory && m.locked && m.fadeIn);
    g_position = 100;
    click(1253);
    EXPECT_EQ(m.Count(), 3) << "locked: nothing is made";
    click(1145);
    EXPECT_EQ(CMusicDb().GetSetting("markers - lock", 1), "false");
    EXPECT_EQ(page->IsDlgButtonChecked(1145), UINT(BST_UNCHECKED));

    // With auto memory on, an edit is stored with the song at once.
    click(1253);
    EXPECT_EQ(g_songMarkers, "00:15;01:30;01:39;02:45;");
    g_songMarkers.clear();
    CMusicDb().LoadSongSettings(g_currentSongPath, 1);
    EXPECT_EQ(g_songMarkers, "00:15;01:30;01:39;02:45;");

    // The comment button without a selected marker asks for one.
    static_cast<CListCtrl*>(page->GetDlgItem(1146))->SetSelectionMark(-1);
    click(1276);
    EXPECT_EQ(boxes, std::vector<std::string>{"Select a Marker first!"});
}

TEST_F(MarkersPanelTest, TheMarkerTickCountsFromTheCurrentMarker)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 60), 0, 0, 0);
    g_songMarkers = "00:10;00:20;";
    page->LoadSongMarkers();
    page->ShowMarkersPanel(true, true);
    page->Play();
    pollAt(20.2);
    page->Tick(kTimerMarkerTime);
    EXPECT_EQ(page->PanelMarkers().Current(), 1);
    pollAt(23.4);
    page->Tick(kTimerMarkerTime);
    EXPECT_EQ(g_sinceMarkerSeconds, 3) << "seconds since the marker at 0:20";
}

} // namespace
