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
    return fs::path(__FILE__).parent_path() / "fuzz-corpus";
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
