#pragma once
// Drawing objects: pens, brushes, fonts, bitmaps (device-dependent, monochrome
// and device-independent sections), icons, the stock objects and the system
// colours (one fixed table, the classic Windows colours).
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
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Font weights, character sets, qualities
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE SHIFTJIS_CHARSET = 128;
constexpr BYTE GREEK_CHARSET = 161;
constexpr BYTE RUSSIAN_CHARSET = 204;
constexpr BYTE EASTEUROPE_CHARSET = 238;
constexpr BYTE OEM_CHARSET = 255;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;

// Stock objects
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// System colours (GetSysColor indices 0 to 26)
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = COLOR_BACKGROUND;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;

// The colour of a system colour index (0 to 26); black for other indices.
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

// Device-independent bitmaps
constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0; // positive: bottom-up rows; negative: top-down
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

static_assert(sizeof(BITMAPINFOHEADER) == 40);

// A header followed by the palette (as many entries as the bit count asks).
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct COLORMAP {
    COLORREF from = 0;
    COLORREF to = 0;
};

struct ICONINFO {
    BOOL fIcon = TRUE;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;  // 1 where the icon is transparent
    HBITMAP hbmColor = nullptr; // the colours (black where transparent)
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
    BOOL CreateSysColorBrush(int index) { return CreateSolidBrush(GetSysColor(index)); }
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
    // Loads a bitmap resource with colours replaced (comctl32's CreateMappedBitmap).
    BOOL LoadMappedBitmap(UINT resourceId, UINT flags = 0, const COLORMAP* map = nullptr, int count = 0);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // bitsPerPixel 1 makes a monochrome bitmap; bits (rows padded to 2 bytes) may be null.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    // A bitmap deleted while it is selected into a DC is taken out of that DC first.
    BOOL DeleteObject() override;
    // Takes over a bitmap handle (and frees it when deleted).
    BOOL Attach(HBITMAP bitmap);
    HBITMAP Detach();
    HBITMAP GetSafeHandle() const { return m_bitmap; }
    operator HBITMAP() const { return m_bitmap; }
    static CBitmap* FromHandle(HBITMAP bitmap);
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
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// Size and format; for a DIB section bmBits points at its pixels.
int GetObject(HBITMAP bitmap, int size, void* out);

// A device-independent bitmap whose pixels the caller reaches through *bits:
// rows bottom-up (top-down for a negative height), each padded to 4 bytes;
// 32-bit pixels hold blue in the low byte and alpha in the high byte; 1, 4
// and 8 bits index the palette that follows the header.
HBITMAP CreateDIBSection(CDC* dc, const BITMAPINFO* info, UINT usage, void** bits, void* section = nullptr,
                         DWORD offset = 0);
// Copies rows [start, start + lines) of a bitmap out as a DIB of the header's
// format (1, 8, 24 or 32 bits); bits null fills in the header only.
int GetDIBits(CDC* dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(CDC* dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage);

// Image loading (LoadImage) from the program's resources or from files.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0;
constexpr UINT LR_LOADFROMFILE = 0x10;
constexpr UINT LR_DEFAULTSIZE = 0x40;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
// name is a file path with LR_LOADFROMFILE, else the text of a resource id.
// A bitmap is an HBITMAP, an icon an HICON (cast the result).
void* LoadImage(void* instance, const char* name, UINT type, int cx, int cy, UINT flags);
// The same for a numeric resource id.
void* LoadImage(void* instance, UINT id, UINT type, int cx, int cy, UINT flags);
// Loads a bitmap resource with the listed colours replaced.
HBITMAP CreateMappedBitmap(void* instance, UINT id, UINT flags, const COLORMAP* map, int count);

// Icons from the program's resources live as long as the program; icons made
// with CreateIconIndirect or CopyIcon belong to the caller (DestroyIcon).
HICON LoadIconResource(UINT id);
HICON LoadIconResource(UINT id, int cx, int cy);
BOOL GetIconInfo(HICON icon, ICONINFO* info);
HICON CreateIconIndirect(const ICONINFO* info);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
namespace win {
const QPixmap& PixmapOfIcon(HICON icon);
// The icon's picture with alpha (transparent where its mask is set).
QImage ImageOfIcon(HICON icon);
}

// The stock objects (not deleted by their users).
CGdiObject* GetStockObject(int index);

namespace win {
// The Qt font for a window font description, with the Windows families the
// program names mapped to metric-compatible families of this system.
QFont FontFromLogFont(const LOGFONT& lf);
// The installed family that stands in for a Windows face name.
std::string SubstituteFace(const std::string& face);
// The font of dialogs whose template names a face and a point size.
QFont DialogFont(const std::string& face, int pointSize);
} // namespace win
