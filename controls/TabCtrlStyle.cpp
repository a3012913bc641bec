#include "controls/TabCtrlStyle.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

bool isTop(TabCtrl* ctrl) { return ctrl->GetLayout() == TabCtrl::LayoutTop; }

void polyline(CDC* dc, std::initializer_list<POINT> pts, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc->SelectObject(&pen);
    dc->Polyline(pts.begin(), int(pts.size()));
    dc->SelectObject(old);
}

void setPixels(CDC* dc, std::initializer_list<POINT> pts, COLORREF color)
{
    for (const POINT& p : pts)
        dc->SetPixel(p, color);
}

} // namespace

// ---------------------------------------------------------------------------
// TabCtrlStyle_base

COLORREF TabCtrlStyle_base::GetBorderColor(TabCtrl*) { return GetSysColor(COLOR_BTNSHADOW); }
COLORREF TabCtrlStyle_base::GetTabBorderColor(TabCtrl*) { return GetSysColor(COLOR_BTNSHADOW); }
COLORREF TabCtrlStyle_base::GetCtrlAreaBackColor(TabCtrl*) { return GetSysColor(COLOR_BTNFACE); }
COLORREF TabCtrlStyle_base::GetWndsAreaBackColor(TabCtrl*) { return GetSysColor(COLOR_BTNFACE); }
COLORREF TabCtrlStyle_base::GetTabSelectedBackColor(TabCtrl*) { return GetSysColor(COLOR_WINDOW); }
COLORREF TabCtrlStyle_base::GetTabTextColor(TabCtrl* ctrl, HTAB tab)
{
    return GetSysColor(ctrl->IsTabDisabled(tab) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
}
COLORREF TabCtrlStyle_base::GetButtonMarkerColor(TabCtrl* ctrl, bool, bool)
{
    return GetSysColor(ctrl->GetSelectedTab() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}
COLORREF TabCtrlStyle_base::GetTabsJoinColor(TabCtrl*) { return GetSysColor(COLOR_WINDOW); }
COLORREF TabCtrlStyle_base::GetEmptyWndsAreaBackColor(TabCtrl*) { return GetSysColor(COLOR_APPWORKSPACE); }

void TabCtrlStyle_base::DrawBorder(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    DrawRectFrame(dc, rect, GetBorderColor(ctrl));
}

void TabCtrlStyle_base::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& r)
{
    const CRect pad = ctrl->GetCtrlAreaPadding();
    if (isTop(ctrl)) {
        const CRect back(r.left, r.top, r.right, r.bottom - pad.bottom);
        FillSolid(dc, back, GetCtrlAreaBackColor(ctrl));
        DrawLine(dc, back.left, back.bottom - 1, back.right, back.bottom - 1, GetTabBorderColor(ctrl));
        const CRect join(r.left, back.bottom, r.right, r.bottom);
        if (!join.IsRectEmpty())
            FillSolid(dc, join, GetTabsJoinColor(ctrl));
    } else {
        const CRect join(r.left, r.top, r.right, r.top + pad.top);
        if (!join.IsRectEmpty())
            FillSolid(dc, join, GetTabsJoinColor(ctrl));
        DrawLine(dc, r.left, join.bottom, r.right, join.bottom, GetTabBorderColor(ctrl));
        FillSolid(dc, CRect(r.left, join.bottom + 1, r.right, r.bottom), GetCtrlAreaBackColor(ctrl));
    }
}

void TabCtrlStyle_base::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    const bool selected = ctrl->GetCount() > 0 && ctrl->GetSelectedTab();
    FillSolid(dc, rect, selected ? GetTabSelectedBackColor(ctrl) : GetEmptyWndsAreaBackColor(ctrl));
}

void TabCtrlStyle_base::DrawTab(TabCtrl* ctrl, CDC* dc, HTAB tab, CRgn* clip)
{
    const CRect rect = ctrl->GetTabRect(tab);
    DrawTabBack(ctrl, dc, tab, rect, clip);
    DrawTabContent(ctrl, dc, tab, rect, clip);
}

