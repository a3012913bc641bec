// The lyrics page: what it shows for each kind of document, scrolling, drops,
// Find Lyrics, edit requests and Save as HTML.
#include "LyricsFixture.h"

#include "texts/DlgLyrics.h"
#include "texts/HtmlEditCtrl2.h"
#include "texts/MarryDlg.h"
#include "store/CommandCodes.h"
#include "platform/win/WholeFile.h"
#include "common/WaitFor.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <filesystem>
#include <memory>

using namespace lyricstest;

namespace {

void dropFile(CWnd& wnd, const std::string& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wnd.widget(), &enter);
    QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wnd.widget(), &drop);
}

class DlgLyricsTest : public LyricsTest {
protected:
    std::unique_ptr<CDlgLyrics> page;

    void SetUp() override
    {
        LyricsTest::SetUp();
        record("RR 7", "Sunny", "<p>Circle left, the sun is high</p>");
        page = std::make_unique<CDlgLyrics>();
        ASSERT_TRUE(page->Create(CDlgLyrics::IDD, &mainWnd));
        page->MoveWindow(CRect(0, 0, 900, 640));
        page->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page->DestroyWindow();
        page.reset();
        LyricsTest::TearDown();
    }
    std::string shownHtml()
    {
        std::string html;
        if (page->GetBrowser())
            page->GetBrowser()->GetDocumentHtml(html);
        return html;
    }
    std::string longPage()
    {
        std::string html = "<html><body>";
        for (int i = 0; i < 120; ++i)
            html += "<p>Line " + std::to_string(i) + " of the song</p>";
        testsupport::writeFile(dir.file("long.htm"), html + "</body></html>");
        return dir.file("long.htm");
    }
    void click(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(DlgLyricsTest, StartsOnTheScratchPageWithItsButtonsAndNoDocument)
{
    ASSERT_NE(page->GetBrowser(), nullptr);
    EXPECT_TRUE(page->GetBrowser()->EnsureDocument());
    EXPECT_EQ(page->GetBrowser()->GetLocationURL(), dir.file("temp.htm"));
    EXPECT_EQ(page->GetShownFile(), "");
    for (int id : {1261, 1269, 1200})
        EXPECT_TRUE(page->GetDlgItem(id)->IsWindowVisible()) << id;
    // The browser sits right of the button column, 9 pixels from the right and bottom.
    CRect place;
    page->GetBrowser()->GetWindowRect(place);
    page->ScreenToClient(place);
    EXPECT_EQ(place, CRect(61, 11, 891, 631));
}

TEST_F(DlgLyricsTest, ACueSheetReferenceRendersTheStyledSheetOfTheRecord)
{
    g_cssTextBgColor = "#FFFFE0";
    for (const std::string reference : {"[db]RR 7", "[DB]RR 7"}) {
        page->ShowFile(reference);
        EXPECT_EQ(page->GetShownFile(), reference);
        const std::string html = shownHtml();
        EXPECT_NE(html.find("Circle left, the sun is high"), std::string::npos) << reference;
        EXPECT_NE(html.find("Sunny"), std::string::npos) << reference;
        EXPECT_NE(html.find("#FFFFE0"), std::string::npos) << "styled inline, no style sheet: " << reference;
    }
}

TEST_F(DlgLyricsTest, TheDocumentAfterAPdfGetsAFreshBrowserAndPdfsDoNotScroll)
{
    testsupport::writeFile(dir.file("sheet.pdf"), "%PDF-1.4\n");
    const std::string html = longPage();
    page->ShowFile(html);
    ASSERT_TRUE(page->GetBrowser()->EnsureDocument());
    const HWND first = page->GetBrowser()->m_hWnd;

    page->ShowFile(dir.file("sheet.pdf"));
    EXPECT_TRUE(page->IsPdfShown());
    EXPECT_EQ(page->GetBrowser()->m_hWnd, first) << "a PDF itself needs no new browser";
    page->ScrollBy(400, 10);

    page->ShowFile(html);
    EXPECT_FALSE(page->IsPdfShown());
    ASSERT_NE(page->GetBrowser(), nullptr);
    EXPECT_NE(page->GetBrowser()->m_hWnd, first);
    EXPECT_FALSE(page->GetBrowser()->IsShowingPdf());
    EXPECT_NE(shownHtml().find("Line 119"), std::string::npos);
}

TEST_F(DlgLyricsTest, ScrollingMovesTheDocumentAndHomeAndEndGoToItsEnds)
{
    page->ShowFile(longPage());
    CHtmlEditCtrl2& browser = *page->GetBrowser();
    ASSERT_TRUE(browser.EnsureDocument());
    page->ScrollBy(40, 1);
    EXPECT_EQ(browser.GetDocumentScrollY(), 40);
    page->ScrollBy(9999, 9999); // End
    const int bottom = browser.GetDocumentScrollY();
    EXPECT_GT(bottom, 1000);
    page->ScrollBy(400, 10);
    EXPECT_EQ(browser.GetDocumentScrollY(), bottom) << "nothing beyond the end";
    page->ScrollBy(-9999, -9999); // Home
    EXPECT_EQ(browser.GetDocumentScrollY(), 0);
}

TEST_F(DlgLyricsTest, DropsShowDocumentsHandSongsToThePlayerAndRefuseTheRest)
{
    struct Case {
        std::string file;
        bool shown;    // the page shows it
        bool played;   // 800 with the file
        bool refused;  // a box names it
    };
    const Case cases[] = {
        {"Lyrics.HTM", true, false, false},
        {"notes.txt", true, false, false},
        {"Song.mp3", false, true, false},
        {"Song.FLAC", false, true, false},
        {"letter.doc", false, false, true},
        {"noextension", false, false, true},
    };
    for (const Case& c : cases) {
        const std::string path = dir.file(c.file);
        testsupport::writeFile(path, "<p>x</p>");
        page->ShowFile(dir.file("temp.htm"));
        mainWnd.codes.clear();
        boxes.clear();
        g_droppedFilePath.clear();
        dropFile(*page, path);
        EXPECT_EQ(page->GetShownFile() == path, c.shown) << c.file;
        EXPECT_EQ(mainWnd.count(CMD_PLAY_DROPPED_FILE), c.played ? 1 : 0) << c.file;
        EXPECT_EQ(g_droppedFilePath, c.played ? path : "") << c.file;
        ASSERT_EQ(boxes.size(), c.refused ? 1u : 0u) << c.file;
        if (c.refused) {
            EXPECT_NE(boxes[0].find(c.file), std::string::npos);
        }
    }
}

TEST_F(DlgLyricsTest, EditAsksTheMainWindowForAnEditorOnTheShownDocument)
{
    for (const std::string& shown : {std::string("[db]RR 7"), dir.file("temp.htm")}) {
        page->ShowFile(shown);
        mainWnd.codes.clear();
        click(1269);
        EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_EDIT_HTML});
        EXPECT_EQ(g_htmlPath, shown);
    }
}

