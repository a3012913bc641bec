#include "controls/BitmapSlider.h"

#include "controls/MemoryDC.h"
#include "controls/ParentBackground.h"
#include "platform/win/Input.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kKeyFromPixel = 0xFF000000;

} // namespace

void CBitmapSlider::Image::Reset()
{
    bitmap.DeleteObject();
    mask.DeleteObject();
}

CBitmapSlider::~CBitmapSlider() { DeleteBitmaps(); }

void CBitmapSlider::DeleteBitmaps()
{
    m_channel.Reset();
    m_channelActive.Reset();
    m_thumb.Reset();
    m_thumbActive.Reset();
}

// Loads the bitmap and, for a transparent one, makes its mask (1 where the
// bitmap has the transparent colour) and blacks those pixels out, so that
// AND with the mask and OR with the bitmap draw it over any background.
bool CBitmapSlider::Load(Image& image, UINT id, bool transparent, COLORREF color, int x, int y)
{
    image.Reset();
    if (!image.bitmap.LoadBitmap(id))
        return false;
    if (!transparent)
        return true;
    const CSize size = image.bitmap.GetSize();
    CDC bitmapDC;
    bitmapDC.CreateCompatibleDC(nullptr);
    CBitmap* oldBitmap = bitmapDC.SelectObject(&image.bitmap);
    const COLORREF key = color == kKeyFromPixel ? bitmapDC.GetPixel(x, y) : color;
    image.mask.CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    CDC maskDC;
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* oldMask = maskDC.SelectObject(&image.mask);
    bitmapDC.SetBkColor(key);
    maskDC.BitBlt(0, 0, size.cx, size.cy, &bitmapDC, 0, 0, SRCCOPY);
    bitmapDC.SetTextColor(RGB(255, 255, 255));
    bitmapDC.SetBkColor(RGB(0, 0, 0));
    bitmapDC.BitBlt(0, 0, size.cx, size.cy, &maskDC, 0, 0, SRCAND);
    maskDC.SelectObject(oldMask);
    bitmapDC.SelectObject(oldBitmap);
    return true;
}

BOOL CBitmapSlider::SetBitmapChannel(UINT id, UINT activeId, BOOL transparent, COLORREF transparentColor, int x,
                                     int y)
{
    if (id == 0) {
        m_bChannel = false;
        m_channel.Reset();
        m_channelActive.Reset();
        return TRUE;
    }
    if (!Load(m_channel, id, transparent, transparentColor, x, y))
        return FALSE;
    m_channelActive.Reset();
    if (activeId) {
        if (!Load(m_channelActive, activeId, transparent, transparentColor, x, y)) {
            m_channel.Reset();
            m_bChannel = false;
            return FALSE;
        }
    }
    m_bChannelActive = activeId != 0;
    const CSize size = m_channel.bitmap.GetSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(&m_rect);
    m_bTransparentChannel = transparent != FALSE;
    m_bChannel = true;
    return TRUE;
}

BOOL CBitmapSlider::SetBitmapThumb(UINT id, UINT activeId, BOOL transparent, COLORREF transparentColor, int x, int y)
{
    if (id == 0) {
        m_bThumb = false;
        m_thumb.Reset();
        m_thumbActive.Reset();
        return TRUE;
    }
    if (!Load(m_thumb, id, transparent, transparentColor, x, y))
        return FALSE;
    m_thumbActive.Reset();
    if (activeId) {
        if (!Load(m_thumbActive, activeId, transparent, transparentColor, x, y)) {
            m_thumb.Reset();
            m_bThumb = false;
            return FALSE;
        }
    }
    m_bThumbActive = activeId != 0;
    const CSize size = m_thumb.bitmap.GetSize();
    m_nThumbWidth = size.cx;
    m_nThumbHeight = size.cy;
    if (!m_bChannel) {
        GetClientRect(&m_rect);
        m_nWidth = m_rect.Width();
        m_nHeight = m_rect.Height();
    }
    m_bTransparentThumb = transparent != FALSE;
    m_bThumb = true;
    return TRUE;
}

void CBitmapSlider::SetRange(int minimum, int maximum, BOOL redraw)
{
    SetMin(minimum, FALSE);
    SetMax(maximum, redraw);
}

void CBitmapSlider::SetMin(int minimum, BOOL redraw)
{
    m_nMin = minimum;
    if (redraw)
        Invalidate();
}

