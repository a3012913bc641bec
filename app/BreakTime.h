#pragma once
// The break timer (template 398): counts down the break between two tips. This
// class offers what the main window calls; the window's own work comes with
// the main window's tool windows.
#include "platform/win/Dialog.h"

class CBreakTime : public CDialogEx {
public:
    enum { IDD = 398 };
    explicit CBreakTime(CWnd* parent = nullptr);

    // Starts the count, by hand or automatically.
    void Start(bool automatic);

    // One minute more (add) or less.
    void AdjustMinute(bool add);

    // Re-reads its settings and colours.
    void ReloadSettings();

    // Moves to its saved place.
    void PlaceWindow();

protected:
    // Closing the window only hides it; the main window destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
