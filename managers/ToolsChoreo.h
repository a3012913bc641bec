#pragma once
// The choreography manager (template 262), a Tools page. This class offers
// what the main window calls; the window's own work comes with the Tools
// managers.
#include "platform/win/Dialog.h"

class CToolsChoreo : public CDialogEx {
public:
    enum { IDD = 262 };
    explicit CToolsChoreo(CWnd* parent = nullptr);

protected:
    // Closing the window tells the main window (934), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
