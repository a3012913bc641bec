#include "platform/audio/FfmpegDecoder.h"

#include "platform/audio/Bass.h"
#include "platform/audio/FileProbe.h"
#include "platform/audio/SampleConvert.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace audio {

namespace {

void quietLogs()
{
    // FFmpeg reports every damaged packet on stderr; errors reach the caller as codes.
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

bool isWma(AVCodecID id)
{
    return id == AV_CODEC_ID_WMAV1 || id == AV_CODEC_ID_WMAV2 || id == AV_CODEC_ID_WMAPRO
        || id == AV_CODEC_ID_WMALOSSLESS || id == AV_CODEC_ID_WMAVOICE;
}

template <typename T>
float toFloat(T v);
template <>
float toFloat(float v) { return v; }
template <>
float toFloat(double v) { return float(v); }
template <>
float toFloat(std::int16_t v) { return float(v) * (1.0f / 32768.0f); }
template <>
float toFloat(std::int32_t v) { return float(double(v) * (1.0 / 2147483648.0)); }
template <>
float toFloat(std::uint8_t v) { return float(int(v) - 128) * (1.0f / 128.0f); }

template <typename T>
void interleave(const AVFrame* f, int channels, bool planar, float* dst)
{
    const int n = f->nb_samples;
    if (planar) {
        for (int c = 0; c < channels; ++c) {
            const T* src = reinterpret_cast<const T*>(f->extended_data[c]);
            for (int i = 0; i < n; ++i)
                dst[size_t(i) * size_t(channels) + size_t(c)] = toFloat<T>(src[i]);
        }
    } else {
        const T* src = reinterpret_cast<const T*>(f->extended_data[0]);
        for (size_t i = 0; i < size_t(n) * size_t(channels); ++i)
            dst[i] = toFloat<T>(src[i]);
    }
}

} // namespace

std::unique_ptr<Decoder> FfmpegDecoder::open(const std::string& path, Kind kind, int& error)
{
    quietLogs();
    const FileKind probed = probeFileKind(path);
    if (probed == FileKind::Unreadable) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    const bool fits = kind == Kind::Wma ? probed == FileKind::Asf
                                        : probed == FileKind::Mp4 || probed == FileKind::Adts || probed == FileKind::Id3;
    if (!fits) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    std::unique_ptr<FfmpegDecoder> d(new FfmpegDecoder);
    d->m_path = path;
    d->m_kind = kind;
    if (!d->openInput(error))
        return nullptr;

    const AVStream* st = d->m_format->streams[d->m_stream];
    const AVCodecParameters* par = st->codecpar;
    const bool plainAac = par->codec_id == AV_CODEC_ID_AAC && par->frame_size == 1024
                       && par->profile != FF_PROFILE_AAC_HE && par->profile != FF_PROFILE_AAC_HE_V2;
    bool indexed = false;
    if (plainAac)
        indexed = d->buildIndexFromDurations();
    else if (d->buildIndexFromWmaHeaders())
        indexed = true;
    else
        indexed = d->reopenFromStart() && d->buildIndexByDecoding();
    if (!indexed || d->m_length == 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    // MP4 edit lists state the true length; the decoder's last packet runs past it.
    const bool isMp4 = std::strstr(d->m_format->iformat->name, "mp4") != nullptr;
    if (isMp4 && st->duration > 0 && st->time_base.num == 1 && st->time_base.den == d->m_rate
        && std::uint64_t(st->duration) < d->m_length)
        d->m_length = std::uint64_t(st->duration);
    d->m_ctype = kind == Kind::Wma ? BASS_CTYPE_STREAM_WMA : isMp4 ? BASS_CTYPE_STREAM_MP4 : BASS_CTYPE_STREAM_AAC;
    if (!d->rewind()) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    error = BASS_OK;
    return d;
}

FfmpegDecoder::~FfmpegDecoder()
{
    closeInput();
}

bool FfmpegDecoder::openInput(int& error)
{
    const FileKind probed = probeFileKind(m_path);
    const char* demuxer = m_kind == Kind::Wma ? "asf" : probed == FileKind::Mp4 ? "mov" : "aac";
    if (avformat_open_input(&m_format, m_path.c_str(), av_find_input_format(demuxer), nullptr) < 0) {
        m_format = nullptr;
        error = BASS_ERROR_FILEFORM;
        return false;
    }
    if (avformat_find_stream_info(m_format, nullptr) < 0) {
        error = BASS_ERROR_FILEFORM;
        return false;
    }
    m_stream = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (m_stream < 0) {
        error = BASS_ERROR_FILEFORM;
        return false;
    }
    const AVCodecParameters* par = m_format->streams[m_stream]->codecpar;
    const bool codecFits = m_kind == Kind::Wma ? isWma(par->codec_id) : par->codec_id == AV_CODEC_ID_AAC;
    const AVCodec* codec = codecFits ? avcodec_find_decoder(par->codec_id) : nullptr;
    if (!codec) {
        error = BASS_ERROR_CODEC;
        return false;
    }
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
        if (int(i) != m_stream)
            m_format->streams[i]->discard = AVDISCARD_ALL;
    if (!reopenCodec()) {
        error = BASS_ERROR_CODEC;
        return false;
    }
    const int rate = m_codec->sample_rate;
    const int channels = m_codec->ch_layout.nb_channels;
    if (rate <= 0 || channels <= 0 || (m_rate && (rate != m_rate || channels != m_channels))) {
        error = BASS_ERROR_FORMAT;
        return false;
    }
    m_rate = rate;
    m_channels = channels;
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    if (!m_packet || !m_frame) {
        error = BASS_ERROR_MEM;
        return false;
    }
    m_heldPacket = false;
    return true;
}

bool FfmpegDecoder::reopenCodec()
{
    avcodec_free_context(&m_codec);
    const AVCodecParameters* par = m_format->streams[m_stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    m_codec = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!m_codec || avcodec_parameters_to_context(m_codec, par) < 0)
        return false;
    m_codec->thread_count = 1;
    return avcodec_open2(m_codec, codec, nullptr) >= 0;
}

void FfmpegDecoder::closeInput()
{
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    if (m_format)
        avformat_close_input(&m_format);
    m_heldPacket = false;
}

bool FfmpegDecoder::nextPacket()
{
    for (;;) {
        if (av_read_frame(m_format, m_packet) < 0)
            return false;
        if (m_packet->stream_index == m_stream) {
            m_packetIndex = m_nextPacketIndex++;
            return true;
        }
        av_packet_unref(m_packet);
    }
}

bool FfmpegDecoder::walkAdtsHeaders(const std::function<void(std::int64_t, std::int64_t)>& add)
{
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::vector<unsigned char> buffer(256 * 1024);
    off_t bufferAt = 0;
    size_t filled = 0;
    // The bytes at `at`, at least `need` of them, or null at the end of the file.
    auto bytes = [&](off_t at, size_t need) -> const unsigned char* {
        if (at < bufferAt || at + off_t(need) > bufferAt + off_t(filled)) {
            const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), at);
            bufferAt = at;
            filled = got > 0 ? size_t(got) : 0;
        }
        return filled >= need ? buffer.data() + (at - bufferAt) : nullptr;
    };
    off_t at = 0;
    if (const unsigned char* id3 = bytes(0, 10); id3 && std::memcmp(id3, "ID3", 3) == 0) {
        const off_t size = (off_t(id3[6] & 0x7f) << 21) | (off_t(id3[7] & 0x7f) << 14) | (off_t(id3[8] & 0x7f) << 7)
                         | off_t(id3[9] & 0x7f);
        at = 10 + size + ((id3[5] & 0x10) ? 10 : 0);
    }
    std::int64_t total = 0;
    bool any = false;
    while (const unsigned char* h = bytes(at, 7)) {
        if (h[0] != 0xFF || (h[1] & 0xF6) != 0xF0)
            break;
        const int length = ((h[3] & 0x03) << 11) | (h[4] << 3) | (h[5] >> 5);
        if (length < 7)
            break;
        const std::int64_t samples = 1024 * ((h[6] & 0x03) + 1);
        add(total, samples);
        total += samples;
        at += length;
        any = true;
    }
    ::close(fd);
    return any;
}

