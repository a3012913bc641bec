// CUtilityDb: the tables of utility.db, its batch and the version stamp.
#include "store/UtilityDb.h"

#include "ImportFixture.h"

namespace {

using storetest::Rows;

class Utility : public storetest::DbFolder {
protected:
    Utility() : DbFolder("utility.db") {}
    CUtilityDb db;
};

TEST_F(Utility, AFreshFolderGetsTheSevenTablesAndNoVersion)
{
    EXPECT_TRUE(db.Init());
    EXPECT_EQ(Col("select name from sqlite_master order by rowid;"),
              (std::vector<std::string>{"sqrecord", "cuesheet", "cuesheetshort", "caller", "calls", "temp", "ini"}));
    EXPECT_EQ(Query("PRAGMA table_info(sqrecord);").size(), 6u);
    EXPECT_EQ(db.GetVersionText(), ".");
    EXPECT_EQ(db.GetModifiedText(), "");
}

TEST_F(Utility, StampsWriteOneVersionRowAndOneModifiedRow)
{
    db.StampVersion();
    db.StampVersion();
    const Rows rows = Query("select * from ini order by name;");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "system - modified");
    EXPECT_EQ(rows[0][1].size(), 19u); // "2024-03-05 09:07:02"
    EXPECT_EQ(rows[1], (std::vector<std::string>{"system - version", "203"}));
    EXPECT_EQ(db.GetVersionText(), "2.03");
    EXPECT_EQ(db.GetModifiedText(), rows[0][1]);
}

TEST_F(Utility, VersionTextPutsTheDotBeforeTheLastTwoDigits)
{
    db.Init();
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"203", "2.03"}, {"1203", "12.03"}, {"12345", "12.345"}, {"20", "2.0"}, {"5", "5."}};
    for (const auto& c : cases) {
        Run("delete from ini;");
        Run(std::string("insert into ini values('system - version','") + c.stored + "');");
        EXPECT_EQ(db.GetVersionText(), c.shown) << c.stored;
    }
}

TEST_F(Utility, InitCreatesAMissingTableAndLeavesTheOthers)
{
    db.Init();
    Run("insert into calls values('Basic','Circle Left');");
    Run("insert into ini values('x','y');");
    Run("drop table calls;");
    Run("drop table sqrecord;");
    db.Init();
    EXPECT_EQ(Col("select count(*) from sqlite_master;"), std::vector<std::string>{"7"});
    EXPECT_EQ(Query("select * from ini;"), (Rows{{"x", "y"}}));
    Run("insert into calls values('Basic','Circle Left');");
}

TEST_F(Utility, BatchLeavesAutoVacuumUnset)
{
    // On a file without tables the pragma would still take effect.
    db.BeginBatch();
    db.CommitBatch();
    db.Init();
    EXPECT_EQ(Col("PRAGMA auto_vacuum;"), std::vector<std::string>{"0"});
    db.BeginBatch();
    EXPECT_EQ(db.CountRecords(0), 0);
    db.CommitBatch();
    EXPECT_THROW(db.CountRecords(0), CppSQLite3Exception); // no batch open
}

} // namespace
