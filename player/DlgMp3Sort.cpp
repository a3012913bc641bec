// The music page's song lists: sorting by a header click or after a load, and
// dragging rows within a list, to another list or onto the queue.
#include "player/DlgMp3.h"

#include "platform/win/Input.h"
#include "store/TextKey.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <string_view>

int g_sortKeys1[20];
int g_sortKeys2[20];
int g_sortKeys3[20];
int g_sortKeys[20];
int g_sortDescending1 = 0;
int g_sortDescending2 = 0;
int g_sortDescending3 = 0;
int g_sortDescending = 0;

namespace {

int* KeyOrder(int list) { return list == 1 ? g_sortKeys1 : list == 2 ? g_sortKeys2 : g_sortKeys3; }

int& DescendingFlag(int list)
{
    return list == 1 ? g_sortDescending1 : list == 2 ? g_sortDescending2 : g_sortDescending3;
}

constexpr UINT kDragBitmap = 395;

} // namespace

void CDlgMp3::TakeSortSettings(bool resetKeys)
{
    for (int n = 1; n <= 3; ++n) {
        DescendingFlag(n) = m_set.sortDescending[n - 1] ? 1 : 0;
        if (resetKeys)
            std::iota(KeyOrder(n), KeyOrder(n) + 20, 0);
    }
    if (resetKeys) {
        std::iota(std::begin(g_sortKeys), std::end(g_sortKeys), 0);
        g_sortDescending = 0;
    }
}

void CDlgMp3::PromoteSortKey(int list, int column)
{
    int* keys = KeyOrder(list);
    int order[20];
    order[0] = column;
    int n = 1;
    for (int i = 0; i < 19; ++i)
        if (keys[i] != column && n < 20)
            order[n++] = keys[i];
    for (int i = 0; n < 20; ++i)
        order[n++] = keys[19 - i]; // only when the column was not among the first 19
    std::copy(order, order + 20, keys);
    std::copy(keys, keys + 20, g_sortKeys);
}

int CDlgMp3::CompareRows(const CMemArray& a, const CMemArray& b)
{
    // Texts compare as unsigned bytes: rates and lengths sort as texts, dates
    // written year first in time order.
    for (int k = 0; k < 6; ++k) {
        const int c = a.Col(g_sortKeys[k]).compare(b.Col(g_sortKeys[k]));
        if (c != 0) {
            const int r = c < 0 ? -1 : 1;
            return g_sortDescending == 1 ? -r : r;
        }
    }
    return 0;
}

void CDlgMp3::RefreshSortedFacts(int list, int column)
{
    // Rates and plays change while the program runs: a sort by either takes
    // that fact of every row afresh, all rows in one query.
    const bool rate = column == 2 && m_set.rateActive;
    const bool lastPlay = column == 5 && m_set.trackDateTime;
    auto& rows = m_rows[list - 1];
    if ((!rate && !lastPlay) || rows.empty())
        return;
    std::vector<std::string> paths;
    paths.reserve(rows.size());
    for (const CMemArray& r : rows)
        paths.push_back(r.Col(3));
    SongFactsRequest request;
    request.songRow = rate;
    request.flag = false;
    request.lastPlayed = lastPlay;
    request.danceName = m_set.trackName;
    std::vector<SongFacts> facts = m_db.GetSongFacts(paths, request, 1);
    for (size_t i = 0; i < rows.size() && i < facts.size(); ++i)
        rows[i].SetCol(column, rate ? m_fn.IntToString(facts[i].rate) : std::move(facts[i].lastPlayed));
}

