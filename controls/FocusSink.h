#pragma once
// Tool windows keep the keyboard focus in a hidden edit (1004 unless they name
// another) so that typed keys reach the main window's dispatcher instead of a control.
#include "platform/win/Wnd.h"
#include "store/ResourceIds.h"

inline void ParkFocusOnSink(CWnd& dialog, int sinkId = IDC_FOCUS_SINK)
{
    if (CWnd* sink = dialog.GetDlgItem(sinkId))
        sink->SetFocus();
    dialog.UpdateData(FALSE);
}
