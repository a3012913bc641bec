// The per-row lookups of a song list: for 1 000 songs the settings row
// (rating), the last play under the current dance name, the mark and the flag,
// read in one batch from a main database of 100 000 songs and 200 000 plays.
// The argument picks the lookups (a sum of kRate, kLastPlay, kMark, kFlag);
// kAll is the figure a song list pays.
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRate = 1;
constexpr int kLastPlay = 2;
constexpr int kMark = 4;
constexpr int kFlag = 8;
constexpr int kAll = kRate | kLastPlay | kMark | kFlag;

constexpr int kSongs = 100000;
constexpr int kPlays = 200000;

std::string songPath(int i) { return "/home/caller/music/ABC " + std::to_string(i) + " - Song title.mp3"; }

// Songs inserted in an order unlike their names, as they come when first played; every
// tenth song marked, every seventh flagged, two plays per song on days far apart.
void fill(const std::filesystem::path& folder)
{
    CMusicDb setup;
    setup.Init();
    CppSQLite3DB db;
    db.Open((folder / "mirtal.db").string());
    db.Execute("BEGIN;");
    for (int i = 0; i < kSongs; ++i) {
        const std::string p = songPath(i);
        db.Execute("insert into music values ('" + p +
                   "',44100,0,1.5,100,0.0,0.0,0,0,0,'0:10;',3,200,'a comment','2024-05-08 19:40:00',0,0,0,0,0,0,0,0,"
                   "0.0,0.0);");
        if (i % 10 == 0)
            db.Execute("insert into markext1 values ('" + p + "', " + std::to_string(i) + ", '/lists/one.m3u');");
        if (i % 7 == 0)
            db.Execute("insert into flag values ('" + p + "','2');");
    }
    for (int i = 0; i < kPlays; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "20%02d-%02d-%02d", 10 + i % 15, 1 + i % 12, 1 + i % 28);
        db.Execute(std::string("insert into track values ('") + date + "','19:40','ABC " +
                   std::to_string(i % kSongs) + "','" + (i % 2 ? "Club night" : "Plus Tip") + "',1,'" +
                   songPath(i % kSongs) + "',3);");
    }
    db.Execute("COMMIT;");
}

void BM_SongListLookups(benchmark::State& state)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("mirtal-bench-" + std::to_string(getpid()) + "-songdata");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path cwd = std::filesystem::current_path();
    const std::string savedBase = g_baseFolder;
    g_baseFolder = folder.string();
    fill(folder);

    const int lookups = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CMusicDb db;
        db.BeginBatch();
        size_t found = 0;
        for (int i = 0; i < 1000; ++i) {
            const std::string p = songPath(i * 97 % kSongs);
            if (lookups & kRate)
                found += db.GetRateText(p, 0).size();
            if (lookups & kLastPlay)
                found += db.GetLastTrackDate(p, "Plus Tip", 0).size();
            if (lookups & kMark)
                found += db.IsMarked(p, 1, 0, "", 0) ? 1 : 0;
            if (lookups & kFlag)
                found += static_cast<size_t>(db.GetFlag(p, 0));
        }
        db.CommitBatch();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * 1000);

    std::filesystem::current_path(cwd);
    g_baseFolder = savedBase;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SongListLookups)
    ->Arg(kAll)
    ->Arg(kRate)
    ->Arg(kLastPlay)
    ->Arg(kMark)
    ->Arg(kFlag)
    ->Unit(benchmark::kMillisecond);

} // namespace
