#include "platform/win/ListCtrl.h"

#include "platform/win/Dc.h"
#include "platform/win/ImageList.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <vector>

using namespace win::detail;

namespace {

constexpr int kFormatRole = Qt::UserRole + 1; // the column format (LVCFMT_...)
// Above this many rows one change of selection reports once, with item -1.
constexpr int kManyChanges = 256;

COLORREF resolve(COLORREF c, int sysColor) { return (c == CLR_DEFAULT) ? GetSysColor(sysColor) : c; }

struct Column {
    QString text;
    int fmt = LVCFMT_LEFT;
};

struct Row {
    std::vector<std::string> texts;
    LPARAM data = 0;
    UINT state = 0; // LVIS_CUT, LVIS_DROPHILITED and the state image; selection and focus are the view's
};

class ListView;

class ListModel : public QAbstractTableModel {
public:
    explicit ListModel(ListView* view) : m_view(view) {}

    std::vector<Column> columns;
    std::vector<Row> rows; // the rows of a list that keeps them
    int ownerCount = 0;    // the rows of an owner-data list
    bool ownerData = false;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : (ownerData ? ownerCount : int(rows.size()));
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(columns.size()))
            return {};
        const Column& c = columns[size_t(section)];
        switch (role) {
        case Qt::DisplayRole: return c.text;
        case kFormatRole: return c.fmt;
        case Qt::TextAlignmentRole: {
            const int j = c.fmt & LVCFMT_JUSTIFYMASK;
            const Qt::Alignment h = j == LVCFMT_RIGHT ? Qt::AlignRight : j == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
            return QVariant::fromValue(int(h | Qt::AlignVCenter));
        }
        default: return {};
        }
    }
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(columns.size()))
            return false;
        if (role == Qt::DisplayRole)
            columns[size_t(section)].text = value.toString();
        else if (role == kFormatRole)
            columns[size_t(section)].fmt = value.toInt();
        else
            return false;
        emit headerDataChanged(Qt::Horizontal, section, section);
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
    }

    void insertColumnAt(int at, const Column& c)
    {
        beginInsertColumns(QModelIndex(), at, at);
        columns.insert(columns.begin() + at, c);
        for (Row& r : rows)
            if (int(r.texts.size()) > at)
                r.texts.insert(r.texts.begin() + at, std::string());
        endInsertColumns();
    }
    void removeColumnAt(int at)
    {
        beginRemoveColumns(QModelIndex(), at, at);
        columns.erase(columns.begin() + at);
        for (Row& r : rows)
            if (int(r.texts.size()) > at)
                r.texts.erase(r.texts.begin() + at);
        endRemoveColumns();
    }
    void insertRowAt(int at, Row row)
    {
        beginInsertRows(QModelIndex(), at, at);
        rows.insert(rows.begin() + at, std::move(row));
        endInsertRows();
    }
    void removeRowAt(int at)
    {
        beginRemoveRows(QModelIndex(), at, at);
        rows.erase(rows.begin() + at);
        endRemoveRows();
    }
    void removeAllRows()
    {
        const int n = rowCount();
        if (n == 0)
            return;
        beginRemoveRows(QModelIndex(), 0, n - 1);
        rows.clear();
        ownerCount = 0;
        endRemoveRows();
    }
    // Rows come and go at the end, so the selection of the rows that stay is kept.
    void setOwnerCount(int n)
    {
        if (n > ownerCount) {
            beginInsertRows(QModelIndex(), ownerCount, n - 1);
            ownerCount = n;
            endInsertRows();
        } else if (n < ownerCount) {
            beginRemoveRows(QModelIndex(), n, ownerCount - 1);
            ownerCount = n;
            endRemoveRows();
        }
    }
    void rowsReordered()
    {
        emit layoutAboutToBeChanged();
        emit layoutChanged();
    }

private:
    ListView* m_view;
};

// Paints into the viewport in the list's client coordinates (the header included).
class CellDC : public CDC {
public:
    CellDC(QWidget* viewport, const QFont& font, QPoint origin)
    {
        BeginWidget(viewport, &font);
        SetViewportOrg(-origin.x(), -origin.y());
    }
    ~CellDC() override { End(); }
    CellDC(const CellDC&) = delete;
    CellDC& operator=(const CellDC&) = delete;
};

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(ListView* view) : m_view(view) {}
    void paint(QPainter*, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Asked when the user double-clicks a column's divider: the column fits its shown texts.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override;

private:
    ListView* m_view;
};

// The header widget; its right clicks report as NM_RCLICK.
class HeaderView : public Widget<QHeaderView> {
public:
    HeaderView(QWidget* parent) : Widget<QHeaderView>(Qt::Horizontal, parent) {}
    std::function<void()> onRightClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        Widget<QHeaderView>::mouseReleaseEvent(e);
        if (e->button() == Qt::RightButton && onRightClick)
            onRightClick();
    }
};

class ListView : public Widget<QTableView> {
public:
    ListModel model{this};
    DWORD exStyle = 0;
    COLORREF bkColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    COLORREF textBkColor = CLR_DEFAULT;
    std::map<int, UINT> ownerStates; // LVIS_CUT and LVIS_DROPHILITED of an owner-data list's rows
    int selectionMark = -1;
    int hotItem = -1;
    CHeaderCtrl* headerWnd = nullptr; // owned by the list window's state
    HeaderView* headerView = nullptr;
    CImageList* imageLists[3] = {nullptr, nullptr, nullptr};
    bool quietHeader = false;

