#include "controls/MemoryDC.h"

CMemoryDC::CMemoryDC(CDC* target, const CRect* rect, bool copyBackground) : m_target(target)
{
    m_memDC = !target->IsPrinting();
    if (rect)
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    if (!m_memDC)
        return; // a printer DC has no off-screen copy; this object then draws nowhere
    CreateCompatibleDC(target);
    // The bitmap covers the rectangle in device units.
    CRect device = m_rect;
    target->LPtoDP(&device);
    m_bitmap.CreateCompatibleBitmap(target, std::abs(device.Width()), std::abs(device.Height()));
    m_oldBitmap = SelectObject(&m_bitmap);
    SetMapMode(target->GetMapMode());
    SetWindowExt(target->GetWindowExt());
    SetViewportExt(target->GetViewportExt());
    SetWindowOrg(m_rect.left, m_rect.top);
    if (copyBackground)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), target, m_rect.left, m_rect.top, SRCCOPY);
    else
        FillSolidRect(&m_rect, target->GetBkColor());
}

CMemoryDC::~CMemoryDC()
{
    if (!m_memDC)
        return;
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                     SRCCOPY);
    SelectObject(m_oldBitmap);
}
