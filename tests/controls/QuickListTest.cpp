// The virtual list: the cells it asks its parent for, the colours it paints
// them in, where column 0 lies, the texts it hands out, and the clicks it
// reports.
#include "ControlShots.h"
#include "controls/QuickList.h"
#include "platform/win/Dc.h"
#include "platform/win/Edit.h"
#include "platform/win/Input.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT kListId = 1009;
constexpr COLORREF kBlocksInk = RGB(0, 0, 0);

// The parent of the list: answers each cell through a function and records what it hears.
class Parent : public CWnd {
public:
    std::function<void(ListCellData&)> answer;
    std::set<std::pair<int, int>> asked;
    int requests = 0;
    std::vector<std::string> heard;
    std::vector<ListHeaderClickInfo> headerClicks;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case UWM_QUICKLIST_GETITEM: {
            auto* cell = reinterpret_cast<ListCellData*>(lParam);
            ++requests;
            asked.insert({cell->GetItem(), cell->GetSubItem()});
            if (answer)
                answer(*cell);
            return 0;
        }
        case UWM_QUICKLIST_CLICK: {
            const auto* click = reinterpret_cast<const ListClickInfo*>(lParam);
            heard.push_back("click " + std::to_string(click->item) + "." + std::to_string(click->subItem));
            return 0;
        }
        case UWM_QUICKLIST_HEADER_RCLICK:
            headerClicks.push_back(*reinterpret_cast<const ListHeaderClickInfo*>(lParam));
            heard.push_back("header " + std::to_string(headerClicks.back().column));
            return 0;
        case WM_NOTIFY: {
            // The list hears its own notification first.
            const auto* h = reinterpret_cast<const NMHDR*>(lParam);
            const LRESULT r = CWnd::WindowProc(message, wParam, lParam);
            if (h->code == NM_CLICK && h->idFrom == kListId)
                heard.push_back("NM_CLICK");
            return r;
        }
        default: break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct QuickListFixture : ::testing::Test {
    Parent parent;
    CQuickList list;
    CEdit other; // takes the focus away from the list
    CFont font;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 420, 300), nullptr, 0));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 400, 200), &parent,
                                kListId));
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 210, 100, 230), &parent, 2000));
        LOGFONT lf;
        lf.lfHeight = -13;
        std::strcpy(lf.lfFaceName, "MS Shell Dlg");
        font.CreateFontIndirect(&lf);
        list.SetFont(&font);
        list.InsertColumn(0, "Title", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Rate", LVCFMT_LEFT, 90);
        list.InsertColumn(2, "Comment", LVCFMT_LEFT, 100);
        list.SetItemCount(20);
        parent.ShowWindow(SW_SHOW);
        win::PumpMessages(10);
    }
    void TearDown() override
    {
        if (parent.m_hWnd)
            parent.DestroyWindow();
    }
    void focusList(bool on)
    {
        if (on)
            list.SetFocus();
        else
            other.SetFocus();
        win::PumpMessages(10);
        ASSERT_EQ(CWnd::GetFocus() == &list, on);
    }
    QHeaderView* header() const { return qobject_cast<QTableView*>(list.widget())->horizontalHeader(); }
    // A mouse event at a client point of the list (its viewport receives it).
    void mouse(QEvent::Type type, POINT client, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* vp = qobject_cast<QAbstractScrollArea*>(list.widget())->viewport();
        const QPointF at = QPointF(client.x, client.y) - QPointF(vp->pos());
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, at, vp->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    }
    void click(POINT client)
    {
        mouse(QEvent::MouseButtonPress, client);
        mouse(QEvent::MouseButtonRelease, client);
    }
    // A right click on the header at a point of its own, with the pointer there.
    QPoint rightClickHeader(int x)
    {
        QHeaderView* h = header();
        const QPoint at(x, h->height() / 2);
        const QPoint global = h->viewport()->mapToGlobal(at);
        QCursor::setPos(global);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, global, Qt::RightButton,
                          type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(h->viewport(), &e);
        }
        return global;
    }
    // The cells one paint asks for, once nothing else is waiting to be painted.
    void paintedCells()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        parent.asked.clear();
        parent.requests = 0;
        list.widget()->grab();
    }
    CRect cell(int row, int column)
    {
        CRect r;
        list.GetSubItemRect(row, column, LVIR_LABEL, r);
        return r;
    }
};

