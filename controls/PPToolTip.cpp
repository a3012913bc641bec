#include "controls/PPToolTip.h"

#include "platform/win/ComboBox.h"
#include "platform/win/Display.h"
#include "platform/win/Input.h"
#include "platform/win/ScreenCapture.h"
#include "platform/win/WinDefs.h"

#include <algorithm>

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool EmptyRect(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

// The screen point of a mouse message (its lParam is in the window's client coordinates).
bool ScreenPointOf(const MSG* msg, CPoint& pt)
{
    CWnd* w = CWnd::FromHandle(msg->hwnd);
    if (!w)
        return false;
    pt = CPoint(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
    w->ClientToScreen(&pt);
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CPPToolTip, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETCURSOR, OnSetCursorMsg)
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
    ON_MESSAGE(UWM_HTML_HOTLINK_CHANGED, OnHotLinkChanged)
END_MESSAGE_MAP()

CPPToolTip::CPPToolTip()
{
    m_drawer.SetMaxWidth(0);
    m_colorBegin = m_colorMid = m_colorEnd = GetSysColor(COLOR_INFOBK);
    m_borderBrush.CreateSolidBrush(GetSysColor(COLOR_INFOTEXT));
    SetShadow(6, 6, 50, TRUE, 7, 7);
}

CPPToolTip::~CPPToolTip()
{
    if (m_hWnd)
        DestroyWindow();
    m_tools.clear();
}

BOOL CPPToolTip::Create(CWnd* parent, BOOL balloon)
{
    m_parent = parent ? parent->GetSafeHwnd() : nullptr;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "CPPToolTip", nullptr, WS_POPUP, CRect(0, 0, 0, 0), parent, 0))
        return FALSE;
    if (balloon) {
        m_ellipseW = m_ellipseH = 16;
        m_marginX = m_marginY = 12;
        m_arrowBase = 12;
        m_arrowHeight = 16;
        m_arrowOffset = 16;
    } else {
        m_ellipseW = m_ellipseH = 0;
        m_marginX = 3;
        m_marginY = 1;
        m_arrowBase = m_arrowHeight = m_arrowOffset = 0;
    }
    m_drawer.SetCallbackRepaint(m_hWnd, UWM_HTML_HOTLINK_CHANGED, 0);
    SetTimer(kTimerAnimation, kAnimationPeriod);
    return TRUE;
}

BOOL CPPToolTip::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HideTip();
    KillTimer(kTimerAnimation);
    return CWnd::DestroyWindow();
}

void CPPToolTip::AddTool(CWnd* wnd, const std::string& text, LPCRECT rect, UINT id)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return;
    TooltipToolInfo tool;
    tool.id = id;
    if (rect)
        tool.rect = *rect;
    tool.text = text;
    std::vector<TooltipToolInfo>& list = m_tools[wnd->GetSafeHwnd()];
    for (TooltipToolInfo& t : list)
        if (SameRect(t.rect, tool.rect)) {
            t = tool;
            return;
        }
    list.push_back(tool);
}

void CPPToolTip::RemoveTool(CWnd* wnd, LPCRECT rect)
{
    if (!wnd)
        return;
    const auto it = m_tools.find(wnd->GetSafeHwnd());
    if (it == m_tools.end())
        return;
    if (!rect) {
        m_tools.erase(it);
        return;
    }
    std::vector<TooltipToolInfo>& list = it->second;
    for (auto t = list.begin(); t != list.end(); ++t)
        if (SameRect(t->rect, *rect)) {
            list.erase(t);
            break;
        }
    if (list.empty())
        m_tools.erase(it);
}

const std::vector<TooltipToolInfo>* CPPToolTip::GetTools(CWnd* wnd) const
{
    const auto it = wnd ? m_tools.find(wnd->GetSafeHwnd()) : m_tools.end();
    return it == m_tools.end() ? nullptr : &it->second;
}

