// The command codes that pages, panels and tool windows send to the main
// window: each group reaches its handler with its argument.
#include "MainWindowFixture.h"

#include "store/CommandCodes.h"
#include "app/ModelessLyrics.h"
#include "app/Timer.h"
#include "app/TimerMarkers.h"
#include "platform/win/Shell.h"
#include "platform/win/StatusBar.h"
#include "player/Equalizer.h"
#include "player/Markers.h"
#include "player/Record.h"

using namespace mainwindowtest;
using callrec::List;

namespace {

class CommandCodeTest : public MainWindowTest {};

// Codes whose handler is an operation of a page: exactly that call.
TEST_F(CommandCodeTest, PageOperationsWithTheirArguments)
{
    start();
    g_droppedFilePath = "/drop/Song.mp3";
    g_songComment = "URL:  http://example.org/cues.htm \t";
    g_playing = 0;
    struct Case {
        UINT code;
        List expected;
    };
    const Case cases[] = {
        {600, {"CDlgMp3::MusicAction(9)"}},
        {601, {"CDlgMp3::Play()"}},
        {602, {"CDlgMp3::Pause()"}},
        {603, {"CDlgMp3::MusicAction(10)"}},
        {604, {"CDlgMp3::MusicAction(11)"}},
        {605, {"CDlgMp3::FadeOut()"}},
        {606, {"CDlgMp3::MusicAction(2)"}},
        {607, {"CDlgMp3::MusicAction(1)"}},
        {608, {"CDlgMp3::MusicAction(21)"}},
        {706, {"CDlgMp3::ApplyEqualizer(0)"}},
        {707, {"CDlgMp3::UpdateStatusTexts()"}},
        {710, {"CDlgMp3::LoadSongMarkers()"}},
        {711, {"CDlgMp3::SeekToPosition()"}},
        {712, {"CDlgMp3::PlayPause()", "CDlgMp3::Play()"}},
        {722, {"CDlgMp3::SaveSongSettings()"}},
        {741, {"CDlgMp3::Play()"}},
        {800, {"CDlgMp3::OpenFileDirect(\"/drop/Song.mp3\")"}},
        {801, {"CDlgLyrics::ShowFile(\"/drop/Song.mp3\")"}},
        {917, {"CDlgMp3::CloseFindLyricsWindow()"}},
        {918, {"CDlgMp3::TakeFoundLyrics()"}},
        {920, {"CDlgMp3::JukeboxPlayNext()"}},
        {921, {"CDlgLyrics::ShowFindLyricsChoice()"}},
        {922, {"CDlgLyrics::ShowFoundLyrics()"}},
        {941, {"CDlgMp3::ReloadAllLists()"}},
        {944, {"CMirtalDlg::PlaySoundFile(4)"}},
        {945, {"CMirtalDlg::PlaySoundFile(5)"}},
        {950, {"CDlgLyrics::ShowFile(\"http://example.org/cues.htm\")"}},
        // Codes without a row, and codes a tool window handles only while it is open.
        {601 + 99, {}},
        {724, {}},
        {999, {}},
        {4000, {}},
        {708, {}},
        {714, {}},
        {721, {}},
    };
    for (const Case& c : cases) {
        clearCalls();
        code(c.code);
        EXPECT_EQ(calls(), c.expected) << c.code;
    }
    EXPECT_TRUE(dlg->IsWindowVisible());
}

// Codes whose handler is one of the main window's own window and document
// commands: the handler is reached with the argument the code carries.
TEST_F(CommandCodeTest, WindowAndDocumentCommandsWithTheirArguments)
{
    start();
    g_htmlPath = "/docs/Cue.htm";
    struct Case {
        UINT code;
        std::string first;
    };
    const Case cases[] = {
        {715, "CMirtalDlg::OnRecorderMusicStarted()"},
        {716, "CMirtalDlg::OnRecorderMusicStopped()"},
        {717, "CMirtalDlg::CloseLyricsWindow(1)"},
        {812, "CMirtalDlg::CloseLyricsWindow(1)"},
        {719, "CMirtalDlg::CloseLyricsWindow(2)"},
        {810, "CMirtalDlg::OpenBreakTimer()"},
        {811, "CMirtalDlg::CloseBreakTimer()"},
        {813, "CMirtalDlg::OpenBreakTimerAuto()"},
        {814, "CMirtalDlg::NextCardTip()"},
        {907, "CMirtalDlg::OnSongLoaded()"},
        {908, "CMirtalDlg::OnPlayStarted()"},
        {909, "CMirtalDlg::ShowHtmlFile(\"/docs/Cue.htm\", 0, 1)"},
        {915, "CMirtalDlg::ShowHtmlFile(\"/docs/Cue.htm\", 1, 0)"},
        {919, "CMirtalDlg::ShowHtmlFile(\"/docs/Cue.htm\", 0, 0)"},
        {911, "CMirtalDlg::ToggleQueuedLyrics()"},
        {912, "CMirtalDlg::ToggleMarkerPanel()"},
        {913, "CMirtalDlg::RepositionMarkerTimer()"},
        {923, "CMirtalDlg::AutoScrollLyrics()"},
        {926, "CMirtalDlg::RefreshMemoryManager()"},
        {930, "CMirtalDlg::ReloadLyrics()"},
        {938, "CMirtalDlg::RefreshManager(938)"},
        {939, "CMirtalDlg::RefreshManager(939)"},
        {940, "CMirtalDlg::RefreshManager(940)"},
        {942, "CMirtalDlg::SwitchEqualizer(1, 0)"},
        {943, "CMirtalDlg::SwitchEqualizer(0, 0)"},
    };
    for (const Case& c : cases) {
        clearCalls();
        code(c.code);
        ASSERT_FALSE(calls().empty()) << c.code;
        EXPECT_EQ(calls().front(), c.first) << c.code;
        // Whatever the handler opened goes again, so each code starts from the same state.
        for (ToolSlotBase* slot : {static_cast<ToolSlotBase*>(&dlg->m_lyricsWindow1), static_cast<ToolSlotBase*>(&dlg->m_lyricsWindow2),
                                   static_cast<ToolSlotBase*>(&dlg->m_breakTimer), static_cast<ToolSlotBase*>(&dlg->m_editor),
                                   static_cast<ToolSlotBase*>(&dlg->m_equalizer)})
            slot->Destroy();
    }
}

TEST_F(CommandCodeTest, LevelCodesSwitchTheLevel)
{
    start();
    for (UINT c = 731; c <= 740; ++c) {
        code(c);
        EXPECT_EQ(g_danceLevel, int(c - 730));
    }
    EXPECT_EQ(callrec::Count("CDlgMp3::LoadLevelPlaylists("), 10);
    code(730);
    code(741 + 100);
    EXPECT_EQ(g_danceLevel, 10);
}

TEST_F(CommandCodeTest, ThePositionRangeTravelsInTheLow16Bits)
{
    start();
    CPlainSlider& slider = dlg->PositionSlider();
    struct Case {
        LPARAM lParam;
        int max;
    };
    const Case cases[] = {
        {200, 200},
        {0, 0},
        {65535, 65535},
        {MAKELPARAM(120, 7), 120},  // the high word is the key flags, not seconds
        {LPARAM(0x12345), 0x2345}, // seconds beyond 16 bits are not carried
    };
    for (const Case& c : cases) {
        slider.SetPos(5);
        code(904, c.lParam);
        EXPECT_EQ(slider.GetRangeMin(), 0);
        EXPECT_EQ(slider.GetRangeMax(), c.max) << c.lParam;
        EXPECT_EQ(slider.GetPos(), 0);
    }
    // 905: whole seconds of the position, cut towards zero.
    code(904, 200);
    g_position = 12.9f;
    code(905);
    EXPECT_EQ(slider.GetPos(), 12);
    g_position = 199.99f;
    code(905);
    EXPECT_EQ(slider.GetPos(), 199);
}

TEST_F(CommandCodeTest, DraggingTheSliderSeeksAtEveryPositionChange)
{
    start();
    g_songLength = 200;
    code(904, 200);
    for (int pos : {30, 31, 45}) {
        dlg->PositionSlider().SetPos(pos);
        dlg->SendMessage(UWM_SLIDER_MOVING, 1002, pos);
    }
    dlg->SendMessage(UWM_SLIDER_MOVING, 1003, 80); // another control: not the song
    EXPECT_EQ(calls(), (List{"CDlgMp3::SeekTo(30)", "CDlgMp3::SeekTo(31)", "CDlgMp3::SeekTo(45)"}));
    EXPECT_FLOAT_EQ(g_position, 45.0f);
}

TEST_F(CommandCodeTest, TheStatusBarShowsTheFiveStatusTexts)
{
    start();
    g_statusDanceText = "Hoedown.mp3 - Dancename: Patter";
    g_statusPlayText = " Music playing";
    g_statusTempoText = " Tempo 126";
    g_statusLoopText = " Loop active";
    g_statusRecordText = "Recording paused";
    code(900);
    const char* expected[] = {"Hoedown.mp3 - Dancename: Patter", " Music playing", " Tempo 126", " Loop active",
                              "Recording paused"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dlg->StatusBar().GetPaneText(i), expected[i]) << i;
    EXPECT_EQ(callrec::Count("CMirtalDlg::RefreshMusicControl()"), 1);
}

TEST_F(CommandCodeTest, OpenToolWindowsAreRefreshedAndClosedOnesAreLeftAlone)
{
    preset({{"markers - show", "0"}});
    start();
    menu(32805); // timer window
    menu(32806); // markers window
    menu(32811); // equalizer
    clearCalls();
    g_danceTimerSeconds = 125;
    g_sinceMarkerSeconds = 7;
    g_danceTimerState = 1;
    code(906);
    code(710);
    code(714);
    code(721);
    EXPECT_EQ(calls(), (List{"CTimer::SetTime(\"2:05\")", "CTimer::SetState(1)", "CDlgMp3::LoadSongMarkers()",
                             "CMarkers::LoadMarkers()", "CMarkers::StartRefreshTimer()", "CEqualizer::RefreshControls()"}));

    // Over time: the slider takes the look of style 3, and 928 brings the chosen one back.
    const int chosen = dlg->GetSliderStyle();
    g_danceTimerState = 2;
    code(906);
    EXPECT_EQ(dlg->PositionSlider().GetChannelBitmap(), 157u);
    EXPECT_EQ(dlg->GetSliderStyle(), chosen);
    code(928);
    EXPECT_NE(dlg->PositionSlider().GetChannelBitmap(), 157u);
    g_danceTimerState = 1;
}

TEST_F(CommandCodeTest, HelpOpensTheSameFileFromEveryWindow)
{
    start();
    testsupport::writeFile(dir.file("Mirtal.chm"), "help");
    win::ClearShellLog();
    code(201);                       // F1 in a page or tool window
    dlg->SendMessage(WM_HELP, 0, 0); // F1 in the main window
    menu(32800);                     // Help > Contents
    ASSERT_EQ(win::ShellLog().size(), 3u);
    for (const win::ShellRequest& r : win::ShellLog()) {
        EXPECT_EQ(r.verb, "open");
        EXPECT_EQ(r.file, dir.str() + "/Mirtal.chm");
    }
}

TEST_F(CommandCodeTest, ADatabaseErrorEndsTheCommandAndTheProgramGoesOn)
{
    preset({{"music - jumpback", "5"}});
    start();
    // Another program damages the settings table under the running window.
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("ALTER TABLE ini RENAME TO ini_away;");
        db.Close();
    }
    code(CMD_LEVEL_1 + 2); // the level switch logs its own failures and goes on
    EXPECT_EQ(g_danceLevel, 3);
    win::ClearMessageBoxLog();
    // Hotkey function 71 reads a setting: the error is shown, nothing more runs.
    clearCalls();
    {
        CMusicDb db;
        db.SetHotkey("a", 71, 1);
    }
    dlg->LoadHotkeyTable();
    press(Qt::Key_A);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].first, "Mirtal");
    EXPECT_NE(boxes()[0].second.find("ini"), std::string::npos) << boxes()[0].second;
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(dlg->IsWindowVisible());

    // A menu command that writes a setting: the same, and its mark stays as it was.
    win::ClearMessageBoxLog();
    menu(32949);
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_FALSE(checked(32949));

    // Once the table is back, the same commands work again.
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("ALTER TABLE ini_away RENAME TO ini;");
        db.Close();
    }
    win::ClearMessageBoxLog();
    menu(32949);
    EXPECT_TRUE(checked(32949));
    EXPECT_EQ(setting("music - fixbpm"), "true");
    press(Qt::Key_A);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(callrec::Count("CDlgMp3::SeekTo("), 1);
}

} // namespace
