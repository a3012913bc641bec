// The report list: an owner-data list asks only for the cells it shows,
// custom draw reaches the painted pixels, hit tests, the header's clicks,
// mouse and keyboard as the parent hears them, and sorting.
#include "platform/win/Controls.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dc.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTableView>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT kListDialog = 9163;

const char* kScript = R"rc(
9163 DIALOGEX 0, 0, 260, 200
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    CONTROL         "", 1009, "SysListView32", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 5, 5, 250, 90
    CONTROL         "", 1011, "SysListView32", LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 5, 100, 250, 90
END
)rc";

// The owner-data list as the program's own list classes use it: cells answered through reflection.
class CountingList : public CListCtrl {
public:
    std::multiset<int> rowsAsked;
    int cellsAsked = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnGetDispInfo(NMHDR* hdr, LRESULT* result)
    {
        auto* info = reinterpret_cast<NMLVDISPINFO*>(hdr);
        rowsAsked.insert(info->item.iItem);
        ++cellsAsked;
        const std::string text = "row " + std::to_string(info->item.iItem) + "." + std::to_string(info->item.iSubItem);
        std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "%s", text.c_str());
        *result = 0;
    }
};

BEGIN_MESSAGE_MAP(CountingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, OnGetDispInfo)
END_MESSAGE_MAP()

// A list class of the program's kind: it paints everything itself, refuses hover
// selection and hears its header's right clicks before its parent does.
class SelfDrawnList : public CListCtrl {
public:
    int headerRightClicks = 0;
    int hotTracks = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnCustomDraw(NMHDR* hdr, LRESULT* result)
    {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
            CRect r(cd->nmcd.rc);
            cd->nmcd.hdc->FillSolidRect(&r, RGB(10, 20, 30));
        }
        *result = CDRF_SKIPDEFAULT;
    }
    void OnHotTrack(NMHDR*, LRESULT* result)
    {
        ++hotTracks;
        *result = 1;
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        if (h->code == NM_RCLICK && h->idFrom == 0 && GetHeaderCtrl() && h->hwndFrom == GetHeaderCtrl()->GetSafeHwnd())
            ++headerRightClicks;
        return CListCtrl::OnNotify(wParam, lParam, result);
    }
};

BEGIN_MESSAGE_MAP(SelfDrawnList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_HOTTRACK, OnHotTrack)
END_MESSAGE_MAP()

class ListDialog : public CDialog {
public:
    ListDialog() : CDialog(kListDialog) {}
    CountingList big;
    // What the dialog heard: "code id item.sub".
    std::vector<std::string> events;
    // Custom draw of list 1011: colours for cell (1, 1), row 2's first cell painted green and skipped.
    bool customDraw = false;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, 1009, big);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        auto record = [&](const char* what, int item, int sub) {
            events.push_back(std::string(what) + " " + std::to_string(h->idFrom) + " " + std::to_string(item) + "." +
                             std::to_string(sub));
        };
        switch (h->code) {
        case NM_CLICK: record("click", reinterpret_cast<NMITEMACTIVATE*>(h)->iItem, reinterpret_cast<NMITEMACTIVATE*>(h)->iSubItem); break;
        case NM_DBLCLK: record("dblclk", reinterpret_cast<NMITEMACTIVATE*>(h)->iItem, reinterpret_cast<NMITEMACTIVATE*>(h)->iSubItem); break;
        case NM_RCLICK:
            record("rclick", h->idFrom == 0 ? -1 : reinterpret_cast<NMITEMACTIVATE*>(h)->iItem, 0);
            break;
        case LVN_COLUMNCLICK: record("columnclick", reinterpret_cast<NMLISTVIEW*>(h)->iItem, reinterpret_cast<NMLISTVIEW*>(h)->iSubItem); break;
        case LVN_BEGINDRAG: record("begindrag", reinterpret_cast<NMLISTVIEW*>(h)->iItem, 0); break;
        case HDN_ITEMCLICK: record("headerclick", reinterpret_cast<NMHEADER*>(h)->iItem, 0); break;
        case HDN_ITEMCHANGED: record("headerwidth", reinterpret_cast<NMHEADER*>(h)->iItem, reinterpret_cast<NMHEADER*>(h)->pitem->cxy); break;
        case LVN_ITEMCHANGED: {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
            if ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED)
                record((nm->uNewState & LVIS_SELECTED) ? "selected" : "deselected", nm->iItem, 0);
            break;
        }
        case NM_CUSTOMDRAW:
            if (customDraw && h->idFrom == 1011) {
                *result = drawStage(reinterpret_cast<NMLVCUSTOMDRAW*>(h));
                return TRUE;
            }
            break;
        default: break;
        }
        return CDialog::OnNotify(wParam, lParam, result);
    }
    LRESULT drawStage(NMLVCUSTOMDRAW* cd)
    {
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const int row = int(cd->nmcd.dwItemSpec);
            if (row == 1 && cd->iSubItem == 1) {
                cd->clrTextBk = RGB(200, 0, 0);
                cd->clrText = RGB(255, 255, 0);
            }
            if (row == 2 && cd->iSubItem == 0) {
                CRect r(cd->nmcd.rc);
                cd->nmcd.hdc->FillSolidRect(&r, RGB(0, 160, 0));
                return CDRF_SKIPDEFAULT;
            }
            return CDRF_DODEFAULT;
        }
        default: return CDRF_DODEFAULT;
        }
    }
};

