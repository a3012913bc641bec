#include "controls/PeakMeterCtrl.h"

#include "controls/MemoryDC.h"
#include "platform/win/Dc.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CPeakMeterCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPeakMeterCtrl::CPeakMeterCtrl() { InitDefaults(); }

void CPeakMeterCtrl::InitDefaults()
{
    m_crBackground = GetSysColor(COLOR_BTNFACE);
    m_crLow = RGB(0, 255, 0);
    m_crMedium = RGB(255, 255, 0);
    m_crHigh = RGB(255, 0, 0);
    m_nMedLevel = 60;
    m_nHighLevel = 80;
    m_nRange = 100;
    m_nNumBands = 8;
    m_nNumSegments = 8;
    m_nPeakHold = 10;
    m_bShowGrid = false;
    m_bShowPeak = true;
    m_nDelay = 10;
}

COLORREF CPeakMeterCtrl::DarkenColor(COLORREF c, int amount)
{
    auto lower = [amount](int v) { return std::max(0, v - amount); };
    return RGB(lower(GetRValue(c)), lower(GetGValue(c)), lower(GetBValue(c)));
}

void CPeakMeterCtrl::ResetMeter()
{
    m_bands.assign(size_t(std::max(0, m_nNumBands)), MeterBand{m_nRange, m_nRange, m_nPeakHold});
}

void CPeakMeterCtrl::PreSubclassWindow()
{
    ResetMeter();
    CWnd::PreSubclassWindow();
}

void CPeakMeterCtrl::SetMeterBands(int bands, int segments)
{
    if (bands <= 0 || segments <= 0)
        return;
    m_nNumBands = bands;
    m_nNumSegments = segments;
    ResetMeter();
}

void CPeakMeterCtrl::ShowGrid(BOOL show)
{
    if ((show != FALSE) == m_bShowGrid)
        return;
    m_bShowGrid = show != FALSE;
    Invalidate();
}

MeterBand CPeakMeterCtrl::GetBand(int index) const
{
    return index >= 0 && size_t(index) < m_bands.size() ? m_bands[size_t(index)] : MeterBand{};
}

BOOL CPeakMeterCtrl::SetData(const int* values, int first, int count)
{
    if (!values || first < 0)
        return FALSE;
    const bool wasStarted = IsStarted();
    if (wasStarted)
        Stop();
    for (int i = first; i < first + count; ++i) {
        if (size_t(i) >= m_bands.size())
            break;
        MeterBand& band = m_bands[size_t(i)];
        band.value = values[i];
        if (band.value > band.peak) {
            band.peak = band.value;
            band.hold = m_nPeakHold;
        }
    }
    if (wasStarted)
        return Start(m_nDelay);
    Invalidate();
    return TRUE;
}

BOOL CPeakMeterCtrl::Start(UINT delay)
{
    if (!m_nTimerId && m_hWnd) {
        m_nTimerId = SetTimer(kTimerId, delay);
        m_bTicking = m_nTimerId != 0;
        m_nDelay = delay;
    }
    return IsStarted();
}

BOOL CPeakMeterCtrl::Stop()
{
    if (!m_nTimerId)
        return FALSE;
    if (m_bTicking)
        KillTimer(m_nTimerId);
    m_bTicking = false;
    m_nTimerId = 0;
    return TRUE;
}

void CPeakMeterCtrl::OnTimer(UINT_PTR id)
{
    if (id == m_nTimerId && m_bTicking)
        DecayBands();
    else
        CWnd::OnTimer(id);
}

void CPeakMeterCtrl::DecayBands()
{
    if (m_hWnd)
        Invalidate();
    // At least one unit a tick, so that a meter of many segments still falls.
    const int step = std::max(1, m_nRange / m_nNumSegments);
    const int valueStep = m_nNumSegments < 2 ? std::max(1, m_nRange * 10 / 100) : step;
    const int peakStep = m_nNumSegments < 2 ? 5 : std::max(1, step / 2);
    bool changed = false;
    for (MeterBand& band : m_bands) {
        if (band.value > 0) {
            band.value = std::max(0, band.value - valueStep);
            changed = true;
        }
        if (band.hold > 0) {
            --band.hold;
            changed = true;
        }
        if (band.hold == 0 && band.peak > 0) {
            band.peak = std::max(0, band.peak - peakStep);
            changed = true;
        }
    }
    // Nothing left to fall: the timer rests, the meter still counts as started.
    if (!changed && m_bTicking) {
        KillTimer(m_nTimerId);
        m_bTicking = false;
    }
}

