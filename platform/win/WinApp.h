#pragma once
// The application object: the one object the program's entry point runs.
// Its main window is the window every page sends its command codes to.
#include "platform/win/Wnd.h"

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Starts the program; the program ends when it returns (the result is
    // whether a message loop should run after it, which this program never asks).
    virtual BOOL InitInstance() { return FALSE; }

    HICON LoadIcon(UINT id) const;

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
