#pragma once
// Windows of the program over Qt widgets.
//
// A CWnd owns one Qt widget (its client area; top-level windows also get a
// frame widget that carries the menu bar) and a window handle that names it
// for as long as it exists. Messages are real: SendMessage calls the window
// procedure at once, PostMessage queues through the Qt event loop, and the
// procedure routes each message through the class's message map before the
// default processing. Qt's input and paint events arrive as the usual window
// messages; key and mouse messages pass PreTranslateMessage of the target
// window and its parents first.
#include "platform/win/MsgMap.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class CMenu;
class CFont;
class CDataExchange;
class CRgn;

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // The wait cursor: begins nest, each end undoes one begin.
    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    static const win::MessageMap* GetThisMessageMap();
    virtual const win::MessageMap* GetMessageMap() const;

    // Calls the first entry of the map chain that matches; false when none did.
    bool DispatchMessageMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                            LRESULT* result);
};

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Places in the z-order for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndTopMost;
    static const CWnd wndBottom;
    static const CWnd wndNoTopMost;

    // The window a handle names, or null when the window no longer exists.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Creation and destruction
    virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();
    // Takes over an existing window (a dialog's control): its messages come here from now on.
    BOOL SubclassWindow(HWND hWnd);
    // Called when the object takes over its window (SubclassWindow, also on
    // creation before WM_CREATE): a control sets itself up here.
    virtual void PreSubclassWindow() {}
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    BOOL Attach(HWND hWnd) { return SubclassWindow(hWnd); }
    HWND Detach();

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled (for handlers that call their base).
    LRESULT Default();

    // Timers deliver WM_TIMER with their id on the user-interface thread.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* timerProc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Relations
    CWnd* GetParent() const;
    CWnd* GetOwner() const { return GetParent(); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    // Direct child windows in creation order.
    std::vector<CWnd*> GetChildren() const;

    // Text
    void SetWindowText(const std::string& text);
    void GetWindowText(std::string& text) const;
    std::string GetWindowText() const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int id, const std::string& text);
    int GetDlgItemText(int id, std::string& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // Place and size. Window rectangles are in screen coordinates (children:
    // in their parent's client coordinates for MoveWindow and SetWindowPos).
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    // The window's shape, in window coordinates: it draws and takes the mouse
    // only inside the region (the window keeps a copy; null gives the whole
    // rectangle back). Returns nonzero on success.
    int SetWindowRgn(const CRgn* region, BOOL redraw);
    // Copies the shape into the created region; ERROR when the window has none.
    int GetWindowRgn(CRgn* region) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    BOOL BringWindowToTop();
    BOOL SetForegroundWindow();

    // State
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const { return m_exStyle; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    // WS_EX_ACCEPTFILES takes effect at once (files dropped arrive as WM_DROPFILES).
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    // Painting. Invalidate and InvalidateRect may be called from any thread
    // (the repaint then happens on the user-interface thread).
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, void* region = nullptr, UINT flags = RDW_INVALIDATE);
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;

    // Focus
    CWnd* SetFocus();
    static CWnd* GetFocus();
    void GotoDlgCtrl(CWnd* control);

    // Menus and icons
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL revert);
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;

    // Data exchange between controls and members
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);

    // Lays the control bars (status bars) out along the bottom edge.
    void RepositionBars(UINT firstId, UINT lastId, UINT idLeftOver);

    // The Qt side: the client widget, and the outer widget of a top-level window.
    QWidget* widget() const;
    QWidget* frameWidget() const;
    // Whether a template control's widget suits this class when it subclasses
    // the control; when not, subclassing gives the window a widget of its own.
    virtual bool AcceptsWidget(const QWidget* widget) const;

    // Standard handlers; each does the default processing.
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnTimer(UINT_PTR id);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnDestroy();
    void OnClose();
    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnHelpInfo(HELPINFO* info);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnShowWindow(BOOL show, UINT status);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnMouseLeave();
    void OnDropFiles(HDROP drop);
    HCURSOR OnQueryDragIcon();

protected:
    static const win::MessageMap* GetThisMessageMap();
    const win::MessageMap* GetMessageMap() const override;

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A control's chance to handle a notification it sent (reflection).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called after the window is gone; a window that owns itself deletes itself here.
    virtual void PostNcDestroy() {}

    // Makes the widget for a window of this class created with Create.
    virtual QWidget* CreateWidget(QWidget* parent, DWORD style);

public:
    // Window-layer internals (the widget glue and the dialog builder use these).
    struct Impl;
    Impl* impl() const { return m_impl.get(); }
    // Registers a widget made elsewhere (a dialog template's control) as this window.
    void AttachNewWidget(QWidget* widget, QWidget* frame, UINT id, DWORD style, DWORD exStyle);
    // Sets the place and size without telling the window; it hears of them when shown.
    void PlaceQuietly(int x, int y, int width, int height);
    // A top-level window's frame is known once it is shown: the outer size set before is kept.
    void OnFrameShown();
    void SetStyleBits(DWORD style) { m_style = style; }

private:
    friend class CDialog;
    std::unique_ptr<Impl> m_impl;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
};

// The stand-in for the scroll bar a scroll message names (sliders send them too).
class CScrollBar : public CWnd {};

// Handle functions
BOOL IsWindow(HWND hWnd);
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// May be called from any thread; the message runs on the user-interface thread.
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

namespace win {

// Runs PreTranslateMessage of the message's window and of its parents up to
// its top-level window; true when one of them handled it.
bool WalkPreTranslateTree(MSG* msg);

// Runs posted messages and timers that are due, for tests and busy loops.
void PumpMessages(int forMs = 0);

// Number of windows alive (tests check that destruction frees them).
size_t LiveWindowCount();

} // namespace win