bool FfmpegDecoder::buildIndexFromDurations()
{
    AVStream* st = m_format->streams[m_stream];
    const std::int64_t frameSize = st->codecpar->frame_size;
    auto addPacket = [&](std::int64_t dts, std::int64_t samples) {
        if (!m_index.empty() && dts <= m_index.back().dts)
            m_seekable = false;
        m_index.push_back({dts, std::uint64_t(std::max<std::int64_t>(samples, 0))});
    };

    // MP4 keeps a table of every packet, and raw AAC frames say their own
    // length in their headers: no need to have the demuxer read them all.
    const int entries = avformat_index_get_entries_count(st);
    bool fromTable = entries > 0;
    if (fromTable) {
        for (int i = 0; i < entries; ++i) {
            const AVIndexEntry* e = avformat_index_get_entry(st, i);
            addPacket(e->timestamp, (e->flags & AVINDEX_DISCARD_FRAME) ? 0 : frameSize);
        }
    } else if (std::strcmp(m_format->iformat->name, "aac") == 0) {
        fromTable = walkAdtsHeaders([&](std::int64_t samplesBefore, std::int64_t samples) {
            addPacket(av_rescale_q(samplesBefore, AVRational{1, m_rate}, st->time_base), samples);
        });
        if (!fromTable)
            m_index.clear();
    }
    if (fromTable) {
        // The first packets are decoded for real: the encoder's delay may end
        // inside one of them, which the table does not say.
        constexpr size_t kCalibrate = 8;
        std::vector<std::uint64_t> counts;
        while (counts.size() < std::min(kCalibrate, m_index.size()) && nextPacket()) {
            if (m_packet->dts != m_index[size_t(m_packetIndex)].dts) {
                av_packet_unref(m_packet);
                fromTable = false;
                break;
            }
            avcodec_send_packet(m_codec, m_packet);
            av_packet_unref(m_packet);
            std::uint64_t n = 0;
            while (avcodec_receive_frame(m_codec, m_frame) == 0) {
                n += std::uint64_t(m_frame->nb_samples);
                av_frame_unref(m_frame);
            }
            counts.push_back(n);
        }
        if (fromTable) {
            for (size_t i = 0; i < counts.size(); ++i)
                m_index[i].outStart = counts[i];
        } else {
            // The table and the packets disagree: read the packets after all.
            if (!reopenFromStart())
                return false;
        }
    }
    if (!fromTable) {
        while (nextPacket()) {
            std::int64_t samples = frameSize;
            if (m_packet->flags & AV_PKT_FLAG_DISCARD)
                samples = 0;
            size_t size = 0;
            if (const std::uint8_t* skip = av_packet_get_side_data(m_packet, AV_PKT_DATA_SKIP_SAMPLES, &size);
                skip && size >= 8) {
                std::uint32_t start = 0;
                std::uint32_t end = 0;
                std::memcpy(&start, skip, 4);
                std::memcpy(&end, skip + 4, 4);
                samples -= std::int64_t(start) + std::int64_t(end);
            }
            addPacket(m_packet->dts, samples);
            av_packet_unref(m_packet);
        }
    }
    // The entries hold their packet's count so far; make them running starts.
    std::uint64_t total = 0;
    for (IndexEntry& e : m_index) {
        const std::uint64_t count = e.outStart;
        e.outStart = total;
        total += count;
    }
    m_length = total;
    return !m_index.empty();
}

