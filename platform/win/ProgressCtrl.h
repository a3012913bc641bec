#pragma once
// The progress bar ("msctls_progress32").
#include "platform/win/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(int minimum, int maximum);
    // Clamped to the range.
    int SetPos(int pos);
    int GetPos() const;

    bool AcceptsWidget(const QWidget* widget) const override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
