// The program's start: from the construction of the main window to the end
// of its first paint (databases opened and checked, about 140 settings read,
// pages created, the stored level applied, the window placed and the backup
// copy of mirtal.db made) on a main database of 100,000 songs.
#include "app/MirtalDlg.h"
#include "platform/win/Display.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <atomic>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// Every commit of every connection the process opens, counted through SQLite's
// commit hook (installed on each new connection by an automatic extension).
std::atomic<long> g_commits{0};

int countCommit(void*)
{
    ++g_commits;
    return 0; // let the commit go ahead
}

int hookConnection(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    sqlite3_commit_hook(db, countCommit, nullptr);
    return SQLITE_OK;
}

void countCommits()
{
    static const bool installed = [] {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(hookConnection));
        return true;
    }();
    (void)installed;
}

QApplication& application()
{
    static int argc = 1;
    static char name[] = "mirtal_bench";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(argc, argv);
    return app;
}

// A data folder whose mirtal.db holds the given number of songs and has had its first run.
std::filesystem::path makeDataFolder(int songs)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("mirtal-bench-start-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    g_baseFolder = folder.string();
    {
        CMusicDb music;
        music.Init();
        music.SetSetting("system - setup", "false", 1);
    }
    CppSQLite3DB db;
    db.Open((folder / "mirtal.db").string());
    db.Execute("BEGIN;");
    for (int i = 0; i < songs; ++i)
        db.Execute("INSERT INTO music (path, speed, pitch, tempo, volume) VALUES ('/home/caller/music/ABC " +
                   std::to_string(i) + " - Song title.mp3', 44100, 0, 0, 100);");
    db.Execute("COMMIT;");
    db.Close();
    return folder;
}

void BM_StartToShownMainWindow(benchmark::State& state)
{
    application();
    win::SetDisplayOverride(win::DisplayMetrics{1920, 1080, 96, 96});
    const std::filesystem::path cwd = std::filesystem::current_path();
    const std::filesystem::path folder = makeDataFolder(int(state.range(0)));
    std::filesystem::current_path(folder);
    countCommits();
    long commits = 0;
    for (auto _ : state) {
        const long before = g_commits;
        auto dlg = std::make_unique<CMirtalDlg>();
        dlg->Create(CMirtalDlg::IDD);
        QElapsedTimer guard;
        guard.start();
        while (!dlg->IsFirstPaintDone() && !dlg->StartupFailed() && guard.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        if (!dlg->IsFirstPaintDone())
            state.SkipWithError("the main window did not finish its first paint");
        state.PauseTiming();
        commits += g_commits - before;
        dlg->DestroyWindow();
        dlg.reset();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    // Commits of one start (the window's end is not counted).
    state.counters["commits"] = double(commits) / double(state.iterations());
    std::filesystem::current_path(cwd);
    std::filesystem::remove_all(folder);
    win::SetDisplayOverride(std::nullopt);
}
BENCHMARK(BM_StartToShownMainWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
