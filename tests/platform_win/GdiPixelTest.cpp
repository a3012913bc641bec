// GDI's drawing rules, checked pixel by pixel on small offscreen bitmaps.
#include "platform/win/Dc.h"
#include "platform/win/GdiImpl.h"
#include "platform/win/Region.h"

#include <QFontInfo>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A memory DC over a colour bitmap of the given size and fill.
struct Canvas {
    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;
    Canvas(int w, int h, COLORREF fill)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        old = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    ~Canvas() { dc.SelectObject(old); }
};

// A memory DC over a bitmap given pixel by pixel (row by row).
struct Picture {
    CDC dc;
    CBitmap bmp;
    Picture(int w, int h, std::vector<COLORREF> pixels, int bitsPerPixel = 32)
    {
        dc.CreateCompatibleDC(nullptr);
        if (bitsPerPixel == 1)
            bmp.CreateBitmap(w, h, 1, 1, nullptr);
        else
            bmp.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bmp);
        for (int i = 0; i < w * h; ++i)
            dc.SetPixel(i % w, i / w, pixels[size_t(i)]);
    }
};

struct Px {
    int x, y;
    COLORREF color;
};

struct PixelCase {
    const char* name;
    int w, h;
    COLORREF fill;
    std::function<void(CDC&)> draw;
    std::vector<Px> expect;
};

void drawLine(CDC& dc, int x0, int y0, int x1, int y1, int style = PS_SOLID, COLORREF c = kBlack)
{
    CPen pen(style, 1, c);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
    dc.SelectObject(old);
}