    explicit ListView(QWidget* parent, DWORD style) : Widget<QTableView>(parent)
    {
        model.ownerData = (style & LVS_OWNERDATA) != 0;
        headerView = new HeaderView(this);
        setHorizontalHeader(headerView);
        setModel(&model);
        setItemDelegate(new CellDelegate(this));
        setShowGrid(false);
        setWordWrap(false);
        setCornerButtonEnabled(false);
        setTabKeyNavigation(false);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        setFrameShape((style & WS_BORDER) ? QFrame::Box : QFrame::NoFrame);
        setLineWidth(1);
        verticalHeader()->hide();
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setMinimumSectionSize(1);
        headerView->setMinimumSectionSize(0);
        headerView->setStretchLastSection(false);
        headerView->setHighlightSections(false);
        headerView->setSectionResizeMode(QHeaderView::Interactive);
        headerView->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        headerView->setSectionsClickable(!(style & LVS_NOSORTHEADER));
        headerView->setVisible(!(style & LVS_NOCOLUMNHEADER));
        if (style & LVS_NOSCROLL) {
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        setSelectionMode((style & LVS_SINGLESEL) ? SingleSelection : ExtendedSelection);
        updateRowHeight();
        applyBackground();

        QObject::connect(headerView, &QHeaderView::sectionClicked, [this](int section) {
            Guarded(hwnd, WM_NOTIFY, [&] { headerNotify(HDN_ITEMCLICK, section, 0); });
        });
        QObject::connect(headerView, &QHeaderView::sectionResized, [this](int section, int, int size) {
            if (!quietHeader)
                Guarded(hwnd, WM_NOTIFY, [&] { headerNotify(HDN_ITEMCHANGED, section, size); });
        });
        headerView->onRightClick = [this] { Guarded(hwnd, WM_NOTIFY, [&] { headerNotify(NM_RCLICK, -1, 0); }); };
        QObject::connect(selectionModel(), &QItemSelectionModel::selectionChanged,
                         [this](const QItemSelection& on, const QItemSelection& off) {
                             Guarded(hwnd, WM_NOTIFY, [&] { reportSelection(on, off); });
                         });
        QObject::connect(selectionModel(), &QItemSelectionModel::currentRowChanged,
                         [this](const QModelIndex& now, const QModelIndex& before) {
                             Guarded(hwnd, WM_NOTIFY, [&] {
                                 if (before.isValid())
                                     itemChanged(before.row(), stateOf(before.row()) | LVIS_FOCUSED, stateOf(before.row()));
                                 if (now.isValid())
                                     itemChanged(now.row(), stateOf(now.row()) & ~LVIS_FOCUSED, stateOf(now.row()));
                             });
                         });
    }

    CWnd* self() const { return CWnd::FromHandle(hwnd); }
    // Lays out rows and scroll ranges now, so places and scrolling are current.
    void settle() { executeDelayedItemsLayout(); }
    int count() const { return model.rowCount(); }
    bool validRow(int row) const { return row >= 0 && row < count(); }
    bool fullRow() const { return (exStyle & LVS_EX_FULLROWSELECT) != 0; }
    QPoint origin() const { return viewport()->pos(); } // the viewport in client coordinates
    int rowHeightPx() const { return verticalHeader()->defaultSectionSize(); }

    // Sends a notification to the parent window; 0 without one.
    LRESULT notify(NMHDR& h, UINT code)
    {
        CWnd* me = self();
        CWnd* parent = me ? me->GetParent() : nullptr;
        if (!parent)
            return 0;
        h.hwndFrom = hwnd;
        h.idFrom = UINT_PTR(me->GetDlgCtrlID());
        h.code = code;
        return parent->SendMessage(WM_NOTIFY, h.idFrom, reinterpret_cast<LPARAM>(&h));
    }

    CHeaderCtrl* header()
    {
        if (headerWnd && headerWnd->GetSafeHwnd())
            return headerWnd;
        CWnd* me = self();
        if (!me)
            return nullptr;
        auto h = std::make_unique<CHeaderCtrl>();
        const DWORD style = WS_CHILD | (headerView->isHidden() ? 0 : WS_VISIBLE) |
                            (headerView->sectionsClickable() ? HDS_BUTTONS : 0);
        h->AttachNewWidget(headerView, headerView, 0, style, 0);
        headerWnd = h.get();
        me->impl()->ownedChildren.push_back(std::move(h));
        return headerWnd;
    }

    // The header tells the list, which passes it on to its parent (DefWindowProc).
    void headerNotify(UINT code, int item, int width)
    {
        CHeaderCtrl* h = header();
        CWnd* me = self();
        if (!h || !me)
            return;
        HDITEM hdi;
        hdi.mask = HDI_WIDTH;
        hdi.cxy = width;
        NMHEADER nm;
        nm.hdr.hwndFrom = h->GetSafeHwnd();
        nm.hdr.idFrom = 0;
        nm.hdr.code = code;
        nm.iItem = item;
        nm.pitem = code == HDN_ITEMCHANGED ? &hdi : nullptr;
        me->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
    }

    void updateRowHeight()
    {
        const int h = QFontMetrics(font()).height() + 3;
        verticalHeader()->setDefaultSectionSize(h);
    }

    // ---- Texts and states -------------------------------------------------------------

    std::string cellText(int row, int col)
    {
        if (!validRow(row) || col < 0 || col >= model.columnCount())
            return {};
        if (!model.ownerData) {
            const Row& r = model.rows[size_t(row)];
            return size_t(col) < r.texts.size() ? r.texts[size_t(col)] : std::string();
        }
        char buffer[LV_MAX_TEXT] = "";
        NMLVDISPINFO info;
        info.item.mask = LVIF_TEXT;
        info.item.iItem = row;
        info.item.iSubItem = col;
        info.item.pszText = buffer;
        info.item.cchTextMax = LV_MAX_TEXT;
        notify(info.hdr, LVN_GETDISPINFO);
        if (!info.item.pszText)
            return {};
        if (info.item.pszText == buffer) {
            buffer[LV_MAX_TEXT - 1] = '\0';
            return buffer;
        }
        return info.item.pszText; // the parent may point at a text of its own
    }

    LPARAM itemData(int row) const
    {
        return (!model.ownerData && validRow(row)) ? model.rows[size_t(row)].data : 0;
    }

    UINT stateOf(int row) const
    {
        if (!validRow(row))
            return 0;
        UINT s = 0;
        if (selectionModel()->isRowSelected(row, QModelIndex()))
            s |= LVIS_SELECTED;
        if (currentIndex().isValid() && currentIndex().row() == row)
            s |= LVIS_FOCUSED;
        if (model.ownerData) {
            auto it = ownerStates.find(row);
            if (it != ownerStates.end())
                s |= it->second;
        } else {
            s |= model.rows[size_t(row)].state;
        }
        return s;
    }

    void itemChanged(int row, UINT oldState, UINT newState)
    {
        if (oldState == newState)
            return;
        NMLISTVIEW nm;
        nm.iItem = row;
        nm.uOldState = oldState;
        nm.uNewState = newState;
        nm.uChanged = LVIF_STATE;
        nm.lParam = itemData(row);
        notify(nm.hdr, LVN_ITEMCHANGED);
    }

    void reportSelection(const QItemSelection& on, const QItemSelection& off)
    {
        std::set<int> rowsOn, rowsOff;
        int total = 0;
        for (const QItemSelectionRange& r : on)
            total += r.height();
        for (const QItemSelectionRange& r : off)
            total += r.height();
        if (total > kManyChanges) {
            NMLISTVIEW nm;
            nm.iItem = -1;
            nm.uChanged = LVIF_STATE;
            nm.uNewState = on.isEmpty() ? 0 : LVIS_SELECTED;
            nm.uOldState = on.isEmpty() ? LVIS_SELECTED : 0;
            notify(nm.hdr, LVN_ITEMCHANGED);
            return;
        }
        for (const QItemSelectionRange& r : on)
            for (int i = r.top(); i <= r.bottom(); ++i)
                rowsOn.insert(i);
        for (const QItemSelectionRange& r : off)
            for (int i = r.top(); i <= r.bottom(); ++i)
                if (!rowsOn.count(i))
                    rowsOff.insert(i);
        for (int row : rowsOff)
            itemChanged(row, stateOf(row) | LVIS_SELECTED, stateOf(row));
        for (int row : rowsOn)
            itemChanged(row, stateOf(row) & ~LVIS_SELECTED, stateOf(row));
    }

    void setState(int row, UINT state, UINT mask)
    {
        if (!validRow(row))
            return;
        const UINT before = stateOf(row);
        const QModelIndex index = model.index(row, 0);
        if (mask & LVIS_SELECTED)
            selectionModel()->select(index, ((state & LVIS_SELECTED) ? QItemSelectionModel::Select
                                                                     : QItemSelectionModel::Deselect) |
                                                QItemSelectionModel::Rows);
        if (mask & LVIS_FOCUSED) {
            if (state & LVIS_FOCUSED)
                selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            else if (currentIndex().row() == row)
                selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        const UINT own = mask & (LVIS_CUT | LVIS_DROPHILITED | LVIS_STATEIMAGEMASK);
        if (own) {
            UINT& s = model.ownerData ? ownerStates[row] : model.rows[size_t(row)].state;
            s = (s & ~own) | (state & own);
            if (model.ownerData && s == 0)
                ownerStates.erase(row);
            const UINT after = stateOf(row);
            if ((before ^ after) & own)
                itemChanged(row, (before & ~(LVIS_SELECTED | LVIS_FOCUSED)) | (after & (LVIS_SELECTED | LVIS_FOCUSED)),
                            after);
            viewport()->update(rowRectVp(row));
        }
    }

    // ---- Geometry (viewport coordinates unless said otherwise) ------------------------

    QRect rowRectVp(int row) const
    {
        const int y = verticalHeader()->sectionViewportPosition(row);
        const int left = -horizontalHeader()->offset();
        return QRect(left, y, horizontalHeader()->length(), rowHeightPx());
    }
    QRect cellRectVp(int row, int col) const
    {
        const int y = verticalHeader()->sectionViewportPosition(row);
        return QRect(horizontalHeader()->sectionViewportPosition(col), y, horizontalHeader()->sectionSize(col),
                     rowHeightPx());
    }
    static CRect toRect(const QRect& r, QPoint offset)
    {
        return CRect(r.left() + offset.x(), r.top() + offset.y(), r.left() + offset.x() + r.width(),
                     r.top() + offset.y() + r.height());
    }
    // The row and column at a client point; -1 where there is none.
    void hitTest(QPoint client, int& row, int& col, UINT& flags)
    {
        settle();
        const QPoint p = client - origin();
        row = col = -1;
        if (p.y() < 0) {
            flags = LVHT_ABOVE;
            return;
        }
        if (p.y() >= viewport()->height()) {
            flags = LVHT_BELOW;
            return;
        }
        const int r = verticalHeader()->logicalIndexAt(p.y());
        const int c = horizontalHeader()->logicalIndexAt(p.x());
        if (r < 0 || c < 0 || horizontalHeader()->sectionSize(c) == 0) {
            flags = LVHT_NOWHERE;
            return;
        }
        row = r;
        col = c;
        flags = (c == 0 && checkBoxes() && p.x() - horizontalHeader()->sectionViewportPosition(0) < kCheckWidth)
                    ? LVHT_ONITEMSTATEICON
                    : LVHT_ONITEMLABEL;
    }

    // ---- Check boxes (LVS_EX_CHECKBOXES): state image 1 unchecked, 2 checked ----------

    static constexpr int kCheckWidth = 18; // the box and its margins at the left of column 0

    bool checkBoxes() const { return (exStyle & LVS_EX_CHECKBOXES) != 0; }
    bool checked(int row) const { return ((stateOf(row) & LVIS_STATEIMAGEMASK) >> 12) == 2; }
    void toggleCheck(int row)
    {
        if (validRow(row))
            setState(row, INDEXTOSTATEIMAGEMASK(checked(row) ? 1 : 2), LVIS_STATEIMAGEMASK);
    }

    void drawCheckBox(CDC& dc, const CRect& cell, bool on, COLORREF ink)
    {
        const int size = std::min(13, cell.Height() - 2);
        if (size < 5)
            return;
        const int left = cell.left + 2;
        const int top = cell.top + (cell.Height() - size) / 2;
        const CRect box(left, top, left + size, top + size);
        dc.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
        CBrush frame(GetSysColor(COLOR_BTNSHADOW));
        dc.FrameRect(&box, &frame);
        if (!on)
            return;
        // A tick drawn as three short strokes, thick enough to read at any size.
        const int s = size - 6;
        const POINT tick[3] = {{left + 3, top + 3 + s / 2}, {left + 3 + s / 3, top + 3 + s - 1},
                               {left + size - 4, top + 3}};
        CPen pen(PS_SOLID, 2, ink);
        CPen* old = dc.SelectObject(&pen);
        dc.Polyline(tick, 3);
        dc.SelectObject(old);
    }

    // Scrolls the row into view, never sideways.
    void ensureVisible(int row)
    {
        settle();
        const int x = horizontalScrollBar()->value();
        scrollTo(model.index(row, 0), EnsureVisible);
        horizontalScrollBar()->setValue(x);
    }

    // ---- Painting ---------------------------------------------------------------------

    struct Cycle {
        CDC* dc = nullptr;
        LRESULT pre = 0;
        int row = -1;
        LRESULT rowResult = 0;
        COLORREF rowText = CLR_DEFAULT;
        COLORREF rowBk = CLR_DEFAULT;
    } cycle;

    COLORREF windowColor() const { return resolve(bkColor, COLOR_WINDOW); }

    // The background shows through from the viewport's own fill; cells paint themselves.
    void applyBackground()
    {
        const COLORREF back = windowColor();
        QPalette pal = viewport()->palette();
        pal.setColor(QPalette::Base, QColor(GetRValue(back), GetGValue(back), GetBValue(back)));
        viewport()->setPalette(pal);
        viewport()->setAutoFillBackground(true);
    }

    UINT customState(int row) const
    {
        const UINT s = stateOf(row);
        UINT cd = 0;
        if (s & LVIS_SELECTED)
            cd |= CDIS_SELECTED;
        if ((s & LVIS_FOCUSED) && hasFocus())
            cd |= CDIS_FOCUS;
        if (row == hotItem)
            cd |= CDIS_HOT;
        return cd;
    }

    void paintEvent(QPaintEvent* e) override
    {
        CWnd* me = self();
        if (!me) {
            QTableView::paintEvent(e);
            return;
        }
        syncStyle();
        CellDC dc(viewport(), font(), origin());
        const QRect vp = viewport()->rect();
        const CRect client = toRect(vp, origin());
        NMLVCUSTOMDRAW cd;
        cd.nmcd.dwDrawStage = CDDS_PREPAINT;
        cd.nmcd.hdc = &dc;
        cd.nmcd.rc = client;
        cycle = Cycle{};
        cycle.dc = &dc;
        cycle.pre = notify(cd.nmcd.hdr, NM_CUSTOMDRAW);
        if (!(cycle.pre & CDRF_SKIPDEFAULT)) {
            QTableView::paintEvent(e); // the delegate paints each visible cell
            if (exStyle & LVS_EX_GRIDLINES)
                drawGrid(dc);
            const int focused = currentIndex().isValid() ? currentIndex().row() : -1;
            if (hasFocus() && validRow(focused)) {
                CRect r = toRect(rowRectVp(focused), origin());
                if (!fullRow())
                    r = toRect(cellRectVp(focused, 0), origin());
                dc.DrawFocusRect(&r);
            }
        }
        if (cycle.pre & CDRF_NOTIFYPOSTPAINT) {
            NMLVCUSTOMDRAW post;
            post.nmcd.dwDrawStage = CDDS_POSTPAINT;
            post.nmcd.hdc = &dc;
            post.nmcd.rc = client;
            notify(post.nmcd.hdr, NM_CUSTOMDRAW);
        }
        cycle = Cycle{};
    }

    void drawGrid(CDC& dc)
    {
        const COLORREF line = GetSysColor(COLOR_BTNFACE);
        const QPoint o = origin();
        const int width = std::min(viewport()->width(), horizontalHeader()->length() - horizontalHeader()->offset());
        const int h = rowHeightPx();
        const int top = count() > 0 ? verticalHeader()->sectionViewportPosition(verticalHeader()->logicalIndexAt(0))
                                    : 0;
        for (int y = top + h - 1; y < viewport()->height(); y += h)
            dc.FillSolidRect(o.x(), o.y() + y, width, 1, line);
        for (int c = 0; c < model.columnCount(); ++c) {
            if (horizontalHeader()->sectionSize(c) == 0)
                continue;
            const int x = horizontalHeader()->sectionViewportPosition(c) + horizontalHeader()->sectionSize(c) - 1;
            if (x >= 0 && x < viewport()->width())
                dc.FillSolidRect(o.x() + x, o.y(), 1, viewport()->height(), line);
        }
    }

    void paintCell(int row, int col, const QRect& rectVp)
    {
        if (!cycle.dc || rectVp.width() <= 0)
            return; // a closed column shows nothing and asks nothing
        CDC& dc = *cycle.dc;
        if (row != cycle.row) {
            cycle.row = row;
            cycle.rowResult = CDRF_DODEFAULT;
            cycle.rowText = CLR_DEFAULT;
            cycle.rowBk = CLR_DEFAULT;
            if (cycle.pre & CDRF_NOTIFYITEMDRAW) {
                NMLVCUSTOMDRAW cd;
                cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
                cd.nmcd.hdc = &dc;
                cd.nmcd.rc = toRect(rowRectVp(row), origin());
                cd.nmcd.dwItemSpec = DWORD_PTR(row);
                cd.nmcd.uItemState = customState(row);
                cd.nmcd.lItemlParam = itemData(row);
                cd.clrText = resolve(textColor, COLOR_WINDOWTEXT);
                cd.clrTextBk = resolve(textBkColor, COLOR_WINDOW);
                cycle.rowResult = notify(cd.nmcd.hdr, NM_CUSTOMDRAW);
                cycle.rowText = cd.clrText;
                cycle.rowBk = cd.clrTextBk;
            }
        }
        if (cycle.rowResult & CDRF_SKIPDEFAULT)
            return;
        COLORREF text = cycle.rowText;
        COLORREF back = cycle.rowBk;
        const CRect cell = toRect(rectVp, origin());
        if (cycle.rowResult & CDRF_NOTIFYSUBITEMDRAW) {
            NMLVCUSTOMDRAW cd;
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            cd.nmcd.hdc = &dc;
            cd.nmcd.rc = cell;
            cd.nmcd.dwItemSpec = DWORD_PTR(row);
            cd.nmcd.uItemState = customState(row);
            cd.nmcd.lItemlParam = itemData(row);
            cd.iSubItem = col;
            cd.clrText = text == CLR_DEFAULT ? resolve(textColor, COLOR_WINDOWTEXT) : text;
            cd.clrTextBk = back == CLR_DEFAULT ? resolve(textBkColor, COLOR_WINDOW) : back;
            const int saved = dc.SaveDC();
            const LRESULT r = notify(cd.nmcd.hdr, NM_CUSTOMDRAW);
            dc.RestoreDC(saved);
            if (r & CDRF_SKIPDEFAULT)
                return;
            text = cd.clrText;
            back = cd.clrTextBk;
        }
        drawCell(dc, row, col, cell, text, back);
    }

    void drawCell(CDC& dc, int row, int col, const CRect& cell, COLORREF text, COLORREF back)
    {
        const UINT s = stateOf(row);
        const bool inSelection = col == 0 || fullRow();
        const bool shown = hasFocus() || (self() && (self()->GetStyle() & LVS_SHOWSELALWAYS));
        COLORREF fill;
        COLORREF ink;
        if (inSelection && ((s & LVIS_DROPHILITED) || ((s & LVIS_SELECTED) && hasFocus()))) {
            fill = GetSysColor(COLOR_HIGHLIGHT);
            ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
        } else if (inSelection && (s & LVIS_SELECTED) && shown) {
            fill = GetSysColor(COLOR_BTNFACE);
            ink = GetSysColor(COLOR_WINDOWTEXT);
        } else {
            fill = back == CLR_DEFAULT ? resolve(textBkColor, COLOR_WINDOW) : back;
            ink = text == CLR_DEFAULT ? resolve(textColor, COLOR_WINDOWTEXT) : text;
        }
        if (fill != CLR_NONE)
            dc.FillSolidRect(&cell, fill);
        CRect r = cell;
        if (col == 0 && checkBoxes()) {
            drawCheckBox(dc, cell, checked(row), GetSysColor(COLOR_WINDOWTEXT));
            r.left += kCheckWidth;
        }
        const std::string t = cellText(row, col);
        if (t.empty())
            return;
        const int j = model.columns[size_t(col)].fmt & LVCFMT_JUSTIFYMASK;
        const UINT align = j == LVCFMT_RIGHT ? DT_RIGHT : j == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
        r.DeflateRect(col == 0 ? 2 : 6, 0, 6, 0);
        const int savedMode = dc.SetBkMode(TRANSPARENT);
        const COLORREF savedInk = dc.SetTextColor(ink);
        dc.DrawText(t, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align);
        dc.SetTextColor(savedInk);
        dc.SetBkMode(savedMode);
    }

    // The window's style may change after creation (ModifyStyle).
    void syncStyle()
    {
        CWnd* me = self();
        if (!me)
            return;
        const DWORD style = me->GetStyle();
        const auto mode = (style & LVS_SINGLESEL) ? SingleSelection : ExtendedSelection;
        if (selectionMode() != mode)
            setSelectionMode(mode);
        model.ownerData = model.ownerData || (style & LVS_OWNERDATA);
    }

    // ---- Input ------------------------------------------------------------------------

    QPoint pressAt;
    int pressRow = -1;
    bool dragStarted = false;

    QPoint clientOf(const QMouseEvent* e) const { return e->position().toPoint() + origin(); }

    void activate(UINT code, const QMouseEvent* e)
    {
        NMITEMACTIVATE nm;
        int row, col;
        UINT flags;
        hitTest(clientOf(e), row, col, flags);
        nm.iItem = row;
        nm.iSubItem = std::max(col, 0);
        nm.ptAction = POINT{clientOf(e).x(), clientOf(e).y()};
        nm.lParam = itemData(row);
        if (e->modifiers() & Qt::ShiftModifier)
            nm.uKeyFlags |= 0x4; // LVKF_SHIFT
        if (e->modifiers() & Qt::ControlModifier)
            nm.uKeyFlags |= 0x2; // LVKF_CONTROL
        notify(nm.hdr, code);
    }

    bool viewportEvent(QEvent* e) override
    {
        // Dragging is detected before the window sees the move, as Windows
        // detects it inside the button press: a list whose owner eats
        // WM_MOUSEMOVE still begins drags.
        if (e->type() == QEvent::MouseMove && pressRow >= 0 && !dragStarted) {
            auto* me = static_cast<QMouseEvent*>(e);
            if ((me->buttons() & (Qt::LeftButton | Qt::RightButton)) &&
                (me->position().toPoint() - pressAt).manhattanLength() >= QApplication::startDragDistance()) {
                dragStarted = true;
                const bool left = me->buttons() & Qt::LeftButton;
                Guarded(hwnd, WM_NOTIFY, [&] {
                    NMLISTVIEW nm;
                    nm.iItem = pressRow;
                    const QPoint c = pressAt + origin();
                    nm.ptAction = POINT{c.x(), c.y()};
                    nm.lParam = itemData(pressRow);
                    notify(nm.hdr, left ? LVN_BEGINDRAG : LVN_BEGINRDRAG);
                });
            }
        }
        return Widget<QTableView>::viewportEvent(e);
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        syncStyle();
        pressAt = e->position().toPoint();
        int col;
        UINT flags;
        hitTest(clientOf(e), pressRow, col, flags);
        dragStarted = false;
        QTableView::mousePressEvent(e);
        if (e->button() == Qt::LeftButton && (flags & LVHT_ONITEMSTATEICON) && checkBoxes())
            toggleCheck(pressRow);
        if (pressRow >= 0 && !(e->modifiers() & Qt::ShiftModifier))
            selectionMark = pressRow;
    }

    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (dragStarted)
            return; // the drag belongs to the owner now
        if (exStyle & LVS_EX_TRACKSELECT) {
            int row, col;
            UINT flags;
            hitTest(clientOf(e), row, col, flags);
            if (row != hotItem) {
                const int old = hotItem;
                hotItem = row;
                if (validRow(old))
                    viewport()->update(rowRectVp(old));
                if (row >= 0) {
                    NMLISTVIEW nm;
                    nm.iItem = row;
                    nm.iSubItem = col;
                    nm.ptAction = POINT{clientOf(e).x(), clientOf(e).y()};
                    if (notify(nm.hdr, LVN_HOTTRACK) == 0 && !(e->buttons()))
                        selectionModel()->setCurrentIndex(model.index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                                    QItemSelectionModel::Rows);
                    viewport()->update(rowRectVp(row));
                }
            }
        }
        if (e->buttons())
            QTableView::mouseMoveEvent(e);
    }

    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const bool dragged = dragStarted;
        const bool pressed = pressRow != -2;
        pressRow = -1;
        dragStarted = false;
        if (dragged) {
            // The owner took the drag: the release changes no selection (Qt would select the pressed row now).
            const QItemSelection keep = selectionModel()->selection();
            const QModelIndex current = currentIndex();
            {
                const QSignalBlocker quiet(selectionModel());
                QTableView::mouseReleaseEvent(e);
                selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
                selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
            }
            viewport()->update();
            return;
        }
        QTableView::mouseReleaseEvent(e);
        if (!pressed)
            return;
        if (e->button() == Qt::LeftButton)
            activate(NM_CLICK, e);
        else if (e->button() == Qt::RightButton)
            activate(NM_RCLICK, e);
    }

    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QTableView::mouseDoubleClickEvent(e);
        pressRow = -2; // the release that follows is no click
        if (e->button() == Qt::LeftButton)
            activate(NM_DBLCLK, e);
        else if (e->button() == Qt::RightButton)
            activate(NM_RDBLCLK, e);
    }

    void keyPressEvent(QKeyEvent* e) override
    {
        syncStyle();
        // Left and right scroll the columns, as in a report list.
        if ((e->key() == Qt::Key_Left || e->key() == Qt::Key_Right) && !(e->modifiers() & Qt::ShiftModifier)) {
            const int step = QFontMetrics(font()).averageCharWidth() * 3;
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + (e->key() == Qt::Key_Left ? -step : step));
            e->accept();
            return;
        }
        const int before = currentIndex().isValid() ? currentIndex().row() : -1;
        if (e->key() == Qt::Key_Space && checkBoxes() && validRow(before)) {
            toggleCheck(before);
            e->accept();
            return;
        }
        QTableView::keyPressEvent(e);
        const int after = currentIndex().isValid() ? currentIndex().row() : -1;
        if (after != before && !(e->modifiers() & Qt::ShiftModifier))
            selectionMark = after;
    }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const int col = std::max(0, currentIndex().column());
        if (count() == 0)
            return {};
        if (action == MoveHome)
            return model.index(0, col);
        if (action == MoveEnd)
            return model.index(count() - 1, col);
        if (action == MoveDown && !currentIndex().isValid())
            return model.index(0, col);
        // Taking the focus makes no row current (Qt asks for the next one then).
        if (action == MoveNext || action == MovePrevious)
            return currentIndex();
        return QTableView::moveCursor(action, modifiers);
    }

    void keyboardSearch(const QString& search) override
    {
        // Typing looks up rows this list keeps; an owner-data list's parent keeps its rows.
        if (!model.ownerData)
            QTableView::keyboardSearch(search);
    }

    void changeEvent(QEvent* e) override
    {
        Widget<QTableView>::changeEvent(e);
        if (e->type() == QEvent::FontChange)
            updateRowHeight();
    }

    void focusInEvent(QFocusEvent* e) override
    {
        QTableView::focusInEvent(e);
        viewport()->update(); // the selection changes colour with the focus
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QTableView::focusOutEvent(e);
        viewport()->update();
    }
};

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return QString::fromStdString(m_view->cellText(index.row(), index.column()));
}

