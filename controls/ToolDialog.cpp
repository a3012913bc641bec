#include "controls/ToolDialog.h"

#include "controls/FocusSink.h"
#include "store/CommandCodes.h"
#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "platform/win/Display.h"

#include <algorithm>

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

void CreateBalloonTips(CPPToolTip& tips, CWnd& dialog, const std::vector<std::pair<int, std::string>>& tools)
{
    if (!tips.m_hWnd) {
        tips.Create(&dialog, TRUE);
        tips.SetShadow(10, 10, 50, TRUE, 7, 7);
    }
    for (const auto& [id, text] : tools)
        if (CWnd* control = dialog.GetDlgItem(id))
            tips.AddTool(control, text);
}

void RelayBalloonTips(CPPToolTip& tips, MSG* msg)
{
    if (g_tooltipsOn && tips.m_hWnd)
        tips.RelayEvent(msg);
}

BOOL CToolDialog::OnInitDialog()
{
    const BOOL result = CDialogEx::OnInitDialog();
    CRect r;
    GetWindowRect(r);
    m_templateSize = r.Size();
    return result;
}

void CToolDialog::MakePlaceUsable(CSize size)
{
    int* const x = m_info.place.x.value;
    int* const y = m_info.place.y.value;
    int* const storedWidth = m_info.place.width.value;
    int* const storedHeight = m_info.place.height.value;
    if (!x || !y)
        return;
    int width = size.cx > 0 ? size.cx : m_templateSize.cx;
    int height = size.cy > 0 ? size.cy : m_templateSize.cy;
    if (storedWidth) {
        if (*storedWidth <= 0)
            *storedWidth = m_templateSize.cx;
        width = *storedWidth;
    }
    if (storedHeight) {
        if (*storedHeight <= 0)
            *storedHeight = m_templateSize.cy;
        height = *storedHeight;
    }
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const bool offScreen = *x >= screenW || *y >= screenH || *x + width <= 0 || *y + height <= 0;
    if (offScreen) {
        *x = std::max(0, std::min(*x, screenW - width));
        *y = std::max(0, std::min(*y, screenH - height));
    }
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
    if (m_info.closedCode)
        SendCommand(m_info.closedCode);
    // The report has normally destroyed the window.
    if (IsWindow(self))
        CDialogEx::OnClose();
}

void CToolDialog::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    // A window being made or hidden is not where the user put it.
    if (!m_hWnd || !IsWindowVisible())
        return;
    CRect r;
    GetWindowRect(r);
    const ToolPlace& place = m_info.place;
    const std::pair<int*, int> values[] = {
        {place.x.value, r.left}, {place.y.value, r.top}, {place.width.value, r.Width()}, {place.height.value, r.Height()}};
    for (const auto& [value, now] : values)
        if (value)
            *value = now;
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
