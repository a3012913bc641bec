// The balloon tooltip: its timing, hiding on moves inside the control and on
// clicks, wheel and keys, placement at the screen's edges, its shape with the
// arrow and the shadow, its tools, links in the tip, and a look at a balloon.
#include "controls/PPToolTip.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Display.h"
#include "platform/win/Input.h"
#include "platform/win/Resources.h"
#include "platform/win/Shell.h"

#include "common/TestSupport.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr UINT kDialog = 9274;

const char* kScript = R"rc(
9274 DIALOGEX 0, 0, 260, 140
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "Tips"
FONT 8, "MS Shell Dlg"
BEGIN
    PUSHBUTTON      "One", 1701, 10, 10, 60, 14
    PUSHBUTTON      "Two", 1702, 80, 10, 60, 14
    PUSHBUTTON      "Off", 1703, 10, 40, 60, 14, WS_DISABLED
    COMBOBOX        1704, 80, 40, 60, 60, CBS_DROPDOWN | WS_VSCROLL
    LTEXT           "Songs of the evening", 1705, 10, 70, 120, 10
END
)rc";

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool done = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)done;
        win::SetDisplayOverride(win::DisplayMetrics{1024, 768, 96, 96});
        ASSERT_TRUE(dlg.Create(kDialog));
        dlg.SetWindowPos(nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOW);
        win::PumpMessages(20);
        ASSERT_TRUE(tip.Create(&dlg, TRUE));
        tip.SetShadow(10, 10, 50, TRUE, 7, 7);
        tip.AddTool(dlg.GetDlgItem(1701), "First <b>button</b>");
        tip.AddTool(dlg.GetDlgItem(1702), "Second button");
        tip.AddTool(dlg.GetDlgItem(1703), "Disabled");
        tip.AddTool(dlg.GetDlgItem(1704), "Pick one");
    }
    void TearDown() override
    {
        tip.DestroyWindow();
        dlg.DestroyWindow();
        win::SetDisplayOverride(std::nullopt);
    }
    // The pointer rests at a point of a control (its client coordinates).
    void hover(int id, int x, int y)
    {
        CWnd* c = id ? dlg.GetDlgItem(id) : &dlg;
        CPoint screen(x, y);
        c->ClientToScreen(&screen);
        SetCursorPos(screen.x, screen.y);
        relay(c, WM_MOUSEMOVE, x, y);
    }
    void relay(CWnd* wnd, UINT message, int x, int y, WPARAM wParam = 0)
    {
        MSG m;
        m.hwnd = wnd->m_hWnd;
        m.message = message;
        m.wParam = wParam;
        m.lParam = MAKELPARAM(WORD(x), WORD(y));
        tip.RelayEvent(&m);
    }
    bool shown() const { return tip.GetState() == CPPToolTip::STATE_SHOWN && tip.IsWindowVisible(); }
    // Hovers a control and waits for its tip.
    void showOver(int id)
    {
        hover(0, 250, 200); // off every tool first
        hover(id, 5, 5);
        win::PumpMessages(700);
        ASSERT_TRUE(shown());
    }

    CDialog dlg{kDialog};
    CPPToolTip tip;
};

TEST_F(ToolTipTest, ShowsHalfASecondAfterTheRestAndGoesAfterFiveSeconds)
{
    hover(1701, 5, 5);
    QElapsedTimer clock;
    clock.start();
    win::PumpMessages(350);
    EXPECT_EQ(tip.GetState(), CPPToolTip::STATE_HIDDEN);
    EXPECT_FALSE(tip.IsWindowVisible());
    while (!shown() && clock.elapsed() < 2000)
        win::PumpMessages(10);
    ASSERT_TRUE(shown());
    EXPECT_GE(clock.elapsed(), 450);
    ASSERT_NE(tip.GetCurrentTool(), nullptr);
    EXPECT_EQ(tip.GetCurrentTool()->text, "First <b>button</b>");

    // The same position again is no new work; the tip stays until the autopop.
    // (The clock starts once the tip is seen, a little after its timer: the bounds allow for a busy machine.)
    clock.restart();
    hover(1701, 5, 5);
    win::PumpMessages(3800);
    EXPECT_TRUE(shown());
    while (shown() && clock.elapsed() < 8000)
        win::PumpMessages(20);
    EXPECT_FALSE(shown());
    EXPECT_GE(clock.elapsed(), 4000);
    EXPECT_LE(clock.elapsed(), 6500);
}

