#pragma once
// Notification codes and records shared by the common controls (list view,
// header): clicks and custom draw, as their parents receive them in WM_NOTIFY.
#include "platform/win/WinDefs.h"

class CDC;

// Generic notifications (NMHDR::code)
constexpr UINT NM_FIRST = 0u;
constexpr UINT NM_CLICK = NM_FIRST - 2;
constexpr UINT NM_DBLCLK = NM_FIRST - 3;
constexpr UINT NM_RETURN = NM_FIRST - 4;
constexpr UINT NM_RCLICK = NM_FIRST - 5;
constexpr UINT NM_RDBLCLK = NM_FIRST - 6;
constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;

// Colours that are no colour: "use the default" and "paint nothing".
constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

// Custom draw: stages...
constexpr DWORD CDDS_PREPAINT = 0x1;
constexpr DWORD CDDS_POSTPAINT = 0x2;
constexpr DWORD CDDS_ITEM = 0x10000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEM = 0x20000;
// ...answers...
constexpr LRESULT CDRF_DODEFAULT = 0x0;
constexpr LRESULT CDRF_NEWFONT = 0x2;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x4;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;
// ...and item states.
constexpr UINT CDIS_SELECTED = 0x1;
constexpr UINT CDIS_FOCUS = 0x10;
constexpr UINT CDIS_HOT = 0x40;

// The DC is the layer's own (there are no DC handles): draw on it directly.
struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage = 0;
    CDC* hdc = nullptr;
    RECT rc{};
    DWORD_PTR dwItemSpec = 0; // the row
    UINT uItemState = 0;
    LPARAM lItemlParam = 0;   // the row's item data
};
