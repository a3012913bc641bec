// The music CSV file: the line form, the file names, the reader's checks and
// what a round trip through the table keeps.
#include "ManagersFixture.h"
#include "managers/ListFile.h"
#include "managers/MusicCsv.h"
#include "platform/win/WholeFile.h"
#include "store/MyFunctions.h"

namespace managerstest {
namespace {

CMemArrayLarge sampleRow()
{
    const std::string cols[25] = {"Song", "/music/Song.mp3", "44100", "1.5", "2.0", "90", "10.5", "20.25", "1", "2",
                                  "3", "1", "01:05;02:10;", "0", "205", "Nice; isn't it", "2", "30.5", "7", "Invalid",
                                  "", "", "", "", ""};
    CMemArrayLarge row;
    row.SetAll(cols);
    return row;
}

TEST(MusicCsv, LineFormAndFileNames)
{
    CMemArrayLarge row = sampleRow();
    row.SetCol(15, "Nice");
    EXPECT_EQ(musiccsv::Line(row),
              "/music/Song.mp3;44100;1.5;2.0;90;10.5;20.25;1;2;3;1;01:05*02:10*;0;205;Nice;2;30.5;7");
    EXPECT_EQ(musiccsv::Line(row, 19),
              "/music/Song.mp3;44100;1.5;2.0;90;10.5;20.25;1;2;3;1;01:05*02:10*;0;205;Nice;2;30.5;7;Invalid");

    EXPECT_EQ(musiccsv::DatedFileName("/data", "2024-05-01"), "/data/20240501 MusicDatabase.csv");
    EXPECT_EQ(musiccsv::BesideFileName("/music/a.b/song.mp3"), "/music/a.b/song.csv");
    EXPECT_EQ(musiccsv::BesideFileName("/music/a.b/song"), "") << "no extension: no file beside it";
    EXPECT_EQ(musiccsv::MusicPathBeside("/new/song.csv", "C:\\Old\\song.MP3"), "/new/song.mp3");
}

TEST(MusicCsv, TheReaderSkipsWhatIsNoSong)
{
    const std::string good = "/m/a.mp3;44100;0.5;0;100;0;0;0;0;0;0;01:05*;0;10;c;0;0.0;3";
    struct Case {
        std::string line;
        bool read;
        const char* why;
    };
    const Case cases[] = {
        {good, true, "a line of 18 fields"},
        {good + ";Invalid path", true, "a line of the check's 19 fields"},
        {good + "  \r", true, "trailing white space and CR"},
        {"", false, "blank"},
        {"   \r", false, "only white space"},
        {";" + good, false, "begins with ;"},
        {"/m/a.mp3;44100;0.5;0;100", false, "short"},
        {";44100;0.5;0;100;0;0;0;0;0;0;;0;10;c;0;0.0;3", false, "no path"},
        {"/m/a.mp3;fast;0.5;0;100;0;0;0;0;0;0;;0;10;c;0;0.0;3", false, "speed no number"},
        {"/m/a.mp3;44100;0.5;0;100;0;0;0;0;0;0;;0;10;c;0;0.0;x", false, "flag no number"},
        {"/m/a.mp3;44100;;0;100;0;0;0;0;0;0;;;;c;;;", true, "empty fields with a table default"},
        {"/m/a.mp3;;0.5;0;100;0;0;0;0;0;0;;0;10;c;0;0.0;3", false, "empty speed"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(musiccsv::ParseLine(c.line).has_value(), c.read) << c.why;
    const auto song = musiccsv::ParseLine(good);
    ASSERT_TRUE(song);
    EXPECT_EQ((*song)[11], "01:05;") << "markers get their ; back";
    EXPECT_EQ((*song)[17], "3");
}

TEST_F(ManagersTest, ImportStoresSongsAndFlagsAndKeepsApostrophes)
{
    const std::string file = dir.file("in.csv");
    testsupport::writeFile(file,
                           "/m/It's.mp3;44100;1.5;2.5;90;1.0;3.0;1;2;3;1;00:10*00:20*;0;205;Don't stop;2;30.5;7\r\n"
                           "\r\n"
                           "short;line\r\n"
                           "/m/b.mp3;22050;0;0;100;0;0;0;0;0;0;;0;10;;0;0.0;0\n"
                           "/m/c.mp3;22050;0;0;100;0;0;0;0;0;0;;0;10;;0;0.0;\r\n");
    CMusicDb db;
    db.BeginBatch();
    EXPECT_EQ(musiccsv::ImportFile(db, file, false, 0), 3);
    db.CommitBatch();
    EXPECT_EQ(query("SELECT path, speed, pitch, tempo, markers, length, comment, eq4, keypitch, keytime, pitchfloat "
                    "FROM music WHERE path LIKE '/m/%' ORDER BY path;"),
              "/m/It[¤]s.mp3,44100,0,2.5,00:10;00:20;,205,Don[¤]t stop,1,2,30.5,1.5|"
              "/m/b.mp3,22050,0,0.0,,10,,0,0,0.0,0.0|/m/c.mp3,22050,0,0.0,,10,,0,0,0.0,0.0|");
    EXPECT_EQ(query("SELECT path, value FROM flag ORDER BY path;"), "/m/It[¤]s.mp3,7|/m/b.mp3,0|")
        << "a flag 0 is a flag row; an empty field none";
    EXPECT_EQ(db.GetCommentText("/m/It's.mp3", 1), "Don't stop");
}

TEST_F(ManagersTest, ACraftedCsvCannotChangeAStatement)
{
    const std::string file = dir.file("evil.csv");
    testsupport::writeFile(file, "/m/x.mp3') OR 1=1 --;44100;0;0;100;0;0;0;0;0;0;a') OR ''=';"
                                 "0;10;c'), ('z') --;0;0.0;1\r\n"
                                 "/m/y.mp3;1);DROP TABLE music;--;0;0;100;0;0;0;0;0;0;;0;10;;0;0.0;1\r\n");
    exec("INSERT INTO flag VALUES('/m/keep.mp3','3');");
    CMusicDb db;
    db.BeginBatch();
    EXPECT_EQ(musiccsv::ImportFile(db, file, false, 0), 1) << "the line with a statement for a number is skipped";
    db.CommitBatch();
    EXPECT_EQ(query("SELECT count(*) FROM music WHERE path LIKE '/m/x.mp3%';"), "1|");
    EXPECT_EQ(query("SELECT markers, comment FROM music WHERE path LIKE '/m/x.mp3%';"), "a') OR ''=',c[¤]), ([¤]z[¤]) --|");
    EXPECT_EQ(query("SELECT count(*) FROM flag;"), "2|");
    EXPECT_EQ(query("SELECT count(*) FROM music;"), "2|") << "the dummy row and the one song";
}

TEST_F(ManagersTest, BesideFilesStoreUnderTheMusicFileBesideThem)
{
    testsupport::writeFile(dir.file("song.csv"), "C:\\Old\\song.MP3;44100;0;0;100;0;0;0;0;0;0;;0;10;;0;0.0;5\r\n");
    CMusicDb db;
    db.BeginBatch();
    EXPECT_EQ(musiccsv::ImportFile(db, dir.file("song.csv"), true, 0), 1);
    db.CommitBatch();
    EXPECT_EQ(query("SELECT path FROM music WHERE path <> 'dummydb';"), dir.file("song.mp3") + "|");
    EXPECT_EQ(db.GetFlag(dir.file("song.mp3"), 1), 5);
}

TEST(MusicCsv, WrittenLinesEndInCrLfAndAFileThatCannotBeCreatedSaysSo)
{
    testsupport::TempDir d;
    ASSERT_TRUE(listfile::WriteLines(d.file("a.csv"), {"x;y", "z"}));
    EXPECT_EQ(testsupport::readFile(d.file("a.csv")), "x;y\r\nz\r\n");
    ASSERT_TRUE(listfile::WriteLines(d.file("a.csv"), {"new"}));
    EXPECT_EQ(testsupport::readFile(d.file("a.csv")), "new\r\n") << "replaced, not appended";
    EXPECT_FALSE(listfile::WriteLines(d.file("no/such/folder/a.csv"), {"x"}));
    // A write that cannot finish keeps the older export whole.
    std::filesystem::create_directory(win::WholeFileScratch(d.file("a.csv")));
    EXPECT_FALSE(listfile::WriteLines(d.file("a.csv"), {"lost"}));
    EXPECT_EQ(testsupport::readFile(d.file("a.csv")), "new\r\n");
}

} // namespace
} // namespace managerstest
