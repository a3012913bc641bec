#include "store/ShellFileOp.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

constexpr unsigned kProgramFlags = 0x294;

TEST(ShellFileOp, CopiesOneFileUnderANewNameReplacingAnOldCopy)
{
    TempDir dir;
    writeFile(dir.file("mirtal.db"), "new");
    writeFile(dir.file("mirtal.dbtmp"), "old");
    CShellFileOp op;
    op.SetFlags(kProgramFlags);
    op.AddFile(0, dir.file("mirtal.db"));
    op.AddFile(1, dir.file("mirtal.dbtmp"));
    EXPECT_EQ(op.Copy(), 0);
    EXPECT_EQ(readFile(dir.file("mirtal.dbtmp")), "new");
}

TEST(ShellFileOp, CopiesSeveralFilesIntoAFolderItCreates)
{
    TempDir dir;
    for (const char* name : {"a.mp3", "b.mp3", "c.txt"})
        writeFile(dir.file(name), name);
    CShellFileOp op;
    op.SetFlags(kProgramFlags);
    op.AddFile(0, dir.file("a.mp3"));
    op.AddFile(0, dir.file("b.mp3"));
    op.AddFile(1, dir.file("new/folder"));
    EXPECT_EQ(op.Copy(), 0);
    EXPECT_EQ(readFile(dir.file("new/folder/a.mp3")), "a.mp3");
    EXPECT_EQ(readFile(dir.file("new/folder/b.mp3")), "b.mp3");

    CShellFileOp wild;
    wild.SetFlags(kProgramFlags);
    wild.AddFile(0, dir.file("*.mp3"));
    wild.AddFile(1, dir.file("wild"));
    EXPECT_EQ(wild.Copy(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("wild/a.mp3")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("wild/c.txt")));
}

TEST(ShellFileOp, FailuresAnswerNonZero)
{
    TempDir dir;
    writeFile(dir.file("a"), "a");
    writeFile(dir.file("b"), "b");

    CShellFileOp empty;
    empty.AddFile(1, dir.file("x"));
    EXPECT_NE(empty.Copy(), 0);

    CShellFileOp missing;
    missing.AddFile(0, dir.file("nothere"));
    missing.AddFile(1, dir.file("x"));
    EXPECT_EQ(missing.Copy(), CShellFileOp::kNoSource);

    CShellFileOp ontoItself;
    ontoItself.SetFlags(kProgramFlags);
    ontoItself.AddFile(0, dir.file("a"));
    ontoItself.AddFile(1, dir.file("a"));
    EXPECT_EQ(ontoItself.Copy(), CShellFileOp::kSameFile);
    EXPECT_EQ(readFile(dir.file("a")), "a");

    // Without "no confirmation" an existing file is kept.
    CShellFileOp keep;
    keep.AddFile(0, dir.file("a"));
    keep.AddFile(1, dir.file("b"));
    EXPECT_EQ(keep.Copy(), CShellFileOp::kFileExists);
    EXPECT_EQ(readFile(dir.file("b")), "b");
}

} // namespace
