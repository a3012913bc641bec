#include "controls/TabCtrlStyleFamilies.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool isTop(TabCtrl* ctrl) { return ctrl->GetLayout() == TabCtrl::LayoutTop; }
bool singleStrip(TabCtrl* ctrl) { return ctrl->GetCount() == 1 && ctrl->IsHideSingleTab(); }
COLORREF sys(int index) { return GetSysColor(index); }

void line(CDC* dc, int x1, int y1, int x2, int y2, COLORREF c) { DrawLine(dc, x1, y1, x2, y2, c); }

void polyline(CDC* dc, std::initializer_list<POINT> pts, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc->SelectObject(&pen);
    dc->Polyline(pts.begin(), int(pts.size()));
    dc->SelectObject(old);
}

// The three sides of the windows area away from the strip, or all four for a hidden strip.
void wndsAreaSides(TabCtrl* ctrl, CDC* dc, const CRect& r, COLORREF c)
{
    if (singleStrip(ctrl))
        DrawRectFrame(dc, r, c);
    else if (isTop(ctrl))
        polyline(dc, {{r.left, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}}, c);
    else
        polyline(dc, {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom}}, c);
}

} // namespace

// ---------------------------------------------------------------------------
// VS2003

COLORREF TabCtrlStyle_VS2003_base::GetCtrlAreaBackColor(TabCtrl*)
{
    return MixColors(sys(COLOR_BTNFACE), sys(COLOR_3DHIGHLIGHT), 45);
}

COLORREF TabCtrlStyle_VS2003_base::GetTabTextColor(TabCtrl* ctrl, HTAB tab)
{
    if (tab == ctrl->GetSelectedTab() && (!ctrl->IsWatchingActivity() || ctrl->IsActive()))
        return sys(COLOR_BTNTEXT);
    if (ctrl->IsTabDisabled(tab) && tab != ctrl->GetSelectedTab())
        return sys(COLOR_GRAYTEXT);
    return MixColors(sys(COLOR_BTNSHADOW), kBlack, 55);
}

COLORREF TabCtrlStyle_VS2003_base::GetButtonMarkerColor(TabCtrl* ctrl, bool, bool)
{
    return ctrl->GetSelectedTab() ? MixColors(sys(COLOR_BTNSHADOW), kBlack, 55) : sys(COLOR_GRAYTEXT);
}

void TabCtrlStyle_VS2003_base::DrawButtonFrame(TabCtrl*, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    if (!hover)
        return;
    CRect r = rect;
    dc->DrawEdge(r, pushed ? BDR_SUNKENINNER : BDR_RAISEDOUTER, BF_RECT);
}

void TabCtrlStyle_VS2003_base::DrawButtonClose(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    DrawButton(ctrl, dc, rect, hover, pushed, 0, ShiftsPushedImage());
}
void TabCtrlStyle_VS2003_base::DrawButtonMenu(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed,
                                              bool partialView)
{
    DrawButton(ctrl, dc, rect, hover, pushed, partialView ? 2 : 1, ShiftsPushedImage());
}
void TabCtrlStyle_VS2003_base::DrawButtonScrollLeft(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover,
                                                    bool pushed, bool scroll)
{
    DrawButton(ctrl, dc, rect, hover, pushed, scroll ? 3 : 4, ShiftsPushedImage());
}
void TabCtrlStyle_VS2003_base::DrawButtonScrollRight(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover,
                                                     bool pushed, bool scroll)
{
    DrawButton(ctrl, dc, rect, hover, pushed, scroll ? 5 : 6, ShiftsPushedImage());
}

COLORREF TabCtrlStyle_VS2003_client::GetTabBorderColor(TabCtrl*) { return sys(COLOR_3DHIGHLIGHT); }

