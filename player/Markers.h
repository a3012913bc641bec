#pragma once
// The markers window (template 191), a modeless tool window of the main
// window. This class offers what the main window calls; the window's own work
// comes with the music player.
#include "platform/win/Dialog.h"

class CMarkers : public CDialogEx {
public:
    enum { IDD = 191 };
    explicit CMarkers(CWnd* parent = nullptr);

    // Markers command 0..6 of the hotkeys.
    void HotkeyCommand(int command);

    // Refills the marker list from the current song's markers.
    void LoadMarkers();

    // Starts the 500 ms timer of its marker time display.
    void StartRefreshTimer();

    // Background and labels take the dialog colour.
    void ApplyDialogColour();

    // Moves to its saved place at its size.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (713), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
