// The playlist manager's rows of a 1 000-song folder whose lengths are
// stored: label and title, the play count (Track DB Info) and the stored
// length, in one batch, from a main database of 20 000 songs and 40 000 plays.
// The argument: 0 texts only, 1 with the Track column, 2 with the Length
// column, 3 with both.
#include "managers/PlaylistRows.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSongs = 20000;
constexpr int kPlays = 40000;

std::string songPath(int i) { return "/home/caller/music/ABC " + std::to_string(i) + " - Song title.mp3"; }

void fill(const std::filesystem::path& folder)
{
    CMusicDb setup;
    setup.Init();
    CppSQLite3DB db;
    db.Open((folder / "mirtal.db").string());
    db.Execute("BEGIN;");
    for (int i = 0; i < kSongs; ++i)
        db.Execute("insert into music values ('" + songPath(i) + "',44100,0,1.5,100,0.0,0.0,0,0,0,'',3," +
                   std::to_string(120 + i % 200) + ",'','2024-05-08 19:40:00',0,0,0,0,0,0,0,0,0.0,0.0);");
    for (int i = 0; i < kPlays; ++i)
        db.Execute("insert into track values ('2024-01-01','19:40','ABC','Plus Tip','1','" + songPath(i % kSongs) +
                   "',3);");
    db.Execute("COMMIT;");
}

void BM_PlaylistRowsWithStoredLengths(benchmark::State& state)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("mirtal-bench-" + std::to_string(getpid()) + "-playlist");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path cwd = std::filesystem::current_path();
    const std::string savedBase = g_baseFolder;
    g_baseFolder = folder.string();
    fill(folder);

    const playlistrows::RowOptions options{0, (state.range(0) & 1) != 0, (state.range(0) & 2) != 0};
    for (auto _ : state) {
        CMusicDb db;
        db.BeginBatch();
        size_t texts = 0;
        for (int i = 0; i < 1000; ++i)
            texts += playlistrows::MakeRow(songPath(i * 17 % kSongs), options, db, 0).GetCol(4).size();
        db.CommitBatch();
        benchmark::DoNotOptimize(texts);
    }
    state.SetItemsProcessed(state.iterations() * 1000);

    std::filesystem::current_path(cwd);
    g_baseFolder = savedBase;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_PlaylistRowsWithStoredLengths)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
