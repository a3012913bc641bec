#include "controls/ReportCtrl.h"

#include "controls/DateText.h"
#include "platform/win/Dc.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The styles every way of making the list ends with.
constexpr DWORD kStyleCleared = LVS_TYPEMASK | LVS_EDITLABELS | LVS_NOSCROLL;
constexpr DWORD kStyleForced = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT;
constexpr DWORD kExStyleForced = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;

// Splits at the separator; empty pieces are dropped, the others kept as they are.
std::vector<std::string> pieces(const std::string& text, char separator)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// The whole text read as a number in base 16, as strtoul reads it.
bool wholeHex(const std::string& text, unsigned long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text.c_str(), &end, 16);
    return end != text.c_str() && *end == '\0';
}

// The whole text, or all of it but one trailing "%", read as a decimal number.
bool wholeNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && (*end == '\0' || (end[0] == '%' && end[1] == '\0'));
}

template <class T>
int order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

// The in-place edit box: leaving it ends the edit and keeps the text.
class CReportCtrl::EditBox : public CEdit {
public:
    explicit EditBox(CReportCtrl& owner) : m_owner(owner) {}

protected:
    DECLARE_MESSAGE_MAP()
    void OnKillFocus(CWnd* next)
    {
        CEdit::OnKillFocus(next);
        m_owner.EndEdit(TRUE);
    }

private:
    CReportCtrl& m_owner;
};

BEGIN_MESSAGE_MAP(CReportCtrl::EditBox, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CReportCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
    ON_MESSAGE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
    ON_MESSAGE(WM_MBUTTONDOWN, OnMButtonDown)
END_MESSAGE_MAP()

CReportCtrl::CReportCtrl() : m_editBox(std::make_unique<EditBox>(*this)), m_edit(*m_editBox) {}

CReportCtrl::~CReportCtrl()
{
    // The rows' records go with this object; the window must not point at them.
    if (m_hWnd)
        for (int i = 0; i < CListCtrl::GetItemCount(); ++i)
            if (ReportRowData* d = rowData(i))
                CListCtrl::SetItemData(i, DWORD_PTR(d->data));
}

BOOL CReportCtrl::Create(CWnd* parent, UINT id, const RECT* rect, DWORD style)
{
    if (!parent)
        return FALSE;
    CRect r;
    if (rect)
        r = *rect;
    else
        parent->GetClientRect(&r);
    return CListCtrl::Create((style & ~kStyleCleared) | kStyleForced, r, parent, id);
}

int CReportCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    ModifyStyle(kStyleCleared, kStyleForced & ~WS_VISIBLE);
    SetExtendedStyle(GetExtendedStyle());
    return 0;
}

void CReportCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // Taking over a template's list keeps it shown or hidden as the template has it.
    ModifyStyle(kStyleCleared, kStyleForced & ~WS_VISIBLE);
    CListCtrl::SetExtendedStyle(kExStyleForced);
}

LRESULT CReportCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_SETEXTENDEDLISTVIEWSTYLE) {
        // Full-row select and sub-item images are always on.
        if (wParam)
            wParam |= kExStyleForced;
        lParam |= kExStyleForced;
    }
    return CListCtrl::DefWindowProc(message, wParam, lParam);
}

void CReportCtrl::OnDestroy()
{
    // The edit box's window goes with the list's children.
    EndEdit(FALSE);
    DeleteAllItems(RC_ITEM_ALL);
    CListCtrl::OnDestroy();
}

// ---- Row records ----------------------------------------------------------------------

ReportRowData* CReportCtrl::recordOf(LPARAM data) const
{
    auto it = m_rows.find(reinterpret_cast<const ReportRowData*>(data));
    return it == m_rows.end() ? nullptr : it->second.get();
}

ReportRowData* CReportCtrl::rowData(int row) const
{
    if (row < 0 || row >= CListCtrl::GetItemCount())
        return nullptr;
    return recordOf(LPARAM(CListCtrl::GetItemData(row)));
}

