#include "platform/win/Wnd.h"

#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>

// Message dispatch: message maps, sent and posted messages, the exception boundary and timers.

namespace win::detail {
namespace {

std::vector<DispatchFrame*>& frames()
{
    static std::vector<DispatchFrame*> f;
    return f;
}

// The queue of posted messages rides on Qt's event queue.
class PostedMessage : public QEvent {
public:
    static QEvent::Type eventType()
    {
        static const int t = QEvent::registerEventType();
        return QEvent::Type(t);
    }
    PostedMessage(HWND h, UINT m, WPARAM w, LPARAM l) : QEvent(eventType()), hwnd(h), message(m), wParam(w), lParam(l) {}
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class PostedMessageReceiver : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != PostedMessage::eventType())
            return QObject::event(e);
        auto* pm = static_cast<PostedMessage*>(e);
        if (!CWnd::FromHandle(pm->hwnd))
            return true; // the window went away meanwhile
        MSG msg;
        msg.hwnd = pm->hwnd;
        msg.message = pm->message;
        msg.wParam = pm->wParam;
        msg.lParam = pm->lParam;
        ++EventDepth();
        Guarded(pm->hwnd, pm->message, [&] {
            // Like a message loop, posted messages pass pre-translation first.
            if (WalkPreTranslateTree(&msg))
                return;
            if (CWnd* target = CWnd::FromHandle(pm->hwnd))
                Dispatch(target, pm->message, pm->wParam, pm->lParam);
        });
        --EventDepth();
        return true;
    }
};

PostedMessageReceiver& receiver()
{
    static PostedMessageReceiver* r = [] {
        auto* p = new PostedMessageReceiver;
        // Posted messages run on the user-interface thread, whoever posts first.
        if (qApp)
            p->moveToThread(qApp->thread());
        return p;
    }();
    return *r;
}

} // namespace

namespace {

// Where an exception left the window procedures: the innermost dispatch it passed.
struct ThrowSite {
    HWND hwnd = nullptr;
    UINT message = 0;
    bool set = false;
};

ThrowSite& throwSite()
{
    static ThrowSite site;
    return site;
}

} // namespace

void Guarded(HWND hwnd, UINT message, const std::function<void()>& work)
{
    const ThrowSite outer = throwSite();
    throwSite() = {};
    try {
        work();
        throwSite() = outer;
    } catch (...) {
        const ThrowSite site = throwSite();
        throwSite() = outer;
        ReportHandlerException(std::current_exception(), site.set ? site.hwnd : hwnd,
                               site.set ? site.message : message);
    }
}

LRESULT Dispatch(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam,
                 const std::function<void()>* qtDefault)
{
    DispatchFrame frame;
    frame.wnd = wnd;
    frame.message = message;
    frame.wParam = wParam;
    frame.lParam = lParam;
    frame.qtDefault = qtDefault;
    frames().push_back(&frame);
    struct Pop {
        ~Pop() { frames().pop_back(); }
    } pop;
    const HWND hwnd = wnd->m_hWnd;
    try {
        return wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        if (!throwSite().set)
            throwSite() = ThrowSite{hwnd, message, true};
        throw;
    }
}

void NotifyParent(HWND control, UINT code)
{
    CWnd* c = CWnd::FromHandle(control);
    if (!c)
        return;
    CWnd* parent = c->GetParent();
    if (!parent)
        return;
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(c->GetDlgCtrlID()), WORD(code)),
                        reinterpret_cast<LPARAM>(control));
}

bool OnUiThread() { return !qApp || QThread::currentThread() == qApp->thread(); }

} // namespace win::detail

using namespace win::detail;

// ---- CCmdTarget -------------------------------------------------------------

const win::MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const win::MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const win::MessageMap map = {nullptr, entries};
    return &map;
}

const win::MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

bool CCmdTarget::DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                                    LRESULT* result)
{
    const bool keyed = message == WM_COMMAND || message == WM_NOTIFY;
    const bool reflected = message >= WM_REFLECT_BASE && message < WM_REFLECT_BASE + 0x400;
    for (const win::MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const win::MessageMapEntry* e = map->entries; e->thunk; ++e) {
            if (e->message != message)
                continue;
            if (keyed && (e->code != code || id < e->id || id > e->lastId))
                continue;
            if (reflected && e->code != code)
                continue;
            LRESULT r = 0;
            if (e->thunk(this, wParam, lParam, &r)) {
                if (result)
                    *result = r;
                return true;
            }
            // A reflection handler that declined: the parent handles it.
            return false;
        }
    }
    return false;
}

