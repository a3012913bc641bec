// The report list of the markers: columns from one text, typed sorting by
// header clicks, row filters, cell colours, check modes and in-place editing.
#include "ControlShots.h"
#include "controls/ReportCtrl.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/Resources.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr UINT kReportDialog = 9722;

const char* kScript = R"rc(
9722 DIALOGEX 0, 0, 260, 200
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    CONTROL         "", 1146, "SysListView32", 0x3 | LVS_EDITLABELS | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 5, 5, 250, 150
    EDITTEXT        1004, 5, 160, 60, 14
END
)rc";

class ReportDialog : public CDialog {
public:
    ReportDialog() : CDialog(kReportDialog) {}
    CReportCtrl list;
    std::vector<std::string> heard;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UWM_REPORT_SORTED)
            heard.push_back("sorted " + std::to_string(wParam) + (lParam ? " up" : " down"));
        else if (message == UWM_REPORT_CHECKBOX)
            heard.push_back("checkbox " + std::to_string(wParam));
        return CDialog::WindowProc(message, wParam, lParam);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, 1146, list);
    }
};

struct ReportCtrls : ::testing::Test {
    ReportDialog dlg;
    CReportCtrl& list = dlg.list;

    void SetUp() override
    {
        static const bool added = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)added;
        ASSERT_TRUE(dlg.Create(kReportDialog));
        dlg.ShowWindow(SW_SHOW);
        win::PumpMessages(10);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    void fill(const std::vector<std::string>& column0)
    {
        list.SetColumnHeader("Markers , 60; int, 0; Comment, 105");
        for (size_t i = 0; i < column0.size(); ++i) {
            list.InsertItem(int(i), column0[i]);
            list.SetItemText(int(i), 1, std::to_string(i));
            list.SetItemText(int(i), 2, "note " + std::to_string(i));
        }
    }
    std::vector<std::string> texts(int column)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back(list.GetItemText(i, column));
        return out;
    }
    void clickHeader(int column)
    {
        QHeaderView* h = qobject_cast<QTableView*>(list.widget())->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(column) + 20, h->height() / 2); // clear of the dividers
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, h->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(h->viewport(), &e);
        }
    }
    void clickCell(int row, int column)
    {
        CRect r;
        list.GetSubItemRect(row, column, LVIR_LABEL, r);
        clickAt(r.CenterPoint());
    }
    // A click on the check box of a row (the box sits at the left of column 0).
    void clickBox(int row)
    {
        CRect r;
        list.GetSubItemRect(row, 0, LVIR_LABEL, r);
        clickAt(CPoint(r.left + 6, r.CenterPoint().y));
    }
    void clickAt(CPoint client)
    {
        QWidget* vp = qobject_cast<QAbstractScrollArea*>(list.widget())->viewport();
        const QPointF at = QPointF(client.x, client.y) - QPointF(vp->pos());
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, vp->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(vp, &e);
        }
    }
    void key(CWnd& target, int k)
    {
        QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target.widget(), &down);
    }
};

TEST_F(ReportCtrls, TakingOverATemplateListMakesItAReportWithFullRowSelect)
{
    EXPECT_EQ(list.GetStyle() & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_FALSE(list.GetStyle() & LVS_EDITLABELS);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
    list.SetGridLines(TRUE);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_GRIDLINES);
    list.SetExtendedStyle(0);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES) << "always kept";

    CReportCtrl made;
    ASSERT_TRUE(made.Create(&dlg, 2000));
    CRect client, own;
    dlg.GetClientRect(&client);
    made.GetClientRect(&own);
    EXPECT_EQ(own.Size(), client.Size()) << "no rectangle: the parent's client area";
    EXPECT_EQ(made.GetStyle() & (LVS_TYPEMASK | WS_VISIBLE), LVS_REPORT | WS_VISIBLE);
    made.DestroyWindow();
}

