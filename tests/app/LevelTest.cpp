// Dance levels and tab pages: the level switch, the number of list tabs, the
// tab captions, selecting pages and the lyrics shown where the mode says.
#include "MainWindowFixture.h"

#include "app/ModelessLyrics.h"

#include <QImage>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace mainwindowtest;
using callrec::List;

namespace {

// Where the tests run; the screenshot stays there (the data folders go away).
const std::filesystem::path kStartFolder = std::filesystem::current_path();

class LevelTest : public MainWindowTest {
protected:
    std::vector<std::string> captions()
    {
        std::vector<std::string> c;
        TabCtrlComplex& tabs = dlg->TabControl();
        for (int i = 0; i < tabs.GetCount(); ++i)
            c.push_back(tabs.GetTabText(tabs.GetTab(i)));
        return c;
    }
    std::vector<HTAB> tabs()
    {
        std::vector<HTAB> t;
        for (int i = 0; i < dlg->TabControl().GetCount(); ++i)
            t.push_back(dlg->TabControl().GetTab(i));
        return t;
    }
};

TEST_F(LevelTest, AnyLevelIsClampedStoredAndShownInTitleAndMenu)
{
    preset({{"plus - levelname", "Plus Program"}, {"c4 - levelname", "MIRTAL - Challenge Four"}});
    start();
    struct Case {
        int asked, level;
        const char* code;
    };
    const Case cases[] = {{0, 1, "basic"}, {11, 10, "c4"}, {-3, 1, "basic"}, {3, 3, "plus"}, {1000, 10, "c4"}};
    for (const Case& c : cases) {
        dlg->SetLevel(c.asked);
        EXPECT_EQ(g_danceLevel, c.level) << c.asked;
        EXPECT_EQ(g_levelCode, c.code);
        EXPECT_EQ(setting("general - level"), std::to_string(c.level));
        for (int level = 1; level <= 10; ++level)
            EXPECT_EQ(checked(32786 + UINT(level)), level == c.level) << c.asked << " " << level;
        EXPECT_EQ(dlg->GetWindowText(), dlg->LevelTitle(c.level));
    }
    dlg->SetLevel(3);
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Plus Program");
    dlg->SetLevel(10);
    EXPECT_EQ(dlg->GetWindowText(), "MIRTAL - Challenge Four");
}

TEST_F(LevelTest, TheChangeProgramItemsSwitchLevels)
{
    start();
    for (UINT id = 32787; id <= 32796; ++id) {
        menu(id);
        EXPECT_EQ(g_danceLevel, int(id - 32786));
        EXPECT_TRUE(checked(id));
    }
}

TEST_F(LevelTest, TheNumberOfListTabsComesFromTheLevelOrTheGlobalSetting)
{
    struct Case {
        const char* levelTabs;  // "3 - nrtabs" (Plus); null: missing
        const char* globalTabs; // "global - nrtabs"; null: missing
        int pages;
    };
    const Case cases[] = {
        {"4", "9", 6},     {"0", "9", 11},     {nullptr, "9", 11}, {nullptr, "20", 17},
        // Missing keys are seeded at start: the level with 0, "global - nrtabs" with 9.
        {nullptr, "-5", 2}, {nullptr, nullptr, 11}, {"15", "0", 17},   {"-1", "7", 2},
        {"x", "3", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.levelTabs ? c.levelTabs : "-") + " " + (c.globalTabs ? c.globalTabs : "-"));
        preset({{"general - level", "3"}});
        {
            CppSQLite3DB db;
            db.Open(dir.file("mirtal.db"));
            db.Execute("DELETE FROM ini WHERE name LIKE '% - nrtabs';");
            db.Close();
        }
        if (c.levelTabs)
            preset({{"3 - nrtabs", c.levelTabs}});
        if (c.globalTabs)
            preset({{"global - nrtabs", c.globalTabs}});
        start();
        EXPECT_EQ(dlg->GetPageCount(), c.pages);
        EXPECT_EQ(dlg->TabControl().GetCount(), c.pages);
        rec.reset();
        dlg->DestroyWindow();
        dlg.reset();
    }
}

