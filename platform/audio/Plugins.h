#pragma once
// The plug-ins loaded with BASS_PluginLoad and the extensions they claim.
#include "platform/audio/BassPlugin.h"

#include <mutex>
#include <string>
#include <vector>

namespace audio {

class Plugins {
public:
    static Plugins& instance();

    // A BASS_ERROR_... code; the plug-in's handle in `handle`.
    int load(const std::string& file, HPLUGIN& handle);
    // A loaded plug-in claims the extension of the path.
    bool claims(const std::string& path) const;
    // A stream of the file made by the plug-in that claims its extension:
    // the handle, or 0 with a BASS_ERROR_... code.
    DWORD createStream(const std::string& path, DWORD flags, int& error);

private:
    struct Format {
        std::string extension;  // lower case, without the dot
        DWORD ctype;
    };
    struct Plugin {
        HPLUGIN handle;
        void* library;
        BASSPLUGIN_CREATEPROC* create;
        std::vector<Format> formats;
    };

    Plugins() = default;

    mutable std::mutex m_mutex;
    std::vector<Plugin> m_plugins;
    HPLUGIN m_last = 0;
};

// The error a plug-in sets with BASS_PluginSetError during a call: code()
// gives it, or the fallback when the plug-in set none.
class PluginErrorScope {
public:
    PluginErrorScope();
    ~PluginErrorScope();
    int code(int fallback) const;

private:
    int m_saved;
};

// What BASS_PluginStreamCreate needs to know of the creation in progress on
// this thread: null outside a plug-in's creation procedure.
struct PluginCreation {
    std::string path;
    DWORD ctype = 0;
    HPLUGIN plugin = 0;
    std::vector<DWORD> made;
};
PluginCreation*& currentPluginCreation();

// The error recorded by BASS_PluginSetError on this thread.
void setPluginError(int code);

} // namespace audio
