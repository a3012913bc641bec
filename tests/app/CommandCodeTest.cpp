// The command codes that pages, panels and tool windows send to the main
// window: each group reaches its handler with its argument.
#include "MainWindowFixture.h"
#include "LyricsPageHelper.h"
#include "store/ResourceIds.h"
#include "managers/ToolsMarry.h"
#include "managers/ToolsMemory.h"
#include "store/MusicDb.h"
#include "texts/DlgEdit.h"
#include "app/BreakTime.h"
#include "app/MusicControl.h"
#include "app/ComputerCards.h"

#include "store/CommandCodes.h"
#include "app/ModelessLyrics.h"
#include "app/Timer.h"
#include "app/TimerMarkers.h"
#include "platform/win/Shell.h"
#include "platform/win/StatusBar.h"
#include "platform/audio/BassFx.h"
#include "player/Equalizer.h"
#include "player/Markers.h"
#include "player/Record.h"

using namespace mainwindowtest;
using callrec::List;

namespace {

class CommandCodeTest : public MainWindowTest {};

// Tests that read a document through the browser engine: they share one process,
// whose engine starts once for all of them.
class CommandCodeInBrowserTest : public CommandCodeTest {};

// Codes whose handler is an operation of a page: exactly that call.
TEST_F(CommandCodeInBrowserTest, PageOperationsWithTheirArguments)
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
        {710, {}}, // the markers reload into the page's panel
        {920, {}}, // the jukebox is off: nothing plays
        {941, {}}, // the song lists reload: ReloadCodeReadsTheSongListsAgain
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

    // The lyrics page's codes: what the page shows afterwards.
    struct Shown {
        UINT code;
        std::string path;
    };
    g_songComment = "URL:  [db]RR 7 \t";
    g_foundLyricsPath = "/found/Lyrics.htm";
    const Shown shown[] = {
        {801, "/drop/Song.mp3"},
        {950, "[db]RR 7"},
        {922, "/found/Lyrics.htm"},
        {921, "/found/Lyrics.htm"}, // the page has no Find Lyrics window of its own yet: nothing new
    };
    for (const Shown& c : shown) {
        code(c.code);
        EXPECT_EQ(dlg->LyricsPage().GetShownFile(), c.path) << c.code;
    }
}

// The player's codes act on the loaded song.
TEST_F(CommandCodeTest, PlayerCodesActOnTheLoadedSong)
{
    start();
    const std::string song = loadSong();
    code(601);
    EXPECT_EQ(g_playing, 1);
    code(602);
    EXPECT_EQ(g_playing, 0);
    code(712);
    EXPECT_EQ(g_playing, 1);
    code(712);
    EXPECT_EQ(g_playing, 0);
    code(741);
    code(741);
    EXPECT_EQ(g_playing, 1) << "741 only starts";
    g_position = 12.0f;
    code(711);
    // The song plays on from the new place while the test reads it back (slowly under the sanitizers).
    const double movedTo = songPosition();
    EXPECT_GE(movedTo, 11.99);
    EXPECT_LT(movedTo, 14.0);
    g_statusPlayText.clear();
    code(707);
    EXPECT_EQ(g_statusPlayText, " Music playing");
    code(722);
    EXPECT_TRUE(CMusicDb().HasMusicRow(song, 1));
    testsupport::writeSineWav(dir.file("Dropped.wav"), 3, 8000, 1);
    g_droppedFilePath = dir.file("Dropped.wav");
    code(800);
    EXPECT_EQ(g_currentSongPath, dir.file("Dropped.wav"));
    EXPECT_EQ(dlg->MusicPage().CurrentList(), 4);
}

