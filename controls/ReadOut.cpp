#include "controls/ReadOut.h"

#include "platform/win/Dc.h"
#include "platform/win/WidgetAccess.h"

void CReadOut::SetTextColor(COLORREF color)
{
    m_text = color;
    applyPalette();
}

void CReadOut::SetBkColor(COLORREF color)
{
    m_back = color;
    applyPalette();
}

void CReadOut::applyPalette() { win::SetColors(this, m_text, m_back); }

void CReadOut::SetFontHeight(int height, bool bold)
{
    m_font.DeleteObject();
    m_font.CreateFont(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SetFont(&m_font);
}

void CReadOut::SetAlignment(int flags)
{
    m_align = flags;
    UINT dt = (flags & kRight) ? DT_RIGHT : (flags & kCentre) ? DT_CENTER : 0;
    if (flags & kVCentre)
        dt |= DT_VCENTER;
    win::SetTextAlignment(this, dt);
}
