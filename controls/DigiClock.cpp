#include "controls/DigiClock.h"

#include <cstdio>
#include <ctime>

BEGIN_MESSAGE_MAP(CDigiClock, CDigiDisplay)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDigiClock::CDigiClock() { m_strText = "  :  "; }

void CDigiClock::PreSubclassWindow()
{
    m_nTimer = SetTimer(kTimerId, 1000);
    CDigiDisplay::PreSubclassWindow();
}

std::string CDigiClock::TimeText(int hour, int minute, int second) const
{
    if (m_bTwelveHour && hour > 12)
        hour -= 12;
    // While blinking, every other tick shows only the colons.
    const bool dark = m_bBlink && (m_nCount % 2) == 1;
    if (dark)
        return m_bHideSeconds ? "  :  " : "  :  :  ";
    char text[16];
    if (m_bHideSeconds)
        std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    else
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

void CDigiClock::OnTimer(UINT_PTR id)
{
    if (id != m_nTimer) {
        CDigiDisplay::OnTimer(id);
        return;
    }
    ++m_nCount;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    m_strText = TimeText(local.tm_hour, local.tm_min, local.tm_sec);
    Invalidate();
}

void CDigiClock::OnDestroy()
{
    CDigiDisplay::OnDestroy();
    KillTimer(m_nTimer);
}
