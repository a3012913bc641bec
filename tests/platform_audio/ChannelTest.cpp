// Channels on the "No sound" device: playing, pausing, positions, attributes,
// slides, levels, and what a bad handle gets.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/Bass.h"

#include <chrono>
#include <cmath>
#include <thread>

using namespace audiotest;
using namespace std::chrono_literals;

namespace {

class ChannelTest : public AudioTest {
protected:
    HSTREAM playable(const Pcm& pcm, const char* name = "tone.wav")
    {
        const std::string path = m_dir.file(name);
        writeWav16(path, pcm);
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
        EXPECT_NE(s, 0u) << BASS_ErrorGetCode();
        return s;
    }
    double seconds(HSTREAM s) { return playedSeconds(s); }
};

TEST_F(ChannelTest, VolumeSlideIsHalfwayAtHalfTime)
{
    // Slides run in output time: measured against what the stream has played.
    const HSTREAM s = playable(sine(3.0, 440, 0.5));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return seconds(s) > 0.1; }));
    const double from = seconds(s);
    ASSERT_TRUE(BASS_ChannelSlideAttribute(s, BASS_ATTRIB_VOL, 0.0f, 1000));
    ASSERT_TRUE(waitUntil([&] { return seconds(s) >= from + 0.5; }));
    float v = -1;
    ASSERT_TRUE(BASS_ChannelGetAttribute(s, BASS_ATTRIB_VOL, &v));
    EXPECT_NEAR(v, 0.5f, 0.06f);
    ASSERT_TRUE(waitUntil([&] { return seconds(s) >= from + 1.1; }));
    ASSERT_TRUE(BASS_ChannelGetAttribute(s, BASS_ATTRIB_VOL, &v));
    EXPECT_EQ(v, 0.0f);
    // Setting the volume ends a slide at once.
    ASSERT_TRUE(BASS_ChannelSlideAttribute(s, BASS_ATTRIB_VOL, 1.0f, 5000));
    ASSERT_TRUE(BASS_ChannelSetAttribute(s, BASS_ATTRIB_VOL, 0.25f));
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(BASS_ChannelGetAttribute(s, BASS_ATTRIB_VOL, &v));
    EXPECT_EQ(v, 0.25f);
    BASS_StreamFree(s);
}

TEST_F(ChannelTest, LevelFollowsWhatIsHeard)
{
    // A full-scale sine, stereo; the level is the peak of the last ~20 ms.
    const HSTREAM s = playable(sine(3.0, 1000, 1.0));
    EXPECT_EQ(BASS_ChannelGetLevel(s), 0u);  // not playing yet
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return seconds(s) > 0.1; }));
    DWORD level = BASS_ChannelGetLevel(s);
    EXPECT_GE(LOWORD(level), 32000);
    EXPECT_GE(HIWORD(level), 32000);

    ASSERT_TRUE(BASS_ChannelSetAttribute(s, BASS_ATTRIB_VOL, 0.5f));
    const double changed = seconds(s);
    ASSERT_TRUE(waitUntil([&] { return seconds(s) > changed + 0.1; }));
    level = BASS_ChannelGetLevel(s);
    EXPECT_NEAR(LOWORD(level), 16384, 600);
    EXPECT_NEAR(HIWORD(level), 16384, 600);

    ASSERT_TRUE(BASS_ChannelPause(s));
    EXPECT_EQ(BASS_ChannelGetLevel(s), 0u);
    BASS_StreamFree(s);
}

TEST_F(ChannelTest, PauseHoldsThePositionAndPlayGoesOn)
{
    const HSTREAM s = playable(sine(3.0, 440, 0.5));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(BASS_ChannelPause(s));
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_PAUSED);
    EXPECT_FALSE(BASS_ChannelPause(s));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    std::this_thread::sleep_for(50ms);
    const double paused = seconds(s);
    EXPECT_GT(paused, 0.0);
    EXPECT_LT(paused, 0.5);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(seconds(s), paused);

    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_PLAYING);
    EXPECT_TRUE(waitUntil([&] { return seconds(s) > paused + 0.2; }));

    // Restart goes back to the start.
    ASSERT_TRUE(BASS_ChannelPlay(s, TRUE));
    EXPECT_LT(seconds(s), 0.05);
    ASSERT_TRUE(BASS_ChannelStop(s));
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_STOPPED);
    EXPECT_FALSE(BASS_ChannelPause(s));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOPLAY);
    BASS_StreamFree(s);
}

