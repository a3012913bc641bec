#include "platform/win/Dc.h"
#include "platform/win/DcImpl.h"

#include "platform/win/Display.h"
#include "platform/win/Wnd.h"
#include "platform/win/WndImpl.h"

#include <QFontMetrics>
#include <QImage>
#include <QVariant>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

using win::detail::DibToImage;
using win::detail::ImageToDib;
using win::detail::MonoOf;
using namespace win::detail::dc;

// ---- Blits ----------------------------------------------------------------------------

BOOL CDC::blit(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth, int srcHeight,
               DWORD rop, std::optional<COLORREF> key, const BLENDFUNCTION* blend)
{
    if (m_target->info)
        return FALSE;
    const uint8_t code = uint8_t((rop >> 16) & 0xff);
    const bool needSource = key || blend || ropUsesSource(code);
    if (needSource && (!src || src->m_target->info))
        return FALSE;
    GUARD_TARGET();
    const QPoint d0 = toDevice(x, y), d1 = toDevice(x + width, y + height);
    const int dw = d1.x() - d0.x(), dh = d1.y() - d0.y();
    QPoint s0(0, 0), s1(0, 0);
    if (needSource) {
        s0 = src->toDevice(srcX, srcY);
        s1 = src->toDevice(srcX + srcWidth, srcY + srcHeight);
    }
    const int sw = s1.x() - s0.x(), sh = s1.y() - s0.y();
    // A negative extent runs back from its start pixel, which it includes.
    const int sLeft = sw < 0 ? s1.x() + 1 : s0.x(), sTop = sh < 0 ? s1.y() + 1 : s0.y();
    const int sW = std::abs(sw), sH = std::abs(sh);
    const QImage* sImg = nullptr;
    if (needSource) {
        src->touchTarget();
        sImg = src->sourceArea(QRect(sLeft, sTop, std::max(1, sW), std::max(1, sH)));
    }
    QImage* dImg = target();
    if (dw == 0 || dh == 0)
        return TRUE;
    if (needSource && (sw == 0 || sh == 0))
        return TRUE;
    const QRect dRect(dw < 0 ? d1.x() + 1 : d0.x(), dh < 0 ? d1.y() + 1 : d0.y(), std::abs(dw), std::abs(dh));
    const bool flipX = (dw < 0) != (sw < 0);
    const bool flipY = (dh < 0) != (sh < 0);
    const bool dMono = IsMonochrome();
    const bool sMono = needSource && src->IsMonochrome();
    const uint32_t textRaw = rawOf(m_state->text), bkRaw = rawOf(m_state->bk);
    const uint32_t srcBk = needSource ? rawOf(src->m_state->bk) : 0;
    uint32_t pat = m_state->brushHollow ? 0 : rawOf(m_state->brushColor);
    if (dMono)
        pat = MonoOf(pat) & 0x00ffffff;
    // Source columns and rows for each destination pixel (nearest pixel).
    std::vector<int> cols(size_t(dRect.width())), rows(size_t(dRect.height()));
    for (int i = 0; i < dRect.width(); ++i) {
        const int k = int((long long)(2 * i + 1) * sW / (2LL * dRect.width()));
        cols[size_t(i)] = sLeft + (flipX ? sW - 1 - k : k);
    }
    for (int j = 0; j < dRect.height(); ++j) {
        const int k = int((long long)(2 * j + 1) * sH / (2LL * dRect.height()));
        rows[size_t(j)] = sTop + (flipY ? sH - 1 - k : k);
    }
    const bool dAlpha = keepsAlpha(*dImg);
    const bool sAlpha = needSource && keepsAlpha(*sImg);
    const int sImgWidth = needSource ? sImg->width() : 0;
    const bool plainOp = code == 0xcc || code == 0x88 || code == 0xee || code == 0x66;
    if (plainOp && !key && !blend && sImg != dImg && sW == dRect.width() && sH == dRect.height() && !flipX &&
        !flipY) {
        // Same size, no flip, a source combined with the destination by copy, AND, OR or XOR:
        // line by line (paint buffers going to the screen, picture masks and the buttons that
        // draw through them). The same pixels as the general loop below.
        const uint32_t dFill = dAlpha ? 0 : 0xff000000u;
        const uint32_t monoWhite = kWhite | dFill, monoBlack = dFill;
        const uint32_t keepMask = !dAlpha || (code == 0xcc && !sAlpha) ? 0x00ffffffu : 0xffffffffu;
        // The source as the operation sees it.
        auto source = [&](uint32_t s) {
            if (!sAlpha)
                s &= 0x00ffffffu;
            if (sMono && !dMono)
                return (s & 0x00ffffffu) ? bkRaw : textRaw;
            if (!sMono && dMono)
                return (s & 0x00ffffffu) == srcBk ? kWhite : 0u;
            return s;
        };
        auto combine = [&](uint32_t* d, const uint32_t* s, int n, auto op) {
            for (int i = 0; i < n; ++i) {
                uint32_t v = op(source(s[i]), dAlpha ? d[i] : (d[i] & 0x00ffffffu)) & keepMask;
                if (dMono)
                    v = MonoOf(v) & 0x00ffffffu;
                d[i] = v | dFill;
            }
        };
        for (const QRect& part : clipFor(dRect)) {
            const int shift = sLeft - dRect.left();
            const int left = std::max(part.left(), -shift);
            const int right = std::min(part.right(), sImgWidth - 1 - shift);
            if (left > right)
                continue;
            for (int py = part.top(); py <= part.bottom(); ++py) {
                const int sy = sTop + (py - dRect.top());
                if (sy < 0 || sy >= sImg->height())
                    continue;
                uint32_t* d = reinterpret_cast<uint32_t*>(dImg->scanLine(py)) + left;
                const uint32_t* s = reinterpret_cast<const uint32_t*>(sImg->constScanLine(sy)) + left + shift;
                const int n = right - left + 1;
                if (code == 0xcc && !sMono) {
                    if (dMono)
                        for (int i = 0; i < n; ++i)
                            d[i] = (s[i] & 0x00ffffffu) == srcBk ? monoWhite : monoBlack;
                    else if (dAlpha && sAlpha)
                        std::memcpy(d, s, size_t(n) * sizeof(uint32_t));
                    else if (dAlpha)
                        for (int i = 0; i < n; ++i)
                            d[i] = s[i] & 0x00ffffffu;
                    else
                        for (int i = 0; i < n; ++i)
                            d[i] = s[i] | 0xff000000u;
                } else if (code == 0xcc) {
                    combine(d, s, n, [](uint32_t sv, uint32_t) { return sv; });
                } else if (code == 0x88) {
                    combine(d, s, n, [](uint32_t sv, uint32_t dv) { return sv & dv; });
                } else if (code == 0xee) {
                    combine(d, s, n, [](uint32_t sv, uint32_t dv) { return sv | dv; });
                } else {
                    combine(d, s, n, [](uint32_t sv, uint32_t dv) { return sv ^ dv; });
                }
            }
        }
        return TRUE;
    }
    for (const QRect& part : clipFor(dRect)) {
        for (int py = part.top(); py <= part.bottom(); ++py) {
            const int sy = rows[size_t(py - dRect.top())];
            // Whole lines are taken once: asking the image per pixel costs more than the drawing.
            uint32_t* dLine = reinterpret_cast<uint32_t*>(dImg->scanLine(py));
            const uint32_t* sLine = needSource && sy >= 0 && sy < sImg->height()
                                        ? reinterpret_cast<const uint32_t*>(sImg->constScanLine(sy))
                                        : nullptr;
            for (int px = part.left(); px <= part.right(); ++px) {
                uint32_t s = 0;
                if (needSource) {
                    const int sx = cols[size_t(px - dRect.left())];
                    if (!sLine || sx < 0 || sx >= sImgWidth)
                        continue;
                    s = sAlpha ? sLine[sx] : (sLine[sx] & 0x00ffffff);
                    if (key && (s & 0x00ffffff) == rawOf(*key))
                        continue;
                    // Monochrome to colour: 0 the text colour, 1 the background colour.
                    if (sMono && !dMono)
                        s = (s & 0x00ffffff) ? bkRaw : textRaw;
                    // Colour to monochrome: 1 where the source has its background colour.
                    else if (!sMono && dMono)
                        s = (s & 0x00ffffff) == srcBk ? kWhite : 0;
                }
                const uint32_t d = dAlpha ? dLine[px] : (dLine[px] & 0x00ffffff);
                uint32_t v;
                if (blend) {
                    const int sca = blend->SourceConstantAlpha;
                    auto ch = [](uint32_t c, int sh) { return int((c >> sh) & 0xff); };
                    if (blend->AlphaFormat & AC_SRC_ALPHA) {
                        const int sa = ch(s, 24) * sca / 255;
                        auto mix = [&](int sh) {
                            return std::min(255, (ch(s, sh) * sca + 127) / 255 + (ch(d, sh) * (255 - sa) + 127) / 255);
                        };
                        v = (uint32_t(mix(24)) << 24) | (uint32_t(mix(16)) << 16) | (uint32_t(mix(8)) << 8) | uint32_t(mix(0));
                    } else {
                        auto mix = [&](int sh) { return (ch(s, sh) * sca + ch(d, sh) * (255 - sca) + 127) / 255; };
                        v = (uint32_t(mix(24)) << 24) | (uint32_t(mix(16)) << 16) | (uint32_t(mix(8)) << 8) | uint32_t(mix(0));
                    }
                } else if (key) {
                    v = s;
                } else {
                    v = rop3(code, pat, s, d);
                    if (!dAlpha || (needSource && !sAlpha && code == 0xcc))
                        v &= 0x00ffffff;
                }
                if (dMono)
                    v = MonoOf(v) & 0x00ffffff;
                dLine[px] = dAlpha ? v : (v | 0xff000000);
            }
        }
    }
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, DWORD rop)
{
    return blit(x, y, width, height, src, srcX, srcY, width, height, rop, std::nullopt, nullptr);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                     int srcHeight, DWORD rop)
{
    return blit(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, rop, std::nullopt, nullptr);
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                         int srcHeight, UINT keyColor)
{
    if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return FALSE;
    return blit(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, SRCCOPY, COLORREF(keyColor), nullptr);
}

