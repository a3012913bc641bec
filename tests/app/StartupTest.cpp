// The program's start: databases, settings, first paint, placement, first
// run, backup, layout, About box and splash window.
#include "common/WaitFor.h"
#include "app/AboutDlg.h"
#include "app/MirtalApp.h"
#include "app/MirtalDlg.h"
#include "app/StartWin.h"
#include "common/TestSupport.h"
#include "platform/win/Display.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageBox.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

void PrintTo(const CRect& r, std::ostream* os) { *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")"; }
void PrintTo(const CSize& s, std::ostream* os) { *os << s.cx << "x" << s.cy; }
void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

namespace {

// Where the tests run; the screenshot stays there (the data folders go away).
const fs::path kStartFolder = fs::current_path();

using testsupport::waitFor;

// A data folder of its own, the current directory while the test runs, with
// a display of the test's choosing and every dialog recorded.
class StartupTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedCwd> cwd;
    std::vector<UINT> dialogs;     // template ids of the modal dialogs, in order
    bool backupBeforeSettingsDialog = false;

    void SetUp() override
    {
        cwd = std::make_unique<testsupport::ScopedCwd>(dir.path());
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::ClearMessageBoxLog();
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind != win::DialogKind::Dialog)
                return std::nullopt;
            dialogs.push_back(r.dialogId);
            if (r.dialogId == 407)
                backupBeforeSettingsDialog = fs::exists(dir.file("mirtal.dbtmp"));
            return IDCANCEL;
        });
    }
    void TearDown() override
    {
        // A window destroyed before its timer 1 fired leaves its wait cursor behind.
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        win::SetMessageBoxAnswerer({});
        win::SetDisplayOverride(std::nullopt);
        win::PumpMessages();
        cwd.reset();
    }

    // Starts the main window as the program does and waits for the end of its first paint.
    std::unique_ptr<CMirtalDlg> start()
    {
        auto dlg = std::make_unique<CMirtalDlg>();
        EXPECT_TRUE(dlg->Create(CMirtalDlg::IDD));
        EXPECT_TRUE(waitFor([&] { return dlg->IsFirstPaintDone() || dlg->StartupFailed(); }, testsupport::kStartWaitMs));
        return dlg;
    }

    // Writes settings into the main database of the data folder before a start.
    void presetSettings(const std::vector<std::pair<std::string, std::string>>& settings)
    {
        g_baseFolder = dir.str();
        CMusicDb db;
        db.Init();
        for (const auto& [k, v] : settings)
            db.SetSetting(k, v, 1);
    }

    std::string setting(const std::string& key)
    {
        g_baseFolder = dir.str();
        CMusicDb db;
        return db.GetSetting(key, 1);
    }
};

