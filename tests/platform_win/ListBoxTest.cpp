// The list box: sorted and unsorted entries, item data, the selection as
// Windows keeps it, and LBN_SELCHANGE and LBN_DBLCLK for what the user does.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT kListDialog = 9162;

const char* kScript = R"rc(
9162 DIALOGEX 0, 0, 200, 150
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    LISTBOX         1401, 10, 10, 80, 100, LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_TABSTOP
    LISTBOX         1402, 100, 10, 80, 100, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP
END
)rc";

class ListDialog : public CDialog {
public:
    ListDialog() : CDialog(kListDialog) {}
    // "change id:selection" or "dblclk id:selection", the selection read while handling it.
    std::vector<std::string> events;

protected:
    DECLARE_MESSAGE_MAP()
    void record(const char* what, int id)
    {
        events.push_back(std::string(what) + " " + std::to_string(id) + ":" +
                         std::to_string(static_cast<CListBox*>(GetDlgItem(id))->GetCurSel()));
    }
    void OnChange1() { record("change", 1401); }
    void OnChange2() { record("change", 1402); }
    void OnDouble2() { record("dblclk", 1402); }
};

BEGIN_MESSAGE_MAP(ListDialog, CDialog)
    ON_LBN_SELCHANGE(1401, OnChange1)
    ON_LBN_SELCHANGE(1402, OnChange2)
    ON_LBN_DBLCLK(1402, OnDouble2)
END_MESSAGE_MAP()

class ListBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool done = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)done;
        ASSERT_TRUE(dlg.Create(kListDialog));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    CListBox* box(int id) { return dynamic_cast<CListBox*>(dlg.GetDlgItem(id)); }
    std::vector<std::string> entries(int id)
    {
        std::vector<std::string> out;
        for (int i = 0; i < box(id)->GetCount(); ++i)
            out.push_back(box(id)->GetText(i));
        return out;
    }
    void press(int id, int key)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box(id)->widget(), &down);
    }
    // The mouse on the entry's centre: a click, or a click and a double click.
    void click(int id, int row, bool twice)
    {
        auto* l = qobject_cast<QListWidget*>(box(id)->widget());
        const QPointF at = l->visualItemRect(l->item(row)).center();
        auto send = [&](QEvent::Type type) {
            QMouseEvent e(type, at, l->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(l->viewport(), &e);
        };
        send(QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
        if (twice) {
            send(QEvent::MouseButtonDblClick);
            send(QEvent::MouseButtonRelease);
        }
    }
    ListDialog dlg;
};

TEST_F(ListBoxes, ASortedListPlacesEntriesIgnoringCaseAndItemDataFollowsThem)
{
    const std::vector<std::string> added = {"delta", "Alpha", "charlie", "bravo"};
    std::vector<int> sortedAt, plainAt;
    for (const auto& s : added) {
        sortedAt.push_back(box(1401)->AddString(s));
        plainAt.push_back(box(1402)->AddString(s));
        box(1401)->SetItemData(sortedAt.back(), s.size());
    }
    EXPECT_EQ(sortedAt, (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(plainAt, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(entries(1401), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(entries(1402), added);
    EXPECT_EQ(box(1401)->GetItemData(2), 7u);
    EXPECT_EQ(box(1401)->GetItemData(3), 5u);
    EXPECT_EQ(box(1401)->InsertString(0, "zulu"), 0);
    EXPECT_EQ(box(1401)->GetItemData(0), 0u);
    EXPECT_EQ(box(1401)->GetItemData(3), 7u);
    EXPECT_EQ(box(1401)->SetItemData(9, 1), LB_ERR);
    EXPECT_EQ(box(1401)->GetTextLen(1), 5);
    EXPECT_EQ(box(1401)->GetText(9), "");
    EXPECT_EQ(box(1401)->FindString(-1, "CH"), 3);
    EXPECT_EQ(box(1401)->FindStringExact(3, "zulu"), 0);
    EXPECT_EQ(box(1401)->DeleteString(0), 4);
    EXPECT_EQ(box(1401)->DeleteString(4), LB_ERR);
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(ListBoxes, TheProgramsSelectionsStaySilentTheUsersChangesAndDoubleClicksAreReported)
{
    for (const char* s : {"one", "two", "three"})
        box(1402)->AddString(s);
    EXPECT_EQ(box(1402)->GetCurSel(), LB_ERR) << "nothing is selected when entries arrive";
    box(1402)->widget()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(box(1402)->GetCurSel(), LB_ERR) << "taking the focus selects nothing";

    EXPECT_EQ(box(1402)->SetCurSel(1), 1);
    EXPECT_EQ(box(1402)->SelectString(-1, "TH"), 2);
    EXPECT_EQ(box(1402)->SelectString(-1, "four"), LB_ERR);
    EXPECT_EQ(box(1402)->GetCurSel(), 2);
    EXPECT_EQ(box(1402)->SetCurSel(7), LB_ERR);
    EXPECT_EQ(box(1402)->GetCurSel(), LB_ERR);
    EXPECT_TRUE(dlg.events.empty()) << "the program's selections are not reported";

    click(1402, 0, false);
    press(1402, Qt::Key_Down);
    click(1402, 2, true);
    const std::vector<std::string> expected = {"change 1402:0", "change 1402:1", "change 1402:2", "dblclk 1402:2"};
    EXPECT_EQ(dlg.events, expected);

    // Deleting the selected entry leaves none selected; a deletion above moves the selection with its entry.
    dlg.events.clear();
    box(1402)->DeleteString(2);
    EXPECT_EQ(box(1402)->GetCurSel(), LB_ERR);
    box(1402)->SetCurSel(1);
    box(1402)->DeleteString(0);
    EXPECT_EQ(box(1402)->GetCurSel(), 0);
    box(1402)->ResetContent();
    EXPECT_EQ(box(1402)->GetCount(), 0);
    EXPECT_TRUE(dlg.events.empty());
}

} // namespace