TEST_F(LevelTest, ASwitchKeepsTheTabsWhenTheirNumberStaysAndRebuildsThemWhenItChanges)
{
    preset({{"1 - nrtabs", "5"}, {"2 - nrtabs", "5"}, {"3 - nrtabs", "2"}, {"general - level", "1"}});
    start();
    ASSERT_EQ(dlg->GetPageCount(), 7);
    dlg->SelectPage(6);
    const auto before = tabs();
    dlg->SetLevel(2);
    EXPECT_EQ(tabs(), before) << "the same tabs";
    EXPECT_EQ(dlg->GetCurrentPage(), 6);

    dlg->SetLevel(3);
    EXPECT_EQ(dlg->GetPageCount(), 4);
    EXPECT_EQ(dlg->TabControl().GetCount(), 4);
    EXPECT_EQ(dlg->GetCurrentPage(), 0) << "the selected page is gone: the music page shows";
    EXPECT_TRUE(dlg->MusicPage().IsWindowVisible());
    // The list pages keep their windows, hidden, without a tab.
    EXPECT_NE(dlg->ListPage(4).m_hWnd, nullptr);
    EXPECT_FALSE(dlg->IsPageInTabs(6));
    EXPECT_TRUE(dlg->IsPageInTabs(3));
}

// What a list page holds and wears: a page made when its level is first chosen
// must come out as one made at the start.
std::string look(CDlgList& page)
{
    std::ostringstream s;
    const LOGFONT& font = page.GetPageFont();
    s << "id " << page.GetDlgCtrlID() << " number " << page.GetPageNumber() << " font " << font.lfFaceName << " "
      << font.lfHeight << " " << font.lfWeight << " " << int(font.lfItalic) << " clock "
      << page.IsAnalogClockChosen() << page.IsTwelveHourClock() << " " << page.GetClockBackColor() << " "
      << page.GetClockTextColor() << " back " << page.GetBackgroundColor() << " source " << page.GetSourcePath()
      << " entries " << page.GetEntryCount() << " at " << page.GetCurrentIndex() << " loads "
      << page.GetLoadCount() << " reload " << page.IsFontReloadMarked();
    return s.str();
}

TEST_F(LevelTest, ALevelWithMoreTabsMakesItsPagesAsTheStartWould)
{
    std::ofstream(dir.file("late.txt")) << "a page made late";
    preset({{"general - level", "1"},
            {"4 - nrtabs", "12"},
            {"a1 - headtab9", "A1 Ten"},
            {"a1 - headtab11", "A1 Twelve"},
            {"general - digitalclock", "1"},
            {"general - clockbgcolorR", "200"},
            {"general - clocktxtcolorB", "90"},
            {"general - dlgcolorR", "12"},
            {"general - dlgcolorG", "34"},
            {"general - dlgcolorB", "56"},
            {"10list_a1 - fontname", "Courier"},
            {"10list_a1 - fontsize", "-21"},
            {"10list_a1 - fontbold", "700"},
            {"10list_a1 - fontitalic", "1"},
            {"10list_a1 - type", "3"},
            {"10list_a1 - path", dir.file("late.txt")},
            {"9list_a1 - fontname", "Serif"}});
    start();
    ASSERT_EQ(dlg->GetPageCount(), 11);
    EXPECT_EQ(dlg->ListPage(9).m_hWnd, nullptr) << "a page no tab shows is not made";
    dlg->SelectPage(3);
    dlg->SetLevel(4);
    ASSERT_EQ(dlg->GetPageCount(), 14);
    EXPECT_EQ(dlg->TabControl().GetCount(), 14);
    EXPECT_EQ(captions()[11], "  A1 Ten  ");
    EXPECT_EQ(captions()[13], "  A1 Twelve  ");
    EXPECT_EQ(dlg->GetCurrentPage(), 3) << "the page shown stays";
    EXPECT_TRUE(dlg->ListPage(1).IsWindowVisible());
    std::vector<std::string> late;
    for (int n = 9; n < 12; ++n) {
        ASSERT_NE(dlg->ListPage(n).m_hWnd, nullptr) << n;
        EXPECT_FALSE(dlg->ListPage(n).IsWindowVisible()) << n;
        late.push_back(look(dlg->ListPage(n)));
    }
    EXPECT_EQ(dlg->ListPage(10).GetTextView().GetWindowText().rfind("a page made late", 0), 0u);
    dlg->SelectPage(12);
    EXPECT_TRUE(dlg->ListPage(10).IsWindowVisible());

    // Back to fewer tabs and up again: the pages stay made, hidden in between.
    const HWND kept = dlg->ListPage(10).m_hWnd;
    dlg->SetLevel(1);
    EXPECT_EQ(dlg->TabControl().GetCount(), 11);
    EXPECT_FALSE(dlg->ListPage(10).IsWindowVisible());
    dlg->SetLevel(4);
    EXPECT_EQ(dlg->ListPage(10).m_hWnd, kept);

    // The same pages made at the start of a window on A1.
    rec.reset();
    dlg->DestroyWindow();
    dlg.reset();
    preset({{"general - level", "4"}});
    start();
    for (int n = 9; n < 12; ++n)
        EXPECT_EQ(look(dlg->ListPage(n)), late[size_t(n - 9)]) << n;
}

