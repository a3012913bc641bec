#include "platform/win/ComboBox.h"

#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QComboBox>

using namespace win::detail;

namespace {

QComboBox* combo(const CWnd* w) { return qobject_cast<QComboBox*>(w->widget()); }

} // namespace

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "ComboBox", "", style, rect, parent, id);
}

QWidget* CComboBox::CreateWidget(QWidget* parent, DWORD style)
{
    auto* c = new Widget<QComboBox>(parent);
    c->setEditable((style & 0x3) != CBS_DROPDOWNLIST);
    QObject::connect(c, QOverload<int>::of(&QComboBox::activated), [c] { NotifyParentOf(c, CBN_SELCHANGE); });
    QObject::connect(c, &QComboBox::editTextChanged, [c] { NotifyParentOf(c, CBN_EDITCHANGE); });
    ApplyFocusPolicy(c, style, Qt::ClickFocus);
    return c;
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QComboBox* c = combo(this);
    if (!c)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT: {
        const QString t = QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : "");
        if (c->isEditable())
            c->setEditText(t);
        else
            c->setCurrentIndex(c->findText(t));
        return TRUE;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        const std::string text = c->currentText().toStdString();
        return message == WM_GETTEXTLENGTH ? LRESULT(text.size()) : CopyTextOut(text, wParam, lParam);
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CComboBox::AddString(const std::string& text)
{
    QComboBox* c = combo(this);
    if (!c)
        return CB_ERR;
    c->addItem(QString::fromStdString(text));
    return c->count() - 1;
}

int CComboBox::InsertString(int index, const std::string& text)
{
    QComboBox* c = combo(this);
    if (!c)
        return CB_ERR;
    const int at = index < 0 || index > c->count() ? c->count() : index;
    c->insertItem(at, QString::fromStdString(text));
    return at;
}

int CComboBox::DeleteString(int index)
{
    QComboBox* c = combo(this);
    if (!c || index < 0 || index >= c->count())
        return CB_ERR;
    c->removeItem(index);
    return c->count();
}

void CComboBox::ResetContent()
{
    if (QComboBox* c = combo(this))
        c->clear();
}

int CComboBox::GetCount() const { return combo(this) ? combo(this)->count() : 0; }

int CComboBox::GetCurSel() const
{
    QComboBox* c = combo(this);
    return c && c->currentIndex() >= 0 ? c->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    QComboBox* c = combo(this);
    if (!c)
        return CB_ERR;
    if (index < -1 || index >= c->count()) {
        c->setCurrentIndex(-1);
        return CB_ERR;
    }
    c->setCurrentIndex(index);
    return index;
}

void CComboBox::GetLBText(int index, std::string& text) const { text = GetLBText(index); }

std::string CComboBox::GetLBText(int index) const
{
    QComboBox* c = combo(this);
    return c && index >= 0 && index < c->count() ? c->itemText(index).toStdString() : std::string();
}

int CComboBox::FindString(int start, const std::string& text) const
{
    QComboBox* c = combo(this);
    if (!c)
        return CB_ERR;
    const QString t = QString::fromStdString(text);
    const int n = c->count();
    if (start >= n)
        start = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        if (c->itemText(i).startsWith(t, Qt::CaseInsensitive))
            return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int start, const std::string& text)
{
    const int i = FindString(start, text);
    if (i != CB_ERR)
        SetCurSel(i);
    return i;
}

bool CComboBox::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QComboBox*>(w) != nullptr; }
