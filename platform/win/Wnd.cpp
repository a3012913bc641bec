#include "platform/win/Wnd.h"

#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/Gdi.h"
#include "platform/win/Menu.h"
#include "platform/win/StatusBar.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

namespace win::detail {
namespace {

struct Registry {
    std::unordered_map<HWND, CWnd*> windows;
    std::uintptr_t next = 1;
};

Registry& registry()
{
    static Registry r;
    return r;
}

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

HWND newHandle(CWnd* wnd)
{
    Registry& r = registry();
    HWND h = reinterpret_cast<HWND>(r.next++ << 4);
    r.windows[h] = wnd;
    return h;
}

void setLink(QWidget* w, HWND h)
{
    if (auto* link = dynamic_cast<WidgetLink*>(w))
        link->hwnd = h;
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

int& EventDepth()
{
    static int depth = 0;
    return depth;
}

PaintContext*& CurrentPaint()
{
    static PaintContext* p = nullptr;
    return p;
}

CWnd* WndFromLParam(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }
CWnd* WndFromHandle(HWND h) { return CWnd::FromHandle(h); }

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

const CWnd CWnd::wndTop;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndNoTopMost;

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    auto& w = registry().windows;
    auto it = w.find(hWnd);
    return it == w.end() ? nullptr : it->second;
}

QWidget* CWnd::widget() const { return m_impl->widget; }
QWidget* CWnd::frameWidget() const { return m_impl->frame; }

bool CWnd::AcceptsWidget(const QWidget*) const { return true; }

QWidget* CWnd::CreateWidget(QWidget* parent, DWORD)
{
    auto* w = new Widget<QWidget>(parent);
    return w;
}

namespace {

// Qt hands drags only to widgets that accept drops; a scroll area's come to its viewport.
void acceptDrops(QWidget* w, bool accept)
{
    if (!w)
        return;
    w->setAcceptDrops(accept);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        area->viewport()->setAcceptDrops(accept);
}

} // namespace

void CWnd::AttachNewWidget(QWidget* widget, QWidget* frame, UINT id, DWORD style, DWORD exStyle)
{
    EnsureEventFilter();
    m_hWnd = newHandle(this);
    m_impl->widget = widget;
    m_impl->frame = frame ? frame : widget;
    m_impl->id = id;
    m_style = style & ~(WS_VISIBLE | WS_DISABLED);
    m_exStyle = exStyle;
    setLink(widget, m_hWnd);
    if (frame && frame != widget)
        setLink(frame, m_hWnd);
    if (exStyle & WS_EX_ACCEPTFILES)
        acceptDrops(widget, true);
    // The parent (of a child) or owner (of a top-level window) from the Qt side.
    QWidget* above = m_impl->frame->parentWidget();
    if (above) {
        HWND ph = HandleOfWidget(above);
        if (CWnd* p = FromHandle(ph)) {
            m_impl->parent = ph;
            if (style & WS_CHILD)
                p->m_impl->children.push_back(m_hWnd);
        }
    }
}

// ---- Creation and destruction ---------------------------------------------------

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char*, const char* windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id)
{
    if (m_hWnd)
        return FALSE;
    const bool child = (style & WS_CHILD) != 0;
    if (child && (!parent || !parent->widget()))
        return FALSE;
    QWidget* w = CreateWidget(child ? parent->widget() : nullptr, style);
    if (!w)
        return FALSE;
    QWidget* frame = w;
    if (!child)
        frame = MakeFrame(parent ? parent->frameWidget() : nullptr, w, style, exStyle);
    AttachNewWidget(w, frame, child ? id : 0, style, exStyle);
    if (!child && parent)
        m_impl->parent = parent->m_hWnd;
    // The place is set quietly: a window hears of its place and size when it is shown.
    PlaceQuietly(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (windowName && *windowName)
        SetWindowText(windowName);
    if (style & WS_DISABLED)
        w->setEnabled(false);

    CREATESTRUCT cs;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = style;
    cs.dwExStyle = exStyle;
    const HWND self = m_hWnd;
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (IsWindow(self))
            DestroyWindow();
        return FALSE;
    }
    if (!IsWindow(self))
        return FALSE;
    if (child)
        w->setVisible((style & WS_VISIBLE) != 0);
    else if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

namespace {

// Sends WM_DESTROY to the window and then to its children, and takes each
// out of the handle table; widgets are deleted by the caller.
void destroyTree(CWnd* wnd, std::vector<CWnd*>& gone)
{
    const HWND h = wnd->m_hWnd;
    Dispatch(wnd, WM_DESTROY, 0, 0);
    if (!IsWindow(h))
        return;
    for (HWND ch : std::vector<HWND>(wnd->impl()->children))
        if (CWnd* c = CWnd::FromHandle(ch))
            destroyTree(c, gone);
    CWnd::Impl* impl = wnd->impl();
    for (auto& [id, t] : impl->timers) {
        t->stop();
        // A timer whose tick is running now is freed once the tick is over.
        if (EventDepth() > 0)
            t.release()->deleteLater();
    }
    impl->timers.clear();
    if (impl->widget)
        setLink(impl->widget, nullptr);
    if (impl->frame)
        setLink(impl->frame, nullptr);
    registry().windows.erase(h);
    wnd->m_hWnd = nullptr;
    gone.push_back(wnd);
}

} // namespace

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    const HWND self = m_hWnd;
    // Owned top-level windows go first.
    std::vector<HWND> owned;
    for (auto& [h, w] : registry().windows)
        if (w != this && w->m_impl->parent == self && !(w->m_style & WS_CHILD))
            owned.push_back(h);
    for (HWND h : owned)
        if (CWnd* w = FromHandle(h))
            w->DestroyWindow();
    if (!IsWindow(self))
        return TRUE;

    QPointer<QWidget> top = m_impl->frame;
    if (top)
        top->hide();
    if (CWnd* parent = FromHandle(m_impl->parent)) {
        auto& siblings = parent->m_impl->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    }
    std::vector<CWnd*> gone;
    destroyTree(this, gone);
    if (IsWindow(self))
        return TRUE; // destroyed and recreated by a handler: leave it
    // Detach every window of the tree from its widgets, then let the widgets go.
    std::vector<std::unique_ptr<CWnd>> ownedObjects;
    for (CWnd* w : gone) {
        for (auto& o : w->m_impl->ownedChildren)
            ownedObjects.push_back(std::move(o));
        w->m_impl->ownedChildren.clear();
        w->m_impl->children.clear();
        w->m_impl->widget = nullptr;
        w->m_impl->frame = nullptr;
        w->m_impl->parent = nullptr;
    }
    std::vector<CWnd*> ownedSet;
    for (auto& o : ownedObjects)
        ownedSet.push_back(o.get());
    if (top) {
        if (EventDepth() > 0)
            top->deleteLater();
        else
            delete top.data();
    }
    for (CWnd* w : gone)
        if (w != this && std::find(ownedSet.begin(), ownedSet.end(), w) == ownedSet.end())
            w->PostNcDestroy();
    ownedObjects.clear();
    PostNcDestroy();
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    CWnd* old = FromHandle(hWnd);
    if (!old || m_hWnd || old == this)
        return FALSE;
    // Take over the window's state.
    std::swap(m_impl, old->m_impl);
    m_hWnd = hWnd;
    m_style = old->m_style;
    m_exStyle = old->m_exStyle;
    old->m_hWnd = nullptr;
    registry().windows[hWnd] = this;

    // A control of another kind than the template made gets a widget of its own.
    QWidget* w = m_impl->widget;
    if (w && m_impl->frame == w && !AcceptsWidget(w)) {
        QWidget* parentWidget = w->parentWidget();
        QWidget* nw = CreateWidget(parentWidget, m_style);
        if (nw) {
            nw->setGeometry(w->geometry());
            nw->setEnabled(w->isEnabled());
            nw->setFont(w->font());
            nw->stackUnder(w);
            setLink(w, nullptr);
            setLink(nw, hWnd);
            nw->setVisible(!w->isHidden());
            m_impl->widget = nw;
            m_impl->frame = nw;
            w->hide();
            if (EventDepth() > 0)
                w->deleteLater();
            else
                delete w;
            if (!m_impl->text.empty()) {
                const QSignalBlocker quiet(nw);
                const std::string text = m_impl->text;
                SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
        }
    }
    // The template's own object for the control is no longer needed.
    if (CWnd* parent = FromHandle(m_impl->parent)) {
        auto& owned = parent->m_impl->ownedChildren;
        owned.erase(std::remove_if(owned.begin(), owned.end(), [old](auto& o) { return o.get() == old; }),
                    owned.end());
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    CWnd* item = parent->GetDlgItem(int(id));
    return item ? SubclassWindow(item->m_hWnd) : FALSE;
}

HWND CWnd::Detach()
{
    // Leaves the window to a plain object of the base class.
    if (!m_hWnd)
        return nullptr;
    const HWND h = m_hWnd;
    auto plain = std::make_unique<CWnd>();
    plain->SubclassWindow(h);
    if (CWnd* parent = FromHandle(plain->m_impl->parent))
        parent->m_impl->ownedChildren.push_back(std::move(plain));
    else
        plain.release(); // a top-level window: it lives until destroyed
    return h;
}

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

// ---- Relations ------------------------------------------------------------------

CWnd* CWnd::GetParent() const { return FromHandle(m_impl->parent); }

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* w = this;
    while (w && (w->GetStyle() & WS_CHILD) && w->GetParent())
        w = w->GetParent();
    return const_cast<CWnd*>(w);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    for (HWND h : m_impl->children)
        if (CWnd* c = FromHandle(h); c && int(c->m_impl->id) == id)
            return c;
    return nullptr;
}

int CWnd::GetDlgCtrlID() const { return int(m_impl->id); }

int CWnd::SetDlgCtrlID(int id)
{
    const int old = int(m_impl->id);
    m_impl->id = UINT(id);
    return old;
}

std::vector<CWnd*> CWnd::GetChildren() const
{
    std::vector<CWnd*> out;
    for (HWND h : m_impl->children)
        if (CWnd* c = FromHandle(h))
            out.push_back(c);
    return out;
}

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
        if (f->isWindow())
            f->showMaximized();
        else
            f->show();
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

DWORD CWnd::GetStyle() const
{
    DWORD s = m_style;
    if (QWidget* f = frameWidget()) {
        if (!f->isHidden() && !m_impl->shownForFocus)
            s |= WS_VISIBLE;
        if (!f->isEnabled())
            s |= WS_DISABLED;
    }
    return s;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT)
{
    const DWORD before = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    if ((before ^ m_exStyle) & WS_EX_ACCEPTFILES)
        acceptDrops(widget(), (m_exStyle & WS_EX_ACCEPTFILES) != 0);
    return before != m_exStyle;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
    const DWORD before = GetStyle();
    m_style = (m_style & ~remove) | add;
    m_style &= ~(WS_VISIBLE | WS_DISABLED);
    if ((remove | add) & WS_VISIBLE)
        ShowWindow((add & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    if ((remove | add) & WS_DISABLED)
        EnableWindow(!(add & WS_DISABLED));
    return before != GetStyle();
}

// ---- Painting -------------------------------------------------------------------

namespace {

bool onUiThread() { return !qApp || QThread::currentThread() == qApp->thread(); }

} // namespace

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL)
{
    if (!onUiThread()) {
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

// ---- Data exchange and control bars ----------------------------------------------

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchange::Failure&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::RepositionBars(UINT firstId, UINT lastId, UINT)
{
    CRect client;
    GetClientRect(client);
    int bottom = client.bottom;
    for (CWnd* c : GetChildren()) {
        auto* bar = dynamic_cast<CStatusBar*>(c);
        if (!bar || UINT(c->GetDlgCtrlID()) < firstId || UINT(c->GetDlgCtrlID()) > lastId)
            continue;
        const int h = bar->GetBarHeight();
        bottom -= h;
        c->MoveWindow(0, bottom, client.Width(), h);
        c->widget()->raise();
    }
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

BOOL IsWindow(HWND hWnd) { return CWnd::FromHandle(hWnd) != nullptr; }

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w ? w->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Off the user-interface thread the window is looked up when the message arrives.
    if (!hWnd || (onUiThread() && !IsWindow(hWnd)))
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
    do {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < forMs);
}

size_t LiveWindowCount() { return registry().windows.size(); }

} // namespace win

// ---- Text -----------------------------------------------------------------------

void CWnd::SetWindowText(const std::string& text)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CWnd::GetWindowText(std::string& text) const { text = GetWindowText(); }

std::string CWnd::GetWindowText() const
{
    auto* self = const_cast<CWnd*>(this);
    const LRESULT length = self->SendMessage(WM_GETTEXTLENGTH);
    if (length <= 0)
        return {};
    std::string text(size_t(length) + 1, '\0');
    const LRESULT n = self->SendMessage(WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(std::clamp<LRESULT>(n, 0, length)));
    return text;
}

int CWnd::GetWindowTextLength() const { return int(GetWindowText().size()); }

void CWnd::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, std::string& text) const
{
    CWnd* item = GetDlgItem(id);
    text = item ? item->GetWindowText() : std::string();
    return int(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    SetDlgItemText(id, isSigned ? std::to_string(int(value)) : std::to_string(value));
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    std::string text;
    GetDlgItemText(id, text);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (isSigned && i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    long long v = 0;
    const size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && v <= 0xFFFFFFFFLL)
        v = v * 10 + (text[i++] - '0');
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const long long limit = isSigned ? (negative ? 0x80000000LL : 0x7FFFFFFFLL) : 0xFFFFFFFFLL;
    const bool ok = i > digitsStart && i == text.size() && v <= limit;
    if (translated)
        *translated = ok;
    if (!ok)
        return 0;
    return UINT(negative ? -v : v);
}

void CWnd::CheckDlgButton(int id, UINT check) { SendDlgItemMessage(id, BM_SETCHECK, check); }

UINT CWnd::IsDlgButtonChecked(int id) const
{
    return UINT(const_cast<CWnd*>(this)->SendDlgItemMessage(id, BM_GETCHECK));
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (CWnd* c : GetChildren()) {
        const int id = c->GetDlgCtrlID();
        if (id >= firstId && id <= lastId)
            c->SendMessage(BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (CWnd* c : GetChildren()) {
        const int id = c->GetDlgCtrlID();
        if (id >= firstId && id <= lastId && c->SendMessage(BM_GETCHECK) == BST_CHECKED)
            return id;
    }
    return 0;
}

// ---- Fonts, menus and icons ---------------------------------------------------------

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    m_impl->font = font;
    if (QWidget* w = widget(); w && font) {
        w->setFont(font->GetQFont());
        if (redraw)
            w->update();
    }
}

CFont* CWnd::GetFont() const { return m_impl->font; }

CMenu* CWnd::GetMenu() const { return m_impl->menu; }

BOOL CWnd::SetMenu(CMenu* menu)
{
    QWidget* f = frameWidget();
    if (!f || !f->isWindow())
        return FALSE;
    m_impl->menu = menu;
    if (menu)
        menu->AttachTo(this);
    DrawMenuBar();
    return TRUE;
}

void CWnd::DrawMenuBar()
{
    QWidget* f = frameWidget();
    if (!f || !f->isWindow() || !f->layout())
        return;
    if (m_impl->menu)
        f->layout()->setMenuBar(m_impl->menu->BarWidget(f, this));
    else if (QWidget* bar = f->layout()->menuBar()) {
        f->layout()->setMenuBar(nullptr);
        bar->deleteLater();
    }
}

CMenu* CWnd::GetSystemMenu(BOOL revert)
{
    QWidget* f = frameWidget();
    if (!f || !f->isWindow())
        return nullptr;
    if (!m_impl->systemMenu || revert) {
        m_impl->systemMenu = std::make_unique<CMenu>();
        m_impl->systemMenu->CreateSystemMenu(this);
    }
    return m_impl->systemMenu.get();
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    HICON& slot = bigIcon ? m_impl->bigIcon : m_impl->smallIcon;
    const HICON old = slot;
    slot = icon;
    if (QWidget* f = frameWidget(); f && f->isWindow() && icon)
        f->setWindowIcon(QIcon(win::PixmapOfIcon(icon)));
    return old;
}

HICON CWnd::GetIcon(BOOL bigIcon) const { return bigIcon ? m_impl->bigIcon : m_impl->smallIcon; }