TEST_F(ReportCtrls, BuildsItsColumnsFromOneText)
{
    struct Column {
        std::string name;
        int width;
        int format;
    };
    struct Case {
        const char* spec;
        BOOL made;
        std::vector<Column> columns;
    };
    const Case cases[] = {
        {"Markers , 60; int, 0; Comment, 105", TRUE,
         {{"Markers ", 60, LVCFMT_LEFT}, {" int", 0, LVCFMT_LEFT}, {" Comment", 105, LVCFMT_LEFT}}},
        {"Name;Rate,40,1;Size,50,2;;Path,70,7", TRUE,
         {{"Name", 100, LVCFMT_LEFT}, {"Rate", 40, LVCFMT_CENTER}, {"Size", 50, LVCFMT_RIGHT}, {"Path", 70, LVCFMT_LEFT}}},
        {";;", FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spec);
        fill({"00:15", "01:30"});
        ASSERT_EQ(list.GetItemCount(), 2);
        EXPECT_EQ(list.SetColumnHeader(c.spec), c.made);
        EXPECT_EQ(list.GetItemCount(), 0) << "the rows go with the old columns";
        ASSERT_EQ(list.GetColumnCount(), int(c.columns.size()));
        for (size_t i = 0; i < c.columns.size(); ++i) {
            char name[64] = "";
            LVCOLUMN info;
            info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            info.pszText = name;
            info.cchTextMax = sizeof name;
            ASSERT_TRUE(list.GetColumn(int(i), &info));
            EXPECT_EQ(name, c.columns[i].name);
            EXPECT_EQ(info.cx, c.columns[i].width);
            EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, c.columns[i].format);
        }
    }
}

TEST_F(ReportCtrls, SortsNumbersDatesAndTimesByValueAndOtherTextsAsText)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::vector<std::string> ascending;
    };
    const Case cases[] = {
        {"hexadecimal", {"10", "A", "9"}, {"9", "A", "10"}},
        {"decimal numbers and a percentage", {"10", "2%", "1.5"}, {"1.5", "2%", "10"}},
        {"times of markers", {"10:05", "9:30", "00:15"}, {"00:15", "9:30", "10:05"}},
        {"dates, day first", {"10.1.2024", "9.1.2024", "31.12.2023"}, {"31.12.2023", "9.1.2024", "10.1.2024"}},
        {"dates with month names", {"Jan 5, 2024", "Dec 1, 2023", "3 Feb 2024"}, {"Dec 1, 2023", "Jan 5, 2024", "3 Feb 2024"}},
        {"dates with times", {"2024-03-05 9:00", "2024-03-05 10:00", "2024-03-04 23:59"},
         {"2024-03-04 23:59", "2024-03-05 9:00", "2024-03-05 10:00"}},
        {"mixed kinds compare as text", {"zeta", "Mar 5, 2024", "apple"}, {"Mar 5, 2024", "apple", "zeta"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fill(c.rows);
        ASSERT_TRUE(list.SortItems(0, TRUE));
        EXPECT_EQ(texts(0), c.ascending);
        ASSERT_TRUE(list.SortItems(0, FALSE));
        EXPECT_EQ(texts(0), std::vector<std::string>(c.ascending.rbegin(), c.ascending.rend()));
    }
    // The other cells travel with their row.
    fill({"10", "A", "9"});
    list.SortItems(0, TRUE);
    EXPECT_EQ(texts(2), (std::vector<std::string>{"note 2", "note 1", "note 0"}));
}

TEST_F(ReportCtrls, HeaderClicksSortAscendingThenDescending)
{
    fill({"02:45", "00:15", "01:30"});
    clickHeader(0);
    EXPECT_EQ(texts(0), (std::vector<std::string>{"00:15", "01:30", "02:45"}));
    clickHeader(0);
    EXPECT_EQ(texts(0), (std::vector<std::string>{"02:45", "01:30", "00:15"}));
    clickHeader(2);
    EXPECT_EQ(texts(2), (std::vector<std::string>{"note 0", "note 1", "note 2"}));
    EXPECT_FALSE(list.SortItems(2, TRUE)) << "already sorted so";
    list.InsertItem(3, "00:01");
    clickHeader(2);
    EXPECT_EQ(dlg.heard, (std::vector<std::string>{"sorted 0 up", "sorted 0 down", "sorted 2 up", "sorted 2 up"}))
        << "a new row makes the list forget its sort";
    EXPECT_FALSE(list.SortItems(5, TRUE)) << "no such column";
}

TEST_F(ReportCtrls, CountsFindsAndDeletesRowsByTheirState)
{
    fill({"a", "b", "c", "d", "e"});
    list.SetItemStates(1, RC_ITEM_SELECTED);
    list.SetItemStates(3, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    list.SetItemStates(4, RC_ITEM_CHECKED);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_SELECTED), 2);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_UNSELECTED | RC_ITEM_UNCHECKED), 2);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_SELECTED | RC_ITEM_FOCUSED), 1);
    EXPECT_EQ(list.GetItemCount(0), 0);
    EXPECT_EQ(list.FindItem(RC_ITEM_SELECTED), 1);
    EXPECT_EQ(list.FindItem(RC_ITEM_SELECTED, 1), 3);
    EXPECT_EQ(list.FindItem(RC_ITEM_SELECTED, 3), -1);
    EXPECT_EQ(list.FindItem(RC_ITEM_CHECKED), 4);
    EXPECT_FALSE(list.SetItemStates(9, RC_ITEM_SELECTED));

    EXPECT_EQ(list.DeleteAllItems(RC_ITEM_SELECTED), 2) << "exactly the selected rows";
    EXPECT_EQ(texts(0), (std::vector<std::string>{"a", "c", "e"}));
    EXPECT_EQ(texts(2), (std::vector<std::string>{"note 0", "note 2", "note 4"}));
    EXPECT_EQ(list.DeleteAllItems(RC_ITEM_SELECTED), 0);
    EXPECT_EQ(list.SetAllItemStates(RC_ITEM_ALL, RC_ITEM_SELECTED), 3);
    EXPECT_EQ(list.SetAllItemStates(0, RC_ITEM_SELECTED), 0);
    EXPECT_EQ(list.DeleteAllItems(), 3) << "all rows: the number there were";
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.DeleteAllItems(), 0);
}

