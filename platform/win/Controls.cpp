#include "platform/win/Controls.h"

#include "platform/win/ControlWidgets.h"
#include "platform/win/Resources.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>

namespace win::detail {
namespace {

HWND ownHandle(const QWidget* w)
{
    auto* link = dynamic_cast<const WidgetLink*>(w);
    return link ? link->hwnd : nullptr;
}

void notify(const QWidget* w, UINT code)
{
    if (HWND h = ownHandle(w))
        NotifyParent(h, code);
}

// "&File" shows as "File" (the letter is the mnemonic); "&&" is one ampersand.
QString stripMnemonic(const QString& s)
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

// The radio buttons of the group a button belongs to: from the control with
// WS_GROUP at or before it to the next control with WS_GROUP.
std::vector<QWidget*> radioGroup(const QWidget* button)
{
    std::vector<QWidget*> group;
    CWnd* self = CWnd::FromHandle(ownHandle(button));
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
        if (qobject_cast<QRadioButton*>(siblings[i]->widget()))
            group.push_back(siblings[i]->widget());
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
        for (QWidget* other : radioGroup(this))
            if (other != this)
                static_cast<QRadioButton*>(other)->setChecked(false);
        setChecked(true);
    }
};

QPixmap imageResource(UINT id)
{
    const std::string path = FindImagePath(id);
    return path.empty() ? QPixmap() : QPixmap(QString::fromStdString(path));
}

QWidget* makeStatic(DWORD style, const std::string& text, UINT imageId, QWidget* parent)
{
    const DWORD type = style & SS_TYPEMASK;
    switch (type) {
    case SS_BITMAP:
    case SS_ICON: {
        auto* l = new Widget<QLabel>(parent);
        l->setAlignment((style & SS_CENTERIMAGE) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
        if (imageId)
            l->setPixmap(imageResource(imageId));
        l->setProperty("mirtalImage", imageId);
        return l;
    }
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDFRAME:
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
        auto* f = new Widget<QFrame>(parent);
        const bool rect = type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT;
        const QColor c = (type == SS_BLACKFRAME || type == SS_BLACKRECT)  ? QColor(0, 0, 0)
                         : (type == SS_WHITEFRAME || type == SS_WHITERECT) ? QColor(255, 255, 255)
                                                                            : QColor(128, 128, 128);
        QPalette p = f->palette();
        p.setColor(QPalette::WindowText, c);
        p.setColor(QPalette::Window, c);
        f->setPalette(p);
        if (rect) {
            f->setAutoFillBackground(true);
        } else {
            f->setFrameShape(QFrame::Box);
            f->setFrameShadow(type == SS_ETCHEDFRAME ? QFrame::Sunken : QFrame::Plain);
        }
        return f;
    }
    default: {
        auto* l = new Widget<QLabel>(parent);
        Qt::Alignment a = Qt::AlignTop;
        if (type == SS_CENTER)
            a |= Qt::AlignHCenter;
        else if (type == SS_RIGHT)
            a |= Qt::AlignRight;
        else
            a |= Qt::AlignLeft;
        if (style & SS_CENTERIMAGE)
            a = (a & ~Qt::AlignTop) | Qt::AlignVCenter;
        l->setAlignment(a);
        l->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
        l->setTextFormat(Qt::PlainText);
        l->setProperty("mirtalNoPrefix", (style & SS_NOPREFIX) != 0);
        if (style & SS_SUNKEN) {
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
        }
        SetWidgetText(l, text);
        return l;
    }
    }
}

QWidget* makeEdit(DWORD style, const std::string& text, QWidget* parent)
{
    if (style & ES_MULTILINE) {
        auto* e = new Widget<QPlainTextEdit>(parent);
        e->setReadOnly(style & ES_READONLY);
        e->setLineWrapMode((style & WS_HSCROLL) || (style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                                             : QPlainTextEdit::WidgetWidth);
        e->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        SetWidgetText(e, text);
        QObject::connect(e, &QPlainTextEdit::textChanged, [e] { notify(e, EN_CHANGE); });
        return e;
    }
    auto* e = new Widget<QLineEdit>(parent);
    e->setReadOnly(style & ES_READONLY);
    e->setFrame((style & WS_BORDER) != 0);
    if (style & ES_PASSWORD)
        e->setEchoMode(QLineEdit::Password);
    if (style & ES_NUMBER)
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    if (style & ES_CENTER)
        e->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else if (style & ES_RIGHT)
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetWidgetText(e, text);
    QObject::connect(e, &QLineEdit::textChanged, [e] { notify(e, EN_CHANGE); });
    return e;
}

QWidget* makeButton(DWORD style, const std::string& text, QWidget* parent)
{
    const DWORD type = style & BS_TYPEMASK;
    QAbstractButton* b = nullptr;
    switch (type) {
    case BS_GROUPBOX: {
        auto* g = new Widget<QGroupBox>(parent);
        // Controls lie over the box as its siblings; the box takes no input.
        g->setAttribute(Qt::WA_TransparentForMouseEvents);
        SetWidgetText(g, text);
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
    SetWidgetText(b, text);
    QObject::connect(b, &QAbstractButton::clicked, [b] { notify(b, BN_CLICKED); });
    return b;
}

} // namespace

QWidget* CreateControlWidget(const std::string& className, DWORD style, const std::string& text,
                             UINT imageId, QWidget* parent)
{
    const QString cls = QString::fromStdString(className).toLower();
    QWidget* w = nullptr;
    Qt::FocusPolicy focus = Qt::ClickFocus;
    if (cls == "static") {
        w = makeStatic(style, text, imageId, parent);
        focus = Qt::NoFocus;
    } else if (cls == "edit") {
        w = makeEdit(style, text, parent);
    } else if (cls == "button") {
        w = makeButton(style, text, parent);
        if ((style & BS_TYPEMASK) == BS_GROUPBOX)
            focus = Qt::NoFocus;
    } else if (cls == "combobox") {
        auto* c = new Widget<QComboBox>(parent);
        const DWORD type = style & 0x3;
        c->setEditable(type != CBS_DROPDOWNLIST);
        QObject::connect(c, QOverload<int>::of(&QComboBox::activated), [c] { notify(c, CBN_SELCHANGE); });
        QObject::connect(c, &QComboBox::editTextChanged, [c] { notify(c, CBN_EDITCHANGE); });
        w = c;
    } else if (cls == "listbox") {
        auto* l = new Widget<QListWidget>(parent);
        if (style & LBS_NOTIFY) {
            QObject::connect(l, &QListWidget::currentRowChanged, [l] { notify(l, LBN_SELCHANGE); });
            QObject::connect(l, &QListWidget::itemDoubleClicked, [l] { notify(l, LBN_DBLCLK); });
        }
        w = l;
    } else if (cls == "msctls_trackbar32") {
        w = new Widget<QSlider>((style & TBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
    } else if (cls == "msctls_progress32") {
        auto* p = new Widget<QProgressBar>(parent);
        p->setTextVisible(false);
        w = p;
    } else {
        // A control the program draws itself (its class subclasses it).
        w = new Widget<QWidget>(parent);
        SetWidgetText(w, text);
    }
    w->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : focus);
    return w;
}

std::unique_ptr<CWnd> NewControlObject(const std::string& className)
{
    const QString cls = QString::fromStdString(className).toLower();
    if (cls == "static")
        return std::make_unique<CStatic>();
    if (cls == "edit")
        return std::make_unique<CEdit>();
    if (cls == "button")
        return std::make_unique<CButton>();
    return std::make_unique<CWnd>();
}

void SetWidgetText(QWidget* w, const std::string& text)
{
    const QString t = QString::fromStdString(text);
    w->setProperty("mirtalText", t);
    if (w->isWindow()) {
        w->setWindowTitle(t);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->pixmap().isNull())
            l->setText(w->property("mirtalNoPrefix").toBool() ? t : stripMnemonic(t));
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(t);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        QString plain = t;
        plain.replace("\r\n", "\n");
        p->setPlainText(plain);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(t);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(t);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable())
            c->setEditText(t);
        else
            c->setCurrentIndex(c->findText(t));
    } else {
        w->update();
    }
}

std::string GetWidgetText(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text().toStdString();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(w)) {
        // Multi-line fields break lines with CR LF, as they did on Windows.
        QString t = p->toPlainText();
        t.replace("\n", "\r\n");
        return t.toStdString();
    }
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText().toStdString();
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text().toStdString();
    if (w->isWindow())
        return w->windowTitle().toStdString();
    return w->property("mirtalText").toString().toStdString();
}

int GetWidgetCheck(const QWidget* w)
{
    if (auto* c = qobject_cast<const QCheckBox*>(w)) {
        switch (c->checkState()) {
        case Qt::Checked: return BST_CHECKED;
        case Qt::PartiallyChecked: return BST_INDETERMINATE;
        default: return BST_UNCHECKED;
        }
    }
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

void SetWidgetCheck(QWidget* w, int check)
{
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setCheckState(check == BST_CHECKED         ? Qt::Checked
                         : check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->isCheckable() || qobject_cast<QRadioButton*>(b))
            b->setChecked(check == BST_CHECKED);
    }
}

} // namespace win::detail

