#include "app/TimerMarkers.h"

#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "app/Timer.h"
#include "controls/ToolWindowInfos.h"
#include "platform/win/DataExchange.h"

CTimerMarkers::CTimerMarkers(CWnd* parent) : CToolDialog(IDD, toolwindows::kMarkerTimer, parent) {}

void CTimerMarkers::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1125, m_left);
    DDX_Control(dx, 1126, m_right);
}

BOOL CTimerMarkers::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    ApplyColours();
    const struct {
        CNewLabel* readOut;
        COLORREF colour;
        int x;
    } looks[] = {{&m_left, RGB(0, 0, 255), 5}, {&m_right, RGB(0, 0, 0), 230}};
    for (const auto& l : looks) {
        l.readOut->SetTextColor(l.colour).SetFontSize(80).SetFontBold(TRUE).SetAlignment(CNewLabel::kRight).SetText("0:00");
        l.readOut->MoveWindow(l.x, 5, 220, 70);
    }
    Reposition();
    UpdateData(FALSE);
    return TRUE;
}

void CTimerMarkers::SetTimes(const std::string& left, const std::string& right)
{
    if (m_left.m_hWnd)
        m_left.SetText(left);
    if (m_right.m_hWnd)
        m_right.SetText(right);
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
    for (CNewLabel* r : {&m_left, &m_right})
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