bool FfmpegDecoder::buildIndexByDecoding()
{
    std::uint64_t total = 0;
    auto drain = [&] {
        while (avcodec_receive_frame(m_codec, m_frame) == 0) {
            total += std::uint64_t(m_frame->nb_samples);
            av_frame_unref(m_frame);
        }
    };
    while (nextPacket()) {
        if (!m_index.empty() && m_packet->dts <= m_index.back().dts)
            m_seekable = false;
        m_index.push_back({m_packet->dts, total});
        avcodec_send_packet(m_codec, m_packet);
        av_packet_unref(m_packet);
        drain();
    }
    avcodec_send_packet(m_codec, nullptr);
    drain();
    m_length = total;
    return !m_index.empty();
}

bool FfmpegDecoder::reopenFromStart()
{
    m_index.clear();
    m_seekable = true;
    closeInput();
    int error = 0;
    if (!openInput(error))
        return false;
    m_nextPacketIndex = 0;
    m_packetIndex = -1;
    return true;
}

bool FfmpegDecoder::buildIndexFromWmaHeaders()
{
    const AVCodecParameters* par = m_format->streams[m_stream]->codecpar;
    const int version = par->codec_id == AV_CODEC_ID_WMAV1 ? 1 : par->codec_id == AV_CODEC_ID_WMAV2 ? 2 : 0;
    const int block = par->block_align;
    if (version == 0 || block <= 0 || !par->extradata)
        return false;
    // The decoder's setup flags; bit 2 is the bit reservoir, which puts a
    // superframe header (index, frame count) at the start of every block.
    unsigned flags = 0;
    if (version == 1 && par->extradata_size >= 4)
        flags = unsigned(par->extradata[2] | (par->extradata[3] << 8));
    else if (version == 2 && par->extradata_size >= 6)
        flags = unsigned(par->extradata[4] | (par->extradata[5] << 8));
    else
        return false;
    const bool reservoir = (flags & 2) != 0;
    // Every frame is this long, whatever its blocks.
    const int rate = par->sample_rate;
    const std::uint64_t frameLength = rate <= 16000 ? 512 : (rate <= 22050 || (rate <= 32000 && version == 1)) ? 1024 : 2048;

    // A block whose count (less one while nothing is carried over) is
    // positive gives that many frames and leaves its tail to the next; one
    // that does not is carried over whole and gives nothing.
    bool carried = false;
    auto framesOf = [&](const std::uint8_t* data, int size) -> std::uint64_t {
        std::uint64_t frames = 0;
        for (int at = 0; at + block <= size; at += block) {
            if (!reservoir) {
                frames += 1;
                continue;
            }
            const int count = (data[at] & 0x0F) - (carried ? 0 : 1);
            if (count > 0)
                frames += std::uint64_t(count);
            carried = true;
        }
        return frames * frameLength;
    };
    // One pass over the packets. The first ones are also decoded for real:
    // the decoder drops its first frames (what the encoder's overlap put
    // there), which no header says. After them it must give what the headers say.
    constexpr size_t kCalibrate = 8;
    constexpr size_t kSteady = 3;  // the last calibrated packets must agree
    std::vector<std::uint64_t> counts;
    std::vector<std::uint64_t> decoded;
    while (nextPacket()) {
        if (!m_index.empty() && m_packet->dts <= m_index.back().dts)
            m_seekable = false;
        m_index.push_back({m_packet->dts, 0});
        counts.push_back(framesOf(m_packet->data, m_packet->size));
        if (decoded.size() < kCalibrate) {
            avcodec_send_packet(m_codec, m_packet);
            std::uint64_t n = 0;
            while (avcodec_receive_frame(m_codec, m_frame) == 0) {
                n += std::uint64_t(m_frame->nb_samples);
                av_frame_unref(m_frame);
            }
            decoded.push_back(n);
        }
        av_packet_unref(m_packet);
    }
    if (m_index.empty())
        return false;
    for (size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] != counts[i] && (i + kSteady >= decoded.size() || decoded[i] > counts[i]))
            return false;
        counts[i] = decoded[i];
    }
    // At the end the decoder gives the last frame's overlapping half as one
    // more frame.
    std::uint64_t total = 0;
    for (size_t i = 0; i < m_index.size(); ++i) {
        m_index[i].outStart = total;
        total += counts[i];
    }
    m_length = total + frameLength;
    return true;
}

