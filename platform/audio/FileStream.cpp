#include "platform/audio/FileStream.h"

#include "platform/audio/DecoderRegistry.h"
#include "platform/audio/Engine.h"
#include "platform/audio/FileProbe.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/Plugins.h"

#include <cmath>

namespace audio {

FileStream::FileStream(std::unique_ptr<Decoder> decoder, const std::string& path, DWORD flags,
                       std::shared_ptr<Mixer> mixer, int bufferMs)
    : Channel(flags, std::move(mixer)),
      m_source(std::move(decoder), bufferMs),
      m_path(path),
      m_resampler(m_source.channels())
{
}

int FileStream::render(float* out, int frames, double outRate)
{
    const double step = playbackRate() / outRate;
    int n = 0;
    if (!m_resampling && std::fabs(step - 1.0) < 1e-9) {
        n = m_source.read(out, frames);
        m_srcPos = double(m_source.position());
    } else {
        if (!m_resampling) {
            // The resampler starts at the current source frame.
            m_resampler.reset();
            m_resampleBase = m_source.position();
            m_resampling = true;
        }
        n = m_resampler.process(out, frames, step,
                                [this](float* buf, int count) { return m_source.read(buf, count); });
        m_srcPos = std::min(double(m_resampleBase) + m_resampler.sourcePosition(), double(lengthFrames()));
    }
    if (n < frames && m_source.ended())
        m_sourceDone = true;
    return n;
}

bool FileStream::seekSource(std::uint64_t frame)
{
    if (!m_source.seek(frame))
        return false;
    m_resampling = false;
    return true;
}

bool isStreamFormat(long long rate, long long channels)
{
    return rate >= kMinStreamRate && rate <= kMaxStreamRate && channels >= 1 && channels <= kMaxStreamChannels;
}

DWORD createFileStream(std::unique_ptr<Decoder> decoder, const std::string& path, DWORD flags, int& error)
{
    if (!isStreamFormat(decoder->sampleRate(), decoder->channels())) {
        error = BASS_ERROR_FORMAT;
        return 0;
    }
    std::shared_ptr<Mixer> mixer;
    if (error = Engine::instance().currentMixer(mixer); error != BASS_OK)
        return 0;
    const bool decoding = (flags & BASS_STREAM_DECODE) != 0;
    auto stream = std::make_shared<FileStream>(std::move(decoder), path, flags, decoding ? nullptr : mixer,
                                               Engine::instance().bufferMs());
    const DWORD h = Engine::instance().add(stream);
    error = h ? BASS_OK : BASS_ERROR_INIT;
    return h;
}

DWORD createFileStream(const std::string& path, DWORD flags, const DecoderFactory& factory, int& error)
{
    std::shared_ptr<Mixer> mixer;
    if (error = Engine::instance().currentMixer(mixer); error != BASS_OK)
        return 0;
    if (!isReadableFile(path)) {
        error = BASS_ERROR_FILEOPEN;
        return 0;
    }
    // Without a creator of its own, a file no built-in decoder reads goes to
    // a plug-in that claims its extension.
    const bool pluginMay = !factory && Plugins::instance().claims(path);
    const DecoderFactory chosen = factory ? factory : DecoderRegistry::instance().find(path);
    if (!chosen) {
        if (pluginMay)
            return Plugins::instance().createStream(path, flags, error);
        error = BASS_ERROR_FILEFORM;
        return 0;
    }
    error = BASS_OK;
    std::unique_ptr<Decoder> decoder = chosen(path, error);
    if (!decoder) {
        if (error == BASS_OK)
            error = BASS_ERROR_FILEFORM;
        if (pluginMay && (error == BASS_ERROR_FILEFORM || error == BASS_ERROR_CODEC))
            return Plugins::instance().createStream(path, flags, error);
        return 0;
    }
    return createFileStream(std::move(decoder), path, flags, error);
}

int currentOutputRate()
{
    std::shared_ptr<Mixer> mixer;
    return Engine::instance().currentMixer(mixer) == BASS_OK ? mixer->rate() : 44100;
}

} // namespace audio
