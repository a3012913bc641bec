// Plug-ins: a test plug-in (plugin/SinePlugin.cpp) serves ".sine" and ".tone"
// files; its streams play, report their length, seek, end on an error, and
// are freed exactly once, never during their procedure. Streams fed by a
// procedure of the program's own.
#include "AudioTestEnv.h"

#include "platform/audio/BassFx.h"
#include "platform/audio/BassPlugin.h"

#include <cmath>
#include <dlfcn.h>
#include <filesystem>
#include <random>

using namespace audiotest;

namespace {

const char* const kPlugin = MIRTAL_TEST_SINE_PLUGIN;

// The plug-in's counters.
struct Counters {
    int (*made)();
    int (*freed)();
    int (*faults)();
    int (*live)();
};

class PluginTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        static const HPLUGIN loaded = BASS_PluginLoad(kPlugin, 0);
        ASSERT_NE(loaded, 0u) << BASS_ErrorGetCode() << " " << kPlugin;
        m_plugin = loaded;
        void* lib = dlopen(kPlugin, RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(lib, nullptr);
        m_counters.made = reinterpret_cast<int (*)()>(dlsym(lib, "SinePlugin_Made"));
        m_counters.freed = reinterpret_cast<int (*)()>(dlsym(lib, "SinePlugin_Freed"));
        m_counters.faults = reinterpret_cast<int (*)()>(dlsym(lib, "SinePlugin_Faults"));
        m_counters.live = reinterpret_cast<int (*)()>(dlsym(lib, "SinePlugin_Live"));
        dlclose(lib);
        ASSERT_TRUE(m_counters.made && m_counters.freed && m_counters.faults && m_counters.live);
    }
    void TearDown() override
    {
        EXPECT_EQ(m_counters.faults(), 0);
        EXPECT_EQ(m_counters.live(), 0);
        EXPECT_EQ(m_counters.made(), m_counters.freed());
    }

    std::string sineFile(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir.file(name);
        testsupport::writeFile(path, text);
        return path;
    }

    HPLUGIN m_plugin = 0;
    Counters m_counters{};
};

double sineAt(double frequency, std::uint64_t frame)
{
    return 0.5 * std::sin(2 * M_PI * frequency * double(frame) / 44100);
}

TEST_F(PluginTest, LoadingChecksTheLibrary)
{
    EXPECT_EQ(BASS_PluginLoad(kPlugin, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_EQ(BASS_PluginLoad(m_dir.file("missing.so").c_str(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    EXPECT_EQ(BASS_PluginLoad(sineFile("text.so", "not a library").c_str(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    // A library without a plug-in entry: the audio layer itself.
    const std::string layer = (std::filesystem::path(kPlugin).parent_path() / "libmirtalaudio.so").string();
    EXPECT_EQ(BASS_PluginLoad(layer.c_str(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
}

TEST_F(PluginTest, AStreamPlaysToItsEndAndReportsItself)
{
    const std::string path = sineFile("a.sine", "440 1.0");
    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
    EXPECT_EQ(info.ctype, 0x1f777u);
    EXPECT_EQ(info.plugin, m_plugin);
    EXPECT_EQ(info.origres, 16u);  // filled in by the plug-in
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_STREQ(info.filename, path.c_str());
    const QWORD length = BASS_ChannelGetLength(s, BASS_POS_BYTE);
    EXPECT_EQ(length, 176400u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);

    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelGetLevel(s) > 15000; }));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10.0));
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), length);
    // Played again from the start, through the plug-in's positioning.
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_PLAYING);
    const int freed = m_counters.freed();
    ASSERT_TRUE(BASS_StreamFree(s));
    EXPECT_EQ(m_counters.freed(), freed + 1);
    EXPECT_FALSE(BASS_StreamFree(s));
}

TEST_F(PluginTest, DecodingStreamsSeekToTheExactFrame)
{
    for (const DWORD format : {DWORD(0), BASS_SAMPLE_FLOAT}) {
        SCOPED_TRACE(format);
        const std::string path = sineFile("b.TONE", "1000 0.5");
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE | format);
        ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
        const float step = format ? 1e-6f : 1.0f / 32767;
        std::mt19937 rng(3);
        for (int i = 0; i < 40; ++i) {
            const std::uint64_t at = std::uniform_int_distribution<std::uint64_t>(0, 22049)(rng);
            ASSERT_TRUE(BASS_ChannelSetPosition(s, at * 4, BASS_POS_BYTE));
            EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), at * 4);
            const std::vector<float> got = decodeFrames(s, 100, 2);
            ASSERT_EQ(got.size(), 2 * std::min<size_t>(100, 22050 - at));
            for (size_t f = 0; f < got.size() / 2; ++f)
                ASSERT_NEAR(got[2 * f], sineAt(1000, at + f), step) << "from frame " << at;
        }
        EXPECT_FALSE(BASS_ChannelSetPosition(s, 22050 * 4, BASS_POS_BYTE));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
        ASSERT_TRUE(BASS_ChannelSetPosition(s, 22000 * 4, BASS_POS_BYTE));
        EXPECT_EQ(decodeAll(s).size(), 100u);
        float v[2] = {};
        EXPECT_EQ(BASS_ChannelGetData(s, v, sizeof v | BASS_DATA_FLOAT), DWORD(-1));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ENDED);
        BASS_StreamFree(s);
    }
}

