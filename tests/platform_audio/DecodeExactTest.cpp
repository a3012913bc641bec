// A stream hands out exactly the samples its library decodes, bit for bit,
// whatever the layer does on the way (conversion, interleaving, checks for
// damaged samples), for one, two and three channels.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/SampleConvert.h"

#include "FfmpegAlone.h"
#include <sndfile.h>

#include <cmath>
#include <limits>

using namespace audiotest;

namespace {

using Creator = HSTREAM (*)(BOOL, const void*, QWORD, QWORD, DWORD);

// libsndfile alone: the whole file as floats.
std::vector<float> sndfileDecode(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f)
        return {};
    std::vector<float> all(size_t(info.frames) * size_t(info.channels));
    all.resize(size_t(sf_readf_float(f, all.data(), info.frames)) * size_t(info.channels));
    sf_close(f);
    return all;
}

// FFmpeg alone: every frame of the decoder, the flush included, interleaved
// one sample at a time.
std::vector<float> ffmpegDecode(const std::string& path)
{
    std::vector<float> all;
    ForEachFfmpegFrame(path, [&](const AVFrame& frame) {
        EXPECT_EQ(frame.format, AV_SAMPLE_FMT_FLTP);
        const int ch = frame.ch_layout.nb_channels;
        for (int i = 0; i < frame.nb_samples; ++i)
            for (int k = 0; k < ch; ++k)
                all.push_back(reinterpret_cast<const float*>(frame.extended_data[k])[i]);
    });
    return all;
}

struct ExactCase {
    const char* name;
    const char* file;
    int channels;
    Creator create;
    std::vector<float> (*alone)(const std::string&);
};

void PrintTo(const ExactCase& c, std::ostream* os)
{
    *os << c.name;
}

// Writes the fixture by the file's extension; the reason when it could not.
std::string write(const std::string& path, const Pcm& pcm)
{
    const std::string ext = path.substr(path.rfind('.') + 1);
    std::string why;
    if (ext == "wav")
        writeWav16(path, pcm);
    else if (ext == "flac")
        writeFlac(path, pcm);
    else if (ext == "m4a")
        ffmpegEncode(path, pcm, "aac", "ipod", 128000, nullptr, &why);
    else if (ext == "aac")
        ffmpegEncode(path, pcm, "aac", "adts", 128000, nullptr, &why);
    else if (ext == "wma")
        ffmpegEncode(path, pcm, "wmav2", "asf", 128000, nullptr, &why);
    return why;
}

const ExactCase kCases[] = {
    {"Wav", "a.wav", 2, BASS_StreamCreateFile, sndfileDecode},
    {"Flac", "a.flac", 2, BASS_FLAC_StreamCreateFile, sndfileDecode},
    {"M4aMono", "a.m4a", 1, BASS_AAC_StreamCreateFile, ffmpegDecode},
    {"M4aStereo", "a.m4a", 2, BASS_AAC_StreamCreateFile, ffmpegDecode},
    {"M4aThree", "a.m4a", 3, BASS_AAC_StreamCreateFile, ffmpegDecode},
    {"Aac", "a.aac", 2, BASS_AAC_StreamCreateFile, ffmpegDecode},
    {"WmaMono", "a.wma", 1, BASS_WMA_StreamCreateFile, ffmpegDecode},
    {"WmaStereo", "a.wma", 2, BASS_WMA_StreamCreateFile, ffmpegDecode},
};

class DecodeExactTest : public AudioTest, public ::testing::WithParamInterface<ExactCase> {};

TEST_P(DecodeExactTest, StreamGivesTheLibrarysOwnSamples)
{
    const ExactCase& c = GetParam();
    const std::string path = m_dir.file(c.file);
    const std::string why = write(path, sweep(1.5, 44100, c.channels));
    ASSERT_TRUE(why.empty()) << "fixture not made: " << why;

    const HSTREAM s = c.create(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
    ASSERT_EQ(info.chans, DWORD(c.channels));
    const std::vector<float> ours = decodeAll(s);
    BASS_StreamFree(s);

    // The library's frames from the start; the stream may end earlier where
    // the container states a shorter length than the decoder's last packet.
    const std::vector<float> alone = c.alone(path);
    ASSERT_GT(ours.size(), 44100u * size_t(c.channels));
    ASSERT_LE(ours.size(), alone.size());
    for (size_t i = 0; i < ours.size(); ++i)
        ASSERT_EQ(ours[i], alone[i]) << "frame " << i / size_t(c.channels) << ", channel " << i % size_t(c.channels);
}

INSTANTIATE_TEST_SUITE_P(Formats, DecodeExactTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ExactCase>& info) { return std::string(info.param.name); });

// The planes of a damaged frame: every channel in its place, NaN and
// infinite samples as silence, for the stereo, mono and general paths.
TEST(SampleConvertTest, InterleavingPutsEveryChannelInPlaceAndSilencesDamagedSamples)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int channels : {1, 2, 3}) {
        SCOPED_TRACE(channels);
        constexpr size_t kFrames = 37;  // not a multiple of any vector width
        std::vector<std::vector<float>> planes(static_cast<size_t>(channels), std::vector<float>(kFrames));
        for (int c = 0; c < channels; ++c)
            for (size_t i = 0; i < kFrames; ++i)
                planes[size_t(c)][i] = float(c) + float(i) / 100.0f;
        std::vector<const float*> pointers;
        for (const auto& p : planes)
            pointers.push_back(p.data());
        std::vector<float> dst(kFrames * size_t(channels));

        audio::interleaveFinite(pointers.data(), channels, kFrames, dst.data());
        for (size_t i = 0; i < dst.size(); ++i)
            ASSERT_EQ(dst[i], planes[i % size_t(channels)][i / size_t(channels)]) << i;

        planes.back()[3] = nan;
        planes.back()[kFrames - 1] = -inf;
        planes.front()[0] = inf;
        audio::interleaveFinite(pointers.data(), channels, kFrames, dst.data());
        for (size_t i = 0; i < dst.size(); ++i) {
            const float want = planes[i % size_t(channels)][i / size_t(channels)];
            ASSERT_EQ(dst[i], std::isfinite(want) ? want : 0.0f) << i;
        }
    }
}

TEST(SampleConvertTest, DamagedSamplesBecomeSilenceAndTheRestStays)
{
    std::vector<float> samples(101);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(i) - 50.0f;
    samples[100] = std::numeric_limits<float>::quiet_NaN();
    samples[7] = -std::numeric_limits<float>::infinity();
    std::vector<float> want = samples;
    want[100] = 0.0f;
    want[7] = 0.0f;
    audio::silenceNonFinite(samples.data(), samples.size());
    EXPECT_EQ(samples, want);
    // The largest finite values are not taken for damage.
    std::vector<float> big{std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                           std::numeric_limits<float>::denorm_min()};
    const std::vector<float> kept = big;
    audio::silenceNonFinite(big.data(), big.size());
    EXPECT_EQ(big, kept);
}

} // namespace
