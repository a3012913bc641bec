// The music page's lyrics: the lookup of an opened song (marriage, record
// catalogue, lyrics folders in the four orders, the chooser), the view made for
// the first document, scrolling, the switches and the page's Find Lyrics.
#include "MusicPageFixture.h"

#include "common/WaitFor.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"
#include "platform/win/WebBrowser.h"
#include "store/CppSQLite3.h"
#include "store/UtilityDb.h"
#include "texts/HtmlEditCtrl2.h"
#include "texts/MarryDlg.h"

#include <QPixmap>
#include <QWidget>

using namespace musicpagetest;

namespace {

class LyricsViewTest : public MusicPageTest {
protected:
    std::vector<UINT> dialogs; // the modal dialogs the page opened
    std::string levelFolder, listFolder;

    void SetUp() override
    {
        MusicPageTest::SetUp();
        g_lyricsShowMode = 0;
        g_lyricsSeparatePath = 0;
        g_lyricsDir.clear();
        g_lyricsCandidates.fill("");
        g_jukeboxMode = 0;
        levelFolder = dir.file("level");
        listFolder = dir.file("lyrics");
        g_lyricsPathGlobal = listFolder;
        std::filesystem::create_directories(levelFolder);
        std::filesystem::create_directories(listFolder);
        testsupport::writeFile(dir.file("temp.htm"), "<html><body></body></html>");
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::MessageBox)
                boxes.push_back(q.text);
            else
                dialogs.push_back(q.dialogId);
            return IDCANCEL;
        });
    }
    void TearDown() override
    {
        g_jukeboxMode = 0;
        g_lyricsDir.clear();
        g_lyricsSeparatePath = 0;
        MusicPageTest::TearDown();
    }
    // The page with lyrics search on for every list, the lyrics folder of list 1 and
    // the given order; the level folder is used when asked.
    void startWith(int order, bool useLevelFolder = false,
                   std::vector<std::pair<std::string, std::string>> more = {})
    {
        // Later entries win: the test's own come last.
        more.insert(more.begin(), {{"music - searchlyricslist1", "true"},
                                   {"music - searchlyricslist2", "true"},
                                   {"music - searchlyricslist3", "true"},
                                   {"lyrics - path1", listFolder},
                                   {"lyrics - searchorder", std::to_string(order)},
                                   {"lyrics - firstifany", "false"}});
        start(more);
        g_lyricsDir = useLevelFolder ? levelFolder : std::string();
        g_lyricsSeparatePath = useLevelFolder ? 1 : 0;
    }
    // A record of the catalogue with a cue sheet.
    void record(const std::string& label, const std::string& title)
    {
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        db.Execute("insert into sqrecord values('" + label + "','" + title + "','Pat','Co','" + label + " - " + title +
                   "','[yes]');");
        db.Execute("insert into cuesheet values('" + label + "','<p>Circle left, " + title + "</p>');");
        db.Close();
    }
    std::string lyricsFile(const std::string& folder, const std::string& name)
    {
        const std::string path = folder + "/" + name;
        testsupport::writeFile(path, "<html><body><p>" + name + "</p></body></html>");
        return path;
    }
    std::vector<std::string> candidates() const
    {
        std::vector<std::string> out;
        for (const std::string& c : g_lyricsCandidates)
            if (!c.empty())
                out.push_back(c);
        std::sort(out.begin(), out.end());
        return out;
    }
    void screenshot(const std::string& name)
    {
        const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
        mainWnd.widget()->window()->grab().save(
            QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + name));
    }
};

