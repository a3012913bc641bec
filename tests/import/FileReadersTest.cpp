// The readers of an older version's data files: one table of cases per kind of
// file, each file written as the Windows version wrote it (CR LF, Windows-1252).
#include "ImportFixture.h"

#include "import/LegacyText.h"

namespace importtest {
namespace {

using Rows = std::vector<std::string>;

TEST_F(ImportTest, MarkedFilesAddEachSongOnceAndLeaveMarksThatArePresent)
{
    exec("insert into markext2 values ('/music/kept.mp3', 7, '');");
    const std::string file = oldFile("mark2.dat", "C:\\Music\\a.mp3\r\n\r\n/music/kept.mp3\r\nCaf\xE9.mp3  \r\n"
                                                  "\r\nC:\\Music\\a.mp3\r\n");
    EXPECT_TRUE(worker.ImportMarkedFile(file, 2));
    EXPECT_EQ(rows("SELECT * FROM markext2 ORDER BY rowid;"),
              (Rows{"/music/kept.mp3|7|", "C:\\Music\\a.mp3|0|", "Café.mp3|0|"}))
        << "blank lines name no song; the old path stays as it was written";
    EXPECT_TRUE(rows("SELECT * FROM markext1;").empty());
    EXPECT_TRUE(rows("SELECT * FROM markext3;").empty());
}

TEST_F(ImportTest, TheMemoryListTakesEachLineOnce)
{
    const std::string file = oldFile("MirtalMem.txt", "first\r\n\r\nsecond's\r\nfirst\r\n");
    EXPECT_TRUE(worker.ImportMemoryFile(file));
    EXPECT_EQ(rows("SELECT * FROM memory ORDER BY rowid;"), (Rows{"first", "second[¤]s"}));
}

TEST_F(ImportTest, MarriagesPairEachSectionWithItsLyrics)
{
    exec("insert into marry values ('C:\\M\\kept.mp3', 'C:\\L\\kept.htm');");
    const std::string file = oldFile("Marry.ini",
                                     "Lyrics=C:\\L\\before.htm\r\n"      // before any section: no music
                                     "[C:\\M\\one.mp3]\r\n"
                                     "Lyrics=C:\\L\\one.htm\r\n"
                                     "[abc]\r\n"                         // 5 characters: ignored
                                     "Lyric\r\n"                         // short: ignored
                                     "[C:\\M\\kept.mp3]\r\n"
                                     "Lyrics=\r\n"                       // no lyrics: the pairing stays
                                     "[C:\\M\\two.mp3]\r\n"
                                     "Lyrics=C:\\L\\two first.htm\r\n"
                                     "Lyrics=C:\\L\\two.htm\r\n");
    EXPECT_TRUE(worker.ImportMarryFile(file));
    EXPECT_EQ(rows("SELECT * FROM marry ORDER BY path;"),
              (Rows{"C:\\M\\kept.mp3|C:\\L\\kept.htm", "C:\\M\\one.mp3|C:\\L\\one.htm",
                    "C:\\M\\two.mp3|C:\\L\\two.htm"}));
}

TEST_F(ImportTest, PlayedSongsAreStoredWithTheirFullPathOrTheirTitle)
{
    const std::string file = oldFile("TrackDatabase.txt",
                                     "2009-03-01;20:15;Don't Stop;Plus;2;\r\n"
                                     "2009-03-01;20:20;Hoedown;Basic\r\n"               // no list: 0
                                     "2009-03-02;19:00;Song;Main;3;C:\\M\\song.mp3;\r\n" // with the full path
                                     ";20:00;No date;Plus;1;\r\n"                        // empty first field
                                     "2009-03-03;20:00;Too few\r\n"                      // fewer than three ";"
                                     "\r\n"
                                     "2009-03-01;20:15;Don't Stop;Plus;2;\r\n");         // already there
    EXPECT_TRUE(worker.ImportTrackFile(file));
    EXPECT_EQ(rows("SELECT * FROM track ORDER BY rowid;"),
              (Rows{"2009-03-01|20:15|Don[¤]t Stop|Plus|2|Don[¤]t Stop|0",
                    "2009-03-01|20:20|Hoedown|Basic|0|Hoedown|0",
                    "2009-03-02|19:00|Song|Main|3|C:\\M\\song.mp3|0"}));
    CMusicDb db;
    EXPECT_TRUE(db.IsInTrackLog(0, "Don't Stop", "Plus", 1, 1)) << "the apostrophe reads back as one";
}

TEST_F(ImportTest, TheSettingsFileGoesIntoTempLineByLine)
{
    exec("insert into temp values ('stale','row','x');");
    const std::string file = oldFile("Mirtal.ini", "Top=before any section\r\n"
                                                   "[Music]\r\n"
                                                   "Fade = 3\r\n"
                                                   "Fade=4\r\n"
                                                   "Fade=4\r\n"
                                                   ";Note=kept\r\n"
                                                   "Fade\r\n"
                                                   "ab\r\n"
                                                   "Path=C:\\Mirtal=old\r\n");
    EXPECT_TRUE(worker.ImportSettingsFile(file));
    EXPECT_EQ(rows("SELECT * FROM temp ORDER BY rowid;"),
              (Rows{"|Top|before any section", "Music|Fade | 3", "Music|Fade|4", "Music|Fade|4", "Music|;Note|kept",
                    "Music||Fade", "Music|Path|C:\\Mirtal=old"}));
}

TEST_F(ImportTest, LoopFileSectionsBecomeSongRows)
{
    exec("insert into music values ('C:\\M\\kept.mp3',22050,1,2,50,1.0,2.0,0,0,0,'',3,100,'c','d',0,0,0,0,0,0,0,0,0,0);");
    const std::string file = oldFile("LoopDatabase.txt",
                                     "Volume=80\r\n" // before the first section: goes with it
                                     "[C:\\M\\one.mp3]\r\n"
                                     "SpeedUp=48000\r\n"
                                     "Pitch=2\r\n"
                                     "Keychange_value=1.5\r\n"
                                     "Keychange=2\r\n"
                                     "Mem=65\r\n"
                                     "Mem=600\r\n"
                                     "Rate=4\r\n"
                                     "[C:\\M\\two.mp3]\r\n"
                                     "Speed=8000\r\n"
                                     "Mem=5\r\n"
                                     "[C:\\M\\kept.mp3]\r\n"
                                     "Speed=44100\r\n");
    EXPECT_TRUE(worker.ImportLoopFile(file));
    const std::string columns =
        "SELECT path,speed,pitch,tempo,volume,loopset,loopstop,markers,rate,keypitch,keytime,pitchfloat,length,comment "
        "FROM music WHERE path<>'dummydb' ORDER BY path;";
    EXPECT_EQ(rows(columns), (Rows{"C:\\M\\kept.mp3|22050|1|2.0|50|1.0|2.0||3|0|0.0|0.0|100|c",
                                   "C:\\M\\one.mp3|48000|2|0.0|80|0.0|0.0|01:05;10:00;|4|2|1.5|0.0|0|",
                                   "C:\\M\\two.mp3|44100|0|0.0|100|0.0|0.0|00:05;|0|0|0.0|0.0|0|"}));
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(ImportTest, ALoopSectionWithAValueThatIsNoNumberIsPassedOverAndReported)
{
    const std::string file = oldFile("LoopDatabase.txt", "[/m/a.mp3]\r\nVolume=90\r\n"
                                                         "[/m/bad.mp3]\r\nTempo=1);DROP TABLE music;--\r\n"
                                                         "[/m/c.mp3]\r\nPitch=x\r\n"
                                                         "[/m/d.mp3]\r\nRate=5\r\n");
    EXPECT_TRUE(worker.ImportLoopFile(file));
    EXPECT_EQ(rows("SELECT path FROM music WHERE path<>'dummydb' ORDER BY path;"), (Rows{"/m/a.mp3", "/m/d.mp3"}));
    EXPECT_EQ(worker.Skipped(), (Rows{"[/m/bad.mp3] Tempo=1);DROP TABLE music;--", "[/m/c.mp3] Pitch=x"}));
    const Rows texts = boxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "2 entries of " + file +
                            " could not be imported:\n[/m/bad.mp3] Tempo=1);DROP TABLE music;--\n[/m/c.mp3] Pitch=x");
    EXPECT_EQ(win::MessageBoxLog()[0].caption, "Mirtal");
}

TEST_F(ImportTest, AFileThatCannotBeReadWritesNothing)
{
    // /proc/self/mem opens, but reading its start fails.
    std::filesystem::create_symlink("/proc/self/mem", dir.file("unreadable.dat"));
    const std::string missing = dir.file("missing.dat");
    const std::string unreadable = dir.file("unreadable.dat");
    for (const std::string& file : {missing, unreadable}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(worker.ImportMarkedFile(file, 1));
        EXPECT_FALSE(worker.ImportMemoryFile(file));
        EXPECT_FALSE(worker.ImportMarryFile(file));
        EXPECT_FALSE(worker.ImportTrackFile(file));
        EXPECT_FALSE(worker.ImportSettingsFile(file));
        EXPECT_FALSE(worker.ImportLoopFile(file));
    }
    EXPECT_TRUE(rows("SELECT * FROM markext1;").empty());
    EXPECT_TRUE(rows("SELECT * FROM memory;").empty());
}

TEST(LegacyLines, Utf8AndWindows1252LinesBothBecomeProgramText)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("a.txt"), "\xEF\xBB\xBF" "Caf\xC3\xA9\r\nCaf\xE9 \t\r\n\xE2\x82\xAC\nlast \x80");
    std::vector<std::string> lines;
    ASSERT_TRUE(legacy::ReadLines(dir.file("a.txt"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"Café", "Café", "€", "last €"}));
}

} // namespace
} // namespace importtest
