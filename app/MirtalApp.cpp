#include "app/MirtalApp.h"

#include "app/MirtalDlg.h"

BOOL CMirtalApp::InitInstance()
{
    CMirtalDlg dlg;
    m_pMainWnd = &dlg;
    m_mainResult = dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
