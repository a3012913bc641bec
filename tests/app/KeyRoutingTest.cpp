// Real keys pressed in the main window and its pages, and the caller's
// hotkeys: one dispatcher, as the keyboard reaches it.
#include "MainWindowFixture.h"
#include "player/MarkerList.h"
#include "LyricsPageHelper.h"
#include "texts/MarryDlg.h"

#include "ListPageHelper.h"
#include "app/ModelessLyrics.h"
#include "platform/win/Input.h"
#include "platform/win/ListBox.h"
#include "platform/win/ListCtrl.h"

using namespace mainwindowtest;
using callrec::List;

namespace {

class KeyRoutingTest : public MainWindowTest {
protected:
    void setHotkey(const std::string& key, int function)
    {
        CMusicDb db;
        db.SetHotkey(key, function, 1);
    }
    // Every hotkey without a function, then the ones the test names.
    void presetHotkeys(const std::vector<std::pair<std::string, int>>& keys)
    {
        preset({});
        for (const auto& k : CMusicDb::DefaultHotkeys())
            setHotkey(k.key, 0);
        for (const auto& [k, f] : keys)
            setHotkey(k, f);
    }
};

// Tests that read a document through the browser engine: they share one process,
// whose engine starts once for all of them.
class KeyRoutingInBrowserTest : public KeyRoutingTest {};

TEST_F(KeyRoutingTest, EscNeverClosesTheMainWindowFromAnyPage)
{
    start();
    for (CWnd* sink : {dlg->GetDlgItem(1004), dlg->MusicPage().GetDlgItem(1004), dlg->LyricsPage().GetDlgItem(1004),
                       dlg->ListPage(0).GetDlgItem(1004)}) {
        press(Qt::Key_Escape, Qt::NoModifier, sink);
        EXPECT_TRUE(dlg->IsWindowVisible());
        EXPECT_EQ(dlg->GetDialogResult(), -1);
    }
    EXPECT_TRUE(calls().empty());
}

TEST_F(KeyRoutingTest, CtrlWithALetterStaysOnTheMusicPageAndTheLetterAloneGoesOn)
{
    presetHotkeys({{"a", 12}}); // A selects page 11
    CMusicDb().SetSetting("global - nrtabs", "15", 1);
    start();
    CWnd* list = dlg->MusicPage().GetDlgItem(1009);
    CWnd* sink = dlg->MusicPage().GetDlgItem(1004);
    struct Case {
        Qt::Key key;
        bool ctrl;
        CWnd* on;
        int page;
    };
    const Case cases[] = {
        {Qt::Key_A, true, list, 0}, {Qt::Key_A, true, sink, 0}, {Qt::Key_2, true, list, 1}, {Qt::Key_A, false, list, 11},
    };
    for (const Case& c : cases) {
        dlg->SelectPage(0);
        win::SetHeldModifiers(c.ctrl ? std::optional<UINT>(MK_CONTROL) : std::nullopt);
        press(c.key, c.ctrl ? Qt::ControlModifier : Qt::NoModifier, c.on);
        win::SetHeldModifiers(std::nullopt);
        EXPECT_EQ(dlg->GetCurrentPage(), c.page) << c.key << " ctrl " << c.ctrl;
    }
}

TEST_F(KeyRoutingTest, DigitAndPlusKeysSelectTabsAndTheKeypadDoesNot)
{
    preset({{"global - nrtabs", "10"}}); // 12 pages
    start();
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int page; // -1: the page stays
    };
    const Case cases[] = {
        {Qt::Key_2, Qt::NoModifier, 1},         {Qt::Key_1, Qt::NoModifier, 0},
        {Qt::Key_9, Qt::NoModifier, 8},         {Qt::Key_0, Qt::NoModifier, 9},
        {Qt::Key_Plus, Qt::NoModifier, 10},     {Qt::Key_Equal, Qt::NoModifier, 10},
        {Qt::Key_3, Qt::KeypadModifier, -1},    {Qt::Key_0, Qt::KeypadModifier, -1},
        {Qt::Key_Plus, Qt::KeypadModifier, -1},
    };
    for (const Case& c : cases) {
        dlg->SelectPage(4);
        press(c.key, c.mods);
        EXPECT_EQ(dlg->GetCurrentPage(), c.page < 0 ? 4 : c.page) << c.key << " " << int(c.mods);
    }
}

