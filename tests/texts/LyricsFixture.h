#pragma once
// A data folder with mirtal.db, utility.db (records with cue sheets) and
// "temp.htm", a stand-in main window that keeps the command codes it is sent,
// and the boxes and file choices of the run.
#include "common/CommandSink.h"
#include "common/TestSupport.h"
#include "store/AppGlobals.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "platform/win/WebBrowser.h"

#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace lyricstest {

using testsupport::CommandSink;

class LyricsTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};
    CommandSink mainWnd;
    std::vector<std::string> boxes;
    std::vector<win::FileDialogRequest> fileChoices;
    std::string saveAnswer; // the path a save dialog answers; empty: Cancel

    void SetUp() override
    {
        g_baseFolder = dir.str();
        g_danceLevel = 3;
        g_largeLayout = 0;
        g_tooltipsOn = 0;
        g_gridLines = 0;
        g_colorAllRows = 0;
        g_lyricsShowMode = 0;
        g_lyricsShort = 0;
        g_lyricsPathGlobal = dir.str();
        g_currentSongPath.clear();
        g_foundLyricsPath.clear();
        g_htmlPath.clear();
        g_droppedFilePath.clear();
        g_lyricsCandidates.fill("");
        g_dlgColorR = 200;
        g_dlgColorG = 220;
        g_dlgColorB = 240;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetShellLauncher([](const win::ShellRequest&) { return SE_OK; });
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::MessageBox)
                boxes.push_back(q.text);
            return std::nullopt;
        });
        win::SetFileDialogAnswerer([this](const win::FileDialogRequest& q) -> std::optional<std::vector<std::string>> {
            fileChoices.push_back(q);
            if (saveAnswer.empty())
                return std::nullopt;
            return std::vector<std::string>{saveAnswer};
        });
        CMusicDb().Init();
        CUtilityDb().Init();
        testsupport::writeFile(dir.file("temp.htm"), "<html><body></body></html>");
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700), nullptr, 0));
        mainWnd.ShowWindow(SW_SHOW);
        g_mainWnd = mainWnd.m_hWnd;
        win::StartWebEngineNow();
    }
    void TearDown() override
    {
        g_mainWnd = nullptr;
        mainWnd.DestroyWindow();
        win::SetDisplayOverride(std::nullopt);
        win::SetShellLauncher({});
        win::SetMessageBoxAnswerer({});
        win::SetFileDialogAnswerer({});
    }

    // A record of the catalogue; its cue sheet when the text is not empty, else "[no]".
    void record(const std::string& label, const std::string& title, const std::string& sheet)
    {
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        db.Execute("insert into sqrecord values('" + label + "','" + title + "','Pat Caller','Co','" + label + " - " +
                   title + "','" + (sheet.empty() ? "[no]" : "[yes]") + "');");
        if (!sheet.empty())
            db.Execute("insert into cuesheet values('" + label + "','" + sheet + "');");
        db.Close();
    }
    // A file in a folder of the data folder, made as needed.
    std::string file(const std::string& relative, const std::string& bytes = "x")
    {
        const std::string path = dir.file(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        testsupport::writeFile(path, bytes);
        return path;
    }
    static void setting(const std::string& key, const std::string& value) { CMusicDb().SetSetting(key, value, 1); }
    static void screenshot(CWnd& wnd, const std::string& name)
    {
        const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
        wnd.widget()->window()->grab().save(
            QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + name));
    }
};

} // namespace lyricstest
