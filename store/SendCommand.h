#pragma once
// Sends a command code to the main window and returns when it has acted.
// It needs only the main window's handle, so any page or tool window can send
// one without knowing the main window's class.
#include "platform/win/Wnd.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"

// Nothing happens while there is no main window.
inline void SendCommand(UINT code, LPARAM lParam = 0)
{
    if (g_mainWnd)
        ::SendMessage(g_mainWnd, WM_KEYDOWN, code, lParam);
}
