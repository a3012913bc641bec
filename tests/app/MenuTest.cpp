// The main menu: the Options dialogs and what follows them, Fixed BPM and
// Pitch Adjustment with their check marks, Checkers, the music combos, About.
#include "MainWindowFixture.h"

#include "app/ViewHotkeys.h"
#include "platform/win/Shell.h"

using namespace mainwindowtest;
using callrec::List;

namespace {

class MenuTest : public MainWindowTest {
protected:
    void set(const std::string& key, const std::string& value)
    {
        CMusicDb db;
        db.SetSetting(key, value, 1);
    }
    std::vector<UINT> checkedAmong(UINT first, UINT last)
    {
        std::vector<UINT> ids;
        for (UINT id = first; id <= last; ++id)
            if (checked(id))
                ids.push_back(id);
        return ids;
    }
};

TEST_F(MenuTest, FixedBpmValueItemsStoreTheValueAndCarryTheOnlyMark)
{
    start();
    menu(32956);
    EXPECT_EQ(setting("music - fixbpmvalue"), "126");
    EXPECT_EQ(checkedAmong(32952, 32962), std::vector<UINT>{32956});
    EXPECT_FLOAT_EQ(dlg->MusicPage().Settings().fixBpmValue, 126) << "the music page takes it";
    menu(32962);
    EXPECT_EQ(setting("music - fixbpmvalue"), "132");
    EXPECT_FLOAT_EQ(dlg->MusicPage().Settings().fixBpmValue, 132);
    EXPECT_EQ(checkedAmong(32952, 32962), std::vector<UINT>{32962});
}

TEST_F(MenuTest, TheListSwitchesFlipTheirSettingAndMark)
{
    start();
    struct Case {
        UINT item;
        const char* key;
        bool fixBpm; // else the pitch adjustment
        int list;
    };
    const Case cases[] = {
        {32949, "music - fixbpm", true, 1},        {32950, "music - fixbpm2", true, 2},
        {32951, "music - fixbpm3", true, 3},       {32971, "music - adjustpitch1", false, 1},
        {32972, "music - adjustpitch2", false, 2}, {32973, "music - adjustpitch3", false, 3},
    };
    for (const Case& c : cases) {
        const bool before = checked(c.item);
        menu(c.item);
        EXPECT_EQ(checked(c.item), !before) << c.item;
        EXPECT_EQ(setting(c.key), before ? "false" : "true") << c.item;
        // The music page applies the list's switch from now on.
        const Mp3PageSettings& page = dlg->MusicPage().Settings();
        EXPECT_EQ(c.fixBpm ? page.fixBpm[c.list - 1] : page.adjustPitch[c.list - 1], before ? 0 : 1) << c.item;
        menu(c.item);
        EXPECT_EQ(checked(c.item), before) << c.item;
        EXPECT_EQ(setting(c.key), before ? "true" : "false") << c.item;
    }
}

TEST_F(MenuTest, PitchStepItemsStoreTheirStep)
{
    start();
    struct Case {
        UINT item;
        const char* stored;
    };
    const Case cases[] = {{32984, "5"},  {32985, "4"},  {32988, "1"},  {32989, "-1"},
                          {32990, "-2"}, {32992, "-4"}, {32993, "-5"}, {32986, "3"}};
    for (const Case& c : cases) {
        menu(c.item);
        EXPECT_EQ(setting("music - adjustpitchvalue"), c.stored) << c.item;
        EXPECT_EQ(std::to_string(dlg->MusicPage().Settings().adjustPitchValue), c.stored) << c.item;
        EXPECT_EQ(checkedAmong(32984, 32993), std::vector<UINT>{c.item});
    }
}

TEST_F(MenuTest, TheStoredValuesMarkTheirItemsAtStart)
{
    struct Case {
        const char* bpm;
        const char* pitch;
        std::vector<UINT> bpmMarks, pitchMarks;
    };
    const std::vector<Case> cases = {
        {"126", "0", {32956}, {}},       {"122", "-3", {32952}, {32991}}, {"132", "5", {32962}, {32984}},
        {"121", "-6", {}, {}},           {"133", "6", {}, {}},            {"", "", {}, {}},
    };
    for (const Case& c : cases) {
        preset({{"music - fixbpmvalue", c.bpm}, {"music - adjustpitchvalue", c.pitch}, {"music - fixbpm2", "true"},
                {"music - adjustpitch3", "true"}});
        start();
        EXPECT_EQ(checkedAmong(32952, 32962), c.bpmMarks) << c.bpm;
        EXPECT_EQ(checkedAmong(32984, 32993), c.pitchMarks) << c.pitch;
        EXPECT_EQ(checkedAmong(32949, 32951), std::vector<UINT>{32950});
        EXPECT_EQ(checkedAmong(32971, 32973), std::vector<UINT>{32973});
        rec.reset();
        dlg->DestroyWindow();
        dlg.reset();
    }
}

TEST_F(MenuTest, OptionsLeftWithCancelHaveNoFollowUp)
{
    preset({{"general - tooltip", "true"}, {"basic - levelname", "Basic"}});
    start();
    set("general - tooltip", "false");
    set("basic - levelname", "Starters");
    {
        CMusicDb db;
        db.SetHotkey("a", 44, 1);
    }
    const int hotkeyA = dlg->GetHotkeyEntry(0);
    for (UINT item : {32854u, 32785u, 32853u, 32786u, 32813u, 32820u})
        menu(item);
    EXPECT_EQ(dialogs, (std::vector<UINT>{407, 179, 399, 176, 235, 237}));
    EXPECT_EQ(g_tooltipsOn, 1);
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Basic");
    EXPECT_EQ(dlg->GetHotkeyEntry(0), hotkeyA);
    EXPECT_TRUE(calls().empty());
}

TEST_F(MenuTest, OptionsEndedWithOkMakeTheProgramTakeTheNewSettings)
{
    preset({{"general - tooltip", "true"}});
    start();
    for (UINT id : {407u, 179u, 399u, 176u, 235u, 237u})
        dialogAnswers[id] = [](CWnd*) { return IDOK; };

    // User Settings and Music re-read the shared settings.
    for (UINT item : {32854u, 32785u}) {
        set("general - tooltip", "false");
        menu(item);
        EXPECT_EQ(g_tooltipsOn, 0) << item;
        set("general - tooltip", "true");
        menu(item);
        EXPECT_EQ(g_tooltipsOn, 1) << item;
    }

    // Lyrics also writes the style sheets again.
    std::filesystem::remove(dir.file("cuesheet2.css"));
    set("general - tooltip", "false");
    menu(32853);
    EXPECT_EQ(g_tooltipsOn, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("cuesheet2.css")));