// The tempo, seek, loop and equalizer codes change the loaded song.
TEST_F(CommandCodeTest, PlayerMusicCodesChangeTheLoadedSong)
{
    preset({{"music - fastforwardrewind", "5"}});
    start();
    loadSong();
    CDlgMp3& page = dlg->MusicPage();
    auto tempo = [&] {
        float value = -1000;
        BASS_ChannelGetAttribute(page.SongStream(), BASS_ATTRIB_TEMPO, &value);
        return value;
    };
    code(607);
    EXPECT_FLOAT_EQ(g_tempo, 0.5f);
    code(606);
    code(606);
    EXPECT_FLOAT_EQ(g_tempo, -0.5f);
    EXPECT_FLOAT_EQ(tempo(), -0.5f);
    g_position = 30;
    code(603);
    EXPECT_FLOAT_EQ(g_position, 35);
    code(600);
    code(600);
    EXPECT_FLOAT_EQ(g_position, 25);
    EXPECT_NEAR(songPosition(), 25, 0.05);
    if (!page.IsLoopOn())
        page.OnLoopToggle();
    code(608);
    EXPECT_FALSE(page.IsLoopOn());
    // The equalizer's tempo offset, halved, while it is on.
    g_eqOn = 1;
    g_eqTempo = 6;
    code(706);
    EXPECT_FLOAT_EQ(tempo(), 2.5f);
    g_eqOn = 0;
    g_eqTempo = 0;
    code(706);
    EXPECT_FLOAT_EQ(tempo(), -0.5f);
    // Fade: while stopped the song starts with a fade-in; while playing it fades out.
    code(605);
    EXPECT_EQ(g_playing, 1);
    code(605);
    EXPECT_TRUE(page.IsTimerArmed(kTimerFadeOut));
}