TEST_F(LyricsViewTest, TheSearchNameIsThePartOfTheTitleTheListAsksFor)
{
    start();
    struct Case {
        const char* file;
        int format, part;
        const char* name;
    } cases[] = {
        {"/m/RR 7 - Sunny Day.mp3", 0, 0, "RR 7"},
        {"/m/RR 7 - Sunny Day.mp3", 0, 1, "Sunny Day"},
        {"/m/RR 7 - Sunny Day.mp3", 0, 2, "Sunny Day"},
        {"/m/Sunny Day - RR 7.mp3", 1, 0, "RR 7"},
        {"/m/Sunny Day - RR 7.mp3", 1, 1, "Sunny Day"},
        {"/m/Sunny Day - RR 7.mp3", 1, 2, "RR 7"},
        {"/m/RR 7 - Sunny Day.mp3", 2, 0, "RR 7 - Sunny Day"},
        {"/m/RR 7 - Sunny Day.mp3", 2, 1, "RR 7 - Sunny Day"},
        {"/m/A - B - C.mp3", 0, 1, "B - C"},
        {"/m/Sunny.mp3", 0, 0, "Sunny"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(page->LyricsSearchName(c.file, 1, c.format, c.part), c.name) << c.file << " " << c.format << c.part;
}

TEST_F(LyricsViewTest, TheLookupFollowsMarriageOrderAndFolders)
{
    struct Case {
        const char* what;
        int order;
        bool level;
        std::vector<std::string> levelFiles, listFiles;
        int list;
        bool takeFirst;
        std::string expected;
        int candidateCount;
    } cases[] = {
        {"order 0, one record: its label, no folder scanned", 0, true, {"RR 7 - Sunny Day.htm"}, {}, 1, false,
         "[db]RR 7", 1},
        {"order 0, no record: the level folder", 0, true, {"rr 7 - Rain.htm"}, {"RR 7 - Rain.txt"}, 1, false,
         "level/rr 7 - Rain.htm", 1},
        {"order 1, a level-folder hit: neither list folder nor catalogue", 1, true, {"RR 7 - Sunny Day.htm"},
         {"RR 7 - Sunny Day.txt"}, 1, false, "level/RR 7 - Sunny Day.htm", 1},
        {"order 1 without the level folder: the list folder", 1, false, {"RR 7 lyrics.htm"}, {"rr 7.pdf"}, 1, false,
         "lyrics/rr 7.pdf", 1},
        {"order 1, no file: the catalogue", 1, true, {}, {}, 1, false, "[db]RR 7", 1},
        {"order 2: the catalogue only", 2, true, {"RR 7.htm"}, {}, 1, false, "[db]RR 7", 1},
        {"order 3: the folders only", 3, true, {}, {"RR 7.htm"}, 1, false, "lyrics/RR 7.htm", 1},
        {"audio files are never candidates", 3, false, {}, {"RR 7.mp3", "RR 7.wav", "RR 7.htm"}, 1, false,
         "lyrics/RR 7.htm", 1},
        {"two files and take first: the first, no chooser", 3, false, {}, {"RR 7 a.htm", "RR 7 b.htm"}, 1, true,
         "lyrics/RR 7 a.htm", 2},
        {"list 2 with its search off: nothing", 3, false, {}, {"RR 7.htm"}, 2, false, "", 0},
        {"the queue searches the global folder by label", 3, false, {}, {"RR 7.htm"}, 4, false, "lyrics/RR 7.htm", 1},
        {"a song of no list: nothing", 3, false, {}, {"RR 7.htm"}, 0, false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(levelFolder);
        std::filesystem::remove_all(listFolder);
        std::filesystem::create_directories(levelFolder);
        std::filesystem::create_directories(listFolder);
        for (const std::string& f : c.levelFiles)
            lyricsFile(levelFolder, f);
        for (const std::string& f : c.listFiles)
            lyricsFile(listFolder, f);
        if (page)
            page->DestroyWindow();
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        db.Execute("delete from sqrecord;");
        db.Close();
        if (c.order != 0 || c.levelFiles.empty() || c.levelFiles[0] != "rr 7 - Rain.htm")
            record("RR 7", "Sunny Day");
        record("ZZ 1", "Other");
        startWith(c.order, c.level, {{"music - searchlyricslist2", c.list == 2 ? "false" : "true"}});
        dialogs.clear();
        std::string found = page->FindLyricsForSong("/music/RR 7 - Sunny Day.mp3", c.list, c.takeFirst);
        if (!found.empty() && found.front() == '/')
            found = found.substr(dir.str().size() + 1);
        // Two files listed in either order: the one the folder listed first is taken.
        if (c.candidateCount == 2)
            EXPECT_TRUE(found == "lyrics/RR 7 a.htm" || found == "lyrics/RR 7 b.htm") << found;
        else
            EXPECT_EQ(found, c.expected);
        EXPECT_EQ(page->LyricsCandidateCount(), c.candidateCount);
        EXPECT_TRUE(dialogs.empty());
    }
}

TEST_F(LyricsViewTest, AMarriedSongNeedsNoSearchAndAnUndecidedOneAsksTheChooser)
{
    lyricsFile(listFolder, "RR 7 a.htm");
    lyricsFile(listFolder, "RR 7 b.htm");
    CMusicDb().SetMarriage("/music/RR 7 - Sunny Day.mp3", "/docs/sunny.htm", 1);
    startWith(3);
    EXPECT_EQ(page->FindLyricsForSong("/music/RR 7 - Sunny Day.mp3", 1, false), "/docs/sunny.htm");
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(candidates(), std::vector<std::string>{}) << "no search ran";

    // Two candidates and nobody said "first": Find Lyrics asks; Cancel gives nothing.
    EXPECT_EQ(page->FindLyricsForSong("/music/RR 7 - Other.mp3", 1, false), "");
    EXPECT_EQ(dialogs, std::vector<UINT>{CMarryDlg::IDD});
    EXPECT_EQ(candidates(), (std::vector<std::string>{listFolder + "/RR 7 a.htm", listFolder + "/RR 7 b.htm"}));

    // OK takes the marked row; with no candidate the chooser starts empty.
    std::vector<int> rowsOffered;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        auto* chooser = dynamic_cast<CMarryDlg*>(q.window);
        if (!chooser)
            return IDCANCEL;
        rowsOffered.push_back(chooser->GetRowCount());
        if (chooser->GetRowCount() == 0)
            return IDCANCEL;
        chooser->GetList().SetSelectionMark(1);
        chooser->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), 0);
        return IDOK;
    });
    const std::string taken = page->FindLyricsForSong("/music/RR 7 - Other.mp3", 1, false);
    EXPECT_TRUE(taken == listFolder + "/RR 7 a.htm" || taken == listFolder + "/RR 7 b.htm") << taken;
    EXPECT_EQ(page->FindLyricsForSong("/music/Nobody - Here.mp3", 1, false), "");
    EXPECT_EQ(rowsOffered, (std::vector<int>{2, 0}));
}

