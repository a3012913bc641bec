// Every file format, through the creator the player uses for it: exact
// length, sample-exact seeking, and playing to the end on the "No sound" device.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/Bass.h"

#include <chrono>
#include <cmath>
#include <functional>
#include <random>
#include <thread>

using namespace audiotest;

namespace {

using Creator = HSTREAM (*)(BOOL, const void*, QWORD, QWORD, DWORD);

struct FormatCase {
    const char* name;
    const char* file;
    Creator create;
    // Writes the fixture; an empty result means it was written, else why not.
    std::function<std::string(const std::string& path, const Pcm& pcm)> write;
    // The container states the true length (else: what a full decode gives).
    bool statesLength;
};

// AAC's noise substitution fills bands with random noise, which no decoder
// repeats after a seek: the fixtures leave it off so that seeks compare exactly.
void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string viaFfmpeg(const std::string& path, const Pcm& pcm, const char* codec, const char* container,
                      const char* options = nullptr)
{
    std::string why;
    return ffmpegEncode(path, pcm, codec, container, 128000, options, &why) ? std::string() : why;
}

const FormatCase kFormats[] = {
    {"Wav", "song.wav", BASS_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { writeWav16(p, pcm); return std::string(); }, true},
    {"Mp3", "song.mp3", BASS_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { return encodeMp3(p, pcm) ? std::string() : "lame failed"; }, true},
    {"Mp2", "song.mp2", BASS_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { return viaFfmpeg(p, pcm, "mp2", "mp2"); }, false},
    {"Flac", "song.flac", BASS_FLAC_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { writeFlac(p, pcm); return std::string(); }, true},
    {"M4a", "song.m4a", BASS_AAC_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { return viaFfmpeg(p, pcm, "aac", "ipod", "aac_pns=0"); }, true},
    {"Mp4", "song.mp4", BASS_AAC_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { return viaFfmpeg(p, pcm, "aac", "mp4", "aac_pns=0"); }, true},
    {"Aac", "song.aac", BASS_AAC_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { return viaFfmpeg(p, pcm, "aac", "adts", "aac_pns=0"); }, false},
    {"Wma", "song.wma", BASS_WMA_StreamCreateFile,
     [](const std::string& p, const Pcm& pcm) { return viaFfmpeg(p, pcm, "wmav2", "asf"); }, false},
};

class FormatTest : public AudioTest, public ::testing::WithParamInterface<FormatCase> {
protected:
    // Writes the fixture (1.5 s of a sweep) and returns its path; skips when it cannot be made.
    std::string fixture()
    {
        m_pcm = sweep(1.5);
        const std::string path = m_dir.file(GetParam().file);
        const std::string why = GetParam().write(path, m_pcm);
        if (!why.empty()) {
            ADD_FAILURE() << "fixture not made: " << why;
        }
        return path;
    }
    Pcm m_pcm;
};

TEST_P(FormatTest, LengthIsExact)
{
    const std::string path = fixture();
    const HSTREAM s = GetParam().create(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);
    const QWORD length = BASS_ChannelGetLength(s, BASS_POS_BYTE);
    const QWORD frames = length / 4;
    if (GetParam().statesLength) {
        EXPECT_EQ(frames, m_pcm.frames());
    } else {
        // Encoder delay and padding, at most a couple of codec frames.
        EXPECT_NEAR(double(frames), double(m_pcm.frames()), 4096.0);
    }
    // A full decode yields exactly the stated length, whatever the format.
    const std::vector<float> all = decodeAll(s);
    EXPECT_EQ(all.size() / 2, frames);
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), length);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(s, length), 1.5, 0.1);
    BASS_StreamFree(s);
}

TEST_P(FormatTest, RandomSeeksMatchALinearDecode)
{
    const std::string path = fixture();
    const HSTREAM s = GetParam().create(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    const std::vector<float> linear = decodeAll(s);
    const size_t frames = linear.size() / 2;
    ASSERT_GT(frames, 10000u);
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> where(0, frames - 1);
    constexpr int kCompare = 300;
    for (int i = 0; i < 200; ++i) {
        const size_t at = i == 0 ? frames - 10 : where(random);
        ASSERT_TRUE(BASS_ChannelSetPosition(s, QWORD(at) * 4, BASS_POS_BYTE)) << "seek to " << at;
        ASSERT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), QWORD(at) * 4);
        const std::vector<float> got = decodeFrames(s, kCompare, 2);
        const size_t expect = std::min<size_t>(kCompare, frames - at);
        ASSERT_EQ(got.size() / 2, expect) << "at frame " << at;
        for (size_t k = 0; k < got.size(); ++k)
            ASSERT_EQ(got[k], linear[at * 2 + k]) << "seek to frame " << at << ", sample " << k;
    }
    BASS_StreamFree(s);
}

TEST_P(FormatTest, PlaysToItsEndOnTheNoSoundDevice)
{
    const std::string path = fixture();
    const HSTREAM s = GetParam().create(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    const QWORD length = BASS_ChannelGetLength(s, BASS_POS_BYTE);
    const double seconds = BASS_ChannelBytes2Seconds(s, length);
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE)) << BASS_ErrorGetCode();
    const auto start = std::chrono::steady_clock::now();
    while (BASS_ChannelIsActive(s) == BASS_ACTIVE_PLAYING
           && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), length);
    // In real time: not before its length has passed.
    EXPECT_GE(took, seconds - 0.05);
    BASS_StreamFree(s);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTest, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

} // namespace
