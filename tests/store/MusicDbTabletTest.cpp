#include "SongDataFixture.h"

namespace {

using storetest::SongData;

class Tablet : public SongData {
protected:
    void SetUp() override
    {
        Exec("insert into music (path, speed, pitch, tempo, loopset, loopstop) values "
             "('C:\\Music\\ABC 123 - Song.mp3', 44100, -1, 4.75, 10.5, 20.25),"
             "('/home/caller/music/Bob[\xC2\xA4]s tune.mp3', 48000, 2, -4.75, 0, 0),"
             "('/home/caller/music/no speed.mp3', NULL, NULL, NULL, NULL, NULL),"
             "('/home/caller/music/odd.mp3', 'fast', 0, 'x', '1,5', 0);");
    }
    // Every row of the tablet file: path, speed, pitch, tempo, loopset, loopstop, marry.
    std::vector<std::vector<std::string>> TabletRows()
    {
        CppSQLite3DB conn;
        Open(conn, "mirtaltablet.db");
        CppSQLite3Table t = conn.GetTable("select * from music;");
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            std::vector<std::string> row;
            for (int i = 0; i < t.FieldCount(); ++i)
                row.push_back(t.FieldTextOr(i, "<null>"));
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(Tablet, EveryRowGoesOverWithItsFileNameInTheTabletFolder)
{
    const int before = Count("select count(*) from music;");
    db.WriteTabletDatabase("/sdcard/Music");
    const std::vector<std::vector<std::string>> expected = {
        {"/sdcard/Music/dummydb", "0", "0", "0", "0.0", "0.0", ""},
        {"/sdcard/Music/ABC 123 - Song.mp3", "44100", "-1", "4", "10.5", "20.25", ""},
        {"/sdcard/Music/Bob[\xC2\xA4]s tune.mp3", "48000", "2", "-4", "0.0", "0.0", ""},
        // A NULL stays NULL instead of stopping the export half-way.
        {"/sdcard/Music/no speed.mp3", "<null>", "<null>", "0", "<null>", "<null>", ""},
        // A text where a number belongs goes over as the text it is.
        {"/sdcard/Music/odd.mp3", "fast", "0", "0", "1,5", "0.0", ""},
    };
    EXPECT_EQ(TabletRows(), expected);
    EXPECT_EQ(Count("select count(*) from music;"), before); // mirtal.db is only read

    // Written twice: the file is made afresh, so no row is there twice.
    db.WriteTabletDatabase("/sdcard/Music");
    EXPECT_EQ(TabletRows(), expected);
}

TEST_F(Tablet, TheTabletFolder)
{
    const struct {
        const char* folder;
        const char* firstPath;
    } cases[] = {
        {"/sdcard/Music/", "/sdcard/Music/dummydb"},
        {"D:\\Tablet\\", "D:\\Tablet\\dummydb"},
        {"", "/dummydb"},
        // Typed by the user: stored in escaped form like the file names, never part of the SQL.
        {"/sd/Bob's'); drop table music; --", "/sd/Bob[\xC2\xA4]s[\xC2\xA4]); drop table music; --/dummydb"},
    };
    for (const auto& c : cases) {
        db.WriteTabletDatabase(c.folder);
        const auto rows = TabletRows();
        ASSERT_EQ(rows.size(), 5u) << c.folder;
        EXPECT_EQ(rows[0][0], c.firstPath);
    }
}

} // namespace