TEST_F(LevelTest, CaptionsComeFromTheLevelOrElseTheGlobalKeys)
{
    preset({{"global - nrtabs", "3"},
            {"music - headname", "Music"},
            {"lyrics - headname", "Lyrics"},
            {"global - headtab0", "Singing"},
            {"plus - headtab0", ""},
            {"global - headtab1", "Global One"},
            {"plus - headtab1", "Plus Calls"},
            {"mainstream - headtab1", "never read"},
            {"main - headtab1", "MS Calls"}});
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("DELETE FROM ini WHERE name IN ('global - headtab2', 'plus - headtab2');");
        db.Close();
    }
    start();
    // The deleted keys are seeded again at start: the level's tab name empty, the global one "5 - Start".
    dlg->SetLevel(3);
    EXPECT_EQ(captions(),
              (std::vector<std::string>{"  Music  ", "  Lyrics  ", "  Singing  ", "  Plus Calls  ", "  5 - Start  "}));
    dlg->SetLevel(2);
    EXPECT_EQ(captions(),
              (std::vector<std::string>{"  Music  ", "  Lyrics  ", "  Singing  ", "  MS Calls  ", "  5 - Start  "}));
}

TEST_F(LevelTest, ASwitchReloadsTheLevelsListsPathsAndPages)
{
    preset({{"global - nrtabs", "4"},
            {"global - lyricsdir", "/lyrics/all"},
            {"a1 - lyricsdir", "/lyrics/a1"},
            {"lyrics - separatepath", "true"},
            {"a1 - playlist2", dir.file("a1.m3u")}});
    start();
    std::vector<int> loads;
    for (int n = 0; n < 15; ++n)
        loads.push_back(dlg->ListPage(n).GetLoadCount());
    dlg->SetLevel(4);
    EXPECT_EQ(g_lyricsDir, "/lyrics/a1");
    EXPECT_EQ(g_lyricsSeparatePath, 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(CMusicDb().GetSetting("music - listpath2", 1), dir.file("a1.m3u")) << "the level's playlists load";
    for (int n = 0; n < 15; ++n)
        EXPECT_EQ(dlg->ListPage(n).GetLoadCount(), loads[size_t(n)] + (n < 4 ? 1 : 0)) << n;
    dlg->SetLevel(5);
    EXPECT_EQ(g_lyricsDir, "/lyrics/all");
}

TEST_F(LevelTest, SelectingAPageGivesItTheFocusUpToTheTwelfthTab)
{
    preset({{"global - nrtabs", "15"}});
    start();
    endStartWait();
    dlg->SelectPage(11);
    win::PumpMessages(20);
    EXPECT_EQ(dlg->GetCurrentPage(), 11);
    ASSERT_NE(CWnd::GetFocus(), nullptr);
    EXPECT_EQ(CWnd::GetFocus()->GetParent(), &dlg->ListPage(9));

    dlg->SelectPage(12);
    win::PumpMessages(20);
    EXPECT_EQ(dlg->GetCurrentPage(), 12);
    EXPECT_TRUE(dlg->ListPage(10).IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus()->GetParent(), &dlg->ListPage(9)) << "the focus stays where it was";

    dlg->SelectPage(17);
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
    dlg->SelectPage(-1);
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
}

TEST_F(LevelTest, LyricsGoWhereTheLyricsModeSays)
{
    start();
    g_lyricsShowMode = 1;
    dlg->ShowLyrics("/l/a.htm", true);
    EXPECT_EQ(dlg->MusicPage().LyricsDocumentPath(), "/l/a.htm");
    EXPECT_TRUE(dlg->MusicPage().IsLyricsViewShown());
    EXPECT_TRUE(dlg->MusicPage().GetDlgItem(1243)->IsWindowVisible()) << "the show-lyrics button";
    dlg->ShowLyrics("/l/a.htm", true);
    EXPECT_TRUE(dlg->MusicPage().IsLyricsViewShown()) << "forced, the view stays";

    // Mode 2 without force: shown, then hidden; the window gets the document both times.
    g_lyricsShowMode = 2;
    clearCalls();
    dlg->ShowLyrics("/l/b.htm", false);
    CModelessLyrics* window = dlg->m_lyricsWindow1.Get();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsWindowVisible());
    dlg->ShowLyrics("/l/b.htm", false);
    EXPECT_FALSE(window->IsWindowVisible());
    EXPECT_EQ(window->GetDocument(), "/l/b.htm") << "given the document also when hidden";
    // Forced, a visible window stays shown.
    dlg->ShowLyrics("/l/c.htm", true);
    dlg->ShowLyrics("/l/c.htm", true);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_TRUE(dlg->GetLyricsWindowKeys());

    // A level switch leaves lyrics window 1 as it is.
    dlg->SetLevel(5);
    EXPECT_EQ(dlg->m_lyricsWindow1.Get(), window);
    EXPECT_TRUE(window->IsWindowVisible());

    // Any other mode: nothing.
    g_lyricsShowMode = 3;
    clearCalls();
    dlg->ShowLyrics("/l/d.htm", true);
    EXPECT_TRUE(calls().empty());
    g_lyricsShowMode = 0;
}

TEST_F(LevelTest, AScreenshotAtPlusWithItsListTabs)
{
    preset({{"general - level", "3"},
            {"3 - nrtabs", "4"},
            {"music - headname", "Music"},
            {"lyrics - headname", "Lyrics"},
            {"global - headtab0", "Basic List"},
            {"plus - headtab0", "Plus List"},
            {"plus - headtab1", "Plus Definitions"},
            {"global - headtab2", "Singing Calls"},
            {"plus - headtab3", "Plus Modules"}});
    start();
    EXPECT_EQ(dlg->GetWindowText(), dlg->LevelTitle(3));
    EXPECT_EQ(captions(), (std::vector<std::string>{"  Music  ", "  Lyrics  ", "  Plus List  ", "  Plus Definitions  ",
                                                    "  Singing Calls  ", "  Plus Modules  "}));
    win::PumpMessages(20);
    const QImage shot = dlg->frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
    const std::filesystem::path path = (out ? std::filesystem::path(out) : kStartFolder) / "main-window-plus.png";
    EXPECT_TRUE(shot.save(QString::fromStdString(path.string())));
}

} // namespace
