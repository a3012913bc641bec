// The markup drawer: values and style sheets, the markup, layout over fixed
// font metrics, images, tables, links and the animation; its fuzz corpus.
#include "controls/PPHtmlDrawer.h"
#include "platform/win/Shell.h"
#include "platform/win/Wnd.h"

#include "common/FuzzCorpus.h"
#include "common/TestSupport.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstdint>
#include <map>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// Every character 10 pixels wide, lines 16 high (ascent 13); blanks take the
// justification as GDI spreads it. Records what is written and with which font.
class FixedMetrics : public HtmlTextDevice {
public:
    struct Piece {
        int x, y, width;
        std::string text;
        int weight, italic;
        COLORREF color;
    };
    std::vector<Piece> pieces;

    SIZE Extent(CDC*, const std::string& text) override
    {
        int w = 0, seen = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
                continue;
            w += 10;
            if (text[i] == ' ' && m_breaks > 0 && seen < m_breaks) {
                w += m_extra / m_breaks + (seen < std::abs(m_extra % m_breaks) ? (m_extra < 0 ? -1 : 1) : 0);
                ++seen;
            }
        }
        return SIZE{w, 16};
    }
    void Metrics(CDC*, TEXTMETRIC* tm) override
    {
        *tm = TEXTMETRIC{};
        tm->tmHeight = 16;
        tm->tmAscent = 13;
        tm->tmDescent = 3;
    }
    void Justify(CDC*, int extra, int breaks) override
    {
        m_extra = breaks > 0 ? extra : 0;
        m_breaks = breaks;
    }
    void Output(CDC* dc, int x, int y, const std::string& text) override
    {
        LOGFONT lf;
        dc->GetCurrentFont()->GetLogFont(&lf);
        pieces.push_back(Piece{x, y, Extent(dc, text).cx, text, int(lf.lfWeight), lf.lfItalic, dc->GetTextColor()});
    }
    std::string Text() const
    {
        std::string all;
        for (const Piece& p : pieces)
            all += p.text;
        return all;
    }

private:
    int m_extra = 0, m_breaks = 0;
};

// A drawer on fixed metrics with a memory DC to draw in.
struct Stage {
    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;
    FixedMetrics metrics;
    CPPHtmlDrawer drawer;
    SIZE size{0, 0};

    explicit Stage(int maxWidth = 0, bool fixed = true)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, 400, 300);
        old = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 400, 300, RGB(255, 255, 255));
        if (fixed)
            drawer.SetTextDevice(&metrics);
        drawer.SetMaxWidth(maxWidth);
    }
    ~Stage() { dc.SelectObject(old); }
    // Measures and draws into a rectangle as wide as measured (or the given width).
    void Run(const std::string& text, int drawWidth = -1)
    {
        drawer.PrepareOutput(&dc, text, &size);
        const RECT r{0, 0, drawWidth < 0 ? size.cx : drawWidth, size.cy};
        metrics.pieces.clear();
        drawer.DrawPreparedOutput(&dc, &r);
    }
};

std::string WriteBitmap(const testsupport::TempDir& dir, const std::string& name, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 30, 30));
    const std::string path = dir.file(name);
    img.save(QString::fromStdString(path), "BMP");
    return path;
}

