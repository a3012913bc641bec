// The editor window: its font from the settings, layout with the source pane,
// the views per document kind, the Format buttons, and closing. Keeps
// editor-html.png and editor-rtf.png where the tests run (or in
// MIRTAL_SCREENSHOT_DIR).
#include "DlgEditFixture.h"

#include "platform/win/Menu.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdlib>

namespace {

using dlgedittest::DlgEditTest;

QString shotPath(const char* name)
{
    const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
    return QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + name);
}

TEST_F(DlgEditTest, TheFontComesFromTheStoredHeightAndFace)
{
    struct Case {
        const char* size;
        const char* face;
        int height;
        const char* shownFace;
    };
    const Case cases[] = {
        {"-16", "Courier New", 21, "Courier New"}, // a character height of 16 at 96 dpi
        {"0", "", 12, "MS Sans Serif"},             // missing or zero: 12, the default face
        {"14", "Arial", 12, "Arial"},               // a positive stored height gives 12 as well
    };
    for (const Case& c : cases) {
        setting("editdlg - fontsize", c.size);
        setting("editdlg - fontname", c.face);
        open();
        EXPECT_EQ(editor->GetEditorFont().lfHeight, c.height) << c.size;
        EXPECT_STREQ(editor->GetEditorFont().lfFaceName, c.shownFace) << c.size;
        editor->DestroyWindow();
    }

    // The font dialog's choice is stored as the dialog gave it and applies at once.
    open();
    win::SetFontDialogAnswerer([](const win::FontDialogRequest& r) -> std::optional<LOGFONT> {
        LOGFONT lf = r.initial;
        lf.lfHeight = -13;
        lf.lfWeight = 700;
        lf.lfItalic = 1;
        std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Georgia");
        return lf;
    });
    command(32833);
    EXPECT_EQ(setting("editdlg - fontsize"), "-13");
    EXPECT_EQ(setting("editdlg - fontbold"), "700");
    EXPECT_EQ(setting("editdlg - fontitalic"), "1");
    EXPECT_EQ(setting("editdlg - fontname"), "Georgia");
    EXPECT_STREQ(editor->GetEditorFont().lfFaceName, "Georgia");
}

