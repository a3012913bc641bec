#include "platform/win/WinApp.h"

#include "platform/win/Gdi.h"

namespace {
CWinApp*& theApp()
{
    static CWinApp* app = nullptr;
    return app;
}
} // namespace

CWinApp::CWinApp() { theApp() = this; }

CWinApp::~CWinApp()
{
    if (theApp() == this)
        theApp() = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const { return LoadIconResource(id); }

CWinApp* AfxGetApp() { return theApp(); }

CWnd* AfxGetMainWnd()
{
    CWinApp* app = theApp();
    return app ? app->m_pMainWnd : nullptr;
}