CRect TabCtrlStyle_VS2003_client::GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(5, 2, 3, 0) : CRect(5, 0, 3, 2);
}
CRect TabCtrlStyle_VS2003_client::GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    if (singleStrip(ctrl))
        return CRect(2, 2, 2, 2);
    return isTop(ctrl) ? CRect(2, 3, 2, 2) : CRect(2, 2, 2, 3);
}
CRect TabCtrlStyle_VS2003_client::GetTabPadding(TabCtrl*, ITabCtrlRecalc*) { return CRect(6, 3, 6, 3); }

void TabCtrlStyle_VS2003_client::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& r)
{
    FillSolid(dc, r, GetCtrlAreaBackColor(ctrl));
    const int y = isTop(ctrl) ? r.bottom - 1 : r.top;
    line(dc, r.left, y, r.right, y, sys(COLOR_3DHIGHLIGHT));
    line(dc, r.left, r.top, r.left, r.bottom, GetWndsAreaBackColor(ctrl));
    line(dc, r.right - 1, r.top, r.right - 1, r.bottom, GetWndsAreaBackColor(ctrl));
}

void TabCtrlStyle_VS2003_client::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rc, CRgn*)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    if (tab != ctrl->GetSelectedTab()) {
        const CRect pad = ctrl->GetTabPadding();
        line(dc, r, t + pad.top - 1, r, b - pad.bottom + 1, sys(COLOR_BTNSHADOW));
        return;
    }
    FillSolid(dc, rc, GetWndsAreaBackColor(ctrl));
    if (isTop(ctrl)) {
        polyline(dc, {{l, b - 1}, {l, t}, {r, t}}, GetTabBorderColor(ctrl));
        line(dc, r - 1, t + 1, r - 1, b, sys(COLOR_BTNTEXT));
    } else {
        polyline(dc, {{l, t}, {l, b - 1}, {r, b - 1}}, GetTabBorderColor(ctrl));
        line(dc, r - 1, t, r - 1, b - 1, sys(COLOR_BTNTEXT));
    }
}

void TabCtrlStyle_VS2003_client::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    if (ctrl->GetCount() == 0 || !ctrl->GetSelectedTab()) {
        TabCtrlStyle_base::DrawWndsAreaBack(ctrl, dc, rect);
        return;
    }
    FillSolid(dc, rect, GetWndsAreaBackColor(ctrl));
    const CRect pad = ctrl->GetWndsAreaPadding();
    CRect r = rect;
    r.DeflateRect(pad.left, pad.top, pad.right, pad.bottom);
    r.InflateRect(1, 1);
    if (!r.IsRectEmpty())
        DrawRectFrame(dc, r, GetBorderColor(ctrl));
}

COLORREF TabCtrlStyle_VS2003_bars::GetTabBorderColor(TabCtrl*) { return sys(COLOR_BTNTEXT); }
CRect TabCtrlStyle_VS2003_bars::GetCtrlAreaPadding(TabCtrl*, ITabCtrlRecalc*) { return CRect(5, 2, 3, 2); }
CRect TabCtrlStyle_VS2003_bars::GetTabPadding(TabCtrl*, ITabCtrlRecalc*) { return CRect(6, 2, 6, 2); }

void TabCtrlStyle_VS2003_bars::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rc)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    const COLORREF wnds = GetWndsAreaBackColor(ctrl);
    if (isTop(ctrl)) {
        line(dc, l + 1, t, r - 1, t, wnds);
        FillSolid(dc, CRect(l, t + 1, r, b - 3), GetCtrlAreaBackColor(ctrl));
        line(dc, l + 1, b - 3, r - 1, b - 3, sys(COLOR_BTNTEXT));
        FillSolid(dc, CRect(l, b - 2, r, b), wnds);
    } else {
        FillSolid(dc, CRect(l, t, r, t + 2), wnds);
        line(dc, l + 1, t + 2, r - 1, t + 2, sys(COLOR_BTNTEXT));
        FillSolid(dc, CRect(l, t + 3, r, b - 1), GetCtrlAreaBackColor(ctrl));
        line(dc, l + 1, b - 1, r - 1, b - 1, wnds);
    }
    line(dc, l, t, l, b, wnds);
    line(dc, r - 1, t, r - 1, b, wnds);
}

