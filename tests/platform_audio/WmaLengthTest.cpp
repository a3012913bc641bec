// A WMA's length comes from its packets' headers at open; it must be the
// number of frames that decoding the whole file gives.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "FfmpegAlone.h"

using namespace audiotest;

namespace {

// Frames FFmpeg's own decoder gives for the whole file, drained at the end.
std::uint64_t decodedByFfmpeg(const std::string& path)
{
    std::uint64_t total = 0;
    ForEachFfmpegFrame(path, [&](const AVFrame& frame) { total += std::uint64_t(frame.nb_samples); });
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