TEST_F(StartupTest, AFreshFolderGetsItsDatabasesAndFilesAndRunsTheFirstRunOnce)
{
    auto dlg = start();
    ASSERT_FALSE(dlg->StartupFailed());
    for (const char* f : {"mirtal.db", "choreo.db", "utility.db", "mirtal.dbtmp", "temp.htm", "cuesheet2.css"})
        EXPECT_TRUE(fs::exists(dir.file(f))) << f;
    EXPECT_EQ(fs::file_size(dir.file("temp.htm")), 0u);

    // The first run: the user settings opened once, before the backup copy was made.
    EXPECT_EQ(dialogs, (std::vector<UINT>{407}));
    EXPECT_FALSE(backupBeforeSettingsDialog);
    EXPECT_EQ(setting("system - setup"), "false");
    EXPECT_FALSE(g_lyricsPathGlobal.empty()) << "the default paths are written";
    EXPECT_EQ(setting("lyrics - pathglobal"), g_lyricsPathGlobal);
    EXPECT_TRUE(fs::exists(g_lyricsPathGlobal + "/cuesheet2.css"));

    // The music tab is shown, at level 1 after clamping the missing level.
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
    EXPECT_TRUE(dlg->MusicPage().IsWindowVisible());
    EXPECT_EQ(g_danceLevel, 1);
    EXPECT_EQ(g_levelCode, "basic");
    EXPECT_EQ(setting("general - level"), "1");
    EXPECT_EQ(g_mainWnd, dlg->m_hWnd);
    dlg->DestroyWindow();

    // A second start: no first run, and the backup copy is made anew.
    dialogs.clear();
    fs::last_write_time(dir.file("mirtal.dbtmp"), fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto before = fs::last_write_time(dir.file("mirtal.dbtmp"));
    auto again = start();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_GT(fs::last_write_time(dir.file("mirtal.dbtmp")), before);
}

TEST_F(StartupTest, FirstRunCountsOnlyForTheStoredTextTrue)
{
    struct Case {
        const char* stored;
        bool firstRun;
    };
    const Case cases[] = {{"true", true}, {"True", false}, {"TRUE", false}, {"false", false}, {"1", false}};
    for (const auto& c : cases) {
        presetSettings({{"system - setup", c.stored}});
        dialogs.clear();
        auto dlg = start();
        EXPECT_EQ(!dialogs.empty(), c.firstRun) << c.stored;
        dlg->DestroyWindow();
    }
}

TEST_F(StartupTest, MissingKeysAreSeededWithTheirDefaultsAtStart)
{
    // A database that never had the level names, the level, maxstart or markers keys: the start gives
    // them their default values, so the title and the menu show the level's name.
    presetSettings({{"system - setup", "false"}});
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute("DELETE FROM ini WHERE name LIKE '%levelname' OR name IN ('general - level', "
                   "'general - maxstart', 'markers - visible');");
        db.Close();
    }
    auto dlg = start();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Basic");
    EXPECT_EQ(g_danceLevel, 1);
    EXPECT_TRUE(dlg->IsZoomed()) << "\"general - maxstart\" starts true";
    std::string item;
    ASSERT_NE(dlg->GetMenu(), nullptr);
    dlg->GetMenu()->GetMenuString(32787, item, MF_BYCOMMAND);
    EXPECT_EQ(item, "Basic");
    EXPECT_TRUE(dlg->GetMenu()->GetMenuState(32787, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(StartupTest, ThePlaceFollowsTheScreenHeightAndTheMaximiseSetting)
{
    struct Case {
        int width, height;
        const char* maxStart;
        bool maximised;
    };
    const Case cases[] = {
        {1024, 600, "false", true},
        {1280, 601, "false", false},
        {1280, 1024, "false", false},
        {1280, 1024, "true", true},
    };
    for (const auto& c : cases) {
        win::SetDisplayOverride(win::DisplayMetrics{c.width, c.height, 96, 96});
        presetSettings({{"system - setup", "false"}, {"general - maxstart", c.maxStart}});
        auto dlg = start();
        EXPECT_EQ(bool(dlg->IsZoomed()), c.maximised) << c.height << " " << c.maxStart;
        if (!c.maximised) {
            CRect r;
            dlg->GetWindowRect(r);
            // 1024 by 730, then centred on the work area, its top kept on the screen.
            const int top = std::max(0, (c.height - 730) / 2);
            EXPECT_EQ(r, CRect((c.width - 1024) / 2, top, (c.width - 1024) / 2 + 1024, top + 730)) << c.height;
        }
        dlg->DestroyWindow();
    }
}

TEST_F(StartupTest, ALargeDisplayHasTheLargeLayout)
{
    win::SetDisplayOverride(win::DisplayMetrics{1600, 1200, 120, 120});
    presetSettings({{"system - setup", "false"}, {"general - compressedview", "true"}});
    auto dlg = start();
    EXPECT_EQ(g_largeLayout, 1);
    EXPECT_EQ(g_compressedView, 0) << "forced off on a large display";
    UINT id = 0, style = 0;
    int width = 0;
    dlg->StatusBar().GetPaneInfo(4, id, style, width);
    EXPECT_EQ(width, 155);
    dlg->StatusBar().GetPaneInfo(3, id, style, width);
    EXPECT_EQ(width, 110);
    EXPECT_EQ(dlg->StatusBar().GetCount(), 5);
}

TEST_F(StartupTest, TheSplashWindowKeepsItsSizeUnlessTheDisplayIsLarge)
{
    for (int dpi : {96, 99, 100, 120}) {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, dpi, dpi});
        CStartWin splash;
        ASSERT_TRUE(splash.Create(CStartWin::IDD));
        CRect r;
        splash.GetWindowRect(r);
        if (dpi > 99) {
            EXPECT_EQ(r, CRect((1280 - 315) / 2, (1024 - 300) / 2, (1280 - 315) / 2 + 315, (1024 - 300) / 2 + 300))
                << dpi;
        } else {
            // Its dialog size: 205 by 174 dialog units (308 by 283 pixels at 96 dots per inch).
            EXPECT_EQ(r.Size(), win::DialogRectToPixels(0, 0, 205, 174).Size()) << dpi;
            EXPECT_FALSE(splash.IsWindowVisible());
        }
        splash.DestroyWindow();
    }
    win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
    EXPECT_EQ(win::DialogRectToPixels(0, 0, 205, 174).Size(), CSize(308, 283));
}

TEST_F(StartupTest, AMinimisedStartStillRunsTheFirstPaintWorkOnce)
{
    presetSettings({{"system - setup", "true"}});
    auto dlg = std::make_unique<CMirtalDlg>();
    ASSERT_TRUE(dlg->Create(CMirtalDlg::IDD));
    dlg->ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return dlg->IsFirstPaintDone(); }));
    dlg->ShowWindow(SW_RESTORE);
    win::PumpMessages(50);
    EXPECT_EQ(dialogs, (std::vector<UINT>{407})) << "the first-run dialog opened once";
    EXPECT_TRUE(fs::exists(dir.file("mirtal.dbtmp")));
}

