#pragma once
// The marry lyrics manager (template 390), a Tools page. This class offers
// what the main window calls; the window's own work comes with the Tools
// managers.
#include "platform/win/Dialog.h"

class CToolsMarry : public CDialogEx {
public:
    enum { IDD = 390 };
    explicit CToolsMarry(CWnd* parent = nullptr);

    // Refills its list from table marry.
    void ReloadMarriages();

protected:
    // Closing the window tells the main window (936), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
