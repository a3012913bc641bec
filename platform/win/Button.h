#pragma once
// The button control ("Button"): push button, check box (two or three
// states), radio button (grouped from a WS_GROUP control to the next) and
// group box. Reports BN_CLICKED; its check state is BM_GETCHECK / BM_SETCHECK.
// BS_OWNERDRAW buttons paint through WM_DRAWITEM to their parent (whose
// handler answers TRUE), else through their own DrawItem.
#include "platform/win/Wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    // The button's type (BS_PUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON, ...).
    UINT GetButtonStyle() const { return UINT(GetStyle() & BS_TYPEMASK); }
    bool IsRadioButton() const;
    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // BS_OWNERDRAW: draws the button when its parent does not handle WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
