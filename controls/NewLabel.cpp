#include "controls/NewLabel.h"

#include "controls/TextBuffer.h"
#include "controls/TextRotator.h"
#include "platform/win/Dc.h"
#include "platform/win/Input.h"

#include <cstring>

namespace {

constexpr int kHorizontal = CNewLabel::kLeft | CNewLabel::kCentre | CNewLabel::kRight;
constexpr int kVertical = CNewLabel::kTop | CNewLabel::kVCentre | CNewLabel::kBottom;

// Runs the work with a counter raised, so the label's own messages know themselves.
template <class Work>
auto ownUpdate(int& flag, Work work)
{
    ++flag;
    struct Lower {
        int& f;
        ~Lower() { --f; }
    } lower{flag};
    return work();
}

} // namespace

BEGIN_MESSAGE_MAP(CNewLabel, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CNewLabel::CNewLabel() : m_backColor(GetSysColor(COLOR_BTNFACE)), m_textColor(GetSysColor(COLOR_WINDOWTEXT))
{
    if (auto* gui = dynamic_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT)))
        gui->GetLogFont(&m_logFont);
    m_font.CreateFontIndirect(&m_logFont);
}

CNewLabel::~CNewLabel() = default;

void CNewLabel::redraw()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNewLabel::remakeFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
}

CNewLabel& CNewLabel::SetBkColor(COLORREF color)
{
    m_backColor = color;
    m_systemBack = false;
    redraw();
    return *this;
}

CNewLabel& CNewLabel::SetTextColor(COLORREF color)
{
    m_textColor = color;
    redraw();
    return *this;
}

CNewLabel& CNewLabel::SetFontBold(BOOL bold)
{
    m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    remakeFont();
    redraw();
    return *this;
}

CNewLabel& CNewLabel::SetFontSize(int height)
{
    m_logFont.lfHeight = height;
    remakeFont();
    redraw();
    return *this;
}

CNewLabel& CNewLabel::SetAlignment(int flags)
{
    // Taken in the order right, centre, left: the last one given wins.
    int horizontal = 0;
    DWORD remove = 0, add = 0;
    if (flags & kRight) {
        horizontal = kRight;
        remove = SS_CENTER;
        add = SS_RIGHT;
    }
    if (flags & kCentre) {
        horizontal = kCentre;
        remove = SS_RIGHT;
        add = SS_CENTER;
    }
    if (flags & kLeft) {
        horizontal = kLeft;
        remove = SS_CENTER | SS_RIGHT;
        add = 0;
    }
    if (horizontal) {
        m_drawFlags = horizontal;
        if (m_hWnd)
            ModifyStyle(remove, add);
    }
    m_drawFlags |= (flags & kBottom) ? kBottom : (flags & kVCentre) ? kVCentre : kTop;
    redraw();
    return *this;
}

CNewLabel& CNewLabel::SetBorder(BOOL border)
{
    if (m_hWnd)
        ModifyStyle(border ? 0 : WS_BORDER, border ? WS_BORDER : 0, SWP_FRAMECHANGED);
    redraw();
    return *this;
}

CNewLabel& CNewLabel::SetText(const std::string& text)
{
    m_text = text;
    if (m_hWnd)
        ownUpdate(m_ownUpdate, [&] { SetWindowText(text); });
    redraw();
    return *this;
}

void CNewLabel::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY);
    const DWORD style = GetStyle();
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_CENTER)
        m_drawFlags = kCentre | (m_drawFlags & kVertical);
    else if (type == SS_RIGHT)
        m_drawFlags = kRight | (m_drawFlags & kVertical);
    if (style & SS_CENTERIMAGE)
        m_drawFlags = kVCentre | (m_drawFlags & kHorizontal);
    m_text = ownUpdate(m_ownUpdate, [&] { return GetWindowText(); });
}

LRESULT CNewLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_ownUpdate) {
        switch (message) {
        case WM_SETTEXT: {
            m_text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            const LRESULT r = CStatic::WindowProc(message, wParam, lParam);
            Invalidate();
            return r;
        }
        case WM_GETTEXT:
            // A buffer of no size gets nothing, not even a terminating zero.
            return CopyTextToBuffer(m_text, reinterpret_cast<char*>(lParam), static_cast<long long>(wParam));
        case WM_GETTEXTLENGTH: return LRESULT(m_text.size());
        default: break;
        }
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CNewLabel::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const COLORREF back = m_systemBack ? GetSysColor(COLOR_BTNFACE) : m_backColor;
    if (GetStyle() & WS_BORDER) {
        dc.Draw3dRect(&client, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        client.DeflateRect(1, 1);
    }
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    const int hAlign = (m_drawFlags & kCentre) ? 1 : (m_drawFlags & kRight) ? 2 : 0;
    const int vAlign = (m_drawFlags & kVCentre) ? 1 : (m_drawFlags & kBottom) ? 2 : 0;
    CTextRotator block(&dc, m_text, hAlign, vAlign);
    block.SetTextColor(m_textColor);
    block.SetDisabled(!IsWindowEnabled());
    block.SetBackColor(back);
    dc.FillSolidRect(&client, back);
    if (block.Render())
        block.DrawAligned(client);
    dc.SelectObject(oldFont);
}

LRESULT CNewLabel::OnEnable(WPARAM, LPARAM)
{
    const LRESULT r = Default();
    Invalidate(TRUE);
    return r;
}

void CNewLabel::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = 50;
        m_tracking = TrackMouseEvent(&track) ? 1 : 0;
    }
    CStatic::OnMouseMove(flags, point);
}

void CNewLabel::OnMouseLeave()
{
    m_tracking = 0;
    CStatic::OnMouseLeave();
}
