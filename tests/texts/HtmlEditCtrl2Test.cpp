#include "texts/HtmlEditCtrl2.h"

#include "common/TestSupport.h"
#include "common/WaitFor.h"
#include "platform/win/Clipboard.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>
#include <unistd.h>

namespace {

// The engine refuses to run as root with its sandbox on (containers, CI).
const bool kSandboxOffForRoot = [] {
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    return true;
}();

struct HtmlEditFixture : ::testing::Test {
    testsupport::TempDir dir;
    CWnd host;
    CHtmlEditCtrl2 view;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, 0));
        ASSERT_TRUE(view.Create(WS_VISIBLE, CRect(0, 0, 620, 460), &host, 0));
        host.ShowWindow(SW_SHOW);
    }
    void TearDown() override { host.DestroyWindow(); }

    std::string page(const std::string& name, const std::string& body)
    {
        const std::string path = dir.file(name);
        testsupport::writeFile(path, "<!DOCTYPE html><html><head><meta charset=\"windows-1252\"><title>" + name +
                                         "</title></head><body>" + body + "</body></html>");
        return path;
    }

    // Selects the text of the element with the id, as a user's drag would.
    void selectElement(const char* id)
    {
        auto* web = view.widget()->findChild<QWebEngineView*>();
        ASSERT_NE(web, nullptr);
        bool done = false;
        web->page()->runJavaScript(QString("var r = document.createRange(); r.selectNodeContents(document.getElementById('%1'));"
                                           "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r);")
                                       .arg(id),
                                   [&done](const QVariant&) { done = true; });
        ASSERT_TRUE(testsupport::waitFor([&] { return done; }, 10000));
    }
};

TEST_F(HtmlEditFixture, WithoutADocumentEverythingFailsAndGetAnswersEmpty)
{
    EXPECT_FALSE(view.SetDesignMode(true));
    EXPECT_FALSE(view.EnsureDocument());
    std::string text = "what a caller held before";
    EXPECT_EQ(view.GetDocumentHtml(text), E_FAIL);
    EXPECT_EQ(text, "");
    EXPECT_EQ(view.SetDocumentHtml("<p>x</p>"), E_FAIL);
    EXPECT_EQ(view.Bold(), E_FAIL);
    EXPECT_EQ(view.QueryCommandStatus(IDM_BOLD), 0u);
}

TEST_F(HtmlEditFixture, SetThenGetHtmlRoundTrips)
{
    view.Navigate(page("temp.htm", ""));
    const std::string html = "<html><head><title>Cue</title></head><body><p class=\"lyrics\">Heads <b>Square</b> "
                             "Thru \xC3\xA9t\xC3\xA9</p></body></html>";
    ASSERT_EQ(view.SetDocumentHtml(html), S_OK);
    std::string back;
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_NE(back.find("<title>Cue</title>"), std::string::npos) << back;
    EXPECT_NE(back.find("<p class=\"lyrics\">Heads <b>Square</b> Thru \xC3\xA9t\xC3\xA9</p>"), std::string::npos) << back;
}

TEST_F(HtmlEditFixture, AFileInAnotherCharsetComesBackAsUtf8SaysSo)
{
    testsupport::writeFile(dir.file("old.htm"), "<html><head><meta charset=\"windows-1252\"></head><body>caf\xE9</body></html>");
    view.Navigate(dir.file("old.htm"));
    std::string back;
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_NE(back.find("caf\xC3\xA9"), std::string::npos) << back;
    EXPECT_NE(back.find("charset=\"utf-8\""), std::string::npos) << back;
}

TEST_F(HtmlEditFixture, BoldWrapsTheSelectionInDesignMode)
{
    view.Navigate(page("song.htm", "<p>Heads <span id=\"w\">Square</span> Thru</p>"));
    ASSERT_TRUE(view.SetDesignMode(true));
    selectElement("w");
    EXPECT_TRUE(view.QueryCommandStatus(IDM_BOLD) & OLECMDF_ENABLED);
    ASSERT_EQ(view.Bold(), S_OK);
    std::string back;
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_NE(back.find("<b>Square</b>"), std::string::npos) << back;
    ASSERT_EQ(view.Undo(), S_OK);
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_EQ(back.find("<b>"), std::string::npos) << back;
}

