#include "platform/win/WidgetGlue.h"

#include "platform/win/Dc.h"
#include "platform/win/Gdi.h"
#include "platform/win/GdiImpl.h"
#include "platform/win/Hook.h"
#include "platform/win/WndImpl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPalette>
#include <QPointer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace win::detail {
namespace {

struct DepthGuard {
    DepthGuard() { ++EventDepth(); }
    ~DepthGuard() { --EventDepth(); }
};

UINT keyFromQt(const QKeyEvent* e)
{
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return UINT(k); // the same codes, 65 to 90
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + UINT(k - Qt::Key_0) : UINT(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return VK_F1 + UINT(k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : UINT('8');
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : 0;
    // The digit row with Shift held still names its digit.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

LPARAM keyLParam(const QKeyEvent* e, bool up)
{
    DWORD l = 1;
    l |= (e->nativeScanCode() & 0xFF) << 16;
    if (e->isAutoRepeat() || up)
        l |= 1u << 30;
    if (up)
        l |= 1u << 31;
    return LPARAM(l);
}

WPARAM mouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    WPARAM f = 0;
    if (buttons & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        f |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

UINT mouseMessage(const QMouseEvent* e)
{
    const bool dbl = e->type() == QEvent::MouseButtonDblClick;
    const bool down = e->type() == QEvent::MouseButtonPress || dbl;
    switch (e->button()) {
    case Qt::LeftButton: return dbl ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton: return dbl ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return 0;
    }
}

LPARAM pointLParam(QPoint p) { return MAKELPARAM(WORD(short(p.x())), WORD(short(p.y()))); }

// Builds the message a Qt input event stands for, in the coordinates of the
// window that contains the widget; message 0 when it stands for none.
MSG inputMessage(QWidget* w, HWND h, QEvent* e)
{
    MSG msg;
    msg.hwnd = h;
    CWnd* wnd = CWnd::FromHandle(h);
    QWidget* client = wnd ? wnd->widget() : nullptr;
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(e);
        const UINT vk = keyFromQt(ke);
        if (!vk)
            break;
        const bool up = e->type() == QEvent::KeyRelease;
        const bool sys = (ke->modifiers() & Qt::AltModifier) || vk == VK_F1 + 9; // F10 is a system key
        msg.message = up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
        msg.wParam = vk;
        msg.lParam = keyLParam(ke, up);
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(e);
        msg.message = e->type() == QEvent::MouseMove ? WM_MOUSEMOVE : mouseMessage(me);
        QPoint p = me->position().toPoint();
        if (client && client != w)
            p = client->mapFromGlobal(me->globalPosition().toPoint());
        msg.wParam = mouseFlags(me->buttons(), me->modifiers());
        msg.lParam = pointLParam(p);
        msg.pt = POINT{me->globalPosition().toPoint().x(), me->globalPosition().toPoint().y()};
        break;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(e);
        msg.message = WM_MOUSEWHEEL;
        const int delta = we->angleDelta().y();
        msg.wParam = MAKEWPARAM(WORD(mouseFlags(we->buttons(), we->modifiers())), WORD(short(delta)));
        msg.lParam = pointLParam(we->globalPosition().toPoint());
        msg.pt = POINT{we->globalPosition().toPoint().x(), we->globalPosition().toPoint().y()};
        break;
    }
    default:
        break;
    }
    return msg;
}

// Pre-translates key and mouse input before Qt delivers it to its widget,
// as a message loop hands each message to PreTranslateMessage first.
class PreTranslateFilter : public QObject {
public:
    // Sees every object of the process, the web engine's Qt Quick objects too,
    // whose type information the vptr check cannot follow across libraries.
    __attribute__((no_sanitize("vptr"))) bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            break;
        default:
            return false;
        }
        if (!o->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(o);
        const HWND h = HandleOfWidget(w);
        // An event that a widget inside a window ignored goes on to the widget's
        // parents; it is the same message and is translated once. (Our windows
        // accept their input, so it never travels from one window to another.)
        const ulong stamp = static_cast<QInputEvent*>(e)->timestamp();
        if (e == m_last && e->type() == m_lastType && stamp == m_lastStamp && m_lastReceiver &&
            m_lastReceiver != w && w->isAncestorOf(m_lastReceiver) && HandleOfWidget(m_lastReceiver) == h)
            return false;
        m_last = e;
        m_lastType = e->type();
        m_lastStamp = stamp;
        m_lastReceiver = w;
        if (!h)
            return false;
        MSG msg = inputMessage(w, h, e);
        if (!msg.message)
            return false;
        DepthGuard depth;
        // Qt drops button-less moves of a widget that does not track the mouse
        // after the filters; the window under the pointer still sets its cursor.
        if (e->type() == QEvent::MouseMove && !static_cast<QMouseEvent*>(e)->buttons() && !w->hasMouseTracking())
            Guarded(h, WM_SETCURSOR, [&] { AskCursor(w, h, WM_MOUSEMOVE); });
        // Keyboard hooks see the key before any window does, as when it leaves the queue.
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
            msg.message == WM_SYSKEYUP)
            Guarded(h, msg.message, [&] { RunKeyboardHooks(msg.wParam, msg.lParam); });
        bool eaten = false;
        Guarded(h, msg.message, [&] { eaten = WalkPreTranslateTree(&msg); });
        return eaten;
    }

private:
    QEvent* m_last = nullptr;
    QEvent::Type m_lastType = QEvent::None;
    ulong m_lastStamp = 0;
    QPointer<QWidget> m_lastReceiver;
};

void sendWindowPosChanged(CWnd* wnd, UINT flags)
{
    WINDOWPOS wp;
    wp.hwnd = wnd->m_hWnd;
    CRect rc;
    wnd->GetWindowRect(rc);
    if (wnd->GetStyle() & WS_CHILD)
        if (CWnd* p = wnd->GetParent())
            p->ScreenToClient(rc);
    wp.x = rc.left;
    wp.y = rc.top;
    wp.cx = rc.Width();
    wp.cy = rc.Height();
    wp.flags = flags | SWP_NOZORDER;
    Dispatch(wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

} // namespace

void NotifyParentOf(const QWidget* control, UINT code)
{
    auto* link = dynamic_cast<const WidgetLink*>(control);
    if (link && link->hwnd) {
        const HWND h = link->hwnd;
        Guarded(h, WM_COMMAND, [h, code] { NotifyParent(h, code); });
    }
}

void AskControlColors(CWnd* control, UINT message)
{
    CWnd* parent = control->GetParent();
    QWidget* w = control->widget();
    if (!parent || !w)
        return;
    const UINT kind = message == WM_CTLCOLOREDIT      ? CTLCOLOR_EDIT
                      : message == WM_CTLCOLORLISTBOX ? CTLCOLOR_LISTBOX
                      : message == WM_CTLCOLORBTN     ? CTLCOLOR_BTN
                                                      : CTLCOLOR_STATIC;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const COLORREF startText = dc.GetTextColor();
    const HWND child = control->m_hWnd;
    LRESULT reflected = 0;
    const std::function<void()> reflect = [&] {
        if (CWnd* c = CWnd::FromHandle(child))
            reflected = c->SendMessage(WM_REFLECT_BASE + WM_CTLCOLOR, reinterpret_cast<WPARAM>(&dc), kind);
    };
    LRESULT answer = Dispatch(parent, message, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(child), &reflect);
    if (!answer)
        answer = reflected;
    if (!CWnd::FromHandle(child))
        return;
    const auto* brush = reinterpret_cast<const CBrush*>(answer);
    const bool fill = brush && brush->IsCreated() && !brush->IsHollow();
    const bool text = dc.GetTextColor() != startText;
    // The palette the widget had before any answer, kept to go back to.
    constexpr const char* kOwnPalette = "mirtalOwnPalette";
    constexpr const char* kOwnFill = "mirtalOwnFill";
    const QVariant own = w->property(kOwnPalette);
    if (!fill && !text) {
        if (own.isValid()) {
            w->setProperty(kOwnPalette, QVariant());
            w->setPalette(own.value<QPalette>());
            w->setAutoFillBackground(w->property(kOwnFill).toBool());
        }
        return;
    }
    if (!own.isValid()) {
        w->setProperty(kOwnPalette, QVariant::fromValue(w->palette()));
        w->setProperty(kOwnFill, w->autoFillBackground());
    }
    QPalette p = w->property(kOwnPalette).value<QPalette>();
    auto qcolor = [](COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); };
    if (fill)
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
            p.setColor(role, qcolor(brush->Color()));
    if (text)
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(role, qcolor(dc.GetTextColor()));
    w->setAutoFillBackground(fill || w->property(kOwnFill).toBool());
    // Only a change asks for another paint.
    if (p != w->palette())
        w->setPalette(p);
}

void ApplyFocusPolicy(QWidget* widget, DWORD style, Qt::FocusPolicy untabbed)
{
    widget->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : untabbed);
}

