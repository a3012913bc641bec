#pragma once
// The static control ("Static"): text, a picture (bitmap or icon resource),
// or a frame or filled rectangle. With SS_NOTIFY it reports clicks to its
// parent (STN_CLICKED, STN_DBLCLK).
#include "platform/win/Wnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xffff);
    // Shows a bitmap or icon resource in a picture control.
    void SetImageResource(UINT id);
    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
