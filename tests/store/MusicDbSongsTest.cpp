#include "SongDataFixture.h"

#include "store/SongSettingsNotifier.h"

#include <sqlite3.h>

namespace {

using storetest::SongData;

const std::string kSong = "/music/Caller's \"Best\" Song.mp3";
const std::string kStoredSong = "/music/Caller[\xC2\xA4]s [\xC2\xA3]Best[\xC2\xA3] Song.mp3";

// Records what loading a song asks of the main window.
class RecordingNotifier : public CSongSettingsNotifier {
public:
    RecordingNotifier() { SetSongSettingsNotifier(this); }
    ~RecordingNotifier() override { SetSongSettingsNotifier(nullptr); }
    void SwitchEqualizer(bool on) override { calls += on ? "on " : "off "; }
    std::string calls;
};

class Songs : public SongData {
protected:
    void SetPlayer()
    {
        g_speedHz = 48000;
        g_tempo = 2.5f;
        g_pitch = -1.75f;
        g_songVolume = 80;
        g_loopStart = 10.5f;
        g_loopEnd = 20.25f;
        g_eqBass = 3;
        g_eqMid = -2;
        g_eqTreble = 1;
        g_eqOn = 1;
        g_songMarkers = "0:10;r1:05;";
        g_songRating = 4;
        g_songLength = 200;
        g_songComment = "it's \"fine\"";
        g_keychangeSteps = 2;
        g_keychangeTime = 95.5f;
    }
    void ClearPlayer()
    {
        g_speedHz = 1;
        g_tempo = g_pitch = g_loopStart = g_loopEnd = g_keychangeTime = 9.f;
        g_songVolume = g_eqBass = g_eqMid = g_eqTreble = g_songRating = g_keychangeSteps = 9;
        g_songMarkers = g_songComment = "x";
    }
    int Rows(const std::string& storedPath)
    {
        return Count("select count(*) from music where path='" + CDbAccess::Sql(storedPath) + "';");
    }
};

TEST_F(Songs, FirstSaveInsertsAllColumnsAndTheSecondUpdatesTheSameRow)
{
    SetPlayer();
    db.SaveSongSettings(kSong, 1);
    std::vector<std::string> row = Row("select * from music where path<>'dummydb';");
    ASSERT_EQ(row.size(), 25u);
    const std::vector<std::string> expected = {
        kStoredSong, "48000", "-1", "2.5", "80", "10.5", "20.25", "3", "-2", "1", "0:10;r1:05;", "4", "200",
        "it[\xC2\xA4]s [\xC2\xA3]fine[\xC2\xA3]", "", "1", "0", "0", "0", "0", "0", "0", "2", "95.5", "-1.75"};
    for (size_t i = 0; i < expected.size(); ++i) {
        if (i == 14)
            continue;
        EXPECT_EQ(row[i], expected[i]) << "column " << i;
    }
    EXPECT_EQ(row[14].size(), 19u); // the date of the save

    Exec("update music set date='2000-01-01 00:00:00';");
    g_tempo = -3.f;
    g_pitch = 2.5f;
    g_eqOn = 0;
    db.SaveSongSettings(kSong, 1);
    EXPECT_EQ(Rows(kStoredSong), 1);
    row = Row("select pitch, tempo, pitchfloat, eq4, date from music where path<>'dummydb';");
    EXPECT_EQ(row[0], "-1"); // the whole-number pitch keeps its inserted value
    EXPECT_EQ(row[1], "-3.0");
    EXPECT_EQ(row[2], "2.5");
    EXPECT_EQ(row[3], "0");
    EXPECT_NE(row[4], "2000-01-01 00:00:00");
}

TEST_F(Songs, EmptyPathSavesNothing)
{
    SetPlayer();
    db.SaveSongSettings("", 0); // not even a connection: with no batch open it would raise
    EXPECT_EQ(Count("select count(*) from music;"), 1);
}

TEST_F(Songs, LoadBringsBackWhatWasSavedWithTheCommentInStoredForm)
{
    SetPlayer();
    db.SaveSongSettings(kSong, 1);
    ClearPlayer();
    ASSERT_TRUE(db.LoadSongSettings(kSong, 1));
    EXPECT_EQ(g_speedHz, 48000);
    EXPECT_FLOAT_EQ(g_tempo, 2.5f);
    EXPECT_FLOAT_EQ(g_pitch, -1.75f);
    EXPECT_EQ(g_songVolume, 80);
    EXPECT_FLOAT_EQ(g_loopStart, 10.5f);
    EXPECT_FLOAT_EQ(g_loopEnd, 20.25f);
    EXPECT_EQ(g_songMarkers, "0:10;r1:05;");
    EXPECT_EQ(g_songRating, 4);
    EXPECT_EQ(g_songComment, "it[\xC2\xA4]s [\xC2\xA3]fine[\xC2\xA3]");
    EXPECT_EQ(g_keychangeSteps, 2);
    EXPECT_FLOAT_EQ(g_keychangeTime, 95.5f);
    EXPECT_EQ(db.GetCommentText(kSong, 1), "it's \"fine\"");

    // Saving the loaded (stored) comment again leaves it as it was.
    db.SaveSongSettings(kSong, 1);
    EXPECT_EQ(Row("select comment from music where path<>'dummydb';")[0], "it[\xC2\xA4]s [\xC2\xA3]fine[\xC2\xA3]");
}

TEST_F(Songs, OneSongOneRowPathsMatchExactly)
{
    // Loading, the getters and the writers all match a path the same way: exactly.
    SetPlayer();
    db.SaveSongSettings("/Music/Song.mp3", 1);
    g_songRating = 2;
    g_songLength = 99;
    db.SaveSongSettings("/music/song.mp3", 1); // another file on this platform
    EXPECT_EQ(Rows("/Music/Song.mp3"), 1);
    EXPECT_EQ(Rows("/music/song.mp3"), 1);

    ClearPlayer();
    ASSERT_TRUE(db.LoadSongSettings("/Music/Song.mp3", 1));
    EXPECT_EQ(g_songRating, 4);
    EXPECT_EQ(db.GetRateText("/music/song.mp3", 1), "2");
    EXPECT_EQ(db.GetLength("/music/song.mp3", 1), 99);
    EXPECT_EQ(db.GetLength("/Music/Song.mp3", 1), 200);

    EXPECT_FALSE(db.LoadSongSettings("/MUSIC/SONG.MP3", 1));
    EXPECT_FALSE(db.HasMusicRow("/MUSIC/SONG.MP3", 1));
    EXPECT_EQ(db.GetRateText("/MUSIC/SONG.MP3", 1), "0");
    EXPECT_EQ(db.GetCommentText("/MUSIC/SONG.MP3", 1), "");
    EXPECT_FALSE(db.IsRateInRange("/MUSIC/SONG.MP3", 0, 10, 1));
}

TEST_F(Songs, NullColumnsLoadAsTheirDefaults)
{
    Exec("insert into music (path) values ('/a.mp3');");
    g_speedHz = 22050; // the previous song's rate
    g_songVolume = 5;
    g_tempo = 7.f;
    ASSERT_TRUE(db.LoadSongSettings("/a.mp3", 1));
    EXPECT_EQ(g_speedHz, 22050);
    EXPECT_EQ(g_songVolume, 100);
    EXPECT_FLOAT_EQ(g_tempo, 0.f);
    EXPECT_EQ(g_songComment, "");
    EXPECT_EQ(db.GetRateText("/a.mp3", 1), "0");
    EXPECT_EQ(db.GetLength("/a.mp3", 1), 0);
}

TEST_F(Songs, EqualizerPerSongOnAndOff)
{
    Exec("insert into music (path, eq1, eq2, eq3, eq4) values ('/on.mp3', 4, 5, 6, 1);"
         "insert into music (path, eq1, eq2, eq3, eq4) values ('/off.mp3', -4, -5, -6, 0);");
    const struct {
        int eachSong;
        const char* path;
        bool found;
        const char* calls;
        int bass, mid, treble;
    } cases[] = {
        {1, "/on.mp3", true, "on ", 4, 5, 6},
        {1, "/off.mp3", true, "off ", -4, -5, -6},
        {1, "/none.mp3", false, "off ", 1, 2, 3},
        {0, "/on.mp3", true, "", 1, 2, 3},
        {0, "/none.mp3", false, "", 1, 2, 3},
    };
    for (const auto& c : cases) {
        RecordingNotifier notifier;
        g_eqEachSong = c.eachSong;
        g_eqBass = 1;
        g_eqMid = 2;
        g_eqTreble = 3;
        EXPECT_EQ(db.LoadSongSettings(c.path, 1), c.found) << c.path << c.eachSong;
        EXPECT_EQ(notifier.calls, c.calls) << c.path << c.eachSong;
        EXPECT_EQ(g_eqBass, c.bass) << c.path << c.eachSong;
        EXPECT_EQ(g_eqMid, c.mid) << c.path << c.eachSong;
        EXPECT_EQ(g_eqTreble, c.treble) << c.path << c.eachSong;
    }
    // Without a notifier installed, loading still works and sends nothing.
    g_eqEachSong = 1;
    EXPECT_TRUE(db.LoadSongSettings("/on.mp3", 1));
}

TEST_F(Songs, SaveMusicRowFillsEmptyFieldsAndUpdatesAllButPitch)
{
    db.SaveMusicRow("/b.mp3", "44100", "2", "1.5", "90", "1", "2", "0", "0", "0", "it's;1:00;", "", "", "c", "", "",
                    "", "", "", "", "", "", "", "", 1);
    std::vector<std::string> row = Row("select * from music where path='/b.mp3';");
    ASSERT_EQ(row.size(), 25u);
    EXPECT_EQ(row[10], "it's;1:00;"); // the marker text is stored as it is
    for (int i : {11, 12, 15, 16, 17, 18, 19, 20, 21, 22})
        EXPECT_EQ(row[i], "0") << i;
    EXPECT_EQ(row[23], "0.0");
    EXPECT_EQ(row[24], "0.0");

    db.BeginBatch();
    db.SaveMusicRow("/b.mp3", "48000", "7", " -2.25 ", "50", ".5", "9.", "1", "2", "3", "", "5", "180", "d", "1",
                    "0", "0", "0", "0", "0", "0", "3", "12.5", "-1.5", 0);
    db.CommitBatch();
    row = Row("select speed, pitch, tempo, loopset, loopstop, rate, pitchfloat from music where path='/b.mp3';");
    EXPECT_EQ(row, (std::vector<std::string>{"48000", "2", "-2.25", "0.5", "9.0", "5", "-1.5"}));
    EXPECT_EQ(Count("select count(*) from music where path='/b.mp3';"), 1);
}

TEST_F(Songs, NumbersFromFilesAreCheckedBeforeTheyReachTheStatement)
{
    const struct {
        const char* speed;
        const char* rate;
    } bad[] = {{"", "0"}, {"abc", "0"}, {"44100", "1,5"}, {"1); drop table music; --", "0"}, {"44100", "3 4"}};
    for (const auto& b : bad) {
        try {
            db.SaveMusicRow("/c.mp3", b.speed, "0", "0", "100", "0", "0", "0", "0", "0", "", b.rate, "", "", "", "",
                            "", "", "", "", "", "", "", "", 1);
            ADD_FAILURE() << "accepted " << b.speed << " / " << b.rate;
        } catch (const CppSQLite3Exception& e) {
            EXPECT_EQ(e.ErrorCode(), SQLITE_MISMATCH) << b.speed;
        }
    }
    EXPECT_EQ(Count("select count(*) from music;"), 1);
    EXPECT_THROW(db.ImportLoopRow("/c.mp3", "x", "", "", "", "", "", "", "", "", "", "", 1), CppSQLite3Exception);
    EXPECT_EQ(Count("select count(*) from music;"), 1);
}

TEST_F(Songs, RatingRange)
{
    const struct {
        const char* rate;
        bool inRange;
    } cases[] = {{"2", false}, {"3", true}, {"4", true}, {"5", true}, {"6", false}, {"NULL", false}};
    for (const auto& c : cases) {
        Exec(std::string("delete from music where path='/r.mp3'; insert into music (path, rate) values ('/r.mp3',") +
             c.rate + ");");
        EXPECT_EQ(db.IsRateInRange("/r.mp3", 3, 5, 1), c.inRange) << c.rate;
    }
    EXPECT_FALSE(db.IsRateInRange("/none.mp3", 3, 5, 1));
}

TEST_F(Songs, SmallSettersTouchOnlyExistingRows)
{
    db.SetLength("/x.mp3", 100, 1);
    db.SetPitchFloat("/x.mp3", 1.5, 1);
    EXPECT_FALSE(db.HasMusicRow("/x.mp3", 1));

    Exec("insert into music (path, length, pitchfloat) values ('/x.mp3', 1, 0);");
    db.SetLength("/x.mp3", 245, 1);
    db.SetPitchFloat("/x.mp3", -0.25, 1);
    EXPECT_EQ(Row("select length, pitchfloat from music where path='/x.mp3';"),
              (std::vector<std::string>{"245", "-0.25"}));
}

TEST_F(Songs, CommentAndRateFromTheTagsWindow)
{
    db.SetCommentAndRate("/t's.mp3", "48000", "first", 1);
    EXPECT_EQ(Row("select speed, volume, markers, rate, comment, pitchfloat from music where path='/t[\xC2\xA4]s.mp3';"),
              (std::vector<std::string>{"48000", "100", "0", "0", "first", "0.0"}));
    Exec("update music set volume=70 where path='/t[\xC2\xA4]s.mp3';");
    db.SetCommentAndRate("/t's.mp3", "22050", "it's second", 1);
    EXPECT_EQ(Row("select speed, volume, comment from music where path='/t[\xC2\xA4]s.mp3';"),
              (std::vector<std::string>{"48000", "70", "it[\xC2\xA4]s second"}));
    EXPECT_THROW(db.SetCommentAndRate("/new.mp3", "", "c", 1), CppSQLite3Exception); // no sample rate
}

TEST_F(Songs, ImportLoopRowOnlyForNewPaths)
{
    db.ImportLoopRow("/l.mp3", "", "", "", "", "", "", "", "", "", "", "", 1);
    EXPECT_EQ(Row("select speed, pitch, tempo, volume, loopset, markers, length, comment, eq4, keytime from music "
                  "where path='/l.mp3';"),
              (std::vector<std::string>{"44100", "0", "0.0", "100", "0.0", "", "0", "", "0", "0.0"}));
    db.ImportLoopRow("/l.mp3", "22050", "3", "4", "50", "1", "2", "1:00;", "5", "1", "2", "3", 1);
    EXPECT_EQ(Row("select speed, markers from music where path='/l.mp3';"),
              (std::vector<std::string>{"44100", ""}));
    EXPECT_EQ(Count("select count(*) from music;"), 2);
}

TEST_F(Songs, GetAllMusicHoldsThePlaceholderRow)
{
    SetPlayer();
    db.SaveSongSettings("/a.mp3", 1);
    CppSQLite3Table t = db.GetAllMusic(1);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.FieldCount(), 25);
}

} // namespace
