// The combo box: sorted and unsorted entries, prefix search, item data, the
// selection as Windows keeps it, and CBN_SELCHANGE for the user's picks only.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT kComboDialog = 9161;

const char* kScript = R"rc(
9161 DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    COMBOBOX        1301, 10, 10, 80, 60, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_DISABLED | WS_TABSTOP
    COMBOBOX        1302, 10, 30, 80, 60, CBS_DROPDOWNLIST | WS_TABSTOP
    COMBOBOX        1303, 10, 50, 80, 60, CBS_DROPDOWN | WS_TABSTOP
END
)rc";

class ComboDialog : public CDialog {
public:
    ComboDialog() : CDialog(kComboDialog) {}
    // "id:selection" per CBN_SELCHANGE, the selection read while handling it.
    std::vector<std::string> changes;
    int edits = 0;
    // "+id" when a box gains the focus, "-id" when it loses it.
    std::vector<std::string> focus;

protected:
    DECLARE_MESSAGE_MAP()
    void record(int id) { changes.push_back(std::to_string(id) + ":" + std::to_string(box(id)->GetCurSel())); }
    CComboBox* box(int id) { return static_cast<CComboBox*>(GetDlgItem(id)); }
    void OnChange1() { record(1301); }
    void OnChange2() { record(1302); }
    void OnChange3() { record(1303); }
    void OnEdit3() { ++edits; }
    void OnFocus2() { focus.push_back("+1302"); }
    void OnLeave2() { focus.push_back("-1302"); }
    void OnFocus3() { focus.push_back("+1303"); }
    void OnLeave3() { focus.push_back("-1303"); }
};

BEGIN_MESSAGE_MAP(ComboDialog, CDialog)
    ON_CBN_SELCHANGE(1301, OnChange1)
    ON_CBN_SELCHANGE(1302, OnChange2)
    ON_CBN_SELCHANGE(1303, OnChange3)
    ON_CBN_EDITCHANGE(1303, OnEdit3)
    ON_CONTROL(CBN_SETFOCUS, 1302, OnFocus2)
    ON_CBN_KILLFOCUS(1302, OnLeave2)
    ON_CONTROL(CBN_SETFOCUS, 1303, OnFocus3)
    ON_CBN_KILLFOCUS(1303, OnLeave3)
END_MESSAGE_MAP()

class ComboBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool done = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)done;
        ASSERT_TRUE(dlg.Create(kComboDialog));
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    CComboBox* box(int id) { return dynamic_cast<CComboBox*>(dlg.GetDlgItem(id)); }
    std::vector<std::string> entries(int id)
    {
        std::vector<std::string> out;
        for (int i = 0; i < box(id)->GetCount(); ++i)
            out.push_back(box(id)->GetLBText(i));
        return out;
    }
    // What the user does: a key pressed on the closed box.
    void press(int id, int key)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box(id)->widget(), &down);
    }
    ComboDialog dlg;
};

