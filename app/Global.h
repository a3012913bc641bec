#pragma once
// The user settings dialog "Mirtal - User Settings" (template 407), run
// modally from Options > User Settings and on a first run. This class runs
// it; its settings come with the tool windows of the main window.
#include "platform/win/Dialog.h"

class CGlobal : public CDialogEx {
public:
    enum { IDD = 407 };
    explicit CGlobal(CWnd* parent = nullptr) : CDialogEx(IDD, parent) {}

protected:
    DECLARE_MESSAGE_MAP()
    void OnOkButton() { OnOK(); }
    void OnCancelButton() { OnCancel(); }
};
