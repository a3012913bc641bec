// The drawing helpers of the tooltip window: pixel colour functions, blends,
// bitmaps with masks and alpha, shadows, gradients, textures and borders;
// the palette bitmap; the buffered paint DC.
#include "controls/BufferedPaintDC.h"
#include "controls/PPDrawManager.h"
#include "platform/win/Wnd.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
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

TEST(PPDrawManager, PixelFunctionsWorkPerChannelAndKeepTheAlphaByte)
{
    struct Case {
        const char* name;
        DWORD got, expect;
    };
    const Case cases[] = {
        {"grey", CPPDrawManager::GreyColor(0x00ff0000), 0x004c4c4c},
        {"invert keeps alpha", CPPDrawManager::InvertColor(0x80102030), 0x80efdfcf},
        {"darken", CPPDrawManager::DarkenColor(0x00c8c8c8, 0.75), 0x00969696},
        {"darken by 1 leaves it", CPPDrawManager::DarkenColor(0x00c8c8c8, 1.0), 0x00c8c8c8},
        {"lighten is capped", CPPDrawManager::LightenColor(0x00e60064, 0.25), 0x00ff007d},
        {"lighten by 0 leaves it", CPPDrawManager::LightenColor(0x00c80064, 0.0), 0x00c80064},
        {"mix", CPPDrawManager::MixColors(0x00ff0000, 0.5, 0x000000ff, 0.5), 0x007f007f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expect) << c.name;
}

TEST(PPDrawManager, BlendOfHundredCopiesAndOfZeroLeavesTheDestination)
{
    CPPDrawManager dm;
    for (int percent : {100, 150, 0, 50}) {
        Canvas src(4, 4, kRed), dst(4, 4, kBlue);
        dm.BlendBlt(&dst.dc, 0, 0, 4, 4, &src.dc, 0, 0, percent);
        const COLORREF expect = percent >= 100 ? kRed : percent == 0 ? kBlue : RGB(127, 0, 127);
        EXPECT_EQ(dst.dc.GetPixel(2, 2), expect) << percent;
    }
}

// A 32-bit DIB section of 2 x 1 pixels given bottom-up (one row).
HBITMAP dib(DWORD left, DWORD right)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    static_cast<DWORD*>(bits)[0] = left;
    static_cast<DWORD*>(bits)[1] = right;
    return b;
}

TEST(PPDrawManager, OpaqueBitmapsUseTheMaskPairAndAlphaBitmapsBlend)
{
    CPPDrawManager dm;
    {
        // No alpha: the mask colour (magenta) is transparent, red is drawn.
        HBITMAP b = dib(0x00ff0000, 0x00ff00ff);
        Canvas c(2, 1, kGreen);
        dm.DrawBitmap(&c.dc, 0, 0, 2, 1, b, true, RGB(255, 0, 255), 0, false, 0, 0, 0, 0, 0);
        EXPECT_FALSE(dm.AlphaSeen());
        EXPECT_EQ(c.dc.GetPixel(0, 0), kRed);
        EXPECT_EQ(c.dc.GetPixel(1, 0), kGreen);
        DeleteObject(b);
    }
    {
        // Alpha: half-opaque red over green; a magenta pixel with alpha is no mask match.
        HBITMAP b = dib(0x80ff0000, 0xffff00ff);
        Canvas c(2, 1, kGreen);
        dm.DrawBitmap(&c.dc, 0, 0, 2, 1, b, true, RGB(255, 0, 255), 0, false, 0, 0, 0, 0, 0);
        EXPECT_TRUE(dm.AlphaSeen());
        const COLORREF p = c.dc.GetPixel(0, 0);
        EXPECT_NEAR(GetRValue(p), 128, 2);
        EXPECT_NEAR(GetGValue(p), 127, 2);
        EXPECT_EQ(c.dc.GetPixel(1, 0), RGB(255, 0, 255));
        DeleteObject(b);
    }
}

TEST(PPDrawManager, ImageListItemBeyondTheLastDrawsNothing)
{
    CPPDrawManager dm;
    HBITMAP strip = dib(0x00ff0000, 0x000000ff); // two 1 x 1 items
    Canvas c(1, 1, kGreen);
    dm.DrawImageListItem(&c.dc, 0, 0, 1, 1, strip, 2, 1, 1, false, 0, 0, false, 0, 0, 0, 0, 0);
    EXPECT_EQ(c.dc.GetPixel(0, 0), kGreen);
    dm.DrawImageListItem(&c.dc, 0, 0, 1, 1, strip, 1, 1, 1, false, 0, 0, false, 0, 0, 0, 0, 0);
    EXPECT_EQ(c.dc.GetPixel(0, 0), kBlue);
    DeleteObject(strip);
}

