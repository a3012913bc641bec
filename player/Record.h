#pragma once
// The recorder window (template 185), a modeless tool window of the main
// window. This class offers what the main window calls; the window's own work
// comes with the music player.
#include "platform/win/Dialog.h"

class CRecord : public CDialogEx {
public:
    enum { IDD = 185 };
    explicit CRecord(CWnd* parent = nullptr);

    // Starts or resumes recording when the start-with-play option is on.
    void StartOnPlay();

    // Stops recording when the stop-with-stop option is on.
    void StopOnStop();

    // Background and labels take the dialog colour.
    void ApplyDialogColour();

    // Moves to its saved place at its size.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (704), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
