#include "controls/TabCtrl.h"

#include "platform/win/WidgetAccess.h"

#include <algorithm>

namespace {

constexpr UINT kCaptureChanged = 0x0215; // WM_CAPTURECHANGED
constexpr UINT kMButtonDown = 0x0207;
constexpr UINT kSetCursor = 0x0020;
constexpr UINT kCsDblClks = 0x0008;

CRect deflated(CRect r, const CRect& by)
{
    r.DeflateRect(by.left, by.top, by.right, by.bottom);
    return r;
}

// Rounds num / den half up (den > 0, num >= 0).
int roundDiv(long long num, long long den) { return int((2 * num + den) / (2 * den)); }

bool copyFont(CFont& target, CFont* source)
{
    LOGFONT lf;
    if (!source || !source->GetLogFont(&lf))
        return false;
    target.DeleteObject();
    return target.CreateFontIndirect(&lf) != FALSE;
}

} // namespace

// ---------------------------------------------------------------------------
// The tooltip

void TabToolTip::SetText(const std::string& text)
{
    if (text == m_text)
        return;
    m_text = text;
    win::SetToolTip(m_owner, text);
}

// ---------------------------------------------------------------------------
// Defaults

int TabCtrl::Service::GetBorderWidth(TabCtrl*, ITabCtrlRecalc*) { return 1; }
CRect TabCtrl::Service::GetCtrlAreaPadding(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    return ctrl->GetLayout() == LayoutTop ? CRect(3, 1, 3, 2) : CRect(3, 2, 3, 1);
}
CRect TabCtrl::Service::GetWndsAreaPadding(TabCtrl*, ITabCtrlRecalc*) { return CRect(0, 0, 0, 0); }
CRect TabCtrl::Service::GetTabHorzMargin(TabCtrl*, ITabCtrlRecalc*) { return CRect(0, 0, 0, 0); }
CRect TabCtrl::Service::GetTabPadding(TabCtrl*, ITabCtrlRecalc*) { return CRect(5, 3, 5, 3); }
int TabCtrl::Service::GetTabImageTextGap(TabCtrl*, ITabCtrlRecalc*) { return 3; }
int TabCtrl::Service::GetTabExtraWidth(TabCtrl*, ITabCtrlRecalc*, HTAB) { return 0; }
int TabCtrl::Service::GetTabMinWidth(TabCtrl* ctrl, ITabCtrlRecalc*)
{
    const CRect pad = ctrl->GetTabPadding();
    CSize normal, disabled;
    ctrl->GetImageSizes(&normal, &disabled);
    return pad.left + pad.right + std::max(normal.cx, disabled.cx);
}
CRect TabCtrl::Service::GetButtonScrollLeftHorzMargin(TabCtrl*, ITabCtrlRecalc*) { return CRect(8, 0, 0, 0); }
CRect TabCtrl::Service::GetButtonScrollRightHorzMargin(TabCtrl*, ITabCtrlRecalc*) { return CRect(0, 0, 0, 0); }
CRect TabCtrl::Service::GetButtonMenuHorzMargin(TabCtrl*, ITabCtrlRecalc*) { return CRect(8, 0, 0, 0); }
CRect TabCtrl::Service::GetButtonCloseHorzMargin(TabCtrl*, ITabCtrlRecalc*) { return CRect(2, 0, 2, 0); }

HTAB TabCtrl::Service::HitTest(TabCtrl* ctrl, ITabCtrlBehavior*, CPoint point)
{
    if (!ctrl->GetTabsArea().PtInRect(point))
        return nullptr;
    for (int i = 0; i < ctrl->GetCount(); ++i)
        if (ctrl->GetTabRect(ctrl->GetTab(i)).PtInRect(point))
            return ctrl->GetTab(i);
    return nullptr;
}

bool TabCtrl::Service::SetCursor(TabCtrl*, ITabCtrlBehavior*)
{
    // The program gives the control no cursor: the arrow stays.
    return false;
}

TabToolTip* TabCtrl::Service::CreateToolTip(TabCtrl* ctrl, ITabCtrlToolTip*)
{
    m_toolTip = std::make_unique<TabToolTip>(ctrl);
    return m_toolTip.get();
}

// ---------------------------------------------------------------------------
// The control

