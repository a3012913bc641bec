// The music page inside the running main window: laid out again when the main
// window changes size, the column widths kept for the next start, the focus
// left where it is while another tab is shown, and pictures of the page in the
// normal and the compressed view.
#include "MainWindowFixture.h"

using namespace mainwindowtest;

namespace {

class MusicPageLayoutTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        g_compressedView = 0;
        MainWindowTest::TearDown();
    }
    CRect rect(UINT id)
    {
        CRect r;
        dlg->MusicPage().GetDlgItem(int(id))->GetWindowRect(&r);
        dlg->MusicPage().ScreenToClient(&r);
        return r;
    }
};

TEST_F(MusicPageLayoutTest, ResizingTheMainWindowLaysThePageOutAgain)
{
    preset({{"music - nrlistboxes", "3"}, {"music - adjustcolwidth", "true"}, {"music - colname1", "0"}});
    start();
    CRect window;
    dlg->GetWindowRect(&window);
    dlg->MoveWindow(window.left, window.top, 1100, 800);
    dlg->GetWindowRect(&window);
    CDlgMp3& page = dlg->MusicPage();
    CRect client;
    page.GetClientRect(&client);
    const int w = client.Width() / 3 - 2 - 10;
    EXPECT_EQ(rect(1012), CRect(2 * w + 30, 262, 3 * w + 30, client.Height() - 8));
    screenshot(dlg->widget()->grab().toImage(), "main-music-normal.png");

    const int before = g_colWidth1_1;
    dlg->MoveWindow(window.left, window.top, window.Width() + 150, window.Height());
    page.GetClientRect(&client);
    const int wider = client.Width() / 3 - 2 - 10;
    ASSERT_GT(wider, w);
    EXPECT_EQ(rect(1012).right, 3 * wider + 30);
    EXPECT_GT(g_colWidth1_1, before) << "the name column follows the list width";

    // Behind another tab the page leaves the focus alone.
    dlg->SelectPage(1);
    CWnd* focus = CWnd::GetFocus();
    dlg->MoveWindow(window.left, window.top, window.Width(), window.Height());
    EXPECT_EQ(CWnd::GetFocus(), focus);
    EXPECT_NE(CWnd::GetFocus(), page.GetDlgItem(1004));
}

TEST_F(MusicPageLayoutTest, TheCompressedViewInTheMainWindow)
{
    preset({{"music - nrlistboxes", "3"}, {"general - compressedview", "true"}});
    start();
    CRect window;
    dlg->GetWindowRect(&window);
    dlg->MoveWindow(window.left, window.top, 1100, 800);
    ASSERT_EQ(g_compressedView, 1);
    EXPECT_EQ(rect(1009).top, 200);
    EXPECT_EQ(rect(1247).top, 160);
    EXPECT_FALSE(dlg->MusicPage().GetDlgItem(1016)->IsWindowVisible());
    screenshot(dlg->widget()->grab().toImage(), "main-music-compressed.png");
}

} // namespace
