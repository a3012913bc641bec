#include "platform/win/Input.h"

#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <map>

using namespace win::detail;

namespace {

HWND& captureWindow()
{
    static HWND h = nullptr;
    return h;
}

// Hover tracking of one window: the hover time runs again whenever the
// pointer moves more than a few pixels from where it rested.
class HoverWatch : public QObject {
public:
    HoverWatch(QWidget* w, HWND hwnd, int ms) : m_widget(w), m_hwnd(hwnd)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(ms);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { fire(); });
        w->setMouseTracking(true);
        w->installEventFilter(this);
        m_timer.start();
    }
    ~HoverWatch() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }

private:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseMove) {
            const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
            if ((p - m_rest).manhattanLength() > 4) {
                m_rest = p;
                m_timer.start();
            }
        } else if (e->type() == QEvent::Leave) {
            m_timer.stop();
            QTimer::singleShot(0, this, [this] { finish(); });
        }
        return false;
    }
    void fire()
    {
        const HWND h = m_hwnd;
        const QPoint p = m_rest;
        finish();
        if (CWnd* w = CWnd::FromHandle(h))
            Guarded(h, WM_MOUSEHOVER, [&] { w->SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(WORD(p.x()), WORD(p.y()))); });
    }
    void finish();

    QPointer<QWidget> m_widget;
    HWND m_hwnd;
    QTimer m_timer;
    QPoint m_rest;
};

std::map<HWND, HoverWatch*>& hoverWatches()
{
    static std::map<HWND, HoverWatch*> m;
    return m;
}

void HoverWatch::finish()
{
    auto& all = hoverWatches();
    auto it = all.find(m_hwnd);
    if (it != all.end() && it->second == this) {
        all.erase(it);
        deleteLater();
    }
}

struct CursorShape {
    std::uintptr_t id;
    Qt::CursorShape shape;
};

const CursorShape kCursors[] = {
    {32512, Qt::ArrowCursor}, {32513, Qt::IBeamCursor},   {32514, Qt::WaitCursor},    {32515, Qt::CrossCursor},
    {32644, Qt::SizeHorCursor}, {32645, Qt::SizeVerCursor}, {32648, Qt::ForbiddenCursor}, {32649, Qt::PointingHandCursor},
};

HCURSOR& currentCursor()
{
    static HCURSOR c = nullptr;
    return c;
}

// The widget whose window is asked for its cursor (WM_SETCURSOR) just now.
QPointer<QWidget>& askedWidget()
{
    static QPointer<QWidget> w;
    return w;
}

// A widget keeps the cursor it had before the program set one (a QCursor, or
// false for none), so its window's default handling can show it again.
constexpr const char* kOwnCursor = "mirtalOwnCursor";

void putCursor(QWidget* w, const QCursor& cursor)
{
    if (!w->property(kOwnCursor).isValid())
        w->setProperty(kOwnCursor,
                       w->testAttribute(Qt::WA_SetCursor) ? QVariant::fromValue(w->cursor()) : QVariant(false));
    w->setCursor(cursor);
}

void restoreOwnCursor(QWidget* w)
{
    const QVariant own = w->property(kOwnCursor);
    if (!own.isValid())
        return;
    w->setProperty(kOwnCursor, QVariant());
    if (own.typeId() == QMetaType::QCursor)
        w->setCursor(own.value<QCursor>());
    else
        w->unsetCursor();
}

// WM_SETCURSOR to a window whose default asks its parent in turn; true when
// one of them answered that it set the cursor.
bool askForCursor(CWnd* wnd, HWND under, LPARAM hit)
{
    bool parentSet = false;
    const HWND self = wnd->m_hWnd;
    const std::function<void()> askParent = [&] {
        CWnd* w = CWnd::FromHandle(self);
        if (w && (w->GetStyle() & WS_CHILD))
            if (CWnd* p = w->GetParent())
                parentSet = askForCursor(p, under, hit);
    };
    const LRESULT r = Dispatch(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), hit, &askParent);
    return r != 0 || parentSet;
}

} // namespace

HWND SetCapture(HWND hWnd)
{
    const HWND old = captureWindow();
    CWnd* w = CWnd::FromHandle(hWnd);
    if (!w || !w->widget())
        return old;
    captureWindow() = hWnd;
    // Moves without a button pressed come too, as on Windows.
    w->widget()->setMouseTracking(true);
    w->widget()->grabMouse();
    if (old && old != hWnd)
        if (CWnd* before = CWnd::FromHandle(old))
            before->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old;
}