class ListCtrls : public ::testing::Test {
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
        big().InsertColumn(0, "Title", LVCFMT_LEFT, 120);
        big().InsertColumn(1, "Path", LVCFMT_LEFT, 0);
        big().InsertColumn(2, "Rate", LVCFMT_RIGHT, 60);
        big().SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        small().InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        small().InsertColumn(1, "Kind", LVCFMT_CENTER, 80);
        small().InsertColumn(2, "Size", LVCFMT_RIGHT, 60);
        small().SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    CountingList& big() { return dlg.big; }
    CListCtrl& small() { return *dynamic_cast<CListCtrl*>(dlg.GetDlgItem(1011)); }
    static QAbstractScrollArea* area(CListCtrl& l) { return qobject_cast<QAbstractScrollArea*>(l.widget()); }
    static QHeaderView* header(CListCtrl& l) { return qobject_cast<QTableView*>(l.widget())->horizontalHeader(); }
    // Paints the list as the screen would and returns its pixels.
    static QImage paint(CListCtrl& l) { return l.widget()->grab().toImage(); }
    static COLORREF pixel(const QImage& img, POINT p)
    {
        const QRgb c = img.pixel(p.x, p.y);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    }
    void key(CListCtrl& l, int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent down(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(l.widget(), &down);
    }
    // A mouse event at a client point of the list (its viewport receives it).
    void mouse(CListCtrl& l, QEvent::Type type, POINT client, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* vp = area(l)->viewport();
        const QPointF at = QPointF(client.x, client.y) - QPointF(vp->pos());
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, at, vp->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    }
    void fillSmall(int n)
    {
        for (int i = 0; i < n; ++i) {
            small().InsertItem(i, "item " + std::to_string(i));
            small().SetItemText(i, 1, i == 1 ? "" : "kind");
            small().SetItemText(i, 2, std::to_string(100 - i));
            small().SetItemData(i, DWORD_PTR(100 - i));
        }
    }
    std::vector<std::string> texts(CListCtrl& l, int col)
    {
        std::vector<std::string> out;
        for (int i = 0; i < l.GetItemCount(); ++i)
            out.push_back(l.GetItemText(i, col));
        return out;
    }
    ListDialog dlg;
};

TEST_F(ListCtrls, AnOwnerDataListOfAHundredThousandRowsAsksOnlyForTheRowsItShows)
{
    ASSERT_TRUE(big().SetItemCount(100000));
    EXPECT_EQ(big().GetItemCount(), 100000);
    EXPECT_EQ(big().cellsAsked, 0) << "setting the count asks for nothing";

    const int perPage = big().GetCountPerPage();
    ASSERT_GT(perPage, 2);
    CRect client, headerItem;
    big().GetClientRect(&client);
    big().GetHeaderCtrl()->GetItemRect(0, &headerItem);
    auto checkShown = [&](const char* when) {
        big().rowsAsked.clear();
        big().cellsAsked = 0;
        paint(big());
        ASSERT_FALSE(big().rowsAsked.empty()) << when;
        for (int row : big().rowsAsked) {
            CRect r;
            big().GetItemRect(row, &r, LVIR_BOUNDS);
            EXPECT_TRUE(r.bottom > headerItem.bottom && r.top < client.bottom) << when << ": row " << row << " is not shown";
        }
        // Two open columns per shown row (the closed column is never asked), each once per paint.
        EXPECT_LE(big().cellsAsked, 2 * (perPage + 2)) << when;
        EXPECT_GE(big().cellsAsked, 2 * perPage) << when;
    };
    checkShown("first paint");
    EXPECT_EQ(big().GetTopIndex(), 0);

    big().SetFocus();
    win::PumpMessages(20);
    key(big(), Qt::Key_Down);
    key(big(), Qt::Key_PageDown);
    key(big(), Qt::Key_PageDown);
    EXPECT_GT(big().GetTopIndex(), 0);
    checkShown("after page-down");

    big().EnsureVisible(99999, FALSE);
    EXPECT_EQ(big().GetTopIndex(), 100000 - perPage);
    checkShown("after showing the last row");
    EXPECT_EQ(*big().rowsAsked.rbegin(), 99999);

    EXPECT_EQ(big().GetItemText(77777, 2), "row 77777.2") << "a caller's text request is asked from the parent";
}

TEST_F(ListCtrls, CustomDrawColoursAndSkippedCellsReachThePaintedPixels)
{
    fillSmall(4);
    dlg.customDraw = true;
    const QImage img = paint(small());
    CRect coloured, skipped, plain;
    ASSERT_TRUE(small().GetSubItemRect(1, 1, LVIR_LABEL, coloured));
    ASSERT_TRUE(small().GetSubItemRect(2, 0, LVIR_LABEL, skipped));
    ASSERT_TRUE(small().GetSubItemRect(3, 1, LVIR_LABEL, plain));
    EXPECT_EQ(pixel(img, coloured.CenterPoint()), RGB(200, 0, 0));
    EXPECT_EQ(pixel(img, CPoint(skipped.left + 3, skipped.top + 2)), RGB(0, 160, 0));
    EXPECT_EQ(pixel(img, CPoint(plain.left + 2, plain.top + 2)), GetSysColor(COLOR_WINDOW));
    // Grid lines run along the bottom of each row.
    EXPECT_EQ(pixel(img, CPoint(plain.left + 20, plain.bottom - 1)), GetSysColor(COLOR_BTNFACE));

    CRect client;
    small().GetClientRect(&client);
    EXPECT_EQ(pixel(img, CPoint(plain.left + 2, client.bottom - 4)), GetSysColor(COLOR_WINDOW)) << "below the rows";
    small().SetBkColor(RGB(1, 2, 3));
    EXPECT_EQ(pixel(paint(small()), CPoint(plain.left + 2, client.bottom - 4)), RGB(1, 2, 3));
    small().SetBkColor(CLR_DEFAULT);

    // The default drawing shows the selection in the highlight colour while the list has the focus.
    dlg.customDraw = false;
    small().SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);

