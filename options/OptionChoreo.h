#pragma once
// The choreography options page (template 176), run modally from Options >
// Choreography. Ending with OK means its settings were stored. The page's
// settings grid comes with the Options pages.
#include "platform/win/Dialog.h"

class COptionChoreo : public CDialogEx {
public:
    enum { IDD = 176 };
    explicit COptionChoreo(CWnd* parent = nullptr);

protected:
    DECLARE_MESSAGE_MAP()
    void OnBnClickedOk();
};
