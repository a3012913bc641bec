// Desktop shortcuts as freedesktop launchers: the Exec line's quoting and a
// launcher that cannot be written.
#include "common/TestSupport.h"
#include "platform/win/ShellLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

TEST(ShellLink, AProgramPathWithBlanksAndQuotesIsQuotedForTheLauncher)
{
    testsupport::TempDir dir;
    win::ShellLink link;
    link.target = "/opt/my \"best\" $apps/mirtal";
    link.workingDirectory = "/data/100%";
    ASSERT_TRUE(win::SaveShellLink(link, dir.file("a.desktop")));
    std::ifstream in(dir.file("a.desktop"));
    std::stringstream s;
    s << in.rdbuf();
    // Quoted, with '"' and '$' escaped inside, then each backslash escaped as the entry's strings are.
    EXPECT_NE(s.str().find("Exec=\"/opt/my \\\\\"best\\\\\" \\\\$apps/mirtal\"\n"), std::string::npos) << s.str();
    EXPECT_NE(s.str().find("Path=/data/100%\n"), std::string::npos);
    EXPECT_FALSE(win::SaveShellLink(link, dir.file("missing/a.desktop"))) << "a folder that is not there";
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

} // namespace
