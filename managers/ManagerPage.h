#pragma once
// What the Tools pages share: the page frame (close report, help key, focus
// sink and timer, scroll keys and wheel, cell requests and header clicks
// routed to the page, layout on resize, database failures caught at the
// handler) and the helpers the two modal list dialogs reuse (row colours,
// list styles and font, the balloon tips, the three ways of sorting rows,
// range-checked selections).
#include "controls/PPToolTip.h"
#include "controls/QuickList.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "store/MemArray.h"
#include "store/MusicDb.h"
#include "store/CommandCodes.h"
#include "store/MyFunctions.h"

#include <algorithm>
#include <exception>
#include <numeric>
#include <string>
#include <vector>

namespace managers {

// ---- cells and lists

// Grid lines while g_gridLines is set, full-row select always; each added by mask.
void StyleList(CListCtrl& list);

// The balloon tips of a page, with the frame's shadow.
void CreateTips(CPPToolTip& tips, CWnd* owner);

// One scroll step (30 pixels) up or down.
void ScrollList(CListCtrl& list, bool up);

// The list font's height from the stored "music - toolslistfontsize" at a
// dpi: -MulDiv(size, dpi, 72), 12 when that is below 1 ("-11" at 96 dpi: 15).
int ListFontHeight(int size, int dpi);
// Creates the tools list font from its four settings ("music - toolslistfont...").
void CreateListFont(CFont& font, CMusicDb& db, int own, int dpi);

// The selected rows of a list that shows `count` rows, in list order; rows
// past the count (a stale list) are left out.
std::vector<int> SelectedRows(const CListCtrl& list, int count);
// The list's selection mark when it names one of the `count` rows, else -1.
int SelectionMark(const CListCtrl& list, int count);
// Selects every row.
void SelectAll(CListCtrl& list);

// ---- sorting (texts compared byte by byte, case-sensitive: "10" < "100" < "9")

// Compares two rows key by key; ascending puts the smaller text first.
template <class Row>
int CompareRows(const Row& a, const Row& b, const std::vector<int>& keys, bool descending)
{
    for (int k : keys) {
        const int c = a.Col(k).compare(b.Col(k));
        if (c != 0)
            return descending ? (c > 0 ? -1 : 1) : (c < 0 ? -1 : 1);
    }
    return 0;
}

// Sorts the rows by the keys (whole rows move once, after the order is known).
template <class Row>
void SortRows(std::vector<Row>& rows, const std::vector<int>& keys, bool descending)
{
    if (rows.size() < 2)
        return;
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return CompareRows(rows[a], rows[b], keys, descending) < 0; });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (int i : order)
        sorted.push_back(std::move(rows[i]));
    rows.swap(sorted);
}

// The key-order sort state (music manager, database check, track manager):
// an order of column indexes whose first `keys` entries are the sort keys,
// and the direction.
struct KeyOrder {
    std::vector<int> order;
    int keys = 0;
    int descending = 0; // 0 ascending, 1 descending

    // 0, 1, ... entries - 1; ascending.
    void Reset(int entries, int keyCount);
    // A click on a column: when it already leads, the direction flips (with
    // toggle), otherwise it becomes ascending; the column moves to the front.
    // Without toggle the column only moves to the front.
    void Promote(int column, bool toggle);
    std::vector<int> Keys() const;
    int Leading() const { return order.empty() ? 0 : order.front(); }
};

// The keys of the clicked-column-first sort: the column, then texts 0 to 5 without it.
std::vector<int> ClickedFirstKeys(int column);

// ---- the page frame

// Ends the wait cursor however the scope is left.
class WaitCursor {
public:
    explicit WaitCursor(CWnd& wnd) : m_wnd(wnd) { m_wnd.BeginWaitCursor(); }
    ~WaitCursor() { m_wnd.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    CWnd& m_wnd;
};

} // namespace managers

// The base of the modeless Tools pages.
class CManagerPage : public CDialogEx {
public:
    CManagerPage(UINT templateId, UINT closeCode, CWnd* parent);

    // Lets Esc and the close box report the close like the close button.
    void OnCancel() override;
    void OnOK() override {}
    BOOL PreTranslateMessage(MSG* msg) override;

    // The focus timer's id.
    static constexpr UINT_PTR kFocusTimer = 1;

protected:
    // A list of the page: cells, wheel and header clicks are routed to it.
    void AddList(CQuickList& list);
    // Sets the list font (created once per page) on every list.
    void ApplyListFont(int own);
    void StartFocusTimer(UINT ms);
    // Focus to the sink edit 1004, then the controls from the members.
    void ParkFocus();

    // Runs a database operation of a handler: a failure rolls the open batch
    // back, is shown as "<doing>" with the error's words, and the page's lists
    // are told the rows they really hold (AfterFailure). Answers success.
    template <class F>
    bool Guarded(const std::string& doing, F&& work)
    {
        try {
            work();
            return true;
        } catch (const std::exception& e) {
            ReportFailure(doing, e);
        }
        return false;
    }

    // ---- what each page gives the frame
    // One cell of one of its lists (wParam: the list's window).
    virtual void SupplyCell(HWND list, ListCellData& cell) = 0;
    // A header click on column `column` of the list (nullptr when not known).
    virtual void HeaderClicked(CListCtrl* list, int column) = 0;
    // The list a wheel turn or a scroll key scrolls (default: the first list).
    virtual CListCtrl* ScrollTarget(CPoint screenPoint);
    // Whether a scroll key, once the list scrolled, is left to the focused
    // control (the playlist, choreography and marry managers) instead of the
    // dialog's own key processing.
    virtual bool PassesScrollKeys() const { return false; }
    // The page's other keys (the track manager's Ctrl+A); true when handled.
    virtual bool PageKey(MSG*) { return false; }
    virtual void LayoutControls(int width, int height);
    // Before the close report: stop sound, timers.
    virtual void BeforeClose() {}
    virtual void PageTimer(UINT_PTR) {}
    // After a failed operation: every list's count becomes the rows held.
    virtual void AfterFailure() {}

    void ReportFailure(const std::string& doing, const std::exception& error);

    void OnClose();
    BOOL OnHelpInfo(HELPINFO* info);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnWindowPosChanged(WINDOWPOS* pos);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    LRESULT OnGetCell(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

    CPPToolTip m_tips;
    CMusicDb m_db;
    MyFunctions m_fn;
    CFont m_listFont;
    std::vector<CQuickList*> m_lists;
    UINT_PTR m_focusTimer = 0;

private:
    UINT m_closeCode;
    bool m_closing = false;
};