    dlg.events.clear();
    small().SetFocus();
    win::PumpMessages(20);
    const QImage selected = paint(small());
    EXPECT_EQ(pixel(selected, CPoint(plain.right - 3, plain.top + 3)), GetSysColor(COLOR_HIGHLIGHT));
    // A drop target row is highlighted; without full-row select only the first column shows the selection.
    small().SetItemState(3, 0, LVIS_SELECTED);
    small().SetItemState(2, LVIS_DROPHILITED, LVIS_DROPHILITED);
    small().SetExtendedStyle(LVS_EX_FULLROWSELECT, 0);
    small().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    const QImage marked = paint(small());
    CRect drop, firstCell;
    small().GetSubItemRect(2, 2, LVIR_LABEL, drop);
    small().GetSubItemRect(1, 0, LVIR_LABEL, firstCell);
    EXPECT_EQ(pixel(marked, CPoint(drop.left + 2, drop.top + 2)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixel(marked, CPoint(skipped.left + 2, skipped.top + 2)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(marked, CPoint(firstCell.right - 3, firstCell.top + 3)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(marked, CPoint(coloured.right - 3, coloured.top + 3)), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListCtrls, HitTestsAndRectanglesUseClientCoordinatesBelowTheHeader)
{
    fillSmall(20);
    CRect cell;
    ASSERT_TRUE(small().GetSubItemRect(5, 2, LVIR_LABEL, cell));
    LVHITTESTINFO info;
    info.pt = cell.CenterPoint();
    EXPECT_EQ(small().SubItemHitTest(&info), 5);
    EXPECT_EQ(info.iSubItem, 2);
    EXPECT_EQ(info.flags, LVHT_ONITEMLABEL);

    CRect row, first;
    ASSERT_TRUE(small().GetSubItemRect(0, 0, LVIR_BOUNDS, row));
    ASSERT_TRUE(small().GetSubItemRect(0, 0, LVIR_LABEL, first));
    EXPECT_EQ(row.Width(), 240) << "column 0's bounds are the whole row";
    EXPECT_EQ(first.Width(), 100);
    CRect headerItem;
    ASSERT_TRUE(small().GetHeaderCtrl()->GetItemRect(1, &headerItem));
    EXPECT_EQ(headerItem.Width(), 80);
    EXPECT_GE(row.top, headerItem.bottom) << "the first row sits below the header";

    UINT flags = 0;
    EXPECT_EQ(small().HitTest(CPoint(10, headerItem.bottom / 2), &flags), -1) << "the header is no row";
    EXPECT_EQ(small().HitTest(CPoint(row.right + 5, row.top + 2), &flags), -1) << "right of the columns";
    EXPECT_EQ(flags, LVHT_NOWHERE);
    EXPECT_EQ(small().HitTest(CPoint(first.left + 5, row.top + 2)), 0);

    const int top = small().GetTopIndex();
    small().Scroll(CSize(0, 30));
    EXPECT_GT(small().GetTopIndex(), top);
    CRect after;
    small().GetSubItemRect(5, 2, LVIR_LABEL, after);
    EXPECT_LT(after.top, cell.top) << "rectangles follow the scrolling";
}

TEST_F(ListCtrls, HeaderClicksReachTheParentAsColumnClicksAndWidthsAsChanges)
{
    fillSmall(3);
    QHeaderView* h = header(small());
    for (int column : {2, 0}) {
        const QPoint at(h->sectionViewportPosition(column) + 5, h->height() / 2);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, h->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(h->viewport(), &e);
        }
    }
    const std::vector<std::string> clicks = {"headerclick 0 2.0", "columnclick 1011 -1.2", "headerclick 0 0.0",
                                             "columnclick 1011 -1.0"};
    EXPECT_EQ(dlg.events, clicks);

    dlg.events.clear();
    small().SetColumnWidth(1, 0);
    EXPECT_EQ(small().GetColumnWidth(1), 0);
    EXPECT_EQ(dlg.events, std::vector<std::string>{"headerwidth 0 1.0"});
    HDITEM item;
    item.mask = HDI_FORMAT | HDI_WIDTH;
    ASSERT_TRUE(small().GetHeaderCtrl()->GetItem(2, &item));
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_EQ(item.cxy, 60);
}

TEST_F(ListCtrls, ClicksDoubleClicksAndDragsReachTheParent)
{
    fillSmall(10);
    CRect cell;
    small().GetSubItemRect(3, 2, LVIR_LABEL, cell);
    const CPoint at = cell.CenterPoint();
    mouse(small(), QEvent::MouseButtonPress, at);
    mouse(small(), QEvent::MouseButtonRelease, at);
    EXPECT_EQ(small().GetSelectionMark(), 3);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_SELECTED), 3);
    mouse(small(), QEvent::MouseButtonDblClick, at);
    mouse(small(), QEvent::MouseButtonRelease, at);
    CRect below;
    small().GetSubItemRect(9, 0, LVIR_LABEL, below);
    const CPoint empty(below.left + 5, below.bottom + 8);
    mouse(small(), QEvent::MouseButtonPress, at, Qt::RightButton);
    mouse(small(), QEvent::MouseButtonRelease, at, Qt::RightButton);
    mouse(small(), QEvent::MouseButtonPress, empty, Qt::RightButton);
    mouse(small(), QEvent::MouseButtonRelease, empty, Qt::RightButton);
    const std::vector<std::string> clicks = {"selected 1011 3.0", "click 1011 3.2", "dblclk 1011 3.2",
                                             "rclick 1011 3.0", "deselected 1011 3.0", "rclick 1011 -1.0"};
    EXPECT_EQ(dlg.events, clicks) << "a click on no row reports row -1 and clears the selection";
    small().SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);

