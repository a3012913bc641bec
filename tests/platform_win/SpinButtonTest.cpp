// The up-down control: its buddy's number, UDN_DELTAPOS before each step (a
// parent may refuse it), the scroll reports, the range's direction and the
// buddy's arrow keys.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT kSpinDialog = 9171;

const char* kScript = R"rc(
9171 DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT        1401, 10, 10, 40, 14, ES_AUTOHSCROLL
    CONTROL         "", 1402, "msctls_updown32", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_AUTOBUDDY, 50, 10, 10, 14
    EDITTEXT        1403, 10, 40, 40, 14, ES_AUTOHSCROLL
    CONTROL         "", 1404, "msctls_updown32", UDS_SETBUDDYINT | UDS_WRAP, 60, 40, 10, 14
END
)rc";

class SpinDialog : public CDialog {
public:
    SpinDialog() : CDialog(kSpinDialog) {}
    // "id:from+delta" per UDN_DELTAPOS, then "pos" / "end" per scroll report.
    std::vector<std::string> heard;
    bool refuse = false;

protected:
    DECLARE_MESSAGE_MAP()
    void OnDelta(NMHDR* h, LRESULT* result)
    {
        auto* nm = reinterpret_cast<NMUPDOWN*>(h);
        heard.push_back(std::to_string(h->idFrom) + ":" + std::to_string(nm->iPos) + (nm->iDelta > 0 ? "+" : "") +
                        std::to_string(nm->iDelta));
        *result = refuse ? 1 : 0;
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar*)
    {
        heard.push_back(code == SB_ENDSCROLL ? "end" : "pos " + std::to_string(short(pos)));
    }
};

BEGIN_MESSAGE_MAP(SpinDialog, CDialog)
    ON_NOTIFY(UDN_DELTAPOS, 1402, OnDelta)
    ON_NOTIFY(UDN_DELTAPOS, 1404, OnDelta)
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

class SpinButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool done = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)done;
        ASSERT_TRUE(dlg.Create(kSpinDialog));
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    CSpinButtonCtrl* spin(int id) { return dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(id)); }
    // The user clicks the up (or down) arrow.
    void click(int id, bool up)
    {
        auto arrows = spin(id)->widget()->findChildren<QToolButton*>();
        for (QToolButton* b : arrows)
            if ((b->arrowType() == Qt::UpArrow) == up)
                b->click();
    }
    SpinDialog dlg;
};

TEST_F(SpinButtons, AClickAsksTheParentThenWritesTheBuddyAndReportsTheNewPosition)
{
    ASSERT_NE(spin(1402), nullptr);
    spin(1402)->SetRange(1, 300);
    EXPECT_EQ(spin(1402)->GetBuddy(), dlg.GetDlgItem(1401)); // the control made before it
    spin(1402)->SetPos(3);
    EXPECT_EQ(dlg.GetDlgItem(1401)->GetWindowText(), "3");
    EXPECT_TRUE(dlg.heard.empty()); // the program's own changes are not reported

    click(1402, true);
    EXPECT_EQ(dlg.heard, (std::vector<std::string>{"1402:3+1", "pos 4", "end"}));
    EXPECT_EQ(dlg.GetDlgItem(1401)->GetWindowText(), "4");

    // A number typed into the buddy is where the next step starts.
    dlg.heard.clear();
    dlg.GetDlgItem(1401)->SetWindowText("250");
    EXPECT_EQ(spin(1402)->GetPos(), 250);
    click(1402, false);
    EXPECT_EQ(dlg.heard, (std::vector<std::string>{"1402:250-1", "pos 249", "end"}));

    // A refused step changes nothing.
    dlg.heard.clear();
    dlg.refuse = true;
    click(1402, true);
    EXPECT_EQ(dlg.heard, (std::vector<std::string>{"1402:249+1", "end"}));
    EXPECT_EQ(dlg.GetDlgItem(1401)->GetWindowText(), "249");

    // Text that is no number in range is reported, and the last position stays.
    dlg.GetDlgItem(1401)->SetWindowText("abc");
    BOOL error = FALSE;
    EXPECT_EQ(spin(1402)->GetPos32(&error), 249);
    EXPECT_TRUE(error);
}

TEST_F(SpinButtons, RangeEndsHoldOrWrapAndAReversedRangeTurnsTheArrowsRound)
{
    spin(1402)->SetRange(-9, 9);
    EXPECT_EQ(spin(1402)->SetPos(20), 0); // clamped; the old position comes back
    EXPECT_EQ(spin(1402)->GetPos(), 9);
    click(1402, true);
    EXPECT_EQ(spin(1402)->GetPos(), 9);
    spin(1402)->SetPos(-9);
    EXPECT_EQ(dlg.GetDlgItem(1401)->GetWindowText(), "-9");

    spin(1404)->SetBuddy(dlg.GetDlgItem(1403));
    spin(1404)->SetRange32(0, 500);
    spin(1404)->SetPos(500);
    click(1404, true);
    EXPECT_EQ(dlg.GetDlgItem(1403)->GetWindowText(), "0"); // UDS_WRAP

    // A new control counts from 100 down to 0: its up arrow lowers the number.
    dlg.heard.clear();
    spin(1404)->SetRange(100, 0);
    spin(1404)->SetPos(50);
    click(1404, true);
    EXPECT_EQ(spin(1404)->GetPos(), 49);
    EXPECT_EQ(dlg.heard.front(), "1404:50-1");
}

TEST_F(SpinButtons, TheBuddysArrowKeysStepAndTheArrowsSitInsideItsRightEdge)
{
    spin(1402)->SetRange(1, 99);
    spin(1402)->SetPos(8);
    QWidget* edit = dlg.GetDlgItem(1401)->widget();
    for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Up}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(dlg.GetDlgItem(1401)->GetWindowText(), "10");
    const QRect arrows = spin(1402)->widget()->geometry();
    EXPECT_EQ(arrows.right(), edit->geometry().right() + arrows.width());
    EXPECT_EQ(arrows.top(), edit->geometry().top());
}

} // namespace
