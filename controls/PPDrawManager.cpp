#include "controls/PPDrawManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

// A 32-bit bottom-up DIB section with its memory DC.
struct Surface {
    CDC dc;
    HBITMAP bitmap = nullptr;
    HBITMAP old = nullptr;
    DWORD* bits = nullptr;
    int cx = 0, cy = 0;
    Surface(CDC* like, int w, int h) : cx(w), cy(h)
    {
        if (w <= 0 || h <= 0 || !dc.CreateCompatibleDC(like))
            return;
        BITMAPINFO info;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;
        info.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        bitmap = CreateDIBSection(like, &info, DIB_RGB_COLORS, &p);
        if (!bitmap)
            return;
        bits = static_cast<DWORD*>(p);
        old = dc.SelectBitmap(bitmap);
    }
    ~Surface()
    {
        if (bitmap) {
            dc.SelectBitmap(old);
            ::DeleteObject(bitmap);
        }
    }
    bool ok() const { return bits != nullptr; }
    // Row y counted from the top.
    DWORD* row(int y) { return bits + size_t(cy - 1 - y) * size_t(cx); }
    // Gives the bitmap to the caller.
    HBITMAP release()
    {
        dc.SelectBitmap(old);
        HBITMAP b = bitmap;
        bitmap = nullptr;
        return b;
    }
};

DWORD swapRB(COLORREF c) { return DWORD(GetBValue(c)) | DWORD(GetGValue(c)) << 8 | DWORD(GetRValue(c)) << 16; }

BYTE channel(double v) { return BYTE(std::clamp(int(v), 0, 255)); }

DWORD pixel(int r, int g, int b) { return DWORD(b & 0xff) | DWORD(g & 0xff) << 8 | DWORD(r & 0xff) << 16; }

// Copies a bitmap into a surface of its size; a 32-bit DIB section of the same
// size keeps its alpha bytes.
bool copyInto(Surface& s, HBITMAP bitmap)
{
    BITMAP bm;
    if (!GetObject(bitmap, sizeof bm, &bm))
        return false;
    if (bm.bmBits && bm.bmBitsPixel == 32 && bm.bmWidth == s.cx && std::abs(bm.bmHeight) == s.cy) {
        std::memcpy(s.bits, bm.bmBits, size_t(s.cx) * size_t(s.cy) * 4);
        return true;
    }
    CDC src;
    if (!src.CreateCompatibleDC(&s.dc))
        return false;
    const HBITMAP old = src.SelectBitmap(bitmap);
    s.dc.StretchBlt(0, 0, s.cx, s.cy, &src, 0, 0, bm.bmWidth, std::abs(bm.bmHeight), SRCCOPY);
    src.SelectBitmap(old);
    return true;
}

int randomDraw()
{
    static std::minstd_rand gen(std::random_device{}());
    return int(gen() % 32768);
}

} // namespace

void CPPDrawManager::GetIconSize(HICON icon, SIZE* size)
{
    *size = SIZE{0, 0};
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return;
    size->cx = LONG(info.xHotspot * 2);
    size->cy = LONG(info.yHotspot * 2);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
}

void CPPDrawManager::GetBitmapSize(HBITMAP bitmap, SIZE* size)
{
    *size = SIZE{0, 0};
    BITMAP bm;
    if (bitmap && GetObject(bitmap, sizeof bm, &bm)) {
        size->cx = bm.bmWidth;
        size->cy = std::abs(bm.bmHeight);
    }
}

DWORD CPPDrawManager::GreyColor(DWORD p)
{
    const int g = int(0.299 * ((p >> 16) & 0xff) + 0.587 * ((p >> 8) & 0xff) + 0.114 * (p & 0xff));
    return (p & 0xff000000) | pixel(g, g, g);
}

DWORD CPPDrawManager::InvertColor(DWORD p)
{
    return (p & 0xff000000) | pixel(255 - int((p >> 16) & 0xff), 255 - int((p >> 8) & 0xff), 255 - int(p & 0xff));
}

