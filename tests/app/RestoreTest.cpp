// The File menu's commands on the stored data: Restore Database, Restore All
// Paths and the two imports of an older version's data.
#include "ServicesFixture.h"

#include "app/CallRecorder.h"

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
        ASSERT_TRUE(waitFor([] { return QApplication::overrideCursor() == nullptr; }, 3000));
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
    EXPECT_EQ(rec.Count("CDlgMp3::ClearComboHistories("), 1);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kQuestion, "The Database is restored."}));
    EXPECT_EQ(win::MessageBoxLog().back().type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RestoreTest, RestoreAllPathsAsksNothingAndSetsTheLevelDocumentsBack)
{
    preset({{"general - listdefformat", "false"}});
    startWithData();
    set("0list_basic - path", "/somewhere/else.pdf");
    callrec::Scope rec;
    dlg->RestoreAllPaths();
    EXPECT_EQ(setting("0list_basic - path"), dir.str() + "/ListAndDef/B_List.pdf");
    EXPECT_EQ(rec.Count("CDlgMp3::ClearComboHistories("), 1);
    EXPECT_EQ(rec.Count("CDlgMp3::LoadLevelPlaylists(1)"), 1) << "the level is applied again";
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

// Ticks the boxes named (all of them for "all"), types the path and presses OK.
std::function<int(CWnd*)> answerImport(const std::string& path, const std::vector<int>& boxes)
{
    return [path, boxes](CWnd* w) {
        for (int id : boxes)
            w->CheckDlgButton(id, BST_CHECKED);
        w->SetDlgItemText(1181, path);
        w->SetDlgItemText(1182, path);
        w->SendMessage(WM_COMMAND, 1097, 0);
        return static_cast<CDialog*>(w)->GetDialogResult();
    };
}

const std::vector<int> kAllBoxes = {1179, 1032, 1180, 1175, 1177, 1178, 1183, 1184};

TEST_F(RestoreTest, AnImportFromADatabaseRunsTheTickedStepsInOrder)
{
    start();
    ASSERT_TRUE(waitFor([] { return QApplication::overrideCursor() == nullptr; }, 3000));
    const std::string old = dir.file("old/mirtal.db");
    struct Case {
        std::vector<int> boxes;
        bool ok;
        callrec::List calls;
    };
    const Case cases[] = {
        {kAllBoxes, true,
         {"CImportOldWorker::ImportMarkedFromDb(\"" + old + "\")", "CImportOldWorker::ImportMemoryFromDb(\"" + old + "\")",
          "CImportOldWorker::ImportTrackFromDb(\"" + old + "\")", "CImportOldWorker::ImportHotkeysFromDb(\"" + old + "\")",
          "CImportOldWorker::ImportStylesheetFromDb(\"" + old + "\")",
          "CImportOldWorker::ImportMarryFromDb(\"" + old + "\")",
          "CImportOldWorker::ImportSettingsFromDb(\"" + old + "\")",
          "CImportOldWorker::ImportMusicFromDb(\"" + old + "\")"}},
        {{1184, 1032}, true,
         {"CImportOldWorker::ImportStylesheetFromDb(\"" + old + "\")",
          "CImportOldWorker::ImportMusicFromDb(\"" + old + "\")"}},
        {{}, true, {}},
        {kAllBoxes, false, {}},
    };
    for (const auto& c : cases) {
        win::ClearMessageBoxLog();
        dialogAnswers[233] = c.ok ? answerImport(old, c.boxes) : [](CWnd*) { return IDCANCEL; };
        callrec::Scope rec;
        dlg->ImportFromOldDatabase();
        EXPECT_EQ(rec.Calls(), c.calls);
        EXPECT_EQ(boxTexts(), c.ok ? std::vector<std::string>{"Restart Mirtal for all the changes to apply."}
                                   : std::vector<std::string>{});
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RestoreTest, AFolderImportTakesOnlyTheFilesThatAreThere)
{
    start();
    fs::create_directories(dir.path() / "old");
    testsupport::writeFile(dir.file("old/mark2.dat"), "/music/a.mp3\r\n");
    testsupport::writeFile(dir.file("old/Marry.ini"), "[marry]\r\n");
    testsupport::writeFile(dir.file("old/LoopDatabase.txt"), "not asked for\r\n");
    dialogAnswers[233] = answerImport(dir.file("old"), {1179, 1180, 1175, 1177, 1178, 1183, 1184});
    callrec::Scope rec;
    dlg->ImportFromOldFiles();
    EXPECT_EQ(rec.Calls(), (callrec::List{"CImportOldWorker::ImportMarkedFile(\"" + dir.file("old/mark2.dat") + "\", 2)",
                                          "CImportOldWorker::ImportMarryFile(\"" + dir.file("old/Marry.ini") + "\")"}));
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Restart Mirtal for the changes to apply."});

    // A folder holding none of the files: the restart message and nothing else.
    win::ClearMessageBoxLog();
    rec.Clear();
    dialogAnswers[233] = answerImport(dir.file("empty"), kAllBoxes);
    dlg->ImportFromOldFiles();
    EXPECT_TRUE(rec.Calls().empty());
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Restart Mirtal for the changes to apply."});
}

} // namespace
} // namespace servicestest
