#pragma once
// A data folder with a fresh mirtal.db (the current directory while the test
// runs), a stand-in main window that records the command codes it hears and,
// like the real one, destroys a page on its close code, and every message box
// recorded and answered by the test.
#include "common/CommandSink.h"
#include "common/TestSupport.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/Display.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Wnd.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace managerstest {

using testsupport::CommandSink;

class ManagersTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedCwd> cwd;
    CommandSink mainWnd;
    std::vector<std::string> boxes;
    std::map<std::string, int> boxAnswers; // by text; default: the box's default button
    std::function<int(CWnd*, UINT)> dialogAnswer; // modal dialogs (default: Cancel)

    void SetUp() override
    {
        cwd = std::make_unique<testsupport::ScopedCwd>(dir.path());
        g_baseFolder = dir.str();
        g_dlgColorR = 212;
        g_dlgColorG = 208;
        g_dlgColorB = 200;
        g_largeLayout = 0;
        g_colorAllRows = 0;
        g_gridLines = 0;
        g_tooltipsOn = 1;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        {
            CMusicDb db;
            db.Init();
            db.SetSetting("music - outputdevice", "0", 1);
        }
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::Dialog) {
                if (dialogAnswer)
                    return dialogAnswer(r.window, r.dialogId);
                return IDCANCEL;
            }
            boxes.push_back(r.text);
            if (auto it = boxAnswers.find(r.text); it != boxAnswers.end())
                return it->second;
            return std::nullopt;
        });
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
        g_mainWnd = mainWnd.m_hWnd;
    }

    void TearDown() override
    {
        g_mainWnd = nullptr;
        if (mainWnd.m_hWnd)
            mainWnd.DestroyWindow();
        win::SetMessageBoxAnswerer({});
        win::SetFileDialogAnswerer({});
        win::SetDisplayOverride(std::nullopt);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        win::PumpMessages();
        cwd.reset();
    }

    void exec(const std::string& sql)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute(sql);
        db.Close();
    }
    // The first field of every row of a query, joined by "|".
    std::string query(const std::string& sql)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        CppSQLite3Table t = db.GetTable(sql);
        std::string out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            for (int c = 0; c < t.FieldCount(); ++c) {
                if (c)
                    out += ",";
                const char* f = t.FieldText(c);
                out += f ? f : "NULL";
            }
            out += "|";
        }
        db.Close();
        return out;
    }
};

} // namespace managerstest