void TabCtrlStyle_VS2003_bars::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rc, CRgn*)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    const bool top = isTop(ctrl);
    if (tab != ctrl->GetSelectedTab()) {
        const CRect pad = ctrl->GetTabPadding();
        if (top)
            line(dc, r, t + pad.top, r, b - pad.bottom - 1, sys(COLOR_BTNSHADOW));
        else
            line(dc, r, t + pad.top + 1, r, b - pad.bottom, sys(COLOR_BTNSHADOW));
        return;
    }
    FillSolid(dc, CRect(l + 1, t + 1, r - 1, b - 1), GetWndsAreaBackColor(ctrl));
    if (top) {
        polyline(dc, {{l + 1, t}, {r - 1, t}, {r - 1, b}}, GetTabBorderColor(ctrl));
        line(dc, l, t, l, b - 1, sys(COLOR_3DHIGHLIGHT));
    } else {
        polyline(dc, {{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}, GetTabBorderColor(ctrl));
        line(dc, l, t + 1, l, b, sys(COLOR_3DHIGHLIGHT));
    }
}

COLORREF TabCtrlStyle_VS2003_bars_custom1::GetTabBorderColor(TabCtrl*) { return sys(COLOR_BTNSHADOW); }
CRect TabCtrlStyle_VS2003_bars_custom1::GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(4, 1, 2, 0) : CRect(4, 0, 2, 1);
}
CRect TabCtrlStyle_VS2003_bars_custom1::GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    if (singleStrip(ctrl))
        return CRect(1, 1, 1, 1);
    return isTop(ctrl) ? CRect(1, 0, 1, 1) : CRect(1, 1, 1, 0);
}

void TabCtrlStyle_VS2003_bars_custom1::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& r)
{
    FillSolid(dc, r, GetCtrlAreaBackColor(ctrl));
    const int y = isTop(ctrl) ? r.bottom - 1 : r.top;
    line(dc, r.left, y, r.right, y, GetTabBorderColor(ctrl));
}

void TabCtrlStyle_VS2003_bars_custom1::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    if (ctrl->GetCount() == 0 || !ctrl->GetSelectedTab()) {
        TabCtrlStyle_base::DrawWndsAreaBack(ctrl, dc, rect);
        return;
    }
    wndsAreaSides(ctrl, dc, rect, GetTabBorderColor(ctrl));
}

// ---------------------------------------------------------------------------
// VS2008 bars

COLORREF TabCtrlStyle_VS2008_bars_base::GetTabTextColor(TabCtrl* ctrl, HTAB tab)
{
    if (ctrl->IsTabDisabled(tab))
        return sys(COLOR_GRAYTEXT);
    if (tab == ctrl->GetSelectedTab())
        return sys(COLOR_BTNTEXT);
    return MixColors(sys(COLOR_BTNSHADOW), kBlack, 55);
}

CRect TabCtrlStyle_VS2008_bars_base::GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(0, 1, 0, 2) : CRect(0, 2, 0, 1);
}
CRect TabCtrlStyle_VS2008_bars_base::GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(3, 4, 3, 2) : CRect(3, 2, 3, 4);
}

void TabCtrlStyle_VS2008_bars_base::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& r)
{
    FillSolid(dc, r, GetCtrlAreaBackColor(ctrl));
    const int off = StripLineOffset();
    const int y = isTop(ctrl) ? r.bottom - 1 - off : r.top + off;
    line(dc, r.left, y, r.right, y, GetTabOutlineColor(ctrl, false));
}

