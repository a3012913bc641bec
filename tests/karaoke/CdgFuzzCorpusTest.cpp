#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

fs::path CorpusFolder()
{
    if (const char* source = std::getenv("MIRTAL_TEST_SOURCE"))
        return fs::path(source) / "tests/karaoke/fuzz-corpus";
    fs::path here = fs::path(__FILE__).parent_path();
    // A compiler cache may compile with paths relative to the build folder,
    // the parent of the folder this program lies in.
    std::error_code ec;
    if (here.is_relative())
        here = fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / here;
    return (here / "fuzz-corpus").lexically_normal();
}

} // namespace

TEST(CdgFuzzCorpus, EverySeedRunsCleanly)
{
    const fs::path folder = CorpusFolder();
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}
