// Rows of the playlist manager: label and title, lengths and their cache in
// table music, M3U lines, folder scans and the editing of a row list.
#include "ManagerFixture.h"
#include "managers/PlaylistRows.h"

#include <gtest/gtest.h>

namespace {

using managerstest::DataTest;
namespace pr = playlistrows;

std::vector<std::string> col(const std::vector<CMemArray>& rows, int c)
{
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r.GetCol(c));
    return out;
}

std::vector<CMemArray> named(std::initializer_list<const char*> names)
{
    std::vector<CMemArray> rows;
    for (const char* n : names) {
        CMemArray r;
        r.SetCol(0, n);
        rows.push_back(r);
    }
    return rows;
}

TEST(PlaylistRowTexts, LabelAndTitleByNamingMode)
{
    const struct {
        const char* path;
        int mode;
        const char* label;
        const char* title;
    } cases[] = {
        {"/any/Blue Moon - Sing Along.mp3", 0, "Blue Moon", "Sing Along"},
        {"C:\\Music\\Blue Moon - Sing Along.mp3", 1, "Blue Moon", "Sing Along"},
        {"/any/Blue Moon.mp3", 0, "", "Blue Moon"},
        {"/any/Blue Moon.mp3", 1, "Blue Moon", ""},
        {"/any/Blue Moon.mp3", 2, "", "Blue Moon"},
        {"/any/RR 1 - Song - Live.v2.mp3", 0, "RR 1", "Song - Live.v2"},
    };
    for (const auto& c : cases) {
        std::string label, title;
        pr::LabelAndTitle(c.path, c.mode, label, title);
        EXPECT_EQ(label, c.label) << c.path << " mode " << c.mode;
        EXPECT_EQ(title, c.title) << c.path << " mode " << c.mode;
    }
}

TEST(PlaylistRowTexts, LengthsUnderTenMinutesGetTwoDigitMinutes)
{
    EXPECT_EQ(pr::LengthText(205), "03:25");
    EXPECT_EQ(pr::LengthText(725), "12:05");
    EXPECT_EQ(pr::LengthText(0), "00:00");
    EXPECT_EQ(pr::LengthText(3600), "60:00");
}

using PlaylistRows = DataTest;

TEST_F(PlaylistRows, AStoredLengthIsMeasuredOnceAndSongsWithoutARowAtEveryLoad)
{
    managerstest::useNoSoundDevice();
    const std::string song = dir.file("RR 1 - Song.wav");
    testsupport::writeSineWav(song, 3.6, 8000, 1);
    db.SaveMusicRow(song, "0", "0", "0", "100", "0", "0", "0", "0", "0", "", "0", "0", "", "0", "0", "0", "0", "0",
                    "0", "0", "0", "0.0", "0.0", 1);
    const pr::RowOptions options{0, true, true};
    CMemArray row = pr::MakeRow(song, options, db, 1);
    EXPECT_EQ(col({row}, 0), std::vector<std::string>{"RR 1"});
    EXPECT_EQ(row.GetCol(pr::kPath), song);
    EXPECT_EQ(row.GetCol(pr::kTrack), "0");
    EXPECT_EQ(row.GetCol(pr::kLength), "00:03");
    EXPECT_EQ(db.GetLength(song, 1), 3);

    // The stored length is read, not measured again: a longer file keeps it.
    testsupport::writeSineWav(song, 7.2, 8000, 1);
    EXPECT_EQ(pr::MakeRow(song, options, db, 1).GetCol(pr::kLength), "00:03");

    // Without a row in table music the song is measured every time.
    const std::string other = dir.file("Other.wav");
    testsupport::writeSineWav(other, 2.5, 8000, 1);
    EXPECT_EQ(pr::MakeRow(other, options, db, 1).GetCol(pr::kLength), "00:02");
    testsupport::writeSineWav(other, 5.5, 8000, 1);
    EXPECT_EQ(pr::MakeRow(other, options, db, 1).GetCol(pr::kLength), "00:05");
    EXPECT_FALSE(db.HasMusicRow(other, 1));

    // Files that cannot be measured are 00:00; options off leave texts 3 and 4 empty.
    write("x.ogg", "not audio");
    EXPECT_EQ(pr::MakeRow(dir.file("x.ogg"), options, db, 1).GetCol(pr::kLength), "00:00");
    row = pr::MakeRow(song, pr::RowOptions{0, false, false}, db, 1);
    EXPECT_EQ(row.GetCol(pr::kTrack), "");
    EXPECT_EQ(row.GetCol(pr::kLength), "");
}