TEST(HtmlDrawerValues, ColoursLengthsAndKeywords)
{
    CPPHtmlDrawer d;
    const COLORREF current = RGB(1, 2, 3);
    struct ColorCase {
        const char* value;
        COLORREF expect;
    };
    const ColorCase colors[] = {
        {"#FF0000", kRed}, {"red", kRed}, {"0xff", kRed}, {"255", kRed},
        {"#F00", current},        // only the seven-character form is read
        {"grey", current},        // the table spells it "gray"
        {"gray", RGB(128, 128, 128)}, {"lightgrey", RGB(211, 211, 211)}, {"darkseagreen", RGB(143, 188, 139)},
        {"Red", current},         // attribute values are matched as written
        {"", current},            {"#00ff00", RGB(0, 255, 0)},
        {"infobackground", GetSysColor(COLOR_INFOBK)},
    };
    for (const ColorCase& c : colors)
        EXPECT_EQ(d.ParseColor(c.value, current), c.expect) << c.value;

    struct LengthCase {
        const char* value;
        int current;
        bool htmlSize;
        int expect;
    };
    const LengthCase lengths[] = {
        {"10pt", 0, false, 13}, {"1in", 0, false, 96},  {"2cm", 0, false, 75},   {"50%", 16, false, 8},
        {"3", 16, true, 12},    {"3", 0, false, 3},     {"10pt ", 0, false, 10}, {"25mm", 0, false, 94},
        {"12px", 0, false, 12}, {"", 7, false, 7},      {"0x10", 0, false, 16},  {"-5px", 0, false, 5},
        {"7", 0, true, 36},     {"8", 0, true, 8},      {"99999999", 0, false, CPPHtmlDrawer::kMaxLength},
    };
    for (const LengthCase& c : lengths)
        EXPECT_EQ(d.ParseLength(c.value, c.current, c.htmlSize), c.expect) << c.value;

    EXPECT_EQ(CPPHtmlDrawer::ParseFontWeight("bold", 0), 700);
    EXPECT_EQ(CPPHtmlDrawer::ParseFontWeight("bolder", 0), 900);
    EXPECT_EQ(CPPHtmlDrawer::ParseFontWeight("x", 0), 0);
    EXPECT_EQ(CPPHtmlDrawer::ParseVertAlign("", 0), 3);
    EXPECT_EQ(CPPHtmlDrawer::ParseBorderStyle("double", 0), 6);
    EXPECT_EQ(CPPHtmlDrawer::ParseHorzAlign("justify", 2), 2);
    // Keywords: no value is the property's initial value, an unknown word keeps the current one.
    const struct {
        int (*parse)(const std::string&, int);
        const char* value;
        int current;
        int expect;
    } keywords[] = {
        {CPPHtmlDrawer::ParseFontStyle, "", 1, 0},         {CPPHtmlDrawer::ParseFontStyle, "oblique", 0, 1},
        {CPPHtmlDrawer::ParseFontStyle, "x", 1, 1},        {CPPHtmlDrawer::ParseFontWeight, "", 0, 400},
        {CPPHtmlDrawer::ParseFontWeight, "lighter", 0, 100}, {CPPHtmlDrawer::ParseFontWeight, "5000", 0, 1000},
        {CPPHtmlDrawer::ParseHorzAlign, "", 2, 0},         {CPPHtmlDrawer::ParseVertAlign, "vcenter", 0, 1},
        {CPPHtmlDrawer::ParseVertAlign, "bottom", 0, 2},   {CPPHtmlDrawer::ParseVertAlign, "x", 2, 2},
        {CPPHtmlDrawer::ParseTextTransform, "", 2, 0},     {CPPHtmlDrawer::ParseTextTransform, "capitalize", 0, 3},
        {CPPHtmlDrawer::ParseTextTransform, "x", 2, 2},    {CPPHtmlDrawer::ParseBorderStyle, "", 1, 0},
        {CPPHtmlDrawer::ParseBorderStyle, "dotted", 0, 3}, {CPPHtmlDrawer::ParseBorderStyle, "groove", 1, 1},
    };
    for (const auto& k : keywords)
        EXPECT_EQ(k.parse(k.value, k.current), k.expect) << k.value;
    EXPECT_EQ(d.ParseBorderWidth("thick", 4), 5);
    EXPECT_EQ(d.ParseBackgroundEffect("metal", -1), 15);
    EXPECT_EQ(d.ParseBackgroundEffect("transparent", 3), -1);
    HtmlStyle s;
    s.underline = 1;
    CPPHtmlDrawer::ParseTextDecoration("none, overline line-through", s);
    EXPECT_EQ(s.underline, 0);
    EXPECT_EQ(s.overline, 1);
    EXPECT_EQ(s.strikeout, 1);
}

