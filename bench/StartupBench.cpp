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
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

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
    for (auto _ : state) {
        auto dlg = std::make_unique<CMirtalDlg>();
        dlg->Create(CMirtalDlg::IDD);
        QElapsedTimer guard;
        guard.start();
        while (!dlg->IsFirstPaintDone() && !dlg->StartupFailed() && guard.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        if (!dlg->IsFirstPaintDone())
            state.SkipWithError("the main window did not finish its first paint");
        state.PauseTiming();
        dlg->DestroyWindow();
        dlg.reset();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    std::filesystem::current_path(cwd);
    std::filesystem::remove_all(folder);
    win::SetDisplayOverride(std::nullopt);
}
BENCHMARK(BM_StartToShownMainWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
