// The data store: reading a whole 100,000-row result with GetTable, writing
// 50,000 rows inside one transaction, as the imports and the batch writers of
// the program do, and the start of the main database.
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

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

// Start of the store as the main window does it: open, upgrade check, schema
// check, then 200 settings read in one batch; `music` holds state.range(0) rows
// and ini about 900 settings.
void BM_StoreStartup(benchmark::State& state)
{
    const std::filesystem::path folder = tempDbPath("startup");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path cwd = std::filesystem::current_path();
    const std::string savedBase = g_baseFolder;
    g_baseFolder = folder.string();
    {
        CMusicDb setup;
        setup.Init();
        CppSQLite3DB db;
        db.Open((folder / "mirtal.db").string());
        db.Execute("BEGIN;");
        for (int i = 0; i < state.range(0); ++i)
            db.Execute("insert into music (path, speed, pitch, tempo, volume) values ('/home/caller/music/ABC " +
                       std::to_string(i) + " - Song.mp3', 44100, 0, 0.0, 100);");
        for (int i = 0; i < 700; ++i)
            db.Execute("insert into ini values ('dialog - setting" + std::to_string(i) + "', 'value');");
        db.Execute("COMMIT;");
    }
    for (auto _ : state) {
        CMusicDb db;
        db.Init();
        db.BeginBatch();
        int sum = 0;
        for (int i = 0; i < 200; ++i) {
            switch (i % 3) {
            case 0: sum += static_cast<int>(db.GetSetting("dialog - setting" + std::to_string(i * 3), 0).size()); break;
            case 1: sum += db.GetSettingBool("music - gridlines", 0) ? 1 : 0; break;
            default: sum += db.GetSettingInt("general - arrowscrollhtml", 0); break;
            }
        }
        db.CommitBatch();
        benchmark::DoNotOptimize(sum);
    }
    std::filesystem::current_path(cwd);
    g_baseFolder = savedBase;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StoreStartup)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
