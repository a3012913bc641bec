#pragma once
// The glue between Qt widgets and windows (internal to the window layer).
//
// Every widget that is a window derives from WidgetLink, which holds its
// handle. Widget<Base> wraps any Qt widget class so that its events run
// through the window procedure of the window that owns it; the Qt handling
// of the event is the window's default processing.
#include "platform/win/Wnd.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QWidget>
#include <functional>
#include <string>
#include <type_traits>

namespace win::detail {

class WidgetLink {
public:
    virtual ~WidgetLink() = default;
    HWND hwnd = nullptr;
    // The outer widget of a top-level window forwards window-state events.
    bool isFrame = false;
};

// The handle of the nearest window that contains the widget (itself included).
HWND HandleOfWidget(const QWidget* widget);

// Routes a Qt event of a window's widget through its window procedure.
// baseEvent runs Qt's own handling; returns what event() should return.
bool RouteEvent(QWidget* widget, HWND hwnd, bool isFrame, QEvent* event,
                const std::function<bool(QEvent*)>& baseEvent);

// Routes an event of a scroll area's viewport (mouse, wheel, paint, drag and
// drop) through the window procedure of the scroll area's window.
bool RouteViewportEvent(QWidget* viewport, HWND hwnd, QEvent* event, const std::function<bool(QEvent*)>& baseEvent);

template <class Base, bool ScrollArea = std::is_base_of_v<QAbstractScrollArea, Base>>
class Widget : public Base, public WidgetLink {
public:
    using Base::Base;

protected:
    bool event(QEvent* e) override
    {
        return RouteEvent(this, hwnd, isFrame, e, [this](QEvent* ev) { return Base::event(ev); });
    }
};

// A scroll area (multi-line edit, list, table, text view): Qt delivers its
// mouse, wheel, paint and drag events to its viewport, which are the window's too.
template <class Base>
class Widget<Base, true> : public Base, public WidgetLink {
public:
    using Base::Base;

protected:
    bool event(QEvent* e) override
    {
        return RouteEvent(this, hwnd, isFrame, e, [this](QEvent* ev) { return Base::event(ev); });
    }
    bool viewportEvent(QEvent* e) override
    {
        return RouteViewportEvent(this->viewport(), hwnd, e, [this](QEvent* ev) { return Base::viewportEvent(ev); });
    }
};

// The one boundary between Qt and the window procedures: runs work that Qt
// called (an event, a signal, a timer, a posted message) and hands anything a
// handler throws to the application object's OnHandlerException, so Qt never
// sees the exception and the program goes on. hwnd and message name the
// dispatch when the throw came from outside any window procedure.
void Guarded(HWND hwnd, UINT message, const std::function<void()>& work);

// Asks the window under the pointer for its cursor (WM_SETCURSOR) before a
// mouse message; its default asks the parents and then shows the window's
// own cursor again. Not while a window holds the capture.
void AskCursor(QWidget* widget, HWND hwnd, UINT mouseMessage);

// Asks the control's parent for the colours of a paint (WM_CTLCOLORBTN, ...;
// the parent's default reflects it to the control) and puts an answered
// brush and text colour into the widget's palette.
void AskControlColors(CWnd* control, UINT message);

// Sends a control notification (WM_COMMAND with the code) from the window of
// a control's widget to its parent.
void NotifyParentOf(const QWidget* control, UINT code);

// Tab stops take the focus by Tab and click, other controls as given.
void ApplyFocusPolicy(QWidget* widget, DWORD style, Qt::FocusPolicy untabbed);

// "&File" shows as "File" (the letter is the mnemonic); "&&" is one ampersand.
QString StripMnemonic(const QString& text);

// Answers WM_GETTEXT: copies at most size - 1 bytes and a terminating zero.
LRESULT CopyTextOut(const std::string& text, WPARAM size, LPARAM buffer);

// Makes sure the application-wide pre-translation filter is installed.
void EnsureEventFilter();

// Delivers at once the resize and move events Qt holds back for hidden widgets.
void FlushGeometry(QWidget* widget);

// Creates the outer widget of a top-level window around its client widget.
QWidget* MakeFrame(QWidget* ownerFrame, QWidget* client, DWORD style, DWORD exStyle);

} // namespace win::detail
