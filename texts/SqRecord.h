#pragma once
// The record database search window (template 173). This class offers what the
// main window calls; the window's own work comes with the lyrics and cue-sheet
// windows.
#include "platform/win/Dialog.h"

class CSqRecord : public CDialogEx {
public:
    enum { IDD = 173 };
    explicit CSqRecord(CWnd* parent = nullptr);

    // Background from the dialog colour; controls refreshed.
    void RefreshBackground();

protected:
    // Closing the window tells the main window (702), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