TEST_F(KeyRoutingTest, ADigitBeyondTheLevelsTabsShowsTheMusicTab)
{
    preset({{"global - nrtabs", "3"}}); // 5 pages
    start();
    dlg->SelectPage(2);
    press(Qt::Key_9);
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
    dlg->SelectPage(2);
    press(Qt::Key_5);
    EXPECT_EQ(dlg->GetCurrentPage(), 4);
}

TEST_F(KeyRoutingTest, FunctionKeysTwoToFiveStepTheLevelWithinItsBounds)
{
    start();
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {1, Qt::Key_F2, 1}, {1, Qt::Key_F3, 1}, {2, Qt::Key_F2, 1}, {5, Qt::Key_F2, 3}, {5, Qt::Key_F3, 4},
        {5, Qt::Key_F4, 6}, {5, Qt::Key_F5, 7}, {9, Qt::Key_F5, 10}, {10, Qt::Key_F4, 10},
    };
    for (const Case& c : cases) {
        dlg->SetLevel(c.from);
        press(c.key);
        EXPECT_EQ(g_danceLevel, c.to) << c.from << " " << c.key;
    }
    EXPECT_EQ(setting("general - level"), "10");
}

TEST_F(KeyRoutingTest, TheOtherFunctionKeys)
{
    start();
    struct Case {
        Qt::Key key;
        List expected;
    };
    const Case cases[] = {
        {Qt::Key_F6, {}},
        {Qt::Key_F10, {}},
        {Qt::Key_F11, {}},
        {Qt::Key_F12, {}},
    };
    g_lyricsShowMode = 2;
    for (const Case& c : cases) {
        clearCalls();
        press(c.key);
        EXPECT_EQ(calls(), c.expected) << c.key;
    }
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
    // F6 steps the lyrics show mode, once.
    EXPECT_EQ(g_lyricsShowMode, 0);
    EXPECT_EQ(setting("lyrics - show"), "0");
    press(Qt::Key_F6);
    EXPECT_EQ(g_lyricsShowMode, 1);
    EXPECT_EQ(setting("lyrics - show"), "1");
    // The space bar plays and pauses the song.
    loadSong();
    press(Qt::Key_Space);
    EXPECT_EQ(g_playing, 1);
    press(Qt::Key_Space);
    EXPECT_EQ(g_playing, 0);
}

TEST_F(KeyRoutingTest, TGoesToTheLyricsWhereTheLyricsModeSays)
{
    start();
    g_lyricsPath = "/songs/Lyrics.htm";

    // Mode 0: the lyrics page, and back to the music page from there.
    g_lyricsShowMode = 0;
    press(Qt::Key_T);
    EXPECT_EQ(dlg->GetCurrentPage(), 1);
    EXPECT_EQ(dlg->LyricsPage().GetShownFile(), "/songs/Lyrics.htm");
    press(Qt::Key_T, Qt::NoModifier, dlg->LyricsPage().GetDlgItem(1004));
    EXPECT_EQ(dlg->GetCurrentPage(), 0);

    // Mode 1: the music page switches between its song lists and its lyrics view.
    g_lyricsShowMode = 1;
    clearCalls();
    press(Qt::Key_T);
    EXPECT_EQ(dlg->MusicPage().LyricsDocumentPath(), "/songs/Lyrics.htm");
    EXPECT_TRUE(dlg->MusicPage().IsLyricsViewShown());
    EXPECT_FALSE(dlg->MusicPage().GetDlgItem(1009)->IsWindowVisible()) << "the view takes the lists' place";
    press(Qt::Key_T);
    EXPECT_FALSE(dlg->MusicPage().IsLyricsViewShown());
    EXPECT_EQ(dlg->GetCurrentPage(), 0);

    // Mode 2: lyrics window 1 comes, goes and comes again, given the document each time.
    g_lyricsShowMode = 2;
    press(Qt::Key_T);
    CModelessLyrics* window = dlg->m_lyricsWindow1.Get();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_TRUE(dlg->GetLyricsWindowKeys());
    press(Qt::Key_T);
    EXPECT_FALSE(window->IsWindowVisible());
    press(Qt::Key_T);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(dlg->m_lyricsWindow1.Get(), window) << "the window is kept, not made anew";
    EXPECT_EQ(window->GetDocument(), "/songs/Lyrics.htm");
}

