// Recording from the "No sound" input, and encoding it through lame: devices
// and inputs, the life of a recording channel, the encoder's command line,
// files at awkward paths, and encoders that are missing or die.
#include "AudioTestEnv.h"

#include "platform/audio/BassEnc.h"
#include "platform/audio/Encoder.h"

#include <atomic>
#include <cmath>
#include <filesystem>

using namespace audiotest;

namespace {

class RecordTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        ASSERT_TRUE(BASS_RecordInit(0)) << BASS_ErrorGetCode();
    }
    void TearDown() override { BASS_RecordFree(); }

    double recorded(HRECORD r) { return playedSeconds(r); }
};

TEST_F(RecordTest, DevicesAndTheirInput)
{
    BASS_DEVICEINFO info{};
    ASSERT_TRUE(BASS_RecordGetDeviceInfo(0, &info));
    EXPECT_STREQ(info.name, "No sound");
    EXPECT_TRUE(info.flags & BASS_DEVICE_ENABLED);
    EXPECT_TRUE(info.flags & BASS_DEVICE_INIT);
    DWORD n = 1;
    while (BASS_RecordGetDeviceInfo(n, &info))
        ++n;
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_RecordInit(0));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_FALSE(BASS_RecordInit(int(n) + 5));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);

    EXPECT_STREQ(BASS_RecordGetInputName(0), "Default");
    EXPECT_EQ(BASS_RecordGetInputName(1), nullptr);
    float level = -1;
    EXPECT_EQ(BASS_RecordGetInput(0, &level), 0u);
    EXPECT_EQ(level, 1.0f);
    ASSERT_TRUE(BASS_RecordSetInput(0, BASS_INPUT_OFF, 0.4f));
    EXPECT_EQ(BASS_RecordGetInput(0, &level), BASS_INPUT_OFF);
    EXPECT_FLOAT_EQ(level, 0.4f);
    ASSERT_TRUE(BASS_RecordSetInput(0, BASS_INPUT_ON, -1));
    EXPECT_EQ(BASS_RecordGetInput(0, &level), 0u);
    EXPECT_FLOAT_EQ(level, 0.4f);
    ASSERT_TRUE(BASS_RecordSetInput(-1, 0, 0.8f));
    EXPECT_EQ(BASS_RecordGetInput(-1, &level), 0u);
    EXPECT_FLOAT_EQ(level, 0.8f);
    EXPECT_FALSE(BASS_RecordSetInput(1, BASS_INPUT_OFF, -1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    ASSERT_TRUE(BASS_RecordSetInput(0, 0, 1.0f));
    ASSERT_TRUE(BASS_RecordSetInput(-1, 0, 1.0f));

    ASSERT_TRUE(BASS_RecordFree());
    EXPECT_FALSE(BASS_RecordFree());
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(BASS_RecordGetInputName(0), nullptr);
    EXPECT_EQ(BASS_RecordStart(44100, 2, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    ASSERT_TRUE(BASS_RecordInit(0));
}

TEST_F(RecordTest, AChannelStartsPausedRunsInRealTimeAndStopsForGood)
{
    const HRECORD r = BASS_RecordStart(44100, 2, BASS_RECORD_PAUSE, nullptr, nullptr);
    ASSERT_NE(r, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelIsActive(r), BASS_ACTIVE_PAUSED);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(BASS_ChannelGetPosition(r, BASS_POS_BYTE), 0u);
    EXPECT_EQ(BASS_ChannelGetLength(r, BASS_POS_BYTE), QWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(r, &info));
    EXPECT_EQ(info.ctype, BASS_CTYPE_RECORD);
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);

    ASSERT_TRUE(BASS_ChannelSetAttribute(r, BASS_ATTRIB_VOLDSP, 0.9f));
    float gain = 0;
    ASSERT_TRUE(BASS_ChannelGetAttribute(r, BASS_ATTRIB_VOLDSP, &gain));
    EXPECT_FLOAT_EQ(gain, 0.9f);

    ASSERT_TRUE(BASS_ChannelStart(r));
    EXPECT_EQ(BASS_ChannelIsActive(r), BASS_ACTIVE_PLAYING);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return recorded(r) >= 0.3; }));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_GE(wall, 0.25);  // silence comes no faster than real time
    EXPECT_EQ(BASS_ChannelGetLevel(r), 0u);

    ASSERT_TRUE(BASS_ChannelPause(r));
    EXPECT_EQ(BASS_ChannelIsActive(r), BASS_ACTIVE_PAUSED);
    EXPECT_FALSE(BASS_ChannelPause(r));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    const QWORD held = BASS_ChannelGetPosition(r, BASS_POS_BYTE);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(BASS_ChannelGetPosition(r, BASS_POS_BYTE), held);

    // What was captured can be taken out, as 16-bit silence, up to what was recorded.
    std::vector<std::int16_t> data(44100 * 2, 1);
    const DWORD got = BASS_ChannelGetData(r, data.data(), DWORD(data.size() * 2));
    EXPECT_EQ(got, held);
    EXPECT_TRUE(std::all_of(data.begin(), data.begin() + got / 2, [](std::int16_t s) { return s == 0; }));
    EXPECT_EQ(BASS_ChannelGetData(r, data.data(), DWORD(data.size() * 2)), 0u);

    ASSERT_TRUE(BASS_ChannelStop(r));
    EXPECT_EQ(BASS_ChannelIsActive(r), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(RecordTest, AProcedureSeesTheDataAndCanStopTheRecording)
{
    struct Seen {
        std::atomic<DWORD> bytes{0};
        std::atomic<HRECORD> handle{0};
    } seen;
    RECORDPROC* proc = [](HRECORD h, const void*, DWORD length, void* user) -> BOOL {
        auto* s = static_cast<Seen*>(user);
        s->handle = h;
        s->bytes += length;
        return s->bytes < 44100 * 4 / 5 ? TRUE : FALSE;  // stop after 0.2 s
    };
    const HRECORD r = BASS_RecordStart(0, 2, 0, proc, &seen);
    ASSERT_NE(r, 0u) << BASS_ErrorGetCode();
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(r) == BASS_ACTIVE_STOPPED; }));
    EXPECT_EQ(seen.handle.load(), r);
    EXPECT_GE(seen.bytes.load(), 44100u * 4 / 5);
    EXPECT_EQ(seen.bytes.load() % 4, 0u);
    ASSERT_TRUE(BASS_ChannelStop(r));
}

