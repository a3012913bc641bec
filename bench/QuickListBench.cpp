// The virtual list of the song lists with 100 000 rows: the first paint after
// the rows arrive, a page down and a scroll to the end, each with the cells
// the list asks its parent for.
#include "controls/QuickList.h"

#include "bench/BenchApp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kRows = 100000;
constexpr int kOpenColumns = 5;

// The parent answers each cell as the pages do: a text made on request and the
// colour of every second row.
class Host : public CWnd {
public:
    long long cells = 0;
    int lowest = kRows;
    int highest = -1;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UWM_QUICKLIST_GETITEM) {
            auto* cell = reinterpret_cast<ListCellData*>(lParam);
            ++cells;
            lowest = std::min(lowest, cell->GetItem());
            highest = std::max(highest, cell->GetItem());
            char text[64];
            std::snprintf(text, sizeof text, "Song %d, column %d", cell->GetItem(), cell->GetSubItem());
            cell->text = text;
            if (cell->GetItem() % 2 == 0)
                cell->backColor = RGB(230, 240, 255);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void reset()
    {
        cells = 0;
        lowest = kRows;
        highest = -1;
    }
};

struct Page {
    Host host;
    CQuickList list;

    Page()
    {
        bench::EnsureApplication();
        host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700), nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                    CRect(0, 0, 880, 680), &host, 1009);
        const char* names[] = {"Title", "Label", "Rate", "Path", "Length", "Comment"};
        const int widths[] = {220, 120, 50, 0, 60, 200};
        for (int c = 0; c < 6; ++c)
            list.InsertColumn(c, names[c], LVCFMT_LEFT, widths[c]);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        host.ShowWindow(SW_SHOW);
        list.SetFocus();
    }
    ~Page() { host.DestroyWindow(); }
    // Lets whatever waits to be painted be painted, outside the measurement.
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        host.reset();
    }
    void paint() { benchmark::DoNotOptimize(list.widget()->grab()); }
    void key(int k)
    {
        QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(list.widget(), &down);
    }
    void report(benchmark::State& state)
    {
        const int perPage = list.GetCountPerPage();
        state.counters["cells"] = double(host.cells);
        state.counters["rows_shown"] = double(host.highest - host.lowest + 1);
        state.counters["rows_per_page"] = perPage;
        // Only the rows on screen (a part-shown last row included) are asked for, each open column once.
        if (host.cells > (perPage + 1) * kOpenColumns)
            state.SkipWithError("the list asked for cells it does not show");
    }
};

Page& page()
{
    static Page p;
    return p;
}

void BM_QuickListFirstPaint100kRows(benchmark::State& state)
{
    Page& p = page();
    for (auto _ : state) {
        state.PauseTiming();
        p.list.SetItemCount(0);
        p.paint();
        p.settle();
        state.ResumeTiming();
        p.list.SetItemCount(kRows);
        p.paint();
    }
    p.report(state);
}
BENCHMARK(BM_QuickListFirstPaint100kRows)->Unit(benchmark::kMillisecond);

void BM_QuickListPageDown100kRows(benchmark::State& state)
{
    Page& p = page();
    p.list.SetItemCount(kRows);
    p.key(Qt::Key_Home);
    for (auto _ : state) {
        state.PauseTiming();
        if (p.list.GetTopIndex() + 2 * p.list.GetCountPerPage() >= kRows)
            p.key(Qt::Key_Home);
        p.paint();
        p.settle();
        state.ResumeTiming();
        p.key(Qt::Key_PageDown);
        p.paint();
    }
    p.report(state);
    state.counters["top_row"] = p.list.GetTopIndex();
}
BENCHMARK(BM_QuickListPageDown100kRows)->Unit(benchmark::kMillisecond);

void BM_QuickListScrollToEnd100kRows(benchmark::State& state)
{
    Page& p = page();
    p.list.SetItemCount(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        p.list.EnsureVisible(0, FALSE);
        p.paint();
        p.settle();
        state.ResumeTiming();
        p.list.EnsureVisible(kRows - 1, FALSE);
        p.paint();
    }
    p.report(state);
    state.counters["last_row_asked"] = p.host.highest;
}
BENCHMARK(BM_QuickListScrollToEnd100kRows)->Unit(benchmark::kMillisecond);

} // namespace
