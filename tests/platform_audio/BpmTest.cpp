// Beats per minute of seconds 60 to 90, as the player asks for them.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassFx.h"
#include "platform/audio/BpmDetect.h"

#include <atomic>
#include <thread>

using namespace audiotest;

namespace {

constexpr DWORD kPlayerFlags = BASS_FX_BPM_BKGRND | BASS_FX_BPM_MULT2 | BASS_FX_FREESOURCE;

class BpmTest : public AudioTest {
protected:
    HSTREAM decodeStream(const Pcm& pcm)
    {
        const std::string path = m_dir.file("clicks.wav");
        writeWav16(path, pcm);
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        EXPECT_NE(s, 0u) << BASS_ErrorGetCode();
        return s;
    }
};

TEST_F(BpmTest, FindsTheTempoOfAClickTrack)
{
    const HSTREAM s = decodeStream(clickTrack(95.0, 120.0, 44100, 1));
    int calls = 0;
    auto progress = [](DWORD, float, void* user) { ++*static_cast<int*>(user); };
    const float bpm = BASS_FX_BPM_DecodeGet(s, 60.0, 90.0, 0, BASS_FX_BPM_MULT2 | BASS_FX_FREESOURCE, progress, &calls);
    EXPECT_NEAR(bpm, 120.0f, 0.5f);
    EXPECT_GT(calls, 0);
    // The flags asked for the stream to be freed.
    EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), QWORD(-1));
    EXPECT_FALSE(BASS_StreamFree(s));
}

// As the player asks: the call hands the stream to a worker and returns at
// once; asking again with the handle gives what the foreground detection
// gives, exactly. The stream is the detection's: the player's own free of it
// is harmless.
TEST_F(BpmTest, BackgroundDetectionDeliversTheForegroundValue)
{
    const Pcm clicks = clickTrack(95.0, 126.0, 44100, 2);
    const HSTREAM fore = decodeStream(clicks);
    const float foreground = BASS_FX_BPM_DecodeGet(fore, 60.0, 90.0, 0, BASS_FX_BPM_MULT2 | BASS_FX_FREESOURCE,
                                                   nullptr, nullptr);
    ASSERT_NEAR(foreground, 126.0f, 0.5f);

    const HSTREAM back = decodeStream(clicks);
    std::atomic<int> calls{0};
    std::atomic<bool> otherThread{false};
    struct Seen {
        std::atomic<int>* calls;
        std::atomic<bool>* otherThread;
        std::thread::id caller;
    } seen{&calls, &otherThread, std::this_thread::get_id()};
    auto progress = [](DWORD, float, void* user) {
        auto* s = static_cast<Seen*>(user);
        ++*s->calls;
        if (std::this_thread::get_id() != s->caller)
            *s->otherThread = true;
    };
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(back, 60.0, 90.0, 0, kPlayerFlags, progress, &seen), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    const double returnedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_FALSE(BASS_StreamFree(back));
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(back, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr), foreground);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    EXPECT_GT(calls.load(), 0);
    EXPECT_TRUE(otherThread.load());
    // The returned call did not wait for the 30 seconds of decoding and detection.
    EXPECT_LT(returnedMs, 1000.0);
    // Answered once; the handle is gone afterwards.
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(back, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

// Freeing a background detection stops it; the handle then answers nothing.
TEST_F(BpmTest, FreeingABackgroundDetectionDropsIt)
{
    const HSTREAM s = decodeStream(clickTrack(95.0, 120.0, 44100, 1));
    BASS_FX_BPM_DecodeGet(s, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr);
    EXPECT_TRUE(BASS_FX_BPM_Free(s));
    EXPECT_FALSE(BASS_FX_BPM_Free(s));
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(s, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

// Asked as the player asks: the first call starts, the second answers.
float playerBpm(HSTREAM s)
{
    BASS_FX_BPM_DecodeGet(s, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr);
    return BASS_FX_BPM_DecodeGet(s, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr);
}

TEST_F(BpmTest, FileShorterThanTheRangeGivesZero)
{
    EXPECT_EQ(playerBpm(decodeStream(clickTrack(30.0, 120.0, 44100, 1))), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
}

TEST_F(BpmTest, SilenceGivesZero)
{
    EXPECT_EQ(playerBpm(decodeStream(sine(95.0, 1000, 0.0, 44100, 1))), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
}

TEST_F(BpmTest, BadRequestsGiveZero)
{
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(0, 60.0, 90.0, 0, kPlayerFlags, nullptr, nullptr), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    const HSTREAM s = decodeStream(clickTrack(5.0, 120.0, 44100, 1));
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(s, 3.0, 1.0, 0, 0, nullptr, nullptr), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    EXPECT_TRUE(BASS_FX_BPM_Free(s));
    EXPECT_TRUE(BASS_FX_BPM_BeatFree(s));
    EXPECT_FALSE(BASS_FX_BPM_Free(0));
    BASS_StreamFree(s);
}

TEST(BpmFold, DoublesOrHalvesIntoTheRangeWithMult2)
{
    struct Case {
        float detected;
        DWORD range;
        DWORD flags;
        float result;
    };
    const Case cases[] = {
        {120, 0, BASS_FX_BPM_MULT2, 120},
        {50, 0, BASS_FX_BPM_MULT2, 100},             // below the default 60
        {50, 0, 0, 0},                               // dropped without MULT2
        {150, MAKELONG(60, 100), BASS_FX_BPM_MULT2, 75},
        {130, MAKELONG(140, 150), BASS_FX_BPM_MULT2, 0},  // no octave lands inside
        {0, 0, BASS_FX_BPM_MULT2, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(audio::foldBpm(c.detected, c.range, c.flags), c.result) << c.detected;
}

} // namespace