void TabCtrlStyle_base::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn*)
{
    const bool top = isTop(ctrl);
    if (tab == ctrl->GetSelectedTab()) {
        DrawChamferedShape(dc, rect, top ? 1 : 3, 2, GetTabBorderColor(ctrl), GetTabSelectedBackColor(ctrl));
        return;
    }
    if (tab == ctrl->GetHoverTab() && !ctrl->GetPushedTab() && !ctrl->IsTabDisabled(tab)) {
        CRect r = rect;
        r.DeflateRect(2, 1, 1, 1);
        DrawChamferedShape(dc, r, top ? 1 : 3, 1, GetTabBorderColor(ctrl), GetTabSelectedBackColor(ctrl));
        if (top) {
            CRect lower(r.left + 1, (r.top + r.bottom) / 2, r.right - 1, r.bottom);
            if (!lower.IsRectEmpty())
                FillGradient(dc, lower, false, GetTabSelectedBackColor(ctrl), GetTabBorderColor(ctrl));
        }
    }
    const CRect pad = ctrl->GetTabPadding();
    const int y1 = rect.top + pad.top + (top ? 0 : 1);
    const int y2 = rect.bottom - pad.bottom - (top ? 1 : 0);
    DrawLine(dc, rect.right - 1, y1, rect.right - 1, y2, GetTabBorderColor(ctrl));
    if (ctrl->GetTabIndex(tab) == 0)
        DrawLine(dc, rect.left, y1, rect.left, y2, GetTabBorderColor(ctrl));
}

void TabCtrlStyle_base::DrawTabContent(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip)
{
    const CRect pad = ctrl->GetTabPadding();
    CRect r = rect;
    r.DeflateRect(pad.left, pad.top, pad.right, pad.bottom);
    TabImageList *normal = nullptr, *disabled = nullptr;
    ctrl->GetImageLists(&normal, &disabled);
    TabImageList* list = ctrl->IsTabDisabled(tab) ? disabled : normal;
    const int textWidth = dc->GetTextExtent(ctrl->GetTabText(tab)).cx;
    if (ctrl->GetTabImage(tab) >= 0 && list) {
        const int imageWidth = list->GetImageSize().cx;
        const int gap = ctrl->GetTabImageTextGap();
        const int content = gap + imageWidth + textWidth;
        if (content < r.Width())
            r.left += (r.Width() - content) / 2;
        DrawTabImage(ctrl, dc, tab, r, clip);
        r.left += imageWidth + gap;
    } else if (textWidth < r.Width()) {
        r.left += (r.Width() - textWidth) / 2;
    }
    if (!r.IsRectEmpty())
        DrawTabText(ctrl, dc, tab, r, clip);
}

void TabCtrlStyle_base::DrawTabImage(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn*)
{
    TabImageList *normal = nullptr, *disabled = nullptr;
    ctrl->GetImageLists(&normal, &disabled);
    TabImageList* list = ctrl->IsTabDisabled(tab) ? disabled : normal;
    if (!list)
        return;
    const int h = list->GetImageSize().cy;
    list->Draw(dc, ctrl->GetTabImage(tab), POINT{rect.left, (rect.top + rect.bottom - h + 1) / 2});
}

void TabCtrlStyle_base::DrawTabText(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn*)
{
    const std::string text = ctrl->GetTabText(tab);
    if (text.empty())
        return;
    dc->SetTextColor(GetTabTextColor(ctrl, tab));
    CRect r = rect;
    dc->DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void TabCtrlStyle_base::DrawButtonFrame(TabCtrl*, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    if (!hover && !pushed)
        return;
    const int p = hover && pushed ? 22 : 30;
    FillSolid(dc, rect, MixColors(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW), p));
    DrawRectFrame(dc, rect, GetSysColor(COLOR_HIGHLIGHT));
}

void TabCtrlStyle_base::DrawButton(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed, int image,
                                   bool shifted)
{
    DrawButtonFrame(ctrl, dc, rect, hover, pushed);
    CRect r = rect;
    if (shifted && hover && pushed)
        r.OffsetRect(1, 1);
    DrawImageInColor(dc, r, ctrl->GetButtonImageList(), image, GetButtonMarkerColor(ctrl, hover, pushed));
}

