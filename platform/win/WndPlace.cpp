#include "platform/win/Wnd.h"

#include "platform/win/Display.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QApplication>
#include <QLayout>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>

// Place, size, shown state, painting and focus of a window.

using namespace win::detail;

// ---- Place and size -------------------------------------------------------------

void CWnd::PlaceQuietly(int x, int y, int width, int height)
{
    QWidget* f = frameWidget();
    if (!f)
        return;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!f->isWindow()) {
        if (m_impl->shownForFocus)
            m_impl->hiddenGeometry = QRect(x, y, width, height);
        else
            f->setGeometry(x, y, width, height);
        return;
    }
    f->move(x, y);
    if (m_style & WS_THICKFRAME)
        f->resize(width, height);
    else
        f->setFixedSize(width, height);
    if (!f->isVisible())
        m_impl->pendingOuterSize = QSize(width, height);
    // The client area follows the frame at once (its own size event waits for the show).
    if (f->layout())
        f->layout()->activate();
}

void CWnd::OnFrameShown()
{
    QWidget* f = frameWidget();
    if (!f || !m_impl->pendingOuterSize)
        return;
    const QSize outer = *m_impl->pendingOuterSize;
    m_impl->pendingOuterSize.reset();
    const QSize margins = f->frameGeometry().size() - f->geometry().size();
    if (margins.isEmpty() || (margins.width() == 0 && margins.height() == 0))
        return;
    const QSize inner(std::max(outer.width() - margins.width(), 0), std::max(outer.height() - margins.height(), 0));
    if (m_style & WS_THICKFRAME)
        f->resize(inner);
    else
        f->setFixedSize(inner);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    QWidget* f = frameWidget();
    if (!f)
        return;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (f->isWindow()) {
        // Window rectangles are outer rectangles, decorations included.
        const QRect outer = f->frameGeometry();
        const QRect inner = f->geometry();
        const QSize size(std::max(width - (outer.width() - inner.width()), 0),
                         std::max(height - (outer.height() - inner.height()), 0));
        f->move(x, y);
        if (m_style & WS_THICKFRAME)
            f->resize(size);
        else
            f->setFixedSize(size); // no sizing border: the user cannot resize it
        // Before the first show the frame is not known: the size is made good then.
        if (!f->isVisible())
            m_impl->pendingOuterSize = QSize(width, height);
        else
            m_impl->pendingOuterSize.reset();

    } else if (m_impl->shownForFocus) {
        m_impl->hiddenGeometry = QRect(x, y, width, height);
        f->move(x, y);
    } else {
        f->setGeometry(x, y, width, height);
    }
    FlushGeometry(f);
    if (widget() != f)
        FlushGeometry(widget());
    if (repaint)
        f->update();
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    QWidget* f = frameWidget();
    if (!f)
        return FALSE;
    CRect rc;
    GetWindowRect(rc);
    if (GetStyle() & WS_CHILD)
        if (CWnd* p = GetParent())
            p->ScreenToClient(rc);
    if (flags & SWP_NOMOVE) {
        x = rc.left;
        y = rc.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = rc.Width();
        cy = rc.Height();
    }
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE))
        MoveWindow(x, y, cx, cy, !(flags & SWP_NOREDRAW));
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == &wndBottom)
            f->lower();
        else if (!insertAfter || insertAfter == &wndTop || insertAfter == &wndTopMost)
            f->raise();
        else if (insertAfter->frameWidget() && insertAfter->frameWidget()->parentWidget() == f->parentWidget())
            f->stackUnder(insertAfter->frameWidget());
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    *rect = RECT{};
    QWidget* f = frameWidget();
    if (!f)
        return;
    if (f->isWindow()) {
        const QRect g = f->frameGeometry();
        *rect = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    } else {
        const QRect g = m_impl->shownForFocus ? m_impl->hiddenGeometry : f->geometry();
        const QPoint p = f->parentWidget() ? f->parentWidget()->mapToGlobal(g.topLeft()) : g.topLeft();
        *rect = RECT{p.x(), p.y(), p.x() + g.width(), p.y() + g.height()};
    }
}

void CWnd::GetClientRect(LPRECT rect) const
{
    *rect = RECT{};
    if (m_impl->shownForFocus)
        *rect = RECT{0, 0, m_impl->hiddenGeometry.width(), m_impl->hiddenGeometry.height()};
    else if (QWidget* w = widget())
        *rect = RECT{0, 0, w->width(), w->height()};
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (QWidget* w = widget()) {
        const QPoint p = w->mapToGlobal(QPoint(point->x, point->y));
        point->x = p.x();
        point->y = p.y();
    }
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    POINT tl{rect->left, rect->top};
    ClientToScreen(&tl);
    const LONG dx = tl.x - rect->left;
    const LONG dy = tl.y - rect->top;
    *rect = RECT{rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (QWidget* w = widget()) {
        const QPoint p = w->mapFromGlobal(QPoint(point->x, point->y));
        point->x = p.x();
        point->y = p.y();
    }
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    POINT tl{rect->left, rect->top};
    ScreenToClient(&tl);
    const LONG dx = tl.x - rect->left;
    const LONG dy = tl.y - rect->top;
    *rect = RECT{rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    CRect self;
    GetWindowRect(self);
    CRect area;
    if (GetStyle() & WS_CHILD) {
        CWnd* p = GetParent();
        if (!p)
            return;
        p->GetClientRect(area);
        const int x = (area.Width() - self.Width()) / 2;
        const int y = (area.Height() - self.Height()) / 2;
        MoveWindow(x, y, self.Width(), self.Height());
        return;
    }
    const CRect work = win::WorkArea();
    CWnd* owner = alternateOwner ? alternateOwner : GetParent();
    if (owner && owner->IsWindowVisible() && !owner->IsIconic())
        owner->GetWindowRect(area);
    else
        area = work;
    int x = area.left + (area.Width() - self.Width()) / 2;
    int y = area.top + (area.Height() - self.Height()) / 2;
    // Kept inside the work area where it fits.
    x = std::max<int>(work.left, std::min<int>(x, work.right - self.Width()));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - self.Height()));
    MoveWindow(x, y, self.Width(), self.Height());
}

