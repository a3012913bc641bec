#pragma once
// A window that stands for the main window: it keeps the command codes sent
// to it as key-downs (SendCommand), in order.
#include "platform/win/Wnd.h"

#include <algorithm>
#include <vector>

namespace testsupport {

class CommandSink : public CWnd {
public:
    std::vector<UINT> codes;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            codes.push_back(UINT(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int count(UINT code) const { return int(std::count(codes.begin(), codes.end(), code)); }
};

} // namespace testsupport
