// The command codes that open, close and refresh the lyrics windows, the
// editor, the break timer, the markers panel, the equalizer and the managers.
#include "player/Karaoke.h"
#include "ServicesFixture.h"
#include "LyricsPageHelper.h"

#include "app/BreakTime.h"
#include "app/ComputerCards.h"
#include "common/CallRecord.h"
#include "common/WaitFor.h"
#include "store/CommandCodes.h"
#include "app/ModelessLyrics.h"
#include "app/TimerMarkers.h"
#include "app/ToolWindow.h"
#include "platform/win/Menu.h"
#include "player/Equalizer.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/ResourceIds.h"
#include "managers/ToolsMarry.h"
#include "managers/ToolsMemory.h"
#include "store/MusicDb.h"
#include "store/SongSettingsNotifier.h"
#include "texts/DlgEdit.h"

namespace servicestest {
namespace {

class DocumentCommandsTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        start();
        g_lyricsShowMode = 0;
        g_lyricsPath.clear();
        g_queuedLyricsPath.clear();
        g_htmlPath.clear();
        g_markersTimer = 0;
    }
    void send(UINT code) { dlg->SendMessage(WM_KEYDOWN, code, 0); }
    // Lyrics window 1 made and shown as lyrics mode 2 does.
    void openLyricsWindow1(const std::string& path)
    {
        const int mode = g_lyricsShowMode;
        g_lyricsShowMode = 2;
        dlg->ShowLyrics(path, true);
        g_lyricsShowMode = mode;
    }
    int count(const callrec::Scope& rec, const std::string& call) const
    {
        return int(std::count(rec.Calls().begin(), rec.Calls().end(), call));
    }
};

// Tests that read a document through the browser engine: they share one process,
// whose engine starts once for all of them.
class DocumentCommandsInBrowserTest : public DocumentCommandsTest {};

TEST_F(DocumentCommandsTest, QueuedLyricsWithAnEmptyQueueOpenNoWindow)
{
    g_queuedLyricsPath.clear();
    send(CMD_TOGGLE_QUEUED_LYRICS);
    EXPECT_FALSE(dlg->m_lyricsWindow2);
}

TEST_F(DocumentCommandsTest, QueuedLyricsShowHideAndShowTheSelectedEntryAgain)
{
    g_queuedLyricsPath = "/lyrics/first.htm"; // an empty queue leaves the path as it is
    send(CMD_TOGGLE_QUEUED_LYRICS);
    CModelessLyrics* window = dlg->m_lyricsWindow2.Get();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(window->GetWindowNumber(), 1);
    EXPECT_EQ(window->GetDocument(), "/lyrics/first.htm");

    send(CMD_TOGGLE_QUEUED_LYRICS);
    EXPECT_FALSE(window->IsWindowVisible());

    g_queuedLyricsPath = "/lyrics/second.htm"; // another entry is selected now
    send(CMD_TOGGLE_QUEUED_LYRICS);
    EXPECT_EQ(dlg->m_lyricsWindow2.Get(), window) << "shown again, not made anew";
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(window->GetDocument(), "/lyrics/second.htm");

    // Hidden, with a queued song without lyrics now first: taken again, it stays hidden.
    send(CMD_TOGGLE_QUEUED_LYRICS);
    dlg->MusicPage().QueueSong("/m/Plain.mp3", 1, 0, "1", 0);
    send(CMD_TOGGLE_QUEUED_LYRICS);
    EXPECT_TRUE(g_queuedLyricsPath.empty());
    EXPECT_FALSE(window->IsWindowVisible());
}

