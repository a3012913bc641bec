#pragma once
// A started main window in a data folder of its own (the current directory
// while the test runs), on a display of the test's choosing, with every
// message box and modal dialog recorded and answered by the test.
#include "common/WaitFor.h"
#include "app/MirtalDlg.h"
#include "common/TestSupport.h"
#include "FreshDatabase.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WebBrowser.h"
#include "store/CppSQLite3.h"
#include "store/StoreGlobals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace servicestest {

using testsupport::waitFor;

class ServicesTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedCwd> cwd;
    std::unique_ptr<CMirtalDlg> dlg;
    // Answers of modal dialogs by template id (default: Cancel) and of message boxes by text.
    std::map<UINT, std::function<int(CWnd*)>> dialogAnswers;
    std::map<std::string, int> boxAnswers;
    std::vector<UINT> dialogs; // template ids of the modal dialogs run, in order

    void SetUp() override
    {
        cwd = std::make_unique<testsupport::ScopedCwd>(dir.path());
        // A page shown along the way does not start the browser engine (its processes
        // cost more than most tests); a test that reads a document still starts it.
        win::SetWebEngineOnDemandOnly(true);
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::ClearMessageBoxLog();
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::Dialog) {
                dialogs.push_back(r.dialogId);
                if (auto it = dialogAnswers.find(r.dialogId); it != dialogAnswers.end())
                    return it->second(r.window);
                return IDCANCEL;
            }
            if (auto it = boxAnswers.find(r.text); it != boxAnswers.end())
                return it->second;
            return std::nullopt;
        });
    }

    void TearDown() override
    {
        win::SetWebEngineOnDemandOnly(false);
        if (dlg && dlg->m_hWnd)
            dlg->DestroyWindow();
        dlg.reset();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        win::SetMessageBoxAnswerer({});
        win::SetDisplayOverride(std::nullopt);
        win::PumpMessages();
        cwd.reset();
    }

    // Starts the main window as the program does and waits for the end of its first paint.
    CMirtalDlg& start()
    {
        if (!fileExists("mirtal.db"))
            preset({});
        dlg = std::make_unique<CMirtalDlg>();
        EXPECT_TRUE(dlg->Create(CMirtalDlg::IDD));
        EXPECT_TRUE(waitFor([&] { return dlg->IsFirstPaintDone() || dlg->StartupFailed(); }, testsupport::kStartWaitMs));
        return *dlg;
    }

    // Settings written into the main database before the start; no first run unless asked.
    void preset(const std::vector<std::pair<std::string, std::string>>& settings)
    {
        apptest::presetMainDatabase(dir, settings);
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
    void setStyle(const std::string& name, const std::string& value)
    {
        CMusicDb db;
        db.SetStyle(name, value, 1);
    }

    int count(const std::string& sql, const std::string& file = "mirtal.db")
    {
        CppSQLite3DB db;
        db.Open(dir.file(file));
        const int n = db.QueryScalar(sql);
        db.Close();
        return n;
    }

    bool fileExists(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }

    // The texts of the message boxes shown so far.
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& r : win::MessageBoxLog())
            if (r.kind == win::DialogKind::MessageBox)
                texts.push_back(r.text);
        return texts;
    }

    // Timer 1's tick now rather than a second from now: the start's wait ends
    // (StartupTest watches the real timer do it).
    void endStartWait()
    {
        dlg->SendMessage(WM_TIMER, 1, 0);
        ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    }
};

} // namespace servicestest
