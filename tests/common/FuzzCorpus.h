#pragma once
// A fuzz target's seed corpus, run as an ordinary test: every seed goes through
// the target's entry once, so a seed that once crashed stays fixed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace testsupport {

// The corpus folder, given relative to the source tree (e.g.
// "tests/karaoke/fuzz-corpus"). MIRTAL_TEST_SOURCE names the tree under ctest;
// otherwise the tree is found from this header's own path, which a compiler
// cache may make relative to the build folder (the parent of bin/).
inline std::filesystem::path FuzzCorpusFolder(const std::string& relative)
{
    namespace fs = std::filesystem;
    if (const char* source = std::getenv("MIRTAL_TEST_SOURCE"))
        return fs::path(source) / relative;
    fs::path root = fs::path(__FILE__).parent_path().parent_path().parent_path();
    std::error_code ec;
    if (root.is_relative())
        root = fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / root;
    return (root / relative).lexically_normal();
}

// Runs every seed of the folder through the fuzz entry; at least minSeeds must exist.
inline void RunFuzzCorpus(const std::string& relative, int minSeeds)
{
    namespace fs = std::filesystem;
    const fs::path folder = FuzzCorpusFolder(relative);
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        ++seeds;
    }
    EXPECT_GE(seeds, minSeeds);
}

} // namespace testsupport
