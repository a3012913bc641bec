#include "store/MusicDb.h"

#include "StoreFixture.h"

namespace {

using storetest::DataFolder;

class Maintenance : public DataFolder {
protected:
    void SetUp() override { db.CreateSchema(); }
    CMusicDb db;
};

TEST_F(Maintenance, VersionTextGetsItsDots)
{
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"92207", "9.22.07"}, {"81003", "8.10.03"}, {"123456", "12.34.56"}, {"", ".."}, {"9", "9.."}};
    for (const auto& c : cases) {
        db.SetSetting("system - version", c.stored, 1);
        EXPECT_EQ(db.GetVersionText(), c.shown) << c.stored;
    }
    db.SetSetting("system - modified", "2024-01-02 03:04:05", 1);
    EXPECT_EQ(db.GetModifiedText(), "2024-01-02 03:04:05");
}

TEST_F(Maintenance, RestoreAllTablesKeepsOnlyTheSettings)
{
    db.SetSetting("music - fade", "5", 1);
    for (const char* sql :
         {"insert into track values ('d','t','p','n','1','/f',1);", "insert into markext2 values ('p',1,'');",
          "insert into memory values ('p');", "insert into queuedfiles values ('n','p','t','l',1,1,1,1);",
          "insert into flag values ('p','1');", "insert into eq values ('e','1','1','1','0','0','0','0','0','0','0');",
          "insert into marry values ('p','h');", "insert into temp values ('s','k','v');",
          "insert into music (path) values ('/a.mp3');", "insert into musicmarkers values ('p',1,'c');",
          "update hotkeys set value=1;", "insert into stylesheet values ('extra','1');"})
        Exec(sql);

    db.RestoreAllTables();
    EXPECT_EQ(db.GetSetting("music - fade", 1), "5");
    for (const char* table : {"track", "markext1", "markext2", "markext3", "memory", "queuedfiles", "flag", "eq",
                              "marry", "temp", "musicmarkers"})
        EXPECT_EQ(Count(std::string("select count(*) from ") + table + ";"), 0) << table;
    EXPECT_EQ(Column("select path from music;"), std::vector<std::string>{"dummydb"});
    EXPECT_EQ(Count("select count(*) from hotkeys;"), 28);
    EXPECT_EQ(db.GetHotkey("a", 1), 20);
    EXPECT_EQ(Count("select count(*) from stylesheet;"), 57);
    EXPECT_EQ(Count("select count(*) from sqlite_master where name='idx_marry';"), 1);
}

TEST_F(Maintenance, SingleResets)
{
    Exec("insert into markext1 values ('a',0,''); insert into markext3 values ('b',0,'');");
    db.ResetMarks();
    EXPECT_EQ(Count("select count(*) from markext1;") + Count("select count(*) from markext3;"), 0);

    Exec("insert into music (path) values ('/a.mp3');");
    db.ResetMusic();
    EXPECT_EQ(Column("select path from music;"), std::vector<std::string>{"dummydb"});

    Exec("drop table temp;");
    db.ResetTemp(); // a missing table is simply created
    EXPECT_EQ(Count("select count(*) from sqlite_master where name='temp';"), 1);
}

TEST_F(Maintenance, ScratchRowsAndSongRowRemoval)
{
    db.BeginBatch();
    db.AddTempRow("Music", "Fade", "5", 0);
    db.AddTempRow("Music", "Fade", "6", 0);
    db.AddTempRow("Lyrics", "Dir", "say \"x\"", 0);
    db.CommitBatch();
    EXPECT_EQ(Count("select count(*) from temp;"), 3);
    EXPECT_EQ(db.GetTempValue("Music", "Fade", 1), "5");
    EXPECT_EQ(db.GetTempValue("Lyrics", "Dir", 1), "say \"x\"");
    EXPECT_EQ(db.GetTempValue("Lyrics", "none", 1), "");
    EXPECT_EQ(db.GetTempValue("it's", "x", 1), "");

    // A single call keeps only the first key of a section.
    db.AddTempRow("Music", "Other", "1", 1);
    db.AddTempRow("Jukebox", "Time", "30", 1);
    EXPECT_EQ(Count("select count(*) from temp;"), 4);

    Exec("insert into music (path) values ('/it[\xC2\xA4]s.mp3'), ('/it[\xC2\xA4]s.mp3'), ('/b.mp3');");
    db.DeleteMusicRow("/it's.mp3", 1);
    db.DeleteMusicRow("/missing.mp3", 1);
    EXPECT_EQ(Column("select path from music order by path;"), (std::vector<std::string>{"/b.mp3", "dummydb"}));
}

