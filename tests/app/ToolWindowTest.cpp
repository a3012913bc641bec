// The tool windows of the View and Tools menus: created on first use,
// hidden, shown, reported closed, forgotten and freed, and made anew.
#include "MainWindowFixture.h"
#include "store/MyFunctions.h"
#include "store/MusicDb.h"

#include "app/Calls.h"
#include "controls/ToolDialog.h"
#include "app/MirtalDlgPlaces.h"
#include "controls/ToolWindowInfos.h"
#include "platform/win/Shell.h"
#include "store/CommandCodes.h"
#include "app/Timer.h"
#include "managers/ToolsTrack.h"
#include "player/JukeBox.h"
#include "player/Karaoke.h"
#include "player/Markers.h"
#include "player/Record.h"

#include <iterator>
#include <set>

using namespace mainwindowtest;
using callrec::List;

namespace {

class ToolWindowTest : public MainWindowTest {};

struct Tool {
    UINT item;
    UINT closed;
    UINT templateId;
};

// Every window a View or Tools item toggles, with its closed report.
const Tool kTools[] = {
    {32803, 703, 261}, {32804, 704, 185}, {32805, 709, 183}, {32811, 705, 189}, {32851, 924, 385},
    {32807, 700, 260}, {32808, 701, 178}, {32848, 718, 294}, {32852, 925, 394}, {32856, 929, 409},
    {32963, 720, 465}, {32823, 933, 239}, {32824, 932, 251}, {32825, 934, 262}, {32826, 927, 242},
    {32827, 935, 244}, {32828, 936, 390}, {32829, 937, 323}, {32846, 702, 173},
};

TEST_F(ToolWindowTest, EachItemCreatesHidesShowsAndAfterItsClosedReportCreatesAnew)
{
    preset({{"markers - show", "0"}});
    start();
    const int alive = toolwin::LiveCount();
    for (const Tool& t : kTools) {
        ToolSlotBase* slot = dlg->ToolSlotOfItem(t.item);
        ASSERT_NE(slot, nullptr) << t.item;
        EXPECT_FALSE(slot->Exists()) << t.item;

        menu(t.item);
        CWnd* first = slot->Window();
        ASSERT_NE(first, nullptr) << t.item;
        const HWND firstHandle = first->m_hWnd;
        EXPECT_EQ(static_cast<CDialog*>(first)->GetTemplateId(), t.templateId);
        EXPECT_TRUE(first->IsWindowVisible()) << t.item;
        EXPECT_TRUE(checked(t.item)) << t.item;
        EXPECT_EQ(toolwin::LiveCount(), alive + 1) << t.item;

        menu(t.item);
        EXPECT_EQ(slot->Window(), first) << t.item;
        EXPECT_FALSE(first->IsWindowVisible()) << t.item;
        EXPECT_FALSE(checked(t.item)) << t.item;

        menu(t.item);
        EXPECT_EQ(slot->Window(), first) << "shown again, not made anew: " << t.item;
        EXPECT_TRUE(first->IsWindowVisible()) << t.item;
        EXPECT_TRUE(checked(t.item)) << t.item;

        code(t.closed);
        EXPECT_FALSE(slot->Exists()) << t.item;
        EXPECT_EQ(CWnd::FromHandle(firstHandle), nullptr) << t.item;
        EXPECT_FALSE(checked(t.item)) << t.item;
        win::PumpMessages();
        EXPECT_EQ(toolwin::LiveCount(), alive) << "the closed window is freed: " << t.item;

        menu(t.item);
        ASSERT_TRUE(slot->Exists()) << t.item;
        EXPECT_NE(slot->Window()->m_hWnd, firstHandle) << t.item;
        EXPECT_TRUE(checked(t.item)) << t.item;
        code(t.closed);
        win::PumpMessages();
    }
    EXPECT_EQ(toolwin::LiveCount(), alive);
}

TEST_F(ToolWindowTest, TheJukeboxChosenThreeTimesIsMadeOnce)
{
    start();
    const int alive = toolwin::LiveCount();
    menu(32803);
    CJukeBox* jukebox = dlg->m_jukebox.Get();
    ASSERT_NE(jukebox, nullptr);
    EXPECT_TRUE(jukebox->IsWindowVisible());
    EXPECT_TRUE(checked(32803));
    menu(32803);
    EXPECT_FALSE(jukebox->IsWindowVisible());
    EXPECT_FALSE(checked(32803));
    menu(32803);
    EXPECT_EQ(dlg->m_jukebox.Get(), jukebox);
    EXPECT_TRUE(jukebox->IsWindowVisible());
    EXPECT_TRUE(checked(32803));
    EXPECT_EQ(toolwin::LiveCount(), alive + 1);
}

TEST_F(ToolWindowTest, TheUsersCloseBoxReportsTheWindowClosed)
{
    start();
    menu(32808);
    CCalls* calls = dlg->m_calls.Get();
    ASSERT_NE(calls, nullptr);
    const std::string caption = calls->GetWindowText();
    EXPECT_NE(caption.find("Show Calls"), std::string::npos) << "loaded: " << caption;
    // The close box, as the window manager sends it, while Qt is handling an event.
    calls->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(dlg->m_calls);
    EXPECT_FALSE(checked(32808));
    win::PumpMessages();
    menu(32808);
    ASSERT_TRUE(dlg->m_calls);
    EXPECT_TRUE(dlg->m_calls.IsVisible());
    EXPECT_EQ(dlg->m_calls->GetWindowText(), caption) << "loaded again";
}

TEST_F(ToolWindowTest, AReportForAWindowThatIsGoneOnlyClearsTheMark)
{
    start();
    const int alive = toolwin::LiveCount();
    dlg->CheckViewItem(32803, MF_CHECKED);
    code(CMD_JUKEBOX_CLOSED);
    EXPECT_FALSE(checked(32803));
    // Twice for one window: the second report finds nothing to destroy.
    menu(32827);
    code(CMD_TRACK_MGR_CLOSED);
    code(CMD_TRACK_MGR_CLOSED);
    EXPECT_FALSE(dlg->m_trackManager);
    win::PumpMessages();
    EXPECT_EQ(toolwin::LiveCount(), alive);
    EXPECT_TRUE(dlg->IsWindowVisible());
}

TEST_F(ToolWindowTest, AWindowDestroyedAnotherWayIsForgottenAndFreed)
{
    start();
    const int alive = toolwin::LiveCount();
    menu(32804);
    CWnd* recorder = dlg->m_recorder.Get();
    ASSERT_NE(recorder, nullptr);
    recorder->DestroyWindow();
    EXPECT_FALSE(dlg->m_recorder);
    EXPECT_EQ(dlg->m_recorder.Get(), nullptr);
    win::PumpMessages();
    EXPECT_EQ(toolwin::LiveCount(), alive);
    // Its item still makes a new one.
    menu(32804);
    menu(32804);
    EXPECT_TRUE(dlg->m_recorder);
    EXPECT_FALSE(dlg->m_recorder.IsVisible());
}

TEST_F(ToolWindowTest, TheTimerWindowKeepsTheTimerSettingInStep)
{
    start();
    g_timerVisible = 0;
    menu(32805);
    EXPECT_EQ(g_timerVisible, 1);
    menu(32805);
    EXPECT_EQ(g_timerVisible, 0);
    menu(32805);
    EXPECT_EQ(g_timerVisible, 1);
    code(CMD_TIMER_CLOSED);
    EXPECT_EQ(g_timerVisible, 0);
    EXPECT_FALSE(dlg->m_timerWindow);
}

TEST_F(ToolWindowTest, TheKaraokeWindowIsPlacedBeforeItShows)
{
    start();
    g_karaokeX = 5000;
    g_karaokeY = -20;
    g_karaokeWidth = 400;
    g_karaokeHeight = 300;
    menu(32856);
    ASSERT_TRUE(dlg->m_karaoke);
    EXPECT_TRUE(dlg->m_karaoke.IsVisible());
    CRect rect;
    dlg->m_karaoke->GetWindowRect(rect);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN)) << "pulled back onto the screen";
    EXPECT_EQ(rect.top, 0);
}