BOOL ReleaseCapture()
{
    const HWND old = captureWindow();
    captureWindow() = nullptr;
    if (CWnd* w = CWnd::FromHandle(old)) {
        if (w->widget())
            w->widget()->releaseMouse();
        w->SendMessage(WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture()
{
    // A window gone, or a grab Qt ended (its window hidden), holds no capture.
    CWnd* w = CWnd::FromHandle(captureWindow());
    if (!w || !w->widget() || QWidget::mouseGrabber() != w->widget())
        captureWindow() = nullptr;
    return captureWindow();
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    const QPoint p = QCursor::pos();
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track)
        return FALSE;
    CWnd* w = CWnd::FromHandle(track->hwndTrack);
    if (!w || !w->widget())
        return FALSE;
    auto& all = hoverWatches();
    auto it = all.find(track->hwndTrack);
    if (track->dwFlags & TME_QUERY) {
        track->dwFlags = TME_LEAVE | (it != all.end() ? TME_HOVER : 0);
        return TRUE;
    }
    if (track->dwFlags & TME_CANCEL) {
        if ((track->dwFlags & TME_HOVER) && it != all.end()) {
            it->second->deleteLater();
            all.erase(it);
        }
        return TRUE;
    }
    if (track->dwFlags & TME_HOVER) {
        if (it != all.end()) {
            it->second->deleteLater();
            all.erase(it);
        }
        const int ms = track->dwHoverTime == HOVER_DEFAULT ? 400 : int(track->dwHoverTime);
        all[track->hwndTrack] = new HoverWatch(w->widget(), track->hwndTrack, ms);
    }
    return TRUE;
}

HWND WindowFromPoint(POINT screen)
{
    QWidget* w = QApplication::widgetAt(QPoint(screen.x, screen.y));
    return w ? HandleOfWidget(w) : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT client)
{
    CWnd* p = CWnd::FromHandle(parent);
    if (!p)
        return nullptr;
    CRect area;
    p->GetClientRect(area);
    if (!area.PtInRect(client))
        return nullptr;
    // The topmost child first: the last made lies over the others.
    const std::vector<CWnd*> children = p->GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        QWidget* w = (*it)->frameWidget() ? (*it)->frameWidget() : (*it)->widget();
        if (w && !w->isWindow() && w->geometry().contains(QPoint(client.x, client.y)))
            return (*it)->m_hWnd;
    }
    return parent;
}

HCURSOR LoadCursor(void*, const char* name)
{
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    for (const CursorShape& c : kCursors)
        if (c.id == id)
            return reinterpret_cast<HCURSOR>(const_cast<CursorShape*>(&c));
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR old = currentCursor();
    currentCursor() = cursor;
    Qt::CursorShape shape = Qt::ArrowCursor;
    for (const CursorShape& c : kCursors)
        if (reinterpret_cast<HCURSOR>(const_cast<CursorShape*>(&c)) == cursor)
            shape = c.shape;
    if (!cursor)
        shape = Qt::BlankCursor;
    QWidget* target = nullptr;
    if (CWnd* capture = CWnd::FromHandle(GetCapture()))
        target = capture->widget();
    if (!target)
        target = askedWidget();
    if (!target)
        target = QApplication::widgetAt(QCursor::pos());
    if (target)
        putCursor(target, QCursor(shape));
    return old;
}

HCURSOR GetCursor() { return currentCursor(); }

namespace win::detail {

void AskCursor(QWidget* widget, HWND hwnd, UINT mouseMessage)
{
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || !widget || GetCapture())
        return;
    const QPointer<QWidget> w(widget);
    const QPointer<QWidget> before = askedWidget();
    askedWidget() = widget;
    const bool set = askForCursor(wnd, hwnd, MAKELPARAM(HTCLIENT, WORD(mouseMessage)));
    askedWidget() = before;
    // Nobody set one: the window's own cursor shows, as its class cursor would.
    if (!set && w)
        restoreOwnCursor(w);
}

} // namespace win::detail

BOOL SetCursorPos(int x, int y)
{
    QCursor::setPos(x, y);
    return TRUE;
}

namespace {
std::optional<UINT>& heldModifiers()
{
    static std::optional<UINT> held;
    return held;
}
} // namespace

void win::SetHeldModifiers(std::optional<UINT> mkFlags) { heldModifiers() = mkFlags; }

short GetKeyState(int virtualKey)
{
    bool down = false;
    if (const std::optional<UINT>& held = heldModifiers()) {
        down = (virtualKey == VK_SHIFT && (*held & MK_SHIFT)) || (virtualKey == VK_CONTROL && (*held & MK_CONTROL)) ||
               (virtualKey == VK_MENU && (*held & 0x20));
    } else {
        const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
        down = (virtualKey == VK_SHIFT && (mods & Qt::ShiftModifier)) ||
               (virtualKey == VK_CONTROL && (mods & Qt::ControlModifier)) ||
               (virtualKey == VK_MENU && (mods & Qt::AltModifier));
    }
    return down ? short(0x8000) : short(0);
}
