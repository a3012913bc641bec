#include "app/MirtalApp.h"

#include "app/MirtalDlg.h"
#include "platform/win/WidgetAccess.h"
#include "store/DbAccess.h"
#include "store/FailureReport.h"

BOOL CMirtalApp::InitInstance()
{
    CMirtalDlg dlg;
    m_pMainWnd = &dlg;
    m_mainResult = dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

void CMirtalApp::OnHandlerException(std::exception_ptr error, HWND, UINT) { HandleFailure(error); }

void CMirtalApp::HandleFailure(std::exception_ptr error)
{
    CDbAccess::AbortAllBatches();
    win::EndAllWaitCursors();
    failure::Report(failure::Describe(error));
}
