#pragma once
// A started main window in a data folder of its own, with the call record on,
// every modal dialog answered by the test (Cancel unless told otherwise) and
// message boxes taking their default. Keys are pressed the way the keyboard
// does: into the widget of a control, from where they pass the
// pre-translation of every window up to the main window.
#include "common/WaitFor.h"
#include "common/CallRecord.h"
#include "app/MirtalApp.h"
#include "app/MirtalDlg.h"
#include "common/TestSupport.h"
#include "FreshDatabase.h"
#include "platform/win/Display.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WebBrowser.h"
#include "store/PlayerGlobals.h"
#include "store/CppSQLite3.h"
#include "store/StoreGlobals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>

namespace mainwindowtest {

using testsupport::waitFor;

// Saves a window's picture for a look by eye: into $MIRTAL_SCREENSHOT_DIR, else
// the folder the tests started in.
inline const std::filesystem::path kScreenshotFolder = std::filesystem::current_path();
inline void screenshot(const QImage& shot, const char* name)
{
    const std::filesystem::path& startFolder = kScreenshotFolder;
    ASSERT_FALSE(shot.isNull()) << name;
    const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
    EXPECT_TRUE(shot.save(QString::fromStdString(((out ? std::filesystem::path(out) : startFolder) / name).string())));
}

class MainWindowTest : public ::testing::Test {
protected:
    // The application object, as in the program: a failed handler ends at its hook.
    CMirtalApp app;
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedCwd> cwd;
    std::unique_ptr<CMirtalDlg> dlg;
    std::optional<callrec::Scope> rec;
    // Answers of modal dialogs by template id; unlisted dialogs are cancelled.
    std::map<UINT, std::function<int(CWnd*)>> dialogAnswers;
    std::vector<UINT> dialogs;

    void SetUp() override
    {
        cwd = std::make_unique<testsupport::ScopedCwd>(dir.path());
        // A page shown along the way does not start the browser engine (its processes
        // cost more than most tests); a test that reads a document still starts it.
        win::SetWebEngineOnDemandOnly(true);
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::ClearMessageBoxLog();
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind != win::DialogKind::Dialog)
                return std::nullopt;
            dialogs.push_back(r.dialogId);
            if (auto it = dialogAnswers.find(r.dialogId); it != dialogAnswers.end())
                return it->second(r.window);
            return IDCANCEL;
        });
        g_playing = 0;
        g_position = 0;
        g_songLength = 0;
    }

    void TearDown() override
    {
        win::SetWebEngineOnDemandOnly(false);
        rec.reset();
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

    // Settings written into the main database before the start (never a first run).
    void preset(const std::vector<std::pair<std::string, std::string>>& settings)
    {
        apptest::presetMainDatabase(dir, settings);
    }

    // Starts the main window as the program does, waits for its first paint's
    // work and switches the call record on, empty.
    CMirtalDlg& start()
    {
        if (!std::filesystem::exists(dir.file("mirtal.db")))
            preset({});
        dlg = std::make_unique<CMirtalDlg>();
        EXPECT_TRUE(dlg->Create(CMirtalDlg::IDD));
        EXPECT_TRUE(waitFor([&] { return dlg->IsFirstPaintDone() || dlg->StartupFailed(); }, testsupport::kStartWaitMs));
        rec.emplace();
        return *dlg;
    }

    // A song of its own (a sine WAV) opened on the music page, stopped at 0.
    std::string loadSong(double seconds = 60.0, const std::string& name = "Song.wav")
    {
        const std::string path = dir.file(name);
        if (!std::filesystem::exists(path))
            testsupport::writeSineWav(path, seconds, 8000, 1);
        dlg->MusicPage().OpenSong(4, -1, path, 0, 0, 0);
        return path;
    }

    // Where the music page's song stream stands, in seconds.
    double songPosition()
    {
        const HSTREAM s = dlg->MusicPage().SongStream();
        return BASS_ChannelBytes2Seconds(s, BASS_ChannelGetPosition(s, BASS_POS_BYTE));
    }

    std::string setting(const std::string& key)
    {
        CMusicDb db;
        return db.GetSetting(key, 1);
    }

    const callrec::List& calls() const { return callrec::Calls(); }
    void clearCalls() { callrec::Clear(); }

    // A command code as a page or tool window sends it.
    void code(UINT c, LPARAM lParam = 0) { dlg->SendMessage(WM_KEYDOWN, c, lParam); }
    // A menu command as the menu bar sends it.
    void menu(UINT id) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool checked(UINT id) const { return (dlg->GetMenu()->GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

    // A key press into a control's widget (by default the music page's command sink).
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, CWnd* target = nullptr)
    {
        if (!target)
            target = dlg->MusicPage().GetDlgItem(1004);
        QKeyEvent down(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(target->widget(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(target->widget(), &up);
    }

    // The texts of the message boxes shown so far, with their captions.
    std::vector<std::pair<std::string, std::string>> boxes() const
    {
        std::vector<std::pair<std::string, std::string>> b;
        for (const auto& r : win::MessageBoxLog())
            if (r.kind == win::DialogKind::MessageBox)
                b.emplace_back(r.caption, r.text);
        return b;
    }

    // Timer 1's tick now rather than a second from now: the start's wait ends
    // (StartupTest watches the real timer do it).
    void endStartWait()
    {
        dlg->SendMessage(WM_TIMER, 1, 0);
        ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    }
};

} // namespace mainwindowtest
