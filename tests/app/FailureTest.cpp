// Failures the user must hear of: a handler that throws (from a timer of a
// tool window, a command, a menu item) ends at the application object's hook,
// which rolls back every open batch, ends the wait cursor, logs and shows the
// error once per cause; writes to a database that refuses them say what was
// being done and name the file.
#include "MainWindowFixture.h"

#include "app/BreakTime.h"
#include "controls/ToolDialog.h"
#include "platform/win/MsgMap.h"
#include "store/CommandCodes.h"
#include "store/FailureReport.h"
#include "store/MusicDb.h"

#include <fstream>
#include <stdexcept>

using namespace mainwindowtest;

namespace {

// A tool window whose timer fails half-way through a batch, with the wait cursor on.
const ToolWindowInfo kFailingInfo{0, 0, {}};

class FailingTickWindow : public CToolDialog {
public:
    FailingTickWindow() : CToolDialog(CBreakTime::IDD, kFailingInfo, nullptr) {}
    int ticks = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnTimer(UINT_PTR)
    {
        ++ticks;
        m_db.BeginBatch();
        m_db.SetSetting("general - level", "7", 0);
        BeginWaitCursor();
        throw std::runtime_error("The tick could not be counted.");
    }

private:
    CMusicDb m_db;
};

BEGIN_MESSAGE_MAP(FailingTickWindow, CToolDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class FailureTest : public MainWindowTest {
protected:
    // The database refuses every change of a setting, as a read-only file does.
    void refuseWrites()
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        for (const char* op : {"INSERT", "UPDATE", "DELETE"})
            db.Execute(std::string("CREATE TRIGGER refuse_") + op + " BEFORE " + op +
                       " ON ini BEGIN SELECT RAISE(ABORT, 'attempt to write a readonly database'); END;");
        db.Close();
    }
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> t;
        for (const auto& [caption, text] : boxes()) {
            EXPECT_EQ(caption, "Mirtal");
            t.push_back(text);
        }
        return t;
    }
    static bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
};

TEST_F(FailureTest, AFailingTimerOfAToolWindowReachesTheHookOnceAndTheProgramGoesOn)
{
    start();
    const std::string levelBefore = setting("general - level");
    auto* window = new FailingTickWindow;
    ASSERT_TRUE(window->Create(CBreakTime::IDD, dlg.get()));
    win::ClearMessageBoxLog();
    window->SetTimer(1, 5, nullptr);
    ASSERT_TRUE(waitFor([&] { return window->ticks >= 3; }));
    window->KillTimer(1);

    // One box for the one cause, however often the tick failed.
    const auto texts = boxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(has(texts[0], "The tick could not be counted.")) << texts[0];
    // The batch was rolled back (and the file is free), the wait cursor ended.
    EXPECT_EQ(setting("general - level"), levelBefore);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The program goes on: the main window still acts on commands and writes.
    code(CMD_LEVEL_1 + 1);
    EXPECT_EQ(g_danceLevel, 2);
    EXPECT_EQ(setting("general - level"), "2");
    window->DestroyWindow();
    delete window;
}

TEST_F(FailureTest, ARefusedWriteIsNeverSilentAndNamesTheFileAndTheAction)
{
    start();
    refuseWrites();
    const std::string file = dir.file("mirtal.db");
    win::ClearMessageBoxLog();

    // The level switch: it still switches, and says the level was not stored.
    code(CMD_LEVEL_1 + 2);
    EXPECT_EQ(g_danceLevel, 3);
    auto texts = boxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(has(texts[0], "The dance level could not be stored.")) << texts[0];
    EXPECT_TRUE(has(texts[0], file)) << texts[0];
    EXPECT_TRUE(has(texts[0], "readonly")) << texts[0];
    // The same cause again: no second box.
    code(CMD_LEVEL_1 + 3);
    EXPECT_EQ(g_danceLevel, 4);
    EXPECT_EQ(boxTexts().size(), 1u);

    // Fixed BPM: what failed, in words, and the mark stays where it was.
    win::ClearMessageBoxLog();
    const bool before = checked(32949);
    menu(32949);
    EXPECT_EQ(checked(32949), before);
    menu(32956);
    EXPECT_FALSE(checked(32956));
    texts = boxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(has(texts[0], "The Fixed BPM switch could not be stored.")) << texts[0];
    EXPECT_TRUE(has(texts[1], "The Fixed BPM value could not be stored.")) << texts[1];
    for (const std::string& t : texts)
        EXPECT_TRUE(has(t, file)) << t;

    // The log has them too.
    std::ifstream log(dir.file("mirtal.log"));
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(has(logged, "The dance level could not be stored.")) << logged;
}

TEST_F(FailureTest, ADamagedUtilityDatabaseIsNamedAtStart)
{
    preset({});
    testsupport::writeFile(dir.file("utility.db"), std::string(4096, 'x'));
    start();
    EXPECT_FALSE(dlg->StartupFailed());
    bool named = false;
    for (const std::string& t : boxTexts())
        named = named || (has(t, "The utility database could not be opened.") && has(t, dir.file("utility.db")));
    EXPECT_TRUE(named);
}

} // namespace
