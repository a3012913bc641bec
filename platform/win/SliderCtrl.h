#pragma once
// The trackbar ("msctls_trackbar32"): a thumb on a range, horizontal or
// TBS_VERT. Like other controls it reports to its parent: what the user does
// with it arrives as WM_HSCROLL (WM_VSCROLL when vertical) with a TB_ code and
// the position, lParam its handle; each action ends with TB_ENDTRACK. Setting
// the position from the program reports nothing.
#include "platform/win/Wnd.h"

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void GetRange(int& minimum, int& maximum) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    // Clamped to the range.
    void SetPos(int pos);
    int GetPos() const;
    void SetPageSize(int size);
    void SetLineSize(int size);

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