BEGIN_MESSAGE_MAP(TabCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(kMButtonDown, OnMButtonDown)
    ON_MESSAGE(kCaptureChanged, OnCaptureChanged)
    ON_MESSAGE(kSetCursor, OnSetCursorMsg)
    ON_WM_TIMER()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TabCtrl::TabCtrl() = default;

TabCtrl::Service& TabCtrl::DefaultService()
{
    static Service service;
    return service;
}

TabCtrl::~TabCtrl()
{
    // Destroy the window while the object is whole, so its own handlers run.
    if (m_hWnd)
        DestroyWindow();
    if (m_dragging)
        KeyboardHook::Instance().Remove(this);
    *m_alive = false;
}

bool TabCtrl::Create(CWnd* parent, DWORD style, const RECT& rect, UINT id)
{
    if (!m_fontNormal.IsCreated() && !copyFont(m_fontNormal, static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT))))
        return false;
    if (!m_fontSelected.IsCreated() &&
        !copyFont(m_fontSelected, static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT))))
        return false;
    const std::string cls = RegisterClassOnce("TabCtrl", kCsDblClks, nullptr, nullptr, nullptr);
    m_alive = std::make_shared<bool>(true);
    if (!CWnd::Create(cls.c_str(), "", style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, parent, id))
        return false;
    win::TrackMouseMoves(this);
    m_toolTip = m_toolTipMgr->CreateToolTip(this, &m_service);
    if (m_toolTip)
        m_toolTip->SetToolRect(CRect());
    static const char* const defaults[4] = {"Close", "Menu", "Scroll Left", "Scroll Right"};
    for (int i = 0; i < 4; ++i)
        if (m_buttonTips[i].empty())
            m_buttonTips[i] = defaults[i];
    if (m_watchActivity)
        ActivityHook::Instance().Add(this, m_hWnd);
    return true;
}

void TabCtrl::InstallStyle(ITabCtrlStyle* style)
{
    SetDrawManager(style->GetDrawManager());
    SetRecalcManager(style->GetRecalcManager());
    SetBehaviorManager(style->GetBehaviorManager());
    SetToolTipManager(style->GetToolTipManager());
}

HTAB TabCtrl::AddTab(HWND wnd, const char* text, int image) { return InsertTab(nullptr, wnd, text, image); }

HTAB TabCtrl::InsertTab(HTAB before, HWND wnd, const char* text, int image)
{
    const std::string caption = text ? text : "";
    if (m_notify) {
        const auto alive = m_alive;
        m_notify->OnTabAdding(this, wnd, caption, image);
        if (!*alive)
            return nullptr;
    }
    auto item = std::make_unique<TabItem>();
    item->wnd = wnd;
    item->text = caption;
    item->image = image;
    HTAB tab = item.get();
    const int at = before ? GetTabIndex(before) : -1;
    m_tabs.insert(at >= 0 ? m_tabs.begin() + at : m_tabs.end(), std::move(item));
    if (m_selected)
        ShowChildWindow(CWnd::FromHandle(wnd), false);
    else
        m_selected = GetFirstEnabledTab(); // placed and shown by the next layout
    if (m_notify)
        m_notify->OnTabAdded(this, tab);
    return tab;
}

void TabCtrl::DeleteTab(HTAB tab)
{
    const int index = GetTabIndex(tab);
    if (index < 0)
        return;
    if (tab == m_pushed) {
        const auto alive = m_alive;
        StopPressing();
        EndDragging(true);
        if (!*alive)
            return;
    }
    if (tab == m_hot)
        m_hot = nullptr;
    if (tab == m_selected) {
        HTAB next = GetNextEnabledTab(tab);
        if (!next)
            next = GetPrevEnabledTab(tab);
        if (next)
            SelectTab(next);
        else
            m_selected = nullptr;
    }
    CWnd* w = CWnd::FromHandle(tab->wnd);
    if (w && w->GetParent() == this)
        ShowChildWindow(w, false);
    if (m_notify) {
        const auto alive = m_alive;
        m_notify->OnTabRemoving(this, tab);
        if (!*alive)
            return;
    }
    m_tabs.erase(m_tabs.begin() + GetTabIndex(tab));
    if (m_tabs.empty()) {
        m_scrollPos = 0;
        m_scrollNeeded = m_canScrollLeft = m_canScrollRight = false;
    }
}

void TabCtrl::DeleteAllTabs()
{
    for (auto& t : m_tabs) {
        if (m_notify)
            m_notify->OnTabRemoving(this, t.get());
        CWnd* w = CWnd::FromHandle(t->wnd);
        if (w && w->GetParent() == this)
            ShowChildWindow(w, false);
    }
    StopPressing();
    m_pushed = nullptr; // the tabs are gone: the drag ends without them
    if (m_dragging) {
        m_dragging = false;
        KeyboardHook::Instance().Remove(this);
    }
    LetCaptureGo();
    m_savedOrder.clear();
    m_tabs.clear();
    m_selected = m_hot = nullptr;
    m_scrollPos = 0;
    m_scrollNeeded = m_canScrollLeft = m_canScrollRight = false;
}

void TabCtrl::MoveTabBefore(HTAB anchor, HTAB moved)
{
    const int a = GetTabIndex(anchor), m = GetTabIndex(moved);
    if (a < 0 || m < 0 || a == m || m == a - 1)
        return;
    auto item = std::move(m_tabs[size_t(m)]);
    m_tabs.erase(m_tabs.begin() + m);
    m_tabs.insert(m_tabs.begin() + GetTabIndex(anchor), std::move(item));
}

