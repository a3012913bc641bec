#include "platform/audio/Mpg123Decoder.h"

#include "platform/audio/Bass.h"
#include "platform/audio/FileProbe.h"

#include <mpg123.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace audio {

namespace {

void initOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

} // namespace

struct Mpg123Decoder::Reader {
    static constexpr size_t kBuffer = 256 * 1024;

    explicit Reader(int fd) : fd(fd), buffer(kBuffer) {}
    ~Reader()
    {
        if (fd >= 0)
            ::close(fd);
    }

    static mpg123_ssize_t read(void* self, void* out, size_t bytes)
    {
        auto* r = static_cast<Reader*>(self);
        auto* dst = static_cast<unsigned char*>(out);
        size_t done = 0;
        while (done < bytes) {
            if (r->pos >= r->start && r->pos < r->start + off_t(r->filled)) {
                const size_t at = size_t(r->pos - r->start);
                const size_t n = std::min(bytes - done, r->filled - at);
                std::memcpy(dst + done, r->buffer.data() + at, n);
                done += n;
                r->pos += off_t(n);
                continue;
            }
            const ssize_t got = ::pread(r->fd, r->buffer.data(), r->buffer.size(), r->pos);
            if (got < 0)
                return done > 0 ? mpg123_ssize_t(done) : -1;
            if (got == 0)
                break;
            r->start = r->pos;
            r->filled = size_t(got);
        }
        return mpg123_ssize_t(done);
    }

    static off_t seek(void* self, off_t offset, int whence)
    {
        auto* r = static_cast<Reader*>(self);
        off_t base = 0;
        if (whence == SEEK_CUR) {
            base = r->pos;
        } else if (whence == SEEK_END) {
            struct stat st {};
            if (::fstat(r->fd, &st) != 0)
                return -1;
            base = st.st_size;
        }
        if (base + offset < 0)
            return -1;
        r->pos = base + offset;
        return r->pos;
    }

    int fd;
    std::vector<unsigned char> buffer;
    off_t start = 0;     // file offset of buffer[0]
    size_t filled = 0;   // valid bytes in the buffer
    off_t pos = 0;
};

Mpg123Decoder::Mpg123Decoder() = default;

std::unique_ptr<Decoder> Mpg123Decoder::open(const std::string& path, int& error)
{
    initOnce();
    // mpg123 resyncs through anything, so content of another format would
    // "decode" as noise: such files are turned away by their signature first.
    const FileKind kind = probeFileKind(path);
    if (kind == FileKind::Unreadable) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    if (kind != FileKind::Unknown && kind != FileKind::Id3) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }

    std::unique_ptr<Mpg123Decoder> d(new Mpg123Decoder);
    int err = MPG123_OK;
    d->m_handle = mpg123_new(nullptr, &err);
    if (!d->m_handle) {
        error = BASS_ERROR_MEM;
        return nullptr;
    }
    mpg123_handle* h = d->m_handle;
    mpg123_param(h, MPG123_FLAGS,
                 MPG123_GAPLESS | MPG123_QUIET | MPG123_FORCE_FLOAT | MPG123_NO_FRANKENSTEIN, 0.0);
    mpg123_param(h, MPG123_PREFRAMES, kSeekPreroll, 0.0);
    // A full frame index keeps seeks in long files direct.
    mpg123_param(h, MPG123_INDEX_SIZE, -1000, 0.0);
    mpg123_format_none(h);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    d->m_reader = std::make_unique<Reader>(fd);
    if (mpg123_replace_reader_handle(h, &Reader::read, &Reader::seek, nullptr) != MPG123_OK
        || mpg123_open_handle(h, d->m_reader.get()) != MPG123_OK) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(h, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    // Nail the format so that a stray header later cannot change it.
    mpg123_format_none(h);
    mpg123_format(h, rate, channels, MPG123_ENC_FLOAT_32);

    mpg123_frameinfo2 info{};
    if (mpg123_info2(h, &info) == MPG123_OK)
        d->m_ctype = info.layer == 1 ? BASS_CTYPE_STREAM_MP1
                   : info.layer == 2 ? BASS_CTYPE_STREAM_MP2
                                     : BASS_CTYPE_STREAM_MP3;
    else
        d->m_ctype = BASS_CTYPE_STREAM_MP3;

    // The exact length: every frame is counted, the encoder's delay and
    // padding (gapless information) are taken off.
    if (mpg123_scan(h) != MPG123_OK) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    const off_t length = mpg123_length(h);
    if (length <= 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    d->m_rate = int(rate);
    d->m_channels = channels;
    d->m_length = std::uint64_t(length);
    if (mpg123_seek(h, 0, SEEK_SET) < 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    error = BASS_OK;
    return d;
}

Mpg123Decoder::~Mpg123Decoder()
{
    if (m_handle) {
        mpg123_close(m_handle);
        mpg123_delete(m_handle);
    }
}

bool Mpg123Decoder::seek(std::uint64_t frame)
{
    if (frame > m_length)
        return false;
    const off_t at = mpg123_seek(m_handle, off_t(frame), SEEK_SET);
    m_ended = false;
    return at >= 0 && std::uint64_t(at) == frame;
}

int Mpg123Decoder::read(float* out, int frames)
{
    if (m_ended || frames <= 0)
        return 0;
    const size_t frameBytes = sizeof(float) * size_t(m_channels);
    size_t wanted = size_t(frames) * frameBytes;
    auto* dst = reinterpret_cast<unsigned char*>(out);
    size_t got = 0;
    while (got < wanted) {
        size_t done = 0;
        const int r = mpg123_read(m_handle, dst + got, wanted - got, &done);
        got += done;
        if (r == MPG123_DONE || (r != MPG123_OK && r != MPG123_NEW_FORMAT && done == 0)) {
            m_ended = true;
            break;
        }
        if (r == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(m_handle, &rate, &channels, &encoding);
            if (rate != m_rate || channels != m_channels) {
                m_ended = true;
                break;
            }
        }
    }
    return int(got / frameBytes);
}

} // namespace audio