void TabCtrlStyle_VS2008_bars_base::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rc, CRgn*)
{
    const bool top = isTop(ctrl);
    HTAB selected = ctrl->GetSelectedTab();
    const bool first = ctrl->GetTabIndex(tab) == 0;
    const COLORREF normalOutline = GetTabOutlineColor(ctrl, false);
    if (tab == selected) {
        FillSolid(dc, rc, GetTabSelectedBackColor(ctrl));
        const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
        if (top)
            polyline(dc, {{l, b - (first ? 2 : 3)}, {l, t}, {r - 1, t}, {r - 1, b}}, normalOutline);
        else
            polyline(dc, {{l, t + (first ? 1 : 2)}, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}, normalOutline);
        return;
    }
    CRect d = rc;
    if (top)
        d.DeflateRect(0, 2, 0, 1);
    else
        d.DeflateRect(0, 1, 0, 2);
    const bool disabled = ctrl->IsTabDisabled(tab);
    const bool hover = tab == ctrl->GetHoverTab() && !disabled;
    const COLORREF light = GetTabGradientLightColor(ctrl, hover, disabled);
    const COLORREF dark = GetTabGradientDarkColor(ctrl, hover, disabled);
    if (!d.IsRectEmpty())
        FillGradient(dc, d, false, top ? light : dark, top ? dark : light);
    const COLORREF outline = hover ? GetTabOutlineColor(ctrl, true) : normalOutline;
    const bool leftOfSelection = !selected || ctrl->CompareTabsOrder(tab, selected) < 0;
    const int outer = top ? d.top : d.bottom - 1;
    const int innerFrom = top ? d.top + 1 : d.top, innerTo = top ? d.bottom : d.bottom - 1;
    if (leftOfSelection) {
        line(dc, d.left, outer, d.right, outer, outline);
        line(dc, d.left, d.top, d.left, d.bottom, outline);
        line(dc, d.left + 1, innerFrom, d.left + 1, innerTo, light);
        if (ctrl->GetTabIndex(tab) == ctrl->GetCount() - 1)
            line(dc, d.right - 1, d.top, d.right - 1, d.bottom, normalOutline);
    } else {
        line(dc, d.left, outer, d.right, outer, outline);
        line(dc, d.right - 1, d.top, d.right - 1, d.bottom, outline);
        line(dc, d.right - 2, innerFrom, d.right - 2, innerTo, light);
    }
}

void TabCtrlStyle_VS2008_bars_base::DrawTabContent(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip)
{
    CRect r = rect;
    if (tab == ctrl->GetSelectedTab()) {
        if (isTop(ctrl))
            r.top -= 2;
        else
            r.bottom += 2;
    }
    TabCtrlStyle_base::DrawTabContent(ctrl, dc, tab, r, clip);
}

CRect TabCtrlStyle_VS2008_bars_custom1_base::GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(0, 1, 0, 0) : CRect(0, 0, 0, 1);
}
CRect TabCtrlStyle_VS2008_bars_custom1_base::GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    if (singleStrip(ctrl))
        return CRect(1, 1, 1, 1);
    return isTop(ctrl) ? CRect(1, 0, 1, 1) : CRect(1, 1, 1, 0);
}

void TabCtrlStyle_VS2008_bars_custom1_base::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    if (ctrl->GetCount() == 0 || !ctrl->GetSelectedTab()) {
        TabCtrlStyle_base::DrawWndsAreaBack(ctrl, dc, rect);
        return;
    }
    wndsAreaSides(ctrl, dc, rect, GetTabOutlineColor(ctrl, false));
}