void TabCtrl::MoveTabAfter(HTAB anchor, HTAB moved)
{
    const int a = GetTabIndex(anchor), m = GetTabIndex(moved);
    if (a < 0 || m < 0 || a == m || m == a + 1)
        return;
    auto item = std::move(m_tabs[size_t(m)]);
    m_tabs.erase(m_tabs.begin() + m);
    m_tabs.insert(m_tabs.begin() + GetTabIndex(anchor) + 1, std::move(item));
}

void TabCtrl::Update(bool redraw)
{
    Recalc(redraw);
    if (redraw && m_hWnd)
        Invalidate(FALSE);
}

void TabCtrl::SelectTab(HTAB tab)
{
    if (tab == m_selected || !IsTabExist(tab) || tab->disabled)
        return;
    if (CWnd* w = CWnd::FromHandle(tab->wnd)) {
        MoveWindowIfChanged(w, deflated(m_wndsArea, GetWndsAreaPadding()), false);
        ShowChildWindow(w, true);
    }
    if (m_selected)
        ShowChildWindow(CWnd::FromHandle(m_selected->wnd), false);
    m_selected = tab;
}

void TabCtrl::SetTabText(HTAB tab, const char* text) { tab->text = text ? text : ""; }
std::string TabCtrl::GetTabText(HTAB tab) const { return tab->text; }
void TabCtrl::SetTabTooltipText(HTAB tab, const char* text) { tab->tooltipText = text ? text : ""; }
void TabCtrl::DisableTab(HTAB tab, bool disable) { tab->disabled = disable; }
int TabCtrl::GetTabImage(HTAB tab) const { return tab->image; }
HWND TabCtrl::GetTabWnd(HTAB tab) const { return tab->wnd; }
bool TabCtrl::IsTabDisabled(HTAB tab) const { return tab->disabled; }
CRect TabCtrl::GetTabRect(HTAB tab) const { return tab->rect; }

HTAB TabCtrl::GetTab(int index) const
{
    return index >= 0 && index < int(m_tabs.size()) ? m_tabs[size_t(index)].get() : nullptr;
}

int TabCtrl::GetTabIndex(HTAB tab) const
{
    for (size_t i = 0; i < m_tabs.size(); ++i)
        if (m_tabs[i].get() == tab)
            return int(i);
    return -1;
}

HTAB TabCtrl::GetFirstEnabledTab() const
{
    for (auto& t : m_tabs)
        if (!t->disabled)
            return t.get();
    return nullptr;
}

HTAB TabCtrl::GetNextEnabledTab(HTAB tab) const
{
    const int i = GetTabIndex(tab);
    if (i >= 0)
        for (size_t j = size_t(i) + 1; j < m_tabs.size(); ++j)
            if (!m_tabs[j]->disabled)
                return m_tabs[j].get();
    return nullptr;
}

HTAB TabCtrl::GetPrevEnabledTab(HTAB tab) const
{
    for (int j = GetTabIndex(tab) - 1; j >= 0; --j)
        if (!m_tabs[size_t(j)]->disabled)
            return m_tabs[size_t(j)].get();
    return nullptr;
}

HTAB TabCtrl::HitTest(CPoint point) { return m_behavior->HitTest(this, &m_service, point); }

bool TabCtrl::IsTabVisible(HTAB tab, bool* partially) const
{
    const CRect& r = tab->rect;
    if (partially)
        *partially = r.left < m_tabsArea.left || r.right > m_tabsArea.right;
    return r.right > m_tabsArea.left && r.left < m_tabsArea.right;
}

int TabCtrl::CompareTabsOrder(HTAB a, HTAB b) const
{
    if (a == b)
        return 0;
    return GetTabIndex(b) < GetTabIndex(a) ? 1 : -1;
}

CRect TabCtrl::GetButtonRect(uintptr_t b) const
{
    switch (b) {
    case kButtonClose: return m_btnClose;
    case kButtonMenu: return m_btnMenu;
    case kButtonScrollLeft: return m_btnScrollLeft;
    case kButtonScrollRight: return m_btnScrollRight;
    default: return CRect();
    }
}

bool TabCtrl::SetFontNormal(CFont* font) { return copyFont(m_fontNormal, font); }
bool TabCtrl::SetFontSelected(CFont* font) { return copyFont(m_fontSelected, font); }

void TabCtrl::SetImageLists(TabImageList* normal, TabImageList* disabled)
{
    m_images = normal;
    m_disabledImages = disabled;
}

void TabCtrl::GetImageLists(TabImageList** normal, TabImageList** disabled) const
{
    if (normal)
        *normal = m_images;
    if (disabled)
        *disabled = m_disabledImages;
}

