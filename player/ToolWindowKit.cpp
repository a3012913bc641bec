#include "player/ToolWindowKit.h"

#include "store/AppGlobals.h"

namespace toolkit {

void CreateBalloonTips(CPPToolTip& tooltip, CWnd& dialog, std::initializer_list<Tip> tips)
{
    tooltip.Create(&dialog, TRUE);
    tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);
    for (const Tip& t : tips)
        if (CWnd* control = dialog.GetDlgItem(t.id))
            tooltip.AddTool(control, t.text);
}

void RelayAndForwardKeys(CPPToolTip& tooltip, const MSG* msg)
{
    if (g_tooltipsOn && tooltip.m_hWnd)
        tooltip.RelayEvent(const_cast<MSG*>(msg));
    if (msg->message == WM_KEYDOWN && g_mainWnd)
        ::SendMessage(g_mainWnd, WM_KEYDOWN, msg->wParam, 0);
}

void FocusSinkText::Empty(CWnd& dialog, int sinkId)
{
    // Emptying the edit changes it again.
    if (m_emptying)
        return;
    m_emptying = true;
    text.clear();
    if (CWnd* sink = dialog.GetDlgItem(sinkId))
        sink->SetWindowText("");
    m_emptying = false;
}

} // namespace toolkit