namespace {

struct BarsScheme {
    COLORREF outlineHot, outline, lightHover, light, darkHover, dark;
};

const BarsScheme& barsClassic()
{
    static const BarsScheme s = {sys(COLOR_3DDKSHADOW), sys(COLOR_BTNSHADOW), sys(COLOR_WINDOW), sys(COLOR_WINDOW),
                                 MixColors(sys(COLOR_BTNSHADOW), kWhite, 75), MixColors(sys(COLOR_BTNSHADOW), kWhite, 55)};
    return s;
}
const BarsScheme kBarsBlue = {RGB(60, 127, 177), RGB(137, 140, 149), RGB(250, 253, 254),
                              RGB(252, 252, 252), RGB(167, 217, 245), RGB(207, 207, 207)};
const BarsScheme kBarsSilver = {RGB(119, 119, 146), RGB(137, 140, 149), RGB(247, 247, 253),
                                RGB(252, 252, 252), RGB(180, 179, 202), RGB(207, 207, 207)};
const BarsScheme kBarsOlive = {RGB(143, 158, 116), RGB(137, 140, 149), RGB(250, 251, 247),
                               RGB(252, 252, 252), RGB(182, 198, 141), RGB(207, 207, 207)};

} // namespace

#define MIRTAL_BARS_COLORS(Class, scheme, frame)                                                             \
    COLORREF Class::GetTabOutlineColor(TabCtrl*, bool hot) { return hot ? scheme.outlineHot : scheme.outline; } \
    COLORREF Class::GetTabGradientLightColor(TabCtrl*, bool hover, bool disabled)                           \
    {                                                                                                        \
        return hover && !disabled ? scheme.lightHover : scheme.light;                                        \
    }                                                                                                        \
    COLORREF Class::GetTabGradientDarkColor(TabCtrl*, bool hover, bool disabled)                            \
    {                                                                                                        \
        return hover && !disabled ? scheme.darkHover : scheme.dark;                                          \
    }                                                                                                        \
    void Class::DrawButtonFrame(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed)         \
    {                                                                                                        \
        if (frame)                                                                                           \
            DrawWarmButtonFrame(dc, rect, hover, pushed, frame);                                             \
        else                                                                                                 \
            TabCtrlStyle_base::DrawButtonFrame(ctrl, dc, rect, hover, pushed);                               \
    }

MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_classic, barsClassic(), COLORREF(0))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_blue, kBarsBlue, COLORREF(0))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_silver, kBarsSilver, RGB(74, 73, 107))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_olive, kBarsOlive, RGB(118, 128, 95))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_classic_custom1, barsClassic(), COLORREF(0))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_blue_custom1, kBarsBlue, COLORREF(0))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_silver_custom1, kBarsSilver, RGB(74, 73, 107))
MIRTAL_BARS_COLORS(TabCtrlStyle_VS2008_bars_olive_custom1, kBarsOlive, RGB(118, 128, 95))
#undef MIRTAL_BARS_COLORS

// ---------------------------------------------------------------------------
// VS2010

namespace {

constexpr COLORREF kVs2010Back = RGB(46, 64, 94);
constexpr COLORREF kHoverOutline = RGB(155, 167, 183);
// Hover shades at a top corner: the corner, beside it, below it, diagonally inside.
constexpr COLORREF kHoverCorner[4] = {RGB(50, 65, 93), RGB(120, 135, 157), RGB(117, 130, 150), RGB(115, 126, 139)};

struct Vs2010Set {
    COLORREF band, top, bottom;
    COLORREF corner[3];
    COLORREF rightShade[3], leftShade[3], leftHoverShade[3];
};
const Vs2010Set kInactive = {RGB(206, 212, 223),
                             RGB(251, 252, 252),
                             RGB(215, 220, 228),
                             {RGB(93, 109, 135), RGB(192, 198, 206), RGB(190, 196, 204)},
                             {RGB(87, 100, 124), RGB(168, 176, 192), RGB(160, 169, 185)},
                             {RGB(76, 91, 116), RGB(163, 173, 190), RGB(160, 169, 185)},
                             {RGB(165, 176, 191), RGB(170, 179, 193), RGB(192, 199, 212)}};
const Vs2010Set kActive = {RGB(255, 232, 166),
                           RGB(255, 252, 242),
                           RGB(255, 243, 207),
                           {RGB(94, 109, 133), RGB(195, 198, 199), RGB(195, 197, 197)},
                           {RGB(100, 106, 109), RGB(205, 192, 148), RGB(195, 184, 144)},
                           {RGB(86, 95, 105), RGB(198, 188, 149), RGB(195, 184, 144)},
                           {RGB(175, 180, 180), RGB(205, 194, 152), RGB(227, 214, 171)}};

// Shades at one corner: the corner pixel, its horizontal and its vertical
// neighbour (and, with four colours, the diagonal one inside). dx and dy point inwards.
void shadeCorner(CDC* dc, int x, int y, int dx, int dy, const COLORREF* c, int count)
{
    dc->SetPixel(x, y, c[0]);
    dc->SetPixel(x + dx, y, c[1]);
    dc->SetPixel(x, y + dy, c[2]);
    if (count > 3)
        dc->SetPixel(x + dx, y + dy, c[3]);
}

} // namespace

