#pragma once
// The tooltip of the program's dialogs: a borderless popup shown next to the
// pointer once it rests over a registered control, drawing its text in the
// markup of the HTML drawer on a balloon whose arrow points at the pointer,
// with a soft shadow on what lies beneath.
//
// A dialog creates it in its initialisation (Create with the balloon shape,
// SetShadow, one AddTool per control) and feeds it every message from its
// PreTranslateMessage (RelayEvent) while tooltips are on. The tooltip never
// eats a message and never talks to its owner.
#include "controls/PPHtmlDrawer.h"
#include "platform/win/Region.h"
#include "platform/win/Wnd.h"

#include <map>
#include <string>
#include <vector>

struct TooltipToolInfo {
    UINT id = 0;
    RECT rect{}; // empty: the whole window
    std::string text;
};

class CPPToolTip : public CWnd {
public:
    // Timers
    static constexpr UINT_PTR kTimerShow = 256;
    static constexpr UINT_PTR kTimerHide = 257;
    static constexpr UINT_PTR kTimerFadeIn = 258;
    static constexpr UINT_PTR kTimerFadeOut = 259;
    static constexpr UINT_PTR kTimerAnimation = 260;
    // States
    enum { STATE_HIDDEN = 0, STATE_APPEARING, STATE_SHOWN, STATE_DISAPPEARING };
    // Directions: a side plus an alignment along it.
    enum { SIDE_BELOW = 0, SIDE_ABOVE = 16, SIDE_RIGHT = 32, SIDE_LEFT = 48 };
    enum { ALIGN_START = 0, ALIGN_END = 1, ALIGN_CENTER = 2 };

    CPPToolTip();
    ~CPPToolTip() override;

    BOOL Create(CWnd* parent, BOOL balloon = TRUE);
    // A second tool with an equal rectangle (or none) replaces the first.
    void AddTool(CWnd* wnd, const std::string& text, LPCRECT rect = nullptr, UINT id = 0);
    // Without a rectangle every tool of the window goes.
    void RemoveTool(CWnd* wnd, LPCRECT rect = nullptr);
    CPPToolTip& SetShadow(int offsetX, int offsetY, int darkness = 50, BOOL blurred = TRUE, int depthX = 7,
                          int depthY = 7);
    // The owner's message before it is dispatched; FALSE always.
    BOOL RelayEvent(MSG* msg);
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL DestroyWindow() override;
    virtual void FrameRegion(CDC* dc, CRgn* region);
    void HideTip();

    CPPHtmlDrawer& GetDrawer() { return m_drawer; }

    // What a caller or test can observe.
    int GetState() const { return m_state; }
    int GetDirection() const { return m_direction; }
    int GetTransparency() const { return m_transparency; }
    // The window as placed, without the shadow (screen coordinates).
    CRect GetTipRect() const;
    CPoint GetArrowPoint() const { return m_arrow; }
    const CRect& GetTextRect() const { return m_rcText; }
    const CRect& GetBoundsRect() const { return m_rcBounds; }
    // The balloon's shape (window coordinates), without the shadow.
    const CRgn& GetTipRegion() const { return m_tipRegion; }
    const TooltipToolInfo* GetCurrentTool() const { return m_currentWnd ? &m_currentTool : nullptr; }
    // The tools of a window, or null.
    const std::vector<TooltipToolInfo>* GetTools(CWnd* wnd) const;

    // The placement and shape of a balloon of the given size at a pointer
    // position, against the screen; used by PrepareTip.
    struct Placement {
        int direction = SIDE_ABOVE;
        CPoint arrow;
        CSize size;
    };
    Placement PlaceTip(POINT pointer, CSize bounds, int direction) const;
    void MakeTipRegion(CRgn& region, int direction, POINT arrow, int width, int height) const;

    static constexpr UINT kInitialDelay = 500;
    static constexpr UINT kAutopopDelay = 5000;
    static constexpr UINT kAnimationPeriod = 100;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    void OnTimer(UINT_PTR id);
    LRESULT OnSetCursorMsg(WPARAM, LPARAM);
    LRESULT OnActivateApp(WPARAM, LPARAM);
    LRESULT OnHotLinkChanged(WPARAM, LPARAM);

private:
    bool FindTool(CPoint client, HWND* wnd, TooltipToolInfo* tool) const;
    void SetNewTool(HWND wnd, const TooltipToolInfo& tool, bool withDelay);
    void Pop();
    void ShowStep();
    void HideStep();
    void StartWaitingTool(bool withDelay);
    void PrepareTip(POINT pointer);
    void DrawTip(CDC* dc, int transparency);
    void ShowShown();

    CPPHtmlDrawer m_drawer;
    HWND m_parent = nullptr;
    bool m_hyperlinkRepaint = true;
    CPoint m_lastPos{-32768, -32768};
    int m_state = STATE_HIDDEN;
    HWND m_currentWnd = nullptr;
    TooltipToolInfo m_currentTool;
    HWND m_waitingWnd = nullptr;
    TooltipToolInfo m_waitingTool;
    bool m_pending = false;
    bool m_delayed = false;
    int m_transparency = 0;
    int m_direction = SIDE_ABOVE;
    int m_tipDirection = SIDE_ABOVE;
    CRect m_rcText, m_rcBounds, m_rcWindow;
    CPoint m_arrow;
    CPoint m_windowPos;
    CBitmap m_background, m_backdrop;
    bool m_backdropTaken = false;
    CRgn m_tipRegion;
    CBrush m_borderBrush;
    int m_borderWidth = 1, m_borderHeight = 1;
    int m_shadowDx = 6, m_shadowDy = 6, m_shadowDarkness = 50;
    bool m_shadowBlurred = true;
    int m_shadowDepthX = 7, m_shadowDepthY = 7;
    std::map<HWND, std::vector<TooltipToolInfo>> m_tools;

    // Settings fixed at construction and by Create.
    UINT m_fadeInPeriod = 0, m_fadeOutPeriod = 0;
    COLORREF m_colorBegin = 0, m_colorMid = 0, m_colorEnd = 0;
    int m_effect = 0;
    BYTE m_granularity = 0;
    int m_tipTransparency = 0;
    int m_ellipseW = 16, m_ellipseH = 16;
    int m_marginX = 12, m_marginY = 12;
    int m_arrowBase = 12, m_arrowHeight = 16, m_arrowOffset = 16;
};
