#pragma once
// The music options page (template 179), run modally from Options > Music.
// Ending with OK means its settings were stored and the main window re-reads
// them. The page's settings grid comes with the Options pages.
#include "platform/win/Dialog.h"

class COptionMusic : public CDialogEx {
public:
    enum { IDD = 179 };
    explicit COptionMusic(CWnd* parent = nullptr);

protected:
    DECLARE_MESSAGE_MAP()
    void OnBnClickedOk();
};