TEST_F(ToolWindowTest, MusicMarkersAreAWindowOrAPanelByTheSetting)
{
    preset({{"markers - show", "0"}});
    start();
    // The music page's markers toggle follows the window.
    auto toggle = [&] { return static_cast<CButton*>(dlg->MusicPage().GetDlgItem(1175))->GetCheck(); };
    menu(32806);
    EXPECT_TRUE(dlg->m_markers.IsVisible());
    EXPECT_TRUE(checked(32806));
    EXPECT_EQ(toggle(), BST_CHECKED);
    menu(32806);
    EXPECT_FALSE(dlg->m_markers.IsVisible());
    EXPECT_EQ(toggle(), BST_UNCHECKED);
    menu(32806);
    EXPECT_EQ(toggle(), BST_CHECKED);

    // Closed by the user: the music page lays its markers area out without the panel.
    code(CMD_MARKERS_CLOSED);
    EXPECT_FALSE(dlg->MusicPage().IsMarkersPanelShown());
    EXPECT_FALSE(dlg->MusicPage().GetDlgItem(1146)->IsWindowVisible());
    EXPECT_FALSE(checked(32806));

    // As a panel: the panel toggles and the item keeps its mark as it is.
    g_markersShow = 1;
    menu(32806);
    EXPECT_TRUE(dlg->MusicPage().IsMarkersPanelShown());
    EXPECT_TRUE(dlg->MusicPage().GetDlgItem(1146)->IsWindowVisible());
    EXPECT_FALSE(dlg->MusicPage().GetDlgItem(1032)->IsWindowVisible()) << "in the loop controls' place";
    code(CMD_TOGGLE_MARKERS);
    EXPECT_FALSE(dlg->MusicPage().IsMarkersPanelShown());
    EXPECT_TRUE(dlg->MusicPage().GetDlgItem(1032)->IsWindowVisible());
    EXPECT_FALSE(dlg->m_markers);
    EXPECT_FALSE(checked(32806));
    g_markersShow = 0;
}