TEST_F(StartupTest, AnEmptyLyricsFolderWritesNoStyleSheetAtTheRoot)
{
    ASSERT_FALSE(fs::exists("/cuesheet2.css")) << "a sheet left from elsewhere would hide the fault";
    presetSettings({{"system - setup", "false"}, {"lyrics - pathglobal", ""}});
    auto dlg = start();
    EXPECT_TRUE(g_lyricsPathGlobal.empty());
    EXPECT_FALSE(fs::exists("/cuesheet2.css"));
    EXPECT_TRUE(fs::exists(dir.file("cuesheet2.css")));
}

TEST_F(StartupTest, AStyleSheetThatCannotBeReplacedIsSkipped)
{
    presetSettings({{"system - setup", "false"}});
    auto dlg = start();
    // A folder in the place of the sheet cannot be removed: the write passes it over.
    fs::create_directories(dir.path() / "blocked" / "cuesheet2.css" / "inside");
    EXPECT_TRUE(dlg->WriteCueSheetCss(false, dir.file("blocked/cuesheet2.css")));
    EXPECT_TRUE(fs::is_directory(dir.path() / "blocked" / "cuesheet2.css"));
    // Keep-existing leaves a sheet byte for byte; a rewrite gives the six lines.
    testsupport::writeFile(dir.file("cuesheet2.css"), "mine");
    dlg->WriteCueSheetCss(true, dir.file("cuesheet2.css"));
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheet2.css")), "mine");
    dlg->WriteCueSheetCss(false, dir.file("cuesheet2.css"));
    const std::string css = testsupport::readFile(dir.file("cuesheet2.css"));
    EXPECT_EQ(std::count(css.begin(), css.end(), '\n'), 6);
    EXPECT_EQ(css.rfind("body, p, font { font-family: ", 0), 0u);
    EXPECT_NE(css.find(".title    { font-family: "), std::string::npos);
}

TEST_F(StartupTest, TheLayoutFollowsTheWindowSize)
{
    presetSettings({{"system - setup", "false"}});
    auto dlg = start();
    dlg->MoveWindow(0, 0, 1200, 900);
    win::PumpMessages();
    CRect client;
    dlg->GetClientRect(client);
    const int w = client.Width(), h = client.Height();
    auto place = [&](CWnd& child) {
        CRect r;
        child.GetWindowRect(r);
        dlg->ScreenToClient(r);
        return r;
    };
    EXPECT_EQ(place(dlg->TabControl()), CRect(5, 5, w - 5, h - 50));
    EXPECT_EQ(place(dlg->PositionSlider()), CRect((w - 1010) / 2 + 5, h - 45, (w - 1010) / 2 + 1015, h - 25));
    const CRect bar = place(dlg->StatusBar());
    EXPECT_EQ(bar.bottom, h);
    EXPECT_EQ(bar.Width(), w);
    // The music page fills the tab control's windows area inside the silver style's padding.
    CRect area = dlg->TabControl().GetWindowsArea(), page;
    const CRect pad = dlg->TabControl().GetWndsAreaPadding();
    EXPECT_EQ(pad, CRect(5, 3, 5, 5));
    area.DeflateRect(pad.left, pad.top, pad.right, pad.bottom);
    dlg->MusicPage().GetWindowRect(page);
    dlg->TabControl().ScreenToClient(page);
    EXPECT_EQ(page, area);
}