TEST_F(DocumentCommandsTest, TheAutomaticBreakTimerIsNotRestartedTheHandOneIs)
{
    // A break of ten minutes, two of them gone by the time the automatic timer opens.
    set("music - pausemin", "10");
    set("music - autobreaktime", "2");
    send(CMD_BREAK_OPEN_AUTO);
    CBreakTime* timer = dlg->m_breakTimer.Get();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->IsWindowVisible());
    EXPECT_EQ(g_breakSecondsLeft, 8 * 60);
    EXPECT_EQ(timer->DisplayText(), "8:00");

    timer->ShowWindow(SW_HIDE);
    g_breakSecondsLeft = 3 * 60;
    send(CMD_BREAK_OPEN_AUTO);
    EXPECT_TRUE(timer->IsWindowVisible()) << "comes to view";
    EXPECT_LE(g_breakSecondsLeft, 3 * 60) << "its count goes on";
    EXPECT_GE(g_breakSecondsLeft, 3 * 60 - 2) << "its count goes on";

    send(CMD_BREAK_OPEN);
    EXPECT_EQ(dlg->m_breakTimer.Get(), timer);
    EXPECT_EQ(g_breakSecondsLeft, 10 * 60) << "restarted by hand, at the full length";
    EXPECT_EQ(g_breakTimerOpen, 1);

    send(CMD_BREAK_CLOSE);
    EXPECT_FALSE(dlg->m_breakTimer);
    EXPECT_EQ(g_breakTimerOpen, 0);
    send(CMD_BREAK_CLOSE); // nothing left to close
    EXPECT_EQ(g_breakTimerOpen, 0);

    // By hand from nothing: made, shown, started by hand.
    g_breakSecondsLeft = 0;
    send(CMD_BREAK_OPEN);
    ASSERT_TRUE(dlg->m_breakTimer);
    EXPECT_TRUE(dlg->m_breakTimer->IsWindowVisible());
    EXPECT_EQ(g_breakSecondsLeft, 10 * 60);
    EXPECT_EQ(dlg->m_breakTimer->DisplayText(), "10:00");
    EXPECT_EQ(g_breakTimerOpen, 1);
}

TEST_F(DocumentCommandsTest, PlayInLyricsModeTwoMakesLyricsWindowOneAndShowsTheLyricsAgain)
{
    g_lyricsShowMode = 2;
    g_lyricsPath = "/lyrics/song.htm";
    send(CMD_PLAY_STARTED);
    CModelessLyrics* window = dlg->m_lyricsWindow1.Get();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(window->GetDocument(), "/lyrics/song.htm");
    EXPECT_TRUE(dlg->GetLyricsWindowKeys());

    // Mode 0: the lyrics page shows them; the window keeps its document.
    g_lyricsShowMode = 0;
    g_lyricsPath = "/lyrics/next.htm";
    send(CMD_PLAY_STARTED);
    EXPECT_EQ(dlg->LyricsPage().GetShownFile(), "/lyrics/next.htm");
    EXPECT_EQ(window->GetDocument(), "/lyrics/song.htm");
}

TEST_F(DocumentCommandsTest, EachEditRequestOpensAnotherEditor)
{
    g_htmlPath = "/texts/plus.htm";
    send(CMD_EDIT_HTML);
    CDlgEdit* first = dlg->m_editor.Get();
    ASSERT_NE(first, nullptr);
    g_htmlPath.clear();
    send(CMD_EDIT_HTML);
    CDlgEdit* second = dlg->m_editor.Get();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(IsWindow(first->m_hWnd)) << "the earlier editor stays open";
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_TRUE(second->IsWindowVisible());
    EXPECT_EQ(first->GetDocument(), "/texts/plus.htm");
    EXPECT_EQ(second->GetDocument(), "") << "a new document";

    // A closed editor is destroyed and freed, not kept for the life of the program.
    const int alive = toolwin::LiveCount();
    first->SendMessage(WM_CLOSE);
    win::PumpMessages(50);
    EXPECT_EQ(toolwin::LiveCount(), alive - 1);
    EXPECT_TRUE(dlg->m_editor.IsVisible()) << "the other editor stays";
}

TEST_F(DocumentCommandsTest, ClosingAMissingLyricsWindowOneOnlyClearsTheKeysFlag)
{
    send(VK_TAB);
    ASSERT_TRUE(dlg->GetLyricsWindowKeys());
    callrec::Scope rec;
    send(CMD_LYRICS_WINDOW_CLOSED);
    EXPECT_FALSE(dlg->GetLyricsWindowKeys());
    EXPECT_EQ(rec.Calls(), callrec::List{}) << "nothing else is asked";
}

