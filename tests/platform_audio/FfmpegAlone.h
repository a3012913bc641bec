#pragma once
// FFmpeg's own decoder over a whole file, without our layer: the reference the
// audio tests hold our streams to.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

namespace audiotest {

// Hands every frame of the file's best audio stream to `onFrame`, the decoder's
// flush at the end included, on one decoding thread. False when the file cannot be opened.
template <class OnFrame>
bool ForEachFfmpegFrame(const std::string& path, OnFrame&& onFrame)
{
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0)
        return false;
    avformat_find_stream_info(fmt, nullptr);
    const int si = av_find_best_stream(fmt, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const AVCodec* codec = avcodec_find_decoder(fmt->streams[si]->codecpar->codec_id);
    AVCodecContext* c = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(c, fmt->streams[si]->codecpar);
    c->thread_count = 1;
    avcodec_open2(c, codec, nullptr);
    AVPacket* p = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&] {
        while (avcodec_receive_frame(c, frame) == 0) {
            onFrame(*frame);
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(fmt, p) == 0) {
        if (p->stream_index == si) {
            avcodec_send_packet(c, p);
            drain();
        }
        av_packet_unref(p);
    }
    avcodec_send_packet(c, nullptr);
    drain();
    av_frame_free(&frame);
    av_packet_free(&p);
    avcodec_free_context(&c);
    avformat_close_input(&fmt);
    return true;
}

} // namespace audiotest
