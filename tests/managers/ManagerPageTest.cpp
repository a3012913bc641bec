// The frame every Tools page shares: row colours, the key-order sort with its
// direction, the list font's height, the close report, scroll keys, and a
// failed database operation caught at its handler.
#include "ManagersFixture.h"
#include "managers/ManagerPage.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Resources.h"
#include "store/ResourceIds.h"

namespace managerstest {
namespace {

constexpr UINT kPageId = 9351;
constexpr UINT kCloseCode = 933;

void addTemplate()
{
    static bool added = false;
    if (added)
        return;
    added = true;
    win::AddResourceScript(R"rc(
9351 DIALOGEX 0, 0, 300, 200
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME
CAPTION "Frame"
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT        1004, 0, 0, 8, 12, ES_AUTOHSCROLL | NOT WS_VISIBLE
    CONTROL         "", 1009, "SysListView32", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 5, 20, 290, 170
END
)rc");
}

// A page of one list of large rows, sorted in key order like the music manager.
class TestPage : public CManagerPage {
public:
    TestPage() : CManagerPage(kPageId, kCloseCode, nullptr) {}
    CQuickList list;
    std::vector<CMemArrayLarge> rows;
    managers::KeyOrder sort;
    int closedBefore = 0;
    bool failFill = false;

    void setRows(const std::vector<std::string>& texts, int column = 0)
    {
        rows.clear();
        for (const std::string& t : texts) {
            CMemArrayLarge r;
            r.SetCol(column, t);
            r.SetCol(1, "p" + t);
            rows.push_back(r);
        }
        list.SetItemCount(int(rows.size()));
    }
    std::string column(int c) const
    {
        std::string out;
        for (const CMemArrayLarge& r : rows)
            out += r.GetCol(c) + " ";
        return out;
    }
    void fill()
    {
        Guarded("Reading the songs", [&] {
            rows.clear();
            if (failFill)
                throw CppSQLite3Exception(1, "boom");
            setRows({"a", "b"});
        });
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CManagerPage::DoDataExchange(dx);
        DDX_Control(dx, 1009, list);
    }
    BOOL OnInitDialog() override
    {
        CManagerPage::OnInitDialog();
        managers::CreateTips(m_tips, this);
        AddList(list);
        managers::StyleList(list);
        for (const char* heading : {"C0", "C1", "C2"})
            list.InsertColumn(list.GetColumnCount(), heading, LVCFMT_LEFT, 60);
        sort.Reset(21, 20);
        ApplyListFont(1);
        StartFocusTimer(500);
        return TRUE;
    }
    void SupplyCell(HWND, ListCellData& cell) override
    {
        if (cell.GetItem() >= 0 && cell.GetItem() < int(rows.size()))
            cell.text = rows[cell.GetItem()].GetCol(cell.GetSubItem());
    }
    void HeaderClicked(CListCtrl*, int column) override
    {
        if (rows.empty())
            return;
        sort.Promote(column, true);
        managers::SortRows(rows, sort.Keys(), sort.descending);
    }
    void BeforeClose() override { ++closedBefore; }
    void AfterFailure() override { list.SetItemCount(int(rows.size())); }
};

class ManagerPageTest : public ManagersTest {
protected:
    std::unique_ptr<TestPage> page;
    void SetUp() override
    {
        ManagersTest::SetUp();
        addTemplate();
        page = std::make_unique<TestPage>();
        ASSERT_TRUE(page->Create(kPageId, &mainWnd));
        page->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        g_colorAllRows = 0;
        ManagersTest::TearDown();
    }
    void clickHeader(int column)
    {
        NMHEADER nm;
        nm.hdr.hwndFrom = page->list.GetHeaderCtrl()->m_hWnd;
        nm.hdr.code = HDN_ITEMCLICK;
        nm.iItem = column;
        page->list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
    }
    ListCellData cell(int row, int column)
    {
        return *page->list.RequestCell(row, column);
    }
};

TEST_F(ManagerPageTest, EvenRowsGetTheFixedColoursAndAllRowsWhenAsked)
{
    page->setRows({"a", "b", "c", "d"});
    const COLORREF back = RGB(212, 208, 200);
    for (int r = 0; r < 4; ++r) {
        const ListCellData c = cell(r, 0);
        if (r % 2 == 0) {
            EXPECT_EQ(c.textColor, RGB(10, 5, 20)) << r;
            EXPECT_EQ(c.backColor, back);
            EXPECT_EQ(c.hotTextColor, RGB(170, 10, 150));
            EXPECT_EQ(c.selTextColor, RGB(240, 200, 128));
            EXPECT_EQ(c.selBackColor, RGB(30, 0, 96));
            EXPECT_EQ(c.selBackColorNoFocus, RGB(20, 20, 120));
        } else {
            EXPECT_EQ(c.textColor, CLR_DEFAULT) << r;
            EXPECT_EQ(c.backColor, CLR_DEFAULT);
        }
        EXPECT_EQ(c.text, std::string(1, char('a' + r)));
    }
    g_colorAllRows = 1;
    EXPECT_EQ(cell(1, 0).backColor, back);
    EXPECT_EQ(cell(3, 2).textColor, RGB(10, 5, 20));
}

TEST_F(ManagerPageTest, HeaderClicksSortTextsByteWiseAndToggleTheDirection)
{
    page->setRows({"9", "10", "100"}, 2);
    clickHeader(2);
    EXPECT_EQ(page->column(2), "10 100 9 ") << "numbers sort as texts, ascending first";
    clickHeader(2);
    EXPECT_EQ(page->column(2), "9 100 10 ") << "the same column again: descending";
    clickHeader(1);
    EXPECT_EQ(page->sort.descending, 0) << "another column starts ascending";
    EXPECT_EQ(page->column(1), "p10 p100 p9 ");
    clickHeader(2);
    EXPECT_EQ(page->sort.descending, 0);
    EXPECT_EQ(page->column(2), "10 100 9 ");
    EXPECT_EQ(page->sort.order[0], 2);
    EXPECT_EQ(page->sort.order[1], 1) << "the earlier keys follow in their order";
    EXPECT_EQ(page->sort.order[2], 0);

    // Nothing happens with no rows (the direction stays).
    page->setRows({});
    clickHeader(2);
    EXPECT_EQ(page->sort.descending, 0);
}

TEST_F(ManagerPageTest, LaterKeysDecideTiesAndCaseMatters)
{
    TestPage& p = *page;
    p.rows.clear();
    for (auto [a, b] : {std::pair{"x", "2"}, {"X", "9"}, {"x", "1"}, {"a", "5"}}) {
        CMemArrayLarge r;
        r.SetCol(0, a);
        r.SetCol(1, b);
        p.rows.push_back(r);
    }
    managers::SortRows(p.rows, {0, 1}, false);
    EXPECT_EQ(p.column(0), "X a x x ");
    EXPECT_EQ(p.column(1), "9 5 1 2 ");
    managers::SortRows(p.rows, {0, 1}, true);
    EXPECT_EQ(p.column(1), "2 1 5 9 ");
}

TEST(ManagerFrame, ClickedColumnFirstKeysAndListFontHeight)
{
    EXPECT_EQ(managers::ClickedFirstKeys(3), (std::vector<int>{3, 0, 1, 2, 4, 5}));
    EXPECT_EQ(managers::ClickedFirstKeys(0), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(managers::ListFontHeight(-11, 96), 15);
    EXPECT_EQ(managers::ListFontHeight(-16, 120), 27);
    for (int size : {0, 1, 11, 40})
        EXPECT_EQ(managers::ListFontHeight(size, 96), 12) << size;
}

TEST_F(ManagerPageTest, TheListGetsTheToolsListFont)
{
    LOGFONT lf{};
    page->list.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, 15) << "the seeded \"-11\" at 96 dpi";
    EXPECT_EQ(lf.lfPitchAndFamily, 0x20);
}

TEST_F(ManagerPageTest, CloseReportsOnceAndNeverTouchesTheDestroyedWindow)
{
    mainWnd.onCode = [&](UINT code) {
        if (code == kCloseCode)
            page->DestroyWindow(); // as the main window does
    };
    page->SendMessage(WM_CLOSE);
    EXPECT_EQ(page->m_hWnd, nullptr);
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{kCloseCode});
    EXPECT_EQ(page->closedBefore, 1);
}

TEST_F(ManagerPageTest, EscClosesLikeTheCloseBoxAndWithoutAMainWindowThePageHides)
{
    g_mainWnd = nullptr;
    page->SendMessage(WM_COMMAND, IDCANCEL, 0);
    ASSERT_NE(page->m_hWnd, nullptr);
    EXPECT_FALSE(page->IsWindowVisible());
    EXPECT_EQ(page->closedBefore, 1);
}

TEST_F(ManagerPageTest, HelpAndTheFocusTimer)
{
    page->SendMessage(WM_HELP);
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_HELP});
    page->list.SetFocus();
    win::PumpMessages(10);
    const bool listHadFocus = CWnd::GetFocus() == &page->list;
    page->SendMessage(WM_TIMER, CManagerPage::kFocusTimer);
    win::PumpMessages(10);
    if (listHadFocus) {
        EXPECT_NE(CWnd::GetFocus(), &page->list) << "the timer parks the focus away from the list";
    }
}

