#pragma once
// The application object: it runs the main window modally; the program ends
// when the main window ends.
#include "platform/win/WinApp.h"

class CMirtalApp : public CWinApp {
public:
    CMirtalApp() = default;
    // Always false: the program ends when the main dialog has ended.
    BOOL InitInstance() override;
    // What the main dialog ended with (IDABORT when it could not start).
    INT_PTR GetMainResult() const { return m_mainResult; }

    // A handler reached from the event loop failed: HandleFailure.
    void OnHandlerException(std::exception_ptr error, HWND hwnd, UINT message) override;
    // What every failed handler or command ends with: every open batch rolled
    // back, the wait cursor ended, the error logged and shown in a box
    // captioned "Mirtal" (the same text once per run); the program goes on.
    static void HandleFailure(std::exception_ptr error);

private:
    INT_PTR m_mainResult = 0;
};
