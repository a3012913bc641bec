// The plain controls, the status bar, menus and drawing.
#include "platform/win/Controls.h"
#include "platform/win/Dc.h"
#include "platform/win/Display.h"
#include "platform/win/FileDialog.h"
#include "platform/win/Menu.h"
#include "platform/win/Resources.h"
#include "platform/win/StatusBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <thread>

namespace {

// A top-level window that records commands, system commands and static clicks.
class Host : public CWnd {
public:
    std::vector<std::string> calls;
    Host() { Create(nullptr, "Host", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, CRect(0, 0, 400, 300), nullptr, 0); }
    ~Host() override { DestroyWindow(); }

protected:
    DECLARE_MESSAGE_MAP()
    void OnCommandRange(UINT id) { calls.push_back("command " + std::to_string(id)); }
    void OnSysCommand(UINT id, LPARAM) { calls.push_back("syscommand " + std::to_string(id)); }
    void OnStaticClicked() { calls.push_back("static clicked"); }
};

BEGIN_MESSAGE_MAP(Host, CWnd)
    ON_COMMAND_RANGE(10, 20, OnCommandRange)
    ON_WM_SYSCOMMAND()
    ON_STN_CLICKED(30, OnStaticClicked)
END_MESSAGE_MAP()

void mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(StatusBar, PanesKeepTheirWidthsAndTextsAndSitAtTheBottom)
{
    Host host;
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(&host));
    const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
    bar.SetIndicators(ids, 3);
    bar.SetPaneInfo(0, 0, SBPS_STRETCH | SBPS_POPOUT, 0);
    bar.SetPaneInfo(1, 0, SBPS_POPOUT, 110);
    bar.SetPaneInfo(2, 0, SBPS_POPOUT, 155);
    EXPECT_TRUE(bar.SetPaneText(1, " Music playing"));
    EXPECT_FALSE(bar.SetPaneText(3, "no such pane"));
    EXPECT_EQ(bar.GetPaneText(1), " Music playing");
    UINT id = 0, style = 0;
    int width = 0;
    bar.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(width, 155);

    host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    CRect client, barRect;
    host.GetClientRect(client);
    bar.GetWindowRect(barRect);
    host.ScreenToClient(barRect);
    EXPECT_EQ(barRect.bottom, client.bottom);
    EXPECT_EQ(barRect.Width(), client.Width());
    // The stretching pane takes what the fixed ones leave.
    CRect p0, p1, p2;
    bar.GetItemRect(0, p0);
    bar.GetItemRect(1, p1);
    bar.GetItemRect(2, p2);
    EXPECT_LT(p0.right, p1.left);
    EXPECT_LT(p1.right, p2.left);
    EXPECT_LE(p2.right, client.right);
    EXPECT_GT(p0.Width(), 50);
}

TEST(Static, ANotifyingStaticReportsItsClick)
{
    Host host;
    host.ShowWindow(SW_SHOW);
    CStatic label;
    ASSERT_TRUE(label.Create("Click", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 50, 20), &host, 30));
    CStatic quiet;
    ASSERT_TRUE(quiet.Create("Quiet", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 50), &host, 30));
    mouse(quiet.widget(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    mouse(quiet.widget(), QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    EXPECT_TRUE(host.calls.empty());
    mouse(label.widget(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    mouse(label.widget(), QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"static clicked"}));
}

TEST(Menu, ItemsSendTheirCommandsAndKeepTheCheckMarksTheProgramSets)
{
    win::AddResourceScript(R"rc(
        9195 MENU
        BEGIN
            POPUP "&View"
            BEGIN
                MENUITEM "Music &Jukebox", 10
                MENUITEM SEPARATOR
                MENUITEM "T&ags", 11, CHECKED
            END
            POPUP "&Help"
            BEGIN
                MENUITEM "&About", 12
            END
        END)rc");
    Host host;
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(9195));
    ASSERT_TRUE(host.SetMenu(&menu));
    EXPECT_EQ(host.GetMenu(), &menu);
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    ASSERT_NE(menu.GetSubMenu(0), nullptr);
    EXPECT_EQ(menu.GetSubMenu(0)->GetMenuItemID(1), 0u) << "a separator";

    EXPECT_EQ(menu.CheckMenuItem(10, MF_CHECKED), UINT(MF_UNCHECKED));
    EXPECT_EQ(menu.CheckMenuItem(10, MF_CHECKED), UINT(MF_CHECKED));
    EXPECT_EQ(menu.CheckMenuItem(99, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_TRUE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(menu.Choose(11));
    EXPECT_TRUE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED) << "choosing does not flip the mark";
    EXPECT_TRUE(menu.ModifyMenu(12, MF_BYCOMMAND | MF_STRING, 12, "About &Mirtal"));
    std::string text;
    menu.GetMenuString(12, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "About &Mirtal");
    EXPECT_TRUE(menu.Choose(12));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"command 11", "command 12"}));
    menu.EnableMenuItem(10, MF_GRAYED);
    EXPECT_FALSE(menu.Choose(10)) << "a grayed item cannot be chosen";

    // The system menu carries the program's own items and sends system commands.
    CMenu* sys = host.GetSystemMenu(FALSE);
    ASSERT_NE(sys, nullptr);
    sys->AppendMenu(MF_SEPARATOR);
    sys->AppendMenu(MF_STRING, 16, "&About Mirtal...");
    EXPECT_EQ(host.GetSystemMenu(FALSE), sys);
    EXPECT_TRUE(sys->Choose(16));
    EXPECT_EQ(host.calls.back(), "syscommand 16");
    host.SetMenu(nullptr);
}