TEST_F(KeyRoutingInBrowserTest, ScrollKeysMoveTheDocumentOfThePageOrOfLyricsWindowOne)
{
    preset({{"general - arrowscrolltext", "1"},
            {"general - pagescrolltext", "10"},
            {"general - arrowscrollhtml", "40"},
            {"general - pagescrollhtml", "400"},
            {"global - nrtabs", "15"}});
    start();
    struct Case {
        Qt::Key key;
        const char* amounts;
    };
    const Case keys[] = {
        {Qt::Key_Up, "-40, -1"}, {Qt::Key_PageUp, "-400, -10"}, {Qt::Key_Down, "40, 1"},
        {Qt::Key_PageDown, "400, 10"}, {Qt::Key_Home, "-9999, -9999"}, {Qt::Key_End, "9999, 9999"},
    };
    // The music page's lyrics view and the lyrics page's document move by the HTML amounts.
    const int lyricsAt[] = {960, 560, 600, 1000, 0, -1}; // -1: the end, past 1000
    dlg->SelectPage(0);
    lyricspage::showLongOnMusicPage(*dlg, dir);
    dlg->MusicPage().ScrollLyricsOrList(1000, 1000);
    for (size_t i = 0; i < std::size(keys); ++i) {
        press(keys[i].key);
        if (lyricsAt[i] < 0) {
            EXPECT_GT(lyricspage::musicPageScrolled(*dlg), 1000);
        } else {
            EXPECT_EQ(lyricspage::musicPageScrolled(*dlg), lyricsAt[i]) << keys[i].key << " " << keys[i].amounts;
        }
    }
    dlg->SelectPage(1);
    lyricspage::showLong(*dlg, dir);
    dlg->LyricsPage().ScrollBy(1000, 0);
    for (size_t i = 0; i < std::size(keys); ++i) {
        press(keys[i].key);
        if (lyricsAt[i] < 0) {
            EXPECT_GT(lyricspage::scrolled(*dlg), 1000);
        } else {
            EXPECT_EQ(lyricspage::scrolled(*dlg), lyricsAt[i]) << keys[i].key;
        }
    }
    // A list page's text document moves by the text amounts; the arrow and page
    // keys reach the later list pages too.
    const int listLines[] = {99, 89, 90, 100, 0, -1}; // -1: the end, past line 100
    for (int index : {2, 13}) {
        CDlgList& page = dlg->ListPage(index - 2);
        dlg->SelectPage(index);
        listpage::showLongText(page, dir);
        ASSERT_EQ(listpage::firstVisibleLine(page), 100);
        for (size_t i = 0; i < std::size(keys); ++i) {
            press(keys[i].key);
            if (listLines[i] < 0) {
                EXPECT_GT(listpage::firstVisibleLine(page), 400) << index;
            } else {
                EXPECT_EQ(listpage::firstVisibleLine(page), listLines[i]) << index << " " << keys[i].key;
            }
        }
    }
}

