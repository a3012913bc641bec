#pragma once
// The marker timer window (template 304): the dance timer and the time since
// the current marker, laid over the main window. This class offers what the
// main window calls; the window's own work comes with the main window's tool
// windows.
#include "platform/win/Dialog.h"

#include <string>

class CTimerMarkers : public CDialogEx {
public:
    enum { IDD = 304 };
    explicit CTimerMarkers(CWnd* parent = nullptr);

    // Shows the two time texts.
    void SetTimes(const std::string& left, const std::string& right);

    // Colour state of the read-outs: 1 normal, 2 over time.
    void SetState(int state);

    // Takes the colours of the settings again.
    void ApplyColours();

    // Places itself over the main window.
    void Reposition();

protected:
    // Closing the window only hides it; the main window destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
