#pragma once
// Thread hooks: a keyboard hook sees every key press and release of the
// user-interface thread before the window it is meant for, wherever the
// keyboard focus is. Hooks run on the user-interface thread, newest first,
// each passing the event on with CallNextHookEx; a hook never swallows keys.
// Only WH_KEYBOARD is offered; other kinds are refused (null handle).
#include "platform/win/WinDefs.h"

struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_KEYBOARD = 2;
constexpr int WH_CALLWNDPROC = 4;
constexpr int HC_ACTION = 0;

// For WH_KEYBOARD the procedure gets HC_ACTION, the virtual key and the key
// flags of the key message (bit 31 set for a release). The thread must be
// the user-interface thread (0 stands for it too); the module is ignored.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, void* module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
// Calls the next older hook of the same kind; 0 when there is none.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
DWORD GetCurrentThreadId();

namespace win::detail {
// Runs the keyboard hooks for one key message (the layer's event filter calls it).
void RunKeyboardHooks(WPARAM key, LPARAM flags);
} // namespace win::detail