BOOL CWnd::BringWindowToTop()
{
    if (QWidget* f = frameWidget()) {
        f->raise();
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::SetForegroundWindow()
{
    if (QWidget* f = frameWidget()) {
        f->raise();
        f->activateWindow();
        return TRUE;
    }
    return FALSE;
}

// ---- State ----------------------------------------------------------------------

namespace {

// Maximising a shown window here returns before the window system gives it its new
// size (Windows sends the new size at once). Until then the window is not painted,
// so it does not show once more at its old size first; a window system that never
// resizes it gets its paints back after a moment.
void holdPaintUntilResized(QWidget* frame)
{
    class Release : public QObject {
    public:
        explicit Release(QWidget* w) : QObject(w), m_frame(w)
        {
            w->installEventFilter(this);
            QTimer::singleShot(300, this, [this] { done(); });
        }
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Resize || e->type() == QEvent::Hide)
                done();
            return false;
        }

    private:
        void done()
        {
            if (m_frame)
                m_frame->setUpdatesEnabled(true);
            deleteLater();
        }
        QPointer<QWidget> m_frame;
    };
    if (!frame->updatesEnabled())
        return;
    frame->setUpdatesEnabled(false);
    new Release(frame);
}

} // namespace

BOOL CWnd::ShowWindow(int cmdShow)
{
    QWidget* f = frameWidget();
    if (!f)
        return FALSE;
    if (m_impl->shownForFocus) {
        // Back to a real hidden state first.
        m_impl->shownForFocus = false;
        f->hide();
        f->setGeometry(m_impl->hiddenGeometry);
    }
    const BOOL wasVisible = !f->isHidden();
    switch (cmdShow) {
    case SW_HIDE:
        f->hide();
        break;
    case SW_SHOWMAXIMIZED:
        if (f->isWindow()) {
            if (f->isVisible() && !f->isMaximized())
                holdPaintUntilResized(f);
            f->showMaximized();
        } else {
            f->show();
        }
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (f->isWindow())
            f->showMinimized();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        if (f->isWindow())
            f->showNormal();
        else
            f->show();
        break;
    default:
        f->show();
        break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    QWidget* f = frameWidget();
    return f && f->isVisible() && !m_impl->shownForFocus;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    QWidget* w = frameWidget();
    if (!w)
        return FALSE;
    const BOOL wasDisabled = !w->isEnabled();
    w->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* w = frameWidget();
    return w && w->isEnabled();
}

BOOL CWnd::IsIconic() const
{
    QWidget* f = frameWidget();
    return f && f->isWindow() && (f->windowState() & Qt::WindowMinimized);
}

BOOL CWnd::IsZoomed() const
{
    QWidget* f = frameWidget();
    return f && f->isWindow() && (f->windowState() & Qt::WindowMaximized);
}

// ---- Painting -------------------------------------------------------------------

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL)
{
    if (!OnUiThread()) {
        // From another thread (a meter's timer): the repaint is asked on the user-interface thread.
        const HWND h = m_hWnd;
        const std::optional<RECT> r = rect ? std::optional<RECT>(*rect) : std::nullopt;
        QMetaObject::invokeMethod(
            qApp,
            [h, r] {
                if (CWnd* w = CWnd::FromHandle(h))
                    w->InvalidateRect(r ? &*r : nullptr);
            },
            Qt::QueuedConnection);
        return;
    }
    if (QWidget* w = widget()) {
        if (rect)
            w->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
        else
            w->update();
    }
}

void CWnd::UpdateWindow()
{
    if (QWidget* w = widget(); w && w->isVisible())
        w->repaint();
}

BOOL CWnd::RedrawWindow(LPCRECT rect, void*, UINT flags)
{
    if (flags & RDW_INVALIDATE)
        InvalidateRect(rect);
    if (flags & RDW_UPDATENOW)
        UpdateWindow();
    return TRUE;
}

// ---- Focus ----------------------------------------------------------------------

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (QWidget* w = widget()) {
        if (w->isHidden() && !w->isWindow() && !m_impl->shownForFocus) {
            // A hidden window can hold the focus, as the program's focus sinks do.
            m_impl->shownForFocus = true;
            m_impl->hiddenGeometry = w->geometry();
            w->setGeometry(QRect(w->geometry().topLeft(), QSize(0, 0)));
            w->show();
        }
        QWidget* top = w->window();
        if (top->isVisible() && !top->isActiveWindow())
            top->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
    }
    return old;
}

CWnd* CWnd::GetFocus()
{
    QWidget* w = QApplication::focusWidget();
    return w ? FromHandle(HandleOfWidget(w)) : nullptr;
}

void CWnd::GotoDlgCtrl(CWnd* control)
{
    if (control)
        control->SetFocus();
}
