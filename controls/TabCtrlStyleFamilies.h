#pragma once
// The other tab style families: the flat VS2003 look, the VS2008 bars with
// straight gradient tabs, and the dark-blue VS2010 look. Each differs from
// TabCtrlStyle_base in the operations it overrides here.
#include "controls/TabCtrlStyle.h"

// --- VS2003

class TabCtrlStyle_VS2003_base : public TabCtrlStyle_base, public TabCtrlRecalcStub {
public:
    ITabCtrlRecalc* GetRecalcManager() override { return this; }
    COLORREF GetCtrlAreaBackColor(TabCtrl* ctrl) override;
    COLORREF GetTabTextColor(TabCtrl* ctrl, HTAB tab) override;
    COLORREF GetButtonMarkerColor(TabCtrl* ctrl, bool hover, bool pushed) override;
    void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override;
    void DrawButtonClose(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override;
    void DrawButtonMenu(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, bool partialView) override;
    void DrawButtonScrollLeft(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, bool scroll) override;
    void DrawButtonScrollRight(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, bool scroll) override;

protected:
    // The custom1 styles draw their button images in place.
    virtual bool ShiftsPushedImage() const { return true; }
};

class TabCtrlStyle_VS2003_client : public TabCtrlStyle_VS2003_base {
public:
    COLORREF GetTabBorderColor(TabCtrl* ctrl) override;
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
};

class TabCtrlStyle_VS2003_client_custom1 : public TabCtrlStyle_VS2003_client {
public:
    void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override
    {
        TabCtrlStyle_base::DrawButtonFrame(ctrl, dc, rect, hover, pushed);
    }

protected:
    bool ShiftsPushedImage() const override { return false; }
};

class TabCtrlStyle_VS2003_bars : public TabCtrlStyle_VS2003_base {
public:
    COLORREF GetTabBorderColor(TabCtrl* ctrl) override;
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    int GetBorderWidth(TabCtrl*, ITabCtrlRecalc*) override { return 0; }
    CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
};

class TabCtrlStyle_VS2003_bars_custom1 : public TabCtrlStyle_VS2003_bars {
public:
    COLORREF GetTabBorderColor(TabCtrl* ctrl) override;
    void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override
    {
        TabCtrlStyle_base::DrawButtonFrame(ctrl, dc, rect, hover, pushed);
    }
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;

protected:
    bool ShiftsPushedImage() const override { return false; }
};

// --- VS2008 bars

class TabCtrlStyle_VS2008_bars_base : public TabCtrlStyle_base, public TabCtrlRecalcStub {
public:
    ITabCtrlRecalc* GetRecalcManager() override { return this; }
    virtual COLORREF GetTabOutlineColor(TabCtrl* ctrl, bool hot) = 0;
    virtual COLORREF GetTabGradientLightColor(TabCtrl* ctrl, bool hover, bool disabled) = 0;
    virtual COLORREF GetTabGradientDarkColor(TabCtrl* ctrl, bool hover, bool disabled) = 0;

    COLORREF GetTabTextColor(TabCtrl* ctrl, HTAB tab) override;
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    void DrawTabContent(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    int GetBorderWidth(TabCtrl*, ITabCtrlRecalc*) override { return 0; }
    CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;

protected:
    // The row of the strip's line, counted from the windows area side.
    virtual int StripLineOffset() const { return 2; }
};

class TabCtrlStyle_VS2008_bars_custom1_base : public TabCtrlStyle_VS2008_bars_base {
public:
    void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    CRect GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;

protected:
    int StripLineOffset() const override { return 0; }
};

#define MIRTAL_VS2008_BARS(Name, Base, OwnFrame)                                                         \
    class Name : public Base {                                                                          \
    public:                                                                                             \
        COLORREF GetTabOutlineColor(TabCtrl* ctrl, bool hot) override;                                  \
        COLORREF GetTabGradientLightColor(TabCtrl* ctrl, bool hover, bool disabled) override;           \
        COLORREF GetTabGradientDarkColor(TabCtrl* ctrl, bool hover, bool disabled) override;            \
        void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override; \
    };
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_classic, TabCtrlStyle_VS2008_bars_base, false)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_blue, TabCtrlStyle_VS2008_bars_base, false)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_silver, TabCtrlStyle_VS2008_bars_base, true)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_olive, TabCtrlStyle_VS2008_bars_base, true)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_classic_custom1, TabCtrlStyle_VS2008_bars_custom1_base, false)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_blue_custom1, TabCtrlStyle_VS2008_bars_custom1_base, false)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_silver_custom1, TabCtrlStyle_VS2008_bars_custom1_base, true)
MIRTAL_VS2008_BARS(TabCtrlStyle_VS2008_bars_olive_custom1, TabCtrlStyle_VS2008_bars_custom1_base, true)
#undef MIRTAL_VS2008_BARS

// --- VS2010

class TabCtrlStyle_VS2010_common : public TabCtrlStyle_base, public TabCtrlRecalcStub {
public:
    ITabCtrlRecalc* GetRecalcManager() override { return this; }
    COLORREF GetCtrlAreaBackColor(TabCtrl* ctrl) override;
    COLORREF GetEmptyWndsAreaBackColor(TabCtrl* ctrl) override;
    COLORREF GetTabTextColor(TabCtrl* ctrl, HTAB tab) override;
    COLORREF GetButtonMarkerColor(TabCtrl* ctrl, bool hover, bool pushed) override;
    void DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) override;
    void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    int GetBorderWidth(TabCtrl*, ITabCtrlRecalc*) override { return 0; }
    CRect GetCtrlAreaPadding(TabCtrl*, ITabCtrlRecalc*) override { return CRect(0, 0, 3, 0); }
};

class TabCtrlStyle_VS2010_client : public TabCtrlStyle_VS2010_common {
public:
    virtual void DrawWndsAreaEdges(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool top, bool active);
    virtual void DrawTabBackEx(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool top, bool active, bool selected,
                               bool hover);
    void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect) override;
    CRect GetWndsAreaPadding(TabCtrl*, ITabCtrlRecalc*) override { return CRect(0, 4, 0, 4); }
    CRect GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc* base) override;

protected:
    // Whether the look is the active one (custom1 always, custom2 never).
    virtual bool LooksActive(TabCtrl* ctrl) { return ctrl->IsActive(); }
};

class TabCtrlStyle_VS2010_client_custom1 : public TabCtrlStyle_VS2010_client {
protected:
    bool LooksActive(TabCtrl*) override { return true; }
};

class TabCtrlStyle_VS2010_client_custom2 : public TabCtrlStyle_VS2010_client {
protected:
    bool LooksActive(TabCtrl*) override { return false; }
};

class TabCtrlStyle_VS2010_bars : public TabCtrlStyle_VS2010_common {
public:
    void DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip) override;
    CRect GetTabPadding(TabCtrl*, ITabCtrlRecalc*) override { return CRect(5, 2, 5, 2); }
};