void CReportCtrl::freeRow(int row)
{
    if (ReportRowData* d = rowData(row)) {
        CListCtrl::SetItemData(row, DWORD_PTR(d->data));
        m_rows.erase(d);
    }
}

void CReportCtrl::reloadTexts()
{
    const int columns = GetColumnCount();
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i)
        if (ReportRowData* d = rowData(i)) {
            d->texts.resize(size_t(columns));
            for (int c = 0; c < columns; ++c)
                d->texts[size_t(c)] = CListCtrl::GetItemText(i, c);
        }
}

void CReportCtrl::forgetSort()
{
    m_sortColumn = -1;
    m_sortAscending = true;
}

// ---- Columns --------------------------------------------------------------------------

BOOL CReportCtrl::SetColumnHeader(const std::string& spec)
{
    DeleteAllItems(RC_ITEM_ALL);
    DeleteAllColumns();
    int made = 0;
    for (const std::string& entry : pieces(spec, ';')) {
        const std::vector<std::string> parts = pieces(entry, ',');
        if (parts.empty())
            continue;
        const int width = parts.size() > 1 ? std::atoi(parts[1].c_str()) : 100;
        const int kind = parts.size() > 2 ? std::atoi(parts[2].c_str()) : 0;
        const int format = kind == 1 ? LVCFMT_CENTER : kind == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        if (InsertColumn(GetColumnCount(), parts[0], format, width) >= 0)
            ++made;
    }
    return made > 0;
}

int CReportCtrl::InsertColumn(int index, const std::string& heading, int format, int width, int subItem)
{
    EndEdit(TRUE);
    const int at = CListCtrl::InsertColumn(index, heading, format, width, subItem);
    if (at < 0)
        return -1;
    for (auto& entry : m_rows) {
        ReportRowData& d = *entry.second;
        const size_t i = std::min(size_t(at), d.texts.size());
        d.texts.insert(d.texts.begin() + long(i), std::string());
        d.textColors.insert(d.textColors.begin() + long(std::min(i, d.textColors.size())), GetSysColor(COLOR_WINDOWTEXT));
        d.backColors.insert(d.backColors.begin() + long(std::min(i, d.backColors.size())), GetSysColor(COLOR_WINDOW));
    }
    reloadTexts();
    return at;
}

BOOL CReportCtrl::DeleteColumn(int index)
{
    EndEdit(TRUE);
    if (!CListCtrl::DeleteColumn(index))
        return FALSE;
    for (auto& entry : m_rows) {
        ReportRowData& d = *entry.second;
        for (auto* v : {&d.textColors, &d.backColors})
            if (size_t(index) < v->size())
                v->erase(v->begin() + index);
        if (size_t(index) < d.texts.size())
            d.texts.erase(d.texts.begin() + index);
    }
    reloadTexts();
    return TRUE;
}

BOOL CReportCtrl::DeleteAllColumns()
{
    while (GetColumnCount() > 0)
        if (!DeleteColumn(0))
            return FALSE;
    return TRUE;
}

// ---- Rows -----------------------------------------------------------------------------

int CReportCtrl::InsertItem(int index, const std::string& text)
{
    EndEdit(TRUE);
    forgetSort();
    const int row = CListCtrl::InsertItem(index, text);
    if (row < 0)
        return -1;
    auto d = std::make_unique<ReportRowData>();
    const size_t columns = size_t(std::max(GetColumnCount(), 1));
    d->data = LPARAM(CListCtrl::GetItemData(row));
    d->texts.resize(columns);
    d->texts[0] = text;
    d->textColors.assign(columns, GetSysColor(COLOR_WINDOWTEXT));
    d->backColors.assign(columns, GetSysColor(COLOR_WINDOW));
    CListCtrl::SetItemData(row, DWORD_PTR(d.get()));
    m_rows.emplace(d.get(), std::move(d));
    return row;
}

BOOL CReportCtrl::SetItemText(int row, int column, const std::string& text)
{
    EndEdit(TRUE);
    forgetSort();
    if (!CListCtrl::SetItemText(row, column, text))
        return FALSE;
    if (ReportRowData* d = rowData(row)) {
        if (d->texts.size() <= size_t(column))
            d->texts.resize(size_t(column) + 1);
        d->texts[size_t(column)] = text;
    }
    return TRUE;
}

