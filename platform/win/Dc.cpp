#include "platform/win/Dc.h"

#include "platform/win/Display.h"
#include "platform/win/Wnd.h"
#include "platform/win/WndImpl.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

COLORREF colorref(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

QPainter::CompositionMode compositionFor(DWORD rop)
{
    switch (rop) {
    case SRCAND: return QPainter::RasterOp_SourceAndDestination;
    case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
    case SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
    default: return QPainter::CompositionMode_Source;
    }
}

} // namespace

CDC::CDC() = default;

CDC::~CDC() { End(); }

void CDC::Begin(QPaintDevice* device, const QFont* font)
{
    End();
    m_painter = std::make_unique<QPainter>(device);
    m_baseFont = std::make_unique<QFont>(font ? *font : win::DialogFont("MS Shell Dlg", 8));
    applyPen();
    applyBrush();
    applyFont();
}

void CDC::BeginScratch(const QFont* font)
{
    End();
    m_scratch = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    m_scratch->fill(Qt::black);
    Begin(m_scratch.get(), font);
}

void CDC::End()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    m_memory = true;
    // One pixel of black, as a fresh memory DC has, until a bitmap is selected.
    BeginScratch(nullptr);
    return TRUE;
}

BOOL CDC::CreateIC(const char*, const char*, const char*, const void*)
{
    m_info = true;
    BeginScratch(nullptr);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    End();
    m_bitmap = nullptr;
    return TRUE;
}

const QFont& CDC::currentFont() const
{
    if (m_font && m_font->IsCreated())
        return m_font->GetQFont();
    static const QFont fallback = win::DialogFont("MS Shell Dlg", 8);
    return m_baseFont ? *m_baseFont : fallback;
}

void CDC::applyPen()
{
    if (!m_painter)
        return;
    if (!m_pen || !m_pen->IsCreated()) {
        m_painter->setPen(QPen(Qt::black, 1));
        return;
    }
    if (m_pen->Style() == PS_NULL) {
        m_painter->setPen(Qt::NoPen);
        return;
    }
    QPen p(qcolor(m_pen->Color()), std::max(m_pen->Width(), 1));
    p.setStyle(m_pen->Style() == PS_DASH ? Qt::DashLine : m_pen->Style() == PS_DOT ? Qt::DotLine : Qt::SolidLine);
    m_painter->setPen(p);
}

void CDC::applyBrush()
{
    if (!m_painter)
        return;
    if (!m_brush || !m_brush->IsCreated())
        m_painter->setBrush(Qt::white);
    else if (m_brush->IsHollow())
        m_painter->setBrush(Qt::NoBrush);
    else
        m_painter->setBrush(qcolor(m_brush->Color()));
}

