// The tab control: layout, selection, mouse interaction, timers, tooltips,
// and a receiver that destroys the control from a notification.
#include "controls/TabCtrl.h"
#include "controls/TabCtrlStyle.h"
#include "platform/win/Input.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Host : CWnd {
    Host(int w = 400, int h = 300) { Create(nullptr, "Host", WS_POPUP, CRect(0, 0, w, h), nullptr, 0); }
};

// Sizes that make tab widths exact: no paddings or border, each tab's width given.
struct FixedRecalc : TabCtrlRecalcStub {
    std::map<HTAB, int> widths;
    int GetBorderWidth(TabCtrl*, ITabCtrlRecalc*) override { return 0; }
    CRect GetCtrlAreaPadding(TabCtrl*, ITabCtrlRecalc*) override { return CRect(); }
    CRect GetTabPadding(TabCtrl*, ITabCtrlRecalc*) override { return CRect(); }
    int GetTabMinWidth(TabCtrl*, ITabCtrlRecalc*) override { return 10; }
    int GetTabExtraWidth(TabCtrl*, ITabCtrlRecalc*, HTAB tab) override { return widths[tab]; }
};

// A control of given width with tabs of given widths (empty captions).
struct Strip {
    Host host;
    TabCtrl ctrl;
    FixedRecalc recalc;
    std::vector<std::unique_ptr<CWnd>> pages;
    std::vector<HTAB> tabs;
    Strip(int width, std::vector<int> widths, int behavior, TabCtrl* custom = nullptr)
    {
        TabCtrl& c = custom ? *custom : ctrl;
        EXPECT_TRUE(c.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, 100), 3001));
        c.SetRecalcManager(&recalc);
        c.SetBehavior(behavior);
        for (int w : widths) {
            pages.push_back(std::make_unique<CWnd>());
            pages.back()->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &c, 0);
            tabs.push_back(c.AddTab(pages.back()->m_hWnd, "", 0));
            recalc.widths[tabs.back()] = w;
        }
        c.Update(true);
        host.ShowWindow(SW_SHOW);
    }
};

LPARAM at(int x, int y) { return MAKELPARAM(WORD(x), WORD(y)); }

TEST(TabCtrl, ShrinksTabsInBehaviourZeroToEndOnePixelBeforeTheRightEdge)
{
    Strip s(151, {100, 60, 40}, 0);
    ASSERT_EQ(s.ctrl.GetTabsArea().Width(), 151);
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[0]).Width(), 58);
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[1]).Width(), 52);
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[2]).Width(), 40);
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[2]).right, s.ctrl.GetTabsArea().right - 1);

    // Nothing shrinks when everything fits.
    Strip wide(400, {100, 60, 40}, 0);
    EXPECT_EQ(wide.ctrl.GetTabRect(wide.tabs[0]).Width(), 100);
    EXPECT_EQ(wide.ctrl.GetTabRect(wide.tabs[2]).left, 160);
}

TEST(TabCtrl, ScrollsInBehaviourOneAndClampsTheScrollPosition)
{
    Strip s(151, {100, 60, 40}, 1);
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[0]).Width(), 100) << "tabs keep their width";
    EXPECT_EQ(s.ctrl.GetScrollRange(), 50);
    EXPECT_TRUE(s.ctrl.CanScrollRight());
    EXPECT_FALSE(s.ctrl.CanScrollLeft());
    s.ctrl.SetScrollPos(50);
    s.ctrl.Update(false);
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[2]).right, s.ctrl.GetTabsArea().right - 1);
    s.ctrl.SetScrollPos(80);
    s.ctrl.Update(false);
    EXPECT_EQ(s.ctrl.GetScrollPos(), 50) << "a larger position is reduced to the range";
    EXPECT_EQ(s.ctrl.GetTabRect(s.tabs[2]).right, s.ctrl.GetTabsArea().right - 1);
    EXPECT_FALSE(s.ctrl.CanScrollRight());
}

