#include "platform/win/SpinButtonCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <string>

using namespace win::detail;

namespace {

// The arrows and the state; the state lives on the widget so that a window
// that takes the control over keeps it.
class SpinWidget : public Widget<QWidget> {
public:
    SpinWidget(QWidget* parent, DWORD style) : Widget<QWidget>(parent), style(style)
    {
        const bool horz = (style & UDS_HORZ) != 0;
        auto* box = new QBoxLayout(horz ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        // Left or down first in a row, up first in a column.
        up = new QToolButton(this);
        down = new QToolButton(this);
        up->setArrowType(horz ? Qt::RightArrow : Qt::UpArrow);
        down->setArrowType(horz ? Qt::LeftArrow : Qt::DownArrow);
        for (QToolButton* b : {up, down}) {
            b->setAutoRepeat(true);
            b->setFocusPolicy(Qt::NoFocus);
            b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        }
        box->addWidget(horz ? down : up);
        box->addWidget(horz ? up : down);
        QObject::connect(up, &QToolButton::clicked, this, [this] { clicked(up, +1); });
        QObject::connect(down, &QToolButton::clicked, this, [this] { clicked(down, -1); });
    }

    DWORD style;
    int lower = 100;
    int upper = 0;
    int pos = 0;
    QPointer<QWidget> buddyWidget;
    HWND buddy = nullptr;
    bool buddyLooked = false;
    QToolButton* up;
    QToolButton* down;

    int lo() const { return std::min(lower, upper); }
    int hi() const { return std::max(lower, upper); }

    CWnd* self() const { return CWnd::FromHandle(hwnd); }

    void clicked(QToolButton* b, int direction)
    {
        Guarded(hwnd, WM_NOTIFY, [&] {
            step(direction);
            if (!b->isDown())
                scroll(SB_ENDSCROLL);
        });
    }

    // One step in a direction (+1 up or right): asks the parent, then moves and reports.
    void step(int direction)
    {
        CWnd* me = self();
        if (!me)
            return;
        findBuddy();
        readBuddy(nullptr);
        NMUPDOWN nm;
        nm.hdr.hwndFrom = hwnd;
        nm.hdr.idFrom = UINT_PTR(me->GetDlgCtrlID());
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = pos;
        nm.iDelta = upper >= lower ? direction : -direction;
        CWnd* parent = me->GetParent();
        if (parent && parent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm.hdr)) != 0)
            return;
        if (!CWnd::FromHandle(hwnd))
            return;
        int next = pos + nm.iDelta;
        if (next > hi())
            next = (style & UDS_WRAP) ? lo() : hi();
        else if (next < lo())
            next = (style & UDS_WRAP) ? hi() : lo();
        if (next == pos)
            return;
        pos = next;
        writeBuddy();
        scroll(SB_THUMBPOSITION);
    }

    void scroll(UINT code)
    {
        CWnd* me = self();
        CWnd* parent = me ? me->GetParent() : nullptr;
        if (!parent)
            return;
        const UINT message = (style & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
        parent->SendMessage(message, MAKEWPARAM(WORD(code), WORD(pos)), reinterpret_cast<LPARAM>(hwnd));
    }

    // Takes the buddy's number as the position; false when it holds none in range.
    bool readBuddy(bool* hadBuddy)
    {
        if (hadBuddy)
            *hadBuddy = false;
        if (!(style & UDS_SETBUDDYINT) || !IsWindow(buddy))
            return true;
        if (hadBuddy)
            *hadBuddy = true;
        std::string text = CWnd::FromHandle(buddy)->GetWindowText();
        text.erase(std::remove(text.begin(), text.end(), ','), text.end());
        try {
            size_t used = 0;
            const long v = std::stol(text, &used);
            if (used != text.size() || v < lo() || v > hi())
                return false;
            pos = int(v);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    void writeBuddy()
    {
        if ((style & UDS_SETBUDDYINT) && IsWindow(buddy))
            CWnd::FromHandle(buddy)->SetWindowText(std::to_string(pos));
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == buddyWidget && e->type() == QEvent::KeyPress && (style & UDS_ARROWKEYS)) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Guarded(hwnd, WM_KEYDOWN, [&] {
                    step(key == Qt::Key_Up ? +1 : -1);
                    scroll(SB_ENDSCROLL);
                });
                return true;
            }
        }
        return Widget<QWidget>::eventFilter(watched, e);
    }

