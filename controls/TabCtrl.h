#pragma once
// An owner-drawn tab control that hosts child windows: every tab stands for
// one child window, shown in the windows area while its tab is selected.
// How it looks, how large its parts are, which tab lies under the mouse and
// its tooltip are asked of exchangeable managers that a style supplies;
// without a draw manager it paints nothing. Events go to a receiver, which
// may even destroy the control from a notification: the control then
// touches nothing of itself any more.
#include "controls/KeyboardHook.h"
#include "controls/TabDrawing.h"
#include "platform/win/Wnd.h"

#include <memory>
#include <string>
#include <vector>

class TabCtrl;
struct TabItem;
using HTAB = TabItem*; // a tab, valid until it is deleted

// The look: every drawing operation gets the control and the DC to paint into.
class TabCtrlDraw {
public:
    virtual ~TabCtrlDraw() = default;
    // True: unselected tabs are painted first to last; false: last to first.
    virtual bool IsStraightOrder(TabCtrl* /*ctrl*/) { return true; }
    virtual void DrawBegin(TabCtrl*, CDC*) {}
    virtual void DrawBorder(TabCtrl*, CDC*, const CRect& /*client*/) {}
    virtual void DrawCtrlAreaBack(TabCtrl*, CDC*, const CRect&) {}
    virtual void DrawTab(TabCtrl*, CDC*, HTAB, CRgn* /*clip*/) {}
    virtual void DrawButtonClose(TabCtrl*, CDC*, const CRect&, bool /*hover*/, bool /*pushed*/) {}
    virtual void DrawButtonMenu(TabCtrl*, CDC*, const CRect&, bool, bool, bool /*partialView*/) {}
    virtual void DrawButtonScrollLeft(TabCtrl*, CDC*, const CRect&, bool, bool, bool /*canScroll*/) {}
    virtual void DrawButtonScrollRight(TabCtrl*, CDC*, const CRect&, bool, bool, bool /*canScroll*/) {}
    virtual void DrawWndsAreaBack(TabCtrl*, CDC*, const CRect&) {}
    virtual void DrawEnd(TabCtrl*, CDC*) {}
};