void CDC::applyFont()
{
    if (m_painter)
        m_painter->setFont(currentFont());
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_pen ? m_pen : static_cast<CPen*>(GetStockObject(BLACK_PEN));
    m_pen = pen;
    applyPen();
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_brush ? m_brush : static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    m_brush = brush;
    applyBrush();
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_font ? m_font : static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
    m_font = font;
    applyFont();
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    CBitmap* old = m_bitmap;
    if (!m_memory)
        return nullptr;
    m_bitmap = bitmap;
    QImage* img = bitmap ? bitmap->image() : nullptr;
    const QFont base = m_baseFont ? *m_baseFont : win::DialogFont("MS Shell Dlg", 8);
    if (img)
        Begin(img, &base);
    else
        BeginScratch(&base);
    return old;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* obj = GetStockObject(index);
    if (auto* p = dynamic_cast<CPen*>(obj))
        return SelectObject(p);
    if (auto* b = dynamic_cast<CBrush*>(obj))
        return SelectObject(b);
    if (auto* f = dynamic_cast<CFont*>(obj))
        return SelectObject(f);
    return nullptr;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

int CDC::SetBkMode(int mode)
{
    const int old = m_bkMode;
    m_bkMode = mode;
    return old;
}

void CDC::FillSolidRect(LPCRECT r, COLORREF color)
{
    if (m_painter)
        m_painter->fillRect(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top), qcolor(color));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::FillRect(LPCRECT r, CBrush* brush)
{
    if (m_painter && brush && brush->IsCreated() && !brush->IsHollow())
        FillSolidRect(r, brush->Color());
}

void CDC::FrameRect(LPCRECT r, CBrush* brush)
{
    if (!m_painter || !brush || !brush->IsCreated() || brush->IsHollow())
        return;
    const COLORREF c = brush->Color();
    FillSolidRect(r->left, r->top, r->right - r->left, 1, c);
    FillSolidRect(r->left, r->bottom - 1, r->right - r->left, 1, c);
    FillSolidRect(r->left, r->top, 1, r->bottom - r->top, c);
    FillSolidRect(r->right - 1, r->top, 1, r->bottom - r->top, c);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight)
{
    const int w = r->right - r->left;
    const int h = r->bottom - r->top;
    FillSolidRect(r->left, r->top, w - 1, 1, topLeft);
    FillSolidRect(r->left, r->top, 1, h - 1, topLeft);
    FillSolidRect(r->right - 1, r->top, 1, h, bottomRight);
    FillSolidRect(r->left, r->bottom - 1, w, 1, bottomRight);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (!m_painter)
        return FALSE;
    // The outline lies inside the rectangle; right and bottom are exclusive.
    if (m_painter->pen().style() == Qt::NoPen)
        m_painter->fillRect(QRect(left, top, right - left, bottom - top), m_painter->brush());
    else
        m_painter->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    if (!m_painter)
        return FALSE;
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_painter->drawRoundedRect(QRectF(left, top, right - left - 1, bottom - top - 1), width / 2.0, height / 2.0);
    m_painter->restore();
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_painter)
        return FALSE;
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_painter->drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
    m_painter->restore();
    return TRUE;
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint old = m_pos;
    m_pos = CPoint(x, y);
    return old;
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_painter)
        return FALSE;
    m_painter->drawLine(m_pos.x, m_pos.y, x, y);
    m_pos = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!m_painter || count < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    m_painter->drawPolygon(poly);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (!m_painter || count < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    m_painter->drawPolyline(poly);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    if (!m_painter)
        return FALSE;
    const QString t = QString::fromStdString(text);
    const QFontMetrics fm(currentFont());
    const QRect box(x, y, fm.horizontalAdvance(t), fm.height());
    if (m_bkMode == OPAQUE)
        m_painter->fillRect(box, qcolor(m_bkColor));
    m_painter->save();
    m_painter->setPen(qcolor(m_textColor));
    m_painter->drawText(QPoint(x, y + fm.ascent()), t);
    m_painter->restore();
    return TRUE;
}

int CDC::DrawText(const std::string& text, LPRECT rect, UINT format)
{
    QString t = QString::fromStdString(text);
    const QFontMetrics fm(currentFont());
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    QRect box(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    if ((format & DT_END_ELLIPSIS) && (format & DT_SINGLELINE))
        t = fm.elidedText(t, Qt::ElideRight, box.width());
    if (format & DT_CALCRECT) {
        const QRect bounds = fm.boundingRect(QRect(box.left(), box.top(), (format & DT_WORDBREAK) ? box.width() : 1 << 20, 1 << 20),
                                             flags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom),
                                             t);
        rect->right = rect->left + bounds.width();
        rect->bottom = rect->top + bounds.height();
        return bounds.height();
    }
    if (!m_painter)
        return 0;
    const QRect used = fm.boundingRect(box, flags, t);
    if (m_bkMode == OPAQUE)
        m_painter->fillRect(used, qcolor(m_bkColor));
    m_painter->save();
    m_painter->setPen(qcolor(m_textColor));
    if (!(format & DT_NOCLIP))
        m_painter->setClipRect(box, Qt::IntersectClip);
    m_painter->drawText(box, flags, t);
    m_painter->restore();
    return used.height();
}