TEST_F(StartupTest, TimerOneEndsTheWaitAndGivesTheFocusToTheMusicPage)
{
    presetSettings({{"system - setup", "false"}});
    auto dlg = start();
    EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the wait cursor shows after the first paint";
    ASSERT_TRUE(waitFor([] { return QApplication::overrideCursor() == nullptr; }, 10000));
    win::PumpMessages(20);
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->GetParent(), &dlg->MusicPage());
    EXPECT_EQ(focus->GetDlgCtrlID(), 1004);
}

TEST_F(StartupTest, EscNeverClosesTheMainWindowAndTheCloseBoxEndsItLikeExit)
{
    presetSettings({{"system - setup", "false"}});
    CMirtalApp app;
    bool escapeKeptItOpen = false;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& r) -> std::optional<int> {
        if (r.kind != win::DialogKind::Dialog || r.dialogId != CMirtalDlg::IDD)
            return std::nullopt;
        auto* dlg = static_cast<CMirtalDlg*>(r.window);
        QTimer::singleShot(0, [dlg, &escapeKeptItOpen] {
            waitFor([dlg] { return dlg->IsFirstPaintDone(); });
            MSG esc;
            esc.hwnd = dlg->m_hWnd;
            esc.message = WM_KEYDOWN;
            esc.wParam = VK_ESCAPE;
            win::WalkPreTranslateTree(&esc);
            escapeKeptItOpen = dlg->IsModalRunning();
            dlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        return win::kRunModalLoop;
    });
    app.InitInstance();
    EXPECT_TRUE(escapeKeptItOpen);
    EXPECT_EQ(app.GetMainResult(), IDOK);
}

TEST_F(StartupTest, AMainDatabaseThatCannotBeOpenedEndsTheProgramWithAMessage)
{
    testsupport::writeFile(dir.file("mirtal.db"), std::string(4096, 'x'));
    CMirtalApp app;
    app.InitInstance();
    EXPECT_EQ(app.GetMainResult(), IDABORT);
    ASSERT_FALSE(win::MessageBoxLog().empty());
    const win::MessageBoxRequest& box = win::MessageBoxLog().front();
    EXPECT_EQ(box.kind, win::DialogKind::MessageBox);
    EXPECT_NE(box.text.find(dir.file("mirtal.db")), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("file is not a database"), std::string::npos) << box.text;
    EXPECT_FALSE(fs::exists(dir.file("mirtal.dbtmp"))) << "nothing goes on after the failure";
}

TEST_F(StartupTest, TheAboutBoxShowsTheVersionsAndOpensWhereItWasLeft)
{
    presetSettings({{"system - setup", "false"}, {"system - version", "92207"}});
    auto dlg = start();
    g_aboutPosX = -2000; // off the screen: it still opens there
    g_aboutPosY = 3000;
    std::string version, utilityVersion;
    CRect where;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& r) -> std::optional<int> {
        if (r.kind != win::DialogKind::Dialog || r.dialogId != CAboutDlg::IDD)
            return std::nullopt;
        r.window->GetDlgItemText(1282, version);
        r.window->GetDlgItemText(1283, utilityVersion);
        r.window->GetWindowRect(where);
        return IDOK;
    });
    dlg->SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0); // the low four bits do not matter
    EXPECT_EQ(version, "Mirtal Database Version: 9.22.07");
    EXPECT_EQ(utilityVersion.rfind("Utility Database Version: ", 0), 0u) << utilityVersion;
    EXPECT_EQ(where, CRect(-2000, 3000, -2000 + 330, 3000 + 310));
    EXPECT_EQ(g_aboutPosX, -2000);
}

TEST_F(StartupTest, AScreenshotOfTheMainWindow)
{
    presetSettings({{"system - setup", "false"}});
    auto dlg = start();
    dlg->StatusBar().SetPaneText(0, "Bop Rhythm.mp3");
    dlg->StatusBar().SetPaneText(1, " Music stopped");
    dlg->StatusBar().SetPaneText(2, " Tempo 126");
    dlg->StatusBar().SetPaneText(3, " Loop not active");
    dlg->StatusBar().SetPaneText(4, "Recording stopped");
    const QImage shot = dlg->frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
    const fs::path path = (out ? fs::path(out) : kStartFolder) / "main-window.png";
    EXPECT_TRUE(shot.save(QString::fromStdString(path.string())));
}

} // namespace