void CBitmapSlider::SetMax(int maximum, BOOL redraw)
{
    m_nMax = maximum;
    if (redraw)
        Invalidate();
}

void CBitmapSlider::SetPos(int pos)
{
    if (pos > m_nMax)
        pos = m_nMax;
    if (pos < m_nMin)
        pos = m_nMin;
    m_nPos = pos;
    Invalidate();
}

int CBitmapSlider::SetPageSize(int size)
{
    const int old = m_nPage;
    m_nPage = size;
    return old;
}

void CBitmapSlider::SetMargin(int left, int top, int right, int bottom)
{
    SetMarginLeft(left);
    SetMarginTop(top);
    SetMarginRight(right);
    SetMarginBottom(bottom);
}

void CBitmapSlider::SetDrawFocusRect(BOOL draw, BOOL redraw)
{
    m_bDrawFocusRect = draw != FALSE;
    if (redraw)
        Invalidate();
}

// An empty range (a song of length 0) or a thumb that fills the channel
// leaves no travel to divide: the thumb then stands at the minimum.
int CBitmapSlider::Pos2Pixel(int pos) const
{
    const double range = double(m_nMax) - double(m_nMin);
    const double f = range > 0 ? (double(pos) - double(m_nMin)) / range : 0.0;
    if (m_bVertical)
        return m_nThumbHeight / 2 + m_nMarginTop +
               int(std::trunc(f * (m_nHeight - m_nMarginTop - m_nMarginBottom - m_nThumbHeight)));
    return int(std::trunc((m_nWidth - m_nMarginLeft - m_nMarginRight - m_nThumbWidth) * f)) + m_nMarginLeft +
           m_nThumbWidth / 2;
}

int CBitmapSlider::Pixel2Pos(int pixel) const
{
    const double range = double(m_nMax) - double(m_nMin);
    const int travel = m_bVertical ? m_nHeight - m_nMarginTop - m_nMarginBottom - m_nThumbHeight
                                   : m_nWidth - m_nMarginLeft - m_nMarginRight - m_nThumbWidth;
    if (range <= 0 || travel <= 0)
        return m_nMin;
    const int from = m_bVertical ? pixel - m_nMarginTop - m_nThumbHeight / 2 : pixel - m_nMarginLeft - m_nThumbWidth / 2;
    return int(std::trunc(m_nMin + double(from) / travel * range));
}

void CBitmapSlider::DrawBitmap(CDC* dc, int x, int y, int w, int h, Image& image, int srcX, int srcY,
                               bool transparent)
{
    CDC src;
    src.CreateCompatibleDC(dc);
    if (transparent && image.mask.GetSafeHandle()) {
        CBitmap* old = src.SelectObject(&image.mask);
        dc->BitBlt(x, y, w, h, &src, srcX, srcY, SRCAND);
        src.SelectObject(&image.bitmap);
        dc->BitBlt(x, y, w, h, &src, srcX, srcY, SRCPAINT);
        src.SelectObject(old);
    } else {
        CBitmap* old = src.SelectObject(&image.bitmap);
        dc->BitBlt(x, y, w, h, &src, srcX, srcY, SRCCOPY);
        src.SelectObject(old);
    }
}

void CBitmapSlider::OnPaint()
{
    CPaintDC dc(this);
    if (m_rect.IsRectEmpty())
        return;
    // A transparent channel shows what lies under the control: the parent's pixels.
    if (m_bTransparentChannel)
        CopyParentBackground(this, &dc);
    CMemoryDC memDC(&dc, &m_rect, m_bTransparentChannel);
    memDC.SetTextColor(RGB(0, 0, 0));
    memDC.SetBkColor(RGB(255, 255, 255));
    // Every paint starts from fresh pixels, so no earlier focus rectangle or
    // thumb is left in the picture to take away.
    m_bFocusRect = false;

    const int p = Pos2Pixel(m_nPos);
    if (m_bChannel) {
        if (!m_bChannelActive) {
            DrawBitmap(&memDC, 0, 0, m_nWidth, m_nHeight, m_channel, 0, 0, m_bTransparentChannel);
        } else if (m_bVertical) {
            DrawBitmap(&memDC, 0, p, m_nWidth, m_nHeight - p, m_channel, 0, p, m_bTransparentChannel);
            DrawBitmap(&memDC, 0, 0, m_nWidth, p, m_channelActive, 0, 0, m_bTransparentChannel);
        } else {
            DrawBitmap(&memDC, p, 0, m_nWidth - p, m_nHeight, m_channel, p, 0, m_bTransparentChannel);
            DrawBitmap(&memDC, 0, 0, p, m_nHeight, m_channelActive, 0, 0, m_bTransparentChannel);
        }
    }
    if (m_bThumb) {
        Image& thumb = (m_bLButtonDown && m_bThumbActive) ? m_thumbActive : m_thumb;
        const int x = m_bVertical ? m_nMarginLeft : p - m_nThumbWidth / 2;
        const int y = m_bVertical ? p - m_nThumbHeight / 2 : m_nMarginTop;
        DrawBitmap(&memDC, x, y, m_nThumbWidth, m_nThumbHeight, thumb, 0, 0, m_bTransparentThumb);
    }
    if (m_bDrawFocusRect && m_bFocus) {
        memDC.DrawFocusRect(&m_rect);
        m_bFocusRect = true;
    }
}