TEST_F(Maintenance, DefaultPathsPointIntoTheDataFolder)
{
    for (const char* name : {"music - dirpath1", "general - checkerpath", "0list_c3b - path", "1list_a2 - path",
                             "0list_basic - type", "1list_c4 - path"})
        db.SetSetting(name, "old", 1);

    g_listDefFormatHtml = 0;
    db.SetDefaultPaths(0);
    const std::string f = dir.str() + "/";
    EXPECT_EQ(db.GetSetting("music - dirpath1", 1), "old"); // no force: folders stay
    EXPECT_EQ(db.GetSetting("0list_c3b - path", 1), f + "ListAndDef/C-3B_List.pdf");
    EXPECT_EQ(db.GetSetting("1list_a2 - path", 1), f + "ListAndDef/Advance_Definitions.pdf");
    EXPECT_EQ(db.GetSetting("0list_basic - type", 1), "3");
    EXPECT_EQ(Count("select count(*) from ini where name='1list_c4 - type';"), 0); // missing stays missing

    g_listDefFormatHtml = 1;
    db.SetDefaultPaths(1);
    EXPECT_EQ(db.GetSetting("music - dirpath1", 1), f + "mp3");
    EXPECT_EQ(db.GetSetting("general - checkerpath", 1), f + "sd/sd.exe");
    EXPECT_EQ(db.GetSetting("0list_c3b - path", 1), f + "ListAndDefHtml/c3blist.htm");
    EXPECT_EQ(db.GetSetting("1list_c4 - path", 1), f + "ListAndDefHtml/c4def.htm");
}

TEST_F(Maintenance, DefaultPathsOfAFolderWithAnApostrophe)
{
    const std::filesystem::path odd = dir.path() / "Bob's \"Dance\"";
    std::filesystem::create_directory(odd);
    g_baseFolder = odd.string();
    db.CreateSchema();
    db.SetSetting("music - dirpath1", "", 1);
    db.SetDefaultPaths(1);
    EXPECT_EQ(db.GetSetting("music - dirpath1", 1), odd.string() + "/mp3");
}

TEST_F(Maintenance, DefaultPathsWithoutSettingsTableCreateTheSchemaOnly)
{
    Exec("drop table ini;");
    db.SetDefaultPaths(1);
    EXPECT_EQ(Count("select count(*) from ini;"), 0);
}

class Relocation : public Maintenance {
protected:
    void Fill()
    {
        for (const char* sql : {
                 "insert into ini values ('music - dirpath1', 'C:\\Music');",
                 "insert into ini values ('c1 - playlist2', 'D:\\Lists\\a.m3u');",
                 "insert into ini values ('lyrics - short', 'false');",
                 "insert into ini values ('music - fade', 'C:\\not a path setting');",
                 "insert into music (path) values ('C:\\Music\\a.mp3');",
                 "insert into music (path) values ('/home/me/b.mp3');",
                 "insert into markext2 values ('C:\\Music\\a.mp3', 1, '');",
                 "insert into flag values ('C:\\Music\\a.mp3', '1');",
                 "insert into marry values ('C:\\Music\\a.mp3', '[db]ABC 1');",
                 "insert into marry values ('/home/me/b.mp3', 'C:\\Text\\b.htm');",
                 "insert into memory values ('[choreotable]plus');",
                 "insert into memory values ('C:\\Text\\m.htm');",
                 "insert into track values ('d', 't', 'a', 'n', '1', 'C:\\Music\\a.mp3', 1);",
             })
            Exec(sql);
    }
};

TEST_F(Relocation, DrivePathsMoveToTheDataFoldersDrive)
{
    Fill();
    // A Windows data folder: it cannot be entered here, so the database is found in the working folder.
    testsupport::ScopedCwd inData(dir.path());
    g_baseFolder = "E:\\Dance";
    db.RelocatePaths();
    g_baseFolder = dir.str();

    EXPECT_EQ(db.GetSetting("music - dirpath1", 1), "E:\\Music");
    EXPECT_EQ(db.GetSetting("c1 - playlist2", 1), "E:\\Lists\\a.m3u");
    EXPECT_EQ(db.GetSetting("lyrics - short", 1), "false");
    EXPECT_EQ(db.GetSetting("music - fade", 1), "C:\\not a path setting"); // not a path setting by name
    EXPECT_EQ(Column("select path from music order by path;"),
              (std::vector<std::string>{"/home/me/b.mp3", "E:\\Music\\a.mp3", "dummydb"}));
    EXPECT_EQ(Column("select path from markext2;"), std::vector<std::string>{"E:\\Music\\a.mp3"});
    EXPECT_EQ(Count("select count(*) from markext1;"), 0);
    EXPECT_EQ(Column("select path from flag;"), std::vector<std::string>{"E:\\Music\\a.mp3"});
    EXPECT_EQ(Column("select path || ' ' || html from marry order by path;"),
              (std::vector<std::string>{"/home/me/b.mp3 E:\\Text\\b.htm", "E:\\Music\\a.mp3 [db]ABC 1"}));
    EXPECT_EQ(Column("select szpath from memory order by szpath;"),
              (std::vector<std::string>{"E:\\Text\\m.htm", "[choreotable]plus"}));
    EXPECT_EQ(Column("select fullpath from track;"), std::vector<std::string>{"E:\\Music\\a.mp3"});
    EXPECT_FALSE(db.IsBatchOpen());
}

TEST_F(Relocation, PosixDataFolderMovesNothing)
{
    Fill();
    db.RelocatePaths(); // the data folder is a POSIX path: drive letters mean nothing here
    EXPECT_EQ(db.GetSetting("music - dirpath1", 1), "C:\\Music");
    EXPECT_EQ(Column("select fullpath from track;"), std::vector<std::string>{"C:\\Music\\a.mp3"});
}

} // namespace