BOOL CReportCtrl::DeleteItem(int row, BOOL selectNext)
{
    EndEdit(m_editRow != row);
    if (row < 0 || row >= CListCtrl::GetItemCount())
        return FALSE;
    if (selectNext)
        SetItemStates(row + 1, RC_ITEM_SELECTED);
    freeRow(row);
    return CListCtrl::DeleteItem(row);
}

int CReportCtrl::DeleteAllItems(DWORD filter)
{
    EndEdit(FALSE);
    if (filter & RC_ITEM_ALL) {
        const int count = CListCtrl::GetItemCount();
        for (int i = 0; i < count; ++i)
            freeRow(i);
        m_rows.clear();
        CListCtrl::DeleteAllItems();
        return count;
    }
    int deleted = 0;
    for (int i = CListCtrl::GetItemCount() - 1; i >= 0; --i)
        if (matches(i, filter) && DeleteItem(i, FALSE))
            ++deleted;
    return deleted;
}

bool CReportCtrl::matches(int row, DWORD filter) const
{
    if (row < 0 || row >= CListCtrl::GetItemCount() || filter == 0)
        return false;
    if (filter & RC_ITEM_ALL)
        return true;
    const UINT state = GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
    const bool selected = (state & LVIS_SELECTED) != 0;
    const bool focused = (state & LVIS_FOCUSED) != 0;
    const bool checked = GetCheck(row) != FALSE;
    return (!(filter & RC_ITEM_SELECTED) || selected) && (!(filter & RC_ITEM_UNSELECTED) || !selected) &&
           (!(filter & RC_ITEM_CHECKED) || checked) && (!(filter & RC_ITEM_UNCHECKED) || !checked) &&
           (!(filter & RC_ITEM_FOCUSED) || focused) && (!(filter & RC_ITEM_UNFOCUSED) || !focused);
}

int CReportCtrl::GetItemCount(DWORD filter) const
{
    if (filter & RC_ITEM_ALL)
        return CListCtrl::GetItemCount();
    int n = 0;
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i)
        n += matches(i, filter) ? 1 : 0;
    return n;
}

int CReportCtrl::FindItem(DWORD filter, int start) const
{
    for (int i = std::max(start + 1, 0); i < CListCtrl::GetItemCount(); ++i)
        if (matches(i, filter))
            return i;
    return -1;
}

BOOL CReportCtrl::SetItemStates(int row, DWORD actions)
{
    if (row < 0 || row >= CListCtrl::GetItemCount())
        return FALSE;
    BOOL ok = TRUE;
    if (actions & RC_ITEM_SELECTED)
        ok &= SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    if (actions & RC_ITEM_UNSELECTED)
        ok &= SetItemState(row, 0, LVIS_SELECTED);
    if (actions & RC_ITEM_CHECKED)
        ok &= SetCheck(row, TRUE);
    if (actions & RC_ITEM_UNCHECKED)
        ok &= SetCheck(row, FALSE);
    if (actions & RC_ITEM_FOCUSED)
        ok &= SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    if (actions & RC_ITEM_UNFOCUSED)
        ok &= SetItemState(row, 0, LVIS_FOCUSED);
    if (actions & RC_ITEM_CHECKED)
        ensureSingleCheck(row);
    return ok;
}

int CReportCtrl::SetAllItemStates(DWORD filter, DWORD actions)
{
    if (!filter || !actions)
        return 0;
    const DWORD each = actions & ~DWORD(RC_ITEM_CHECKED);
    int n = 0;
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i) {
        if (!matches(i, filter))
            continue;
        if (each)
            SetItemStates(i, each);
        if (actions & RC_ITEM_CHECKED)
            SetCheck(i, TRUE);
        ++n;
    }
    if (actions & RC_ITEM_CHECKED)
        ensureSingleCheck(-1);
    return n;
}

