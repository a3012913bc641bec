#pragma once
// A small analog clock on a bitmap face: hour and minute hands, an optional
// second hand and an optional date box with the day of the month, drawn with
// an anti-aliased line routine off-screen. The face with date and hands is
// composed once a minute and cached; each second only the second hand is
// drawn over the cache. Pixels of the transparent colour (outside the dial)
// leave what lies under the control.
#include "platform/win/Controls.h"
#include "platform/win/Dc.h"

#include <ctime>

// A memory DC with one bitmap resource selected into it.
class CClockBitmapDC {
public:
    CClockBitmapDC() = default;
    ~CClockBitmapDC();
    CClockBitmapDC(const CClockBitmapDC&) = delete;
    CClockBitmapDC& operator=(const CClockBitmapDC&) = delete;

    bool Load(UINT id, CDC* reference);
    void Release();
    bool IsLoaded() const { return m_bLoaded; }
    CDC* GetDC() { return &m_dc; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    UINT Id() const { return m_nId; }

private:
    CDC m_dc;
    bool m_bDC = false;
    CBitmap m_bitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bLoaded = false;
    CBitmap* m_pOldBitmap = nullptr;
    UINT m_nId = 0;
};

// Draws a one-pixel line whose in-between pixels are blended with what lies under them.
void DrawAntialiasedLine(CDC* dc, int x0, int y0, int x1, int y1, COLORREF color);

class CXAnalogClock : public CStatic {
public:
    CXAnalogClock();
    ~CXAnalogClock() override = default;

    // Face and date box resource ids; the bitmaps load when first needed.
    void SetBitmaps(UINT face, UINT date);
    void LoadBitmaps(CDC* reference);
    // The face's size (the clock's size).
    CSize GetWindowSize();
    void Run();
    void Stop();
    BOOL IsStopped() const { return m_bStopped; }

    void SetShowDate(BOOL show) { m_bShowDate = show != FALSE; }
    void SetShowSeconds(BOOL show) { m_bShowSeconds = show != FALSE; }
    // With the system time off the clock shows the stored time, which the
    // timer advances by one second a tick.
    void SetUseSystemTime(BOOL use) { m_bUseSystemTime = use != FALSE; }
    void SetTime(const std::tm& time) { m_time = time; }
    const std::tm& GetTime() const { return m_time; }
    void SetSecondHandColor(COLORREF c) { m_crSecondHand = c; }
    void SetMinuteHandColor(COLORREF c) { m_crMinuteHand = c; }
    void SetHourHandColor(COLORREF c) { m_crHourHand = c; }

    // A hand's angle in degrees for a position in minute units (0 straight up, 15 right).
    static double AngleOf(int position);
    // The hour hand's position: 13 to 23 count as 1 to 11, 0 and 12 stay.
    static int HourHandPosition(int hour, int minute);
    // The point at a distance from the centre of a face, along a position's angle.
    static CPoint PointAt(int position, int distance, int faceWidth, int faceHeight);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override { return CStatic::PreTranslateMessage(msg); }

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnDestroy();

private:
    static constexpr UINT_PTR kTimerId = 1;
    void DrawHands(CDC* dc);
    void DrawHand(CDC* dc, int position, int tip, int shoulder, int base, COLORREF color);
    void DrawSecondHand(CDC* dc);
    void DrawDate(CDC* dc);

    CClockBitmapDC m_face;
    CClockBitmapDC m_date;
    CClockBitmapDC m_faceCache;
    // The stored time the cache was composed for (day, hour, minute), -1 none.
    long m_nLastMinute = -1;
    bool m_bShowDate = true;
    bool m_bShowSeconds = true;
    bool m_bUseSystemTime = true;
    bool m_bStopped = true;
    std::tm m_time{};
    COLORREF m_crBackground = RGB(255, 0, 255);
    COLORREF m_crTransparent = RGB(255, 0, 255);
    COLORREF m_crSecondHand = RGB(220, 20, 60);
    COLORREF m_crMinuteHand = RGB(0, 0, 0);
    COLORREF m_crHourHand = RGB(0, 0, 0);
    UINT m_nFaceId = 0;
    UINT m_nDateId = 0;
};