TEST_F(ReportCtrls, ChecksStaySingleInSingleModeAndClicksWithoutCheckBoxesReportNone)
{
    fill({"a", "b", "c", "d"});
    list.SetCheckboxMode(RC_CHKBOX_SINGLE);
    list.SetItemStates(3, RC_ITEM_CHECKED);
    list.SetItemStates(1, RC_ITEM_CHECKED);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1) << "one checked row, also when an earlier row is checked";
    EXPECT_TRUE(list.GetCheck(1));
    list.SetAllItemStates(RC_ITEM_ALL, RC_ITEM_CHECKED);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1);

    list.SetCheckboxMode(RC_CHKBOX_NORMAL);
    clickCell(2, 0);
    clickCell(0, 2);
    EXPECT_TRUE(dlg.heard.empty());
    EXPECT_EQ(list.FindItem(RC_ITEM_SELECTED), 0);
}

TEST_F(ReportCtrls, ClicksOnCheckBoxesFollowTheCheckMode)
{
    fill({"a", "b", "c", "d"});
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    list.SetCheckboxMode(RC_CHKBOX_NORMAL);
    clickBox(2);
    EXPECT_TRUE(list.GetCheck(2));
    EXPECT_EQ(dlg.heard, std::vector<std::string>{"checkbox 2"});
    EXPECT_EQ(list.FindItem(RC_ITEM_SELECTED | RC_ITEM_FOCUSED), 2) << "the clicked row is selected and focused";
    clickCell(1, 1);
    EXPECT_FALSE(list.GetCheck(1)) << "a click beside the box checks nothing";

    list.SetCheckboxMode(RC_CHKBOX_SINGLE);
    clickBox(0);
    EXPECT_TRUE(list.GetCheck(0));
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1) << "single mode unchecks row 2";

    list.SetCheckboxMode(RC_CHKBOX_FIXED);
    dlg.heard.clear();
    clickBox(3);
    clickBox(0);
    EXPECT_FALSE(list.GetCheck(3));
    EXPECT_TRUE(list.GetCheck(0)) << "fixed mode puts the check back";
    EXPECT_TRUE(dlg.heard.empty());

    list.SetCheckboxMode(RC_CHKBOX_NORMAL);
    list.SetItemStates(3, RC_ITEM_FOCUSED);
    list.SetFocus();
    key(list, Qt::Key_Space);
    EXPECT_FALSE(list.GetCheck(3)) << "the keyboard never toggles a check box";

    const QImage shot = shots::grab(list, "report-checks");
    CRect box;
    list.GetSubItemRect(0, 0, LVIR_LABEL, box);
    int ink = 0;
    for (int x = box.left + 2; x < box.left + 15; ++x)
        for (int y = box.top; y < box.bottom; ++y)
            ink += shots::at(shot, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(ink, 4) << "a checked row shows its tick";
}

