#pragma once
// The state behind a CWnd (internal to the window layer).
#include "platform/win/Wnd.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <functional>
#include <optional>

class CMenu;

struct HDROP__ {
    std::vector<std::string> files;
    POINT point;
};

struct CWnd::Impl {
    QPointer<QWidget> widget; // client area
    QPointer<QWidget> frame;  // outer widget; the same as widget for child windows
    UINT id = 0;
    HWND parent = nullptr;           // parent (child windows) or owner (top-level windows)
    std::vector<HWND> children;      // child windows in creation order
    std::map<UINT_PTR, std::unique_ptr<QTimer>> timers;
    CMenu* menu = nullptr;           // the menu bar's menu
    std::unique_ptr<CMenu> ownMenu;  // a menu loaded for the window from its template
    std::unique_ptr<CMenu> systemMenu;
    // An outer size set before the window was first shown, when its frame was not known yet.
    std::optional<QSize> pendingOuterSize;
    // A hidden window that holds the keyboard focus: Qt gives the focus only to
    // shown widgets, so it is shown with no area and still counts as hidden.
    bool shownForFocus = false;
    QRect hiddenGeometry;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    CFont* font = nullptr;
    // The window's text (WM_SETTEXT of the default window procedure keeps it here).
    std::string text;
    // Controls of a dialog template that no member object has taken over.
    std::vector<std::unique_ptr<CWnd>> ownedChildren;
};

namespace win::detail {

// One message being handled, for Default() and for the Qt handling of the
// event it came from.
struct DispatchFrame {
    CWnd* wnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // Runs the Qt handling of the event behind the message; null for sent messages.
    const std::function<void()>* qtDefault = nullptr;
    bool qtDefaultRan = false;
};

// Calls the window procedure with a frame for Default(); qtDefault may be null.
LRESULT Dispatch(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam,
                 const std::function<void()>* qtDefault = nullptr);

// Hands an exception that reached the boundary to the application object's hook.
void ReportHandlerException(std::exception_ptr error, HWND hwnd, UINT message);

// Sends a control notification (WM_COMMAND with the code) to the control's parent.
void NotifyParent(HWND control, UINT code);

// True on the user-interface thread (or before there is an application object).
bool OnUiThread();

// Depth of Qt event handling in our widgets; widgets are deleted later while it is above 0.
int& EventDepth();

// The paint event being handled, for CPaintDC.
struct PaintContext {
    QWidget* widget = nullptr;
    RECT rect;
};
PaintContext*& CurrentPaint();

} // namespace win::detail
