#pragma once
// The header of a report list (CListCtrl::GetHeaderCtrl): a child window of
// the list with id 0 over the list's QHeaderView. A click on an item sends
// HDN_ITEMCLICK, a width change HDN_ITEMCHANGED and a right click NM_RCLICK to
// the list, which passes them on to its own parent.
#include "platform/win/CommCtrl.h"
#include "platform/win/Wnd.h"

#include <string>

constexpr DWORD HDS_BUTTONS = 0x2;

constexpr UINT HDI_WIDTH = 0x1;
constexpr UINT HDI_TEXT = 0x2;
constexpr UINT HDI_FORMAT = 0x4;
constexpr UINT HDI_LPARAM = 0x8;

constexpr int HDF_LEFT = 0;
constexpr int HDF_RIGHT = 1;
constexpr int HDF_CENTER = 2;
constexpr int HDF_JUSTIFYMASK = 3;
constexpr int HDF_STRING = 0x4000;

constexpr UINT HDN_FIRST = 0u - 300u;
constexpr UINT HDN_ITEMCHANGED = HDN_FIRST - 1;
constexpr UINT HDN_ITEMCLICK = HDN_FIRST - 2;

struct HDITEM {
    UINT mask = 0;
    int cxy = 0;
    char* pszText = nullptr;
    HBITMAP hbm = nullptr;
    int cchTextMax = 0;
    int fmt = 0;
    LPARAM lParam = 0;
    int iImage = 0;
    int iOrder = 0;
};

struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0; // 0 left, 1 right, 2 middle
    HDITEM* pitem = nullptr;
};

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
    // The item's rectangle in the header's client coordinates; FALSE past the last item.
    BOOL GetItemRect(int index, LPRECT rect) const;
    // Width, text (copied into pszText, cut to cchTextMax) and format, as the mask asks.
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, HDITEM* item);
};
