#include "platform/audio/LazyDecoders.h"

#include "platform/audio/Bass.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace audio {

namespace {

// The folder this library was loaded from: the modules are built beside it.
std::string ownFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) == 0 || !info.dli_fname)
        return {};
    const std::string file = info.dli_fname;
    const size_t slash = file.find_last_of('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

// The module's entry, loaded once; null when the module is missing. Modules
// stay loaded: the decoders they made are destroyed through their code.
void* entry(const char* module, const char* symbol)
{
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    void* handle = dlopen((ownFolder() + module).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        handle = dlopen(module, RTLD_NOW | RTLD_LOCAL);
    return handle ? dlsym(handle, symbol) : nullptr;
}

} // namespace

std::unique_ptr<Decoder> openFfmpegDecoder(const std::string& path, FfmpegKind kind, int& error)
{
    static const auto open = reinterpret_cast<MirtalFfmpegOpen>(entry("libmirtalaudio_ffmpeg.so", "mirtal_ffmpeg_open"));
    if (!open) {
        error = BASS_ERROR_CODEC;
        return nullptr;
    }
    return std::unique_ptr<Decoder>(open(path.c_str(), int(kind), &error));
}

std::unique_ptr<Decoder> openMidiDecoder(const std::string& path, int rate, int& error)
{
    static const auto open = reinterpret_cast<MirtalMidiOpen>(entry("libmirtalaudio_fluid.so", "mirtal_midi_open"));
    if (!open) {
        error = BASS_ERROR_CODEC;
        return nullptr;
    }
    return std::unique_ptr<Decoder>(open(path.c_str(), rate, &error));
}

} // namespace audio
