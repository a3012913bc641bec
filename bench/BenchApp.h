// One offscreen Qt application for every benchmark that draws or shows windows.
#pragma once

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>
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

// A rig that holds windows lives to the end of the process (destroying windows from the exit
// handlers, after Qt's own teardown, crashes); its data folder is removed at exit.
inline void RemoveAtExit(const std::filesystem::path& folder)
{
    static std::vector<std::filesystem::path> folders;
    if (folders.empty())
        std::atexit([] {
            for (const std::filesystem::path& f : folders) {
                std::error_code ec;
                std::filesystem::remove_all(f, ec);
            }
        });
    folders.push_back(folder);
}

} // namespace bench
