#pragma once
// Device contexts with GDI's drawing rules, drawing into 32-bit pixel buffers:
// a paint DC for a window's paint message, memory DCs over bitmaps, and
// information DCs for measuring and for the display's device capabilities.
// Rectangles exclude their right and bottom edges, lines their end point;
// shapes are outlined with the selected pen and filled with the selected
// brush; text uses the selected font with the text colour and, in opaque mode,
// the background colour. Blits combine source, destination and brush by
// raster operation, with GDI's conversions between colour and monochrome.
#include "platform/win/Gdi.h"
#include "platform/win/Region.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QImage;
class QPainter;
class QFont;
class QPoint;
class QRect;
class QRegion;
class QString;
class QWidget;
class CWnd;

// DrawText formats
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_HIDEPREFIX = 0x100000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Background modes
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations (ternary: brush, source, destination)
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Binary raster operations of pens and fills (SetROP2)
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// Mapping modes
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Text alignment
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// ExtTextOut options
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;

// Device capabilities
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int COLORRES = 108;
constexpr int DT_RASDISPLAY = 1;
constexpr int RC_BITBLT = 1;
constexpr int RC_STRETCHBLT = 0x800;
constexpr int RC_DI_BITMAP = 0x80;

// Gradients
constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;

struct TRIVERTEX {
    LONG x = 0;
    LONG y = 0;
    WORD Red = 0; // 16 bits per channel; the high byte counts
    WORD Green = 0;
    WORD Blue = 0;
    WORD Alpha = 0;
};

struct GRADIENT_RECT {
    ULONG UpperLeft = 0;
    ULONG LowerRight = 0;
};

// Alpha blending
constexpr BYTE AC_SRC_OVER = 0;
constexpr BYTE AC_SRC_ALPHA = 1;

struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0; // AC_SRC_ALPHA: the source holds premultiplied alpha
};

// DrawEdge
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1;
constexpr UINT BF_TOP = 0x2;
constexpr UINT BF_RIGHT = 0x4;
constexpr UINT BF_BOTTOM = 0x8;
constexpr UINT BF_RECT = 0xf;
constexpr UINT BF_MIDDLE = 0x800;
constexpr UINT BF_ADJUST = 0x2000;

// DrawState
constexpr UINT DST_ICON = 0x3;
constexpr UINT DST_BITMAP = 0x4;
constexpr UINT DSS_NORMAL = 0x0;
constexpr UINT DSS_DISABLED = 0x20;

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xff;
    BYTE tmDefaultChar = 0x1f;
    BYTE tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