TEST(HtmlDrawerValues, StyleSheetsDefaultRulesAndTheLaterRuleWins)
{
    CPPHtmlDrawer d;
    const auto& rules = d.CssRules();
    EXPECT_EQ(rules.size(), 17u);
    EXPECT_EQ(rules.at("body"), "font-size: 10pt; color:black; font-family:Verdana");
    EXPECT_EQ(rules.at("pre"), "font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb");
    EXPECT_EQ(rules.at(".cpp-comment"), "color:green; font-style:italic");
    for (const char* sel : {"p", "h1", "h6", "code", "a:link", "a:hover", "sub", "sup", "big", "small"})
        EXPECT_TRUE(rules.count(sel)) << sel;

    HtmlStyle body;
    d.ApplyCssRule("BODY", body);
    EXPECT_EQ(body.fontHeight, 13);
    EXPECT_EQ(body.face, "verdana");
    HtmlStyle pre;
    d.ApplyCssRule("pre", pre);
    EXPECT_EQ(pre.face, "courier");
    EXPECT_EQ(pre.bkMode, OPAQUE);
    EXPECT_EQ(pre.bkColor, RGB(0xfb, 0xed, 0xbb));

    d.SetCssStyles("h1 {color:RED; font-weight:bold} .x, .y {color:blue} h1 {font-size:20px}\nbroken { ");
    EXPECT_EQ(d.CssRules().size(), 2u);
    EXPECT_EQ(d.CssRules().at("h1"), "font-size:20px"); // replaced, not merged
    EXPECT_TRUE(d.CssRules().count(".x,"));
    HtmlStyle h1;
    d.ApplyCssRule("h1", h1);
    EXPECT_EQ(h1.fontHeight, 20);
    EXPECT_EQ(h1.weight, 400);
    d.SetCssStyles(nullptr);
    EXPECT_EQ(d.CssRules().size(), 17u);
}

TEST(HtmlDrawerMarkup, TextRunsEntitiesAndBoldWeights)
{
    struct Case {
        const char* markup;
        const char* text;
    };
    const Case cases[] = {
        {"&lt;b&gt;", "<b>"},
        {"a<<b", "a<b"},
        {"ab<", "ab<"},
        {"a<b c", "ab c"},         // a "<" without ">" is dropped
        {"x<>y", "x>y"},           // so is an empty tag's "<"
        {"&amp;lt;", "<"},         // the entities run in table order
        {"&euro;&copy;&unknown;", "\u20AC\u00A9&unknown;"},
        {"a<B>b</B>", "ab"},       // upper-case names are unknown
        {"a<zz x=1>b", "ab"},
    };
    for (const Case& c : cases) {
        Stage s;
        s.Run(c.markup);
        EXPECT_EQ(s.metrics.Text(), c.text) << c.markup;
        for (const auto& p : s.metrics.pieces)
            EXPECT_EQ(p.weight, 400) << c.markup;
    }

    Stage s;
    s.Run("n<b>b<b>bb</b>b</b>n<i>i<i>u</i>i</i><font color=red style=-bu>f</font>");
    std::map<std::string, FixedMetrics::Piece> by;
    std::vector<std::string> order;
    for (const auto& p : s.metrics.pieces)
        order.push_back(p.text + ":" + std::to_string(p.weight) + (p.italic ? "i" : ""));
    EXPECT_EQ(order, (std::vector<std::string>{"n:400", "b:800", "bb:900", "b:800", "n:400", "i:400i", "u:400",
                                               "i:400i", "f:400"}));
    EXPECT_EQ(s.metrics.pieces.back().color, kRed);
}

