// The music control panel: its place kept on the screen, the two rows of
// buttons laid out over its client area, the codes its buttons send and the
// title line.
#include "MainWindowFixture.h"

#include "app/MusicControl.h"

using namespace mainwindowtest;
using callrec::List;

namespace {

class MusicControlTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        g_baseFolder = dir.str();
    }
    void place(int x, int y, int w, int h)
    {
        g_musicControlX = x;
        g_musicControlY = y;
        g_musicControlWidth = w;
        g_musicControlHeight = h;
    }
    static void click(CWnd& w, int id)
    {
        w.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(w.GetDlgItem(id)->m_hWnd));
    }
};

TEST_F(MusicControlTest, StoredPlacesAreKeptOnTheScreenAndTheMoveIsRemembered)
{
    struct Row {
        int x, y, w, h;
        int left, top;
    };
    // A 1280 x 1024 screen.
    const Row rows[] = {
        {100, 120, 500, 400, 100, 120},
        {1000, 900, 500, 400, 780, 624},
        {-40, -5, 500, 400, 0, 0},
        {1000, -30, 1400, 400, 0, 0}, // wider than the screen: the left edge wins
    };
    for (const Row& r : rows) {
        place(r.x, r.y, r.w, r.h);
        CMusicControl panel;
        ASSERT_TRUE(panel.Create(CMusicControl::IDD));
        CRect rect;
        panel.GetWindowRect(rect);
        EXPECT_EQ(rect.left, r.left) << r.x;
        EXPECT_EQ(rect.top, r.top) << r.y;
        EXPECT_EQ(rect.Width(), r.w);
        EXPECT_EQ(rect.Height(), r.h);
        EXPECT_EQ(g_musicControlX, r.left);
        EXPECT_EQ(g_musicControlY, r.top);
        panel.MoveWindow(30, 40, 600, 450);
        EXPECT_EQ(g_musicControlX, 30);
        EXPECT_EQ(g_musicControlY, 40);
        EXPECT_EQ(g_musicControlWidth, 600);
        EXPECT_EQ(g_musicControlHeight, 450);
        panel.DestroyWindow();
    }
}

TEST_F(MusicControlTest, ButtonsFillTwoRowsOfFourCellsUnderTheTitle)
{
    place(50, 50, 400, 300);
    CMusicControl panel;
    ASSERT_TRUE(panel.Create(CMusicControl::IDD));
    // Sizes of the client area, the last ones too small for any cell.
    const std::pair<int, int> sizes[] = {{430, 295}, {631, 500}, {20, 60}};
    for (const auto& [cw, ch] : sizes) {
        CRect outer, client;
        panel.GetWindowRect(outer);
        panel.GetClientRect(client);
        panel.MoveWindow(outer.left, outer.top, outer.Width() - client.Width() + cw,
                         outer.Height() - client.Height() + ch);
        panel.GetClientRect(client);
        ASSERT_EQ(client.Width(), cw);
        ASSERT_EQ(client.Height(), ch);
        const int w = (cw - 30) / 4, h = (ch - 95) / 2;
        const int ids[2][4] = {{1239, 1237, 1265, 1240}, {1243, 1268, 1269, 1270}};
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 4; ++col) {
                CRect b;
                CWnd* button = panel.GetDlgItem(ids[row][col]);
                button->GetWindowRect(b);
                panel.ScreenToClient(b);
                EXPECT_EQ(b.left, 15 + col * w) << ids[row][col] << " at " << cw;
                EXPECT_EQ(b.top, 80 + row * h) << ids[row][col];
                EXPECT_EQ(b.Width(), std::max(w, 0)) << ids[row][col];
                EXPECT_EQ(b.Height(), std::max(h, 0)) << ids[row][col];
            }
        CRect title;
        panel.GetDlgItem(1275)->GetWindowRect(title);
        panel.ScreenToClient(title);
        EXPECT_EQ(title.left, 15);
        EXPECT_EQ(title.top, 15);
        EXPECT_EQ(title.Width(), std::max(cw - 30, 0));
        EXPECT_EQ(title.Height(), 50);
    }
    panel.DestroyWindow();
}

TEST_F(MusicControlTest, EachButtonSendsItsCodeToTheMusicPageAndTheTitleFollowsTheStatus)
{
    place(50, 50, 500, 400);
    start();
    loadSong();
    menu(32851);
    CMusicControl* panel = dlg->m_musicControl.Get();
    ASSERT_NE(panel, nullptr);
    const std::pair<int, List> cases[] = {
        {1239, {"CDlgMp3::MusicAction(9)"}},  {1237, {}},
        {1265, {}},                           {1240, {"CDlgMp3::MusicAction(10)"}},
        {1243, {"CDlgMp3::MusicAction(11)"}}, {1268, {"CDlgMp3::FadeOut()"}},
        {1269, {"CDlgMp3::MusicAction(2)"}},  {1270, {"CDlgMp3::MusicAction(1)"}},
    };
    for (const auto& [id, expected] : cases) {
        clearCalls();
        click(*panel, id);
        EXPECT_EQ(calls(), expected) << id;
        if (id == 1237) {
            EXPECT_EQ(g_playing, 1) << "play";
        }
        if (id == 1265) {
            EXPECT_EQ(g_playing, 0) << "stop";
        }
    }
    g_statusDanceText = "Song.mp3 - Waltz";
    panel->RefreshText();
    EXPECT_EQ(panel->GetDlgItem(1275)->GetWindowText(), "Song.mp3 - Waltz");
    g_statusDanceText.clear();

    // The close box reports the panel closed; the main window destroys it.
    panel->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(dlg->m_musicControl);
    EXPECT_FALSE(checked(32851));
}

} // namespace
