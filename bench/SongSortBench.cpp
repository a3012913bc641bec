// Sorting a song list of 100 000 rows by a column whose facts change while the
// program runs: the last play under the tracked dance name (column 5) and the
// rate (column 2). The sort gathers the fact of every row in one query, then
// sorts the rows in place. The main database holds the 100 000 songs and
// 100 000 plays.
#include "BenchApp.h"

#include "player/DlgMp3.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSongs = 100000;

std::string songPath(int i) { return "/home/caller/music/ABC " + std::to_string(i) + " - Song title.mp3"; }

struct SortRig {
    std::filesystem::path folder;
    CWnd host;
    std::unique_ptr<CDlgMp3> page;
    std::vector<CMemArray> shuffled;

    SortRig()
    {
        bench::EnsureApplication();
        folder = std::filesystem::temp_directory_path() / ("mirtal-sort-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        bench::RemoveAtExit(folder);
        std::filesystem::current_path(folder);
        g_baseFolder = folder.string();
        CMusicDb setup;
        setup.Init();
        for (const auto& [k, v] : {std::pair{"music - outputdevice", "0"}, {"music - rateactive", "true"},
                                   {"music - trackdatetime", "true"}, {"music - trackname", "Plus Tip"}})
            setup.SetSetting(k, v, 1);
        g_outputDevice = 0;
        CppSQLite3DB db;
        db.Open((folder / "mirtal.db").string());
        db.Execute("BEGIN;");
        for (int i = 0; i < kSongs; ++i) {
            db.Execute("insert into music values ('" + songPath(i) + "',44100,0,1.5,100,0.0,0.0,0,0,0,'',3," +
                       std::to_string(120 + i % 200) + ",'','2024-05-08 19:40:00',0,0,0,0,0,0,0,0,0.0,0.0);");
            db.Execute("update music set rate = " + std::to_string(i % 10) + " where path = '" + songPath(i) + "';");
            char date[16];
            std::snprintf(date, sizeof date, "20%02d-%02d-%02d", 10 + i % 15, 1 + i % 12, 1 + i % 28);
            db.Execute(std::string("insert into track values ('") + date + "','19:40','ABC','Plus Tip','1','" +
                       songPath(i) + "',3);");
        }
        db.Execute("COMMIT;");
        db.Close();
        host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1100, 720), nullptr, 0);
        page = std::make_unique<CDlgMp3>();
        page->Create(CDlgMp3::IDD, &host);
        for (int i = 0; i < kSongs; ++i) {
            CMemArray row;
            row.SetAll("ABC " + std::to_string(i), "Song title", "", songPath(i), "03:25", "", "0", "0", "", "");
            shuffled.push_back(row);
        }
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    }
};

SortRig& Rig()
{
    static SortRig* rig = new SortRig;
    return *rig;
}

// Argument: the row column, 5 the last play, 2 the rate.
void BM_SortSongList(benchmark::State& state)
{
    SortRig& rig = Rig();
    const int column = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        rig.page->SetSongRows(1, rig.shuffled);
        state.ResumeTiming();
        rig.page->SortList1(column, true);
        benchmark::DoNotOptimize(rig.page->SongRows(1).front().Col(column).size());
    }
    // Ascending by the column's fresh facts: rates 0 to 9, plays from 2010 on.
    const std::vector<CMemArray>& rows = rig.page->SongRows(1);
    const bool sorted = std::is_sorted(rows.begin(), rows.end(), [column](const CMemArray& a, const CMemArray& b) {
        return a.Col(column) < b.Col(column);
    });
    if (rows.size() != size_t(kSongs) || !sorted || rows.front().Col(column) != (column == 2 ? "0" : "2010-01-01, 19:40"))
        state.SkipWithError("the list is not sorted by the column's stored facts");
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_SortSongList)->Arg(5)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