QString StripMnemonic(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) {
            ++i;
            out += s[i];
        } else if (s[i] != '&') {
            out += s[i];
        }
    }
    return out;
}

LRESULT CopyTextOut(const std::string& text, WPARAM size, LPARAM buffer)
{
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    const size_t n = std::min<size_t>(text.size(), size_t(size) - 1);
    text.copy(out, n);
    out[n] = '\0';
    return LRESULT(n);
}

HWND HandleOfWidget(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (auto* link = dynamic_cast<const WidgetLink*>(w); link && link->hwnd)
            return link->hwnd;
    return nullptr;
}

namespace {

bool routeEvent(QWidget* widget, HWND hwnd, bool isFrame, QEvent* e, const std::function<bool(QEvent*)>& baseEvent);

} // namespace

bool RouteEvent(QWidget* widget, HWND hwnd, bool isFrame, QEvent* e,
                const std::function<bool(QEvent*)>& baseEvent)
{
    if (!CWnd::FromHandle(hwnd))
        return baseEvent(e);
    DepthGuard depth;
    bool result = true;
    Guarded(hwnd, 0, [&] { result = routeEvent(widget, hwnd, isFrame, e, baseEvent); });
    return result;
}

bool RouteViewportEvent(QWidget* viewport, HWND hwnd, QEvent* e, const std::function<bool(QEvent*)>& baseEvent)
{
    switch (e->type()) {
    case QEvent::Paint:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Not a frame: the viewport stands for the window's client area here.
        return RouteEvent(viewport, hwnd, false, e, baseEvent);
    default:
        // Its size, visibility and the rest are the viewport's own business.
        return baseEvent(e);
    }
}