    // Choreography takes the level names again and shows the level's title.
    set("basic - levelname", "Starters");
    dlg->SetLevel(1);
    menu(32786);
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Starters");
    std::string item;
    dlg->GetMenu()->GetMenuString(32787, item, MF_BYCOMMAND);
    EXPECT_EQ(item, "Starters");

    // Hotkeys reloads the table, and the open hotkeys view rebuilds its text.
    menu(32852);
    ASSERT_TRUE(dlg->m_hotkeysView);
    const std::string before = dlg->m_hotkeysView->Text();
    {
        CMusicDb db;
        db.SetHotkey("a", 44, 1);
        db.SetHotkey("minus", 73, 1);
    }
    menu(32813);
    EXPECT_EQ(dlg->GetHotkeyEntry(0), 44);
    EXPECT_EQ(dlg->GetHotkeyEntry(27), 73);
    EXPECT_NE(dlg->m_hotkeysView->Text(), before) << "the open view shows the new table";
    EXPECT_NE(dlg->m_hotkeysView->Text().find("A - " + CViewHotkeys::FunctionName(44)), std::string::npos)
        << dlg->m_hotkeysView->Text();
}

TEST_F(MenuTest, ANewOutputDeviceRestartsTheAudioAndTheSameOneDoesNot)
{
    preset({{"music - outputdevice", "0"}});
    start();
    // The devices the audio start opens (the silent one stands in for each).
    std::vector<int> opened;
    CDlgMp3::InitHook() = [&](int device, DWORD freq, DWORD flags) {
        opened.push_back(device);
        return BASS_Init(0, freq, flags, nullptr, nullptr);
    };
    std::string chosen;
    dialogAnswers[237] = [&](CWnd*) {
        CMusicDb db;
        db.SetSetting("music - outputdevice", chosen, 1);
        return IDOK;
    };
    chosen = "0";
    menu(32820);
    EXPECT_TRUE(opened.empty());
    chosen = "2";
    menu(32820);
    EXPECT_EQ(g_outputDevice, 2);
    EXPECT_EQ(opened, std::vector<int>{2});
    // The codes 742 and 815 ask the same.
    chosen = "3";
    code(742);
    chosen = "4";
    code(815);
    EXPECT_EQ(g_outputDevice, 4);
    EXPECT_EQ(opened, (std::vector<int>{2, 3, 4}));
    CDlgMp3::InitHook() = nullptr;
}

TEST_F(MenuTest, CheckersCombosAndAbout)
{
    preset({{"general - checkerpath", dir.str() + "/tools/sdcheck"}});
    start();
    std::filesystem::create_directory(dir.file("tools"));
    testsupport::writeFile(dir.file("tools/sdcheck"), "");
    win::ClearShellLog();
    menu(32847);
    ASSERT_EQ(win::ShellLog().size(), 1u);
    EXPECT_EQ(win::ShellLog()[0].verb, "open");
    EXPECT_EQ(win::ShellLog()[0].file, dir.str() + "/tools/sdcheck");
    EXPECT_EQ(win::ShellLog()[0].show, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(boxes().empty()) << "whatever the checker does, the program says nothing";

    dlg->MusicPage().AddComboHistory(2, "/old/list.m3u");
    menu(32947);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(dlg->MusicPage().ComboHistory(2, 0), "") << "the source histories are cleared";
    EXPECT_TRUE(boxes().empty());

    menu(32802);
    EXPECT_EQ(dialogs.back(), 100u);
}

} // namespace
