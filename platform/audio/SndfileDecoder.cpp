#include "platform/audio/SndfileDecoder.h"

#include "platform/audio/Bass.h"
#include "platform/audio/FileProbe.h"

#include <sndfile.h>

#include <vector>

namespace audio {

namespace {

bool majorMatches(int format, SndfileDecoder::Kind kind)
{
    const int major = format & SF_FORMAT_TYPEMASK;
    switch (kind) {
    case SndfileDecoder::Kind::Wav:
        return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64
            || major == SF_FORMAT_W64;
    case SndfileDecoder::Kind::Flac:
        return major == SF_FORMAT_FLAC;
    case SndfileDecoder::Kind::Ogg:
        return major == SF_FORMAT_OGG;
    }
    return false;
}

int bitsOf(int format)
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return 8;
    case SF_FORMAT_PCM_16:
        return 16;
    case SF_FORMAT_PCM_24:
        return 24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 32;
    case SF_FORMAT_DOUBLE:
        return 64;
    default:
        return 0;
    }
}

bool isIntegerPcm(int format)
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
        return true;
    default:
        return false;
    }
}

} // namespace

std::unique_ptr<Decoder> SndfileDecoder::open(const std::string& path, Kind kind, int& error)
{
    const FileKind probed = probeFileKind(path);
    if (probed == FileKind::Unreadable) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    if (probed == FileKind::Empty) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    std::unique_ptr<SndfileDecoder> d(new SndfileDecoder);
    d->m_file = f;
    d->m_path = path;
    if (!majorMatches(info.format, kind) || info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0
        || !info.seekable) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    d->m_rate = info.samplerate;
    d->m_channels = info.channels;
    d->m_length = std::uint64_t(info.frames);
    d->m_bits = bitsOf(info.format);
    d->m_integer = isIntegerPcm(info.format);
    d->m_ctype = kind == Kind::Wav ? BASS_CTYPE_STREAM_WAV
               : kind == Kind::Flac ? BASS_CTYPE_STREAM_FLAC
                                    : BASS_CTYPE_STREAM_OGG;

    // A cut-off file still states its full length in its header: find where
    // the audio really ends, so the length is what a linear read gives.
    if (!d->readableAt(d->m_length - 1)) {
        std::uint64_t good = 0;
        std::uint64_t bad = d->m_length - 1;
        if (!d->readableAt(0)) {
            error = BASS_ERROR_FILEFORM;
            return nullptr;
        }
        while (bad - good > 1) {
            const std::uint64_t mid = good + (bad - good) / 2;
            if (d->readableAt(mid))
                good = mid;
            else
                bad = mid;
        }
        d->m_length = good + 1;
    }
    if (!d->seek(0)) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    error = BASS_OK;
    return d;
}

SndfileDecoder::~SndfileDecoder()
{
    if (m_file)
        sf_close(m_file);
}

bool SndfileDecoder::readableAt(std::uint64_t frame)
{
    if (sf_seek(m_file, sf_count_t(frame), SEEK_SET) != sf_count_t(frame))
        return false;
    std::vector<float> one(static_cast<size_t>(m_channels));
    return sf_readf_float(m_file, one.data(), 1) == 1;
}

bool SndfileDecoder::seek(std::uint64_t frame)
{
    if (frame > m_length)
        return false;
    if (sf_seek(m_file, sf_count_t(frame), SEEK_SET) == sf_count_t(frame))
        return true;
    // libsndfile's FLAC decoder cannot be positioned at all once it has read
    // past damage; a fresh one can, so loops and restarts keep working.
    return reopen() && sf_seek(m_file, sf_count_t(frame), SEEK_SET) == sf_count_t(frame);
}

bool SndfileDecoder::reopen()
{
    SF_INFO info{};
    SNDFILE* f = sf_open(m_path.c_str(), SFM_READ, &info);
    if (!f)
        return false;
    if (info.channels != m_channels || info.samplerate != m_rate || !info.seekable) {
        sf_close(f);
        return false;
    }
    sf_close(m_file);
    m_file = f;
    return true;
}

int SndfileDecoder::read(float* out, int frames)
{
    if (frames <= 0)
        return 0;
    const sf_count_t got = sf_readf_float(m_file, out, frames);
    return got > 0 ? int(got) : 0;
}

} // namespace audio