TEST_F(DlgLyricsTest, FindLyricsOpensOneWindowMarkedAsThePagesAndShowsItsChoices)
{
    testsupport::writeFile(dir.file("RR 7 - Sunny.htm"), "<p>Sunny lyrics</p>");
    g_lyricsCandidates[0] = dir.file("RR 7 - Sunny.htm");
    g_lyricsCandidates[1] = "[db]RR 7 - Sunny";
    g_currentSongPath = "/music/RR 7 - Sunny.mp3";
    click(1261);
    CMarryDlg* finder = page->GetFindLyricsDialog();
    ASSERT_NE(finder, nullptr);
    EXPECT_TRUE(finder->IsWindowVisible());
    EXPECT_EQ(finder->GetRowCount(), 2);

    // OK hands the choice to the lyrics page (921), which the main window asks to show it.
    finder->GetList().SetSelectionMark(1);
    finder->OnOK();
    EXPECT_EQ(mainWnd.count(CMD_LYRICS_PAGE_PICKED), 1);
    EXPECT_FALSE(finder->IsWindowVisible());
    page->ShowFindLyricsChoice();
    EXPECT_EQ(page->GetShownFile(), "[db]RR 7");

    // The next click sets the same window up again with the new song.
    g_lyricsCandidates.fill("");
    g_currentSongPath = "/music/Just A Title.mp3";
    click(1261);
    EXPECT_EQ(page->GetFindLyricsDialog(), finder);
    EXPECT_TRUE(finder->IsWindowVisible());
    EXPECT_EQ(finder->GetRowCount(), 0);
    EXPECT_EQ(finder->GetDlgItem(1268)->GetWindowText(), "Just A Title");

    // View shows the selection at once (922 to the main window).
    g_lyricsCandidates[0] = dir.file("RR 7 - Sunny.htm");
    click(1261);
    finder->GetList().SetSelectionMark(0);
    finder->OnView();
    EXPECT_EQ(mainWnd.count(CMD_LYRICS_PAGE_FOUND), 1);
    page->ShowFoundLyrics();
    EXPECT_EQ(page->GetShownFile(), dir.file("RR 7 - Sunny.htm"));
}

class SaveAsHtmlTest : public DlgLyricsTest {};