TEST_F(ComboBoxes, ASortedBoxPlacesEntriesIgnoringCaseAnUnsortedOneKeepsTheirOrder)
{
    const std::vector<std::string> added = {"delta", "Alpha", "charlie", "bravo", "Charlie"};
    std::vector<int> sortedAt, plainAt;
    for (const auto& s : added) {
        sortedAt.push_back(box(1301)->AddString(s));
        plainAt.push_back(box(1302)->AddString(s));
    }
    EXPECT_EQ(sortedAt, (std::vector<int>{0, 0, 1, 1, 3}));
    EXPECT_EQ(plainAt, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(entries(1301), (std::vector<std::string>{"Alpha", "bravo", "charlie", "Charlie", "delta"}));
    EXPECT_EQ(entries(1302), added);

    // InsertString never sorts; -1 appends; past the end fails.
    EXPECT_EQ(box(1301)->InsertString(0, "zulu"), 0);
    EXPECT_EQ(box(1301)->InsertString(-1, "able"), 6);
    EXPECT_EQ(box(1301)->InsertString(9, "x"), CB_ERR);
    EXPECT_EQ(box(1301)->GetLBText(0), "zulu");
    EXPECT_EQ(box(1301)->GetLBTextLen(6), 4);
    std::string text = "old";
    EXPECT_EQ(box(1301)->GetLBText(7, text), CB_ERR);
    EXPECT_EQ(text, "");
    EXPECT_EQ(box(1301)->DeleteString(0), 6);
    EXPECT_EQ(box(1301)->DeleteString(6), CB_ERR);
}

TEST_F(ComboBoxes, PrefixSearchStartsAfterTheGivenEntryWrapsRoundAndIgnoresCase)
{
    for (const char* s : {"Smith, Anne", "smith, Bob", "Jones", "Smithers", "Ann"})
        box(1302)->AddString(s);
    struct Case {
        int start;
        const char* text;
        bool exact;
        int expected;
    };
    const Case cases[] = {
        {-1, "smith", false, 0}, {0, "SMITH", false, 1}, {1, "smith", false, 3}, {3, "smith", false, 0},
        {-1, "Ann", false, 4},   {-1, "ann", true, 4},   {-1, "smith", true, CB_ERR},
        {-1, "Brown", false, CB_ERR}, {99, "Jones", false, 2}, {-1, "", false, 0},
    };
    for (const Case& c : cases) {
        const int found = c.exact ? box(1302)->FindStringExact(c.start, c.text) : box(1302)->FindString(c.start, c.text);
        EXPECT_EQ(found, c.expected) << c.start << " '" << c.text << "' exact " << c.exact;
    }
    EXPECT_EQ(box(1302)->SelectString(-1, "jon"), 2);
    EXPECT_EQ(box(1302)->GetCurSel(), 2);
    EXPECT_EQ(box(1302)->GetWindowText(), "Jones");
    EXPECT_EQ(box(1302)->SelectString(-1, "Brown"), CB_ERR);
    EXPECT_EQ(box(1302)->GetCurSel(), 2) << "a failed search leaves the selection";
    // The same through the messages a dialog sends its items.
    EXPECT_EQ(dlg.SendDlgItemMessage(1302, CB_FINDSTRING, WPARAM(-1), LPARAM("SMITHE")), 3);
    EXPECT_TRUE(dlg.changes.empty()) << "the program's selections are not reported";
}

TEST_F(ComboBoxes, TheProgramsSelectionsStaySilentTheUsersPicksAreReported)
{
    for (const char* s : {"one", "two", "three"}) {
        box(1302)->AddString(s);
        box(1303)->AddString(s);
    }
    // Windows selects nothing when entries arrive; an edit field keeps its text.
    box(1303)->SetWindowText("typed");
    EXPECT_EQ(box(1303)->GetWindowText(), "typed");
    box(1303)->AddString("four");
    EXPECT_EQ(box(1302)->GetCurSel(), CB_ERR);
    EXPECT_EQ(box(1303)->GetCurSel(), CB_ERR);
    EXPECT_EQ(box(1303)->GetWindowText(), "typed");

    box(1302)->SetCurSel(1);
    box(1302)->SelectString(-1, "thr");
    box(1302)->SetWindowText("one");
    EXPECT_EQ(box(1302)->GetCurSel(), 0);
    EXPECT_EQ(box(1302)->SetCurSel(5), CB_ERR);
    EXPECT_EQ(box(1302)->GetCurSel(), CB_ERR) << "a bad index clears the selection";
    EXPECT_TRUE(dlg.changes.empty());
    EXPECT_EQ(dlg.edits, 0) << "the program's own text is no edit";

    box(1302)->SetCurSel(0);
    press(1302, Qt::Key_Down);
    press(1302, Qt::Key_Down);
    press(1303, Qt::Key_Down);
    press(1302, Qt::Key_Down); // already at the last entry: nothing changes
    EXPECT_EQ(dlg.changes, (std::vector<std::string>{"1302:1", "1302:2", "1303:0"}));

    // Deleting the selected entry leaves none selected, as on Windows.
    box(1302)->DeleteString(2);
    EXPECT_EQ(box(1302)->GetCurSel(), CB_ERR);
    box(1302)->SetCurSel(1);
    box(1302)->DeleteString(0);
    EXPECT_EQ(box(1302)->GetCurSel(), 0) << "a deletion above moves the selection with its entry";
    EXPECT_EQ(dlg.changes.size(), 3u);
}

TEST_F(ComboBoxes, TheParentHearsWhenABoxGainsAndLosesTheFocus)
{
    dlg.ShowWindow(SW_SHOW);
    box(1302)->SetFocus();
    QApplication::processEvents();
    dlg.focus.clear();
    box(1303)->SetFocus();
    QApplication::processEvents();
    box(1303)->SetWindowText("typed");
    box(1302)->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(dlg.focus, (std::vector<std::string>{"-1302", "+1303", "-1303", "+1302"}));
    EXPECT_EQ(box(1303)->GetWindowText(), "typed");
}

TEST_F(ComboBoxes, ItemDataFollowsItsEntryAndEnablingReachesTheWidget)
{
    auto* b = box(1301);
    b->SetItemData(b->AddString("m"), 13);
    b->SetItemData(b->AddString("z"), 26);
    b->SetItemData(b->AddString("a"), 1); // sorted in front of both
    EXPECT_EQ(b->GetItemData(0), 1u);
    EXPECT_EQ(b->GetItemData(1), 13u);
    EXPECT_EQ(b->GetItemData(2), 26u);
    EXPECT_EQ(b->AddString("b"), 1);
    EXPECT_EQ(b->GetItemData(1), 0u) << "a new entry has no datum";
    EXPECT_EQ(b->SetItemData(4, 5), CB_ERR);
    EXPECT_EQ(b->GetItemData(4), DWORD_PTR(CB_ERR));
    b->ResetContent();
    EXPECT_EQ(b->GetCount(), 0);

    // The template makes it disabled; the program turns it on and off.
    EXPECT_FALSE(b->IsWindowEnabled());
    EXPECT_FALSE(b->widget()->isEnabled());
    b->EnableWindow(TRUE);
    EXPECT_TRUE(b->IsWindowEnabled());
    EXPECT_TRUE(b->widget()->isEnabled());
    b->EnableWindow(FALSE);
    EXPECT_FALSE(b->widget()->isEnabled());
}

} // namespace