TEST(PPDrawManager, ShadowDarkensWhereTheMaskIsDark)
{
    CPPDrawManager dm;
    HBITMAP mask = dib(0x00000000, 0x00ffffff);
    Canvas c(2, 1, RGB(200, 200, 200));
    dm.DrawShadow(&c.dc, 0, 0, 2, 1, mask, false, 0, 0);
    EXPECT_EQ(c.dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(1, 0), RGB(200, 200, 200));
    DeleteObject(mask);
    // The blur averages over its window, counting the outside as white.
    const DWORD px[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto f = CPPDrawManager::BlurMask(px, 3, 3, 3, 3);
    EXPECT_DOUBLE_EQ(f[4], 0.0);
    EXPECT_DOUBLE_EQ(f[0], 5.0 / 9.0);
}

TEST(PPDrawManager, GradientBandsSkipEmptyOnesAndEndAtTheEdge)
{
    CPPDrawManager dm;
    Canvas c(12, 2, kGreen);
    dm.FillGradient(&c.dc, CRect(0, 0, 10, 2), kRed, kBlue, true);
    EXPECT_GT(GetRValue(c.dc.GetPixel(0, 0)), 220) << "the first bands are empty and skipped";
    const COLORREF last = c.dc.GetPixel(9, 1);
    EXPECT_GT(GetBValue(last), 200);
    EXPECT_EQ(c.dc.GetPixel(10, 0), kGreen);
}

TEST(PPDrawManager, RectangleOfWidthThreeLiesOnePixelInside)
{
    CPPDrawManager dm;
    Canvas c(20, 20);
    dm.DrawRectangle(&c.dc, 2, 2, 18, 18, kRed, kRed, CPPDrawManager::PEN_SOLID, 3);
    EXPECT_EQ(c.dc.GetPixel(3, 10), kRed);
    EXPECT_EQ(c.dc.GetPixel(10, 3), kRed);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kWhite);
    Canvas none(4, 4);
    dm.DrawRectangle(&none.dc, 0, 0, 4, 4, kRed, kRed, CPPDrawManager::PEN_NULL, 1);
    dm.DrawLine(&none.dc, 0, 1, 4, 1, kRed, CPPDrawManager::PEN_SOLID, 0);
    EXPECT_EQ(none.dc.GetPixel(0, 0), kWhite);
    EXPECT_EQ(none.dc.GetPixel(1, 1), kWhite);
}

TEST(PPDrawManager, EveryEffectFillsAndTheNoiseDiffersEachTime)
{
    CPPDrawManager dm;
    for (int effect = -1; effect <= 16; ++effect) {
        Canvas c(40, 20, kGreen);
        dm.FillEffect(&c.dc, effect, CRect(0, 0, 40, 20), kRed, RGB(128, 128, 128), kBlue, 10, 20);
        EXPECT_NE(c.dc.GetPixel(20, 10), kGreen) << effect;
    }
    // Too small for the hard bump: filled solid.
    Canvas tiny(4, 4, kGreen);
    dm.FillEffect(&tiny.dc, CPPDrawManager::EFFECT_HARDBUMP, CRect(0, 0, 4, 4), kRed, kRed, kBlue, 5, 0);
    EXPECT_EQ(tiny.dc.GetPixel(1, 1), kRed);

    Canvas a(30, 30), b(30, 30);
    dm.FillEffect(&a.dc, CPPDrawManager::EFFECT_NOISE, CRect(0, 0, 30, 30), kRed, kWhite, kBlue, 40, 0);
    dm.FillEffect(&b.dc, CPPDrawManager::EFFECT_NOISE, CRect(0, 0, 30, 30), kRed, kWhite, kBlue, 40, 0);
    int differ = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            differ += a.dc.GetPixel(x, y) != b.dc.GetPixel(x, y);
    EXPECT_GT(differ, 0);
}

TEST(CeXDib, RowsArePaddedAndPixelsCountFromTheTop)
{
    CCeXDib d;
    ASSERT_NE(d.Create(5, 3, 8), nullptr);
    EXPECT_EQ(d.GetLineWidth(), 8u);
    EXPECT_EQ(d.GetPaletteSize(), 1024u);
    EXPECT_EQ(d.GetSize(), 40u + 24u + 1024u);
    d.SetPaletteIndex(1, 255, 0, 0);
    d.SetPaletteIndex(2, 0, 0, 255);
    d.Clear(2);
    d.SetPixelIndex(0, 0, 1);
    d.SetPixelIndex(9, 9, 1); // outside: nothing
    Canvas c(5, 3);
    d.Draw(&c.dc, 0, 0);
    EXPECT_EQ(c.dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(c.dc.GetPixel(4, 2), kBlue);
    d.BlendPalette(kWhite, 50);
    d.Draw(&c.dc, 0, 0);
    d.Free();
    EXPECT_EQ(d.GetBits(), nullptr);
}

struct BufferedWindow : CWnd {
    DECLARE_MESSAGE_MAP()
public:
    void OnPaint()
    {
        CBufferDC dc(this);
        EXPECT_TRUE(dc.IsBuffered());
        dc.FillSolidRect(dc.GetBufferRect(), RGB(10, 20, 30));
        dc.FillSolidRect(-5, -5, 3, 3, kRed); // outside the client area: lost
    }
};
BEGIN_MESSAGE_MAP(BufferedWindow, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(CBufferDC, ThePaintReachesTheWindowWhenTheObjectEnds)
{
    BufferedWindow w;
    ASSERT_TRUE(w.Create(nullptr, "Buffered", WS_POPUP, CRect(0, 0, 40, 30), nullptr, 0));
    w.ShowWindow(SW_SHOW);
    const QImage shot = w.widget()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(20, 15)), QColor(10, 20, 30));
    EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(10, 20, 30));
    w.DestroyWindow();
}

} // namespace
