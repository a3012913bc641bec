#pragma once
// The computer cards window (template 294): a tip letter and a number in view.
// This class offers what the main window calls; the window's own work comes
// with the main window's tool windows.
#include "platform/win/Dialog.h"

class CComputerCards : public CDialogEx {
public:
    enum { IDD = 294 };
    explicit CComputerCards(CWnd* parent = nullptr);

    // Moves the tip letter on by one.
    void NextTip();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (718), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