void TabCtrl::GetImageSizes(CSize* normal, CSize* disabled) const
{
    if (normal)
        *normal = m_images ? m_images->GetImageSize() : CSize(0, 0);
    if (disabled)
        *disabled = m_disabledImages ? m_disabledImages->GetImageSize() : CSize(0, 0);
}

CSize TabCtrl::GetButtonImageSize() const { return m_buttonImages ? m_buttonImages->GetImageSize() : CSize(0, 0); }

int TabCtrl::GetBorderWidth() { return m_recalc->GetBorderWidth(this, &m_service); }
CRect TabCtrl::GetCtrlAreaPadding() { return m_recalc->GetCtrlAreaPadding(this, &m_service); }
CRect TabCtrl::GetWndsAreaPadding() { return m_recalc->GetWndsAreaPadding(this, &m_service); }
CRect TabCtrl::GetTabHorzMargin() { return m_recalc->GetTabHorzMargin(this, &m_service); }
CRect TabCtrl::GetTabPadding() { return m_recalc->GetTabPadding(this, &m_service); }
int TabCtrl::GetTabImageTextGap() { return m_recalc->GetTabImageTextGap(this, &m_service); }
int TabCtrl::GetTabExtraWidth(HTAB tab) { return m_recalc->GetTabExtraWidth(this, &m_service, tab); }
int TabCtrl::GetTabMinWidth() { return m_recalc->GetTabMinWidth(this, &m_service); }

TabImageList* TabCtrl::imagesFor(HTAB tab) const { return tab->disabled ? m_disabledImages : m_images; }

int TabCtrl::CalcCtrlAreaHeight()
{
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_fontNormal);
    int text = dc.GetTextExtent("H").cy;
    dc.SelectObject(&m_fontSelected);
    text = std::max<int>(text, dc.GetTextExtent("H").cy);
    dc.SelectObject(old);
    CSize normal, disabled;
    GetImageSizes(&normal, &disabled);
    const int content = std::max<int>(text, std::max(normal.cy, disabled.cy));
    const CRect pad = GetTabPadding();
    const int tab = std::max<int>(GetButtonImageSize().cy, pad.top + content + pad.bottom);
    const CRect ca = GetCtrlAreaPadding();
    return ca.top + tab + ca.bottom;
}

void TabCtrl::PlaceSelectedWindow(bool redraw)
{
    if (!m_selected)
        return;
    if (CWnd* w = CWnd::FromHandle(m_selected->wnd)) {
        MoveWindowIfChanged(w, deflated(m_wndsArea, GetWndsAreaPadding()), redraw);
        if (!w->IsWindowVisible())
            ShowChildWindow(w, true);
    }
}

void TabCtrl::CalcTabWidths()
{
    CClientDC dc(this);
    const int minWidth = GetTabMinWidth();
    const CRect pad = GetTabPadding();
    const int gap = GetTabImageTextGap();
    int largest = 0;
    for (auto& t : m_tabs) {
        int image = 0;
        if (t->image >= 0)
            if (TabImageList* list = imagesFor(t.get()))
                image = list->GetImageSize().cx + gap;
        CFont* old = dc.SelectObject(&m_fontNormal);
        int text = dc.GetTextExtent(t->text).cx;
        dc.SelectObject(&m_fontSelected);
        text = std::max<int>(text, dc.GetTextExtent(t->text).cx);
        dc.SelectObject(old);
        t->width = GetTabExtraWidth(t.get()) + pad.left + image + text + pad.right;
        largest = std::max(largest, t->width);
    }
    for (auto& t : m_tabs)
        t->width = m_equalTabs ? std::max(minWidth, largest) : std::max(t->width, minWidth);
}