CPPToolTip& CPPToolTip::SetShadow(int offsetX, int offsetY, int darkness, BOOL blurred, int depthX, int depthY)
{
    // The shadow falls to the right and below; the window grows by it.
    m_shadowDx = std::clamp(offsetX, 0, 100);
    m_shadowDy = std::clamp(offsetY, 0, 100);
    m_shadowDarkness = std::clamp(darkness, 0, 100);
    m_shadowBlurred = blurred != FALSE;
    m_shadowDepthX = std::clamp(depthX, 0, 64);
    m_shadowDepthY = std::clamp(depthY, 0, 64);
    return *this;
}

BOOL CPPToolTip::PreTranslateMessage(MSG* msg)
{
    RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

BOOL CPPToolTip::RelayEvent(MSG* msg)
{
    if (!m_hWnd || !msg)
        return FALSE;
    switch (msg->message) {
    case WM_MOUSEMOVE: {
        CPoint pt;
        if (!ScreenPointOf(msg, pt) || pt == m_lastPos)
            break;
        m_lastPos = pt;
        if (WindowFromPoint(pt) == m_hWnd) {
            Pop();
            break;
        }
        CWnd* parent = CWnd::FromHandle(m_parent);
        if (!parent)
            break;
        CPoint client = pt;
        parent->ScreenToClient(&client);
        HWND wnd = nullptr;
        TooltipToolInfo tool;
        if (!FindTool(client, &wnd, &tool)) {
            m_currentWnd = nullptr;
            m_currentTool = TooltipToolInfo{};
            KillTimer(kTimerShow);
            Pop();
        } else if (wnd != m_currentWnd || !SameRect(tool.rect, m_currentTool.rect)) {
            SetNewTool(wnd, tool, true);
        } else {
            // Moving inside the control of the tip: it goes until the pointer leaves.
            Pop();
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        CPoint pt;
        if (ScreenPointOf(msg, pt) && WindowFromPoint(pt) == m_hWnd) {
            ScreenToClient(&pt);
            m_drawer.JumpToHyperlink(pt);
        }
        HideTip();
        break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: HideTip(); break;
    default: break;
    }
    return FALSE;
}

bool CPPToolTip::FindTool(CPoint client, HWND* wnd, TooltipToolInfo* tool) const
{
    CWnd* parent = CWnd::FromHandle(m_parent);
    if (!parent)
        return false;
    CPoint screen = client;
    parent->ClientToScreen(&screen);
    CWnd* w = CWnd::FromHandle(WindowFromPoint(screen));
    if (!w || !w->GetParent())
        return false;
    CWnd* candidate = nullptr;
    auto* combo = dynamic_cast<CComboBox*>(w->GetParent());
    if (combo && (combo->GetStyle() & 0xF) == CBS_DROPDOWN) {
        candidate = combo; // its edit field counts as the combo box
    } else {
        CPoint inW = screen;
        w->ScreenToClient(&inW);
        const HWND child = ChildWindowFromPoint(w->GetSafeHwnd(), inW);
        candidate = child ? CWnd::FromHandle(child) : w;
    }
    if (!candidate || !candidate->IsWindowEnabled())
        return false;
    const auto it = m_tools.find(candidate->GetSafeHwnd());
    if (it == m_tools.end() || it->second.empty())
        return false;
    const std::vector<TooltipToolInfo>& list = it->second;
    const TooltipToolInfo* found = nullptr;
    if (list.size() == 1 && EmptyRect(list[0].rect)) {
        found = &list[0];
    } else {
        CPoint inC = screen;
        candidate->ScreenToClient(&inC);
        for (const TooltipToolInfo& t : list)
            if (inC.x >= t.rect.left && inC.x < t.rect.right && inC.y >= t.rect.top && inC.y < t.rect.bottom) {
                found = &t;
                break;
            }
    }
    if (!found)
        return false;
    *wnd = candidate->GetSafeHwnd();
    *tool = *found;
    return true;
}

void CPPToolTip::SetNewTool(HWND wnd, const TooltipToolInfo& tool, bool withDelay)
{
    m_pending = false;
    if (m_state == STATE_APPEARING || m_state == STATE_SHOWN)
        Pop();
    m_waitingWnd = wnd;
    m_waitingTool = tool;
    if (m_state == STATE_HIDDEN) {
        StartWaitingTool(withDelay);
    } else {
        m_pending = true;
        m_delayed = withDelay;
    }
}

void CPPToolTip::StartWaitingTool(bool withDelay)
{
    if (withDelay && kInitialDelay != 0)
        SetTimer(kTimerShow, kInitialDelay);
    else
        ShowStep();
}

void CPPToolTip::Pop()
{
    if (m_state == STATE_APPEARING) {
        KillTimer(kTimerFadeIn);
        HideStep();
    } else if (m_state == STATE_SHOWN) {
        HideStep();
    }
}

void CPPToolTip::HideTip()
{
    m_state = STATE_HIDDEN;
    for (UINT_PTR id = kTimerShow; id <= kTimerFadeOut; ++id)
        KillTimer(id);
    if (m_hWnd && IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CPPToolTip::ShowStep()
{
    KillTimer(kTimerShow);
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x != m_lastPos.x || cursor.y != m_lastPos.y) {
        Pop();
        return;
    }
    if (m_state != STATE_HIDDEN)
        return;
    m_state = STATE_APPEARING;
    PrepareTip(m_lastPos);
    if (m_fadeInPeriod) {
        SetTimer(kTimerFadeIn, m_fadeInPeriod);
    } else {
        m_state = STATE_SHOWN;
        if (kAutopopDelay)
            SetTimer(kTimerHide, kAutopopDelay);
    }
}

void CPPToolTip::HideStep()
{
    KillTimer(kTimerShow);
    KillTimer(kTimerFadeIn);
    KillTimer(kTimerHide);
    if (m_state == STATE_DISAPPEARING)
        return;
    m_state = STATE_DISAPPEARING;
    if (m_fadeOutPeriod) {
        SetTimer(kTimerFadeOut, m_fadeOutPeriod);
    } else {
        m_transparency = 100;
        OnTimer(kTimerFadeOut);
    }
}

void CPPToolTip::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerShow: ShowStep(); break;
    case kTimerHide: HideStep(); break;
    case kTimerFadeIn:
        m_transparency = m_transparency <= 20 ? 0 : m_transparency - 20;
        if (m_transparency <= m_tipTransparency) {
            m_transparency = m_tipTransparency;
            KillTimer(kTimerFadeIn);
            m_state = STATE_SHOWN;
            if (kAutopopDelay)
                SetTimer(kTimerHide, kAutopopDelay);
        }
        DrawTip(nullptr, m_transparency);
        break;
    case kTimerFadeOut:
        m_transparency = m_transparency >= 80 ? 100 : m_transparency + 20;
        if (m_transparency < 100) {
            DrawTip(nullptr, m_transparency);
            break;
        }
        KillTimer(kTimerFadeOut);
        if (IsWindowVisible())
            ShowWindow(SW_HIDE);
        m_state = STATE_HIDDEN;
        if (m_pending) {
            m_pending = false;
            StartWaitingTool(m_delayed);
        }
        break;
    case kTimerAnimation:
        if (IsWindowVisible() && m_state == STATE_SHOWN && m_drawer.OnTimer())
            DrawTip(nullptr, m_transparency);
        break;
    default: CWnd::OnTimer(id); break;
    }
}

CPPToolTip::Placement CPPToolTip::PlaceTip(POINT P, CSize bounds, int direction) const
{
    const CRect S(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const int A = m_arrowHeight, M = m_arrowOffset;
    int side = direction & 0x30, align = direction & 0x0F;
    if (align > ALIGN_CENTER)
        align = ALIGN_START;
    const bool horizontalEdge = side == SIDE_BELOW || side == SIDE_ABOVE;
    const int W = bounds.cx + (horizontalEdge ? 0 : A);
    const int H = bounds.cy + (horizontalEdge ? A : 0);

    // Fitting along one axis: p the pointer, n the size, lo and hi the screen's edges.
    const auto fitAlign = [M](int a, int p, int n, int lo, int hi) -> int {
        if (a == ALIGN_START) {
            if (p + n - M > hi)
                return p - n + M < lo ? ALIGN_CENTER : ALIGN_END;
        } else if (a == ALIGN_END) {
            if (p - n + M < lo)
                return p + n - M > hi ? ALIGN_CENTER : ALIGN_START;
        } else {
            if (M >= p - lo)
                return int(ALIGN_START);
            if (M >= hi - p)
                return int(ALIGN_END);
        }
        return a;
    };
    if (horizontalEdge)
        align = fitAlign(align, P.x, W, S.left, S.right);
    else if (side == SIDE_RIGHT && P.x + W > S.right)
        side = SIDE_LEFT;
    else if (side == SIDE_LEFT && P.x - W < S.left)
        side = SIDE_RIGHT;
    if (side == SIDE_BELOW && P.y + H > S.bottom)
        side = SIDE_ABOVE;
    else if (side == SIDE_ABOVE && P.y - H < S.top)
        side = SIDE_BELOW;
    else if (!horizontalEdge)
        align = fitAlign(align, P.y, H, S.top, S.bottom);

    // The arrow point along the edge, then kept on the screen.
    const auto along = [&](int p, int n, int lo, int hi) {
        int v = align == ALIGN_START ? M : align == ALIGN_END ? n - M : n / 2;
        if (align == ALIGN_CENTER) {
            const bool pastHi = p + n / 2 > hi, pastLo = p - n / 2 < lo;
            if (pastHi && !pastLo)
                v = n / 2 + (p + n / 2 - hi);
            else if (pastLo && !pastHi)
                v = p - lo;
        }
        if (align == ALIGN_END) {
            if (p - v + n > hi)
                v = p + n - hi;
        } else if (p - v < lo) {
            v = p - lo;
        }
        return v;
    };
    Placement out;
    out.direction = side + align;
    out.size = CSize(W, H);
    if (horizontalEdge) {
        out.arrow.x = along(P.x, W, S.left, S.right);
        out.arrow.y = side == SIDE_BELOW ? 0 : H;
    } else {
        out.arrow.y = along(P.y, H, S.top, S.bottom);
        out.arrow.x = side == SIDE_RIGHT ? 0 : W;
    }
    return out;
}

void CPPToolTip::MakeTipRegion(CRgn& region, int direction, POINT arrow, int W, int H) const
{
    const int A = m_arrowHeight, B = m_arrowBase, M = m_arrowOffset;
    const int side = direction & 0x30, align = direction & 0x0F;
    CRect R(0, 0, W, H);
    POINT b1{}, b2{};
    const auto base = [&](int start, int end, int point) {
        int p1 = 0, p2 = 0;
        if (align == ALIGN_START) {
            p1 = start + M;
            p2 = p1 + B;
        } else if (align == ALIGN_END) {
            p1 = end - M;
            p2 = p1 - B;
        } else {
            p1 = point - B / 2;
            p2 = p1 + B;
        }
        return std::pair<int, int>(p1, p2);
    };
    switch (side) {
    case SIDE_BELOW: {
        R.top += A;
        const auto [p1, p2] = base(R.left, R.right, arrow.x);
        b1 = POINT{p1, R.top};
        b2 = POINT{p2, R.top};
        break;
    }
    case SIDE_ABOVE: {
        R.bottom -= A;
        const auto [p1, p2] = base(R.left, R.right, arrow.x);
        b1 = POINT{p1, R.bottom};
        b2 = POINT{p2, R.bottom};
        break;
    }
    case SIDE_RIGHT: {
        R.left += A;
        const auto [p1, p2] = base(R.top, R.bottom, arrow.y);
        b1 = POINT{R.left, p1};
        b2 = POINT{R.left, p2};
        break;
    }
    default: {
        R.right -= A;
        const auto [p1, p2] = base(R.top, R.bottom, arrow.y);
        b1 = POINT{R.right, p1};
        b2 = POINT{R.right, p2};
        break;
    }
    }
    region.DeleteObject();
    region.CreateRoundRectRgn(R.left, R.top, R.right + 1, R.bottom + 1, m_ellipseW, m_ellipseH);
    if (A != 0 && B != 0) {
        const POINT triangle[3] = {arrow, b1, b2};
        CRgn arrowRgn;
        arrowRgn.CreatePolygonRgn(triangle, 3, ALTERNATE);
        region.CombineRgn(&region, &arrowRgn, RGN_OR);
    }
}

void CPPToolTip::PrepareTip(POINT P)
{
    if (m_waitingTool.text.empty())
        return;
    m_currentWnd = m_waitingWnd;
    m_currentTool = m_waitingTool;
    SIZE size{0, 0};
    {
        CClientDC dc(this);
        m_drawer.PrepareOutput(&dc, m_waitingTool.text, &size);
    }
    m_rcText = CRect(0, 0, size.cx, size.cy);
    m_rcText.OffsetRect(m_marginX, m_marginY);
    m_rcBounds = CRect(0, 0, size.cx + 2 * m_marginX, size.cy + 2 * m_marginY);
    const Placement placed = PlaceTip(P, m_rcBounds.Size(), m_direction);
    m_tipDirection = placed.direction;
    m_arrow = placed.arrow;
    const int W = placed.size.cx, H = placed.size.cy;
    const int side = m_tipDirection & 0x30;
    if (side == SIDE_BELOW) {
        m_rcText.OffsetRect(0, m_arrowHeight);
        m_rcBounds.OffsetRect(0, m_arrowHeight);
    } else if (side == SIDE_RIGHT) {
        m_rcText.OffsetRect(m_arrowHeight, 0);
        m_rcBounds.OffsetRect(m_arrowHeight, 0);
    }
    m_rcWindow = CRect(0, 0, W, H);

    MakeTipRegion(m_tipRegion, m_tipDirection, m_arrow, W, H);

    // The background: the fill over the bounds, the arrow's strip repeating
    // the bounds' outermost inner line.
    m_background.DeleteObject();
    {
        CClientDC screen(this);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        m_background.CreateCompatibleBitmap(&screen, W, H);
        CBitmap* old = dc.SelectObject(&m_background);
        CPPDrawManager* dm = m_drawer.GetDrawManager();
        dm->FillEffect(&dc, m_effect, m_rcBounds, m_colorBegin, m_colorMid, m_colorEnd, m_granularity, 5);
        const CRect& b = m_rcBounds;
        switch (side) {
        case SIDE_BELOW: dm->TileBlt(&dc, b.left, 0, b.Width(), b.top, &dc, b.left, b.top + 1, b.Width(), 1); break;
        case SIDE_ABOVE:
            dm->TileBlt(&dc, b.left, b.bottom, b.Width(), H - b.bottom, &dc, b.left, b.bottom - 1, b.Width(), 1);
            break;
        case SIDE_RIGHT: dm->TileBlt(&dc, 0, b.top, b.left, b.Height(), &dc, b.left + 1, b.top, 1, b.Height()); break;
        default:
            dm->TileBlt(&dc, b.right, b.top, W - b.right, b.Height(), &dc, b.right - 1, b.top, 1, b.Height());
            break;
        }
        dc.SelectObject(old);
    }

    m_windowPos = CPoint(P.x - m_arrow.x, P.y - m_arrow.y);
    m_transparency = m_fadeInPeriod ? 100 : m_tipTransparency;

    // What lies beneath, taken before the window shows over it.
    m_backdrop.DeleteObject();
    m_backdrop.Attach(win::CaptureScreenArea(
        CRect(m_windowPos.x, m_windowPos.y, m_windowPos.x + W + m_shadowDx, m_windowPos.y + H + m_shadowDy), m_hWnd));

    CRgn window;
    window.CreateRectRgn(0, 0, 0, 0);
    window.CopyRgn(&m_tipRegion);
    if (m_shadowDx || m_shadowDy) {
        CRgn shadow;
        shadow.CreateRectRgn(0, 0, 0, 0);
        shadow.CopyRgn(&m_tipRegion);
        shadow.OffsetRgn(m_shadowDx, m_shadowDy);
        window.CombineRgn(&window, &shadow, RGN_OR);
    }
    SetWindowRgn(&window, FALSE);
    SetWindowPos(&wndTopMost, m_windowPos.x, m_windowPos.y, W + m_shadowDx, H + m_shadowDy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    DrawTip(nullptr, m_transparency);
}

CRect CPPToolTip::GetTipRect() const
{
    return CRect(m_windowPos.x, m_windowPos.y, m_windowPos.x + m_rcWindow.Width(),
                 m_windowPos.y + m_rcWindow.Height());
}

void CPPToolTip::DrawTip(CDC* target, int transparency)
{
    if (!m_hWnd || !m_background.GetSafeHandle())
        return;
    std::unique_ptr<CClientDC> own;
    if (!target) {
        own = std::make_unique<CClientDC>(this);
        target = own.get();
    }
    transparency = std::clamp(transparency, 0, 100);
    const int tw = m_rcWindow.Width(), th = m_rcWindow.Height();
    const int fw = tw + m_shadowDx, fh = th + m_shadowDy;
    CPPDrawManager* dm = m_drawer.GetDrawManager();

    // The text layer.
    CDC text, background;
    CBitmap textBmp;
    text.CreateCompatibleDC(target);
    background.CreateCompatibleDC(target);
    textBmp.CreateCompatibleBitmap(target, tw, th);
    CBitmap* oldText = text.SelectObject(&textBmp);
    CBitmap* oldBack = background.SelectObject(&m_background);
    text.BitBlt(0, 0, tw, th, &background, 0, 0, SRCCOPY);
    background.SelectObject(oldBack);
    m_drawer.DrawPreparedOutput(&text, &m_rcText);
    if (m_borderBrush.IsCreated() && m_borderWidth && m_borderHeight)
        FrameRegion(&text, &m_tipRegion);

    // The backdrop, then the shadow on it.
    CDC composite, source;
    CBitmap compositeBmp;
    composite.CreateCompatibleDC(target);
    source.CreateCompatibleDC(target);
    compositeBmp.CreateCompatibleBitmap(target, fw, fh);
    CBitmap* oldComposite = composite.SelectObject(&compositeBmp);
    if (m_backdrop.GetSafeHandle()) {
        CBitmap* old = source.SelectObject(&m_backdrop);
        composite.BitBlt(0, 0, fw, fh, &source, 0, 0, SRCCOPY);
        source.SelectObject(old);
    }
    if (m_shadowDx || m_shadowDy) {
        CBitmap maskBmp;
        maskBmp.CreateCompatibleBitmap(target, tw, th);
        CBitmap* old = source.SelectObject(&maskBmp);
        source.FillSolidRect(0, 0, tw, th, RGB(255, 255, 255));
        const int c = MulDiv(255, 100 - m_shadowDarkness, 100);
        const int g = c + (255 - c) * transparency / 100;
        CBrush grey(RGB(g, g, g));
        source.FillRgn(&m_tipRegion, &grey);
        source.SelectObject(old);
        dm->DrawShadow(&composite, m_shadowDx, m_shadowDy, tw, th, maskBmp.GetSafeHandle(), m_shadowBlurred,
                       m_shadowDepthX, m_shadowDepthY);
    }

    // The balloon over it, through its shape.
    composite.SelectClipRgn(&m_tipRegion);
    dm->BlendBlt(&composite, 0, 0, tw, th, &text, 0, 0, 100 - transparency);
    composite.SelectClipRgn(nullptr);
    target->BitBlt(0, 0, fw, fh, &composite, 0, 0, SRCCOPY);

    composite.SelectObject(oldComposite);
    text.SelectObject(oldText);
}

void CPPToolTip::FrameRegion(CDC* dc, CRgn* region)
{
    dc->FrameRgn(region, &m_borderBrush, m_borderWidth, m_borderHeight);
}

void CPPToolTip::OnPaint()
{
    CPaintDC dc(this);
    if (m_waitingWnd) {
        m_currentWnd = m_waitingWnd;
        m_currentTool = m_waitingTool;
    }
    DrawTip(&dc, m_transparency);
}

LRESULT CPPToolTip::OnSetCursorMsg(WPARAM, LPARAM)
{
    CPoint pt;
    GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (!m_drawer.OnSetCursor(pt))
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CPPToolTip::OnActivateApp(WPARAM active, LPARAM)
{
    if (!active)
        HideTip();
    return 0;
}

LRESULT CPPToolTip::OnHotLinkChanged(WPARAM, LPARAM)
{
    if (m_hyperlinkRepaint && IsWindowVisible())
        DrawTip(nullptr, 0);
    return TRUE;
}
