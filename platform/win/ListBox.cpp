#include "platform/win/ListBox.h"

#include "platform/win/WidgetGlue.h"

#include <QListWidget>

using namespace win::detail;

namespace {

QListWidget* list(const CWnd* w) { return qobject_cast<QListWidget*>(w->widget()); }

} // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "ListBox", "", style, rect, parent, id);
}

QWidget* CListBox::CreateWidget(QWidget* parent, DWORD style)
{
    auto* l = new Widget<QListWidget>(parent);
    if (style & LBS_NOTIFY) {
        QObject::connect(l, &QListWidget::currentRowChanged, [l] { NotifyParentOf(l, LBN_SELCHANGE); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, [l] { NotifyParentOf(l, LBN_DBLCLK); });
    }
    ApplyFocusPolicy(l, style, Qt::ClickFocus);
    return l;
}

int CListBox::AddString(const std::string& text)
{
    QListWidget* l = list(this);
    if (!l)
        return LB_ERR;
    l->addItem(QString::fromStdString(text));
    return l->count() - 1;
}

int CListBox::DeleteString(int index)
{
    QListWidget* l = list(this);
    if (!l || index < 0 || index >= l->count())
        return LB_ERR;
    delete l->takeItem(index);
    return l->count();
}

void CListBox::ResetContent()
{
    if (QListWidget* l = list(this))
        l->clear();
}

int CListBox::GetCount() const { return list(this) ? list(this)->count() : 0; }

int CListBox::GetCurSel() const
{
    QListWidget* l = list(this);
    return l && l->currentRow() >= 0 ? l->currentRow() : LB_ERR;
}

int CListBox::SetCurSel(int index)
{
    QListWidget* l = list(this);
    if (!l)
        return LB_ERR;
    if (index < 0 || index >= l->count()) {
        l->setCurrentRow(-1);
        return index == -1 ? 0 : LB_ERR;
    }
    l->setCurrentRow(index);
    return 0;
}

std::string CListBox::GetText(int index) const
{
    QListWidget* l = list(this);
    return l && index >= 0 && index < l->count() ? l->item(index)->text().toStdString() : std::string();
}

bool CListBox::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QListWidget*>(w) != nullptr; }
