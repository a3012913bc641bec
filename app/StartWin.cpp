#include "app/StartWin.h"

#include "platform/win/Dc.h"
#include "platform/win/Display.h"

BOOL CStartWin::OnInitDialog()
{
    CDialog::OnInitDialog();
    // On a large display the window is 315 by 300 pixels, in the middle of the screen.
    CDC dc;
    dc.CreateIC("DISPLAY");
    if (std::max(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY)) > 99) {
        const int w = GetSystemMetrics(SM_CXSCREEN);
        const int h = GetSystemMetrics(SM_CYSCREEN);
        SetWindowPos(nullptr, (w - 315) / 2, (h - 300) / 2, 315, 300, SWP_SHOWWINDOW);
        CenterWindow();
    }
    return TRUE;
}