TEST_F(RecordTest, TwoSecondsThroughLameToAPathWithBlanksAndQuotes)
{
    const std::filesystem::path folder = m_dir.path() / "my recordings";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Dance \"live\" it's.mp3").string();
    const HRECORD r = BASS_RecordStart(44100, 2, BASS_RECORD_PAUSE, nullptr, nullptr);
    ASSERT_NE(r, 0u) << BASS_ErrorGetCode();
    const HENCODE e = BASS_Encode_Start(r, ("lame - " + audio::encoderArgument(path)).c_str(), BASS_ENCODE_AUTOFREE,
                                        nullptr, nullptr);
    ASSERT_NE(e, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_Encode_IsActive(e), BASS_ACTIVE_ENCODER_PLAYING);

    // A pause in the middle: the same file goes on afterwards.
    ASSERT_TRUE(BASS_ChannelPlay(r, FALSE));
    ASSERT_TRUE(waitUntil([&] { return recorded(r) >= 1.0; }));
    ASSERT_TRUE(BASS_ChannelPause(r));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(BASS_ChannelPlay(r, FALSE));
    ASSERT_TRUE(waitUntil([&] { return recorded(r) >= 2.0; }));
    const double seconds = recorded(r);
    ASSERT_TRUE(BASS_ChannelStop(r));
    EXPECT_EQ(BASS_Encode_IsActive(e), BASS_ACTIVE_ENCODER_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);  // gone with its channel

    // Stopping has waited for lame: the file is complete.
    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
    EXPECT_EQ(info.ctype, BASS_CTYPE_STREAM_MP3);
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);
    // Everything captured up to the stop is in the file; a loaded machine
    // may have let the recording run on a little past two seconds.
    const double inFile = BASS_ChannelBytes2Seconds(s, BASS_ChannelGetLength(s, BASS_POS_BYTE));
    EXPECT_GE(inFile, seconds - 0.02);
    EXPECT_LT(inFile, seconds + 0.5);
    EXPECT_GE(seconds, 2.0);
    EXPECT_LT(seconds, 2.5);
    BASS_StreamFree(s);
}