TEST(HtmlDrawerMarkup, ClosingTagsCloseByStyleName)
{
    Stage s;
    // The closing "b" does not match the innermost "i": both stay in force.
    s.Run("<b><i>x</b>y");
    ASSERT_EQ(s.metrics.pieces.size(), 2u);
    EXPECT_EQ(s.metrics.pieces[1].weight, 800);
    EXPECT_EQ(s.metrics.pieces[1].italic, 1);
    // "em" closes "i"; a self-closing "br/" breaks nothing, a closing "br" breaks.
    s.Run("<i>a</em>b<br/>c</br>d");
    ASSERT_EQ(s.metrics.pieces.size(), 4u);
    EXPECT_EQ(s.metrics.pieces[1].italic, 0);
    EXPECT_EQ(s.metrics.pieces[2].y, 0);
    EXPECT_EQ(s.metrics.pieces[3].y, 16);
}

TEST(HtmlDrawerLayout, WrappingJustificationBreaksAndTabs)
{
    {
        // Three words 120 pixels wide in 100: the break comes after a blank, not drawn.
        Stage s(100);
        s.Run("abc def ghij");
        ASSERT_EQ(s.metrics.pieces.size(), 2u);
        EXPECT_EQ(s.metrics.pieces[0].text, "abc def");
        EXPECT_EQ(s.metrics.pieces[1].text, "ghij");
        EXPECT_EQ(s.metrics.pieces[1].y, 16);
        EXPECT_EQ(s.size.cx, 71);
        EXPECT_EQ(s.size.cy, 33);
    }
    {
        // A word wider than the line is cut between characters at the line's
        // start; after other text it moves to the next line first.
        Stage s(50);
        s.Run("abcdefgh");
        ASSERT_GE(s.metrics.pieces.size(), 2u);
        EXPECT_EQ(s.metrics.pieces[0].text, "abcde");
        Stage t(50);
        t.Run("ab<b>cdefgh</b>");
        ASSERT_GE(t.metrics.pieces.size(), 2u);
        EXPECT_EQ(t.metrics.pieces[1].text, "cdefg");
        EXPECT_EQ(t.metrics.pieces[1].y, 16);
    }
    {
        // Justified: every wrapped line reaches the right edge, the last does not.
        Stage s(100);
        s.Run("<justify>aa bb cc dd ee ff gg hh ii jj</justify>", 100);
        std::map<int, int> lineEnd;
        for (const auto& p : s.metrics.pieces)
            lineEnd[p.y] = std::max(lineEnd[p.y], p.x + p.width);
        ASSERT_EQ(lineEnd.size(), 4u);
        EXPECT_EQ(lineEnd[0], 100);
        EXPECT_EQ(lineEnd[16], 100);
        EXPECT_EQ(lineEnd[32], 100);
        EXPECT_EQ(lineEnd[48], 20);
    }
    {
        // "br=2" leaves one empty line of the line's height.
        Stage s;
        s.Run("a<br=2>b");
        ASSERT_EQ(s.metrics.pieces.size(), 2u);
        EXPECT_EQ(s.metrics.pieces[1].y, 32);
        EXPECT_EQ(s.size.cy, 49);
    }
    {
        // A tab stop: from left + 10 to 32, from 32 to 64.
        Stage s;
        s.Run("a<t>b<t>cd<t>e");
        ASSERT_EQ(s.metrics.pieces.size(), 4u);
        EXPECT_EQ(s.metrics.pieces[1].x, 32);
        EXPECT_EQ(s.metrics.pieces[2].x, 64);
        EXPECT_EQ(s.metrics.pieces[3].x, 96);
    }
    {
        // Centred within the widest line; a 50 % rule counts with its share.
        Stage s;
        s.Run("aaaaaaaaaaaaaaaaaaaa<br><center>bb</center>");
        EXPECT_EQ(s.metrics.pieces[1].x, 90);
        Stage t;
        t.Run("aaaaaa<br>aaaa<hr width=50%>");
        EXPECT_EQ(t.size.cx, 40 + 1 + 30 + 1);
    }
    {
        // Line feeds and tabs of the text become breaks and tabs.
        Stage s;
        s.Run("a\r\nb\tc");
        ASSERT_EQ(s.metrics.pieces.size(), 3u);
        EXPECT_EQ(s.metrics.pieces[1].y, 16);
        EXPECT_EQ(s.metrics.pieces[2].x, 32);
        Stage t;
        t.drawer.SetLineBreakConversion(FALSE);
        t.Run("a\nb");
        EXPECT_EQ(t.metrics.Text(), "ab");
    }
}

