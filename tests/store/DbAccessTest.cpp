// The connection frame of the access objects, shown on CMusicDb.
#include "store/MusicDb.h"

#include "StoreFixture.h"

namespace {

using storetest::DataFolder;

class Connections : public DataFolder {
protected:
    void SetUp() override { db.CreateSchema(); }
    CMusicDb db;
};

TEST_F(Connections, BatchCallWithoutABatchRaisesDatabaseNotOpen)
{
    try {
        db.GetSetting("music - fade", 0);
        FAIL() << "no exception";
    } catch (const CppSQLite3Exception& e) {
        EXPECT_EQ(e.ErrorCode(), CPPSQLITE_ERROR);
        EXPECT_EQ(e.ErrorMessage(), "CPPSQLITE_ERROR[1000]: Database not open");
    }
}

TEST_F(Connections, FailedStatementInABatchRollsBackAndLeavesTheFileWritable)
{
    Exec("drop table temp;");
    db.BeginBatch();
    db.SetSetting("music - fade", "5", 0);
    EXPECT_THROW(db.AddTempRow("s", "k", "v", 0), CppSQLite3Exception);
    EXPECT_FALSE(db.IsBatchOpen());

    // The batch's earlier write is gone, and the next private write does not wait on a lock.
    EXPECT_EQ(db.GetSetting("music - fade", 1), "");
    CMusicDb other;
    other.SetSetting("music - fade", "7", 1);
    EXPECT_EQ(db.GetSetting("music - fade", 1), "7");
}

TEST_F(Connections, BatchWritesAreSeenByOthersOnlyAfterTheCommit)
{
    db.SetSetting("music - fade", "1", 1);
    db.BeginBatch();
    db.SetSetting("music - fade", "2", 0);
    EXPECT_EQ(db.GetSetting("music - fade", 0), "2");
    EXPECT_EQ(db.GetSetting("music - fade", 1), "1"); // a private read sees the committed value
    db.CommitBatch();
    EXPECT_FALSE(db.IsBatchOpen());
    EXPECT_EQ(db.GetSetting("music - fade", 1), "2");
}

TEST_F(Connections, SecondBeginKeepsOneConnection)
{
    db.BeginBatch();
    db.SetSetting("music - fade", "3", 0);
    db.BeginBatch(); // the open batch is committed, not stranded with its lock
    db.SetSetting("music - pause", "4", 0);
    db.CommitBatch();

    CMusicDb other;
    other.SetSetting("music - fade", "9", 1); // would fail with SQLITE_BUSY behind a stranded batch
    EXPECT_EQ(other.GetSetting("music - pause", 1), "4");
}

TEST_F(Connections, UncommittedBatchIsLostWhenTheObjectGoes)
{
    {
        CMusicDb shortLived;
        shortLived.BeginBatch();
        shortLived.SetSetting("music - fade", "8", 0);
    }
    EXPECT_EQ(db.GetSetting("music - fade", 1), "");
    db.SetSetting("music - fade", "1", 1);
    EXPECT_EQ(db.GetSetting("music - fade", 1), "1");
}

TEST_F(Connections, CommitWithoutABatchRaises)
{
    EXPECT_THROW(db.CommitBatch(), CppSQLite3Exception);
}

TEST(SqlLiteralBody, DoublesApostrophes)
{
    EXPECT_EQ(CDbAccess::Sql("it's"), "it''s");
    EXPECT_EQ(CDbAccess::Sql("''"), "''''");
    EXPECT_EQ(CDbAccess::Sql(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(CDbAccess::Sql(""), "");
}

} // namespace