TEST_F(ToolWindowTest, SquareIdentificationByItsCommandCode)
{
    start();
    code(CMD_TOGGLE_SQUAREID);
    EXPECT_TRUE(dlg->m_squareId.IsVisible());
    EXPECT_TRUE(checked(32807));
    code(CMD_TOGGLE_SQUAREID);
    EXPECT_FALSE(dlg->m_squareId.IsVisible());
    EXPECT_FALSE(checked(32807));
}

TEST_F(ToolWindowTest, TheShowCallsWindowFollowsTheLevelAndItsHotkeys)
{
    start();
    {
        CMusicDb db;
        db.SetSetting(MyFunctions().LevelCode(4) + " - levelname", "Mirtal - Advanced One", 1);
    }
    dlg->RunHotkeyFunction(11);
    dlg->RunHotkeyFunction(86);
    EXPECT_FALSE(dlg->m_calls) << "no window, nothing to start";
    menu(32808);
    CCalls* calls = dlg->m_calls.Get();
    ASSERT_NE(calls, nullptr);
    dlg->SetLevel(4);
    EXPECT_EQ(calls->GetWindowText(), "Mirtal - Show Calls Advanced One") << "the pool of the new level";

    const bool paused = calls->IsPaused();
    dlg->RunHotkeyFunction(11);
    EXPECT_EQ(calls->IsPaused(), !paused);

    // The next call: the newest line moves down one.
    calls->GetDlgItem(1120)->SetWindowText("Square Thru");
    dlg->RunHotkeyFunction(86);
    EXPECT_EQ(calls->LineText(1), "Square Thru");
}

