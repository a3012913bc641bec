// The music and track managers as the Tools menu opens them: a closed page
// comes back new with a fresh sort order, the close box reports through the
// main window, and the refresh codes reload what the pages show.
#include "MainWindowFixture.h"
#include "managers/ToolsMusic.h"
#include "managers/ToolsTrack.h"
#include "store/CommandCodes.h"
#include "store/ResourceIds.h"

using namespace mainwindowtest;

namespace {

class ManagersMenuTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        preset({{"music - outputdevice", "0"}});
    }
    void addSong(const std::string& path)
    {
        CMusicDb db;
        db.SaveMusicRow(path, "44100", "0", "0", "100", "0", "0", "0", "0", "0", "", "0", "10", "", "", "", "", "", "",
                        "", "", "", "", "", 1);
    }
    void clickHeader(CQuickList& list, int column)
    {
        NMHEADER nm;
        nm.hdr.hwndFrom = list.GetHeaderCtrl()->m_hWnd;
        nm.hdr.code = HDN_ITEMCLICK;
        nm.iItem = column;
        list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
    }
};

TEST_F(ManagersMenuTest, TheMusicManagerClosedAndReopenedStartsWithAFreshSortOrder)
{
    addSong("/m/b.mp3");
    addSong("/m/a.mp3");
    start();
    menu(ID_TOOLS_MUSIC_MANAGER);
    CToolsMusic* page = dlg->m_musicManager.Get();
    ASSERT_NE(page, nullptr);
    clickHeader(page->List(), 1);
    clickHeader(page->List(), 1);
    EXPECT_EQ(page->SortState().Leading(), 1);
    EXPECT_EQ(page->SortState().descending, 1);
    EXPECT_EQ(page->Rows().front().GetCol(1), "/m/b.mp3");

    // Hidden and shown again: the same page, its order kept.
    menu(ID_TOOLS_MUSIC_MANAGER);
    menu(ID_TOOLS_MUSIC_MANAGER);
    EXPECT_EQ(dlg->m_musicManager.Get(), page);
    EXPECT_EQ(page->SortState().descending, 1);

    // The close box, as the window manager sends it.
    page->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(dlg->m_musicManager);
    EXPECT_FALSE(checked(ID_TOOLS_MUSIC_MANAGER));
    win::PumpMessages();

    menu(ID_TOOLS_MUSIC_MANAGER);
    page = dlg->m_musicManager.Get();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->SortState().Leading(), 0);
    EXPECT_EQ(page->SortState().descending, 0);
    EXPECT_EQ(page->Rows().front().GetCol(1), "/m/a.mp3");
}

TEST_F(ManagersMenuTest, RefreshCodesReloadTheOpenManagers)
{
    start();
    menu(ID_TOOLS_MUSIC_MANAGER);
    menu(ID_TOOLS_TRACK_MANAGER);
    ASSERT_TRUE(dlg->m_musicManager && dlg->m_trackManager);
    EXPECT_EQ(dlg->m_musicManager->Rows().size(), 0u);
    addSong("/m/new.mp3");
    code(CMD_MUSIC_MGR_REFRESH);
    EXPECT_EQ(dlg->m_musicManager->Rows().size(), 1u);

    CMusicDb db;
    db.AddTrack("Song", "Fun", 0, "2024-05-01", "21:15", 2, "/m/new.mp3", 3, 1);
    code(CMD_TRACK_MGR_REFRESH);
    ASSERT_EQ(dlg->m_trackManager->Rows().size(), 1u);
    EXPECT_EQ(dlg->m_trackManager->Rows()[0].GetCol(6), "Plus");
}

} // namespace
