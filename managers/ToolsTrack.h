#pragma once
// The track manager (template 244), a Tools page. This class offers what the
// main window calls; the window's own work comes with the Tools managers.
#include "platform/win/Dialog.h"

class CToolsTrack : public CDialogEx {
public:
    enum { IDD = 244 };
    explicit CToolsTrack(CWnd* parent = nullptr);

    // Refills its list from table track.
    void Reload();

protected:
    // Closing the window tells the main window (935), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
