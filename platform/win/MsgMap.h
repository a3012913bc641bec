#pragma once
// Message maps: a static table per class that routes window messages,
// commands and notifications to typed member handlers, chained to the base
// class's table. A class declares DECLARE_MESSAGE_MAP() and defines its table
// between BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP().
//
// Each entry holds a small thunk, instantiated per handler, that unpacks the
// message parameters and calls the member; the handler's signature is checked
// at compile time by the static_cast in each macro. Handlers may be the
// class's own or inherited from a base class.
#include "platform/win/WinDefs.h"

class CCmdTarget;
class CWnd;
class CDC;
class CScrollBar;

namespace win {

// Calls the handler; returns false when the message should go on to the
// next handler (only the *_EX reflection entries do that).
using MessageThunk = bool (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct MessageMapEntry {
    UINT message; // WM_xxx (WM_COMMAND and WM_NOTIFY for commands and notifications)
    UINT code;    // control notification code
    UINT id;      // first control or command id
    UINT lastId;  // last id of a range
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

namespace detail {

CWnd* WndFromLParam(LPARAM l);
CWnd* WndFromHandle(HWND h);

template <class Call>
bool VoidNoArgs(CCmdTarget* t, WPARAM, LPARAM, LRESULT*)
{
    Call{}(t);
    return true;
}
template <class Call>
bool BoolNoArgs(CCmdTarget* t, WPARAM, LPARAM, LRESULT* r)
{
    const bool handled = Call{}(t);
    *r = handled;
    return handled;
}
template <class Call>
bool CommandRange(CCmdTarget* t, WPARAM w, LPARAM, LRESULT*)
{
    Call{}(t, UINT(LOWORD(w)));
    return true;
}
template <class Call>
bool Notify(CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r)
{
    Call{}(t, reinterpret_cast<NMHDR*>(l), r);
    return true;
}
template <class Call>
bool NotifyEx(CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r)
{
    return Call{}(t, reinterpret_cast<NMHDR*>(l), r);
}
template <class Call>
bool Message(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r)
{
    *r = Call{}(t, w, l);
    return true;
}
template <class Call>
bool Paint(CCmdTarget* t, WPARAM, LPARAM, LRESULT* r)
{
    Call{}(t);
    *r = 0;
    return true;
}
template <class Call>
bool Size(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*)
{
    Call{}(t, UINT(w), int(LOWORD(l)), int(HIWORD(l)));
    return true;
}
template <class Call>
bool Move(CCmdTarget* t, WPARAM, LPARAM l, LRESULT*)
{
    Call{}(t, int(GET_X_LPARAM(l)), int(GET_Y_LPARAM(l)));
    return true;
}
template <class Call>
bool Timer(CCmdTarget* t, WPARAM w, LPARAM, LRESULT*)
{
    Call{}(t, UINT_PTR(w));
    return true;
}
template <class Call>
bool Key(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*)
{
    Call{}(t, UINT(w), UINT(LOWORD(l)), UINT(HIWORD(l)));
    return true;
}
template <class Call>
bool SysCommand(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*)
{
    Call{}(t, UINT(w), l);
    return true;
}
template <class Call>
bool QueryDragIcon(CCmdTarget* t, WPARAM, LPARAM, LRESULT* r)
{
    *r = reinterpret_cast<LRESULT>(Call{}(t));
    return true;
}
template <class Call>
bool WindowPosChanged(CCmdTarget* t, WPARAM, LPARAM l, LRESULT*)
{
    Call{}(t, reinterpret_cast<WINDOWPOS*>(l));
    return true;
}
template <class Call>
bool Create(CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r)
{
    *r = Call{}(t, reinterpret_cast<LPCREATESTRUCT>(l));
    return true;
}
template <class Call>
bool HelpInfo(CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r)
{
    *r = Call{}(t, reinterpret_cast<HELPINFO*>(l));
    return true;
}
template <class Call>
bool MouseWheel(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r)
{
    *r = Call{}(t, UINT(LOWORD(w)), short(HIWORD(w)), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
    return true;
}
template <class Call>
bool Mouse(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*)
{
    Call{}(t, UINT(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
    return true;
}
template <class Call>
bool Scroll(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*)
{
    Call{}(t, UINT(LOWORD(w)), UINT(HIWORD(w)),
                     reinterpret_cast<CScrollBar*>(WndFromLParam(l)));
    return true;
}
template <class Call>
bool ShowWindow(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*)
{
    Call{}(t, BOOL(w), UINT(l));
    return true;
}
template <class Call>
bool DrawItem(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r)
{
    Call{}(t, int(w), reinterpret_cast<DRAWITEMSTRUCT*>(l));
    *r = TRUE;
    return true;
}
template <class Call>
bool DropFiles(CCmdTarget* t, WPARAM w, LPARAM, LRESULT*)
{
    Call{}(t, reinterpret_cast<HDROP>(w));
    return true;
}
template <class Call>
bool Focus(CCmdTarget* t, WPARAM w, LPARAM, LRESULT*)
{
    Call{}(t, WndFromHandle(reinterpret_cast<HWND>(w)));
    return true;
}

template <class Call>
bool SetCursor(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r)
{
    *r = Call{}(t, WndFromHandle(reinterpret_cast<HWND>(w)), UINT(LOWORD(l)), UINT(HIWORD(l)));
    return true;
}
template <class Call>
bool GetDlgCode(CCmdTarget* t, WPARAM, LPARAM, LRESULT* r)
{
    *r = LRESULT(Call{}(t));
    return true;
}
template <class Call>
bool CtlColorReflect(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r)
{
    *r = reinterpret_cast<LRESULT>(Call{}(t, reinterpret_cast<CDC*>(w), UINT(l)));
    return true;
}
template <class Call>
bool MeasureItem(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r)
{
    Call{}(t, int(w), reinterpret_cast<MEASUREITEMSTRUCT*>(l));
    *r = TRUE;
    return true;
}

} // namespace detail
} // namespace win

// Leaves the class in its protected section.
#define DECLARE_MESSAGE_MAP()                                           \
protected:                                                              \
    static const ::win::MessageMap* GetThisMessageMap();                \
    const ::win::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const ::win::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const ::win::MessageMap* theClass::GetThisMessageMap()                               \
    {                                                                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static const ::win::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                       \
        {0, 0, 0, 0, nullptr}};                                                 \
        static const ::win::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                            \
    }

// The handler is named through the class of the map, so a handler the class
// inherits from its base serves as well as its own; the static_cast picks
// the overload and checks the signature at compile time.
#define WIN_HANDLER(kind, sig, fn)                                                              \
    &::win::detail::kind<decltype([](::CCmdTarget* target, auto... args) {                      \
        return (static_cast<ThisClass*>(target)->*static_cast<sig>(&ThisClass::fn))(args...); \
    })>

// Commands and control notifications (WM_COMMAND)
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, UINT(id), UINT(id), WIN_HANDLER(VoidNoArgs, void (ThisClass::*)(), fn)},
#define ON_COMMAND_RANGE(first, last, fn) \
    {WM_COMMAND, 0, UINT(first), UINT(last), WIN_HANDLER(CommandRange, void (ThisClass::*)(UINT), fn)},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, UINT(code), UINT(id), UINT(id), WIN_HANDLER(VoidNoArgs, void (ThisClass::*)(), fn)},
#define ON_CONTROL_RANGE(code, first, last, fn) \
    {WM_COMMAND, UINT(code), UINT(first), UINT(last), WIN_HANDLER(CommandRange, void (ThisClass::*)(UINT), fn)},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)

// Notifications (WM_NOTIFY): void fn(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, fn) \
    {WM_NOTIFY, UINT(code), UINT(id), UINT(id), WIN_HANDLER(Notify, void (ThisClass::*)(NMHDR*, LRESULT*), fn)},

// Reflected to the control that sent them; the _EX forms return FALSE to let
// the parent handle the notification too.
#define ON_CONTROL_REFLECT(code, fn) \
    {WM_REFLECT_BASE + WM_COMMAND, UINT(code), 0, 0, WIN_HANDLER(VoidNoArgs, void (ThisClass::*)(), fn)},
#define ON_CONTROL_REFLECT_EX(code, fn) \
    {WM_REFLECT_BASE + WM_COMMAND, UINT(code), 0, 0, WIN_HANDLER(BoolNoArgs, BOOL (ThisClass::*)(), fn)},
#define ON_NOTIFY_REFLECT(code, fn) \
    {WM_REFLECT_BASE + WM_NOTIFY, UINT(code), 0, 0, WIN_HANDLER(Notify, void (ThisClass::*)(NMHDR*, LRESULT*), fn)},
#define ON_NOTIFY_REFLECT_EX(code, fn) \
    {WM_REFLECT_BASE + WM_NOTIFY, UINT(code), 0, 0, WIN_HANDLER(NotifyEx, BOOL (ThisClass::*)(NMHDR*, LRESULT*), fn)},

// Any message: LRESULT fn(WPARAM, LPARAM)
#define ON_MESSAGE(msg, fn) {UINT(msg), 0, 0, 0, WIN_HANDLER(Message, LRESULT (ThisClass::*)(WPARAM, LPARAM), fn)},

// Window messages with unpacked parameters
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, WIN_HANDLER(Create, int (ThisClass::*)(LPCREATESTRUCT), OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, WIN_HANDLER(VoidNoArgs, void (ThisClass::*)(), OnDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, WIN_HANDLER(VoidNoArgs, void (ThisClass::*)(), OnClose)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, WIN_HANDLER(Paint, void (ThisClass::*)(), OnPaint)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, WIN_HANDLER(Size, void (ThisClass::*)(UINT, int, int), OnSize)},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, WIN_HANDLER(Move, void (ThisClass::*)(int, int), OnMove)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, WIN_HANDLER(Timer, void (ThisClass::*)(UINT_PTR), OnTimer)},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, WIN_HANDLER(Key, void (ThisClass::*)(UINT, UINT, UINT), OnKeyDown)},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, WIN_HANDLER(Key, void (ThisClass::*)(UINT, UINT, UINT), OnKeyUp)},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, WIN_HANDLER(Key, void (ThisClass::*)(UINT, UINT, UINT), OnChar)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, WIN_HANDLER(SysCommand, void (ThisClass::*)(UINT, LPARAM), OnSysCommand)},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, WIN_HANDLER(QueryDragIcon, HCURSOR (ThisClass::*)(), OnQueryDragIcon)},
#define ON_WM_WINDOWPOSCHANGED()                          \
    {WM_WINDOWPOSCHANGED, 0, 0, 0,                        \
     WIN_HANDLER(WindowPosChanged, void (ThisClass::*)(WINDOWPOS*), OnWindowPosChanged)},
