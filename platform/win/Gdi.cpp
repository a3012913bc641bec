#include "platform/win/Gdi.h"

#include "platform/win/Dc.h"
#include "platform/win/DcImpl.h"
#include "platform/win/Display.h"
#include "platform/win/GdiImpl.h"
#include "platform/win/Resources.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <cstring>
#include <map>
#include <unordered_map>
#include <memory>
#include <mutex>

using win::detail::DibToImage;
using win::detail::ImageToDib;

// ---- System colours -------------------------------------------------------------------

COLORREF GetSysColor(int index)
{
    // The classic Windows colours, fixed so that drawing is the same everywhere.
    static const COLORREF table[27] = {
        RGB(200, 200, 200), // 0 scroll bar
        RGB(0, 0, 0),       // 1 desktop
        RGB(153, 180, 209), // 2 active caption
        RGB(191, 205, 219), // 3 inactive caption
        RGB(240, 240, 240), // 4 menu
        RGB(255, 255, 255), // 5 window
        RGB(100, 100, 100), // 6 window frame
        RGB(0, 0, 0),       // 7 menu text
        RGB(0, 0, 0),       // 8 window text
        RGB(0, 0, 0),       // 9 caption text
        RGB(180, 180, 180), // 10 active border
        RGB(244, 247, 252), // 11 inactive border
        RGB(171, 171, 171), // 12 application workspace
        RGB(0, 120, 215),   // 13 highlight
        RGB(255, 255, 255), // 14 highlight text
        RGB(240, 240, 240), // 15 button face
        RGB(160, 160, 160), // 16 button shadow
        RGB(109, 109, 109), // 17 grey text
        RGB(0, 0, 0),       // 18 button text
        RGB(0, 0, 0),       // 19 inactive caption text
        RGB(255, 255, 255), // 20 button highlight
        RGB(105, 105, 105), // 21 3D dark shadow
        RGB(227, 227, 227), // 22 3D light
        RGB(0, 0, 0),       // 23 tooltip text
        RGB(255, 255, 225), // 24 tooltip background
        RGB(0, 0, 0),       // 25 (unused)
        RGB(0, 102, 204),   // 26 hot-tracked item
    };
    return index >= 0 && index < 27 ? table[index] : RGB(0, 0, 0);
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

std::string SubstituteFace(const std::string& face)
{
    // Windows faces onto installed families of the same metrics (Liberation) or,
    // where none exists, the nearest in shape (DejaVu for Verdana and Tahoma).
    static const std::map<std::string, std::string> faces = {
        {"ms shell dlg", "Liberation Sans"},   {"ms shell dlg 2", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},  {"microsoft sans serif", "Liberation Sans"},
        {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
        {"segoe ui", "Liberation Sans"},       {"system", "Liberation Sans"},
        {"verdana", "DejaVu Sans"},            {"tahoma", "DejaVu Sans"},
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},      {"courier", "Liberation Mono"},
        {"courier new", "Liberation Mono"},    {"consolas", "Liberation Mono"},
        {"lucida console", "DejaVu Sans Mono"},
    };
    std::string key = face;
    for (char& c : key)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    auto it = faces.find(key);
    if (it != faces.end())
        return it->second;
    if (key.empty())
        return "Liberation Sans";
    return face;
}

QFont FontFromLogFont(const LOGFONT& lf)
{
    const std::string family = SubstituteFace(lf.lfFaceName);
    QFont f;
    f.setFamilies({QString::fromStdString(family), "Liberation Sans", "DejaVu Sans"});
    f.setStyleStrategy(lf.lfQuality == NONANTIALIASED_QUALITY ? QFont::NoAntialias : QFont::PreferDefault);
    const int weight = lf.lfWeight > 0 ? std::clamp<int>(lf.lfWeight, 1, 1000) : FW_NORMAL;
    f.setWeight(QFont::Weight(weight));
    f.setItalic(lf.lfItalic);
    f.setUnderline(lf.lfUnderline);
    f.setStrikeOut(lf.lfStrikeOut);
    if (lf.lfHeight < 0) {
        // A negative height is the character height (the em).
        f.setPixelSize(int(-lf.lfHeight));
    } else if (lf.lfHeight > 0) {
        // A positive one is the cell height: ascent plus descent.
        QFont probe = f;
        probe.setPixelSize(100);
        const QFontMetrics fm(probe);
        const int cell = fm.ascent() + fm.descent();
        f.setPixelSize(std::max(1, cell > 0 ? int(lf.lfHeight * 100 / cell) : int(lf.lfHeight)));
    } else {
        f.setPixelSize(MulDiv(8, CurrentDisplay().dpiY, 72) + 3);
    }
    if (lf.lfWidth > 0) {
        // An average character width different from the face's own stretches the font.
        const QFontMetrics fm(f);
        const int avg = std::max(1, fm.averageCharWidth());
        f.setStretch(std::clamp(int(lf.lfWidth * 100 / avg), 1, 4000));
    }
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

namespace win::detail {

int DibStride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

namespace {

int nearestIndex(const std::vector<RGBQUAD>& pal, QRgb c)
{
    int best = 0;
    int bestDist = 1 << 30;
    for (size_t i = 0; i < pal.size(); ++i) {
        const int dr = pal[i].rgbRed - qRed(c), dg = pal[i].rgbGreen - qGreen(c), db = pal[i].rgbBlue - qBlue(c);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
            if (d == 0)
                break;
        }
    }
    return best;
}

unsigned char* dibRow(HBITMAP b, int y)
{
    const int h = b->image.height();
    const int stride = DibStride(b->image.width(), b->bitsPerPixel);
    return b->dib.data() + size_t(b->topDown ? y : h - 1 - y) * size_t(stride);
}


// The palette as a table of 2^bits colours (entries the palette lacks are black).
std::vector<QRgb> paletteTable(HBITMAP b)
{
    std::vector<QRgb> table(size_t(1) << b->bitsPerPixel, qRgb(0, 0, 0));
    for (size_t i = 0; i < table.size() && i < b->palette.size(); ++i)
        table[i] = qRgb(b->palette[i].rgbRed, b->palette[i].rgbGreen, b->palette[i].rgbBlue);
    return table;
}

// Colours to palette indexes for one conversion: exact entries from a table
// built once, the nearest entry of any other colour found once and kept.
class IndexOf {
public:
    explicit IndexOf(const std::vector<RGBQUAD>& palette) : m_palette(palette)
    {
        for (size_t i = palette.size(); i-- > 0;)
            m_known[key(qRgb(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue))] = int(i);
    }
    int operator()(QRgb c)
    {
        const QRgb k = key(c);
        if (k == m_lastColour)
            return m_lastIndex;
        auto it = m_known.find(k);
        if (it == m_known.end())
            it = m_known.emplace(k, nearestIndex(m_palette, c)).first;
        m_lastColour = k;
        m_lastIndex = it->second;
        return m_lastIndex;
    }

private:
    static QRgb key(QRgb c) { return c & 0x00ffffffu; }
    const std::vector<RGBQUAD>& m_palette;
    std::unordered_map<QRgb, int> m_known;
    QRgb m_lastColour = 0xff000000u; // no colour has this key
    int m_lastIndex = 0;
};

} // namespace

void DibToImage(HBITMAP b)
{
    if (!b || !b->dibSection)
        return;
    const int w = b->image.width(), h = b->image.height();
    const int bits = b->bitsPerPixel;
    const std::vector<QRgb> table = bits <= 8 ? paletteTable(b) : std::vector<QRgb>();
    for (int y = 0; y < h; ++y) {
        const unsigned char* src = dibRow(b, y);
        auto* dst = reinterpret_cast<QRgb*>(b->image.scanLine(y));
        switch (bits) {
        case 32:
            for (int x = 0; x < w; ++x, src += 4)
                dst[x] = qRgba(src[2], src[1], src[0], src[3]);
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3)
                dst[x] = qRgb(src[2], src[1], src[0]);
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                dst[x] = table[src[x]];
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                dst[x] = table[(src[x / 2] >> ((x % 2) ? 0 : 4)) & 0xf];
            break;
        default:
            for (int x = 0; x < w; ++x)
                dst[x] = table[(src[x / 8] >> (7 - x % 8)) & 1];
        }
    }
}

void ImageToDib(HBITMAP b)
{
    if (!b || !b->dibSection)
        return;
    const int w = b->image.width(), h = b->image.height();
    const int bits = b->bitsPerPixel;
    const std::vector<QRgb> table = bits <= 8 ? paletteTable(b) : std::vector<QRgb>();
    IndexOf indexOf(b->palette);
    for (int y = 0; y < h; ++y) {
        unsigned char* dst = dibRow(b, y);
        const auto* src = reinterpret_cast<const QRgb*>(b->image.constScanLine(y));
        switch (bits) {
        case 32:
            for (int x = 0; x < w; ++x, dst += 4) {
                const QRgb c = src[x];
                dst[0] = uchar(qBlue(c));
                dst[1] = uchar(qGreen(c));
                dst[2] = uchar(qRed(c));
                dst[3] = uchar(qAlpha(c));
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x, dst += 3) {
                const QRgb c = src[x];
                dst[0] = uchar(qBlue(c));
                dst[1] = uchar(qGreen(c));
                dst[2] = uchar(qRed(c));
            }
            break;
        // A pixel whose index still shows its colour keeps that index, so
        // pixels of duplicate palette entries survive a drawing elsewhere.
        case 8:
            for (int x = 0; x < w; ++x)
                if ((table[dst[x]] ^ src[x]) & 0x00ffffffu)
                    dst[x] = uchar(indexOf(src[x]));
            break;
        case 4:
            for (int x = 0; x < w; ++x) {
                const int shift = (x % 2) ? 0 : 4;
                if (!((table[(dst[x / 2] >> shift) & 0xf] ^ src[x]) & 0x00ffffffu))
                    continue;
                const int i = indexOf(src[x]) & 0xf;
                dst[x / 2] = uchar((dst[x / 2] & ~(0xf << shift)) | (i << shift));
            }
            break;
        default:
            for (int x = 0; x < w; ++x) {
                const int bit = 7 - x % 8;
                if (!((table[(dst[x / 8] >> bit) & 1] ^ src[x]) & 0x00ffffffu))
                    continue;
                const int i = indexOf(src[x]) & 1;
                dst[x / 8] = uchar((dst[x / 8] & ~(1 << bit)) | (i << bit));
            }
        }
    }
}

} // namespace win::detail

