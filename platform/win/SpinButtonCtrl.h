#pragma once
// The up-down control ("msctls_updown32"): two arrows that step a position
// within a range and, with UDS_SETBUDDYINT, write it as the text of a buddy
// window. A click asks the parent first with UDN_DELTAPOS (a nonzero answer
// refuses the step), then reports the new position as WM_VSCROLL (WM_HSCROLL
// with UDS_HORZ) SB_THUMBPOSITION, and SB_ENDSCROLL when the button is let go.
// UDS_AUTOBUDDY takes the control made just before it as buddy, UDS_ALIGNRIGHT
// and UDS_ALIGNLEFT put the arrows inside that buddy's edge, UDS_ARROWKEYS lets
// the buddy's Up and Down keys step. The range starts as 100 to 0, as on
// Windows (the up arrow then lowers the number).
#include "platform/win/Wnd.h"

constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;

constexpr UINT UDN_DELTAPOS = UINT(0u - 721u - 1u);
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_ENDSCROLL = 8;

struct NMUPDOWN {
    NMHDR hdr;
    int iPos = 0;   // the position before the step
    int iDelta = 0; // the step proposed (+1 up or right, -1 down or left, in range order)
};

class CSpinButtonCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    // The position set before; the buddy shows the new one (UDS_SETBUDDYINT).
    int SetPos(int pos) { return SetPos32(pos); }
    int SetPos32(int pos);
    // The position, taken from the buddy's number first (UDS_SETBUDDYINT);
    // error (when given) says the buddy held no number in range.
    int GetPos() const { return GetPos32(); }
    int GetPos32(BOOL* error = nullptr) const;
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
