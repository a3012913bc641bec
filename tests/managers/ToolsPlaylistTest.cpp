// The playlist manager: its sources and search, the right list's editing,
// saving, dropped files, the Track DB Info switch, the previews and the layout.
#include "ManagersFixture.h"
#include "ManagerFixture.h"
#include "managers/ToolsPlaylist.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <filesystem>

namespace {

class ToolsPlaylistTest : public managerstest::ManagersTest {
protected:
    void SetUp() override
    {
        ManagersTest::SetUp();
        managerstest::useNoSoundDevice();
        for (const char* f : {"music/Blue Moon - Sing Along.mp3", "music/Blue Moon.mp3", "music/RR 1 - Zeta.flac",
                              "music/Alpha - One.wav", "music/notes.txt", "music/sub/Deep - Song.mp3"})
            file(f, "x");
        setting("playlistdlg - startdir", "true");
        setting("playlistdlg - dirpath", dir.file("music"));
        setting("music - colnameglobal", "0");
        setting("music - colsortglobal", "0");
        setting("music - subdir", "false");
        setting("music - lengthactive", "false");
        setting("music - playlisttrack", "false");
    }
    void file(const std::string& name, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
        testsupport::writeFile(dir.file(name), bytes);
    }
    void setting(const std::string& name, const std::string& value)
    {
        CMusicDb m;
        m.SetSetting(name, value, 1);
    }
    std::string stored(const std::string& name) { return query("SELECT value FROM ini WHERE name='" + name + "';"); }
    CToolsPlaylist* open()
    {
        page = std::make_unique<CToolsPlaylist>();
        EXPECT_TRUE(page->Create(CToolsPlaylist::IDD, nullptr));
        page->ShowWindow(SW_SHOW);
        resizeClient(1000, 600);
        return page.get();
    }
    void resizeClient(int w, int h)
    {
        CRect window, client;
        page->GetWindowRect(window);
        page->GetClientRect(client);
        page->SetWindowPos(nullptr, 0, 0, w + window.Width() - client.Width(), h + window.Height() - client.Height(),
                           SWP_NOZORDER | SWP_NOMOVE);
        win::PumpMessages(10);
    }
    void TearDown() override
    {
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        ManagersTest::TearDown();
    }
    CQuickList& list(int id) { return *static_cast<CQuickList*>(page->GetDlgItem(id)); }
    void click(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static std::vector<std::string> col(const std::vector<CMemArray>& rows, int c)
    {
        std::vector<std::string> out;
        for (const auto& r : rows)
            out.push_back(r.GetCol(c));
        return out;
    }
    // A right list of six rows "0" .. "5" (their paths).
    void sixRightRows()
    {
        std::string text;
        for (int i = 0; i < 6; ++i)
            text += "/m/" + std::to_string(i) + ".mp3\r\n";
        file("six.m3u", text);
        page->LoadPlaylistFile(dir.file("six.m3u"), 1, CToolsPlaylist::kRightList);
    }
    std::vector<int> selected(int id)
    {
        std::vector<int> rows;
        for (int i = 0; i < list(id).GetItemCount(); ++i)
            if (list(id).GetItemState(i, LVIS_SELECTED))
                rows.push_back(i);
        return rows;
    }
    void select(int id, std::initializer_list<int> rows)
    {
        list(id).SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            list(id).SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    std::unique_ptr<CToolsPlaylist> page;
};

using Texts = std::vector<std::string>;

TEST_F(ToolsPlaylistTest, AFolderSourceIsSortedAndAPlaylistSourceKeepsItsOrder)
{
    open();
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"", "Alpha", "Blue Moon", "RR 1"}));
    EXPECT_EQ(col(page->LeftRows(), 1), (Texts{"Blue Moon", "One", "Sing Along", "Zeta"}));
    EXPECT_EQ(list(1009).GetItemCount(), 4);
    EXPECT_EQ(page->GetDlgItem(1061)->GetWindowText(), "4");

    file("list.m3u", "#EXTM3U\r\n#EXTINF:205,x\r\n/m/Zed - B.mp3  \r\n\r\n/m/Abe - A.mp3\r\n");
    setting("playlistdlg - startdir", "false");
    setting("playlistdlg - listpath", dir.file("list.m3u"));
    setting("music - colnameglobal", "1");
    page->DestroyWindow();
    open();
    EXPECT_EQ(col(page->LeftRows(), 2), (Texts{"/m/Zed - B.mp3", "", "/m/Abe - A.mp3"}));
    EXPECT_EQ(page->GetDlgItem(1205)->GetWindowText(), dir.file("list.m3u"));

