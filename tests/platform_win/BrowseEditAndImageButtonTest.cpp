// The edit with a browse button (folder and file modes, answered like any
// file choice) and the image button in push, check and radio styles.
#include "platform/win/Controls.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dialog.h"
#include "platform/win/EditBrowseCtrl.h"
#include "platform/win/MFCButton.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr UINT kDialog = 9172;

const char* kScript = R"rc(
9172 DIALOGEX 0, 0, 220, 120
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT        1501, 7, 10, 180, 14, ES_AUTOHSCROLL
    EDITTEXT        1502, 7, 30, 180, 14, ES_AUTOHSCROLL
    AUTORADIOBUTTON "List 1", 1511, 7, 50, 50, 14, WS_GROUP
    AUTORADIOBUTTON "List 2", 1512, 60, 50, 50, 14
    AUTOCHECKBOX    "Random", 1513, 120, 50, 50, 14, WS_GROUP
    PUSHBUTTON      "OK", 1514, 7, 80, 50, 14
END
)rc";

class BrowseDialog : public CDialog {
public:
    BrowseDialog() : CDialog(kDialog) {}
    CMFCEditBrowseCtrl folder, file;
    CMFCButton list1, list2, random, ok;
    std::vector<int> changed, clicked;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, 1501, folder);
        DDX_Control(dx, 1502, file);
        DDX_Control(dx, 1511, list1);
        DDX_Control(dx, 1512, list2);
        DDX_Control(dx, 1513, random);
        DDX_Control(dx, 1514, ok);
    }
    void OnFolderChange() { changed.push_back(1501); }
    void OnFileChange() { changed.push_back(1502); }
    void OnClick(UINT id) { clicked.push_back(int(id)); }
};

BEGIN_MESSAGE_MAP(BrowseDialog, CDialog)
    ON_EN_CHANGE(1501, OnFolderChange)
    ON_EN_CHANGE(1502, OnFileChange)
    ON_COMMAND_RANGE(1511, 1514, OnClick)
END_MESSAGE_MAP()

class BrowseEdits : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool done = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)done;
        ASSERT_TRUE(dlg.Create(kDialog));
        dlg.UpdateData(FALSE);
        win::ClearFileDialogLog();
    }
    void TearDown() override
    {
        win::SetFileDialogAnswerer(nullptr);
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    static void pressBrowse(CWnd& edit)
    {
        auto* button = edit.widget()->findChild<QAction*>("browse");
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible());
        button->trigger();
    }
    BrowseDialog dlg;
};

TEST_F(BrowseEdits, TheFolderButtonAsksForAFolderFromTheEditsOwnAndPutsTheChoiceIn)
{
    dlg.folder.EnableFolderBrowseButton();
    EXPECT_EQ(dlg.folder.GetMode(), CMFCEditBrowseCtrl::BrowseMode_Folder);
    dlg.folder.SetWindowText("/old/data");
    dlg.changed.clear();
    win::SetFileDialogAnswerer([](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        if (!r.folder)
            return std::nullopt;
        return std::vector<std::string>{"/home/caller/Old Mirtal"};
    });
    pressBrowse(dlg.folder);
    ASSERT_EQ(win::FileDialogLog().size(), 1u);
    EXPECT_TRUE(win::FileDialogLog()[0].folder);
    EXPECT_EQ(win::FileDialogLog()[0].initialDir, "/old/data");
    EXPECT_EQ(win::FileDialogLog()[0].owner, dlg.m_hWnd);
    EXPECT_EQ(dlg.folder.GetWindowText(), "/home/caller/Old Mirtal");
    EXPECT_EQ(dlg.changed, (std::vector<int>{1501}));

    // Cancel leaves the text as it was and reports nothing.
    win::SetFileDialogAnswerer([](const win::FileDialogRequest&) { return std::nullopt; });
    dlg.changed.clear();
    pressBrowse(dlg.folder);
    EXPECT_EQ(dlg.folder.GetWindowText(), "/home/caller/Old Mirtal");
    EXPECT_TRUE(dlg.changed.empty());
}

TEST_F(BrowseEdits, TheFileButtonAsksToOpenAFileAtTheOneInTheEdit)
{
    dlg.file.EnableFileBrowseButton();
    dlg.file.SetWindowText("/old/Mirtal.db");
    dlg.changed.clear();
    win::SetFileDialogAnswerer([](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        if (r.folder || !r.open)
            return std::nullopt;
        return std::vector<std::string>{"/old/backup/Mirtal.db"};
    });
    pressBrowse(dlg.file);
    ASSERT_EQ(win::FileDialogLog().size(), 1u);
    EXPECT_EQ(win::FileDialogLog()[0].initialDir, "/old");
    EXPECT_EQ(win::FileDialogLog()[0].fileName, "Mirtal.db");
    EXPECT_EQ(dlg.file.GetWindowText(), "/old/backup/Mirtal.db");
    EXPECT_EQ(dlg.changed, (std::vector<int>{1502}));

    // Without a mode there is no button.
    dlg.file.EnableBrowseButton(FALSE);
    EXPECT_FALSE(dlg.file.widget()->findChild<QAction*>("browse")->isVisible());
}

TEST_F(BrowseEdits, AFolderChoiceNobodyAnswersIsCancelledAndATestAnswerIsReturned)
{
    EXPECT_EQ(win::BrowseForFolder(dlg.m_hWnd, "Select a folder:", "/nowhere/at/all"), "");
    win::SetFileDialogAnswerer([](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        return std::vector<std::string>{r.initialDir + "/chosen"};
    });
    EXPECT_EQ(win::BrowseForFolder(dlg.m_hWnd, "Select a folder:", "/music"), "/music/chosen");
    ASSERT_EQ(win::FileDialogLog().size(), 2u);
    EXPECT_EQ(win::FileDialogLog()[1].title, "Select a folder:");
}

TEST_F(BrowseEdits, ImageButtonsInCheckAndRadioStyleStayDownWhileChecked)
{
    for (CMFCButton* b : {&dlg.list1, &dlg.list2, &dlg.random, &dlg.ok})
        ASSERT_NE(qobject_cast<QPushButton*>(b->widget()), nullptr);
    dlg.list1.SetCheck(BST_CHECKED);
    qobject_cast<QPushButton*>(dlg.list2.widget())->click();
    EXPECT_EQ(dlg.list1.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.list2.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(qobject_cast<QPushButton*>(dlg.list2.widget())->isDown() ||
                qobject_cast<QPushButton*>(dlg.list2.widget())->isChecked());

    qobject_cast<QPushButton*>(dlg.random.widget())->click();
    qobject_cast<QPushButton*>(dlg.random.widget())->click();
    qobject_cast<QPushButton*>(dlg.random.widget())->click();
    EXPECT_EQ(dlg.random.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.list2.GetCheck(), BST_CHECKED); // another group

    qobject_cast<QPushButton*>(dlg.ok.widget())->click();
    EXPECT_EQ(dlg.ok.GetCheck(), BST_UNCHECKED); // a push button never stays down
    EXPECT_EQ(dlg.clicked, (std::vector<int>{1512, 1513, 1513, 1513, 1514}));
    EXPECT_EQ(dlg.list1.GetWindowText(), "List 1");
}

} // namespace