namespace {

QImage decodeImageFile(const std::string& path)
{
    QImage img(QString::fromStdString(path));
    if (img.isNull())
        return img;
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage loadImageFile(const std::string& path)
{
    // The program's own images never change: each is decoded once and shared
    // (a bitmap drawn on gets its own copy of the pixels then).
    if (path.rfind(":/", 0) != 0)
        return decodeImageFile(path);
    static std::mutex mutex;
    static std::unordered_map<std::string, QImage> decoded;
    std::lock_guard lock(mutex);
    auto it = decoded.find(path);
    if (it == decoded.end())
        it = decoded.emplace(path, decodeImageFile(path)).first;
    return it->second;
}

HBITMAP loadBitmapResource(UINT id)
{
    const std::string path = win::FindImagePath(id);
    if (path.empty())
        return nullptr;
    QImage img = loadImageFile(path);
    return img.isNull() ? nullptr : CreateBitmapHandle(img);
}

} // namespace

HBITMAP CreateBitmapHandle(const QImage& image)
{
    // Kept as given; a DC that draws on it or from it makes it 32 bits first.
    auto* b = new HBITMAP__;
    b->image = image;
    return b;
}

QImage* ImageOfBitmap(HBITMAP bitmap)
{
    if (!bitmap)
        return nullptr;
    DibToImage(bitmap);
    return &bitmap->image;
}

BOOL DeleteObject(HBITMAP bitmap)
{
    if (!bitmap)
        return FALSE;
    if (bitmap->selectedIn)
        bitmap->selectedIn->ForgetBitmap(bitmap);
    if (bitmap->owner)
        bitmap->owner->Detach();
    delete bitmap;
    return TRUE;
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(0xff000000);
    auto* b = new HBITMAP__;
    b->bitsPerPixel = bitsPerPixel == 1 ? 1 : 32;
    if (bits) {
        const auto* p = static_cast<const unsigned char*>(bits);
        if (bitsPerPixel == 1) {
            const int stride = ((width + 15) / 16) * 2; // device bitmaps pad rows to a word
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if ((p[y * stride + x / 8] >> (7 - x % 8)) & 1)
                        img.setPixel(x, y, 0xffffffff);
        } else if (bitsPerPixel == 32) {
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const unsigned char* q = p + (size_t(y) * width + x) * 4;
                    img.setPixel(x, y, qRgb(q[2], q[1], q[0]));
                }
        }
    }
    b->image = img;
    return b;
}

