// The separate lyrics window: the view and title each kind of document gets,
// the browser made only when a document needs it and made anew after a PDF,
// the rich-edit view's font from the stored size, the places of windows 1 and
// 2, and the menu.
#include "LyricsPageHelper.h"
#include "MainWindowFixture.h"

#include "app/ModelessLyrics.h"
#include "common/CommandSink.h"
#include "platform/win/FileDialog.h"
#include "platform/win/ListCtrl.h"
#include "platform/win/Shell.h"
#include "platform/win/WebBrowser.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/UtilityDb.h"
#include "texts/GetFromMusicDb.h"
#include "texts/HtmlEditCtrl2.h"

#include <QWidget>
#include <algorithm>
#include <memory>

using namespace mainwindowtest;

namespace {

class ModelessLyricsTest : public MainWindowTest {
protected:
    testsupport::CommandSink sink;
    std::vector<std::unique_ptr<CModelessLyrics>> windows;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        preset({});
        CUtilityDb().Init();
        CChoreoDb().Open();
        testsupport::writeFile(dir.file("temp.htm"), "<html><body></body></html>");
        ASSERT_TRUE(sink.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
        g_mainWnd = sink.m_hWnd;
        g_lyricsWindowX = 50, g_lyricsWindowY = 60, g_lyricsWindowWidth = 400, g_lyricsWindowHeight = 500;
        g_lyricsWindow2X = 500, g_lyricsWindow2Y = 70, g_lyricsWindow2Width = 380, g_lyricsWindow2Height = 420;
        win::SetShellLauncher([](const win::ShellRequest&) { return SE_OK; });
        win::ClearShellLog();
    }
    void TearDown() override
    {
        for (auto& w : windows)
            if (w->m_hWnd)
                w->DestroyWindow();
        windows.clear();
        g_mainWnd = nullptr;
        sink.DestroyWindow();
        win::SetShellLauncher({});
        win::SetFileDialogAnswerer({});
        MainWindowTest::TearDown();
    }
    CModelessLyrics& open(int slot = 1)
    {
        windows.push_back(std::make_unique<CModelessLyrics>(nullptr, slot));
        EXPECT_TRUE(windows.back()->Create(CModelessLyrics::IDD));
        return *windows.back();
    }
    static std::string text(CModelessLyrics& w)
    {
        std::string t = w.GetTextView().GetWindowText();
        t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
        return t;
    }
    static std::string html(CModelessLyrics& w)
    {
        std::string h;
        if (w.GetBrowser())
            w.GetBrowser()->GetDocumentHtml(h);
        return h;
    }
    void record(const std::string& label, const std::string& title, const std::string& sheet)
    {
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        db.Execute("insert into sqrecord values('" + label + "','" + title + "','Pat','Co','" + label + " - " + title +
                   "','[yes]');");
        db.Execute("insert into cuesheet values('" + label + "','" + sheet + "');");
        db.Close();
    }
    static void command(CWnd& w, UINT id) { w.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

// Tests that read a document through the browser engine: they share one process,
// whose engine starts once for all of them.
class ModelessLyricsInBrowserTest : public ModelessLyricsTest {};

TEST_F(ModelessLyricsTest, TextsShowInTheRichEditViewWithoutMakingTheBrowser)
{
    testsupport::writeFile(dir.file("plain.txt"), "Allemande left   \r\nSwing your partner\t\r\n");
    testsupport::writeFile(dir.file("cues.rtf"),
                           "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Circle \\b left\\b0  now\\par}");
    const std::string choreo = CChoreoRef("plus", "opener's", "singer", "").GetEncoded();
    MyFunctions fn;
    CChoreoDb().SaveEntry("plus", fn.EscapeSql("opener's"), "singer", fn.EscapeSql("Heads square thru<br>Swing"), 1,
                          1);
    struct Case {
        std::string path;
        std::string shown;
        std::string title;
    };
    const Case cases[] = {
        {dir.file("plain.txt"), "Allemande left\nSwing your partner\n", dir.file("plain.txt")},
        {dir.file("cues.rtf"), "Circle left now", dir.file("cues.rtf")},
        {choreo, "Heads square thru\nSwing", "Database Choreography: opener's"},
        // A text that cannot be read says so and keeps the title.
        {dir.file("gone.txt"), "Open " + dir.file("gone.txt") + " failed!", "Database Choreography: opener's"},
    };
    CModelessLyrics& w = open();
    for (const Case& c : cases) {
        w.ShowDocument(c.path);
        EXPECT_EQ(w.GetDocument(), c.path);
        EXPECT_FALSE(w.IsBrowserShown()) << c.path;
        EXPECT_TRUE(w.GetTextView().IsWindowVisible()) << c.path;
        EXPECT_EQ(text(w).substr(0, c.shown.size()), c.shown) << c.path;
        EXPECT_EQ(w.GetWindowText(), c.title) << c.path;
    }
    EXPECT_EQ(w.GetBrowser(), nullptr) << "no browser for texts";

    // The RTF file shows formatted: "left" is bold, "Circle" is not.
    w.ShowDocument(dir.file("cues.rtf"));
    CHARFORMAT format;
    w.GetTextView().SetSel(7, 11);
    w.GetTextView().GetSelectionCharFormat(format);
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);
    w.GetTextView().SetSel(0, 6);
    w.GetTextView().GetSelectionCharFormat(format);
    EXPECT_FALSE(format.dwEffects & CFE_BOLD);

    // The view fills the client area.
    CRect client, view;
    w.GetClientRect(client);
    w.GetTextView().GetWindowRect(view);
    w.ScreenToClient(view);
    EXPECT_EQ(view, client);
}

TEST_F(ModelessLyricsInBrowserTest, PagesPdfsAndCueSheetsShowInTheBrowserMadeWhenFirstNeeded)
{
    record("RR 7", "Sunny", "<p>Circle left, the sun is high</p>");
    const std::string page = lyricspage::longPage(dir);
    testsupport::writeFile(dir.file("sheet.pdf"), "%PDF-1.4\n");
    CModelessLyrics& w = open();
    EXPECT_EQ(w.GetBrowser(), nullptr) << "not made with the window";

    w.ShowDocument(page);
    ASSERT_NE(w.GetBrowser(), nullptr);
    EXPECT_TRUE(w.IsBrowserShown());
    EXPECT_FALSE(w.GetTextView().IsWindowVisible());
    ASSERT_TRUE(w.GetBrowser()->EnsureDocument());
    EXPECT_EQ(w.GetBrowser()->GetLocationURL(), page);
    EXPECT_EQ(w.GetWindowText(), page);
    w.ScrollBy(40);
    EXPECT_EQ(w.GetBrowser()->GetDocumentScrollY(), 40);

    // A cue sheet of the record database, in any letter case.
    for (const std::string reference : {"[db]RR 7", "[DB]RR 7"}) {
        w.ShowDocument(reference);
        EXPECT_NE(html(w).find("Circle left, the sun is high"), std::string::npos) << reference;
        EXPECT_EQ(w.GetWindowText(), "Database Lyrics: RR 7");
    }

    // A PDF shows in the same browser; it does not scroll; the next document gets a new browser.
    const HWND first = w.GetBrowser()->m_hWnd;
    w.ShowDocument(dir.file("sheet.pdf"));
    EXPECT_TRUE(w.IsPdfShown());
    EXPECT_TRUE(w.GetBrowser()->IsShowingPdf());
    EXPECT_EQ(w.GetBrowser()->m_hWnd, first);
    w.ScrollBy(400);
    w.ShowDocument(page);
    EXPECT_FALSE(w.IsPdfShown());
    ASSERT_NE(w.GetBrowser(), nullptr);
    EXPECT_NE(w.GetBrowser()->m_hWnd, first);
    ASSERT_TRUE(w.GetBrowser()->EnsureDocument());
    EXPECT_NE(html(w).find("Line 119"), std::string::npos);
    EXPECT_EQ(w.GetBrowser()->GetDocumentScrollY(), 0);

    CRect client, view;
    w.GetClientRect(client);
    w.GetBrowser()->GetWindowRect(view);
    w.ScreenToClient(view);
    EXPECT_EQ(view, client);
    win::PumpMessages(50);
    screenshot(w.frameWidget()->grab().toImage(), "lyrics-window-html.png");
}

TEST_F(ModelessLyricsInBrowserTest, WindowTwoPutsItsPrefixInFrontOfFileAndCueSheetTitles)
{
    record("RR 7", "Sunny", "<p>sheet</p>");
    testsupport::writeFile(dir.file("plain.txt"), "text\r\n");
    const std::string choreo = CChoreoRef("plus", "closer", "", "").GetEncoded();
    CChoreoDb().SaveEntry("plus", "closer", "", "Swing", 1, 1);
    CModelessLyrics& w = open(2);
    w.SetWindowNumber(1);
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("plain.txt"), "Queue: " + dir.file("plain.txt")},
        {"[db]RR 7", "Queue Database Lyrics: RR 7"},
        {choreo, "Database Choreography: closer"},
    };
    for (const auto& [path, title] : cases) {
        w.ShowDocument(path);
        EXPECT_EQ(w.GetWindowText(), title);
    }
    // Another kind of file goes to the desktop's program and the window ends as with OK.
    w.ShowDocument(dir.file("notes.doc"));
    ASSERT_FALSE(win::ShellLog().empty());
    EXPECT_EQ(win::ShellLog().back().verb, "open");
    EXPECT_EQ(win::ShellLog().back().file, dir.file("notes.doc"));
    EXPECT_FALSE(w.IsWindowVisible());
    EXPECT_TRUE(sink.codes.empty()) << "the main window is not told";
}