    // A folder that cannot be entered: no rows, nothing stored.
    page->LoadFolder(dir.file("gone"), 1, CToolsPlaylist::kLeftList);
    EXPECT_TRUE(page->LeftRows().empty());
    EXPECT_EQ(stored("playlistdlg - startdir"), "false|");
}

TEST_F(ToolsPlaylistTest, SearchFiltersTheWholeLastLoadByFileTitle)
{
    open();
    page->GetDlgItem(1067)->SetWindowText("moon");
    click(1198);
    Texts found = col(page->LeftRows(), 2);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Texts{dir.file("music/Blue Moon - Sing Along.mp3"), dir.file("music/Blue Moon.mp3")}));
    page->GetDlgItem(1067)->SetWindowText("ONE");
    click(1198);
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"Alpha"}));
    page->GetDlgItem(1067)->SetWindowText("music"); // the folder never counts
    click(1198);
    EXPECT_TRUE(page->LeftRows().empty());
    page->GetDlgItem(1067)->SetWindowText("");
    click(1198);
    EXPECT_TRUE(page->LeftRows().empty());
}

TEST_F(ToolsPlaylistTest, AddInsertsAfterTheMarkOrAppends)
{
    open();
    sixRightRows();
    select(1009, {1, 3});
    list(1011).SetSelectionMark(2);
    click(1089);
    EXPECT_EQ(col(page->RightRows(), 0), (Texts{"", "", "", "Alpha", "RR 1", "", "", ""}));
    EXPECT_EQ(page->RightRows()[3].GetCol(2), page->LeftRows()[1].GetCol(2));
    list(1011).SetSelectionMark(-1);
    click(1089);
    EXPECT_EQ(page->RightRows().size(), 10u);
    EXPECT_EQ(page->RightRows().back().GetCol(0), "RR 1");
    EXPECT_EQ(page->GetDlgItem(1062)->GetWindowText(), "10");
}

TEST_F(ToolsPlaylistTest, UpAndDownMoveTheSelectedRowsAndTheSelectionFollows)
{
    open();
    sixRightRows();
    select(1011, {2, 3});
    click(1093);
    EXPECT_EQ(col(page->RightRows(), 2), (Texts{"/m/0.mp3", "/m/1.mp3", "/m/4.mp3", "/m/2.mp3", "/m/3.mp3", "/m/5.mp3"}));
    EXPECT_EQ(selected(1011), (std::vector<int>{3, 4}));

    sixRightRows();
    select(1011, {2, 3});
    click(1203);
    EXPECT_EQ(col(page->RightRows(), 2), (Texts{"/m/0.mp3", "/m/2.mp3", "/m/3.mp3", "/m/1.mp3", "/m/4.mp3", "/m/5.mp3"}));
    EXPECT_EQ(selected(1011), (std::vector<int>{1, 2}));

    select(1011, {0});
    click(1203);
    EXPECT_EQ(page->RightRows()[0].GetCol(2), "/m/0.mp3");
    EXPECT_EQ(selected(1011), (std::vector<int>{0}));

    // Delete removes only the row of the mark.
    select(1011, {1, 2});
    list(1011).SetSelectionMark(1);
    click(1201);
    EXPECT_EQ(page->RightRows().size(), 5u);
    EXPECT_EQ(page->RightRows()[1].GetCol(2), "/m/3.mp3");
}

TEST_F(ToolsPlaylistTest, DragsOntoTheRightList)
{
    open();
    sixRightRows();
    select(1009, {0, 2});
    page->DropRows(&list(1009), &list(1011), 1, 0);
    EXPECT_EQ(page->RightRows()[2].GetCol(2), page->LeftRows()[0].GetCol(2));
    EXPECT_EQ(page->RightRows()[3].GetCol(2), page->LeftRows()[2].GetCol(2));
    page->DropRows(&list(1009), &list(1011), -1, 0);
    EXPECT_EQ(page->RightRows().size(), 10u);
    page->DropRows(&list(1011), &list(1009), 0, 0);
    EXPECT_EQ(page->LeftRows().size(), 4u);

    sixRightRows();
    select(1011, {1, 2});
    page->DropRows(&list(1011), &list(1011), 4, 1);
    EXPECT_EQ(col(page->RightRows(), 2), (Texts{"/m/0.mp3", "/m/3.mp3", "/m/4.mp3", "/m/5.mp3", "/m/1.mp3", "/m/2.mp3"}));
}

TEST_F(ToolsPlaylistTest, SaveWritesThePathsAndRightListReadsThemBack)
{
    open();
    select(1009, {0, 1, 2});
    click(1089);
    const std::string out = dir.file("saved.m3u");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
        return std::vector<std::string>{out};
    });
    click(1200);
    const Texts paths = col(page->RightRows(), 2);
    EXPECT_EQ(testsupport::readFile(out), paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2] + "\r\n");
    EXPECT_EQ(stored("playlistdlg - playlistpath"), out + "|");
    click(1202);
    EXPECT_TRUE(page->RightRows().empty());
    click(1199);
    EXPECT_EQ(col(page->RightRows(), 2), paths);
}

TEST_F(ToolsPlaylistTest, DirAsksForAFolderAndToDirCopiesTheSongs)
{
    open();
    file("other/Gamma - Three.mp3", "g");
    std::vector<win::FileDialogRequest> asked;
    std::string answer = dir.file("other");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        asked.push_back(r);
        return std::vector<std::string>{answer};
    });
    click(1195);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].folder);
    EXPECT_EQ(col(page->LeftRows(), 0), (Texts{"Gamma"}));
    EXPECT_EQ(stored("playlistdlg - dirpath"), dir.file("other") + "|");

    select(1009, {0});
    click(1089);
    answer = dir.file("copies");
    click(1094);
    EXPECT_EQ(testsupport::readFile(dir.file("copies/Gamma - Three.mp3")), "g");
    EXPECT_EQ(boxes.back(), "The music is copied to " + dir.file("copies"));

    std::filesystem::remove(dir.file("other/Gamma - Three.mp3"));
    click(1094);
    EXPECT_EQ(boxes.back(), "Can't copy music to " + dir.file("copies"));
}

TEST_F(ToolsPlaylistTest, DroppedFilesAndFoldersKeepTheirWholePath)
{
    open();
    sixRightRows();
    const std::string deep = std::string(120, 'x') + "/" + std::string(120, 'y') + "/" + std::string(120, 'z');
    const std::string longName = "music/" + deep + "/Far - Long.mp3";
    file(longName, "x");
    list(1011).SetSelectionMark(2);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file(longName))),
                  QUrl::fromLocalFile(QString::fromStdString(dir.file("music/notes.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(dir.file("music/sub")))});
    QWidget* target = page->GetDlgItem(1011)->widget();
    QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    ASSERT_EQ(page->RightRows().size(), 8u);
    EXPECT_EQ(page->RightRows()[2].GetCol(2), dir.file(longName));
    EXPECT_EQ(page->RightRows().back().GetCol(2), dir.file("music/sub/Deep - Song.mp3"));
}

TEST_F(ToolsPlaylistTest, TrackDbInfoKeepsThePlaylistBeingBuiltAndCountsItsPlays)
{
    open();
    const std::string song = dir.file("music/Alpha - One.wav");
    exec("INSERT INTO track VALUES ('2024-01-01','10:00:00','One','x','1','" + song + "',3);");
    select(1009, {1});
    click(1089);
    ASSERT_EQ(page->RightRows().size(), 1u);
    EXPECT_EQ(page->RightRows()[0].GetCol(3), "");
    click(1177);
    EXPECT_EQ(stored("music - playlisttrack"), "true|");
    ASSERT_EQ(page->RightRows().size(), 1u);
    EXPECT_EQ(page->RightRows()[0].GetCol(3), "1");
    EXPECT_EQ(page->LeftRows()[1].GetCol(3), "1");
    EXPECT_EQ(list(1011).GetColumnWidth(3), 40);
    EXPECT_EQ(list(1009).GetColumnWidth(3), 40);
    click(1177);
    EXPECT_EQ(page->RightRows()[0].GetCol(3), "");
    EXPECT_EQ(list(1011).GetColumnWidth(3), 0);
}

TEST_F(ToolsPlaylistTest, PlayButtonsPreviewTheMarkedRows)
{
    testsupport::writeSineWav(dir.file("music/Alpha - One.wav"), 10, 8000, 1);
    open();
    const int alpha = 1;
    ASSERT_EQ(page->LeftRows()[alpha].GetCol(0), "Alpha");
    list(1009).SetSelectionMark(alpha);
    click(1237);
    EXPECT_TRUE(page->Preview().IsPlaying(0));
    EXPECT_EQ(page->GetDlgItem(1237)->GetWindowText(), "Pause");

    select(1009, {alpha});
    click(1089);
    list(1011).SetSelectionMark(0);
    click(1238);
    EXPECT_FALSE(page->Preview().IsPlaying(0));
    EXPECT_TRUE(page->Preview().IsPlaying(1));
    EXPECT_EQ(page->GetDlgItem(1237)->GetWindowText(), "Play");
    EXPECT_EQ(page->GetDlgItem(1238)->GetWindowText(), "Pause");

    // A missing file.
    list(1009).SetSelectionMark(0); // Blue Moon.mp3 holds no music
    std::filesystem::remove(dir.file("music/Blue Moon.mp3"));
    click(1237);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Can't play stream\n\nBASS error code: 5\r\n\r\nCheck the filepath.");
    EXPECT_TRUE(page->Preview().IsPlaying(1) == false); // the right preview was paused by the press

    // Closing frees the previews.
    const HSTREAM right = page->Preview().Channel(1);
    page->SendMessage(WM_CLOSE);
    EXPECT_EQ(BASS_ChannelIsActive(right), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(mainWnd.codes.back(), UINT(CMD_PLAYLIST_MGR_CLOSED));
}

TEST_F(ToolsPlaylistTest, TheLayoutOfA1000By600Page)
{
    setting("music - lengthactive", "true");
    testsupport::writeSineWav(dir.file("music/Alpha - One.wav"), 3.2, 8000, 1);
    open();
    CRect client;
    page->GetClientRect(client);
    ASSERT_EQ(client.Width(), 1000);
    ASSERT_EQ(client.Height(), 600);
    const auto place = [&](int id) {
        CRect r;
        page->GetDlgItem(id)->GetWindowRect(r);
        page->ScreenToClient(r);
        return r;
    };
    const struct {
        int id;
        CRect rect;
    } cases[] = {
        {1089, CRect(454, 150, 546, 192)},  {1177, CRect(454, 210, 546, 232)}, {1205, CRect(22, 28, 392, 49)},
        {1061, CRect(397, 28, 432, 49)},    {1195, CRect(342, 484, 434, 526)}, {1196, CRect(246, 484, 338, 526)},
        {1197, CRect(150, 484, 242, 526)},  {1198, CRect(246, 532, 338, 574)}, {1237, CRect(342, 532, 434, 574)},
        {1067, CRect(56, 546, 242, 565)},   {1009, CRect(22, 55, 432, 475)},   {1204, CRect(568, 28, 938, 49)},
        {1062, CRect(942, 28, 977, 49)},    {1201, CRect(568, 484, 660, 526)}, {1238, CRect(856, 484, 948, 526)},
        {1094, CRect(856, 532, 948, 574)},  {1092, CRect(554, 10, 989, 590)},  {1011, CRect(568, 55, 978, 475)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(place(c.id), c.rect) << c.id;
    EXPECT_EQ(list(1009).GetColumnWidth(0), 100);
    EXPECT_EQ(list(1009).GetColumnWidth(1), 400 - 112 - 48);
    EXPECT_EQ(list(1009).GetColumnWidth(4), 48);
    EXPECT_EQ(page->LeftRows()[1].GetCol(4), "00:03");

    // Two lists for the picture.
    select(1009, {0, 1, 3});
    click(1089);
    win::PumpMessages(20);
    const QImage shot = page->frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        shot.save(QString::fromStdString((std::filesystem::path(out) / "playlist-manager.png").string()));
}

TEST_F(ToolsPlaylistTest, TheLargeLayoutKeepsTheRightPlayAboveToDir)
{
    g_largeLayout = 1;
    open();
    const auto place = [&](int id) {
        CRect r;
        page->GetDlgItem(id)->GetWindowRect(r);
        page->ScreenToClient(r);
        return r;
    };
    EXPECT_EQ(place(1061), CRect(22, 466, 62, 488));
    EXPECT_EQ(place(1197), CRect(112, 466, 212, 520));
    EXPECT_EQ(place(1094), CRect(898, 528, 998, 582));
    EXPECT_EQ(place(1238), CRect(898, 466, 998, 520));
    EXPECT_EQ(place(1011), CRect(568, 55, 978, 455));
    g_largeLayout = 0;
}

} // namespace
