#pragma once
// Small services of the window layer that the program reaches without Qt:
// a control's look and tip, the bell, work
// run once the current event is over, and the toolkit's lifetime in main().
#include "platform/win/Wnd.h"

#include <functional>
#include <memory>
#include <string>

namespace win {

// A style sheet (colours, font weight and size) for the control's widget.
void SetStyleSheet(CWnd* control, const std::string& css);
// The tip shown while the mouse rests on the control; empty removes it.
void SetToolTip(CWnd* control, const std::string& tip);
// Mouse moves reach the window also while no button is held (as on Windows);
// an owner-drawn control that tracks the item under the mouse turns this on.
void TrackMouseMoves(CWnd* control);

// Text and background colour of a control, filled behind its text.
void SetColors(CWnd* control, COLORREF text, COLORREF back);
// Alignment of a static control's text by DT_CENTER, DT_RIGHT and DT_VCENTER (else left, top).
void SetTextAlignment(CWnd* control, UINT dtFlags);
// Two arrow buttons filling the control, up above down; a click calls step with 1 or -1.
void AddArrowButtons(CWnd* control, std::function<void(int)> step);

// Ends every wait cursor still shown (after a handler failed between Begin and End).
void EndAllWaitCursors();

// The system bell.
void Beep();

// Runs the work on the user-interface thread once the current event is over.
void CallSoon(std::function<void()> work);

// The toolkit of the program's run: made first in main(), gone last.
class Application {
public:
    Application(int& argc, char** argv, const char* name);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace win
