#include "store/MemArray.h"

#include <gtest/gtest.h>

namespace {

TEST(ListRecords, ColumnsOutsideTheRowReadEmptyAndAreNotWritten)
{
    CMemArray row;
    row.SetAll("0", "1", "2", "3", "4", "5", "6", "7", "8", "9");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(row.GetCol(i), std::to_string(i));
    for (int i : {-1, 10, 25})
        EXPECT_EQ(row.GetCol(i), "");
    row.SetCol(10, "x");
    row.SetCol(-1, "x");
    EXPECT_EQ(row.GetCol(9), "9");
    EXPECT_EQ(row.GetCol6(), "6");

    CMemArrayLarge large;
    std::string cols[25];
    for (int i = 0; i < 25; ++i)
        cols[i] = std::string("c") + std::to_string(i);
    large.SetAll(cols);
    EXPECT_EQ(large.GetCol(20), "c20");
    EXPECT_EQ(large.GetCol(24), "c24");
    EXPECT_EQ(large.GetCol(25), "");
    EXPECT_EQ(large.GetCol20(), "c20");
}

TEST(ListRecords, CopiesAreIndependent)
{
    CMemArray source;
    source.SetCol(3, "original");
    CMemArray copy = source;
    copy.SetCol(3, "changed");
    EXPECT_EQ(source.GetCol(3), "original");

    MemoryList2 entry;
    EXPECT_EQ(entry.GetCol0(), "");
    EXPECT_EQ(entry.GetList() + entry.GetRow() + entry.GetNaming() + entry.GetNr(), 0);
    entry.SetAll("name", "/p.mp3", "1", "/l.htm", 2, 5, 1, 9);
    MemoryList2 other;
    other = entry;
    entry.SetAll("", "", "", "", 0, 0, 0, 0);
    EXPECT_EQ(other.GetCol1(), "/p.mp3");
    EXPECT_EQ(other.GetCol3(), "/l.htm");
    EXPECT_EQ(other.GetNaming(), 1);
    EXPECT_EQ(other.GetNr(), 9);

    CFileList file;
    EXPECT_EQ(file.GetNr(), 0);
    EXPECT_EQ(file.GetCol2(), "");
    file.SetAll(3, "/x.htm", "0");
    file.SetShown("1");
    EXPECT_EQ(file.GetCol1(), "/x.htm");
    EXPECT_EQ(file.GetCol2(), "1");
}

} // namespace