TEST_F(ToolTipTest, MovingInsideTheControlHidesTheTipUntilThePointerComesBack)
{
    showOver(1701);
    hover(1701, 9, 6);
    EXPECT_EQ(tip.GetState(), CPPToolTip::STATE_HIDDEN);
    EXPECT_FALSE(tip.IsWindowVisible());
    win::PumpMessages(700);
    EXPECT_FALSE(shown());
    hover(1701, 12, 7);
    win::PumpMessages(700);
    EXPECT_FALSE(shown());
    // Off the control and back: it shows again; onto another tool: that one's tip.
    hover(0, 250, 200);
    hover(1701, 12, 7);
    win::PumpMessages(700);
    EXPECT_TRUE(shown());
    hover(1702, 5, 5);
    win::PumpMessages(700);
    ASSERT_TRUE(shown());
    EXPECT_EQ(tip.GetCurrentTool()->text, "Second button");
}

TEST_F(ToolTipTest, ClicksWheelAndKeysHideTheTipAndReleasingAButtonDoesNot)
{
    showOver(1701);
    relay(dlg.GetDlgItem(1701), WM_LBUTTONUP, 5, 5);
    relay(dlg.GetDlgItem(1701), WM_RBUTTONUP, 5, 5);
    EXPECT_TRUE(shown());
    for (UINT message : {WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_KEYDOWN, WM_NCLBUTTONDOWN,
                         WM_LBUTTONDOWN}) {
        showOver(1701);
        relay(dlg.GetDlgItem(1701), message, 5, 5);
        EXPECT_EQ(tip.GetState(), CPPToolTip::STATE_HIDDEN) << message;
        EXPECT_FALSE(tip.IsWindowVisible()) << message;
    }
}

TEST_F(ToolTipTest, ToolsReplaceAndRemoveAndDisabledControlsShowNothing)
{
    CWnd* one = dlg.GetDlgItem(1701);
    tip.AddTool(one, "Replaced");
    ASSERT_EQ(tip.GetTools(one)->size(), 1u);
    EXPECT_EQ(tip.GetTools(one)->front().text, "Replaced");
    const CRect left(0, 0, 20, 10), right(20, 0, 60, 10);
    tip.AddTool(one, "Left part", &left);
    tip.AddTool(one, "Right part", &right);
    EXPECT_EQ(tip.GetTools(one)->size(), 3u);
    tip.RemoveTool(one, &left);
    EXPECT_EQ(tip.GetTools(one)->size(), 2u);
    tip.RemoveTool(one);
    EXPECT_EQ(tip.GetTools(one), nullptr);
    tip.RemoveTool(one); // nothing left: nothing happens

    // Within the window's tools the rectangle decides.
    tip.AddTool(one, "Left part", &left);
    tip.AddTool(one, "Right part", &right);
    showOver(1701);
    EXPECT_EQ(tip.GetCurrentTool()->text, "Left part");

    hover(0, 250, 200);
    hover(1703, 5, 5);
    win::PumpMessages(700);
    EXPECT_FALSE(shown());

    // The combo box shows its own tip.
    showOver(1704);
    EXPECT_EQ(tip.GetCurrentTool()->text, "Pick one");
}