TEST_F(ModelessLyricsTest, TheTextViewUsesTheStoredFontSize)
{
    struct Case {
        const char* size; // nullptr: not stored
        const char* face;
        int height;
        const char* faceShown;
    };
    // 96 dots per inch: 14 points are a character height of 19, the font dialog's -16 a cell height of 21.
    const Case cases[] = {
        {"14", "DejaVu Sans", -19, "DejaVu Sans"},
        {"-16", "DejaVu Serif", 21, "DejaVu Serif"},
        {nullptr, nullptr, 12, "MS Sans Serif"},
    };
    for (const Case& c : cases) {
        CMusicDb db;
        db.SetSetting("editdlg - fontsize", c.size ? c.size : "", 1);
        db.SetSetting("editdlg - fontname", c.face ? c.face : "", 1);
        db.SetSetting("editdlg - fontbold", "700", 1);
        db.SetSetting("editdlg - fontitalic", "1", 1);
        CModelessLyrics& w = open();
        LOGFONT shown{};
        ASSERT_NE(w.GetTextView().GetFont(), nullptr);
        w.GetTextView().GetFont()->GetLogFont(&shown);
        EXPECT_EQ(shown.lfHeight, c.height) << (c.size ? c.size : "missing");
        EXPECT_STREQ(shown.lfFaceName, c.faceShown);
        EXPECT_EQ(shown.lfWeight, 700);
        EXPECT_TRUE(shown.lfItalic);
    }
    testsupport::writeFile(dir.file("plain.txt"), "Allemande left\r\nSwing your partner\r\n");
    windows.front()->ShowDocument(dir.file("plain.txt"));
    win::PumpMessages(20);
    screenshot(windows.front()->frameWidget()->grab().toImage(), "lyrics-window-text.png");
}

