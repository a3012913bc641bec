#pragma once
// Device contexts over QPainter: a paint DC for a window's paint message,
// memory DCs over bitmaps, and information DCs for measuring and for the
// display's device capabilities. Drawing follows GDI's rules: rectangles
// exclude their right and bottom edges, shapes are outlined with the selected
// pen and filled with the selected brush, text uses the selected font with
// the text colour and, in opaque mode, the background colour.
#include "platform/win/Gdi.h"

#include <memory>
#include <string>

class QImage;
class QPainter;
class QPaintDevice;
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
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Background modes
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;

// Device capabilities
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
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

    // A memory DC; it draws into the bitmap selected into it.
    BOOL CreateCompatibleDC(CDC* dc);
    // An information DC of the display ("DISPLAY"): measuring and capabilities.
    BOOL CreateIC(const char* driver, const char* device = nullptr, const char* port = nullptr,
                  const void* init = nullptr);
    BOOL CreateDC(const char* driver, const char* device, const char* port, const void* init)
    {
        return CreateIC(driver, device, port, init);
    }
    BOOL DeleteDC();

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectStockObject(int index);

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }

    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    BOOL Polygon(const POINT* points, int count);
    BOOL Polyline(const POINT* points, int count);

    BOOL TextOut(int x, int y, const std::string& text);
    // Returns the height of the text; with DT_CALCRECT only measures into rect.
    int DrawText(const std::string& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const std::string& text) const;
    BOOL GetTextMetrics(TEXTMETRIC* tm) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                    int srcHeight, DWORD rop);
    BOOL DrawIcon(int x, int y, HICON icon);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;

    int GetDeviceCaps(int index) const;
    int SaveDC();
    BOOL RestoreDC(int saved);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }

    // The painter behind the DC (null for an information DC).
    QPainter* painter() const { return m_painter.get(); }

protected:
    // Starts painting on a device (a widget in its paint event, or an image).
    void Begin(QPaintDevice* device, const QFont* font);
    // Starts painting on a private one-pixel image: the DC draws nowhere.
    void BeginScratch(const QFont* font);
    void End();

private:
    void applyPen();
    void applyBrush();
    void applyFont();
    const QFont& currentFont() const;

    std::unique_ptr<QImage> m_scratch; // outlives the painter that paints on it
    std::unique_ptr<QPainter> m_painter;
    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    CFont* m_font = nullptr;
    CBitmap* m_bitmap = nullptr;
    std::unique_ptr<QFont> m_baseFont;
    COLORREF m_textColor = 0;
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    CPoint m_pos;
    bool m_memory = false;
    bool m_info = false;
    int m_saved = 0;
};

// The DC of a window's paint message; outside the paint message it draws nowhere.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
};

// A DC for measuring text in a window's font. Windows draw in their paint
// message only, so what is drawn here is not shown.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
};
