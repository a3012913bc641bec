#pragma once
// The main database a test's data folder starts with: a fresh one as the program
// makes it, never a first run, on the silent audio device, with the test's settings.
#include "common/TestSupport.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace apptest {

inline void presetMainDatabase(const testsupport::TempDir& dir,
                               const std::vector<std::pair<std::string, std::string>>& settings)
{
    // Making the tables and their default rows is most of the work; it is done once
    // per test process and the file copied.
    static const testsupport::TempDir made;
    static const bool madeOnce = [] {
        g_baseFolder = made.str();
        CMusicDb().Init();
        return true;
    }();
    (void)madeOnce;
    g_baseFolder = dir.str();
    const std::filesystem::path target = dir.path() / "mirtal.db";
    CMusicDb db;
    if (std::filesystem::exists(target))
        db.Init(); // brought up to date like any older file
    else
        std::filesystem::copy_file(made.path() / "mirtal.db", target);
    db.SetSetting("system - setup", "false", 1);
    // The silent device: there is no sound card here, and the default one is missing.
    db.SetSetting("music - outputdevice", "0", 1);
    for (const auto& [k, v] : settings)
        db.SetSetting(k, v, 1);
}

} // namespace apptest