    dlg.events.clear();
    CRect other;
    small().GetSubItemRect(6, 0, LVIR_LABEL, other);
    mouse(small(), QEvent::MouseButtonPress, other.CenterPoint());
    for (int dy = 4; dy <= 40; dy += 12) {
        QWidget* vp = area(small())->viewport();
        const QPointF p = QPointF(other.CenterPoint().x, other.CenterPoint().y + dy) - QPointF(vp->pos());
        QMouseEvent move(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
    }
    mouse(small(), QEvent::MouseButtonRelease, other.CenterPoint());
    const std::vector<std::string> drag = {"deselected 1011 3.0", "selected 1011 6.0", "begindrag 1011 6.0"};
    EXPECT_EQ(dlg.events, drag) << "one begin-drag, no click, and the selection stays on the dragged row";
    EXPECT_EQ(small().GetSelectedCount(), 1u);

    // Dragging one of several selected rows keeps them all selected, as the owner counts them.
    small().SetItemState(7, LVIS_SELECTED, LVIS_SELECTED);
    small().SetItemState(8, LVIS_SELECTED, LVIS_SELECTED);
    dlg.events.clear();
    small().GetSubItemRect(7, 1, LVIR_LABEL, other);
    mouse(small(), QEvent::MouseButtonPress, other.CenterPoint());
    {
        QWidget* vp = area(small())->viewport();
        const QPointF p = QPointF(other.CenterPoint().x + 30, other.CenterPoint().y) - QPointF(vp->pos());
        QMouseEvent move(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
    }
    mouse(small(), QEvent::MouseButtonRelease, CPoint(other.CenterPoint().x + 30, other.CenterPoint().y));
    EXPECT_EQ(dlg.events, std::vector<std::string>{"begindrag 1011 7.0"});
    EXPECT_EQ(small().GetSelectedCount(), 3u);
}

TEST_F(ListCtrls, KeyboardMovesTheSelectionAsAListDoes)
{
    fillSmall(30);
    small().SetFocus();
    win::PumpMessages(20);
    key(small(), Qt::Key_Down);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_SELECTED), 0) << "the first key press selects the first row";
    key(small(), Qt::Key_Down);
    key(small(), Qt::Key_Down);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(small().GetSelectionMark(), 2);
    key(small(), Qt::Key_Down, Qt::ShiftModifier);
    key(small(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(small().GetSelectedCount(), 3u) << "Shift extends from the mark";
    EXPECT_EQ(small().GetSelectionMark(), 2);
    key(small(), Qt::Key_End);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_SELECTED), 29);
    EXPECT_EQ(small().GetSelectedCount(), 1u);
    EXPECT_EQ(small().GetTopIndex(), 30 - small().GetCountPerPage());
    key(small(), Qt::Key_Home);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(small().GetTopIndex(), 0);
    key(small(), Qt::Key_PageDown);
    EXPECT_GE(small().GetNextItem(-1, LVNI_SELECTED), small().GetCountPerPage() - 1);
}

