#include "platform/audio/PlaySound.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::mutex g_lock;
HSTREAM g_playing = 0;

// The RIFF image's whole length from its header.
size_t waveLength(const void* data)
{
    const auto* p = static_cast<const unsigned char*>(data);
    if (std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return 0;
    const std::uint32_t size = std::uint32_t(p[4]) | (std::uint32_t(p[5]) << 8) | (std::uint32_t(p[6]) << 16) |
                               (std::uint32_t(p[7]) << 24);
    return size_t(size) + 8;
}

// The decoders read files: a sound in memory goes through a private temporary
// file, removed as soon as the stream holds it open.
HSTREAM streamFromMemory(const void* data)
{
    const size_t length = waveLength(data);
    if (length == 0)
        return 0;
    const char* tmp = std::getenv("TMPDIR");
    std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/mirtal-sound-XXXXXX.wav";
    const int fd = mkstemps(path.data(), 4);
    if (fd < 0)
        return 0;
    const bool written = write(fd, data, length) == ssize_t(length);
    close(fd);
    const HSTREAM s = written ? BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0) : 0;
    unlink(path.c_str());
    return s;
}

} // namespace

BOOL PlaySound(const void* sound, void*, DWORD flags)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_playing) {
        BASS_StreamFree(g_playing);
        g_playing = 0;
    }
    if (!sound)
        return TRUE;
    HSTREAM s = 0;
    if (flags & SND_MEMORY)
        s = streamFromMemory(sound);
    else
        s = BASS_StreamCreateFile(FALSE, sound, 0, 0, 0);
    if (!s)
        return FALSE;
    if (!BASS_ChannelPlay(s, FALSE)) {
        BASS_StreamFree(s);
        return FALSE;
    }
    g_playing = s;
    if (!(flags & SND_ASYNC)) {
        while (BASS_ChannelIsActive(s) == BASS_ACTIVE_PLAYING)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return TRUE;
}
