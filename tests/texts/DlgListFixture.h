#pragma once
// A choreography viewer page on a host window, with its own data folder,
// mirtal.db and choreo.db, at level Plus; the commands it sends to the main
// window are collected.
#include "texts/DlgList.h"
#include "texts/HtmlEditCtrl2.h"

#include "common/CommandSink.h"
#include "common/TestSupport.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace dlglisttest {

using testsupport::CommandSink;

class DlgListTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};
    CommandSink mainWnd;
    std::unique_ptr<CDlgList> page;
    std::vector<std::string> boxes;

    void SetUp() override
    {
        g_baseFolder = dir.str();
        g_levelCode = "plus";
        g_danceLevel = 3;
        g_largeLayout = 0;
        g_dlgColorR = g_dlgColorG = g_dlgColorB = 212;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetShellLauncher([](const win::ShellRequest&) { return SE_OK; });
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::MessageBox)
                boxes.push_back(q.text);
            return std::nullopt;
        });
        CMusicDb().Init();
        CChoreoDb().Create();
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700), nullptr, 0));
        mainWnd.ShowWindow(SW_SHOW);
        g_mainWnd = mainWnd.m_hWnd;
        page = std::make_unique<CDlgList>();
        ASSERT_TRUE(page->Create(CDlgList::IDD, &mainWnd));
        page->SetPageNumber(0);
        page->MoveWindow(CRect(0, 0, 900, 700));
        page->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page->DestroyWindow();
        page.reset();
        g_mainWnd = nullptr;
        mainWnd.DestroyWindow();
        win::SetDisplayOverride(std::nullopt);
        win::SetShellLauncher({});
        win::SetMessageBoxAnswerer({});
        win::SetFileDialogAnswerer({});
        g_largeLayout = 0;
    }

    // The page's keys at level Plus.
    static void setKey(const std::string& key, const std::string& value)
    {
        CMusicDb().SetSetting("0list_plus - " + key, value, 1);
    }
    static std::string key(const std::string& key) { return CMusicDb().GetSetting("0list_plus - " + key, 1); }
    void source(int type, const std::string& path, int index = 0)
    {
        setKey("type", std::to_string(type));
        setKey("path", path);
        setKey("index", std::to_string(index));
        page->LoadSettings();
    }
    // A list file of the entries, one a line.
    std::string listFile(const std::vector<std::string>& entries, const std::string& name = "list.ini")
    {
        std::string text;
        for (const std::string& e : entries)
            text += e + "\r\n";
        testsupport::writeFile(dir.file(name), text);
        return dir.file(name);
    }
    std::string field(int id) { return page->GetDlgItem(id)->GetWindowText(); }
    // The text view's text with its line breaks as "\n".
    std::string shownText()
    {
        std::string text = page->GetTextView().GetWindowText();
        std::erase(text, '\r');
        return text;
    }
    bool textShown() { return page->GetTextView().IsWindowVisible(); }
    bool browserShown() { return page->GetBrowser() && page->GetBrowser()->GetVisible(); }
};

} // namespace dlglisttest
