// Inline images of the drawer (bitmaps, icons, frames of image strips and
// image lists, animated or not), strings from the resources, and the tiled
// background images of tables.
#include "controls/PPHtmlDrawer.h"

#include "platform/win/Display.h"
#include "platform/win/WinDefs.h"
#include "platform/win/ImageList.h"
#include "platform/win/Resources.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

// Image files are read only when they are ordinary files of a sane size, so a
// name such as a device never blocks the drawer.
bool ReadableImageFile(const std::string& file)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(file);
    if (file.empty() || !fs::is_regular_file(p, ec))
        return false;
    const auto size = fs::file_size(p, ec);
    return !ec && size <= 64u * 1024 * 1024;
}

HBITMAP LoadBitmapSource(int idres, const std::string& file)
{
    if (idres != 0)
        return static_cast<HBITMAP>(LoadImage(nullptr, UINT(idres), IMAGE_BITMAP, 0, 0, 0));
    if (ReadableImageFile(file))
        return static_cast<HBITMAP>(LoadImage(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    // Resource libraries ("iddll" with "srcdll") do not exist on this platform:
    // loading one would run its code, so such images are never found.
    return nullptr;
}

bool IsAlnumDot(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.';
}

} // namespace

DWORD CPPHtmlDrawer::ParseImageStyleLetters(const std::string& value) const
{
    DWORD flags = 0;
    for (char c : value) {
        switch (c) {
        case 'g': flags |= IMAGE_EFFECT_GRAYEN; break;
        case 'd': flags |= IMAGE_EFFECT_DARKEN; break;
        case 'l': flags |= IMAGE_EFFECT_LIGHTEN; break;
        case 's':
            if (m_shadowDx != 0 || m_shadowDy != 0)
                flags |= m_shadowBlurred ? IMAGE_EFFECT_BLUR_SHADOW : IMAGE_EFFECT_SHADOW;
            break;
        default: break;
        }
    }
    return flags;
}

void CPPHtmlDrawer::ParseImageAttributes(const std::string& attributes, HtmlImageAttributes& image) const
{
    ForEachAttribute(attributes, [&](const std::string& name, const std::string& value) {
        // A raw "handle" is not read: markup must not name drawing objects.
        if (name == "index")
            image.index = ParseLength(value, image.index, false);
        else if (name == "idres")
            image.idres = ParseLength(value, image.idres, false);
        else if (name == "iddll")
            image.iddll = ParseLength(value, image.iddll, false);
        else if (name == "cx")
            image.cx = ParseLength(value, image.cx, false);
        else if (name == "cy")
            image.cy = ParseLength(value, image.cy, false);
        else if (name == "speed")
            image.speed = ParseLength(value, image.speed, false);
        else if (name == "file") {
            if (!value.empty())
                image.file = value;
        } else if (name == "srcdll") {
            if (!value.empty())
                image.srcdll = value;
        } else if (name == "mask") {
            image.maskColor = ParseColor(value, image.maskColor);
            image.useMask = true;
        } else if (name == "style") {
            image.style = image.hotStyle = ParseImageStyleLetters(value);
        } else if (name == "hotstyle") {
            image.hotStyle = ParseImageStyleLetters(value);
        } else if (name == "width") {
            image.widthPercent = !value.empty() && value.back() == '%';
            image.width = ParseLength(value, image.width, false);
        } else if (name == "height") {
            image.heightPercent = !value.empty() && value.back() == '%';
            image.height = ParseLength(value, image.height, false);
        }
    });
}

DWORD CPPHtmlDrawer::ImageEffect(const HtmlImageAttributes& image) const
{
    DWORD flags = (m_style.linkKind != 0 && m_linkIndex == m_hotLink) ? image.hotStyle : image.style;
    if (!m_enabled)
        flags = (flags & ~DWORD(0xFF)) | IMAGE_EFFECT_MONOCHROME;
    return flags;
}

void CPPHtmlDrawer::PlaceImage(int boxW, int boxH, int w, int h, const std::function<void(int x, int y)>& draw)
{
    const int W = m_outRect.right - m_outRect.left;
    const int room = Clamp((long long)W + m_outRect.left - m_x);
    if (m_maxWidth > 0 && boxW > room && W != 0) {
        m_line.wrapped = 1;
        NewLine(1);
    }
    m_lineRoom -= boxW;
    if (m_measuring)
        m_line.align = m_style.hAlign;
    const int y = VerticalImagePlace(boxH);
    if (!m_measuring && w != 0 && h != 0) {
        AddLinkArea(m_x, y, m_x + boxW, y + boxH);
        draw(m_x, y);
    }
    m_x = Clamp((long long)m_x + boxW);
}

void CPPHtmlDrawer::DoImage(int kind, const std::string& attributes)
{
    HtmlImageAttributes image;
    ParseImageAttributes(attributes, image);
    const DWORD effect = ImageEffect(image);
    const bool shadow = ((image.style | image.hotStyle) & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_BLUR_SHADOW)) != 0;
    const auto side = [](int v) { return std::clamp(v, 0, kMaxImageSide); };
    const auto size = [&](int natural, int value, bool percent) {
        return side(percent ? MulDiv(natural, std::min(value, kMaxRepeat * 100), 100) : value);
    };
    const auto box = [&](int w, int h) {
        const bool grow = shadow && w != 0 && h != 0;
        return SIZE{w + (grow ? std::abs(m_shadowDx) : 0), h + (grow ? std::abs(m_shadowDy) : 0)};
    };
    const COLORREF color = m_partShadowColor;

    if (kind == TAG_BITMAP) {
        HBITMAP bmp = LoadBitmapSource(image.idres, image.file);
        if (!bmp)
            return;
        SIZE natural{0, 0};
        m_drawManager.GetBitmapSize(bmp, &natural);
        const int w = size(natural.cx, image.width, image.widthPercent);
        const int h = size(natural.cy, image.height, image.heightPercent);
        const SIZE b = box(w, h);
        PlaceImage(b.cx, b.cy, w, h, [&](int x, int y) {
            m_drawManager.DrawBitmap(m_dc, x, y, w, h, bmp, image.useMask, image.maskColor, effect, shadow, m_shadowDx,
                                     m_shadowDy, m_shadowDepthX, m_shadowDepthY, color);
        });
        ::DeleteObject(bmp);
        return;
    }

    if (kind == TAG_ICON) {
        const int cx = size(GetSystemMetrics(SM_CXICON), image.width, image.widthPercent);
        const int cy = size(GetSystemMetrics(SM_CYICON), image.height, image.heightPercent);
        HICON icon = nullptr;
        if (image.idres != 0)
            icon = static_cast<HICON>(LoadImage(nullptr, UINT(image.idres), IMAGE_ICON, cx, cy, 0));
        else if (ReadableImageFile(image.file))
            icon = static_cast<HICON>(LoadImage(nullptr, image.file.c_str(), IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
        if (!icon)
            return;
        SIZE s{0, 0};
        m_drawManager.GetIconSize(icon, &s);
        const int w = side(s.cx), h = side(s.cy);
        const SIZE b = box(w, h);
        PlaceImage(b.cx, b.cy, w, h, [&](int x, int y) {
            m_drawManager.DrawIcon(m_dc, x, y, w, h, icon, effect, shadow, m_shadowDx, m_shadowDy, m_shadowDepthX,
                                   m_shadowDepthY, color);
        });
        DestroyIcon(icon);
        return;
    }

    // An image strip or the drawer's image list.
    if (image.idres == 0 && image.iddll == 0 && image.file.empty()) {
        if (!m_imageList || image.index < 0 || image.index >= ImageList_GetImageCount(m_imageList))
            return;
        HICON icon = ImageList_GetIcon(m_imageList, image.index, 0);
        if (!icon)
            return;
        const int w = size(m_imageListCx, image.width, image.widthPercent);
        const int h = size(m_imageListCy, image.height, image.heightPercent);
        const SIZE b = box(w, h);
        PlaceImage(b.cx, b.cy, w, h, [&](int x, int y) {
            m_drawManager.DrawIcon(m_dc, x, y, w, h, icon, effect, shadow, m_shadowDx, m_shadowDy, m_shadowDepthX,
                                   m_shadowDepthY, color);
        });
        DestroyIcon(icon);
        return;
    }
    HBITMAP strip = LoadBitmapSource(image.idres, image.file);
    if (!strip)
        return;
    SIZE stripSize{0, 0};
    m_drawManager.GetBitmapSize(strip, &stripSize);
    int fcx = side(image.cx), fcy = side(image.cy);
    if (fcx == 0 && fcy == 0)
        fcx = fcy = std::min(stripSize.cx, stripSize.cy);
    else if (fcx == 0)
        fcx = fcy;
    else if (fcy == 0)
        fcy = fcx;
    const int columns = fcx > 0 ? stripSize.cx / fcx : 0;
    const int rows = fcy > 0 ? stripSize.cy / fcy : 0;
    const int frames = columns * rows;
    int frame = image.index;
    if (image.speed != 0) {
        if (m_measuring) {
            m_animations.push_back(HtmlAnimation{image.index, frames, 0, image.speed});
        } else {
            ++m_animationIndex;
            if (m_animationIndex < int(m_animations.size()))
                frame = m_animations[size_t(m_animationIndex)].frame;
        }
    }
    if (frame >= 0 && frame < frames && columns != 0 && rows != 0) {
        const int w = size(fcx, image.width, image.widthPercent);
        const int h = size(fcy, image.height, image.heightPercent);
        const SIZE b = box(w, h);
        PlaceImage(b.cx, b.cy, w, h, [&](int x, int y) {
            m_drawManager.DrawImageListItem(m_dc, x, y, w, h, strip, frame, fcx, fcy, image.useMask, image.maskColor,
                                            effect, shadow, m_shadowDx, m_shadowDy, m_shadowDepthX, m_shadowDepthY,
                                            color);
        });
    }
    ::DeleteObject(strip);
}

void CPPHtmlDrawer::DoString(const std::string& attributes)
{
    int idres = 0, iddll = 0;
    ForEachAttribute(attributes, [&](const std::string& name, const std::string& value) {
        if (name == "idres")
            idres = ParseLength(value, idres, false);
        else if (name == "iddll")
            iddll = ParseLength(value, iddll, false);
    });
    // Strings of resource libraries are not read (see the images).
    const std::string text = idres != 0 ? LoadResourceString(UINT(idres)) : std::string();
    if (text.empty())
        return;
    const SIZE s = Extent(text);
    const int y = VerticalTextPlace(s.cy);
    if (m_measuring) {
        m_line.align = m_style.hAlign;
    } else {
        AddLinkArea(m_x, y, m_x + s.cx, y + s.cy);
        m_device->Output(m_dc, m_x, y, text);
    }
    m_lineRoom -= s.cx;
    m_x = Clamp((long long)m_x + s.cx);
}

void CPPHtmlDrawer::DrawBackgroundImage(CDC* dc, int x, int y, int cx, int cy, const std::string& spec)
{
    if (!m_enabled || spec.size() <= 5 || cx <= 0 || cy <= 0)
        return;
    size_t i = 0;
    while (i < spec.size() && !IsAlnumDot(spec[i]))
        ++i;
    size_t e = i;
    while (e < spec.size() && spec[e] != ' ' && spec[e] != ':')
        ++e;
    const std::string key = spec.substr(i, e - i);
    size_t v = spec.find(':', e);
    if (v == std::string::npos)
        return;
    ++v;
    while (v < spec.size() && spec[v] == ' ')
        ++v;
    const size_t end = std::min(spec.find(';', v), spec.size());
    const std::string value = spec.substr(v, end - v);
    HBITMAP bmp = nullptr;
    if (key == "idres")
        bmp = LoadBitmapSource(ParseLength(value, 0, false), {});
    else if (key == "file")
        bmp = LoadBitmapSource(0, value);
    if (!bmp)
        return;
    SIZE tile{0, 0};
    m_drawManager.GetBitmapSize(bmp, &tile);
    CDC src;
    if (tile.cx > 0 && tile.cy > 0 && src.CreateCompatibleDC(dc)) {
        // Only the visible part is tiled, starting at a whole tile.
        RECT clip{};
        dc->GetClipBox(&clip);
        const int left = std::max(x, x + (std::max(clip.left - x, 0) / tile.cx) * tile.cx);
        const int top = std::max(y, y + (std::max(clip.top - y, 0) / tile.cy) * tile.cy);
        const int right = std::min(x + cx, int(clip.right));
        const int bottom = std::min(y + cy, int(clip.bottom));
        const HBITMAP old = src.SelectBitmap(bmp);
        // Tiny tiles are grown first so the count of copies stays small.
        CDC big;
        CBitmap bigBmp;
        CDC* from = &src;
        SIZE step = tile;
        if (tile.cx < 32 || tile.cy < 32) {
            const SIZE grown{tile.cx * ((32 + tile.cx - 1) / tile.cx), tile.cy * ((32 + tile.cy - 1) / tile.cy)};
            if (big.CreateCompatibleDC(dc) && bigBmp.CreateCompatibleBitmap(dc, grown.cx, grown.cy)) {
                big.SelectObject(&bigBmp);
                m_drawManager.TileBlt(&big, 0, 0, grown.cx, grown.cy, &src, 0, 0, tile.cx, tile.cy);
                from = &big;
                step = grown;
            }
        }
        if (right > left && bottom > top)
            m_drawManager.TileBlt(dc, left, top, right - left, bottom - top, from, 0, 0, step.cx, step.cy);
        src.SelectBitmap(old);
    }
    ::DeleteObject(bmp);
}
