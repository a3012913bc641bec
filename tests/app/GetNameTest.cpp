// The name prompt: OK hands back the typed name, Cancel and the close box an
// empty one.
#include "controls/GetName.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

namespace {

TEST(GetNameTest, OkGivesTheTypedNameCancelAndCloseGiveNone)
{
    const struct {
        const char* name;
        int button; // 0: the close box
        INT_PTR result;
        const char* chosen;
    } rows[] = {{"OK", 1097, IDOK, "Saturday dance"}, {"Cancel", 1098, IDCANCEL, ""}, {"close box", 0, IDCANCEL, ""}};
    for (const auto& r : rows) {
        std::string shownName, shownPrompt;
        win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind != win::DialogKind::Dialog || q.dialogId != CGetName::IDD)
                return std::nullopt;
            CWnd* w = q.window;
            shownName = w->GetDlgItem(1067)->GetWindowText();
            shownPrompt = w->GetDlgItem(1012)->GetWindowText();
            w->GetDlgItem(1067)->SetWindowText("Saturday dance");
            if (r.button)
                w->SendMessage(WM_COMMAND, MAKEWPARAM(r.button, BN_CLICKED), LPARAM(w->GetDlgItem(r.button)->m_hWnd));
            else
                w->SendMessage(WM_CLOSE);
            return IDCANCEL;
        });
        CGetName dlg("rec-%n", "Enter the filename:");
        EXPECT_EQ(dlg.DoModal(), r.result) << r.name;
        EXPECT_EQ(shownName, "rec-%n") << r.name;
        EXPECT_EQ(shownPrompt, "Enter the filename:") << r.name;
        EXPECT_EQ(dlg.GetName(), r.chosen) << r.name;
    }
    win::SetMessageBoxAnswerer({});
}

} // namespace
