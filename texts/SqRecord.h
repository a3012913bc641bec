#pragma once
// The record database search window (template 173): searches the record
// catalogue by title, label, caller or company, optionally narrowed to one
// company and one caller, and lists the hits sortably. A few maintenance
// keywords typed as the search text start the catalogue's imports and exports
// instead.
#include "controls/PPToolTip.h"
#include "controls/QuickList.h"
#include "store/MemArray.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/MFCButton.h"

#include <functional>
#include <string>
#include <vector>

class CSqRecord : public CDialogEx {
public:
    enum { IDD = 173 };
    explicit CSqRecord(CWnd* parent = nullptr);
    ~CSqRecord() override;

    // Background from the dialog colour; controls refreshed.
    void RefreshBackground();

    // How "vapkern" opens a text-case tool with this window as parent; the
    // tool belongs to the main window's side of the program.
    using ToolOpener = std::function<void(CWnd& parent)>;
    void SetTextCaseToolOpener(ToolOpener opener) { m_openTextCaseTool = std::move(opener); }

    BOOL PreTranslateMessage(MSG* msg) override;

    // The hits as listed now (columns 0 label, 1 title, 2 caller, 3 company).
    const std::vector<CMemArray>& Rows() const { return m_rows; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter searches.
    void OnOK() override { OnSearch(); }
    // Esc hides the window; it stays with the main window.
    void OnCancel() override { ShowWindow(SW_HIDE); }

    DECLARE_MESSAGE_MAP()
    void OnSearch();
    void OnClearAll();
    void OnClose();
    void OnColumnClick(NMHDR* hdr, LRESULT* result);
    LRESULT OnGetCell(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnHelpInfo(HELPINFO* info);

private:
    void FillChoices();
    // The item chosen in a filter list, or what is typed into it; empty for item 0.
    std::string FilterText(CComboBox& list) const;
    // Starts the maintenance operation the text names; false when it names none.
    bool RunKeyword(const std::string& text);
    void SortByColumn(int column);
    void Layout();
    bool SinkHasFocus() const;
    void FocusSearchField();
    void Report(const std::string& text, UINT icon = MB_ICONINFORMATION);

    // One sort state for every record window; each opening starts it afresh.
    static int s_keyOrder[20];
    static int s_descending;

    std::string m_search;
    int m_hits = 0;
    int m_records = 0;
    int m_companies = 0;
    int m_callers = 0;
    std::vector<CMemArray> m_rows;

    CQuickList m_list;
    CComboBox m_typeList;
    CComboBox m_companyList;
    CComboBox m_callerList;
    CMFCButton m_searchButton;
    CMFCButton m_clearButton;
    CPPToolTip m_tooltip;
    CFont m_listFont;
    CMusicDb m_settings;
    MyFunctions m_fn;
    ToolOpener m_openTextCaseTool;
};
