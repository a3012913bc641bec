#pragma once
// What the drawing files of the device context share: its state and target
// and the pixel and raster-operation helpers.
#include "platform/win/Dc.h"
#include "platform/win/GdiImpl.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace win::detail::dc {

inline constexpr uint32_t kWhite = 0x00ffffff;

inline uint32_t rawOf(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | uint32_t(GetBValue(c)); }
inline COLORREF colorOf(uint32_t raw) { return RGB(int((raw >> 16) & 0xff), int((raw >> 8) & 0xff), int(raw & 0xff)); }
inline QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// A 32-bit DIB keeps its alpha byte; other surfaces have none to read.
inline bool keepsAlpha(const QImage& img) { return img.format() == QImage::Format_ARGB32; }

inline uint32_t readRaw(const QImage& img, int x, int y)
{
    const uint32_t v = reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x];
    return keepsAlpha(img) ? v : (v & 0x00ffffff);
}

inline void writeRaw(QImage& img, int x, int y, uint32_t v, bool mono)
{
    if (mono)
        v = MonoOf(v) & 0x00ffffff;
    if (!keepsAlpha(img))
        v |= 0xff000000;
    reinterpret_cast<uint32_t*>(img.scanLine(y))[x] = v;
}

// A new image (pixels not set) of 32 bits per pixel; a large one reuses the
// memory of one gone before rather than memory fresh from the system.
QImage NewImage(int width, int height, QImage::Format format);

// The result of a ternary raster operation, bit by bit over 32 bits.
inline uint32_t rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d)
{
    switch (code) {
    case 0xcc: return s;
    case 0x88: return s & d;
    case 0xee: return s | d;
    case 0x66: return s ^ d;
    case 0x55: return ~d;
    case 0xc0: return s & p;
    case 0xf0: return p;
    case 0x00: return 0;
    case 0xff: return 0xffffffff;
    default: break;
    }
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1))
            continue;
        const uint32_t pp = (i & 4) ? p : ~p;
        const uint32_t ss = (i & 2) ? s : ~s;
        const uint32_t dd = (i & 1) ? d : ~d;
        r |= pp & ss & dd;
    }
    return r;
}

inline bool ropUsesSource(uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }

inline uint32_t rop2(int mode, uint32_t pen, uint32_t d)
{
    switch (mode) {
    case R2_BLACK: return 0;
    case R2_NOT: return ~d;
    case R2_XORPEN: return pen ^ d;
    case R2_WHITE: return kWhite;
    default: return pen;
    }
}

// Dash patterns of cosmetic pens: lengths of dash and gap, alternating.
inline const std::vector<int>& dashPattern(int style)
{
    static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return none;
    }
}

} // namespace win::detail::dc

// The device context's state and the surface it draws on.
struct CDC::State {
    CPen* pen = nullptr;
    CBrush* brush = nullptr;
    CFont* font = nullptr;
    HBITMAP bitmap = nullptr;
    int penStyle = PS_SOLID;
    int penWidth = 1;
    COLORREF penColor = 0;
    bool brushHollow = false;
    COLORREF brushColor = RGB(255, 255, 255);
    std::shared_ptr<QFont> qfont;
    LOGFONT logFont;
    COLORREF text = 0;
    COLORREF bk = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFill = ALTERNATE;
    UINT textAlign = TA_LEFT | TA_TOP;
    CPoint pos;
    std::optional<QRegion> clip; // device coordinates
    int mapMode = MM_TEXT;
    QPoint windowOrg, viewportOrg;
    QSize windowExt{1, 1}, viewportExt{1, 1};
    int justifyExtra = 0;
    int justifyBreaks = 0;
};

struct CDC::Target {
    enum Kind { Scratch, Memory, Widget, Client } kind = Scratch;
    QImage own;
    QImage before;       // a client DC's pixels as it found them
    bool loaded = false; // a client DC reads them when first drawn on or read
    QRect area;          // a client DC copied from only: the pixels read so far (empty: all)
    QWidget* widget = nullptr;
    bool info = false;
};

namespace win::detail::dc {

// Brings a DIB section's pixels in before an operation and back out after it.
struct TargetGuard {
    std::function<void()> done;
    ~TargetGuard() { done(); }
};

} // namespace win::detail::dc

#define GUARD_TARGET()      \
    touchTarget();          \
    win::detail::dc::TargetGuard guard_{[this] { doneTarget(); }}
