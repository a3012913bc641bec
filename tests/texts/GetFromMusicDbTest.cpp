// The record picker as a caller uses it: the records it lists in each mode,
// the order a header click gives, and what Select and a double click hand back.
#include "texts/GetFromMusicDb.h"

#include "RecordWindowsFixture.h"

namespace {

using recordtest::Record;

class RecordPickerTest : public recordtest::RecordWindowsTest {
protected:
    void SetUp() override
    {
        RecordWindowsTest::SetUp();
        addRecords({{"AB 123  ", "Sunny Day", "John O'Neil", "ACME", "<p>sheet</p>"},
                    {"RR 7", "apple Tree", "Ann", "Red", ""},
                    {"CD 1", "Apple Tree", "Bob", "Blue", "[no] none"},
                    {"AB 99", "Moon", "Ann", "ACME", "text"}});
    }
    // Runs a picker; the steps act on the open window, which is then cancelled unless they end it.
    int run(CGetFromMusicDb& dlg, const std::function<void(CWnd&)>& steps)
    {
        win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::MessageBox) {
                boxes.push_back(q.text);
                return IDOK;
            }
            if (q.dialogId != CGetFromMusicDb::IDD)
                return std::nullopt;
            steps(*q.window);
            return IDCANCEL;
        });
        return int(dlg.DoModal());
    }
    static CListCtrl& list(CWnd& w) { return *static_cast<CListCtrl*>(w.GetDlgItem(1191)); }
    // The listed rows as "title|label|caller", read through the list.
    static std::vector<std::string> shown(CWnd& w)
    {
        std::vector<std::string> rows;
        CListCtrl& l = list(w);
        for (int i = 0; i < l.GetItemCount(); ++i)
            rows.push_back(l.GetItemText(i, 0) + "|" + l.GetItemText(i, 1) + "|" + l.GetItemText(i, 2));
        return rows;
    }
};

TEST_F(RecordPickerTest, ModeOneListsOnlyRecordsWithACueSheetAndModeZeroAll)
{
    struct Case {
        int mode;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {0, {"Sunny Day|AB 123  |John O'Neil", "apple Tree|RR 7|Ann", "Apple Tree|CD 1|Bob", "Moon|AB 99|Ann"}},
        {1, {"Sunny Day|AB 123  |John O'Neil", "Moon|AB 99|Ann"}},
        {2, {"Sunny Day|AB 123  |John O'Neil", "apple Tree|RR 7|Ann", "Apple Tree|CD 1|Bob", "Moon|AB 99|Ann"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        CGetFromMusicDb dlg(c.mode);
        std::vector<std::string> rows;
        EXPECT_EQ(run(dlg, [&](CWnd& w) {
                      rows = shown(w);
                      EXPECT_EQ(w.GetWindowText(), "Mirtal - Get From Music Database");
                  }),
                  IDCANCEL);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST_F(RecordPickerTest, HeaderClicksSortAscendingThenDescendingWhateverTheColumn)
{
    CGetFromMusicDb dlg(0);
    std::vector<std::vector<std::string>> orders;
    run(dlg, [&](CWnd& w) {
        notify(w, 1191, LVN_COLUMNCLICK, -1, 1); // Label: ascending, ties by title
        orders.push_back(shown(w));
        notify(w, 1191, LVN_COLUMNCLICK, -1, 0); // Title: descending
        orders.push_back(shown(w));
        notify(w, 1191, LVN_COLUMNCLICK, -1, 0); // Title again: ascending, upper case first
        orders.push_back(shown(w));
    });
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0], (std::vector<std::string>{"Sunny Day|AB 123  |John O'Neil", "Moon|AB 99|Ann",
                                                   "Apple Tree|CD 1|Bob", "apple Tree|RR 7|Ann"}));
    EXPECT_EQ(orders[1], (std::vector<std::string>{"apple Tree|RR 7|Ann", "Sunny Day|AB 123  |John O'Neil",
                                                   "Moon|AB 99|Ann", "Apple Tree|CD 1|Bob"}));
    EXPECT_EQ(orders[2], (std::vector<std::string>{"Apple Tree|CD 1|Bob", "Moon|AB 99|Ann",
                                                   "Sunny Day|AB 123  |John O'Neil", "apple Tree|RR 7|Ann"}));

    // Every opening starts the order afresh: the first click sorts ascending again.
    CGetFromMusicDb again(0);
    std::vector<std::string> first;
    run(again, [&](CWnd& w) {
        notify(w, 1191, LVN_COLUMNCLICK, -1, 2);
        first = shown(w);
    });
    EXPECT_EQ(first, (std::vector<std::string>{"Moon|AB 99|Ann", "apple Tree|RR 7|Ann", "Apple Tree|CD 1|Bob",
                                               "Sunny Day|AB 123  |John O'Neil"}));
}

TEST_F(RecordPickerTest, SelectAndDoubleClickHandBackTheMarkedRecord)
{
    struct Case {
        const char* what;
        int row;   // -1 marks none
        bool doubleClick;
        const char* label;
        const char* title;
        const char* caller;
    };
    const Case cases[] = {
        {"select", 0, false, "AB 123", "Sunny Day", "John O'Neil"},
        {"double click", 3, true, "AB 99", "Moon", "Ann"},
        {"select without a row", -1, false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGetFromMusicDb dlg(0);
        const int result = run(dlg, [&](CWnd& w) {
            if (c.row >= 0) { // as a click on the row leaves it
                list(w).SetItemState(c.row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                list(w).SetSelectionMark(c.row);
            }
            if (c.doubleClick)
                notify(w, 1191, NM_DBLCLK, c.row);
            else
                click(w, 1097);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dlg.GetLabel(), c.label);
        EXPECT_EQ(dlg.GetTitle(), c.title);
        EXPECT_EQ(dlg.GetCaller(), c.caller);
    }
}

TEST_F(RecordPickerTest, AnEmptyCatalogueListsNothingAndSelectGivesEmptyTexts)
{
    CppSQLite3DB db;
    db.Open(dir.file("utility.db"));
    db.Execute("delete from sqrecord;");
    CGetFromMusicDb dlg(1);
    int rows = -1;
    EXPECT_EQ(run(dlg, [&](CWnd& w) {
                  rows = list(w).GetItemCount();
                  shoot(w, "record-picker-empty.png");
                  click(w, 1097);
              }),
              IDOK);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(dlg.GetLabel() + dlg.GetTitle() + dlg.GetCaller(), "");
}

TEST_F(RecordPickerTest, LooksRight)
{
    CGetFromMusicDb dlg(0);
    run(dlg, [&](CWnd& w) {
        list(w).SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        shoot(w, "record-picker.png");
    });
}

} // namespace
