// The music control panel: its place kept on the screen, the two rows of
// buttons laid out over its client area, the codes its buttons send and the
// title line.
#include "MainWindowFixture.h"

#include "app/MusicControl.h"

#include <QImage>
#include <QWidget>
#include <set>

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

TEST_F(MusicControlTest, AMissingZeroOrLostPlaceOpensAtTheTemplateSizeOnTheScreen)
{
    struct Row {
        int x, y, w, h;
    };
    // A fresh data folder has no place at all; a place can also point off every screen.
    const Row rows[] = {{0, 0, 0, 0}, {200, 100, 0, 300}, {-5000, -4000, 500, 400}, {9000, 9000, 500, 400}};
    for (const Row& r : rows) {
        place(r.x, r.y, r.w, r.h);
        CMusicControl panel;
        ASSERT_TRUE(panel.Create(CMusicControl::IDD));
        CRect rect;
        panel.GetWindowRect(rect);
        // The template is 330 by 260 dialog units.
        EXPECT_EQ(rect.Width(), r.w ? r.w : win::DialogUnitsToPixelsX(330)) << r.x;
        EXPECT_EQ(rect.Height(), r.h ? r.h : win::DialogUnitsToPixelsY(260)) << r.x;
        EXPECT_TRUE(CRect(0, 0, 1280, 1024).IntersectRect(rect, CRect(0, 0, 1280, 1024)));
        EXPECT_GE(rect.left, 0);
        EXPECT_LE(rect.right, 1280);
        EXPECT_LE(rect.bottom, 1024);
        EXPECT_TRUE(panel.IsWindowVisible());
        EXPECT_EQ(g_musicControlWidth, rect.Width());
        EXPECT_EQ(g_musicControlHeight, rect.Height());
        panel.DestroyWindow();
    }
}

TEST_F(MusicControlTest, OnAFreshDataFolderThePanelOpensWhereItCanBeSeen)
{
    start();
    menu(32851);
    CMusicControl* panel = dlg->m_musicControl.Get();
    ASSERT_NE(panel, nullptr);
    CRect rect;
    panel->GetWindowRect(rect);
    EXPECT_GT(rect.Width(), 100);
    EXPECT_GT(rect.Height(), 100);
    EXPECT_TRUE(panel->IsWindowVisible());
}

TEST_F(MusicControlTest, PictureButtonsBalloonTipsAndTheTitleLine)
{
    place(50, 50, 640, 420);
    g_statusDanceText = "Song.mp3 - Waltz";
    CMusicControl panel;
    ASSERT_TRUE(panel.Create(CMusicControl::IDD));
    const std::pair<int, const char*> tips[] = {
        {1239, "Fast rewind the music"}, {1237, "Play the music"},     {1265, "Stop the music"},
        {1240, "Fast forward the music"}, {1243, "Show lyrics"},       {1268, "Fade out the music"},
        {1269, "Decrease the tempo"},    {1270, "Increase the tempo"},
    };
    for (const auto& [id, text] : tips) {
        const auto* tools = panel.Tips().GetTools(panel.GetDlgItem(id));
        ASSERT_TRUE(tools && tools->size() == 1) << id;
        EXPECT_EQ(tools->front().text, text);
    }
    for (int i = 0; i < 8; ++i) {
        COLORREF fg = 0;
        panel.Button(i).GetColor(CButtonST::BTNST_COLOR_FG_IN, &fg);
        EXPECT_EQ(fg, RGB(0, 128, 0)) << i;
    }
    EXPECT_EQ(panel.Title().GetText(), "Song.mp3 - Waltz");
    EXPECT_EQ(panel.Title().GetTextColor(), RGB(0, 0, 255));
    win::PumpMessages(20);
    const QImage shot = panel.frameWidget()->grab().toImage();
    screenshot(shot, "music-control.png");
    // The play button shows its picture, not a plain caption on the button face.
    const QImage play = panel.Button(1).widget()->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < play.height(); y += 3)
        for (int x = 0; x < play.width(); x += 3)
            colours.insert(play.pixel(x, y));
    EXPECT_GT(colours.size(), 8u);
    g_statusDanceText.clear();
    panel.DestroyWindow();
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
        {1239, {}}, {1237, {}}, {1265, {}}, {1240, {}}, {1243, {}}, {1268, {}}, {1269, {}}, {1270, {}},
    };
    g_position = 30;
    g_tempo = 0;
    for (const auto& [id, expected] : cases) {
        clearCalls();
        click(*panel, id);
        EXPECT_EQ(calls(), expected) << id;
        if (id == 1239) {
            EXPECT_LT(g_position, 30.0f) << "back";
        }
        if (id == 1237) {
            EXPECT_EQ(g_playing, 1) << "play";
        }
        if (id == 1265) {
            EXPECT_EQ(g_playing, 0) << "stop";
        }
        if (id == 1240) {
            EXPECT_GT(g_position, 1.0f) << "forward from the start";
        }
        if (id == 1268) {
            EXPECT_EQ(g_playing, 1) << "fade in";
        }
        if (id == 1269) {
            EXPECT_FLOAT_EQ(g_tempo, -0.5f) << "tempo down";
        }
        if (id == 1270) {
            EXPECT_FLOAT_EQ(g_tempo, 0.0f) << "tempo up";
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