int GetObject(HBITMAP bitmap, int size, void* out)
{
    if (!bitmap || !out || size < int(sizeof(BITMAP)))
        return 0;
    auto* bm = static_cast<BITMAP*>(out);
    bm->bmType = 0;
    bm->bmWidth = bitmap->image.width();
    bm->bmHeight = bitmap->image.height();
    bm->bmBitsPixel = WORD(bitmap->bitsPerPixel);
    bm->bmPlanes = 1;
    bm->bmWidthBytes = bitmap->dibSection ? win::detail::DibStride(bm->bmWidth, bitmap->bitsPerPixel)
                                          : ((bm->bmWidth * bitmap->bitsPerPixel + 15) / 16) * 2;
    bm->bmBits = bitmap->dibSection ? bitmap->dib.data() : nullptr;
    return int(sizeof(BITMAP));
}

HBITMAP CreateDIBSection(CDC*, const BITMAPINFO* info, UINT, void** bits, void*, DWORD)
{
    if (!info)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bpp = h.biBitCount;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (width <= 0 || height <= 0 || h.biCompression != BI_RGB || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
        return nullptr;
    auto* b = new HBITMAP__;
    b->bitsPerPixel = bpp;
    b->dibSection = true;
    b->topDown = h.biHeight < 0;
    b->dib.assign(size_t(win::detail::DibStride(width, bpp)) * size_t(height), 0);
    if (bpp <= 8) {
        const int entries = h.biClrUsed ? int(h.biClrUsed) : (1 << bpp);
        b->palette.assign(info->bmiColors, info->bmiColors + entries);
    }
    b->image = QImage(width, height, bpp == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    DibToImage(b);
    if (bits)
        *bits = b->dib.data();
    return b;
}

int GetDIBits(CDC*, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT)
{
    if (!bitmap || !info)
        return 0;
    DibToImage(bitmap);
    BITMAPINFOHEADER& h = info->bmiHeader;
    const int width = bitmap->image.width();
    const int height = bitmap->image.height();
    if (!bits) {
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = 1;
        if (h.biBitCount == 0)
            h.biBitCount = WORD(bitmap->bitsPerPixel == 1 ? 1 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(win::detail::DibStride(width, h.biBitCount) * height);
        return height;
    }
    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 8 && bpp != 24 && bpp != 32)
        return 0;
    // Rows and pixels go out through a temporary DIB section of the asked format.
    HBITMAP__ out;
    out.bitsPerPixel = bpp;
    out.dibSection = true;
    out.topDown = h.biHeight < 0;
    out.image = bitmap->image;
    const int outHeight = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (outHeight != height || h.biWidth != width)
        out.image = bitmap->image.scaled(h.biWidth, outHeight);
    if (bpp == 1) {
        out.palette = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
        info->bmiColors[0] = out.palette[0];
        (&info->bmiColors[0])[1] = out.palette[1];
    } else if (bpp == 8) {
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD q{BYTE(i), BYTE(i), BYTE(i), 0};
            out.palette.push_back(q);
            (&info->bmiColors[0])[i] = q;
        }
    }
    const int stride = win::detail::DibStride(h.biWidth, bpp);
    out.dib.assign(size_t(stride) * size_t(outHeight), 0);
    ImageToDib(&out);
    const UINT last = std::min<UINT>(start + lines, UINT(outHeight));
    if (start >= last)
        return 0;
    // Row numbers count from the bottom for a bottom-up DIB.
    std::memcpy(bits, out.dib.data() + size_t(start) * size_t(stride), size_t(last - start) * size_t(stride));
    return int(last - start);
}

int SetDIBits(CDC*, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT)
{
    if (!bitmap || !bits || !info)
        return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    HBITMAP src = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, nullptr);
    if (!src)
        return 0;
    const int height = src->image.height();
    const int stride = win::detail::DibStride(src->image.width(), h.biBitCount);
    const UINT last = std::min<UINT>(start + lines, UINT(height));
    std::memcpy(src->dib.data() + size_t(start) * size_t(stride), bits, size_t(last - start) * size_t(stride));
    DibToImage(src);
    DibToImage(bitmap);
    for (int y = 0; y < std::min(height, bitmap->image.height()); ++y)
        for (int x = 0; x < std::min(src->image.width(), bitmap->image.width()); ++x) {
            QRgb c = src->image.pixel(x, y);
            if (bitmap->bitsPerPixel == 1)
                c = win::detail::MonoOf(c);
            else if (bitmap->image.format() != QImage::Format_ARGB32)
                c |= 0xff000000;
            bitmap->image.setPixel(x, y, c);
        }
    ImageToDib(bitmap);
    delete src;
    return int(last - start);
}