TEST_F(PlaylistRows, PlaylistLinesSkipExtLinesAndKeepEmptyLines)
{
    const std::string path = write("list.m3u", "#EXTM3U\r\n#EXTINF:205,A - B\r\n/m/A - B.mp3   \r\n\r\n"
                                               "#EXTINF:1,x\r\nrel/C.mp3\t\r\n");
    EXPECT_EQ(pr::ReadPlaylist(path), (std::vector<std::string>{"/m/A - B.mp3", "", "rel/C.mp3"}));
    EXPECT_TRUE(pr::ReadPlaylist(dir.file("none.m3u")).empty());
    EXPECT_TRUE(pr::ReadPlaylist("a.m3").empty());
}

TEST_F(PlaylistRows, FolderScansTakeAudioFilesAndSubfoldersOnlyWhenAsked)
{
    write("music/a.mp3", "");
    write("music/b.FLAC", "");
    write("music/c.ogg", "");
    write("music/notes.txt", "");
    write("music/sub/d.wav", "");
    write("music/sub/deeper/e.mid", "");
    std::vector<std::string> flat, deep;
    pr::ScanFolder(dir.file("music"), false, flat);
    std::sort(flat.begin(), flat.end());
    EXPECT_EQ(flat, (std::vector<std::string>{dir.file("music/a.mp3"), dir.file("music/b.FLAC")}));
    pr::ScanFolder(dir.file("music"), true, deep);
    EXPECT_EQ(deep.size(), 4u);
    // Depth first: a subfolder's files follow one another without files of its parent between them.
    const auto at = [&](const std::string& f) { return std::find(deep.begin(), deep.end(), dir.file(f)) - deep.begin(); };
    EXPECT_EQ(std::abs(at("music/sub/d.wav") - at("music/sub/deeper/e.mid")), 1);
    EXPECT_TRUE(pr::CanEnterFolder(dir.file("music")));
    EXPECT_FALSE(pr::CanEnterFolder(dir.file("music/a.mp3")));
    EXPECT_FALSE(pr::CanEnterFolder(""));
}

TEST(PlaylistRowEditing, UpAndDownMoveSelectedRunsAndTheSelectionFollows)
{
    auto rows = named({"0", "1", "2", "3", "4", "5"});
    EXPECT_EQ(pr::MoveDown(rows, {2, 3}), (std::vector<int>{3, 4}));
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"0", "1", "4", "2", "3", "5"}));

    rows = named({"0", "1", "2", "3", "4", "5"});
    EXPECT_EQ(pr::MoveUp(rows, {2, 3}), (std::vector<int>{1, 2}));
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"0", "2", "3", "1", "4", "5"}));

    rows = named({"0", "1", "2"});
    EXPECT_EQ(pr::MoveUp(rows, {0, 2}), (std::vector<int>{0, 2}));
    EXPECT_EQ(pr::MoveDown(rows, {2}), (std::vector<int>{2}));
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"0", "1", "2"}));
}

TEST(PlaylistRowEditing, InsertsAndBlockMovesKeepOrderAndCount)
{
    auto rows = named({"a", "b", "c"});
    pr::InsertRows(rows, 1, named({"x", "y"}));
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"a", "x", "y", "b", "c"}));
    pr::InsertRows(rows, -1, named({"z"}));
    EXPECT_EQ(col(rows, 0).back(), "z");

    rows = named({"0", "1", "2", "3", "4", "5"});
    pr::MoveBlock(rows, {1, 2}, 4);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"0", "3", "4", "5", "1", "2"}));
    rows = named({"A", "B", "C"});
    pr::MoveBlock(rows, {0}, 2);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"B", "C", "A"}));
    rows = named({"A", "B", "C"});
    pr::MoveBlock(rows, {2}, 0);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"C", "A", "B"}));
    rows = named({"A", "B", "C"});
    pr::MoveBlock(rows, {0}, -1);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"B", "C", "A"}));
}

TEST(PlaylistRowEditing, SortsByTheClickedColumnFirstComparingTexts)
{
    std::vector<CMemArray> rows(3);
    const char* texts[3][2] = {{"9", "b"}, {"10", "a"}, {"100", "a"}};
    for (int i = 0; i < 3; ++i) {
        rows[i].SetCol(0, texts[i][0]);
        rows[i].SetCol(1, texts[i][1]);
    }
    pr::SortRows(rows, 0, false);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"10", "100", "9"}));
    pr::SortRows(rows, 1, false);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"10", "100", "9"}));
    pr::SortRows(rows, 1, true);
    EXPECT_EQ(col(rows, 0), (std::vector<std::string>{"9", "100", "10"}));
}

} // namespace
