#pragma once
// What the add-on's tests share: the "No sound" device, the add-on loaded as
// the audio layer's plug-in, and generated songs (a ".cdg" file written from
// packets, its music an MP3 made with lame from a generated WAV).
#include "karaoke/CdgStream.h"
#include "karaoke/Karalux.h"
#include "platform/win/Gdi.h"

#include "common/TestSupport.h"
#include "tests/karaoke/CdgPackets.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

namespace karaluxtest {

inline void openDeviceAndPlugin()
{
    BASS_DEVICEINFO info{};
    if (!BASS_GetDeviceInfo(0, &info) || !(info.flags & BASS_DEVICE_INIT)) {
        ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    }
    // The library this program links is the one the audio layer loads.
    // Loaded once per process: the music page may have registered it already.
    static const int loaded = [] {
        Dl_info where{};
        dladdr(reinterpret_cast<void*>(&KARALUX_SetConfig), &where);
        return BASS_PluginLoad(where.dli_fname, 0) != 0 ? BASS_OK : BASS_ErrorGetCode();
    }();
    ASSERT_TRUE(loaded == BASS_OK || loaded == BASS_ERROR_ALREADY) << loaded;
}

// An MP3 of `seconds` of a 440 Hz tone at 44100 Hz stereo, made once per
// length and copied where a test wants it.
inline void copyMp3(double seconds, const std::string& to)
{
    static testsupport::TempDir cache;
    const std::string mp3 = cache.file("tone" + std::to_string(int(seconds * 1000)) + ".mp3");
    if (!std::filesystem::exists(mp3)) {
        const std::string wav = cache.file("tone.wav");
        testsupport::writeSineWav(wav, seconds);
        const std::string command = "lame --quiet -b 128 '" + wav + "' '" + mp3 + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::filesystem::copy_file(mp3, to, std::filesystem::copy_options::overwrite_existing);
}

// The pixel of a bitmap as the platform shows it, 0x00RRGGBB.
inline std::uint32_t pixelOf(HBITMAP bitmap, int x, int y)
{
    return ImageOfBitmap(bitmap)->pixel(x, y) & 0xFFFFFF;
}

// The record of an open stream (the test's own thread is the only user).
inline CdgStream* recordOf(HSTREAM stream)
{
    CdgStream* found = nullptr;
    WithCdgStream(stream, [&](CdgStream& r) { found = &r; });
    return found;
}

} // namespace karaluxtest
