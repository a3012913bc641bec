#pragma once
// Sends a command code to the main window and returns when it has acted.
// For .cpp files: it brings in the main window's header.
#include "app/AppGlobals.h"
#include "app/CommandCodes.h"
#include "app/MirtalDlg.h"

// Nothing happens while there is no main window.
inline void SendCommand(UINT code, LPARAM lParam = 0)
{
    if (g_mainDlg && g_mainDlg->m_hWnd)
        g_mainDlg->SendMessage(WM_KEYDOWN, code, lParam);
}
