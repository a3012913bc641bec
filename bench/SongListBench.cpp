// Loading a song list of the music page from a folder of 10 000 songs whose
// lengths are stored (rate, length and comment columns on, marks of list 1
// shown): the folder scan, one facts query per 2 000 rows and the rows built.
#include "BenchApp.h"

#include "player/DlgMp3.h"
#include "store/AppGlobals.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSongs = 10000;

struct ListRig {
    std::filesystem::path folder;
    std::filesystem::path music;
    CWnd host;
    std::unique_ptr<CDlgMp3> page;

    ListRig()
    {
        bench::EnsureApplication();
        folder = std::filesystem::temp_directory_path() / ("mirtal-songlist-bench-" + std::to_string(::getpid()));
        music = folder / "music";
        std::filesystem::create_directories(music);
        bench::RemoveAtExit(folder);
        std::filesystem::current_path(folder);
        g_baseFolder = folder.string();
        g_outputDevice = 0;
        CMusicDb setup;
        setup.Init();
        for (const char* key : {"music - rateactive", "music - lengthactive", "music - commentactive",
                                "music - songmarker1"})
            setup.SetSetting(key, "true", 1);
        setup.SetSetting("music - outputdevice", "0", 1);
        CppSQLite3DB db;
        db.Open((folder / "mirtal.db").string());
        db.Execute("BEGIN;");
        for (int i = 0; i < kSongs; ++i) {
            // Every song file exists (empty: its length comes from the store, never from the file).
            const std::string name = "ABC " + std::to_string(i) + " - Song's title " + std::to_string(i) + ".mp3";
            const std::string path = (music / name).string();
            std::ofstream(path).put('\0');
            const std::string stored = CDbAccess::Sql(MyFunctions().EscapeSql(path));
            db.Execute("insert into music values ('" + stored +
                       "',44100,0,0.0,100,0.0,0.0,0,0,0,'',3," + std::to_string(120 + i % 200) +
                       ",'a comment','',0,0,0,0,0,0,0,0,0.0,0.0);");
            if (i % 10 == 0)
                db.Execute("insert into markext1 values ('" + stored + "', 0, '');");
        }
        db.Execute("COMMIT;");
        db.Close();
        host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1100, 720), nullptr, 0);
        page = std::make_unique<CDlgMp3>();
        page->Create(CDlgMp3::IDD, &host);
    }
};

void BM_LoadFolder10kSongs(benchmark::State& state)
{
    static ListRig& rig = *new ListRig;
    for (auto _ : state) {
        rig.page->LoadFolder(rig.music.string(), 1);
        benchmark::DoNotOptimize(rig.page->SongRows(1).size());
    }
    // Every song has its row, its stored length (never measured from the empty file) and its mark.
    const std::vector<CMemArray>& rows = rig.page->SongRows(1);
    const auto stored = std::count_if(rows.begin(), rows.end(), [](const CMemArray& r) {
        return r.Col(4).size() == 5 && r.Col(4) >= "02:00" && r.Col(4) <= "05:19";
    });
    const auto marked = std::count_if(rows.begin(), rows.end(), [](const CMemArray& r) { return r.Col(7) == "1"; });
    if (rows.size() != size_t(kSongs) || stored != kSongs || marked != kSongs / 10)
        state.SkipWithError("not every song got its row with its stored length and mark");
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_LoadFolder10kSongs)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
