// Drawing on windows outside their paint: a client DC reads the window's
// current pixels (as a button copies its parent's background) and what it
// draws shows over the next paint; a window region shapes the window's
// painting and its hit testing.
#include "common/WaitFor.h"
#include "platform/win/Dc.h"
#include "platform/win/MsgMap.h"
#include "platform/win/Region.h"
#include "platform/win/WinApp.h"
#include "platform/win/Wnd.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kRed = RGB(220, 0, 0);

QRgb rgbOf(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

// A window that paints its left half green and its right half blue, and notes its
// client size at each paint.
class Painted : public CWnd {
public:
    int paints = 0;
    std::vector<CSize> painted;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(r);
        dc.FillSolidRect(0, 0, r.Width() / 2, r.Height(), kGreen);
        dc.FillSolidRect(r.Width() / 2, 0, r.Width() - r.Width() / 2, r.Height(), kBlue);
        ++paints;
        painted.push_back(r.Size());
    }
};

BEGIN_MESSAGE_MAP(Painted, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// A child that copies its parent's background under it while it paints, as
// transparent image buttons do, and fills nothing itself.
class SeeThrough : public CWnd {
public:
    COLORREF seenLeft = 0, seenRight = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r, inParent;
        GetClientRect(r);
        GetWindowRect(inParent);
        GetParent()->ScreenToClient(inParent);
        CClientDC parent(GetParent());
        seenLeft = parent.GetPixel(inParent.left + 1, inParent.top + 1);
        seenRight = parent.GetPixel(inParent.right - 2, inParent.top + 1);
        dc.BitBlt(0, 0, r.Width(), r.Height(), &parent, inParent.left, inParent.top, SRCCOPY);
    }
};

BEGIN_MESSAGE_MAP(SeeThrough, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class WindowDrawing : public ::testing::Test {
protected:
    Painted host;
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_POPUP, CRect(0, 0, 80, 40), nullptr, 0));
        host.ShowWindow(SW_SHOW);
        win::PumpMessages(20);
    }
    void TearDown() override { host.DestroyWindow(); }
    QImage shot() { return host.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(WindowDrawing, AClientDcReadsTheWindowsPixelsAndItsDrawingShowsUntilTheNextPaint)
{
    {
        CClientDC dc(&host);
        EXPECT_EQ(dc.GetPixel(5, 5), kGreen) << "the window's own paint";
        EXPECT_EQ(dc.GetPixel(70, 5), kBlue);
        dc.FillSolidRect(10, 10, 4, 4, kRed);
        EXPECT_EQ(dc.GetPixel(11, 11), kRed);
    }
    {
        CClientDC again(&host);
        EXPECT_EQ(again.GetPixel(11, 11), kRed) << "drawing not yet painted is read back";
    }
    // The next paint (here the one a grab makes) shows it over the window's own.
    const int paints = host.paints;
    QImage img = shot();
    EXPECT_GT(host.paints, paints);
    EXPECT_EQ(img.pixel(11, 11), rgbOf(kRed));
    EXPECT_EQ(img.pixel(5, 5), rgbOf(kGreen));
    EXPECT_EQ(img.pixel(70, 5), rgbOf(kBlue));

    // A later paint redraws the window alone: the drawing goes, as on Windows.
    host.Invalidate();
    win::PumpMessages(20);
    EXPECT_EQ(shot().pixel(11, 11), rgbOf(kGreen));
}

TEST_F(WindowDrawing, AChildCopiesItsParentsBackgroundUnderIt)
{
    SeeThrough child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(30, 10, 50, 30), &host, 1));
    child.Invalidate();
    win::PumpMessages(20);
    const QImage img = shot();
    EXPECT_EQ(child.seenLeft, kGreen);
    EXPECT_EQ(child.seenRight, kBlue);
    EXPECT_EQ(img.pixel(31, 15), rgbOf(kGreen)) << "the child shows the parent's left half";
    EXPECT_EQ(img.pixel(48, 15), rgbOf(kBlue));
    child.DestroyWindow();
}