HBITMAP CreateMappedBitmap(void*, UINT id, UINT, const COLORMAP* map, int count)
{
    HBITMAP b = loadBitmapResource(id);
    if (!b || !map || count <= 0)
        return b;
    QImage& img = b->image;
    // Bitmaps run in areas of one colour: the last pixel's answer is asked first.
    QRgb lastIn = 0;
    QRgb lastOut = 0;
    bool known = false;
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (known && row[x] == lastIn) {
                row[x] = lastOut;
                continue;
            }
            lastIn = row[x];
            const COLORREF c = RGB(qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
            for (int i = 0; i < count; ++i)
                if (map[i].from == c) {
                    row[x] = qRgb(GetRValue(map[i].to), GetGValue(map[i].to), GetBValue(map[i].to));
                    break;
                }
            lastOut = row[x];
            known = true;
        }
    }
    return b;
}

CBitmap::~CBitmap() { DeleteObject(); }

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return bitmap ? bitmap->owner : nullptr; }

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    if (m_bitmap)
        return FALSE;
    HBITMAP b = loadBitmapResource(resourceId);
    return b ? Attach(b) : FALSE;
}

BOOL CBitmap::LoadMappedBitmap(UINT resourceId, UINT flags, const COLORMAP* map, int count)
{
    if (m_bitmap)
        return FALSE;
    HBITMAP b = CreateMappedBitmap(nullptr, resourceId, flags, map, count);
    return b ? Attach(b) : FALSE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    if (m_bitmap || width < 0 || height < 0)
        return FALSE;
    // Compatible with a DC that draws into a monochrome bitmap: monochrome too.
    const bool mono = dc && dc->IsMonochrome();
    QImage img = win::detail::dc::NewImage(width, height, QImage::Format_RGB32);
    img.fill(0xff000000);
    HBITMAP b = CreateBitmapHandle(img);
    b->bitsPerPixel = mono ? 1 : 32;
    return Attach(b);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (m_bitmap)
        return FALSE;
    HBITMAP b = ::CreateBitmap(width, height, planes, bitsPerPixel, bits);
    return b ? Attach(b) : FALSE;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_bitmap)
        return FALSE;
    HBITMAP b = Detach();
    ::DeleteObject(b);
    return TRUE;
}