TEST_F(LyricsViewTest, ASongThatPlaysByItselfNeverWaitsForTheChooser)
{
    const std::string a = wav("RR 7 - Sunny Day.wav", 3), b = wav("RR 7 - Rain.wav", 3);
    lyricsFile(listFolder, "RR 7 a.htm");
    lyricsFile(listFolder, "RR 7 b.htm");

    // Autostart on: the song opens, finds two candidates, asks nobody and plays.
    startWith(3, false, {{"music - autostart", "true"}});
    rows(1, {a, b});
    page->OpenListRow(1, 0);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(g_playing, 1);
    EXPECT_EQ(g_lyricsPath, "");
    EXPECT_EQ(page->LyricsCandidateCount(), 2) << "kept for the Find Lyrics window";

    // The jukebox's next song: the same.
    g_jukeboxMode = 1;
    page->JukeboxPlayNext();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(g_currentSongPath, b);
    EXPECT_EQ(g_playing, 1);

    // The queue with its autostart.
    page->DestroyWindow();
    g_jukeboxMode = 0;
    startWith(3, false, {{"music - autostart", "false"}, {"music - autostartqueue", "true"}});
    page->QueueSong(a, 1, 0, "0", 0);
    page->PlayNextQueued();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(g_playing, 1);

    // A song the caller opens without autostart may ask.
    rows(1, {a, b});
    page->OpenListRow(1, 1);
    EXPECT_EQ(dialogs, std::vector<UINT>{CMarryDlg::IDD});
}

TEST_F(LyricsViewTest, TheViewIsMadeForTheFirstDocumentAndAfreshAfterAPdf)
{
    win::StartWebEngineNow();
    record("RR 7", "Sunny Day");
    start();
    EXPECT_EQ(page->LyricsView(), nullptr) << "no browser before a document";
    page->LoadLyricsDocument("");
    EXPECT_EQ(page->LyricsView(), nullptr);

    page->LoadLyricsDocument("[DB]RR 7");
    CHtmlEditCtrl2* view = page->LyricsView();
    ASSERT_NE(view, nullptr);
    std::string html;
    view->GetDocumentHtml(html);
    EXPECT_NE(html.find("Circle left, Sunny Day"), std::string::npos) << html;
    EXPECT_EQ(page->LyricsDocumentPath(), "[DB]RR 7");

    const std::string pdf = dir.file("sheet.pdf");
    testsupport::writeFile(pdf, "%PDF-1.4\n%%EOF\n");
    page->LoadLyricsDocument(pdf);
    EXPECT_EQ(page->LyricsView(), view) << "the view stays for the PDF";
    page->ShowLyricsView();
    page->ScrollLyricsOrList(80, 80); // nothing to scroll in a PDF, and no failure

    const std::string htm = lyricsFile(listFolder, "long.htm");
    page->LoadLyricsDocument(htm);
    ASSERT_NE(page->LyricsView(), nullptr);
    EXPECT_TRUE(page->LyricsView()->EnsureDocument());
    EXPECT_EQ(page->LyricsView()->GetLocationURL(), htm);

    // A kind the view does not show goes to its program.
    std::vector<std::string> opened;
    win::SetShellLauncher([&](const win::ShellRequest& r) {
        opened.push_back(r.file);
        return SE_OK;
    });
    testsupport::writeFile(dir.file("sheet.rtf"), "{\\rtf1 x}");
    page->LoadLyricsDocument(dir.file("sheet.rtf"));
    win::SetShellLauncher({});
    EXPECT_EQ(opened, std::vector<std::string>{dir.file("sheet.rtf")});
}