DWORD CPPDrawManager::DarkenColor(DWORD p, double f)
{
    if (f < 0 || f >= 1)
        return p;
    return (p & 0xff000000) | pixel(int(((p >> 16) & 0xff) * f), int(((p >> 8) & 0xff) * f), int((p & 0xff) * f));
}

DWORD CPPDrawManager::LightenColor(DWORD p, double f)
{
    if (f <= 0 || f > 1)
        return p;
    auto up = [f](DWORD c) { return std::min(255, int(c * (1 + f))); };
    return (p & 0xff000000) | pixel(up((p >> 16) & 0xff), up((p >> 8) & 0xff), up(p & 0xff));
}

DWORD CPPDrawManager::MixColors(DWORD a, double fa, DWORD b, double fb)
{
    auto mix = [&](int shift) { return channel(((a >> shift) & 0xff) * fa + ((b >> shift) & 0xff) * fb); };
    return pixel(mix(16), mix(8), mix(0));
}

void CPPDrawManager::BlendBlt(CDC* dst, int x, int y, int cx, int cy, CDC* src, int sx, int sy, int percent)
{
    if (percent >= 100) {
        dst->BitBlt(x, y, cx, cy, src, sx, sy, SRCCOPY);
        return;
    }
    Surface s(dst, cx, cy), d(dst, cx, cy);
    if (!s.ok() || !d.ok())
        return;
    s.dc.BitBlt(0, 0, cx, cy, src, sx, sy, SRCCOPY);
    d.dc.BitBlt(0, 0, cx, cy, dst, x, y, SRCCOPY);
    const double f = std::max(0, percent) / 100.0;
    for (int i = 0; i < cx * cy; ++i)
        d.bits[i] = MixColors(s.bits[i], f, d.bits[i], 1 - f);
    dst->BitBlt(x, y, cx, cy, &d.dc, 0, 0, SRCCOPY);
}

void CPPDrawManager::AlphaChannelBlt(CDC* dst, int x, int y, int cx, int cy, CDC* src, int sx, int sy)
{
    Surface s(dst, cx, cy), d(dst, cx, cy);
    if (!s.ok() || !d.ok())
        return;
    // The source's alpha bytes survive only when read from its DIB section.
    CBitmap* current = src->GetCurrentBitmap();
    BITMAP bm;
    if (current && GetObject(current->GetSafeHandle(), sizeof bm, &bm) && bm.bmBits && bm.bmBitsPixel == 32) {
        const int h = std::abs(bm.bmHeight);
        const auto* sb = static_cast<const DWORD*>(bm.bmBits);
        for (int row = 0; row < cy; ++row)
            for (int col = 0; col < cx; ++col) {
                const int px = sx + col, py = sy + row;
                s.row(row)[col] = px >= 0 && py >= 0 && px < bm.bmWidth && py < h
                                      ? sb[size_t(h - 1 - py) * size_t(bm.bmWidth) + size_t(px)]
                                      : 0;
            }
    } else {
        s.dc.BitBlt(0, 0, cx, cy, src, sx, sy, SRCCOPY);
    }
    d.dc.BitBlt(0, 0, cx, cy, dst, x, y, SRCCOPY);
    for (int i = 0; i < cx * cy; ++i) {
        const double a = (s.bits[i] >> 24) / 255.0;
        d.bits[i] = MixColors(s.bits[i], a, d.bits[i], 1 - a);
    }
    dst->BitBlt(x, y, cx, cy, &d.dc, 0, 0, SRCCOPY);
}

