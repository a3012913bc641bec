#pragma once
// The splash window (template 134): shown by the main window's first paint
// while the stored dance level is applied, then destroyed.
#include "platform/win/Dialog.h"

class CStartWin : public CDialog {
public:
    enum { IDD = 134 };
    explicit CStartWin(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

protected:
    BOOL OnInitDialog() override;
};
