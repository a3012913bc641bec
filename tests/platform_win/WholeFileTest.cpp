// Whole-file writes through a scratch file renamed over the target: a write
// that fails at any step leaves the older file and no scratch file.
#include "common/TestSupport.h"
#include "platform/win/WholeFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

TEST(WholeFile, ReplacesTheFileKeepingItsPermissionsAndFollowingALink)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("list.m3u");
    ASSERT_TRUE(win::WriteWholeFile(path, "first\r\n"));
    EXPECT_EQ(testsupport::readFile(path), "first\r\n");

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(win::WriteWholeFile(path, "second"));
    EXPECT_EQ(testsupport::readFile(path), "second");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    // Through a link the file it names changes; the link stays a link.
    const std::string link = dir.file("link.m3u");
    fs::create_symlink(path, link);
    ASSERT_TRUE(win::WriteWholeFile(link, std::string_view("\0third", 6)));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testsupport::readFile(path), std::string("\0third", 6));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2) << "no scratch file";
}

// Runs the write with the process's file size limit at limit bytes (0: none).
bool writeWithSizeLimit(const std::string& path, const std::string& bytes, rlim_t limit, std::string& reason)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit cut = old;
    cut.rlim_cur = limit ? limit : old.rlim_cur;
    setrlimit(RLIMIT_FSIZE, &cut);
    const bool ok = win::WriteWholeFile(path, bytes, &reason);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return ok;
}

TEST(WholeFile, AFailedWriteLeavesTheOlderFileAndNoScratchFile)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> arrange;
        rlim_t sizeLimit;
    };
    const Case cases[] = {
        {"the disk takes only part of the bytes", [](const std::string&) {}, 4096},
        {"a folder stands where the scratch file goes",
         [](const std::string& path) { fs::create_directory(win::WholeFileScratch(path)); }, 0},
    };
    const std::string bytes(64 * 1024, 'x');
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const std::string path = dir.file("songs.csv");
        testsupport::writeFile(path, "the older file");
        c.arrange(path);
        std::string reason;
        EXPECT_FALSE(writeWithSizeLimit(path, bytes, c.sizeLimit, reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_EQ(testsupport::readFile(path), "the older file") << c.what;
        EXPECT_FALSE(fs::is_regular_file(win::WholeFileScratch(path))) << c.what;
    }

    // The rename fails (a folder holds the name): the scratch file goes again.
    testsupport::TempDir dir;
    fs::create_directories(dir.file("taken/inside"));
    std::string reason;
    EXPECT_FALSE(win::WriteWholeFile(dir.file("taken"), "x", &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(fs::is_directory(dir.file("taken/inside")));
    EXPECT_FALSE(fs::exists(win::WholeFileScratch(dir.file("taken"))));

    // No folder, no name: nothing is made.
    EXPECT_FALSE(win::WriteWholeFile(dir.file("missing/x.html"), "x"));
    EXPECT_FALSE(fs::exists(dir.file("missing")));
    EXPECT_FALSE(win::WriteWholeFile("", "x"));
}

} // namespace
