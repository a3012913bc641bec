// The data store: reading a whole 100,000-row result with GetTable, and
// writing 50,000 rows inside one transaction, as the imports and the batch
// writers of the program do.
#include "store/CppSQLite3.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string tempDbPath(const char* name)
{
    return (std::filesystem::temp_directory_path() /
            ("mirtal-bench-" + std::to_string(getpid()) + "-" + name))
        .string();
}

// A table shaped like the song settings: a path, numbers and a comment.
void createSongs(CppSQLite3DB& db, int rows)
{
    db.Execute("create table music(path varchar(100), speed int, pitch int, tempo double, volume int, "
               "comment varchar(150));");
    db.Execute("BEGIN;");
    for (int i = 0; i < rows; ++i)
        db.Execute("insert into music values ('/home/caller/music/ABC " + std::to_string(i) +
                   " - Song title.mp3'," + std::to_string(44100 + i % 100) + "," + std::to_string(i % 7) + "," +
                   std::to_string(i % 13) + ".25,100,'a comment');");
    db.Execute("COMMIT;");
}

void BM_GetTable100kRows(benchmark::State& state)
{
    const std::string path = tempDbPath("gettable.db");
    std::filesystem::remove(path);
    CppSQLite3DB db;
    db.Open(path);
    createSongs(db, 100000);
    for (auto _ : state) {
        CppSQLite3Table t = db.GetTable("SELECT * FROM music;");
        benchmark::DoNotOptimize(t.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    db.Close();
    std::filesystem::remove(path);
}
BENCHMARK(BM_GetTable100kRows)->Unit(benchmark::kMillisecond);

void BM_Insert50kRowsInOneTransaction(benchmark::State& state)
{
    const std::string path = tempDbPath("insert.db");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        CppSQLite3DB db;
        db.Open(path);
        db.Execute("PRAGMA synchronous = 1");
        state.ResumeTiming();
        createSongs(db, 50000);
    }
    state.SetItemsProcessed(state.iterations() * 50000);
    std::filesystem::remove(path);
}
BENCHMARK(BM_Insert50kRowsInOneTransaction)->Unit(benchmark::kMillisecond);

} // namespace