HBITMAP CPPDrawManager::ApplyImageEffect(HBITMAP bitmap, int cx, int cy, DWORD effect, bool useMask, COLORREF mask,
                                         COLORREF color)
{
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    Surface s(&screen, cx, cy);
    if (!bitmap || !s.ok() || !copyInto(s, bitmap))
        return nullptr;
    const DWORD maskPixel = swapRB(mask);
    const DWORD colorPixel = swapRB(color);
    for (int i = 0; i < cx * cy; ++i) {
        DWORD c = s.bits[i];
        const DWORD top = c & 0xff000000;
        if (top)
            m_alphaSeen = 1;
        if (useMask && c == maskPixel) {
            c = 0;
        } else {
            if (effect & IMAGE_EFFECT_GRAYEN)
                c = GreyColor(c);
            if (effect & IMAGE_EFFECT_DARKEN)
                c = DarkenColor(c, 0.75);
            if (effect & IMAGE_EFFECT_LIGHTEN)
                c = LightenColor(c, 0.25);
            if (effect & IMAGE_EFFECT_MONOCHROME)
                c = colorPixel;
        }
        if (effect & IMAGE_EFFECT_INVERSE)
            c = InvertColor(c);
        s.bits[i] = (c & 0x00ffffff) | top;
    }
    return s.release();
}

HICON CPPDrawManager::StretchIcon(HICON icon, int width, int height)
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return nullptr;
    HICON result = nullptr;
    CDC src, dst;
    if (src.CreateCompatibleDC(nullptr) && dst.CreateCompatibleDC(nullptr)) {
        const int w = int(info.xHotspot * 2), h = int(info.yHotspot * 2);
        CBitmap color, mask;
        color.CreateCompatibleBitmap(&dst, width, height);
        mask.CreateCompatibleBitmap(&dst, width, height);
        HBITMAP oldSrc = src.SelectBitmap(info.hbmColor);
        CBitmap* oldDst = dst.SelectObject(&color);
        dst.StretchBlt(0, 0, width, height, &src, 0, 0, w, h, SRCCOPY);
        src.SelectBitmap(info.hbmMask);
        dst.SelectObject(&mask);
        dst.StretchBlt(0, 0, width, height, &src, 0, 0, w, h, SRCCOPY);
        src.SelectBitmap(oldSrc);
        dst.SelectObject(oldDst);
        ICONINFO made;
        made.hbmMask = mask.GetSafeHandle();
        made.hbmColor = color.GetSafeHandle();
        result = CreateIconIndirect(&made);
    }
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return result;
}

void CPPDrawManager::FillGradient(CDC* dc, const RECT& r, COLORREF from, COLORREF to, bool horizontal)
{
    const int start = horizontal ? r.left : r.top;
    const int length = horizontal ? r.right - r.left : r.bottom - r.top;
    for (int i = 0; i < 64; ++i) {
        const int a = start + i * length / 64, b = start + (i + 1) * length / 64;
        if (a == b)
            continue;
        auto ch = [i](int f, int t) { return (f * (64 - i) + t * i) >> 6; };
        CBrush brush(RGB(ch(GetRValue(from), GetRValue(to)), ch(GetGValue(from), GetGValue(to)),
                         ch(GetBValue(from), GetBValue(to))));
        const CRect band = horizontal ? CRect(a, r.top, b, r.bottom) : CRect(r.left, a, r.right, b);
        dc->FillRect(&band, &brush);
    }
}

