#include "platform/win/ControlClass.h"
#include "platform/win/RichEditCtrl.h"
#include "platform/win/Rtf.h"

#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/FuzzCorpus.h"

namespace fs = std::filesystem;
using namespace win::rtf;

namespace {

// Streams through the control the way the program does: a file read by a callback.
struct Source {
    std::string bytes;
    size_t pos = 0;
};

DWORD readSource(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    auto* s = reinterpret_cast<Source*>(cookie);
    const size_t n = std::min(s->bytes.size() - s->pos, size_t(count));
    std::copy_n(s->bytes.data() + s->pos, n, reinterpret_cast<char*>(buffer));
    s->pos += n;
    *done = LONG(n);
    return 0;
}

DWORD writeSink(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size_t(count));
    *done = count;
    return 0;
}

long streamIn(CRichEditCtrl& ctrl, const std::string& bytes, int format = SF_RTF)
{
    Source src{bytes};
    EDITSTREAM es;
    es.dwCookie = DWORD_PTR(&src);
    es.pfnCallback = readSource;
    return ctrl.StreamIn(format, es);
}

std::string streamOut(CRichEditCtrl& ctrl, int format = SF_RTF)
{
    std::string out;
    EDITSTREAM es;
    es.dwCookie = DWORD_PTR(&out);
    es.pfnCallback = writeSink;
    ctrl.StreamOut(format, es);
    return out;
}

struct RichEditFixture : ::testing::Test {
    CWnd parent;
    CRichEditCtrl ctrl;
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
        ASSERT_TRUE(ctrl.Create(WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, CRect(0, 0, 380, 280), &parent, 1070));
    }
    void TearDown() override { parent.DestroyWindow(); }
};

Document sample()
{
    CharFormat plain;
    CharFormat bold = plain;
    bold.bold = true;
    CharFormat italic = plain;
    italic.italic = true;
    CharFormat under = plain;
    under.underline = true;
    under.face = "Liberation Serif";
    under.halfPoints = 28;
    under.hasColor = true;
    under.color = RGB(200, 10, 30);
    Document d;
    d.paragraphs.push_back({{{"Heads ", plain}, {"Square", bold}, {" Thru", plain}}});
    d.paragraphs.push_back({{{"Swing", italic}, {" and ", plain}, {"Promenade {home} \\ \xC3\xA9\xE2\x80\x93", under}}});
    return d;
}

TEST(Rtf, WriteThenReadGivesTheSameDocument)
{
    const Document d = sample();
    const std::string rtf = Write(d);
    EXPECT_TRUE(LooksLikeRtf(rtf));
    EXPECT_EQ(Read(rtf), d) << rtf;
}

TEST(Rtf, ReadsWhatWordProcessorsWrite)
{
    const Document d = Read("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times;}}"
                            "{\\colortbl ;\\red0\\green128\\blue0;}{\\*\\generator Riched20;}"
                            "\\pard\\f0\\fs22 Heads \\b Square\\b0  Thru\\par\r\n"
                            "\\i Swing\\i0\\line \\ul\\cf1 Promenade\\ulnone\\tab \\'e9t\\'e9 caf\\u233?\\par}");
    ASSERT_EQ(d.paragraphs.size(), 3u);
    EXPECT_EQ(d.PlainText(), "Heads Square Thru\nSwing\nPromenade\t\xC3\xA9t\xC3\xA9 caf\xC3\xA9\n");
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_FALSE(runs[2].format.bold);
    EXPECT_EQ(runs[0].format.face, "Arial");
    EXPECT_EQ(runs[0].format.halfPoints, 22);
    const win::rtf::Run& promenade = d.paragraphs[1].runs[2];
    EXPECT_EQ(promenade.text, "Promenade");
    EXPECT_TRUE(promenade.format.underline);
    EXPECT_TRUE(promenade.format.hasColor);
    EXPECT_EQ(promenade.format.color, RGB(0, 128, 0));
}

TEST_F(RichEditFixture, BoldItalicUnderlineAndTwoParagraphsRoundTripThroughTheControl)
{
    const std::string rtf = Write(sample());
    EXPECT_EQ(streamIn(ctrl, rtf), long(sample().PlainText().size() - 3)); // a letter counts once, whatever its UTF-8 length
    EXPECT_EQ(ctrl.GetLineCount(), 2);
    EXPECT_FALSE(ctrl.GetModify());
    const Document back = Read(streamOut(ctrl));
    EXPECT_EQ(back, sample()) << streamOut(ctrl);
    parent.ShowWindow(SW_SHOW);
    const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
    ctrl.widget()->grab().save(QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + "rtf-view.png"));

    // The control reports the format of a selection, and a toggle acts on it.
    ctrl.SetSel(6, 12); // "Square"
    CHARFORMAT cf;
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_TRUE(cf.dwMask & CFM_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    ctrl.SetSel(0, 12); // plain and bold: bold is not the same throughout
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_FALSE(cf.dwMask & CFM_BOLD);
    cf.dwMask = CFM_ITALIC;
    cf.dwEffects = CFE_ITALIC;
    ctrl.SetSelectionCharFormat(cf);
    const Document changed = Read(streamOut(ctrl));
    EXPECT_TRUE(changed.paragraphs[0].runs[0].format.italic);
    EXPECT_FALSE(changed.paragraphs[0].runs.back().format.italic);
    EXPECT_TRUE(ctrl.GetModify());
    EXPECT_TRUE(ctrl.Undo());
    EXPECT_EQ(Read(streamOut(ctrl)), sample());
}

