#pragma once
// Lets the window layer's messages run until a condition holds or the time is
// up; for tests of windows whose work arrives through posted messages and timers.
#include "platform/win/Wnd.h"

#include <QElapsedTimer>

namespace testsupport {

// How long a test waits for the main window's first paint: a start under the
// sanitizers, beside seven other tests, can take many seconds.
constexpr int kStartWaitMs = 60000;

template <class P>
bool waitFor(P pred, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < ms)
        win::PumpMessages(5);
    return pred();
}

} // namespace testsupport
