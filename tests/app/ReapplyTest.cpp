// Re-applying the settings after a settings dialog ended with OK, and the
// follow-up of Options > Choreography.
#include "player/Karaoke.h"
#include "player/JukeBox.h"
#include "player/Record.h"
#include "ServicesFixture.h"
#include "player/Equalizer.h"

#include "common/CallRecord.h"
#include "app/BreakTime.h"
#include "app/Calls.h"
#include "app/ComputerCards.h"
#include "app/MusicControl.h"
#include "app/SquareID.h"
#include "app/TagsDlg.h"
#include "app/Timer.h"
#include "app/TimerMarkers.h"
#include "app/ViewHotkeys.h"
#include "options/OptionChoreo.h"
#include "options/OptionMusic.h"
#include "platform/win/Menu.h"
#include "player/Markers.h"
#include "store/PlayerGlobals.h"
#include "texts/SqRecord.h"

namespace fs = std::filesystem;

namespace servicestest {
namespace {

using ReapplyTest = ServicesTest;

TEST_F(ReapplyTest, ANewListFormatSetsTheLevelDocumentsAndAppliesTheLevelAgain)
{
    preset({{"general - listdefformat", "false"}});
    start();
    set("0list_basic - path", "/my/own/list.pdf");
    set("basic - playlist1", dir.file("basic.m3u"));

    // Nothing changed: the documents and the level stay.
    {
        callrec::Scope rec;
        dlg->ApplySettings();
        EXPECT_EQ(setting("0list_basic - path"), "/my/own/list.pdf");
        EXPECT_NE(setting("music - listpath1"), dir.file("basic.m3u")) << "the level is not applied again";
    }
    set("general - listdefformat", "true");
    {
        callrec::Scope rec;
        dlg->ApplySettings();
        EXPECT_EQ(g_listDefFormatHtml, 1);
        EXPECT_EQ(setting("0list_basic - path"), dir.str() + "/ListAndDefHtml/blist.htm");
        EXPECT_EQ(setting("music - listpath1"), dir.file("basic.m3u")) << "the level's playlists load again";
    }
}

TEST_F(ReapplyTest, TheLargeLayoutKeepsTheCompressedViewOff)
{
    for (int dpi : {96, 120}) {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, dpi, dpi});
        preset({{"general - compressedview", "false"}});
        start();
        set("general - compressedview", "true");
        dlg->ApplySettings();
        EXPECT_EQ(g_compressedView, dpi > 99 ? 0 : 1) << dpi;
        dlg->DestroyWindow();
    }
}

TEST_F(ReapplyTest, TheValuesComeBackFromTheTables)
{
    start();
    set("general - tooltip", "true");
    set("general - autoschroll_units", "7");
    set("lyrics - pathglobal", "/lyrics/everyone");
    set("markers - timer", "true");
    set("general - hexagon", "true");
    set("music - headname", "Songs");
    set("lyrics - headname", "Words");
    set("music - progressbar", "1");
    setStyle("textfontname", "Arial");
    setStyle("titlefontsize", "5");
    setStyle("headercolorR", "300"); // taken modulo 256
    setStyle("headercolorG", "1");
    setStyle("headercolorB", "255");
    dlg->ApplySettings();
    EXPECT_EQ(g_tooltipsOn, 1);
    EXPECT_EQ(g_autoScrollUnits, 7);
    EXPECT_EQ(g_lyricsPathGlobal, "/lyrics/everyone");
    EXPECT_EQ(g_markersTimer, 1);
    EXPECT_EQ(g_hexagon, 1);
    EXPECT_EQ(g_cssTextFontName, "Arial");
    EXPECT_EQ(g_cssTitleFontSize, "5");
    EXPECT_EQ(g_cssHeaderColor, "#2C01FF");
    EXPECT_EQ(dlg->GetSliderStyle(), 1);
    EXPECT_EQ(dlg->SliderChannelBitmap(), 364u);
    TabCtrlComplex& tabs = dlg->TabControl();
    EXPECT_EQ(tabs.GetTabText(tabs.GetTab(0)), "Songs");
    EXPECT_EQ(tabs.GetTabText(tabs.GetTab(1)), "Words");
}

