// The music manager over a table of 100 000 songs (a fill as the page does it:
// one batch for the rows and the flags, the rows built and sorted, the list's
// count set and repainted; and a header click sorting them) and the track
// manager over a log of 20 000 plays (a fill, newest first).
#include "managers/ToolsMusic.h"
#include "managers/ToolsTrack.h"

#include "bench/BenchApp.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSongs = 100000;
constexpr int kPlays = 20000;

struct Tables {
    std::filesystem::path dir;
    std::filesystem::path oldCwd;

    Tables()
    {
        bench::EnsureApplication();
        dir = std::filesystem::temp_directory_path() / ("mirtal-managersbench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        g_baseFolder = dir.string();
        CMusicDb().Init();
        CppSQLite3DB db;
        db.Open((dir / "mirtal.db").string());
        db.Execute("BEGIN");
        db.Execute("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < " +
                   std::to_string(kSongs - 1) +
                   ") INSERT INTO music SELECT '/music/Label ' || ((i * 7919) % 1000) || ' - Song ' || i || '.mp3', "
                   "44100, 0, (i % 7) * 0.5, 100, 0, 0, 0, 0, 0, '01:05;', 0, 180 + i % 60, 'comment ' || (i % 97), "
                   "'', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0 FROM k;");
        db.Execute("INSERT INTO flag SELECT path, '3' FROM music WHERE rowid % 10 = 0;");
        db.Execute("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < " +
                   std::to_string(kPlays - 1) +
                   ") INSERT INTO track SELECT date('2020-01-01', '+' || (i / 100) || ' days'), "
                   "printf('%02d:%02d', (i / 60) % 24, i % 60), 'Song ' || i, 'Dance ' || (i % 20), '1', "
                   "'/music/Song ' || i || '.mp3', 1 + i % 10 FROM k;");
        db.Execute("COMMIT");
        db.Close();
    }
    ~Tables()
    {
        std::filesystem::current_path(oldCwd);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Tables& tables()
{
    static Tables t;
    return t;
}

template <class Page>
std::unique_ptr<Page> openPage()
{
    tables();
    auto page = std::make_unique<Page>();
    page->Create(Page::IDD, nullptr);
    page->ShowWindow(SW_SHOW);
    page->UpdateWindow();
    return page;
}

void BM_MusicManagerFill100kSongs(benchmark::State& state)
{
    auto page = openPage<CToolsMusic>();
    for (auto _ : state) {
        page->FillList();
        page->UpdateWindow();
    }
    state.counters["rows"] = double(page->Rows().size());
    page->DestroyWindow();
}
BENCHMARK(BM_MusicManagerFill100kSongs)->Unit(benchmark::kMillisecond);

void BM_MusicManagerSort100kSongs(benchmark::State& state)
{
    auto page = openPage<CToolsMusic>();
    int column = 1;
    for (auto _ : state) {
        NMHEADER nm;
        nm.hdr.hwndFrom = page->List().GetHeaderCtrl()->m_hWnd;
        nm.hdr.code = HDN_ITEMCLICK;
        nm.iItem = column;
        page->List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
        page->UpdateWindow();
        column = column == 1 ? 15 : 1;
    }
    page->DestroyWindow();
}
BENCHMARK(BM_MusicManagerSort100kSongs)->Unit(benchmark::kMillisecond);

void BM_TrackManagerFill20kPlays(benchmark::State& state)
{
    auto page = openPage<CToolsTrack>();
    for (auto _ : state) {
        page->FillList();
        page->UpdateWindow();
    }
    state.counters["rows"] = double(page->Rows().size());
    page->DestroyWindow();
}
BENCHMARK(BM_TrackManagerFill20kPlays)->Unit(benchmark::kMillisecond);

} // namespace