BOOL CBitmap::Attach(HBITMAP bitmap)
{
    if (m_bitmap || !bitmap)
        return FALSE;
    m_bitmap = bitmap;
    bitmap->owner = this;
    return TRUE;
}

HBITMAP CBitmap::Detach()
{
    HBITMAP b = m_bitmap;
    m_bitmap = nullptr;
    if (b)
        b->owner = nullptr;
    return b;
}

int CBitmap::GetBitmap(BITMAP* bm) const { return GetObject(m_bitmap, int(sizeof(BITMAP)), bm); }

CSize CBitmap::GetSize() const
{
    return m_bitmap ? CSize(m_bitmap->image.width(), m_bitmap->image.height()) : CSize();
}

QImage* CBitmap::image() const { return ImageOfBitmap(m_bitmap); }

// ---- Images ---------------------------------------------------------------------------

namespace {

HICON iconFromImage(const QImage& image, bool shared)
{
    auto* icon = new HICON__;
    icon->color = image.convertToFormat(QImage::Format_ARGB32);
    icon->shared = shared;
    icon->pixmap = QPixmap::fromImage(icon->color);
    return icon;
}

QImage iconImage(const std::string& path, int cx, int cy)
{
    QImage img(QString::fromStdString(path));
    if (img.isNull())
        return img;
    img = img.convertToFormat(QImage::Format_ARGB32);
    if (cx > 0 && cy > 0 && (img.width() != cx || img.height() != cy))
        img = img.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}

} // namespace

void* LoadImage(void*, const char* name, UINT type, int cx, int cy, UINT flags)
{
    if (!name)
        return nullptr;
    std::string path;
    if (flags & LR_LOADFROMFILE) {
        path = name;
    } else {
        char* end = nullptr;
        const unsigned long id = std::strtoul(name[0] == '#' ? name + 1 : name, &end, 10);
        if (!end || *end)
            return nullptr;
        path = (type == IMAGE_ICON || type == IMAGE_CURSOR) ? win::FindIconPath(UINT(id)) : win::FindImagePath(UINT(id));
    }
    if (path.empty())
        return nullptr;
    if (type == IMAGE_ICON) {
        QImage img = iconImage(path, cx, cy);
        return img.isNull() ? nullptr : iconFromImage(img, false);
    }
    QImage img = loadImageFile(path);
    if (img.isNull())
        return nullptr;
    if (cx > 0 && cy > 0)
        img = img.scaled(cx, cy);
    HBITMAP b = CreateBitmapHandle(img);
    if (flags & LR_CREATEDIBSECTION) {
        b->dibSection = true;
        b->bitsPerPixel = 24;
        b->dib.assign(size_t(win::detail::DibStride(img.width(), 24)) * size_t(img.height()), 0);
        ImageToDib(b);
    }
    return b;
}

