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
#include <vector>
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

// A data folder with the filled database for one benchmark, removed afterwards.
class FilledFolder {
public:
    explicit FilledFolder(const char* name)
        : m_folder(std::filesystem::temp_directory_path() /
                   ("mirtal-bench-" + std::to_string(getpid()) + "-" + name)),
          m_cwd(std::filesystem::current_path()), m_savedBase(g_baseFolder)
    {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        g_baseFolder = m_folder.string();
        fill(m_folder);
    }
    ~FilledFolder()
    {
        std::filesystem::current_path(m_cwd);
        g_baseFolder = m_savedBase;
        std::filesystem::remove_all(m_folder);
    }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_cwd;
    std::string m_savedBase;
};

void BM_SongListLookups(benchmark::State& state)
{
    FilledFolder folder("songdata");

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
}
BENCHMARK(BM_SongListLookups)
    ->Arg(kAll)
    ->Arg(kRate)
    ->Arg(kLastPlay)
    ->Arg(kMark)
    ->Arg(kFlag)
    ->Unit(benchmark::kMillisecond);

// The same facts as BM_SongListLookups/15 for a page of rows, or (argument 100 000) for a whole
// list being sorted or filtered: one statement with the paths bound (CMusicDb::GetSongFacts).
void BM_SongFacts(benchmark::State& state)
{
    FilledFolder folder("songfacts");
    const int rows = static_cast<int>(state.range(0));
    std::vector<std::string> paths;
    for (int i = 0; i < rows; ++i)
        paths.push_back(songPath(static_cast<int>(static_cast<long long>(i) * 97 % kSongs)));
    SongFactsRequest request;
    request.lastPlayed = true;
    request.danceName = "Plus Tip";
    request.marks = {true, false, false};
    for (auto _ : state) {
        CMusicDb db;
        db.BeginBatch();
        const std::vector<SongFacts> facts = db.GetSongFacts(paths, request, 0);
        db.CommitBatch();
        benchmark::DoNotOptimize(facts.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_SongFacts)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