using namespace win::detail;

// ---- CStatic --------------------------------------------------------------------

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "Static", text, style, rect, parent, id);
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A notifying static reports its clicks to its parent.
    if ((GetStyle() & SS_NOTIFY) && (message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK)) {
        const HWND self = m_hWnd;
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        if (IsWindow(self))
            NotifyParent(self, message == WM_LBUTTONUP ? STN_CLICKED : STN_DBLCLK);
        return r;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CStatic::SetImageResource(UINT id)
{
    if (auto* l = qobject_cast<QLabel*>(widget()))
        l->setPixmap(imageResource(id));
}

bool CStatic::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QFrame*>(w);
}

QWidget* CStatic::CreateWidget(QWidget* parent, DWORD style)
{
    return CreateControlWidget("Static", style, "", 0, parent);
}

// ---- CEdit ----------------------------------------------------------------------

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "Edit", "", style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget())) {
        const int len = int(e->text().size());
        if (start < 0) {
            e->deselect();
            return;
        }
        if (end < 0 || end > len)
            end = len;
        e->setSelection(start, end - start);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) {
        QTextCursor c = p->textCursor();
        if (start < 0) {
            c.clearSelection();
        } else {
            const int len = p->document()->characterCount() - 1;
            c.setPosition(std::min(start, len));
            c.setPosition(end < 0 ? len : std::min(end, len), QTextCursor::KeepAnchor);
        }
        p->setTextCursor(c);
    }
}