TEST_F(ReapplyTest, TheSoundFontIsLoadedOnlyWhenItsPathChanged)
{
    const std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!std::filesystem::exists(font))
        GTEST_SKIP() << "no sound font";
    std::filesystem::copy_file(font, dir.file("one.sf2"));
    std::filesystem::copy_file(font, dir.file("One.sf2"));
    preset({{"music - soundfont", dir.file("one.sf2")}});
    start();
    const HSOUNDFONT first = dlg->MusicPage().SoundFont();
    EXPECT_NE(first, 0u);
    dlg->ApplySettings();
    EXPECT_EQ(dlg->MusicPage().SoundFont(), first);
    set("music - soundfont", dir.file("One.sf2"));
    dlg->ApplySettings();
    EXPECT_NE(dlg->MusicPage().SoundFont(), first) << "compared exactly, case included";
    EXPECT_NE(dlg->MusicPage().SoundFont(), 0u);
    EXPECT_EQ(g_soundFontPath, dir.file("One.sf2"));
}

TEST_F(ReapplyTest, TheOpenToolWindowsTakeTheNewLookInOrder)
{
    preset({{"markers - show", "0"}});
    start();
    for (UINT item : {32963u, 32856u, 32846u, 32803u, 32806u, 32811u, 32804u, 32852u, 32805u, 32808u, 32807u,
                      32848u, 32851u})
        dlg->ToggleToolWindow(item);
    dlg->SendMessage(WM_KEYDOWN, 810, 0); // the break timer
    g_markersTimer = 1;
    dlg->ShowMarkerTimer(true);
    // A new dialog colour, as the music options page leaves it.
    g_dlgColorR = 12;
    g_dlgColorG = 34;
    g_dlgColorB = 56;
    CMusicDb().SetSetting("general - digitalclock", "1", 1);
    CMusicDb().SetSetting("music - karaokemillie", "120", 1);
    callrec::Scope rec;
    dlg->ApplySettings();
    EXPECT_EQ(dlg->m_karaoke->FramePeriod(), 120) << "the karaoke window reads its frame period again";
    // The open tool windows wear the new dialog colour.
    const COLORREF colour = RGB(12, 34, 56);
    const std::pair<const char*, CDialogEx*> windows[] = {
        {"hotkeys", dlg->m_hotkeysView.Get()},    {"timer", dlg->m_timerWindow.Get()},
        {"calls", dlg->m_calls.Get()},            {"break timer", dlg->m_breakTimer.Get()},
        {"marker timer", dlg->m_markerTimer.Get()}, {"cards", dlg->m_cards.Get()},
        {"tags", dlg->m_tags.Get()},              {"music control", dlg->m_musicControl.Get()},
        {"square identification", dlg->m_squareId.Get()}, {"recorder", dlg->m_recorder.Get()},
        {"equalizer", dlg->m_equalizer.Get()}, {"markers", dlg->m_markers.Get()},
        {"record database", dlg->m_recordDb.Get()}, {"jukebox", dlg->m_jukebox.Get()},
    };
    for (const auto& [name, window] : windows) {
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->GetBackgroundColor(), colour) << name;
    }
    // The music page read its settings again: its colour and its clock.
    EXPECT_EQ(dlg->MusicPage().GetBackgroundColor(), colour);
    EXPECT_TRUE(dlg->MusicPage().GetDlgItem(1131)->IsWindowVisible());
    EXPECT_FALSE(dlg->MusicPage().GetDlgItem(1036)->IsWindowVisible());
    EXPECT_EQ(dlg->LyricsPage().GetBackgroundColor(), colour);
    // Every list page shows the digital clock in 12-hour mode now.
    for (int n = 0; n < dlg->GetPageCount() - 2; ++n) {
        EXPECT_FALSE(dlg->ListPage(n).IsAnalogClockChosen()) << n;
        EXPECT_EQ(dlg->ListPage(n).GetBackgroundColor(), colour) << n;
        EXPECT_TRUE(dlg->ListPage(n).IsTwelveHourClock()) << n;
    }
}

