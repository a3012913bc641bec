// CD audio tracks, read from a BIN/CUE disc image the test writes: track
// paths, exact lengths and samples, seeks, and what bad track paths get.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassCd.h"
#include "platform/audio/CdDecoder.h"

#include <cmath>
#include <cstdint>
#include <random>

using namespace audiotest;

namespace {

constexpr int kSector = 588;

class CdTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        // Track 1: one second of sine (75 sectors); track 2: 1.5 s of sweep,
        // padded with silence to whole sectors (113); track 3: data.
        const Pcm one = sine(1.0, 440, 0.5);
        const Pcm two = sweep(1.5);
        std::string bin;
        auto put = [&](const Pcm& pcm, std::vector<std::int16_t>& kept) {
            const size_t frames = (pcm.frames() + kSector - 1) / kSector * kSector;
            for (size_t i = 0; i < frames * 2; ++i) {
                const float v = i < pcm.samples.size() ? pcm.samples[i] : 0.0f;
                const auto s = std::int16_t(std::lrint(v * 32767.0f));
                kept.push_back(s);
                bin += char(s & 0xFF);
                bin += char((s >> 8) & 0xFF);
            }
        };
        put(one, m_track1);
        put(two, m_track2);
        bin += std::string(10 * 2352, '\0');
        m_disc = m_dir.file("my disc.cue");
        testsupport::writeFile(m_dir.file("my disc.bin"), bin);
        testsupport::writeFile(m_disc, "FILE \"my disc.bin\" BINARY\n"
                                       "  TRACK 01 AUDIO\n"
                                       "    INDEX 01 00:00:00\n"
                                       "  TRACK 02 AUDIO\n"
                                       "    INDEX 01 00:01:00\n"
                                       "  TRACK 03 MODE1/2352\n"
                                       "    INDEX 01 00:02:38\n");
    }

    std::vector<float> expected(const std::vector<std::int16_t>& kept)
    {
        std::vector<float> v;
        for (std::int16_t s : kept)
            v.push_back(float(s) / 32768.0f);
        return v;
    }

    std::string m_disc;
    std::vector<std::int16_t> m_track1, m_track2;
};

TEST_F(CdTest, ImageTracksHaveTheirExactLengthAndSamples)
{
    struct Case {
        std::string path;
        const std::vector<std::int16_t>* kept;
    };
    for (const Case& c : std::vector<Case>{{m_disc + "/Track01.cda", &m_track1},
                                           {m_disc + "\\TRACK02.CDA", &m_track2},
                                           {m_disc + "/track2.cda", &m_track2}}) {
        SCOPED_TRACE(c.path);
        const HSTREAM s = BASS_CD_StreamCreateFile(c.path.c_str(), BASS_STREAM_DECODE);
        ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
        EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), c.kept->size() * 2);
        BASS_CHANNELINFO info{};
        ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
        EXPECT_EQ(info.ctype, BASS_CTYPE_STREAM_CD);
        EXPECT_EQ(info.freq, 44100u);
        EXPECT_EQ(info.chans, 2u);
        EXPECT_EQ(info.origres, 16u);
        EXPECT_EQ(decodeAll(s), expected(*c.kept));
        BASS_StreamFree(s);
    }
    EXPECT_EQ(m_track1.size(), 75u * kSector * 2);
    EXPECT_EQ(m_track2.size(), 113u * kSector * 2);
}

TEST_F(CdTest, SeeksLandOnTheExactFrame)
{
    const std::string path = m_disc + "/Track02.cda";
    const HSTREAM s = BASS_CD_StreamCreateFile(path.c_str(), BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    const std::vector<float> all = expected(m_track2);
    const size_t frames = all.size() / 2;
    std::mt19937 rng(7);
    for (int i = 0; i < 100; ++i) {
        const size_t at = std::uniform_int_distribution<size_t>(0, frames - 1)(rng);
        ASSERT_TRUE(BASS_ChannelSetPosition(s, at * 4, BASS_POS_BYTE));
        const std::vector<float> got = decodeFrames(s, 700, 2);
        const size_t n = std::min<size_t>(700, frames - at);
        ASSERT_EQ(got.size(), n * 2) << at;
        ASSERT_TRUE(std::equal(got.begin(), got.end(), all.begin() + std::ptrdiff_t(at * 2))) << "frame " << at;
    }
    BASS_StreamFree(s);
}

TEST_F(CdTest, TrackPlaysOnTheNoSoundDevice)
{
    const std::string path = m_disc + "/Track01.cda";
    const HSTREAM s = BASS_CD_StreamCreateFile(path.c_str(), 0);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10.0));
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), BASS_ChannelGetLength(s, BASS_POS_BYTE));
    BASS_StreamFree(s);
}

TEST_F(CdTest, BadTrackPathsGetAnErrorCode)
{
    testsupport::writeFile(m_dir.file("notes.txt"), "not a disc\n");
    struct Case {
        std::string path;
        int error;
    };
    for (const Case& c : std::vector<Case>{
             {m_dir.file("gone.cue") + "/Track01.cda", BASS_ERROR_FILEOPEN},
             {m_dir.str() + "/Track01.cda", BASS_ERROR_FILEOPEN},  // a folder is no disc
             {m_disc + "/Song.cda", BASS_ERROR_FILEOPEN},
             {m_disc + "/Track01.mp3", BASS_ERROR_FILEOPEN},
             {"Track01.cda", BASS_ERROR_FILEOPEN},
             {m_disc + "/Track00.cda", BASS_ERROR_CDTRACK},
             {m_disc + "/Track04.cda", BASS_ERROR_CDTRACK},
             {m_disc + "/Track03.cda", BASS_ERROR_NOTAUDIO},
             {m_dir.file("notes.txt") + "/Track01.cda", BASS_ERROR_NOCD},
         }) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(BASS_CD_StreamCreateFile(c.path.c_str(), BASS_STREAM_DECODE), 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), c.error);
    }
    EXPECT_EQ(BASS_CD_StreamCreateFile(nullptr, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST(CdTrackPath, SplitsIntoDiscAndTrackNumber)
{
    std::string disc;
    int track = 0;
    ASSERT_TRUE(audio::CdDecoder::parseTrackPath("/dev/sr0/Track07.cda", disc, track));
    EXPECT_EQ(disc, "/dev/sr0");
    EXPECT_EQ(track, 7);
    ASSERT_TRUE(audio::CdDecoder::parseTrackPath("/media/a b.cue\\track12.CDA", disc, track));
    EXPECT_EQ(disc, "/media/a b.cue");
    EXPECT_EQ(track, 12);
    EXPECT_FALSE(audio::CdDecoder::parseTrackPath("/dev/sr0/Track.cda", disc, track));
    EXPECT_FALSE(audio::CdDecoder::parseTrackPath("/dev/sr0/Track1a.cda", disc, track));
    EXPECT_FALSE(audio::CdDecoder::parseTrackPath("/Track01.cda", disc, track));
}

} // namespace
