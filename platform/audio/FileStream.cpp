#include "platform/audio/FileStream.h"

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

} // namespace audio
