#include "platform/win/ComboBox.h"

#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QComboBox>
#include <QLineEdit>

using namespace win::detail;

namespace {

constexpr int kDataRole = Qt::UserRole + 1;

QComboBox* combo(const CWnd* w) { return qobject_cast<QComboBox*>(w->widget()); }

QString textOf(LPARAM lParam) { return QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""); }

// Qt selects the first entry put into an empty box and moves the selection
// off a removed one; Windows does neither, and keeps the edit field's text.
class KeepSelection {
public:
    explicit KeepSelection(QComboBox* c) : m_c(c), m_index(c->currentIndex()), m_text(c->currentText())
    {
        m_blocker = c->blockSignals(true);
    }
    ~KeepSelection()
    {
        if (m_clear || m_index < 0) {
            m_c->setCurrentIndex(-1);
            if (m_c->isEditable())
                m_c->setEditText(m_text);
        }
        m_c->blockSignals(m_blocker);
    }
    KeepSelection(const KeepSelection&) = delete;
    KeepSelection& operator=(const KeepSelection&) = delete;
    int index() const { return m_index; }
    void clear() { m_clear = true; }

private:
    QComboBox* m_c;
    int m_index;
    QString m_text;
    bool m_blocker = false;
    bool m_clear = false;
};

// Where a sorted box puts the text: after the entries that compare equal or less, ignoring case.
int sortedPlace(const QComboBox* c, const QString& text)
{
    int lo = 0, hi = c->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(c->itemText(mid), text, Qt::CaseInsensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int findEntry(const QComboBox* c, WPARAM startParam, const QString& text, bool exact)
{
    const int n = c->count();
    int start = int(startParam);
    if (start < -1 || start >= n)
        start = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        const QString item = c->itemText(i);
        if (exact ? QString::compare(item, text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return CB_ERR;
}

} // namespace

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "ComboBox", "", style, rect, parent, id);
}

QWidget* CComboBox::CreateWidget(QWidget* parent, DWORD style)
{
    auto* c = new Widget<QComboBox>(parent);
    c->setEditable((style & 0x3) != CBS_DROPDOWNLIST);
    if (QLineEdit* edit = c->lineEdit()) {
        // No completion and no entries added by Enter: the box holds what the program puts in.
        c->setCompleter(nullptr);
        c->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(edit, &QLineEdit::textEdited, [c] { NotifyParentOf(c, CBN_EDITCHANGE); });
    }
    // activated comes from the user only; the program's selections stay silent.
    QObject::connect(c, QOverload<int>::of(&QComboBox::activated), [c] { NotifyParentOf(c, CBN_SELCHANGE); });
    ApplyFocusPolicy(c, style, Qt::ClickFocus);
    return c;
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QComboBox* c = combo(this);
    if (!c)
        return CWnd::DefWindowProc(message, wParam, lParam);
    const int n = c->count();
    const int index = int(wParam);
    const bool valid = index >= 0 && index < n;
    switch (message) {
    case WM_SETTEXT: {
        const QString t = textOf(lParam);
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
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        const QString t = textOf(lParam);
        int at;
        if (message == CB_ADDSTRING)
            at = (GetStyle() & CBS_SORT) ? sortedPlace(c, t) : n;
        else if (wParam == WPARAM(-1))
            at = n;
        else if (valid || index == n)
            at = index;
        else
            return CB_ERR;
        KeepSelection keep(c);
        c->insertItem(at, t);
        c->setItemData(at, QVariant::fromValue<qulonglong>(0), kDataRole);
        return at;
    }
    case CB_DELETESTRING: {
        if (!valid)
            return CB_ERR;
        KeepSelection keep(c);
        if (keep.index() == index)
            keep.clear();
        c->removeItem(index);
        return c->count();
    }
    case CB_RESETCONTENT: {
        const QSignalBlocker quiet(c);
        c->clear();
        if (c->isEditable())
            c->setEditText(QString());
        return 0;
    }
    case CB_GETCOUNT: return n;
    case CB_GETCURSEL: return c->currentIndex() >= 0 ? c->currentIndex() : CB_ERR;
    case CB_SETCURSEL: {
        const QSignalBlocker quiet(c);
        if (!valid) {
            c->setCurrentIndex(-1);
            if (c->isEditable())
                c->setEditText(QString());
            return CB_ERR;
        }
        c->setCurrentIndex(index);
        return index;
    }
    case CB_GETLBTEXTLEN: return valid ? LRESULT(c->itemText(index).toUtf8().size()) : CB_ERR;
    case CB_GETLBTEXT: {
        if (!valid)
            return CB_ERR;
        // Like Windows, the buffer must hold the entry's length plus its terminating zero.
        const QByteArray t = c->itemText(index).toUtf8();
        char* out = reinterpret_cast<char*>(lParam);
        std::copy(t.begin(), t.end(), out);
        out[t.size()] = '\0';
        return t.size();
    }
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT: return findEntry(c, wParam, textOf(lParam), message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        const int found = findEntry(c, wParam, textOf(lParam), false);
        if (found != CB_ERR) {
            const QSignalBlocker quiet(c);
            c->setCurrentIndex(found);
        }
        return found;
    }
    case CB_GETITEMDATA: return valid ? LRESULT(c->itemData(index, kDataRole).toULongLong()) : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid)
            return CB_ERR;
        c->setItemData(index, QVariant::fromValue<qulonglong>(qulonglong(lParam)), kDataRole);
        return TRUE;
    // The parent hears when the box gains and loses the keyboard focus.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        NotifyParentOf(c, message == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
        return CWnd::DefWindowProc(message, wParam, lParam);
    default: return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CComboBox::AddString(const std::string& text)
{
    return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text.c_str())));
}

