// The user settings dialog: its values round-trip through the settings, the
// default folder's choice, Default, Cancel, the desktop shortcut, and the
// main window taking the settings after OK.
#include "MainWindowFixture.h"

#include "app/Global.h"
#include "controls/ButtonST.h"
#include "platform/win/Button.h"
#include "platform/win/ShellLink.h"
#include "store/AppGlobals.h"

#include <QWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace mainwindowtest;

namespace {

class GlobalTest : public MainWindowTest {
protected:
    std::string folderAnswer; // what the folder choice answers; empty: Cancel
    std::vector<win::FileDialogRequest> folderRequests;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        preset({});
        g_dlgColorR = 236, g_dlgColorG = 233, g_dlgColorB = 216;
        win::SetDesktopFolderOverride(dir.file("Desktop"));
        std::filesystem::create_directories(dir.file("Desktop"));
        win::SetFileDialogAnswerer([this](const win::FileDialogRequest& q) -> std::optional<std::vector<std::string>> {
            folderRequests.push_back(q);
            if (folderAnswer.empty())
                return std::nullopt;
            return std::vector<std::string>{folderAnswer};
        });
    }
    void TearDown() override
    {
        win::SetFileDialogAnswerer({});
        win::SetDesktopFolderOverride("");
        MainWindowTest::TearDown();
    }
    static void click(CWnd& w, int id) { w.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static bool isChecked(CWnd& w, int id) { return static_cast<CButton*>(w.GetDlgItem(id))->GetCheck() == BST_CHECKED; }
    // Runs the dialog; the steps act on the open window, which is then cancelled unless they end it.
    int run(const std::function<void(CWnd&)>& steps)
    {
        dialogAnswers[CGlobal::IDD] = [&](CWnd* w) {
            steps(*w);
            return IDCANCEL;
        };
        CGlobal dialog;
        return int(dialog.DoModal());
    }
    void settings(const std::vector<std::pair<std::string, std::string>>& values)
    {
        CMusicDb db;
        for (const auto& [k, v] : values)
            db.SetSetting(k, v, 1);
    }
    static std::string readFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(GlobalTest, TheStoredValuesAreShownAndOkStoresTheChangedOnesWithTheFixedValues)
{
    settings({{"music - colnameglobal", "2"},
              {"music - usedefaultmusicfolder", "1"},
              {"music - pathdefaultmusicfolder", "/music/dance"},
              {"lyrics - pathglobal", "/texts/lyrics"},
              {"lyrics - searchorder", "3"},
              {"lyrics - searchforglobal", "1"},
              {"music - colname2", "0"},
              {"lyrics - path3", "/elsewhere"},
              {"music - col1nameglobal", "Nr"}});
    folderAnswer = "/music/new folder";
    const int result = run([&](CWnd& w) {
        // Shown as stored.
        for (int id : {1294, 1138, 1302, 1290, 1148})
            EXPECT_TRUE(isChecked(w, id)) << id;
        for (int id : {1292, 1293, 1303, 1137, 1287, 1288, 1289, 1291, 1149, 1295})
            EXPECT_FALSE(isChecked(w, id)) << id;
        EXPECT_EQ(w.GetDlgItem(1296)->GetWindowText(), "/music/dance");
        EXPECT_EQ(w.GetDlgItem(1286)->GetWindowText(), "/texts/lyrics");
        EXPECT_NE(dynamic_cast<CButtonST*>(w.GetDlgItem(1285)), nullptr) << "the kit's picture button";
        EXPECT_NE(dynamic_cast<CButtonST*>(w.GetDlgItem(1297)), nullptr);
        screenshot(w.frameWidget()->grab().toImage(), "user-settings.png");

        // Changed by the user.
        click(w, 1293);
        click(w, 1303);
        click(w, 1288);
        click(w, 1149);
        click(w, 1297); // the music folder's browse picks a folder: "Default Folder:" again
        EXPECT_TRUE(isChecked(w, 1138));
        EXPECT_EQ(w.GetDlgItem(1296)->GetWindowText(), "/music/new folder");
        click(w, 1097);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(folderRequests.size(), 1u);
    EXPECT_TRUE(folderRequests[0].folder);
    EXPECT_EQ(folderRequests[0].title, "Select a folder:");
    const std::pair<const char*, const char*> stored[] = {
        {"music - colnameglobal", "1"},
        {"music - usedefaultmusicfolder", "1"},
        {"music - pathdefaultmusicfolder", "/music/new folder"},
        {"lyrics - pathglobal", "/texts/lyrics"},
        {"lyrics - searchorder", "1"},
        {"lyrics - searchforglobal", "2"},
        {"music - colname1", "3"},      {"music - colname2", "3"},      {"music - colname3", "3"},
        {"lyrics - searchfor1", "3"},   {"lyrics - searchfor2", "3"},   {"lyrics - searchfor3", "3"},
        {"lyrics - path1", "Global"},   {"lyrics - path2", "Global"},   {"lyrics - path3", "Global"},
        {"music - col1nameglobal", "Label"}, {"music - col2nameglobal", "Title"},
    };
    for (const auto& [key, value] : stored)
        EXPECT_EQ(setting(key), value) << key;
    EXPECT_FALSE(std::filesystem::exists(dir.file("Desktop/mirtal.desktop"))) << "no shortcut unless asked";
}

TEST_F(GlobalTest, OnlyTheDataFoldersOwnTextFolderCountsAsTheDefaultPath)
{
    const std::pair<std::string, int> cases[] = {
        {dir.file("text"), 1137},
        {dir.file("Text"), 1302}, // another folder here, whatever the letter case
        {"/texts/lyrics", 1302},
    };
    for (const auto& [folder, checked] : cases) {
        settings({{"lyrics - pathglobal", folder}});
        run([&](CWnd& w) { EXPECT_TRUE(isChecked(w, checked)) << folder; });
    }
    // Browsing for a lyrics folder chooses "Select lyrics folder:"; a cancelled choice keeps the folder.
    folderAnswer = "/songs/words";
    run([&](CWnd& w) {
        click(w, 1137);
        click(w, 1285);
        EXPECT_TRUE(isChecked(w, 1302));
        EXPECT_EQ(w.GetDlgItem(1286)->GetWindowText(), "/songs/words");
        folderAnswer.clear();
        click(w, 1285);
        EXPECT_EQ(w.GetDlgItem(1286)->GetWindowText(), "/songs/words");
    });
}

TEST_F(GlobalTest, DefaultStoresNothingUntilOk)
{
    settings({{"lyrics - searchforglobal", "0"}, {"lyrics - pathglobal", "/texts/lyrics"}, {"music - colname1", "1"}});
    EXPECT_EQ(run([&](CWnd& w) {
                  click(w, 1099);
                  EXPECT_TRUE(isChecked(w, 1149));
                  EXPECT_TRUE(isChecked(w, 1137));
              }),
              IDCANCEL);
    EXPECT_EQ(setting("lyrics - searchforglobal"), "0");
    EXPECT_EQ(setting("lyrics - pathglobal"), "/texts/lyrics");
    EXPECT_EQ(setting("music - colname1"), "1") << "Cancel stores nothing";

    run([&](CWnd& w) {
        click(w, 1099);
        click(w, 1097);
    });
    EXPECT_EQ(setting("lyrics - searchforglobal"), "2");
    EXPECT_EQ(setting("lyrics - searchorder"), "0");
    EXPECT_EQ(setting("music - colnameglobal"), "0");
    EXPECT_EQ(setting("music - usedefaultmusicfolder"), "0");
    EXPECT_EQ(setting("lyrics - pathglobal"), dir.file("text"));
    EXPECT_EQ(setting("music - pathdefaultmusicfolder"), dir.file("mp3"));
}

TEST_F(GlobalTest, TheShortcutIsWrittenOnlyWhenTickedInThisOpening)
{
    const std::string link = dir.file("Desktop/mirtal.desktop");
    // Ticked twice: cleared again.
    run([&](CWnd& w) {
        click(w, 1295);
        click(w, 1295);
        EXPECT_FALSE(isChecked(w, 1295));
        click(w, 1097);
    });
    EXPECT_FALSE(std::filesystem::exists(link));

    testsupport::writeFile(link, "an older shortcut");
    run([&](CWnd& w) {
        click(w, 1295);
        EXPECT_TRUE(isChecked(w, 1295));
        click(w, 1097);
    });
    const std::string text = readFile(link);
    EXPECT_NE(text.find("[Desktop Entry]\nType=Application\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Comment=Mirtal for Square Dance Callers\n"), std::string::npos);
    EXPECT_NE(text.find("Exec=" + win::ProgramPath() + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Path=" + g_baseFolder + "\n"), std::string::npos);
    EXPECT_TRUE((std::filesystem::status(link).permissions() & std::filesystem::perms::owner_exec) !=
                std::filesystem::perms::none);

    // The next opening starts unticked.
    run([&](CWnd& w) { EXPECT_FALSE(isChecked(w, 1295)); });
}

TEST_F(GlobalTest, OkFromTheOptionsMenuMakesTheProgramTakeTheSettings)
{
    start();
    folderAnswer = dir.file("my lyrics");
    std::filesystem::create_directories(folderAnswer);
    dialogAnswers[CGlobal::IDD] = [](CWnd* w) {
        click(*w, 1285);
        click(*w, 1097);
        return IDOK;
    };
    menu(32854);
    EXPECT_EQ(setting("lyrics - pathglobal"), folderAnswer);
    EXPECT_EQ(g_lyricsPathGlobal, folderAnswer) << "re-applied after OK";

    // Cancel leaves the program's settings as they are.
    folderAnswer = dir.file("other");
    dialogAnswers[CGlobal::IDD] = [](CWnd* w) {
        click(*w, 1285);
        return IDCANCEL;
    };
    menu(32854);
    EXPECT_EQ(setting("lyrics - pathglobal"), dir.file("my lyrics"));
    EXPECT_EQ(g_lyricsPathGlobal, dir.file("my lyrics"));
}

} // namespace