TEST_F(ToolTipTest, PlacementFlipsAtTheScreensEdgesAndClampsATooWideTip)
{
    struct Case {
        const char* name;
        POINT p;
        CSize bounds;
        int direction;
        int arrowX;
    };
    const Case cases[] = {
        {"default: above, extending right", {400, 300}, {100, 50}, 16, 16},
        {"near the right edge: extending left", {1000, 300}, {100, 50}, 17, 100 - 16},
        {"near the top: below", {400, 20}, {100, 50}, 0, 16},
        {"near the top right: below, extending left", {1000, 20}, {100, 50}, 1, 100 - 16},
        {"at the left edge: the arrow keeps the tip on the screen", {5, 300}, {100, 50}, 16, 5},
        {"at the right edge: the tip ends at the edge", {1010, 300}, {100, 50}, 17, 86},
    };
    for (const Case& c : cases) {
        const CPPToolTip::Placement p = tip.PlaceTip(c.p, c.bounds, CPPToolTip::SIDE_ABOVE);
        EXPECT_EQ(p.direction, c.direction) << c.name;
        EXPECT_EQ(p.size, CSize(100, 50 + 16)) << c.name;
        EXPECT_EQ(p.arrow.x, c.arrowX) << c.name;
        EXPECT_EQ(p.arrow.y, (p.direction & 0x30) == 0 ? 0 : 66) << c.name;
    }
    // Too wide for both sides: centred on the pointer, clamped to the left edge.
    const CPPToolTip::Placement wide = tip.PlaceTip(POINT{400, 300}, CSize(1100, 50), CPPToolTip::SIDE_ABOVE);
    EXPECT_EQ(wide.direction, 18);
    EXPECT_EQ(400 - wide.arrow.x, 0);
    // A centred tip crossing only the right edge: the arrow moves right by the overlap.
    const CPPToolTip::Placement right = tip.PlaceTip(POINT{990, 300}, CSize(100, 50), 18);
    EXPECT_EQ(right.direction, 18);
    EXPECT_EQ(right.arrow.x, 50 + 16);
    const CPPToolTip::Placement centred = tip.PlaceTip(POINT{500, 300}, CSize(100, 50), 18);
    EXPECT_EQ(centred.arrow.x, 50);
}

TEST_F(ToolTipTest, TheRegionIsTheRoundedBalloonWithItsArrowAndTheWindowCarriesTheShadow)
{
    tip.AddTool(dlg.GetDlgItem(1701), "Region");
    showOver(1701);
    ASSERT_EQ(tip.GetDirection(), CPPToolTip::SIDE_ABOVE);
    const CRect r = tip.GetTipRect();
    const int W = r.Width(), H = r.Height();
    const CRgn& rgn = tip.GetTipRegion();
    EXPECT_FALSE(rgn.PtInRegion(0, 0));                  // a rounded corner
    EXPECT_TRUE(rgn.PtInRegion(W / 2, (H - 16) / 2));    // the body
    for (int y = 0; y < H - 16; ++y)
        EXPECT_TRUE(rgn.PtInRegion(W / 2, y)) << y;      // every row of it
    EXPECT_TRUE(rgn.PtInRegion(18, H - 4));              // inside the arrow
    EXPECT_FALSE(rgn.PtInRegion(40, H - 4));             // beside it
    EXPECT_EQ(tip.GetArrowPoint(), CPoint(16, H));
    // The arrow's tip is at the pointer.
    CPoint pointer(5, 5);
    dlg.GetDlgItem(1701)->ClientToScreen(&pointer);
    EXPECT_EQ(CPoint(r.left + 16, r.top + H), pointer);

    CRect window;
    tip.GetWindowRect(window);
    EXPECT_EQ(window.Width(), W + 10);
    EXPECT_EQ(window.Height(), H + 10);
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(tip.GetWindowRgn(&shape), ERROR);
    EXPECT_TRUE(shape.PtInRegion(W + 5, H / 2));  // the shadow's copy
    EXPECT_FALSE(rgn.PtInRegion(W + 5, H / 2));
}