BOOL CDC::AlphaBlend(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                     int srcHeight, BLENDFUNCTION blend)
{
    if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return FALSE;
    return blit(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, SRCCOPY, std::nullopt, &blend);
}

BOOL CDC::MaskBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, CBitmap& mask, int maskX,
                  int maskY, DWORD rop)
{
    // Where the mask is 1 the foreground operation applies, elsewhere the background one.
    QImage* m = mask.image();
    if (!m)
        return BitBlt(x, y, width, height, src, srcX, srcY, rop & 0x00ffffff);
    const DWORD fore = (rop & 0x00ff0000) | 0x20;
    const DWORD back = ((rop >> 8) & 0x00ff0000) | 0x20;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const bool on = maskX + i < m->width() && maskY + j < m->height() &&
                            (m->pixel(maskX + i, maskY + j) & 0x00ffffff) != 0;
            blit(x + i, y + j, 1, 1, src, srcX + i, srcY + j, 1, 1, on ? fore : back, std::nullopt, nullptr);
        }
    return TRUE;
}

// ---- Icons ----------------------------------------------------------------------------

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    if (!icon)
        return FALSE;
    const QImage img = win::ImageOfIcon(icon);
    return DrawIconEx(x, y, icon, img.width(), img.height());
}

BOOL CDC::DrawIconEx(int x, int y, HICON icon, int cx, int cy)
{
    if (!icon || m_target->info)
        return FALSE;
    GUARD_TARGET();
    QImage img = win::ImageOfIcon(icon);
    if (cx > 0 && cy > 0 && (cx != img.width() || cy != img.height()))
        img = img.scaled(cx, cy);
    const QPoint p = toDevice(x, y);
    QImage* dImg = target();
    const bool mono = IsMonochrome();
    for (const QRect& part : clipFor(QRect(p, img.size())))
        for (int py = part.top(); py <= part.bottom(); ++py)
            for (int px = part.left(); px <= part.right(); ++px) {
                const QRgb c = img.pixel(px - p.x(), py - p.y());
                const int a = qAlpha(c);
                if (a == 0)
                    continue;
                const uint32_t d = readRaw(*dImg, px, py);
                auto mix = [&](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
                const uint32_t v = (uint32_t(mix(qRed(c), int((d >> 16) & 0xff))) << 16) |
                                   (uint32_t(mix(qGreen(c), int((d >> 8) & 0xff))) << 8) |
                                   uint32_t(mix(qBlue(c), int(d & 0xff)));
                writeRaw(*dImg, px, py, v, mono);
            }
    return TRUE;
}

namespace {

// The embossed disabled look: the picture's shape (every opaque pixel that is
// not white) in the highlight colour one pixel down and right, then in the
// shadow colour in place.
void drawDisabled(CDC* dc, CPoint pt, const QImage& img)
{
    auto shape = [&](int x, int y) {
        const QRgb c = img.pixel(x, y);
        return qAlpha(c) >= 128 && (c & 0x00ffffff) != 0x00ffffff;
    };
    const COLORREF hi = GetSysColor(COLOR_3DHILIGHT), sh = GetSysColor(COLOR_3DSHADOW);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (shape(x, y))
                dc->SetPixel(pt.x + x + 1, pt.y + y + 1, hi);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (shape(x, y))
                dc->SetPixel(pt.x + x, pt.y + y, sh);
}

} // namespace

BOOL CDC::DrawState(CPoint pt, CSize size, HICON icon, UINT flags, CBrush*)
{
    if (!icon)
        return FALSE;
    QImage img = win::ImageOfIcon(icon);
    if (size.cx > 0 && size.cy > 0 && (size.cx != img.width() || size.cy != img.height()))
        img = img.scaled(size.cx, size.cy);
    if (flags & DSS_DISABLED) {
        drawDisabled(this, pt, img);
        return TRUE;
    }
    return DrawIconEx(pt.x, pt.y, icon, img.width(), img.height());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, CBrush*)
{
    if (!bitmap)
        return FALSE;
    QImage img = *ImageOfBitmap(bitmap);
    if (size.cx > 0 && size.cy > 0 && (size.cx != img.width() || size.cy != img.height()))
        img = img.copy(0, 0, size.cx, size.cy);
    img = img.convertToFormat(QImage::Format_RGB32);
    if (flags & DSS_DISABLED) {
        drawDisabled(this, pt, img);
        return TRUE;
    }
    CDC mem;
    mem.CreateCompatibleDC(this);
    HBITMAP tmp = CreateBitmapHandle(img);
    mem.SelectBitmap(tmp);
    BitBlt(pt.x, pt.y, img.width(), img.height(), &mem, 0, 0, SRCCOPY);
    mem.SelectBitmap(nullptr);
    DeleteObject(tmp);
    return TRUE;
}