COLORREF TabCtrlStyle_VS2010_common::GetCtrlAreaBackColor(TabCtrl*) { return kVs2010Back; }
COLORREF TabCtrlStyle_VS2010_common::GetEmptyWndsAreaBackColor(TabCtrl*) { return kVs2010Back; }
COLORREF TabCtrlStyle_VS2010_common::GetTabTextColor(TabCtrl* ctrl, HTAB tab)
{
    return tab == ctrl->GetSelectedTab() ? RGB(13, 0, 5) : RGB(248, 255, 255);
}
COLORREF TabCtrlStyle_VS2010_common::GetButtonMarkerColor(TabCtrl*, bool hover, bool pushed)
{
    return hover || pushed ? kBlack : RGB(206, 212, 221);
}
void TabCtrlStyle_VS2010_common::DrawButtonFrame(TabCtrl*, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    if (!hover && !pushed)
        return;
    DrawRectFrame(dc, rect, RGB(229, 195, 101));
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    FillSolid(dc, inner, hover && pushed ? RGB(255, 232, 166) : RGB(255, 252, 244));
}
void TabCtrlStyle_VS2010_common::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& r)
{
    FillSolid(dc, r, GetCtrlAreaBackColor(ctrl));
}

CRect TabCtrlStyle_VS2010_client::GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(5, 4, 5, 3) : CRect(5, 3, 5, 4);
}

void TabCtrlStyle_VS2010_client::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn*)
{
    if (ctrl->IsTabDisabled(tab))
        return;
    const bool hover = tab == ctrl->GetHoverTab() && !ctrl->GetPushedTab();
    DrawTabBackEx(ctrl, dc, rect, isTop(ctrl), LooksActive(ctrl), tab == ctrl->GetSelectedTab(), hover);
}

void TabCtrlStyle_VS2010_client::DrawTabBackEx(TabCtrl*, CDC* dc, const CRect& rc, bool top, bool active,
                                               bool selected, bool hover)
{
    const Vs2010Set& set = active ? kActive : kInactive;
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    const int mid = (t + b) / 2;
    if (selected) {
        if (top) {
            FillSolid(dc, CRect(l, mid, r, b), set.band);
            FillGradient(dc, CRect(l, t, r, mid), false, set.top, set.bottom);
            shadeCorner(dc, l, t, 1, 1, set.corner, 3);
            shadeCorner(dc, r - 1, t, -1, 1, set.corner, 3);
        } else {
            FillSolid(dc, CRect(l, t, r, mid), set.band);
            FillGradient(dc, CRect(l, mid, r, b), false, set.bottom, set.top);
            shadeCorner(dc, l, b - 1, 1, -1, set.corner, 3);
            shadeCorner(dc, r - 1, b - 1, -1, -1, set.corner, 3);
        }
        return;
    }
    if (!hover)
        return;
    if (top) {
        polyline(dc, {{l, b}, {l, t}, {r - 1, t}, {r - 1, b}}, kHoverOutline);
        FillGradient(dc, CRect(l + 1, t + 1, r - 1, b), false, RGB(111, 119, 118), RGB(79, 95, 116));
        shadeCorner(dc, l, t, 1, 1, kHoverCorner, 4);
        shadeCorner(dc, r - 1, t, -1, 1, kHoverCorner, 4);
    } else {
        polyline(dc, {{l, t - 1}, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}, kHoverOutline);
        FillGradient(dc, CRect(l + 1, t, r - 1, b - 1), false, RGB(79, 95, 116), RGB(111, 119, 118));
        shadeCorner(dc, l, b - 1, 1, -1, kHoverCorner, 4);
        shadeCorner(dc, r - 1, b - 1, -1, -1, kHoverCorner, 4);
    }
}

