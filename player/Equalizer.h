#pragma once
// The equalizer window (template 189), a modeless tool window of the main
// window. This class offers what the main window calls; the window's own work
// comes with the music player.
#include "platform/win/Dialog.h"

class CEqualizer : public CDialogEx {
public:
    enum { IDD = 189 };
    explicit CEqualizer(CWnd* parent = nullptr);

    // Sets its sliders and labels from the current equalizer, tempo, pitch and volume.
    void RefreshControls();

    // Switches the equalizer on or off and asks the main window to apply the values.
    void SetEqualizerOn(bool on);

    // Selects and applies the configuration named by "music - eqname".
    void SelectStoredConfig();

    // Background and labels take the dialog colour.
    void ApplyDialogColour();

    // Moves to its saved place at its size.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (705), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
