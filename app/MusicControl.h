#pragma once
// The music control panel (template 385): large player buttons and a title
// line. This class offers what the main window calls; the window's own work
// comes with the main window's tool windows.
#include "platform/win/Dialog.h"

class CMusicControl : public CDialogEx {
public:
    enum { IDD = 385 };
    explicit CMusicControl(CWnd* parent = nullptr);

    // Shows the dance text of the status bar in its title line.
    void RefreshText();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place and size.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (924), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