void TabCtrlStyle_VS2010_client::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    if (ctrl->GetCount() == 0 || !ctrl->GetSelectedTab()) {
        TabCtrlStyle_base::DrawWndsAreaBack(ctrl, dc, rect);
        return;
    }
    DrawWndsAreaEdges(ctrl, dc, rect, isTop(ctrl), LooksActive(ctrl));
}

void TabCtrlStyle_VS2010_client::DrawWndsAreaEdges(TabCtrl* ctrl, CDC* dc, const CRect& rc, bool top, bool active)
{
    const Vs2010Set& set = active ? kActive : kInactive;
    const CRect upper(rc.left, rc.top, rc.right, rc.top + 4);
    const CRect lower(rc.left, rc.bottom - 4, rc.right, rc.bottom);
    FillSolid(dc, upper, set.band);
    FillSolid(dc, lower, set.band);
    // The band away from the strip is rounded at both outer corners.
    const CRect& far = top ? lower : upper;
    const int farY = top ? far.bottom - 1 : far.top, farDy = top ? -1 : 1;
    shadeCorner(dc, far.left, farY, 1, farDy, set.leftShade, 3);
    shadeCorner(dc, far.right - 1, farY, -1, farDy, set.rightShade, 3);
    // While the tabs shrink to fit, the band next to the strip is rounded too,
    // except beside a selected first tab.
    if (ctrl->GetBehavior() == TabCtrl::BehaviorScale) {
        const CRect& near = top ? upper : lower;
        const int y = top ? near.top : near.bottom - 1, dy = top ? 1 : -1;
        HTAB first = ctrl->GetTab(0);
        if (first != ctrl->GetSelectedTab())
            shadeCorner(dc, near.left, y, 1, dy, first == ctrl->GetHoverTab() ? set.leftHoverShade : set.leftShade, 3);
        shadeCorner(dc, near.right - 1, y, -1, dy, set.rightShade, 3);
    }
}

void TabCtrlStyle_VS2010_bars::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rc, CRgn*)
{
    if (ctrl->IsTabDisabled(tab))
        return;
    const bool top = isTop(ctrl);
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    if (tab == ctrl->GetSelectedTab()) {
        FillSolid(dc, rc, kWhite);
        const COLORREF c[3] = {RGB(103, 116, 138), RGB(221, 224, 228), RGB(197, 202, 210)};
        const int y = top ? t : b - 1, dy = top ? 1 : -1;
        shadeCorner(dc, l, y, 1, dy, c, 3);
        shadeCorner(dc, r - 1, y, -1, dy, c, 3);
        return;
    }
    if (tab != ctrl->GetHoverTab() || ctrl->GetPushedTab())
        return;
    DrawRectFrame(dc, rc, kHoverOutline);
    CRect inner = rc;
    inner.DeflateRect(1, 1);
    if (!inner.IsRectEmpty())
        FillGradient(dc, inner, false, top ? RGB(76, 92, 116) : RGB(111, 119, 118),
                     top ? RGB(111, 119, 118) : RGB(76, 92, 116));
    const int y = top ? t : b - 1, dy = top ? 1 : -1;
    shadeCorner(dc, l, y, 1, dy, kHoverCorner, 4);
    shadeCorner(dc, r - 1, y, -1, dy, kHoverCorner, 4);
}
