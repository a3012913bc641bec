#pragma once
// The standard tooltip control ("tooltips_class32"). Tools are rectangles of
// a window (the tool's id is the program's) or whole windows (TTF_IDISHWND,
// the id is the window's handle). The owner passes mouse messages in with
// RelayEvent (TTM_RELAYEVENT), or a tool with TTF_SUBCLASS has its window's
// mouse watched by the control. After the initial delay over a tool its tip
// shows near the pointer; a tool with LPSTR_TEXTCALLBACK text asks its window
// for the text with TTN_GETDISPINFO (TTN_NEEDTEXT) once each time the tip is
// shown. A click, leaving the tool, TTM_POP or the auto-pop delay hides it.
// The tip is a Qt tool-tip window with word wrap at the maximum tip width.
#include "platform/win/Wnd.h"

#include <string>

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;

constexpr UINT TTDT_AUTOMATIC = 0;
constexpr UINT TTDT_RESHOW = 1;
constexpr UINT TTDT_AUTOPOP = 2;
constexpr UINT TTDT_INITIAL = 3;

constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_UPDATE = WM_USER + 29;
constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
constexpr UINT TTM_POP = WM_USER + 28;

constexpr UINT TTN_GETDISPINFO = UINT(0u - 520u);
constexpr UINT TTN_NEEDTEXT = TTN_GETDISPINFO;

// The text of a tool asked of its window when the tip shows.
inline char* const LPSTR_TEXTCALLBACK = reinterpret_cast<char*>(std::intptr_t(-1));

struct TOOLINFO {
    UINT cbSize = sizeof(TOOLINFO);
    UINT uFlags = 0;
    HWND hwnd = nullptr;
    UINT_PTR uId = 0;
    RECT rect{};
    void* hinst = nullptr;
    char* lpszText = nullptr;
    LPARAM lParam = 0;
};

// TTN_GETDISPINFO: the window puts the text in szText or points lpszText at
// text that lives until the tip is shown.
struct NMTTDISPINFO {
    NMHDR hdr;
    char* lpszText = nullptr;
    char szText[80] = {};
    void* hinst = nullptr;
    UINT uFlags = 0;
    LPARAM lParam = 0;
};
using TOOLTIPTEXT = NMTTDISPINFO;

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl();
    ~CToolTipCtrl() override;

    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool: the window's rectangle (in its client coordinates) with the id,
    // or, without rectangle and id, the whole window. text may be LPSTR_TEXTCALLBACK.
    BOOL AddTool(CWnd* wnd, const char* text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    BOOL AddTool(const TOOLINFO& info);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR id, LPCRECT rect);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id = 0);
    int GetToolCount() const;
    // The tool whose tip is showing; FALSE when none is.
    BOOL GetCurrentTool(TOOLINFO* info) const;

    void RelayEvent(MSG* msg);
    void Activate(BOOL activate);
    void Pop();
    int SetMaxTipWidth(int width);
    int GetMaxTipWidth() const;
    // Delays in milliseconds; TTDT_AUTOMATIC sets all from the initial one (reshow 1/5, autopop 10 times).
    void SetDelayTime(UINT which, int ms);
    int GetDelayTime(UINT which) const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    struct State;

private:
    State* m_state;
};
