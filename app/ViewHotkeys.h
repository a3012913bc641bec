#pragma once
// The hotkeys view (template 394): what every key does, as plain text. This
// class offers what the main window calls; the window's own work comes with
// the main window's tool windows.
#include "platform/win/Dialog.h"

class CViewHotkeys : public CDialogEx {
public:
    enum { IDD = 394 };
    explicit CViewHotkeys(CWnd* parent = nullptr);

    // Builds its text from table hotkeys.
    void BuildText();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (925), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