TEST_F(DocumentCommandsTest, ADocumentWindowKeepsItsOwnIdentity)
{
    // Lyrics window 1 with the song's lyrics, then a document in the plain viewer.
    g_lyricsShowMode = 2;
    g_lyricsPath = "/lyrics/song.htm";
    send(CMD_SHOW_LYRICS);
    CModelessLyrics* first = dlg->m_lyricsWindow1.Get();
    ASSERT_NE(first, nullptr);
    g_htmlPath = "/texts/choreo.htm";
    send(CMD_SHOW_HTML_PLAIN);
    CModelessLyrics* document = dlg->m_lyricsWindow2.Get();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetWindowNumber(), 0) << "placed and titled as lyrics window 1";
    EXPECT_EQ(document->GetDocument(), "/texts/choreo.htm");

    // Moving it keeps lyrics window 1's place.
    const int firstX = g_lyricsWindowX, firstY = g_lyricsWindowY;
    document->MoveWindow(321, 234, 300, 200);
    win::PumpMessages();
    EXPECT_EQ(g_lyricsWindowX, firstX);
    EXPECT_EQ(g_lyricsWindowY, firstY);
    EXPECT_EQ(g_lyricsWindow2X, 321);
    EXPECT_EQ(g_lyricsWindow2Y, 234);

    // Closing it closes it, not lyrics window 1.
    document->SendMessage(WM_CLOSE);
    win::PumpMessages();
    EXPECT_FALSE(dlg->m_lyricsWindow2);
    EXPECT_EQ(dlg->m_lyricsWindow1.Get(), first);
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_TRUE(dlg->GetLyricsWindowKeys());

    // Lyrics window 1 still reports as itself.
    first->SendMessage(WM_CLOSE);
    win::PumpMessages();
    EXPECT_FALSE(dlg->m_lyricsWindow1);
    EXPECT_FALSE(dlg->GetLyricsWindowKeys());
}

TEST_F(DocumentCommandsTest, TheMarkersPanelTogglesWithItsTimerWindow)
{
    g_markersTimer = 1;
    callrec::Scope rec;
    send(CMD_TOGGLE_MARKER_PANEL);
    EXPECT_TRUE(dlg->MusicPage().IsMarkersPanelShown());
    ASSERT_TRUE(dlg->m_markerTimer);
    EXPECT_TRUE(dlg->m_markerTimer->IsWindowVisible());
    send(CMD_TOGGLE_MARKER_PANEL);
    EXPECT_FALSE(dlg->MusicPage().IsMarkersPanelShown());
    ASSERT_TRUE(dlg->m_markerTimer) << "only hidden";
    EXPECT_FALSE(dlg->m_markerTimer->IsWindowVisible());

    // Without the timer option the panel comes alone.
    g_markersTimer = 0;
    send(CMD_TOGGLE_MARKER_PANEL);
    EXPECT_TRUE(dlg->MusicPage().IsMarkersPanelShown());
    EXPECT_FALSE(dlg->m_markerTimer->IsWindowVisible());
}

TEST_F(DocumentCommandsInBrowserTest, AutomaticScrollGoesWhereTheLyricsModeSays)
{
    g_autoScrollUnits = 3;
    struct Case {
        int mode;
        bool lyricsView;
        bool window;
        callrec::List calls;
        int windowScrolled; // by how much lyrics window 1's document moves
        int pageScroll;     // pixels the music page's view moves
    };
    const Case cases[] = {
        {0, false, false, {}, 0, 0},
        {1, false, false, {}, 0, 0},
        {1, true, false, {}, 0, 3},
        {2, false, false, {}, 0, 0},
        {2, false, true, {}, 3, 0},
        {3, true, true, {}, 0, 0},
    };
    lyricspage::showLongOnMusicPage(*dlg, dir);
    lyricspage::showLong(*dlg, dir);
    for (const Case& c : cases) {
        if (dlg->MusicPage().IsLyricsViewShown() != c.lyricsView)
            dlg->MusicPage().ToggleLyricsView();
        if (c.window && !dlg->m_lyricsWindow1)
            openLyricsWindow1(lyricspage::longPage(dir));
        if (!c.window)
            dlg->CloseLyricsWindow(1);
        g_lyricsShowMode = c.mode;
        callrec::Scope rec;
        const int before = lyricspage::scrolled(*dlg);
        const int windowBefore = c.window ? lyricspage::scrolled(*dlg->m_lyricsWindow1.Get()) : 0;
        const int pageBefore = lyricspage::musicPageScrolled(*dlg);
        send(CMD_SCROLL_LYRICS);
        EXPECT_EQ(rec.Calls(), c.calls) << c.mode << c.lyricsView << c.window;
        EXPECT_EQ(lyricspage::musicPageScrolled(*dlg) - pageBefore, c.pageScroll) << c.mode << c.lyricsView;
        EXPECT_EQ(lyricspage::scrolled(*dlg) - before, c.mode == 0 ? 3 : 0) << "the lyrics page, mode " << c.mode;
        if (c.window) {
            EXPECT_EQ(lyricspage::scrolled(*dlg->m_lyricsWindow1.Get()) - windowBefore, c.windowScrolled) << c.mode;
        }
    }
}

