#include "store/MyFunctions.h"

#include "common/TestSupport.h"
#include "platform/win/MessageBox.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

namespace {

using testsupport::readFile;
using testsupport::TempDir;

class LogFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedBase = g_baseFolder;
        g_baseFolder = dir.str();
        g_logEnabled = 1;
        win::ClearMessageBoxLog();
    }
    void TearDown() override { g_baseFolder = m_savedBase; }

    std::string log() const { return readFile(dir.file("mirtal.log")); }

    TempDir dir;
    MyFunctions fn;

private:
    std::string m_savedBase;
};

TEST_F(LogFile, RecordsAreFramedAndNewestFirst)
{
    ASSERT_TRUE(fn.WriteLog("first"));
    std::string text = log();
    // "**********   2024-03-05 09:07:02   **********"
    ASSERT_GE(text.size(), 45u);
    EXPECT_EQ(text.substr(0, 13), "**********   ");
    EXPECT_EQ(text.substr(32, 13), "   **********");
    const std::string stamp = text.substr(13, 19);
    for (size_t i = 0; i < stamp.size(); ++i) {
        const char expected = i == 4 || i == 7 ? '-' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : '0';
        if (expected == '0')
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(stamp[i]))) << stamp;
        else
            EXPECT_EQ(stamp[i], expected) << stamp;
    }
    EXPECT_EQ(text.substr(45), "\r\nfirst\r\n\r\n\r\n");

    ASSERT_TRUE(fn.WriteLog("second\nline two"));
    text = log();
    EXPECT_EQ(text.substr(45, 24), "\r\nsecond\r\nline two\r\n\r\n\r\n");
    EXPECT_NE(text.find("first"), std::string::npos);
    EXPECT_LT(text.find("second"), text.find("first"));
    EXPECT_TRUE(win::MessageBoxLog().empty());
}

TEST_F(LogFile, LargeLogStillTakesRecords)
{
    // A log past 51200 bytes must keep growing rather than silently drop records.
    testsupport::writeFile(dir.file("mirtal.log"), std::string(60000, 'x') + "\r\n");
    ASSERT_TRUE(fn.WriteLog("late record"));
    const std::string text = log();
    EXPECT_NE(text.find("late record"), std::string::npos);
    EXPECT_EQ(text.size(), 60002u + 45 + 2 + 11 + 6);
}

TEST_F(LogFile, DisabledLogWritesNothing)
{
    g_logEnabled = 0;
    EXPECT_TRUE(fn.WriteLog("ignored"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("mirtal.log")));
    g_logEnabled = 1;
}

TEST_F(LogFile, UnwritableLogIsReportedOnceAndNeverBlocks)
{
    // A folder in place of the log file cannot be written, even by root.
    std::filesystem::create_directory(dir.file("mirtal.log"));
    EXPECT_FALSE(fn.WriteLog("one"));
    EXPECT_FALSE(fn.WriteLog("two"));
    EXPECT_FALSE(fn.WriteLog("three"));
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].text, "Cant open logfile!");

    // Once it can be written again, a later failure is reported again.
    std::filesystem::remove(dir.file("mirtal.log"));
    EXPECT_TRUE(fn.WriteLog("back"));
    std::filesystem::remove(dir.file("mirtal.log"));
    std::filesystem::create_directory(dir.file("mirtal.log"));
    EXPECT_FALSE(fn.WriteLog("again"));
    EXPECT_EQ(win::MessageBoxLog().size(), 2u);
}

TEST_F(LogFile, PrependedLinesComeOutInReverseOrder)
{
    const std::string path = dir.file("stats.csv");
    for (const char* line : {"1", "2", "3"})
        ASSERT_TRUE(fn.PrependLine(line, path));
    EXPECT_EQ(readFile(path), "3\r\n2\r\n1\r\n");

    EXPECT_FALSE(fn.PrependLine("x", dir.file("no/folder/file.txt")));
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].text, "Cant open file!");
}

TEST_F(LogFile, DeleteFileIfExists)
{
    const std::string path = dir.file("old.txt");
    EXPECT_NO_THROW(fn.DeleteFileIfExists(path));
    testsupport::writeFile(path, "x");
    fn.DeleteFileIfExists(path);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