void CPPDrawManager::FillEffect(CDC* dc, int effect, const RECT& rect, COLORREF begin, COLORREF middle,
                                COLORREF end, BYTE granularity, BYTE highlight)
{
    const CRect r(rect);
    const int hw = r.Width() / 2, hh = r.Height() / 2;
    switch (effect) {
    case EFFECT_HGRADIENT: FillGradient(dc, r, begin, end, true); break;
    case EFFECT_VGRADIENT: FillGradient(dc, r, begin, end, false); break;
    case EFFECT_HCGRADIENT:
        FillGradient(dc, CRect(r.left, r.top, r.left + hw, r.bottom), begin, end, true);
        FillGradient(dc, CRect(r.left + hw, r.top, r.right, r.bottom), end, begin, true);
        break;
    case EFFECT_VCGRADIENT:
        FillGradient(dc, CRect(r.left, r.top, r.right, r.top + hh), begin, end, false);
        FillGradient(dc, CRect(r.left, r.top + hh, r.right, r.bottom), end, begin, false);
        break;
    case EFFECT_3HGRADIENT:
        FillGradient(dc, CRect(r.left, r.top, r.left + hw, r.bottom), begin, middle, true);
        FillGradient(dc, CRect(r.left + hw, r.top, r.right, r.bottom), middle, end, true);
        break;
    case EFFECT_3VGRADIENT:
        FillGradient(dc, CRect(r.left, r.top, r.right, r.top + hh), begin, middle, false);
        FillGradient(dc, CRect(r.left, r.top + hh, r.right, r.bottom), middle, end, false);
        break;
    case EFFECT_NOISE:
    case EFFECT_DIAGSHADE:
    case EFFECT_HSHADE:
    case EFFECT_VSHADE:
    case EFFECT_HBUMP:
    case EFFECT_VBUMP:
    case EFFECT_SOFTBUMP:
    case EFFECT_HARDBUMP:
    case EFFECT_METAL:
        if (FillPattern(dc, effect, CRect(0, 0, r.Width(), r.Height()), begin, middle, end, granularity, highlight)) {
            m_texture.Draw(dc, r.left, r.top);
        } else if (!r.IsRectEmpty()) {
            CBrush brush(begin);
            dc->FillRect(&r, &brush);
        }
        break;
    default: {
        CBrush brush(begin);
        dc->FillRect(&r, &brush);
        break;
    }
    }
}