TEST_F(ChannelTest, PausedOutputHoldsEveryChannel)
{
    const HSTREAM s = playable(sine(3.0, 440, 0.5));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return seconds(s) > 0.1; }));
    ASSERT_TRUE(BASS_Pause());
    std::this_thread::sleep_for(30ms);
    const QWORD held = BASS_ChannelGetPosition(s, BASS_POS_BYTE);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), held);
    // Nothing starts while the output is paused.
    const HSTREAM other = playable(sine(1.0, 440, 0.5), "other.wav");
    EXPECT_FALSE(BASS_ChannelPlay(other, FALSE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_START);
    ASSERT_TRUE(BASS_Start());
    EXPECT_TRUE(BASS_ChannelPlay(other, FALSE));
    EXPECT_TRUE(waitUntil([&] { return BASS_ChannelGetPosition(s, BASS_POS_BYTE) > held; }));
    BASS_StreamFree(s);
    BASS_StreamFree(other);
}

TEST_F(ChannelTest, FrequencyAttributeChangesThePace)
{
    // A 48 kHz file plays in real time on the 44.1 kHz output, and twice as
    // fast at twice its rate; a 44.1 kHz stream beside it is the clock.
    const HSTREAM clock = playable(sine(4.0, 440, 0.5), "clock.wav");
    const HSTREAM s = playable(sine(4.0, 440, 0.5, 48000));
    float f = 0;
    ASSERT_TRUE(BASS_ChannelGetAttribute(s, BASS_ATTRIB_FREQ, &f));
    EXPECT_EQ(f, 48000.0f);
    ASSERT_TRUE(BASS_ChannelPlay(clock, FALSE));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    auto pace = [&] {
        std::this_thread::sleep_for(100ms);
        const double c0 = seconds(clock);
        const double s0 = seconds(s);
        waitUntil([&] { return seconds(clock) >= c0 + 0.5; });
        return (seconds(s) - s0) / (seconds(clock) - c0);
    };
    EXPECT_NEAR(pace(), 1.0, 0.03);
    ASSERT_TRUE(BASS_ChannelSetAttribute(s, BASS_ATTRIB_FREQ, 96000.0f));
    EXPECT_NEAR(pace(), 2.0, 0.06);
    // 0 is the file's own rate again.
    ASSERT_TRUE(BASS_ChannelSetAttribute(s, BASS_ATTRIB_FREQ, 0.0f));
    ASSERT_TRUE(BASS_ChannelGetAttribute(s, BASS_ATTRIB_FREQ, &f));
    EXPECT_EQ(f, 48000.0f);
    BASS_StreamFree(s);
    BASS_StreamFree(clock);
}

TEST_F(ChannelTest, BytePositionsCountSixteenBitFramesAtTheSourceRate)
{
    struct Case {
        int rate;
        int channels;
        QWORD bytesPerSecond;
    };
    for (const Case c : {Case{22050, 1, 44100}, Case{44100, 2, 176400}, Case{48000, 2, 192000}}) {
        SCOPED_TRACE(c.rate);
        const std::string path = m_dir.file("pos" + std::to_string(c.rate) + ".wav");
        writeWav16(path, sine(2.0, 440, 0.5, c.rate, c.channels));
        const HSTREAM a = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        const HSTREAM b = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
        ASSERT_NE(a, 0u);
        ASSERT_NE(b, 0u);
        EXPECT_EQ(BASS_ChannelGetLength(a, BASS_POS_BYTE), 2 * c.bytesPerSecond);
        EXPECT_EQ(BASS_ChannelSeconds2Bytes(a, 1.5), c.bytesPerSecond * 3 / 2);
        EXPECT_EQ(BASS_ChannelSeconds2Bytes(a, 0.3), QWORD(0.3 * c.rate + 0.5) * c.bytesPerSecond / c.rate);
        EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(a, c.bytesPerSecond / 2), 0.5);
        // Two streams of one song go to one byte position.
        const QWORD at = BASS_ChannelSeconds2Bytes(a, 1.25);
        ASSERT_TRUE(BASS_ChannelSetPosition(a, at, BASS_POS_BYTE));
        ASSERT_TRUE(BASS_ChannelSetPosition(b, at, BASS_POS_BYTE));
        EXPECT_EQ(BASS_ChannelGetPosition(a, BASS_POS_BYTE), at);
        EXPECT_EQ(BASS_ChannelGetPosition(b, BASS_POS_BYTE), at);
        // The length itself is a valid position (the end); beyond it is not.
        EXPECT_TRUE(BASS_ChannelSetPosition(a, BASS_ChannelGetLength(a, BASS_POS_BYTE), BASS_POS_BYTE));
        EXPECT_FALSE(BASS_ChannelSetPosition(a, BASS_ChannelGetLength(a, BASS_POS_BYTE) + 4, BASS_POS_BYTE));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
        BASS_StreamFree(a);
        BASS_StreamFree(b);
    }
}