const std::vector<PixelCase>& pixelCases()
{
    static const std::vector<PixelCase> cases = {
        {"mask AND then picture OR leaves the transparent middle pixel as it was", 3, 1, kGrey,
         [](CDC& dc) {
             // The slider's way: a mask from the key colour, the key pixels blackened.
             Picture pic(3, 1, {kRed, kMagenta, kBlue});
             CDC maskDc;
             maskDc.CreateCompatibleDC(&dc);
             CBitmap mask;
             mask.CreateBitmap(3, 1, 1, 1, nullptr);
             maskDc.SelectObject(&mask);
             pic.dc.SetBkColor(kMagenta);
             maskDc.BitBlt(0, 0, 3, 1, &pic.dc, 0, 0, SRCCOPY);
             pic.dc.SetTextColor(kWhite);
             pic.dc.SetBkColor(kBlack);
             pic.dc.BitBlt(0, 0, 3, 1, &maskDc, 0, 0, SRCAND);
             dc.SetTextColor(kBlack);
             dc.SetBkColor(kWhite);
             dc.BitBlt(0, 0, 3, 1, &maskDc, 0, 0, SRCAND);
             dc.BitBlt(0, 0, 3, 1, &pic.dc, 0, 0, SRCPAINT);
         },
         {{0, 0, kRed}, {1, 0, kGrey}, {2, 0, kBlue}}},
        {"colour to monochrome: 1 where the source has its background colour", 3, 1, kGrey,
         [](CDC& dc) {
             Picture pic(3, 1, {kRed, kMagenta, kBlue});
             Picture mono(3, 1, {kBlack, kBlack, kBlack}, 1);
             pic.dc.SetBkColor(kRed);
             mono.dc.BitBlt(0, 0, 3, 1, &pic.dc, 0, 0, SRCCOPY);
             // Monochrome to colour: 0 takes the text colour, 1 the background colour.
             dc.SetTextColor(kBlue);
             dc.SetBkColor(RGB(0, 255, 0));
             dc.BitBlt(0, 0, 3, 1, &mono.dc, 0, 0, SRCCOPY);
         },
         {{0, 0, RGB(0, 255, 0)}, {1, 0, kBlue}, {2, 0, kBlue}}},
        {"SRCINVERT, DSTINVERT, WHITENESS and MERGECOPY", 4, 1, RGB(0x0f, 0xf0, 0x33),
         [](CDC& dc) {
             Picture pic(1, 1, {RGB(0xff, 0xff, 0x00)});
             dc.BitBlt(0, 0, 1, 1, &pic.dc, 0, 0, SRCINVERT);
             dc.BitBlt(1, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
             dc.PatBlt(2, 0, 1, 1, WHITENESS);
             CBrush brush(RGB(0x0f, 0x0f, 0xff));
             dc.SelectObject(&brush);
             dc.BitBlt(3, 0, 1, 1, &pic.dc, 0, 0, MERGECOPY);
             dc.SelectStockObject(WHITE_BRUSH);
         },
         {{0, 0, RGB(0xf0, 0x0f, 0x33)}, {1, 0, RGB(0xf0, 0x0f, 0xcc)}, {2, 0, kWhite}, {3, 0, RGB(0x0f, 0x0f, 0x00)}}},
        {"a line from (0, 0) to (5, 0) sets x 0 to 4", 7, 1, kWhite, [](CDC& dc) { drawLine(dc, 0, 0, 5, 0); },
         {{0, 0, kBlack}, {4, 0, kBlack}, {5, 0, kWhite}, {6, 0, kWhite}}},
        {"a line up a column leaves its end point", 1, 5, kWhite, [](CDC& dc) { drawLine(dc, 0, 4, 0, 1); },
         {{0, 4, kBlack}, {0, 2, kBlack}, {0, 1, kWhite}, {0, 0, kWhite}}},
        {"a dotted pen draws 3 on, 3 off; transparent gaps keep the background", 8, 1, kWhite,
         [](CDC& dc) {
             dc.SetBkMode(TRANSPARENT);
             drawLine(dc, 0, 0, 8, 0, PS_DOT, kRed);
         },
         {{0, 0, kRed}, {2, 0, kRed}, {3, 0, kWhite}, {5, 0, kWhite}, {6, 0, kRed}}},
        {"opaque gaps of a dashed pen take the background colour", 26, 1, kWhite,
         [](CDC& dc) {
             dc.SetBkColor(kGrey);
             drawLine(dc, 0, 0, 26, 0, PS_DASH, kRed);
         },
         {{0, 0, kRed}, {17, 0, kRed}, {18, 0, kGrey}, {23, 0, kGrey}, {24, 0, kRed}}},
        {"dash-dot and dash-dot-dot patterns", 30, 2, kWhite,
         [](CDC& dc) {
             dc.SetBkMode(TRANSPARENT);
             drawLine(dc, 0, 0, 30, 0, PS_DASHDOT);
             drawLine(dc, 0, 1, 30, 1, PS_DASHDOTDOT);
         },
         {{8, 0, kBlack}, {9, 0, kWhite}, {15, 0, kBlack}, {18, 0, kWhite}, {24, 0, kBlack},
          {9, 1, kWhite}, {12, 1, kBlack}, {15, 1, kWhite}, {18, 1, kBlack}, {21, 1, kWhite}, {24, 1, kBlack}}},
        {"a polyline joins its points and leaves the last one", 5, 5, kWhite,
         [](CDC& dc) {
             const POINT pts[] = {{0, 0}, {4, 0}, {4, 4}};
             dc.Polyline(pts, 3);
         },
         {{0, 0, kBlack}, {4, 0, kBlack}, {4, 3, kBlack}, {4, 4, kWhite}, {0, 1, kWhite}}},
        {"a polygon is filled and closed", 6, 6, kWhite,
         [](CDC& dc) {
             CBrush brush(kBlue);
             dc.SelectObject(&brush);
             const POINT pts[] = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
             dc.Polygon(pts, 4);
             dc.SelectStockObject(WHITE_BRUSH);
         },
         {{0, 0, kBlack}, {5, 5, kBlack}, {0, 4, kBlack}, {2, 2, kBlue}}},
        {"a rectangle without pen fills one pixel less at right and bottom", 6, 6, kWhite,
         [](CDC& dc) {
             CBrush brush(kBlue);
             dc.SelectObject(&brush);
             dc.SelectStockObject(NULL_PEN);
             dc.Rectangle(1, 1, 5, 5);
             dc.SelectStockObject(BLACK_PEN);
             dc.SelectStockObject(WHITE_BRUSH);
         },
         {{1, 1, kBlue}, {3, 3, kBlue}, {4, 3, kWhite}, {3, 4, kWhite}}},
        {"Draw3dRect, FrameRect and DrawEdge", 12, 6, kGrey,
         [](CDC& dc) {
             dc.Draw3dRect(CRect(0, 0, 4, 4), kWhite, kBlack);
             CBrush red(kRed);
             dc.FrameRect(CRect(4, 0, 8, 4), &red);
             CRect edge(8, 0, 12, 4);
             dc.DrawEdge(edge, EDGE_SUNKEN, BF_RECT);
         },
         {{0, 0, kWhite}, {0, 2, kWhite}, {3, 0, kBlack}, {0, 3, kBlack}, {3, 3, kBlack}, {1, 1, kGrey},
          {4, 0, kRed}, {7, 3, kRed}, {5, 1, kGrey},
          {8, 0, GetSysColor(COLOR_BTNSHADOW)}, {11, 3, GetSysColor(COLOR_BTNHIGHLIGHT)},
          {9, 1, GetSysColor(COLOR_3DDKSHADOW)}, {10, 2, GetSysColor(COLOR_3DLIGHT)}}},
        {"a focus rectangle inverts every other pixel and goes away when drawn again", 6, 4, kWhite,
         [](CDC& dc) {
             dc.DrawFocusRect(CRect(0, 0, 6, 4));
             dc.DrawFocusRect(CRect(0, 0, 4, 4));
             dc.DrawFocusRect(CRect(0, 0, 4, 4));
         },
         {{0, 0, kBlack}, {1, 0, kWhite}, {2, 0, kBlack}, {5, 1, kBlack}, {2, 2, kWhite}}},
        {"StretchBlt doubles pixels and a negative height flips", 4, 4, kWhite,
         [](CDC& dc) {
             Picture pic(2, 2, {kRed, kBlue, kBlack, kGrey});
             dc.StretchBlt(0, 0, 4, 2, &pic.dc, 0, 0, 2, 1, SRCCOPY);
             dc.StretchBlt(0, 3, 2, -2, &pic.dc, 0, 0, 2, 2, SRCCOPY);
         },
         {{0, 0, kRed}, {1, 1, kRed}, {2, 0, kBlue}, {3, 1, kBlue}, {0, 3, kRed}, {1, 3, kBlue}, {0, 2, kBlack},
          {1, 2, kGrey}}},
        {"a negative width mirrors", 3, 1, kWhite,
         [](CDC& dc) {
             Picture pic(3, 1, {kRed, kGrey, kBlue});
             dc.StretchBlt(2, 0, -3, 1, &pic.dc, 0, 0, 3, 1, SRCCOPY);
         },
         {{0, 0, kBlue}, {1, 0, kGrey}, {2, 0, kRed}}},
        {"TransparentBlt leaves the key colour's pixels untouched", 3, 1, kGrey,
         [](CDC& dc) {
             Picture pic(3, 1, {kRed, kMagenta, kBlue});
             dc.TransparentBlt(0, 0, 3, 1, &pic.dc, 0, 0, 3, 1, kMagenta);
         },
         {{0, 0, kRed}, {1, 0, kGrey}, {2, 0, kBlue}}},
        {"horizontal and vertical gradients run from the first vertex", 4, 6, kWhite,
         [](CDC& dc) {
             TRIVERTEX v[4] = {{0, 0, 0, 0, 0, 0}, {4, 2, 0xff00, 0, 0x8000, 0}, {0, 2, 0, 0, 0, 0}, {4, 6, 0, 0xff00, 0, 0}};
             GRADIENT_RECT h{0, 1}, vr{2, 3};
             dc.GradientFill(v, 4, &h, 1, GRADIENT_FILL_RECT_H);
             dc.GradientFill(v, 4, &vr, 1, GRADIENT_FILL_RECT_V);
         },
         {{0, 0, kBlack}, {2, 1, RGB(127, 0, 64)}, {3, 0, RGB(191, 0, 96)}, {0, 2, kBlack}, {3, 4, RGB(0, 127, 0)},
          {0, 5, RGB(0, 191, 0)}}},
        {"AlphaBlend with a constant half and with per-pixel alpha", 2, 1, kWhite,
         [](CDC& dc) {
             Picture pic(1, 1, {kBlack});
             BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
             dc.AlphaBlend(0, 0, 1, 1, &pic.dc, 0, 0, 1, 1, half);
             // A premultiplied 32-bit source: red at alpha 0x80.
             BITMAPINFO bi{};
             bi.bmiHeader.biWidth = 1;
             bi.bmiHeader.biHeight = 1;
             bi.bmiHeader.biBitCount = 32;
             void* bits = nullptr;
             HBITMAP dib = CreateDIBSection(&dc, &bi, DIB_RGB_COLORS, &bits);
             const unsigned char px[4] = {0, 0, 0x80, 0x80};
             std::memcpy(bits, px, 4);
             CDC src;
             src.CreateCompatibleDC(&dc);
             src.SelectBitmap(dib);
             BLENDFUNCTION alpha{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
             dc.AlphaBlend(1, 0, 1, 1, &src, 0, 0, 1, 1, alpha);
             src.SelectBitmap(nullptr);
             DeleteObject(dib);
         },
         {{0, 0, kGrey - RGB(1, 1, 1)}, {1, 0, RGB(255, 127, 127)}}},
        {"a plain copy takes the source pixels that exist and stays inside the clip", 4, 3, kWhite,
         [](CDC& dc) {
             Picture pic(2, 2, {kRed, kBlue, kMagenta, kBlack});
             dc.BitBlt(0, 0, 2, 1, &pic.dc, 1, 0, SRCCOPY);
             CRgn clip;
             clip.CreateRectRgn(0, 1, 2, 3);
             dc.SelectClipRgn(&clip);
             dc.BitBlt(1, 1, 3, 2, &pic.dc, 0, 0, SRCCOPY);
             dc.SelectClipRgn(nullptr);
         },
         {{0, 0, kBlue}, {1, 0, kWhite}, {1, 1, kRed}, {2, 1, kWhite}, {1, 2, kMagenta}, {2, 2, kWhite},
          {3, 1, kWhite}, {0, 1, kWhite}}},
        {"clipping to a region keeps drawing inside it", 4, 4, kWhite,
         [](CDC& dc) {
             CRgn a, b, both;
             a.CreateRectRgn(0, 0, 3, 3);
             b.CreateRectRgn(1, 1, 4, 4);
             both.CreateRectRgn(0, 0, 0, 0);
             both.CombineRgn(&a, &b, RGN_AND);
             dc.SelectClipRgn(&both);
             dc.FillSolidRect(0, 0, 4, 4, kRed);
             dc.SelectClipRgn(nullptr);
         },
         {{0, 0, kWhite}, {1, 1, kRed}, {2, 2, kRed}, {3, 3, kWhite}}},
        {"framing a region paints its inner edge", 5, 5, kWhite,
         [](CDC& dc) {
             CRgn r;
             r.CreateRectRgn(0, 0, 5, 5);
             CBrush red(kRed);
             dc.FrameRgn(&r, &red, 1, 1);
         },
         {{0, 0, kRed}, {4, 4, kRed}, {2, 0, kRed}, {1, 1, kWhite}, {2, 2, kWhite}}},
        {"window origin and extents map logical to device pixels", 6, 6, kWhite,
         [](CDC& dc) {
             dc.SetWindowOrg(10, 20);
             dc.FillSolidRect(10, 20, 2, 2, kRed);
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowOrg(0, 0);
             dc.SetWindowExt(1, 1);
             dc.SetViewportExt(2, 2);
             dc.FillSolidRect(2, 2, 1, 1, kBlue);
             dc.SetMapMode(MM_TEXT);
             dc.SetWindowOrg(0, 0);
         },
         {{0, 0, kRed}, {1, 1, kRed}, {2, 2, kWhite}, {4, 4, kBlue}, {5, 5, kBlue}, {3, 3, kWhite}}},
        {"a monochrome DC draws black or white", 2, 1, kGrey,
         [](CDC& dc) {
             Picture mono(2, 1, {kBlack, kBlack}, 1);
             mono.dc.SetPixel(0, 0, RGB(200, 200, 200));
             mono.dc.SetPixel(1, 0, RGB(90, 90, 90));
             dc.SetTextColor(kRed);
             dc.SetBkColor(kBlue);
             dc.BitBlt(0, 0, 2, 1, &mono.dc, 0, 0, SRCCOPY);
         },
         {{0, 0, kBlue}, {1, 0, kRed}}},
    };
    return cases;
}

} // namespace

TEST(GdiPixels, DrawingFollowsGdiRules)
{
    for (const PixelCase& c : pixelCases()) {
        Canvas canvas(c.w, c.h, c.fill);
        c.draw(canvas.dc);
        for (const Px& p : c.expect)
            EXPECT_EQ(canvas.dc.GetPixel(p.x, p.y), p.color) << c.name << " at " << p.x << "," << p.y;
    }
}

// ---- Faults mended: the DC's saved states and bitmaps deleted while selected ----

TEST(GdiState, RestoreDCBringsBackColoursObjectsAndClip)
{
    Canvas canvas(4, 1, kWhite);
    CDC& dc = canvas.dc;
    CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);
    CPen* first = dc.SelectObject(&red);
    EXPECT_EQ(first, GetStockObject(BLACK_PEN));
    dc.SetTextColor(kRed);
    const int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    dc.IntersectClipRect(0, 0, 1, 1);
    dc.SaveDC();
    dc.SetTextColor(kGrey);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetTextColor(), kRed);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetCurrentPen(), &red);
    // The clip went with the state: the whole row is drawn again.
    dc.FillSolidRect(0, 0, 4, 1, kBlue);
    EXPECT_EQ(dc.GetPixel(3, 0), kBlue);
    EXPECT_FALSE(dc.RestoreDC(-1));
    // The old object after a restore is the restored one.
    EXPECT_EQ(dc.SelectObject(&blue), &red);
}