void CellDelegate::paint(QPainter*, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    m_view->paintCell(index.row(), index.column(), option.rect);
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const QString text = QString::fromStdString(m_view->cellText(index.row(), index.column()));
    return QSize(QFontMetrics(m_view->font()).horizontalAdvance(text) + 12, m_view->rowHeightPx());
}

ListView* view(const CWnd* w) { return dynamic_cast<ListView*>(w->widget()); }

} // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "SysListView32", "", style, rect, parent, id);
}

QWidget* CListCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    auto* v = new ListView(parent, style);
    ApplyFocusPolicy(v, style, Qt::ClickFocus);
    return v;
}

bool CListCtrl::AcceptsWidget(const QWidget* w) const { return dynamic_cast<const ListView*>(w) != nullptr; }

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    ListView* v = view(this);
    if (!v)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NOTIFY: {
        // The header's notifications go on to the list's parent; a click also becomes LVN_COLUMNCLICK.
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        if (!h || !v->headerWnd || h->hwndFrom != v->headerWnd->GetSafeHwnd())
            return 0;
        CWnd* parent = GetParent();
        const LRESULT r = parent ? parent->SendMessage(WM_NOTIFY, wParam, lParam) : 0;
        if (h->code == HDN_ITEMCLICK) {
            NMLISTVIEW nm;
            nm.iItem = -1;
            nm.iSubItem = reinterpret_cast<NMHEADER*>(h)->iItem;
            v->notify(nm.hdr, LVN_COLUMNCLICK);
        }
        return r;
    }
    case LVM_GETITEMCOUNT: return v->count();
    case LVM_SETITEMCOUNT:
        if (v->model.ownerData) {
            const int n = std::max(0, int(wParam));
            v->model.setOwnerCount(n);
            v->ownerStates.erase(v->ownerStates.lower_bound(n), v->ownerStates.end());
            if (v->selectionMark >= n)
                v->selectionMark = -1;
            v->viewport()->update();
        }
        return TRUE;
    case LVM_GETSELECTIONMARK: return v->selectionMark;
    case LVM_SETSELECTIONMARK: {
        const int old = v->selectionMark;
        v->selectionMark = v->validRow(int(lParam)) ? int(lParam) : -1;
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return v->exStyle;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = v->exStyle;
        const DWORD mask = wParam ? DWORD(wParam) : 0xFFFFFFFFu;
        v->exStyle = (old & ~mask) | (DWORD(lParam) & mask);
        if ((v->exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES) && !v->model.ownerData)
            for (Row& r : v->model.rows)
                if (!(r.state & LVIS_STATEIMAGEMASK))
                    r.state |= INDEXTOSTATEIMAGEMASK(1);
        v->viewport()->update();
        return old;
    }
    case LVM_GETITEMSTATE: return v->stateOf(int(wParam)) & UINT(lParam);
    case LVM_SETITEMSTATE: {
        const auto* item = reinterpret_cast<const LVITEM*>(lParam);
        if (!item)
            return FALSE;
        const int row = int(wParam);
        if (row == -1) {
            if (item->stateMask & LVIS_SELECTED) {
                if (item->state & LVIS_SELECTED)
                    v->selectAll();
                else
                    v->clearSelection();
            }
            const UINT rest = item->stateMask & ~LVIS_SELECTED;
            if (rest)
                for (int i = 0; i < v->count(); ++i)
                    v->setState(i, item->state, rest);
            return TRUE;
        }
        if (!v->validRow(row))
            return FALSE;
        v->setState(row, item->state, item->stateMask);
        return TRUE;
    }
    case LVM_GETNEXTITEM: {
        const int start = int(wParam);
        const UINT flags = UINT(lParam);
        const int n = v->count();
        if (flags & LVNI_FOCUSED) {
            const int f = v->currentIndex().isValid() ? v->currentIndex().row() : -1;
            return (f > start && (!(flags & LVNI_SELECTED) || (v->stateOf(f) & LVIS_SELECTED))) ? f : -1;
        }
        if (flags & LVNI_SELECTED) {
            int best = -1;
            for (const QItemSelectionRange& r : v->selectionModel()->selection()) {
                const int candidate = std::max(r.top(), start + 1);
                if (candidate <= r.bottom() && (best < 0 || candidate < best))
                    best = candidate;
            }
            return best;
        }
        return start + 1 < n ? start + 1 : -1;
    }
    case LVM_ENSUREVISIBLE:
        if (!v->validRow(int(wParam)))
            return FALSE;
        v->ensureVisible(int(wParam));
        return TRUE;
    case LVM_SCROLL: {
        v->settle();
        const int dx = int(wParam);
        const int dy = int(lParam);
        if (dy != 0) {
            const int h = std::max(1, v->rowHeightPx());
            int rows = (std::abs(dy) + h / 2) / h;
            rows = std::max(rows, 1);
            v->verticalScrollBar()->setValue(v->verticalScrollBar()->value() + (dy < 0 ? -rows : rows));
        }
        if (dx != 0)
            v->horizontalScrollBar()->setValue(v->horizontalScrollBar()->value() + dx);
        return TRUE;
    }
    default: return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