TEST_F(ToolTipTest, ALeftClickOnALinkInTheTipOpensItAndHidesTheTip)
{
    tip.AddTool(dlg.GetDlgItem(1702), "<a href=\"http://example.invalid/songs?a=1&b=2\">Open the list</a>");
    showOver(1702);
    const auto& areas = tip.GetDrawer().LinkAreas();
    ASSERT_FALSE(areas.empty());
    std::vector<win::ShellRequest> started;
    const auto previous = win::SetShellLauncher([&](const win::ShellRequest& r) {
        started.push_back(r);
        return SE_OK;
    });
    const CPoint inLink((areas[0].rect.left + areas[0].rect.right) / 2, (areas[0].rect.top + areas[0].rect.bottom) / 2);
    CPoint screen = inLink;
    tip.ClientToScreen(&screen);
    SetCursorPos(screen.x, screen.y);
    relay(&tip, WM_LBUTTONDOWN, inLink.x, inLink.y);
    win::SetShellLauncher(previous);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].verb, "open");
    EXPECT_EQ(started[0].file, "http://example.invalid/songs?a=1&b=2");
    EXPECT_FALSE(tip.IsWindowVisible());
}

TEST_F(ToolTipTest, ABalloonWithBoldColourTableAndImageOverTheDialog)
{
    testsupport::TempDir dir;
    QImage picture(24, 24, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));
    {
        QPainter p(&picture);
        p.setBrush(QColor(30, 120, 220));
        p.setPen(Qt::NoPen);
        p.drawEllipse(2, 2, 20, 20);
    }
    const std::string file = dir.file("note.bmp");
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "BMP"));
    tip.AddTool(dlg.GetDlgItem(1701),
                "<b>Next tip</b> in <font color=red>red</font> <bmp file=\"" + file +
                    "\" mask=#FF00FF style=s><br>"
                    "<table border=1 cellpadding=2 bordercolor=gray><tr><td bgcolor=#ffffcc>Level</td>"
                    "<td><b>Plus</b></td></tr><tr><td>Tempo</td><td><font color=blue>+2%</font></td></tr></table>");
    showOver(1701);
    win::PumpMessages(50);

    // The dialog with the balloon over it, as the screen would show them.
    const QImage back = dlg.frameWidget()->grab().toImage();
    const QImage over = tip.frameWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect dlgArea = dlg.frameWidget()->geometry(), tipArea = tip.frameWidget()->geometry();
    const QRect area = dlgArea.united(tipArea).adjusted(-20, -20, 20, 20);
    QImage before(area.size(), QImage::Format_RGB32);
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    before.fill(QColor(GetRValue(desktop), GetGValue(desktop), GetBValue(desktop)));
    {
        QPainter p(&before);
        p.drawImage(dlgArea.topLeft() - area.topLeft(), back);
    }
    QImage shot = before;
    const QPoint at = tipArea.topLeft() - area.topLeft();
    {
        QPainter p(&shot);
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 0, 0);
        tip.GetWindowRgn(&rgn);
        p.setClipRegion(rgn.region().translated(at));
        p.drawImage(at, over);
    }
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        shot.save(QString::fromStdString((std::filesystem::path(out) / "balloon-tooltip.png").string()));
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        shot.scaled(shot.size() * 3).save(QString::fromStdString((std::filesystem::path(out) / "balloon-x3.png").string()));

    // The balloon has the tip colour, its text and picture are drawn, and its
    // shadow darkens what lies beneath by about half.
    const CRect t = tip.GetTipRect();
    const COLORREF info = GetSysColor(COLOR_INFOBK);
    const QColor body = over.pixelColor(t.Width() / 2, 6);
    EXPECT_EQ(RGB(body.red(), body.green(), body.blue()), info);
    bool red = false, blue = false;
    for (int y = 0; y < over.height(); ++y)
        for (int x = 0; x < over.width(); ++x) {
            red = red || over.pixelColor(x, y) == QColor(255, 0, 0);
            blue = blue || over.pixelColor(x, y) == QColor(30, 120, 220);
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
    const QPoint s(at.x() + t.Width() / 2, at.y() + t.Height() - 16 + 6); // below the balloon, over the dialog
    const QColor beneath = before.pixelColor(s), shadow = shot.pixelColor(s);
    EXPECT_LT(shadow.lightness(), beneath.lightness() * 3 / 4);
    EXPECT_GT(shadow.lightness(), beneath.lightness() / 4);
}

} // namespace
