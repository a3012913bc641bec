// How a cue sheet looks in the HTML view: the style sheet the main window
// generates (here as it writes it with the default settings) applies, as it
// would in a browser. Keeps html-cuesheet.png where the tests run (or in
// MIRTAL_SCREENSHOT_DIR).
#include "texts/HtmlEditCtrl2.h"

#include "common/TestSupport.h"
#include "common/WaitFor.h"

#include <QImage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace {

const bool kSandboxOffForRoot = [] {
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    return true;
}();

const char* const kGeneratedCss =
    "body, p, font { font-family: Comic Sans MS; font-size: 18pt; font-weight: Normal;line-height: 140%; "
    "background: #FFFFE0; color: #000000; }\r\n"
    ".lyrics    { font-family: Comic Sans MS; font-size: 18pt;font-weight: Normal; color: #000000; "
    "background-color: #FFC0CB;}\r\n"
    ".hdr    { font-family: Comic Sans MS; font-size: 18pt;font-weight: Normal; color: #FF0000; margin-left: 25px; "
    "margin-bottom: -40}\r\n"
    ".artist    { font-family: Comic Sans MS; font-size: 10pt;font-weight: Normal; color: #0000FF;}\r\n"
    ".label    { font-family: Comic Sans MS; font-size: 10pt;font-weight: Normal; color: #0000FF;}\r\n"
    ".title    { font-family: Comic Sans MS; font-size: 24pt;font-weight: Bold; color: #000000;}\r\n";

TEST(HtmlViewLook, ACueSheetShowsWithTheGeneratedStyleSheet)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("cuesheet2.css"), kGeneratedCss);
    testsupport::writeFile(dir.file("sheet.htm"),
                           "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"cuesheet2.css\">"
                           "<title>RYL 123</title></head><body>"
                           "<p class=\"title\">Sweet Caroline</p><p class=\"label\">RYL 123</p>"
                           "<p class=\"artist\">Caller: J. Smith</p>"
                           "<p class=\"hdr\">OPENER, MIDDLE BREAK AND CLOSER</p>"
                           "<p class=\"lyrics\">Circle left, left allemande, weave the ring<br>"
                           "Where it began, swing and promenade</p>"
                           "<p class=\"hdr\">FIGURE</p>"
                           "<p class=\"lyrics\">Heads promenade half way, down the middle square thru four<br>"
                           "Right and left thru, veer left, ferris wheel</p></body></html>");
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 560), nullptr, 0));
    CHtmlEditCtrl2 view;
    ASSERT_TRUE(view.Create(WS_VISIBLE, CRect(0, 0, 700, 560), &host, 0));
    host.ShowWindow(SW_SHOW);
    view.Navigate(dir.file("sheet.htm"));
    ASSERT_TRUE(view.EnsureDocument());

    // The page's background and the lyrics' pink come from the style sheet; the text is drawn.
    const QRgb background = qRgb(0xFF, 0xFF, 0xE0);
    const QRgb lyrics = qRgb(0xFF, 0xC0, 0xCB);
    QImage shot;
    EXPECT_TRUE(testsupport::waitFor([&] {
        shot = view.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (shot.isNull() || shot.pixel(shot.width() - 30, shot.height() - 10) != background)
            return false;
        int pink = 0, dark = 0;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                pink += shot.pixel(x, y) == lyrics;
                dark += qGray(shot.pixel(x, y)) < 60;
            }
        return pink > 1000 && dark > 200;
    }, 15000));
    const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
    shot.save(QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + "html-cuesheet.png"));
    host.DestroyWindow();
}

} // namespace