TEST_F(KeyRoutingInBrowserTest, WithTheLyricsWindowKeysTabSwitchesTheScrollTargetBetweenWindowAndPage)
{
    preset({{"general - pagescrollhtml", "300"}, {"general - pagescrolltext", "12"}});
    start();
    g_lyricsShowMode = 2;
    // Shows lyrics window 1 and sets the keys flag.
    dlg->ShowLyrics(lyricspage::longPage(dir), false);
    ASSERT_TRUE(dlg->m_lyricsWindow1);
    lyricspage::showLongOnMusicPage(*dlg, dir);
    struct Step {
        Qt::Key key;
        int windowScrolled; // where lyrics window 1's document stands after the key
        int pageAt;         // where the music page's view stands after the key
    };
    const Step steps[] = {
        {Qt::Key_PageDown, 300, 0},
        {Qt::Key_Tab, 300, 0},
        {Qt::Key_PageDown, 300, 300},
        {Qt::Key_Tab, 300, 300},
        {Qt::Key_PageDown, 600, 300},
    };
    for (const Step& s : steps) {
        clearCalls();
        press(s.key);
        EXPECT_EQ(calls(), List{}) << s.key;
        EXPECT_EQ(lyricspage::scrolled(*dlg->m_lyricsWindow1.Get()), s.windowScrolled) << s.key;
        EXPECT_EQ(lyricspage::musicPageScrolled(*dlg), s.pageAt) << s.key;
    }
    // In another lyrics mode the page scrolls whatever the flag says.
    g_lyricsShowMode = 0;
    clearCalls();
    press(Qt::Key_PageDown);
    EXPECT_EQ(calls(), List{});
    EXPECT_EQ(lyricspage::musicPageScrolled(*dlg), 600);
}

TEST_F(KeyRoutingTest, ArrowsLeftAndRightStepTheEntriesOfAListPageOnly)
{
    preset({{"global - nrtabs", "2"}});
    start();
    CDlgList& page = dlg->ListPage(1);
    listpage::showList(page, dir, 5, 3);
    press(Qt::Key_Left);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(page.GetCurrentIndex(), 3) << "on the music page";
    dlg->SelectPage(3);
    press(Qt::Key_Left);
    EXPECT_EQ(page.GetCurrentIndex(), 2);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(page.GetCurrentIndex(), 4);
}

TEST_F(KeyRoutingTest, LettersCommaDotAndMinusRunTheirHotkeyFunctions)
{
    presetHotkeys({{"a", 25}, {"s", 30}, {"u", 31}, {"z", 81}, {"comma", 26}, {"dot", 27}, {"minus", 28}});
    start();
    struct Case {
        Qt::Key key;
        List expected;
    };
    const Case cases[] = {
        {Qt::Key_B, {}}, // entry 0: no function
        {Qt::Key_Y, {}},
    };
    for (const Case& c : cases) {
        clearCalls();
        press(c.key);
        EXPECT_EQ(calls(), c.expected) << c.key;
    }
    g_tempo = 0;
    press(Qt::Key_S);
    EXPECT_FLOAT_EQ(g_tempo, 0.5f) << "tempo up";
    press(Qt::Key_U);
    press(Qt::Key_U);
    EXPECT_FLOAT_EQ(g_tempo, -0.5f) << "tempo down";
    // The transport keys act on the loaded song.
    loadSong();
    press(Qt::Key_A);
    EXPECT_EQ(g_playing, 1) << "a fade-in starts the stopped song";
    dlg->MusicPage().StopAndRewind();
    press(Qt::Key_Z);
    EXPECT_EQ(g_playing, 1) << "play/pause";
    BASS_ChannelSetPosition(dlg->MusicPage().SongStream(), BASS_ChannelSeconds2Bytes(dlg->MusicPage().SongStream(), 20),
                            BASS_POS_BYTE);
    press(Qt::Key_Comma);
    EXPECT_LT(songPosition(), 1.0) << "play from the start";
    const std::string loop = setting("music - loop");
    press(Qt::Key_Period);
    EXPECT_NE(setting("music - loop"), loop) << "the loop switch";
    g_loopEnd = 0;
    press(Qt::Key_Minus);
    EXPECT_GT(g_loopEnd, 1.0f) << "automatic loop";
}