    void setBuddy(HWND h)
    {
        if (buddyWidget)
            buddyWidget->removeEventFilter(this);
        buddy = h;
        buddyLooked = true;
        CWnd* b = CWnd::FromHandle(h);
        buddyWidget = b ? b->widget() : nullptr;
        if (!buddyWidget)
            return;
        buddyWidget->installEventFilter(this);
        if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || buddyWidget->parentWidget() != parentWidget())
            return;
        // The arrows take the buddy's edge; the buddy gives up their width.
        QRect r = buddyWidget->geometry();
        const int w = width();
        if (style & UDS_ALIGNRIGHT) {
            setGeometry(r.right() + 1 - w, r.top(), w, r.height());
            r.setRight(r.right() - w);
        } else {
            setGeometry(r.left(), r.top(), w, r.height());
            r.setLeft(r.left() + w);
        }
        buddyWidget->setGeometry(r);
        raise();
    }

    // UDS_AUTOBUDDY: the window made just before this one under the same parent.
    void findBuddy()
    {
        if (buddyLooked || !(style & UDS_AUTOBUDDY))
            return;
        CWnd* me = self();
        CWnd* parent = me ? me->GetParent() : nullptr;
        if (!parent)
            return;
        buddyLooked = true;
        CWnd* before = nullptr;
        for (CWnd* c : parent->GetChildren()) {
            if (c == me)
                break;
            before = c;
        }
        if (before)
            setBuddy(before->m_hWnd);
    }
};

SpinWidget* spin(const CWnd* w) { return dynamic_cast<SpinWidget*>(w->widget()); }

} // namespace

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "msctls_updown32", "", style, rect, parent, id);
}

QWidget* CSpinButtonCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    auto* s = new SpinWidget(parent, style);
    ApplyFocusPolicy(s, style, Qt::NoFocus);
    if (style & UDS_AUTOBUDDY)
        QTimer::singleShot(0, s, [s] { Guarded(s->hwnd, UDM_SETBUDDY, [s] { s->findBuddy(); }); });
    return s;
}

bool CSpinButtonCtrl::AcceptsWidget(const QWidget* w) const { return dynamic_cast<const SpinWidget*>(w) != nullptr; }

void CSpinButtonCtrl::SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                                                    reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos32(int pos) { return int(SendMessage(UDM_SETPOS32, 0, LPARAM(pos))); }

int CSpinButtonCtrl::GetPos32(BOOL* error) const
{
    return int(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    return CWnd::FromHandle(HWND(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(HWND(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETBUDDY)));
}

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    SpinWidget* s = spin(this);
    if (!s)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case UDM_SETRANGE:
        s->lower = short(HIWORD(DWORD(lParam)));
        s->upper = short(LOWORD(DWORD(lParam)));
        s->pos = std::clamp(s->pos, s->lo(), s->hi());
        return 0;
    case UDM_SETRANGE32:
        s->lower = int(wParam);
        s->upper = int(lParam);
        s->pos = std::clamp(s->pos, s->lo(), s->hi());
        return 0;
    case UDM_GETRANGE:
        return LRESULT(MAKELONG(WORD(s->upper), WORD(s->lower)));
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = s->lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = s->upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        s->findBuddy();
        const int old = s->pos;
        s->pos = std::clamp(message == UDM_SETPOS ? int(short(LOWORD(DWORD(lParam)))) : int(lParam), s->lo(), s->hi());
        s->writeBuddy();
        return LRESULT(old);
    }
    case UDM_GETPOS:
    case UDM_GETPOS32: {
        s->findBuddy();
        const bool ok = s->readBuddy(nullptr);
        if (message == UDM_GETPOS)
            return LRESULT(MAKELONG(WORD(s->pos), WORD(ok ? 0 : 1)));
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
        return LRESULT(s->pos);
    }
    case UDM_SETBUDDY: {
        s->findBuddy();
        const HWND old = s->buddy;
        s->setBuddy(reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
        s->findBuddy();
        return reinterpret_cast<LRESULT>(s->buddy);
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
