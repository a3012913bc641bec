#include "platform/win/Wnd.h"

#include "platform/win/DataExchange.h"
#include "platform/win/Gdi.h"
#include "platform/win/Menu.h"
#include "platform/win/StatusBar.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

// The window object's core: handles, creation, destruction, relations and styles.
// Messages are in WndMessages.cpp, place and state in WndPlace.cpp, text in WndText.cpp.

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
    PreSubclassWindow();

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
    PreSubclassWindow();
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

// ---- Styles ----------------------------------------------------------------------

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

BOOL IsWindow(HWND hWnd) { return CWnd::FromHandle(hWnd) != nullptr; }

namespace win {

size_t LiveWindowCount() { return registry().windows.size(); }

} // namespace win
