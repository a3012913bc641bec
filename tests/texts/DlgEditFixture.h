#pragma once
// An editor window on a stand-in main window, with its own data folder
// (mirtal.db, choreo.db, utility.db) and a global lyrics folder; boxes, file
// choices and the commands sent to the main window are collected and answered.
#include "texts/DlgEdit.h"
#include "texts/HtmlEditCtrl2.h"

#include "DlgListFixture.h"

#include "common/TestSupport.h"
#include "common/WaitFor.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

namespace dlgedittest {

inline const bool kSandboxOffForRoot = [] {
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    return true;
}();

using dlglisttest::CommandSink;

class DlgEditTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};
    CommandSink mainWnd;
    std::unique_ptr<CDlgEdit> editor;
    std::vector<std::string> boxes;
    std::deque<int> answers;                           // answers to the boxes, in order (else the default)
    std::deque<std::optional<std::string>> fileChoices; // answers to the file dialogs (nothing: Cancel)
    std::vector<win::FileDialogRequest> fileRequests;
    std::function<void(CWnd&)> dialogSteps;            // drives a modal dialog of the editor

    void SetUp() override
    {
        g_baseFolder = dir.str();
        g_dlgColorR = g_dlgColorG = g_dlgColorB = 212;
        g_currentSongPath.clear();
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetShellLauncher([](const win::ShellRequest&) { return SE_OK; });
        win::ClearShellLog();
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::Dialog) {
                if (dialogSteps && q.window)
                    dialogSteps(*q.window);
                return IDCANCEL;
            }
            boxes.push_back(q.text);
            if (answers.empty())
                return std::nullopt;
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
        win::SetFileDialogAnswerer([this](const win::FileDialogRequest& q) -> std::optional<std::vector<std::string>> {
            fileRequests.push_back(q);
            if (fileChoices.empty() || !fileChoices.front()) {
                if (!fileChoices.empty())
                    fileChoices.pop_front();
                return std::nullopt;
            }
            const std::string path = *fileChoices.front();
            fileChoices.pop_front();
            return std::vector<std::string>{path};
        });
        CMusicDb().Init();
        CChoreoDb().Create();
        CUtilityDb().Init();
        std::filesystem::create_directories(dir.path() / "lyrics");
        setting("lyrics - pathglobal", dir.file("lyrics"));
        testsupport::writeFile(dir.file("temp.htm"), "");
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
        g_mainWnd = mainWnd.m_hWnd;
    }
    void TearDown() override
    {
        if (editor && editor->m_hWnd)
            editor->DestroyWindow();
        editor.reset();
        g_mainWnd = nullptr;
        mainWnd.DestroyWindow();
        g_currentSongPath.clear();
        win::SetDisplayOverride(std::nullopt);
        win::SetShellLauncher({});
        win::SetMessageBoxAnswerer({});
        win::SetFileDialogAnswerer({});
        win::SetFontDialogAnswerer({});
    }

    static void setting(const std::string& key, const std::string& value) { CMusicDb().SetSetting(key, value, 1); }
    static std::string setting(const std::string& key) { return CMusicDb().GetSetting(key, 1); }

    CDlgEdit& open(const std::string& path = "")
    {
        editor = std::make_unique<CDlgEdit>();
        EXPECT_TRUE(editor->Create(CDlgEdit::IDD, &mainWnd));
        editor->ShowWindow(SW_SHOW);
        if (!path.empty())
            editor->LoadDocument(path, true);
        return *editor;
    }
    void command(UINT id) { editor->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0); }
    // The text view's text with its line breaks as "\n".
    std::string shownText()
    {
        std::string text = editor->GetTextView().GetWindowText();
        std::erase(text, '\r');
        return text;
    }
    // Types into the text view as a user would: the view's text changes and counts as an edit.
    void type(const std::string& text)
    {
        CRichEditCtrl& view = editor->GetTextView();
        std::string now = view.GetWindowText();
        std::erase(now, '\r');
        view.SetSel(long(now.size()), long(now.size()));
        view.ReplaceSel(text, TRUE);
        view.SetModify(TRUE);
    }
    bool htmlShown() { return editor->GetBrowser() && editor->GetBrowser()->GetVisible(); }
    // Waits for the design timer of the last navigation to have fired.
    bool waitForDesignMode() { return testsupport::waitFor([&] { return editor->GetDesignTimer() == 0; }, 20000); }
    CRect placeOf(CWnd* w)
    {
        CRect r;
        w->GetWindowRect(r);
        editor->ScreenToClient(r);
        return r;
    }
    // A record of the record database with a cue sheet.
    static void addRecord(const std::string& label, const std::string& title, const std::string& labelTitle,
                          const std::string& sheet)
    {
        CppSQLite3DB db;
        db.Open("utility.db");
        db.Execute("insert into sqrecord values('" + label + "','" + title + "','J. Smith','RYL','" + labelTitle +
                   "','yes');");
        db.Execute("insert into cuesheet(label,cuesheet) values('" + label + "','" + sheet + "');");
        db.Close();
    }
};

} // namespace dlgedittest
