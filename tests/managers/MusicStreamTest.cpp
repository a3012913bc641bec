// Music files opened by their extension, for the music manager's length check
// and the playlist manager's previews and rows.
#include "ManagerFixture.h"
#include "managers/MusicStream.h"
#include "managers/PlaylistPreview.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(MusicStream, KindsAreChosenByExtension)
{
    managerstest::useNoSoundDevice();
    testsupport::TempDir dir;
    const std::string wav = dir.file("a.wav");
    testsupport::writeSineWav(wav, 2.5, 8000, 1);
    // The same sound under other names: the extension decides how it is opened.
    for (const char* name : {"c.txt", "d"})
        std::filesystem::copy_file(wav, dir.file(name));

    const struct {
        std::string path;
        bool music;
        int seconds;      // the music manager's length check
        int probeSeconds; // the playlist manager's rows
    } cases[] = {
        {wav, true, 2, 2},
        {dir.file("c.txt"), false, 0, 0},
        {dir.file("d"), false, 0, 0},
        {dir.file("missing.mp3"), true, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(musicrows::IsMusicFile(c.path), c.music) << c.path;
        EXPECT_EQ(IsPreviewable(c.path), c.music) << c.path;
        EXPECT_EQ(musicrows::SongSeconds(c.path), c.seconds) << c.path;
        EXPECT_EQ(ProbeLength(c.path), c.probeSeconds) << c.path;
    }
    for (const char* kind :
         {"x.mp1", "x.Mp2", "x.ogg", "x.cda", "x.mid", "x.MIDI", "x.kar", "x.wma", "x.flac", "x.aac", "x.mp4", "x.m4a"})
        EXPECT_TRUE(musicrows::IsMusicFile(kind)) << kind;
}

} // namespace