LRESULT CBitmapSlider::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

// Every key but Tab, which still moves the focus on.
LRESULT CBitmapSlider::OnGetDlgCode(WPARAM key, LPARAM)
{
    return key == VK_TAB ? Default() : DLGC_WANTALLKEYS;
}

void CBitmapSlider::OnLButtonDown(UINT flags, CPoint point)
{
    SetCapture(m_hWnd);
    SetFocus();
    m_bLButtonDown = true;
    const int along = m_bVertical ? point.y : point.x;
    const int half = (m_bVertical ? m_nThumbHeight : m_nThumbWidth) / 2;
    m_nDragOffset = along - Pos2Pixel(m_nPos);
    // A click beside the thumb centres it on the mouse; on the thumb it keeps the grip.
    if (std::abs(m_nDragOffset) > half)
        m_nDragOffset = 0;
    OnMouseMove(flags, point);
    Invalidate();
    Default();
}

void CBitmapSlider::OnMouseMove(UINT, CPoint point)
{
    if (!m_bLButtonDown)
        return;
    int pixel = (m_bVertical ? point.y : point.x) - m_nDragOffset;
    const int low = m_bVertical ? m_nMarginTop + m_nThumbHeight / 2 : m_nMarginLeft + m_nThumbWidth / 2;
    const int high = m_bVertical ? m_nHeight - m_nMarginBottom - m_nThumbHeight / 2
                                 : m_nWidth - m_nMarginRight - m_nThumbWidth / 2;
    if (pixel > high)
        pixel = high;
    if (pixel < low)
        pixel = low;
    if (pixel == Pos2Pixel(m_nPos))
        return;
    SetPos(Pixel2Pos(pixel));
    PostToParent(UWM_SLIDER_MOVING);
}

void CBitmapSlider::OnLButtonUp(UINT, CPoint)
{
    ReleaseCapture();
    m_bLButtonDown = false;
    Invalidate();
    PostToParent(UWM_SLIDER_MOVED);
}

void CBitmapSlider::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    long long pos = m_nPos;
    bool handled = true;
    switch (key) {
    case VK_PRIOR: pos -= m_nPage; break;
    case VK_NEXT: pos += m_nPage; break;
    case VK_END: pos = m_nMax; break;
    case VK_HOME: pos = m_nMin; break;
    case VK_RIGHT:
    case VK_DOWN: pos += 1; break;
    case VK_LEFT:
    case VK_UP: pos -= 1; break;
    default: handled = false; break;
    }
    if (handled) {
        SetPos(int(std::clamp<long long>(pos, INT_MIN, INT_MAX)));
        PostToParent(UWM_SLIDER_MOVED);
    }
    CStatic::OnKeyDown(key, repeat, flags);
}

void CBitmapSlider::OnSetFocus(CWnd* old)
{
    CStatic::OnSetFocus(old);
    m_bFocus = true;
    Invalidate();
}

void CBitmapSlider::OnKillFocus(CWnd* next)
{
    CStatic::OnKillFocus(next);
    m_bFocus = false;
    Invalidate();
}

void CBitmapSlider::OnDestroy()
{
    CStatic::OnDestroy();
    DeleteBitmaps();
}

void CBitmapSlider::PostToParent(UINT message)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(message, WPARAM(GetDlgCtrlID()), LPARAM(m_nPos));
}
