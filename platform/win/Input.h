#pragma once
// Mouse capture, mouse hover tracking, windows under a point and cursors.
//
// SetCapture grabs the mouse for a window (Qt's mouse grab): its moves and
// buttons keep coming, in its client coordinates, while the pointer is outside
// it; the window that loses the capture hears WM_CAPTURECHANGED (lParam: the
// new capture window or null). TrackMouseEvent with TME_HOVER sends
// WM_MOUSEHOVER once the pointer has rested in the window for the hover time;
// WM_MOUSELEAVE comes whenever the pointer leaves a window, tracked or not.
// Cursor handles from LoadCursor name the standard shapes; they are not icons.
#include "platform/win/Wnd.h"

#include <optional>

constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOUSEHOVER = 0x02A1;

constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};

// The standard cursors (LoadCursor(nullptr, IDC_...)).
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(32512);
inline const char* const IDC_IBEAM = reinterpret_cast<const char*>(32513);
inline const char* const IDC_WAIT = reinterpret_cast<const char*>(32514);
inline const char* const IDC_CROSS = reinterpret_cast<const char*>(32515);
inline const char* const IDC_SIZEWE = reinterpret_cast<const char*>(32644);
inline const char* const IDC_SIZENS = reinterpret_cast<const char*>(32645);
inline const char* const IDC_NO = reinterpret_cast<const char*>(32648);
inline const char* const IDC_HAND = reinterpret_cast<const char*>(32649);

// The window that had the capture, or null.
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

// The pointer's position in screen coordinates.
BOOL GetCursorPos(LPPOINT point);

// The window at a screen point (the innermost visible one), or null.
HWND WindowFromPoint(POINT screen);
// The direct child of the parent at a point in the parent's client
// coordinates (hidden and disabled ones too); the parent itself when no child
// is there, null when the point lies outside the parent.
HWND ChildWindowFromPoint(HWND parent, POINT client);

// A standard cursor; null for an unknown name. The instance is ignored.
HCURSOR LoadCursor(void* instance, const char* name);
// Shows the cursor over the window under the pointer (or the capture window)
// from now on; the cursor set before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Moves the pointer (tests place it where their relayed mouse messages say).
BOOL SetCursorPos(int x, int y);

// Whether a key is held now: the high bit (0x8000) for Shift, Ctrl and Alt
// (VK_SHIFT, VK_CONTROL, VK_MENU) as the keyboard's modifiers stand; 0 for any other key.
short GetKeyState(int virtualKey);

namespace win {
// Tests hold modifier keys without a keyboard (MK_SHIFT, MK_CONTROL and 0x20 for
// Alt); nullopt goes back to the keyboard.
void SetHeldModifiers(std::optional<UINT> mkFlags);
} // namespace win
