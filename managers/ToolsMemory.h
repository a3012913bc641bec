#pragma once
// The memory manager (template 242), a Tools page. This class offers what the
// main window calls; the window's own work comes with the Tools managers.
#include "platform/win/Dialog.h"

class CToolsMemory : public CDialogEx {
public:
    enum { IDD = 242 };
    explicit CToolsMemory(CWnd* parent = nullptr);

    // Refills its list from table memory.
    void ReloadList();

protected:
    // Closing the window tells the main window (927), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
