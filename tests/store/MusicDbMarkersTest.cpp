#include "SongDataFixture.h"

#include <sqlite3.h>

namespace {

using storetest::SongData;

using Markers = SongData;

TEST_F(Markers, CommentsByPathAndPosition)
{
    EXPECT_EQ(db.GetMarkerComment("/a.mp3", "65", 1), "");
    db.SetMarkerComment("/a.mp3", "65", "first", 1);
    db.SetMarkerComment("/a.mp3", "65", "Bob's\n\"turn\"", 1);
    db.SetMarkerComment("/b.mp3", "65", "other song", 1);
    EXPECT_EQ(Count("select count(*) from musicmarkers where path='/a.mp3';"), 1);
    EXPECT_EQ(Row("select comment from musicmarkers where path='/a.mp3';")[0],
              "Bob[\xC2\xA4]s[$][\xC2\xA3]turn[\xC2\xA3]");
    EXPECT_EQ(db.GetMarkerComment("/a.mp3", "65", 1), "Bob's\n\"turn\"");
    EXPECT_EQ(db.GetMarkerComment("/b.mp3", "65", 1), "other song");
    EXPECT_EQ(db.GetMarkerComment("/a.mp3", "66", 1), "");

    db.BeginBatch();
    db.SetMarkerComment("/it's.mp3", "5", "x", 0);
    db.SetMarkerComment("/it's.mp3", "125", "y", 0);
    db.CommitBatch();
    db.DeleteMarkerComments("/it's.mp3", 1);
    db.DeleteMarkerComments("/none.mp3", 1);
    EXPECT_EQ(Count("select count(*) from musicmarkers;"), 2);
}

TEST_F(Markers, APositionThatIsNoNumberIsRefused)
{
    for (const char* mark : {"", "1:05", "5 or 1=1", "5; delete from musicmarkers"}) {
        try {
            db.SetMarkerComment("/a.mp3", mark, "c", 1);
            ADD_FAILURE() << mark;
        } catch (const CppSQLite3Exception& e) {
            EXPECT_EQ(e.ErrorCode(), SQLITE_MISMATCH) << mark;
        }
        EXPECT_THROW(db.GetMarkerComment("/a.mp3", mark, 1), CppSQLite3Exception) << mark;
    }
    EXPECT_EQ(Count("select count(*) from musicmarkers;"), 0);
}

using Marks = SongData;

TEST_F(Marks, OneMarkPerPathAndPlaylist)
{
    db.AddMark(2, "/a.mp3", 4, "/lists/one.m3u", 1);
    db.AddMark(2, "/a.mp3", 9, "/lists/one.m3u", 1);
    db.AddMark(2, "/a.mp3", 4, "/lists/two.m3u", 1);
    EXPECT_EQ(Count("select count(*) from markext2;"), 2);
    EXPECT_EQ(Row("select * from markext2;"), (std::vector<std::string>{"/a.mp3", "4", "/lists/one.m3u"}));
    db.AddMark(7, "/b.mp3", 0, "", 1); // beyond list 2 the marks go to list 3
    EXPECT_EQ(Count("select count(*) from markext3;"), 1);
}

TEST_F(Marks, MarkedUnderItsPlaylistOrAnywhere)
{
    db.AddMark(1, "/m/it's.mp3", 1, "/lists/Bob's.m3u", 1);
    const struct {
        const char* path;
        int usePlaylist;
        const char* playlist;
        bool marked;
    } cases[] = {
        {"/m/it's.mp3", 1, "/lists/Bob's.m3u", true}, {"/m/it's.mp3", 1, "/lists/other.m3u", false},
        {"/m/it's.mp3", 0, "/lists/other.m3u", true}, {"/m/It's.mp3", 0, "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.IsMarked(c.path, 1, c.usePlaylist, c.playlist, 1), c.marked) << c.path << c.playlist;
    EXPECT_FALSE(db.IsMarked("/m/it's.mp3", 2, 0, "", 1));
    EXPECT_THROW(db.IsMarked("/m/it's.mp3", 4, 0, "", 1), CppSQLite3Exception); // there is no list 4
}

TEST_F(Marks, DeleteByPathPlaylistOrAll)
{
    const struct {
        const char* path;
        int usePlaylist;
        const char* playlist;
        int left; // of the four marks of list 1
    } cases[] = {
        {"/a.mp3", 1, "one", 3},
        {"/a.mp3", 0, "", 2},
        {"", 1, "one", 2},
        {"", 0, "one", 0},
    };
    for (const auto& c : cases) {
        Exec("delete from markext1; delete from markext3;");
        for (const char* sql : {"('/a.mp3',0,'one')", "('/a.mp3',0,'two')", "('/b.mp3',0,'one')", "('/b.mp3',0,'two')"})
            Exec(std::string("insert into markext1 values ") + sql + "; insert into markext3 values " + sql + ";");
        db.DeleteMarks(1, c.path, c.usePlaylist, c.playlist, 1);
        EXPECT_EQ(Count("select count(*) from markext1;"), c.left) << c.path << c.usePlaylist;
        EXPECT_EQ(Count("select count(*) from markext3;"), 4) << "another list is left alone";
    }
}

} // namespace
