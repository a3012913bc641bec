// The display-scale warning: the check box decides whether OK silences it
// for good.
#include "MainWindowFixture.h"
#include "controls/DpiMsg.h"
#include "common/TestSupport.h"
#include "platform/win/MessageBox.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

namespace {

class DpiMsgTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};

    void SetUp() override
    {
        g_baseFolder = dir.str();
        CMusicDb db;
        db.Init();
        db.SetSetting("general - dpimsg", "false", 1);
    }
    void TearDown() override { win::SetMessageBoxAnswerer({}); }
};

TEST_F(DpiMsgTest, OkStoresTheSilenceOnlyWhenTheBoxIsChecked)
{
    // Clicks on the check box before OK, and the stored setting after.
    const std::pair<int, const char*> rows[] = {{0, "false"}, {1, "true"}, {2, "false"}};
    for (const auto& [clicks, stored] : rows) {
        CMusicDb().SetSetting("general - dpimsg", "false", 1);
        bool texts = false;
        win::SetMessageBoxAnswerer([&, n = clicks](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind != win::DialogKind::Dialog || q.dialogId != CDpiMsg::IDD)
                return std::nullopt;
            CWnd* w = q.window;
            texts = w->GetDlgItem(1284)->GetWindowText() == "Don\u00b4t show this message again.";
            for (int i = 0; i < n; ++i)
                w->SendMessage(WM_COMMAND, MAKEWPARAM(1284, BN_CLICKED), LPARAM(w->GetDlgItem(1284)->m_hWnd));
            EXPECT_EQ(w->IsDlgButtonChecked(1284), UINT(n % 2));
            if (n == 1)
                mainwindowtest::screenshot(w->frameWidget()->grab().toImage(), "display-scale-warning.png");
            w->SendMessage(WM_COMMAND, MAKEWPARAM(1075, BN_CLICKED), LPARAM(w->GetDlgItem(1075)->m_hWnd));
            return IDCANCEL;
        });
        CDpiMsg dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK) << clicks;
        EXPECT_TRUE(texts);
        CMusicDb db;
        EXPECT_EQ(db.GetSetting("general - dpimsg", 1), stored) << clicks;
    }
}

} // namespace
