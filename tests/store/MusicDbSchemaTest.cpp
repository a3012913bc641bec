#include "store/MusicDb.h"

#include "StoreFixture.h"

#include <filesystem>

namespace {

using storetest::DataFolder;

const char* const kAllTables[] = {"music", "markext1", "markext2", "markext3", "flag",  "eq",    "memory",     "marry",
                                  "ini",   "stylesheet", "hotkeys", "temp",   "track", "queuedfiles", "musicmarkers"};

class Schema : public DataFolder {
protected:
    int Columns(const std::string& table) { return Count("select count(*) from pragma_table_info('" + table + "');"); }
    bool Has(const std::string& type, const std::string& name)
    {
        return Count("select count(*) from sqlite_master where type='" + type + "' and name='" + name + "';") == 1;
    }
    CMusicDb db;
};

TEST_F(Schema, NewFolderStartsCompleteAtTheCurrentVersion)
{
    ASSERT_TRUE(db.Init());
    for (const char* table : kAllTables)
        EXPECT_TRUE(Has("table", table)) << table;
    EXPECT_TRUE(Has("index", "idx_music"));
    EXPECT_TRUE(Has("index", "idx_marry"));
    EXPECT_TRUE(Has("index", "idx_ini"));
    EXPECT_EQ(Columns("music"), 25);
    EXPECT_EQ(Columns("track"), 7);
    EXPECT_EQ(Column("select path from music;"), std::vector<std::string>{"dummydb"});

    EXPECT_EQ(db.GetSetting("system - version", 1), "92207");
    EXPECT_EQ(db.GetVersionText(), "9.22.07");
    EXPECT_EQ(db.GetModifiedText().size(), 19u);
    // A new database is a first run.
    EXPECT_TRUE(db.GetSettingBool("system - setup", 1));
    // Settings of the first and the last step are there.
    EXPECT_EQ(db.GetSetting("music - timervisible", 1), "false");
    EXPECT_EQ(db.GetSetting("general - focus", 1), "false");
    EXPECT_EQ(db.GetSetting("lyrics - latestdir", 1), dir.str() + "/text");
    // The start rows of style sheet and hotkeys, and rows for the first run's default paths.
    EXPECT_EQ(Count("select count(*) from stylesheet;"), 57);
    EXPECT_EQ(Count("select count(*) from hotkeys;"), 28);
    EXPECT_EQ(db.GetHotkey("a", 1), 20);
    EXPECT_EQ(Count("select count(*) from ini where name='music - dirpath1';"), 1);

    // A second start runs no step and changes nothing.
    const std::string modified = db.GetModifiedText();
    const int rows = Count("select count(*) from ini;");
    ASSERT_TRUE(db.Init());
    EXPECT_EQ(Count("select count(*) from ini;"), rows);
    EXPECT_EQ(db.GetModifiedText(), modified);
}

TEST_F(Schema, CreateSchemaTwiceChangesNothing)
{
    db.CreateSchema();
    const auto before = Column("select sql from sqlite_master order by name;");
    const int styles = Count("select count(*) from stylesheet;");
    db.CreateSchema();
    EXPECT_EQ(Column("select sql from sqlite_master order by name;"), before);
    EXPECT_EQ(Count("select count(*) from stylesheet;"), styles);
    EXPECT_EQ(Count("select count(*) from music;"), 1);
}

// music as an older version left it: 24 columns (up to keytime).
const char* const kMusic24 =
    "create table music(path varchar(100),speed int, pitch int, tempo double, volume int, loopset double, "
    "loopstop double, eq1 int, eq2 int, eq3 int, markers varchar(150), rate int, length int, comment "
    "varchar(150), date varchar (20), eq4 int, eq5 int, eq6 int, eq7 int, eq8 int, eq9 int, eq10 int, keypitch "
    "int, keytime double);";

TEST_F(Schema, TwentyFourColumnsGainPitchfloatFromPitch)
{
    Exec(kMusic24);
    Exec("insert into music (path, pitch) values ('a', -3), ('b', 2), ('c', NULL);");
    db.CreateSchema();
    EXPECT_EQ(Columns("music"), 25);
    EXPECT_EQ(Column("select pitchfloat from music order by path;"),
              (std::vector<std::string>{"-3.0", "2.0", "0.0"}));
}

TEST_F(Schema, EmptyTwentyFourColumnTableGainsPitchfloatToo)
{
    // Column checks ask SQLite for the columns, so an empty table is upgraded as well.
    Exec(kMusic24);
    db.CreateSchema();
    EXPECT_EQ(Columns("music"), 25);
}

TEST_F(Schema, FifteenColumnsAreLeftToTheUpgradeChain)
{
    Exec("create table music(path varchar(100),speed int, pitch int, tempo double, volume int, loopset double, "
         "loopstop double, eq1 int, eq2 int, eq3 int, markers varchar(150), rate int, length int, comment "
         "varchar(150), date varchar (20));");
    db.CreateSchema();
    EXPECT_EQ(Columns("music"), 15);
}

TEST_F(Schema, OldMarkTablesMoveIntoTheCurrentOnes)
{
    Exec("create table mark2(path varchar(75));");
    Exec("insert into mark2 values ('a'), ('a'), ('b'), ('it''s');");
    db.CreateSchema();
    EXPECT_FALSE(Has("table", "mark2"));
    EXPECT_EQ(Column("select path || '|' || row || '|' || playlist from markext2 order by path;"),
              (std::vector<std::string>{"a|0|", "b|0|", "it's|0|"}));
    EXPECT_EQ(Count("select count(*) from markext1;"), 0);
}

TEST_F(Schema, TabletDatabaseIsMadeAfresh)
{
    CppSQLite3DB old;
    Open(old, "mirtaltablet.db");
    old.Execute("create table music(path varchar(100)); insert into music values ('x');");
    old.Close();

    db.CreateTabletDb();
    CppSQLite3DB tablet;
    Open(tablet, "mirtaltablet.db");
    EXPECT_EQ(tablet.QueryScalar("select count(*) from music;"), 0);
    EXPECT_EQ(tablet.QueryScalar("select count(*) from pragma_table_info('music');"), 7);
    EXPECT_EQ(tablet.QueryScalar("select count(*) from sqlite_master where name='idx_music';"), 1);
}

TEST_F(Schema, FileWithSettingsButNoTablesIsCompleted)
{
    // An older file: settings at an early version, no style sheet, old music and track tables.
    Exec("create table ini(name varchar(75), value varchar(75));");
    Exec("insert into ini values ('system - version', '90101');");
    Exec("create table music(path varchar(100),speed int, pitch int, tempo double, volume int, loopset double, "
         "loopstop double, eq1 int, eq2 int, eq3 int, markers varchar(150), rate int, length int, comment "
         "varchar(150), date varchar (20));");
    Exec("insert into music (path, pitch) values ('C:\\a.mp3', 4);");
    Exec("create table track(date varchar(50), time varchar(50),path varchar(75), name varchar(50), list "
         "varchar(10), fullpath varchar(100));");
    ASSERT_TRUE(db.Init());
    EXPECT_EQ(Columns("music"), 25);
    EXPECT_EQ(Columns("track"), 7);
    EXPECT_EQ(Column("select pitchfloat from music where path='C:\\a.mp3';"), std::vector<std::string>{"4.0"});
    EXPECT_EQ(db.GetSetting("system - version", 1), "92207");
    EXPECT_FALSE(db.GetSettingBool("system - setup", 1)); // not a new database
    EXPECT_EQ(db.GetStyle("titlefontweight", 1), "Bold");
}

} // namespace