// A copy from a client DC reads only the part it copies; what it copies, and
// every pixel read after it, is what a read of the whole window shows.
TEST_F(WindowDrawing, ACopyOfPartOfAWindowMatchesTheWholeWindowsPixels)
{
    {
        // Drawing still waiting for a paint, across the green and blue halves.
        CClientDC dc(&host);
        dc.FillSolidRect(36, 12, 6, 6, kRed);
    }
    CClientDC whole(&host);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&mem, 40, 20);
    CBitmap* old = mem.SelectObject(&bmp);
    {
        CClientDC part(&host);
        mem.BitBlt(0, 0, 20, 20, &part, 30, 5, SRCCOPY);
        // Hanging over the window's right and bottom edges: only what exists is copied.
        mem.BitBlt(20, 0, 20, 20, &part, 70, 30, SRCCOPY);
        EXPECT_EQ(part.GetPixel(5, 35), kGreen) << "a read elsewhere after the copy";
        EXPECT_EQ(part.GetPixel(75, 2), kBlue);
        EXPECT_EQ(part.GetPixel(37, 13), kRed);
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(mem.GetPixel(x, y), whole.GetPixel(30 + x, 5 + y)) << x << "," << y;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x < 10 && y < 10;
            ASSERT_EQ(mem.GetPixel(20 + x, y), inside ? whole.GetPixel(70 + x, 30 + y) : RGB(0, 0, 0)) << x << "," << y;
        }
    mem.SelectObject(old);
}

TEST_F(WindowDrawing, AWindowRegionShapesPaintingAndHitTesting)
{
    Painted shaped;
    ASSERT_TRUE(shaped.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 40), &host, 2));
    CRgn round;
    round.CreateEllipticRgn(0, 0, 40, 40);
    EXPECT_NE(shaped.SetWindowRgn(&round, TRUE), 0);
    win::PumpMessages(20);

    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{20, 20, true}, {2, 2, false}, {37, 37, false}, {5, 20, true}};
    const QImage img = shot();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        QWidget* hit = host.widget()->childAt(c.x, c.y);
        EXPECT_EQ(hit == shaped.widget(), c.inside);
        // Inside the shape the child's own halves show.
        if (c.inside) {
            EXPECT_EQ(img.pixel(c.x, c.y), rgbOf(c.x < 20 ? kGreen : kBlue));
        }
    }
    CRgn back;
    back.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(shaped.GetWindowRgn(&back), COMPLEXREGION);
    EXPECT_TRUE(back.PtInRegion(20, 20));
    EXPECT_FALSE(back.PtInRegion(1, 1));

    shaped.SetWindowRgn(nullptr, TRUE);
    EXPECT_EQ(shaped.GetWindowRgn(&back), ERROR);
    EXPECT_EQ(host.widget()->childAt(2, 2), shaped.widget());
    shaped.DestroyWindow();
}

// Maximising a shown window does not show it once more at its old size before the
// new one comes (the window system gives it later), and leaves it painting as before.
TEST(WindowMaximise, AShownWindowThatIsMaximisedPaintsOnlyAtItsNewSize)
{
    Painted w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "Painted", WS_OVERLAPPEDWINDOW, CRect(10, 10, 210, 110), nullptr, 0));
    w.ShowWindow(SW_SHOW);
    ASSERT_TRUE(testsupport::waitFor([&] { return !w.painted.empty(); }));
    w.painted.clear();

    // Placed first, then maximised, as a program does with the size it restores to.
    w.MoveWindow(20, 20, 300, 150);
    w.ShowWindow(SW_SHOWMAXIMIZED);
    CRect client;
    ASSERT_TRUE(testsupport::waitFor([&] {
        w.GetClientRect(client);
        return client.Width() > 300 && !w.painted.empty();
    }));
    win::PumpMessages(20);
    for (const CSize& s : w.painted)
        EXPECT_EQ(s, client.Size()) << "painted at " << s.cx << " x " << s.cy;

    // Maximising again changes nothing and holds nothing back.
    w.ShowWindow(SW_SHOWMAXIMIZED);
    w.painted.clear();
    w.Invalidate();
    EXPECT_TRUE(testsupport::waitFor([&] { return !w.painted.empty(); }, 200));
    w.DestroyWindow();
}

} // namespace
