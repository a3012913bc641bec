#include "platform/win/Button.h"

#include "platform/win/Dc.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

using namespace win::detail;

namespace {

CButton* buttonOf(const QWidget* w) { return dynamic_cast<CButton*>(CWnd::FromHandle(HandleOfWidget(w))); }

// The other radio buttons of the group a button belongs to: from the control
// with WS_GROUP at or before it to the next control with WS_GROUP.
std::vector<CButton*> radioGroup(CButton* self)
{
    std::vector<CButton*> group;
    CWnd* parent = self ? self->GetParent() : nullptr;
    if (!parent)
        return group;
    const std::vector<CWnd*> siblings = parent->GetChildren();
    auto it = std::find(siblings.begin(), siblings.end(), self);
    if (it == siblings.end())
        return group;
    size_t first = size_t(it - siblings.begin());
    while (first > 0 && !(siblings[first]->GetStyle() & WS_GROUP))
        --first;
    for (size_t i = first; i < siblings.size(); ++i) {
        if (i > first && (siblings[i]->GetStyle() & WS_GROUP))
            break;
        if (auto* b = dynamic_cast<CButton*>(siblings[i]); b && b->IsRadioButton())
            group.push_back(b);
    }
    return group;
}

class CheckBoxWidget : public Widget<QCheckBox> {
public:
    using Widget<QCheckBox>::Widget;
    bool autoToggle = true;

protected:
    void nextCheckState() override
    {
        if (autoToggle)
            QCheckBox::nextCheckState();
    }
};

class RadioWidget : public Widget<QRadioButton> {
public:
    using Widget<QRadioButton>::Widget;
    bool autoCheck = true;

protected:
    void nextCheckState() override
    {
        if (!autoCheck)
            return;
        CButton* self = buttonOf(this);
        for (CButton* other : radioGroup(self))
            if (other != self)
                other->SetCheck(BST_UNCHECKED);
        if (self)
            self->SetCheck(BST_CHECKED);
        else
            setChecked(true);
    }
};

// A group box drawn as dialogs draw it: the etched frame's top line runs
// through the middle of the caption, so the controls a template places just
// under the box's top clear the line.
class GroupBoxWidget : public Widget<QGroupBox> {
public:
    using Widget<QGroupBox>::Widget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QFontMetrics fm = fontMetrics();
        const int top = fm.height() / 2;
        const QRect r = rect().adjusted(0, top, -1, -1);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(r.adjusted(1, 1, 0, 0));
        const QString t = title();
        if (t.isEmpty())
            return;
        const int gap = fm.horizontalAdvance(QLatin1Char(' ')) / 2 + 1;
        const QRect text(8, 0, fm.horizontalAdvance(t) + 2 * gap, fm.height());
        // The caption stands on the dialog's own background, hiding the line.
        const QWidget* under = parentWidget() ? parentWidget() : this;
        p.fillRect(text, under->palette().color(under->backgroundRole()));
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(text, Qt::AlignCenter, t);
    }
};

} // namespace

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "Button", text, style, rect, parent, id);
}

QWidget* CButton::CreateWidget(QWidget* parent, DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    QAbstractButton* b = nullptr;
    switch (type) {
    case BS_GROUPBOX: {
        auto* g = new GroupBoxWidget(parent);
        // Controls lie over the box as its siblings; the box takes no input.
        g->setAttribute(Qt::WA_TransparentForMouseEvents);
        ApplyFocusPolicy(g, style, Qt::NoFocus);
        return g;
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* c = new CheckBoxWidget(parent);
        c->autoToggle = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE;
        c->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
        b = c;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        auto* r = new RadioWidget(parent);
        r->setAutoExclusive(false);
        r->autoCheck = type == BS_AUTORADIOBUTTON;
        b = r;
        break;
    }
    default: {
        auto* p = new Widget<QPushButton>(parent);
        p->setAutoDefault(false);
        p->setCheckable(style & BS_PUSHLIKE);
        b = p;
        break;
    }
    }
    QObject::connect(b, &QAbstractButton::clicked, [b] { NotifyParentOf(b, BN_CLICKED); });
    ApplyFocusPolicy(b, style, Qt::ClickFocus);
    return b;
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        const QString t = QString::fromStdString(impl()->text);
        if (auto* b = qobject_cast<QAbstractButton*>(widget()))
            b->setText(t);
        else if (auto* g = qobject_cast<QGroupBox*>(widget()))
            g->setTitle(t);
        return r;
    }
    case BM_GETCHECK:
        if (auto* c = qobject_cast<const QCheckBox*>(widget())) {
            switch (c->checkState()) {
            case Qt::Checked: return BST_CHECKED;
            case Qt::PartiallyChecked: return BST_INDETERMINATE;
            default: return BST_UNCHECKED;
            }
        }
        if (auto* b = qobject_cast<const QAbstractButton*>(widget()))
            return b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        return BST_UNCHECKED;
    case BM_SETCHECK:
        if (auto* c = qobject_cast<QCheckBox*>(widget())) {
            c->setCheckState(wParam == WPARAM(BST_CHECKED)         ? Qt::Checked
                             : wParam == WPARAM(BST_INDETERMINATE) ? Qt::PartiallyChecked
                                                                   : Qt::Unchecked);
        } else if (auto* b = qobject_cast<QAbstractButton*>(widget())) {
            if (b->isCheckable() || qobject_cast<QRadioButton*>(b))
                b->setChecked(wParam == WPARAM(BST_CHECKED));
        }
        return 0;
    case WM_PAINT: {
        // Push and owner-drawn buttons ask for a button's colours, the others for a static's.
        const DWORD kind = GetStyle() & BS_TYPEMASK;
        AskControlColors(this, kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_OWNERDRAW
                                   ? WM_CTLCOLORBTN
                                   : WM_CTLCOLORSTATIC);
        if (!m_hWnd)
            return 0;
        if (kind == BS_OWNERDRAW)
            if (auto* b = qobject_cast<QAbstractButton*>(widget())) {
                CPaintDC dc(this);
                DRAWITEMSTRUCT dis;
                dis.CtlType = ODT_BUTTON;
                dis.CtlID = UINT(GetDlgCtrlID());
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = (b->isDown() ? ODS_SELECTED : 0) | (b->isChecked() ? ODS_CHECKED : 0) |
                                (b->hasFocus() ? ODS_FOCUS : 0) | (b->isEnabled() ? 0 : ODS_DISABLED);
                dis.hwndItem = m_hWnd;
                dis.hDC = &dc;
                GetClientRect(&dis.rcItem);
                CWnd* parent = GetParent();
                if (!parent || !parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis)))
                    DrawItem(&dis);
                return 0;
            }
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
    case BM_CLICK:
        if (auto* b = qobject_cast<QAbstractButton*>(widget()))
            b->click();
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CButton::GetCheck() const { return int(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }

bool CButton::IsRadioButton() const
{
    const UINT type = GetButtonStyle();
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool CButton::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w);
}