TEST_F(ReapplyTest, AListPageALevelHidWearsTheNewLookWhenItComesBack)
{
    preset({{"general - level", "4"}, {"4 - nrtabs", "12"}});
    start();
    dlg->SetLevel(1); // nine list tabs: pages 9 to 11 stay made, without a tab
    g_dlgColorR = 12;
    g_dlgColorG = 34;
    g_dlgColorB = 56;
    set("general - digitalclock", "1");
    dlg->ApplySettings();
    dlg->SetLevel(4);
    for (int n : {0, 10}) {
        EXPECT_EQ(dlg->ListPage(n).GetBackgroundColor(), RGB(12, 34, 56)) << n;
        EXPECT_TRUE(dlg->ListPage(n).IsTwelveHourClock()) << n;
    }
}

TEST_F(ReapplyTest, MarkersMoveBetweenWindowAndPanel)
{
    preset({{"markers - show", "0"}, {"markers - timer", "true"}});
    start();
    dlg->ToggleToolWindow(32806);
    ASSERT_TRUE(dlg->m_markers);

    // 0 to 1 with the window open: the window goes, the panel comes with its timer.
    set("markers - show", "1");
    {
        callrec::Scope rec;
        dlg->ApplySettings();
        EXPECT_FALSE(dlg->m_markers);
        EXPECT_FALSE(dlg->GetMenu()->GetMenuState(32806, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_TRUE(dlg->MusicPage().IsMarkersPanelShown());
        ASSERT_TRUE(dlg->m_markerTimer);
        EXPECT_TRUE(dlg->m_markerTimer->IsWindowVisible());
    }

    // Back to 0 while the panel is shown by its toggle: the panel goes, the window comes.
    dlg->SendMessage(WM_KEYDOWN, 912, 0); // panel off
    dlg->SendMessage(WM_KEYDOWN, 912, 0); // panel on again, by the toggle
    set("markers - show", "0");
    {
        callrec::Scope rec;
        dlg->ApplySettings();
        EXPECT_FALSE(dlg->MusicPage().IsMarkersPanelShown());
        ASSERT_TRUE(dlg->m_markers);
        EXPECT_TRUE(dlg->m_markers->IsWindowVisible());
        EXPECT_TRUE(dlg->GetMenu()->GetMenuState(32806, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_FALSE(dlg->m_markerTimer);
    }
}

TEST_F(ReapplyTest, OptionsMusicLeftWithCancelReadsNothing)
{
    start();
    set("general - autoschroll_units", "9");
    dlg->SendMessage(WM_COMMAND, 32785, 0);
    EXPECT_NE(g_autoScrollUnits, 9);
    dialogAnswers[COptionMusic::IDD] = [](CWnd*) { return IDOK; };
    dlg->SendMessage(WM_COMMAND, 32785, 0);
    EXPECT_EQ(g_autoScrollUnits, 9);
}

TEST_F(ReapplyTest, AfterOptionsChoreographyTheTitleAndTheMenuShowTheNewName)
{
    preset({{"csspath", dir.file("choreo.css")}});
    start();
    dlg->SetLevel(3);
    set("plus - levelname", "mIrTaL - Plus Fresh");
    set("a1 - levelname", "Advanced");
    dialogAnswers[COptionChoreo::IDD] = [](CWnd*) { return IDOK; };
    dlg->SendMessage(WM_COMMAND, 32786, 0);
    EXPECT_EQ(dlg->GetWindowText(), "mIrTaL - Plus Fresh");
    std::string item;
    dlg->GetMenu()->GetMenuString(32789, item, MF_BYCOMMAND);
    EXPECT_EQ(item, "Plus Fresh");
    dlg->GetMenu()->GetMenuString(32790, item, MF_BYCOMMAND);
    EXPECT_EQ(item, "Advanced");
    dlg->SetLevel(4);
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Advanced");
    EXPECT_TRUE(fs::exists(dir.file("choreo.css"))) << "the choreography style sheet is written";
}

} // namespace
} // namespace servicestest