bool CPPDrawManager::FillPattern(CDC*, int effect, const RECT& rect, COLORREF begin, COLORREF middle,
                                 COLORREF end, BYTE granularity, BYTE highlight)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int g = granularity;
    // Sizes the formulas cannot divide by are filled solid.
    const bool tooSmall = w <= 0 || h <= 0 || w > 32767 || h > 32767 ||
                          (effect == EFFECT_HARDBUMP && (w < 6 || h < 2));
    if (tooSmall || !m_texture.Create(w, h, 8)) {
        m_texture.Free();
        return false;
    }
    for (int i = 0; i <= 128; ++i)
        m_texture.SetPaletteIndex(BYTE(i), BYTE(((128 - i) * GetRValue(end) + i * GetRValue(middle)) / 128),
                                  BYTE(((128 - i) * GetGValue(end) + i * GetGValue(middle)) / 128),
                                  BYTE(((128 - i) * GetBValue(end) + i * GetBValue(middle)) / 128));
    for (int i = 1; i <= 128; ++i)
        m_texture.SetPaletteIndex(BYTE(127 + i), BYTE(((128 - i) * GetRValue(middle) + i * GetRValue(begin)) / 128),
                                  BYTE(((128 - i) * GetGValue(middle) + i * GetGValue(begin)) / 128),
                                  BYTE(((128 - i) * GetBValue(middle) + i * GetBValue(begin)) / 128));
    m_texture.BlendPalette(begin, highlight);

    BYTE* bits = m_texture.GetBits();
    const DWORD stride = m_texture.GetLineWidth();
    const int noiseDiv = 32767 / (g == 0 ? 1 : g * 2);
    auto noise = [&] { return randomDraw() / noiseDiv - g; };
    auto at = [&](int x, int y) -> BYTE& { return bits[size_t(y) * stride + size_t(x)]; };
    const int d = (255 - 2 * g) / 2;
    auto cube = [](int t) { return t * t * t / 16384; };
    switch (effect) {
    case EFFECT_NOISE:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                at(x, y) = BYTE(128 + noise());
        break;
    case EFFECT_DIAGSHADE:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                at(x, y) = BYTE((d * y) / h + g + ((w - x) * d) / w + noise());
        break;
    case EFFECT_HSHADE:
        for (int y = 0; y < h; ++y) {
            const int v = ((255 - 2 * g) * y) / h + g;
            for (int x = 0; x < w; ++x)
                at(x, y) = BYTE(v + noise());
        }
        break;
    case EFFECT_VSHADE:
        for (int x = 0; x < w; ++x) {
            const int v = ((w - x) * (255 - 2 * g)) / w + g;
            for (int y = 0; y < h; ++y)
                at(x, y) = BYTE(v + noise());
        }
        break;
    case EFFECT_HBUMP:
        for (int y = 0; y < h; ++y) {
            const int v = ((128 - g) * cube((y * 255) / h - 127)) / 128 + 128;
            for (int x = 0; x < w; ++x)
                at(x, y) = BYTE(v + noise());
        }
        break;
    case EFFECT_VBUMP:
        for (int x = 0; x < w; ++x) {
            const int v = ((128 - g) * cube(((w - x) * 255) / w - 127)) / 128 + 128;
            for (int y = 0; y < h; ++y)
                at(x, y) = BYTE(v + noise());
        }
        break;
    case EFFECT_SOFTBUMP:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int ty = (y * 255) / h - 127, tx = ((w - x) * 255) / w - 127;
                int v = ((128 - g) * (cube(ty) + cube(tx))) / 128 + 128;
                v = std::clamp(v, g, 255 - g);
                at(x, y) = BYTE(v + noise());
            }
        break;
    case EFFECT_HARDBUMP: {
        for (int y = 0; y < h; ++y) {
            const int v = ((128 - 2 * g) * cube((y * 255) / h - 127)) / 128 + 128;
            for (int x = 0; x < w; ++x)
                at(x, y) = BYTE(v + noise());
        }
        const int k = std::min(w / 6, 16);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int dy = y - h / 2, dx = x - w / 2;
                const int e = (w / 2 - k) + (dy * dy * k) / std::max(1, h * h / 4);
                if (dx > e)
                    at(x, y) = BYTE(g + ((w - x) * 128) / k);
                if (dx + e < 0)
                    at(x, y) = BYTE((255 - g) - (x * 128) / k);
                at(x, y) = BYTE(at(x, y) + noise());
            }
        break;
    }
    case EFFECT_METAL: {
        m_texture.Clear(0);
        const int dw = std::max(1, 32767 / w), dh = std::max(1, 32767 / h), dm = std::max(1, 32767 / std::min(w, h));
        for (int n = 0; n < 200; ++n) {
            const int x0 = randomDraw() / dw, y0 = randomDraw() / dh, len = randomDraw() / dm;
            const BYTE c = BYTE(randomDraw() / 819);
            for (int j = 0; j < len / 2; ++j) {
                if (x0 - j > 0 && y0 + j < h)
                    m_texture.SetPixelIndex(DWORD(x0 - j), DWORD(y0 + j), c);
                if (x0 + j < w && y0 - j > 0)
                    m_texture.SetPixelIndex(DWORD(w - x0 + j), DWORD(y0 - j), c);
            }
        }
        const int dd = (255 - 2 * g - 40) / 2;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                at(x, y) = BYTE(at(x, y) + (dd * y) / h + ((w - x) * dd) / w + randomDraw() / noiseDiv);
        break;
    }
    default: break;
    }
    return true;
}

void CPPDrawManager::TileBlt(CDC* dst, int x, int y, int cx, int cy, CDC* src, int sx, int sy, int tileCx, int tileCy)
{
    if (tileCx <= 0 || tileCy <= 0)
        return;
    for (int tx = 0; tx < cx; tx += tileCx)
        for (int ty = 0; ty < cy; ty += tileCy)
            dst->BitBlt(x + tx, y + ty, std::min(tileCx, cx - tx), std::min(tileCy, cy - ty), src, sx, sy, SRCCOPY);
}

