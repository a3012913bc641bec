#pragma once
// The virtual list of every song list, manager and picker: an owner-data
// report list that keeps no rows. For each cell it shows or reports it asks
// its parent with UWM_QUICKLIST_GETITEM, and it paints every cell itself in
// the texts and colours of the answer, so only the cells on screen cost
// anything, however many rows the parent has.
#include "platform/win/ListCtrl.h"

#include <memory>
#include <string>

// Sent to the parent; wParam is the list's window, so one parent can serve several lists.
constexpr UINT UWM_QUICKLIST_GETITEM = 3003;       // lParam: the list's ListCellData, valid during the call
constexpr UINT UWM_QUICKLIST_CLICK = 3005;         // lParam: a ListClickInfo
constexpr UINT UWM_QUICKLIST_HEADER_RCLICK = 3006; // lParam: a ListHeaderClickInfo

// One cell as the parent answers it. The list fills item, subItem, selected and
// hot; the parent fills the text and whatever colours it wants. CLR_DEFAULT
// leaves a colour to the system; CLR_NONE as a background paints none.
struct ListCellData {
    std::string text;
    bool noHighlight = false; // drawn as unselected although the row is selected
    COLORREF textColor = CLR_DEFAULT;
    COLORREF backColor = CLR_DEFAULT;
    COLORREF hotTextColor = CLR_DEFAULT;
    COLORREF selTextColor = CLR_DEFAULT;
    COLORREF selBackColor = CLR_DEFAULT;        // selected, list focused
    COLORREF selBackColorNoFocus = CLR_DEFAULT; // selected, list not focused
    int item = 0;
    int subItem = 0;
    bool selected = false;
    bool hot = false;

    void Reset();
    int GetItem() const { return item; }
    int GetSubItem() const { return subItem; }
};

struct ListClickInfo {
    int item = -1;
    int subItem = -1;
    bool reserved1 = false; // always 0 from this list
    bool reserved2 = false;
};

struct ListHeaderClickInfo {
    int column = -1; // the header column under the pointer, -1 when none
    POINT point{};   // screen coordinates
};

class CQuickList : public CListCtrl {
public:
    CQuickList();
    ~CQuickList() override;

    // Asks the parent for one cell: the shared record, filled for this call only.
    virtual ListCellData* RequestCell(int row, int column);

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void OnGetDispInfo(NMHDR* hdr, LRESULT* result);
    void OnCustomDraw(NMHDR* hdr, LRESULT* result);
    BOOL OnClick(NMHDR* hdr, LRESULT* result);
    void OnHotTrack(NMHDR* hdr, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);

private:
    COLORREF textColorOf(const ListCellData& cell, bool noHighlight, bool forceSelected) const;
    COLORREF backColorOf(const ListCellData& cell, bool forceOrdinary) const;
    // Where a cell is painted, in client coordinates: column 0 is narrowed to header item 0.
    CRect cellRect(int row, int column) const;
    void paintCell(CDC& dc, int row, int column);
    bool hasFocus() const;

    std::unique_ptr<ListCellData> m_cell;
};