// Sizes; base is the control's own default implementation (null when a stub
// forwards to it).
class ITabCtrlRecalc {
public:
    virtual ~ITabCtrlRecalc() = default;
    virtual int GetBorderWidth(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetTabHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual int GetTabImageTextGap(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual int GetTabExtraWidth(TabCtrl* ctrl, ITabCtrlRecalc* base, HTAB tab) = 0;
    virtual int GetTabMinWidth(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetButtonScrollLeftHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetButtonScrollRightHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetButtonMenuHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
    virtual CRect GetButtonCloseHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
};

class ITabCtrlBehavior {
public:
    virtual ~ITabCtrlBehavior() = default;
    virtual HTAB HitTest(TabCtrl* ctrl, ITabCtrlBehavior* base, CPoint point) = 0;
    virtual bool SetCursor(TabCtrl* ctrl, ITabCtrlBehavior* base) = 0;
};

// The tooltip of the control: it shows the text the control answers for the
// item under the mouse.
class TabToolTip {
public:
    explicit TabToolTip(CWnd* owner) : m_owner(owner) {}
    // Hides a tip being shown and shows the text from now on (empty: none).
    void SetText(const std::string& text);
    // The area the tip serves (the control area).
    void SetToolRect(const CRect& rect) { m_rect = rect; }
    const std::string& GetText() const { return m_text; }
    const CRect& GetToolRect() const { return m_rect; }

private:
    CWnd* m_owner;
    std::string m_text;
    CRect m_rect;
};

class ITabCtrlToolTip {
public:
    virtual ~ITabCtrlToolTip() = default;
    // A tooltip owned by the manager, or null.
    virtual TabToolTip* CreateToolTip(TabCtrl* ctrl, ITabCtrlToolTip* base) = 0;
};

class TabCtrlUserAbility {
public:
    virtual ~TabCtrlUserAbility() = default;
    virtual bool CanShowButtonClose(TabCtrl*) = 0;
    virtual bool CanShowButtonMenu(TabCtrl*) = 0;
    virtual bool CanShowButtonScroll(TabCtrl*) = 0;
};

// Events of the control; points are in screen coordinates.
class TabCtrlNotify {
public:
    virtual ~TabCtrlNotify() = default;
    virtual void OnTabAdding(TabCtrl*, HWND, const std::string& /*text*/, int /*image*/) {}
    virtual void OnTabAdded(TabCtrl*, HTAB) {}
    virtual void OnTabRemoving(TabCtrl*, HTAB) {}
    virtual void OnButtonCloseClicked(TabCtrl*, const CRect&, CPoint) {}
    virtual void OnButtonMenuClicked(TabCtrl*, const CRect&, CPoint) {}
    virtual void OnTabSelected(TabCtrl*, HTAB) {}
    virtual void OnTabPressed(TabCtrl*, HTAB, CPoint) {}
    virtual void OnTabDoubleClicked(TabCtrl*, HTAB, CPoint) {}
    virtual void OnTabRightPressed(TabCtrl*, HTAB, CPoint) {}
    virtual void OnTabRightReleased(TabCtrl*, HTAB, CPoint) {}
    virtual void OnDragBegin(TabCtrl*, HTAB, CPoint) {}
    virtual void OnDragMove(TabCtrl*, HTAB, CPoint, bool /*outside*/) {}
    virtual void OnDragEnd(TabCtrl*, HTAB, bool /*cancelled*/) {}
};

class ITabCtrlStyle {
public:
    virtual ~ITabCtrlStyle() = default;
    virtual TabCtrlDraw* GetDrawManager() = 0;
    virtual ITabCtrlRecalc* GetRecalcManager() = 0;
    virtual ITabCtrlBehavior* GetBehaviorManager() = 0;
    virtual ITabCtrlToolTip* GetToolTipManager() = 0;
};

class TabCtrl : public CWnd, public TabCtrlUserAbility, public ActivityHook::INotify, public KeyboardHook::Notify {
public:
    using HTAB = ::HTAB;
    enum Layout { LayoutTop = 0, LayoutBottom = 1 };
    enum Behavior { BehaviorScale = 0, BehaviorScroll = 1 };
    // Buttons share the item slots with tabs.
    static constexpr uintptr_t kButtonClose = 1, kButtonMenu = 2, kButtonScrollLeft = 3, kButtonScrollRight = 4;

    // The control's defaults behind every manager.
    class Service : public ITabCtrlRecalc, public ITabCtrlBehavior, public ITabCtrlToolTip {
    public:
        int GetBorderWidth(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetTabHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        int GetTabImageTextGap(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        int GetTabExtraWidth(TabCtrl* ctrl, ITabCtrlRecalc* base, HTAB tab) override;
        int GetTabMinWidth(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetButtonScrollLeftHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetButtonScrollRightHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetButtonMenuHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        CRect GetButtonCloseHorzMargin(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
        HTAB HitTest(TabCtrl* ctrl, ITabCtrlBehavior* base, CPoint point) override;
        bool SetCursor(TabCtrl* ctrl, ITabCtrlBehavior* base) override;
        TabToolTip* CreateToolTip(TabCtrl* ctrl, ITabCtrlToolTip* base) override;

    private:
        std::unique_ptr<TabToolTip> m_toolTip;
    };

    TabCtrl();
    ~TabCtrl() override;
    // The defaults for a manager that is called without a base.
    static Service& DefaultService();

    bool Create(CWnd* parent, DWORD style, const RECT& rect, UINT id);
    using CWnd::Create;

    HTAB AddTab(HWND wnd, const char* text, int image);
    HTAB InsertTab(HTAB before, HWND wnd, const char* text, int image);
    void DeleteTab(HTAB tab);
    void DeleteAllTabs();
    void MoveTabBefore(HTAB anchor, HTAB moved);
    void MoveTabAfter(HTAB anchor, HTAB moved);

    void SetDrawManager(TabCtrlDraw* mgr) { m_draw = mgr; }
    void SetRecalcManager(ITabCtrlRecalc* mgr) { m_recalc = mgr ? mgr : &m_service; }
    void SetBehaviorManager(ITabCtrlBehavior* mgr) { m_behavior = mgr ? mgr : &m_service; }
    void SetToolTipManager(ITabCtrlToolTip* mgr) { m_toolTipMgr = mgr ? mgr : &m_service; }
    void InstallStyle(ITabCtrlStyle* style);
    void SetNotifyManager(TabCtrlNotify* receiver) { m_notify = receiver; }
    TabCtrlDraw* GetDrawManager() const { return m_draw; }

    void SetBehavior(int behavior) { m_behaviorKind = behavior; }
    int GetBehavior() const { return m_behaviorKind; }
    void EnableDragging(bool enable) { m_dragEnabled = enable; }
    bool IsDraggingEnabled() const { return m_dragEnabled; }
    // Lays the control out; with redraw also repaints it.
    void Update(bool redraw = true);
    void SelectTab(HTAB tab);

    void SetTabText(HTAB tab, const char* text);
    std::string GetTabText(HTAB tab) const;
    void SetTabTooltipText(HTAB tab, const char* text);
    void DisableTab(HTAB tab, bool disable);
    int GetTabImage(HTAB tab) const;
    HWND GetTabWnd(HTAB tab) const;
    bool IsTabDisabled(HTAB tab) const;
    CRect GetTabRect(HTAB tab) const;

    int GetCount() const { return int(m_tabs.size()); }
    HTAB GetTab(int index) const;
    int GetTabIndex(HTAB tab) const;
    bool IsTabExist(HTAB tab) const { return GetTabIndex(tab) >= 0; }
    HTAB GetFirstEnabledTab() const;
    HTAB GetNextEnabledTab(HTAB tab) const;
    HTAB GetPrevEnabledTab(HTAB tab) const;
    HTAB GetSelectedTab() const { return m_selected; }
    HTAB GetHoverTab() const { return isButton(m_hot) ? nullptr : m_hot; }
    HTAB GetPushedTab() const { return isButton(m_pushed) ? nullptr : m_pushed; }
    HTAB HitTest(CPoint point);
    bool IsTabVisible(HTAB tab, bool* partially = nullptr) const;
    int CompareTabsOrder(HTAB a, HTAB b) const;

    CRect GetTabsArea() const { return m_tabsArea; }
    CRect GetCtrlArea() const { return m_ctrlArea; }
    CRect GetWindowsArea() const { return m_wndsArea; }
    CRect GetButtonRect(uintptr_t button) const;
    int GetScrollPos() const { return m_scrollPos; }
    void SetScrollPos(int pos) { m_scrollPos = pos; }
    int GetScrollRange() const { return m_scrollRange; }
    bool IsScrollingNeeded() const { return m_scrollNeeded; }
    bool CanScrollLeft() const { return m_canScrollLeft; }
    bool CanScrollRight() const { return m_canScrollRight; }
    bool IsDragging() const { return m_dragging; }
    // The hot and pushed items as item values (tab address or button id).
    uintptr_t GetHotItem() const { return reinterpret_cast<uintptr_t>(m_hot); }
    uintptr_t GetPushedItem() const { return reinterpret_cast<uintptr_t>(m_pushed); }

    int GetLayout() const { return m_layout; }
    void SetLayout(int layout) { m_layout = layout; }
    bool IsHideSingleTab() const { return m_hideSingleTab; }
    void HideSingleTab(bool hide) { m_hideSingleTab = hide; }
    bool IsWatchingActivity() const { return m_watchActivity; }
    bool IsActive() const { return m_active; }
    bool IsEqualTabsSize() const { return m_equalTabs; }
    void EqualTabsSize(bool equal) { m_equalTabs = equal; }

    bool SetFontNormal(CFont* font);
    bool SetFontSelected(CFont* font);
    CFont* GetFontNormal() { return &m_fontNormal; }
    CFont* GetFontSelected() { return &m_fontSelected; }
    // Image lists are not owned; nothing in the program sets them.
    void SetImageLists(TabImageList* normal, TabImageList* disabled);
    void SetButtonImageList(TabImageList* buttons) { m_buttonImages = buttons; }
    void GetImageLists(TabImageList** normal, TabImageList** disabled) const;
    void GetImageSizes(CSize* normal, CSize* disabled) const;
    TabImageList* GetButtonImageList() const { return m_buttonImages; }
    CSize GetButtonImageSize() const;
    HCURSOR GetCursor() const { return m_cursor; }

    // The recalc values through the installed manager.
    int GetBorderWidth();
    CRect GetCtrlAreaPadding();
    CRect GetWndsAreaPadding();
    CRect GetTabHorzMargin();
    CRect GetTabPadding();
    int GetTabImageTextGap();
    int GetTabExtraWidth(HTAB tab);
    int GetTabMinWidth();

    // The answer to the tooltip's text request for the item under the mouse.
    std::string GetToolTipText();
    TabToolTip* GetToolTip() const { return m_toolTip; }
    // The strip height for the current fonts, images and paddings.
    int CalcCtrlAreaHeight();

    // TabCtrlUserAbility: everything may be shown.
    bool CanShowButtonClose(TabCtrl*) override { return true; }
    bool CanShowButtonMenu(TabCtrl*) override { return true; }
    bool CanShowButtonScroll(TabCtrl*) override { return true; }
    void OnActivityChanged(bool active, HWND wnd) override;
    void OnKeyDown(UINT key, UINT flags) override;
    using CWnd::OnKeyDown;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    LRESULT OnMButtonDown(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnSetCursorMsg(WPARAM, LPARAM);
    void OnTimer(UINT_PTR id);
    void OnSetFocus(CWnd* old);
    void OnDestroy();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Starts or stops the control's timers (tests watch them here).
    virtual void StartTimer(UINT_PTR id, UINT ms) { SetTimer(id, ms); }
    virtual void StopTimer(UINT_PTR id) { KillTimer(id); }

private:
    static bool isButton(HTAB item) { return reinterpret_cast<uintptr_t>(item) >= 1 && reinterpret_cast<uintptr_t>(item) <= 4; }
    static HTAB button(uintptr_t id) { return reinterpret_cast<HTAB>(id); }
    void Recalc(bool redraw);
    void PlaceSelectedWindow(bool redraw);
    void CalcTabWidths();
    TabImageList* imagesFor(HTAB tab) const;
    void UpdateHover(CPoint point);
    void Press(CPoint point);
    void FocusShownWindow();
    void StopPressing();
    void EndDragging(bool cancelled);
    void ScrollStep(bool left);
    CPoint ToScreen(CPoint p) const;
    void TakeCapture();
    void LetCaptureGo();

    std::vector<std::unique_ptr<TabItem>> m_tabs;
    HTAB m_selected = nullptr;
    HTAB m_hot = nullptr;
    HTAB m_pushed = nullptr;

    int m_scrollPos = 0;
    int m_scrollRange = 0;
    bool m_scrollNeeded = false, m_canScrollLeft = false, m_canScrollRight = false;

    bool m_dragging = false;
    CPoint m_pressPoint;
    std::vector<HTAB> m_savedOrder;
    bool m_hasCapture = false;

    CRect m_ctrlArea, m_tabsArea, m_wndsArea;
    CRect m_btnClose, m_btnMenu, m_btnScrollLeft, m_btnScrollRight;

    Service m_service;
    TabCtrlDraw* m_draw = nullptr;
    CBitmap m_paintSurface; // the paint buffer, kept while the size stays
    ITabCtrlRecalc* m_recalc = &m_service;
    ITabCtrlBehavior* m_behavior = &m_service;
    ITabCtrlToolTip* m_toolTipMgr = &m_service;
    TabCtrlUserAbility* m_ability = this;
    TabCtrlNotify* m_notify = nullptr;

    TabToolTip* m_toolTip = nullptr;
    std::string m_buttonTips[4];

    CFont m_fontNormal, m_fontSelected;
    TabImageList* m_images = nullptr;
    TabImageList* m_disabledImages = nullptr;
    TabImageList* m_buttonImages = nullptr;
    HCURSOR m_cursor = nullptr;

    int m_layout = LayoutTop;
    int m_behaviorKind = BehaviorScale;
    bool m_border = true, m_equalTabs = false, m_dragEnabled = false, m_hideSingleTab = false;
    bool m_showClose = true, m_showMenu = true, m_showScroll = true, m_toolTips = true;
    int m_scrollStep = 15;
    bool m_watchActivity = false, m_active = false;

    // Cleared when the control dies (window destroyed or object deleted), so
    // code that called a receiver can tell whether it may touch the control.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

struct TabItem {
    HWND wnd = nullptr;
    int image = -1;
    std::string text;
    std::string tooltipText;
    bool disabled = false;
    CRect rect;
    int width = 0;
};