TEST_F(DocumentCommandsTest, TheEqualizerCodesSwitchItOnAndOff)
{
    callrec::Scope rec;
    send(CMD_EQUALIZER_OFF);
    EXPECT_FALSE(dlg->m_equalizer) << "off does not make the window";
    send(CMD_EQUALIZER_ON);
    ASSERT_TRUE(dlg->m_equalizer);
    EXPECT_TRUE(dlg->m_equalizer->IsWindowVisible());
    EXPECT_TRUE(dlg->GetMenu()->GetMenuState(32811, MF_BYCOMMAND) & MF_CHECKED);
    dlg->m_equalizer->ShowWindow(SW_HIDE);
    send(CMD_EQUALIZER_OFF);
    EXPECT_FALSE(dlg->m_equalizer->IsWindowVisible()) << "off neither shows nor hides";
    EXPECT_FALSE(dlg->m_equalizer->IsOn());
    EXPECT_EQ(g_eqOn, 0);

    // The start's way: on, with the stored configuration.
    {
        CMusicDb db;
        g_eqBass = 4, g_eqMid = -2, g_eqTreble = 1;
        db.SaveEqPreset("Hall", 1);
        db.SetSetting("music - eqname", "Hall", 1);
        db.SetSetting("music - eqeachsong", "false", 1);
        g_eqBass = g_eqMid = g_eqTreble = 0;
    }
    g_eqEachSong = 0;
    dlg->m_equalizer.Destroy();
    dlg->SwitchEqualizer(true, true);
    ASSERT_TRUE(dlg->m_equalizer);
    EXPECT_TRUE(dlg->m_equalizer->IsWindowVisible());
    EXPECT_TRUE(dlg->m_equalizer->IsOn());
    EXPECT_EQ(g_eqOn, 1);
    EXPECT_EQ(g_eqBass, 4) << "the stored configuration is in force";
    g_eqBass = g_eqMid = g_eqTreble = 0;
}

TEST_F(DocumentCommandsTest, ASongsSettingsSwitchTheEqualizerThroughItsCodes)
{
    CSongSettingsNotifier* notifier = SongSettingsNotifier();
    ASSERT_NE(notifier, nullptr) << "installed at start";
    const struct {
        bool on;
        const char* handled;
        bool visible;
    } cases[] = {
        {false, nullptr, false}, // off without the window: nothing to switch
        {true, "on", true},
        {false, "off", true},
    };
    for (const auto& c : cases) {
        notifier->SwitchEqualizer(c.on);
        if (c.handled) {
            ASSERT_TRUE(dlg->m_equalizer) << c.on;
            EXPECT_EQ(dlg->m_equalizer->IsOn(), c.on);
        }
        EXPECT_EQ(g_eqOn, c.on ? 1 : 0);
        EXPECT_EQ(dlg->m_equalizer && dlg->m_equalizer->IsWindowVisible(), c.visible) << c.on;
    }

    dlg->DestroyWindow();
    EXPECT_EQ(SongSettingsNotifier(), nullptr) << "removed when the window ends";
}