// ---- Styles ---------------------------------------------------------------------------

DWORD CListCtrl::GetExtendedStyle() const
{
    return DWORD(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) { return SetExtendedStyle(0, exStyle); }

DWORD CListCtrl::SetExtendedStyle(DWORD mask, DWORD exStyle)
{
    return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, WPARAM(mask), LPARAM(exStyle)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    ListView* v = view(this);
    return v ? v->header() : nullptr;
}

COLORREF CListCtrl::GetBkColor() const
{
    ListView* v = view(this);
    return v ? v->windowColor() : GetSysColor(COLOR_WINDOW);
}

BOOL CListCtrl::SetBkColor(COLORREF color)
{
    ListView* v = view(this);
    if (!v)
        return FALSE;
    v->bkColor = color;
    v->applyBackground();
    v->viewport()->update();
    return TRUE;
}

COLORREF CListCtrl::GetTextColor() const
{
    ListView* v = view(this);
    return resolve(v ? v->textColor : CLR_DEFAULT, COLOR_WINDOWTEXT);
}

BOOL CListCtrl::SetTextColor(COLORREF color)
{
    ListView* v = view(this);
    if (!v)
        return FALSE;
    v->textColor = color;
    v->viewport()->update();
    return TRUE;
}

COLORREF CListCtrl::GetTextBkColor() const
{
    ListView* v = view(this);
    return resolve(v ? v->textBkColor : CLR_DEFAULT, COLOR_WINDOW);
}

BOOL CListCtrl::SetTextBkColor(COLORREF color)
{
    ListView* v = view(this);
    if (!v)
        return FALSE;
    v->textBkColor = color;
    v->viewport()->update();
    return TRUE;
}

// ---- Columns --------------------------------------------------------------------------

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width, int subItem)
{
    LVCOLUMN c;
    c.mask = LVCF_FMT | LVCF_TEXT | (width != -1 ? LVCF_WIDTH : 0) | (subItem != -1 ? LVCF_SUBITEM : 0);
    c.fmt = format;
    c.cx = width;
    c.pszText = const_cast<char*>(heading.c_str());
    c.iSubItem = subItem;
    return InsertColumn(index, &c);
}

