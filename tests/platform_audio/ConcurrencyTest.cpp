// Calls from several threads while the song plays, and freeing it under their
// feet: nothing may crash, hang or hand out nonsense. Run it under
// ThreadSanitizer to see the races it would otherwise hide.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassFx.h"

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

using namespace audiotest;
using namespace std::chrono_literals;

namespace {

class ConcurrencyTest : public AudioTest {};

TEST_F(ConcurrencyTest, CallsWhilePlayingAndFreeingUnderfoot)
{
    const std::string path = m_dir.file("song.mp3");
    ASSERT_TRUE(encodeMp3(path, sweep(4.0)));
    const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    const HSTREAM song = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    ASSERT_NE(song, 0u);
    HFX bands[3];
    for (HFX& b : bands)
        b = BASS_ChannelSetFX(song, BASS_FX_DX8_PARAMEQ, 0);
    const QWORD length = BASS_ChannelGetLength(song, BASS_POS_BYTE);
    ASSERT_TRUE(BASS_ChannelPlay(song, FALSE));

    std::atomic<bool> stop{false};
    std::atomic<int> nonsense{0};
    auto attributes = [&] {
        std::mt19937 random(1);
        while (!stop) {
            BASS_ChannelSetAttribute(song, BASS_ATTRIB_TEMPO, float(int(random() % 40) - 20));
            BASS_ChannelSetAttribute(song, BASS_ATTRIB_TEMPO_PITCH, float(int(random() % 8) - 4));
            BASS_ChannelSetAttribute(song, BASS_ATTRIB_TEMPO_FREQ, float(40000 + random() % 8000));
            BASS_ChannelSlideAttribute(song, BASS_ATTRIB_VOL, float(random() % 100) / 100.0f, 50);
            const BASS_DX8_PARAMEQ p{1000.0f, 18.0f, float(int(random() % 20) - 10)};
            BASS_FXSetParameters(bands[random() % 3], &p);
            const QWORD at = BASS_ChannelGetPosition(song, BASS_POS_BYTE);
            if (at != QWORD(-1) && at > length)
                ++nonsense;
            BASS_ChannelGetLevel(song);
            BASS_FX_TempoGetRateRatio(song);
            std::this_thread::sleep_for(1ms);
        }
    };
    auto transport = [&] {
        std::mt19937 random(2);
        while (!stop) {
            BASS_ChannelSetPosition(song, (random() % (length / 4)) * 4, BASS_POS_BYTE);
            if (random() % 4 == 0)
                BASS_ChannelPause(song);
            else
                BASS_ChannelPlay(song, FALSE);
            BASS_ChannelIsActive(song);
            BASS_FXReset(song);
            std::this_thread::sleep_for(2ms);
        }
    };
    std::thread a(attributes);
    std::thread b(transport);
    std::thread c(attributes);
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(BASS_StreamFree(song));
    std::this_thread::sleep_for(50ms);
    stop = true;
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(nonsense.load(), 0);
    EXPECT_FALSE(BASS_StreamFree(decode));  // went with the tempo stream
}

// The page frees the whole library when it closes or the output device
// changes, while other windows may still be asking after the song.
TEST_F(ConcurrencyTest, FreeingTheDeviceWhileCallsAreUnderway)
{
    const std::string path = m_dir.file("song.wav");
    writeWav16(path, sweep(4.0));
    const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    const HSTREAM song = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    const HSTREAM other = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(song, 0u);
    ASSERT_NE(other, 0u);
    const HFX band = BASS_ChannelSetFX(song, BASS_FX_DX8_PARAMEQ, 0);
    ASSERT_TRUE(BASS_ChannelPlay(song, FALSE));
    ASSERT_TRUE(BASS_ChannelPlay(other, FALSE));

    std::atomic<bool> stop{false};
    auto caller = [&](HSTREAM h, unsigned seed) {
        std::mt19937 random(seed);
        while (!stop) {
            BASS_ChannelSetAttribute(h, BASS_ATTRIB_VOL, float(random() % 100) / 100.0f);
            BASS_ChannelSetAttribute(h, BASS_ATTRIB_TEMPO, float(int(random() % 20) - 10));
            BASS_ChannelSetPosition(h, (random() % 100000) * 4, BASS_POS_BYTE);
            const BASS_DX8_PARAMEQ p{1000.0f, 18.0f, float(int(random() % 20) - 10)};
            BASS_FXSetParameters(band, &p);
            BASS_ChannelGetPosition(h, BASS_POS_BYTE);
            BASS_ChannelGetLevel(h);
            BASS_ChannelIsActive(h);
            std::this_thread::sleep_for(1ms);
        }
    };
    std::thread a(caller, song, 1);
    std::thread b(caller, other, 2);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(BASS_Free());
    std::this_thread::sleep_for(50ms);
    stop = true;
    a.join();
    b.join();
    for (const HSTREAM h : {song, other, decode}) {
        EXPECT_FALSE(BASS_StreamFree(h));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    }
    useNoSoundDevice();
}

} // namespace