void TabCtrl::Recalc(bool redraw)
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    m_wndsArea = client;
    if (m_border) {
        const int b = GetBorderWidth();
        m_wndsArea.DeflateRect(b, b);
    }
    m_btnClose = m_btnMenu = m_btnScrollLeft = m_btnScrollRight = CRect();
    if (m_tabs.empty() || (m_tabs.size() == 1 && m_hideSingleTab)) {
        m_ctrlArea = m_tabsArea = CRect();
        if (m_tabs.size() == 1) {
            HTAB single = m_tabs[0].get();
            single->rect = CRect();
            single->width = 0;
            if (m_selected && m_selected != single && IsTabExist(m_selected))
                ShowChildWindow(CWnd::FromHandle(m_selected->wnd), false);
            m_selected = single->disabled ? nullptr : single;
            if (m_selected)
                PlaceSelectedWindow(redraw);
            else
                ShowChildWindow(CWnd::FromHandle(single->wnd), false);
        } else {
            m_selected = nullptr;
        }
        if (m_toolTip)
            m_toolTip->SetToolRect(m_ctrlArea);
        return;
    }

    const int strip = CalcCtrlAreaHeight();
    if (m_layout == LayoutTop) {
        m_ctrlArea = CRect(m_wndsArea.left, m_wndsArea.top, m_wndsArea.right, m_wndsArea.top + strip);
        m_wndsArea.top += strip;
        m_wndsArea.bottom = std::max(m_wndsArea.bottom, m_wndsArea.top);
    } else {
        m_ctrlArea = CRect(m_wndsArea.left, m_wndsArea.bottom - strip, m_wndsArea.right, m_wndsArea.bottom);
        m_wndsArea.bottom -= strip;
        m_wndsArea.top = std::min(m_wndsArea.top, m_wndsArea.bottom);
    }

    // Selection repair.
    HTAB old = m_selected;
    if (m_selected && !IsTabExist(m_selected))
        old = m_selected = nullptr;
    if (!m_selected)
        m_selected = GetFirstEnabledTab();
    else if (m_selected->disabled) {
        HTAB next = GetNextEnabledTab(m_selected);
        m_selected = next ? next : GetPrevEnabledTab(m_selected);
    }
    PlaceSelectedWindow(redraw);
    if (old && old != m_selected)
        ShowChildWindow(CWnd::FromHandle(old->wnd), false);

    m_tabsArea = deflated(m_ctrlArea, GetCtrlAreaPadding());
    CalcTabWidths();

    // Buttons, from the right edge of the tabs area leftwards.
    const CSize bs = GetButtonImageSize();
    const bool images = m_buttonImages != nullptr;
    const int bTop = (m_tabsArea.top + m_tabsArea.bottom - bs.cy) / 2;
    auto place = [&](CRect& r, const CRect& margin) {
        r = CRect(m_tabsArea.right - margin.right - bs.cx, bTop, m_tabsArea.right - margin.right, bTop + bs.cy);
        m_tabsArea.right = r.left - margin.left;
    };
    if (m_showClose && images && m_ability->CanShowButtonClose(this))
        place(m_btnClose, m_recalc->GetButtonCloseHorzMargin(this, &m_service));
    if (m_showMenu && images && m_ability->CanShowButtonMenu(this))
        place(m_btnMenu, m_recalc->GetButtonMenuHorzMargin(this, &m_service));
    if (m_showScroll && images && m_behaviorKind == BehaviorScroll && m_ability->CanShowButtonScroll(this)) {
        const CRect mL = m_recalc->GetButtonScrollLeftHorzMargin(this, &m_service);
        const CRect mR = m_recalc->GetButtonScrollRightHorzMargin(this, &m_service);
        m_btnScrollRight =
            CRect(m_tabsArea.right - mR.right - bs.cx, bTop, m_tabsArea.right - mR.right, bTop + bs.cy);
        const int slRight = m_btnScrollRight.left - mR.left - mL.right;
        m_btnScrollLeft = CRect(slRight - bs.cx, bTop, slRight, bTop + bs.cy);
        m_tabsArea.right = m_btnScrollLeft.left - mL.left;
    }

    // Scrolling.
    const CRect margin = GetTabHorzMargin();
    const int n = int(m_tabs.size());
    const int available = std::max<int>(0, m_tabsArea.Width() - 1);
    int needed = n * (margin.left + margin.right);
    for (auto& t : m_tabs)
        needed += t->width;
    m_scrollRange = std::max(0, needed - available);
    m_scrollPos = std::clamp(m_scrollPos, 0, m_scrollRange);
    m_scrollNeeded = m_scrollRange >= 1;
    m_canScrollLeft = m_scrollNeeded && m_scrollPos > 0;
    m_canScrollRight = m_scrollNeeded && m_scrollPos < m_scrollRange;

    // Tab rectangles.
    const int minWidth = GetTabMinWidth();
    std::vector<int> widths;
    for (auto& t : m_tabs)
        widths.push_back(t->width);
    int x = m_tabsArea.left;
    if (m_behaviorKind == BehaviorScroll) {
        x -= m_scrollPos;
    } else if (available < needed) {
        int avg = (available - n * (margin.left + margin.right)) / n;
        if (avg <= 0)
            avg = 1;
        if (m_equalTabs) {
            for (int& w : widths)
                w = std::max(avg, minWidth);
        } else {
            long long excess = 0;
            for (int w : widths)
                if (w > avg)
                    excess += w - avg;
            const long long shortfall = needed - available;
            int run = x;
            for (int i = 0; i < n; ++i) {
                if (i == n - 1) {
                    widths[size_t(i)] = std::max(minWidth, int(m_tabsArea.right - run - margin.left - margin.right - 1));
                } else {
                    if (widths[size_t(i)] > avg && excess > 0)
                        widths[size_t(i)] = std::max(
                            minWidth, widths[size_t(i)] - roundDiv(shortfall * (widths[size_t(i)] - avg), excess));
                    run += margin.left + widths[size_t(i)] + margin.right;
                }
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        TabItem* t = m_tabs[size_t(i)].get();
        t->rect = CRect(x + margin.left, m_tabsArea.top, x + margin.left + widths[size_t(i)], m_tabsArea.bottom);
        x += margin.left + widths[size_t(i)] + margin.right;
    }
    if (m_toolTip)
        m_toolTip->SetToolRect(m_ctrlArea);
}

void TabCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (!m_draw)
        return;
    VirtualWindow vw(&dc, this, &m_paintSurface);
    CRect client;
    GetClientRect(client);
    m_draw->DrawBegin(this, &vw);
    if (!m_tabs.empty()) {
        m_draw->DrawCtrlAreaBack(this, &vw, m_ctrlArea);
        CFont* oldFont = vw.SelectObject(&m_fontNormal);
        RgnEx clip;
        clip.SetRectRgn(m_tabsArea.left, m_tabsArea.top, std::max(m_tabsArea.left, m_tabsArea.right),
                        m_tabsArea.bottom);
        vw.SelectClipRgn(&clip);
        std::vector<HTAB> order;
        for (auto& t : m_tabs)
            if (t.get() != m_selected && IsTabVisible(t.get()))
                order.push_back(t.get());
        if (!m_draw->IsStraightOrder(this))
            std::reverse(order.begin(), order.end());
        for (HTAB t : order)
            m_draw->DrawTab(this, &vw, t, &clip);
        if (m_selected && IsTabExist(m_selected) && IsTabVisible(m_selected)) {
            if (!m_watchActivity || m_active)
                vw.SelectObject(&m_fontSelected);
            m_draw->DrawTab(this, &vw, m_selected, &clip);
        }
        vw.SelectClipRgn(nullptr);
        vw.SelectObject(oldFont);
        auto hover = [&](uintptr_t b) {
            return GetHotItem() == b && (m_pushed == nullptr || GetPushedItem() == b);
        };
        if (!m_btnScrollLeft.IsRectEmpty())
            m_draw->DrawButtonScrollLeft(this, &vw, m_btnScrollLeft, hover(kButtonScrollLeft),
                                         GetPushedItem() == kButtonScrollLeft, m_canScrollLeft);
        if (!m_btnScrollRight.IsRectEmpty())
            m_draw->DrawButtonScrollRight(this, &vw, m_btnScrollRight, hover(kButtonScrollRight),
                                          GetPushedItem() == kButtonScrollRight, m_canScrollRight);
        if (!m_btnMenu.IsRectEmpty())
            m_draw->DrawButtonMenu(this, &vw, m_btnMenu, hover(kButtonMenu), GetPushedItem() == kButtonMenu,
                                   m_scrollNeeded);
        if (!m_btnClose.IsRectEmpty())
            m_draw->DrawButtonClose(this, &vw, m_btnClose, hover(kButtonClose), GetPushedItem() == kButtonClose);
    }
    const CRect wp = GetWndsAreaPadding();
    if (m_tabs.empty() || !m_selected || !wp.IsRectNull())
        m_draw->DrawWndsAreaBack(this, &vw, m_wndsArea);
    if (m_border && GetBorderWidth() > 0)
        m_draw->DrawBorder(this, &vw, client);
    m_draw->DrawEnd(this, &vw);
}

void TabCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Recalc(true);
    Invalidate(FALSE);
}

// ---------------------------------------------------------------------------
// Mouse, keys, timers

CPoint TabCtrl::ToScreen(CPoint p) const
{
    ClientToScreen(&p);
    return p;
}

void TabCtrl::TakeCapture() { m_hasCapture = true; }
void TabCtrl::LetCaptureGo() { m_hasCapture = false; }

std::string TabCtrl::GetToolTipText()
{
    switch (GetHotItem()) {
    case 0: return "";
    case kButtonClose: return m_buttonTips[0];
    case kButtonMenu: return m_buttonTips[1];
    case kButtonScrollLeft: return m_buttonTips[2];
    case kButtonScrollRight: return m_buttonTips[3];
    default: break;
    }
    if (!IsTabExist(m_hot))
        return "";
    CRect visible = m_hot->rect;
    visible.left = std::max(visible.left, m_tabsArea.left);
    visible.right = std::min(visible.right, m_tabsArea.right);
    if (visible.right <= visible.left)
        return "";
    if (!m_hot->tooltipText.empty())
        return m_hot->tooltipText;
    if (visible.Width() < m_hot->width)
        return m_hot->text;
    return "";
}

void TabCtrl::UpdateHover(CPoint point)
{
    HTAB old = m_hot;
    m_hot = nullptr;
    if (m_selected) {
        const std::pair<const CRect*, uintptr_t> buttons[] = {{&m_btnClose, kButtonClose},
                                                              {&m_btnMenu, kButtonMenu},
                                                              {&m_btnScrollLeft, kButtonScrollLeft},
                                                              {&m_btnScrollRight, kButtonScrollRight}};
        for (auto& [r, id] : buttons)
            if (r->PtInRect(point)) {
                m_hot = button(id);
                break;
            }
    }
    if (!m_hot)
        m_hot = HitTest(point);
    if (m_hot != old) {
        Invalidate(FALSE);
        UpdateWindow();
        if (m_toolTip && m_toolTips)
            m_toolTip->SetText(GetToolTipText());
    }
}