void CPPDrawManager::DrawBitmap(CDC* dc, int x, int y, int cx, int cy, HBITMAP bitmap, bool useMask,
                                COLORREF mask, DWORD effect, bool shadow, int dx, int dy, int depthX, int depthY,
                                COLORREF color)
{
    m_alphaSeen = 0;
    if (!bitmap || cx <= 0 || cy <= 0)
        return;
    HBITMAP maskBmp = ApplyImageEffect(bitmap, cx, cy, IMAGE_EFFECT_MONOCHROME | IMAGE_EFFECT_INVERSE, useMask, mask,
                                       RGB(255, 255, 255));
    HBITMAP image = ApplyImageEffect(bitmap, cx, cy, effect, useMask, mask, color);
    if (maskBmp && image) {
        int px = x, py = y;
        if (shadow) {
            if (effect & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_BLUR_SHADOW)) {
                const COLORREF inverted = RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
                if (HBITMAP sh = ApplyImageEffect(bitmap, cx, cy, IMAGE_EFFECT_MONOCHROME | IMAGE_EFFECT_INVERSE,
                                                  useMask, mask, inverted)) {
                    DrawShadow(dc, x + dx, y + dy, cx, cy, sh, (effect & IMAGE_EFFECT_BLUR_SHADOW) != 0, depthX,
                               depthY);
                    ::DeleteObject(sh);
                }
            } else {
                px += dx;
                py += dy;
            }
        }
        CDC mem;
        if (mem.CreateCompatibleDC(dc)) {
            const HBITMAP old = mem.SelectBitmap(image);
            if (m_alphaSeen) {
                AlphaChannelBlt(dc, px, py, cx, cy, &mem, 0, 0);
            } else {
                mem.SelectBitmap(maskBmp);
                dc->BitBlt(px, py, cx, cy, &mem, 0, 0, SRCAND);
                mem.SelectBitmap(image);
                dc->BitBlt(px, py, cx, cy, &mem, 0, 0, SRCPAINT);
            }
            mem.SelectBitmap(old);
        }
    }
    if (maskBmp)
        ::DeleteObject(maskBmp);
    if (image)
        ::DeleteObject(image);
}

void CPPDrawManager::DrawIcon(CDC* dc, int x, int y, int cx, int cy, HICON icon, DWORD effect, bool shadow, int dx,
                              int dy, int depthX, int depthY, COLORREF color)
{
    m_alphaSeen = 0;
    if (!icon || cx <= 0 || cy <= 0)
        return;
    SIZE size;
    GetIconSize(icon, &size);
    HICON copy = size.cx == cx && size.cy == cy ? CopyIcon(icon) : StretchIcon(icon, cx, cy);
    ICONINFO info;
    if (!copy || !GetIconInfo(copy, &info)) {
        if (copy)
            DestroyIcon(copy);
        return;
    }
    HBITMAP image = (effect & IMAGE_EFFECT_MONOCHROME)
                        ? ApplyImageEffect(info.hbmMask, cx, cy, effect, true, RGB(255, 255, 255), color)
                        : ApplyImageEffect(info.hbmColor, cx, cy, effect, true, RGB(0, 0, 0), color);
    if (image) {
        int px = x, py = y;
        if (shadow) {
            if (effect & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_BLUR_SHADOW))
                DrawShadow(dc, x + dx, y + dy, cx, cy, info.hbmMask, (effect & IMAGE_EFFECT_BLUR_SHADOW) != 0, depthX,
                           depthY);
            else
                px += dx, py += dy;
        }
        CDC mem;
        if (mem.CreateCompatibleDC(dc)) {
            const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
            const HBITMAP old = mem.SelectBitmap(info.hbmMask);
            dc->BitBlt(px, py, cx, cy, &mem, 0, 0, SRCAND);
            mem.SelectBitmap(image);
            dc->BitBlt(px, py, cx, cy, &mem, 0, 0, SRCPAINT);
            mem.SelectBitmap(old);
            dc->SetTextColor(oldText);
        }
        ::DeleteObject(image);
    }
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    DestroyIcon(copy);
}