// Counts the hot-link notices it is sent.
class NoticeWindow : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UWM_HTML_HOTLINK_CHANGED) {
            notices.emplace_back(wParam, lParam);
            return TRUE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(HtmlDrawerLinks, HotLinkNoticesAndOpeningATarget)
{
    NoticeWindow receiver;
    ASSERT_TRUE(receiver.CreateEx(0, "", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    Stage s(50);
    s.drawer.SetCallbackRepaint(receiver.GetSafeHwnd(), UWM_HTML_HOTLINK_CHANGED, 7);
    const std::string target = "no such file; rm -rf '$HOME' && echo x";
    s.Run("ab <a href=\"" + target + "\">link word</a> c <a>none</a>");
    const auto& areas = s.drawer.LinkAreas();
    // The first link breaks over two lines: two areas, one index.
    ASSERT_EQ(areas.size(), 3u);
    EXPECT_EQ(areas[0].index, 0);
    EXPECT_EQ(areas[1].index, 0);
    EXPECT_EQ(areas[0].kind, 1);
    EXPECT_EQ(areas[0].target, target);
    EXPECT_EQ(areas[2].kind, 2);
    EXPECT_TRUE(areas[2].target.empty());

    const POINT inLink{areas[0].rect.left + 2, areas[0].rect.top + 2};
    const POINT inLinkToo{areas[1].rect.left + 2, areas[1].rect.top + 2};
    EXPECT_TRUE(s.drawer.OnSetCursor(inLink));
    EXPECT_TRUE(s.drawer.OnSetCursor(inLinkToo));
    ASSERT_EQ(receiver.notices.size(), 1u);
    EXPECT_EQ(receiver.notices[0], (std::pair<WPARAM, LPARAM>(0, 7)));
    EXPECT_FALSE(s.drawer.OnSetCursor(POINT{1, 1}));
    ASSERT_EQ(receiver.notices.size(), 2u);
    EXPECT_EQ(INT_PTR(receiver.notices[1].first), -2);
    // A link without a target is hot but shows no hand.
    EXPECT_FALSE(s.drawer.OnSetCursor(POINT{areas[2].rect.left + 1, areas[2].rect.top + 1}));
    EXPECT_EQ(s.drawer.HotLinkIndex(), 1);

    // The target reaches the desktop's open service whole, as one argument.
    std::vector<win::ShellRequest> launched;
    const auto previous = win::SetShellLauncher([&](const win::ShellRequest& r) {
        launched.push_back(r);
        return SE_OK;
    });
    win::ClearShellLog();
    s.drawer.JumpToHyperlink(inLink);
    s.drawer.JumpToHyperlink(POINT{areas[2].rect.left + 1, areas[2].rect.top + 1});
    ASSERT_EQ(win::ShellLog().size(), 1u);
    EXPECT_EQ(win::ShellLog()[0].verb, "open");
    EXPECT_EQ(win::ShellLog()[0].file, target);
    EXPECT_TRUE(win::ShellLog()[0].parameters.empty());
    EXPECT_TRUE(launched.empty()); // no such file: nothing is started

    // A link to a program on this machine never reaches the shell: opening would start it.
    testsupport::TempDir dir;
    const std::string program = dir.file("run.sh"), document = dir.file("notes.txt");
    testsupport::writeFile(program, "#!/bin/sh\ntouch ran\n");
    testsupport::writeFile(document, "notes");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    for (const std::string& t : {program, "file://" + program, document}) {
        win::ClearShellLog();
        launched.clear();
        Stage p;
        p.Run("<a href=\"" + t + "\">x</a>");
        ASSERT_EQ(p.drawer.LinkAreas().size(), 1u);
        p.drawer.JumpToHyperlink(POINT{p.drawer.LinkAreas()[0].rect.left + 1, p.drawer.LinkAreas()[0].rect.top + 1});
        EXPECT_EQ(launched.size(), t == document ? 1u : 0u) << t;
    }
    win::SetShellLauncher(previous);
    receiver.DestroyWindow();
}

TEST(HtmlDrawerImages, SizesShadowsFramesAndNoRawHandles)
{
    testsupport::TempDir dir;
    const std::string bmp = WriteBitmap(dir, "b.bmp", 40, 20);
    const std::string strip = WriteBitmap(dir, "strip.bmp", 64, 16);
    struct Case {
        std::string markup;
        SIZE size;
    };
    const Case cases[] = {
        {"<bmp file=\"" + bmp + "\" width=50% height=50%>", {21, 11}},
        {"<bmp file=\"" + bmp + "\" width=50%>", {21, 21}},
        {"<bmp file=\"" + bmp + "\" width=50% height=50% style=s>", {25, 15}},
        {"<bmp file=\"" + bmp + "\" width=10 height=30>", {11, 31}},
        {"<ilst file=\"" + strip + "\" index=3>", {17, 17}},
        {"<ilst file=\"" + strip + "\" index=4>", {0, 0}},
        {"<bmp file=\"" + dir.file("missing.bmp") + "\">", {0, 0}},
        {"<bmp file=/dev/zero>", {0, 0}},
        {"<bmp iddll=1 srcdll=libc.so.6>", {0, 0}},
    };
    for (const Case& c : cases) {
        Stage s;
        s.Run(c.markup);
        EXPECT_EQ(s.size.cx, c.size.cx) << c.markup;
        EXPECT_EQ(s.size.cy, c.size.cy) << c.markup;
    }

    // A drawing handle written as a number in the markup is never used.
    CBitmap real;
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        real.CreateCompatibleBitmap(&dc, 30, 30);
    }
    Stage s;
    s.Run("<bmp handle=" + std::to_string(reinterpret_cast<uintptr_t>(real.GetSafeHandle())) + ">");
    EXPECT_EQ(s.size.cx, 0);

    // Four frames; speed 2 moves one frame every second tick.
    Stage a;
    a.Run("<ilst file=\"" + strip + "\" speed=2>");
    ASSERT_EQ(a.drawer.Animations().size(), 1u);
    EXPECT_EQ(a.drawer.Animations()[0].frames, 4);
    EXPECT_FALSE(a.drawer.OnTimer());
    EXPECT_TRUE(a.drawer.OnTimer());
    EXPECT_EQ(a.drawer.Animations()[0].frame, 1);

    // The image is drawn: its colour reaches the pixels (the drawer's own metrics).
    Stage real2(0, false);
    real2.Run("<bmp file=\"" + bmp + "\">");
    EXPECT_EQ(real2.dc.GetPixel(10, 10), RGB(200, 30, 30));
}

TEST(HtmlDrawerTables, WidthsMarginsSpansAndBorders)
{
    const std::string grid = "<tr><td>aaa</td><td>aaaaa</td></tr><tr><td>aaaa</td><td>aa</td></tr></table>";
    Stage s;
    s.drawer.PrepareOutput(&s.dc, "<table>" + grid, &s.size);
    ASSERT_EQ(s.drawer.Tables().size(), 1u);
    EXPECT_EQ(s.drawer.Tables()[0].columnWidths, (std::vector<int>{44, 54}));
    EXPECT_EQ(s.size.cx, 99 + 1);
    EXPECT_EQ(s.size.cy, 1 + 20 + 20 + 1);
    // Drawn 150 wide: the 51 extra pixels go 25 and 26.
    const RECT wide{0, 0, 150, s.size.cy};
    s.drawer.DrawPreparedOutput(&s.dc, &wide);
    EXPECT_EQ(s.drawer.Tables()[0].columnWidths, (std::vector<int>{69, 80}));
    ASSERT_EQ(s.metrics.pieces.size(), 4u);
    EXPECT_EQ(s.metrics.pieces[1].x, 69 + 1 + 2);

    // A spanning cell wider than its columns widens both, the last by the remainder.
    Stage span;
    span.drawer.PrepareOutput(
        &span.dc, "<table><tr><td colspan=2>aaaaaaaaaaaaaaaaaaaa</td></tr><tr><td width=15>a</td><td>a</td></tr></table>",
        &span.size);
    EXPECT_EQ(span.drawer.Tables()[0].columnWidths, (std::vector<int>{19 + 85, 14 + 85 + 1}));
    EXPECT_EQ(span.drawer.Tables()[0].fixedColumns, (std::vector<int>{1, 0}));

    // A double border adds 6 and insets the rows by 3; a solid one draws its width.
    Stage dbl;
    dbl.Run("<table border=1 borderstyle=double cellspacing=0>" + grid);
    Stage plain;
    plain.Run("<table>" + grid);
    EXPECT_EQ(dbl.drawer.Tables()[0].columnWidths[0], 44 + 2); // cells keep a 1-pixel border
    EXPECT_EQ(dbl.size.cx, 1 + (44 + 2) + (54 + 2) + 6 + 1);
    EXPECT_EQ(dbl.metrics.pieces[0].x, 3 + 2 + 1);
    EXPECT_EQ(plain.metrics.pieces[0].x, 2);

    Stage border(0, false);
    border.Run("<table border=3 bordercolorlight=red bordercolordark=blue><tr><td>x</td></tr></table>");
    EXPECT_EQ(border.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(border.dc.GetPixel(border.size.cx - 3, border.size.cy - 3), RGB(0, 0, 255));

    // A nested table is measured as part of its cell; broken tables end with the text.
    Stage nested;
    nested.Run("<table><tr><td>aa<table><tr><td>aaaaaaaa</td></tr></table></td></tr></table>");
    ASSERT_EQ(nested.drawer.Tables().size(), 2u);
    EXPECT_EQ(nested.drawer.Tables()[0].columnWidths[0], 1 + 84 + 4);
    Stage broken;
    broken.Run("<table><tr><td>a<td>b<tr><td colspan=99>c");
    EXPECT_EQ(broken.drawer.Tables()[0].columns, 1); // the first cell runs to the end
    EXPECT_EQ(broken.metrics.Text(), "abc");
}

TEST(HtmlDrawerWhole, RealFontsMeasureAndDraw)
{
    Stage s(0, false);
    s.drawer.PrepareOutput(&s.dc, "abc", &s.size);
    SIZE plain{0, 0};
    {
        CFont f;
        LOGFONT lf;
        lf.lfHeight = 13;
        std::string("Verdana").copy(lf.lfFaceName, 7);
        f.CreateFontIndirect(&lf);
        CFont* old = s.dc.SelectObject(&f);
        s.dc.GetTextExtentPoint32("abc", &plain);
        s.dc.SelectObject(old);
    }
    EXPECT_EQ(s.size.cx, plain.cx + 1);
    EXPECT_EQ(s.size.cy, plain.cy + 1);
    s.drawer.SetMaxWidth(20);
    s.drawer.PrepareOutput(&s.dc, "abcdefghijklmnopqrstuvwxyz", &s.size);
    EXPECT_EQ(s.size.cx, 21);
    s.drawer.PrepareOutput(&s.dc, "", &s.size);
    EXPECT_EQ(s.size.cx, 0);
    EXPECT_EQ(s.size.cy, 0);
}

TEST(HtmlDrawerFuzzCorpus, EverySeedRunsCleanly)
{
    testsupport::RunFuzzCorpus("tests/controls/html-fuzz-corpus", 9);
}

} // namespace