TEST_F(RichEditFixture, LinesTextSelectionAndPlainStreams)
{
    streamIn(ctrl, "Heads Square Thru\r\n\r\nAll 8 \xC3\xA9t\xC3\xA9", SF_TEXT);
    ASSERT_EQ(ctrl.GetLineCount(), 3);
    EXPECT_EQ(ctrl.LineIndex(1), 18);
    EXPECT_EQ(ctrl.LineLength(ctrl.LineIndex(1)), 0);
    const int third = ctrl.LineIndex(2);
    char buf[64] = {};
    const int len = ctrl.LineLength(third);
    EXPECT_EQ(ctrl.GetLine(2, buf, len), len);
    EXPECT_EQ(std::string(buf, size_t(len)), "All 8 \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(ctrl.GetWindowText(), "Heads Square Thru\r\n\r\nAll 8 \xC3\xA9t\xC3\xA9");
    ctrl.SetWindowText("one\r\ntwo");
    EXPECT_EQ(ctrl.GetLineCount(), 2);
    streamIn(ctrl, "Heads Square Thru\r\n\r\nAll 8 \xC3\xA9t\xC3\xA9", SF_TEXT);

    ctrl.SetSel(6, 12);
    EXPECT_EQ(ctrl.GetSelText(), "Square");
    ctrl.ReplaceSel("Star", TRUE);
    EXPECT_EQ(streamOut(ctrl, SF_TEXT).substr(0, 15), "Heads Star Thru");
    EXPECT_TRUE(ctrl.CanUndo());

    // Bytes that are not UTF-8 are the Windows code page of old files.
    streamIn(ctrl, "caf\xE9 \x93quoted\x94", SF_TEXT);
    EXPECT_EQ(streamOut(ctrl, SF_TEXT), "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D");
    // Text asked for as RTF that is no RTF shows as text.
    streamIn(ctrl, "just words");
    EXPECT_EQ(streamOut(ctrl, SF_TEXT), "just words");

    ctrl.SetReadOnly(TRUE);
    EXPECT_TRUE(ctrl.GetStyle() & ES_READONLY);

    // Dialog templates name the control by its window class.
    EXPECT_NE(dynamic_cast<CRichEditCtrl*>(win::NewControlObject("RichEdit20A").get()), nullptr);
}

std::string randomBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(rng() & 0xFF);
    return s;
}

TEST_F(RichEditFixture, HostileRtfLoadsWithoutCrashOrHang)
{
    struct Case {
        const char* name;
        std::string rtf;
        std::string textStart; // what must show, when anything
    };
    const std::vector<Case> cases = {
        {"unbalanced open", "{\\rtf1 {{{{\\b open", "open"},
        {"unbalanced close", "{\\rtf1 a}}}}}}}} trailing", "a"},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999\\f-99999999999999\\cf4294967297\\uc99999999999 "
                         "\\u999999999999999 ok\\u-99999999999?\\bin99999999999999}", ""},
        {"deep nesting", "{\\rtf1 " + std::string(200000, '{') + "\\b deep" + std::string(200000, '}') + "}",
         "deep"},
        {"binary data", "{\\rtf1 a{\\bin16 " + randomBytes(16, 1) + "}b}", "ab"},
        {"binary past the end", "{\\rtf1 a\\bin1000 " + randomBytes(10, 2), "a"},
        {"raw random bytes", "{\\rtf1 " + randomBytes(100000, 3), ""},
        {"long control word", "{\\rtf1 \\" + std::string(100000, 'x') + "123 y}", "y"},
        {"cut hex escape", "{\\rtf1 z\\'", "z"},
        {"huge tables", "{\\rtf1{\\fonttbl" + std::string(50000, ';') + "}{\\colortbl" +
                            std::string(50000, ';') + "}t}",
         "t"},
        {"lone surrogates", "{\\rtf1 \\u-10179?x\\u-8704?}", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        streamIn(ctrl, c.rtf);
        const std::string shown = streamOut(ctrl, SF_TEXT);
        EXPECT_EQ(shown.substr(0, c.textStart.size()), c.textStart);
        // What the control shows it can write and read again.
        EXPECT_EQ(Read(streamOut(ctrl)).PlainText(), Read(Write(Read(c.rtf))).PlainText());
    }
}

TEST(RtfFuzzCorpus, EverySeedRunsCleanly)
{
    testsupport::RunFuzzCorpus("tests/platform_win/rtf-fuzz-corpus", 5);
}

} // namespace
