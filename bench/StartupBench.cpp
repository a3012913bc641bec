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

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <vector>

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


// ---- the whole program as a process ------------------------------------------------

// A caller's real library: 100 000 songs with every column of `music` filled,
// 200 000 plays, every tenth song marked in a list, every seventh flagged,
// markers with comments on every twentieth (about 95 MB).
std::filesystem::path makeRealisticDataFolder()
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("mirtal-bench-process-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string saved = g_baseFolder;
    g_baseFolder = folder.string();
    {
        CMusicDb music;
        music.Init();
        music.SetSetting("system - setup", "false", 1);
    }
    g_baseFolder = saved;
    auto song = [](int i) { return "/home/caller/music/Label " + std::to_string(i % 97) + "/ABC " + std::to_string(i) + " - A song title of a usual length.mp3"; };
    CppSQLite3DB db;
    db.Open((folder / "mirtal.db").string());
    db.Execute("BEGIN;");
    for (int i = 0; i < 100000; ++i) {
        const std::string p = song((i * 7919) % 100000);
        db.Execute("insert into music values ('" + p + "',44100," + std::to_string(i % 5 - 2) + ",1.5,88,12.5,230.25," +
                   std::to_string(i % 6) + ",3,1,'0:10;0:42;1:15;','" + std::to_string(i % 6) +
                   "',200,'A comment on the song, its figures and where it went well','2024-05-08 19:40:00',1,2,3,"
                   "4,5,6,7,8,9.5,10.5);");
        if (i % 10 == 0)
            db.Execute("insert into markext1 values ('" + p + "', " + std::to_string(i) + ", '/lists/one.m3u');");
        if (i % 7 == 0)
            db.Execute("insert into flag values ('" + p + "','2');");
        if (i % 20 == 0)
            db.Execute("insert into musicmarkers values ('" + p + "', 42.5, 'Break here');");
    }
    for (int i = 0; i < 200000; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "20%02d-%02d-%02d", 10 + i % 15, 1 + i % 12, 1 + i % 28);
        db.Execute(std::string("insert into track values ('") + date + "','19:40','ABC " + std::to_string(i % 100000) +
                   "','" + (i % 2 ? "Club night" : "Plus Tip") + "',1,'" + song(i % 100000) + "',3);");
    }
    db.Execute("COMMIT;");
    db.Close();
    return folder;
}

std::string besideThisProgram(const char* name)
{
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? size_t(n) : 0);
    return path.substr(0, path.find_last_of('/') + 1) + name;
}

// Milliseconds from starting `program` in `folder` to its "first paint" line
// on stderr; the process is killed then. Negative when it never says it.
double msToFirstPaint(const std::string& program, const std::filesystem::path& folder)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 2);
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        setenv("MIRTAL_REPORT_FIRST_PAINT", "1", 1);
        if (!std::getenv("DISPLAY"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (getuid() == 0)
            setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    double ms = -1;
    std::string seen;
    char buffer[4096];
    pollfd p{pipeFds[0], POLLIN, 0};
    while (ms < 0 && poll(&p, 1, 20000) > 0) {
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, size_t(n));
        if (seen.find("first paint\n") != std::string::npos)
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    }
    close(pipeFds[0]);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return ms;
}

// The program's start to the end of the paint that shows its main window placed,
// with its level and page (what the user waits for), timed as
// a process (libraries loaded, static set-up, the window layer, the databases
// of a realistic library), beside a plain Qt window started the same way in
// the same iteration. On the X server of DISPLAY when there is one, else the
// offscreen platform. Counters: medians, lowest and highest in milliseconds,
// and the ratio of the medians.
void BM_ProcessStartToFirstPaint(benchmark::State& state)
{
    static const struct Folder {
        std::filesystem::path path = makeRealisticDataFolder();
        ~Folder() { std::filesystem::remove_all(path); }
    } data;
    const std::filesystem::path& folder = data.path;
    const std::string mirtal = besideThisProgram("mirtal");
    const std::string plain = besideThisProgram("mirtal_plain_window");
    msToFirstPaint(mirtal, folder);  // the first start writes what later ones find
    std::vector<double> ours;
    std::vector<double> qt;
    for (auto _ : state) {
        qt.push_back(msToFirstPaint(plain, folder));
        ours.push_back(msToFirstPaint(mirtal, folder));
        if (ours.back() < 0 || qt.back() < 0) {
            state.SkipWithError("a program did not report its first paint");
            break;
        }
    }
    if (ours.empty())
        return;
    std::sort(ours.begin(), ours.end());
    std::sort(qt.begin(), qt.end());
    state.counters["mirtal_ms"] = ours[ours.size() / 2];
    state.counters["mirtal_min"] = ours.front();
    state.counters["mirtal_max"] = ours.back();
    state.counters["qt_ms"] = qt[qt.size() / 2];
    state.counters["qt_min"] = qt.front();
    state.counters["qt_max"] = qt.back();
    state.counters["ratio"] = ours[ours.size() / 2] / qt[qt.size() / 2];
}
BENCHMARK(BM_ProcessStartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(11)->UseRealTime();

} // namespace