void CPeakMeterCtrl::OnDestroy()
{
    Stop();
    m_bands.clear();
    CWnd::OnDestroy();
}

void CPeakMeterCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CMemoryDC memDC(&dc, &rect, false);
    memDC.FillSolidRect(&rect, m_crBackground);
    memDC.SetBkMode(TRANSPARENT);
    CPen grid(PS_SOLID, 1, DarkenColor(m_crBackground, 15));
    CPen* oldPen = memDC.SelectObject(&grid);
    DrawBands(&memDC, rect, (GetStyle() & 1) != 0);
    memDC.SelectObject(oldPen);
}

void CPeakMeterCtrl::DrawBands(CDC* dc, const CRect& rect, bool horizontal)
{
    const int bands = int(m_bands.size());
    if (bands == 0 || m_nRange <= 0)
        return;
    const int n = m_nNumSegments >= 2 ? m_nNumSegments : m_nRange * 10 / 100;
    if (n <= 0)
        return;
    const int medium = m_nMedLevel * n / m_nRange;
    const int high = m_nHighLevel * n / m_nRange;
    const COLORREF unlit = m_bShowGrid ? DarkenColor(m_crBackground, 15) : m_crBackground;
    auto colourOf = [&](int j) { return j < medium ? m_crLow : j < high ? m_crMedium : m_crHigh; };
    const int gapSeg = m_nNumSegments >= 2 ? 1 : 0;
    const int gapBand = bands >= 2 ? 1 : 0;
    if (!horizontal) {
        const int bandWidth = rect.Width() / bands;
        const int segHeight = rect.Height() / n;
        for (int i = 0; i < bands; ++i) {
            const MeterBand& band = m_bands[size_t(i)];
            const int left = rect.left + i * bandWidth;
            const int right = left + bandWidth;
            const int lit = band.value * n / m_nRange;
            for (int j = 0; j < n; ++j) {
                const int bottom = rect.bottom - j * segHeight;
                const CRect seg(left + gapBand, bottom - segHeight + gapSeg, right - gapBand, bottom);
                dc->FillSolidRect(&seg, j < lit ? colourOf(j) : unlit);
                if (m_bShowGrid && (j == medium || j == n - 1)) {
                    const int y = bottom - segHeight / 2;
                    dc->MoveTo(left, y);
                    dc->LineTo(right, y);
                }
            }
            if (m_bShowPeak) {
                CPen peakPen(PS_SOLID, 1, DarkenColor(m_crBackground, 60));
                CPen* old = dc->SelectObject(&peakPen);
                const int y = rect.bottom - band.peak * (segHeight * n) / m_nRange;
                dc->MoveTo(left + gapBand, y);
                dc->LineTo(right - gapBand, y);
                dc->SelectObject(old);
            }
        }
        return;
    }
    const int segWidth = rect.Width() / n;
    const int bandHeight = rect.Height() / bands;
    const int top = rect.bottom - bands * bandHeight; // rows sit on the bottom edge
    for (int i = 0; i < bands; ++i) {
        const MeterBand& band = m_bands[size_t(i)];
        const int y0 = top + i * bandHeight;
        const int lit = band.value * n / m_nRange;
        for (int j = 0; j < n; ++j) {
            const int left = rect.left + j * segWidth;
            const CRect seg(left + gapSeg, y0 + gapBand, left + segWidth, y0 + bandHeight - gapBand);
            dc->FillSolidRect(&seg, j < lit ? colourOf(j) : unlit);
            if (m_bShowGrid && (j == medium || j == n - 1)) {
                const int x = left + segWidth / 2;
                dc->MoveTo(x, y0);
                dc->LineTo(x, y0 + bandHeight);
            }
        }
    }
}