int CComboBox::InsertString(int index, const std::string& text)
{
    return int(SendMessage(CB_INSERTSTRING, WPARAM(index), LPARAM(text.c_str())));
}

int CComboBox::DeleteString(int index) { return int(SendMessage(CB_DELETESTRING, WPARAM(index))); }

void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }

int CComboBox::GetCount() const { return int(const_cast<CComboBox*>(this)->SendMessage(CB_GETCOUNT)); }

int CComboBox::GetCurSel() const { return int(const_cast<CComboBox*>(this)->SendMessage(CB_GETCURSEL)); }

int CComboBox::SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }

int CComboBox::GetLBTextLen(int index) const
{
    return int(const_cast<CComboBox*>(this)->SendMessage(CB_GETLBTEXTLEN, WPARAM(index)));
}

int CComboBox::GetLBText(int index, std::string& text) const
{
    text.clear();
    const int len = GetLBTextLen(index);
    if (len < 0)
        return CB_ERR;
    std::string buffer(size_t(len) + 1, '\0');
    const int got = int(const_cast<CComboBox*>(this)->SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(buffer.data())));
    if (got < 0)
        return CB_ERR;
    text.assign(buffer.data(), size_t(got));
    return got;
}

std::string CComboBox::GetLBText(int index) const
{
    std::string text;
    GetLBText(index, text);
    return text;
}

int CComboBox::FindString(int start, const std::string& text) const
{
    return int(const_cast<CComboBox*>(this)->SendMessage(CB_FINDSTRING, WPARAM(start), LPARAM(text.c_str())));
}

int CComboBox::FindStringExact(int start, const std::string& text) const
{
    return int(const_cast<CComboBox*>(this)->SendMessage(CB_FINDSTRINGEXACT, WPARAM(start), LPARAM(text.c_str())));
}

int CComboBox::SelectString(int start, const std::string& text)
{
    return int(SendMessage(CB_SELECTSTRING, WPARAM(start), LPARAM(text.c_str())));
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    return DWORD_PTR(const_cast<CComboBox*>(this)->SendMessage(CB_GETITEMDATA, WPARAM(index)));
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data)));
}

bool CComboBox::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QComboBox*>(w) != nullptr; }