// The music functions change the loaded song, the dance timer and the queue.
TEST_F(KeyRoutingTest, MusicHotkeyFunctionsChangeTheSong)
{
    preset({{"music - fastforwardrewind", "5"}, {"music - volumeplusminus", "10"}, {"music - volumelowest", "45"},
            {"music - timerup", "1"}, {"music - timertime", "2"}});
    start();
    const std::string song = loadSong(100);
    CDlgMp3& page = dlg->MusicPage();
    g_tempo = 0;
    dlg->RunHotkeyFunction(30);
    EXPECT_FLOAT_EQ(g_tempo, 0.5f);
    g_position = 20;
    dlg->RunHotkeyFunction(39);
    EXPECT_FLOAT_EQ(g_position, 25);
    g_songVolume = 50;
    dlg->RunHotkeyFunction(82);
    dlg->RunHotkeyFunction(82);
    EXPECT_EQ(g_songVolume, 45) << "not below the lowest volume";

    dlg->RunHotkeyFunction(49);
    EXPECT_EQ(setting("music - timerup"), "0");
    dlg->RunHotkeyFunction(49);
    EXPECT_EQ(setting("music - timerup"), "1");
    dlg->RunHotkeyFunction(50);
    EXPECT_EQ(page.GetDlgItem(1037)->GetWindowText(), "2:00");

    g_loopStart = 10;
    g_loopEnd = 90;
    dlg->RunHotkeyFunction(68);
    EXPECT_EQ(g_playing, 1);
    EXPECT_NEAR(g_position, 10, 0.05);
    dlg->RunHotkeyFunction(69);
    EXPECT_NEAR(g_position, 90, 0.05);
    EXPECT_FALSE(page.IsLoopOn());

    std::vector<CMemArray> rows(1);
    rows[0].SetAll("Label", "Queued", "0", song, "", "", "", "", "", "");
    page.SetSongRows(3, rows);
    static_cast<CListCtrl*>(page.GetDlgItem(1012))->SetSelectionMark(0);
    dlg->RunHotkeyFunction(76);
    EXPECT_EQ(static_cast<CListBox*>(page.GetDlgItem(1218))->GetCount(), 1) << "list 3's row is queued";
}

TEST_F(KeyRoutingTest, AStoredFunctionNumberOutsideTheTableDoesNothing)
{
    presetHotkeys({{"a", 87}, {"b", 1000}, {"c", -1}, {"d", 2147483647}, {"e", 86}});
    start();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D}) {
        press(key);
        EXPECT_TRUE(calls().empty()) << key;
        EXPECT_TRUE(dlg->IsWindowVisible());
    }
    for (int number : {87, 88, 500, -1, -87})
        dlg->RunHotkeyFunction(number);
    EXPECT_TRUE(calls().empty());
}