void TabCtrl::OnMouseMove(UINT, CPoint point)
{
    Default();
    UpdateHover(point);
    if (!m_dragEnabled || !m_pushed || isButton(m_pushed))
        return;
    const auto alive = m_alive;
    HTAB dragged = m_pushed;
    if (!m_dragging) {
        const CRect square(m_pressPoint.x - 3, m_pressPoint.y - 3, m_pressPoint.x + 3, m_pressPoint.y + 3);
        if (square.PtInRect(point))
            return;
        m_dragging = true;
        KeyboardHook::Instance().Add(this);
        m_savedOrder.clear();
        for (auto& t : m_tabs)
            m_savedOrder.push_back(t.get());
        if (m_notify)
            m_notify->OnDragBegin(this, dragged, ToScreen(point));
        return;
    }
    if (!m_ctrlArea.PtInRect(point)) {
        if (m_notify)
            m_notify->OnDragMove(this, dragged, ToScreen(point), true);
        return;
    }
    if (m_hot && !isButton(m_hot) && m_hot != dragged) {
        const CRect hr = m_hot->rect;
        const int dw = dragged->rect.Width();
        const bool before = CompareTabsOrder(m_hot, dragged) < 0;
        const CRect zone = before ? CRect(hr.left, hr.top, hr.left + dw, hr.bottom)
                                  : CRect(hr.right - dw, hr.top, hr.right, hr.bottom);
        if (zone.PtInRect(point)) {
            if (before)
                MoveTabBefore(m_hot, dragged);
            else
                MoveTabAfter(m_hot, dragged);
            Update(true);
            UpdateHover(point);
            Invalidate(FALSE);
        }
    }
    if (*alive && m_notify)
        m_notify->OnDragMove(this, dragged, ToScreen(point), false);
}

void TabCtrl::OnMouseLeave()
{
    if (m_hot) {
        m_hot = nullptr;
        Invalidate(FALSE);
    }
    Default();
}

void TabCtrl::ScrollStep(bool left) { m_scrollPos += left ? -m_scrollStep : m_scrollStep; }

void TabCtrl::Press(CPoint point)
{
    if (!m_hot) {
        Invalidate(FALSE);
        return;
    }
    const auto alive = m_alive;
    if (isButton(m_hot)) {
        m_pushed = m_hot;
        if (GetPushedItem() == kButtonScrollLeft) {
            ScrollStep(true);
            StartTimer(1, 300);
            Update(true);
        } else if (GetPushedItem() == kButtonScrollRight) {
            ScrollStep(false);
            StartTimer(3, 300);
            Update(true);
        }
        TakeCapture();
    } else {
        HTAB tab = m_hot;
        const bool select = !tab->disabled && tab != m_selected;
        if (!tab->disabled && m_dragEnabled) {
            m_pressPoint = point;
            m_pushed = tab;
            TakeCapture();
        }
        if (m_notify) {
            m_notify->OnTabPressed(this, tab, ToScreen(point));
            if (!*alive)
                return;
        }
        if (select && IsTabExist(tab)) {
            SelectTab(tab);
            Update(true);
            if (m_notify) {
                m_notify->OnTabSelected(this, tab);
                if (!*alive)
                    return;
            }
        }
    }
    Invalidate(FALSE);
}

void TabCtrl::FocusShownWindow()
{
    if (!m_selected)
        return;
    CWnd* w = CWnd::FromHandle(m_selected->wnd);
    if (w && CWnd::GetFocus() != w)
        w->SetFocus();
}

void TabCtrl::OnLButtonDown(UINT, CPoint point)
{
    const auto alive = m_alive;
    Press(point);
    if (!*alive)
        return;
    FocusShownWindow();
    Default();
}

void TabCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    const auto alive = m_alive;
    Press(point);
    if (!*alive)
        return;
    Default();
    if (m_hot && !isButton(m_hot) && m_notify)
        m_notify->OnTabDoubleClicked(this, m_hot, ToScreen(point));
}

void TabCtrl::StopPressing()
{
    if (!isButton(m_pushed))
        return;
    if (GetPushedItem() == kButtonScrollLeft) {
        StopTimer(1);
        StopTimer(2);
    } else if (GetPushedItem() == kButtonScrollRight) {
        StopTimer(3);
        StopTimer(4);
    }
    m_pushed = nullptr;
    LetCaptureGo();
}

