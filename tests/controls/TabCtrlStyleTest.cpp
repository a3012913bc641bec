// The silver style the main window installs: its sizes, the outline of its
// slanted tabs, its hit test and its paint.
#include "controls/TabCtrlStyle.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Host : CWnd {
    Host() { Create(nullptr, "Host", WS_POPUP, CRect(0, 0, 400, 200), nullptr, 0); }
};

struct SilverStrip {
    Host host;
    TabCtrl ctrl;
    TabCtrlStyle_VS2008_client_silver silver;
    CWnd pages[3];
    HTAB tabs[3] = {};
    explicit SilverStrip(int count = 3, bool hideSingle = false)
    {
        host.ShowWindow(SW_SHOW);
        EXPECT_TRUE(ctrl.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 150), 3001));
        ctrl.InstallStyle(&silver);
        ctrl.HideSingleTab(hideSingle);
        const char* names[] = {"1 - Music", "2 - Lyrics", "3 - List"};
        for (int i = 0; i < count; ++i) {
            pages[i].Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &ctrl, 0);
            tabs[i] = ctrl.AddTab(pages[i].m_hWnd, names[i], i);
        }
        ctrl.Update(true);
    }
};

TEST(SilverStyle, MetricsFollowTheLayoutAndTheSingleTabCase)
{
    SilverStrip s;
    EXPECT_EQ(s.ctrl.GetBorderWidth(), 0);
    EXPECT_EQ(s.ctrl.GetCtrlAreaPadding(), CRect(0, 0, 3, 0));
    EXPECT_EQ(s.ctrl.GetWndsAreaPadding(), CRect(5, 3, 5, 5));
    EXPECT_EQ(s.ctrl.GetTabPadding(), CRect(6, 3, 6, 5));
    const int H = s.silver.GetSlantHeight(&s.ctrl);
    EXPECT_EQ(H, s.ctrl.GetTabsArea().Height());
    EXPECT_EQ(s.ctrl.GetTabExtraWidth(s.tabs[0]), H - 6);
    EXPECT_EQ(s.ctrl.GetTabExtraWidth(s.tabs[1]), 0);
    EXPECT_EQ(s.ctrl.GetTabMinWidth(), 12 + H - 6);
    EXPECT_FALSE(s.silver.IsStraightOrder(&s.ctrl));
    s.ctrl.SetLayout(TabCtrl::LayoutBottom);
    EXPECT_EQ(s.ctrl.GetWndsAreaPadding(), CRect(5, 5, 5, 3));
    EXPECT_EQ(s.ctrl.GetTabPadding(), CRect(6, 4, 6, 4));

    SilverStrip single(1, true);
    EXPECT_EQ(single.ctrl.GetWndsAreaPadding(), CRect(5, 5, 5, 5));
    EXPECT_TRUE(single.ctrl.GetCtrlArea().IsRectEmpty()) << "a single tab's strip is hidden";
}

TEST(SilverStyle, PolygonOfTheSelectedFirstTab)
{
    SilverStrip s;
    const CRect r = s.ctrl.GetTabRect(s.tabs[0]);
    const int H = s.silver.GetSlantHeight(&s.ctrl);
    POINT p[8];
    CRect inner;
    s.silver.GetTabPolygon(&s.ctrl, s.tabs[0], r, true, p, &inner);
    const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    const POINT expect[8] = {{l + 2, b},         {l + 2, b - 2}, {l + H - 2, t + 2}, {l + H + 3, t},
                             {rr - 3, t},        {rr - 1, t + 2}, {rr - 1, b - 1},   {rr - 1, b}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(p[i].x, expect[i].x) << "P" << i;
        EXPECT_EQ(p[i].y, expect[i].y) << "P" << i;
    }
    EXPECT_EQ(inner, r);

    // An unselected later tab reaches back under its neighbour by H - 6 and sits 2 pixels lower.
    const CRect r1 = s.ctrl.GetTabRect(s.tabs[1]);
    s.silver.GetTabPolygon(&s.ctrl, s.tabs[1], r1, true, p, &inner);
    const int h1 = H - 4;
    EXPECT_EQ(p[0].x, r1.left - (h1 - 6));
    EXPECT_EQ(p[3].y, r1.top + 2);
    EXPECT_EQ(inner.left, r1.left) << "keeps its own left edge";
}

TEST(SilverStyle, TheSelectedTabWinsTheHitTestWhereTabsOverlap)
{
    SilverStrip s;
    s.ctrl.SelectTab(s.tabs[1]);
    s.ctrl.Update(false);
    const CRect r0 = s.ctrl.GetTabRect(s.tabs[0]);
    const CRect r1 = s.ctrl.GetTabRect(s.tabs[1]);
    // Near the bottom, just left of the second tab, its slant covers the first tab.
    const CPoint overlap(r1.left - 3, r1.bottom - 3);
    ASSERT_TRUE(r0.PtInRect(overlap));
    EXPECT_EQ(s.ctrl.HitTest(overlap), s.tabs[1]);
    s.ctrl.SelectTab(s.tabs[0]);
    s.ctrl.Update(false);
    EXPECT_EQ(s.ctrl.HitTest(overlap), s.tabs[0]);
    EXPECT_EQ(s.ctrl.HitTest(CPoint(r1.left + 30, r1.top + 5)), s.tabs[1]);
    EXPECT_EQ(s.ctrl.HitTest(CPoint(5, 140)), nullptr) << "outside the tabs area";
}

TEST(SilverStyle, PaintsGradientTabsOnTheFaceColour)
{
    SilverStrip s;
    const QImage shot = s.ctrl.widget()->grab().toImage();
    const CRect area = s.ctrl.GetCtrlArea();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The strip right of the tabs shows the face colour.
    EXPECT_EQ(QColor(shot.pixel(area.right - 2, area.top + 2)), QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
    // The selected tab is filled from its light colour at the top.
    const CRect r0 = s.ctrl.GetTabRect(s.tabs[0]);
    const QColor top(shot.pixel(r0.right - 10, r0.top + 1));
    EXPECT_NEAR(top.red(), 247, 4);
    EXPECT_NEAR(top.blue(), 253, 4);
    const QColor bottom(shot.pixel(r0.right - 10, r0.bottom - 2));
    EXPECT_NEAR(bottom.red(), 225, 6) << "towards its dark colour at the bottom";
    // The unselected tabs' outline colour appears on their top edge.
    const CRect r1 = s.ctrl.GetTabRect(s.tabs[1]);
    EXPECT_EQ(QColor(shot.pixel(r1.right - 10, r1.top + 2)), QColor(157, 157, 161));
    // The selected page's outline below the strip.
    const CRect w = s.ctrl.GetWindowsArea();
    EXPECT_EQ(QColor(shot.pixel(w.left, w.top + 10)), QColor(147, 145, 176));
}

} // namespace
