#pragma once
// The jukebox window (template 261), a modeless tool window of the main
// window. This class offers what the main window calls; the window's own work
// comes with the music player.
#include "platform/win/Dialog.h"

class CJukeBox : public CDialogEx {
public:
    enum { IDD = 261 };
    explicit CJukeBox(CWnd* parent = nullptr);

    // Background and labels take the dialog colour.
    void ApplyDialogColour();

    // Moves to its saved place at its size.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (703), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