void CDlgMp3::SortRows(std::vector<CMemArray>& rows)
{
    // A compact record per row is sorted, not the rows of ten texts: the leading bytes of the
    // first three keys decide most comparisons without reaching the rows, the full comparison
    // runs only where they cannot, and each row moves once at the end. Rows that compare
    // equal keep their order.
    constexpr std::size_t kKeys = 3;
    struct Entry {
        std::array<store::TextKey, kKeys> key;
        std::uint32_t row;
    };
    std::array<int, kKeys> column{};
    std::array<std::size_t, kKeys> shared{};
    // Keys are taken past the bytes every row shares in their column.
    for (std::size_t k = 0; k < kKeys; ++k) {
        column[k] = g_sortKeys[k];
        shared[k] = store::SharedPrefix(rows.size(),
                                        [&](std::size_t i) { return std::string_view(rows[i].Col(column[k])); });
    }
    std::vector<Entry> entries(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t k = 0; k < kKeys; ++k)
            entries[i].key[k] = store::TextKey(rows[i].Col(column[k]), shared[k]);
        entries[i].row = static_cast<std::uint32_t>(i);
    }
    const int direction = g_sortDescending == 1 ? -1 : 1;
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        for (std::size_t k = 0; k < kKeys; ++k) {
            const int c = a.key[k].Compare(b.key[k]);
            if (c != 0)
                return direction * c < 0;
            if (!a.key[k].SameText(b.key[k]))
                break;
        }
        const int c = CompareRows(rows[a.row], rows[b.row]);
        return c != 0 ? c < 0 : a.row < b.row;
    });
    // Each row moves once, along the cycles of the new order, inside the vector it is in.
    std::vector<bool> placed(rows.size());
    for (std::size_t start = 0; start < rows.size(); ++start) {
        if (placed[start] || entries[start].row == start)
            continue;
        CMemArray held = std::move(rows[start]);
        std::size_t at = start;
        for (;;) {
            placed[at] = true;
            const std::size_t from = entries[at].row;
            if (from == start) {
                rows[at] = std::move(held);
                break;
            }
            rows[at] = std::move(rows[from]);
            at = from;
        }
    }
}

void CDlgMp3::SortListBy(int list, int column, bool toggle)
{
    if (list < 1 || list > 3 || column < 0 || column > 19)
        return;
    if (m_hWnd)
        BeginWaitCursor();
    int& descending = DescendingFlag(list);
    if (toggle)
        descending = column == KeyOrder(list)[0] ? !descending : 0;
    g_sortDescending = descending;
    PromoteSortKey(list, column);
    RefreshSortedFacts(list, column);
    SortRows(m_rows[list - 1]);
    if (m_hWnd)
        EndWaitCursor();
}

void CDlgMp3::OnHeaderItemClick(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    const int column = reinterpret_cast<const NMHEADER*>(hdr)->iItem;
    CPoint pointer;
    if (!::GetCursorPos(&pointer))
        return;
    CRect page;
    GetWindowRect(&page);
    // The list is the one under the pointer, whatever header sent the click.
    const int x = pointer.x - page.left;
    const int width = page.Width();
    int list = 0;
    if (m_set.listCount == 1)
        list = 1;
    else if (m_set.listCount == 2)
        list = x < width / 2 ? 1 : 2;
    else if (m_set.listCount == 3)
        list = x < width / 3 ? 1 : x < 2 * (width / 3) ? 2 : 3;
    if (list == 0 || m_rows[list - 1].empty())
        return;
    SortListBy(list, column, true);
    RefreshListCount(list);
}

// ---- drag and drop

namespace {

// The list control or list box under the screen point (the point may lie on a
// list's header or viewport), else the window itself.
CWnd* DropWindowAt(CPoint screen)
{
    CWnd* under = CWnd::FromHandle(::WindowFromPoint(screen));
    for (CWnd* w = under; w; w = w->GetParent())
        if (dynamic_cast<CListCtrl*>(w) || dynamic_cast<CListBox*>(w))
            return w;
    return under;
}

} // namespace

void CDlgMp3::BeginRowDrag(int list, NMHDR* hdr)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
    m_dragRow = nm->iItem;
    CPoint at = nm->ptAction;
    m_list[list - 1].ClientToScreen(&at);
    m_dragImage = std::make_unique<CImageList>();
    if (m_dragImage->Create(kDragBitmap, 88, 1, RGB(255, 0, 255))) {
        m_dragImage->BeginDrag(0, CPoint(-10, -14));
        CImageList::DragEnter(nullptr, at);
    }
    m_dragging = 1;
    m_dropRow = -1;
    m_dragSource = &m_list[list - 1];
    m_dropTarget = m_dragSource;
    ::SetCapture(m_hWnd);
}

void CDlgMp3::OnBeginDragList1(NMHDR* hdr, LRESULT* result)
{
    BeginRowDrag(1, hdr);
    *result = 0;
}
void CDlgMp3::OnBeginDragList2(NMHDR* hdr, LRESULT* result)
{
    BeginRowDrag(2, hdr);
    *result = 0;
}
void CDlgMp3::OnBeginDragList3(NMHDR* hdr, LRESULT* result)
{
    BeginRowDrag(3, hdr);
    *result = 0;
}

