#include "platform/win/Gdi.h"

#include "platform/win/Display.h"
#include "platform/win/Resources.h"

#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPixmap>
#include <cstring>
#include <map>

struct HBITMAP__ {
    QImage image;
};

struct HICON__ {
    QPixmap pixmap;
};

namespace {

void installSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList sans = {"Liberation Sans", "DejaVu Sans"};
    for (const char* f : {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Microsoft Sans Serif", "Tahoma",
                          "Segoe UI", "Arial", "Verdana", "System"})
        QFont::insertSubstitutions(f, sans);
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
    QFont::insertSubstitutions("Courier New", {"Liberation Mono", "DejaVu Sans Mono"});
}

} // namespace

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    default: return RGB(0, 0, 0);
    }
}

// ---- Pens and brushes ---------------------------------------------------------------

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    m_created = true;
    m_style = style;
    m_width = width;
    m_color = color;
    return TRUE;
}

BOOL CPen::DeleteObject()
{
    const BOOL was = m_created;
    m_created = false;
    return was;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_created = true;
    m_hollow = false;
    m_color = color;
    return TRUE;
}

BOOL CBrush::DeleteObject()
{
    const BOOL was = m_created;
    m_created = false;
    return was;
}

CBrush& CBrush::Hollow()
{
    static CBrush b;
    b.m_created = true;
    b.m_hollow = true;
    return b;
}

// ---- Fonts ----------------------------------------------------------------------------

namespace win {

QFont FontFromLogFont(const LOGFONT& lf)
{
    installSubstitutions();
    QFont f(QString::fromUtf8(lf.lfFaceName));
    // A negative height is the character height, a positive one the cell height.
    const int h = lf.lfHeight < 0 ? -lf.lfHeight : (lf.lfHeight > 0 ? lf.lfHeight * 4 / 5 : 0);
    if (h > 0)
        f.setPixelSize(h);
    else
        f.setPixelSize(MulDiv(8, CurrentDisplay().dpiY, 72));
    const int weight = lf.lfWeight > 0 ? std::clamp<int>(lf.lfWeight, 1, 1000) : FW_NORMAL;
    f.setWeight(QFont::Weight(weight));
    f.setItalic(lf.lfItalic);
    f.setUnderline(lf.lfUnderline);
    f.setStrikeOut(lf.lfStrikeOut);
    return f;
}

QFont DialogFont(const std::string& face, int pointSize)
{
    LOGFONT lf;
    lf.lfHeight = -MulDiv(pointSize > 0 ? pointSize : 8, CurrentDisplay().dpiY, 72);
    std::strncpy(lf.lfFaceName, face.empty() ? "MS Shell Dlg" : face.c_str(), sizeof(lf.lfFaceName) - 1);
    return FontFromLogFont(lf);
}

} // namespace win

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf || m_created)
        return FALSE;
    m_lf = *lf;
    m_font = std::make_unique<QFont>(win::FontFromLogFont(m_lf));
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const char* faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, sizeof(lf.lfFaceName) - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize10, const char* faceName, CDC*)
{
    LOGFONT lf;
    lf.lfHeight = -MulDiv(pointSize10, win::CurrentDisplay().dpiY, 720);
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, sizeof(lf.lfFaceName) - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::DeleteObject()
{
    const BOOL was = m_created;
    m_created = false;
    m_font.reset();
    return was;
}

int CFont::GetLogFont(LOGFONT* lf) const
{
    if (!m_created || !lf)
        return 0;
    *lf = m_lf;
    return int(sizeof(LOGFONT));
}

const QFont& CFont::GetQFont() const
{
    static const QFont fallback = win::DialogFont("MS Shell Dlg", 8);
    return m_font ? *m_font : fallback;
}

// ---- Bitmaps --------------------------------------------------------------------------

HBITMAP CreateBitmapHandle(const QImage& image) { return new HBITMAP__{image}; }

QImage* ImageOfBitmap(HBITMAP bitmap) { return bitmap ? &bitmap->image : nullptr; }

BOOL DeleteObject(HBITMAP bitmap)
{
    if (!bitmap)
        return FALSE;
    delete bitmap;
    return TRUE;
}

CBitmap::~CBitmap() { DeleteObject(); }

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    if (m_bitmap)
        return FALSE;
    const std::string path = win::FindImagePath(resourceId);
    if (path.empty())
        return FALSE;
    QImage img(QString::fromStdString(path));
    if (img.isNull())
        return FALSE;
    m_bitmap = CreateBitmapHandle(img.convertToFormat(QImage::Format_RGB32));
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    if (m_bitmap || width < 0 || height < 0)
        return FALSE;
    QImage img(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    img.fill(Qt::black);
    m_bitmap = CreateBitmapHandle(img);
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_bitmap)
        return FALSE;
    ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    return TRUE;
}