TEST_F(ToolWindowTest, TheEndOfTheMainWindowFreesEveryToolWindow)
{
    preset({{"markers - show", "0"}});
    start();
    const int alive = toolwin::LiveCount();
    for (const Tool& t : kTools)
        menu(t.item);
    menu(32803); // one of them hidden
    EXPECT_EQ(toolwin::LiveCount(), alive + int(std::size(kTools)));
    dlg->DestroyWindow();
    dlg.reset();
    EXPECT_EQ(toolwin::LiveCount(), alive);
}

} // namespace

namespace {

class ToolDialogTest : public MainWindowTest {};

// The tool windows on the shared base: F1 opens the help file, a move keeps
// the place in the window's globals, and the close box reports the close.
TEST_F(ToolDialogTest, HelpPlaceAndCloseComeFromTheSharedBase)
{
    start();
    testsupport::writeFile(dir.file("Mirtal.chm"), "help");
    const ToolWindowInfo* infos[] = {&toolwindows::kTimer, &toolwindows::kTags, &toolwindows::kHotkeys,
                                     &toolwindows::kMusicControl};
    for (const ToolWindowInfo* info : infos) {
        menu(info->menuId);
        ToolSlotBase* slot = dlg->ToolSlotOfItem(info->menuId);
        ASSERT_NE(slot, nullptr) << info->menuId;
        auto* window = dynamic_cast<CToolDialog*>(slot->Window());
        ASSERT_NE(window, nullptr) << info->menuId;
        EXPECT_EQ(&window->Info(), info);

        win::ClearShellLog();
        window->SendMessage(WM_HELP, 0, 0);
        ASSERT_EQ(win::ShellLog().size(), 1u) << info->menuId;
        EXPECT_EQ(win::ShellLog()[0].file, dir.str() + "/Mirtal.chm");

        window->MoveWindow(123, 87, 420, 330);
        win::PumpMessages();
        EXPECT_EQ(*info->place.x.value, 123) << info->menuId;
        EXPECT_EQ(*info->place.y.value, 87) << info->menuId;
        if (info->place.width.value) {
            EXPECT_EQ(*info->place.width.value, 420) << info->menuId;
            EXPECT_EQ(*info->place.height.value, 330) << info->menuId;
        }

        EXPECT_TRUE(checked(info->menuId));
        window->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        win::PumpMessages();
        EXPECT_FALSE(slot->Exists()) << info->menuId;
        EXPECT_FALSE(checked(info->menuId)) << info->menuId;
    }
}

// One line per window: no two share a menu item or a close code.
TEST_F(ToolDialogTest, TheTableNamesEachItemAndCloseCodeOnce)
{
    std::set<UINT> items, codes;
    for (const CMirtalDlg::ToolWindowEntry& e : CMirtalDlg::ToolWindows()) {
        EXPECT_TRUE(items.insert(e.info.menuId).second) << e.info.menuId;
        EXPECT_TRUE(codes.insert(e.info.closedCode).second) << e.info.closedCode;
    }
    EXPECT_EQ(items.size(), 20u);
}

// The places the main window keeps are the tool windows' lines and the About
// box: every menu window is among them, and a move stored in a
// window's global lands in the key its line names.
TEST_F(ToolDialogTest, EveryToolWindowsPlaceIsKeptUnderTheKeyOfItsLine)
{
    const std::set<const ToolWindowInfo*> all(std::begin(toolwindows::kAll), std::end(toolwindows::kAll));
    for (const CMirtalDlg::ToolWindowEntry& e : CMirtalDlg::ToolWindows())
        EXPECT_TRUE(all.count(&e.info)) << e.info.menuId;
    EXPECT_EQ(mainplaces::kPlaces.size(), 42u);
    EXPECT_TRUE(mainplaces::PlacesAreDistinct());

    start();
    menu(toolwindows::kJukebox.menuId);
    dlg->ToolSlotOfItem(toolwindows::kJukebox.menuId)->Window()->MoveWindow(211, 97, 300, 200);
    win::PumpMessages();
    rec.reset();
    dlg->DestroyWindow();
    dlg.reset();
    EXPECT_EQ(setting("general - jukeboxpos_x"), "211");
    EXPECT_EQ(setting("general - jukeboxpos_y"), "97");
}

} // namespace
