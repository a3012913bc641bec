#include "platform/win/ToolTipCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <vector>

using namespace win::detail;

namespace {

struct Tool {
    TOOLINFO info;
    std::string text; // when not asked by callback
    bool callback = false;
};

bool sameTool(const TOOLINFO& a, HWND hwnd, UINT_PTR id) { return a.hwnd == hwnd && a.uId == id; }

// The window a tool covers (the whole window, or the window of its rectangle).
HWND windowOf(const TOOLINFO& t) { return (t.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.uId) : t.hwnd; }

} // namespace

struct CToolTipCtrl::State : QObject {
    CToolTipCtrl* owner = nullptr;
    std::vector<Tool> tools;
    QPointer<QLabel> tip;
    QTimer showTimer, popTimer;
    bool active = true;
    int maxWidth = -1;
    int initial = 500, autopop = 5000, reshow = 100;
    int shown = -1;   // the tool whose tip shows
    int pending = -1; // the tool waiting for the initial delay
    int clicked = -1; // the tool clicked on: no tip until the pointer leaves it
    QPoint at;        // the pointer on the screen, last relayed

    int find(HWND hwnd, UINT_PTR id) const
    {
        for (size_t i = 0; i < tools.size(); ++i)
            if (sameTool(tools[i].info, hwnd, id))
                return int(i);
        return -1;
    }

    int hit(HWND hwnd, POINT p) const
    {
        for (size_t i = 0; i < tools.size(); ++i) {
            const TOOLINFO& t = tools[i].info;
            if (t.uFlags & TTF_IDISHWND) {
                if (reinterpret_cast<HWND>(t.uId) == hwnd)
                    return int(i);
            } else if (t.hwnd == hwnd && p.x >= t.rect.left && p.x < t.rect.right && p.y >= t.rect.top &&
                       p.y < t.rect.bottom) {
                return int(i);
            }
        }
        return -1;
    }

    void pop()
    {
        showTimer.stop();
        popTimer.stop();
        pending = -1;
        shown = -1;
        if (tip)
            tip->hide();
    }

    void relay(const MSG& m)
    {
        if (!active)
            return;
        const POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        switch (m.message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int h = hit(m.hwnd, p);
            pop();
            clicked = h;
            return;
        }
        case WM_MOUSELEAVE:
            pop();
            clicked = -1;
            return;
        case WM_MOUSEMOVE:
            break;
        default:
            return;
        }
        if (CWnd* w = CWnd::FromHandle(m.hwnd); w && w->widget())
            at = w->widget()->mapToGlobal(QPoint(p.x, p.y));
        const int h = hit(m.hwnd, p);
        if (h != clicked)
            clicked = -1;
        if (h < 0) {
            pop();
            return;
        }
        if (h == shown || h == pending || h == clicked)
            return;
        const bool wasShowing = shown >= 0;
        pop();
        pending = h;
        showTimer.start(wasShowing ? reshow : initial);
    }

    void showPending()
    {
        const int index = pending;
        pending = -1;
        if (index < 0 || index >= int(tools.size()) || !active)
            return;
        const Tool tool = tools[size_t(index)];
        std::string text = tool.text;
        if (tool.callback) {
            NMTTDISPINFO di;
            di.hdr.hwndFrom = owner->m_hWnd;
            di.hdr.idFrom = tool.info.uId;
            di.hdr.code = TTN_GETDISPINFO;
            di.uFlags = tool.info.uFlags;
            di.lParam = tool.info.lParam;
            if (CWnd* w = CWnd::FromHandle(tool.info.hwnd))
                w->SendMessage(WM_NOTIFY, WPARAM(tool.info.uId), reinterpret_cast<LPARAM>(&di.hdr));
            if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACK)
                text = di.lpszText;
            else
                text.assign(di.szText, strnlen(di.szText, sizeof di.szText));
        }
        if (text.empty() || !tip)
            return;
        QString shownText = QString::fromUtf8(text.c_str());
        if (!(owner->GetStyle() & TTS_NOPREFIX))
            shownText = StripMnemonic(shownText);
        tip->setText(shownText);
        tip->setWordWrap(false);
        tip->setMinimumWidth(0);
        tip->setMaximumWidth(QWIDGETSIZE_MAX);
        QSize size = tip->sizeHint();
        if (maxWidth > 0 && size.width() > maxWidth) {
            tip->setWordWrap(true);
            tip->setFixedWidth(maxWidth);
            size = QSize(maxWidth, tip->heightForWidth(maxWidth));
        }
        tip->resize(size);
        tip->move(at + QPoint(0, 20));
        tip->show();
        tip->raise();
        shown = index;
        if (autopop > 0)
            popTimer.start(autopop);
    }

    // TTF_SUBCLASS: the tool window's own mouse comes here without relaying.
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        const HWND h = w ? HandleOfWidget(w) : nullptr;
        MSG m;
        m.hwnd = h;
        switch (e->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress: {
            const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
            m.message = e->type() == QEvent::MouseMove ? WM_MOUSEMOVE : WM_LBUTTONDOWN;
            m.lParam = MAKELPARAM(WORD(p.x()), WORD(p.y()));
            relay(m);
            break;
        }
        case QEvent::Leave:
            m.message = WM_MOUSELEAVE;
            relay(m);
            break;
        default:
            break;
        }
        return false;
    }

    void watch(const TOOLINFO& t)
    {
        if (!(t.uFlags & TTF_SUBCLASS))
            return;
        if (CWnd* w = CWnd::FromHandle(windowOf(t)); w && w->widget()) {
            w->widget()->setMouseTracking(true);
            w->widget()->installEventFilter(this);
        }
    }
};