// Codes whose handler is one of the main window's own window and document
// commands: each does what its code says, with the argument the code carries.
TEST_F(CommandCodeInBrowserTest, WindowAndDocumentCommandsWithTheirArguments)
{
    start();
    g_htmlPath = "/docs/Cue.htm";
    g_lyricsPath = "/lyrics/song.htm";
    g_lyricsShowMode = 0;
    g_autoScrollUnits = 3;
    g_queuedLyricsPath.clear();
    g_markersTimer = 0;
    auto lyricsWindow1 = [&] {
        g_lyricsShowMode = 2;
        dlg->ShowLyrics("/lyrics/old.htm", true);
        g_lyricsShowMode = 0;
        ASSERT_TRUE(dlg->m_lyricsWindow1);
    };
    auto lyricsWindow2 = [&] {
        code(919);
        ASSERT_TRUE(dlg->m_lyricsWindow2);
    };
    // Lyrics window 2, shown with the window number and the document.
    auto lyricsWindow2Shows = [&](int number, const std::string& document) {
        CModelessLyrics* w = dlg->m_lyricsWindow2.Get();
        return w && w->IsWindowVisible() && w->GetWindowNumber() == number && w->GetDocument() == document;
    };
    auto open = [&](UINT item) { return [this, item] { dlg->ToggleToolWindow(item); }; };
    auto linkedRecorder = [&] {
        dlg->ToggleToolWindow(ID_VIEW_RECORDER);
        CWnd* recorder = dlg->m_recorder.Window();
        ASSERT_TRUE(recorder);
        recorder->SendMessage(WM_COMMAND, MAKEWPARAM(1133, BN_CLICKED), LPARAM(recorder->GetDlgItem(1133)->m_hWnd));
    };
    struct Case {
        UINT code;
        std::function<void()> before; // what must be open for the code to act on
        List expected;                 // what the stand-ins are asked
        std::function<bool()> done;    // and what is true afterwards
    };
    const Case cases[] = {
        // The recorder follows the player while its link is on.
        {715, linkedRecorder, {}, [&] { return g_statusRecordText == "Recording on"; }},
        {716, [&] { linkedRecorder(); code(715); }, {}, [&] { return g_statusRecordText == "Recording stopped"; }},
        {717, lyricsWindow1, {}, [&] { return !dlg->m_lyricsWindow1 && !dlg->GetLyricsWindowKeys(); }},
        {812, lyricsWindow1, {}, [&] { return !dlg->m_lyricsWindow1; }},
        {719, lyricsWindow2, {}, [&] { return !dlg->m_lyricsWindow2; }},
        {810, nullptr, {}, [&] { return dlg->m_breakTimer.IsVisible() && g_breakTimerOpen == 1; }},
        {811, [&] { code(810); }, {}, [&] { return !dlg->m_breakTimer && g_breakTimerOpen == 0; }},
        {813, nullptr, {}, [&] { return dlg->m_breakTimer.IsVisible(); }},
        {814, open(ID_VIEW_CARDS), {}, [&] { return dlg->m_cards && dlg->m_cards->Tip() == "B"; }},
        {907, lyricsWindow1, {}, [&] { return dlg->m_lyricsWindow1->GetDocument() == "/lyrics/song.htm"; }},
        {908, nullptr, {}, [&] { return dlg->LyricsPage().GetShownFile() == "/lyrics/song.htm"; }},
        {909, nullptr, {}, [&] { return lyricsWindow2Shows(1, "/docs/Cue.htm"); }},
        {915, nullptr, {},
         [&] { return dlg->m_editor.IsVisible() && dlg->m_editor->GetDocument() == "/docs/Cue.htm"; }},
        {919, nullptr, {}, [&] { return lyricsWindow2Shows(0, "/docs/Cue.htm"); }},
        // The queued song's lyrics are taken from the queue: a song without lyrics has none.
        {911, [&] { dlg->MusicPage().QueueSong("/m/Queued.mp3", 1, 0, "1", 0); g_queuedLyricsPath = "/l/old.htm"; },
         {}, [&] { return g_queuedLyricsPath.empty() && !dlg->m_lyricsWindow2; }},
        {912, nullptr, {}, [&] { return dlg->MusicPage().IsMarkersPanelShown(); }},
        {912, nullptr, {}, [&] { return !dlg->MusicPage().IsMarkersPanelShown(); }},
        {917, [&] { dlg->MusicPage().ShowFindLyricsWindow(); }, {},
         [&] { return dlg->MusicPage().FindLyricsDialog() == nullptr; }},
        {918, [&] { g_lyricsPath = "/old.htm"; dlg->MusicPage().ShowFindLyricsWindow(); }, {},
         [&] { return g_lyricsPath.empty() && dlg->MusicPage().FindLyricsDialog(); }},
        {923, [&] { lyricspage::showLong(*dlg, dir); }, {}, [&] { return lyricspage::scrolled(*dlg) == 3; }},
        {926, [&] { open(ID_TOOLS_MEMORY_MANAGER)(); CMusicDb().AddMemory("/docs/Kept.htm", 1); }, {},
         [&] { return dlg->m_memoryManager->Paths() == std::vector<std::string>{"/docs/Kept.htm"}; }},
        {930, [&] { dlg->LyricsPage().ShowFile("[db]RR 7"); }, {},
         [&] { return dlg->LyricsPage().GetShownFile() == "[db]RR 7"; }},
        {940, [&] { open(ID_TOOLS_MARRY_LYRICS)(); CMusicDb().SetMarriage("/m/a.mp3", "/l/a.htm", 1); }, {},
         [&] { return dlg->m_marryManager->Rows(CToolsMarry::kMarriages).size() == 1; }},
        {942, nullptr, {}, [&] { return dlg->m_equalizer.IsVisible() && dlg->m_equalizer->IsOn() && g_eqOn == 1; }},
        {943, [&] { code(942); }, {}, [&] { return !dlg->m_equalizer->IsOn() && g_eqOn == 0; }},
    };
    for (const Case& c : cases) {
        if (c.before)
            c.before();
        clearCalls();
        code(c.code);
        EXPECT_EQ(calls(), c.expected) << c.code;
        if (c.done) {
            EXPECT_TRUE(c.done()) << c.code;
        }
        // Whatever is open goes again, so each code starts from the same state.
        for (const CMirtalDlg::ToolWindowEntry& e : CMirtalDlg::ToolWindows())
            e.slot(*dlg).Destroy();
        for (ToolSlotBase* slot : {static_cast<ToolSlotBase*>(&dlg->m_lyricsWindow1), static_cast<ToolSlotBase*>(&dlg->m_lyricsWindow2),
                                   static_cast<ToolSlotBase*>(&dlg->m_breakTimer), static_cast<ToolSlotBase*>(&dlg->m_editor)})
            slot->Destroy();
    }
}

