#include "SongDataFixture.h"

namespace {

using storetest::SongData;

using Queue = SongData;

TEST_F(Queue, AQueueOfThreeRoundTripsInOrderWithAllFields)
{
    const std::vector<std::vector<std::string>> entries = {
        {"[L] Zebra", "/m/Zebra.mp3", "mp3", "/l/Zebra.htm", "1", "12", "0", "1"},
        {"Bob's song", "/m/Bob's song.mp3", "", "", "3", "0", "2", "2"},
        {"Alpha", "/m/Alpha.mp3", "flac", "[db]XY 1", "2", "7", "1", "3"},
    };
    db.BeginBatch();
    db.ClearQueuedFiles(0);
    for (const auto& e : entries)
        db.AddQueuedFile(e[0], e[1], e[2], e[3], std::stoi(e[4]), std::stoi(e[5]), std::stoi(e[6]),
                         std::stoi(e[7]), 0);
    db.CommitBatch();

    CppSQLite3Table t = db.GetQueuedFiles(1);
    ASSERT_EQ(t.RowCount(), 3);
    ASSERT_EQ(t.FieldCount(), 8);
    MyFunctions fn;
    for (int r = 0; r < 3; ++r) {
        t.SetRow(r);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(fn.UnescapeSql(t.FieldText(i)), entries[r][i]) << r << "," << i;
    }
    t.SetRow(1);
    EXPECT_STREQ(t.FieldText(0), "Bob[\xC2\xA4]s song"); // read back in stored form

    // Saving again replaces the queue; an empty queue leaves the table empty.
    db.BeginBatch();
    db.ClearQueuedFiles(0);
    db.CommitBatch();
    EXPECT_EQ(Count("select count(*) from queuedfiles;"), 0);
}

TEST_F(Queue, MemoryListHoldsEachEntryOnce)
{
    const std::string ref = "[choreotable]plus[choreoname]Bob's[choreotype]sequence[choreocall]";
    db.AddMemory("/docs/a.pdf", 1);
    db.AddMemory("/docs/a.pdf", 1);
    db.AddMemory(ref, 1);
    CppSQLite3Table t = db.GetMemory(1);
    ASSERT_EQ(t.RowCount(), 2);
    t.SetRow(1);
    EXPECT_EQ(MyFunctions().UnescapeSql(t.FieldText(0)), ref);
    db.DeleteMemory(ref, 1);
    db.DeleteMemory("/docs/none.pdf", 1);
    EXPECT_EQ(Column("select szpath from memory;"), std::vector<std::string>{"/docs/a.pdf"});
}

} // namespace