CToolTipCtrl::CToolTipCtrl() : m_state(new State)
{
    m_state->owner = this;
    m_state->showTimer.setSingleShot(true);
    m_state->popTimer.setSingleShot(true);
    QObject::connect(&m_state->showTimer, &QTimer::timeout, m_state, [this] {
        Guarded(m_hWnd, WM_TIMER, [this] { m_state->showPending(); });
    });
    QObject::connect(&m_state->popTimer, &QTimer::timeout, m_state, [this] { m_state->pop(); });
}

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_state->tip)
        delete m_state->tip.data();
    delete m_state;
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    // A hidden child carries the handle and the messages; the tip is a window of its own.
    if (!CreateEx(0, "tooltips_class32", "", WS_CHILD | style, CRect(0, 0, 0, 0), parent, 0))
        return FALSE;
    auto* tip = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    tip->setForegroundRole(QPalette::ToolTipText);
    tip->setBackgroundRole(QPalette::ToolTipBase);
    tip->setAutoFillBackground(true);
    tip->setMargin(3);
    tip->setFrameShape(QFrame::Box);
    tip->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_state->tip = tip;
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, LPCRECT rect, UINT_PTR id)
{
    if (!wnd)
        return FALSE;
    TOOLINFO t;
    if (!rect && id == 0) {
        t.uFlags = TTF_IDISHWND;
        CWnd* parent = wnd->GetParent();
        t.hwnd = parent ? parent->m_hWnd : wnd->m_hWnd;
        t.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        t.hwnd = wnd->m_hWnd;
        t.uId = id;
        if (rect)
            t.rect = *rect;
    }
    t.lpszText = const_cast<char*>(text);
    return AddTool(t);
}

