#pragma once
// The application object: the one object the program's entry point runs.
// Its main window is the window every page sends its command codes to.
#include "platform/win/Wnd.h"

#include <exception>
#include <string>

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Starts the program; the program ends when it returns (the result is
    // whether a message loop should run after it, which this program never asks).
    virtual BOOL InitInstance() { return FALSE; }

    // Called with any exception a handler throws when the window layer called
    // it from the event loop (a Qt event, a posted message, a timer, a control's
    // notification, a menu command, also inside modal loops); the program goes
    // on after it. hwnd and message name the innermost dispatch the exception
    // left. The default ends the wait cursor, writes the error to standard
    // error and shows it in a message box; while its box is open, further
    // errors are only written.
    virtual void OnHandlerException(std::exception_ptr error, HWND hwnd, UINT message);

    HICON LoadIcon(UINT id) const;

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

namespace win {

// The text of an exception: what() of a standard exception, else "Unknown error".
std::string DescribeException(std::exception_ptr error);

} // namespace win