TEST(TabCtrl, DefaultStripIsPaddingsAndTheHeightOfH)
{
    Host host;
    TabCtrl ctrl;
    host.ShowWindow(SW_SHOW);
    ASSERT_TRUE(ctrl.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), 3001));
    CWnd page;
    page.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &ctrl, 0);
    ctrl.AddTab(page.m_hWnd, "1 - Music", 0);
    ctrl.Update(true);
    CClientDC dc(&ctrl);
    dc.SelectObject(ctrl.GetFontNormal());
    const int h = dc.GetTextExtent("H").cy;
    EXPECT_EQ(ctrl.GetCtrlArea().Height(), 3 + 6 + h);
    EXPECT_EQ(ctrl.GetCtrlArea().top, 1) << "below the 1-pixel border";
    // The page fills the windows area below the strip.
    CRect r;
    page.GetWindowRect(r);
    ctrl.ScreenToClient(r);
    EXPECT_EQ(r, ctrl.GetWindowsArea());
    EXPECT_TRUE(page.IsWindowVisible());
}

TEST(TabCtrl, DeletingTheSelectedTabSelectsTheNextOrThePrevious)
{
    Strip s(300, {50, 50, 50}, 0);
    EXPECT_EQ(s.ctrl.GetSelectedTab(), s.tabs[0]) << "the first tab added is selected";
    EXPECT_FALSE(s.pages[1]->IsWindowVisible()) << "later tabs' windows are hidden";
    s.ctrl.SelectTab(s.tabs[1]);
    EXPECT_TRUE(s.pages[1]->IsWindowVisible());
    EXPECT_FALSE(s.pages[0]->IsWindowVisible());
    s.ctrl.DeleteTab(s.tabs[1]);
    EXPECT_EQ(s.ctrl.GetSelectedTab(), s.tabs[2]) << "the middle tab's next one";
    EXPECT_TRUE(s.pages[2]->IsWindowVisible());
    EXPECT_FALSE(s.pages[1]->IsWindowVisible()) << "a deleted tab's window is hidden, not destroyed";
    EXPECT_TRUE(IsWindow(s.pages[1]->m_hWnd));
    s.ctrl.DeleteTab(s.tabs[2]);
    EXPECT_EQ(s.ctrl.GetSelectedTab(), s.tabs[0]) << "the last tab's previous one";
    EXPECT_EQ(s.ctrl.GetTabIndex(s.tabs[2]), -1);
    s.ctrl.DeleteTab(s.tabs[0]);
    EXPECT_EQ(s.ctrl.GetSelectedTab(), nullptr);
}

struct Events : TabCtrlNotify {
    std::vector<std::string> log;
    std::function<void(TabCtrl*)> onClose, onDragEnd;
    void OnTabPressed(TabCtrl* c, HTAB t, CPoint) override { log.push_back("pressed " + std::to_string(c->GetTabIndex(t))); }
    void OnTabSelected(TabCtrl* c, HTAB t, CPoint = {}) { log.push_back("selected " + std::to_string(c->GetTabIndex(t))); }
    void OnTabSelected(TabCtrl* c, HTAB t) override { OnTabSelected(c, t, CPoint()); }
    void OnDragBegin(TabCtrl*, HTAB, CPoint) override { log.push_back("drag begin"); }
    void OnDragEnd(TabCtrl* c, HTAB, bool cancelled) override
    {
        log.push_back(cancelled ? "drag cancelled" : "drag end");
        if (onDragEnd)
            onDragEnd(c);
    }
    void OnButtonCloseClicked(TabCtrl* c, const CRect&, CPoint) override
    {
        log.push_back("close");
        if (onClose)
            onClose(c);
    }
};

std::vector<int> order(TabCtrl& c, const std::vector<HTAB>& tabs)
{
    std::vector<int> o;
    for (int i = 0; i < c.GetCount(); ++i)
        o.push_back(int(std::find(tabs.begin(), tabs.end(), c.GetTab(i)) - tabs.begin()));
    return o;
}

