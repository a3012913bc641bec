#pragma once
// Drawing objects: pens, brushes, fonts and bitmaps, icons, the stock objects
// and the system colours (one fixed table, the classic Windows colours).
#include "platform/win/Geometry.h"

#include <memory>
#include <string>

class QFont;
class QImage;
class QPixmap;
class CDC;

// Pen styles
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Font weights and character sets
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SHIFTJIS_CHARSET = 128;

// Stock objects
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int DEFAULT_GUI_FONT = 17;

// System colours
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;

COLORREF GetSysColor(int index);

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual BOOL DeleteObject() = 0;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL DeleteObject() override;
    bool IsCreated() const { return m_created; }
    int Style() const { return m_style; }
    int Width() const { return m_width; }
    COLORREF Color() const { return m_color; }

private:
    bool m_created = false;
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL DeleteObject() override;
    bool IsCreated() const { return m_created; }
    bool IsHollow() const { return m_hollow; }
    COLORREF Color() const { return m_color; }
    static CBrush& Hollow();

private:
    bool m_created = false;
    bool m_hollow = false;
    COLORREF m_color = 0;
};

class CFont : public CGdiObject {
public:
    CFont();
    ~CFont() override;
    BOOL CreateFontIndirect(const LOGFONT* lf);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const char* faceName);
    // Size in tenths of a point.
    BOOL CreatePointFont(int pointSize10, const char* faceName, CDC* dc = nullptr);
    BOOL DeleteObject() override;
    int GetLogFont(LOGFONT* lf) const;
    bool IsCreated() const { return m_created; }
    const QFont& GetQFont() const;

private:
    bool m_created = false;
    LOGFONT m_lf;
    std::unique_ptr<QFont> m_font;
};

class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    ~CBitmap() override;
    BOOL LoadBitmap(UINT resourceId);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL DeleteObject() override;
    // Takes over a bitmap handle (and frees it when deleted).
    BOOL Attach(HBITMAP bitmap);
    HBITMAP Detach();
    HBITMAP GetSafeHandle() const { return m_bitmap; }
    int GetBitmap(BITMAP* bm) const;
    CSize GetSize() const;
    QImage* image() const;

private:
    HBITMAP m_bitmap = nullptr;
};

// Bitmap handles that travel between owners (the receiver deletes them).
HBITMAP CreateBitmapHandle(const QImage& image);
QImage* ImageOfBitmap(HBITMAP bitmap);
BOOL DeleteObject(HBITMAP bitmap);

// Icons from the program's resources; they live as long as the program.
HICON LoadIconResource(UINT id);
namespace win {
const QPixmap& PixmapOfIcon(HICON icon);
}

// The stock objects (not deleted by their users).
CGdiObject* GetStockObject(int index);

namespace win {
// The Qt font for a window font description, with the Windows families the
// program names mapped to metric-compatible families of this system.
QFont FontFromLogFont(const LOGFONT& lf);
// The font of dialogs whose template names a face and a point size.
QFont DialogFont(const std::string& face, int pointSize);
} // namespace win