TEST_F(QuickListFixture, AsksOnlyForTheCellsItShowsOfAHundredThousandRows)
{
    list.SetItemCount(100000);
    parent.answer = [](ListCellData& c) { c.text = "row " + std::to_string(c.GetItem()); };
    paintedCells();
    const int perPage = list.GetCountPerPage();
    EXPECT_GT(parent.requests, 0);
    EXPECT_LE(parent.requests, 3 * (perPage + 1)) << "one request per shown cell";
    for (const auto& [row, column] : parent.asked)
        EXPECT_LE(row, perPage) << "row " << row << " is not shown";

    list.EnsureVisible(99999, FALSE);
    paintedCells();
    EXPECT_LE(parent.requests, 3 * (perPage + 1));
    EXPECT_EQ(parent.asked.rbegin()->first, 99999);
    EXPECT_GE(parent.asked.begin()->first, 99999 - perPage);
    EXPECT_EQ(list.GetItemText(77777, 1), "row 77777") << "a text query asks the parent too";

    // A song list as a page colours it: every second row, a selected row with the focus elsewhere.
    parent.answer = [](ListCellData& c) {
        c.text = c.GetSubItem() == 0 ? "Song & Dance " + std::to_string(c.GetItem()) : c.GetSubItem() == 1 ? "5" : "a comment too long for its column";
        if (c.GetItem() % 2 == 0)
            c.backColor = RGB(230, 240, 255);
    };
    list.ModifyStyle(0, LVS_SHOWSELALWAYS);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.SetItemState(99995, LVIS_SELECTED, LVIS_SELECTED);
    focusList(false);
    shots::grab(list, "quicklist-end");
}

// The cell colour rules: which colours the parent's answer and the list's
// state give a cell's background and text.
TEST_F(QuickListFixture, PaintsEachCellInTheColoursItsStateAndTheParentsAnswerGive)
{
    struct Case {
        const char* name;
        bool fullRow;
        bool showSelAlways;
        bool focused;
        int hotRow;
        int row;
        int column;
        std::function<void(ListCellData&)> colour;
        COLORREF fill;
        COLORREF ink;
    };
    const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), hot = GetSysColor(COLOR_HOTLIGHT);
    const auto none = [](ListCellData&) {};
    const auto own = [](ListCellData& c) {
        c.textColor = RGB(120, 0, 0);
        c.backColor = RGB(250, 240, 200);
        c.selTextColor = RGB(255, 255, 0);
        c.selBackColor = RGB(0, 90, 0);
        c.selBackColorNoFocus = RGB(90, 90, 200);
        c.hotTextColor = RGB(200, 0, 200);
    };
    // Row 1 is selected in every case.
    const Case cases[] = {
        {"unset colours on an ordinary row", true, false, true, -1, 2, 1, none, window, text},
        {"selected and focused, full row", true, false, true, -1, 1, 1, none, highlight, highText},
        {"selected, not focused, selection always shown", true, true, false, -1, 1, 2, none, face, text},
        {"selected, not focused, selection hidden", true, false, false, -1, 1, 1, none, window, text},
        {"selected without full-row select: column 1 is ordinary", false, false, true, -1, 1, 1, none, window, text},
        {"the parent's colours on an ordinary row", true, false, true, -1, 3, 1, own, RGB(250, 240, 200),
         RGB(120, 0, 0)},
        {"the parent's selected colours, focused", true, false, true, -1, 1, 2, own, RGB(0, 90, 0), RGB(255, 255, 0)},
        {"the parent's selected colours, not focused", true, true, false, -1, 1, 1, own, RGB(90, 90, 200),
         RGB(255, 255, 0)},
        {"no highlight keeps a selected cell ordinary", true, false, true, -1, 1, 1,
         [&](ListCellData& c) {
             own(c);
             c.noHighlight = true;
         },
         RGB(250, 240, 200), RGB(120, 0, 0)},
        {"the hot row's text", true, false, true, 3, 3, 1, none, window, hot},
        {"the parent's hot text", true, false, true, 3, 3, 2, own, RGB(250, 240, 200), RGB(200, 0, 200)},
        {"a selected hot row without selected colours", true, false, true, 1, 1, 1, none, hot, highText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT, c.fullRow ? LVS_EX_FULLROWSELECT : 0);
        list.ModifyStyle(c.showSelAlways ? 0 : LVS_SHOWSELALWAYS, c.showSelAlways ? LVS_SHOWSELALWAYS : 0);
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        list.SetHotItem(c.hotRow);
        focusList(c.focused);
        parent.answer = [&](ListCellData& cell) {
            cell.text = "\u2588\u2588\u2588";
            if (cell.GetItem() == c.row && cell.GetSubItem() == c.column)
                c.colour(cell);
        };
        const QImage shot = shots::grab(list);
        const CRect r = cell(c.row, c.column);
        EXPECT_EQ(shots::at(shot, r.right - 3, r.CenterPoint().y), c.fill);
        EXPECT_GT(shots::count(shot, r, c.ink), 12) << "no text in the expected colour";
    }
}

