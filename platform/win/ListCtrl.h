#pragma once
// The list view ("SysListView32") in report mode, over a QTableView with a
// model and a delegate: painting and hit tests cost only the visible rows, so
// an owner-data list (LVS_OWNERDATA) of any length asks LVN_GETDISPINFO only
// for the cells it shows. Cells are painted with the layer's GDI through the
// NM_CUSTOMDRAW cycle (pre-paint, item, sub-item; colours or skip-default).
// Client coordinates include the header at the top, as on Windows. The
// parent hears NM_CLICK, NM_DBLCLK, NM_RCLICK, LVN_COLUMNCLICK,
// LVN_BEGINDRAG, LVN_HOTTRACK (with LVS_EX_TRACKSELECT) and LVN_ITEMCHANGED,
// and the header's HDN_ITEMCLICK, HDN_ITEMCHANGED and NM_RCLICK passed on.
// All state lives with the widget, so a subclass that takes over a template
// list (DDX_Control) keeps its columns, rows and selection.
#include "platform/win/CommCtrl.h"
#include "platform/win/HeaderCtrl.h"
#include "platform/win/Wnd.h"

#include <string>

class CImageList;

// Styles
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_TYPEMASK = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_SORTASCENDING = 0x10;
constexpr DWORD LVS_SORTDESCENDING = 0x20;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x40;
constexpr DWORD LVS_NOLABELWRAP = 0x80;
constexpr DWORD LVS_AUTOARRANGE = 0x100;
constexpr DWORD LVS_EDITLABELS = 0x200;
constexpr DWORD LVS_ALIGNLEFT = 0x800;
constexpr DWORD LVS_OWNERDATA = 0x1000;
constexpr DWORD LVS_NOSCROLL = 0x2000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;

// Extended styles
constexpr DWORD LVS_EX_GRIDLINES = 0x1;
constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x2;
constexpr DWORD LVS_EX_CHECKBOXES = 0x4;
constexpr DWORD LVS_EX_TRACKSELECT = 0x8;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x10;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;
constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x10000;

// Item states
constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr UINT LVIS_CUT = 0x4;
constexpr UINT LVIS_DROPHILITED = 0x8;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }

// Item fields
constexpr UINT LVIF_TEXT = 0x1;
constexpr UINT LVIF_IMAGE = 0x2;
constexpr UINT LVIF_PARAM = 0x4;
constexpr UINT LVIF_STATE = 0x8;

// GetNextItem
constexpr UINT LVNI_ALL = 0x0;
constexpr UINT LVNI_FOCUSED = 0x1;
constexpr UINT LVNI_SELECTED = 0x2;

// Columns
constexpr UINT LVCF_FMT = 0x1;
constexpr UINT LVCF_WIDTH = 0x2;
constexpr UINT LVCF_TEXT = 0x4;
constexpr UINT LVCF_SUBITEM = 0x8;
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr int LVCFMT_JUSTIFYMASK = 3;

// Hit tests
constexpr UINT LVHT_NOWHERE = 0x1;
constexpr UINT LVHT_ONITEMICON = 0x2;
constexpr UINT LVHT_ONITEMLABEL = 0x4;
constexpr UINT LVHT_ONITEMSTATEICON = 0x8;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x8;
constexpr UINT LVHT_BELOW = 0x10;
constexpr UINT LVHT_TORIGHT = 0x20;
constexpr UINT LVHT_TOLEFT = 0x40;

// Item rectangles
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

// Image lists
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

// Messages the list answers (the member functions below send them)
constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
constexpr UINT LVM_GETSELECTIONMARK = LVM_FIRST + 66;
constexpr UINT LVM_SETSELECTIONMARK = LVM_FIRST + 67;

// Notifications
constexpr UINT LVN_FIRST = 0u - 100u;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
constexpr UINT LVN_HOTTRACK = LVN_FIRST - 21;
constexpr UINT LVN_GETDISPINFO = LVN_FIRST - 50;

constexpr int LV_MAX_TEXT = 260; // the text buffer LVN_GETDISPINFO fills

struct LVCOLUMN {
    UINT mask = 0;
    int fmt = 0;
    int cx = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
};

struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
    int iIndent = 0;
};

struct LVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = -1;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{}; // client coordinates
    LPARAM lParam = 0;
};

// NM_CLICK, NM_DBLCLK, NM_RCLICK
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};

struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText = CLR_DEFAULT;
    COLORREF clrTextBk = CLR_DEFAULT;
    int iSubItem = 0;
};

// Orders two rows by their item data: negative, zero or positive.
using PFNLVCOMPARE = int (*)(LPARAM item1, LPARAM item2, LPARAM sortData);

struct ListPosition__;
using POSITION = ListPosition__*;

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Styles
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD exStyle);
    // Changes only the bits of the mask (0: all); returns the style before.
    DWORD SetExtendedStyle(DWORD mask, DWORD exStyle);
    CHeaderCtrl* GetHeaderCtrl() const;
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF color);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF color);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF color);

    // Columns
    int InsertColumn(int index, const std::string& heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    int InsertColumn(int index, const LVCOLUMN* column);
    BOOL DeleteColumn(int index);
    BOOL GetColumn(int index, LVCOLUMN* column) const;
    BOOL SetColumn(int index, const LVCOLUMN* column);
    int GetColumnWidth(int index) const;
    // A width of 0 hides the column until the user drags it open.
    BOOL SetColumnWidth(int index, int width);
    int GetColumnCount() const;

    // Items (not in owner-data mode, where the parent keeps the rows)
    int InsertItem(int index, const std::string& text);
    int InsertItem(const LVITEM* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL SetItemText(int index, int subItem, const std::string& text);
    // In owner-data mode the text is asked from the parent (LVN_GETDISPINFO).
    std::string GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, char* buffer, int length) const;
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    BOOL GetItem(LVITEM* item) const;
    BOOL SetItem(const LVITEM* item);
    // Sorts the rows by their item data; FALSE in owner-data mode.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);

    int GetItemCount() const;
    // The number of rows of an owner-data list (others: room reserved, nothing changes).
    BOOL SetItemCount(int count);

    // States: LVIS_SELECTED, LVIS_FOCUSED, LVIS_DROPHILITED, LVIS_CUT, the state image.
    UINT GetItemState(int index, UINT mask) const;
    // Index -1 changes every row.
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEM* item);
    int GetNextItem(int start, UINT flags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int index);
    int GetHotItem() const;
    int SetHotItem(int index);
    BOOL GetCheck(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);

    // Places (client coordinates, the header included)
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const;
    int SubItemHitTest(LVHITTESTINFO* info);
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    // Column 0 with LVIR_BOUNDS gives the whole row, as on Windows.
    BOOL GetSubItemRect(int index, int subItem, int area, CRect& rect) const;
    BOOL GetItemPosition(int index, LPPOINT point) const;
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL EnsureVisible(int index, BOOL partialOK);
    // Scrolls by pixels; vertical distances become whole rows.
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int first, int last);
    BOOL Update(int index);

    // Images: the row's drag image (the caller deletes it).
    CImageList* CreateDragImage(int index, LPPOINT upperLeft);
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
