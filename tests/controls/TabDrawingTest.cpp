// The shared drawing routines of the tab control and the keyboard hook.
#include "controls/KeyboardHook.h"
#include "controls/TabDrawing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

struct Canvas {
    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;
    Canvas(int w, int h, COLORREF fill = kWhite)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        old = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    ~Canvas() { dc.SelectObject(old); }
};

TEST(TabDrawing, MixColorsWeighsEachChannelInWholeNumbers)
{
    struct Case {
        COLORREF a, b;
        int p;
        COLORREF expect;
    };
    const Case cases[] = {
        {kRed, kBlue, 45, RGB(114, 0, 140)},
        {kRed, kBlue, 100, kRed},
        {kRed, kBlue, 0, kBlue},
        {RGB(10, 20, 30), RGB(0, 0, 0), 50, RGB(5, 10, 15)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixColors(c.a, c.b, c.p), c.expect) << c.p;
}

struct PixelCase {
    const char* name;
    int w, h;
    std::function<void(CDC&)> draw;
    // Pixels that must carry the colour and pixels that must stay white.
    std::vector<POINT> painted;
    std::vector<POINT> untouched;
    COLORREF color;
};

TEST(TabDrawing, LinesFramesAndShapesTouchOnlyTheirOwnPixels)
{
    const std::vector<PixelCase> cases = {
        {"a line leaves its end point", 6, 2, [](CDC& dc) { DrawLine(&dc, 0, 0, 5, 0, kRed); }, {{0, 0}, {4, 0}},
         {{5, 0}, {0, 1}}, kRed},
        {"a rectangle frame outlines columns 0 to 9 and rows 0 to 4", 12, 7,
         [](CDC& dc) { DrawRectFrame(&dc, CRect(0, 0, 10, 5), kRed); },
         {{0, 0}, {9, 0}, {0, 4}, {9, 4}, {5, 0}, {5, 4}, {0, 2}, {9, 2}},
         {{10, 0}, {0, 5}, {10, 5}, {5, 2}}, kRed},
        {"a chamfer with side 1 and cut 2 leaves the top corners and has no bottom outline", 20, 10,
         [](CDC& dc) { DrawChamferedShape(&dc, CRect(0, 0, 20, 10), 1, 2, kRed, kBlue); },
         {{0, 9}, {0, 2}, {2, 0}, {17, 0}, {19, 2}, {19, 9}},
         {{0, 0}, {1, 0}, {0, 1}, {19, 0}, {18, 0}, {19, 1}}, kRed},
        {"the side opposite the cut is filled, not outlined", 20, 10,
         [](CDC& dc) { DrawChamferedShape(&dc, CRect(0, 0, 20, 10), 1, 2, kRed, kBlue); }, {{5, 9}, {10, 5}}, {},
         kBlue},
        {"a beveled frame cuts all four corners", 10, 10,
         [](CDC& dc) {
             CPen pen(PS_SOLID, 1, kRed);
             CPen* old = dc.SelectObject(&pen);
             DrawBeveledFrame(&dc, CRect(0, 0, 10, 10), 2);
             dc.SelectObject(old);
         },
         {{0, 2}, {2, 0}, {7, 0}, {9, 2}, {9, 7}, {7, 9}, {2, 9}, {0, 7}}, {{0, 0}, {9, 0}, {0, 9}, {9, 9}}, kRed},
        {"a vertical gradient starts with its first colour on top", 4, 64,
         [](CDC& dc) { FillGradient(&dc, CRect(0, 0, 4, 64), false, kRed, kBlue); }, {{0, 0}}, {}, kRed},
        {"a solid fill stays inside its rectangle", 4, 4, [](CDC& dc) { FillSolid(&dc, CRect(1, 1, 3, 3), kGreen); },
         {{1, 1}, {2, 2}}, {{3, 3}, {0, 0}}, kGreen},
    };
    for (const PixelCase& c : cases) {
        Canvas canvas(c.w, c.h);
        c.draw(canvas.dc);
        for (POINT p : c.painted)
            EXPECT_EQ(canvas.dc.GetPixel(p), c.color) << c.name << " at " << p.x << "," << p.y;
        for (POINT p : c.untouched)
            EXPECT_EQ(canvas.dc.GetPixel(p), kWhite) << c.name << " at " << p.x << "," << p.y;
    }
}

TEST(TabDrawing, MaskInColorPaintsTheBlackPixelsAndIsCutToTheRectangle)
{
    // A 4 x 2 mask: black (0) on the left half, white (1) on the right.
    CBitmap mask;
    const unsigned char bits[] = {0x30, 0, 0x30, 0}; // rows padded to 2 bytes; bits 2 and 3 set
    ASSERT_TRUE(mask.CreateBitmap(4, 2, 1, 1, bits));
    Canvas canvas(6, 3, kGreen);
    // The rectangle is 3 wide: the mask's fourth column is cut off.
    ASSERT_TRUE(DrawMaskInColor(&canvas.dc, CRect(1, 1, 4, 3), mask, kRed));
    EXPECT_EQ(canvas.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(3, 1), kGreen) << "white mask pixels leave the target";
    EXPECT_EQ(canvas.dc.GetPixel(4, 1), kGreen) << "cut to the rectangle";
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), kGreen);
}

