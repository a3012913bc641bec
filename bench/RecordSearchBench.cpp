// The record database search over a catalogue of 20 000 records: a search
// that lists every record, a narrow one, and a sort of all the hits by a
// header click, each as the window does it (query, rows, list count, repaint).
#include "texts/SqRecord.h"

#include "bench/BenchApp.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/ListCtrl.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kRecords = 20000;

struct Catalogue {
    std::filesystem::path dir;
    std::filesystem::path oldCwd;
    std::unique_ptr<CSqRecord> window;

    Catalogue()
    {
        bench::EnsureApplication();
        dir = std::filesystem::temp_directory_path() / ("mirtal-recordbench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        g_baseFolder = dir.string();
        CMusicDb().Init();
        CUtilityDb().Init();
        CppSQLite3DB db;
        db.Open((dir / "utility.db").string());
        db.Execute("BEGIN");
        for (int i = 0; i < kRecords; ++i) {
            const std::string n = std::to_string(i);
            const std::string label = "RR " + std::to_string(100000 + i);
            const std::string title = "Song Number " + std::to_string((i * 7919) % kRecords);
            db.Execute("insert into sqrecord values('" + label + "','" + title + "','Caller " +
                       std::to_string(i % 300) + "','Company " + std::to_string(i % 40) + "','" + label + " - " +
                       title + "','[no]');");
        }
        for (int i = 0; i < 300; ++i)
            db.Execute("insert into caller values('CALLER " + std::to_string(i) + "');");
        db.Execute("COMMIT");
        db.Close();
        window = std::make_unique<CSqRecord>();
        window->Create(CSqRecord::IDD, nullptr);
        window->ShowWindow(SW_SHOW);
    }
    ~Catalogue()
    {
        window->DestroyWindow();
        window.reset();
        std::filesystem::current_path(oldCwd);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void search(const std::string& text, int type)
    {
        window->GetDlgItem(1067)->SetWindowText(text);
        static_cast<CComboBox*>(window->GetDlgItem(1110))->SetCurSel(type);
        window->SendMessage(WM_COMMAND, MAKEWPARAM(1117, BN_CLICKED), LPARAM(window->GetDlgItem(1117)->m_hWnd));
        window->UpdateWindow();
    }
    void clickHeader(int column)
    {
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = window->GetDlgItem(1009)->m_hWnd;
        nm.hdr.idFrom = 1009;
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iSubItem = column;
        window->SendMessage(WM_NOTIFY, 1009, LPARAM(&nm));
        window->UpdateWindow();
    }
};

Catalogue& catalogue()
{
    static Catalogue c;
    return c;
}

void BM_RecordSearchAll(benchmark::State& state)
{
    Catalogue& c = catalogue();
    for (auto _ : state)
        c.search("", 0);
    state.counters["hits"] = double(c.window->Rows().size());
}
BENCHMARK(BM_RecordSearchAll)->Unit(benchmark::kMillisecond);

void BM_RecordSearchNarrow(benchmark::State& state)
{
    Catalogue& c = catalogue();
    for (auto _ : state)
        c.search("number 1999", 0);
    state.counters["hits"] = double(c.window->Rows().size());
}
BENCHMARK(BM_RecordSearchNarrow)->Unit(benchmark::kMillisecond);

void BM_RecordSortAllHits(benchmark::State& state)
{
    Catalogue& c = catalogue();
    c.search("", 0);
    int column = 1;
    for (auto _ : state) {
        c.clickHeader(column);
        column = column == 1 ? 2 : 1;
    }
}
BENCHMARK(BM_RecordSortAllHits)->Unit(benchmark::kMillisecond);

} // namespace
