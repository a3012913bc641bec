#pragma once
// The memory manager (template 242), a Tools page: the documents and database
// choreographies the caller put aside in table memory, listed, opened in the
// editor, deleted, saved as a choreography list, and the checker program.
#include "managers/ManagerPage.h"

#include <string>
#include <vector>

class CToolsMemory : public CManagerPage {
public:
    enum { IDD = 242 };
    explicit CToolsMemory(CWnd* parent = nullptr);

    // Refills its list from table memory, in the table's order.
    void ReloadList();
    // Sorts by the path (column 0; other columns do nothing), then flips the direction.
    void SortRows(int column);

    // The paths as shown.
    std::vector<std::string> Paths() const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void SupplyCell(HWND list, ListCellData& cell) override;
    void HeaderClicked(CListCtrl* list, int column) override;
    void LayoutControls(int width, int height) override;
    void AfterFailure() override;

    void OnEdit();
    void OnDelete();
    void OnCheckers();
    void OnSave();
    void OnListDoubleClick(NMHDR* hdr, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    std::string MarkedPath() const;

    CQuickList m_list;
    std::vector<CMemArray> m_rows;
    int m_count = 0;
};