TEST(TabCtrl, ClickSelectsAndReportsPressedTabs)
{
    Events ev; // outlives the control, which reports its tabs' removal when it goes
    Strip s(300, {50, 50, 50}, 0);
    s.ctrl.SetNotifyManager(&ev);
    s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(75, 5));
    s.ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(75, 5));
    s.ctrl.SendMessage(WM_LBUTTONUP, 0, at(75, 5));
    s.ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(75, 5));
    s.ctrl.SendMessage(WM_LBUTTONUP, 0, at(75, 5));
    EXPECT_EQ(ev.log, (std::vector<std::string>{"pressed 1", "selected 1", "pressed 1"}))
        << "the selected tab is pressed again but not selected again";
    s.ctrl.DisableTab(s.tabs[2], true);
    s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(125, 5));
    s.ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(125, 5));
    EXPECT_EQ(ev.log.back(), "pressed 2");
    EXPECT_EQ(s.ctrl.GetSelectedTab(), s.tabs[1]) << "a disabled tab is not selected";
}

TEST(TabCtrl, DragStartsOutsideTheSixBySixSquare)
{
    struct Case {
        int dx;
        bool drags;
    };
    for (const Case c : {Case{2, false}, Case{3, true}, Case{-3, false}, Case{-4, true}}) {
        Strip s(300, {50, 50, 50}, 0);
        s.ctrl.EnableDragging(true);
        s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(75, 5));
        s.ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(75, 5));
        s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(75 + c.dx, 5));
        EXPECT_EQ(s.ctrl.IsDragging(), c.drags) << c.dx;
        s.ctrl.SendMessage(WM_LBUTTONUP, 0, at(75 + c.dx, 5));
        EXPECT_FALSE(s.ctrl.IsDragging());
    }
}

TEST(TabCtrl, DraggingReordersAndEscRestoresTheOrder)
{
    Events ev;
    Strip s(300, {80, 40, 40}, 0);
    s.ctrl.SetNotifyManager(&ev);
    s.ctrl.EnableDragging(true);
    s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(140, 5));
    s.ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(140, 5));
    s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(130, 5));
    ASSERT_TRUE(s.ctrl.IsDragging());
    s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(90, 5));
    EXPECT_EQ(order(s.ctrl, s.tabs), (std::vector<int>{0, 2, 1}));
    s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(60, 5));
    EXPECT_EQ(order(s.ctrl, s.tabs), (std::vector<int>{0, 2, 1}))
        << "over the wider earlier tab, beyond the dragged tab's width, nothing moves";
    s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(30, 5));
    EXPECT_EQ(order(s.ctrl, s.tabs), (std::vector<int>{2, 0, 1}));

    // Esc reaches the control through the keyboard hook wherever the focus is.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(s.pages[0]->widget(), &esc);
    EXPECT_FALSE(s.ctrl.IsDragging());
    EXPECT_EQ(order(s.ctrl, s.tabs), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ev.log.back(), "drag cancelled");
    EXPECT_FALSE(KeyboardHook::Instance().IsRegistered(&s.ctrl));

    // A drag that ends with the button keeps its order.
    s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(140, 5));
    s.ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(140, 5));
    s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(130, 5));
    s.ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(90, 5));
    s.ctrl.SendMessage(WM_LBUTTONUP, 0, at(90, 5));
    EXPECT_EQ(order(s.ctrl, s.tabs), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(ev.log.back(), "drag end");
}