TEST(GdiState, RestoreDCSelectsTheSavedBitmapAgain)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap a, b;
    a.CreateCompatibleBitmap(&dc, 1, 1);
    b.CreateCompatibleBitmap(&dc, 1, 1);
    dc.SelectObject(&a);
    dc.SetPixel(0, 0, kRed);
    dc.SaveDC();
    EXPECT_EQ(dc.SelectObject(&b), &a);
    dc.SetPixel(0, 0, kBlue);
    dc.RestoreDC(-1);
    EXPECT_EQ(dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(dc.GetCurrentBitmap(), &a);
    // b is free again and can go into another DC.
    CDC other;
    other.CreateCompatibleDC(nullptr);
    EXPECT_EQ(other.SelectObject(&b), nullptr);
    EXPECT_EQ(other.GetPixel(0, 0), kBlue);
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
    other.SelectObject(static_cast<CBitmap*>(nullptr));
}

TEST(GdiState, ABitmapDestroyedWhileSelectedLeavesTheDC)
{
    // The common order of declarations: the DC outlives the bitmap it holds.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    {
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, 4, 4);
        dc.SelectObject(&bmp);
        dc.SaveDC();
        dc.FillSolidRect(0, 0, 4, 4, kRed);
    }
    EXPECT_EQ(dc.GetCurrentBitmap(), nullptr);
    EXPECT_EQ(dc.GetPixel(3, 3), COLORREF(-1));
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetCurrentBitmap(), nullptr);
    dc.FillSolidRect(0, 0, 4, 4, kRed); // draws into the DC's own pixel, harmlessly
    // A bitmap can be selected into one DC at a time.
    CBitmap shared;
    shared.CreateCompatibleBitmap(&dc, 1, 1);
    dc.SelectObject(&shared);
    CDC other;
    other.CreateCompatibleDC(nullptr);
    EXPECT_EQ(other.SelectObject(&shared), nullptr);
    EXPECT_EQ(other.GetCurrentBitmap(), nullptr);
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
}

