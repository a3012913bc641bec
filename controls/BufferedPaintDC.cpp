#include "controls/BufferedPaintDC.h"

#include "platform/win/Wnd.h"

// The layer's paint DC already draws into a buffer of the client area that
// is copied onto the window in one step when the DC ends; the buffered DC is
// that, with the client rectangle it covers.
CBufferDC::CBufferDC(CWnd* wnd) : CPaintDC(wnd)
{
    if (wnd && wnd->m_hWnd) {
        wnd->GetClientRect(m_rect);
        m_buffered = surface() != nullptr;
    }
}

CBufferDC::~CBufferDC() = default;
