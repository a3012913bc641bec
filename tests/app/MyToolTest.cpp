// The text-case tool: what each button makes of the text shown, and the
// clipboard.
#include "MainWindowFixture.h"
#include "app/MyTool.h"
#include "platform/win/Clipboard.h"

#include <gtest/gtest.h>

namespace {

void click(CWnd& w, int id)
{
    w.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(w.GetDlgItem(id)->m_hWnd));
}

struct CaseRow {
    const char* text;
    int button;
    const char* expected;
};

TEST(MyToolTest, EachButtonChangesTheCaseOfWhatTheEditShows)
{
    const CaseRow rows[] = {
        {"Hello World", 1329, "hello world"},
        {"Hello World", 1331, "HELLO WORLD"},
        {"  rock/ROLL song", 1330, "Rock/Roll Song"},
        {"Ärger über Öl", 1331, "ÄRGER ÜBER ÖL"},
        {"ÄRGER ÜBER ÖL", 1329, "ärger über öl"},
        {"", 1330, ""},
    };
    for (const CaseRow& r : rows) {
        CMyTool tool;
        ASSERT_TRUE(tool.Create(CMyTool::IDD));
        tool.GetDlgItem(1328)->SetWindowText(r.text);
        EXPECT_EQ(tool.GetText(), r.text) << "the edit's change reaches the text";
        click(tool, r.button);
        EXPECT_EQ(tool.GetDlgItem(1328)->GetWindowText(), r.expected) << r.text << " / " << r.button;
        EXPECT_EQ(tool.GetText(), r.expected);
        if (r.button == 1330 && *r.text)
            mainwindowtest::screenshot(tool.frameWidget()->grab().toImage(), "text-case-tool.png");
        tool.DestroyWindow();
    }
}

TEST(MyToolTest, StartsEmptyAtItsPlaceAndCopiesToTheClipboardStayingOpen)
{
    CMyTool first;
    ASSERT_TRUE(first.Create(CMyTool::IDD));
    first.GetDlgItem(1328)->SetWindowText("left over");
    first.DestroyWindow();

    CMyTool tool;
    ASSERT_TRUE(tool.Create(CMyTool::IDD));
    EXPECT_EQ(tool.GetText(), "");
    EXPECT_EQ(tool.GetDlgItem(1328)->GetWindowText(), "");
    EXPECT_TRUE(tool.IsWindowVisible());
    CRect r;
    tool.GetWindowRect(r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.Width(), 490);
    EXPECT_EQ(r.Height(), 260);

    tool.GetDlgItem(1328)->SetWindowText("square dance");
    click(tool, 1330);
    click(tool, 1235);
    EXPECT_EQ(win::GetClipboardText(), "Square Dance");
    EXPECT_TRUE(tool.IsWindowVisible());
    tool.DestroyWindow();
}

} // namespace
