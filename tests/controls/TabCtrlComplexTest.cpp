// Every style of the complete tab control installs and paints: tabs in each
// state, the buttons, and both layouts.
#include "controls/TabCtrlComplex.h"

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <set>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<IconImageList> buttonImages()
{
    auto list = std::make_unique<IconImageList>(8, 8);
    for (int i = 0; i < 7; ++i) {
        CBitmap mask, color;
        const unsigned char bits[16] = {0x0f, 0, 0x0f, 0, 0x0f, 0, 0x0f, 0, 0xff, 0, 0xff, 0, 0xff, 0, 0xff, 0};
        mask.CreateBitmap(8, 8, 1, 1, bits);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        color.CreateCompatibleBitmap(&dc, 8, 8);
        ICONINFO info;
        info.hbmMask = mask.GetSafeHandle();
        info.hbmColor = color.GetSafeHandle();
        list->Add(CreateIconIndirect(&info));
    }
    return list;
}

struct Host : CWnd {
    Host() { Create(nullptr, "Host", WS_POPUP, CRect(0, 0, 420, 200), nullptr, 0); }
};

TEST(TabCtrlComplex, EveryStyleInstallsAndPaintsOffscreen)
{
    Host host;
    host.ShowWindow(SW_SHOW);
    TabCtrlComplex ctrl;
    auto buttons = buttonImages();
    ctrl.SetButtonImageList(buttons.get());
    ASSERT_TRUE(ctrl.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 160), 3001));
    CWnd pages[4];
    std::vector<HTAB> tabs;
    const char* names[] = {"1 - Music", "2 - Lyrics", "3 - List", "3 - List"};
    for (int i = 0; i < 4; ++i) {
        pages[i].Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &ctrl, 0);
        tabs.push_back(ctrl.AddTab(pages[i].m_hWnd, names[i], i));
    }
    ctrl.DisableTab(tabs[3], true);

    struct Case {
        const char* name;
        ITabCtrlStyle* style;
        int border;
    };
    const Case cases[] = {
        {"base", &ctrl.styleBase, 1},
        {"VS2003 client", &ctrl.styleVS2003_client, 1},
        {"VS2003 client custom1", &ctrl.styleVS2003_client_custom1, 1},
        {"VS2003 bars", &ctrl.styleVS2003_bars, 0},
        {"VS2003 bars custom1", &ctrl.styleVS2003_bars_custom1, 0},
        {"VS2008 client classic", &ctrl.styleVS2008_client_classic, 0},
        {"VS2008 client blue", &ctrl.styleVS2008_client_blue, 0},
        {"VS2008 client silver", &ctrl.styleVS2008_client_silver, 0},
        {"VS2008 client olive", &ctrl.styleVS2008_client_olive, 0},
        {"VS2008 bars classic", &ctrl.styleVS2008_bars_classic, 0},
        {"VS2008 bars classic custom1", &ctrl.styleVS2008_bars_classic_custom1, 0},
        {"VS2008 bars blue", &ctrl.styleVS2008_bars_blue, 0},
        {"VS2008 bars blue custom1", &ctrl.styleVS2008_bars_blue_custom1, 0},
        {"VS2008 bars silver", &ctrl.styleVS2008_bars_silver, 0},
        {"VS2008 bars silver custom1", &ctrl.styleVS2008_bars_silver_custom1, 0},
        {"VS2008 bars olive", &ctrl.styleVS2008_bars_olive, 0},
        {"VS2008 bars olive custom1", &ctrl.styleVS2008_bars_olive_custom1, 0},
        {"VS2010 client", &ctrl.styleVS2010_client, 0},
        {"VS2010 client custom1", &ctrl.styleVS2010_client_custom1, 0},
        {"VS2010 client custom2", &ctrl.styleVS2010_client_custom2, 0},
        {"VS2010 bars", &ctrl.styleVS2010_bars, 0},
    };
    static_assert(std::size(cases) == 21);
    // One picture of every style (top layout, behaviour 0, tab 2 selected) for a look.
    QImage sheet(3 * 410, 7 * 170, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        ctrl.InstallStyle(c.style);
        ctrl.SelectTab(tabs[1]);
        ctrl.Update(true);
        const QImage shot = ctrl.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(shot.isNull()) << c.name;
        // The strip is drawn: its background, the tabs and their captions give several colours.
        std::set<QRgb> colours;
        const int stripBottom = ctrl.GetCtrlArea().bottom;
        for (int y = 0; y < stripBottom; ++y)
            for (int x = 0; x < shot.width(); ++x)
                colours.insert(shot.pixel(x, y));
        EXPECT_GE(colours.size(), 4u) << c.name;
        QPainter(&sheet).drawImage(int(i % 3) * 410, int(i / 3) * 170, shot);
    }
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        sheet.save(QString::fromStdString(std::string(out) + "/tab-styles.png"));
    for (const Case& c : cases) {
        for (int layout : {TabCtrl::LayoutTop, TabCtrl::LayoutBottom})
            for (int behavior : {0, 1}) {
                ctrl.InstallStyle(c.style);
                ctrl.SetLayout(layout);
                ctrl.SetBehavior(behavior);
                ctrl.SelectTab(tabs[1]);
                ctrl.Update(true);
                EXPECT_EQ(ctrl.GetBorderWidth(), c.border) << c.name;
                // Hover the first tab and push a button, so every state is painted.
                const CPoint p = ctrl.GetTabRect(tabs[0]).CenterPoint();
                ctrl.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(p.x), WORD(p.y)));
                const QImage shot = ctrl.widget()->grab().toImage();
                ASSERT_FALSE(shot.isNull()) << c.name;
                const CRect close = ctrl.GetButtonRect(TabCtrl::kButtonClose);
                EXPECT_FALSE(close.IsRectEmpty()) << c.name;
                ctrl.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(close.left + 2), WORD(close.top + 2)));
                ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(WORD(close.left + 2), WORD(close.top + 2)));
                EXPECT_FALSE(ctrl.widget()->grab().toImage().isNull()) << c.name;
                ctrl.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(WORD(close.left + 2), WORD(close.top + 2)));
                // No selection: the strip and an empty windows area.
                ctrl.SendMessage(WM_MOUSELEAVE);
            }
        ctrl.SetLayout(TabCtrl::LayoutTop);
    }
    // The VS2003 base frames the client area in the shadow colour.
    ctrl.InstallStyle(&ctrl.styleBase);
    ctrl.Update(true);
    const QImage shot = ctrl.widget()->grab().toImage();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(QColor(shot.pixel(200, 159)), QColor(GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)));
}

TEST(TabCtrlComplex, ADisabledTabInTheVs2010LooksLetsTheStripShowThrough)
{
    Host host;
    host.ShowWindow(SW_SHOW);
    TabCtrlComplex ctrl;
    ASSERT_TRUE(ctrl.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 160), 3001));
    CWnd pages[2];
    HTAB tabs[2];
    for (int i = 0; i < 2; ++i) {
        pages[i].Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &ctrl, 0);
        tabs[i] = ctrl.AddTab(pages[i].m_hWnd, "", i);
    }
    ctrl.DisableTab(tabs[1], true);
    ctrl.InstallStyle(&ctrl.styleVS2010_client);
    ctrl.Update(true);
    const QImage shot = ctrl.widget()->grab().toImage();
    const CRect r = ctrl.GetTabRect(tabs[1]);
    EXPECT_EQ(QColor(shot.pixel(r.CenterPoint().x, r.CenterPoint().y)), QColor(46, 64, 94));
}

} // namespace
