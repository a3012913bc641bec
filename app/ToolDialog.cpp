#include "app/ToolDialog.h"

#include "app/FocusSink.h"
#include "store/CommandCodes.h"
#include "store/SendCommand.h"

BEGIN_MESSAGE_MAP(CToolDialog, CDialogEx)
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_HELPINFO()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CToolDialog::CToolDialog(UINT templateId, const ToolWindowInfo& info, CWnd* parent)
    : CDialogEx(templateId, parent), m_info(info)
{
}

void CToolDialog::OnCancel()
{
    if (m_info.closedCode)
        SendCommand(m_info.closedCode);
}

void CToolDialog::ParkFocus() { ParkFocusOnSink(*this); }

void CToolDialog::OnClose()
{
    const HWND self = m_hWnd;
    OnCancel();
    // The report has normally destroyed the window.
    if (IsWindow(self))
        CDialogEx::OnClose();
}

void CToolDialog::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    if (!m_hWnd)
        return;
    CRect r;
    GetWindowRect(r);
    const ToolPlace& place = m_info.place;
    if (place.x)
        *place.x = r.left;
    if (place.y)
        *place.y = r.top;
    if (place.width)
        *place.width = r.Width();
    if (place.height)
        *place.height = r.Height();
}

BOOL CToolDialog::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

void CToolDialog::OnLButtonDown(UINT flags, CPoint point)
{
    CDialogEx::OnLButtonDown(flags, point);
    ParkFocus();
}