TEST_F(SaveAsHtmlTest, ACueSheetIsProposedUnderItsLabelTitleAndWrittenWithTheStyleSheetLink)
{
    page->ShowFile("[db]RR 7");
    saveAnswer = dir.file("out/RR 7 - Sunny.html");
    std::filesystem::create_directories(dir.file("out"));
    click(1200);
    ASSERT_EQ(fileChoices.size(), 1u);
    EXPECT_EQ(fileChoices[0].fileName, "RR 7 - Sunny");
    EXPECT_FALSE(fileChoices[0].open);
    EXPECT_EQ(fileChoices[0].defaultExt, ".html");
    EXPECT_EQ(testsupport::readFile(saveAnswer), CUtilityDb().RenderCueSheetCss("RR 7"));
    EXPECT_NE(testsupport::readFile(saveAnswer).find("cuesheet2.css"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(win::WholeFileScratch(saveAnswer)));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveAsHtmlTest, AFileIsCopiedLineByLineWithoutTrailingBlanksOverAnOlderFile)
{
    testsupport::writeFile(dir.file("song.htm"), "<p>one</p>  \r\n<p>two</p>\t\n");
    testsupport::writeFile(dir.file("copy.html"), "older");
    page->ShowFile(dir.file("song.htm"));
    saveAnswer = dir.file("copy.html");
    click(1200);
    ASSERT_EQ(fileChoices.size(), 1u);
    EXPECT_EQ(fileChoices[0].fileName, dir.file("song.htm"));
    EXPECT_EQ(testsupport::readFile(saveAnswer), "<p>one</p>\n<p>two</p>\n");
}

TEST_F(SaveAsHtmlTest, WhatHasNoTextIsRefusedWithAMessageAndWritesNothing)
{
    testsupport::writeFile(dir.file("sheet.pdf"), "%PDF-1.4\n");
    const std::string refused[] = {dir.file("sheet.pdf"), "http://example.org/cues", "www.example.org/x.htm"};
    saveAnswer = dir.file("never.html");
    for (const std::string& shown : refused) {
        page->ShowFile(shown);
        boxes.clear();
        fileChoices.clear();
        click(1200);
        EXPECT_TRUE(fileChoices.empty()) << shown;
        ASSERT_EQ(boxes.size(), 1u) << shown;
        EXPECT_NE(boxes[0].find(shown), std::string::npos);
    }
    // A shown file that cannot be read: the box says so after the choice.
    page->ShowFile(dir.file("gone.htm"));
    boxes.clear();
    click(1200);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("gone.htm"), std::string::npos);
    // "[DB]" is no cue sheet to save: the exact prefix is.
    page->ShowFile("[DB]RR 7");
    boxes.clear();
    click(1200);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.html")));
}

TEST_F(SaveAsHtmlTest, AFailedWriteIsReportedAndLeavesTheOlderFileWhole)
{
    testsupport::writeFile(dir.file("song.htm"), "<p>new</p>\n");
    testsupport::writeFile(dir.file("keep.html"), "the older file");
    // The scratch file's place is taken by a folder: the write cannot start.
    std::filesystem::create_directories(win::WholeFileScratch(dir.file("keep.html")));
    page->ShowFile(dir.file("song.htm"));
    saveAnswer = dir.file("keep.html");
    click(1200);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("keep.html"), std::string::npos);
    EXPECT_EQ(testsupport::readFile(dir.file("keep.html")), "the older file");

    boxes.clear();
    saveAnswer = dir.file("no/such/folder/x.html");
    click(1200);
    EXPECT_EQ(boxes.size(), 1u);
}

// The lyrics page with a cue sheet of the catalogue, as the caller sees it. Keeps
// lyrics-page.png where the tests run (or in MIRTAL_SCREENSHOT_DIR).
TEST_F(DlgLyricsTest, APageWithACueSheetLooksRight)
{
    g_cssTextBgColor = "#FFFFE0";
    g_cssLyricsBgColor = "#FFC0CB";
    CppSQLite3DB db;
    db.Open(dir.file("utility.db"));
    db.Execute("update cuesheet set cuesheet='<br>[header]OPENER, MIDDLE BREAK, CLOSER</FONT><br>[lyrics]Circle "
               "left, left allemande, weave the ring<br>Swing and promenade, the sun is high</span></FONT><br>"
               "[header]FIGURE</FONT><br>[lyrics]Heads promenade half way, down the middle square thru four<br>"
               "Right and left thru, veer left, ferris wheel<br>Swing the corner, promenade</span></FONT>' "
               "where label='RR 7';");
    db.Close();
    page->ShowFile("[db]RR 7");
    ASSERT_TRUE(page->GetBrowser()->EnsureDocument());
    testsupport::waitFor([&] { return false; }, 800); // let the engine paint
    screenshot(*page, "lyrics-page.png");
    EXPECT_NE(shownHtml().find("FIGURE"), std::string::npos);
}

} // namespace
