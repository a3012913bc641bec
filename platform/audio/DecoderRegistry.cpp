#include "platform/audio/DecoderRegistry.h"

#include "platform/audio/FileStream.h"
#include "platform/audio/LazyDecoders.h"
#include "platform/audio/Mpg123Decoder.h"
#include "platform/audio/SndfileDecoder.h"

#include <cctype>

namespace audio {

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

DecoderRegistry& DecoderRegistry::instance()
{
    static DecoderRegistry registry;
    return registry;
}

DecoderRegistry::DecoderRegistry()
{
    for (const char* ext : {"mp1", "mp2", "mp3"})
        m_factories[ext] = &Mpg123Decoder::open;
    m_factories["wav"] = [](const std::string& p, int& e) {
        return SndfileDecoder::open(p, SndfileDecoder::Kind::Wav, e);
    };
    m_factories["flac"] = [](const std::string& p, int& e) {
        return SndfileDecoder::open(p, SndfileDecoder::Kind::Flac, e);
    };
    m_factories["ogg"] = [](const std::string& p, int& e) {
        return SndfileDecoder::open(p, SndfileDecoder::Kind::Ogg, e);
    };
    m_factories["wma"] = [](const std::string& p, int& e) {
        return openFfmpegDecoder(p, FfmpegKind::Wma, e);
    };
    for (const char* ext : {"mid", "midi", "kar", "rmi"})
        m_factories[ext] = [](const std::string& p, int& e) { return openMidiDecoder(p, currentOutputRate(), e); };
    for (const char* ext : {"aac", "mp4", "m4a"})
        m_factories[ext] = [](const std::string& p, int& e) {
            return openFfmpegDecoder(p, FfmpegKind::Aac, e);
        };
}

void DecoderRegistry::add(const std::string& extension, DecoderFactory factory)
{
    std::lock_guard lock(m_mutex);
    m_factories[lower(extension)] = std::move(factory);
}

DecoderFactory DecoderRegistry::find(const std::string& path) const
{
    const std::string ext = extensionOf(path);
    std::lock_guard lock(m_mutex);
    auto it = m_factories.find(ext);
    return it == m_factories.end() ? DecoderFactory{} : it->second;
}

std::string DecoderRegistry::extensionOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return lower(path.substr(dot + 1));
}

} // namespace audio