#define ON_WM_HELPINFO() {WM_HELP, 0, 0, 0, WIN_HANDLER(HelpInfo, BOOL (ThisClass::*)(HELPINFO*), OnHelpInfo)},
#define ON_WM_MOUSEWHEEL() \
    {WM_MOUSEWHEEL, 0, 0, 0, WIN_HANDLER(MouseWheel, BOOL (ThisClass::*)(UINT, short, CPoint), OnMouseWheel)},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, WIN_HANDLER(Mouse, void (ThisClass::*)(UINT, CPoint), OnMouseMove)},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, WIN_HANDLER(Mouse, void (ThisClass::*)(UINT, CPoint), OnLButtonDown)},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, WIN_HANDLER(Mouse, void (ThisClass::*)(UINT, CPoint), OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() \
    {WM_LBUTTONDBLCLK, 0, 0, 0, WIN_HANDLER(Mouse, void (ThisClass::*)(UINT, CPoint), OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() \
    {WM_RBUTTONDOWN, 0, 0, 0, WIN_HANDLER(Mouse, void (ThisClass::*)(UINT, CPoint), OnRButtonDown)},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, WIN_HANDLER(Mouse, void (ThisClass::*)(UINT, CPoint), OnRButtonUp)},
#define ON_WM_HSCROLL() \
    {WM_HSCROLL, 0, 0, 0, WIN_HANDLER(Scroll, void (ThisClass::*)(UINT, UINT, CScrollBar*), OnHScroll)},
#define ON_WM_VSCROLL() \
    {WM_VSCROLL, 0, 0, 0, WIN_HANDLER(Scroll, void (ThisClass::*)(UINT, UINT, CScrollBar*), OnVScroll)},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, 0, WIN_HANDLER(ShowWindow, void (ThisClass::*)(BOOL, UINT), OnShowWindow)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, WIN_HANDLER(Focus, void (ThisClass::*)(CWnd*), OnSetFocus)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, WIN_HANDLER(Focus, void (ThisClass::*)(CWnd*), OnKillFocus)},
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, 0, WIN_HANDLER(VoidNoArgs, void (ThisClass::*)(), OnMouseLeave)},
#define ON_WM_DRAWITEM() \
    {WM_DRAWITEM, 0, 0, 0, WIN_HANDLER(DrawItem, void (ThisClass::*)(int, DRAWITEMSTRUCT*), OnDrawItem)},
// Handlers call Default() for the standard handling.
#define ON_WM_SETCURSOR() \
    {WM_SETCURSOR, 0, 0, 0, WIN_HANDLER(SetCursor, BOOL (ThisClass::*)(CWnd*, UINT, UINT), OnSetCursor)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, WIN_HANDLER(GetDlgCode, UINT (ThisClass::*)(), OnGetDlgCode)},
#define ON_WM_MEASUREITEM() \
    {WM_MEASUREITEM, 0, 0, 0, WIN_HANDLER(MeasureItem, void (ThisClass::*)(int, MEASUREITEMSTRUCT*), OnMeasureItem)},
// The control answers the colour question its parent reflects (lParam of the reflected message: CTLCOLOR_...).
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, WIN_HANDLER(CtlColorReflect, HBRUSH (ThisClass::*)(CDC*, UINT), CtlColor)},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, 0, WIN_HANDLER(DropFiles, void (ThisClass::*)(HDROP), OnDropFiles)},