long FfmpegDecoder::findIndex(std::int64_t dts) const
{
    auto it = std::lower_bound(m_index.begin(), m_index.end(), dts,
                               [](const IndexEntry& e, std::int64_t v) { return e.dts < v; });
    if (it == m_index.end() || it->dts != dts)
        return -1;
    return long(it - m_index.begin());
}

bool FfmpegDecoder::rewind()
{
    m_pendingFrames = 0;
    m_pendingPos = 0;
    // A fresh decoder, as a linear decode from the start had: a flushed one
    // may differ in its first frame.
    if (!reopenCodec())
        return false;
    if (m_heldPacket) {
        av_packet_unref(m_packet);
        m_heldPacket = false;
    }
    // Back to the first packet; a demuxer that lands anywhere else is reopened,
    // the one way back that every demuxer honours.
    const bool landed = av_seek_frame(m_format, m_stream, m_index.front().dts, AVSEEK_FLAG_BACKWARD) >= 0
                     && nextPacket() && m_packet->dts == m_index.front().dts;
    if (landed) {
        m_heldPacket = true;
    } else {
        closeInput();
        int error = 0;
        if (!openInput(error))
            return false;
    }
    m_pendingFrames = 0;
    m_pendingPos = 0;
    m_pendingStart = 0;
    m_discardUntil = 0;
    m_inputDone = false;
    m_nextPacketIndex = landed ? 1 : 0;
    m_packetIndex = landed ? 0 : -1;
    m_outNext = 0;
    return true;
}

bool FfmpegDecoder::seek(std::uint64_t frame)
{
    if (frame > m_length || !m_format)
        return false;
    m_pendingFrames = 0;
    m_pendingPos = 0;
    if (frame == m_length) {
        m_pendingStart = frame;
        m_discardUntil = frame;
        m_inputDone = true;
        return true;
    }
    // The packet whose output holds the frame, then a few more before it.
    auto it = std::upper_bound(m_index.begin(), m_index.end(), frame,
                               [](std::uint64_t v, const IndexEntry& e) { return v < e.outStart; });
    const long holding = long(it - m_index.begin()) - 1;
    const long start = std::max(0L, holding - kSeekPreroll);
    if (start > 0 && m_seekable) {
        avcodec_flush_buffers(m_codec);
        // The demuxer reads into the same packet: a held one must go first or it leaks.
        if (m_heldPacket)
            av_packet_unref(m_packet);
        m_heldPacket = false;
        m_inputDone = false;
        if (av_seek_frame(m_format, m_stream, m_index[size_t(start)].dts, AVSEEK_FLAG_BACKWARD) >= 0
            && nextPacket()) {
            const long landed = findIndex(m_packet->dts);
            if (landed >= 0 && landed <= start) {
                m_heldPacket = true;
                m_packetIndex = landed;
                m_nextPacketIndex = landed + 1;
                m_outNext = m_index[size_t(landed)].outStart;
                m_pendingStart = m_outNext;
                m_discardUntil = frame;
                return true;
            }
            av_packet_unref(m_packet);
        }
    }
    // From the start: slow for a far target, but always exact.
    if (!rewind())
        return false;
    m_discardUntil = frame;
    return true;
}

void FfmpegDecoder::convertFrame(float* dst)
{
    const size_t samples = size_t(m_frame->nb_samples) * size_t(m_channels);
    if (m_frame->ch_layout.nb_channels == m_channels) {
        switch (m_frame->format) {
        case AV_SAMPLE_FMT_FLTP:
            // What the AAC and WMA decoders give.
            interleaveFinite(reinterpret_cast<const float* const*>(m_frame->extended_data), m_channels,
                             size_t(m_frame->nb_samples), dst);
            return;
        case AV_SAMPLE_FMT_FLT: interleave<float>(m_frame, m_channels, false, dst); break;
        case AV_SAMPLE_FMT_DBLP: interleave<double>(m_frame, m_channels, true, dst); break;
        case AV_SAMPLE_FMT_DBL: interleave<double>(m_frame, m_channels, false, dst); break;
        // Integer samples are always finite.
        case AV_SAMPLE_FMT_S16P: interleave<std::int16_t>(m_frame, m_channels, true, dst); return;
        case AV_SAMPLE_FMT_S16: interleave<std::int16_t>(m_frame, m_channels, false, dst); return;
        case AV_SAMPLE_FMT_S32P: interleave<std::int32_t>(m_frame, m_channels, true, dst); return;
        case AV_SAMPLE_FMT_S32: interleave<std::int32_t>(m_frame, m_channels, false, dst); return;
        case AV_SAMPLE_FMT_U8P: interleave<std::uint8_t>(m_frame, m_channels, true, dst); return;
        case AV_SAMPLE_FMT_U8: interleave<std::uint8_t>(m_frame, m_channels, false, dst); return;
        default:
            // An unknown layout: silence of the right length keeps positions right.
            std::fill(dst, dst + samples, 0.0f);
            return;
        }
        silenceNonFinite(dst, samples);
        return;
    }
    std::fill(dst, dst + samples, 0.0f);
}

