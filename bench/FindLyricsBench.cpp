// Find Lyrics' folder search over a lyrics folder of 5 000 files (lyrics,
// PDFs and the songs beside them), and sorting what an empty search lists.
#include "texts/MarryDlg.h"

#include "bench/BenchApp.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFiles = 5000;

// A data folder with mirtal.db and a lyrics folder: per song "RR n - Title n" a
// ".htm", every fourth a ".pdf" as well, the rest of the 5 000 the songs' ".mp3".
struct LyricsFolder {
    std::string base;
    std::string lyrics;
    LyricsFolder()
    {
        base = "/tmp/mirtal-bench-lyrics-" + std::to_string(getpid());
        lyrics = base + "/lyrics";
        std::filesystem::create_directories(lyrics);
        int made = 0;
        for (int n = 0; made < kFiles; ++n) {
            const std::string name = lyrics + "/RR " + std::to_string(n) + " - " + (n % 10 == 0 ? "Sunny " : "Song ") +
                                     std::to_string(n);
            for (const char* ext : {".htm", ".mp3", ".pdf"}) {
                if (made == kFiles || (ext[1] == 'p' && n % 4 != 0))
                    continue;
                std::ofstream(name + ext) << "x";
                ++made;
            }
        }
        g_baseFolder = base;
        std::filesystem::current_path(base);
        CMusicDb().Init();
        g_lyricsPathGlobal = lyrics;
    }
    ~LyricsFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(base, ignored);
    }
};

void searchFolder(benchmark::State& state, const std::string& text, bool sort)
{
    bench::EnsureApplication();
    LyricsFolder folder;
    CMarryDlg finder(nullptr);
    LyricsCandidates none;
    finder.Setup(none, "/music/RR 1 - Sunny 1.mp3");
    int rows = 0;
    for (auto _ : state) {
        finder.ScanFolder(folder.lyrics, 0, text);
        if (sort)
            finder.SortByColumn(1);
        rows = finder.GetRowCount();
        state.PauseTiming();
        finder.Setup(none, "/music/RR 1 - Sunny 1.mp3");
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

void BM_FindLyricsFolderSearch(benchmark::State& state) { searchFolder(state, "SUNNY", false); }
BENCHMARK(BM_FindLyricsFolderSearch)->Unit(benchmark::kMillisecond);

void BM_FindLyricsListEverythingAndSort(benchmark::State& state) { searchFolder(state, "", true); }
BENCHMARK(BM_FindLyricsListEverythingAndSort)->Unit(benchmark::kMillisecond);

} // namespace
