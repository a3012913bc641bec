// One offscreen Qt application for every benchmark that draws or shows windows.
#pragma once

#include <QApplication>
#include <cstdlib>
#include <unistd.h>

namespace bench {

inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "mirtal_bench";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The web engine will not start as root with its sandbox on.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    new QApplication(argc, argv);
}

} // namespace bench
