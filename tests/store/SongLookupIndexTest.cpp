#include "SongDataFixture.h"

namespace {

using storetest::SongData;

class SongLookups : public SongData {
protected:
    // SQLite's plan for a statement, its detail lines joined.
    std::string Plan(const std::string& sql)
    {
        CppSQLite3DB conn;
        Open(conn);
        CppSQLite3Table t = conn.GetTable("EXPLAIN QUERY PLAN " + sql);
        std::string plan;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            plan += std::string(t.FieldTextOr(t.FieldCount() - 1, "")) + "\n";
        }
        return plan;
    }
};

// The lookups a song list makes for each of its rows, as the store writes them.
const struct {
    const char* sql;
    const char* index;
} kLookups[] = {
    {"SELECT rate FROM music WHERE path='/m/a.mp3';", "idx_music"},
    {"SELECT comment FROM music WHERE path='/m/a.mp3';", "idx_music"},
    {"SELECT date, time FROM track WHERE fullpath = '/m/a.mp3' AND name = 'Club' ORDER BY date DESC, time DESC "
     "LIMIT 1;",
     "idx_track_fullpath"},
    {"SELECT count(*) FROM track WHERE fullpath = '/m/a.mp3';", "idx_track_fullpath"},
    {"SELECT * FROM track WHERE path='Title' AND name LIKE '%plus%';", "idx_track_path"},
    {"SELECT * FROM markext2 WHERE path='/m/a.mp3' and playlist='/l.m3u';", "idx_markext2"},
    {"SELECT * FROM markext3 WHERE path='/m/a.mp3';", "idx_markext3"},
    {"SELECT * FROM flag WHERE path='/m/a.mp3';", "idx_flag"},
    {"SELECT * FROM marry WHERE path='/m/a.mp3';", "idx_marry"},
    {"SELECT comment FROM musicmarkers WHERE path='/m/a.mp3' and mark=65;", "idx_musicmarkers"},
};

TEST_F(SongLookups, EachLookupByPathUsesAnIndex)
{
    for (const auto& l : kLookups)
        EXPECT_NE(Plan(l.sql).find(l.index), std::string::npos) << l.sql << "\n" << Plan(l.sql);
}

TEST_F(SongLookups, AnOlderFileGainsTheIndexesAtStartWithItsRowsUnchanged)
{
    for (const char* index : {"idx_track_fullpath", "idx_track_path", "idx_markext1", "idx_markext2",
                              "idx_markext3", "idx_flag", "idx_musicmarkers"})
        Exec(std::string("drop index ") + index + ";");
    Exec("insert into track values ('2024-05-08','19:40','T','D',1,'/m/a.mp3',3);"
         "insert into flag values ('/m/a.mp3','2');");
    db.CreateSchema();
    for (const auto& l : kLookups)
        EXPECT_NE(Plan(l.sql).find(l.index), std::string::npos) << l.sql;
    EXPECT_EQ(db.GetLastTrackDate("/m/a.mp3", "D", 1), "2024-05-08, 19:40");
    EXPECT_EQ(db.GetFlag("/m/a.mp3", 1), 2);

    // A second start finds them there; a table reset brings its index back.
    db.CreateSchema();
    db.ResetTrack();
    EXPECT_NE(Plan(kLookups[2].sql).find("idx_track_fullpath"), std::string::npos);
}

} // namespace