TEST_F(KeyRoutingTest, HotkeyFunctionsReachTheirActions)
{
    preset({{"music - jumpback", "-5"}, {"global - nrtabs", "15"}, {"markers - show", "0"}});
    start();
    struct Case {
        int number;
        List expected;
    };
    const Case cases[] = {
        {42, {}}, // list 3 switches to its playlist: below
        {46, {}}, // the lyrics search of list 1 turns on: below
        {53, {}},
        {70, {}}, // no song is loaded: nothing to flag
        // List-page functions on the music page do nothing.
        {18, {}},
        {19, {}},
        {24, {}},
        // With neither the show-calls window nor the markers open, nothing.
        {11, {}},
        {56, {}},
        {86, {}},
    };
    const int searchWas = dlg->MusicPage().IsLyricsSearchOn(1);
    for (const Case& c : cases) {
        clearCalls();
        dlg->RunHotkeyFunction(c.number);
        EXPECT_EQ(calls(), c.expected) << c.number;
    }
    EXPECT_NE(dlg->MusicPage().IsLyricsSearchOn(1), searchWas) << "46 switches list 1's lyrics search";
    ASSERT_NE(dlg->MusicPage().FindLyricsDialog(), nullptr) << "53 shows Find Lyrics";
    EXPECT_TRUE(dlg->MusicPage().FindLyricsDialog()->IsWindowVisible());
    EXPECT_EQ(CMusicDb().GetSetting("music - listdir3", 1), "list");
    EXPECT_EQ(CMusicDb().GetAllFlags(1).RowCount(), 0);

    // The functions of the song: save its settings, swap with the previous song, the queue.
    const std::string first = loadSong(100);
    dlg->RunHotkeyFunction(72);
    EXPECT_TRUE(CMusicDb().HasMusicRow(first, 1));
    const std::string second = loadSong(5, "Second.wav");
    dlg->RunHotkeyFunction(79);
    EXPECT_EQ(g_currentSongPath, first);
    dlg->MusicPage().QueueSong(second, 1, 0, "0", 0);
    dlg->RunHotkeyFunction(29);
    EXPECT_EQ(g_currentSongPath, second);
    dlg->RunHotkeyFunction(79);
    // "Play music from counter +/- X sec": back by the stored seconds, then play or pause.
    g_position = 60.5f;
    dlg->RunHotkeyFunction(71);
    EXPECT_FLOAT_EQ(g_position, 55.5f);
    EXPECT_EQ(g_playing, 1);
    dlg->RunHotkeyFunction(26);
    EXPECT_LT(songPosition(), 1.0) << "play from the start";

    // The tab functions: 12 to 17 select tabs 12 to 17, 85 flips between the first two.
    dlg->RunHotkeyFunction(14);
    EXPECT_EQ(dlg->GetCurrentPage(), 13);
    dlg->RunHotkeyFunction(85);
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
    dlg->RunHotkeyFunction(85);
    EXPECT_EQ(dlg->GetCurrentPage(), 1);

    // On a list page the list functions reach that page.
    CDlgList& list = dlg->ListPage(2);
    listpage::showList(list, dir, 30, 5);
    dlg->SelectPage(4);
    dlg->RunHotkeyFunction(18);
    EXPECT_TRUE(list.IsFullScreen());
    const std::pair<int, int> steps[] = {{19, 6}, {20, 5}, {21, 15}, {22, 5}};
    for (const auto& [number, index] : steps) {
        dlg->RunHotkeyFunction(number);
        EXPECT_EQ(list.GetCurrentIndex(), index) << number;
    }
    dlg->RunHotkeyFunction(23);
    EXPECT_NE(list.GetCurrentIndex(), 5) << "a random entry not shown yet";
    EXPECT_NE(list.GetCurrentIndex(), 6);
    EXPECT_NE(list.GetCurrentIndex(), 15);
    dlg->RunHotkeyFunction(24);
    EXPECT_EQ(CMusicDb().GetMemory(1).RowCount(), 1);

    // Markers commands go to the music page while the markers are a panel.
    g_markersShow = 1;
    const bool locked = dlg->MusicPage().PanelMarkers().locked;
    dlg->RunHotkeyFunction(62);
    g_markersShow = 0;
    EXPECT_NE(dlg->MusicPage().PanelMarkers().locked, locked) << "the lock of the page's panel toggles";
}

TEST_F(KeyRoutingTest, PlayPauseIfActsOnlyWhenItChangesSomething)
{
    start();
    loadSong();
    struct Case {
        int playing;
        int mode;
        int after;
    };
    const Case cases[] = {{0, 1, 1}, {1, 1, 1}, {1, 2, 0}, {0, 2, 0}, {0, 3, 0}, {1, 0, 1}};
    for (const Case& c : cases) {
        if (c.playing)
            dlg->MusicPage().Play();
        else
            dlg->MusicPage().Pause();
        dlg->PlayPauseIf(c.mode);
        EXPECT_EQ(g_playing, c.after) << c.playing << " " << c.mode;
    }
    dlg->MusicPage().Pause();
}

} // namespace