BOOL CToolTipCtrl::AddTool(const TOOLINFO& info)
{
    if (!m_hWnd || m_state->find(info.hwnd, info.uId) >= 0)
        return FALSE;
    Tool tool;
    tool.info = info;
    tool.callback = info.lpszText == LPSTR_TEXTCALLBACK;
    if (info.lpszText && !tool.callback)
        tool.text = info.lpszText;
    tool.info.lpszText = nullptr;
    m_state->tools.push_back(tool);
    m_state->watch(info);
    return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id)
{
    if (!wnd)
        return;
    int i = m_state->find(wnd->m_hWnd, id);
    if (i < 0 && id == 0)
        if (CWnd* parent = wnd->GetParent())
            i = m_state->find(parent->m_hWnd, reinterpret_cast<UINT_PTR>(wnd->m_hWnd));
    if (i < 0)
        return;
    m_state->pop();
    m_state->clicked = -1;
    m_state->tools.erase(m_state->tools.begin() + i);
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, LPCRECT rect)
{
    if (!wnd || !rect)
        return;
    TOOLINFO t;
    t.hwnd = wnd->m_hWnd;
    t.uId = id;
    t.rect = *rect;
    SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&t));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id)
{
    if (!wnd)
        return;
    int i = m_state->find(wnd->m_hWnd, id);
    if (i < 0 && id == 0)
        if (CWnd* parent = wnd->GetParent())
            i = m_state->find(parent->m_hWnd, reinterpret_cast<UINT_PTR>(wnd->m_hWnd));
    if (i < 0)
        return;
    Tool& t = m_state->tools[size_t(i)];
    t.callback = text == LPSTR_TEXTCALLBACK;
    t.text = text && !t.callback ? text : "";
    if (m_state->shown == i && m_state->tip && !t.callback)
        m_state->tip->setText(QString::fromUtf8(t.text.c_str()));
}

int CToolTipCtrl::GetToolCount() const { return int(m_state->tools.size()); }

BOOL CToolTipCtrl::GetCurrentTool(TOOLINFO* info) const
{
    if (m_state->shown < 0)
        return FALSE;
    if (info)
        *info = m_state->tools[size_t(m_state->shown)].info;
    return TRUE;
}

void CToolTipCtrl::RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, WPARAM(activate)); }
void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
int CToolTipCtrl::SetMaxTipWidth(int width) { return int(SendMessage(TTM_SETMAXTIPWIDTH, 0, LPARAM(width))); }
int CToolTipCtrl::GetMaxTipWidth() const { return m_state->maxWidth; }
void CToolTipCtrl::SetDelayTime(UINT which, int ms) { SendMessage(TTM_SETDELAYTIME, WPARAM(which), LPARAM(ms)); }

int CToolTipCtrl::GetDelayTime(UINT which) const
{
    switch (which) {
    case TTDT_RESHOW: return m_state->reshow;
    case TTDT_AUTOPOP: return m_state->autopop;
    default: return m_state->initial;
    }
}

LRESULT CToolTipCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    State& s = *m_state;
    switch (message) {
    case TTM_RELAYEVENT:
        if (lParam)
            s.relay(*reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        s.active = wParam != 0;
        if (!s.active)
            s.pop();
        return 0;
    case TTM_POP:
        s.pop();
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        const int old = s.maxWidth;
        s.maxWidth = int(lParam);
        return old;
    }
    case TTM_SETDELAYTIME: {
        const int ms = int(lParam) < 0 ? 500 : int(lParam);
        switch (wParam) {
        case TTDT_INITIAL: s.initial = ms; break;
        case TTDT_RESHOW: s.reshow = ms; break;
        case TTDT_AUTOPOP: s.autopop = ms; break;
        default:
            s.initial = ms;
            s.reshow = ms / 5;
            s.autopop = ms * 10;
            break;
        }
        return 0;
    }
    case TTM_NEWTOOLRECT: {
        const auto* t = reinterpret_cast<const TOOLINFO*>(lParam);
        if (!t)
            return 0;
        const int i = s.find(t->hwnd, t->uId);
        if (i >= 0)
            s.tools[size_t(i)].info.rect = t->rect;
        return 0;
    }
    case WM_DESTROY:
        s.pop();
        s.tools.clear();
        return CWnd::DefWindowProc(message, wParam, lParam);
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