TEST_F(QuickListFixture, SelectedColumnZeroWithoutFullRowSelectHasItsTextOnTheSelectionColour)
{
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT, 0);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    focusList(true);
    parent.answer = [](ListCellData& c) { c.text = "  "; };
    const QImage shot = shots::grab(list);
    const CRect r = cell(1, 0);
    EXPECT_EQ(shots::at(shot, r.left + 4, r.CenterPoint().y), GetSysColor(COLOR_HIGHLIGHT)) << "behind the text";
    EXPECT_EQ(shots::at(shot, r.right - 3, r.CenterPoint().y), GetSysColor(COLOR_WINDOW)) << "the rest of the cell";
}

TEST_F(QuickListFixture, ABackgroundOfNoColourLeavesTheCellUnpaintedAndDrawsTheTextOverIt)
{
    list.SetBkColor(RGB(9, 99, 199));
    parent.answer = [](ListCellData& c) {
        c.text = c.GetSubItem() == 1 ? "\u2588\u2588" : "";
        c.backColor = CLR_NONE;
        c.textColor = RGB(255, 128, 0);
    };
    const QImage shot = shots::grab(list);
    for (int column : {0, 1}) {
        const CRect r = cell(2, column);
        EXPECT_EQ(shots::at(shot, r.right - 3, r.CenterPoint().y), RGB(9, 99, 199)) << column;
    }
    EXPECT_GT(shots::count(shot, cell(2, 1), RGB(255, 128, 0)), 12);
    EXPECT_EQ(shots::count(shot, cell(2, 1), GetSysColor(COLOR_WINDOW)), 0) << "no opaque text background";
}

TEST_F(QuickListFixture, ColumnZeroIsPaintedUnderHeaderItemZeroAndFollowsTheScroll)
{
    parent.answer = [](ListCellData& c) {
        c.backColor = c.GetSubItem() == 0 ? RGB(255, 0, 0) : c.GetSubItem() == 1 ? RGB(0, 255, 0) : RGB(0, 0, 255);
    };
    list.SetColumnWidth(0, 150);
    list.SetColumnWidth(2, 300); // wider than the list: it scrolls sideways
    for (int scroll : {0, 40}) {
        SCOPED_TRACE(scroll);
        list.Scroll(CSize(scroll, 0));
        const QImage shot = shots::grab(list, scroll ? "quicklist-scrolled" : nullptr);
        CRect item;
        ASSERT_TRUE(list.GetHeaderCtrl()->GetItemRect(0, &item));
        list.GetHeaderCtrl()->ClientToScreen(&item);
        list.ScreenToClient(&item);
        CRect row;
        list.GetItemRect(4, &row, LVIR_BOUNDS);
        const int y = row.CenterPoint().y;
        EXPECT_EQ(item.Width(), 150);
        EXPECT_EQ(item.left, row.left) << "header item 0 moves with the rows";
        if (item.left >= 0) {
            EXPECT_EQ(shots::at(shot, item.left, y), RGB(255, 0, 0));
        }
        EXPECT_EQ(shots::at(shot, item.right - 1, y), RGB(255, 0, 0));
        EXPECT_EQ(shots::at(shot, item.right, y), RGB(0, 255, 0)) << "column 0 ends where its header item does";
        EXPECT_EQ(shots::at(shot, item.right + 90, y), RGB(0, 0, 255));
    }
}

