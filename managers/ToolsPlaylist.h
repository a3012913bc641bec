#pragma once
// The playlist manager (template 251), a Tools page. This class offers what
// the main window calls; the window's own work comes with the Tools managers.
#include "platform/win/Dialog.h"

class CToolsPlaylist : public CDialogEx {
public:
    enum { IDD = 251 };
    explicit CToolsPlaylist(CWnd* parent = nullptr);

protected:
    // Closing the window tells the main window (932), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
