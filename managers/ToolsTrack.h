#pragma once
// The track manager (template 244), a Tools page: the log of played songs
// (table track), newest first, at most 20 000 rows; Delete, Export of the
// selected rows to "Trackdatabase.csv" and Import of such a file.
#include "managers/ManagerPage.h"

#include <string>
#include <vector>

namespace tracklog {

// The most rows the list shows.
constexpr int kMaxRows = 20000;
// The header line of the file: the columns in the order of its data lines.
constexpr const char* kHeader = "Date;Time;Title;Name;List;Path;Level";
// The header the older program wrote (the list's order); skipped on reading too.
constexpr const char* kOldHeaderStart = "Title;";

// A list row as a data line: Date;Time;Title;Name;List;Path;Level.
std::string Line(const CMemArray& row);

// One data line read: date, time, title, name, list, path, level text.
struct Entry {
    std::string date;
    std::string time;
    std::string title;
    std::string name;
    int list = 0;
    std::string path;
    int level = 0;
};
// Nothing for a blank line, a header, a line beginning with ";" or with fewer than five ";".
bool ParseLine(const std::string& line, Entry& entry);

} // namespace tracklog

class CToolsTrack : public CManagerPage {
public:
    enum { IDD = 244 };
    explicit CToolsTrack(CWnd* parent = nullptr);

    // Refills its list from table track (ascending again).
    void Reload();
    void FillList();
    void SortRows(bool toggle);
    void PromoteSortColumn(int column, bool toggle);
    // Writes the header and the selected rows; false when the file cannot be created.
    bool ExportTo(const std::string& path);
    void ImportFrom(const std::string& path);

    const std::vector<CMemArray>& Rows() const { return m_rows; }
    CQuickList& List() { return m_list; }
    const managers::KeyOrder& SortState() const { return m_sort; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void SupplyCell(HWND list, ListCellData& cell) override;
    void HeaderClicked(CListCtrl* list, int column) override;
    void LayoutControls(int width, int height) override;
    bool PageKey(MSG* msg) override;
    void AfterFailure() override;

    void OnDelete();
    void OnExport();
    void OnImport();
    DECLARE_MESSAGE_MAP()

private:
    CQuickList m_list;
    std::vector<CMemArray> m_rows;
    managers::KeyOrder m_sort;
    int m_count = 0;
};