BOOL CBitmap::Attach(HBITMAP bitmap)
{
    if (m_bitmap || !bitmap)
        return FALSE;
    m_bitmap = bitmap;
    return TRUE;
}

HBITMAP CBitmap::Detach()
{
    HBITMAP b = m_bitmap;
    m_bitmap = nullptr;
    return b;
}

int CBitmap::GetBitmap(BITMAP* bm) const
{
    if (!m_bitmap || !bm)
        return 0;
    bm->bmWidth = m_bitmap->image.width();
    bm->bmHeight = m_bitmap->image.height();
    bm->bmWidthBytes = LONG(m_bitmap->image.bytesPerLine());
    bm->bmBitsPixel = WORD(m_bitmap->image.depth());
    bm->bmPlanes = 1;
    bm->bmBits = nullptr;
    return int(sizeof(BITMAP));
}

CSize CBitmap::GetSize() const
{
    return m_bitmap ? CSize(m_bitmap->image.width(), m_bitmap->image.height()) : CSize();
}

QImage* CBitmap::image() const { return ImageOfBitmap(m_bitmap); }

// ---- Icons ----------------------------------------------------------------------------

HICON LoadIconResource(UINT id)
{
    static std::map<UINT, std::unique_ptr<HICON__>> icons;
    auto it = icons.find(id);
    if (it != icons.end())
        return it->second.get();
    const std::string path = win::FindImagePath(id);
    if (path.empty())
        return nullptr;
    QPixmap pm(QString::fromStdString(path));
    if (pm.isNull())
        return nullptr;
    auto icon = std::make_unique<HICON__>();
    icon->pixmap = pm;
    HICON h = icon.get();
    icons[id] = std::move(icon);
    return h;
}

namespace win {
const QPixmap& PixmapOfIcon(HICON icon)
{
    static const QPixmap none;
    return icon ? icon->pixmap : none;
}
} // namespace win

// ---- Stock objects --------------------------------------------------------------------

CGdiObject* GetStockObject(int index)
{
    static CBrush white(RGB(255, 255, 255)), ltgray(RGB(192, 192, 192)), gray(RGB(128, 128, 128)),
        black(RGB(0, 0, 0));
    static CPen whitePen(PS_SOLID, 1, RGB(255, 255, 255)), blackPen(PS_SOLID, 1, RGB(0, 0, 0)),
        nullPen(PS_NULL, 0, 0);
    static CFont guiFont;
    if (!guiFont.IsCreated()) {
        LOGFONT lf;
        lf.lfHeight = -MulDiv(8, win::CurrentDisplay().dpiY, 72);
        std::strncpy(lf.lfFaceName, "MS Shell Dlg", sizeof(lf.lfFaceName) - 1);
        guiFont.CreateFontIndirect(&lf);
    }
    switch (index) {
    case WHITE_BRUSH: return &white;
    case LTGRAY_BRUSH: return &ltgray;
    case GRAY_BRUSH: return &gray;
    case BLACK_BRUSH: return &black;
    case NULL_BRUSH: return &CBrush::Hollow();
    case WHITE_PEN: return &whitePen;
    case BLACK_PEN: return &blackPen;
    case NULL_PEN: return &nullPen;
    case DEFAULT_GUI_FONT: return &guiFont;
    default: return nullptr;
    }
}
