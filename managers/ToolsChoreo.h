#pragma once
// The choreography manager (template 262), a Tools page: a source on the left
// (the files of a folder, or every entry of a level table of choreo.db) that
// the caller can search by name or content, and on the right the
// choreography list being built, read from and saved to a list file.
#include "managers/TwoListPage.h"

#include <string>
#include <vector>

class CToolsChoreo : public CTwoListPage {
public:
    enum { IDD = 262 };
    explicit CToolsChoreo(CWnd* parent = nullptr);

    // The left list from a folder or an encoded level reference ("[choreotable]plus").
    void LoadSource(const std::string& path, int own);
    void LoadDatabase(const std::string& reference);
    // The right list from a choreography list file.
    void LoadList(const std::string& path, int own);
    // The end of a drag: the rows go from the source list to the list under
    // the pointer, at the drop row (-1: below the last one).
    void DropRows(CListCtrl* source, CListCtrl* target, int dropIndex, int draggedItem) override;
    void SortLeft(int column) override;
    void SortRight(int column) override;
    // Whether the entry (a file or a database reference) holds the upper-cased text.
    bool EntryContainsText(const std::string& upperText, const std::string& entry);
    // The type keyword's work on the right list's entries.
    void SetListedEntryTypes();

    const std::vector<CMemArray>& LeftRows() const { return m_leftRows; }
    const std::vector<CMemArray>& RightRows() const { return m_rightRows; }
    const std::string& SourceText() const { return m_sourceText; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void SupplyCell(HWND list, ListCellData& cell) override;
    int LeftRowCount() const override { return int(m_leftRows.size()); }
    int RightRowCount() const override { return int(m_rightRows.size()); }
    void LayoutControls(int width, int height) override;
    void AfterFailure() override;

    void OnDir();
    void OnDatabase();
    void OnReload();
    void OnView();
    void OnRelative();
    void OnOpenList();
    void OnReloadList();
    void OnSave();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnAdd();
    void OnChoreography();
    void OnCheckers();
    void OnFindFile();
    void OnFindCall();
    void OnSearchKillFocus();
    void OnLeftDoubleClick(NMHDR* hdr, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void ShowLeft();
    void ShowRight();
    void ShowFiltered(const std::vector<std::string>& entries);
    void MoveMarked(int step);
    void RenewTip(int field, const std::string& text);

    std::vector<CMemArray> m_leftRows, m_rightRows;
    std::vector<std::string> m_entries; // every entry of the current source, in source order
    int m_leftCount = 0, m_rightCount = 0;
    std::string m_sourcePath, m_sourceText;
    std::string m_listPath, m_rightPath;
    int m_relative = 0;
    std::string m_search;
};
