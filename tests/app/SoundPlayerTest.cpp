// The main window's second player: the sound keys F7 to F9, a pause on the
// next press, a new stream for every sound, and the error box.
#include "MainWindowFixture.h"

#include "platform/audio/Bass.h"
#include "store/CommandCodes.h"

using namespace mainwindowtest;

namespace {

class SoundPlayerTest : public MainWindowTest {
protected:
    std::string sound(const std::string& name, double seconds = 5)
    {
        const std::string path = dir.file(name);
        testsupport::writeSineWav(path, seconds, 8000, 1);
        return path;
    }
    DWORD stream() const { return dlg->SoundStream(); }
    static std::vector<std::string> boxTexts()
    {
        std::vector<std::string> texts;
        for (const auto& r : win::MessageBoxLog())
            if (r.kind == win::DialogKind::MessageBox)
                texts.push_back(r.text);
        return texts;
    }
    DWORD state() const { return BASS_ChannelIsActive(stream()); }
};

TEST_F(SoundPlayerTest, EachSoundKeyPlaysItsSoundAndTheNextPressPausesIt)
{
    preset({{"music - playmusic1", sound("One.wav")}, {"music - playmusic2", sound("Two.WAV")}});
    start();
    press(Qt::Key_F8);
    const DWORD one = stream();
    ASSERT_NE(one, 0u);
    EXPECT_EQ(state(), BASS_ACTIVE_PLAYING);
    press(Qt::Key_F8);
    EXPECT_EQ(state(), BASS_ACTIVE_PAUSED);
    press(Qt::Key_F8);
    EXPECT_EQ(state(), BASS_ACTIVE_PLAYING);
    EXPECT_NE(stream(), one) << "a new stream from the beginning";
    EXPECT_FALSE(BASS_ChannelIsActive(one) == BASS_ACTIVE_PLAYING) << "the one before is gone";
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);

    // F9 while sound 1 plays only pauses it; the next F9 starts sound 2 (upper-case extension).
    const DWORD again = stream();
    press(Qt::Key_F9);
    EXPECT_EQ(stream(), again);
    EXPECT_EQ(state(), BASS_ACTIVE_PAUSED);
    press(Qt::Key_F9);
    EXPECT_NE(stream(), again);
    EXPECT_EQ(state(), BASS_ACTIVE_PLAYING);

    // F7 previews the song selected in a list.
    press(Qt::Key_F9);
    g_selectedSongPath = sound("Selected.wav");
    press(Qt::Key_F7);
    EXPECT_EQ(state(), BASS_ACTIVE_PLAYING);
    float volume = 0;
    BASS_ChannelGetAttribute(stream(), BASS_ATTRIB_VOL, &volume);
    EXPECT_FLOAT_EQ(volume, float(g_defaultVolume) / 100.0f);
    press(Qt::Key_F7);
    EXPECT_EQ(state(), BASS_ACTIVE_PAUSED);

    // The hotkey functions 83 and 84 are the two sound keys.
    dlg->RunHotkeyFunction(83);
    const DWORD byHotkey = stream();
    EXPECT_EQ(state(), BASS_ACTIVE_PLAYING);
    dlg->RunHotkeyFunction(84);
    EXPECT_EQ(stream(), byHotkey);
    EXPECT_EQ(state(), BASS_ACTIVE_PAUSED);
    dlg->RunHotkeyFunction(84);
    EXPECT_NE(stream(), byHotkey);
    EXPECT_EQ(state(), BASS_ACTIVE_PLAYING);
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(SoundPlayerTest, NoPathDoesNothingAndAnUnknownKindPlaysNothing)
{
    preset({{"music - playmusic1", ""}, {"music - playmusic2", sound("Notes.xyz")}});
    start();
    press(Qt::Key_F8);
    EXPECT_EQ(stream(), 0u);
    g_dingPath = sound("Ding.wav", 1);
    code(CMD_PLAY_DING);
    const DWORD ding = stream();
    ASSERT_NE(ding, 0u);
    BASS_ChannelPause(ding);
    press(Qt::Key_F9);
    EXPECT_EQ(stream(), 0u) << "not the ding again";
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(SoundPlayerTest, AFileThatCannotBeOpenedShowsTheError)
{
    preset({{"music - pausepath", dir.file("Gone.mp3")}});
    start();
    code(CMD_PLAY_BREAK_MUSIC);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0], "Can't play stream\n\nBASS error code: 5\r\n\r\nCheck the filepath.");
    EXPECT_EQ(win::MessageBoxLog().back().type, UINT(MB_OK | MB_ICONERROR));
}

} // namespace
