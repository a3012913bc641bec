#include "app/Timer.h"
#include "controls/ToolWindowInfos.h"

#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"

CTimer::CTimer(CWnd* parent) : CToolDialog(IDD, toolwindows::kTimer, parent) {}

bool CTimer::StateColour(int state, COLORREF& colour)
{
    switch (state) {
    case 1: colour = RGB(0, 0, 255); return true;
    case 2: colour = RGB(255, 0, 0); return true;
    case 3: colour = RGB(255, 255, 255); return true;
    default: return false;
    }
}

void CTimer::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1125, m_readOut);
}

BOOL CTimer::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    ApplyColours();
    m_readOut.SetTextColor(RGB(0, 0, 255))
        .SetFontSize(80)
        .SetFontBold(TRUE)
        .SetAlignment(CNewLabel::kCentre | CNewLabel::kVCentre)
        .SetText("0:00");
    PlaceWindow();
    UpdateData(FALSE);
    return TRUE;
}

void CTimer::SetTime(const std::string& text)
{
    if (m_readOut.m_hWnd)
        m_readOut.SetText(text);
    UpdateData(FALSE);
}

void CTimer::SetState(int state)
{
    COLORREF colour;
    if (m_readOut.m_hWnd && StateColour(state, colour))
        m_readOut.SetTextColor(colour);
    UpdateData(FALSE);
}

void CTimer::ApplyColours()
{
    const COLORREF back = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(back);
    if (m_readOut.m_hWnd)
        m_readOut.SetBkColor(back);
}

void CTimer::PlaceWindow()
{
    const int width = g_largeLayout ? 350 : 250;
    const int height = g_largeLayout ? 190 : 140;
    MakePlaceUsable({width, height});
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    if (g_timerPosX > screenW - width)
        g_timerPosX = screenW - width;
    if (g_timerPosY > screenH - height)
        g_timerPosY = screenH - height;
    SetWindowPos(&wndTop, g_timerPosX, g_timerPosY, width, height, SWP_SHOWWINDOW);
    UpdateData(FALSE);
}
