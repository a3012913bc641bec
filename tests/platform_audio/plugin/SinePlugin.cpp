// A tiny plug-in for the audio tests: it serves ".sine" and ".tone" files,
// text files "frequency seconds [fail-at-seconds]", with a sine of that
// frequency and length (a procedure error at fail-at when given). It counts
// what the host does with its streams, for the tests to check.
#include "platform/audio/BassPlugin.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <mutex>
#include <set>

namespace {

constexpr DWORD kRate = 44100;
constexpr DWORD kChannels = 2;
constexpr DWORD kTestCtype = 0x1f777;

struct Sine {
    double frequency = 0;
    std::uint64_t frames = 0;
    std::uint64_t failAt = 0;  // 0: never
    std::uint64_t pos = 0;
    bool asFloat = false;
    std::atomic<int> inProc{0};
};

std::mutex g_mutex;
std::set<Sine*> g_live;
std::atomic<int> g_made{0};
std::atomic<int> g_freed{0};
std::atomic<int> g_faults{0};  // a second free, a free during the procedure, a call after free

bool live(Sine* s)
{
    std::lock_guard lock(g_mutex);
    return g_live.count(s) != 0;
}

DWORD sineProc(HSTREAM, void* buffer, DWORD length, void* user)
{
    auto* s = static_cast<Sine*>(user);
    if (!live(s) || s->inProc.fetch_add(1) != 0)
        ++g_faults;
    const DWORD frameBytes = kChannels * (s->asFloat ? 4 : 2);
    const std::uint64_t end = s->failAt ? std::min(s->failAt, s->frames) : s->frames;
    DWORD n = 0;
    for (; n < length / frameBytes && s->pos < end; ++n, ++s->pos) {
        const double v = 0.5 * std::sin(2 * M_PI * s->frequency * double(s->pos) / kRate);
        for (DWORD c = 0; c < kChannels; ++c) {
            if (s->asFloat)
                static_cast<float*>(buffer)[n * kChannels + c] = float(v);
            else
                static_cast<std::int16_t*>(buffer)[n * kChannels + c] = std::int16_t(std::lrint(v * 32767));
        }
    }
    DWORD result = n * frameBytes;
    // At the failure point the data so far goes out first; the call after it fails.
    if (s->failAt && s->pos >= s->failAt)
        result = n ? result : DWORD(-1);
    else if (s->pos >= end)
        result |= BASS_STREAMPROC_END;
    s->inProc.fetch_sub(1);
    return result;
}

void sineFree(void* inst)
{
    auto* s = static_cast<Sine*>(inst);
    {
        std::lock_guard lock(g_mutex);
        if (!g_live.erase(s) || s->inProc.load() != 0)
            ++g_faults;
    }
    ++g_freed;
    delete s;
}

QWORD sineLength(void* inst, DWORD mode)
{
    auto* s = static_cast<Sine*>(inst);
    if (!live(s))
        ++g_faults;
    if (mode != BASS_POS_BYTE) {
        BASS_PluginSetError(BASS_ERROR_NOTAVAIL);
        return QWORD(-1);
    }
    BASS_PluginSetError(BASS_OK);
    return s->frames * 4;
}

BOOL sineCanSetPosition(void* inst, QWORD pos, DWORD mode)
{
    auto* s = static_cast<Sine*>(inst);
    if (mode != BASS_POS_BYTE) {
        BASS_PluginSetError(BASS_ERROR_NOTAVAIL);
        return FALSE;
    }
    if (pos >= s->frames * 4) {
        BASS_PluginSetError(BASS_ERROR_POSITION);
        return FALSE;
    }
    return TRUE;
}

QWORD sineSetPosition(void* inst, QWORD pos, DWORD)
{
    auto* s = static_cast<Sine*>(inst);
    if (!live(s) || s->inProc.load() != 0)
        ++g_faults;
    s->pos = pos / 4;
    return pos;
}

void sineInfo(void* inst, BASS_CHANNELINFO* info)
{
    if (!live(static_cast<Sine*>(inst)))
        ++g_faults;
    info->origres = 16;
}

const ADDON_FUNCTIONS kFunctions = {0, sineFree, sineLength, nullptr, nullptr, sineInfo, sineCanSetPosition,
                                    sineSetPosition};

HSTREAM createSine(BASSFILE file, DWORD flags)
{
    std::ifstream in(BASS_PluginFileName(file));
    double frequency = 0, seconds = 0, failAt = 0;
    if (!(in >> frequency >> seconds) || frequency <= 0 || seconds <= 0) {
        BASS_PluginSetError(BASS_ERROR_FILEFORM);
        return 0;
    }
    in >> failAt;
    auto* s = new Sine;
    s->frequency = frequency;
    s->frames = std::uint64_t(seconds * kRate);
    s->failAt = std::uint64_t(failAt * kRate);
    s->asFloat = (flags & BASS_SAMPLE_FLOAT) != 0;
    {
        std::lock_guard lock(g_mutex);
        g_live.insert(s);
    }
    const HSTREAM h = BASS_PluginStreamCreate(kRate, kChannels, flags, sineProc, s, &kFunctions);
    if (!h) {
        std::lock_guard lock(g_mutex);
        g_live.erase(s);
        delete s;
        return 0;
    }
    ++g_made;
    BASS_PluginFileClose(file);
    return h;
}

const BASS_PLUGINFORM kFormat = {kTestCtype, "Test sine", "*.sine;*.TONE"};
const BASS_PLUGININFO kInfo = {BASSPLUGIN_VERSION, 1, &kFormat};

} // namespace

extern "C" {

__attribute__((visibility("default"))) const void* BASSplugin(DWORD face)
{
    switch (face) {
    case BASSPLUGIN_INFO: return &kInfo;
    case BASSPLUGIN_CREATE: return reinterpret_cast<const void*>(&createSine);
    default: return nullptr;
    }
}

// What the tests read back.
__attribute__((visibility("default"))) int SinePlugin_Made() { return g_made.load(); }
__attribute__((visibility("default"))) int SinePlugin_Freed() { return g_freed.load(); }
__attribute__((visibility("default"))) int SinePlugin_Faults() { return g_faults.load(); }
__attribute__((visibility("default"))) int SinePlugin_Live()
{
    std::lock_guard lock(g_mutex);
    return int(g_live.size());
}

}  // extern "C"
