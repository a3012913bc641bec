#pragma once
// The show-calls window (template 178): a random call of the current level
// every few seconds. This class offers what the main window calls; the
// window's own work comes with the main window's tool windows.
#include "platform/win/Dialog.h"

class CCalls : public CDialogEx {
public:
    enum { IDD = 178 };
    explicit CCalls(CWnd* parent = nullptr);

    // Loads the calls after creation.
    void LoadCalls();

    // Reloads the calls of the current level.
    void BuildPool();

    // Starts or stops showing calls.
    void ToggleScrolling();

    // Shows the next call at once.
    void ShowNextCall();

    // Takes the colours of the settings again.
    void ApplyColors();

    // Moves to its saved place and size.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (701), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
