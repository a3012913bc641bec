#pragma once
// The cue-sheet editor (template 323). This class offers what the main window
// calls; the window's own work comes with the lyrics and cue-sheet windows.
#include "platform/win/Dialog.h"

class CCueSheet : public CDialogEx {
public:
    enum { IDD = 323 };
    explicit CCueSheet(CWnd* parent = nullptr);

protected:
    // Closing the window tells the main window (937), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