void* LoadImage(void* instance, UINT id, UINT type, int cx, int cy, UINT flags)
{
    const std::string name = std::to_string(id);
    return LoadImage(instance, name.c_str(), type, cx, cy, flags & ~LR_LOADFROMFILE);
}

// ---- Icons ----------------------------------------------------------------------------

HICON LoadIconResource(UINT id)
{
    // Shared icons live as long as the program; owning them here keeps the leak
    // checker quiet at exit.
    static std::map<UINT, std::unique_ptr<HICON__>> icons;
    auto it = icons.find(id);
    if (it != icons.end())
        return it->second.get();
    const std::string path = win::FindIconPath(id);
    if (path.empty())
        return nullptr;
    QImage img = iconImage(path, 0, 0);
    if (img.isNull())
        return nullptr;
    HICON h = iconFromImage(img, true);
    icons[id].reset(h);
    return h;
}

HICON LoadIconResource(UINT id, int cx, int cy)
{
    const std::string path = win::FindIconPath(id);
    if (path.empty())
        return nullptr;
    QImage img = iconImage(path, cx, cy);
    return img.isNull() ? nullptr : iconFromImage(img, false);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info)
{
    if (!icon || !info)
        return FALSE;
    const QImage& c = icon->color;
    QImage mask(c.size(), QImage::Format_RGB32);
    QImage color(c.size(), QImage::Format_RGB32);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const QRgb p = c.pixel(x, y);
            const bool transparent = qAlpha(p) < 128;
            mask.setPixel(x, y, transparent ? 0xffffffff : 0xff000000);
            color.setPixel(x, y, transparent ? 0xff000000 : (p | 0xff000000));
        }
    info->fIcon = TRUE;
    info->xHotspot = DWORD(c.width() / 2);
    info->yHotspot = DWORD(c.height() / 2);
    info->hbmMask = CreateBitmapHandle(mask);
    info->hbmMask->bitsPerPixel = 1;
    info->hbmColor = CreateBitmapHandle(color);
    return TRUE;
}

HICON CreateIconIndirect(const ICONINFO* info)
{
    if (!info || !info->hbmMask)
        return nullptr;
    DibToImage(info->hbmMask);
    DibToImage(info->hbmColor);
    const QImage& mask = info->hbmMask->image;
    // Without a colour bitmap the mask holds both halves (AND above XOR), as for cursors.
    const bool combined = !info->hbmColor;
    const int w = mask.width();
    const int h = combined ? mask.height() / 2 : mask.height();
    QImage out(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool transparent = (mask.pixel(x, y) & 0xffffff) != 0;
            const QRgb c = combined ? mask.pixel(x, y + h)
                                    : (x < info->hbmColor->image.width() && y < info->hbmColor->image.height()
                                           ? info->hbmColor->image.pixel(x, y)
                                           : 0xff000000);
            out.setPixel(x, y, transparent ? 0u : (c | 0xff000000));
        }
    return iconFromImage(out, false);
}

HICON CopyIcon(HICON icon) { return icon ? iconFromImage(icon->color, false) : nullptr; }

BOOL DestroyIcon(HICON icon)
{
    if (!icon)
        return FALSE;
    if (!icon->shared)
        delete icon;
    return TRUE;
}

namespace win {

const QPixmap& PixmapOfIcon(HICON icon)
{
    static const QPixmap none;
    return icon ? icon->pixmap : none;
}

QImage ImageOfIcon(HICON icon) { return icon ? icon->color : QImage(); }

} // namespace win

// ---- Stock objects --------------------------------------------------------------------

CGdiObject* GetStockObject(int index)
{
    static CBrush white(RGB(255, 255, 255)), ltgray(RGB(192, 192, 192)), gray(RGB(128, 128, 128)),
        dkgray(RGB(64, 64, 64)), black(RGB(0, 0, 0));
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
    case DKGRAY_BRUSH: return &dkgray;
    case BLACK_BRUSH: return &black;
    case NULL_BRUSH: return &CBrush::Hollow();
    case WHITE_PEN: return &whitePen;
    case BLACK_PEN: return &blackPen;
    case NULL_PEN: return &nullPen;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return &guiFont;
    default: return nullptr;
    }
}