TEST_F(RecordTest, EncoderProgramsThatCannotRunOrDie)
{
    const HRECORD r = BASS_RecordStart(44100, 2, BASS_RECORD_PAUSE, nullptr, nullptr);
    ASSERT_NE(r, 0u);
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(BASS_Encode_Start(r, "no-such-encoder-here - out.mp3", 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
    EXPECT_EQ(BASS_Encode_Start(r, "   ", 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    EXPECT_EQ(BASS_Encode_Start(0, "lame - x.mp3", 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);

    // A program that reads nothing and ends: the broken pipe stops the
    // recording (for the recorder to report), and the process lives on.
    const HENCODE e = BASS_Encode_Start(r, "true", 0, nullptr, nullptr);
    ASSERT_NE(e, 0u) << BASS_ErrorGetCode();
    ASSERT_TRUE(BASS_ChannelPlay(r, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(r) == BASS_ACTIVE_STOPPED; }));
    EXPECT_EQ(BASS_Encode_IsActive(e), BASS_ACTIVE_ENCODER_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);  // without AUTOFREE the handle stays until stopped
    ASSERT_TRUE(BASS_Encode_Stop(e));
    EXPECT_FALSE(BASS_Encode_Stop(e));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    ASSERT_TRUE(BASS_ChannelStop(r));

    // Only recordings are encoded.
    const std::string wav = m_dir.file("tone.wav");
    testsupport::writeSineWav(wav, 0.2);
    const HSTREAM s = BASS_StreamCreateFile(FALSE, wav.c_str(), 0, 0, BASS_STREAM_DECODE);
    EXPECT_EQ(BASS_Encode_Start(s, "lame - x.mp3", 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    BASS_StreamFree(s);
}

TEST(EncoderCommandLine, SplitsLikeAShellWithoutOne)
{
    using Args = std::vector<std::string>;
    struct Case {
        const char* line;
        Args args;
    };
    for (const Case& c : std::vector<Case>{
             {"lame - out.mp3", {"lame", "-", "out.mp3"}},
             {"  lame\t-  \"/my music/a b.mp3\" ", {"lame", "-", "/my music/a b.mp3"}},
             {"x 'a \"b' c\\d", {"x", "a \"b", "c\\d"}},
             {"x \"a\\\"b\\\\\" \"c\\d\"", {"x", "a\"b\\", "c\\d"}},
             {"x pre\"fix suf\"fix", {"x", "prefix suffix"}},
             {"x \"unclosed arg", {"x", "unclosed arg"}},
             {"x \"\"", {"x", ""}},
             {"   ", {}},
         }) {
        EXPECT_EQ(audio::Encoder::splitCommandLine(c.line), c.args) << c.line;
    }
    for (const std::string path : {"/plain/path.mp3", "/a b/c.mp3", "/q\"uote/it's.mp3", "C:\\dir\\x y.mp3", ""}) {
        EXPECT_EQ(audio::Encoder::splitCommandLine("lame - " + audio::encoderArgument(path)), (Args{"lame", "-", path}))
            << path;
    }
}

} // namespace