TEST_F(ListCtrls, ASubclassTakingOverAFilledListKeepsItsStateAndHearsItsNotificationsFirst)
{
    fillSmall(6);
    small().SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    dlg.events.clear();
    const HWND hwnd = small().m_hWnd;
    SelfDrawnList list;
    ASSERT_TRUE(list.SubclassWindow(hwnd));
    EXPECT_EQ(list.GetItemCount(), 6);
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetItemText(4, 2), "96");
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 4);

    // Skip-default at pre-paint: nothing but what the class painted.
    const QImage img = paint(list);
    CRect cell;
    list.GetSubItemRect(4, 1, LVIR_LABEL, cell);
    EXPECT_EQ(pixel(img, cell.CenterPoint()), RGB(10, 20, 30));

    // The header's right click: first the list's own handling, then the parent.
    QHeaderView* h = header(list);
    const QPoint at(h->sectionViewportPosition(1) + 5, h->height() / 2);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, h->viewport()->mapToGlobal(at), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &e);
    }
    EXPECT_EQ(list.headerRightClicks, 1);
    EXPECT_EQ(dlg.events, std::vector<std::string>{"rclick 0 -1.0"});

    // Hover with track-select: the class refuses the hover selection.
    dlg.events.clear();
    list.SetExtendedStyle(LVS_EX_TRACKSELECT, LVS_EX_TRACKSELECT);
    list.GetSubItemRect(1, 0, LVIR_LABEL, cell);
    mouse(list, QEvent::MouseMove, cell.CenterPoint());
    EXPECT_EQ(list.hotTracks, 1);
    EXPECT_EQ(list.GetHotItem(), 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 4);
    EXPECT_TRUE(dlg.events.empty());
}