void CCmdTarget::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void CCmdTarget::EndWaitCursor()
{
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// ---- CWnd: message map --------------------------------------------------------

const win::MessageMap* CWnd::GetThisMessageMap()
{
    static const win::MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const win::MessageMap map = {&CCmdTarget::GetThisMessageMap, entries};
    return &map;
}

const win::MessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }
// ---- Messages -------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    return Dispatch(this, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* item = GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        LRESULT r = 0;
        if (lParam && OnNotify(wParam, lParam, &r)) {
            *result = r;
            return TRUE;
        }
        return FALSE;
    }
    return DispatchMessageMap(message, 0, 0, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (lParam) {
        CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
        LRESULT r = 0;
        if (control && control != this && control->OnChildNotify(WM_COMMAND, wParam, lParam, &r))
            return TRUE;
    }
    LRESULT r = 0;
    return DispatchMessageMap(WM_COMMAND, code, id, wParam, lParam, &r);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    CWnd* control = FromHandle(hdr->hwndFrom);
    if (control && control != this && control->OnChildNotify(WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    return DispatchMessageMap(WM_NOTIFY, hdr->code, UINT(hdr->idFrom), wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT code = 0;
    if (message == WM_COMMAND)
        code = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        code = reinterpret_cast<NMHDR*>(lParam)->code;
    else
        return FALSE;
    return DispatchMessageMap(WM_REFLECT_BASE + message, code, 0, wParam, lParam, result);
}

LRESULT CWnd::Default()
{
    auto& f = frames();
    for (auto it = f.rbegin(); it != f.rend(); ++it)
        if ((*it)->wnd == this)
            return DefWindowProc((*it)->message, (*it)->wParam, (*it)->lParam);
    return 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& f = frames();
    if (!f.empty()) {
        DispatchFrame* top = f.back();
        if (top->wnd == this && top->message == message && top->qtDefault) {
            if (!top->qtDefaultRan) {
                top->qtDefaultRan = true;
                (*top->qtDefault)();
            }
            return 0;
        }
    }
    switch (message) {
    case WM_SETTEXT:
        m_impl->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (QWidget* f = frameWidget(); f && f->isWindow())
            f->setWindowTitle(QString::fromStdString(m_impl->text));
        else if (QWidget* w = widget())
            w->update(); // a window that draws itself shows its new text
        return TRUE;
    case WM_GETTEXT:
        return CopyTextOut(m_impl->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return LRESULT(m_impl->text.size());
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos || !m_hWnd)
            return 0;
        const HWND self = m_hWnd;
        if (!(pos->flags & SWP_NOMOVE)) {
            POINT p{0, 0};
            if (GetStyle() & WS_CHILD) {
                p.x = widget()->x();
                p.y = widget()->y();
            } else {
                ClientToScreen(&p);
            }
            SendMessage(WM_MOVE, 0, MAKELPARAM(WORD(p.x), WORD(p.y)));
        }
        if (IsWindow(self) && !(pos->flags & SWP_NOSIZE)) {
            CRect rc;
            GetClientRect(rc);
            const UINT type = IsIconic() ? SIZE_MINIMIZED : IsZoomed() ? SIZE_MAXIMIZED : SIZE_RESTORED;
            SendMessage(WM_SIZE, type, MAKELPARAM(WORD(rc.Width()), WORD(rc.Height())));
        }
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(WM_CLOSE); break;
        case SC_MINIMIZE: ShowWindow(SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(SW_RESTORE); break;
        default: break;
        }
        return 0;
    case WM_HELP:
    case WM_MOUSEWHEEL:
        // Unhandled, these go on to the parent.
        if (GetStyle() & WS_CHILD)
            if (CWnd* p = GetParent())
                return p->SendMessage(message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

// ---- Timers ---------------------------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*)
{
    if (!m_hWnd || id == 0)
        return 0;
    auto& t = m_impl->timers[id];
    if (!t) {
        t = std::make_unique<QTimer>();
        const HWND h = m_hWnd;
        QObject::connect(t.get(), &QTimer::timeout, [h, id] {
            if (CWnd* w = CWnd::FromHandle(h)) {
                ++EventDepth();
                Guarded(h, WM_TIMER, [w, id] { Dispatch(w, WM_TIMER, id, 0); });
                --EventDepth();
            }
        });
    }
    t->start(int(std::max<UINT>(elapseMs, 10)));
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    auto it = m_impl->timers.find(id);
    if (it == m_impl->timers.end())
        return FALSE;
    // The timer may be the one whose tick is running now: then it is freed later.
    it->second->stop();
    if (EventDepth() > 0)
        it->second.release()->deleteLater();
    m_impl->timers.erase(it);
    return TRUE;
}

// ---- Default handlers -----------------------------------------------------------

void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return BOOL(Default()); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

// ---- Handle functions -------------------------------------------------------------

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Off the user-interface thread the window is looked up when the message arrives.
    if (!hWnd || (OnUiThread() && !IsWindow(hWnd)))
        return FALSE;
    QCoreApplication::postEvent(&receiver(), new PostedMessage(hWnd, message, wParam, lParam));
    return TRUE;
}

namespace win {

bool WalkPreTranslateTree(MSG* msg)
{
    for (CWnd* w = CWnd::FromHandle(msg->hwnd); w;) {
        const HWND h = w->m_hWnd;
        if (w->PreTranslateMessage(msg))
            return true;
        w = CWnd::FromHandle(h); // the handler may have destroyed it
        if (!w || !(w->GetStyle() & WS_CHILD))
            break;
        w = w->GetParent();
    }
    return false;
}

void PumpMessages(int forMs)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const qint64 left = forMs - t.elapsed();
        if (left <= 0)
            break;
        // Sleep until the next event or the end of the time, instead of spinning: a
        // spinning wait takes the processor from the workers and timers it waits for.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(int(left));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

} // namespace win
