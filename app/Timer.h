#pragma once
// The timer window (template 183): the dance timer in a window of its own.
// This class offers what the main window calls; the window's own work comes
// with the main window's tool windows.
#include "platform/win/Dialog.h"

#include <string>

class CTimer : public CDialogEx {
public:
    enum { IDD = 183 };
    explicit CTimer(CWnd* parent = nullptr);

    // Shows the time text.
    void SetTime(const std::string& text);

    // Colour state of the read-out: 1 normal, 2 over time.
    void SetState(int state);

    // Takes the colours of the settings again.
    void ApplyColours();

    // Moves to its saved place.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (709), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
