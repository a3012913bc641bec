#pragma once
// The square identification window (template 260). This class offers what the
// main window calls; the window's own work comes with the main window's tool
// windows.
#include "platform/win/Dialog.h"

class CSquareID : public CDialogEx {
public:
    enum { IDD = 260 };
    explicit CSquareID(CWnd* parent = nullptr);

    // Lays itself out again for the hexagon setting.
    void ApplyLayout();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Focus to its hidden command sink; controls refreshed.
    void ParkFocus();

protected:
    // Closing the window tells the main window (700), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
