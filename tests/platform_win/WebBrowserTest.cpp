#include "platform/win/WebBrowser.h"

#include "common/TestSupport.h"
#include "common/WaitFor.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
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

// Counts paints of a window, and whether the engine's view existed at the first one.
struct PaintWatch : QObject {
    QWidget* browser = nullptr;
    int paints = 0;
    bool engineBeforeFirstPaint = false;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && paints++ == 0)
            engineBeforeFirstPaint = browser->findChild<QWebEngineView*>() != nullptr;
        return false;
    }
};

int darkPixels(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qGray(img.pixel(x, y)) < 80;
    return n;
}

std::string screenshotPath(const std::string& name)
{
    const char* dir = std::getenv("MIRTAL_SCREENSHOT_DIR");
    return (dir ? std::string(dir) + "/" : std::string()) + name;
}

// The two tests of the engine's start are suites of their own, so that ctest runs each
// in a fresh process (run together by hand, the second is skipped).
TEST(WebBrowserFirstStart, TheEngineStartsOnlyAfterTheWindowHasPainted)
{
    if (win::WebEngineStarted())
        GTEST_SKIP() << "an earlier test in this process started the engine";
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("temp.htm"), "<html><body>start</body></html>");
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    CWebBrowser2 browser;
    ASSERT_TRUE(browser.Create(WS_VISIBLE, CRect(0, 0, 380, 280), &host, 0));
    browser.Navigate(dir.file("temp.htm"));
    EXPECT_TRUE(browser.GetBusy());
    EXPECT_EQ(browser.widget()->findChild<QWebEngineView*>(), nullptr);

    PaintWatch watch;
    watch.browser = browser.widget();
    host.frameWidget()->installEventFilter(&watch);
    host.ShowWindow(SW_SHOW);
    ASSERT_TRUE(testsupport::waitFor([&] { return !browser.GetBusy(); }, 30000));
    EXPECT_GT(watch.paints, 0);
    EXPECT_FALSE(watch.engineBeforeFirstPaint);
    EXPECT_NE(browser.DocumentId(), 0);
    host.frameWidget()->removeEventFilter(&watch);
    host.DestroyWindow();
}

// Most views of the program stay hidden for a whole session: a hidden view keeps
// its address and starts the engine only once shown or asked for its document.
TEST(WebBrowserHiddenStart, AHiddenViewStartsTheEngineOnlyWhenShownOrAskedForItsDocument)
{
    if (win::WebEngineStarted())
        GTEST_SKIP() << "an earlier test in this process started the engine";
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("shown.htm"), "<html><body>shown later</body></html>");
    testsupport::writeFile(dir.file("asked.htm"), "<html><body>asked for</body></html>");
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    CWebBrowser2 shownLater;
    CWebBrowser2 askedFor;
    ASSERT_TRUE(shownLater.Create(0, CRect(0, 0, 380, 280), &host, 0));
    ASSERT_TRUE(askedFor.Create(0, CRect(0, 0, 380, 280), &host, 0));
    shownLater.Navigate(dir.file("shown.htm"));
    askedFor.Navigate(dir.file("asked.htm"));
    PaintWatch watch;
    watch.browser = shownLater.widget();
    host.frameWidget()->installEventFilter(&watch);
    host.ShowWindow(SW_SHOW);
    ASSERT_TRUE(testsupport::waitFor([&] { return watch.paints > 0; }, 10000));
    // Well past the first paint, when a shown view would have started it.
    testsupport::waitFor([] { return false; }, 500);
    host.frameWidget()->removeEventFilter(&watch);
    EXPECT_FALSE(win::WebEngineStarted());
    EXPECT_TRUE(shownLater.GetBusy());
    EXPECT_EQ(shownLater.GetLocationURL(), dir.file("shown.htm"));

    shownLater.ShowWindow(SW_SHOW);
    ASSERT_TRUE(testsupport::waitFor([&] { return !shownLater.GetBusy(); }, 30000));
    EXPECT_TRUE(win::WebEngineStarted());
    EXPECT_NE(shownLater.DocumentId(), 0);
    std::string html;
    ASSERT_TRUE(shownLater.ReadDocumentHtml(html));
    EXPECT_NE(html.find("shown later"), std::string::npos);

    EXPECT_EQ(askedFor.widget()->findChild<QWebEngineView*>(), nullptr);
    EXPECT_NE(askedFor.DocumentId(), 0);
    ASSERT_TRUE(askedFor.ReadDocumentHtml(html));
    EXPECT_NE(html.find("asked for"), std::string::npos);
    EXPECT_FALSE(askedFor.IsWindowVisible());
    host.DestroyWindow();
}

// With the engine on demand only, showing a view is not enough: only a caller that
// needs the document starts the engine for it.
TEST(WebBrowser, OnDemandOnlyAShownViewWaitsUntilItsDocumentIsNeeded)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("page.htm"), "<html><body>needed now</body></html>");
    win::StartWebEngineNow();
    win::SetWebEngineOnDemandOnly(true);
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    CWebBrowser2 browser;
    ASSERT_TRUE(browser.Create(WS_VISIBLE, CRect(0, 0, 380, 280), &host, 0));
    browser.Navigate(dir.file("page.htm"));
    host.ShowWindow(SW_SHOW);
    testsupport::waitFor([] { return false; }, 200);
    EXPECT_TRUE(browser.IsWindowVisible());
    EXPECT_EQ(browser.widget()->findChild<QWebEngineView*>(), nullptr);
    EXPECT_TRUE(browser.GetBusy());
    EXPECT_EQ(browser.GetLocationURL(), dir.file("page.htm"));

    std::string html;
    EXPECT_TRUE(browser.ReadDocumentHtml(html));
    EXPECT_NE(html.find("needed now"), std::string::npos);
    EXPECT_NE(browser.widget()->findChild<QWebEngineView*>(), nullptr);
    win::SetWebEngineOnDemandOnly(false);
    host.DestroyWindow();
}

TEST(WebBrowser, APdfShowsItsFirstPage)
{
    testsupport::TempDir dir;
    const std::string pdfPath = dir.file("Sheet.PDF");
    {
        QPdfWriter writer(QString::fromStdString(pdfPath));
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter p(&writer);
        const QRect page = p.viewport();
        p.fillRect(QRect(page.width() / 10, page.height() / 10, page.width() * 8 / 10, page.height() / 5), Qt::black);
        QFont f("Liberation Sans");
        f.setPointSize(28);
        p.setFont(f);
        p.drawText(QRect(page.width() / 10, page.height() * 4 / 10, page.width(), page.height() / 5), "Heads Square Thru");
    }
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 600), nullptr, 0));
    CWebBrowser2 browser;
    ASSERT_TRUE(browser.Create(WS_VISIBLE, CRect(0, 0, 480, 580), &host, 0));
    host.ShowWindow(SW_SHOW);
    browser.Navigate(pdfPath);
    EXPECT_TRUE(browser.IsShowingPdf());
    EXPECT_FALSE(browser.GetBusy());
    EXPECT_EQ(browser.DocumentId(), 0);
    QImage shot;
    // The page renders in the background: dark pixels appear once it is drawn.
    EXPECT_TRUE(testsupport::waitFor([&] {
        shot = browser.widget()->grab().toImage();
        return darkPixels(shot) > shot.width() * 20;
    }, 10000));
    shot.save(QString::fromStdString(screenshotPath("pdf-view.png")));
    host.DestroyWindow();
}

} // namespace
