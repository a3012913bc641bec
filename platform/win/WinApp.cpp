#include "platform/win/WinApp.h"

#include "platform/win/Gdi.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WndImpl.h"

#include <QApplication>
#include <cstdio>

namespace {
CWinApp*& theApp()
{
    static CWinApp* app = nullptr;
    return app;
}

void writeError(const std::string& text, HWND hwnd, UINT message)
{
    std::fprintf(stderr, "Mirtal: %s (window %p, message 0x%04X)\n", text.c_str(), static_cast<void*>(hwnd), message);
}
} // namespace

CWinApp::CWinApp() { theApp() = this; }

CWinApp::~CWinApp()
{
    if (theApp() == this)
        theApp() = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const { return LoadIconResource(id); }

void CWinApp::OnHandlerException(std::exception_ptr error, HWND hwnd, UINT message)
{
    static bool boxOpen = false;
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    const std::string text = win::DescribeException(error);
    writeError(text, hwnd, message);
    if (boxOpen)
        return;
    boxOpen = true;
    struct Close {
        ~Close() { boxOpen = false; }
    } close;
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}

CWinApp* AfxGetApp() { return theApp(); }

CWnd* AfxGetMainWnd()
{
    CWinApp* app = theApp();
    return app ? app->m_pMainWnd : nullptr;
}

namespace win {

std::string DescribeException(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "Unknown error";
}

namespace detail {

void ReportHandlerException(std::exception_ptr error, HWND hwnd, UINT message)
{
    try {
        if (CWinApp* app = AfxGetApp())
            app->OnHandlerException(error, hwnd, message);
        else
            writeError(DescribeException(error), hwnd, message);
    } catch (...) {
        // The hook itself failed: nothing is left to tell but standard error.
        writeError("error while reporting an error: " + DescribeException(std::current_exception()), hwnd, message);
    }
}

} // namespace detail
} // namespace win
