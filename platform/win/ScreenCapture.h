#pragma once
// What the program's windows show on the screen, for a popup that draws its
// shadow over whatever lies beneath it.
#include "platform/win/Gdi.h"
#include "platform/win/Wnd.h"

namespace win {

// A new bitmap (the caller's) of a screen rectangle: the program's visible
// top-level windows as they draw themselves, leaving out one window (null for
// none), over the desktop colour where no window is.
HBITMAP CaptureScreenArea(const RECT& screen, HWND exclude);

} // namespace win
