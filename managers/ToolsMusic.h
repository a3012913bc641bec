#pragma once
// The music manager (template 239), a Tools page. This class offers what the
// main window calls; the window's own work comes with the Tools managers.
#include "platform/win/Dialog.h"

class CToolsMusic : public CDialogEx {
public:
    enum { IDD = 239 };
    explicit CToolsMusic(CWnd* parent = nullptr);

    // Refills its list from table music.
    void Reload();

protected:
    // Closing the window tells the main window (933), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
