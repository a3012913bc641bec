#include "platform/audio/Plugins.h"

#include "platform/audio/DecoderRegistry.h"
#include "platform/audio/Engine.h"
#include "platform/audio/PluginStream.h"

#include <algorithm>
#include <cctype>
#include <dlfcn.h>

struct BASSFILE_OBJECT {
    std::string path;
    bool closed = false;
};

namespace audio {

namespace {

constexpr int kNoError = -1000;
thread_local int t_pluginError = kNoError;
thread_local PluginCreation* t_creation = nullptr;

using EntryProc = const void*(DWORD face);

// "*.cdg;*.Abc" -> "cdg", "abc".
std::vector<std::string> extensionsOf(const char* filter)
{
    std::vector<std::string> exts;
    std::string item;
    const std::string text = filter ? filter : "";
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ';') {
            item += char(std::tolower(static_cast<unsigned char>(text[i])));
            continue;
        }
        item.erase(0, item.find_first_not_of(" *."));
        item.erase(item.find_last_not_of(' ') + 1);
        if (!item.empty() && item.find_first_of("*?/\\") == std::string::npos)
            exts.push_back(item);
        item.clear();
    }
    return exts;
}

} // namespace

PluginErrorScope::PluginErrorScope() : m_saved(t_pluginError)
{
    t_pluginError = kNoError;
}

PluginErrorScope::~PluginErrorScope()
{
    t_pluginError = m_saved;
}

int PluginErrorScope::code(int fallback) const
{
    return t_pluginError == kNoError ? fallback : t_pluginError;
}

PluginCreation*& currentPluginCreation()
{
    return t_creation;
}

void setPluginError(int code)
{
    t_pluginError = code;
}

Plugins& Plugins::instance()
{
    static Plugins plugins;
    return plugins;
}

int Plugins::load(const std::string& file, HPLUGIN& handle)
{
    handle = 0;
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return BASS_ERROR_FILEOPEN;
    std::lock_guard lock(m_mutex);
    for (const Plugin& p : m_plugins)
        if (p.library == library) {
            dlclose(library);  // the extra reference this call took
            return BASS_ERROR_ALREADY;
        }
    auto* entry = reinterpret_cast<EntryProc*>(dlsym(library, "BASSplugin"));
    const auto* info = entry ? static_cast<const BASS_PLUGININFO*>(entry(BASSPLUGIN_INFO)) : nullptr;
    auto* create = entry ? reinterpret_cast<BASSPLUGIN_CREATEPROC*>(const_cast<void*>(entry(BASSPLUGIN_CREATE)))
                         : nullptr;
    int error = BASS_OK;
    if (!info || !create || !info->formats || info->formatc == 0)
        error = BASS_ERROR_FILEFORM;
    else if ((info->version >> 16) != BASSVERSION)
        error = BASS_ERROR_VERSION;
    if (error != BASS_OK) {
        dlclose(library);
        return error;
    }
    Plugin plugin{++m_last, library, create, {}};
    for (DWORD i = 0; i < info->formatc; ++i)
        for (const std::string& ext : extensionsOf(info->formats[i].exts))
            plugin.formats.push_back({ext, info->formats[i].ctype});
    handle = plugin.handle;
    m_plugins.push_back(std::move(plugin));
    return BASS_OK;
}

bool Plugins::claims(const std::string& path) const
{
    const std::string ext = DecoderRegistry::extensionOf(path);
    std::lock_guard lock(m_mutex);
    for (const Plugin& p : m_plugins)
        for (const Format& f : p.formats)
            if (f.extension == ext)
                return true;
    return false;
}

DWORD Plugins::createStream(const std::string& path, DWORD flags, int& error)
{
    const std::string ext = DecoderRegistry::extensionOf(path);
    PluginCreation creation;
    BASSPLUGIN_CREATEPROC* create = nullptr;
    {
        std::lock_guard lock(m_mutex);
        for (const Plugin& p : m_plugins)
            for (const Format& f : p.formats)
                if (!create && f.extension == ext) {
                    create = p.create;
                    creation.ctype = f.ctype;
                    creation.plugin = p.handle;
                }
    }
    if (!create) {
        error = BASS_ERROR_FILEFORM;
        return 0;
    }
    creation.path = path;
    BASSFILE_OBJECT file{path};
    PluginErrorScope scope;
    PluginCreation* outer = t_creation;
    t_creation = &creation;
    const HSTREAM h = create(&file, flags);
    t_creation = outer;
    if (h) {
        error = BASS_OK;
        return h;
    }
    // A stream made before the plug-in gave up is its to forget, not to free again.
    for (DWORD made : creation.made)
        if (auto c = std::dynamic_pointer_cast<PluginStream>(Engine::instance().channel(made)))
            c->dropWithoutFree();
    error = scope.code(BASS_ERROR_FILEFORM);
    if (error == BASS_OK)
        error = BASS_ERROR_FILEFORM;
    return 0;
}

} // namespace audio

extern "C" {

HPLUGIN BASS_PluginLoad(const char* file, DWORD)
{
    HPLUGIN h = 0;
    audio::Engine::setError(file ? audio::Plugins::instance().load(file, h) : BASS_ERROR_ILLPARAM);
    return h;
}

void BASS_PluginSetError(int code)
{
    audio::setPluginError(code);
    audio::Engine::setError(code);
}

HSTREAM BASS_PluginStreamCreate(DWORD freq, DWORD chans, DWORD flags, STREAMPROC* proc, void* inst,
                                const ADDON_FUNCTIONS* funcs)
{
    const audio::PluginCreation* creation = audio::currentPluginCreation();
    int err = BASS_OK;
    const HSTREAM h = audio::createProcStream(freq, chans, flags, proc, inst, funcs, creation ? creation->path : "",
                                              creation ? creation->ctype : BASS_CTYPE_STREAM,
                                              creation ? creation->plugin : 0, err);
    if (h && audio::currentPluginCreation())
        audio::currentPluginCreation()->made.push_back(h);
    audio::Engine::setError(err);
    return h;
}

const char* BASS_PluginFileName(BASSFILE file)
{
    return file ? file->path.c_str() : nullptr;
}

void BASS_PluginFileClose(BASSFILE file)
{
    if (file)
        file->closed = true;
}

HSTREAM BASS_StreamCreate(DWORD freq, DWORD chans, DWORD flags, STREAMPROC* proc, void* user)
{
    int err = BASS_OK;
    const HSTREAM h = audio::createProcStream(freq, chans, flags, proc, user, nullptr, "", BASS_CTYPE_STREAM, 0, err);
    audio::Engine::setError(err);
    return h;
}

}  // extern "C"