TEST(TabDrawing, WindowClassNameCarriesStyleAndCursorInHexadecimal)
{
    const std::string name = RegisterClassOnce("TabCtrl", 8, reinterpret_cast<HCURSOR>(uintptr_t(0x1a2b)), nullptr,
                                               nullptr);
    EXPECT_EQ(name, "TabCtrl:0:8:1a2b:0:0");
}

// --- the keyboard hook

struct Recorder : KeyboardHook::Notify {
    std::vector<std::string>* log;
    std::string name;
    bool removeSelf = false;
    Recorder(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
    void OnKeyDown(UINT key, UINT) override
    {
        log->push_back(name + ":" + std::to_string(key));
        if (removeSelf)
            KeyboardHook::Instance().Remove(this);
    }
};

void pressKey(CWnd& wnd, Qt::Key key, bool release = false)
{
    QKeyEvent e(release ? QEvent::KeyRelease : QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(wnd.widget(), &e);
}

TEST(KeyboardHook, CallsListenersInOrderAndALeavingListenerSkipsNoOne)
{
    CWnd host;
    ASSERT_TRUE(host.Create(nullptr, "Host", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    std::vector<std::string> log;
    Recorder a(&log, "a"), b(&log, "b"), c(&log, "c");
    a.removeSelf = true;
    KeyboardHook& hook = KeyboardHook::Instance();
    ASSERT_TRUE(hook.IsInstalled());
    ASSERT_TRUE(hook.Add(&a));
    ASSERT_TRUE(hook.Add(&b));
    ASSERT_TRUE(hook.Add(&b)) << "a second registration keeps one entry";
    ASSERT_TRUE(hook.Add(&c));

    pressKey(host, Qt::Key_Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"a:27", "b:27", "c:27"}));
    EXPECT_FALSE(hook.IsRegistered(&a));

    log.clear();
    pressKey(host, Qt::Key_Escape, true);
    EXPECT_TRUE(log.empty()) << "a key release calls no listener";

    pressKey(host, Qt::Key_A);
    EXPECT_EQ(log, (std::vector<std::string>{"b:65", "c:65"}));
    hook.Remove(&b);
    hook.Remove(&c);
    host.DestroyWindow();
}

struct Watcher : ActivityHook::INotify {
    std::vector<std::pair<bool, HWND>> calls;
    void OnActivityChanged(bool active, HWND wnd) override { calls.emplace_back(active, wnd); }
};

TEST(ActivityHook, FocusInAGrandchildReportsOnceAndRegistrationReplacesTheWindow)
{
    CWnd top, child, grandchild, other;
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(grandchild.Create(nullptr, "", WS_CHILD, CRect(0, 0, 20, 20), &child, 2));
    ASSERT_TRUE(other.Create(nullptr, "", WS_CHILD, CRect(60, 0, 80, 20), &top, 3));
    Watcher w;
    ActivityHook& hook = ActivityHook::Instance();
    ASSERT_TRUE(hook.Add(&w, other.m_hWnd));
    ASSERT_TRUE(hook.Add(&w, child.m_hWnd)) << "replaces the watched window";
    hook.FocusChanged(WM_SETFOCUS, grandchild.m_hWnd);
    hook.FocusChanged(WM_SETFOCUS, other.m_hWnd);
    ASSERT_EQ(w.calls.size(), 1u);
    EXPECT_TRUE(w.calls[0].first);
    EXPECT_EQ(w.calls[0].second, grandchild.m_hWnd);
    hook.FocusChanged(WM_KILLFOCUS, grandchild.m_hWnd);
    ASSERT_EQ(w.calls.size(), 2u);
    EXPECT_FALSE(w.calls[1].first);
    hook.Remove(&w);
    EXPECT_FALSE(hook.IsRegistered(&w));
    top.DestroyWindow();
}

} // namespace