// An image list of seven 8 x 8 button images.
std::unique_ptr<IconImageList> buttonImages()
{
    auto list = std::make_unique<IconImageList>(8, 8);
    for (int i = 0; i < 7; ++i) {
        CBitmap mask, color;
        mask.CreateBitmap(8, 8, 1, 1, nullptr);
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

struct TimedTabCtrl : TabCtrl {
    std::vector<std::string> timers;
    void StartTimer(UINT_PTR id, UINT ms) override { timers.push_back("start " + std::to_string(id) + " " + std::to_string(ms)); }
    void StopTimer(UINT_PTR id) override { timers.push_back("stop " + std::to_string(id)); }
};

TEST(TabCtrl, ScrollButtonRepeatsEveryTwentyMillisecondsAfterThreeHundred)
{
    TimedTabCtrl ctrl;
    auto images = buttonImages();
    ctrl.SetButtonImageList(images.get());
    Strip s(200, {100, 100, 100, 100, 100}, 1, &ctrl);
    const CRect right = ctrl.GetButtonRect(TabCtrl::kButtonScrollRight);
    ASSERT_FALSE(right.IsRectEmpty());
    const CPoint mid = right.CenterPoint();
    ctrl.SendMessage(WM_MOUSEMOVE, 0, at(mid.x, mid.y));
    ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(mid.x, mid.y));
    EXPECT_EQ(ctrl.GetScrollPos(), 15) << "one step at once";
    EXPECT_EQ(ctrl.timers, (std::vector<std::string>{"start 3 300"}));
    ctrl.SendMessage(WM_TIMER, 3);
    EXPECT_EQ(ctrl.timers, (std::vector<std::string>{"start 3 300", "stop 3", "start 4 20"}));
    ctrl.SendMessage(WM_TIMER, 4);
    EXPECT_EQ(ctrl.GetScrollPos(), 30);
    // Off the button the repeat pauses without ending.
    ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(5, mid.y));
    ctrl.SendMessage(WM_TIMER, 4);
    EXPECT_EQ(ctrl.GetScrollPos(), 30);
    ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(mid.x, mid.y));
    ctrl.SendMessage(WM_TIMER, 4);
    EXPECT_EQ(ctrl.GetScrollPos(), 45);
    ctrl.SendMessage(WM_LBUTTONUP, 0, at(mid.x, mid.y));
    EXPECT_EQ(ctrl.timers.back(), "stop 4");
    EXPECT_EQ(ctrl.GetPushedItem(), 0u);
    ctrl.DestroyWindow();
}

TEST(TabCtrl, AShrunkTabShowsItsTextAsTooltipAWholeTabNone)
{
    Strip s(151, {100, 60, 40}, 0);
    s.ctrl.SetTabText(s.tabs[0], "Shrunk");
    s.ctrl.SetTabText(s.tabs[2], "Whole");
    s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(10, 5));
    EXPECT_EQ(s.ctrl.GetToolTipText(), "Shrunk");
    ASSERT_NE(s.ctrl.GetToolTip(), nullptr);
    EXPECT_EQ(s.ctrl.GetToolTip()->GetText(), "Shrunk");
    s.ctrl.SendMessage(WM_MOUSEMOVE, 0, at(140, 5));
    EXPECT_EQ(s.ctrl.GetToolTipText(), "") << "the last tab keeps its width";
    s.ctrl.SetTabTooltipText(s.tabs[2], "Own tip");
    EXPECT_EQ(s.ctrl.GetToolTipText(), "Own tip");
}

TEST(TabCtrl, AReceiverMayDestroyTheControlFromANotification)
{
    auto images = buttonImages();
    {
        // The close button: the receiver deletes the control outright.
        Host host;
        auto* ctrl = new TabCtrl;
        ctrl->SetButtonImageList(images.get());
        ASSERT_TRUE(ctrl->Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), 3001));
        CWnd page;
        page.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), ctrl, 0);
        ctrl->AddTab(page.m_hWnd, "Tab", 0);
        ctrl->Update(true);
        Events ev;
        ev.onClose = [](TabCtrl* c) { delete c; };
        ctrl->SetNotifyManager(&ev);
        const CPoint mid = ctrl->GetButtonRect(TabCtrl::kButtonClose).CenterPoint();
        const HWND h = ctrl->m_hWnd;
        ::SendMessage(h, WM_MOUSEMOVE, 0, at(mid.x, mid.y));
        ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, at(mid.x, mid.y));
        ::SendMessage(h, WM_LBUTTONUP, 0, at(mid.x, mid.y));
        EXPECT_EQ(ev.log, (std::vector<std::string>{"close"}));
        EXPECT_FALSE(IsWindow(h));
    }
    {
        // The end of a drag: the receiver destroys the window and the object.
        Host host;
        auto* ctrl = new TabCtrl;
        ASSERT_TRUE(ctrl->Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), 3001));
        CWnd pages[2];
        for (CWnd& p : pages) {
            p.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), ctrl, 0);
            ctrl->AddTab(p.m_hWnd, "Tab", 0);
        }
        ctrl->EnableDragging(true);
        ctrl->Update(true);
        Events ev;
        ev.onDragEnd = [](TabCtrl* c) {
            c->DestroyWindow();
            delete c;
        };
        ctrl->SetNotifyManager(&ev);
        const CPoint p = ctrl->GetTabRect(ctrl->GetTab(0)).CenterPoint();
        const HWND h = ctrl->m_hWnd;
        ::SendMessage(h, WM_MOUSEMOVE, 0, at(p.x, p.y));
        ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, at(p.x, p.y));
        ::SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, at(p.x + 10, p.y));
        ::SendMessage(h, WM_LBUTTONUP, 0, at(p.x + 10, p.y));
        EXPECT_EQ(ev.log.back(), "drag end");
        EXPECT_FALSE(IsWindow(h));
        EXPECT_FALSE(KeyboardHook::Instance().IsRegistered(reinterpret_cast<KeyboardHook::Notify*>(1)));
    }
}

