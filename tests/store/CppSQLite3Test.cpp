#include "store/CppSQLite3.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using testsupport::TempDir;

// Runs the action and answers the exception it raised.
CppSQLite3Exception Raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CppSQLite3Exception& e) {
        return e;
    }
    ADD_FAILURE() << "no exception";
    return CppSQLite3Exception(0, "none");
}

class SqliteLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.Open(dir.file("t.db"));
        db.Execute("create table t(a int, b varchar(20), c double);"
                   "insert into t values (1, 'one', 1.5);"
                   "insert into t values (NULL, NULL, NULL);"
                   "insert into t values (3, 'true', -2.25);");
    }
    TempDir dir;
    CppSQLite3DB db;
};

TEST(SqliteException, MessageCarriesCodeNameCodeAndDetail)
{
    struct Case {
        int code;
        const char* detail;
        const char* message;
    };
    const Case cases[] = {
        {1000, "Database not open", "CPPSQLITE_ERROR[1000]: Database not open"},
        {1, "near \"x\": syntax error", "SQLITE_ERROR[1]: near \"x\": syntax error"},
        {5, "database is locked", "SQLITE_BUSY[5]: database is locked"},
        {25, nullptr, "SQLITE_RANGE[25]: "},
        {26, "x", "SQLITE_NOTADB[26]: x"},
        {266, "disk I/O error", "SQLITE_IOERR[266]: disk I/O error"},  // SQLITE_IOERR_READ
        {99, "z", "UNKNOWN_ERROR[99]: z"},
        {100, "", "SQLITE_ROW[100]: "},
        {101, "", "SQLITE_DONE[101]: "},
        {-1, "y", "UNKNOWN_ERROR[-1]: y"},
    };
    for (const Case& c : cases) {
        const CppSQLite3Exception e(c.code, c.detail);
        EXPECT_EQ(e.ErrorCode(), c.code);
        EXPECT_EQ(e.ErrorMessage(), c.message);
        EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_STREQ(CppSQLite3Exception::CodeName(0), "SQLITE_OK");
    EXPECT_STREQ(CppSQLite3Exception::CodeName(14), "SQLITE_CANTOPEN");
}

TEST(SqliteErrors, EveryFailingStatementCarriesSqlitesMessageAndTheFile)
{
    // A file that is no database: SQLite finds out at the first statement.
    TempDir dir;
    const std::string path = dir.file("mirtal.db");
    testsupport::writeFile(path, std::string(4096, 'x'));
    CppSQLite3DB db;
    db.Open(path);
    const std::function<void()> statements[] = {
        [&] { db.QueryScalar("select count(*) from sqlite_master;"); },
        [&] { db.TableExists("t"); },
        [&] { db.Execute("create table t(a);"); },
        [&] { db.GetTable("select 1 from sqlite_master;"); },
        [&] { db.GetTableLimited("select 1 from sqlite_master;", 10, 1000); },
    };
    for (const auto& statement : statements) {
        const CppSQLite3Exception e = Raised(statement);
        EXPECT_EQ(e.ErrorCode(), 26);
        EXPECT_EQ(e.ErrorMessage(), "SQLITE_NOTADB[26]: file is not a database (file \"" + path + "\")");
    }
}

TEST_F(SqliteLayer, TypedQueriesAreStoppedByTimeAndRows)
{
    CppSQLite3Table all = db.GetTableLimited("select a, b from t order by rowid;", 10, 5000);
    ASSERT_EQ(all.RowCount(), 3);
    ASSERT_EQ(all.FieldCount(), 2);
    EXPECT_STREQ(all.FieldText(1), "one");
    all.SetRow(1);
    EXPECT_EQ(all.FieldText(0), nullptr);
    CppSQLite3Table moved = all;  // hands the rows over
    moved.SetRow(2);
    EXPECT_STREQ(moved.FieldText(1), "true");
    EXPECT_EQ(db.GetTableLimited("select a from t where a = 99;", 10, 5000).RowCount(), 0);

    const std::string endless = "with recursive n(i) as (select 1 union all select i + 1 from n) select i from n;";
    const CppSQLite3Exception rows = Raised([&] { db.GetTableLimited(endless, 1000, 60000); });
    EXPECT_EQ(rows.ErrorCode(), CPPSQLITE_ERROR);
    EXPECT_NE(rows.ErrorMessage().find("more than 1000 rows"), std::string::npos);

    // Rows that never come out: only the clock stops it.
    const std::string silent = "with recursive n(i) as (select 1 union all select i + 1 from n) "
                               "select count(*) from n;";
    const CppSQLite3Exception time = Raised([&] { db.GetTableLimited(silent, 1000, 300); });
    EXPECT_EQ(time.ErrorCode(), 9);
    // The connection works on afterwards.
    EXPECT_EQ(db.QueryScalar("select count(*) from t;"), 3);
}

TEST_F(SqliteLayer, MisuseRaisesTheLayersOwnErrors)
{
    CppSQLite3DB closed;
    CppSQLite3Table empty;
    CppSQLite3Table none = db.GetTable("select * from t where a = 99;");
    CppSQLite3Table rows = db.GetTable("select * from t;");

    struct Case {
        const char* name;
        std::function<void()> action;
        const char* text;
    };
    const Case cases[] = {
        {"execute closed", [&] { closed.Execute("select 1;"); }, "Database not open"},
        {"get table closed", [&] { closed.GetTable("select 1;"); }, "Database not open"},
        {"table exists closed", [&] { closed.TableExists("t"); }, "Database not open"},
        {"empty table rows", [&] { empty.RowCount(); }, "Null Results pointer"},
        {"empty table fields", [&] { empty.FieldCount(); }, "Null Results pointer"},
        {"no-row result field", [&] { none.FieldText(0); }, "Invalid field index requested"},
        {"row past end", [&] { rows.SetRow(rows.RowCount()); }, "Invalid row index requested"},
        {"negative row", [&] { rows.SetRow(-1); }, "Invalid row index requested"},
        {"field past end", [&] { rows.FieldText(3); }, "Invalid field index requested"},
        {"scalar of no row", [&] { db.QueryScalar("select a from t where a = 99;"); }, "Invalid scalar query"},
    };
    for (const Case& c : cases) {
        const CppSQLite3Exception e = Raised(c.action);
        EXPECT_EQ(e.ErrorCode(), CPPSQLITE_ERROR) << c.name;
        EXPECT_EQ(e.ErrorMessage(), std::string("CPPSQLITE_ERROR[1000]: ") + c.text) << c.name;
    }
}

TEST_F(SqliteLayer, SqliteErrorsKeepSqlitesCodeAndText)
{
    const CppSQLite3Exception syntax = Raised([&] { db.Execute("selec * from t;"); });
    EXPECT_EQ(syntax.ErrorCode(), 1);
    EXPECT_EQ(syntax.ErrorMessage().rfind("SQLITE_ERROR[1]: ", 0), 0u) << syntax.ErrorMessage();
    EXPECT_NE(syntax.ErrorMessage().find("syntax error"), std::string::npos);

    const CppSQLite3Exception missing = Raised([&] { db.GetTable("select * from nothere;"); });
    EXPECT_EQ(missing.ErrorMessage(), "SQLITE_ERROR[1]: no such table: nothere (file \"" + dir.file("t.db") + "\")");
    EXPECT_EQ(missing.FileName(), dir.file("t.db"));

    const CppSQLite3Exception cantOpen = Raised([&] {
        CppSQLite3DB other;
        other.Open(dir.file("no/such/folder/x.db"));
    });
    EXPECT_EQ(cantOpen.ErrorCode(), 14);
}

TEST_F(SqliteLayer, TableHoldsTheWholeResultAndNullsReadAsDefaults)
{
    CppSQLite3Table t = db.GetTable("select a, b, c from t;");
    ASSERT_EQ(t.RowCount(), 3);
    ASSERT_EQ(t.FieldCount(), 3);
    EXPECT_STREQ(t.FieldText(1), "one");

    t.SetRow(1);
    EXPECT_EQ(t.FieldText(0), nullptr);
    EXPECT_TRUE(t.FieldIsNull(1));
    EXPECT_EQ(t.FieldInt(0, 7), 7);
    EXPECT_EQ(t.FieldFloat(2, 0.5), 0.5);
    EXPECT_STREQ(t.FieldTextOr(1, "none"), "none");

    t.SetRow(2);
    EXPECT_EQ(t.FieldInt(1, 9), 0); // "true" is no number
    EXPECT_EQ(t.FieldFloat(2), -2.25);
    EXPECT_FALSE(t.FieldIsNull(0));

    CppSQLite3Table none = db.GetTable("select * from t where a = 99;");
    EXPECT_EQ(none.RowCount(), 0);
    EXPECT_EQ(none.FieldCount(), 0);
}

TEST_F(SqliteLayer, BoundTextsStayValues)
{
    CppSQLite3Table t = db.GetTable("SELECT b FROM t WHERE b = ?1 OR b = ?2 ORDER BY a;",
                                    {"one", "x' OR '1'='1", "unused"});
    ASSERT_EQ(t.RowCount(), 1);
    t.SetRow(0);
    EXPECT_STREQ(t.FieldText(0), "one");
    EXPECT_EQ(db.GetTable("SELECT ?1;", {"it's"}).FieldCount(), 1);
    EXPECT_EQ(Raised([&] { db.GetTable("SELECT * FROM missing WHERE a = ?1;", {"1"}); }).ErrorCode(), 1);
}

TEST_F(SqliteLayer, AssigningATableHandsItsResultsOver)
{
    CppSQLite3Table source = db.GetTable("select * from t;");
    CppSQLite3Table target;
    target = source;
    EXPECT_EQ(target.RowCount(), 3);
    EXPECT_EQ(Raised([&] { source.RowCount(); }).ErrorMessage(), "CPPSQLITE_ERROR[1000]: Null Results pointer");

    CppSQLite3Table copied(target);
    EXPECT_EQ(copied.RowCount(), 3);
    EXPECT_EQ(Raised([&] { target.FieldCount(); }).ErrorCode(), CPPSQLITE_ERROR);

    // Assigning over a table that holds results releases them first (the sanitizer build sees leaks).
    CppSQLite3Table other = db.GetTable("select a from t;");
    other = copied;
    EXPECT_EQ(other.FieldCount(), 3);
    other = db.GetTable("select b from t;");
    EXPECT_EQ(other.FieldCount(), 1);
}

TEST_F(SqliteLayer, ExecuteReportsChangedRowsAndTableExistsQuotesTheName)
{
    EXPECT_EQ(db.Execute("update t set b = 'x' where a is not null;"), 2);
    EXPECT_TRUE(db.TableExists("t"));
    EXPECT_FALSE(db.TableExists("missing"));
    // Names that would not fit a fixed buffer or that hold a quote stay one literal.
    EXPECT_FALSE(db.TableExists(std::string(200, 'n')));
    EXPECT_FALSE(db.TableExists("t' or '1'='1"));
    db.Execute("create table \"it's\"(x int);");
    EXPECT_TRUE(db.TableExists("it's"));
    EXPECT_EQ(db.QueryScalar("select count(*) from t;"), 3);
}

TEST_F(SqliteLayer, BoundWritesStoreTheTextsAsTheyAre)
{
    const std::string nasty = "x'); drop table t; -- ? :a 50%";
    EXPECT_EQ(db.Execute("insert into t(a, b) values (?, ?);", {"7", nasty}), 1);
    CppSQLite3Table found = db.GetTable("select b from t where b = ? and a = ?;", {nasty, "7"});
    ASSERT_EQ(found.RowCount(), 1);
    EXPECT_EQ(found.FieldText(0), nasty);
    EXPECT_EQ(db.GetTable("select b from t where b like '%' || ? || '%';", {"drop table"}).RowCount(), 1);
    EXPECT_EQ(db.Execute("update t set b = ? where b = ?;", {"plain", nasty}), 1);
    EXPECT_EQ(db.GetTable("select * from t where b = ?;", {"nothing"}).RowCount(), 0);

    // Only the first statement runs: a second one after it never does.
    EXPECT_EQ(db.Execute("update t set b = ? where b = ?; drop table t;", {"again", "plain"}), 1);
    EXPECT_TRUE(db.TableExists("t"));
    EXPECT_EQ(Raised([&] { db.Execute("insert into nosuch values (?);", {"1"}); }).ErrorCode(), 1);
    EXPECT_EQ(db.QueryScalar("select count(*) from t;"), 4);
}

TEST_F(SqliteLayer, KeptStatementsRunAgainWithNewTextsAndEndWithTheConnection)
{
    const char* select = "select a from t where b = ?1;";
    const char* update = "update t set b = ?2 where b = ?1;";
    const std::vector<std::string> names{"one", "v0", "v1", "v2"};
    for (size_t round = 1; round < names.size(); ++round) {
        const std::string& from = names[round - 1];
        EXPECT_EQ(db.ExecuteKept(update, {from, names[round]}), 1);
        CppSQLite3Table t = db.GetTableKept(select, {names[round]});
        ASSERT_EQ(t.RowCount(), 1);
        EXPECT_STREQ(t.FieldText(0), "1");
        EXPECT_EQ(db.GetTableKept(select, {from}).RowCount(), 0);
    }
    // A kept statement holds no read open: another connection can write.
    CppSQLite3DB second;
    second.Open(dir.file("t.db"));
    second.SetBusyTimeout(50);
    EXPECT_EQ(second.Execute("insert into t values (4, 'four', 0);"), 1);
    EXPECT_EQ(db.GetTableKept(select, {"four"}).RowCount(), 1);
    // A failed run leaves the statement usable.
    EXPECT_EQ(Raised([&] { db.ExecuteKept("insert into nosuch values (?1);", {"1"}); }).ErrorCode(), 1);
    db.Execute("create table u(a int unique);");
    const char* insert = "insert into u values (?1);";
    EXPECT_EQ(db.ExecuteKept(insert, {"1"}), 1);
    EXPECT_EQ(Raised([&] { db.ExecuteKept(insert, {"1"}); }).ErrorCode(), 19);
    EXPECT_EQ(db.ExecuteKept(insert, {"2"}), 1);
    // Another file on the same object prepares against its own tables.
    db.Open(dir.file("other.db"));
    db.Execute("create table t(b varchar(20), a int);");
    db.Execute("insert into t values ('x', 7);");
    CppSQLite3Table t = db.GetTableKept(select, {"x"});
    ASSERT_EQ(t.RowCount(), 1);
    EXPECT_STREQ(t.FieldText(0), "7");
}

TEST_F(SqliteLayer, BusyTimeoutBoundsTheWaitForALockedFile)
{
    db.Execute("begin; insert into t values (4, 'four', 0);");
    CppSQLite3DB second;
    second.Open(dir.file("t.db"));
    second.SetBusyTimeout(50);
    EXPECT_EQ(second.BusyTimeout(), 50);
    const CppSQLite3Exception e = Raised([&] { second.Execute("insert into t values (5, 'five', 0);"); });
    EXPECT_EQ(e.ErrorCode(), 5);
    EXPECT_EQ(e.ErrorMessage().rfind("SQLITE_BUSY[5]: ", 0), 0u);
    // Readers still see the committed state.
    EXPECT_EQ(second.QueryScalar("select count(*) from t;"), 3);
    db.Execute("commit;");
    EXPECT_EQ(second.QueryScalar("select count(*) from t;"), 4);
}

TEST_F(SqliteLayer, ReopeningAndClosingAreSafe)
{
    EXPECT_EQ(CppSQLite3DB().BusyTimeout(), 60000);
    db.Open(dir.file("t.db")); // reopen: the first connection is released, not stranded
    EXPECT_EQ(db.QueryScalar("select count(*) from t;"), 3);
    db.Close();
    db.Close();
    EXPECT_FALSE(db.IsOpen());
}

} // namespace
