// The import dialog in its two modes, answered while it is open.
#include "import/ImportOld.h"

#include "platform/win/MessageBox.h"
#include "platform/win/WinDefs.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace importtest {
namespace {

class ImportOldDialogTest : public ::testing::Test {
protected:
    void SetUp() override { win::ClearMessageBoxLog(); }
    void TearDown() override { win::SetMessageBoxAnswerer({}); }

    // Runs the dialog in the mode; `act` works on the open dialog and gives its answer.
    int run(CImportOld& dlg, std::function<int(CWnd&)> act)
    {
        win::SetMessageBoxAnswerer([act](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::Dialog && r.dialogId == 233)
                return act(*r.window);
            return std::nullopt;
        });
        return int(dlg.DoModal());
    }

    static bool shown(CWnd& w, int id) { return (w.GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
};

TEST_F(ImportOldDialogTest, EachModeShowsItsOwnControls)
{
    const int boxes[] = {1179, 1032, 1180, 1175, 1177, 1178};
    struct Case {
        int mode;
        const char* caption;
        std::vector<int> shownIds, hiddenIds;
    } cases[] = {
        {0, "Mirtal - Import from old version of Mirtal", {1181, 1091, 1092, 1093}, {1182, 1094, 1183, 1184}},
        {1, "Mirtal - Import from Mirtal Database", {1182, 1094, 1183, 1184}, {1181, 1091, 1092, 1093}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        CImportOld dlg(c.mode);
        run(dlg, [&](CWnd& w) {
            EXPECT_EQ(w.GetWindowText(), c.caption);
            for (int id : boxes) {
                EXPECT_TRUE(shown(w, id)) << id;
                EXPECT_EQ(w.IsDlgButtonChecked(id), UINT(BST_CHECKED)) << id;
            }
            for (int id : c.shownIds)
                EXPECT_TRUE(shown(w, id)) << id;
            for (int id : c.hiddenIds)
                EXPECT_FALSE(shown(w, id)) << id;
            std::string text;
            w.GetDlgItemText(1181, text);
            EXPECT_EQ(text, "C:\\Mirtal");
            w.GetDlgItemText(1182, text);
            EXPECT_EQ(text, "C:\\Mirtal\\mirtal.db");
            w.GetDlgItemText(1094, text);
            EXPECT_EQ(text, "Select a \"Mirtal.db\" file.");
            return IDCANCEL;
        });
    }
}

TEST_F(ImportOldDialogTest, TheDatabaseModeTakesOnlyAPathEndingInDotDb)
{
    const struct {
        const char* path;
        bool taken;
    } cases[] = {
        {"/old/mirtal.db", true}, {"/old/MIRTAL.DB", false}, {"/old/mirtal.db3", false},
        {"db", false},            {".db", true},             {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        win::ClearMessageBoxLog();
        CImportOld dlg(1);
        bool stayedOpen = false;
        const int result = run(dlg, [&](CWnd& w) {
            w.SetDlgItemText(1182, c.path);
            w.SendMessage(WM_COMMAND, 1097, 0);
            stayedOpen = static_cast<CDialog&>(w).GetDialogResult() == -1;
            return stayedOpen ? IDCANCEL : static_cast<CDialog&>(w).GetDialogResult();
        });
        EXPECT_EQ(result, c.taken ? IDOK : IDCANCEL);
        EXPECT_EQ(stayedOpen, !c.taken);
        const auto& log = win::MessageBoxLog();
        if (c.taken) {
            EXPECT_EQ(dlg.GetPath(), c.path);
            EXPECT_EQ(log.size(), 1u) << "only the dialog itself";
        } else {
            ASSERT_EQ(log.size(), 2u);
            EXPECT_EQ(log[1].text, "A database file (.db) is not selected.");
            EXPECT_EQ(log[1].caption, "Mirtal");
            EXPECT_EQ(log[1].type, UINT(MB_OK | MB_ICONINFORMATION));
        }
    }
}

TEST_F(ImportOldDialogTest, ClickingABoxKeepsTheTypedPathAndFlipsOnlyThatBox)
{
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        CImportOld dlg(mode);
        const int result = run(dlg, [](CWnd& w) {
            w.SetDlgItemText(1181, "/home/me/old mirtal");
            w.SetDlgItemText(1182, "/home/me/old.db");
            for (int id : {1175, 1178}) {
                w.CheckDlgButton(id, BST_UNCHECKED); // what the click itself does to an automatic box
                w.SendMessage(WM_COMMAND, WPARAM(id), 0);
            }
            std::string text;
            w.GetDlgItemText(1181, text);
            EXPECT_EQ(text, "/home/me/old mirtal");
            w.GetDlgItemText(1182, text);
            EXPECT_EQ(text, "/home/me/old.db");
            w.SendMessage(WM_COMMAND, 1097, 0);
            return static_cast<CDialog&>(w).GetDialogResult();
        });
        ASSERT_EQ(result, IDOK);
        EXPECT_EQ(dlg.GetPath(), mode == 1 ? "/home/me/old.db" : "/home/me/old mirtal");
        EXPECT_EQ(dlg.GetImportMarked(), 0);
        EXPECT_EQ(dlg.GetImportMemory(), 0);
        EXPECT_NE(dlg.GetImportSettings(), 0);
        EXPECT_NE(dlg.GetImportMusic(), 0);
        EXPECT_NE(dlg.GetImportTrack(), 0);
    }
}

TEST_F(ImportOldDialogTest, EachPathEditBrowsesForItsKindOfPathAndTheChoiceIsWhatOkReads)
{
    struct Case {
        int mode;
        int edit;
        bool folder;
        const char* chosen;
    } cases[] = {{0, 1181, true, "/home/me/Old Mirtal"}, {1, 1182, false, "/home/me/backup/mirtal.db"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        win::ClearFileDialogLog();
        win::SetFileDialogAnswerer([c](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
            if (r.folder != c.folder)
                return std::nullopt;
            return std::vector<std::string>{c.chosen};
        });
        CImportOld dlg(c.mode);
        const int result = run(dlg, [&](CWnd& w) {
            // The OK and Cancel buttons carry their pictures.
            for (int id : {1097, 1098}) {
                auto* b = qobject_cast<QPushButton*>(w.GetDlgItem(id)->widget());
                EXPECT_TRUE(b && !b->icon().isNull()) << id;
            }
            auto* browse = w.GetDlgItem(c.edit)->widget()->findChild<QAction*>("browse");
            EXPECT_NE(browse, nullptr);
            if (const char* dir = std::getenv("MIRTAL_SCREENSHOT_DIR")) {
                w.ShowWindow(SW_SHOW);
                QApplication::processEvents();
                w.frameWidget()->grab().toImage().save(
                    QString::fromStdString(std::string(dir) + "/import-old-" + std::to_string(c.mode) + ".png"));
            }
            if (browse)
                browse->trigger();
            w.SendMessage(WM_COMMAND, 1097, 0);
            return static_cast<CDialog&>(w).GetDialogResult();
        });
        win::SetFileDialogAnswerer(nullptr);
        ASSERT_EQ(result, IDOK);
        ASSERT_EQ(win::FileDialogLog().size(), 1u);
        EXPECT_EQ(dlg.GetPath(), c.chosen);
    }
}

} // namespace
} // namespace importtest
