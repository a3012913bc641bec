// The comment prompt: OK hands back the edited text, Cancel and the close box
// leave the caller's comment as it was.
#include "controls/Comment.h"
#include "MainWindowFixture.h"
#include "common/TestSupport.h"
#include "platform/win/MessageBox.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

namespace {

class CommentTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};

    void SetUp() override
    {
        g_baseFolder = dir.str();
        CMusicDb db;
        db.Init();
    }
    void TearDown() override { win::SetMessageBoxAnswerer({}); }
};

struct Row {
    const char* name;
    int button;      // 0: the close box
    bool confirmed;
};

TEST_F(CommentTest, OkTakesTheEditedTextWhileCancelAndCloseKeepTheOld)
{
    const Row rows[] = {{"OK", 1097, true}, {"Cancel", 1098, false}, {"close box", 0, false}};
    for (const Row& r : rows) {
        std::string shown;
        win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind != win::DialogKind::Dialog || q.dialogId != CComment::IDD)
                return std::nullopt;
            CWnd* w = q.window;
            shown = w->GetDlgItem(1197)->GetWindowText();
            w->GetDlgItem(1197)->SetWindowText("Great singing call\nkey of G");
            if (r.button == 1097)
                mainwindowtest::screenshot(w->frameWidget()->grab().toImage(), "comment.png");
            if (r.button)
                w->SendMessage(WM_COMMAND, MAKEWPARAM(r.button, BN_CLICKED), LPARAM(w->GetDlgItem(r.button)->m_hWnd));
            else
                w->SendMessage(WM_CLOSE);
            return IDCANCEL;
        });
        CComment dlg("old comment");
        const INT_PTR result = dlg.DoModal();
        EXPECT_EQ(shown, "old comment") << r.name;
        EXPECT_EQ(result, r.confirmed ? IDOK : IDCANCEL) << r.name;
        EXPECT_EQ(dlg.IsConfirmed(), r.confirmed) << r.name;
        const std::string kept = dlg.IsConfirmed() ? dlg.GetText() : "old comment";
        // A multi-line edit gives its lines back with CR LF.
        EXPECT_EQ(kept, r.confirmed ? "Great singing call\r\nkey of G" : "old comment") << r.name;
    }
}

} // namespace
