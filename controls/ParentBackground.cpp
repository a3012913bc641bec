#include "controls/ParentBackground.h"

void CopyParentBackground(CWnd* wnd, CDC* dc)
{
    CWnd* parent = wnd ? wnd->GetParent() : nullptr;
    if (!parent || !dc)
        return;
    CRect r;
    wnd->GetWindowRect(&r);
    parent->ScreenToClient(&r);
    CClientDC parentDC(parent);
    dc->BitBlt(0, 0, r.Width(), r.Height(), &parentDC, r.left, r.top, SRCCOPY);
}
