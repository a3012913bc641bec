#pragma once
// A data folder with a fresh mirtal.db for the Tools pages' tests.
#include "common/TestSupport.h"
#include "platform/audio/Bass.h"
#include "store/MusicDb.h"
#include "store/StoreFixture.h"

#include <string>
#include <vector>

namespace managerstest {

// The audio layer on the no-sound device, as the music page starts it in the program.
inline void useNoSoundDevice()
{
    BASS_DEVICEINFO info{};
    if (BASS_GetDeviceInfo(0, &info) && (info.flags & BASS_DEVICE_INIT))
        return;
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
}

class DataTest : public storetest::DataFolder {
protected:
    DataTest() { db.CreateSchema(); }

    // A file of the data folder with the given bytes; its full path.
    std::string write(const std::string& name, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
        testsupport::writeFile(dir.file(name), bytes);
        return dir.file(name);
    }

    CMusicDb db;
};

} // namespace managerstest
