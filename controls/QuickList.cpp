#include "controls/QuickList.h"

#include "controls/TextBuffer.h"
#include "platform/win/Dc.h"
#include "platform/win/Input.h"

namespace {

COLORREF orSystem(COLORREF color, int sysColor) { return color == CLR_DEFAULT ? GetSysColor(sysColor) : color; }

// The cell texts are shown as they are: an ampersand is no mnemonic prefix.
std::string withDoubledAmpersands(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

} // namespace

void ListCellData::Reset()
{
    text.clear();
    noHighlight = false;
    textColor = backColor = hotTextColor = selTextColor = selBackColor = selBackColorNoFocus = CLR_DEFAULT;
    item = subItem = 0;
    selected = hot = false;
}

BEGIN_MESSAGE_MAP(CQuickList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(LVN_HOTTRACK, OnHotTrack)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CQuickList::CQuickList() : m_cell(std::make_unique<ListCellData>()) {}

CQuickList::~CQuickList() = default;

bool CQuickList::hasFocus() const { return m_hWnd && CWnd::GetFocus() == this; }

ListCellData* CQuickList::RequestCell(int row, int column)
{
    ListCellData& cell = *m_cell;
    cell.Reset();
    cell.item = row;
    cell.subItem = column;
    const bool inSelection = column == 0 || (GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    const bool shown = hasFocus() || (GetStyle() & LVS_SHOWSELALWAYS);
    cell.selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) && inSelection && shown;
    cell.hot = GetHotItem() == row;
    if (CWnd* parent = GetParent())
        parent->SendMessage(UWM_QUICKLIST_GETITEM, reinterpret_cast<WPARAM>(m_hWnd),
                            reinterpret_cast<LPARAM>(&cell));
    return &cell;
}

COLORREF CQuickList::textColorOf(const ListCellData& cell, bool noHighlight, bool forceSelected) const
{
    if ((!noHighlight && cell.selected) || forceSelected) {
        if (cell.selTextColor != CLR_DEFAULT)
            return cell.selTextColor;
        return GetSysColor(hasFocus() ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    }
    if (GetHotItem() == cell.item)
        return orSystem(cell.hotTextColor, COLOR_HOTLIGHT);
    return orSystem(cell.textColor, COLOR_WINDOWTEXT);
}

COLORREF CQuickList::backColorOf(const ListCellData& cell, bool forceOrdinary) const
{
    if (!forceOrdinary && cell.selected) {
        const bool focus = hasFocus();
        const COLORREF chosen = focus ? cell.selBackColor : cell.selBackColorNoFocus;
        if (chosen != CLR_DEFAULT)
            return chosen;
        if (cell.hot)
            return GetSysColor(COLOR_HOTLIGHT);
        return GetSysColor(focus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    return orSystem(cell.backColor, COLOR_WINDOW);
}

CRect CQuickList::cellRect(int row, int column) const
{
    CRect r;
    GetSubItemRect(row, column, LVIR_BOUNDS, r);
    if (column != 0)
        return r;
    // Column 0's bounds are the whole row: keep the part under header item 0,
    // which moves with the horizontal scroll as the rows do.
    CHeaderCtrl* header = GetHeaderCtrl();
    CRect item;
    if (header && header->GetItemRect(0, &item)) {
        header->ClientToScreen(&item);
        ScreenToClient(&item);
        r.left = item.left;
        r.right = item.right;
    }
    return r;
}

void CQuickList::paintCell(CDC& dc, int row, int column)
{
    // A copy: the parent may ask the list for texts while the cell is painted.
    const ListCellData cell = *RequestCell(row, column);
    const CRect rect = cellRect(row, column);
    const bool fullRow = (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    // The row a drag points at shows the system highlight, whatever colours the parent gave.
    const bool dropRow = (column == 0 || fullRow) && (GetItemState(row, LVIS_DROPHILITED) & LVIS_DROPHILITED);
    const COLORREF fill = dropRow ? GetSysColor(COLOR_HIGHLIGHT) : backColorOf(cell, !(fullRow && !cell.noHighlight));
    if (cell.text.empty()) {
        if (fill != CLR_NONE)
            dc.FillSolidRect(&rect, fill);
        return;
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    HDITEM item;
    item.mask = HDI_FORMAT;
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header && header->GetItem(column, &item)) {
        const int justify = item.fmt & HDF_JUSTIFYMASK;
        format |= justify == HDF_CENTER ? DT_CENTER : justify == HDF_LEFT ? DT_LEFT : DT_RIGHT;
    }
    CRect textRect = rect;
    textRect.left += 2;
    const COLORREF ink = dropRow ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColorOf(cell, cell.noHighlight, false);
    const COLORREF textBack = dropRow ? fill : backColorOf(cell, cell.noHighlight);
    if (fill != CLR_NONE)
        dc.FillSolidRect(&rect, fill);
    const int savedMode = dc.SetBkMode(textBack == CLR_NONE ? TRANSPARENT : OPAQUE);
    const COLORREF savedBack = dc.SetBkColor(textBack == CLR_NONE ? dc.GetBkColor() : textBack);
    const COLORREF savedInk = dc.SetTextColor(ink);
    dc.DrawText(withDoubledAmpersands(cell.text), &textRect, format);
    dc.SetTextColor(savedInk);
    dc.SetBkColor(savedBack);
    dc.SetBkMode(savedMode);
}

void CQuickList::OnGetDispInfo(NMHDR* hdr, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(hdr);
    LVITEM& item = info->item;
    if (item.mask & (LVIF_TEXT | LVIF_IMAGE)) {
        const ListCellData* cell = RequestCell(item.iItem, item.iSubItem);
        if (item.mask & LVIF_TEXT)
            CopyTextToBuffer(cell->text, item.pszText, item.cchTextMax);
    }
    *result = 0;
}

void CQuickList::OnCustomDraw(NMHDR* hdr, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: *result = CDRF_NOTIFYITEMDRAW; break;
    case CDDS_ITEMPREPAINT: *result = CDRF_NOTIFYSUBITEMDRAW; break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (cd->nmcd.hdc)
            paintCell(*cd->nmcd.hdc, int(cd->nmcd.dwItemSpec), cd->iSubItem);
        *result = CDRF_SKIPDEFAULT;
        break;
    default: *result = CDRF_DODEFAULT; break;
    }
}

BOOL CQuickList::OnClick(NMHDR* hdr, LRESULT*)
{
    const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    LVHITTESTINFO hit;
    hit.pt = nm->ptAction;
    hit.iItem = -1;
    hit.iSubItem = -1;
    SubItemHitTest(&hit);
    CWnd* parent = GetParent();
    if (hit.iItem >= 0 && parent) {
        ListClickInfo info;
        info.item = hit.iItem;
        info.subItem = hit.iSubItem;
        parent->SendMessage(UWM_QUICKLIST_CLICK, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&info));
    }
    return FALSE; // the parent hears the click as well
}

void CQuickList::OnHotTrack(NMHDR*, LRESULT* result)
{
    *result = 1; // no selection follows the mouse
}

void CQuickList::OnMouseMove(UINT, CPoint)
{
    // The list does no hover tracking of its own.
}

BOOL CQuickList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    CHeaderCtrl* header = GetHeaderCtrl();
    CWnd* parent = GetParent();
    if (hdr && hdr->code == NM_RCLICK && header && parent && hdr->hwndFrom == header->GetSafeHwnd()) {
        ListHeaderClickInfo info;
        GetCursorPos(&info.point);
        POINT at = info.point;
        header->ScreenToClient(&at);
        for (int i = 0;; ++i) {
            CRect r;
            if (!header->GetItemRect(i, &r))
                break;
            if (r.PtInRect(at)) {
                info.column = i;
                break;
            }
        }
        parent->SendMessage(UWM_QUICKLIST_HEADER_RCLICK, reinterpret_cast<WPARAM>(m_hWnd),
                            reinterpret_cast<LPARAM>(&info));
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}
