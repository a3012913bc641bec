// The report list in owner-data mode with 100 000 rows: the first paint after
// the rows arrive and scrolling a page, with the cells the list asks for.
#include "platform/win/ListCtrl.h"

#include "bench/BenchApp.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The parent answers each cell as the program's pages do: a text made on request.
class Host : public CWnd {
public:
    long long cells = 0;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        if (h->code == LVN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMLVDISPINFO*>(h);
            ++cells;
            std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "Song %d, column %d",
                          info->item.iItem, info->item.iSubItem);
            *result = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, result);
    }
};

struct Page {
    Host host;
    CListCtrl list;

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
    }
    ~Page() { host.DestroyWindow(); }
    void paint() { benchmark::DoNotOptimize(list.widget()->grab()); }
};

Page& page()
{
    static Page p;
    return p;
}

void BM_ListFirstPaint100kRows(benchmark::State& state)
{
    Page& p = page();
    long long cells = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.list.SetItemCount(0);
        p.paint();
        p.host.cells = 0;
        state.ResumeTiming();
        p.list.SetItemCount(100000);
        p.paint();
        cells = p.host.cells;
    }
    state.counters["cells"] = double(cells);
}
BENCHMARK(BM_ListFirstPaint100kRows)->Unit(benchmark::kMillisecond);

void BM_ListScrollPage100kRows(benchmark::State& state)
{
    Page& p = page();
    p.list.SetItemCount(100000);
    p.paint();
    const int perPage = p.list.GetCountPerPage();
    const int rowHeight = [&] {
        CRect r;
        p.list.GetItemRect(0, &r, LVIR_BOUNDS);
        return r.Height();
    }();
    long long cells = 0;
    for (auto _ : state) {
        if (p.list.GetTopIndex() + 2 * perPage >= 100000)
            p.list.EnsureVisible(0, FALSE);
        p.host.cells = 0;
        p.list.Scroll(CSize(0, perPage * rowHeight));
        p.paint();
        cells = p.host.cells;
    }
    state.counters["cells"] = double(cells);
    state.counters["rows_per_page"] = perPage;
}
BENCHMARK(BM_ListScrollPage100kRows)->Unit(benchmark::kMillisecond);

} // namespace
