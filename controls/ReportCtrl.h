#pragma once
// The report list of the markers: a list that keeps, beside every row, its
// own copy of the cell texts and a text and background colour per cell. It
// builds its columns from one text ("Markers , 60; int, 0; Comment, 105"),
// sorts by a header click comparing numbers (hexadecimal, then decimal),
// dates and times by value and other texts as text, draws each cell in its
// colours, and has check-box modes and an in-place edit box.
#include "platform/win/Edit.h"
#include "platform/win/ListCtrl.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Sent to the parent.
constexpr UINT UWM_REPORT_CHECKBOX = 42768; // a click changed a check box: wParam row, lParam the mouse message
constexpr UINT UWM_REPORT_SORTED = 42769;   // after a sort: wParam column, lParam ascending

// Row filters (a row matches when the filter holds RC_ITEM_ALL or every bit
// holds for it); as actions the same bits select, deselect, check, uncheck,
// focus and unfocus.
constexpr DWORD RC_ITEM_ALL = 0x01;
constexpr DWORD RC_ITEM_SELECTED = 0x02;
constexpr DWORD RC_ITEM_UNSELECTED = 0x04;
constexpr DWORD RC_ITEM_CHECKED = 0x08;
constexpr DWORD RC_ITEM_UNCHECKED = 0x10;
constexpr DWORD RC_ITEM_FOCUSED = 0x20;
constexpr DWORD RC_ITEM_UNFOCUSED = 0x40;

// Check-box modes.
constexpr int RC_CHKBOX_NONE = 0;
constexpr int RC_CHKBOX_NORMAL = 1;
constexpr int RC_CHKBOX_SINGLE = 2; // at most one row checked
constexpr int RC_CHKBOX_FIXED = 3;  // clicks change nothing

// What the list keeps of a row: one entry per column in each array.
struct ReportRowData {
    LPARAM data = 0; // the row's item data before this record took its place
    std::vector<std::string> texts;
    std::vector<COLORREF> textColors;
    std::vector<COLORREF> backColors;
};

class CReportCtrl : public CListCtrl {
public:
    CReportCtrl();
    ~CReportCtrl() override;

    // Creates the list with the report styles; a null rectangle fills the parent's client area.
    virtual BOOL Create(CWnd* parent, UINT id, const RECT* rect = nullptr, DWORD style = WS_BORDER | WS_TABSTOP);

    // "Name, width, format; ...": width 100 when missing, format 1 centred, 2
    // right, else left; pieces are taken as they are (blanks kept). Deletes
    // every row and column first; TRUE when a column was made.
    BOOL SetColumnHeader(const std::string& spec);
    int InsertColumn(int index, const std::string& heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int index);
    BOOL DeleteAllColumns();

    int InsertItem(int index, const std::string& text);
    BOOL SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const { return CListCtrl::GetItemText(row, column); }
    BOOL DeleteItem(int row, BOOL selectNext = FALSE);
    // The rows deleted: all of them for RC_ITEM_ALL, else those matching the filter.
    int DeleteAllItems(DWORD filter = RC_ITEM_ALL);
    int GetItemCount(DWORD filter = RC_ITEM_ALL) const;
    // The first row after start (from 0 when start < 0) matching the filter; -1 when none.
    int FindItem(DWORD filter, int start = -1) const;
    BOOL SetItemStates(int row, DWORD actions);
    int SetAllItemStates(DWORD filter, DWORD actions);

    // Colour -1 is the window colour. Row and column -1 stand for all rows, all columns.
    void SetItemBkColor(int row = -1, int column = -1, COLORREF color = COLORREF(-1), BOOL redraw = TRUE);
    COLORREF GetItemBkColor(int row, int column) const;
    void SetGridLines(BOOL on = TRUE);

    // Sorts by the column (nothing when it is the current sort); UWM_REPORT_SORTED follows.
    BOOL SortItems(int column, BOOL ascending);
    // Negative, zero or positive as row a sorts before, with or after row b in the current sort.
    int CompareItems(const ReportRowData& a, const ReportRowData& b) const;

    // In-place editing of cells (off at first): a click on the selected and
    // focused row opens the clicked cell. Enter and leaving the box commit, Esc cancels.
    void SetEditable(BOOL editable = TRUE);
    BOOL StartEdit(int row, int column);
    // TRUE when a commit changed the text.
    BOOL EndEdit(BOOL commit = TRUE);
    BOOL IsEditing() const { return m_editRow >= 0; }
    CEdit* GetEditControl() { return &m_edit; }
    void SetCheckboxMode(int mode) { m_checkMode = mode; }

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    DECLARE_MESSAGE_MAP()
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnCustomDraw(NMHDR* hdr, LRESULT* result);
    void OnColumnClick(NMHDR* hdr, LRESULT* result);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnMButtonDown(WPARAM wParam, LPARAM lParam);

private:
    class EditBox;
    friend class EditBox;

    LRESULT mouseButton(UINT message, LPARAM lParam);
    BOOL handleCheckClick(int row, bool checkedBefore, bool checkedAfter, UINT message);
    void ensureSingleCheck(int row);
    bool matches(int row, DWORD filter) const;
    ReportRowData* rowData(int row) const;
    ReportRowData* recordOf(LPARAM data) const;
    void freeRow(int row);
    void reloadTexts();
    void forgetSort();
    static int compareRows(LPARAM a, LPARAM b, LPARAM self);

    std::unique_ptr<EditBox> m_editBox;
    CEdit& m_edit;
    bool m_editable = false;
    int m_editRow = -1;
    int m_editColumn = -1;
    int m_checkMode = RC_CHKBOX_NORMAL;
    std::string m_oldText;
    int m_editAlign = 0;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    std::unordered_map<const ReportRowData*, std::unique_ptr<ReportRowData>> m_rows;
};
