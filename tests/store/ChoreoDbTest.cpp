// CChoreoDb: the tables of choreo.db and the operations on one entry.
#include "store/ChoreoDb.h"

#include "ImportFixture.h"

namespace {

using storetest::kApos;
using storetest::kQuote;
using storetest::Rows;

std::string ref(const std::string& table, const std::string& name)
{
    return "[choreotable]" + table + "[choreoname]" + name + "[choreotype][choreocall]";
}

class Choreo : public storetest::DbFolder {
protected:
    Choreo() : DbFolder("choreo.db") {}
    void SetUp() override { ASSERT_EQ(db.Open(), 1); }
    CChoreoDb db;
};

TEST_F(Choreo, OpenCreatesTheElevenTablesOnceAndKeepsTheirRows)
{
    EXPECT_EQ(Col("select name from sqlite_master where type='table' order by rowid;"),
              (std::vector<std::string>{"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4", "any"}));
    EXPECT_EQ(Query("PRAGMA table_info(any);").size(), 3u);
    Run("insert into c4 values('x','','y');");
    EXPECT_EQ(db.Open(), 1);
    EXPECT_EQ(Col("select name from c4;"), std::vector<std::string>{"x"});
    EXPECT_EQ(Col("select count(*) from sqlite_master;"), std::vector<std::string>{"11"});
}

TEST_F(Choreo, NamesAreStoredInLowerCaseAndFoundInAnyCase)
{
    db.SaveEntry("basic", "Start_1", "Easy", "Heads Square Thru", 0, 1);
    EXPECT_EQ(Query("select * from basic;"), (Rows{{"start_1", "easy", "Heads Square Thru"}}));
    EXPECT_EQ(db.GetEntryValue(ref("basic", "Start_1"), 1), "Heads Square Thru");
    EXPECT_EQ(db.GetEntryType(ref("BASIC", "START_1"), 1), "easy");
    // The name is compared as it is stored, so a mixed-case name is found ...
    EXPECT_TRUE(db.HasEntry("basic", "Start_1", 1));
    EXPECT_TRUE(db.HasEntry("basic", "START_1", 1));
    EXPECT_FALSE(db.HasEntry("main", "Start_1", 1));
    // ... and a save without overwrite of it changes nothing.
    db.SaveEntry("basic", "START_1", "hard", "other", 0, 1);
    EXPECT_EQ(Query("select * from basic;"), (Rows{{"start_1", "easy", "Heads Square Thru"}}));
}

TEST_F(Choreo, ASecondSaveReplacesOnlyWithOverwrite)
{
    const struct {
        int overwrite;
        Rows expected;
    } cases[] = {
        {0, {{"f", "easy", "one"}}},
        {1, {{"f", "hard", "two"}}},
    };
    for (const auto& c : cases) {
        Run("delete from plus;");
        db.SaveEntry("plus", "f", "easy", "one", 0, 1);
        db.SaveEntry("plus", "f", "hard", "two", c.overwrite, 1);
        EXPECT_EQ(Query("select * from plus;"), c.expected) << c.overwrite;
    }
}

TEST_F(Choreo, QuotesAndLineBreaksAreStoredEscapedAndComeBackUnchanged)
{
    const std::string value = "Girl's \"turn\"\nthen 'home'";
    db.SaveEntry("main", "O'Neil \"1\"", "it's", value, 1, 1);
    const std::string storedName = "o" + kApos + "neil " + kQuote + "1" + kQuote;
    EXPECT_EQ(Query("select * from main;"),
              (Rows{{storedName, "it" + kApos + "s",
                     "Girl" + kApos + "s " + kQuote + "turn" + kQuote + "[$]then " + kApos + "home" + kApos}}));
    // References carry the stored form; one typed with the quotes finds the entry as well.
    EXPECT_EQ(db.GetEntryValue(ref("main", storedName), 1), value);
    EXPECT_EQ(db.GetEntryValue(ref("main", "o'neil \"1\""), 1), value);
    EXPECT_EQ(db.GetEntryType(ref("main", storedName), 1), "it's");
    EXPECT_TRUE(db.HasEntry("main", "O'NEIL \"1\"", 1));
    db.DeleteEntry("main", "O'Neil \"1\"", 1);
    EXPECT_TRUE(Query("select * from main;").empty());
}

TEST_F(Choreo, TextsThatWouldBreakAStatementAreStoredAndFoundAsTyped)
{
    const std::string name = "x'); drop table plus; -- ?1 :a";
    const std::string value = "50% of ? then '||'";
    db.SaveEntry("plus", name, "it's", value, 0, 1);
    EXPECT_TRUE(db.HasEntry("plus", name, 1));
    const std::string stored = "x" + kApos + "); drop table plus; -- ?1 :a";
    EXPECT_EQ(Col("select name from plus;"), std::vector<std::string>{stored});
    EXPECT_EQ(db.GetEntryValue(ref("plus", stored), 1), value);
    EXPECT_EQ(db.Search("[choreotable]plus[choreoname]drop table plus[choreotype]it's[choreocall]'||'", 1).RowCount(), 1);
    db.SetEntryType("plus", name, "a'b", 1, 1);
    EXPECT_EQ(db.GetEntryType(ref("plus", stored), 1), "it's, a'b");
    db.SaveEntry("plus", name, "", "new 'text'", 1, 1);
    EXPECT_EQ(db.GetEntryValue(ref("plus", name), 1), "new 'text'");
    db.DeleteEntry("plus", name, 1);
    EXPECT_EQ(Col("select count(*) from sqlite_master;"), std::vector<std::string>{"11"});
    EXPECT_TRUE(Query("select * from plus;").empty());
}

// Rows written earlier in the stored form are read, found, replaced and deleted by the names as typed.
TEST_F(Choreo, RowsStoredEarlierKeepWorking)
{
    Run("insert into a1 values('o" + kApos + "hara', 'hard', 'Swing" + kApos + "s[$]end');");
    EXPECT_TRUE(db.HasEntry("a1", "O'Hara", 1));
    EXPECT_EQ(db.GetEntryValue(ref("a1", "o'hara"), 1), "Swing's\nend");
    EXPECT_EQ(db.Search("[choreotable]a1[choreoname]o'h[choreotype]hard[choreocall]swing's", 1).RowCount(), 1);
    db.SaveEntry("a1", "O'Hara", "easy", "x", 1, 1);
    EXPECT_EQ(Query("select * from a1;"), (Rows{{"o" + kApos + "hara", "easy", "x"}}));
    db.DeleteEntry("a1", "O'HARA", 1);
    EXPECT_TRUE(Query("select * from a1;").empty());
}

TEST_F(Choreo, SetEntryTypeReplacesOrAppendsAndNeverInserts)
{
    const struct {
        const char* stored;
        int append;
        const char* type;
        const char* expected;
    } cases[] = {
        {"", 1, "Hard", ", hard"},
        {"easy", 1, "hard", "easy, hard"},
        {"easy", 0, "Extreme", "extreme"},
        {"it" "[\xC2\xA4]" "s", 1, "x'y", "it" "[\xC2\xA4]" "s, x" "[\xC2\xA4]" "y"},
    };
    for (const auto& c : cases) {
        Run("delete from c1;");
        Run(std::string("insert into c1 values('f','") + c.stored + "','v');");
        db.SetEntryType("c1", "F", c.type, c.append, 1);
        EXPECT_EQ(Col("select typ from c1;"), std::vector<std::string>{c.expected}) << c.stored << c.type;
    }
    db.SetEntryType("c1", "missing", "hard", 1, 1);
    EXPECT_EQ(Col("select name from c1;"), std::vector<std::string>{"f"});
}

TEST_F(Choreo, MissingEntriesAnswerEmptyTexts)
{
    EXPECT_EQ(db.GetEntryValue(ref("basic", "nothing"), 1), "");
    EXPECT_EQ(db.GetEntryType(ref("basic", "nothing"), 1), "");
    EXPECT_EQ(db.GetEntryValue("C:/lists/start.txt", 1), "");
    db.DeleteEntry("basic", "nothing", 1); // no error
}

TEST_F(Choreo, OnlyTheElevenTablesReachAStatement)
{
    db.SaveEntry("basic", "a", "", "v", 0, 1);
    const std::string bad = "basic where 1; drop table main; --";
    for (const std::string& table : {bad, std::string("nosuch"), std::string("BASIC"), std::string("")}) {
        EXPECT_THROW(db.SaveEntry(table, "a", "", "v", 1, 1), CppSQLite3Exception) << table;
        EXPECT_THROW(db.DeleteEntry(table, "a", 1), CppSQLite3Exception) << table;
        EXPECT_THROW(db.SetEntryType(table, "a", "x", 0, 1), CppSQLite3Exception) << table;
        EXPECT_FALSE(db.HasEntry(table, "a", 1)) << table;
    }
    for (const std::string& table : {bad, std::string("nosuch"), std::string("")})
        EXPECT_EQ(db.GetEntryValue(ref(table, "a"), 1), "") << table;
    EXPECT_EQ(db.GetEntryValue(ref("BASIC", "a"), 1), "v"); // a reference's table is read in lower case
    EXPECT_EQ(Col("select count(*) from sqlite_master;"), std::vector<std::string>{"11"});
    EXPECT_EQ(Query("select * from basic;"), (Rows{{"a", "", "v"}}));
}

TEST_F(Choreo, NamePrefixIsTheTextBeforeTheFirstUnderscore)
{
    const struct {
        const char* name;
        const char* prefix;
    } cases[] = {{"b_figure_2", "b"}, {"figure", ""}, {"_x", ""}, {"c3a_", "c3a"}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CChoreoDb::NamePrefix(c.name), c.prefix) << c.name;
}

TEST_F(Choreo, BatchWritesLandTogetherAtTheCommit)
{
    EXPECT_THROW(db.SaveEntry("basic", "a", "", "v", 0, 0), CppSQLite3Exception); // no batch open
    db.BeginBatch();
    db.SaveEntry("basic", "a", "", "1", 0, 0);
    db.SaveEntry("basic", "b", "", "2", 0, 0);
    EXPECT_TRUE(db.HasEntry("basic", "a", 0));
    EXPECT_FALSE(db.HasEntry("basic", "a", 1)); // a private read sees the committed state
    db.CommitBatch();
    EXPECT_EQ(Col("select name from basic order by name;"), (std::vector<std::string>{"a", "b"}));
}

} // namespace
