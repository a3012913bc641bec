#include "controls/XAnalogClock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

BEGIN_MESSAGE_MAP(CXAnalogClock, CStatic)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// The cached face shows hands and date for one minute of one day.
long minuteKey(const std::tm& t) { return (long(t.tm_mday) * 24 + t.tm_hour) * 60 + t.tm_min; }

double luminance(COLORREF c) { return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c); }

// Blends one pixel of the line with what lies under it by the weight w (0 to 255).
void blendPixel(CDC* dc, int x, int y, int w, bool first, COLORREF color, double lum)
{
    const COLORREF back = dc->GetPixel(x, y);
    const bool darker = lum < luminance(back);
    const double f = (first == darker ? w : 255 - w) / 255.0;
    auto channel = [f](int b, int c) {
        const double v = c < b ? f * (b - c) + c : f * (c - b) + b;
        return std::clamp(int(v), 0, 255);
    };
    dc->SetPixel(x, y,
                 RGB(channel(GetRValue(back), GetRValue(color)), channel(GetGValue(back), GetGValue(color)),
                     channel(GetBValue(back), GetBValue(color))));
}

} // namespace

// ---- CClockBitmapDC ---------------------------------------------------------------

CClockBitmapDC::~CClockBitmapDC() { Release(); }

bool CClockBitmapDC::Load(UINT id, CDC* reference)
{
    Release();
    if (!m_bitmap.LoadBitmap(id) || !reference) {
        m_bitmap.DeleteObject();
        return false;
    }
    if (!m_bDC)
        m_bDC = m_dc.CreateCompatibleDC(reference) != FALSE;
    if (!m_bDC) {
        m_bitmap.DeleteObject();
        return false;
    }
    m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
    m_nId = id;
    m_bLoaded = true;
    const CSize size = m_bitmap.GetSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    return true;
}

void CClockBitmapDC::Release()
{
    if (m_bLoaded && m_pOldBitmap)
        m_dc.SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    m_bitmap.DeleteObject();
    m_bLoaded = false;
}

// ---- The line -----------------------------------------------------------------------

void DrawAntialiasedLine(CDC* dc, int x0, int y0, int x1, int y1, COLORREF color)
{
    if (y1 < y0) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    dc->SetPixel(x0, y0, color);
    int dy = y1 - y0;
    int dx = x1 - x0;
    const int step = dx >= 0 ? 1 : -1;
    dx = std::abs(dx);
    if (dy == 0) {
        while (dx-- > 0) {
            x0 += step;
            dc->SetPixel(x0, y0, color);
        }
        return;
    }
    if (dx == 0) {
        while (dy-- > 0)
            dc->SetPixel(x0, ++y0, color);
        return;
    }
    if (dx == dy) {
        while (dy-- > 0) {
            x0 += step;
            dc->SetPixel(x0, ++y0, color);
        }
        return;
    }
    const double lum = luminance(color);
    unsigned short acc = 0;
    if (dy > dx) {
        const auto adjust = static_cast<unsigned short>((unsigned(dx) << 16) / unsigned(dy));
        while (--dy) {
            const unsigned short before = acc;
            acc = static_cast<unsigned short>(acc + adjust);
            if (acc <= before)
                x0 += step;
            ++y0;
            const int w = acc >> 8;
            blendPixel(dc, x0, y0, w, true, color, lum);
            blendPixel(dc, x0 + step, y0, w, false, color, lum);
        }
    } else {
        const auto adjust = static_cast<unsigned short>((unsigned(dy) << 16) / unsigned(dx));
        while (--dx) {
            const unsigned short before = acc;
            acc = static_cast<unsigned short>(acc + adjust);
            if (acc <= before)
                ++y0;
            x0 += step;
            const int w = acc >> 8;
            blendPixel(dc, x0, y0, w, true, color, lum);
            blendPixel(dc, x0, y0 + 1, w, false, color, lum);
        }
    }
    dc->SetPixel(x1, y1, color);
}

// ---- CXAnalogClock ----------------------------------------------------------------

CXAnalogClock::CXAnalogClock() : m_time(localNow()) {}

void CXAnalogClock::SetBitmaps(UINT face, UINT date)
{
    m_face.Release();
    m_date.Release();
    m_faceCache.Release();
    m_nFaceId = face;
    m_nDateId = date;
    m_nLastMinute = -1;
}

void CXAnalogClock::LoadBitmaps(CDC* reference)
{
    if (!m_nFaceId || !m_nDateId)
        return;
    if (!m_face.IsLoaded())
        m_face.Load(m_nFaceId, reference);
    if (!m_date.IsLoaded())
        m_date.Load(m_nDateId, reference);
    if (!m_faceCache.IsLoaded())
        m_faceCache.Load(m_nFaceId, reference);
}

CSize CXAnalogClock::GetWindowSize()
{
    CDC screen;
    screen.CreateIC("DISPLAY");
    LoadBitmaps(&screen);
    return CSize(m_face.Width(), m_face.Height());
}

void CXAnalogClock::PreSubclassWindow()
{
    CDC screen;
    screen.CreateIC("DISPLAY");
    LoadBitmaps(&screen);
    CStatic::PreSubclassWindow();
}

void CXAnalogClock::Run()
{
    m_nLastMinute = -1;
    SetTimer(kTimerId, 1000);
    Invalidate(TRUE);
    m_bStopped = false;
}

void CXAnalogClock::Stop()
{
    KillTimer(kTimerId);
    m_bStopped = true;
}

void CXAnalogClock::OnDestroy()
{
    Stop();
    CStatic::OnDestroy();
}