void TabCtrl::EndDragging(bool cancelled)
{
    if (!m_pushed || isButton(m_pushed))
        return;
    HTAB tab = m_pushed;
    m_pushed = nullptr;
    LetCaptureGo();
    if (!m_dragging)
        return;
    m_dragging = false;
    if (KeyboardHook::Instance().IsRegistered(this))
        KeyboardHook::Instance().Remove(this);
    if (cancelled && !m_savedOrder.empty()) {
        // Back to the order of the drag's start; tabs added since stay at the end.
        std::vector<std::unique_ptr<TabItem>> restored;
        for (HTAB saved : m_savedOrder) {
            const int i = GetTabIndex(saved);
            if (i >= 0)
                restored.push_back(std::move(m_tabs[size_t(i)]));
        }
        for (auto& t : m_tabs)
            if (t)
                restored.push_back(std::move(t));
        m_tabs = std::move(restored);
        Update(true);
    }
    m_savedOrder.clear();
    if (m_notify)
        m_notify->OnDragEnd(this, tab, cancelled);
}

void TabCtrl::OnLButtonUp(UINT, CPoint point)
{
    Default();
    if (!m_pushed)
        return;
    const bool close = GetPushedItem() == kButtonClose && m_btnClose.PtInRect(point);
    const bool menu = GetPushedItem() == kButtonMenu && m_btnMenu.PtInRect(point);
    const auto alive = m_alive;
    StopPressing();
    Invalidate(FALSE);
    EndDragging(false);
    if (!*alive || !m_notify || !(close || menu))
        return;
    m_pushed = button(close ? kButtonClose : kButtonMenu);
    const CRect r = close ? m_btnClose : m_btnMenu;
    if (close)
        m_notify->OnButtonCloseClicked(this, r, ToScreen(point));
    else
        m_notify->OnButtonMenuClicked(this, r, ToScreen(point));
    if (!*alive)
        return; // the receiver destroyed the control
    m_pushed = nullptr;
    Invalidate(FALSE);
}

void TabCtrl::OnRButtonDown(UINT, CPoint point)
{
    FocusShownWindow();
    if (!isButton(m_hot) && m_notify) {
        const auto alive = m_alive;
        m_notify->OnTabRightPressed(this, m_hot, ToScreen(point));
        if (!*alive)
            return;
    }
    Default();
}

void TabCtrl::OnRButtonUp(UINT, CPoint point)
{
    Default();
    if (!isButton(m_hot) && m_notify)
        m_notify->OnTabRightReleased(this, m_hot, ToScreen(point));
}

LRESULT TabCtrl::OnMButtonDown(WPARAM, LPARAM)
{
    FocusShownWindow();
    return Default();
}

LRESULT TabCtrl::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
        const auto alive = m_alive;
        StopPressing();
        EndDragging(true);
        if (!*alive)
            return 0;
        Invalidate(FALSE);
    }
    return Default();
}

LRESULT TabCtrl::OnSetCursorMsg(WPARAM, LPARAM)
{
    if (m_behavior->SetCursor(this, &m_service))
        return TRUE;
    return Default();
}

void TabCtrl::OnTimer(UINT_PTR id)
{
    switch (id) {
    case 1:
    case 3: {
        StopTimer(id);
        const uintptr_t b = id == 1 ? kButtonScrollLeft : kButtonScrollRight;
        if (GetPushedItem() == b)
            StartTimer(id + 1, 20);
        break;
    }
    case 2:
    case 4:
        if (GetHotItem() == (id == 2 ? kButtonScrollLeft : kButtonScrollRight)) {
            ScrollStep(id == 2);
            Update(true);
        }
        break;
    default:
        CWnd::OnTimer(id);
        return;
    }
}

void TabCtrl::OnSetFocus(CWnd* old)
{
    CWnd::OnSetFocus(old);
    FocusShownWindow();
}

void TabCtrl::OnDestroy()
{
    DeleteAllTabs();
    if (m_cursor) {
        DestroyIcon(m_cursor);
        m_cursor = nullptr;
    }
    if (m_watchActivity && ActivityHook::Instance().IsRegistered(this))
        ActivityHook::Instance().Remove(this);
    *m_alive = false; // a notification running now leaves the control alone
    CWnd::OnDestroy();
}

BOOL TabCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The control's tip asks it nothing by message; the children's notes go on up.
    if (CWnd* parent = GetParent()) {
        *result = parent->SendMessage(WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

void TabCtrl::OnKeyDown(UINT key, UINT)
{
    if (key == VK_ESCAPE && m_dragging)
        EndDragging(true);
}

void TabCtrl::OnActivityChanged(bool active, HWND)
{
    if (active != m_active) {
        m_active = active;
        Invalidate(FALSE);
    }
}
