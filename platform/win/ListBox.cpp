#include "platform/win/ListBox.h"

#include "platform/win/WidgetGlue.h"

#include <QListWidget>

using namespace win::detail;

namespace {

constexpr int kDataRole = Qt::UserRole + 1;

QListWidget* list(const CWnd* w) { return qobject_cast<QListWidget*>(w->widget()); }

QString textOf(LPARAM lParam) { return QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""); }

int selectedRow(const QListWidget* l)
{
    const QList<QListWidgetItem*> items = l->selectedItems();
    return items.isEmpty() ? LB_ERR : l->row(items.first());
}

// Selects the row (or none) without a word to the parent: only the user's changes are reported.
void selectRow(QListWidget* l, int row)
{
    const QSignalBlocker quiet(l);
    l->clearSelection();
    if (row >= 0) {
        l->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        l->scrollToItem(l->item(row));
    }
}

int sortedPlace(const QListWidget* l, const QString& text)
{
    int lo = 0, hi = l->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(l->item(mid)->text(), text, Qt::CaseInsensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int findEntry(const QListWidget* l, WPARAM startParam, const QString& text, bool exact)
{
    const int n = l->count();
    int start = int(startParam);
    if (start < -1 || start >= n)
        start = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        const QString item = l->item(i)->text();
        if (exact ? QString::compare(item, text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return LB_ERR;
}

} // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "ListBox", "", style, rect, parent, id);
}

QWidget* CListBox::CreateWidget(QWidget* parent, DWORD style)
{
    auto* l = new Widget<QListWidget>(parent);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    if (style & LBS_NOTIFY) {
        // The program's own changes run with the widget's signals blocked.
        QObject::connect(l, &QListWidget::itemSelectionChanged, [l] { NotifyParentOf(l, LBN_SELCHANGE); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, [l] { NotifyParentOf(l, LBN_DBLCLK); });
    }
    ApplyFocusPolicy(l, style, Qt::ClickFocus);
    return l;
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QListWidget* l = list(this);
    if (!l)
        return CWnd::DefWindowProc(message, wParam, lParam);
    const int n = l->count();
    const int index = int(wParam);
    const bool valid = index >= 0 && index < n;
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const QString t = textOf(lParam);
        int at;
        if (message == LB_ADDSTRING)
            at = (GetStyle() & LBS_SORT) ? sortedPlace(l, t) : n;
        else if (wParam == WPARAM(-1))
            at = n;
        else if (valid || index == n)
            at = index;
        else
            return LB_ERR;
        const QSignalBlocker quiet(l);
        auto* item = new QListWidgetItem(t);
        item->setData(kDataRole, QVariant::fromValue<qulonglong>(0));
        l->insertItem(at, item);
        return at;
    }
    case LB_DELETESTRING: {
        if (!valid)
            return LB_ERR;
        const QSignalBlocker quiet(l);
        const bool wasSelected = selectedRow(l) == index;
        delete l->takeItem(index);
        if (wasSelected)
            l->clearSelection();
        return l->count();
    }
    case LB_RESETCONTENT: {
        const QSignalBlocker quiet(l);
        l->clear();
        return 0;
    }
    case LB_GETCOUNT: return n;
    case LB_GETCURSEL: return selectedRow(l);
    case LB_SETCURSEL:
        selectRow(l, valid ? index : -1);
        return valid || index == -1 ? index : LB_ERR;
    case LB_GETTEXTLEN: return valid ? LRESULT(l->item(index)->text().toUtf8().size()) : LB_ERR;
    case LB_GETTEXT: {
        if (!valid)
            return LB_ERR;
        // Like Windows, the buffer must hold the entry's length plus its terminating zero.
        const QByteArray t = l->item(index)->text().toUtf8();
        char* out = reinterpret_cast<char*>(lParam);
        std::copy(t.begin(), t.end(), out);
        out[t.size()] = '\0';
        return t.size();
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: return findEntry(l, wParam, textOf(lParam), message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        const int found = findEntry(l, wParam, textOf(lParam), false);
        if (found != LB_ERR)
            selectRow(l, found);
        return found;
    }
    case LB_GETITEMDATA: return valid ? LRESULT(l->item(index)->data(kDataRole).toULongLong()) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid)
            return LB_ERR;
        l->item(index)->setData(kDataRole, QVariant::fromValue<qulonglong>(qulonglong(lParam)));
        return TRUE;
    default: return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CListBox::AddString(const std::string& text) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(text.c_str()))); }

int CListBox::InsertString(int index, const std::string& text)
{
    return int(SendMessage(LB_INSERTSTRING, WPARAM(index), LPARAM(text.c_str())));
}

int CListBox::DeleteString(int index) { return int(SendMessage(LB_DELETESTRING, WPARAM(index))); }

void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }

int CListBox::GetCount() const { return int(const_cast<CListBox*>(this)->SendMessage(LB_GETCOUNT)); }

int CListBox::GetCurSel() const { return int(const_cast<CListBox*>(this)->SendMessage(LB_GETCURSEL)); }

int CListBox::SetCurSel(int index)
{
    const int r = int(SendMessage(LB_SETCURSEL, WPARAM(index)));
    return index == -1 ? 0 : r;
}

int CListBox::GetTextLen(int index) const
{
    return int(const_cast<CListBox*>(this)->SendMessage(LB_GETTEXTLEN, WPARAM(index)));
}

int CListBox::GetText(int index, std::string& text) const
{
    text.clear();
    const int len = GetTextLen(index);
    if (len < 0)
        return LB_ERR;
    std::string buffer(size_t(len) + 1, '\0');
    const int got = int(const_cast<CListBox*>(this)->SendMessage(LB_GETTEXT, WPARAM(index), LPARAM(buffer.data())));
    if (got < 0)
        return LB_ERR;
    text.assign(buffer.data(), size_t(got));
    return got;
}

std::string CListBox::GetText(int index) const
{
    std::string text;
    GetText(index, text);
    return text;
}

int CListBox::FindString(int start, const std::string& text) const
{
    return int(const_cast<CListBox*>(this)->SendMessage(LB_FINDSTRING, WPARAM(start), LPARAM(text.c_str())));
}

int CListBox::FindStringExact(int start, const std::string& text) const
{
    return int(const_cast<CListBox*>(this)->SendMessage(LB_FINDSTRINGEXACT, WPARAM(start), LPARAM(text.c_str())));
}

int CListBox::SelectString(int start, const std::string& text)
{
    return int(SendMessage(LB_SELECTSTRING, WPARAM(start), LPARAM(text.c_str())));
}

DWORD_PTR CListBox::GetItemData(int index) const
{
    return DWORD_PTR(const_cast<CListBox*>(this)->SendMessage(LB_GETITEMDATA, WPARAM(index)));
}

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    return int(SendMessage(LB_SETITEMDATA, WPARAM(index), LPARAM(data)));
}

bool CListBox::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QListWidget*>(w) != nullptr; }