namespace {

// The window that takes files dropped on a window: itself or the nearest parent that accepts files.
CWnd* dropTarget(HWND hwnd)
{
    for (CWnd* w = CWnd::FromHandle(hwnd); w; w = (w->GetStyle() & WS_CHILD) ? w->GetParent() : nullptr)
        if (w->GetExStyle() & WS_EX_ACCEPTFILES)
            return w;
    return nullptr;
}

std::vector<std::string> localFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    return files;
}

bool routeEvent(QWidget* widget, HWND hwnd, bool isFrame, QEvent* e, const std::function<bool(QEvent*)>& baseEvent)
{
    CWnd* wnd = CWnd::FromHandle(hwnd);
    const bool topClient = !isFrame && wnd->frameWidget() != widget; // client of a top-level window

    switch (e->type()) {
    case QEvent::Paint: {
        if (isFrame)
            return baseEvent(e);
        const QRect r = static_cast<QPaintEvent*>(e)->rect();
        PaintContext ctx{widget, RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}};
        PaintContext* prev = CurrentPaint();
        CurrentPaint() = &ctx;
        bool result = true;
        const std::function<void()> qt = [&] {
            CurrentPaint() = prev;
            result = baseEvent(e);
            CurrentPaint() = &ctx;
        };
        Dispatch(wnd, WM_PAINT, 0, 0, &qt);
        CurrentPaint() = prev;
        PaintClientDrawing(widget);
        return result;
    }
    case QEvent::Resize:
    case QEvent::Move: {
        const bool result = baseEvent(e);
        const bool resize = e->type() == QEvent::Resize;
        // A top-level window's size is its client's, its place its frame's.
        if ((isFrame && resize) || (topClient && !resize))
            return result;
        if (CWnd::FromHandle(hwnd))
            sendWindowPosChanged(wnd, resize ? SWP_NOMOVE : SWP_NOSIZE);
        return result;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        const bool result = baseEvent(e);
        if (isFrame && e->type() == QEvent::Show)
            wnd->OnFrameShown();
        if (!topClient && CWnd::FromHandle(hwnd))
            Dispatch(wnd, WM_SHOWWINDOW, e->type() == QEvent::Show, 0);
        return result;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const bool result = baseEvent(e);
        if (CWnd::FromHandle(hwnd))
            Dispatch(wnd, e->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
        return result;
    }
    case QEvent::WindowStateChange: {
        const bool result = baseEvent(e);
        // Minimising and restoring are size changes of the window (SIZE_MINIMIZED and back).
        if (isFrame && CWnd::FromHandle(hwnd))
            sendWindowPosChanged(wnd, SWP_NOMOVE);
        return result;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* de = static_cast<QDropEvent*>(e);
        if (localFiles(de->mimeData()).empty() || !dropTarget(hwnd))
            return baseEvent(e);
        de->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* de = static_cast<QDropEvent*>(e);
        CWnd* target = dropTarget(hwnd);
        HDROP__ drop;
        drop.files = localFiles(de->mimeData());
        if (drop.files.empty() || !target)
            return baseEvent(e);
        const QPoint global = widget->mapToGlobal(de->position().toPoint());
        drop.point = POINT{global.x(), global.y()};
        target->ScreenToClient(&drop.point);
        de->acceptProposedAction();
        Dispatch(target, WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
        return true;
    }
    case QEvent::Close:
        // The window decides through WM_CLOSE; Qt never closes it by itself.
        e->ignore();
        Dispatch(wnd, WM_CLOSE, 0, 0);
        return true;
    case QEvent::Leave: {
        const bool result = baseEvent(e);
        if (!isFrame && CWnd::FromHandle(hwnd))
            Dispatch(wnd, WM_MOUSELEAVE, 0, 0);
        return result;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (isFrame)
            return baseEvent(e);
        auto* ke = static_cast<QKeyEvent*>(e);
        MSG msg = inputMessage(widget, hwnd, e);
        if (!msg.message)
            return baseEvent(e);
        bool keyDefault = false;
        const std::function<void()> markKey = [&] { keyDefault = true; };
        Dispatch(wnd, msg.message, msg.wParam, msg.lParam, &markKey);
        bool charDefault = true;
        const QString text = ke->text();
        if (e->type() == QEvent::KeyPress && !text.isEmpty() && msg.message == WM_KEYDOWN) {
            for (const QChar c : text) {
                if (!CWnd::FromHandle(hwnd))
                    break;
                bool thisDefault = false;
                const std::function<void()> markChar = [&] { thisDefault = true; };
                Dispatch(wnd, WM_CHAR, c.unicode(), msg.lParam, &markChar);
                charDefault = charDefault && thisDefault;
            }
        }
        if (keyDefault && charDefault)
            baseEvent(e);
        // F1 that nobody handled asks for help: WM_HELP goes to the window and up its parents.
        if (keyDefault && msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && CWnd::FromHandle(hwnd)) {
            HELPINFO info;
            info.iCtrlId = wnd->GetDlgCtrlID();
            info.hItemHandle = hwnd;
            Dispatch(wnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        }
        // Keys are never passed on to the parent window, as on Windows.
        e->accept();
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        if (isFrame)
            return baseEvent(e);
        MSG msg = inputMessage(widget, hwnd, e);
        if (!msg.message)
            return baseEvent(e);
        if (e->type() != QEvent::MouseButtonRelease) {
            AskCursor(widget, hwnd, msg.message);
            if (!CWnd::FromHandle(hwnd))
                return true;
        }
        bool result = true;
        const std::function<void()> qt = [&] { result = baseEvent(e); };
        Dispatch(wnd, msg.message, msg.wParam, msg.lParam, &qt);
        e->accept();
        return true;
    }
    case QEvent::Wheel: {
        if (isFrame)
            return baseEvent(e);
        MSG msg = inputMessage(widget, hwnd, e);
        bool result = true;
        bool ranQt = false;
        const std::function<void()> qt = [&] {
            ranQt = true;
            result = baseEvent(e);
        };
        Dispatch(wnd, msg.message, msg.wParam, msg.lParam, &qt);
        if (!ranQt)
            e->accept();
        return result;
    }
    default:
        return baseEvent(e);
    }
}

} // namespace

void EnsureEventFilter()
{
    static PreTranslateFilter* filter = nullptr;
    if (!filter && qApp) {
        filter = new PreTranslateFilter;
        qApp->installEventFilter(filter);
    }
}

QWidget* MakeFrame(QWidget* ownerFrame, QWidget* client, DWORD style, DWORD exStyle)
{
    Qt::WindowFlags flags = ownerFrame ? Qt::Dialog : Qt::Window;
    if ((style & WS_CAPTION) != WS_CAPTION) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (style & WS_SYSMENU)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style & WS_MINIMIZEBOX)
            flags |= Qt::WindowMinimizeButtonHint;
        if (style & WS_MAXIMIZEBOX)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (exStyle & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    if (exStyle & WS_EX_TOOLWINDOW)
        flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
    auto* frame = new Widget<QWidget>(ownerFrame, flags);
    frame->isFrame = true;
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client);
    return frame;
}

void FlushGeometry(QWidget* w)
{
    if (!w)
        return;
    if (w->layout())
        w->layout()->activate();
    // Hidden widgets get their resize and move events only when shown; windows
    // expect them at once.
    if (w->testAttribute(Qt::WA_PendingMoveEvent)) {
        w->setAttribute(Qt::WA_PendingMoveEvent, false);
        QMoveEvent me(w->pos(), w->pos());
        QCoreApplication::sendEvent(w, &me);
    }
    if (w->testAttribute(Qt::WA_PendingResizeEvent)) {
        w->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent re(w->size(), w->size());
        QCoreApplication::sendEvent(w, &re);
    }
}

} // namespace win::detail