void CXAnalogClock::OnTimer(UINT_PTR id)
{
    if (!m_bUseSystemTime) {
        std::tm next = m_time;
        ++next.tm_sec;
        std::mktime(&next); // carries the second into minutes, hours and days
        m_time = next;
    }
    Invalidate(FALSE);
    CStatic::OnTimer(id);
}

double CXAnalogClock::AngleOf(int position)
{
    double a = 90.0 - 6.0 * position;
    if (a < 0)
        a += 360.0;
    return a;
}

int CXAnalogClock::HourHandPosition(int hour, int minute)
{
    if (hour > 12)
        hour -= 12;
    return hour * 5 + minute / 12;
}

CPoint CXAnalogClock::PointAt(int position, int distance, int faceWidth, int faceHeight)
{
    const double a = AngleOf(position) * 3.1415926535 / 180.0;
    const double cx = faceWidth / 2.0;
    const double cy = faceHeight / 2.0;
    return CPoint(int(std::cos(a) * distance + cx), int(-std::sin(a) * distance + cy));
}

void CXAnalogClock::DrawHand(CDC* dc, int position, int tip, int shoulder, int base, COLORREF color)
{
    const int w = m_face.Width();
    const int h = m_face.Height();
    const CPoint t = PointAt(position, tip, w, h);
    const CPoint s = PointAt(position, shoulder, w, h);
    const CPoint b = PointAt(position, base, w, h);
    DrawAntialiasedLine(dc, t.x, t.y, b.x, b.y, color);
    // A hand nearer the horizontal spreads across y, any other across x.
    const bool across = (position >= 10 && position <= 20) || (position >= 40 && position <= 50);
    for (int d : {-2, -1, 1, 2}) {
        if (across)
            DrawAntialiasedLine(dc, s.x, s.y, b.x, b.y + d, color);
        else
            DrawAntialiasedLine(dc, s.x, s.y, b.x + d, b.y, color);
    }
}

void CXAnalogClock::DrawHands(CDC* dc)
{
    DrawHand(dc, m_time.tm_min, 39, 35, 5, m_crMinuteHand);
    DrawHand(dc, HourHandPosition(m_time.tm_hour, m_time.tm_min), 28, 24, 5, m_crHourHand);
}

void CXAnalogClock::DrawSecondHand(CDC* dc)
{
    const CPoint a = PointAt(m_time.tm_sec, 35, m_face.Width(), m_face.Height());
    const CPoint b = PointAt(m_time.tm_sec, 5, m_face.Width(), m_face.Height());
    DrawAntialiasedLine(dc, a.x, a.y, b.x, b.y, m_crSecondHand);
    DrawAntialiasedLine(dc, a.x + 1, a.y, b.x + 1, b.y, m_crSecondHand);
}

void CXAnalogClock::DrawDate(CDC* dc)
{
    CFont* font = GetFont();
    if (!font && GetParent())
        font = GetParent()->GetFont();
    if (!font)
        return;
    LOGFONT lf;
    font->GetLogFont(&lf);
    std::strncpy(lf.lfFaceName, "Arial", sizeof lf.lfFaceName - 1);
    // Plain pixels: smoothed edges would keep a fringe of the key colour.
    lf.lfQuality = NONANTIALIASED_QUALITY;
    if (lf.lfHeight < 0)
        ++lf.lfHeight;
    else
        --lf.lfHeight;
    CFont dateFont;
    dateFont.CreateFontIndirect(&lf);
    char day[8];
    std::snprintf(day, sizeof day, "%2d", m_time.tm_mday);

    CClockBitmapDC canvas;
    if (!canvas.Load(m_nDateId, dc))
        return;
    CDC* cdc = canvas.GetDC();
    const COLORREF key = RGB(255, 0, 255);
    cdc->FillSolidRect(0, 0, 18, 14, key);
    cdc->SetBkColor(key);
    CFont* oldFont = cdc->SelectObject(&dateFont);
    cdc->ExtTextOut(3, 1, 0, nullptr, day);
    cdc->SelectObject(oldFont);
    dc->BitBlt(67, 43, 18, 14, m_date.GetDC(), 0, 0, SRCCOPY);
    dc->TransparentBlt(68, 42, 18, 14, cdc, 0, 0, 18, 14, key);
}

void CXAnalogClock::OnPaint()
{
    CPaintDC dc(this);
    if (!m_nFaceId || !m_nDateId)
        return;
    LoadBitmaps(&dc);
    if (!m_face.IsLoaded() || !m_date.IsLoaded() || !m_faceCache.IsLoaded())
        return;
    if (m_bUseSystemTime)
        m_time = localNow();
    CRect client;
    GetClientRect(&client);
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memDC.SelectObject(&picture);
    memDC.FillSolidRect(&client, m_crBackground);
    const int w = m_face.Width();
    const int h = m_face.Height();
    if (minuteKey(m_time) == m_nLastMinute) {
        memDC.BitBlt(0, 0, client.Width(), client.Height(), m_faceCache.GetDC(), 0, 0, SRCCOPY);
    } else {
        memDC.TransparentBlt(0, 0, w, h, m_face.GetDC(), 0, 0, w, h, m_crTransparent);
        if (m_bShowDate)
            DrawDate(&memDC);
        DrawHands(&memDC);
        m_faceCache.GetDC()->BitBlt(0, 0, w, h, &memDC, 0, 0, SRCCOPY);
        m_nLastMinute = minuteKey(m_time);
    }
    if (m_bShowSeconds)
        DrawSecondHand(&memDC);
    dc.TransparentBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, client.Width(), client.Height(),
                      m_crTransparent);
    memDC.SelectObject(old);
}
