#include "platform/win/ImageList.h"

#include "platform/win/CommCtrl.h"
#include "platform/win/Dc.h"
#include "platform/win/GdiImpl.h"
#include "platform/win/Wnd.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <algorithm>
#include <vector>

struct HIMAGELIST__ {
    int cx = 16;
    int cy = 16;
    UINT flags = 0;
    COLORREF bk = CLR_NONE;
    std::vector<QImage> images; // ARGB32, transparent where masked
};

namespace {

constexpr QRgb kWhite = 0xffffff;

QImage opaque(const QImage& src) { return src.convertToFormat(QImage::Format_ARGB32); }

// Cuts a bitmap into pictures of the list's size; a mask's white pixels (or the key colour) become transparent.
std::vector<QImage> cut(const HIMAGELIST__& l, CBitmap* image, const QImage* mask, const COLORREF* key)
{
    std::vector<QImage> out;
    if (!image || !image->GetSafeHandle())
        return out;
    win::detail::DibToImage(image->GetSafeHandle());
    QImage pic = opaque(image->GetSafeHandle()->image);
    const QRgb keyRgb = key ? qRgb(GetRValue(*key), GetGValue(*key), GetBValue(*key)) & 0xffffff : 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            bool transparent = false;
            if (mask && x < mask->width() && y < mask->height())
                transparent = (mask->pixel(x, y) & 0xffffff) == kWhite;
            else if (key)
                transparent = (pic.pixel(x, y) & 0xffffff) == keyRgb;
            if (transparent)
                pic.setPixel(x, y, 0);
        }
    const int count = std::max(1, pic.width() / std::max(1, l.cx));
    for (int i = 0; i < count; ++i) {
        QImage one(l.cx, l.cy, QImage::Format_ARGB32);
        one.fill(0);
        for (int y = 0; y < std::min(l.cy, pic.height()); ++y)
            for (int x = 0; x < l.cx && i * l.cx + x < pic.width(); ++x)
                one.setPixel(x, y, pic.pixel(i * l.cx + x, y));
        out.push_back(one);
    }
    return out;
}

QImage maskImage(CBitmap* mask)
{
    if (!mask || !mask->GetSafeHandle())
        return {};
    win::detail::DibToImage(mask->GetSafeHandle());
    return mask->GetSafeHandle()->image;
}

HICON iconOf(const QImage& image)
{
    auto* icon = new HICON__;
    icon->color = image.convertToFormat(QImage::Format_ARGB32);
    icon->pixmap = QPixmap::fromImage(icon->color);
    return icon;
}

// The one drag of the program.
struct DragState {
    QImage image;
    QPoint hotSpot;
    QPoint origin; // the lock window's upper-left corner on the screen
    QPointer<QLabel> window;
    QPoint at;     // the pointer, on the screen
    bool active = false;
};

DragState& drag()
{
    static DragState d;
    return d;
}

void placeDragWindow()
{
    DragState& d = drag();
    if (d.window)
        d.window->move(d.at - d.hotSpot);
}

} // namespace

CImageList::CImageList() = default;

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int)
{
    if (m_list || cx <= 0 || cy <= 0)
        return FALSE;
    m_list = new HIMAGELIST__;
    m_list->cx = cx;
    m_list->cy = cy;
    m_list->flags = flags;
    return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF maskColor)
{
    CBitmap strip;
    if (!strip.LoadBitmap(bitmapId))
        return FALSE;
    const CSize size = strip.GetSize();
    if (!Create(cx, size.cy, ILC_COLOR24 | ILC_MASK, 0, grow))
        return FALSE;
    Add(&strip, maskColor);
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_list)
        return FALSE;
    delete m_list;
    m_list = nullptr;
    return TRUE;
}

int CImageList::GetImageCount() const { return m_list ? int(m_list->images.size()) : 0; }

CSize CImageList::GetImageSize() const { return m_list ? CSize(m_list->cx, m_list->cy) : CSize(0, 0); }

int CImageList::Add(CBitmap* image, CBitmap* mask)
{
    if (!m_list)
        return -1;
    const QImage m = maskImage(mask);
    std::vector<QImage> pics = cut(*m_list, image, mask ? &m : nullptr, nullptr);
    if (pics.empty())
        return -1;
    const int first = int(m_list->images.size());
    m_list->images.insert(m_list->images.end(), pics.begin(), pics.end());
    return first;
}

int CImageList::Add(CBitmap* image, COLORREF maskColor)
{
    if (!m_list)
        return -1;
    std::vector<QImage> pics = cut(*m_list, image, nullptr, &maskColor);
    if (pics.empty())
        return -1;
    const int first = int(m_list->images.size());
    m_list->images.insert(m_list->images.end(), pics.begin(), pics.end());
    return first;
}