TEST_F(DlgEditTest, TheWindowHasItsMenuAndToolbar)
{
    open();
    EXPECT_EQ(editor->GetWindowText(), "Mirtal - Edit");
    CMenu* menu = editor->GetMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> popups;
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        std::string text;
        menu->GetMenuString(UINT(i), text, MF_BYPOSITION);
        popups.push_back(text);
    }
    EXPECT_EQ(popups, (std::vector<std::string>{"&File", "&Edit", "F&ormat", "S&D", "&View"}));
    EXPECT_EQ(menu->GetSubMenu(0)->GetMenuItemCount(), 14);
    const UINT buttons[] = {32934, 32935, 32936, 32937, 32938, 32939, 32940, 32941, 32942, 32943, 32944, 32946};
    ASSERT_EQ(editor->GetToolBar().GetCount(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(editor->GetToolBar().GetItemID(i), buttons[i]);
    // A new editor shows the text view; the HTML view waits hidden.
    EXPECT_TRUE(editor->GetTextView().IsWindowVisible());
    ASSERT_NE(editor->GetBrowser(), nullptr);
    EXPECT_FALSE(htmlShown());
}

TEST_F(DlgEditTest, TheSourcePaneShareTheHeightWithTheHtmlView)
{
    testsupport::writeFile(dir.file("sheet.htm"), "<html><body><p>Heads square thru</p></body></html>");
    open(dir.file("sheet.htm"));
    // A client area of 700 by 600.
    CRect window, client;
    editor->GetWindowRect(window);
    editor->GetClientRect(client);
    editor->MoveWindow(window.left, window.top, window.Width() - client.Width() + 700,
                       window.Height() - client.Height() + 600);
    editor->GetClientRect(client);
    ASSERT_EQ(client.Height(), 600);
    EXPECT_EQ(placeOf(&editor->GetToolBar()), CRect(0, 0, 700, 40));

    command(32843);
    ASSERT_TRUE(editor->IsSourceShown());
    CWnd* pane = editor->GetDlgItem(1217);
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_EQ(placeOf(editor->GetBrowser()), CRect(10, 50, 690, 50 + 255));
    EXPECT_EQ(placeOf(pane), CRect(10, 315, 690, 315 + 275));
    EXPECT_NE(pane->GetWindowText().find("Heads square thru"), std::string::npos);

    // Again: the pane goes and the view takes the whole height.
    command(32843);
    EXPECT_FALSE(pane->IsWindowVisible());
    EXPECT_EQ(pane->GetWindowText(), "");
    EXPECT_EQ(placeOf(editor->GetBrowser()), CRect(10, 50, 690, 590));
}

TEST_F(DlgEditTest, TheKindOfADocumentComesFromItsPath)
{
    open();
    struct Case {
        const char* path;
        bool html;
        bool text;
    };
    const Case cases[] = {
        {"/x/a.HTM", true, false},         {"/x/a.html", true, false},     {"/x/a.mht", true, false},
        {"/x/a.pdf", true, false},         {"http://host/page", true, false},
        {"[db]RYL 123", true, false},       {"[DB]RYL 123", false, false}, // the prefix is case-sensitive
        {"https://host/page", false, false}, // its first five characters are not "http:"
        {"/x/a.txt", false, true},          {"/x/a.Rtf", false, true},      {"/x/a.doc", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(editor->IsHtmlDocument(c.path), c.html) << c.path;
        EXPECT_EQ(editor->IsTextDocument(c.path), c.text) << c.path;
    }

    // A web address of https goes to the shell, the editor keeps its text view.
    editor->LoadDocument("https://host/page", true);
    ASSERT_FALSE(win::ShellLog().empty());
    EXPECT_EQ(win::ShellLog().back().verb, "open");
    EXPECT_EQ(win::ShellLog().back().file, "https://host/page");
    EXPECT_FALSE(htmlShown());
    EXPECT_TRUE(editor->GetTextView().IsWindowVisible());
}

TEST_F(DlgEditTest, TextFilesOpenLineByLineAndRtfKeepsItsFormatting)
{
    testsupport::writeFile(dir.file("a.txt"), "A  \r\nB\r\n");
    open(dir.file("a.txt"));
    EXPECT_EQ(shownText(), "A\nB\n");
    EXPECT_EQ(editor->GetWindowText(), dir.file("a.txt"));
    EXPECT_FALSE(htmlShown());

    // Only ".rtf" and ".RTF" are RTF files: ".Rtf" shows the codes as text.
    const std::string rtf = "{\\rtf1\\ansi {\\b Heads} square thru\\par}";
    testsupport::writeFile(dir.file("b.rtf"), rtf);
    testsupport::writeFile(dir.file("c.Rtf"), rtf);
    editor->LoadDocument(dir.file("b.rtf"), true);
    EXPECT_EQ(shownText(), "Heads square thru\n");
    CRichEditCtrl& view = editor->GetTextView();
    view.SetSel(0, 5);
    CHARFORMAT cf;
    view.GetSelectionCharFormat(cf);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    editor->LoadDocument(dir.file("c.Rtf"), true);
    EXPECT_NE(shownText().find("\\rtf1"), std::string::npos);

    editor->LoadDocument(dir.file("missing.txt"), true);
    EXPECT_EQ(shownText(), "Open " + dir.file("missing.txt") + " failed!");
    editor->LoadDocument(dir.file("missing.rtf"), true);
    EXPECT_EQ(boxes, std::vector<std::string>{"Unable To Open The File!"});
}

TEST_F(DlgEditTest, OfThreeDroppedFilesOnlyTheFirstIsShownAndTheDocumentStays)
{
    testsupport::writeFile(dir.file("mine.txt"), "Mine\r\n");
    testsupport::writeFile(dir.file("one.txt"), "One\r\n");
    testsupport::writeFile(dir.file("two.txt"), "Two\r\n");
    open(dir.file("mine.txt"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("one.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(dir.file("two.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(dir.file("mine.txt")))});
    QWidget* target = editor->widget();
    QDragEnterEvent enter(QPoint(5, 45), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 45), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(shownText(), "One\n");
    EXPECT_EQ(editor->GetDocument(), dir.file("mine.txt"));
}

TEST_F(DlgEditTest, FormatButtonsActOnTheTextViewAndTheLineBreakOnlyOnHtml)
{
    testsupport::writeFile(dir.file("a.txt"), "Heads square thru\r\n");
    open(dir.file("a.txt"));
    CRichEditCtrl& view = editor->GetTextView();
    view.SetSel(0, 5);
    command(32940); // bold
    command(32942); // underline
    CHARFORMAT cf;
    view.GetSelectionCharFormat(cf);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_UNDERLINE);
    EXPECT_FALSE(cf.dwEffects & CFE_ITALIC);
    command(32940); // bold again: off
    view.GetSelectionCharFormat(cf);
    EXPECT_FALSE(cf.dwEffects & CFE_BOLD);

    command(32946);
    EXPECT_EQ(boxes, std::vector<std::string>{"This button only works for HTML docments."});

    // Delete clears the selection; Undo brings it back.
    view.SetSel(0, 6);
    command(32837);
    EXPECT_EQ(shownText(), "square thru\n");
    command(32840);
    EXPECT_EQ(shownText(), "Heads square thru\n");
}

TEST_F(DlgEditTest, ClosingWithUnsavedChangesAsksFirst)
{
    testsupport::writeFile(dir.file("a.txt"), "A\r\n");
    open(dir.file("a.txt"));
    // Nothing changed: it closes without a question.
    editor->SendMessage(WM_CLOSE);
    EXPECT_FALSE(editor->m_hWnd);
    EXPECT_TRUE(boxes.empty());

    open(dir.file("a.txt"));
    type("B");
    answers = {IDCANCEL};
    editor->SendMessage(WM_CLOSE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Save the changes to " + dir.file("a.txt") + "?");
    ASSERT_TRUE(editor->m_hWnd) << "Cancel keeps the editor open";

    answers = {IDYES};
    command(32812); // Exit
    EXPECT_FALSE(editor->m_hWnd);
    EXPECT_EQ(testsupport::readFile(dir.file("a.txt")), "A\r\nB\r\n");

    // No: closes and the file stays as it was.
    open(dir.file("a.txt"));
    type("C");
    answers = {IDNO};
    editor->SendMessage(WM_CLOSE);
    EXPECT_FALSE(editor->m_hWnd);
    EXPECT_EQ(testsupport::readFile(dir.file("a.txt")), "A\r\nB\r\n");
}

TEST_F(DlgEditTest, AnHtmlCueSheetIsEditableAfterTheDesignTimer)
{
    testsupport::writeFile(dir.file("cuesheet2.css"),
                           "body, p, font { font-family: Arial; font-size: 12pt; font-weight: normal;line-height: 140%; "
                           "background: #FFFFE0; color: #000000; }\r\n"
                           ".lyrics    { font-family: Arial; font-size: 12pt;font-weight: normal; color: #000000; "
                           "background-color: #FFC0CB;}\r\n"
                           ".hdr    { font-family: Arial; font-size: 12pt;font-weight: bold; color: #FF0000; "
                           "margin-left: 25px; margin-bottom: -40}\r\n"
                           ".title    { font-family: Arial; font-size: 18pt;font-weight: bold; color: #000000;}\r\n");
    testsupport::writeFile(dir.file("Sweet Caroline.html"),
                           "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"cuesheet2.css\"></head><body>"
                           "<p class=\"title\">Sweet Caroline</p><p class=\"hdr\">OPENER</p>"
                           "<p class=\"lyrics\">Circle left, left allemande, weave the ring<br>"
                           "Where it began, swing and promenade</p><p class=\"hdr\">FIGURE</p>"
                           "<p class=\"lyrics\">Heads promenade half way, down the middle square thru four</p>"
                           "</body></html>");
    open(dir.file("Sweet Caroline.html"));
    EXPECT_TRUE(htmlShown());
    EXPECT_FALSE(editor->GetTextView().IsWindowVisible());
    EXPECT_EQ(editor->GetWindowText(), dir.file("Sweet Caroline.html"));
    EXPECT_NE(editor->GetDesignTimer(), 0u);
    ASSERT_TRUE(waitForDesignMode());
    EXPECT_FALSE(editor->IsModified());

    // An edit in design mode counts as a change.
    editor->GetBrowser()->SetDocumentHtml("<html><body><p>changed</p></body></html>");
    EXPECT_TRUE(editor->IsModified());
    editor->LoadDocument(dir.file("Sweet Caroline.html"), true);
    ASSERT_TRUE(waitForDesignMode());

    QImage shot;
    testsupport::waitFor([&] {
        shot = editor->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int pink = 0;
        for (int y = 0; y < shot.height(); y += 3)
            for (int x = 0; x < shot.width(); x += 3)
                pink += shot.pixel(x, y) == qRgb(0xFF, 0xC0, 0xCB);
        return pink > 200;
    }, 15000);
    EXPECT_TRUE(shot.save(shotPath("editor-html.png")));
}

TEST_F(DlgEditTest, AnRtfDocumentShowsInTheTextView)
{
    setting("editdlg - fontsize", "-11");
    setting("editdlg - fontname", "DejaVu Sans");
    testsupport::writeFile(dir.file("Plus Figure.rtf"),
                           "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs28 {\\b Plus Figure}\\par "
                           "Heads square thru four\\par Swing thru, {\\i boys run}\\par "
                           "Ferris wheel, {\\ul centers pass thru}\\par Left allemande\\par}");
    open(dir.file("Plus Figure.rtf"));
    EXPECT_FALSE(htmlShown());
    EXPECT_EQ(shownText(), "Plus Figure\nHeads square thru four\nSwing thru, boys run\nFerris wheel, centers pass "
                           "thru\nLeft allemande\n");
    const QImage shot = editor->widget()->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(shotPath("editor-rtf.png")));
}

} // namespace
