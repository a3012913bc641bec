#pragma once
// A paint DC that paints off screen: a paint handler makes one on the stack
// instead of a CPaintDC, draws as usual, and the client area reaches the
// screen in one copy when the object ends, so a window that redraws often
// does not flicker. The content is undefined at the start: paint it all.
#include "platform/win/Dc.h"

class CBufferDC : public CPaintDC {
public:
    explicit CBufferDC(CWnd* wnd);
    ~CBufferDC() override;

    // The client rectangle the buffer covers.
    const CRect& GetBufferRect() const { return m_rect; }
    // Whether drawing goes to the memory buffer (false without a window).
    bool IsBuffered() const { return m_buffered; }

private:
    CRect m_rect;
    bool m_buffered = false;
};