TEST_F(PluginTest, AProcedureErrorEndsTheStreamCleanly)
{
    const std::string path = sineFile("c.sine", "440 2.0 0.5");
    const HSTREAM d = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(decodeAll(d).size(), 22050u * 2);
    EXPECT_EQ(BASS_ChannelIsActive(d), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelGetLength(d, BASS_POS_BYTE), 352800u);  // what the plug-in says
    BASS_StreamFree(d);

    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10.0));
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), 22050u * 4);
    BASS_StreamFree(s);
}

TEST_F(PluginTest, EveryStreamIsFreedOnceAndNeverDuringItsProcedure)
{
    const std::string path = sineFile("d.sine", "330 3.0");
    std::mt19937 rng(11);
    const int before = m_counters.freed();
    for (int i = 0; i < 30; ++i) {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
        ASSERT_NE(s, 0u);
        ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
        std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 20)(rng)));
        ASSERT_TRUE(BASS_StreamFree(s));
    }
    // A decoding stream played through a tempo stream goes with it.
    for (int i = 0; i < 10; ++i) {
        const HSTREAM d = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        const HSTREAM t = BASS_FX_TempoCreate(d, BASS_FX_FREESOURCE);
        ASSERT_NE(t, 0u);
        ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, 10.0f));
        ASSERT_TRUE(BASS_ChannelPlay(t, FALSE));
        std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 20)(rng)));
        ASSERT_TRUE(BASS_StreamFree(t));
        EXPECT_FALSE(BASS_StreamFree(d));
    }
    EXPECT_EQ(m_counters.freed(), before + 40);
}

TEST_F(PluginTest, AFailedCreationReportsThePluginsError)
{
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, sineFile("bad.sine", "no numbers").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, m_dir.file("none.sine").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    // A creator of its own never goes to the plug-in.
    EXPECT_EQ(BASS_FLAC_StreamCreateFile(FALSE, sineFile("e.sine", "440 1").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
}

TEST_F(AudioTest, StreamsFedByAProcedureOfTheProgram)
{
    // Frame i holds i / 100000 on both sides; 5000 frames, then the end.
    struct Counter {
        int next = 0;
    } counter;
    STREAMPROC* proc = [](HSTREAM, void* buffer, DWORD length, void* user) -> DWORD {
        auto* c = static_cast<Counter*>(user);
        auto* out = static_cast<float*>(buffer);
        DWORD n = 0;
        for (; n < length / 8 && c->next < 5000; ++n, ++c->next)
            out[2 * n] = out[2 * n + 1] = float(c->next) / 100000;
        return n * 8 | (c->next == 5000 ? BASS_STREAMPROC_END : 0);
    };
    const HSTREAM s = BASS_StreamCreate(44100, 2, BASS_STREAM_DECODE | BASS_SAMPLE_FLOAT, proc, &counter);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    const std::vector<float> all = decodeAll(s);
    ASSERT_EQ(all.size(), 10000u);
    for (size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(all[i], float(i / 2) / 100000);
    EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), QWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_FALSE(BASS_ChannelSetPosition(s, 0, BASS_POS_BYTE));
    BASS_StreamFree(s);

    // Without a procedure: a stream with nothing in it.
    const HSTREAM dummy = BASS_StreamCreate(44100, 2, 0, nullptr, nullptr);
    ASSERT_NE(dummy, 0u);
    float v = 0;
    EXPECT_EQ(BASS_ChannelGetData(dummy, &v, sizeof v), DWORD(-1));
    ASSERT_TRUE(BASS_ChannelPlay(dummy, FALSE));
    EXPECT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(dummy) == BASS_ACTIVE_STOPPED; }));
    BASS_StreamFree(dummy);
    EXPECT_EQ(BASS_StreamCreate(44100, 0, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FORMAT);
}

} // namespace