TEST_F(ChannelTest, PlayingAnEndedStreamStartsAgain)
{
    const HSTREAM s = playable(sine(0.3, 440, 0.5));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_PLAYING);
    EXPECT_LT(seconds(s), 0.1);
    BASS_StreamFree(s);
}

// Rewinding a song that has played out must not start it again by itself,
// however long nobody asked whether it was still playing.
TEST_F(ChannelTest, MovingAnEndedStreamLeavesItStopped)
{
    const HSTREAM s = playable(sine(0.3, 440, 0.5));
    const QWORD length = BASS_ChannelGetLength(s, BASS_POS_BYTE);
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelGetPosition(s, BASS_POS_BYTE) >= length; }));
    std::this_thread::sleep_for(100ms);  // the end has been heard
    ASSERT_TRUE(BASS_ChannelSetPosition(s, 0, BASS_POS_BYTE));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(BASS_ChannelIsActive(s), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_TRUE(waitUntil([&] { return BASS_ChannelGetPosition(s, BASS_POS_BYTE) > 0; }));
    BASS_StreamFree(s);
}

TEST_F(ChannelTest, BadHandlesFailWithTheHandleError)
{
    const HSTREAM freed = playable(sine(0.5, 440, 0.5));
    ASSERT_TRUE(BASS_StreamFree(freed));
    for (const DWORD h : {DWORD(0), freed, DWORD(0xdeadbeef)}) {
        SCOPED_TRACE(h);
        float v = 0;
        BASS_CHANNELINFO info{};
        std::int16_t buffer[16];
        EXPECT_FALSE(BASS_ChannelPlay(h, FALSE));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelPause(h));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelStop(h));
        EXPECT_EQ(BASS_ChannelIsActive(h), BASS_ACTIVE_STOPPED);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_EQ(BASS_ChannelGetLength(h, BASS_POS_BYTE), QWORD(-1));
        EXPECT_EQ(BASS_ChannelGetPosition(h, BASS_POS_BYTE), QWORD(-1));
        EXPECT_FALSE(BASS_ChannelSetPosition(h, 0, BASS_POS_BYTE));
        EXPECT_EQ(BASS_ChannelBytes2Seconds(h, 100), -1.0);
        EXPECT_EQ(BASS_ChannelSeconds2Bytes(h, 1.0), QWORD(-1));
        EXPECT_FALSE(BASS_ChannelSetAttribute(h, BASS_ATTRIB_VOL, 1.0f));
        EXPECT_FALSE(BASS_ChannelGetAttribute(h, BASS_ATTRIB_VOL, &v));
        EXPECT_FALSE(BASS_ChannelSlideAttribute(h, BASS_ATTRIB_VOL, 0.0f, 100));
        EXPECT_EQ(BASS_ChannelGetLevel(h), DWORD(-1));
        EXPECT_EQ(BASS_ChannelGetData(h, buffer, sizeof buffer), DWORD(-1));
        EXPECT_FALSE(BASS_ChannelGetInfo(h, &info));
        EXPECT_EQ(BASS_ChannelSetFX(h, BASS_FX_DX8_PARAMEQ, 0), 0u);
        EXPECT_FALSE(BASS_FXReset(h));
        EXPECT_FALSE(BASS_StreamFree(h));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    }
}