int CListCtrl::InsertColumn(int index, const LVCOLUMN* column)
{
    ListView* v = view(this);
    if (!v || !column || index < 0)
        return -1;
    const int at = std::min(index, v->model.columnCount());
    Column c;
    if ((column->mask & LVCF_TEXT) && column->pszText)
        c.text = QString::fromUtf8(column->pszText);
    if (column->mask & LVCF_FMT)
        c.fmt = column->fmt;
    v->quietHeader = true;
    v->model.insertColumnAt(at, c);
    v->horizontalHeader()->resizeSection(at, (column->mask & LVCF_WIDTH) ? std::max(0, column->cx) : 0);
    v->quietHeader = false;
    return at;
}

BOOL CListCtrl::DeleteColumn(int index)
{
    ListView* v = view(this);
    if (!v || index < 0 || index >= v->model.columnCount())
        return FALSE;
    v->quietHeader = true;
    v->model.removeColumnAt(index);
    v->quietHeader = false;
    return TRUE;
}

BOOL CListCtrl::GetColumn(int index, LVCOLUMN* column) const
{
    ListView* v = view(this);
    if (!v || !column || index < 0 || index >= v->model.columnCount())
        return FALSE;
    const Column& c = v->model.columns[size_t(index)];
    if (column->mask & LVCF_FMT)
        column->fmt = c.fmt;
    if (column->mask & LVCF_WIDTH)
        column->cx = v->horizontalHeader()->sectionSize(index);
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = index;
    if ((column->mask & LVCF_TEXT) && column->pszText && column->cchTextMax > 0)
        CopyTextOut(c.text.toStdString(), WPARAM(column->cchTextMax), reinterpret_cast<LPARAM>(column->pszText));
    return TRUE;
}

