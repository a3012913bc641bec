#pragma once
// Tab styles: stateless objects that tell a TabCtrl how to paint, how large
// its parts are and which tab lies under the mouse. TabCtrlStyle_base draws
// plain tabs in system colours; the VS2008 client family draws slanted tabs
// with gradients in four colour schemes, silver being the main window's.
#include "controls/TabCtrl.h"

// Forward every size to the control's defaults; a style overrides what differs.
class TabCtrlRecalcStub : public ITabCtrlRecalc {
    static ITabCtrlRecalc* fwd(ITabCtrlRecalc* b) { return b ? b : &TabCtrl::DefaultService(); }

public:
    int GetBorderWidth(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetBorderWidth(c, nullptr); }
    CRect GetCtrlAreaPadding(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetCtrlAreaPadding(c, nullptr); }
    CRect GetWndsAreaPadding(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetWndsAreaPadding(c, nullptr); }
    CRect GetTabHorzMargin(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetTabHorzMargin(c, nullptr); }
    CRect GetTabPadding(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetTabPadding(c, nullptr); }
    int GetTabImageTextGap(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetTabImageTextGap(c, nullptr); }
    int GetTabExtraWidth(TabCtrl* c, ITabCtrlRecalc* b, HTAB t) override { return fwd(b)->GetTabExtraWidth(c, nullptr, t); }
    int GetTabMinWidth(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetTabMinWidth(c, nullptr); }
    CRect GetButtonScrollLeftHorzMargin(TabCtrl* c, ITabCtrlRecalc* b) override
    {
        return fwd(b)->GetButtonScrollLeftHorzMargin(c, nullptr);
    }
    CRect GetButtonScrollRightHorzMargin(TabCtrl* c, ITabCtrlRecalc* b) override
    {
        return fwd(b)->GetButtonScrollRightHorzMargin(c, nullptr);
    }
    CRect GetButtonMenuHorzMargin(TabCtrl* c, ITabCtrlRecalc* b) override { return fwd(b)->GetButtonMenuHorzMargin(c, nullptr); }
    CRect GetButtonCloseHorzMargin(TabCtrl* c, ITabCtrlRecalc* b) override
    {
        return fwd(b)->GetButtonCloseHorzMargin(c, nullptr);
    }
};

class TabCtrlBehaviorStub : public ITabCtrlBehavior {
    static ITabCtrlBehavior* fwd(ITabCtrlBehavior* b) { return b ? b : &TabCtrl::DefaultService(); }

public:
    HTAB HitTest(TabCtrl* c, ITabCtrlBehavior* b, CPoint p) override { return fwd(b)->HitTest(c, nullptr, p); }
    bool SetCursor(TabCtrl* c, ITabCtrlBehavior* b) override { return fwd(b)->SetCursor(c, nullptr); }
};

class TabCtrlStyle_base : public ITabCtrlStyle, public TabCtrlDraw {
public:
    TabCtrlDraw* GetDrawManager() override { return this; }
    ITabCtrlRecalc* GetRecalcManager() override { return nullptr; }
    ITabCtrlBehavior* GetBehaviorManager() override { return nullptr; }
    ITabCtrlToolTip* GetToolTipManager() override { return nullptr; }

