// The folder picker: what the folder choice is asked, and what the caller gets back.
#include "common/TestSupport.h"
#include "controls/FolderPicker.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

struct FolderPickers : ::testing::Test {
    std::vector<win::FileDialogRequest> asked;
    std::optional<std::vector<std::string>> answer;
    win::FileDialogAnswerer before;

    void SetUp() override
    {
        before = win::SetFileDialogAnswerer([this](const win::FileDialogRequest& r) {
            asked.push_back(r);
            return answer;
        });
    }
    void TearDown() override { win::SetFileDialogAnswerer(before); }
};

TEST_F(FolderPickers, OpenOnTheStartFolderAndReturnTheChoice)
{
    testsupport::TempDir dir;
    answer = std::vector<std::string>{dir.file("music")};
    CFolderPicker picker;
    EXPECT_EQ(picker.Browse(dir.str()), dir.file("music"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].folder);
    EXPECT_EQ(asked[0].title, "Select a folder:");
    EXPECT_EQ(asked[0].initialDir, dir.str()) << "the start folder is preselected";
    EXPECT_EQ(asked[0].owner, nullptr);

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(CFolderPicker().BrowseEx(&owner, "Select a folder:", 0, dir.str(), BIF_NEWDIALOGSTYLE), dir.file("music"));
    EXPECT_EQ(asked.back().owner, owner.m_hWnd);
    owner.DestroyWindow();
}

TEST_F(FolderPickers, ReturnNothingOnCancelAndSelectNothingWithoutAStartFolder)
{
    testsupport::TempDir dir;
    answer.reset();
    struct Case {
        std::string start;
        std::string preselected;
    };
    const Case cases[] = {{dir.str(), dir.str()}, {"", ""}, {dir.file("gone"), ""}};
    for (const Case& c : cases) {
        CFolderPicker picker;
        EXPECT_EQ(picker.Browse(c.start), "") << "Cancel gives the empty text";
        EXPECT_EQ(asked.back().initialDir, c.preselected) << c.start;
    }
}

} // namespace
