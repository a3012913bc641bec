// The audio start: which devices it opens in which order, what it says when
// none opens, the error box of the audio library, and the restart after a
// device change.
#include "MusicPageFixture.h"

namespace {

using namespace musicpagetest;

struct InitCall {
    int device;
    DWORD freq;
    DWORD flags;
    bool operator==(const InitCall&) const = default;
};

class AudioStartTest : public MusicPageTest {
protected:
    std::vector<InitCall> calls;
    // Devices that open; the others fail as a missing device does.
    std::vector<int> working{0};

    void spy()
    {
        CDlgMp3::InitHook() = [this](int device, DWORD freq, DWORD flags) -> BOOL {
            calls.push_back({device, freq, flags});
            if (std::find(working.begin(), working.end(), device) != working.end())
                return BASS_Init(0, freq, flags, nullptr, nullptr);
            return BASS_Init(99, freq, flags, nullptr, nullptr); // fails with BASS_ERROR_DEVICE
        };
    }
};

TEST_F(AudioStartTest, TheDeviceIsOpenedInTheOrderOfTheStart)
{
    start();
    spy();
    struct Case {
        int device;
        const char* mono;
        std::vector<int> working;
        std::vector<InitCall> expected;
        size_t boxes;
    };
    const Case cases[] = {
        {-1, "false", {-1}, {{-1, 44100, 0}}, 0},
        {-1, "true", {-1}, {{-1, 44100, BASS_DEVICE_MONO}}, 0},
        {3, "false", {3}, {{3, 44100, 0}}, 0},
        // A device that fails falls back to the default one, without mono, at once.
        {3, "true", {-1}, {{3, 44100, BASS_DEVICE_MONO}, {-1, 44100, 0}}, 0},
        // No device at all: the default device is not asked twice, and the user is told.
        {-1, "false", {}, {{-1, 44100, 0}}, 1},
        {5, "false", {}, {{5, 44100, 0}, {-1, 44100, 0}}, 1},
    };
    for (const Case& c : cases) {
        calls.clear();
        boxes.clear();
        working = c.working;
        g_outputDevice = c.device;
        CMusicDb().SetSetting("music - bassmono", c.mono, 1);
        BASS_Free();
        page->StartAudio();
        EXPECT_EQ(calls, c.expected) << c.device << " " << c.mono;
        ASSERT_EQ(boxes.size(), c.boxes) << c.device;
        if (c.boxes) {
            EXPECT_EQ(boxes[0], "Bass.dll can not find a sounddevice on the computer");
        }
        EXPECT_FALSE(page->IsTimerArmed(kTimerAudioRetry)) << "nothing to wait for";
    }
}

TEST_F(AudioStartTest, AFailureARetryCanMendIsTriedAgainLaterWithoutBlocking)
{
    start();
    int attempts = 0;
    CDlgMp3::InitHook() = [&](int, DWORD freq, DWORD flags) -> BOOL {
        if (++attempts == 1)
            return BASS_Init(0, freq, flags, nullptr, nullptr) && BASS_Init(0, freq, flags, nullptr, nullptr);
        return BASS_Init(0, freq, flags, nullptr, nullptr);
    };
    BASS_Free();
    g_outputDevice = -1;
    // The first attempt leaves "already" behind: the device is ours, nothing to retry.
    page->StartAudio();
    EXPECT_FALSE(page->IsTimerArmed(kTimerAudioRetry));
    EXPECT_TRUE(boxes.empty());

    // A busy sound system (a driver error) gets a second attempt five seconds later.
    BASS_Free();
    attempts = 0;
    CDlgMp3::InitHook() = [&](int, DWORD, DWORD) -> BOOL {
        ++attempts;
        BASS_ChannelPlay(0, FALSE); // leaves an error code other than a missing device
        return FALSE;
    };
    page->StartAudio();
    EXPECT_EQ(attempts, 1);
    ASSERT_TRUE(page->IsTimerArmed(kTimerAudioRetry));
    EXPECT_EQ(page->TimerPeriod(kTimerAudioRetry), 5000u);
    CDlgMp3::InitHook() = [&](int device, DWORD freq, DWORD flags) -> BOOL {
        ++attempts;
        EXPECT_EQ(device, -1);
        return BASS_Init(0, freq, flags, nullptr, nullptr);
    };
    page->Tick(kTimerAudioRetry);
    EXPECT_EQ(attempts, 2);
    EXPECT_FALSE(page->IsTimerArmed(kTimerAudioRetry));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AudioStartTest, TheErrorBoxNamesTheCodeAndItsHint)
{
    start();
    BASS_ChannelPlay(0, FALSE); // an invalid handle: code 5
    page->ShowBassError("Can't play stream");
    BASS_StreamCreateFile(FALSE, dir.file("none.mp3").c_str(), 0, 0, 0); // code 2
    page->ShowBassError("Can't create stream");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Can't play stream\n\nBASS error code: 5\r\n\r\nCheck the filepath.");
    EXPECT_EQ(boxes[1], "Can't create stream\n\nBASS error code: 2\r\n\r\nSee the helpfile for more information.");
    EXPECT_FALSE(mainWnd.sent(CMD_SELECT_OUTPUT_DEVICE_ON_ERROR));
    BASS_Init(0, 44100, 0, nullptr, nullptr); // already open: code 14
    page->ShowBassError("Can not init Bass.dll");
    EXPECT_TRUE(mainWnd.sent(CMD_SELECT_OUTPUT_DEVICE_ON_ERROR)) << "the device choice opens";
}

// Going back to a device used before works: the library is freed before the
// new device is opened, and the song is opened again there.
TEST_F(AudioStartTest, ADeviceChangeReopensTheSongOnTheNewDevice)
{
    start({{"music - autostart", "true"}});
    spy();
    working = {0, 1};
    const std::string song = wav("Song.wav", 10);
    page->OpenSong(4, -1, song, 0, 0, 0);
    for (int device : {1, 0, 1}) {
        g_outputDevice = device;
        page->RestartAudio();
        EXPECT_EQ(calls.back().device, device);
        EXPECT_EQ(g_currentSongPath, song);
        EXPECT_NE(page->SongStream(), 0u);
        EXPECT_EQ(g_playing, 1) << "reopened with autostart";
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_FALSE(mainWnd.sent(CMD_SELECT_OUTPUT_DEVICE_ON_ERROR));
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(AudioStartTest, TheOutputVolumeIsReadAfterTheStart)
{
    g_maxVolume = 0;
    start();
    BASS_SetVolume(0.5f);
    page->StartAudio();
    EXPECT_EQ(g_masterVolume, 50);
    g_maxVolume = 1;
    page->StartAudio();
    EXPECT_EQ(g_masterVolume, 100);
}

} // namespace