BOOL CListCtrl::SetColumn(int index, const LVCOLUMN* column)
{
    ListView* v = view(this);
    if (!v || !column || index < 0 || index >= v->model.columnCount())
        return FALSE;
    if (column->mask & LVCF_FMT)
        v->model.setHeaderData(index, Qt::Horizontal, column->fmt, kFormatRole);
    if ((column->mask & LVCF_TEXT) && column->pszText)
        v->model.setHeaderData(index, Qt::Horizontal, QString::fromUtf8(column->pszText), Qt::DisplayRole);
    if (column->mask & LVCF_WIDTH)
        v->horizontalHeader()->resizeSection(index, std::max(0, column->cx));
    v->viewport()->update();
    return TRUE;
}

int CListCtrl::GetColumnWidth(int index) const
{
    ListView* v = view(this);
    return (v && index >= 0 && index < v->model.columnCount()) ? v->horizontalHeader()->sectionSize(index) : 0;
}

BOOL CListCtrl::SetColumnWidth(int index, int width)
{
    LVCOLUMN c;
    c.mask = LVCF_WIDTH;
    c.cx = width;
    return SetColumn(index, &c);
}

int CListCtrl::GetColumnCount() const
{
    ListView* v = view(this);
    return v ? v->model.columnCount() : 0;
}