void TabCtrlStyle_base::DrawButtonClose(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    DrawButton(ctrl, dc, rect, hover, pushed, 0);
}
void TabCtrlStyle_base::DrawButtonMenu(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed,
                                       bool partialView)
{
    DrawButton(ctrl, dc, rect, hover, pushed, partialView ? 2 : 1);
}
void TabCtrlStyle_base::DrawButtonScrollLeft(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed,
                                             bool scroll)
{
    DrawButton(ctrl, dc, rect, hover, pushed, scroll ? 3 : 4);
}
void TabCtrlStyle_base::DrawButtonScrollRight(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed,
                                              bool scroll)
{
    DrawButton(ctrl, dc, rect, hover, pushed, scroll ? 5 : 6);
}

// ---------------------------------------------------------------------------
// VS2008 client family

int TabCtrlStyle_VS2008_client_base::GetBorderWidth(TabCtrl*, ITabCtrlRecalc*) { return 0; }
CRect TabCtrlStyle_VS2008_client_base::GetCtrlAreaPadding(TabCtrl*, ITabCtrlRecalc*) { return CRect(0, 0, 3, 0); }
CRect TabCtrlStyle_VS2008_client_base::GetWndsAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    if (ctrl->GetCount() == 1 && ctrl->IsHideSingleTab())
        return CRect(5, 5, 5, 5);
    return isTop(ctrl) ? CRect(5, 3, 5, 5) : CRect(5, 5, 5, 3);
}
CRect TabCtrlStyle_VS2008_client_base::GetTabPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return isTop(ctrl) ? CRect(6, 3, 6, 5) : CRect(6, 4, 6, 4);
}
int TabCtrlStyle_VS2008_client_base::GetTabExtraWidth(TabCtrl* ctrl, ITabCtrlRecalc*, HTAB tab)
{
    return ctrl->GetTabIndex(tab) == 0 ? GetSlantHeight(ctrl) - 6 : 0;
}
int TabCtrlStyle_VS2008_client_base::GetTabMinWidth(TabCtrl* ctrl, ITabCtrlRecalc* base)
{
    return (base ? base : &TabCtrl::DefaultService())->GetTabMinWidth(ctrl, nullptr) + GetSlantHeight(ctrl) - 6;
}

int TabCtrlStyle_VS2008_client_base::GetSlantHeight(TabCtrl* ctrl) { return ctrl->GetTabsArea().Height(); }

void TabCtrlStyle_VS2008_client_base::GetTabPolygon(TabCtrl* ctrl, HTAB tab, const CRect& rect, bool top, POINT p[8],
                                                    CRect* inner)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int H = GetSlantHeight(ctrl);
    const bool sel = tab == ctrl->GetSelectedTab();
    const bool first = ctrl->GetTabIndex(tab) == 0;
    if (!sel) {
        t += 2;
        b -= 2;
        H -= 4;
    }
    if (!first)
        l -= H - 6;
    else if (!sel)
        l += 4;
    if (top) {
        p[0] = sel ? POINT{l + 2, b} : POINT{l, b};
        p[1] = sel ? POINT{l + 2, b - 2} : POINT{l + 1, b - 1};
        p[2] = {l + H - 2, t + 2};
        p[3] = {l + H + 3, t};
        p[4] = {r - 3, t};
        p[5] = {r - 1, t + 2};
        p[6] = sel ? POINT{r - 1, b - 1} : POINT{r - 1, b};
        p[7] = {r - 1, b};
    } else {
        p[0] = sel ? POINT{l + 2, t} : POINT{l, t};
        p[1] = sel ? POINT{l + 2, t + 1} : POINT{l + 1, t};
        p[2] = {l + H - 2, b - 3};
        p[3] = {l + H + 3, b - 1};
        p[4] = {r - 3, b - 1};
        p[5] = {r - 1, b - 3};
        p[6] = sel ? POINT{r - 1, t} : POINT{r - 1, t - 1};
        p[7] = {r - 1, t};
    }
    if (inner)
        *inner = CRect(!sel && !first ? rect.left : l, t, r, b);
}

bool TabCtrlStyle_VS2008_client_base::HitTestTab(TabCtrl* ctrl, HTAB tab, CPoint point)
{
    POINT p[8];
    GetTabPolygon(ctrl, tab, ctrl->GetTabRect(tab), isTop(ctrl), p, nullptr);
    CRgn rgn;
    return rgn.CreatePolygonRgn(p, 8, WINDING) && rgn.PtInRegion(point);
}