void CPPDrawManager::DrawImageListItem(CDC* dc, int x, int y, int cx, int cy, HBITMAP strip, int index, int itemCx,
                                       int itemCy, bool useMask, COLORREF mask, DWORD effect, bool shadow, int dx,
                                       int dy, int depthX, int depthY, COLORREF color)
{
    SIZE size;
    GetBitmapSize(strip, &size);
    if (!strip || itemCx <= 0 || itemCy <= 0)
        return;
    const int cols = size.cx / itemCx, rows = size.cy / itemCy;
    if (cols <= 0 || rows <= 0 || index < 0 || index >= cols * rows)
        return;
    CDC src, item;
    if (!src.CreateCompatibleDC(dc) || !item.CreateCompatibleDC(dc))
        return;
    CBitmap bmp;
    if (!bmp.CreateCompatibleBitmap(dc, itemCx, itemCy))
        return;
    const HBITMAP oldSrc = src.SelectBitmap(strip);
    CBitmap* oldItem = item.SelectObject(&bmp);
    item.BitBlt(0, 0, itemCx, itemCy, &src, (index % cols) * itemCx, (index / cols) * itemCy, SRCCOPY);
    item.SelectObject(oldItem);
    src.SelectBitmap(oldSrc);
    DrawBitmap(dc, x, y, cx, cy, bmp.GetSafeHandle(), useMask, mask, effect, shadow, dx, dy, depthX, depthY, color);
}

std::vector<double> CPPDrawManager::BlurMask(const DWORD* px, int cx, int cy, int dX, int dY)
{
    // Padded picture: outside counts as 255.
    const int pw = cx + dX - 1, ph = cy + dY - 1, ox = dX / 2, oy = dY / 2;
    std::vector<long> pad(size_t(pw) * size_t(ph), 255);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pad[size_t(y + oy) * size_t(pw) + size_t(x + ox)] = long(px[size_t(y) * size_t(cx) + size_t(x)] & 0xff);
    // Running sums along the rows, then down the columns of those sums.
    std::vector<long> rowSums(size_t(cx) * size_t(ph));
    for (int y = 0; y < ph; ++y) {
        long s = 0;
        for (int x = 0; x < dX; ++x)
            s += pad[size_t(y) * size_t(pw) + size_t(x)];
        for (int x = 0; x < cx; ++x) {
            rowSums[size_t(y) * size_t(cx) + size_t(x)] = s;
            if (x + dX < pw)
                s += pad[size_t(y) * size_t(pw) + size_t(x + dX)] - pad[size_t(y) * size_t(pw) + size_t(x)];
        }
    }
    std::vector<double> out(size_t(cx) * size_t(cy));
    const double div = double(dX) * dY * 255;
    for (int x = 0; x < cx; ++x) {
        long s = 0;
        for (int y = 0; y < dY; ++y)
            s += rowSums[size_t(y) * size_t(cx) + size_t(x)];
        for (int y = 0; y < cy; ++y) {
            out[size_t(y) * size_t(cx) + size_t(x)] = s / div;
            if (y + dY < ph)
                s += rowSums[size_t(y + dY) * size_t(cx) + size_t(x)] - rowSums[size_t(y) * size_t(cx) + size_t(x)];
        }
    }
    return out;
}

