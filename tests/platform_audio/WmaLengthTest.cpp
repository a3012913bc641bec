// A WMA's length comes from its packets' headers at open; it must be the
// number of frames that decoding the whole file gives.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

using namespace audiotest;

namespace {

// Frames FFmpeg's own decoder gives for the whole file, drained at the end.
std::uint64_t decodedByFfmpeg(const std::string& path)
{
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0)
        return 0;
    avformat_find_stream_info(fmt, nullptr);
    const int si = av_find_best_stream(fmt, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const AVCodec* codec = avcodec_find_decoder(fmt->streams[si]->codecpar->codec_id);
    AVCodecContext* c = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(c, fmt->streams[si]->codecpar);
    avcodec_open2(c, codec, nullptr);
    AVPacket* p = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    std::uint64_t total = 0;
    auto drain = [&] {
        while (avcodec_receive_frame(c, frame) == 0) {
            total += std::uint64_t(frame->nb_samples);
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
    return total;
}

struct WmaCase {
    const char* name;
    const char* codec;
    double seconds;
    int rate;
    int channels;
    int bitrate;
};

class WmaLengthTest : public AudioTest, public ::testing::WithParamInterface<WmaCase> {};

TEST_P(WmaLengthTest, HeaderLengthIsTheDecodedLength)
{
    const WmaCase& c = GetParam();
    const std::string path = m_dir.file(std::string(c.name) + ".wma");
    std::string why;
    ASSERT_TRUE(ffmpegEncode(path, sweep(c.seconds, c.rate, c.channels), c.codec, "asf", c.bitrate, nullptr, &why))
        << why;
    const std::uint64_t decoded = decodedByFfmpeg(path);
    ASSERT_GT(decoded, 0u);
    const HSTREAM s = BASS_WMA_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), decoded * 2 * std::uint64_t(c.channels));
    // And the stream gives that many frames.
    EXPECT_EQ(decodeAll(s).size(), decoded * std::uint64_t(c.channels));
    BASS_StreamFree(s);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WmaLengthTest,
                         ::testing::Values(WmaCase{"v2Stereo44k", "wmav2", 12.3, 44100, 2, 128000},
                                           WmaCase{"v2Mono22k", "wmav2", 7.0, 22050, 1, 32000},
                                           WmaCase{"v2Stereo48k", "wmav2", 3.01, 48000, 2, 192000},
                                           WmaCase{"v1Stereo32k", "wmav1", 5.5, 32000, 2, 64000},
                                           WmaCase{"v1Mono16k", "wmav1", 2.2, 16000, 1, 24000}),
                         [](const ::testing::TestParamInfo<WmaCase>& info) { return std::string(info.param.name); });

} // namespace
