#include "platform/win/Shell.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testsupport::TempDir;

class ShellOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::ClearShellLog();
        m_old = win::SetShellLauncher([this](const win::ShellRequest& r) {
            launched.push_back(r);
            return SE_OK;
        });
        testsupport::writeFile(dir.file("doc.pdf"), "%PDF");
    }
    void TearDown() override { win::SetShellLauncher(m_old); }

    TempDir dir;
    std::vector<win::ShellRequest> launched;

private:
    win::ShellLauncher m_old;
};

TEST_F(ShellOpen, ResultsOfTheWindowsShell)
{
    const struct {
        std::string verb;
        std::string file;
        std::string directory;
        INT_PTR result;
    } cases[] = {
        {"open", dir.file("doc.pdf"), "", SE_OK},
        {"", dir.file("doc.pdf"), "", SE_OK},
        {"print", dir.file("doc.pdf"), "", SE_OK},
        {"open", "doc.pdf", dir.str(), SE_OK},
        {"open", dir.file("missing.pdf"), "", SE_ERR_FNF},
        {"open", dir.file("no/such/doc.pdf"), "", SE_ERR_PNF},
        {"open", "", "", SE_ERR_FNF},
        {"explore", dir.file("doc.pdf"), "", SE_ERR_NOASSOC},
        {"open", "https://example.org/x.htm", "", SE_OK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShellExecute(nullptr, c.verb, c.file, "", c.directory, SW_SHOWNORMAL), c.result)
            << c.verb << " " << c.file;
    // Only the requests that found their file reach the launcher, with the file's full path.
    ASSERT_EQ(launched.size(), 5u);
    EXPECT_EQ(launched[3].file, dir.file("doc.pdf"));
    EXPECT_EQ(launched[2].verb, "print");
    EXPECT_EQ(win::ShellLog().size(), 9u);
}

TEST_F(ShellOpen, WindowsSeparatorsFindTheFile)
{
    std::string windowsStyle = dir.file("doc.pdf");
    for (char& c : windowsStyle)
        if (c == '/')
            c = '\\';
    EXPECT_EQ(ShellExecute(nullptr, "open", windowsStyle, "", "", SW_SHOWNORMAL), SE_OK);
}

TEST(ShellHeadless, DefaultLauncherStartsNothingWithoutADesktop)
{
    TempDir dir;
    testsupport::writeFile(dir.file("doc.pdf"), "%PDF");
    EXPECT_EQ(ShellExecute(nullptr, "open", dir.file("doc.pdf"), "", "", SW_SHOWNORMAL), SE_OK);
}

TEST(CurrentDirectory, ReadAndSet)
{
    TempDir dir;
    testsupport::ScopedCwd keep(std::filesystem::current_path());
    ASSERT_TRUE(win::SetCurrentDirectory(dir.str()));
    EXPECT_EQ(win::GetCurrentDirectory(), std::filesystem::canonical(dir.path()).string());
    EXPECT_FALSE(win::SetCurrentDirectory(dir.file("missing")));
    EXPECT_FALSE(win::SetCurrentDirectory(""));
    EXPECT_EQ(win::GetCurrentDirectory(), std::filesystem::canonical(dir.path()).string());
}

} // namespace