void CPPDrawManager::DrawShadow(CDC* dc, int x, int y, int cx, int cy, HBITMAP mask, bool blurred, int dX, int dY)
{
    Surface m(dc, cx, cy), d(dc, cx, cy);
    if (!mask || !m.ok() || !d.ok())
        return;
    CDC src;
    if (!src.CreateCompatibleDC(dc))
        return;
    BITMAP bm;
    GetObject(mask, sizeof bm, &bm);
    const HBITMAP old = src.SelectBitmap(mask);
    if (blurred) {
        m.dc.PatBlt(0, 0, cx, cy, WHITENESS);
        dX += dX % 2 == 0;
        dY += dY % 2 == 0;
        m.dc.StretchBlt(dX / 2, dY / 2, cx - dX, cy - dY, &src, 0, 0, bm.bmWidth, std::abs(bm.bmHeight), SRCCOPY);
    } else {
        m.dc.BitBlt(0, 0, cx, cy, &src, 0, 0, SRCCOPY);
    }
    src.SelectBitmap(old);
    d.dc.BitBlt(0, 0, cx, cy, dc, x, y, SRCCOPY);
    // Rows of both surfaces run alike, so the factors line up pixel by pixel.
    std::vector<double> factors;
    if (blurred && dX > 0 && dY > 0)
        factors = BlurMask(m.bits, cx, cy, dX, dY);
    for (int i = 0; i < cx * cy; ++i) {
        const double f = factors.empty() ? (m.bits[i] & 0xff) / 255.0 : factors[size_t(i)];
        d.bits[i] = DarkenColor(d.bits[i], f);
    }
    dc->BitBlt(x, y, cx, cy, &d.dc, 0, 0, SRCCOPY);
}

namespace {
int penStyle(int style)
{
    switch (style) {
    case CPPDrawManager::PEN_DASH: return PS_DASH;
    case CPPDrawManager::PEN_DOT: return PS_DOT;
    case CPPDrawManager::PEN_DASHDOT: return PS_DASHDOT;
    case CPPDrawManager::PEN_DASHDOTDOT: return PS_DASHDOTDOT;
    default: return PS_SOLID;
    }
}
} // namespace

void CPPDrawManager::DrawRectangle(CDC* dc, int left, int top, int right, int bottom, COLORREF topLeft,
                                   COLORREF bottomRight, int style, int width)
{
    if (style == PEN_NULL || width <= 0)
        return;
    const int half = width / 2;
    const int x1 = left + half, y1 = top + half, x2 = right - half, y2 = bottom - half;
    const int w2 = 2 * width;
    CPen first(penStyle(style), width, topLeft);
    CPen* old = dc->SelectObject(&first);
    const POINT a[] = {{x1, y2}, {x1, y1}, {x2, y1}};
    dc->Polyline(a, 3);
    if (style == PEN_DOUBLE) {
        const POINT b[] = {{x1 + w2, y2 - w2}, {x1 + w2, y1 + w2}, {x2 - w2, y1 + w2}};
        dc->Polyline(b, 3);
    }
    CPen second;
    if (topLeft != bottomRight) {
        second.CreatePen(penStyle(style), width, bottomRight);
        dc->SelectObject(&second);
    }
    const POINT c[] = {{x2, y1}, {x2, y2}, {x1, y2}};
    dc->Polyline(c, 3);
    if (style == PEN_DOUBLE) {
        const POINT d[] = {{x2 - w2, y1 + w2}, {x2 - w2, y2 - w2}, {x1 + w2, y2 - w2}};
        dc->Polyline(d, 3);
    }
    dc->SelectObject(old);
}

void CPPDrawManager::DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color, int style, int width)
{
    if (style == PEN_NULL || width <= 0)
        return;
    CPen pen(penStyle(style), width, color);
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
    if (style == PEN_DOUBLE) {
        const int w2 = 2 * width;
        const bool vertical = x1 == x2, horizontal = y1 == y2;
        if (!vertical) {
            y1 += w2;
            y2 += w2;
        }
        if (horizontal) {
            dc->MoveTo(x1, y1);
            dc->LineTo(x2, y2);
        } else {
            dc->MoveTo(x1 + w2, y1);
            dc->LineTo(x2 + w2, y2);
        }
    }
    dc->SelectObject(old);
}