TEST_F(ManagerPageTest, ScrollKeysAndWheelMoveTheListByOneStep)
{
    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i)
        many.push_back(std::to_string(i));
    page->setRows(many);
    win::PumpMessages(10);
    EXPECT_EQ(page->list.GetTopIndex(), 0);
    MSG down{};
    down.hwnd = page->list.m_hWnd;
    down.message = WM_KEYDOWN;
    down.wParam = VK_NEXT;
    page->PreTranslateMessage(&down);
    const int afterKey = page->list.GetTopIndex();
    EXPECT_GT(afterKey, 0);
    page->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    EXPECT_GT(page->list.GetTopIndex(), afterKey);
    page->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(page->list.GetTopIndex(), afterKey);
}

TEST_F(ManagerPageTest, AFailedFillIsReportedAndTheListShowsTheRowsItHolds)
{
    page->fill();
    EXPECT_EQ(page->list.GetItemCount(), 2);
    page->failFill = true;
    page->fill();
    EXPECT_EQ(page->list.GetItemCount(), 0) << "never the old count after the rows were emptied";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Reading the songs"), std::string::npos);
    EXPECT_NE(boxes[0].find("boom"), std::string::npos);
}

TEST_F(ManagerPageTest, StaleSelectionMarksAndSelectionsAreRangeChecked)
{
    page->setRows({"a", "b", "c"});
    page->list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    page->list.SetSelectionMark(2);
    EXPECT_EQ(managers::SelectionMark(page->list, 3), 2);
    EXPECT_EQ(managers::SelectionMark(page->list, 2), -1) << "a mark past the rows held";
    EXPECT_EQ(managers::SelectedRows(page->list, 2), std::vector<int>{});
    page->list.SetSelectionMark(-1);
    EXPECT_EQ(managers::SelectionMark(page->list, 3), -1);
    managers::SelectAll(page->list);
    EXPECT_EQ(managers::SelectedRows(page->list, 3), (std::vector<int>{0, 1, 2}));
}

} // namespace
} // namespace managerstest