void CReportCtrl::ensureSingleCheck(int row)
{
    if (m_checkMode != RC_CHKBOX_SINGLE)
        return;
    // One row keeps its check: the given one, else the first checked.
    const int count = CListCtrl::GetItemCount();
    int keep = row;
    if (keep < 0 || keep >= count || !GetCheck(keep)) {
        keep = -1;
        for (int i = 0; i < count && keep < 0; ++i)
            if (GetCheck(i))
                keep = i;
    }
    for (int i = 0; i < count; ++i)
        if (i != keep && GetCheck(i))
            SetCheck(i, FALSE);
}

// ---- Colours --------------------------------------------------------------------------

void CReportCtrl::SetItemBkColor(int row, int column, COLORREF color, BOOL redraw)
{
    if (color == COLORREF(-1))
        color = GetSysColor(COLOR_WINDOW);
    const int rows = CListCtrl::GetItemCount();
    const int columns = GetColumnCount();
    const bool oneRow = row >= 0 && row < rows;
    const bool oneColumn = column >= 0 && column < columns;
    for (int r = oneRow ? row : 0; r < (oneRow ? row + 1 : rows); ++r) {
        ReportRowData* d = rowData(r);
        if (!d)
            continue;
        if (d->backColors.size() < size_t(columns))
            d->backColors.resize(size_t(columns), GetSysColor(COLOR_WINDOW));
        for (int c = oneColumn ? column : 0; c < (oneColumn ? column + 1 : columns); ++c)
            d->backColors[size_t(c)] = color;
    }
    if (redraw && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

COLORREF CReportCtrl::GetItemBkColor(int row, int column) const
{
    const ReportRowData* d = rowData(row);
    if (!d || column < 0 || column >= GetColumnCount() || size_t(column) >= d->backColors.size())
        return COLORREF(-1);
    return d->backColors[size_t(column)];
}

void CReportCtrl::SetGridLines(BOOL on) { CListCtrl::SetExtendedStyle(LVS_EX_GRIDLINES, on ? LVS_EX_GRIDLINES : 0); }

void CReportCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: *result = CDRF_NOTIFYITEMDRAW; return;
    case CDDS_ITEMPREPAINT: *result = CDRF_NOTIFYSUBITEMDRAW; return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (const ReportRowData* d = recordOf(cd->nmcd.lItemlParam)) {
            const size_t c = size_t(cd->iSubItem);
            if (c < d->textColors.size())
                cd->clrText = d->textColors[c];
            if (c < d->backColors.size())
                cd->clrTextBk = d->backColors[c];
        }
        *result = CDRF_DODEFAULT;
        return;
    default: *result = CDRF_DODEFAULT; return;
    }
}

// ---- Sorting --------------------------------------------------------------------------

void CReportCtrl::OnColumnClick(NMHDR* hdr, LRESULT* result)
{
    const int column = reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem;
    const bool ascending = column != m_sortColumn || !m_sortAscending;
    SortItems(column, ascending);
    *result = 0;
}

BOOL CReportCtrl::SortItems(int column, BOOL ascending)
{
    EndEdit(TRUE);
    if (column < 0 || column >= GetColumnCount())
        return FALSE;
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || !(header->GetStyle() & HDS_BUTTONS))
        return FALSE;
    if (column == m_sortColumn && bool(ascending) == m_sortAscending)
        return FALSE;
    m_sortColumn = column;
    m_sortAscending = ascending != FALSE;
    CListCtrl::SortItems(&CReportCtrl::compareRows, DWORD_PTR(this));
    if (CWnd* parent = GetParent())
        parent->SendMessage(UWM_REPORT_SORTED, WPARAM(column), LPARAM(m_sortAscending));
    return TRUE;
}

int CReportCtrl::compareRows(LPARAM a, LPARAM b, LPARAM self)
{
    const auto* list = reinterpret_cast<const CReportCtrl*>(self);
    const ReportRowData* ra = list->recordOf(a);
    const ReportRowData* rb = list->recordOf(b);
    if (!ra || !rb)
        return order(ra != nullptr, rb != nullptr);
    return list->CompareItems(*ra, *rb);
}