TEST_F(QuickListFixture, ShowsAmpersandsAsTheyAre)
{
    parent.answer = [](ListCellData& c) { c.text = c.GetSubItem() == 0 ? "A & B" : ""; };
    const QImage shot = shots::grab(list, "quicklist-ampersand");
    const CRect r = cell(1, 0);

    // The same text drawn plainly, and drawn as a text with a mnemonic.
    auto drawn = [&](UINT extra) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(r.Width(), r.Height(), 1, 32, nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        CFont* oldFont = dc.SelectObject(&font);
        dc.FillSolidRect(0, 0, r.Width(), r.Height(), GetSysColor(COLOR_WINDOW));
        dc.SetBkColor(GetSysColor(COLOR_WINDOW));
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        CRect box(2, 0, r.Width(), r.Height());
        dc.DrawText("A & B", &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | extra);
        QImage out = bitmap.image()->copy();
        dc.SelectObject(oldFont);
        dc.SelectObject(old);
        return out;
    };
    auto same = [&](const QImage& expected) {
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                if (shots::at(shot, r.left + x, r.top + y) != shots::at(expected, x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(same(drawn(DT_NOPREFIX)));
    EXPECT_FALSE(same(drawn(0))) << "a mnemonic would hide the ampersand";
}

TEST_F(QuickListFixture, HandsOutCellTextsCutToTheListsBuffer)
{
    parent.answer = [](ListCellData& c) {
        c.text = c.GetItem() == 0 ? "abcdefghij" : c.GetItem() == 1 ? "abcdef\xC3\xA9gh" : std::string(300, 'x');
    };
    struct Case {
        int row;
        int size;
        const char* expect;
    };
    const Case cases[] = {{0, 8, "abcdefg"}, {0, 1, ""}, {1, 8, "abcdef"}, {1, 9, "abcdef\xC3\xA9"}, {0, 0, nullptr}};
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, 'X', sizeof buffer);
        NMLVDISPINFO info;
        info.hdr.hwndFrom = list.m_hWnd;
        info.hdr.idFrom = kListId;
        info.hdr.code = LVN_GETDISPINFO;
        info.item.mask = LVIF_TEXT;
        info.item.iItem = c.row;
        info.item.pszText = buffer;
        info.item.cchTextMax = c.size;
        parent.SendMessage(WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&info));
        const size_t written = c.expect ? std::strlen(c.expect) + 1 : 0;
        if (c.expect) {
            EXPECT_STREQ(buffer, c.expect) << c.row << " in " << c.size;
        }
        for (size_t i = written; i < sizeof buffer; ++i)
            ASSERT_EQ(buffer[i], 'X') << "written past the buffer of " << c.size << " at " << i;
    }
    EXPECT_EQ(list.GetItemText(2, 0), std::string(LV_MAX_TEXT - 1, 'x'));
}

TEST_F(QuickListFixture, ReportsClicksOnRowsAndHeaderRightClicksWithTheirColumn)
{
    parent.answer = [](ListCellData& c) { c.text = "cell"; };
    list.SetItemCount(5);
    click(cell(3, 2).CenterPoint());
    CRect last;
    list.GetItemRect(4, &last, LVIR_BOUNDS);
    CRect client;
    list.GetClientRect(&client);
    ASSERT_LT(last.bottom + 5, client.bottom) << "room below the last row";
    click(CPoint(20, last.bottom + 4));
    EXPECT_EQ(parent.heard, (std::vector<std::string>{"click 3.2", "NM_CLICK", "NM_CLICK"}))
        << "a click below the last row reports no cell, but the list's own click still reaches the parent";

    parent.heard.clear();
    QHeaderView* h = header();
    const QPoint onRate = rightClickHeader(h->sectionViewportPosition(1) + 10);
    const QPoint pastTheLast = rightClickHeader(h->sectionViewportPosition(2) + h->sectionSize(2) + 20);
    EXPECT_EQ(parent.heard, (std::vector<std::string>{"header 1", "header -1"}));
    ASSERT_EQ(parent.headerClicks.size(), 2u);
    EXPECT_EQ(parent.headerClicks[0].point, CPoint(onRate.x(), onRate.y()));
    EXPECT_EQ(parent.headerClicks[1].point, CPoint(pastTheLast.x(), pastTheLast.y()));
}

} // namespace
