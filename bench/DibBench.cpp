// Drawing into palette DIB sections (1, 4 and 8 bits, 320 x 240): each
// operation brings the caller's pixels into the drawing image and back, so a
// small fill costs two whole conversions.
#include "platform/win/Dc.h"
#include "platform/win/Gdi.h"

#include "bench/BenchApp.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

namespace {

void BM_DibSectionFill(benchmark::State& state)
{
    bench::EnsureApplication();
    const int bits = int(state.range(0));
    const int colours = 1 << bits;
    std::vector<unsigned char> header(sizeof(BITMAPINFOHEADER) + size_t(colours) * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader = BITMAPINFOHEADER{};
    info->bmiHeader.biWidth = 320;
    info->bmiHeader.biHeight = 240;
    info->bmiHeader.biBitCount = WORD(bits);
    info->bmiHeader.biClrUsed = DWORD(colours);
    auto* pal = reinterpret_cast<RGBQUAD*>(header.data() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < colours; ++i) {
        const auto v = BYTE(i * 255 / (colours - 1));
        pal[i] = RGBQUAD{v, BYTE(255 - v), v, 0};
    }
    void* pixels = nullptr;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(CreateDIBSection(&dc, info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    CBitmap* old = dc.SelectObject(&bitmap);
    int i = 0;
    for (auto _ : state) {
        // Two colours of the palette and one outside it.
        const COLORREF c = (i % 3 == 0) ? RGB(255, 0, 255) : (i % 3 == 1) ? RGB(0, 255, 0) : RGB(10, 200, 30);
        dc.FillSolidRect((i * 7) % 300, (i * 5) % 220, 16, 16, c);
        ++i;
    }
    dc.SelectObject(old);
}
BENCHMARK(BM_DibSectionFill)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace
