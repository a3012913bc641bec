// The sources of the song lists: M3U playlists, folders, the combo histories,
// source switching, level playlists and a playlist into the queue.
#include "MusicPageFixture.h"

#include "platform/win/ComboBox.h"

namespace {

using musicpagetest::MusicPageTest;

class Playlists : public MusicPageTest {
protected:
    void TearDown() override
    {
        win::SetFileDialogAnswerer({});
        MusicPageTest::TearDown();
    }
    std::vector<std::string> paths(int list)
    {
        std::vector<std::string> out;
        for (const CMemArray& r : page->SongRows(list))
            out.push_back(r.GetCol(3));
        return out;
    }
    // The file dialogs answer with this path (none: Cancel).
    void answerFiles(const std::string& path)
    {
        win::SetFileDialogAnswerer([path](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
            if (path.empty())
                return std::nullopt;
            return std::vector<std::string>{path};
        });
    }
    std::string setting(const std::string& key) { return CMusicDb().GetSetting(key, 1); }
    CComboBox& combo(int list) { return *dynamic_cast<CComboBox*>(page->GetDlgItem(1015 + UINT(list))); }
};

using Strings = std::vector<std::string>;

TEST_F(Playlists, ExtLinesAreSkippedAndOtherLinesTaken)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    const std::string m3u = dir.file("ext.m3u");
    testsupport::writeFile(m3u, "#EXTM3U\r\n#EXTINF:123,Artist - Song\r\n/m/a.mp3 \t\r\n#extinf\n\n/m/b's.mp3\n");
    page->LoadPlaylistFile(m3u, 1);
    EXPECT_EQ(paths(1), (Strings{"/m/a.mp3", "/m/b's.mp3"}));
    // Every accepted line is remembered, the lower-case #extinf and the empty line too.
    ASSERT_EQ(g_listMemory1.size(), 4u);
    EXPECT_EQ(g_listMemory1[1].GetCol0(), "#extinf");
    EXPECT_EQ(g_listMemory1[3].GetCol1(), "b's");
    EXPECT_EQ(setting("music - listdir1"), "list");
    EXPECT_EQ(setting("music - listpath1"), page->SourceText(1));
    EXPECT_EQ(page->GetDlgItemInt(1061), 2u);
}

TEST_F(Playlists, SavedListIsWrittenWithCrLfAndNoHeaderAndReadsBackTheSame)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"music - colsort2", "3"}});
    const std::string source = dir.file("source.m3u");
    testsupport::writeFile(source, "/m/z.mp3\n/m/a's.mp3\n/m/m.flac\n/m/notes.txt\n");
    page->LoadPlaylistFile(source, 2);
    const std::string saved = dir.file("saved.m3u");
    answerFiles(saved);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1264, BN_CLICKED), 0);
    EXPECT_EQ(testsupport::readFile(saved), "/m/z.mp3\r\n/m/a's.mp3\r\n/m/m.flac\r\n");
    EXPECT_EQ(paths(2), (Strings{"/m/z.mp3", "/m/a's.mp3", "/m/m.flac"}));
    EXPECT_EQ(page->SourceText(2), saved);
    EXPECT_EQ(setting("music - listpath2"), saved);

    // A file that cannot be made says so and keeps the list's source.
    answerFiles(dir.file("missing/folder/x.m3u"));
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1264, BN_CLICKED), 0);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "Unable To Open The File!"), boxes.end());
}

TEST_F(Playlists, ComboChoiceTellsPlaylistsFromFolders)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    const std::string folder = dir.file("Songs.m3u8");
    std::filesystem::create_directories(folder);
    testsupport::writeFile(folder + "/one.mp3", "");
    const std::string m3u = dir.file("Plus.m3u");
    testsupport::writeFile(m3u, "/m/plus.mp3\n");
    struct Case {
        std::string source;
        const char* kind;
        Strings rows;
    };
    const Case cases[] = {{m3u, "list", {"/m/plus.mp3"}}, {folder, "dir", {folder + "/one.mp3"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        CComboBox& box = combo(3);
        int item = box.FindStringExact(-1, c.source);
        if (item < 0)
            item = box.AddString(c.source);
        box.SetCurSel(item);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(1018, CBN_SELCHANGE), LPARAM(box.m_hWnd));
        EXPECT_EQ(setting("music - listdir3"), c.kind);
        EXPECT_EQ(paths(3), c.rows);
    }
    EXPECT_EQ(setting("music - dirpath3"), folder);
    page->ToggleListSource(3);
    EXPECT_EQ(paths(3), (Strings{"/m/plus.mp3"})) << "the switch goes back to the playlist";
}

TEST_F(Playlists, AnEleventhSourceDropsTheOldestHistoryEntryButNotTheComboItem)
{
    start();
    for (int i = 1; i <= 11; ++i)
        page->AddComboHistory(1, "  /lists/l" + std::to_string(i) + ".m3u ");
    page->AddComboHistory(1, "/lists/l5.m3u"); // already there: nothing changes
    EXPECT_EQ(page->ComboHistory(1, 0), "/lists/l11.m3u");
    EXPECT_EQ(page->ComboHistory(1, 9), "/lists/l2.m3u");
    EXPECT_GE(combo(1).FindStringExact(-1, "/lists/l1.m3u"), 0);
    EXPECT_EQ(combo(1).GetCount(), 11);

    page->DestroyWindow();
    page.reset();
    EXPECT_EQ(setting("music - combo1_0"), "/lists/l11.m3u");
    EXPECT_EQ(setting("music - combo1_9"), "/lists/l2.m3u");
}

TEST_F(Playlists, CurrentDriveMovesOnlyDrivePaths)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"general - currentdrive", "true"}});
    const std::string m3u = dir.file("drive.m3u");
    testsupport::writeFile(m3u, "E:\\Music\\a.mp3\n/music/b.mp3\nmusic/c.mp3\n");
    page->LoadPlaylistFile(m3u, 1);
    // The data folder here has no drive letter: no path is touched.
    EXPECT_EQ(paths(1), (Strings{"E:\\Music\\a.mp3", "/music/b.mp3", "music/c.mp3"}));
}

TEST_F(Playlists, MissingFilesAreLeftOutWhenAsked)
{
    start({{"music - onlyshowpaththatexist", "true"}});
    const std::string there = wav("there.wav", 0.2);
    const std::string m3u = dir.file("exist.m3u");
    testsupport::writeFile(m3u, there + "\n/nowhere/gone.mp3\n");
    page->LoadPlaylistFile(m3u, 1);
    EXPECT_EQ(paths(1), (Strings{there}));
}

TEST_F(Playlists, ALoadedListComesUpSortedByItsSortColumn)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"music - colname1", "0"}});
    const std::string folder = dir.file("music");
    std::filesystem::create_directories(folder);
    const Strings files{folder + "/RR 2 - Zeta.mp3", folder + "/AB 1 - Beta.mp3", folder + "/RR 1 - Alpha.mp3"};
    std::string text;
    for (const std::string& f : files) {
        testsupport::writeFile(f, "");
        text += f + "\r\n";
    }
    const std::string m3u = dir.file("songs.m3u");
    testsupport::writeFile(m3u, text);
    auto titles = [&] {
        std::string out;
        for (const CMemArray& r : page->SongRows(1))
            out += r.GetCol(1) + " ";
        return out;
    };
    // The cases run in order on one page: each sort's keys stay for the next.
    struct Case {
        const char* sortColumn;
        const char* noNumber;
        bool playlist;
        const char* expected;
    } cases[] = {
        {"3", "false", true, "Zeta Beta Alpha "},  // none: the playlist's order
        {"0", "false", true, "Beta Alpha Zeta "},  // by label
        {"1", "false", true, "Alpha Beta Zeta "},  // by title
        {"2", "true", true, "Alpha Beta Zeta "},   // by rate (all empty), then title, then the cut label
        {"0", "false", false, "Beta Alpha Zeta "}, // a folder sorts by label too
    };
    for (const Case& c : cases) {
        CMusicDb db;
        db.SetSetting("music - colsort1", c.sortColumn, 1);
        db.SetSetting("music - nonrlabel", c.noNumber, 1);
        page->ReloadSettings();
        if (c.playlist)
            page->LoadPlaylistFile(m3u, 1);
        else
            page->LoadFolder(folder, 1);
        EXPECT_EQ(titles(), c.expected) << "sort column " << c.sortColumn << (c.playlist ? " playlist" : " folder");
        EXPECT_EQ(page->GetDlgItemInt(1061), 3u);
    }
}

TEST_F(Playlists, FolderScansDescendOnlyWhenAsked)
{
    start({{"music - subdir", "false"}});
    const std::string folder = dir.file("music");
    std::filesystem::create_directories(folder + "/sub");
    testsupport::writeFile(folder + "/a.mp3", "");
    testsupport::writeFile(folder + "/readme.txt", "");
    testsupport::writeFile(folder + "/sub/b.mp3", "");
    answerFiles(folder);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1263, BN_CLICKED), 0);
    EXPECT_EQ(paths(2), (Strings{folder + "/a.mp3"}));
    EXPECT_EQ(setting("music - listdir2"), "dir");
    CMusicDb().SetSetting("music - subdir", "true", 1);
    page->ReloadSettings();
    page->ReloadList(2);
    std::vector<std::string> found = paths(2);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Strings{folder + "/a.mp3", folder + "/sub/b.mp3"}));
    // An empty folder path shows an empty list and records nothing.
    page->LoadFolder("", 2);
    EXPECT_TRUE(paths(2).empty());
    EXPECT_EQ(setting("music - dirpath2"), folder);
}

TEST_F(Playlists, LevelPlaylistsReplaceTheListsWhenOneIsSet)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    const std::string m3u = dir.file("plus3.m3u");
    testsupport::writeFile(m3u, "/m/plus.mp3\n");
    const std::string first = dir.file("first.m3u");
    testsupport::writeFile(first, "/m/one.mp3\n");
    page->LoadPlaylistFile(first, 1);
    page->LoadLevelPlaylists(2); // nothing set for mainstream: the lists stay
    EXPECT_EQ(paths(1), (Strings{"/m/one.mp3"}));
    CMusicDb().SetSetting("plus - playlist3", m3u, 1);
    page->LoadLevelPlaylists(3);
    EXPECT_TRUE(paths(1).empty());
    EXPECT_TRUE(paths(2).empty());
    EXPECT_EQ(paths(3), (Strings{"/m/plus.mp3"}));
    EXPECT_EQ(setting("music - listpath3"), m3u);
}

TEST_F(Playlists, APlaylistGoesIntoTheQueueWithoutTouchingTheLists)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    const std::string m3u = dir.file("queue.m3u");
    testsupport::writeFile(m3u, "#EXTM3U\n/m/q1.mp3\n/m/q2.mp3\n");
    const std::string before = setting("music - listpath1");
    answerFiles(m3u);
    page->LoadPlaylistIntoQueue();
    auto* box = dynamic_cast<CListBox*>(page->GetDlgItem(1218));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetCount(), 2);
    EXPECT_EQ(setting("music - listpath1"), before);
}

TEST_F(Playlists, ClearingTheHistoriesEmptiesThemAndReloadsTheLists)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    const std::string m3u = dir.file("keep.m3u");
    testsupport::writeFile(m3u, "/m/k.mp3\n");
    page->AddComboHistory(1, "/old/one.m3u");
    answerFiles(m3u);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1247, BN_CLICKED), 0);
    page->ClearComboHistories();
    EXPECT_EQ(combo(1).FindStringExact(-1, "/old/one.m3u"), -1);
    EXPECT_EQ(page->ComboHistory(1, 0), m3u) << "the reload adds the current source again";
    EXPECT_EQ(page->ComboHistory(1, 1), "");
    EXPECT_EQ(paths(1), (Strings{"/m/k.mp3"}));
}

} // namespace