TEST_F(ChannelTest, EveryCallSetsTheErrorCodeAlsoOnSuccess)
{
    EXPECT_FALSE(BASS_ChannelPlay(0, FALSE));
    ASSERT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_GetVersion() >> 16, 0x0204u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    // The code belongs to the calling thread.
    EXPECT_FALSE(BASS_ChannelPlay(0, FALSE));
    int other = -1;
    std::thread([&] {
        BASS_GetVersion();
        other = BASS_ErrorGetCode();
    }).join();
    EXPECT_EQ(other, BASS_OK);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(ChannelTest, DecodingChannelsAreNotPlayed)
{
    const std::string path = m_dir.file("d.wav");
    writeWav16(path, sine(0.5, 440, 0.5));
    const HSTREAM d = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(d, 0u);
    EXPECT_FALSE(BASS_ChannelPlay(d, FALSE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DECODE);
    EXPECT_EQ(BASS_ChannelIsActive(d), BASS_ACTIVE_PLAYING);  // data left to decode
    std::vector<std::int16_t> all(44100);
    DWORD got = BASS_ChannelGetData(d, all.data(), DWORD(all.size() * 2));
    EXPECT_EQ(got, 22050u * 4);
    EXPECT_EQ(BASS_ChannelIsActive(d), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelGetData(d, all.data(), 400), DWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ENDED);
    // 16-bit samples by default: the quarter-scale sine peaks near 16384.
    int peak = 0;
    for (std::int16_t v : all)
        peak = std::max(peak, std::abs(int(v)));
    EXPECT_NEAR(peak, 16384, 40);
    // A playing stream hands out no data.
    const HSTREAM p = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    EXPECT_EQ(BASS_ChannelGetData(p, all.data(), 400), DWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    BASS_StreamFree(d);
    BASS_StreamFree(p);
}

TEST_F(ChannelTest, MasterVolumeAndConfiguration)
{
    ASSERT_TRUE(BASS_SetVolume(0.5f));
    EXPECT_EQ(BASS_GetVolume(), 0.5f);
    EXPECT_FALSE(BASS_SetVolume(1.5f));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    ASSERT_TRUE(BASS_SetVolume(1.0f));

    EXPECT_EQ(BASS_GetConfig(BASS_CONFIG_BUFFER), 500u);
    ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_BUFFER, 1000));
    EXPECT_EQ(BASS_GetConfig(BASS_CONFIG_BUFFER), 1000u);
    ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_BUFFER, 60000));
    EXPECT_EQ(BASS_GetConfig(BASS_CONFIG_BUFFER), 5000u);
    ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_BUFFER, 500));
    // Options the layer has no use for are kept as given.
    EXPECT_TRUE(BASS_SetConfig(BASS_CONFIG_AAC_MP4, 1));
    EXPECT_EQ(BASS_GetConfig(BASS_CONFIG_AAC_MP4), 1u);
    EXPECT_EQ(BASS_GetConfig(0x7777), DWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLTYPE);

    BASS_INFO info{};
    ASSERT_TRUE(BASS_GetInfo(&info));
    EXPECT_GE(info.dsver, 8u);
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.speakers, 2u);
}

TEST_F(ChannelTest, DevicesAndTheirNumbers)
{
    BASS_DEVICEINFO info{};
    ASSERT_TRUE(BASS_GetDeviceInfo(0, &info));
    EXPECT_STREQ(info.name, "No sound");
    EXPECT_EQ(info.flags & (BASS_DEVICE_ENABLED | BASS_DEVICE_INIT), BASS_DEVICE_ENABLED | BASS_DEVICE_INIT);
    EXPECT_FALSE(BASS_GetDeviceInfo(1000, &info));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);

    EXPECT_FALSE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_FALSE(BASS_Init(1000, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_Init(-2, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
}

TEST_F(ChannelTest, FreeingTheDeviceFreesItsStreams)
{
    const HSTREAM s = playable(sine(2.0, 440, 0.5));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(BASS_Free());
    EXPECT_FALSE(BASS_ChannelIsActive(s));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    // Without a device nothing is created.
    const std::string path = m_dir.file("tone.wav");
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_FALSE(BASS_Free());
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);

    // The mono option mixes to one channel.
    ASSERT_TRUE(BASS_Init(0, 44100, BASS_DEVICE_MONO, nullptr, nullptr));
    BASS_INFO info{};
    ASSERT_TRUE(BASS_GetInfo(&info));
    EXPECT_EQ(info.speakers, 1u);
    EXPECT_EQ(info.initflags, BASS_DEVICE_MONO);
    const HSTREAM m = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_TRUE(BASS_ChannelPlay(m, FALSE));
    EXPECT_TRUE(waitUntil([&] { return seconds(m) > 0.1; }));
    ASSERT_TRUE(BASS_Free());
    useNoSoundDevice();
}

} // namespace
