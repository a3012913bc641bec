// The main window's small window-level behaviours: level names in the title
// and the Change Program menu, the position slider's look, the large layout,
// the wheel, the move, and Restore Windows Positions.
#include "player/Karaoke.h"
#include "player/JukeBox.h"
#include "ListPageHelper.h"
#include "ServicesFixture.h"
#include "LyricsPageHelper.h"

#include "common/CallRecord.h"
#include "app/TimerMarkers.h"
#include "platform/win/Menu.h"
#include "store/PlayerGlobals.h"

namespace servicestest {
namespace {

using PlacesTest = ServicesTest;

// Tests that read a document through the browser engine: they share one process,
// whose engine starts once for all of them.
class PlacesInBrowserTest : public PlacesTest {};

TEST_F(PlacesTest, LevelNamesGiveTheTitleAndTheChangeProgramItem)
{
    struct Case {
        const char* stored;
        const char* title;
        const char* item;
    };
    const Case cases[] = {
        {"Basic", "Mirtal - Basic", "Basic"},
        {"Mirtal - Mainstream", "Mirtal - Mainstream", "Mainstream"},
        {"mIRTAL - Plus", "mIRTAL - Plus", "Plus"},
        {"MIRTAL - ", "MIRTAL - ", ""},
        {"Mirtal -A1", "Mirtal - Mirtal -A1", "Mirtal -A1"},
        {"Mirt", "Mirtal - Mirt", "Mirt"},
        {"", "Mirtal - ", ""},
        {"Mirtal - Mirtal - C1", "Mirtal - Mirtal - C1", "Mirtal - C1"},
    };
    const char* const keys[] = {"basic - levelname", "main - levelname", "plus - levelname", "a1 - levelname",
                                "a2 - levelname",    "c1 - levelname",   "c2 - levelname",   "c3a - levelname"};
    std::vector<std::pair<std::string, std::string>> names;
    for (size_t i = 0; i < std::size(cases); ++i)
        names.emplace_back(keys[i], cases[i].stored);
    preset(names);
    start();
    for (int level = 1; level <= int(std::size(cases)); ++level) {
        const Case& c = cases[level - 1];
        std::string item;
        dlg->GetMenu()->GetMenuString(32786 + UINT(level), item, MF_BYCOMMAND);
        EXPECT_EQ(item, c.item) << c.stored;
        dlg->SetLevel(level);
        EXPECT_EQ(dlg->GetWindowText(), c.title) << c.stored;
    }
}

TEST_F(PlacesTest, TheOvertimeLookLeavesTheChosenStyleToComeBack)
{
    struct Look {
        int style;
        UINT channel, thumb;
        int remembered;
    };
    preset({{"music - progressbar", "2"}});
    start();
    ASSERT_EQ(dlg->GetSliderStyle(), 2);
    const Look steps[] = {
        {3, 157, 146, 2},  // a dance timer over its time
        {2, 365, 164, 2},  // the restyle command brings the chosen style back
        {0, 272, 164, 0},
        {1, 364, 164, 1},
        {7, 364, 164, 1},  // no such style: nothing changes
        {-1, 364, 164, 1},
    };
    for (const Look& l : steps) {
        dlg->SetSliderStyle(l.style);
        EXPECT_EQ(dlg->SliderChannelBitmap(), l.channel) << l.style;
        EXPECT_EQ(dlg->SliderThumbBitmap(), l.thumb) << l.style;
        EXPECT_EQ(dlg->GetSliderStyle(), l.remembered) << l.style;
    }
}

TEST_F(PlacesTest, MoreThanNinetyNineDotsPerInchMakeTheLargeLayout)
{
    preset({{"general - compressedview", "true"}});
    for (int dpi : {96, 99, 100, 120}) {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, dpi, dpi});
        start();
        EXPECT_EQ(g_largeLayout, dpi > 99 ? 1 : 0) << dpi;
        EXPECT_EQ(g_compressedView, dpi > 99 ? 0 : 1) << dpi;
        // A later look at a smaller display never takes the large layout back.
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        dlg->DetectDisplayDpi();
        EXPECT_EQ(g_largeLayout, dpi > 99 ? 1 : 0) << dpi;
        dlg->DestroyWindow();
    }
    // The wider of the two directions counts.
    win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 144});
    start();
    EXPECT_EQ(g_largeLayout, 1);
}

void wheel(CMirtalDlg& dlg, short delta)
{
    dlg.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(delta)), 0);
}