TEST(Gdi, DrawsIntoABitmapByGdiRules)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 20, 10));
    CBitmap* old = dc.SelectObject(&bmp);
    dc.FillSolidRect(CRect(0, 0, 20, 10), RGB(255, 255, 255));
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(0, 0, 255));
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    dc.Rectangle(2, 2, 8, 6);
    struct PixelCase {
        int x, y;
        COLORREF expected;
    };
    const PixelCase cases[] = {
        {2, 2, RGB(255, 0, 0)},     // outline
        {7, 5, RGB(255, 0, 0)},     // last outline pixel: right and bottom are exclusive
        {8, 6, RGB(255, 255, 255)}, // outside
        {4, 3, RGB(0, 0, 255)},     // filled with the brush
        {19, 9, RGB(255, 255, 255)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dc.GetPixel(c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(dc.GetPixel(20, 0), COLORREF(-1));
    dc.SelectObject(old);

    CRect calc(0, 0, 1000, 0);
    const int h = dc.DrawText("Mirtal", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(h, 5);
    EXPECT_EQ(calc.Height(), h);
    EXPECT_GT(calc.Width(), 10);
    EXPECT_LT(calc.Width(), 1000);
}

TEST(Display, DeviceCapsAndMetricsFollowTheDisplay)
{
    win::SetDisplayOverride(win::DisplayMetrics{1366, 600, 120, 96});
    CDC dc;
    dc.CreateIC("DISPLAY");
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 120);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1366);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    EXPECT_EQ(win::WorkArea(), CRect(0, 0, 1366, 600));
    win::SetDisplayOverride(std::nullopt);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}

TEST(FileDialog, IsAnsweredByTheTestAndCancelledWhenNobodyAnswers)
{
    CFileDialog open(TRUE, "m3u", nullptr, OFN_FILEMUSTEXIST, "Playlists (*.m3u)|*.m3u|All (*.*)|*.*||");
    open.m_ofn.lpstrTitle = "Load playlist";
    EXPECT_EQ(open.DoModal(), IDCANCEL) << "headless and unanswered";

    win::ClearFileDialogLog();
    win::SetFileDialogAnswerer([](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        if (r.title == "Save list")
            return std::vector<std::string>{"/music/lists/Saturday"};
        return std::nullopt;
    });
    CFileDialog save(FALSE, "m3u", "list.m3u", OFN_OVERWRITEPROMPT, "Playlists (*.m3u)|*.m3u||");
    save.m_ofn.lpstrTitle = "Save list";
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "/music/lists/Saturday.m3u") << "the default extension is added";
    EXPECT_EQ(save.GetFileName(), "Saturday.m3u");
    EXPECT_EQ(save.GetFileTitle(), "Saturday");
    EXPECT_EQ(save.GetFileExt(), "m3u");
    EXPECT_EQ(save.GetFolderPath(), "/music/lists");
    ASSERT_EQ(win::FileDialogLog().size(), 1u);
    EXPECT_FALSE(win::FileDialogLog()[0].open);
    EXPECT_EQ(win::FileDialogLog()[0].fileName, "list.m3u");
    win::SetFileDialogAnswerer({});
}

// Counts the messages and paints that reach it.
class Counter : public CWnd {
public:
    int posted = 0;
    int paints = 0;

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnPosted(WPARAM, LPARAM)
    {
        ++posted;
        return 0;
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
    }
};

BEGIN_MESSAGE_MAP(Counter, CWnd)
    ON_MESSAGE(WM_APP + 7, OnPosted)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(Threads, PostAndInvalidateFromAnotherThreadRunOnTheUserInterfaceThread)
{
    Host host;
    host.ShowWindow(SW_SHOW);
    Counter c;
    ASSERT_TRUE(c.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &host, 1));
    win::PumpMessages(20);
    const int paintsBefore = c.paints;
    std::thread worker([&c] {
        for (int i = 0; i < 20; ++i) {
            c.PostMessage(WM_APP + 7);
            c.Invalidate();
        }
    });
    worker.join();
    EXPECT_EQ(c.posted, 0) << "nothing runs on the worker";
    win::PumpMessages(50);
    EXPECT_EQ(c.posted, 20);
    EXPECT_GT(c.paints, paintsBefore);
}

} // namespace