int CALLBACK_byData(LPARAM a, LPARAM b, LPARAM descending)
{
    const int r = a < b ? -1 : a > b ? 1 : 0;
    return descending ? -r : r;
}

TEST_F(ListCtrls, SortingOrdersRowsByTheirDataAndKeepsTheSelectionOnItsRow)
{
    fillSmall(5); // data 100, 99, 98, 97, 96
    small().SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    small().SetItemState(4, LVIS_DROPHILITED, LVIS_DROPHILITED);
    dlg.events.clear();
    ASSERT_TRUE(small().SortItems(CALLBACK_byData, 0));
    EXPECT_EQ(texts(small(), 0), (std::vector<std::string>{"item 4", "item 3", "item 2", "item 1", "item 0"}));
    EXPECT_EQ(texts(small(), 2), (std::vector<std::string>{"96", "97", "98", "99", "100"}));
    EXPECT_EQ(small().GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(small().GetItemState(0, LVIS_DROPHILITED), LVIS_DROPHILITED);
    EXPECT_EQ(small().GetSelectedCount(), 1u);
    EXPECT_TRUE(dlg.events.empty()) << "sorting changes no item's state";
    EXPECT_FALSE(big().SortItems(CALLBACK_byData, 0)) << "an owner-data list's parent sorts its rows";

    small().DeleteItem(0);
    EXPECT_EQ(small().GetItemText(0, 0), "item 3");
    EXPECT_EQ(small().GetItemData(0), 97u);
    EXPECT_EQ(small().GetNextItem(-1, LVNI_SELECTED), 2);
    small().DeleteAllItems();
    EXPECT_EQ(small().GetItemCount(), 0);
}

TEST_F(ListCtrls, ADragImageFollowsThePointerWithItsHotSpotAndAMask)
{
    fillSmall(3);
    std::unique_ptr<CImageList> image(small().CreateDragImage(1, nullptr));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetImageCount(), 1);

    // A picture whose white pixels are its mask.
    CBitmap picture;
    ASSERT_TRUE(picture.CreateBitmap(8, 4, 1, 32, nullptr));
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&picture);
        dc.FillSolidRect(0, 0, 8, 4, RGB(255, 255, 255));
        dc.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 255));
        dc.SelectObject(old);
    }
    CImageList list;
    ASSERT_TRUE(list.Create(8, 4, ILC_COLOR32 | ILC_MASK, 1, 0));
    ASSERT_EQ(list.Add(&picture, &picture), 0);
    CBitmap target;
    target.CreateBitmap(10, 6, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 10, 6, RGB(0, 128, 0));
    ASSERT_TRUE(list.Draw(&dc, 0, CPoint(1, 1), ILD_TRANSPARENT));
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(7, 2), RGB(0, 128, 0)) << "masked pixels leave what was there";
    dc.SelectObject(old);

    ASSERT_TRUE(list.BeginDrag(0, CPoint(-10, -14)));
    ASSERT_TRUE(CImageList::DragEnter(nullptr, CPoint(300, 200)));
    EXPECT_EQ(win::DragImageRect(), CRect(310, 214, 318, 218));
    CImageList::DragMove(CPoint(320, 250));
    EXPECT_EQ(win::DragImageRect(), CRect(330, 264, 338, 268));
    CImageList::DragShowNolock(FALSE);
    EXPECT_TRUE(win::DragImageRect().IsRectEmpty());
    CImageList::DragShowNolock(TRUE);
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    EXPECT_TRUE(win::DragImageRect().IsRectEmpty());
    EXPECT_TRUE(list.BeginDrag(0, CPoint(0, 0))) << "a new drag can begin after the end";
    CImageList::EndDrag();
}

} // namespace