TEST_F(DocumentCommandsTest, RefreshCodesReachOnlyOpenWindows)
{
    // The memory and marry managers reread their tables while they exist, shown or hidden.
    CMusicDb db;
    send(CMD_MEMORY_REFRESH);
    dlg->ToggleToolWindow(ID_TOOLS_MEMORY_MANAGER);
    ASSERT_TRUE(dlg->m_memoryManager);
    db.AddMemory("/docs/One.htm", 1);
    send(CMD_MEMORY_REFRESH);
    EXPECT_EQ(dlg->m_memoryManager->Paths(), std::vector<std::string>{"/docs/One.htm"});
    dlg->ToggleToolWindow(ID_TOOLS_MEMORY_MANAGER);
    db.AddMemory("/docs/Two.htm", 1);
    send(CMD_MEMORY_REFRESH);
    EXPECT_EQ(dlg->m_memoryManager->Paths().size(), 2u);
    send(CMD_MEMORY_CLOSED);
    send(CMD_MEMORY_REFRESH);
    EXPECT_FALSE(dlg->m_memoryManager);

    send(CMD_MARRY_MGR_REFRESH);
    dlg->ToggleToolWindow(ID_TOOLS_MARRY_LYRICS);
    ASSERT_TRUE(dlg->m_marryManager);
    db.SetMarriage("/m/a.mp3", "/l/a.htm", 1);
    send(CMD_MARRY_MGR_REFRESH);
    EXPECT_EQ(dlg->m_marryManager->Rows(CToolsMarry::kMarriages).size(), 1u);
    send(CMD_MARRY_MGR_CLOSED);
    send(CMD_MARRY_MGR_REFRESH);
    EXPECT_FALSE(dlg->m_marryManager);

    // The computer cards move their tip on only while the window exists.
    send(CMD_CARDS_NEXT);
    dlg->ToggleToolWindow(ID_VIEW_CARDS);
    ASSERT_TRUE(dlg->m_cards);
    EXPECT_EQ(dlg->m_cards->Tip(), "A") << "a new window starts afresh";
    send(CMD_CARDS_NEXT);
    EXPECT_EQ(dlg->m_cards->Tip(), "B");
    dlg->ToggleToolWindow(ID_VIEW_CARDS); // hidden: still told
    EXPECT_FALSE(dlg->m_cards->IsWindowVisible());
    send(CMD_CARDS_NEXT);
    EXPECT_EQ(dlg->m_cards->Tip(), "C");

    // The recorder with its link on hears the player's start and stop, hidden too, and closed no more.
    dlg->ToggleToolWindow(ID_VIEW_RECORDER);
    CWnd* recorder = dlg->m_recorder.Window();
    ASSERT_TRUE(recorder);
    recorder->SendMessage(WM_COMMAND, MAKEWPARAM(1133, BN_CLICKED), LPARAM(recorder->GetDlgItem(1133)->m_hWnd));
    dlg->ToggleToolWindow(ID_VIEW_RECORDER);
    send(CMD_RECORDER_MUSIC_STARTED);
    EXPECT_EQ(g_statusRecordText, "Recording on");
    send(CMD_RECORDER_MUSIC_STOPPED);
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
    send(CMD_RECORDER_CLOSED);
    send(CMD_RECORDER_MUSIC_STARTED);
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
}

TEST_F(DocumentCommandsTest, ASongLoadedReachesTheOpenLyricsAndKaraokeWindows)
{
    g_lyricsPath = "/lyrics/new.htm";
    g_currentSongPath = "/music/New Song.mp3";
    callrec::Scope rec;
    send(CMD_SONG_LOADED);
    EXPECT_EQ(rec.Calls(), callrec::List{}) << "no window open, nothing to do";

    openLyricsWindow1("/lyrics/old.htm");
    dlg->ToggleToolWindow(32856);
    send(VK_TAB);
    ASSERT_FALSE(dlg->GetLyricsWindowKeys());
    rec.Clear();
    send(CMD_SONG_LOADED);
    EXPECT_EQ(dlg->m_lyricsWindow1->GetDocument(), "/lyrics/new.htm");
    EXPECT_TRUE(dlg->GetLyricsWindowKeys());
    EXPECT_EQ(dlg->m_karaoke->GetWindowText(), "Karaoke - New Song");
}

TEST_F(DocumentCommandsInBrowserTest, ReloadAfterSavingReachesEveryLyricsView)
{
    callrec::Scope rec;
    dlg->LyricsPage().ShowFile("[db]RR 7");
    send(CMD_RELOAD_LYRICS);
    EXPECT_EQ(dlg->LyricsPage().GetShownFile(), "[db]RR 7");
    EXPECT_EQ(dlg->MusicPage().LyricsView(), nullptr) << "the music page shows its lists";
    const std::string sheet = dir.file("sheet.htm");
    testsupport::writeFile(sheet, "<html><body><p>Before</p></body></html>");
    dlg->MusicPage().LoadLyricsDocument(sheet);
    dlg->MusicPage().ToggleLyricsView();
    ASSERT_TRUE(dlg->MusicPage().LyricsView()->EnsureDocument());
    testsupport::writeFile(sheet, "<html><body><p>Saved</p></body></html>");
    const std::string saved = dir.file("saved.txt");
    testsupport::writeFile(saved, "Before the save\r\n");
    openLyricsWindow1(saved);
    testsupport::writeFile(saved, "After the save\r\n");
    rec.Clear();
    send(CMD_RELOAD_LYRICS);
    std::string html;
    EXPECT_TRUE(testsupport::waitFor([&] {
        dlg->MusicPage().LyricsView()->GetDocumentHtml(html);
        return html.find("Saved") != std::string::npos;
    })) << html;
    EXPECT_EQ(dlg->m_lyricsWindow1->GetTextView().GetWindowText().substr(0, 14), "After the save");
}

} // namespace
} // namespace servicestest
