#pragma once
// Which decoder opens a file, by the file's extension. The built-in
// libraries register themselves; a plug-in adds its own extensions.
#include "platform/audio/Decoder.h"

#include <map>
#include <mutex>

namespace audio {

class DecoderRegistry {
public:
    static DecoderRegistry& instance();

    // Extension without the dot, in any case; a later registration replaces an earlier one.
    void add(const std::string& extension, DecoderFactory factory);
    // The factory for a path's extension; empty when none is registered.
    DecoderFactory find(const std::string& path) const;

    // The text after the last "." of the file name, lower-cased; empty when there is none.
    static std::string extensionOf(const std::string& path);

private:
    DecoderRegistry();

    mutable std::mutex m_mutex;
    std::map<std::string, DecoderFactory> m_factories;
};

} // namespace audio
