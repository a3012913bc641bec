#pragma once
// An LED-style level meter: bands of segments that light green, yellow and
// red by level, each with a peak marker that holds and then falls. The owner
// pushes values with SetData; a window timer on the user-interface thread
// lowers the bands and peaks between pushes and stops itself once everything
// has fallen to zero (the meter still counts as started: the next SetData
// starts the timer again). Style bit 0 draws horizontal bands, else vertical.
#include "platform/win/Wnd.h"
#include "platform/win/Gdi.h"

#include <vector>

struct MeterBand {
    int value = 0;
    int peak = 0;
    int hold = 0; // ticks before the peak falls
};

class CPeakMeterCtrl : public CWnd {
public:
    CPeakMeterCtrl();
    ~CPeakMeterCtrl() override = default;

    // Every band full, its peak held: a fresh meter starts full and falls.
    void ResetMeter();
    // Ignored unless both are above zero.
    void SetMeterBands(int bands, int segments);
    void ShowGrid(BOOL show);
    // values is indexed by band number: it holds at least first + count
    // entries. False for no values or a negative first band.
    BOOL SetData(const int* values, int first = 0, int count = 1);
    // Starts the timer with the delay between ticks (milliseconds).
    BOOL Start(UINT delay);
    BOOL Stop();
    BOOL IsStarted() const { return m_nTimerId != 0; }
    MeterBand GetBand(int index) const;
    int GetBandCount() const { return m_nNumBands; }
    int GetSegmentCount() const { return m_nNumSegments; }

    // One tick: lowers every band and peak; the timer stops when nothing fell.
    virtual void DecayBands();

    void PreSubclassWindow() override;

    // Each channel lowered by the amount, down to 0.
    static COLORREF DarkenColor(COLORREF color, int amount);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnDestroy();

private:
    static constexpr UINT_PTR kTimerId = 1;
    void InitDefaults();
    void DrawBands(CDC* dc, const CRect& rect, bool horizontal);

    COLORREF m_crBackground = 0;
    COLORREF m_crLow = RGB(0, 255, 0);
    COLORREF m_crMedium = RGB(255, 255, 0);
    COLORREF m_crHigh = RGB(255, 0, 0);
    int m_nMedLevel = 60;
    int m_nHighLevel = 80;
    int m_nRange = 100;
    int m_nNumBands = 8;
    int m_nNumSegments = 8;
    int m_nPeakHold = 10;
    bool m_bShowGrid = false;
    bool m_bShowPeak = true;
    UINT_PTR m_nTimerId = 0;
    bool m_bTicking = false;
    UINT m_nDelay = 10;
    std::vector<MeterBand> m_bands;
};
