// The playlist manager's two previews on the no-sound device.
#include "ManagerFixture.h"
#include "managers/PlaylistPreview.h"

#include <gtest/gtest.h>

namespace {

class PlaylistPreview : public managerstest::DataTest {
protected:
    void SetUp() override
    {
        managerstest::useNoSoundDevice();
        left = dir.file("left.wav");
        right = dir.file("right.wav");
        testsupport::writeSineWav(left, 20, 8000, 1);
        testsupport::writeSineWav(right, 20, 8000, 1);
    }
    CPlaylistPreview::Outcome press(int list, const std::string& path)
    {
        error.clear();
        return preview.Press(list, path, 0.5f, otherPaused, error);
    }
    std::string left, right, error;
    bool otherPaused = false;
    CPlaylistPreview preview;
};

using Outcome = CPlaylistPreview::Outcome;

TEST_F(PlaylistPreview, TheRightPlayPausesTheLeftAndStartsTheRight)
{
    EXPECT_EQ(press(0, left), Outcome::Started);
    EXPECT_TRUE(preview.IsPlaying(0));
    float volume = 0;
    BASS_ChannelGetAttribute(preview.Channel(0), BASS_ATTRIB_VOL, &volume);
    EXPECT_FLOAT_EQ(volume, 0.5f);

    EXPECT_EQ(press(1, right), Outcome::Started);
    EXPECT_TRUE(otherPaused);
    EXPECT_FALSE(preview.IsPlaying(0));
    EXPECT_TRUE(preview.IsPlaying(1));

    // Its own button pauses a playing preview; the next press starts the song anew.
    EXPECT_EQ(press(1, right), Outcome::Paused);
    EXPECT_FALSE(preview.IsPlaying(1));
    EXPECT_EQ(press(0, ""), Outcome::Nothing);
}

TEST_F(PlaylistPreview, ReplacedAndFailedPreviewsAreFreedAndNeverResumeTheOldSong)
{
    ASSERT_EQ(press(0, left), Outcome::Started);
    const HSTREAM first = preview.Channel(0);
    ASSERT_EQ(press(0, left), Outcome::Paused);
    ASSERT_EQ(press(0, right), Outcome::Started);
    EXPECT_NE(preview.Channel(0), first);
    EXPECT_EQ(BASS_ChannelIsActive(first), BASS_ACTIVE_STOPPED); // freed
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);

    ASSERT_EQ(press(0, right), Outcome::Paused);
    EXPECT_EQ(press(0, dir.file("missing.mp3")), Outcome::Failed);
    EXPECT_EQ(error, "Can't play stream\n\nBASS error code: 5\r\n\r\nCheck the filepath.");
    EXPECT_EQ(preview.Channel(0), 0u);

    ASSERT_EQ(press(0, left), Outcome::Started);
    ASSERT_EQ(press(0, left), Outcome::Paused);
    write("song.xyz", "x");
    EXPECT_EQ(press(0, dir.file("song.xyz")), Outcome::Failed);
    EXPECT_EQ(error, "Can't play stream\n\nBASS error code: 41\r\n\r\nSee the helpfile for more information.");
    EXPECT_EQ(preview.Channel(0), 0u); // the paused song is gone, never resumed
    EXPECT_EQ(press(0, ""), Outcome::Nothing);
    EXPECT_FALSE(preview.IsPlaying(0));

    EXPECT_EQ(BassErrorText("Can't play stream", 41),
              "Can't play stream\n\nBASS error code: 41\r\n\r\nSee the helpfile for more information.");
}

TEST_F(PlaylistPreview, ClosingFreesBothChannels)
{
    HSTREAM a = 0, b = 0;
    {
        CPlaylistPreview p;
        bool paused = false;
        std::string err;
        ASSERT_EQ(p.Press(0, left, 1.0f, paused, err), Outcome::Started);
        ASSERT_EQ(p.Press(1, right, 1.0f, paused, err), Outcome::Started);
        a = p.Channel(0);
        b = p.Channel(1);
    }
    EXPECT_EQ(BASS_ChannelIsActive(a), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelIsActive(b), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

} // namespace
