// The File menu's commands on the stored data: Restore Database, Restore All
// Paths and the two imports of an older version's data.
#include "ServicesFixture.h"

#include "common/CallRecord.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace servicestest {
namespace {

constexpr const char* kQuestion = "Do you want restore all the Databases? \r\nYour settings will be lost.";

class RestoreTest : public ServicesTest {
protected:
    // Started, with timer 1's wait over, and a few rows in the tables a restore empties.
    void startWithData()
    {
        start();
        endStartWait();
        CMusicDb db;
        db.AddMemory("a memory entry", 1);
        db.SetMarriage("/music/song.mp3", "/lyrics/song.htm", 1);
        db.SetHotkey("a", 77, 1);
        db.SetSetting("general - jukeboxpos_x", "321", 1);
        db.SetSetting("my own setting", "kept", 1);
        testsupport::writeFile(dir.file("cuesheet2.css"), "old");
        g_jukeboxPosX = 5;
        win::ClearMessageBoxLog();
        dialogs.clear();
    }
};

TEST_F(RestoreTest, NoToTheQuestionChangesNothing)
{
    startWithData();
    boxAnswers[kQuestion] = IDNO;
    callrec::Scope rec;
    dlg->RestoreDatabase();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(win::MessageBoxLog().front().type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(win::MessageBoxLog().front().caption, "Mirtal");
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(count("SELECT count(*) FROM memory;"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM marry;"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM hotkeys WHERE name='a' AND value='77';"), 1);
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheet2.css")), "old");
    EXPECT_TRUE(rec.Calls().empty());
}

TEST_F(RestoreTest, YesEmptiesTheTablesKeepsTheSettingsAndReadsTheDefaultsAtOnce)
{
    startWithData();
    dlg->MusicPage().AddComboHistory(1, "/old/list.m3u");
    boxAnswers[kQuestion] = IDYES;
    callrec::Scope rec;
    dlg->RestoreDatabase();

    EXPECT_EQ(count("SELECT count(*) FROM memory;"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM marry;"), 0);
    EXPECT_EQ(setting("my own setting"), "kept");
    // The hotkey table holds the default assignments at once.
    const auto& defaults = CMusicDb::DefaultHotkeys();
    for (size_t i = 0; i < defaults.size(); ++i)
        EXPECT_EQ(dlg->GetHotkeyEntry(int(i)), defaults[i].function) << defaults[i].key;
    EXPECT_EQ(g_jukeboxPosX, 321) << "window places read again";
    EXPECT_NE(testsupport::readFile(dir.file("cuesheet2.css")), "old") << "style sheets rewritten";
    EXPECT_EQ(dialogs, std::vector<UINT>{407}) << "the user settings are walked through";
    EXPECT_EQ(dlg->MusicPage().ComboHistory(1, 0), "") << "the source histories are cleared";
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, "The Database is restored."}));
    EXPECT_EQ(win::MessageBoxLog().back().type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RestoreTest, RestoreAllPathsAsksNothingAndSetsTheLevelDocumentsBack)
{
    preset({{"general - listdefformat", "false"}});
    startWithData();
    set("0list_basic - path", "/somewhere/else.pdf");
    set("basic - playlist1", dir.file("basic.m3u"));
    dlg->MusicPage().AddComboHistory(1, "/old/list.m3u");
    callrec::Scope rec;
    dlg->RestoreAllPaths();
    EXPECT_EQ(setting("0list_basic - path"), dir.str() + "/ListAndDef/B_List.pdf");
    EXPECT_NE(dlg->MusicPage().ComboHistory(1, 1), "/old/list.m3u") << "the source histories are cleared";
    EXPECT_EQ(setting("music - listpath1"), dir.file("basic.m3u")) << "the level is applied again";
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The Paths are restored."});
    EXPECT_EQ(win::MessageBoxLog().back().type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RestoreTest, ADatabaseErrorEndsTheCommandAndTheWaitCursorWithIt)
{
    startWithData();
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("CREATE TRIGGER refuse BEFORE UPDATE ON ini BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;");
        db.Close();
    }
    dlg->SendMessage(WM_COMMAND, 32844, 0); // File > Restore All Paths
    const std::vector<std::string> texts = boxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("refused by the test"), std::string::npos) << texts[0];
    EXPECT_EQ(win::MessageBoxLog().back().caption, "Mirtal");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor ends with the command";
    EXPECT_TRUE(IsWindow(dlg->m_hWnd));
}

// Ticks the boxes named and no others, types the path and presses OK.
std::function<int(CWnd*)> answerImport(const std::string& path, const std::vector<int>& boxes)
{
    return [path, boxes](CWnd* w) {
        for (int id : {1179, 1032, 1180, 1175, 1177, 1178, 1183, 1184})
            w->CheckDlgButton(id, std::find(boxes.begin(), boxes.end(), id) != boxes.end() ? BST_CHECKED
                                                                                            : BST_UNCHECKED);
        w->SetDlgItemText(1181, path);
        w->SetDlgItemText(1182, path);
        w->SendMessage(WM_COMMAND, 1097, 0);
        return static_cast<CDialog*>(w)->GetDialogResult();
    };
}

const std::vector<int> kAllBoxes = {1179, 1032, 1180, 1175, 1177, 1178, 1183, 1184};

// An old database with one row in each table the import reads.
std::string makeOldDatabase(const std::string& path)
{
    fs::create_directories(fs::path(path).parent_path());
    CppSQLite3DB db;
    db.Open(path);
    db.Execute("CREATE TABLE markext1 (path text, row int, playlist text);"
               "insert into markext1 values ('/old/marked.mp3', 1, '');"
               "CREATE TABLE memory (szpath text); insert into memory values ('/old/memory.mp3');"
               "CREATE TABLE track (date text, time text, path text, name text, list int, fullpath text, level int);"
               "insert into track values ('2001-01-01','20:00','Old','Plus',1,'/old/track.mp3',3);"
               "CREATE TABLE hotkeys (name text, value int); insert into hotkeys values ('b', 55);"
               "CREATE TABLE stylesheet (name text, value text); insert into stylesheet values ('oldstyle', 'x');"
               "CREATE TABLE marry (path text, html text); insert into marry values ('/old/song.mp3', '/old/l.htm');"
               "CREATE TABLE ini (name text, value text); insert into ini values ('old setting', 'y');"
               "CREATE TABLE music (path text, speed int, pitch int, tempo double, volume int, loopset double, "
               "loopstop double, eq1 int, eq2 int, eq3 int, markers text, rate int, length int, comment text, "
               "date text);"
               "insert into music values ('/old/music.mp3',44100,0,0,100,0,0,0,0,0,'',0,0,'','x');");
    return path;
}

TEST_F(RestoreTest, AnImportFromADatabaseTakesTheTickedTables)
{
    start();
    endStartWait();
    const std::string old = makeOldDatabase(dir.file("old/mirtal.db"));
    // What each box brings, seen in the current database.
    const std::map<int, std::string> effects = {
        {1175, "SELECT count(*) FROM markext1 WHERE path='/old/marked.mp3';"},
        {1178, "SELECT count(*) FROM memory WHERE szpath='/old/memory.mp3';"},
        {1177, "SELECT count(*) FROM track WHERE fullpath='/old/track.mp3' AND level=3;"},
        {1183, "SELECT count(*) FROM hotkeys WHERE name='b' AND value=55;"},
        {1184, "SELECT count(*) FROM stylesheet WHERE name='oldstyle';"},
        {1180, "SELECT count(*) FROM marry WHERE path='/old/song.mp3';"},
        {1179, "SELECT count(*) FROM ini WHERE name='old setting';"},
        {1032, "SELECT count(*) FROM music WHERE path='/old/music.mp3';"},
    };
    struct Case {
        std::vector<int> boxes;
        bool ok;
    };
    const Case cases[] = {{kAllBoxes, false}, {{}, true}, {{1184, 1032}, true}, {kAllBoxes, true}};
    std::set<int> done;
    for (const auto& c : cases) {
        win::ClearMessageBoxLog();
        dialogAnswers[233] = c.ok ? answerImport(old, c.boxes) : [](CWnd*) { return IDCANCEL; };
        dlg->ImportFromOldDatabase();
        if (c.ok)
            done.insert(c.boxes.begin(), c.boxes.end());
        for (const auto& [box, sql] : effects)
            EXPECT_EQ(count(sql), done.count(box) ? 1 : 0) << box << " after " << c.boxes.size() << " boxes";
        EXPECT_EQ(boxTexts(), c.ok ? std::vector<std::string>{"Restart Mirtal for all the changes to apply."}
                                   : std::vector<std::string>{});
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RestoreTest, ADatabaseErrorInAnImportStepKeepsTheStepsBeforeAndEndsTheWaitCursor)
{
    start();
    endStartWait();
    const std::string old = makeOldDatabase(dir.file("old/mirtal.db"));
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("CREATE TRIGGER refuse BEFORE INSERT ON marry BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;");
    }
    dialogAnswers[233] = answerImport(old, kAllBoxes);
    win::ClearMessageBoxLog();
    dlg->SendMessage(WM_COMMAND, 32849, 0); // File > Import from Mirtal Database
    const std::vector<std::string> texts = boxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("refused by the test"), std::string::npos) << texts[0];
    EXPECT_EQ(count("SELECT count(*) FROM stylesheet WHERE name='oldstyle';"), 1) << "the steps before stay";
    EXPECT_EQ(count("SELECT count(*) FROM markext1 WHERE path='/old/marked.mp3';"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM ini WHERE name='old setting';"), 0) << "the steps after do not run";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // An old database that is not there: an error, and no file appears.
    const std::string gone = dir.file("gone/mirtal.db");
    dialogAnswers[233] = answerImport(gone, {1178});
    win::ClearMessageBoxLog();
    dlg->SendMessage(WM_COMMAND, 32849, 0);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_NE(boxTexts()[0].find(gone), std::string::npos) << boxTexts()[0];
    EXPECT_FALSE(fs::exists(dir.file("gone")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RestoreTest, AFolderImportTakesTheFilesThatAreThereInStepOrder)
{
    start();
    fs::create_directories(dir.path() / "old");
    testsupport::writeFile(dir.file("old/mark2.dat"), "/music/a.mp3\r\n");
    testsupport::writeFile(dir.file("old/Marry.ini"), "[/music/a.mp3]\r\nLyrics=/lyrics/a.htm\r\n");
    testsupport::writeFile(dir.file("old/LoopDatabase.txt"), "[/music/loop.mp3]\r\nVolume=80\r\n");
    // Two files that are there but cannot be read: each is named, in the order of the steps.
    fs::create_symlink("/proc/self/mem", dir.path() / "old/mark1.dat");
    fs::create_symlink("/proc/self/mem", dir.path() / "old/Mirtal.ini");
    set("music - fade", "5");
    dialogAnswers[233] = answerImport(dir.file("old"), {1179, 1180, 1175, 1177, 1178, 1183, 1184});
    dlg->ImportFromOldFiles();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Open " + dir.file("old/mark1.dat") + " failed!",
                                                    "Open " + dir.file("old/Mirtal.ini") + " failed!",
                                                    "Restart Mirtal for the changes to apply."}));
    EXPECT_EQ(win::MessageBoxLog()[1].type, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(count("SELECT count(*) FROM markext2 WHERE path='/music/a.mp3';"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM marry WHERE path='/music/a.mp3';"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM music WHERE path='/music/loop.mp3';"), 0) << "not asked for";
    EXPECT_EQ(setting("music - fade"), "5") << "an unread settings file converts nothing";

    // A folder holding none of the files: the restart message and nothing else.
    win::ClearMessageBoxLog();
    dialogAnswers[233] = answerImport(dir.file("empty"), kAllBoxes);
    dlg->ImportFromOldFiles();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Restart Mirtal for the changes to apply."});
    EXPECT_EQ(count("SELECT count(*) FROM music WHERE path='/music/loop.mp3';"), 0);
}

} // namespace
} // namespace servicestest
