#include "platform/win/Region.h"

#include "platform/win/Wnd.h"

#include <QWidget>

#include <QPolygon>
#include <QRegion>
#include <cmath>

namespace win {

int RegionKind(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace win

namespace {

QRect rectOf(int l, int t, int r, int b)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    return QRect(l, t, r - l, b - t);
}

// Rows of an ellipse of w by h pixels at (l, t): for each row the span [x0, x1).
QRegion ellipseRows(int l, int t, int w, int h)
{
    QRegion out;
    if (w <= 0 || h <= 0)
        return out;
    const double rx = w / 2.0, ry = h / 2.0;
    for (int y = 0; y < h; ++y) {
        const double dy = (y + 0.5 - ry) / ry;
        const double k = 1.0 - dy * dy;
        if (k <= 0)
            continue;
        const double half = rx * std::sqrt(k);
        const int x0 = int(std::lround(rx - half));
        const int x1 = int(std::lround(rx + half));
        if (x1 > x0)
            out += QRect(l + x0, t + y, x1 - x0, 1);
    }
    return out;
}

} // namespace

CRgn::CRgn() = default;
CRgn::~CRgn() = default;

const QRegion& CRgn::region() const
{
    static const QRegion empty;
    return m_region ? *m_region : empty;
}

void CRgn::setRegion(const QRegion& r) { m_region = std::make_unique<QRegion>(r); }

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    if (m_region)
        return FALSE;
    setRegion(QRegion(rectOf(left, top, right, bottom)));
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT r) { return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : FALSE; }

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int ew, int eh)
{
    if (m_region)
        return FALSE;
    QRect box = rectOf(left, top, right, bottom);
    // GDI leaves out the last column and row of the rectangle.
    box.setWidth(std::max(0, box.width() - 1));
    box.setHeight(std::max(0, box.height() - 1));
    ew = std::min(std::abs(ew), box.width());
    eh = std::min(std::abs(eh), box.height());
    if (ew < 2 || eh < 2) {
        setRegion(QRegion(box));
        return TRUE;
    }
    // The corners are quarters of an ew by eh ellipse; the rest is straight.
    const QRegion corners = ellipseRows(0, 0, ew, eh);
    QRegion r;
    const int midTop = eh / 2, midBottom = box.height() - (eh - eh / 2);
    // The region merges rows of equal span into one rectangle: walk every row.
    for (const QRect& rows : corners)
        for (int y = rows.top(); y <= rows.bottom(); ++y) {
            const int inset = rows.left();
            const QRect span(box.left() + inset, 0, box.width() - 2 * inset, 1);
            if (y < eh / 2)
                r += span.translated(0, box.top() + y);
            else
                r += span.translated(0, box.top() + box.height() - eh + y);
        }
    if (midBottom > midTop)
        r += QRect(box.left(), box.top() + midTop, box.width(), midBottom - midTop);
    setRegion(r);
    return TRUE;
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom)
{
    if (m_region)
        return FALSE;
    const QRect box = rectOf(left, top, right, bottom);
    setRegion(ellipseRows(box.left(), box.top(), std::max(0, box.width() - 1), std::max(0, box.height() - 1)));
    return TRUE;
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT r) { return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : FALSE; }

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    if (m_region || !points || count < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    setRegion(QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
    return TRUE;
}

BOOL CRgn::DeleteObject()
{
    if (!m_region)
        return FALSE;
    m_region.reset();
    return TRUE;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    if (!m_region || !a || !a->m_region)
        return ERROR;
    if (mode == RGN_COPY) {
        *m_region = *a->m_region;
        return win::RegionKind(*m_region);
    }
    if (!b || !b->m_region)
        return ERROR;
    switch (mode) {
    case RGN_AND: *m_region = a->m_region->intersected(*b->m_region); break;
    case RGN_OR: *m_region = a->m_region->united(*b->m_region); break;
    case RGN_XOR: *m_region = a->m_region->xored(*b->m_region); break;
    case RGN_DIFF: *m_region = a->m_region->subtracted(*b->m_region); break;
    default: return ERROR;
    }
    return win::RegionKind(*m_region);
}

int CRgn::OffsetRgn(int dx, int dy)
{
    if (!m_region)
        return ERROR;
    m_region->translate(dx, dy);
    return win::RegionKind(*m_region);
}

BOOL CRgn::PtInRegion(int x, int y) const { return m_region && m_region->contains(QPoint(x, y)); }

BOOL CRgn::RectInRegion(LPCRECT r) const
{
    return m_region && r && m_region->intersects(rectOf(r->left, r->top, r->right, r->bottom));
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    if (!m_region || !rect)
        return ERROR;
    const QRect b = m_region->boundingRect();
    if (m_region->isEmpty())
        *rect = RECT{0, 0, 0, 0};
    else
        *rect = RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    return win::RegionKind(*m_region);
}

BOOL CRgn::EqualRgn(const CRgn* other) const
{
    return m_region && other && other->m_region && *m_region == *other->m_region;
}

BOOL CRgn::SetRectRgn(int left, int top, int right, int bottom)
{
    if (!m_region)
        return FALSE;
    *m_region = QRegion(rectOf(left, top, right, bottom));
    return TRUE;
}

// ---- window shapes --------------------------------------------------------------------------

int CWnd::SetWindowRgn(const CRgn* region, BOOL redraw)
{
    QWidget* w = frameWidget();
    if (!w)
        return 0;
    // Qt's mask clips both the painting and the hit testing, as a window region does.
    if (region && region->IsCreated())
        w->setMask(region->region());
    else
        w->clearMask();
    if (redraw)
        w->update();
    return 1;
}

int CWnd::GetWindowRgn(CRgn* region) const
{
    QWidget* w = frameWidget();
    if (!w || !region || !region->IsCreated() || w->mask().isEmpty())
        return ERROR;
    region->setRegion(w->mask());
    return win::RegionKind(w->mask());
}