// Every notification the control sends from its own handling, each answered by
// a receiver that deletes the control: the control touches nothing of itself
// afterwards (the sanitizer build sees any use after free).
TEST(TabCtrl, NoNotificationLeadsToUseAfterFreeWhenItsReceiverDeletesTheControl)
{
    struct Killer : TabCtrlNotify {
        std::string when;
        std::vector<std::string> log;
        TabCtrl* ctrl = nullptr;
        void hear(const std::string& what)
        {
            log.push_back(what);
            if (what == when && ctrl) {
                TabCtrl* c = ctrl;
                ctrl = nullptr;
                delete c;
            }
        }
        void OnTabPressed(TabCtrl*, HTAB, CPoint) override { hear("pressed"); }
        void OnTabSelected(TabCtrl*, HTAB) override { hear("selected"); }
        void OnTabDoubleClicked(TabCtrl*, HTAB, CPoint) override { hear("double"); }
        void OnTabRightPressed(TabCtrl*, HTAB, CPoint) override { hear("right pressed"); }
        void OnTabRightReleased(TabCtrl*, HTAB, CPoint) override { hear("right released"); }
        void OnDragBegin(TabCtrl*, HTAB, CPoint) override { hear("drag begin"); }
        void OnDragMove(TabCtrl*, HTAB, CPoint, bool) override { hear("drag move"); }
        void OnDragEnd(TabCtrl*, HTAB, bool cancelled) override { hear(cancelled ? "drag cancelled" : "drag end"); }
        void OnButtonCloseClicked(TabCtrl*, const CRect&, CPoint) override { hear("close"); }
        void OnButtonMenuClicked(TabCtrl*, const CRect&, CPoint) override { hear("menu"); }
    };
    using Send = std::function<void(HWND, CPoint tab, CPoint close, CPoint menu, QWidget* elsewhere)>;
    const auto move = [](HWND h, CPoint p, WPARAM keys = 0) { ::SendMessage(h, WM_MOUSEMOVE, keys, at(p.x, p.y)); };
    const auto press = [&](HWND h, CPoint p) {
        move(h, p);
        ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, at(p.x, p.y));
    };
    const auto drag = [&](HWND h, CPoint p) {
        press(h, p);
        move(h, CPoint(p.x + 10, p.y), MK_LBUTTON);
        move(h, CPoint(p.x + 20, p.y), MK_LBUTTON);
    };
    const auto click = [&](HWND h, CPoint p) {
        press(h, p);
        ::SendMessage(h, WM_LBUTTONUP, 0, at(p.x, p.y));
    };
    struct Case {
        const char* when;
        Send send;
    };
    const Case cases[] = {
        {"pressed", [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) { press(h, t); }},
        {"selected", [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) { press(h, t); }},
        {"double",
         [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) {
             click(h, t);
             ::SendMessage(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at(t.x, t.y));
         }},
        {"right pressed",
         [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) {
             move(h, t);
             ::SendMessage(h, WM_RBUTTONDOWN, MK_RBUTTON, at(t.x, t.y));
         }},
        {"right released",
         [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) {
             move(h, t);
             ::SendMessage(h, WM_RBUTTONDOWN, MK_RBUTTON, at(t.x, t.y));
             ::SendMessage(h, WM_RBUTTONUP, 0, at(t.x, t.y));
         }},
        {"drag begin", [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) { drag(h, t); }},
        {"drag move", [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) { drag(h, t); }},
        {"drag end",
         [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) {
             drag(h, t);
             ::SendMessage(h, WM_LBUTTONUP, 0, at(t.x + 20, t.y));
         }},
        {"drag cancelled", // Esc, through the keyboard hook
         [&](HWND h, CPoint t, CPoint, CPoint, QWidget* elsewhere) {
             drag(h, t);
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(elsewhere, &esc);
         }},
        {"drag cancelled", // the capture taken by another window
         [&](HWND h, CPoint t, CPoint, CPoint, QWidget*) {
             drag(h, t);
             ::SendMessage(h, WM_CAPTURECHANGED, 0, 0);
         }},
        {"close", [&](HWND h, CPoint, CPoint c, CPoint, QWidget*) { click(h, c); }},
        {"menu", [&](HWND h, CPoint, CPoint, CPoint m, QWidget*) { click(h, m); }},
    };
    auto images = buttonImages();
    for (const Case& c : cases) {
        Host host;
        host.ShowWindow(SW_SHOW);
        Killer receiver;
        receiver.when = c.when;
        auto* ctrl = new TabCtrl;
        ctrl->SetButtonImageList(images.get());
        ASSERT_TRUE(ctrl->Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), 3001));
        CWnd pages[3];
        for (CWnd& p : pages) {
            p.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), ctrl, 0);
            ctrl->AddTab(p.m_hWnd, "Tab", 0);
        }
        ctrl->EnableDragging(true);
        ctrl->SetNotifyManager(&receiver);
        receiver.ctrl = ctrl;
        ctrl->Update(true);
        const HWND h = ctrl->m_hWnd;
        const CPoint tab = ctrl->GetTabRect(ctrl->GetTab(1)).CenterPoint();
        c.send(h, tab, ctrl->GetButtonRect(TabCtrl::kButtonClose).CenterPoint(),
               ctrl->GetButtonRect(TabCtrl::kButtonMenu).CenterPoint(), host.widget());
        EXPECT_EQ(receiver.ctrl, nullptr) << c.when << " was not heard";
        EXPECT_FALSE(IsWindow(h)) << c.when;
        ASSERT_FALSE(receiver.log.empty());
        EXPECT_EQ(receiver.log.back(), c.when) << "nothing heard after the control went";
        // The keyboard hook holds no listener of a deleted control.
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(host.widget(), &esc);
    }
}

