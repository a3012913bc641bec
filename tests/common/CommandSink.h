#pragma once
// A window that stands for the main window: it keeps the command codes sent
// to it as key-downs (SendCommand), in order.
#include "platform/win/Wnd.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace testsupport {

class CommandSink : public CWnd {
public:
    std::vector<UINT> codes;
    // Runs on each code once it is kept: a test does there what the main window
    // would (destroy a page that reported closing).
    std::function<void(UINT)> onCode;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN) {
            codes.push_back(UINT(wParam));
            if (onCode)
                onCode(UINT(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int count(UINT code) const { return int(std::count(codes.begin(), codes.end(), code)); }
    bool sent(UINT code) const { return count(code) > 0; }
};

} // namespace testsupport