// ---- Items ----------------------------------------------------------------------------

int CListCtrl::InsertItem(int index, const std::string& text)
{
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEM* item)
{
    ListView* v = view(this);
    if (!v || !item || v->model.ownerData || item->iItem < 0)
        return -1;
    const int at = std::min(item->iItem, v->count());
    Row row;
    if ((item->mask & LVIF_TEXT) && item->pszText)
        row.texts.push_back(item->pszText);
    if (item->mask & LVIF_PARAM)
        row.data = item->lParam;
    if (v->checkBoxes())
        row.state = INDEXTOSTATEIMAGEMASK(1); // a new row of a check-box list starts unchecked
    v->model.insertRowAt(at, std::move(row));
    if (v->selectionMark >= at)
        ++v->selectionMark;
    if (item->mask & LVIF_STATE)
        v->setState(at, item->state, item->stateMask);
    return at;
}

BOOL CListCtrl::DeleteItem(int index)
{
    ListView* v = view(this);
    if (!v || !v->validRow(index))
        return FALSE;
    if (v->model.ownerData)
        return FALSE;
    v->model.removeRowAt(index);
    if (v->selectionMark == index)
        v->selectionMark = -1;
    else if (v->selectionMark > index)
        --v->selectionMark;
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    ListView* v = view(this);
    if (!v)
        return FALSE;
    v->model.removeAllRows();
    v->ownerStates.clear();
    v->selectionMark = -1;
    return TRUE;
}

BOOL CListCtrl::SetItemText(int index, int subItem, const std::string& text)
{
    ListView* v = view(this);
    if (!v || v->model.ownerData || !v->validRow(index) || subItem < 0 || subItem >= std::max(1, v->model.columnCount()))
        return FALSE;
    Row& r = v->model.rows[size_t(index)];
    if (r.texts.size() <= size_t(subItem))
        r.texts.resize(size_t(subItem) + 1);
    r.texts[size_t(subItem)] = text;
    v->viewport()->update(v->rowRectVp(index));
    return TRUE;
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    ListView* v = view(this);
    return v ? v->cellText(index, subItem) : std::string();
}

int CListCtrl::GetItemText(int index, int subItem, char* buffer, int length) const
{
    if (!buffer || length <= 0)
        return 0;
    return int(CopyTextOut(GetItemText(index, subItem), WPARAM(length), reinterpret_cast<LPARAM>(buffer)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    ListView* v = view(this);
    return v ? DWORD_PTR(v->itemData(index)) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    ListView* v = view(this);
    if (!v || v->model.ownerData || !v->validRow(index))
        return FALSE;
    v->model.rows[size_t(index)].data = LPARAM(data);
    return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* item) const
{
    ListView* v = view(this);
    if (!v || !item || !v->validRow(item->iItem))
        return FALSE;
    if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0)
        GetItemText(item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
    if (item->mask & LVIF_PARAM)
        item->lParam = v->itemData(item->iItem);
    if (item->mask & LVIF_STATE)
        item->state = v->stateOf(item->iItem) & item->stateMask;
    return TRUE;
}

BOOL CListCtrl::SetItem(const LVITEM* item)
{
    ListView* v = view(this);
    if (!v || !item || !v->validRow(item->iItem))
        return FALSE;
    if ((item->mask & LVIF_TEXT) && item->pszText && !SetItemText(item->iItem, item->iSubItem, item->pszText))
        return FALSE;
    if ((item->mask & LVIF_PARAM) && !SetItemData(item->iItem, DWORD_PTR(item->lParam)))
        return FALSE;
    if (item->mask & LVIF_STATE)
        v->setState(item->iItem, item->state, item->stateMask);
    return TRUE;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
{
    ListView* v = view(this);
    if (!v || !compare || v->model.ownerData)
        return FALSE;
    // Selection, focus and the mark travel with their rows; sorting reports no changes.
    const int n = v->count();
    std::vector<int> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        order[size_t(i)] = i;
    std::vector<UINT> states(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        states[size_t(i)] = v->stateOf(i);
    std::vector<Row>& rows = v->model.rows;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compare(rows[size_t(a)].data, rows[size_t(b)].data, LPARAM(data)) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(size_t(n));
    int mark = -1;
    for (int i = 0; i < n; ++i) {
        sorted.push_back(std::move(rows[size_t(order[size_t(i)])]));
        if (order[size_t(i)] == v->selectionMark)
            mark = i;
    }
    const QSignalBlocker quiet(v->selectionModel());
    v->model.rowsReordered();
    rows = std::move(sorted);
    v->selectionModel()->clear();
    QItemSelection selection;
    for (int i = 0; i < n; ++i) {
        const UINT s = states[size_t(order[size_t(i)])];
        if (s & LVIS_SELECTED)
            selection.select(v->model.index(i, 0), v->model.index(i, std::max(0, v->model.columnCount() - 1)));
        if (s & LVIS_FOCUSED)
            v->selectionModel()->setCurrentIndex(v->model.index(i, 0), QItemSelectionModel::NoUpdate);
    }
    v->selectionModel()->select(selection, QItemSelectionModel::Select);
    v->selectionMark = mark;
    v->viewport()->update();
    return TRUE;
}

int CListCtrl::GetItemCount() const { return int(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETITEMCOUNT)); }

BOOL CListCtrl::SetItemCount(int count) { return BOOL(SendMessage(LVM_SETITEMCOUNT, WPARAM(count))); }

// ---- States ---------------------------------------------------------------------------

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return UINT(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETITEMSTATE, WPARAM(index), LPARAM(mask)));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEM item;
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

BOOL CListCtrl::SetItemState(int index, LVITEM* item)
{
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(item)));
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    return int(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETNEXTITEM, WPARAM(start), LPARAM(flags)));
}