// ---- Regions --------------------------------------------------------------------

TEST(GdiRegions, ShapesCombineAndTest)
{
    // A round rectangle region is one pixel short of its rectangle at the right and bottom.
    CRgn round;
    round.CreateRoundRectRgn(0, 0, 41, 31, 16, 16);
    CRect box;
    EXPECT_EQ(round.GetRgnBox(box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(0, 0, 40, 30));
    EXPECT_FALSE(round.PtInRegion(0, 0));
    EXPECT_FALSE(round.PtInRegion(39, 29));
    EXPECT_TRUE(round.PtInRegion(20, 0));
    EXPECT_TRUE(round.PtInRegion(0, 15));
    EXPECT_TRUE(round.PtInRegion(8, 1));

    // A pentagram: its centre is covered twice, inside by winding, outside by alternation.
    const POINT star[] = {{50, 0}, {79, 90}, {2, 35}, {97, 35}, {21, 90}};
    CRgn winding, alternate;
    winding.CreatePolygonRgn(star, 5, WINDING);
    alternate.CreatePolygonRgn(star, 5, ALTERNATE);
    EXPECT_TRUE(winding.PtInRegion(50, 50));
    EXPECT_FALSE(alternate.PtInRegion(50, 50));
    EXPECT_TRUE(alternate.PtInRegion(50, 10));

    CRgn a, b, c;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    c.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(c.PtInRegion(12, 12));
    EXPECT_FALSE(c.PtInRegion(12, 2));
    EXPECT_EQ(c.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    c.GetRgnBox(box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(c.CombineRgn(&a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(c.EqualRgn(&a));
    c.OffsetRgn(100, 0);
    EXPECT_TRUE(c.PtInRegion(100, 0));
    EXPECT_FALSE(c.PtInRegion(110, 0));
    EXPECT_EQ(c.CombineRgn(&a, &c, RGN_AND), NULLREGION);
}

// ---- Bitmaps and icons -----------------------------------------------------------

TEST(GdiBitmaps, ThirtyTwoBitDibRowsRunBottomUpBlueFirst)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = 3;
    bi.bmiHeader.biHeight = 2;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits);
    ASSERT_NE(dib, nullptr);
    auto* p = static_cast<unsigned char*>(bits);
    // The first row in memory is the bottom row of the picture.
    p[0] = 0x30;
    p[1] = 0x20;
    p[2] = 0x10;
    p[3] = 0x00;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectBitmap(dib);
    EXPECT_EQ(dc.GetPixel(0, 1), RGB(0x10, 0x20, 0x30));
    dc.SetPixel(2, 0, RGB(1, 2, 3));
    // Top row, third pixel: offset one row (12 bytes) plus 8.
    EXPECT_EQ(p[12 + 8], 3);
    EXPECT_EQ(p[12 + 9], 2);
    EXPECT_EQ(p[12 + 10], 1);
    EXPECT_EQ(p[12 + 11], 0); // drawing leaves the alpha byte 0
    BITMAP bm;
    GetObject(dib, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidthBytes, 12);
    EXPECT_EQ(bm.bmBits, bits);
    dc.SelectBitmap(nullptr);
    DeleteObject(dib);
}

// A copy between 32-bit DIBs carries the alpha byte; into a compatible bitmap
// only the colour goes, and back out of it the alpha byte reads 0.
TEST(GdiBitmaps, CopiesKeepTheAlphaByteOnlyBetweenThirtyTwoBitDibs)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = 1;
    bi.bmiHeader.biBitCount = 32;
    void* srcBits = nullptr;
    void* dstBits = nullptr;
    HBITMAP srcDib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &srcBits);
    HBITMAP dstDib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &dstBits);
    ASSERT_NE(srcDib, nullptr);
    ASSERT_NE(dstDib, nullptr);
    const unsigned char px[8] = {0x30, 0x20, 0x10, 0x80, 0x03, 0x02, 0x01, 0xff};
    std::memcpy(srcBits, px, sizeof px);
    CDC src, dst;
    src.CreateCompatibleDC(nullptr);
    src.SelectBitmap(srcDib);
    dst.CreateCompatibleDC(nullptr);
    dst.SelectBitmap(dstDib);
    dst.BitBlt(0, 0, 2, 1, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(std::memcmp(dstBits, px, sizeof px), 0);

    Canvas canvas(2, 1, kWhite);
    canvas.dc.BitBlt(0, 0, 2, 1, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(canvas.dc.GetPixel(1, 0), RGB(0x01, 0x02, 0x03));
    dst.BitBlt(0, 0, 2, 1, &canvas.dc, 0, 0, SRCCOPY);
    const unsigned char back[8] = {0x30, 0x20, 0x10, 0x00, 0x03, 0x02, 0x01, 0x00};
    EXPECT_EQ(std::memcmp(dstBits, back, sizeof back), 0);
    src.SelectBitmap(nullptr);
    dst.SelectBitmap(nullptr);
    DeleteObject(srcDib);
    DeleteObject(dstDib);
}

// Large bitmaps reuse the memory of bitmaps gone before: a new one still
// starts black, and two that live together never share their pixels.
TEST(GdiBitmaps, ANewLargeBitmapStartsBlackAndOwnsItsPixels)
{
    {
        Canvas gone(400, 300, kRed);
    }
    Canvas first(300, 200, kWhite);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap second;
    ASSERT_TRUE(second.CreateCompatibleBitmap(&dc, 390, 290));
    CBitmap* old = dc.SelectObject(&second);
    for (const CPoint p : {CPoint(0, 0), CPoint(389, 289), CPoint(200, 150)})
        EXPECT_EQ(dc.GetPixel(p), kBlack) << p.x << "," << p.y;
    dc.FillSolidRect(0, 0, 390, 290, kBlue);
    EXPECT_EQ(first.dc.GetPixel(299, 199), kWhite);
    EXPECT_EQ(first.dc.GetPixel(0, 0), kWhite);
    dc.SelectObject(old);
}

TEST(GdiBitmaps, EightBitDibsIndexTheirPaletteAndRowsArePadded)
{
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader = BITMAPINFOHEADER{};
    bi->bmiHeader.biWidth = 3;
    bi->bmiHeader.biHeight = 2;
    bi->bmiHeader.biBitCount = 8;
    RGBQUAD* pal = bi->bmiColors;
    pal[0] = RGBQUAD{0, 0, 0, 0};
    pal[1] = RGBQUAD{255, 0, 0, 0}; // blue
    pal[2] = RGBQUAD{0, 0, 255, 0}; // red
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits);
    auto* p = static_cast<unsigned char*>(bits);
    p[0] = 1; // bottom row
    p[4 + 2] = 2; // top row, rows padded to 4 bytes
    CDC src;
    src.CreateCompatibleDC(nullptr);
    src.SelectBitmap(dib);
    Canvas canvas(3, 2, kWhite);
    canvas.dc.BitBlt(0, 0, 3, 2, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.dc.GetPixel(0, 1), kBlue);
    EXPECT_EQ(canvas.dc.GetPixel(2, 0), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(1, 0), kBlack);
    src.SelectBitmap(nullptr);
    DeleteObject(dib);
}

// Drawing into 1, 4 and 8-bit DIB sections: colours go to their palette
// entry (the nearest for others), pixels not drawn on keep their index even
// where two entries share a colour or the index lies past the palette.
TEST(GdiBitmaps, PaletteDibSectionsKeepTheirIndexesThroughDrawing)
{
    struct Case {
        int bits;
        COLORREF drawn;
        int expectedIndex;  // of the drawn pixel (0, 0)
        COLORREF shown;     // what the drawn pixel reads as
    };
    const Case cases[] = {
        {8, RGB(255, 0, 0), 2, RGB(255, 0, 0)},
        {8, RGB(250, 10, 10), 2, RGB(255, 0, 0)}, // nearest entry
        {8, RGB(0, 0, 0), 1, RGB(0, 0, 0)},       // the first of two black entries
        {4, RGB(255, 0, 0), 2, RGB(255, 0, 0)},
        {4, RGB(240, 240, 240), 0, RGB(255, 255, 255)},
        {1, RGB(255, 0, 0), 1, RGB(0, 0, 0)},      // nearer black than white
        {1, RGB(200, 200, 200), 0, RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, colour " << std::hex << c.drawn);
        const int entries = c.bits == 1 ? 2 : 4;
        std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
        bi->bmiHeader = BITMAPINFOHEADER{};
        bi->bmiHeader.biWidth = 8;
        bi->bmiHeader.biHeight = -2; // top-down: row 0 first
        bi->bmiHeader.biBitCount = WORD(c.bits);
        bi->bmiHeader.biClrUsed = DWORD(entries);
        RGBQUAD* pal = bi->bmiColors;
        pal[0] = RGBQUAD{255, 255, 255, 0};
        pal[1] = RGBQUAD{0, 0, 0, 0};
        if (entries > 2) {
            pal[2] = RGBQUAD{0, 0, 255, 0}; // red
            pal[3] = RGBQUAD{0, 0, 0, 0};   // black again
        }
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits);
        ASSERT_NE(dib, nullptr);
        auto* p = static_cast<unsigned char*>(bits);
        const auto indexAt = [&](int x) {
            switch (c.bits) {
            case 8: return int(p[x]);
            case 4: return (p[x / 2] >> ((x % 2) ? 0 : 4)) & 0xf;
            default: return (p[x / 8] >> (7 - x % 8)) & 1;
            }
        };
        // Pixel 5 holds the second black entry; in 8 bits pixel 6 an index past the palette.
        if (c.bits == 8) {
            p[5] = 3;
            p[6] = 200;
        } else if (c.bits == 4) {
            p[2] = 0x03; // pixel 5
        } else {
            p[0] = 0x04; // pixel 5 black
        }
        const int before5 = indexAt(5);

        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectBitmap(dib);
        dc.SetPixel(0, 0, c.drawn);
        EXPECT_EQ(indexAt(0), c.expectedIndex);
        EXPECT_EQ(dc.GetPixel(0, 0), c.shown);
        EXPECT_EQ(indexAt(5), before5) << "a pixel not drawn on keeps its index";
        if (c.bits == 8) {
            EXPECT_EQ(indexAt(6), 200);
            EXPECT_EQ(dc.GetPixel(6, 0), RGB(0, 0, 0)) << "an index past the palette shows black";
        }
        dc.SelectBitmap(nullptr);
        DeleteObject(dib);
    }
}

TEST(GdiBitmaps, IconsSplitIntoMaskAndColourAndDrawDisabled)
{
    QImage img(4, 4, QImage::Format_ARGB32);
    img.fill(0);
    img.setPixel(1, 1, qRgb(255, 0, 0));
    img.setPixel(2, 2, qRgb(255, 255, 255));
    HBITMAP colour = CreateBitmapHandle(img.convertToFormat(QImage::Format_RGB32));
    QImage maskImg(4, 4, QImage::Format_RGB32);
    maskImg.fill(0xffffffff);
    maskImg.setPixel(1, 1, 0xff000000);
    maskImg.setPixel(2, 2, 0xff000000);
    HBITMAP mask = CreateBitmapHandle(maskImg);
    ICONINFO made{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&made);
    ASSERT_NE(icon, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(info.xHotspot, 2u);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectBitmap(info.hbmMask);
    EXPECT_EQ(dc.GetPixel(0, 0), kWhite);
    EXPECT_EQ(dc.GetPixel(1, 1), kBlack);
    dc.SelectBitmap(nullptr);

    Canvas canvas(5, 5, kGrey);
    canvas.dc.DrawIcon(0, 0, icon);
    EXPECT_EQ(canvas.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), kGrey);
    Canvas disabled(5, 5, kGrey);
    disabled.dc.DrawState(CPoint(0, 0), CSize(0, 0), icon, DST_ICON | DSS_DISABLED);
    EXPECT_EQ(disabled.dc.GetPixel(1, 1), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(disabled.dc.GetPixel(2, 2), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(disabled.dc.GetPixel(3, 3), kGrey); // white is no part of the shape
    disabled.dc.DrawState(CPoint(2, 0), CSize(0, 0), icon, DST_ICON | DSS_DISABLED);
    EXPECT_EQ(disabled.dc.GetPixel(4, 2), GetSysColor(COLOR_3DHILIGHT));

    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DeleteObject(mask);
    DeleteObject(colour);
    DestroyIcon(icon);
}

// ---- Text ------------------------------------------------------------------------

namespace {

LOGFONT testFont(int height, const char* face = "Arial")
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    std::strncpy(lf.lfFaceName, face, sizeof(lf.lfFaceName) - 1);
    return lf;
}

// The columns that hold any text-coloured pixel.
std::vector<int> inkColumns(CDC& dc, int w, int h)
{
    std::vector<int> cols;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            if (dc.GetPixel(x, y) != kWhite) {
                cols.push_back(x);
                break;
            }
    return cols;
}

bool sameRow(CDC& a, CDC& b, int y, int w)
{
    for (int x = 0; x < w; ++x)
        if (a.GetPixel(x, y) != b.GetPixel(x, y))
            return false;
    return true;
}

} // namespace

TEST(GdiText, FontsMapHeightsWeightsAndFaces)
{
    EXPECT_EQ(win::SubstituteFace("Arial"), "Liberation Sans");
    EXPECT_EQ(win::SubstituteFace("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(win::SubstituteFace("MS Shell Dlg"), "Liberation Sans");
    EXPECT_EQ(win::SubstituteFace("Courier"), "Liberation Mono");
    EXPECT_EQ(win::SubstituteFace("Verdana"), "DejaVu Sans");
    CFont arial;
    LOGFONT lf = testFont(-20);
    arial.CreateFontIndirect(&lf);
    EXPECT_EQ(QFontInfo(arial.GetQFont()).family(), "Liberation Sans");

    Canvas canvas(10, 10, kWhite);
    CDC& dc = canvas.dc;
    // A negative height is the character height: cell minus internal leading.
    dc.SelectObject(&arial);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    // A positive height is the cell height.
    CFont cell;
    lf = testFont(30);
    cell.CreateFontIndirect(&lf);
    dc.SelectObject(&cell);
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 30, 1);
    CFont bold;
    lf = testFont(-20);
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfCharSet = SYMBOL_CHARSET;
    bold.CreateFontIndirect(&lf);
    dc.SelectObject(&bold);
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_EQ(tm.tmItalic, 1);
    EXPECT_EQ(tm.tmUnderlined, 1);
    EXPECT_EQ(tm.tmCharSet, SYMBOL_CHARSET);
    CSize plain = dc.GetTextExtent("Mirtal");
    dc.SelectObject(&arial);
    EXPECT_GT(plain.cx, dc.GetTextExtent("Mirtal").cx);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
}

TEST(GdiText, JustificationWidensTheBlanks)
{
    Canvas canvas(200, 30, kWhite);
    CDC& dc = canvas.dc;
    CFont f;
    const LOGFONT lf = testFont(-16);
    f.CreateFontIndirect(&lf);
    dc.SelectObject(&f);
    const CSize before = dc.GetTextExtent("a b c d");
    dc.TextOut(0, 0, "a b c d");
    const std::vector<int> plainInk = inkColumns(dc, 200, 30);
    dc.FillSolidRect(0, 0, 200, 30, kWhite);
    dc.SetTextJustification(10, 3);
    EXPECT_EQ(dc.GetTextExtent("a b c d").cx, before.cx + 10);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, "a b c d");
    const std::vector<int> wideInk = inkColumns(dc, 200, 30);
    ASSERT_FALSE(plainInk.empty());
    ASSERT_FALSE(wideInk.empty());
    EXPECT_EQ(wideInk.front(), plainInk.front());
    EXPECT_EQ(wideInk.back(), plainInk.back() + 10);
    dc.SetTextJustification(0, 0);
    EXPECT_EQ(dc.GetTextExtent("a b c d").cx, before.cx);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
}

TEST(GdiText, DrawTextPrefixesAlignmentAndMeasuring)
{
    CFont f;
    const LOGFONT lf = testFont(-16);
    f.CreateFontIndirect(&lf);
    auto draw = [&](Canvas& c, const std::function<void(CDC&)>& paint) {
        c.dc.SelectObject(&f);
        c.dc.SetBkMode(TRANSPARENT);
        paint(c.dc);
        c.dc.SelectStockObject(DEFAULT_GUI_FONT);
    };
    // "a&&b" shows "a&b".
    Canvas doubled(80, 24, kWhite), plain(80, 24, kWhite);
    draw(doubled, [](CDC& dc) {
        CRect r(0, 0, 80, 24);
        dc.DrawText("a&&b", r, DT_SINGLELINE);
    });
    draw(plain, [](CDC& dc) { dc.TextOut(0, 0, "a&b"); });
    for (int y = 0; y < 24; ++y)
        EXPECT_TRUE(sameRow(doubled.dc, plain.dc, y, 80)) << "row " << y;

    // "&File" underlines the F, just below the base line.
    Canvas prefixed(80, 24, kWhite), bare(80, 24, kWhite);
    draw(prefixed, [](CDC& dc) {
        CRect r(0, 0, 80, 24);
        dc.DrawText("&File", r, DT_SINGLELINE);
    });
    draw(bare, [](CDC& dc) { dc.TextOut(0, 0, "File"); });
    TEXTMETRIC tm;
    prefixed.dc.SelectObject(&f);
    prefixed.dc.GetTextMetrics(&tm);
    const int fWidth = prefixed.dc.GetTextExtent("F").cx;
    prefixed.dc.SelectStockObject(DEFAULT_GUI_FONT);
    const int underline = tm.tmAscent + 1;
    for (int y = 0; y < 24; ++y)
        if (y != underline) {
            EXPECT_TRUE(sameRow(prefixed.dc, bare.dc, y, 80)) << "row " << y;
        }
    for (int x = 0; x < fWidth; ++x)
        EXPECT_EQ(prefixed.dc.GetPixel(x, underline), kBlack) << x;
    EXPECT_EQ(prefixed.dc.GetPixel(fWidth + 2, underline), bare.dc.GetPixel(fWidth + 2, underline));
    // With DT_NOPREFIX the ampersand is shown.
    Canvas noPrefix(80, 24, kWhite), amp(80, 24, kWhite);
    draw(noPrefix, [](CDC& dc) {
        CRect r(0, 0, 80, 24);
        dc.DrawText("&F", r, DT_SINGLELINE | DT_NOPREFIX);
    });
    draw(amp, [](CDC& dc) { dc.TextOut(0, 0, "&F"); });
    EXPECT_TRUE(sameRow(noPrefix.dc, amp.dc, tm.tmAscent - 2, 80));

    // Measuring, centring, word break and the end ellipsis.
    Canvas c(200, 100, kWhite);
    c.dc.SelectObject(&f);
    const CSize ext = c.dc.GetTextExtent("Mirtal");
    CRect calc(10, 10, 1000, 10);
    EXPECT_EQ(c.dc.DrawText("Mirtal", calc, DT_SINGLELINE | DT_CALCRECT), tm.tmHeight);
    EXPECT_EQ(calc, CRect(10, 10, 10 + ext.cx, 10 + tm.tmHeight));
    CRect wrap(0, 0, ext.cx + 5, 0);
    c.dc.DrawText("Mirtal Mirtal Mirtal", wrap, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(wrap.Height(), 3 * tm.tmHeight);
    EXPECT_EQ(wrap.Width(), ext.cx);
    c.dc.SetBkMode(TRANSPARENT);
    CRect centred(0, 0, 200, 40);
    EXPECT_EQ(c.dc.DrawText("Mirtal", centred, DT_SINGLELINE | DT_CENTER | DT_VCENTER),
              (40 - tm.tmHeight) / 2 + tm.tmHeight);
    const std::vector<int> ink = inkColumns(c.dc, 200, 40);
    ASSERT_FALSE(ink.empty());
    EXPECT_NEAR(ink.front(), (200 - ext.cx) / 2, 3);
    c.dc.FillSolidRect(0, 0, 200, 100, kWhite);
    CRect right(0, 0, 150, 40);
    c.dc.DrawText("Mirtal", right, DT_SINGLELINE | DT_RIGHT);
    const std::vector<int> rightInk = inkColumns(c.dc, 200, 40);
    ASSERT_FALSE(rightInk.empty());
    EXPECT_LT(rightInk.back(), 150);
    EXPECT_NEAR(rightInk.front(), 150 - ext.cx, 3);
    c.dc.FillSolidRect(0, 0, 200, 100, kWhite);
    CRect narrow(0, 0, ext.cx / 2, 30);
    c.dc.DrawText("Mirtal Mirtal", narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
    const std::vector<int> cut = inkColumns(c.dc, 200, 30);
    ASSERT_FALSE(cut.empty());
    EXPECT_LT(cut.back(), ext.cx / 2);
    c.dc.SelectStockObject(DEFAULT_GUI_FONT);
}

TEST(GdiText, ExtTextOutFillsClipsAndSpaces)
{
    CFont f;
    LOGFONT lf = testFont(-16);
    f.CreateFontIndirect(&lf);
    // ETO_OPAQUE fills the rectangle in the background colour; ETO_CLIPPED keeps the text inside it.
    Canvas c(80, 24, kWhite);
    c.dc.SelectObject(&f);
    c.dc.SetBkColor(kGrey);
    const CRect box(0, 0, 12, 24);
    c.dc.ExtTextOut(0, 0, ETO_OPAQUE | ETO_CLIPPED, box, "MMMM");
    EXPECT_EQ(c.dc.GetPixel(11, 23), kGrey);
    EXPECT_EQ(inkColumns(c.dc, 80, 24).back(), 11) << "nothing right of the rectangle";
    // Given advances place each character.
    Canvas spaced(80, 24, kWhite), single(80, 24, kWhite);
    for (Canvas* k : {&spaced, &single}) {
        k->dc.SelectObject(&f);
        k->dc.SetBkMode(TRANSPARENT);
    }
    const int dx[2] = {30, 0};
    spaced.dc.ExtTextOut(0, 0, 0, nullptr, "ii", dx);
    single.dc.TextOut(0, 0, "i");
    const std::vector<int> one = inkColumns(single.dc, 80, 24), two = inkColumns(spaced.dc, 80, 24);
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(two.front(), one.front());
    EXPECT_EQ(two.back(), one.back() + 30);
    // Strike-out draws a line through the middle of the characters.
    CFont struck;
    lf.lfStrikeOut = 1;
    struck.CreateFontIndirect(&lf);
    Canvas plain(60, 24, kWhite), crossed(60, 24, kWhite);
    plain.dc.SelectObject(&f);
    crossed.dc.SelectObject(&struck);
    TEXTMETRIC tm;
    crossed.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmStruckOut, 1);
    plain.dc.TextOut(0, 0, "o o");
    crossed.dc.TextOut(0, 0, "o o");
    const int gap = plain.dc.GetTextExtent("o ").cx - 2; // inside the blank between the letters
    bool line = false;
    for (int y = 0; y < tm.tmAscent; ++y)
        line = line || (crossed.dc.GetPixel(gap, y) != kWhite && plain.dc.GetPixel(gap, y) == kWhite);
    EXPECT_TRUE(line);
    for (Canvas* k : {&c, &spaced, &single, &plain, &crossed})
        k->dc.SelectStockObject(DEFAULT_GUI_FONT);
}

TEST(GdiCaps, SystemColoursAndDeviceCaps)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), kWhite);
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(COLOR_APPWORKSPACE), RGB(171, 171, 171));
    EXPECT_EQ(GetSysColor(27), kBlack);
    for (int i = 0; i <= 26; ++i)
        EXPECT_EQ(GetSysColor(i), GetSysColor(i));
    Canvas canvas(2, 2, kWhite);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(canvas.dc.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    Picture mono(1, 1, {kBlack}, 1);
    EXPECT_EQ(mono.dc.GetDeviceCaps(BITSPIXEL), 1);
    CBitmap compatible;
    compatible.CreateCompatibleBitmap(&mono.dc, 2, 2);
    BITMAP bm;
    compatible.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
}

