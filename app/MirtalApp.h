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

private:
    INT_PTR m_mainResult = 0;
};
