// Fuzz entry for the markup drawer: any text is measured and drawn, the
// pointer visits its links, its animations tick and its links are followed;
// sizes must stay sane and a link may only reach the desktop's open service,
// its target as one argument. Built with libFuzzer by
// tests/controls/build-html-fuzzer.sh; the seed corpus also runs in test_controls.
//
// Input: byte 0 chooses the settings (bits 0-1 the maximum width, bit 2
// disabled, bit 3 no line-break conversion); the rest is the markup.
#include "controls/PPHtmlDrawer.h"
#include "platform/win/Shell.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Kept to the end of the process: the toolkit must not go down with the statics.
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t flags = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    static const int widths[] = {0, 60, 200, 1};

    int opened = 0;
    const win::ShellLauncher previous = win::SetShellLauncher([&](const win::ShellRequest& req) {
        Require(req.verb == "open" && req.parameters.empty());
        ++opened;
        return SE_OK;
    });

    // One canvas for every input (made once: the toolkit's images are costly to set up).
    static CDC* canvas = [] {
        auto* dc = new CDC;
        dc->CreateCompatibleDC(nullptr);
        auto* bitmap = new CBitmap;
        bitmap->CreateCompatibleBitmap(dc, 320, 240);
        dc->SelectObject(bitmap);
        return dc;
    }();
    CDC& dc = *canvas;
    dc.FillSolidRect(0, 0, 320, 240, RGB(255, 255, 225));

    CPPHtmlDrawer drawer;
    const int maxWidth = widths[flags & 3];
    drawer.SetMaxWidth(maxWidth).SetEnabled((flags & 4) == 0).SetLineBreakConversion((flags & 8) == 0);
    SIZE s{0, 0};
    drawer.PrepareOutput(&dc, text, &s);
    Require(s.cx >= 0 && s.cy >= 0);
    Require(s.cx <= CPPHtmlDrawer::kMaxCoord + 1 && s.cy <= CPPHtmlDrawer::kMaxCoord + 1);
    if (maxWidth > 0)
        Require(s.cx <= maxWidth + 1);
    const RECT r{0, 0, s.cx, s.cy};
    drawer.DrawPreparedOutput(&dc, &r);

    const std::vector<HtmlLinkArea> areas = drawer.LinkAreas();
    for (size_t i = 0; i < areas.size() && i < 4; ++i) {
        const POINT p{(areas[i].rect.left + areas[i].rect.right) / 2, (areas[i].rect.top + areas[i].rect.bottom) / 2};
        drawer.OnSetCursor(p);
        drawer.DrawPreparedOutput(&dc, &r);
        drawer.JumpToHyperlink(p);
    }
    drawer.OnSetCursor(POINT{-100, -100});
    for (int i = 0; i < 3; ++i)
        if (drawer.OnTimer())
            drawer.DrawPreparedOutput(&dc, &r);
    Require(opened <= 4);

    win::SetShellLauncher(previous);
    return 0;
}
