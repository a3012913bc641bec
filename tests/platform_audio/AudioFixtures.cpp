#include "AudioFixtures.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
}
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace audiotest {

Pcm sine(double seconds, double frequency, double amplitude, int rate, int channels)
{
    Pcm p;
    p.rate = rate;
    p.channels = channels;
    const size_t n = size_t(seconds * rate);
    p.samples.resize(n * size_t(channels));
    for (size_t i = 0; i < n; ++i) {
        const float v = float(amplitude * std::sin(2.0 * M_PI * frequency * double(i) / rate));
        for (int c = 0; c < channels; ++c)
            p.samples[i * size_t(channels) + size_t(c)] = v;
    }
    return p;
}

Pcm sweep(double seconds, int rate, int channels)
{
    Pcm p;
    p.rate = rate;
    p.channels = channels;
    const size_t n = size_t(seconds * rate);
    p.samples.resize(n * size_t(channels));
    double phase = 0;
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        phase += 2.0 * M_PI * (220.0 + 400.0 * t) / rate;
        for (int c = 0; c < channels; ++c)
            p.samples[i * size_t(channels) + size_t(c)] = float(0.4 * std::sin(phase * (1 + c)));
    }
    return p;
}

Pcm clickTrack(double seconds, double bpm, int rate, int channels)
{
    Pcm p;
    p.rate = rate;
    p.channels = channels;
    const size_t n = size_t(seconds * rate);
    p.samples.assign(n * size_t(channels), 0.0f);
    const double period = 60.0 / bpm * rate;
    const size_t clickLen = size_t(0.02 * rate);
    for (double at = 0; at < double(n); at += period) {
        const size_t start = size_t(at);
        for (size_t i = 0; i < clickLen && start + i < n; ++i) {
            const double env = 1.0 - double(i) / double(clickLen);
            const float v = float(0.8 * env * std::sin(2.0 * M_PI * 1000.0 * double(i) / rate));
            for (int c = 0; c < channels; ++c)
                p.samples[(start + i) * size_t(channels) + size_t(c)] = v;
        }
    }
    return p;
}

void writeWav16(const std::string& path, const Pcm& pcm)
{
    SF_INFO info{};
    info.samplerate = pcm.rate;
    info.channels = pcm.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return;
    sf_writef_float(f, pcm.samples.data(), sf_count_t(pcm.frames()));
    sf_close(f);
}

void writeFlac(const std::string& path, const Pcm& pcm)
{
    SF_INFO info{};
    info.samplerate = pcm.rate;
    info.channels = pcm.channels;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return;
    sf_writef_float(f, pcm.samples.data(), sf_count_t(pcm.frames()));
    sf_close(f);
}

bool encodeMp3(const std::string& path, const Pcm& pcm, int kbps)
{
    const std::string wav = path + ".src.wav";
    writeWav16(wav, pcm);
    const std::string cmd = "lame --quiet -b " + std::to_string(kbps) + " '" + wav + "' '" + path + "'";
    const int rc = std::system(cmd.c_str());
    std::remove(wav.c_str());
    return rc == 0;
}

bool ffmpegEncode(const std::string& path, const Pcm& pcm, const char* codecName, const char* container,
                  int bitrate, const char* options, std::string* why)
{
    auto fail = [&](const std::string& w) {
        if (why)
            *why = w;
        return false;
    };
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
    if (!codec)
        return fail(std::string("FFmpeg has no encoder ") + codecName);
    AVFormatContext* fmt = nullptr;
    if (avformat_alloc_output_context2(&fmt, nullptr, container, path.c_str()) < 0 || !fmt)
        return fail(std::string("FFmpeg has no muxer ") + container);
    AVStream* st = avformat_new_stream(fmt, nullptr);
    AVCodecContext* c = avcodec_alloc_context3(codec);
    c->sample_rate = pcm.rate;
    av_channel_layout_default(&c->ch_layout, pcm.channels);
    c->bit_rate = bitrate;
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    if (fmt->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* opts = nullptr;
    if (options)
        av_dict_parse_string(&opts, options, "=", ":", 0);
    bool ok = avcodec_open2(c, codec, &opts) >= 0;
    av_dict_free(&opts);
    ok = ok && avcodec_parameters_from_context(st->codecpar, c) >= 0;
    st->time_base = AVRational{1, pcm.rate};
    ok = ok && avio_open(&fmt->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0;
    ok = ok && avformat_write_header(fmt, nullptr) >= 0;
    if (!ok) {
        avcodec_free_context(&c);
        if (fmt->pb)
            avio_closep(&fmt->pb);
        avformat_free_context(fmt);
        return fail(std::string("FFmpeg could not start encoding with ") + codecName);
    }
    AVFrame* frame = av_frame_alloc();
    AVPacket* pkt = av_packet_alloc();
    auto drain = [&] {
        while (avcodec_receive_packet(c, pkt) == 0) {
            av_packet_rescale_ts(pkt, c->time_base, st->time_base);
            pkt->stream_index = st->index;
            av_interleaved_write_frame(fmt, pkt);
        }
    };
    const int total = int(pcm.frames());
    const int frameSize = c->frame_size > 0 ? c->frame_size : 1152;
    const int ch = pcm.channels;
    for (int pos = 0; pos < total; pos += frameSize) {
        const int n = std::min(frameSize, total - pos);
        frame->nb_samples = n;
        frame->format = c->sample_fmt;
        frame->sample_rate = pcm.rate;
        av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
        av_frame_get_buffer(frame, 0);
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < ch; ++k) {
                const float v = pcm.samples[size_t(pos + i) * size_t(ch) + size_t(k)];
                const auto s16 = int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
                switch (c->sample_fmt) {
                case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(frame->data[k])[i] = v; break;
                case AV_SAMPLE_FMT_FLT: reinterpret_cast<float*>(frame->data[0])[i * ch + k] = v; break;
                case AV_SAMPLE_FMT_S16P: reinterpret_cast<int16_t*>(frame->data[k])[i] = s16; break;
                case AV_SAMPLE_FMT_S16: reinterpret_cast<int16_t*>(frame->data[0])[i * ch + k] = s16; break;
                default: break;
                }
            }
        frame->pts = pos;
        avcodec_send_frame(c, frame);
        drain();
        av_frame_unref(frame);
    }
    avcodec_send_frame(c, nullptr);
    drain();
    av_write_trailer(fmt);
    avio_closep(&fmt->pb);
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&c);
    avformat_free_context(fmt);
    return true;
}

double rmsDb(const std::vector<float>& samples, int channels, int channel, size_t from, size_t to)
{
    double sum = 0;
    size_t n = 0;
    for (size_t i = from; i < to && i * size_t(channels) + size_t(channel) < samples.size(); ++i, ++n) {
        const double v = samples[i * size_t(channels) + size_t(channel)];
        sum += v * v;
    }
    if (n == 0 || sum <= 0)
        return -200.0;
    return 10.0 * std::log10(sum / double(n));
}

} // namespace audiotest