TEST_F(CommandCodeTest, ReloadCodeReadsTheSongListsAgain)
{
    const std::string m3u = dir.file("reload.m3u");
    preset({{"music - listdir1", "list"}, {"music - listpath1", m3u}, {"music - onlyshowpaththatexist", "false"}});
    start();
    EXPECT_TRUE(dlg->MusicPage().SongRows(1).empty());
    testsupport::writeFile(m3u, "/m/new.mp3\n");
    code(941);
    ASSERT_EQ(dlg->MusicPage().SongRows(1).size(), 1u);
    EXPECT_EQ(dlg->MusicPage().SongRows(1)[0].GetCol(3), "/m/new.mp3");
}

TEST_F(CommandCodeTest, LevelCodesSwitchTheLevel)
{
    preset({{"c4 - playlist1", dir.file("c4.m3u")}});
    start();
    for (UINT c = 731; c <= 740; ++c) {
        code(c);
        EXPECT_EQ(g_danceLevel, int(c - 730));
    }
    EXPECT_EQ(CMusicDb().GetSetting("music - listpath1", 1), dir.file("c4.m3u")) << "the level's playlists load";
    code(730);
    code(741 + 100);
    EXPECT_EQ(g_danceLevel, 10);
}

TEST_F(CommandCodeTest, ThePositionRangeTravelsInTheLow16Bits)
{
    start();
    CBitmapSlider& slider = dlg->PositionSlider();
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
    loadSong();
    code(904, g_songLength);
    for (int pos : {30, 31, 45}) {
        dlg->PositionSlider().SetPos(pos);
        dlg->SendMessage(UWM_SLIDER_MOVING, 1002, pos);
        EXPECT_NEAR(songPosition(), pos, 0.01);
    }
    dlg->SendMessage(UWM_SLIDER_MOVING, 1003, 20); // another control: not the song
    EXPECT_NEAR(songPosition(), 45.0, 0.01);
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
    // An open music control shows the dance text in its title line.
    menu(ID_VIEW_MUSIC_CONTROL);
    ASSERT_TRUE(dlg->m_musicControl);
    g_statusDanceText = "Singing.mp3 - Dancename: Hash";
    code(900);
    EXPECT_EQ(dlg->m_musicControl->GetDlgItem(1275)->GetWindowText(), "Singing.mp3 - Dancename: Hash");
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
    g_songMarkers = "00:15;r01:30;";
    code(710);
    g_playing = 1;
    code(714);
    g_playing = 0;
    ASSERT_TRUE(dlg->m_markers);
    EXPECT_EQ(dlg->m_markers->Markers().Count(), 2) << "the markers window reloads the song's markers";
    g_songMarkers.clear();
    g_eqBass = 7;
    code(721);
    ASSERT_TRUE(dlg->m_equalizer);
    EXPECT_EQ(static_cast<CBitmapSlider*>(dlg->m_equalizer->GetDlgItem(1158))->GetPos(), 3) << "+7 dB near the top";
    g_eqBass = 0;
    EXPECT_EQ(calls(), List{});
    ASSERT_TRUE(dlg->m_timerWindow);
    EXPECT_EQ(dlg->m_timerWindow->ReadOut().GetWindowText(), "2:05");
    EXPECT_EQ(dlg->m_timerWindow->ReadOut().GetTextColor(), RGB(0, 0, 255));

    // Over time: the slider takes the look of style 3, and 928 brings the chosen one back.
    const int chosen = dlg->GetSliderStyle();
    g_danceTimerState = 2;
    code(906);
    EXPECT_EQ(dlg->SliderChannelBitmap(), 157u);
    EXPECT_EQ(dlg->GetSliderStyle(), chosen);
    code(928);
    EXPECT_NE(dlg->SliderChannelBitmap(), 157u);
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
    loadSong();
    g_position = 30;
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
    EXPECT_EQ(g_playing, 1);
    EXPECT_NEAR(g_position, 35.0, 0.01) << "the stored seconds added";
}

} // namespace
