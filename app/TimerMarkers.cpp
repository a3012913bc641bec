#include "app/TimerMarkers.h"

#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "app/Timer.h"
#include "platform/win/DataExchange.h"

BEGIN_MESSAGE_MAP(CTimerMarkers, CDialogEx)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CTimerMarkers::CTimerMarkers(CWnd* parent) : CDialogEx(IDD, parent) {}

void CTimerMarkers::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, 1125, m_left);
    DDX_Control(dx, 1126, m_right);
}

BOOL CTimerMarkers::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyColours();
    const struct {
        CReadOut* readOut;
        COLORREF colour;
        int x;
    } looks[] = {{&m_left, RGB(0, 0, 255), 5}, {&m_right, RGB(0, 0, 0), 230}};
    for (const auto& l : looks) {
        l.readOut->SetTextColor(l.colour);
        l.readOut->SetFontHeight(80, true);
        l.readOut->SetAlignment(CReadOut::kRight);
        l.readOut->SetWindowText("0:00");
        l.readOut->MoveWindow(l.x, 5, 220, 70);
    }
    Reposition();
    UpdateData(FALSE);
    return TRUE;
}

void CTimerMarkers::SetTimes(const std::string& left, const std::string& right)
{
    if (m_left.m_hWnd)
        m_left.SetWindowText(left);
    if (m_right.m_hWnd)
        m_right.SetWindowText(right);
    UpdateData(FALSE);
}

void CTimerMarkers::SetState(int state)
{
    COLORREF colour;
    if (m_left.m_hWnd && CTimer::StateColour(state, colour))
        m_left.SetTextColor(colour);
    UpdateData(FALSE);
}

void CTimerMarkers::ApplyColours()
{
    const COLORREF back = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(back);
    for (CReadOut* r : {&m_left, &m_right})
        if (r->m_hWnd)
            r->SetBkColor(back);
}

void CTimerMarkers::Reposition()
{
    CRect main;
    if (CWnd* mainWnd = CWnd::FromHandle(g_mainWnd))
        mainWnd->GetWindowRect(&main);
    SetWindowPos(&wndTop, main.left + 405, main.top, 455, 85, SWP_SHOWWINDOW);
    UpdateData(FALSE);
}

void CTimerMarkers::OnCancel() { ShowWindow(SW_HIDE); }

BOOL CTimerMarkers::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}