bool FfmpegDecoder::nextFrame()
{
    bool flushed = false;
    for (;;) {
        const int r = avcodec_receive_frame(m_codec, m_frame);
        if (r == 0) {
            if (m_frame->nb_samples > 0)
                return true;
            av_frame_unref(m_frame);
            continue;
        }
        if (r != AVERROR(EAGAIN)) {
            m_inputDone = true;
            return false;
        }
        if (!m_heldPacket) {
            if (!nextPacket()) {
                if (flushed) {
                    m_inputDone = true;
                    return false;
                }
                avcodec_send_packet(m_codec, nullptr);
                flushed = true;
                continue;
            }
            m_heldPacket = true;
        }
        const int s = avcodec_send_packet(m_codec, m_packet);
        if (s == AVERROR(EAGAIN))
            continue;
        if (s >= 0 && m_packetIndex >= 0 && size_t(m_packetIndex) < m_index.size())
            m_outNext = m_index[size_t(m_packetIndex)].outStart;
        av_packet_unref(m_packet);
        m_heldPacket = false;
    }
}

int FfmpegDecoder::read(float* out, int frames)
{
    if (!m_format || frames <= 0)
        return 0;
    const size_t ch = size_t(m_channels);
    int done = 0;
    while (done < frames) {
        const size_t avail = m_pendingFrames - m_pendingPos;
        if (avail > 0) {
            if (m_pendingStart < m_discardUntil) {
                const size_t drop = size_t(std::min<std::uint64_t>(avail, m_discardUntil - m_pendingStart));
                m_pendingPos += drop;
                m_pendingStart += drop;
                continue;
            }
            if (m_pendingStart >= m_length) {
                m_pendingPos = m_pendingFrames;
                break;
            }
            const size_t n = size_t(std::min<std::uint64_t>(
                {std::uint64_t(avail), std::uint64_t(frames - done), m_length - m_pendingStart}));
            std::memcpy(out + size_t(done) * ch, m_pending.data() + m_pendingPos * ch, n * ch * sizeof(float));
            m_pendingPos += n;
            m_pendingStart += n;
            done += int(n);
            continue;
        }
        m_pendingFrames = 0;
        m_pendingPos = 0;
        if (m_inputDone || m_pendingStart >= m_length || !nextFrame())
            break;
        const std::uint64_t start = m_outNext;
        const size_t n = size_t(m_frame->nb_samples);
        m_outNext += n;
        m_pendingStart = start;
        if (start >= m_discardUntil && start + n <= m_length && n <= size_t(frames - done)) {
            // The whole frame is wanted: straight into the caller's buffer.
            convertFrame(out + size_t(done) * ch);
            done += int(n);
            m_pendingStart = start + n;
        } else {
            if (m_pending.size() < n * ch)
                m_pending.resize(n * ch);
            convertFrame(m_pending.data());
            m_pendingFrames = n;
        }
        av_frame_unref(m_frame);
    }
    return done;
}

} // namespace audio

extern "C" __attribute__((visibility("default"))) audio::Decoder* mirtal_ffmpeg_open(const char* path, int kind,
                                                                                    int* error)
{
    return audio::FfmpegDecoder::open(path, kind == 0 ? audio::FfmpegDecoder::Kind::Wma : audio::FfmpegDecoder::Kind::Aac,
                                      *error)
        .release();
}
