// The importers of an older version's database file, each old file made from SQL text.
#include "ImportFixture.h"

namespace importtest {
namespace {

using Rows = std::vector<std::string>;

const char* const kMusic15 =
    "CREATE TABLE music (path text, speed int, pitch int, tempo double, volume int, loopset double, "
    "loopstop double, eq1 int, eq2 int, eq3 int, markers text, rate int, length int, comment text, date text);";
const char* const kMusic24Extra =
    ", eq4 int, eq5 int, eq6 int, eq7 int, eq8 int, eq9 int, eq10 int, keypitch int, keytime double";

std::string music(const std::string& extra) { return std::string(kMusic15).insert(std::string(kMusic15).size() - 2, extra); }

TEST_F(ImportTest, OldMusicTablesOfEachLayout)
{
    const std::string values15 = "'/m/a.mp3',44100,1,2.5,90,1.5,9.5,1,2,3,'01:00;',4,200,'it[¤]s','2001-01-01'";
    const std::string p15 = oldDb(std::string(kMusic15) + "insert into music values (" + values15 + ");", "m15.db");
    const std::string p24 = oldDb(music(kMusic24Extra) + "insert into music values ('/m/b.mp3',48000,0,0,100,0,0,0,0,0,"
                                                         "'',0,0,'','x',4,5,6,7,8,9,10,-2,3.5);",
                                  "m24.db");
    const std::string p25 = oldDb(music(std::string(kMusic24Extra) + ", pitchfloat double") +
                                      "insert into music values ('/m/c.mp3',48000,0,0,100,0,0,0,0,0,"
                                      "'',0,0,'','x',0,0,0,0,0,0,0,1,2.0,-1.5);",
                                  "m25.db");
    const std::string p20 = oldDb(music(", eq4 int, eq5 int, eq6 int, eq7 int, eq8 int") +
                                      "insert into music values ('/m/d.mp3',1,0,0,100,0,0,0,0,0,'',0,0,'','x',0,0,0,0,0);",
                                  "m20.db");
    for (const std::string& p : {p15, p24, p25, p20})
        EXPECT_TRUE(worker.ImportMusicFromDb(p));
    EXPECT_EQ(rows("SELECT path,speed,pitch,tempo,volume,loopset,loopstop,eq1,eq2,eq3,markers,rate,length,comment,"
                   "eq4,eq5,eq6,eq7,eq8,eq9,eq10,keypitch,keytime,pitchfloat FROM music WHERE path<>'dummydb' "
                   "ORDER BY path;"),
              (Rows{"/m/a.mp3|44100|1|2.5|90|1.5|9.5|1|2|3|01:00;|4|200|it[¤]s|0|0|0|0|0|0|0|0|0.0|0.0",
                    "/m/b.mp3|48000|0|0.0|100|0.0|0.0|0|0|0||0|0||4|5|6|7|8|9|10|-2|3.5|0.0",
                    "/m/c.mp3|48000|0|0.0|100|0.0|0.0|0|0|0||0|0||0|0|0|0|0|0|0|1|2.0|-1.5"}));
    EXPECT_EQ(worker.Skipped(), (Rows{"table music: 20 columns, 15 or 24 and more expected"}));
    EXPECT_EQ(boxTexts().size(), 1u);
}

TEST_F(ImportTest, AnOldMusicRowUpdatesTheSongButKeepsItsPitch)
{
    exec("insert into music values ('/m/a.mp3',22050,7,0,50,0,0,0,0,0,'',0,0,'','d',0,0,0,0,0,0,0,0,0,0);");
    const std::string p = oldDb(std::string(kMusic15) +
                                "insert into music values ('/m/a.mp3',44100,1,0,90,0,0,0,0,0,'',5,0,'','x');"
                                "insert into music values ('/m/bad.mp3','',1,0,90,0,0,0,0,0,'',5,0,'','x');"
                                "insert into music values ('/m/worse.mp3',44100,1,'1;x',90,0,0,0,0,0,'',5,0,'','x');");
    EXPECT_TRUE(worker.ImportMusicFromDb(p));
    EXPECT_EQ(rows("SELECT path,speed,pitch,volume,rate FROM music WHERE path<>'dummydb' ORDER BY path;"),
              (Rows{"/m/a.mp3|44100|7|90|5"}));
    EXPECT_EQ(worker.Skipped(), (Rows{"/m/bad.mp3: speed=", "/m/worse.mp3: tempo=1;x"}));
}

TEST_F(ImportTest, OldTrackTablesOfSixAndSevenColumns)
{
    const std::string p6 = oldDb("CREATE TABLE track (date text, time text, path text, name text, list int, fullpath text);"
                                 "insert into track values ('2001-01-01','20:00','Song','Plus',2,'C:\\M\\song.mp3');"
                                 "insert into track values ('2001-01-01','20:05','Nothing','Plus',2,'');"
                                 "insert into track values ('2001-01-01','20:10','Caf\xE9','Plus',1,'C:\\M\\caf\xE9.mp3');",
                                 "t6.db");
    const std::string p7 = oldDb("CREATE TABLE track (date text, time text, path text, name text, list int, "
                                 "fullpath text, level int);"
                                 "insert into track values ('2002-01-01','21:00','Other','Basic',3,'/m/o.mp3',4);"
                                 "insert into track values ('2002-01-01','21:00','Other','Main',3,'/m/o.mp3',4);",
                                 "t7.db");
    EXPECT_TRUE(worker.ImportTrackFromDb(p6));
    EXPECT_TRUE(worker.ImportTrackFromDb(p7));
    EXPECT_EQ(rows("SELECT * FROM track ORDER BY date, time;"),
              (Rows{"2001-01-01|20:00|Song|Plus|2|C:\\M\\song.mp3|0",
                    "2001-01-01|20:10|Café|Plus|1|C:\\M\\café.mp3|0",
                    "2002-01-01|21:00|Other|Basic|3|/m/o.mp3|4"}));
}

TEST_F(ImportTest, TheSmallerTablesOfAnOldDatabase)
{
    const std::string p = oldDb(
        "CREATE TABLE markext1 (path text, row int, playlist text);"
        "insert into markext1 values ('/m/a.mp3', 3, 'one');"
        "insert into markext1 values ('/m/a.mp3', 4, 'two');"
        "insert into markext1 values ('/m/a.mp3', 5, '');"
        "CREATE TABLE markext3 (path text, row int, playlist text);"
        "insert into markext3 values ('/m/c.mp3', 1, '');"
        "CREATE TABLE memory (szpath text); insert into memory values ('remember me');"
        "CREATE TABLE hotkeys (name text, value int);"
        "insert into hotkeys values ('a', 12); insert into hotkeys values ('t', 5);"
        "CREATE TABLE stylesheet (name text, value text); insert into stylesheet values ('mystyle', 'bold');"
        "CREATE TABLE marry (path text, html text); insert into marry values ('/m/a.mp3', '/l/it[¤]s.htm');"
        "CREATE TABLE ini (name text, value text); insert into ini values ('music - fade', '4');");
    // markext2 is missing from the old file: it counts as empty.
    EXPECT_TRUE(worker.ImportMarkedFromDb(p));
    EXPECT_TRUE(worker.ImportMemoryFromDb(p));
    EXPECT_TRUE(worker.ImportHotkeysFromDb(p));
    EXPECT_TRUE(worker.ImportStylesheetFromDb(p));
    EXPECT_TRUE(worker.ImportMarryFromDb(p));
    EXPECT_TRUE(worker.ImportSettingsFromDb(p));
    EXPECT_EQ(rows("SELECT * FROM markext1;"), (Rows{"/m/a.mp3|0|"}));
    EXPECT_TRUE(rows("SELECT * FROM markext2;").empty());
    EXPECT_EQ(rows("SELECT * FROM markext3;"), (Rows{"/m/c.mp3|0|"}));
    EXPECT_EQ(rows("SELECT * FROM memory;"), (Rows{"remember me"}));
    EXPECT_EQ(rows("SELECT value FROM hotkeys WHERE name='a';"), (Rows{"12"}));
    EXPECT_TRUE(rows("SELECT * FROM hotkeys WHERE name='t';").empty()) << "a key the program does not have";
    EXPECT_EQ(rows("SELECT value FROM stylesheet WHERE name='mystyle';"), (Rows{"bold"}));
    CMusicDb db;
    EXPECT_EQ(db.GetMarriage("/m/a.mp3"), "/l/it's.htm");
    EXPECT_EQ(setting("music - fade"), "4");

    // An old file without any of the tables imports nothing and fails nowhere.
    const std::string empty = oldDb("CREATE TABLE other (x int);", "empty.db");
    for (auto step : {&CImportOldWorker::ImportMarkedFromDb, &CImportOldWorker::ImportMemoryFromDb,
                      &CImportOldWorker::ImportTrackFromDb, &CImportOldWorker::ImportHotkeysFromDb,
                      &CImportOldWorker::ImportStylesheetFromDb, &CImportOldWorker::ImportMarryFromDb,
                      &CImportOldWorker::ImportSettingsFromDb, &CImportOldWorker::ImportMusicFromDb})
        EXPECT_TRUE((worker.*step)(empty));
    EXPECT_TRUE(worker.Skipped().empty());
}

TEST_F(ImportTest, AnOldDatabaseThatIsNotThereIsAnErrorAndNothingIsCreated)
{
    const std::string missing = dir.file("gone/old.db");
    const std::string plain = oldFile("plain.db", "no database at all, just text that is long enough to be read");
    for (const std::string& p : {missing, plain}) {
        try {
            worker.ImportMarkedFromDb(p);
            ADD_FAILURE() << p << " was taken";
        } catch (const CppSQLite3Exception& e) {
            EXPECT_NE(e.ErrorCode(), 0);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone")));
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(testsupport::readFile(plain), "no database at all, just text that is long enough to be read");
    // The worker's connection is free again: the next step runs.
    EXPECT_TRUE(worker.ImportMemoryFile(oldFile("MirtalMem.txt", "x\r\n")));
}

TEST_F(ImportTest, TheNextStartAfterAnImportUpgradesCleanly)
{
    const std::string p = oldDb("CREATE TABLE ini (name text, value text);"
                                "insert into ini values ('system - version', '90201');"
                                "insert into ini values ('music - fade', '4');");
    EXPECT_TRUE(worker.ImportSettingsFromDb(p));
    EXPECT_EQ(setting("system - version"), "90201");
    CMusicDb db;
    EXPECT_NO_THROW(db.Init());
    EXPECT_EQ(setting("system - version"), std::to_string(CMusicDb::kSettingsVersion));
    EXPECT_EQ(setting("music - fade"), "4");
    EXPECT_EQ(setting("music - fastforwardrewind"), "5") << "a step newer than the old version ran again";
}

} // namespace
} // namespace importtest