TEST_F(ModelessLyricsTest, EachWindowKeepsItsPlaceAndReportsItsOwnClose)
{
    CModelessLyrics& one = open(1);
    CRect r;
    one.GetWindowRect(r);
    EXPECT_EQ(r, CRect(50, 60, 450, 560)) << "opens at lyrics window 1's place";
    CModelessLyrics& two = open(2);
    two.SetWindowNumber(1);
    two.GetWindowRect(r);
    EXPECT_EQ(r, CRect(500, 70, 880, 490)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;

    // Moves and sizes are kept by each window in its own globals.
    two.MoveWindow(510, 80, 300, 350);
    EXPECT_EQ(g_lyricsWindow2X, 510);
    EXPECT_EQ(g_lyricsWindow2Height, 350);
    EXPECT_EQ(g_lyricsWindowX, 50);
    one.MoveWindow(20, 30, 320, 330);
    EXPECT_EQ(g_lyricsWindowX, 20);
    EXPECT_EQ(g_lyricsWindowWidth, 320);
    EXPECT_EQ(g_lyricsWindow2X, 510);

    // Restoring puts a window at lyrics window 1's place.
    g_lyricsWindowX = 100, g_lyricsWindowY = 110;
    one.RestorePlacement();
    one.GetWindowRect(r);
    EXPECT_EQ(r.TopLeft(), CPoint(100, 110));

    // (The sink does not destroy the windows as the main window does, so a close may report twice.)
    two.SendMessage(WM_CLOSE);
    ASSERT_FALSE(sink.codes.empty());
    EXPECT_EQ(std::count(sink.codes.begin(), sink.codes.end(), CMD_LYRICS_WINDOW2_CLOSED), int(sink.codes.size()));
    sink.codes.clear();
    one.SendMessage(WM_CLOSE);
    ASSERT_FALSE(sink.codes.empty());
    EXPECT_EQ(std::count(sink.codes.begin(), sink.codes.end(), CMD_LYRICS_WINDOW_CLOSED), int(sink.codes.size()));
}

TEST_F(ModelessLyricsInBrowserTest, TheMenuOpensPrintsEditsAndExits)
{
    record("RR 7", "Sunny", "<p>from the menu</p>");
    testsupport::writeFile(dir.file("plain.txt"), "Allemande left\r\n");
    CModelessLyrics& w = open();

    // Open From File: the chosen file is shown; Cancel leaves the document.
    std::vector<win::FileDialogRequest> asked;
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& q) -> std::optional<std::vector<std::string>> {
        asked.push_back(q);
        return std::vector<std::string>{dir.file("plain.txt")};
    });
    command(w, 32830);
    EXPECT_EQ(w.GetDocument(), dir.file("plain.txt"));
    ASSERT_EQ(asked.size(), 1u);

    // Open From Database: the record picked in the picker.
    dialogAnswers[CGetFromMusicDb::IDD] = [](CWnd* picker) {
        auto* list = static_cast<CListCtrl*>(picker->GetDlgItem(1191));
        list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        list->SetSelectionMark(0);
        picker->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), 0);
        return IDOK;
    };
    command(w, 32857);
    EXPECT_EQ(w.GetDocument(), "[db]RR 7");
    EXPECT_NE(html(w).find("from the menu"), std::string::npos);

    // Print hands the document to the shell.
    w.ShowDocument(dir.file("plain.txt"));
    command(w, 32839);
    ASSERT_FALSE(win::ShellLog().empty());
    EXPECT_EQ(win::ShellLog().back().verb, "print");
    EXPECT_EQ(win::ShellLog().back().file, dir.file("plain.txt"));

    // Edit Cuesheet asks the main window to edit the document.
    command(w, 32945);
    EXPECT_EQ(g_htmlPath, dir.file("plain.txt"));
    EXPECT_EQ(sink.codes, std::vector<UINT>{CMD_EDIT_HTML});

    // Exit only hides the window; the main window keeps it.
    command(w, 32812);
    EXPECT_FALSE(w.IsWindowVisible());
    EXPECT_TRUE(IsWindow(w.m_hWnd));
    EXPECT_EQ(sink.codes, std::vector<UINT>{CMD_EDIT_HTML});
}

} // namespace