HTAB TabCtrlStyle_VS2008_client_base::HitTest(TabCtrl* ctrl, ITabCtrlBehavior*, CPoint point)
{
    if (!ctrl->GetTabsArea().PtInRect(point))
        return nullptr;
    HTAB sel = ctrl->GetSelectedTab();
    if (sel && HitTestTab(ctrl, sel, point))
        return sel;
    for (int i = 0; i < ctrl->GetCount(); ++i) {
        HTAB t = ctrl->GetTab(i);
        if (t != sel && HitTestTab(ctrl, t, point))
            return t;
    }
    return nullptr;
}

void TabCtrlStyle_VS2008_client_base::DrawTabBack(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip)
{
    const bool top = isTop(ctrl);
    const bool disabled = ctrl->IsTabDisabled(tab);
    const bool selected = tab == ctrl->GetSelectedTab();
    const bool hover = tab == ctrl->GetHoverTab() && !ctrl->GetPushedTab();
    const COLORREF outline = GetTabOutlineColor(ctrl, selected, disabled);
    const COLORREF light = GetTabGradientLightColor(ctrl, selected, hover, disabled);
    const COLORREF dark = GetTabGradientDarkColor(ctrl, selected, hover, disabled);
    const COLORREF leftLine = GetTabInsideOutlineColor(ctrl, selected, hover, disabled, true);
    const COLORREF rightLine = GetTabInsideOutlineColor(ctrl, selected, hover, disabled, false);

    POINT p[8];
    CRect inner;
    GetTabPolygon(ctrl, tab, rect, top, p, &inner);
    CRgn shape;
    if (!shape.CreatePolygonRgn(p, 8, WINDING))
        return;
    if (clip)
        shape.CombineRgn(&shape, clip, RGN_AND);
    dc->SelectClipRgn(&shape);
    if (!inner.IsRectEmpty())
        FillGradient(dc, inner, false, top ? light : dark, top ? dark : light);
    auto moved = [](POINT q, int dx) { return POINT{q.x + dx, q.y}; };
    polyline(dc, {moved(p[1], 1), moved(p[2], 1), moved(p[3], 1)}, leftLine);
    polyline(dc, {moved(p[4], -1), moved(p[5], -1), moved(p[6], -1)}, rightLine);
    dc->SelectClipRgn(clip);
    polyline(dc, {p[1], p[2], p[3], p[4], p[5], p[6]}, outline);
}

void TabCtrlStyle_VS2008_client_base::DrawTabContent(TabCtrl* ctrl, CDC* dc, HTAB tab, const CRect& rect, CRgn* clip)
{
    CRect r = rect;
    if (tab != ctrl->GetSelectedTab()) {
        if (isTop(ctrl))
            r.top += 2;
        else
            r.bottom -= 2;
    }
    r.left += ctrl->GetTabExtraWidth(tab);
    TabCtrlStyle_base::DrawTabContent(ctrl, dc, tab, r, clip);
}

void TabCtrlStyle_VS2008_client_base::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rc)
{
    FillSolid(dc, rc, GetCtrlAreaBackColor(ctrl));
    const bool none = ctrl->GetSelectedTab() == nullptr;
    const COLORREF outline = GetTabOutlineColor(ctrl, true, none);
    const COLORREF inner = GetTabInsideOutlineColor(ctrl, true, false, none, true);
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    if (isTop(ctrl)) {
        if (!none) {
            polyline(dc, {{l + 1, b - 1}, {l + 2, b - 2}, {r - 3, b - 2}, {r - 1, b}}, outline);
            polyline(dc, {{l + 2, b - 1}, {r - 2, b - 1}}, inner);
        } else {
            polyline(dc, {{l, b - 2}, {r, b - 2}}, outline);
            polyline(dc, {{l, b - 1}, {r, b - 1}}, inner);
        }
    } else {
        if (!none) {
            polyline(dc, {{l + 1, t}, {l + 2, t + 1}, {r - 3, t + 1}, {r - 1, t - 1}}, outline);
            polyline(dc, {{l + 2, t}, {r - 2, t}}, inner);
        } else {
            polyline(dc, {{l, t + 1}, {r, t + 1}}, outline);
            polyline(dc, {{l, t}, {r, t}}, inner);
        }
    }
}