TEST_F(LyricsViewTest, TheViewScrollsItsDocument)
{
    win::StartWebEngineNow();
    start();
    std::string body = "<html><body>";
    for (int i = 0; i < 150; ++i)
        body += "<p>Line " + std::to_string(i) + " of the song</p>";
    const std::string htm = dir.file("long.htm");
    testsupport::writeFile(htm, body + "</body></html>");
    page->LoadLyricsDocument(htm);
    page->ShowLyricsView();
    ASSERT_NE(page->LyricsView(), nullptr);
    page->LyricsView()->MoveWindow(9, 194, 1082, 496);
    ASSERT_TRUE(page->LyricsView()->EnsureDocument());
    page->ScrollLyricsOrList(240, 240);
    EXPECT_TRUE(testsupport::waitFor([&] { return page->LyricsView()->GetDocumentScrollY() == 240; }))
        << page->LyricsView()->GetDocumentScrollY();
    page->ScrollLyricsOrList(-80, -80);
    EXPECT_TRUE(testsupport::waitFor([&] { return page->LyricsView()->GetDocumentScrollY() == 160; }));
}

TEST_F(LyricsViewTest, TheScrollKeysMoveTheListUnderThePointerUnlessAListHasTheFocus)
{
    start({{"music - nrlistboxes", "3"}});
    for (int l = 1; l <= 3; ++l) {
        std::vector<std::string> many;
        for (int i = 0; i < 200; ++i)
            many.push_back("/m/song " + std::to_string(i) + ".mp3");
        rows(l, many);
    }
    CRect place;
    page->GetWindowRect(&place);
    auto top = [&](int id) { return static_cast<CListCtrl*>(page->GetDlgItem(id))->GetTopIndex(); };
    struct Case {
        int x; // a share of the page's width, in percent
        int id;
    } cases[] = {{10, 1009}, {50, 1011}, {90, 1012}};
    for (const Case& c : cases) {
        const int before[3] = {top(1009), top(1011), top(1012)};
        ::SetCursorPos(place.left + place.Width() * c.x / 100, place.top + 300);
        for (int i = 0; i < 5; ++i)
            page->ScrollLyricsOrList(80, 80);
        for (int l = 0; l < 3; ++l) {
            const int id = l == 0 ? 1009 : l == 1 ? 1011 : 1012;
            if (id == c.id)
                EXPECT_GT(top(id), before[l]) << c.x;
            else
                EXPECT_EQ(top(id), before[l]) << c.x << " " << id;
        }
    }
    const int before = top(1012);
    page->GetDlgItem(1011)->SetFocus();
    ASSERT_TRUE(testsupport::waitFor([&] { return CWnd::GetFocus() == page->GetDlgItem(1011); }, 2000));
    page->ScrollLyricsOrList(80, 80);
    EXPECT_EQ(top(1012), before) << "a list has the focus: the keys are its own";
}

TEST_F(LyricsViewTest, SwitchesAreStoredAtOnce)
{
    start({{"lyrics - show", "0"}, {"music - lyricsonplay", "false"}, {"music - searchlyricslist2", "false"}});
    g_lyricsShowMode = 0;
    std::vector<int> modes;
    for (int i = 0; i < 3; ++i) {
        page->CycleLyricsShowMode();
        modes.push_back(g_lyricsShowMode);
        EXPECT_EQ(CMusicDb().GetSetting("lyrics - show", 1), std::to_string(g_lyricsShowMode));
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 0}));

    page->SendMessage(WM_COMMAND, MAKEWPARAM(1071, BN_CLICKED), 0);
    EXPECT_TRUE(page->IsLyricsOnPlayOn());
    EXPECT_EQ(CMusicDb().GetSetting("music - lyricsonplay", 1), "true");
    page->OnLyricsOnPlayToggle();
    EXPECT_EQ(CMusicDb().GetSetting("music - lyricsonplay", 1), "false");

    page->SendMessage(WM_COMMAND, MAKEWPARAM(1116, BN_CLICKED), 0);
    EXPECT_EQ(page->IsLyricsSearchOn(2), 1);
    EXPECT_EQ(CMusicDb().GetSetting("music - searchlyricslist2", 1), "true");
    page->OnLyricsSearchList2();
    EXPECT_EQ(page->IsLyricsSearchOn(2), 0);
    EXPECT_EQ(CMusicDb().GetSetting("music - searchlyricslist2", 1), "false");
}

TEST_F(LyricsViewTest, ThePagesFindLyricsWindowOffersTheCandidatesAndHandsBackItsChoice)
{
    lyricsFile(listFolder, "RR 7 a.htm");
    lyricsFile(listFolder, "RR 7 b.htm");
    startWith(3, false, {{"lyrics - firstifany", "false"}});
    g_currentSongPath = "/music/RR 7 - Sunny Day.mp3";
    page->FindLyricsForSong(g_currentSongPath, 1, true);
    ASSERT_EQ(page->LyricsCandidateCount(), 2);

    page->SendMessage(WM_COMMAND, MAKEWPARAM(1261, BN_CLICKED), 0);
    CMarryDlg* window = page->FindLyricsDialog();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(window->GetRowCount(), 2);
    EXPECT_EQ(page->LyricsCandidateCount(), 0);
    window->ShowWindow(SW_HIDE);
    page->ShowFindLyricsWindow();
    EXPECT_EQ(page->FindLyricsDialog(), window) << "one window, set up again";
    EXPECT_TRUE(window->IsWindowVisible());

    window->GetList().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    window->GetList().SetSelectionMark(1);
    window->OnOK();
    g_lyricsPath.clear();
    page->TakeFoundLyrics();
    EXPECT_NE(g_lyricsPath.find(listFolder + "/RR 7 "), std::string::npos) << g_lyricsPath;
    EXPECT_TRUE(page->GetDlgItem(1243)->IsWindowVisible());

    page->CloseFindLyricsWindow();
    EXPECT_EQ(page->FindLyricsDialog(), nullptr);
    page->ShowFindLyricsWindow();
    ASSERT_NE(page->FindLyricsDialog(), nullptr) << "a new one after closing";
}

// The page with a generated cue sheet in its view; keeps music-page-lyrics.png where the
// tests run (or in MIRTAL_SCREENSHOT_DIR).
TEST_F(LyricsViewTest, ThePageShowsACueSheetInItsView)
{
    win::StartWebEngineNow();
    g_cssTextBgColor = "#FFFFE0";
    g_cssLyricsBgColor = "#FFC0CB";
    g_cssTextColor = "#000000";
    record("RR 7", "Sunny Day");
    CppSQLite3DB db;
    db.Open(dir.file("utility.db"));
    db.Execute("update cuesheet set cuesheet='<br>[header]OPENER</FONT><br>[lyrics]Walk around the corner, "
               "see saw your own<br>Join hands and circle, the sun is shining down</span></FONT><br>[header]FIGURE"
               "</FONT><br>[lyrics]Sides square thru four, meet the heads, star thru<br>Pass thru, trade by, swing "
               "and promenade home</span></FONT>' where label='RR 7';");
    db.Close();
    start();
    page->LoadLyricsDocument("[db]RR 7");
    page->ShowLyricsView();
    page->ApplyLayout();
    ASSERT_NE(page->LyricsView(), nullptr);
    EXPECT_TRUE(page->LyricsView()->IsWindowVisible());
    CRect place;
    page->LyricsView()->GetWindowRect(&place);
    page->ScreenToClient(&place);
    CRect client;
    page->GetClientRect(&client);
    EXPECT_EQ(place, CRect(9, 194, client.Width() - 9, client.Height() - 10));
    EXPECT_FALSE(page->GetDlgItem(1009)->IsWindowVisible()) << "the view takes the lists' place";
    ASSERT_TRUE(page->LyricsView()->EnsureDocument());
    testsupport::waitFor([] { return false; }, 800); // let the engine paint
    screenshot("music-page-lyrics.png");
}

} // namespace