void CDlgMp3::ClearDropHighlight()
{
    auto* list = dynamic_cast<CListCtrl*>(m_dropTarget);
    if (list && list->m_hWnd && m_dropRow >= 0) {
        list->SetItemState(m_dropRow, 0, LVIS_DROPHILITED);
        list->RedrawItems(m_dropRow, m_dropRow);
        list->UpdateWindow();
    }
    m_dropRow = -1;
}

void CDlgMp3::OnMouseMove(UINT flags, CPoint point)
{
    if (m_dragging) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragMove(screen);
        CImageList::DragShowNolock(FALSE);
        CWnd* under = DropWindowAt(screen);
        if (under != m_dropTarget) {
            ClearDropHighlight();
            m_dropTarget = under;
        }
        if (auto* list = dynamic_cast<CListCtrl*>(under)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
            CPoint at = screen;
            list->ScreenToClient(&at);
            const int row = list->HitTest(at);
            if (row != m_dropRow) {
                ClearDropHighlight();
                m_dropRow = row;
                if (row >= 0) {
                    list->SetItemState(row, LVIS_DROPHILITED, LVIS_DROPHILITED);
                    list->RedrawItems(row, row);
                    list->UpdateWindow();
                }
            }
        } else {
            ::SetCursor(::LoadCursor(nullptr, dynamic_cast<CListBox*>(under) ? IDC_ARROW : IDC_NO));
        }
        CImageList::DragShowNolock(TRUE);
    }
    CDialogEx::OnMouseMove(flags, point);
}

void CDlgMp3::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_dragging) {
        ::ReleaseCapture();
        m_dragging = 0;
        if (m_dragImage) {
            CImageList::DragLeave(nullptr);
            CImageList::EndDrag();
            m_dragImage.reset();
        }
        CPoint screen = point;
        ClientToScreen(&screen);
        CWnd* under = DropWindowAt(screen);
        if (auto* list = dynamic_cast<CListCtrl*>(under)) {
            // The row under the release point, whether or not a move reported it.
            CPoint at = screen;
            list->ScreenToClient(&at);
            const int row = list->HitTest(at);
            // A highlight on another row than the release point's must not stay behind.
            if (under != m_dropTarget || row != m_dropRow)
                ClearDropHighlight();
            m_dropTarget = under;
            m_dropRow = row;
            m_dropList = list;
            DropOnSongList(m_dragSource, list);
        } else {
            ClearDropHighlight();
            if (dynamic_cast<CListBox*>(under))
                DropOnQueue(m_dragSource);
        }
    }
    CDialogEx::OnLButtonUp(flags, point);
}

int CDlgMp3::ListNumberOf(const CWnd* control) const
{
    for (int i = 0; i < 3; ++i)
        if (control == &m_list[i])
            return i + 1;
    return 4; // the markers list or any other control: no song list
}

void CDlgMp3::DropOnSongList(CListCtrl* source, CListCtrl* target)
{
    if (!source || !target)
        return;
    if (m_dropRow >= 0)
        target->SetItemState(m_dropRow, 0, LVIS_DROPHILITED);
    const int from = ListNumberOf(source);
    const int to = ListNumberOf(target);
    m_db.BeginBatch();
    if (from <= 3 && to <= 3 && source->GetSelectedCount() == 1 && m_dragRow >= 0 &&
        m_dragRow < int(m_rows[from - 1].size())) {
        const std::string path = m_rows[from - 1][size_t(m_dragRow)].GetCol(3);
        // Below the last row (or on an empty list) the row goes to the end.
        const int count = int(m_rows[to - 1].size());
        const int at = m_dropRow >= 0 && m_dropRow < count ? m_dropRow : count;
        AddSongRow(path, to, at < count ? at : -1);
        RefreshListCount(to);
        if (from == to && int(m_rows[to - 1].size()) > count) {
            const int old = m_dragRow >= at ? m_dragRow + 1 : m_dragRow;
            m_list[to - 1].SetSelectionMark(old);
            RemoveSelectedRow(to);
        }
    }
    m_dropRow = -1;
    m_db.CommitBatch();
    RestoreFocus(1);
}

void CDlgMp3::DropOnQueue(CListCtrl* source)
{
    const int list = ListNumberOf(source);
    MarkAndQueueRow(list, m_dragRow);
    RestoreFocus(1);
}