int CImageList::Add(HICON icon) { return Replace(-1, icon); }

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask)
{
    if (!m_list || index < 0 || index >= GetImageCount())
        return FALSE;
    const QImage m = maskImage(mask);
    std::vector<QImage> pics = cut(*m_list, image, mask ? &m : nullptr, nullptr);
    if (pics.empty())
        return FALSE;
    m_list->images[size_t(index)] = pics.front();
    return TRUE;
}

int CImageList::Replace(int index, HICON icon)
{
    if (!m_list || !icon || index < -1 || index >= GetImageCount())
        return -1;
    QImage pic = win::ImageOfIcon(icon).convertToFormat(QImage::Format_ARGB32);
    if (pic.size() != QSize(m_list->cx, m_list->cy))
        pic = pic.scaled(m_list->cx, m_list->cy);
    if (index == -1) {
        m_list->images.push_back(pic);
        return GetImageCount() - 1;
    }
    m_list->images[size_t(index)] = pic;
    return index;
}

BOOL CImageList::Remove(int index)
{
    if (!m_list)
        return FALSE;
    if (index == -1) {
        m_list->images.clear();
        return TRUE;
    }
    if (index < 0 || index >= GetImageCount())
        return FALSE;
    m_list->images.erase(m_list->images.begin() + index);
    return TRUE;
}

HICON CImageList::ExtractIcon(int index) const { return ImageList_GetIcon(m_list, index, ILD_NORMAL); }

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT) const
{
    if (!dc || !m_list || index < 0 || index >= GetImageCount())
        return FALSE;
    QImage pic = m_list->images[size_t(index)];
    if (m_list->bk != CLR_NONE) {
        // A background colour fills the transparent pixels.
        QImage filled(pic.size(), QImage::Format_ARGB32);
        filled.fill(qRgb(GetRValue(m_list->bk), GetGValue(m_list->bk), GetBValue(m_list->bk)));
        for (int y = 0; y < pic.height(); ++y)
            for (int x = 0; x < pic.width(); ++x)
                if (qAlpha(pic.pixel(x, y)))
                    filled.setPixel(x, y, pic.pixel(x, y));
        pic = filled;
    }
    HICON icon = iconOf(pic);
    const BOOL ok = dc->DrawIconEx(point.x, point.y, icon, pic.width(), pic.height());
    DestroyIcon(icon);
    return ok;
}

COLORREF CImageList::SetBkColor(COLORREF color)
{
    if (!m_list)
        return CLR_NONE;
    const COLORREF old = m_list->bk;
    m_list->bk = color;
    return old;
}

COLORREF CImageList::GetBkColor() const { return m_list ? m_list->bk : CLR_NONE; }

BOOL CImageList::BeginDrag(int image, CPoint hotSpot)
{
    DragState& d = drag();
    if (!m_list || image < 0 || image >= GetImageCount() || d.active)
        return FALSE;
    d.image = m_list->images[size_t(image)];
    d.hotSpot = QPoint(hotSpot.x, hotSpot.y);
    d.active = true;
    return TRUE;
}

BOOL CImageList::DragEnter(CWnd* lock, CPoint point)
{
    DragState& d = drag();
    if (!d.active)
        return FALSE;
    d.origin = QPoint(0, 0);
    if (lock && lock->GetSafeHwnd()) {
        CRect r;
        lock->GetWindowRect(&r);
        d.origin = QPoint(r.left, r.top);
    }
    if (!d.window) {
        auto* w = new QLabel;
        w->setObjectName("mirtal-drag-image");
        w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus);
        w->setAttribute(Qt::WA_TranslucentBackground);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setPixmap(QPixmap::fromImage(d.image));
        w->resize(d.image.size());
        d.window = w;
    }
    d.at = d.origin + QPoint(point.x, point.y);
    placeDragWindow();
    d.window->show();
    return TRUE;
}

BOOL CImageList::DragMove(CPoint point)
{
    DragState& d = drag();
    if (!d.active)
        return FALSE;
    d.at = d.origin + QPoint(point.x, point.y);
    placeDragWindow();
    return TRUE;
}

BOOL CImageList::DragShowNolock(BOOL show)
{
    DragState& d = drag();
    if (!d.active || !d.window)
        return FALSE;
    d.window->setVisible(show != FALSE);
    return TRUE;
}

BOOL CImageList::DragLeave(CWnd*)
{
    DragState& d = drag();
    if (d.window)
        d.window->hide();
    return d.active;
}

void CImageList::EndDrag()
{
    DragState& d = drag();
    delete d.window.data();
    d = DragState{};
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT)
{
    if (!list || index < 0 || index >= int(list->images.size()))
        return nullptr;
    return iconOf(list->images[size_t(index)]);
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? int(list->images.size()) : 0; }

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy)
{
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

namespace win {

CRect DragImageRect()
{
    const DragState& d = drag();
    if (!d.window || d.window->isHidden())
        return CRect();
    const QRect g = d.window->geometry();
    return CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

} // namespace win
