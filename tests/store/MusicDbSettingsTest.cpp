#include "store/MusicDb.h"

#include "StoreFixture.h"

namespace {

using storetest::DataFolder;

class Settings : public DataFolder {
protected:
    void SetUp() override { db.CreateSchema(); }
    CMusicDb db;
};

TEST_F(Settings, TextRoundTripsInItsStoredForm)
{
    const struct {
        std::string value;
        std::string stored;
    } cases[] = {
        {"it's", "it[\xC2\xA4]s"},
        {"say \"hi\"", "say [\xC2\xA3]hi[\xC2\xA3]"},
        {"two\nlines", "two[$]lines"},
        {"C:\\Music\\it's \"x\"\n", "C:\\Music\\it[\xC2\xA4]s [\xC2\xA3]x[\xC2\xA3][$]"},
        {"x'); drop table ini; --", "x[\xC2\xA4]); drop table ini; --"},
        {"", ""},
    };
    for (const auto& c : cases) {
        db.SetSetting("lyrics - latestdir", c.value, 1);
        EXPECT_EQ(db.GetSetting("lyrics - latestdir", 1), c.value);
        EXPECT_EQ(Column("select value from ini where name='lyrics - latestdir';"),
                  std::vector<std::string>{c.stored});
    }
    EXPECT_EQ(Count("select count(*) from ini where name='lyrics - latestdir';"), 1);
}

TEST_F(Settings, NamesWithQuotesNeitherBreakNorChangeStatements)
{
    db.SetSetting("music - o'neil", "1", 1);
    db.SetSetting("x' or '1'='1", "2", 1);
    EXPECT_EQ(db.GetSetting("music - o'neil", 1), "1");
    EXPECT_EQ(db.GetSetting("x' or '1'='1", 1), "2");
    EXPECT_EQ(db.GetSetting("music - other", 1), "");
    EXPECT_EQ(Column("select name from ini where value='1';"), std::vector<std::string>{"music - o'neil"});
}

TEST_F(Settings, BooleansAndNumbersReadTheStoredText)
{
    const struct {
        const char* stored;
        bool asBool;
        int asInt;
    } cases[] = {
        {"true", true, 0},   {"True", false, 0}, {"TRUE", false, 0},  {"false", false, 0},
        {"-11", false, -11}, {"12abc", false, 12}, {"  7", false, 7}, {"x[\xC2\xA4]", false, 0},
    };
    for (const auto& c : cases) {
        Exec("delete from ini;");
        Exec(std::string("insert into ini values ('general - x', '") + c.stored + "');");
        EXPECT_EQ(db.GetSettingBool("general - x", 1), c.asBool) << c.stored;
        EXPECT_EQ(db.GetSettingInt("general - x", 1), c.asInt) << c.stored;
    }
    EXPECT_FALSE(db.GetSettingBool("general - missing", 1));
    EXPECT_EQ(db.GetSettingInt("general - missing", 1), 0);
    EXPECT_EQ(Count("select count(*) from ini where name='general - missing';"), 0); // reading creates nothing
}

TEST_F(Settings, SetterUpdatesEveryRowOfTheName)
{
    Exec("insert into ini values ('music - fade', 'a'), ('music - fade', 'b');");
    db.SetSetting("music - fade", "c", 1);
    EXPECT_EQ(Column("select value from ini where name='music - fade';"), (std::vector<std::string>{"c", "c"}));
    // Names are compared exactly.
    db.SetSetting("Music - Fade", "d", 1);
    EXPECT_EQ(db.GetSetting("music - fade", 1), "c");
}

TEST_F(Settings, ABatchWritesAndReadsOnItsOwnConnectionUntilTheCommit)
{
    // One connection runs the same statements many times over, as a start does.
    db.BeginBatch();
    for (int round = 0; round < 3; ++round) {
        db.SetSetting("music - fade", std::to_string(round), 0);
        db.SetSetting("music - o'neil", "it's " + std::to_string(round), 0);
        EXPECT_EQ(db.GetSettingInt("music - fade", 0), round);
        EXPECT_EQ(db.GetSetting("music - o'neil", 0), "it's " + std::to_string(round));
    }
    // The same value again still leaves one row.
    db.SetSetting("music - fade", "2", 0);
    EXPECT_EQ(db.GetSetting("music - missing", 0), "");
    db.CommitBatch();
    EXPECT_EQ(Count("select count(*) from ini where name='music - fade';"), 1);
    EXPECT_EQ(db.GetSetting("music - o'neil", 1), "it's 2");
    // A name or value holding a NUL is stored without it, as before.
    db.SetSetting(std::string("general - a\0b", 13), std::string("x\0y", 3), 1);
    EXPECT_EQ(db.GetSetting("general - ab", 1), "xy");
    // A batch after the first prepares on its new connection.
    db.BeginBatch();
    db.SetSetting("music - fade", "9", 0);
    db.CommitBatch();
    EXPECT_EQ(db.GetSettingInt("music - fade", 1), 9);
}

TEST_F(Settings, MissingIniFailsWithSqliteError)
{
    Exec("drop table ini;");
    try {
        db.GetSetting("music - fade", 1);
        FAIL() << "no exception";
    } catch (const CppSQLite3Exception& e) {
        EXPECT_EQ(e.ErrorMessage().rfind("SQLITE_ERROR[1]: no such table: ini (file \"", 0), 0u) << e.ErrorMessage();
        EXPECT_NE(e.ErrorMessage().find("mirtal.db\")"), std::string::npos) << e.ErrorMessage();
    }
}

TEST_F(Settings, StyleSheetDefaultsAndUpdates)
{
    db.ResetStylesheet();
    EXPECT_EQ(Count("select count(*) from stylesheet;"), 57);
    EXPECT_EQ(Count("select count(*) from sqlite_master where name='idx_stylesheet';"), 1);
    const struct {
        const char* name;
        const char* value;
    } defaults[] = {
        {"titlefontweight", "Bold"}, {"titlefontsize", "6"},        {"labelcolorB", "255"},
        {"headercolorR", "255"},     {"lyricscolorbgG", "192"},     {"textfontname", "Comic Sans MS"},
        {"textcolorbgB", "224"},     {"choreofontname4", "Comic Sans MS"}, {"choreocolorB3", "0"},
        {"csspath", "0"},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(db.GetStyle(d.name, 1), d.value) << d.name;
    EXPECT_EQ(db.GetStyleInt("lyricscolorbgG", 1), 192);
    EXPECT_EQ(db.GetStyle("titlecolorbgR", 1), ""); // title has no background
    EXPECT_EQ(db.GetStyleInt("missing", 1), 0);

    db.SetStyle("newstyle", "1", 1);
    db.SetStyle("titlefontsize", "7", 1);
    EXPECT_EQ(Count("select count(*) from stylesheet;"), 58);
    EXPECT_EQ(db.GetStyle("titlefontsize", 1), "7");
    // A font name with an apostrophe is stored as it is, and no longer breaks the statement.
    db.SetStyle("textfontname", "Jim's Font", 1);
    EXPECT_EQ(db.GetStyle("textfontname", 1), "Jim's Font");

    db.ResetStylesheet();
    EXPECT_EQ(Count("select count(*) from stylesheet;"), 57);
    EXPECT_EQ(db.GetStyle("titlefontsize", 1), "6");
}

TEST_F(Settings, HotkeyDefaultsAndAssignments)
{
    db.ResetHotkeys();
    EXPECT_EQ(Count("select count(*) from hotkeys;"), 28);
    const std::vector<std::string> keys = Column("select name from hotkeys;");
    ASSERT_EQ(keys.size(), 28u);
    const auto& defaults = CMusicDb::DefaultHotkeys();
    for (size_t i = 0; i < defaults.size(); ++i) {
        EXPECT_EQ(keys[i], defaults[i].key);
        EXPECT_EQ(db.GetHotkey(defaults[i].key, 1), defaults[i].function) << defaults[i].key;
    }
    const struct {
        const char* key;
        int function;
    } samples[] = {{"a", 20}, {"g", 0}, {"i", 2}, {"u", 7}, {"dot", 26}, {"minus", 0}, {"t", 0}};
    for (const auto& s : samples)
        EXPECT_EQ(db.GetHotkey(s.key, 1), s.function) << s.key;

    db.SetHotkey("k", 40, 1);
    EXPECT_EQ(db.GetHotkey("k", 1), 40);

    db.ResetHotkeys();
    EXPECT_EQ(Count("select count(*) from hotkeys;"), 28);
    EXPECT_EQ(Count("select count(*) from sqlite_master where name='idx_hotkeys';"), 1);
    EXPECT_EQ(db.GetHotkey("k", 1), 29);
}

TEST_F(Settings, HotkeyAssignmentIsStoredInATableMadeEmpty)
{
    // A hotkeys table an older schema made without rows must still take the options page's choices.
    Exec("delete from hotkeys;");
    db.BeginBatch();
    db.SetHotkey("b", 12, 0);
    db.SetHotkey("comma", 5, 0);
    db.CommitBatch();
    EXPECT_EQ(db.GetHotkey("b", 1), 12);
    EXPECT_EQ(db.GetHotkey("comma", 1), 5);
    db.SetHotkey("b", 13, 1);
    EXPECT_EQ(Count("select count(*) from hotkeys where name='b';"), 1);
    EXPECT_EQ(db.GetHotkey("b", 1), 13);
}

} // namespace