UINT CListCtrl::GetSelectedCount() const
{
    ListView* v = view(this);
    if (!v)
        return 0;
    UINT n = 0;
    for (const QItemSelectionRange& r : v->selectionModel()->selection())
        n += UINT(r.height());
    return n;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    // The position is the row plus one, so that null means none.
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(std::intptr_t(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const int row = int(reinterpret_cast<std::intptr_t>(pos)) - 1;
    const int next = GetNextItem(row, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(std::intptr_t(next + 1));
    return row;
}

int CListCtrl::GetSelectionMark() const { return int(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETSELECTIONMARK)); }

int CListCtrl::SetSelectionMark(int index) { return int(SendMessage(LVM_SETSELECTIONMARK, 0, LPARAM(index))); }

int CListCtrl::GetHotItem() const
{
    ListView* v = view(this);
    return v ? v->hotItem : -1;
}

int CListCtrl::SetHotItem(int index)
{
    ListView* v = view(this);
    if (!v)
        return -1;
    const int old = v->hotItem;
    v->hotItem = v->validRow(index) ? index : -1;
    v->viewport()->update();
    return old;
}

BOOL CListCtrl::GetCheck(int index) const { return ((GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

// ---- Places ---------------------------------------------------------------------------

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info;
    info.pt = point;
    const int row = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return row;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const
{
    ListView* v = view(this);
    if (!v || !info)
        return -1;
    int row, col;
    v->hitTest(QPoint(info->pt.x, info->pt.y), row, col, info->flags);
    // Without full-row select only the first column is the item.
    if (row >= 0 && col != 0 && !v->fullRow()) {
        row = -1;
        info->flags = LVHT_NOWHERE;
    }
    info->iItem = row;
    return row;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info)
{
    ListView* v = view(this);
    if (!v || !info)
        return -1;
    v->hitTest(QPoint(info->pt.x, info->pt.y), info->iItem, info->iSubItem, info->flags);
    return info->iItem;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    ListView* v = view(this);
    if (!v || !rect || !v->validRow(index))
        return FALSE;
    v->settle();
    QRect r = v->rowRectVp(index);
    if (code == UINT(LVIR_LABEL) || code == UINT(LVIR_ICON)) {
        const QRect c0 = v->model.columnCount() > 0 ? v->cellRectVp(index, 0) : QRect(r.left(), r.top(), 0, r.height());
        r = code == UINT(LVIR_ICON) ? QRect(c0.left(), c0.top(), 0, c0.height()) : c0;
    }
    *rect = ListView::toRect(r, v->origin());
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int area, CRect& rect) const
{
    ListView* v = view(this);
    if (!v || !v->validRow(index) || subItem < 0 || subItem >= std::max(1, v->model.columnCount()))
        return FALSE;
    if (subItem == 0 && area == LVIR_BOUNDS)
        return GetItemRect(index, &rect, LVIR_BOUNDS);
    v->settle();
    QRect r = v->cellRectVp(index, subItem);
    if (area == LVIR_ICON)
        r.setWidth(0);
    rect = ListView::toRect(r, v->origin());
    return TRUE;
}

BOOL CListCtrl::GetItemPosition(int index, LPPOINT point) const
{
    CRect r;
    if (!point || !GetItemRect(index, &r, LVIR_BOUNDS))
        return FALSE;
    *point = r.TopLeft();
    return TRUE;
}

int CListCtrl::GetTopIndex() const
{
    ListView* v = view(this);
    if (!v || v->count() == 0)
        return 0;
    v->settle();
    // Rows scroll whole: the scroll position is the top row (at the end the last row sits on the bottom edge).
    return std::max(0, v->verticalScrollBar()->value());
}

int CListCtrl::GetCountPerPage() const
{
    ListView* v = view(this);
    if (!v)
        return 0;
    v->settle();
    return std::max(1, v->viewport()->height() / std::max(1, v->rowHeightPx()));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOK)
{
    return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(index), LPARAM(partialOK)));
}

BOOL CListCtrl::Scroll(CSize size) { return BOOL(SendMessage(LVM_SCROLL, WPARAM(size.cx), LPARAM(size.cy))); }

BOOL CListCtrl::RedrawItems(int first, int last)
{
    ListView* v = view(this);
    if (!v)
        return FALSE;
    for (int i = std::max(0, first); i <= last && i < v->count(); ++i)
        v->viewport()->update(v->rowRectVp(i));
    return TRUE;
}

BOOL CListCtrl::Update(int index) { return RedrawItems(index, index); }

// ---- Images ---------------------------------------------------------------------------

CImageList* CListCtrl::CreateDragImage(int index, LPPOINT upperLeft)
{
    ListView* v = view(this);
    CRect r;
    if (!v || !GetItemRect(index, &r, LVIR_LABEL) || r.Width() <= 0)
        return nullptr;
    // The row's first cell as it would look unselected.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap picture;
    picture.CreateBitmap(r.Width(), r.Height(), 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&picture);
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    CRect box(0, 0, r.Width(), r.Height());
    dc.FillSolidRect(&box, v->windowColor());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(resolve(v->textColor, COLOR_WINDOWTEXT));
    box.DeflateRect(2, 0, 2, 0);
    dc.DrawText(v->cellText(index, 0), &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (oldFont)
        dc.SelectObject(oldFont);
    dc.SelectObject(old);
    auto* list = new CImageList;
    list->Create(r.Width(), r.Height(), ILC_COLOR32 | ILC_MASK, 1, 0);
    list->Add(&picture, static_cast<CBitmap*>(nullptr));
    if (upperLeft)
        *upperLeft = r.TopLeft();
    return list;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    ListView* v = view(this);
    if (!v || kind < 0 || kind > 2)
        return nullptr;
    CImageList* old = v->imageLists[kind];
    v->imageLists[kind] = list;
    return old;
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    ListView* v = view(this);
    return (v && kind >= 0 && kind <= 2) ? v->imageLists[kind] : nullptr;
}