void TabCtrlStyle_VS2008_client_base::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& rect)
{
    if (ctrl->GetCount() == 0 || !ctrl->GetSelectedTab()) {
        TabCtrlStyle_base::DrawWndsAreaBack(ctrl, dc, rect);
        return;
    }
    const COLORREF c1 = GetTabOutlineColor(ctrl, true, false);
    const COLORREF c2 = GetTabInsideOutlineColor(ctrl, true, false, false, true);
    const COLORREF c3 = GetTabGradientDarkColor(ctrl, true, false, false);
    const COLORREF corner = GetWndsAreaBackColor(ctrl);
    const bool single = ctrl->GetCount() == 1 && ctrl->IsHideSingleTab();
    const bool top = isTop(ctrl);
    CRect r = rect;
    const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    if (single) {
        CPen pen(PS_SOLID, 1, c1);
        CPen* old = dc->SelectObject(&pen);
        DrawBeveledFrame(dc, r, 2);
        dc->SelectObject(old);
        setPixels(dc, {{l, t}, {l + 1, t}, {l, t + 1}, {rr - 1, t}, {rr - 2, t}, {rr - 1, t + 1},
                       {l, b - 1}, {l + 1, b - 1}, {l, b - 2}, {rr - 1, b - 1}, {rr - 2, b - 1}, {rr - 1, b - 2}},
                  corner);
        r.DeflateRect(4, 4, 4, 4);
    } else if (top) {
        polyline(dc, {{l, t}, {l, b - 3}, {l + 2, b - 1}, {rr - 3, b - 1}, {rr - 1, b - 3}, {rr - 1, t - 1}}, c1);
        setPixels(dc, {{l, b - 1}, {l + 1, b - 1}, {l, b - 2}, {rr - 1, b - 1}, {rr - 2, b - 1}, {rr - 1, b - 2}},
                  corner);
        r.DeflateRect(4, 2, 4, 4);
    } else {
        polyline(dc, {{l, b - 1}, {l, t + 2}, {l + 2, t}, {rr - 3, t}, {rr - 1, t + 2}, {rr - 1, b}}, c1);
        setPixels(dc, {{l, t}, {l + 1, t}, {l, t + 1}, {rr - 1, t}, {rr - 2, t}, {rr - 1, t + 1}}, corner);
        r.DeflateRect(4, 4, 4, 2);
    }
    if (r.IsRectEmpty())
        return;
    DrawRectFrame(dc, r, c1);
    r.InflateRect(1, 1);
    DrawRectFrame(dc, r, c3);
    r.InflateRect(1, 1);
    DrawRectFrame(dc, r, c3);
    if (single) {
        r.InflateRect(1, 1);
        DrawRectFrame(dc, r, c2);
    } else if (top) {
        r.DeflateRect(-1, 0, -1, -1);
        polyline(dc, {{r.left, r.top}, {r.left, r.bottom - 1}}, c2);
        polyline(dc, {{r.left + 1, r.bottom - 1}, {r.right - 1, r.bottom - 1}}, c2);
        polyline(dc, {{r.right - 1, r.bottom - 2}, {r.right - 1, r.top - 1}}, c2);
    } else {
        r.DeflateRect(-1, -1, -1, 0);
        polyline(dc, {{r.left, r.bottom - 1}, {r.left, r.top}}, c2);
        polyline(dc, {{r.left + 1, r.top}, {r.right - 1, r.top}}, c2);
        polyline(dc, {{r.right - 1, r.top + 1}, {r.right - 1, r.bottom}}, c2);
    }
}

// ---------------------------------------------------------------------------
// The four schemes

namespace {

struct Scheme {
    COLORREF outlineSel, outlineOther;
    COLORREF innerSelHover, innerDisabled, innerLeft, innerRight;
    COLORREF lightSel, lightHover, lightDisabled, lightNormal;
    COLORREF darkSel, darkHover, darkDisabled, darkNormal;
};

COLORREF pick(bool selected, bool hover, bool disabled, COLORREF sel, COLORREF hov, COLORREF dis, COLORREF normal)
{
    if (selected)
        return sel;
    if (disabled)
        return dis;
    if (hover)
        return hov;
    return normal;
}

const Scheme& classic()
{
    static const Scheme s = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW),
                             GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_BTNFACE),
                             GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNFACE),
                             GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DHIGHLIGHT),
                             GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNFACE),
                             GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_3DHIGHLIGHT),
                             GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNFACE)};
    return s;
}
const Scheme kBlue = {RGB(105, 161, 191), RGB(145, 150, 162), kWhite,           RGB(140, 171, 204),
                      RGB(242, 250, 255), RGB(140, 171, 204), RGB(252, 253, 254), RGB(247, 252, 254),
                      RGB(207, 223, 237), RGB(236, 245, 252), RGB(210, 230, 250), RGB(129, 208, 241),
                      RGB(207, 223, 237), RGB(152, 180, 210)};
