#pragma once
// The record picker (template 247): the records of the catalogue with their
// title, label and caller, sortable by a click on a column header. Select or a
// double click hands back the chosen record. Mode 1 lists only the records
// that have a cue sheet, any other mode every record.
#include "controls/QuickList.h"
#include "store/MemArray.h"
#include "store/MyFunctions.h"
#include "platform/win/Dialog.h"
#include "platform/win/MFCButton.h"

#include <string>
#include <vector>

class CGetFromMusicDb : public CDialogEx {
public:
    enum { IDD = 247 };
    explicit CGetFromMusicDb(int mode, CWnd* parent = nullptr);
    ~CGetFromMusicDb() override;

    // The chosen record, after IDOK; all empty when no row was marked.
    std::string GetLabel() const { return m_label; }
    std::string GetTitle() const { return m_title; }
    std::string GetCaller() const { return m_caller; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnSelect();
    void OnCancelButton() { EndDialog(IDCANCEL); }
    void OnDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnColumnClick(NMHDR* hdr, LRESULT* result);
    LRESULT OnGetCell(WPARAM wParam, LPARAM lParam);
    BOOL OnHelpInfo(HELPINFO* info);

private:
    void LoadRows();
    void SortByColumn(int column);
    void TakeSelection();
    static bool CompareRows(const CMemArray& a, const CMemArray& b);

    // One sort state for every picker; each opening starts it afresh.
    static int s_sortColumn;
    static bool s_ascending;
    static bool s_previousAscending;

    int m_mode;
    std::vector<CMemArray> m_rows;
    CQuickList m_list;
    CMFCButton m_select;
    CMFCButton m_cancel;
    MyFunctions m_fn;
    std::string m_label;
    std::string m_title;
    std::string m_caller;
};