CSize CDC::GetTextExtent(const std::string& text) const
{
    const QFontMetrics fm(currentFont());
    const QString t = QString::fromStdString(text);
    return CSize(fm.horizontalAdvance(t), fm.height());
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    const QFontMetrics fm(currentFont());
    tm->tmHeight = fm.height();
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmInternalLeading = fm.height() - currentFont().pixelSize();
    tm->tmExternalLeading = fm.leading();
    tm->tmAveCharWidth = fm.averageCharWidth();
    tm->tmMaxCharWidth = fm.maxWidth();
    tm->tmWeight = currentFont().weight();
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, DWORD rop)
{
    return StretchBlt(x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                     int srcHeight, DWORD rop)
{
    if (!m_painter || !src || !src->m_bitmap || !src->m_bitmap->image())
        return FALSE;
    const QImage* img = src->m_bitmap->image();
    m_painter->save();
    m_painter->setCompositionMode(compositionFor(rop));
    m_painter->drawImage(QRect(x, y, width, height), *img, QRect(srcX, srcY, srcWidth, srcHeight));
    m_painter->restore();
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    if (!m_painter || !icon)
        return FALSE;
    m_painter->drawPixmap(x, y, win::PixmapOfIcon(icon));
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (m_memory && m_bitmap && m_bitmap->image()) {
        QImage* img = m_bitmap->image();
        if (x < 0 || y < 0 || x >= img->width() || y >= img->height())
            return COLORREF(-1);
        // Pixels of a selected bitmap change through the painter, which owns the image now.
        m_painter->save();
        m_painter->setCompositionMode(QPainter::CompositionMode_Source);
        m_painter->fillRect(QRect(x, y, 1, 1), qcolor(color));
        m_painter->restore();
        return color;
    }
    if (!m_painter)
        return COLORREF(-1);
    m_painter->fillRect(QRect(x, y, 1, 1), qcolor(color));
    return color;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (!m_memory || !m_bitmap || !m_bitmap->image())
        return COLORREF(-1);
    const QImage* img = m_bitmap->image();
    if (x < 0 || y < 0 || x >= img->width() || y >= img->height())
        return COLORREF(-1);
    return colorref(img->pixel(x, y));
}

int CDC::GetDeviceCaps(int index) const
{
    const win::DisplayMetrics m = win::CurrentDisplay();
    switch (index) {
    case LOGPIXELSX: return m.dpiX;
    case LOGPIXELSY: return m.dpiY;
    case HORZRES: return m.width;
    case VERTRES: return m.height;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    default: return 0;
    }
}

int CDC::SaveDC()
{
    if (!m_painter)
        return 0;
    m_painter->save();
    return ++m_saved;
}

BOOL CDC::RestoreDC(int saved)
{
    if (!m_painter || m_saved == 0)
        return FALSE;
    const int target = saved < 0 ? m_saved + saved : saved - 1;
    while (m_saved > std::max(target, 0)) {
        m_painter->restore();
        --m_saved;
    }
    return TRUE;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    if (!m_painter)
        return 0;
    m_painter->setClipRect(QRect(left, top, right - left, bottom - top), Qt::IntersectClip);
    return 2; // a simple region
}

// ---- Window DCs ----------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* wnd)
{
    QWidget* w = wnd ? wnd->widget() : nullptr;
    win::detail::PaintContext* ctx = win::detail::CurrentPaint();
    const QFont font = w ? w->font() : win::DialogFont("MS Shell Dlg", 8);
    if (w && ctx && ctx->widget == w) {
        m_ps.rcPaint = ctx->rect;
        Begin(w, &font);
    } else {
        // Not in the window's paint message: nothing to paint.
        BeginScratch(&font);
    }
}

CPaintDC::~CPaintDC() { End(); }

CClientDC::CClientDC(CWnd* wnd)
{
    QWidget* w = wnd ? wnd->widget() : nullptr;
    const QFont font = w ? w->font() : win::DialogFont("MS Shell Dlg", 8);
    BeginScratch(&font);
}