int CReportCtrl::CompareItems(const ReportRowData& a, const ReportRowData& b) const
{
    const ReportRowData& first = m_sortAscending ? a : b;
    const ReportRowData& second = m_sortAscending ? b : a;
    const size_t c = size_t(std::max(m_sortColumn, 0));
    const std::string& x = c < first.texts.size() ? first.texts[c] : std::string();
    const std::string& y = c < second.texts.size() ? second.texts[c] : std::string();

    unsigned long hx = 0, hy = 0;
    if (wholeHex(x, hx) && wholeHex(y, hy))
        return order(hx, hy);
    double dx = 0, dy = 0;
    if (wholeNumber(x, dx) && wholeNumber(y, dy))
        return order(dx, dy);
    double tx = 0, ty = 0;
    if (ParseDateTimeText(x, tx) && ParseDateTimeText(y, ty))
        return order(tx, ty);
    const int r = std::strcmp(x.c_str(), y.c_str());
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// ---- Mouse and check boxes ------------------------------------------------------------

LRESULT CReportCtrl::OnLButtonDown(WPARAM, LPARAM lParam) { return mouseButton(WM_LBUTTONDOWN, lParam); }
LRESULT CReportCtrl::OnLButtonDblClk(WPARAM, LPARAM lParam) { return mouseButton(WM_LBUTTONDBLCLK, lParam); }
LRESULT CReportCtrl::OnRButtonDown(WPARAM, LPARAM lParam) { return mouseButton(WM_RBUTTONDOWN, lParam); }
LRESULT CReportCtrl::OnRButtonDblClk(WPARAM, LPARAM lParam) { return mouseButton(WM_RBUTTONDBLCLK, lParam); }
LRESULT CReportCtrl::OnMButtonDown(WPARAM, LPARAM lParam) { return mouseButton(WM_MBUTTONDOWN, lParam); }

LRESULT CReportCtrl::mouseButton(UINT message, LPARAM lParam)
{
    LVHITTESTINFO hit;
    hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SubItemHitTest(&hit);
    const int row = hit.iItem;
    const int column = hit.iSubItem;
    const bool valid = row >= 0 && row < CListCtrl::GetItemCount();
    const bool checkedBefore = valid && GetCheck(row);
    const bool wasEditing = IsEditing();
    const bool wasCurrent = message == WM_LBUTTONDOWN && valid &&
                            GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED) == (LVIS_SELECTED | LVIS_FOCUSED);
    EndEdit(TRUE);
    const HWND self = m_hWnd;
    const LRESULT r = Default();
    if (!IsWindow(self))
        return r;
    const bool checkedAfter = valid && row < CListCtrl::GetItemCount() && GetCheck(row);
    const BOOL changed = handleCheckClick(valid ? row : -1, checkedBefore, checkedAfter, message);
    if (message == WM_LBUTTONDOWN && m_editable && !changed && !wasEditing && wasCurrent && IsWindow(self))
        StartEdit(row, column);
    return r;
}

