// The HTML view: the browser engine's cold start (the first document in a
// fresh process) and showing a lyrics file in a view that is already up.
#include "texts/HtmlEditCtrl2.h"

#include "bench/BenchApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A cue sheet as the cue-sheet editor writes it: the style sheet, a header and 60 lines.
std::string writeLyrics(const std::filesystem::path& folder, const std::string& name)
{
    std::ofstream css(folder / "cuesheet2.css");
    css << "body, p, font { font-family: Liberation Sans; font-size: 12pt; line-height: 140%; }\r\n"
           ".lyrics { font-size: 14pt; color: #000080; }\r\n.hdr { font-size: 18pt; font-weight: bold; }\r\n";
    const std::filesystem::path path = folder / name;
    std::ofstream out(path);
    out << "<html><head><link rel=\"stylesheet\" href=\"cuesheet2.css\"><title>" << name
        << "</title></head><body><p class=\"hdr\">" << name << "</p>";
    for (int i = 0; i < 60; ++i)
        out << "<p class=\"lyrics\">Heads promenade half way, down the middle and square thru four " << i << "</p>";
    out << "</body></html>";
    return path.string();
}

struct Viewer {
    std::filesystem::path folder;
    CWnd host;
    CHtmlEditCtrl2 view;
    std::string a, b;

    Viewer()
    {
        bench::EnsureApplication();
        folder = std::filesystem::temp_directory_path() / ("mirtal-bench-html-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        a = writeLyrics(folder, "a.htm");
        b = writeLyrics(folder, "b.htm");
        host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, 0);
        view.Create(WS_VISIBLE, CRect(0, 0, 780, 580), &host, 0);
        host.ShowWindow(SW_SHOW);
    }
    ~Viewer()
    {
        host.DestroyWindow();
        std::filesystem::remove_all(folder);
    }
};

void BM_HtmlViewColdStart(benchmark::State& state)
{
    for (auto _ : state) {
        Viewer v;
        QElapsedTimer t;
        t.start();
        win::StartWebEngineNow();
        v.view.Navigate(v.a);
        if (!v.view.EnsureDocument())
            state.SkipWithError("the first document did not load");
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_HtmlViewColdStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_HtmlViewDocumentSwitch(benchmark::State& state)
{
    Viewer v;
    win::StartWebEngineNow();
    v.view.Navigate(v.a);
    v.view.EnsureDocument();
    bool second = true;
    for (auto _ : state) {
        v.view.Navigate(second ? v.b : v.a);
        if (!v.view.EnsureDocument())
            state.SkipWithError("a document did not load");
        second = !second;
    }
}
BENCHMARK(BM_HtmlViewDocumentSwitch)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_HtmlViewSetDocumentHtml(benchmark::State& state)
{
    Viewer v;
    win::StartWebEngineNow();
    v.view.Navigate(v.a);
    v.view.EnsureDocument();
    std::string html = "<html><body><p class=\"hdr\">From the record database</p>";
    for (int i = 0; i < 60; ++i)
        html += "<p style=\"font-size:14pt\">Sides face, grand square " + std::to_string(i) + "</p>";
    html += "</body></html>";
    for (auto _ : state)
        if (FAILED(v.view.SetDocumentHtml(html)))
            state.SkipWithError("the text did not load");
}
BENCHMARK(BM_HtmlViewSetDocumentHtml)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
