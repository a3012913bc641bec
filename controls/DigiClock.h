#pragma once
// The local time on a segment display, "hh:mm:ss", refreshed every second by
// a window timer from the moment it takes over its window until it is
// destroyed; optionally in twelve-hour mode (13 to 23 shown as 1 to 11).
#include "controls/DigiDisplay.h"

class CDigiClock : public CDigiDisplay {
public:
    CDigiClock();
    ~CDigiClock() override = default;

    // Takes effect at the next tick.
    void SetTwelveHourMode(BOOL on = TRUE) { m_bTwelveHour = on != FALSE; }
    BOOL GetTwelveHourMode() const { return m_bTwelveHour; }
    void SetBlink(BOOL on = TRUE) { m_bBlink = on != FALSE; }
    void SetHideSeconds(BOOL on = TRUE) { m_bHideSeconds = on != FALSE; }
    // The text a tick shows for a time of day, in the current modes.
    std::string TimeText(int hour, int minute, int second) const;

    void PreSubclassWindow() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnTimer(UINT_PTR id);
    void OnDestroy();

private:
    static constexpr UINT_PTR kTimerId = 1;
    bool m_bTwelveHour = false;
    bool m_bBlink = false;
    bool m_bHideSeconds = false;
    UINT_PTR m_nTimer = 0;
    unsigned m_nCount = 0;
};