struct PAINTSTRUCT {
    BOOL fErase = FALSE;
    RECT rcPaint;
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory DC; it draws into the bitmap selected into it (at first one
    // black monochrome pixel).
    BOOL CreateCompatibleDC(CDC* dc);
    // An information DC of the display ("DISPLAY"): measuring and capabilities.
    BOOL CreateIC(const char* driver, const char* device = nullptr, const char* port = nullptr,
                  const void* init = nullptr);
    BOOL CreateDC(const char* driver, const char* device, const char* port, const void* init)
    {
        return CreateIC(driver, device, port, init);
    }
    BOOL DeleteDC();
    BOOL IsPrinting() const { return FALSE; }

    // Each returns the object selected before (the stock object at first).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    // Selecting a region sets the clip region; returns the region kind.
    int SelectObject(CRgn* region) { return SelectClipRgn(region); }
    HBITMAP SelectBitmap(HBITMAP bitmap);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const;
    int SetStretchBltMode(int mode);

    // Mapping of logical to device coordinates.
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;

    // Filling and framing.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL GradientFill(const TRIVERTEX* vertices, ULONG count, const void* mesh, ULONG meshCount, ULONG mode);

    // Shapes.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    // Draws from the current position up to, not including, the point.
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polygon(const POINT* points, int count);
    BOOL Polyline(const POINT* points, int count);

    // Regions.
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL PaintRgn(CRgn* region);
    BOOL InvertRgn(CRgn* region);
    // The region is in device coordinates; null removes the clip.
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int GetClipBox(LPRECT rect) const;
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL PtVisible(int x, int y) const;

    // Text.
    BOOL TextOut(int x, int y, const std::string& text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const std::string& text, const int* dx = nullptr);
    // Returns the height of the text; with DT_CALCRECT only measures into rect.
    int DrawText(const std::string& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const std::string& text) const;
    BOOL GetTextExtentPoint32(const std::string& text, SIZE* size) const;
    BOOL GetTextMetrics(TEXTMETRIC* tm) const;
    // Spreads extra pixels over the next text's break characters (blanks).
    BOOL SetTextJustification(int extra, int breakCount);

    // Blits between DCs.
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, DWORD rop);
    // A negative width or height (of either rectangle) mirrors the picture.
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                    int srcHeight, DWORD rop);
    // Copies all pixels but those of the key colour.
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                        int srcHeight, UINT keyColor);
    BOOL AlphaBlend(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                    int srcHeight, BLENDFUNCTION blend);
    BOOL MaskBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, CBitmap& mask, int maskX,
                 int maskY, DWORD rop);

    // Icons and images.
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT p, HICON icon) { return DrawIcon(p.x, p.y, icon); }
    BOOL DrawIconEx(int x, int y, HICON icon, int cx, int cy);
    // An icon or bitmap (DST_ICON, DST_BITMAP with the handle in data),
    // optionally in the embossed disabled look (DSS_DISABLED).
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, CBrush* brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, CBrush* brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush = nullptr)
    {
        return DrawState(pt, size, bitmap ? bitmap->GetSafeHandle() : nullptr, flags, brush);
    }

    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    int GetDeviceCaps(int index) const;
    // Saves the whole drawing state (objects, colours, modes, mapping, clip);
    // returns its level, 0 on failure.
    int SaveDC();
    // Back to a saved level (a negative number counts back from the last).
    BOOL RestoreDC(int saved);

    // Whether it draws into a monochrome bitmap.
    bool IsMonochrome() const;
    // A bitmap that is being deleted leaves the DC (and its saved states).
    void ForgetBitmap(HBITMAP bitmap);
    // The pixels the DC draws into (null for an information DC).
    QImage* surface() const;

protected:
    // Draws into a buffer that is copied onto the widget when the DC ends.
    void BeginWidget(QWidget* widget, const QFont* font);
    // Draws into a private one-pixel image: the DC draws nowhere.
    void BeginScratch(const QFont* font);
    // Starts from the widget's current pixels; what is drawn shows at its next paint.
    void BeginClient(QWidget* widget, const QFont* font);
    void End();

private:
    struct State;
    struct Target;
    QImage* target() const;
    // The pixels for reading area (device pixels) only; a client DC renders no more of its window.
    const QImage* sourceArea(const QRect& area) const;
    void touchTarget();
    void doneTarget();
    QFont font() const;
    QRegion clipFor(const QRect& r) const;
    bool visible(int x, int y) const;
    void plot(int x, int y, unsigned int argb);
    void fillDeviceRect(const QRect& r, COLORREF color, int rop2 = -1);
    void fillRegionDevice(const QRegion& r, COLORREF color);
    void drawLineDevice(int x0, int y0, int x1, int y1, bool last, int& patternPos);
    void strokeDevice(const std::vector<QPoint>& pts, bool closed);
    void fillPolygonDevice(const std::vector<QPoint>& pts, int fillMode);
    QPoint toDevice(int x, int y) const;
    QRect toDevice(int l, int t, int r, int b) const;
    int toDeviceW(int w) const;
    int toDeviceH(int h) const;
    void paintWithPainter(const std::function<void(QPainter&)>& paint);
    void textLine(int x, int y, const QString& text, int prefixAt, bool underlineAll = false);
    BOOL blit(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth, int srcHeight,
              DWORD rop, std::optional<COLORREF> key, const BLENDFUNCTION* blend);

    std::unique_ptr<State> m_state;
    std::vector<State> m_saved;
    std::unique_ptr<Target> m_target;
};

// The DC of a window's paint message; outside the paint message it draws nowhere.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
};

// A DC on a window's client area outside its paint message: it reads the
// window's current pixels (its own drawing without its child windows, so a
// control may copy its parent's background), and what is drawn on it appears
// over the window's next paint (an update is asked for), then goes as GDI's
// drawing does when the window repaints. Without a window it only measures.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;
};
