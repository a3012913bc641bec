// The jukebox window: the source and its options as the player reads them,
// the short time stored, the play button, and closing stops the jukebox.
#include "PlayerFixture.h"

#include "player/JukeBox.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"

using namespace playertest;

namespace {

class JukeBoxTest : public PlayerTest {
protected:
    std::unique_ptr<CJukeBox> box;
    void TearDown() override
    {
        if (box && box->m_hWnd)
            box->DestroyWindow();
        box.reset();
        g_jukeboxMode = g_jukeboxRandom = g_jukeboxShortPlay = 0;
        PlayerTest::TearDown();
    }
    CJukeBox& open()
    {
        box = std::make_unique<CJukeBox>();
        EXPECT_TRUE(box->Create(CJukeBox::IDD));
        return *box;
    }
    bool enabled(int id) { return box->GetDlgItem(id)->IsWindowEnabled(); }
};

TEST_F(JukeBoxTest, OpensOffAndTheSourcesSetTheMode)
{
    g_jukeboxMode = 3;
    g_jukeboxShortTime = 30;
    CJukeBox& b = open();
    EXPECT_EQ(g_jukeboxMode, 0) << "always opens off";
    EXPECT_FALSE(enabled(1100));
    EXPECT_FALSE(enabled(1104));
    EXPECT_EQ(b.GetDlgItem(1105)->GetWindowText(), "30");
    const std::pair<int, int> sources[] = {{1162, 1}, {1163, 2}, {1164, 3}, {1165, 4}, {1166, 0}};
    for (const auto& [id, mode] : sources) {
        click(b, id);
        EXPECT_EQ(g_jukeboxMode, mode) << id;
    }
    // Queued tracks switch random off and disable it; a list enables it again, unchecked.
    click(b, 1163);
    click(b, 1100);
    EXPECT_EQ(g_jukeboxRandom, 1);
    click(b, 1165);
    EXPECT_EQ(g_jukeboxRandom, 0);
    EXPECT_FALSE(enabled(1100));
    EXPECT_TRUE(enabled(1104));
    click(b, 1162);
    EXPECT_TRUE(enabled(1100));
    EXPECT_EQ(g_jukeboxRandom, 0);
    click(b, 1104);
    EXPECT_EQ(g_jukeboxShortPlay, 1);
    shot(b, "jukebox.png");
}

TEST_F(JukeBoxTest, ShortTimeIsStoredPlayAsksForTheNextSongAndClosingStops)
{
    CJukeBox& b = open();
    b.SetDlgItemText(1105, "45");
    EXPECT_EQ(g_jukeboxShortTime, 45);
    EXPECT_EQ(setting("jukebox - shorttime"), "45");
    click(b, 1237);
    EXPECT_EQ(mainWnd.count(CMD_JUKEBOX_PLAY), 1);
    click(b, 1164);
    click(b, 1100);
    click(b, 1104);
    mainWnd.onCode = [&](UINT code) {
        if (code == CMD_JUKEBOX_CLOSED)
            b.DestroyWindow();
    };
    b.SendMessage(WM_CLOSE);
    EXPECT_EQ(g_jukeboxMode, 0);
    EXPECT_EQ(g_jukeboxRandom, 0);
    EXPECT_EQ(g_jukeboxShortPlay, 0);
    EXPECT_EQ(mainWnd.count(CMD_JUKEBOX_CLOSED), 1);
}

} // namespace