TEST_F(ReportCtrls, ColoursCellsRowsColumnsOrAllOfThem)
{
    fill({"00:15", "r01:30", "02:45"});
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    list.SetItemBkColor(-1, -1, RGB(1, 2, 3), FALSE);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(list.GetItemBkColor(r, c), RGB(1, 2, 3)) << r << "." << c;
    list.SetItemBkColor(1, -1, RGB(255, 0, 0));
    list.SetItemBkColor(-1, 2, RGB(0, 0, 255));
    list.SetItemBkColor(0, 0, COLORREF(-1));
    EXPECT_EQ(list.GetItemBkColor(0, 0), window);
    EXPECT_EQ(list.GetItemBkColor(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(list.GetItemBkColor(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(list.GetItemBkColor(2, 0), RGB(1, 2, 3));
    EXPECT_EQ(list.GetItemBkColor(3, 0), COLORREF(-1));
    EXPECT_EQ(list.GetItemBkColor(0, 3), COLORREF(-1));

    list.SetGridLines(TRUE);
    const QImage shot = shots::grab(list, "report-colours");
    for (auto [row, column, colour] : {std::tuple{1, 0, RGB(255, 0, 0)}, std::tuple{2, 2, RGB(0, 0, 255)},
                                      std::tuple{0, 0, window}, std::tuple{2, 0, RGB(1, 2, 3)}}) {
        CRect r;
        list.GetSubItemRect(row, column, LVIR_LABEL, r);
        EXPECT_EQ(shots::at(shot, r.right - 3, r.top + 2), colour) << row << "." << column;
    }
}

TEST_F(ReportCtrls, EditsACellInPlaceCommittingOnEnterAndFocusLossAndCancellingOnEsc)
{
    fill({"00:15", "01:30", "02:45"});
    CWnd* other = dlg.GetDlgItem(1004);
    EXPECT_FALSE(list.StartEdit(1, 2)) << "editing is off at first";
    list.SetEditable(TRUE);

    struct Case {
        const char* name;
        int key; // 0: the focus goes elsewhere
        const char* expect;
    };
    const Case cases[] = {{"Enter", Qt::Key_Return, "edited"}, {"Esc", Qt::Key_Escape, "note 1"},
                          {"focus loss", 0, "edited"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.SetItemText(1, 2, "note 1");
        ASSERT_TRUE(list.StartEdit(1, 2));
        CEdit* box = list.GetEditControl();
        EXPECT_TRUE(box->IsWindowVisible());
        EXPECT_EQ(box->GetWindowText(), "note 1");
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        box->SetWindowText("edited");
        if (c.key) {
            key(*box, c.key);
        } else {
            other->SetFocus();
            win::PumpMessages(10);
        }
        EXPECT_FALSE(list.IsEditing());
        EXPECT_FALSE(box->IsWindowVisible());
        EXPECT_EQ(list.GetItemText(1, 2), c.expect);
        EXPECT_TRUE(dlg.IsWindowVisible()) << "Enter and Esc stay with the edit";
    }

    // Tab goes on to the next cell of the row, from the last back to the first.
    ASSERT_TRUE(list.StartEdit(0, 2));
    list.GetEditControl()->SetWindowText("first");
    key(*list.GetEditControl(), Qt::Key_Tab);
    EXPECT_EQ(list.GetItemText(0, 2), "first");
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(list.GetEditControl()->GetWindowText(), "00:15");
    key(*list.GetEditControl(), Qt::Key_Down);
    EXPECT_EQ(list.GetEditControl()->GetWindowText(), "01:30") << "Down edits the same column a row lower";
    EXPECT_TRUE(list.EndEdit(FALSE) == FALSE);

    // A click on the selected and focused row opens the cell clicked; the sort is forgotten after a change.
    list.SortItems(2, TRUE);
    list.SetItemStates(2, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    clickCell(2, 2);
    ASSERT_TRUE(list.IsEditing());
    CRect cell, box;
    list.GetSubItemRect(2, 2, LVIR_LABEL, cell);
    list.GetEditControl()->GetWindowRect(&box);
    list.ScreenToClient(&box);
    EXPECT_EQ(box, cell) << "the box lies over the cell";
    list.GetEditControl()->SetWindowText("changed");
    EXPECT_TRUE(list.EndEdit(TRUE));
    dlg.heard.clear();
    EXPECT_TRUE(list.SortItems(2, TRUE));
    EXPECT_EQ(texts(2), (std::vector<std::string>{"changed", "edited", "first"})) << "sorting sees the edited text";
}

} // namespace