void CEdit::GetSel(int& start, int& end) const
{
    start = end = 0;
    if (auto* e = qobject_cast<QLineEdit*>(widget())) {
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            end = e->selectionEnd();
        } else {
            start = end = e->cursorPosition();
        }
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) {
        start = p->textCursor().selectionStart();
        end = p->textCursor().selectionEnd();
    }
}

void CEdit::ReplaceSel(const std::string& text, BOOL)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget()))
        e->insert(QString::fromStdString(text));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(widget()))
        p->insertPlainText(QString::fromStdString(text));
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget()))
        e->setReadOnly(readOnly);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(widget()))
        p->setReadOnly(readOnly);
    else
        return FALSE;
    return TRUE;
}

void CEdit::LimitText(int maxChars)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget()))
        e->setMaxLength(maxChars > 0 ? maxChars : 32767);
}

bool CEdit::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

QWidget* CEdit::CreateWidget(QWidget* parent, DWORD style)
{
    return CreateControlWidget("Edit", style, "", 0, parent);
}

// ---- CButton --------------------------------------------------------------------

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "Button", text, style, rect, parent, id);
}

int CButton::GetCheck() const { return widget() ? GetWidgetCheck(widget()) : BST_UNCHECKED; }

void CButton::SetCheck(int check)
{
    if (widget())
        SetWidgetCheck(widget(), check);
}

bool CButton::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QGroupBox*>(w);
}

QWidget* CButton::CreateWidget(QWidget* parent, DWORD style)
{
    return CreateControlWidget("Button", style, "", 0, parent);
}