BOOL CReportCtrl::handleCheckClick(int row, bool checkedBefore, bool checkedAfter, UINT message)
{
    if (row < 0 || row >= CListCtrl::GetItemCount() || m_checkMode == RC_CHKBOX_NONE || checkedBefore == checkedAfter)
        return FALSE;
    if (m_checkMode == RC_CHKBOX_FIXED) {
        SetCheck(row, checkedBefore);
        return TRUE;
    }
    if (m_checkMode == RC_CHKBOX_SINGLE && checkedAfter) {
        SetAllItemStates(RC_ITEM_CHECKED, RC_ITEM_UNCHECKED);
        SetCheck(row, TRUE);
    }
    SetAllItemStates(RC_ITEM_SELECTED, RC_ITEM_UNSELECTED);
    SetItemStates(row, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    if (CWnd* parent = GetParent())
        parent->SendMessage(UWM_REPORT_CHECKBOX, WPARAM(row), LPARAM(message));
    return TRUE;
}

// ---- In-place editing -----------------------------------------------------------------

void CReportCtrl::SetEditable(BOOL editable)
{
    if (!editable)
        EndEdit(TRUE);
    m_editable = editable != FALSE;
}

BOOL CReportCtrl::StartEdit(int row, int column)
{
    if (!m_editable || !m_hWnd || row < 0 || row >= CListCtrl::GetItemCount() || column < 0 ||
        column >= GetColumnCount())
        return FALSE;
    if (row == m_editRow && column == m_editColumn)
        return TRUE;
    EndEdit(TRUE);
    SetAllItemStates(RC_ITEM_SELECTED, RC_ITEM_UNSELECTED);
    SetItemStates(row, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);

    LVCOLUMN info;
    info.mask = LVCF_FMT;
    GetColumn(column, &info);
    const int justify = info.fmt & LVCFMT_JUSTIFYMASK;
    const int align = justify == LVCFMT_CENTER ? 1 : justify == LVCFMT_RIGHT ? 2 : 0;
    if (m_edit.m_hWnd && align != m_editAlign)
        m_edit.DestroyWindow();
    m_editAlign = align;
    if (!m_edit.m_hWnd) {
        const DWORD style = DWORD(align == 1 ? ES_CENTER : align == 2 ? ES_RIGHT : 0) | WS_CHILD | WS_BORDER |
                            ES_AUTOHSCROLL | ES_NOHIDESEL;
        if (!m_edit.Create(style, CRect(0, 0, 1, 1), this, 0))
            return FALSE;
    }
    m_edit.SetFont(GetFont());
    CRect cell;
    GetSubItemRect(row, column, LVIR_LABEL, cell);
    m_edit.MoveWindow(&cell);
    m_editRow = row;
    m_editColumn = column;
    m_oldText = CListCtrl::GetItemText(row, column);
    m_edit.SetWindowText(m_oldText);
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetSel(0, -1);
    m_edit.SetFocus();
    return TRUE;
}

BOOL CReportCtrl::EndEdit(BOOL commit)
{
    if (m_editRow < 0)
        return FALSE;
    // The edit is over before the box goes, so its losing the focus ends nothing twice.
    const int row = m_editRow;
    const int column = m_editColumn;
    const std::string old = std::move(m_oldText);
    m_oldText.clear();
    m_editRow = m_editColumn = -1;
    BOOL changed = FALSE;
    if (commit && m_edit.m_hWnd) {
        const std::string text = m_edit.GetWindowText();
        if (text != old && row < CListCtrl::GetItemCount() && CListCtrl::SetItemText(row, column, text)) {
            if (ReportRowData* d = rowData(row)) {
                if (d->texts.size() <= size_t(column))
                    d->texts.resize(size_t(column) + 1);
                d->texts[size_t(column)] = text;
            }
            forgetSort();
            changed = TRUE;
        }
    }
    if (m_edit.m_hWnd) {
        const bool hadFocus = CWnd::GetFocus() == &m_edit;
        m_edit.ShowWindow(SW_HIDE);
        if (hadFocus)
            SetFocus();
    }
    return changed;
}

BOOL CReportCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN) {
        const UINT key = UINT(msg->wParam);
        if (IsEditing()) {
            const int row = m_editRow;
            const int column = m_editColumn;
            switch (key) {
            case VK_TAB: {
                EndEdit(TRUE);
                const int columns = GetColumnCount();
                StartEdit(row, columns > 0 ? (column + 1) % columns : 0);
                return TRUE;
            }
            case VK_RETURN: EndEdit(TRUE); return TRUE;
            case VK_ESCAPE: EndEdit(FALSE); return TRUE;
            case VK_UP:
            case VK_DOWN: {
                const int next = key == VK_UP ? row - 1 : row + 1;
                if (next < 0 || next >= CListCtrl::GetItemCount())
                    break;
                EndEdit(TRUE);
                EnsureVisible(next, FALSE);
                StartEdit(next, column);
                return TRUE;
            }
            default: break;
            }
        } else if (key == VK_SPACE && msg->hwnd == m_hWnd) {
            return TRUE; // the keyboard never toggles a check box
        }
    }
    return CListCtrl::PreTranslateMessage(msg);
}