namespace {

// One pixel of a same-size blit as GDI defines it: the source converted to the
// destination's kind, combined, and a monochrome result the nearer of black and white.
COLORREF blitModel(DWORD rop, COLORREF s, COLORREF d, bool srcMono, bool dstMono, COLORREF srcBk, COLORREF text,
                   COLORREF bk)
{
    if (srcMono && !dstMono)
        s = s == kWhite ? bk : text;
    else if (!srcMono && dstMono)
        s = s == srcBk ? kWhite : kBlack;
    COLORREF v = rop == SRCCOPY ? s : rop == SRCAND ? (s & d) : rop == SRCPAINT ? (s | d) : (s ^ d);
    if (dstMono)
        v = GetRValue(v) + GetGValue(v) + GetBValue(v) >= 383 ? kWhite : kBlack;
    return v;
}

} // namespace

// Copies, AND, OR and XOR between colour and monochrome surfaces, with a clip
// and with source rectangles that reach past the source: the pixels the
// source covers change by GDI's rule, every other one stays.
TEST(GdiBlits, SameSizeCombinationsFollowGdiRules)
{
    const int sw = 5, sh = 4, dw = 6, dh = 5;
    const COLORREF srcBk = RGB(0x20, 0xc0, 0x40), text = RGB(0x11, 0x22, 0x33), bk = RGB(0xf0, 0x80, 0x0c);
    const std::vector<COLORREF> palette = {srcBk, kRed, kWhite, RGB(0x7f, 0x80, 0x80), kBlack, RGB(0x35, 0xa6, 0xd9)};
    struct Geometry {
        const char* name;
        int x, y, w, h, srcX, srcY;
        bool clip;
    };
    const Geometry geometries[] = {
        {"whole source", 1, 1, sw, sh, 0, 0, false},
        {"source rectangle past its left and top", 0, 0, 4, 3, -2, -1, false},
        {"source rectangle past its right and bottom", 1, 0, 5, 5, 2, 1, false},
        {"destination past its edges", 3, 2, sw, sh, 0, 0, false},
        {"clipped", 0, 0, sw, sh, 0, 0, true},
    };
    for (const DWORD rop : {SRCCOPY, SRCAND, SRCPAINT, SRCINVERT})
        for (const bool srcMono : {false, true})
            for (const bool dstMono : {false, true})
                for (const Geometry& g : geometries) {
                    SCOPED_TRACE(::testing::Message() << g.name << " rop " << std::hex << rop << std::dec
                                                      << (srcMono ? " mono" : " colour") << " to "
                                                      << (dstMono ? "mono" : "colour"));
                    std::vector<COLORREF> srcPx, dstPx;
                    for (int i = 0; i < sw * sh; ++i)
                        srcPx.push_back(srcMono ? ((i * 7) % 3 ? kWhite : kBlack) : palette[size_t(i * 5 % 6)]);
                    for (int i = 0; i < dw * dh; ++i)
                        dstPx.push_back(dstMono ? (i % 2 ? kWhite : kBlack) : palette[size_t((i * 5 + 3) % 6)]);
                    Picture src(sw, sh, srcPx, srcMono ? 1 : 32);
                    Picture dst(dw, dh, dstPx, dstMono ? 1 : 32);
                    src.dc.SetBkColor(srcBk);
                    dst.dc.SetTextColor(text);
                    dst.dc.SetBkColor(bk);
                    std::vector<COLORREF> before(size_t(dw * dh));
                    for (int i = 0; i < dw * dh; ++i)
                        before[size_t(i)] = dst.dc.GetPixel(i % dw, i / dw);
                    CRgn clip;
                    clip.CreateRectRgn(1, 1, 3, 4);
                    if (g.clip)
                        dst.dc.SelectClipRgn(&clip);
                    EXPECT_TRUE(dst.dc.BitBlt(g.x, g.y, g.w, g.h, &src.dc, g.srcX, g.srcY, rop));
                    dst.dc.SelectClipRgn(nullptr);
                    for (int y = 0; y < dh; ++y)
                        for (int x = 0; x < dw; ++x) {
                            const int sx = x - g.x + g.srcX, sy = y - g.y + g.srcY;
                            const bool covered = x >= g.x && x < g.x + g.w && y >= g.y && y < g.y + g.h &&
                                                 sx >= 0 && sx < sw && sy >= 0 && sy < sh &&
                                                 (!g.clip || (x >= 1 && x < 3 && y >= 1 && y < 4));
                            const COLORREF d0 = before[size_t(y * dw + x)];
                            const COLORREF want =
                                covered ? blitModel(rop, src.dc.GetPixel(sx, sy), d0, srcMono, dstMono, srcBk, text, bk)
                                        : d0;
                            EXPECT_EQ(dst.dc.GetPixel(x, y), want) << x << "," << y;
                        }
                }
}
