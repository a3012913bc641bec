#pragma once
// What a control's parent shows under the control (the parent's own drawing,
// without its child windows), for controls that draw over it.
#include "platform/win/Dc.h"
#include "platform/win/Wnd.h"

// Copies the parent's pixels under the window into dc at (0, 0), window size.
void CopyParentBackground(CWnd* wnd, CDC* dc);
