#include "store/DataFile.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

class DataFileEdit : public ::testing::Test {
protected:
    // Runs one edit on a file holding `before`, at line `line`; answers the file afterwards.
    std::string Edit(const std::string& before, int line, int mode, std::string& text)
    {
        writeFile(path, before);
        CDataFile f;
        EXPECT_EQ(f.Open(path, CDataFile::modeReadWrite), 1);
        f.GoToLine(line);
        EXPECT_TRUE(f.EditLine(text, mode));
        f.Close();
        return readFile(path);
    }

    TempDir dir;
    std::string path = dir.file("f.txt");
};

TEST_F(DataFileEdit, InsertReplaceAndDelete)
{
    struct Case {
        const char* name;
        const char* before;
        int line;
        int mode;
        const char* text;
        const char* after;
        const char* handedBack;
    };
    const Case cases[] = {
        {"insert into empty", "", 1, CDataFile::kInsert, "a", "a\r\n", "a"},
        {"insert at top", "a\r\n", 1, CDataFile::kInsert, "b", "b\r\na\r\n", "b"},
        {"line 0 means the top", "a\r\n", 0, CDataFile::kInsert, "b", "b\r\na\r\n", "b"},
        {"insert in the middle", "a\r\nc\r\n", 2, CDataFile::kInsert, "b", "a\r\nb\r\nc\r\n", "b"},
        {"insert past the end", "a\r\nb\r\nc\r\n", 5, CDataFile::kInsert, "d", "a\r\nb\r\nc\r\nd", "d"},
        {"insert past an unended end", "a\r\nb", 9, CDataFile::kInsert, "c", "a\r\nb\r\nc", "c"},
        {"multi-line text", "z", 1, CDataFile::kInsert, "x\ny", "x\r\ny\r\nz", "x\ny"},
        {"lf-only file", "a\nb\n", 1, CDataFile::kInsert, "c", "c\r\na\r\nb\r\n", "c"},
        {"replace a middle line", "a\r\nb\r\nc\r\n", 2, CDataFile::kReplace, "B", "a\r\nB\r\nc\r\n", "B"},
        {"replace the last line", "a\r\nb\r\n", 2, CDataFile::kReplace, "B", "a\r\nB", "B"},
        {"replace past the end", "a\r\nb\r\n", 7, CDataFile::kReplace, "B", "a\r\nB", "B"},
        {"delete the only line", "a\r\n", 1, CDataFile::kDelete, "", "", "a"},
        {"delete the last of several", "a\r\nb\r\n", 2, CDataFile::kDelete, "", "a", "b"},
        {"delete a middle line", "a\r\nb\r\nc", 2, CDataFile::kDelete, "", "a\r\nc", "b"},
        {"delete past the end", "a\r\nb", 4, CDataFile::kDelete, "", "a", "b"},
        {"delete in an empty file", "", 1, CDataFile::kDelete, "", "", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(Edit(c.before, c.line, c.mode, text), c.after) << c.name;
        EXPECT_EQ(text, c.handedBack) << c.name;
    }
}

TEST_F(DataFileEdit, FilesOfAnySizeAreEdited)
{
    // The whole file is rewritten: no size past which edits are silently dropped.
    for (size_t size : {51200u, 51201u, 300000u}) {
        const std::string body(size, 'x');
        std::string text = "top";
        EXPECT_EQ(Edit(body, 1, CDataFile::kInsert, text), "top\r\n" + body) << size;
    }
}

TEST_F(DataFileEdit, ReadingGoesLineByLine)
{
    writeFile(path, "one\r\ntwo\nthree\r\n\xF6l\r\n");
    CDataFile f;
    ASSERT_EQ(f.Open(path, CDataFile::modeRead), 1);
    EXPECT_EQ(f.CountLines(), 4);
    ASSERT_EQ(f.GoToLine(2), 1);
    EXPECT_EQ(f.CurrentLine(), 2);
    std::string line;
    ASSERT_TRUE(f.ReadLine(line));
    EXPECT_EQ(line, "two");
    ASSERT_TRUE(f.ReadLine(line));
    EXPECT_EQ(line, "three");
    ASSERT_TRUE(f.ReadLine(line));
    EXPECT_EQ(line, "\xC3\xB6l"); // a Windows-1252 line comes in as UTF-8
    EXPECT_FALSE(f.ReadLine(line));

    EXPECT_EQ(f.GoToLine(9), 1);
    EXPECT_EQ(f.CurrentLine(), 5);
    EXPECT_EQ(f.GoToLine(1), 1);
    EXPECT_EQ(f.CurrentLine(), 1);

    // A file opened for reading takes no edits.
    std::string text = "x";
    EXPECT_FALSE(f.EditLine(text, CDataFile::kInsert));
    f.Close();
    EXPECT_EQ(f.GoToLine(1), 0);
    EXPECT_FALSE(f.ReadLine(line));
    EXPECT_EQ(f.CountLines(), 0);
    EXPECT_FALSE(f.EditLine(text, CDataFile::kInsert));
}

TEST_F(DataFileEdit, ExistsOpenCreateAndRemove)
{
    EXPECT_EQ(CDataFile::Exists(path), CDataFile::kFileMissing);
    EXPECT_EQ(CDataFile::Exists(dir.str()), CDataFile::kFileMissing);
    CDataFile f;
    EXPECT_EQ(f.Open(path, CDataFile::modeRead), 0);
    EXPECT_EQ(f.Open(dir.str(), CDataFile::modeRead), 0);

    EXPECT_EQ(f.OpenAndClose(path, CDataFile::modeCreate), 1);
    EXPECT_EQ(CDataFile::Exists(path), CDataFile::kFileExists);
    writeFile(path, "keep");
    EXPECT_EQ(f.OpenAndClose(path, CDataFile::modeCreate | CDataFile::modeNoTruncate), 1);
    EXPECT_EQ(readFile(path), "keep");
    EXPECT_EQ(f.OpenAndClose(path, CDataFile::modeCreate), 1);
    EXPECT_EQ(readFile(path), "");

    CDataFile::RemoveFile(path);
    EXPECT_EQ(CDataFile::Exists(path), CDataFile::kFileMissing);
    EXPECT_THROW(CDataFile::RemoveFile(path), std::filesystem::filesystem_error);
}

TEST_F(DataFileEdit, ReadOnlyFileCannotBeOpenedForWriting)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    writeFile(path, "a\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    CDataFile f;
    EXPECT_EQ(f.Open(path, CDataFile::modeReadWrite), 0);
    EXPECT_EQ(f.Open(path, CDataFile::modeRead), 1);
}

TEST_F(DataFileEdit, EditKeepsTheFilesPermissionsAndNoTemporaryFiles)
{
    writeFile(path, "a\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    std::string text = "b";
    Edit("a\r\n", 1, CDataFile::kInsert, text);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

} // namespace
