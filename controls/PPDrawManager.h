#pragma once
// Drawing beyond plain GDI for the tooltip window and its markup drawer:
// background fills by effect number (solid, gradients, textures), bitmaps and
// icons with transparency, colour effects and drop shadows, blends with a
// constant or per-pixel opacity, and framed rectangles and lines in several
// border styles. All per-pixel work runs on 32-bit DIB section memory.
#include "controls/CeXDib.h"
#include "platform/win/Dc.h"

// Image effects
constexpr DWORD IMAGE_EFFECT_GRAYEN = 0x0001;
constexpr DWORD IMAGE_EFFECT_DARKEN = 0x0002;
constexpr DWORD IMAGE_EFFECT_LIGHTEN = 0x0004;
constexpr DWORD IMAGE_EFFECT_MONOCHROME = 0x0008;
constexpr DWORD IMAGE_EFFECT_SHADOW = 0x0100;
constexpr DWORD IMAGE_EFFECT_BLUR_SHADOW = 0x0200;
constexpr DWORD IMAGE_EFFECT_INVERSE = 0x8000;

class CPPDrawManager {
public:
    // Background effects by number (as the markup names them).
    enum {
        EFFECT_SOLID = 0, EFFECT_HGRADIENT, EFFECT_VGRADIENT, EFFECT_HCGRADIENT, EFFECT_VCGRADIENT,
        EFFECT_3HGRADIENT, EFFECT_3VGRADIENT, EFFECT_NOISE, EFFECT_DIAGSHADE, EFFECT_HSHADE, EFFECT_VSHADE,
        EFFECT_HBUMP, EFFECT_VBUMP, EFFECT_SOFTBUMP, EFFECT_HARDBUMP, EFFECT_METAL
    };
    // Border styles.
    enum { PEN_NULL = 0, PEN_SOLID, PEN_DASH, PEN_DOT, PEN_DASHDOT, PEN_DASHDOTDOT, PEN_DOUBLE };

    CPPDrawManager() = default;
    virtual ~CPPDrawManager() = default;

    void GetIconSize(HICON icon, SIZE* size);
    void GetBitmapSize(HBITMAP bitmap, SIZE* size);
    void BlendBlt(CDC* dst, int x, int y, int cx, int cy, CDC* src, int sx, int sy, int percent);
    void AlphaChannelBlt(CDC* dst, int x, int y, int cx, int cy, CDC* src, int sx, int sy);
    // A new 32-bit DIB section (the caller's) of cx x cy with the effects applied.
    HBITMAP ApplyImageEffect(HBITMAP bitmap, int cx, int cy, DWORD effect, bool useMask, COLORREF mask,
                             COLORREF color);

    static DWORD GreyColor(DWORD pixel);
    static DWORD InvertColor(DWORD pixel);
    static DWORD DarkenColor(DWORD pixel, double factor);
    static DWORD LightenColor(DWORD pixel, double factor);
    static DWORD MixColors(DWORD p1, double f1, DWORD p2, double f2);

    // A new icon (the caller's) stretched to the size.
    HICON StretchIcon(HICON icon, int width, int height);
    void FillGradient(CDC* dc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal);
    void FillEffect(CDC* dc, int effect, const RECT& rect, COLORREF begin, COLORREF middle, COLORREF end,
                    BYTE granularity, BYTE highlight);
    // Makes the texture of a pattern effect; false (no texture) for sizes the
    // formulas cannot divide by, which the caller fills solid.
    bool FillPattern(CDC* dc, int effect, const RECT& rect, COLORREF begin, COLORREF middle, COLORREF end,
                     BYTE granularity, BYTE highlight);
    void TileBlt(CDC* dst, int x, int y, int cx, int cy, CDC* src, int sx, int sy, int tileCx, int tileCy);
    void DrawBitmap(CDC* dc, int x, int y, int cx, int cy, HBITMAP bitmap, bool useMask, COLORREF mask,
                    DWORD effect, bool shadow, int shadowDx, int shadowDy, int depthX, int depthY, COLORREF color);
    void DrawIcon(CDC* dc, int x, int y, int cx, int cy, HICON icon, DWORD effect, bool shadow, int shadowDx,
                  int shadowDy, int depthX, int depthY, COLORREF color);
    void DrawImageListItem(CDC* dc, int x, int y, int cx, int cy, HBITMAP strip, int index, int itemCx, int itemCy,
                           bool useMask, COLORREF mask, DWORD effect, bool shadow, int shadowDx, int shadowDy,
                           int depthX, int depthY, COLORREF color);
    void DrawShadow(CDC* dc, int x, int y, int cx, int cy, HBITMAP mask, bool blurred, int depthX, int depthY);
    void DrawRectangle(CDC* dc, int left, int top, int right, int bottom, COLORREF topLeft, COLORREF bottomRight,
                       int style, int width);
    void DrawRectangle(CDC* dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight, int style, int width)
    {
        DrawRectangle(dc, r.left, r.top, r.right, r.bottom, topLeft, bottomRight, style, width);
    }
    void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color, int style, int width);

    // Whether the last bitmap or icon drawn had per-pixel alpha.
    bool AlphaSeen() const { return m_alphaSeen != 0; }
    // Per pixel, the mask's low byte averaged over a depth x by depth y window
    // (outside the picture 255), divided by 255.
    static std::vector<double> BlurMask(const DWORD* pixels, int cx, int cy, int depthX, int depthY);

private:
    CCeXDib m_texture;
    int m_alphaSeen = 0;
};
