#pragma once
// The hotkey options page (template 235), run modally from Options > Hotkeys.
// Ending with OK means table hotkeys was written. The page's own work comes
// with the Options pages.
#include "platform/win/Dialog.h"

class COptionHotkeys : public CDialogEx {
public:
    enum { IDD = 235 };
    explicit COptionHotkeys(CWnd* parent = nullptr);

protected:
    DECLARE_MESSAGE_MAP()
    void OnBnClickedOk();
};