TEST_F(HtmlEditFixture, AfterASecondNavigationEverythingActsOnTheNewDocument)
{
    view.Navigate(page("a.htm", "<p id=\"a\">first song</p>"));
    std::string back;
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_NE(back.find("first song"), std::string::npos);
    ASSERT_TRUE(view.SetDesignMode(true));

    // No waiting between the navigation and the calls: they wait for the new document.
    view.Navigate(page("b.htm", "<p id=\"b\">second song</p>"));
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_NE(back.find("second song"), std::string::npos) << back;
    EXPECT_EQ(back.find("first song"), std::string::npos) << back;
    // The new document is not in design mode until it is switched on for it.
    selectElement("b");
    EXPECT_FALSE(view.QueryCommandStatus(IDM_BOLD) & OLECMDF_ENABLED);
    ASSERT_TRUE(view.SetDesignMode(true));
    selectElement("b");
    ASSERT_EQ(view.Bold(), S_OK);
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_NE(back.find("<b>second song</b>"), std::string::npos) << back;
}

TEST_F(HtmlEditFixture, APdfIsNoHtmlDocument)
{
    view.Navigate(page("a.htm", "<p>words</p>"));
    std::string back;
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    testsupport::writeFile(dir.file("sheet.pdf"), "%PDF-1.4\n%%EOF\n");
    view.Navigate(dir.file("sheet.pdf"));
    EXPECT_TRUE(view.IsShowingPdf());
    EXPECT_EQ(view.GetDocumentHtml(back), E_FAIL);
    EXPECT_EQ(back, "");
    EXPECT_FALSE(view.SetDesignMode(true));
}

TEST_F(HtmlEditFixture, SelectionCopiedAsHtmlFormatWithItsOffsets)
{
    view.Navigate(page("x.htm", "<p id=\"p\"><b>x</b></p><p>rest</p>"));
    win::SetClipboardText("before");
    // Nothing selected: a failure, and the clipboard keeps what it had.
    EXPECT_EQ(view.CopySelectionAsHtml(false), E_FAIL);
    EXPECT_EQ(win::GetClipboardText(), "before");

    selectElement("p");
    ASSERT_EQ(view.CopySelectionAsHtml(false), S_OK);
    const std::string cf = win::GetClipboardData("HTML Format");
    EXPECT_EQ(cf.substr(0, 97), "Version:0.9\r\nStartHTML:00000097\r\nEndHTML:00000180\r\n"
                                "StartFragment:00000111\r\nEndFragment:00000144\r\n");
    EXPECT_EQ(cf.substr(97), "<html><body>\r\n<!--StartFragment -->\r\n<b>x</b>\r\n<!--EndFragment-->\r\n</body>\r\n</html>");
    EXPECT_EQ(win::GetClipboardText(), "x");

    // Cut takes the selection out of the document as well.
    ASSERT_TRUE(view.SetDesignMode(true));
    selectElement("p");
    ASSERT_EQ(view.CopySelectionAsHtml(true), S_OK);
    std::string back;
    ASSERT_EQ(view.GetDocumentHtml(back), S_OK);
    EXPECT_EQ(back.find("<b>x</b>"), std::string::npos) << back;
}

TEST(HtmlFormat, OffsetsFollowTheFragmentLength)
{
    const std::string fragment(1000, 'a');
    const std::string cf = CHtmlEditCtrl2::BuildHtmlFormat(fragment);
    EXPECT_NE(cf.find("EndHTML:00001172\r\n"), std::string::npos);
    EXPECT_NE(cf.find("EndFragment:00001136\r\n"), std::string::npos);
    EXPECT_EQ(cf.size(), 1172u);
}

TEST(HtmlStream, WritesAndReadsAsTheEngineUsesIt)
{
    CHtmlEditCtrl2::CStreamOnCString out;
    ULONG n = 99;
    ASSERT_EQ(out.Write("abc", 3, &n), S_OK);
    EXPECT_EQ(n, 3u);
    std::string data;
    out.CopyData(data);
    EXPECT_EQ(data, "abc");

    // UTF-16 with its byte-order mark becomes UTF-8 without it; a zero ends the text.
    CHtmlEditCtrl2::CStreamOnCString wide;
    const unsigned char utf16[] = {0xFF, 0xFE, 'c', 0, 'a', 0, 'f', 0, 0xE9, 0, 0, 0, 'z', 0};
    ASSERT_EQ(wide.Write(utf16, sizeof utf16, &n), S_OK);
    EXPECT_EQ(n, sizeof utf16);
    wide.CopyData(data);
    EXPECT_EQ(data, "caf\xC3\xA9");

    CHtmlEditCtrl2::CStreamOnCString in("0123456789");
    char buf[8];
    std::vector<ULONG> got;
    HRESULT hr;
    while ((hr = in.Read(buf, 4, &n)) == S_OK)
        got.push_back(n);
    EXPECT_EQ(got, (std::vector<ULONG>{4, 4, 2}));
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(in.Read(nullptr, 4, &n), E_POINTER);
}

} // namespace