// A style that fills everything red, and one that offers no draw manager.
struct RedStyle : ITabCtrlStyle, TabCtrlDraw {
    TabCtrlDraw* GetDrawManager() override { return this; }
    ITabCtrlRecalc* GetRecalcManager() override { return nullptr; }
    ITabCtrlBehavior* GetBehaviorManager() override { return nullptr; }
    ITabCtrlToolTip* GetToolTipManager() override { return nullptr; }
    void DrawBegin(TabCtrl* c, CDC* dc) override
    {
        CRect r;
        c->GetClientRect(r);
        dc->FillSolidRect(r, RGB(255, 0, 0));
    }
};
struct NoDrawStyle : RedStyle {
    TabCtrlDraw* GetDrawManager() override { return nullptr; }
};

TEST(TabCtrl, AStyleWithoutDrawManagerPaintsNothing)
{
    Host host;
    host.ShowWindow(SW_SHOW);
    TabCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 60), 3001));
    RedStyle red;
    NoDrawStyle none;
    ctrl.InstallStyle(&red);
    QImage shot = ctrl.widget()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(50, 30)), QColor(255, 0, 0));
    ctrl.InstallStyle(&none);
    EXPECT_EQ(ctrl.GetDrawManager(), nullptr);
    shot = ctrl.widget()->grab().toImage();
    EXPECT_NE(QColor(shot.pixel(50, 30)), QColor(255, 0, 0));
}

} // namespace