    virtual COLORREF GetBorderColor(TabCtrl* ctrl);
    virtual COLORREF GetTabBorderColor(TabCtrl* ctrl);
    virtual COLORREF GetCtrlAreaBackColor(TabCtrl* ctrl);
    virtual COLORREF GetWndsAreaBackColor(TabCtrl* ctrl);
    virtual COLORREF GetTabSelectedBackColor(TabCtrl* ctrl);
    virtual COLORREF GetTabTextColor(TabCtrl* ctrl, HTAB tab);
    virtual COLORREF GetButtonMarkerColor(TabCtrl* ctrl, bool hover, bool pushed);
    virtual COLORREF GetTabsJoinColor(TabCtrl* ctrl);
    virtual COLORREF GetEmptyWndsAreaBackColor(TabCtrl* ctrl);
    virtual void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip);
    virtual void DrawTabContent(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip);
    virtual void DrawTabImage(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip);
    virtual void DrawTabText(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip);
    virtual void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed);

    void DrawBorder(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawTab(TabCtrl* ctrl, CDC* dc, HTAB tab, CRgn* clip) override;
    void DrawButtonClose(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override;
    void DrawButtonMenu(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, bool partialView) override;
    void DrawButtonScrollLeft(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, bool scroll) override;
    void DrawButtonScrollRight(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, bool scroll) override;
    void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;

protected:
    // A button's frame and its image (1 pixel right and down when shifted).
    void DrawButton(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, int image, bool shifted = false);
};

class TabCtrlStyle_VS2008_client_base : public TabCtrlStyle_base, public TabCtrlRecalcStub, public TabCtrlBehaviorStub {
public:
    ITabCtrlRecalc* GetRecalcManager() override { return this; }
    ITabCtrlBehavior* GetBehaviorManager() override { return this; }

    virtual COLORREF GetTabOutlineColor(TabCtrl* ctrl, bool selected, bool disabled) = 0;
    virtual COLORREF GetTabInsideOutlineColor(TabCtrl* ctrl, bool selected, bool hover, bool disabled, bool leftSide) = 0;
    virtual COLORREF GetTabGradientLightColor(TabCtrl* ctrl, bool selected, bool hover, bool disabled) = 0;
    virtual COLORREF GetTabGradientDarkColor(TabCtrl* ctrl, bool selected, bool hover, bool disabled) = 0;

    bool IsStraightOrder(TabCtrl*) override { return false; }
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    void DrawTabContent(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;

    int GetBorderWidth(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    int GetTabExtraWidth(TabCtrl* ctrl, ITabCtrlRecalc* base, HTAB tab) override;
    int GetTabMinWidth(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    HTAB HitTest(TabCtrl* ctrl, ITabCtrlBehavior* base, CPoint point) override;

    // The height of the tabs area, the run of a tab's slanted side.
    int GetSlantHeight(TabCtrl* ctrl);
    // The eight outline points of a tab and the rectangle its gradient fills.
    void GetTabPolygon(TabCtrl* ctrl, HTAB tab, const CRect& rect, bool top, POINT pts[8], CRect* inner);
    bool HitTestTab(TabCtrl* ctrl, HTAB tab, CPoint point);
};

class TabCtrlStyle_VS2008_client_classic : public TabCtrlStyle_VS2008_client_base {
public:
    COLORREF GetTabOutlineColor(TabCtrl*, bool selected, bool disabled) override;
    COLORREF GetTabInsideOutlineColor(TabCtrl*, bool selected, bool hover, bool disabled, bool leftSide) override;
    COLORREF GetTabGradientLightColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
    COLORREF GetTabGradientDarkColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
};

class TabCtrlStyle_VS2008_client_blue : public TabCtrlStyle_VS2008_client_base {
public:
    COLORREF GetTabOutlineColor(TabCtrl*, bool selected, bool disabled) override;
    COLORREF GetTabInsideOutlineColor(TabCtrl*, bool selected, bool hover, bool disabled, bool leftSide) override;
    COLORREF GetTabGradientLightColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
    COLORREF GetTabGradientDarkColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
};

class TabCtrlStyle_VS2008_client_silver : public TabCtrlStyle_VS2008_client_base {
public:
    COLORREF GetTabOutlineColor(TabCtrl*, bool selected, bool disabled) override;
    COLORREF GetTabInsideOutlineColor(TabCtrl*, bool selected, bool hover, bool disabled, bool leftSide) override;
    COLORREF GetTabGradientLightColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
    COLORREF GetTabGradientDarkColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
    void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override;
};

class TabCtrlStyle_VS2008_client_olive : public TabCtrlStyle_VS2008_client_base {
public:
    COLORREF GetTabOutlineColor(TabCtrl*, bool selected, bool disabled) override;
    COLORREF GetTabInsideOutlineColor(TabCtrl*, bool selected, bool hover, bool disabled, bool leftSide) override;
    COLORREF GetTabGradientLightColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
    COLORREF GetTabGradientDarkColor(TabCtrl*, bool selected, bool hover, bool disabled) override;
    void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override;
};

// The frame of the silver and olive buttons: a warm fill in the frame colour.
void DrawWarmButtonFrame(CDC* dc, const CRect& rect, bool hover, bool pushed, COLORREF frame);
