// CChoreoDb::Search: references as pattern searches, own queries, and searches that cannot run.
#include "store/ChoreoDb.h"

#include "ImportFixture.h"
#include "platform/win/MessageBox.h"

namespace {

using storetest::kApos;
using storetest::Rows;

class ChoreoSearch : public storetest::DbFolder {
protected:
    ChoreoSearch() : DbFolder("choreo.db") {}
    void SetUp() override
    {
        db.Create();
        db.SaveEntry("basic", "start_2", "easy", "Heads Square Thru", 0, 1);
        db.SaveEntry("basic", "figure_1", "hard", "Swing Thru", 0, 1);
        db.SaveEntry("basic", "Start_1", "", "Sides Pass Thru", 0, 1);
        db.SaveEntry("basic", "o'neil", "", "it's done", 0, 1);
        db.SaveEntry("c1", "c1_figure_1", "easy, hard", "Swing Thru", 0, 1);
        db.SaveEntry("c1", "c1_figure_2", "easy", "Spin Chain", 0, 1);
        db.SaveEntry("c1", "c1_home", "hard", "x", 0, 1);
        db.SaveEntry("c2", "c2_figure_9", "hard", "y", 0, 1);
    }

    // The names the search answers; its counts must be readable even when it found nothing.
    std::vector<std::string> Found(const std::string& text, int own = 1)
    {
        CppSQLite3Table t = db.Search(text, own);
        std::vector<std::string> names;
        EXPECT_NO_THROW(names.reserve(t.RowCount())) << text;
        for (const auto& row : RowsOf(t))
            names.push_back(row.at(0));
        return names;
    }

    CChoreoDb db;
};

using Names = std::vector<std::string>;

TEST_F(ChoreoSearch, ReferencesSearchOneTableByNameTypeAndText)
{
    const struct {
        std::string text;
        Names expected;
    } cases[] = {
        {"[choreotable]basic[choreoname][choreotype][choreocall]", {"figure_1", "o" + kApos + "neil", "start_1", "start_2"}},
        {"[choreotable]c1[choreoname]figure[choreotype]hard[choreocall]", {"c1_figure_1"}},
        {"[choreotable]c1[choreoname]FIGURE[choreotype][choreocall]", {"c1_figure_1", "c1_figure_2"}},
        {"[choreotable]C1[choreoname][choreotype]HARD", {"c1_figure_1", "c1_home"}},
        {"[choreotable]basic[choreoname]start[choreotype][choreocall]pass", {"start_1"}},
        {"[choreotable]basic[choreoname]start[choreotype][choreocall]PASS THRU", {"start_1"}},
        {"[choreotable]basic[choreoname]start", {"start_1", "start_2"}},
        // A typed apostrophe finds its stored form.
        {"[choreotable]basic[choreoname]o'neil[choreotype][choreocall]", {"o" + kApos + "neil"}},
        {"[choreotable]basic[choreoname][choreotype][choreocall]it's", {"o" + kApos + "neil"}},
        {"[choreotable]basic[choreoname]zzz[choreotype][choreocall]", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Found(c.text), c.expected) << c.text;
    CppSQLite3Table t = db.Search("[choreotable]c1[choreoname]home[choreotype][choreocall]", 1);
    EXPECT_EQ(RowsOf(t), (Rows{{"c1_home", "hard", "x"}}));
}

TEST_F(ChoreoSearch, OwnQueriesRunWhenTheyAreOneSelect)
{
    const struct {
        std::string text;
        Names expected;
    } cases[] = {
        {"sql=SELECT name FROM c1 WHERE typ LIKE '%hard%' UNION SELECT name FROM c2 ORDER BY name;",
         {"c1_figure_1", "c1_home", "c2_figure_9"}},
        {"sql=  select name from basic where name like 'start%' order by name -- first ones\n;;",
         {"start_1", "start_2"}},
        {"sql=/* note */ SELECT 'a;b' AS x, \"y;\" FROM basic LIMIT 1", {"a;b"}},
        {"sql=SELECT '[choreotable]x[choreoname]' AS t", {"[choreotable]x[choreoname]"}},
        // Not the own-query form: a reference without a name tag finds nothing.
        {"SQL=SELECT name FROM c1;", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Found(c.text), c.expected) << c.text;
}

TEST_F(ChoreoSearch, SearchesThatCannotRunFindNothingAndChangeNothing)
{
    const std::string cases[] = {
        "no tags at all",
        "",
        "[choreotable]nosuch[choreoname][choreotype][choreocall]",
        "[choreotable]basic; drop table c1; --[choreoname][choreotype][choreocall]",
        "[choreotable]basic[choreoname]x%'; DROP TABLE c1; --[choreotype][choreocall]",
        "[choreotable]basic[choreoname]x' OR '1'='1[choreotype][choreocall]",
        "sql=SELECT * FROM nosuch",
        "sql=SELEC name FROM basic",
        "sql=DELETE FROM basic",
        "sql=DROP TABLE c2",
        "sql=SELECT name FROM basic; DELETE FROM basic",
        "sql=SELECT name FROM basic;\nDROP TABLE c2;",
        "sql=SELECTname FROM basic",
        "sql=SELECT 'unterminated",
        "sql=SELECT 1 /* open comment",
        "sql=WITH x AS (SELECT 1) DELETE FROM basic",
        "sql=",
    };
    for (const std::string& text : cases)
        EXPECT_EQ(Found(text), Names{}) << text;
    EXPECT_EQ(Col("select count(*) from basic;"), Names{"4"});
    EXPECT_EQ(Col("select count(*) from sqlite_master;"), Names{"11"});
}

TEST_F(ChoreoSearch, AnEndlessOwnQueryIsStoppedWithAMessage)
{
    win::ClearMessageBoxLog();
    EXPECT_EQ(Found("sql=SELECT i FROM (WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT i FROM n)"),
              Names{});
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].text, "The query was stopped: it gives more than 100000 rows.");
    // A query that fails for another reason still finds nothing without a word.
    win::ClearMessageBoxLog();
    EXPECT_EQ(Found("sql=SELECT * FROM nosuch"), Names{});
    EXPECT_TRUE(win::MessageBoxLog().empty());
    EXPECT_EQ(Found("sql=SELECT count(*) FROM basic"), Names{"4"});
}

TEST_F(ChoreoSearch, SearchesOnTheBatchSeeItsPendingWrites)
{
    db.BeginBatch();
    EXPECT_EQ(Found("sql=SELECT count(*) FROM basic", 0), Names{"4"});
    db.SaveEntry("basic", "new", "", "v", 0, 0);
    EXPECT_EQ(Found("[choreotable]basic[choreoname]new[choreotype][choreocall]", 0), Names{"new"});
    db.CommitBatch();
    EXPECT_EQ(Col("select count(*) from basic;"), Names{"5"});
}

TEST_F(ChoreoSearch, AMissingLevelTableFindsNothing)
{
    Run("drop table c2;");
    Run("drop table any;");
    EXPECT_EQ(Found("[choreotable]c2[choreoname][choreotype][choreocall]"), Names{});
    EXPECT_EQ(Found("nothing"), Names{});
}

} // namespace
