#pragma once
// A data folder of the test's own (the current directory while it runs) with
// a fresh mirtal.db on the silent output device 0, a 1280 x 1024 display, and
// every message box and modal dialog recorded and answered by the test.
#include "common/CommandSink.h"
#include "common/TestSupport.h"
#include "common/WaitFor.h"
#include "platform/audio/Bass.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace playertest {

using testsupport::waitFor;

using testsupport::CommandSink;

class PlayerTest : public ::testing::Test {
protected:
    CommandSink mainWnd;
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedCwd> cwd;
    std::map<UINT, std::function<int(CWnd*)>> dialogAnswers;
    std::map<std::string, int> boxAnswers;
    std::vector<std::string> boxes; // texts of the message boxes shown, in order
    bool audio = false;

    void SetUp() override
    {
        cwd = std::make_unique<testsupport::ScopedCwd>(dir.path());
        g_baseFolder = dir.str();
        g_dlgColorR = 236, g_dlgColorG = 233, g_dlgColorB = 216;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::Dialog) {
                if (auto it = dialogAnswers.find(r.dialogId); it != dialogAnswers.end())
                    return it->second(r.window);
                return IDCANCEL;
            }
            boxes.push_back(r.text);
            if (auto it = boxAnswers.find(r.text); it != boxAnswers.end())
                return it->second;
            return IDOK;
        });
        CMusicDb db;
        db.Init();
        db.SetSetting("system - setup", "false", 1);
        db.SetSetting("music - outputdevice", "0", 1);
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
        g_mainWnd = mainWnd.m_hWnd;
    }

    void TearDown() override
    {
        g_mainWnd = nullptr;
        if (mainWnd.m_hWnd)
            mainWnd.DestroyWindow();
        if (audio)
            BASS_Free();
        win::SetMessageBoxAnswerer({});
        win::SetDisplayOverride(std::nullopt);
        win::PumpMessages();
        cwd.reset();
    }

    // The silent output device, as the player starts it in tests.
    void startAudio()
    {
        ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
        audio = true;
    }

    void set(const std::string& key, const std::string& value)
    {
        CMusicDb db;
        db.SetSetting(key, value, 1);
    }
    std::string setting(const std::string& key)
    {
        CMusicDb db;
        return db.GetSetting(key, 1);
    }

    static void click(CWnd& w, int id)
    {
        w.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(w.GetDlgItem(id)->m_hWnd));
    }
    static void notify(CWnd& w, int id, int code)
    {
        w.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), LPARAM(w.GetDlgItem(id)->m_hWnd));
    }

    // Keeps a picture of a window to look at (MIRTAL_SCREENSHOT_DIR or the working folder).
    static void shot(CWnd& w, const std::string& name)
    {
        win::PumpMessages(50);
        const QImage image = w.frameWidget()->grab().toImage();
        ASSERT_FALSE(image.isNull());
        const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
        const std::filesystem::path folder = out ? std::filesystem::path(out) : std::filesystem::current_path();
        EXPECT_TRUE(image.save(QString::fromStdString((folder / name).string())));
    }
};

} // namespace playertest