TEST_F(PlacesInBrowserTest, TheWheelScrollsTheDocumentOfTheShownPage)
{
    preset({{"global - nrtabs", "15"}});
    start();
    // The music page's view moves 80 pixels a notch.
    dlg->SelectPage(0);
    lyricspage::showLongOnMusicPage(*dlg, dir);
    wheel(*dlg, -120);
    wheel(*dlg, -120);
    EXPECT_EQ(lyricspage::musicPageScrolled(*dlg), 160);
    wheel(*dlg, 120);
    EXPECT_EQ(lyricspage::musicPageScrolled(*dlg), 80);
    // The lyrics page's document moves 80 pixels a notch; away from the user it moves up.
    dlg->SelectPage(1);
    lyricspage::showLong(*dlg, dir);
    wheel(*dlg, -240);
    wheel(*dlg, -120);
    EXPECT_EQ(lyricspage::scrolled(*dlg), 160);
    wheel(*dlg, 120);
    EXPECT_EQ(lyricspage::scrolled(*dlg), 80);
    // A list page's text document moves by 80 lines a turn, on the first ten list pages only.
    const std::tuple<int, short, int> listCases[] = {{2, -240, 180}, {11, 120, 20}, {12, 120, 100}, {16, -120, 100}};
    for (const auto& [index, delta, line] : listCases) {
        CDlgList& page = dlg->ListPage(index - 2);
        dlg->SelectPage(index);
        listpage::showLongText(page, dir);
        wheel(*dlg, delta);
        EXPECT_EQ(listpage::firstVisibleLine(page), line) << index << " " << delta;
    }

    // On the music page an open lyrics window 1 takes the wheel.
    g_lyricsShowMode = 2;
    dlg->ShowLyrics(lyricspage::longPage(dir), true);
    dlg->SelectPage(0);
    ASSERT_EQ(lyricspage::scrolled(*dlg->m_lyricsWindow1.Get()), 0);
    callrec::Scope rec;
    wheel(*dlg, -120);
    EXPECT_EQ(lyricspage::scrolled(*dlg->m_lyricsWindow1.Get()), 80);
    EXPECT_EQ(lyricspage::musicPageScrolled(*dlg), 80) << "the music page's view stays";
    g_lyricsShowMode = 0;
}

TEST_F(PlacesTest, RestoreWindowsPositionsResetsThePlacesAndMovesTheOpenWindows)
{
    start();
    for (int* v : {&g_jukeboxPosX, &g_aboutPosY, &g_squareIdPosX, &g_callsX, &g_lyricsWindow2Y, &g_karaokeWidth,
                   &g_musicControlHeight, &g_lyricsWindowWidth})
        *v = 777;
    g_callsWidth = 640;
    g_callsHeight = 480;
    dlg->ToggleToolWindow(32856); // karaoke
    dlg->ToggleToolWindow(32807); // square identification
    dlg->ToggleToolWindow(32803); // jukebox
    callrec::Scope rec;
    dlg->SendMessage(WM_COMMAND, 32969, 0);

    EXPECT_EQ(g_jukeboxPosX, 100);
    EXPECT_EQ(g_aboutPosY, 100);
    EXPECT_EQ(g_squareIdPosX, 100);
    EXPECT_EQ(g_callsX, 100);
    EXPECT_EQ(g_lyricsWindow2Y, 100);
    EXPECT_EQ(g_karaokeWidth, 400);
    EXPECT_EQ(g_karaokeHeight, 300);
    EXPECT_EQ(g_musicControlHeight, 400);
    EXPECT_EQ(g_lyricsWindowWidth, 400);
    EXPECT_EQ(g_lyricsWindowHeight, 500);
    EXPECT_EQ(g_callsWidth, 640) << "the show-calls size stays";
    EXPECT_EQ(g_callsHeight, 480);
    EXPECT_EQ(rec.Calls(), callrec::List{}) << "the square identification is not moved";
    CRect jukebox;
    dlg->m_jukebox->GetWindowRect(jukebox);
    EXPECT_EQ(jukebox.TopLeft(), CPoint(100, 100)) << "the jukebox goes to its reset place";
    CRect karaoke;
    dlg->m_karaoke->GetWindowRect(karaoke);
    EXPECT_EQ(karaoke.Size(), CSize(400, 300)) << "the karaoke window takes its reset place";
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(PlacesTest, MovingTheMainWindowDragsTheMarkerTimerOnlyWithThePanelAndItsOption)
{
    start();
    g_markersTimer = 1;
    dlg->SendMessage(WM_KEYDOWN, 912, 0); // the markers panel, with its timer window
    ASSERT_TRUE(dlg->m_markerTimer);
    // Where the timer window is now, and where it sits beside a main window at (x, y).
    auto timerAt = [&] {
        CRect r;
        dlg->m_markerTimer->GetWindowRect(&r);
        return CPoint(r.left, r.top);
    };
    auto besideMain = [&] {
        CRect r;
        dlg->GetWindowRect(&r);
        return CPoint(r.left + 405, r.top);
    };
    dlg->MoveWindow(40, 30, 1024, 730);
    win::PumpMessages();
    EXPECT_EQ(timerAt(), besideMain());

    g_markersTimer = 0;
    const CPoint kept = timerAt();
    dlg->MoveWindow(60, 50, 1024, 730);
    win::PumpMessages();
    EXPECT_EQ(timerAt(), kept) << "without its option the timer stays";

    g_markersTimer = 1;
    dlg->SendMessage(WM_KEYDOWN, 912, 0); // the panel goes
    dlg->SendMessage(WM_KEYDOWN, 913, 0);
    dlg->MoveWindow(80, 70, 1024, 730);
    win::PumpMessages();
    EXPECT_EQ(timerAt(), kept) << "without the panel the timer stays";
    EXPECT_FALSE(dlg->m_markerTimer->IsWindowVisible());

    // The panel back: code 913 brings the timer beside the main window again.
    dlg->SendMessage(WM_KEYDOWN, 912, 0);
    dlg->SendMessage(WM_KEYDOWN, 913, 0);
    EXPECT_EQ(timerAt(), besideMain());
}

} // namespace
} // namespace servicestest