const Scheme kSilver = {RGB(147, 145, 176), RGB(157, 157, 161), kWhite,           RGB(172, 171, 196),
                        kWhite,             RGB(172, 171, 196), RGB(247, 247, 253), RGB(247, 247, 253),
                        RGB(203, 205, 217), RGB(234, 235, 240), RGB(225, 226, 236), RGB(182, 185, 201),
                        RGB(203, 205, 217), RGB(172, 171, 196)};
const Scheme kOlive = {RGB(147, 160, 112), RGB(172, 168, 153), kWhite,           RGB(165, 179, 133),
                       kWhite,             RGB(165, 179, 133), RGB(250, 251, 247), RGB(245, 247, 240),
                       RGB(208, 217, 181), RGB(241, 244, 233), RGB(173, 190, 126), RGB(197, 210, 165),
                       RGB(208, 217, 181), RGB(165, 179, 133)};

COLORREF outlineOf(const Scheme& s, bool selected) { return selected ? s.outlineSel : s.outlineOther; }
COLORREF innerOf(const Scheme& s, bool selected, bool hover, bool disabled, bool left)
{
    if (selected || (hover && !disabled))
        return s.innerSelHover;
    if (disabled)
        return s.innerDisabled;
    return left ? s.innerLeft : s.innerRight;
}
COLORREF lightOf(const Scheme& s, bool selected, bool hover, bool disabled)
{
    return pick(selected, hover, disabled, s.lightSel, s.lightHover, s.lightDisabled, s.lightNormal);
}
COLORREF darkOf(const Scheme& s, bool selected, bool hover, bool disabled)
{
    return pick(selected, hover, disabled, s.darkSel, s.darkHover, s.darkDisabled, s.darkNormal);
}

} // namespace

void DrawWarmButtonFrame(CDC* dc, const CRect& rect, bool hover, bool pushed, COLORREF frame)
{
    if (!hover && !pushed)
        return;
    FillSolid(dc, rect, hover && pushed ? RGB(255, 182, 115) : RGB(255, 227, 173));
    DrawRectFrame(dc, rect, frame);
}

#define MIRTAL_SCHEME(Class, scheme)                                                                           \
    COLORREF Class::GetTabOutlineColor(TabCtrl*, bool selected, bool) { return outlineOf(scheme, selected); } \
    COLORREF Class::GetTabInsideOutlineColor(TabCtrl*, bool selected, bool hover, bool disabled, bool left)   \
    {                                                                                                          \
        return innerOf(scheme, selected, hover, disabled, left);                                               \
    }                                                                                                          \
    COLORREF Class::GetTabGradientLightColor(TabCtrl*, bool selected, bool hover, bool disabled)              \
    {                                                                                                          \
        return lightOf(scheme, selected, hover, disabled);                                                     \
    }                                                                                                          \
    COLORREF Class::GetTabGradientDarkColor(TabCtrl*, bool selected, bool hover, bool disabled)               \
    {                                                                                                          \
        return darkOf(scheme, selected, hover, disabled);                                                      \
    }

MIRTAL_SCHEME(TabCtrlStyle_VS2008_client_classic, classic())
MIRTAL_SCHEME(TabCtrlStyle_VS2008_client_blue, kBlue)
MIRTAL_SCHEME(TabCtrlStyle_VS2008_client_silver, kSilver)
MIRTAL_SCHEME(TabCtrlStyle_VS2008_client_olive, kOlive)
#undef MIRTAL_SCHEME

void TabCtrlStyle_VS2008_client_silver::DrawButtonFrame(TabCtrl*, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    DrawWarmButtonFrame(dc, rect, hover, pushed, RGB(74, 73, 107));
}

void TabCtrlStyle_VS2008_client_olive::DrawButtonFrame(TabCtrl*, CDC* dc, const CRect& rect, bool hover, bool pushed)
{
    DrawWarmButtonFrame(dc, rect, hover, pushed, RGB(118, 128, 95));
}
