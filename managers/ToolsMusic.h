#pragma once
// The music manager (template 239), a Tools page: every row of table music
// with the song's flag, a row of fields to edit one song's settings and save
// them back, Delete, export and import as music CSV files, the database check,
// and a preview of the song's loop with the edited speed, pitch and tempo.
#include "controls/ButtonST.h"
#include "managers/ManagerPage.h"
#include "managers/MusicStream.h"
#include "platform/audio/Bass.h"

#include <string>
#include <vector>

class CppSQLite3Table;

namespace musicrows {

// The list row of the current row of a table music result: 0 title, 1 path,
// 2 speed, 3 pitch (pitchfloat, or the integer pitch with integerPitch),
// 4 tempo ... 17 key-change time, 18 the flag as decimal text.
CMemArrayLarge FromTable(const CppSQLite3Table& music, const std::string& flag, bool integerPitch);

// The flag value of each flagged path (stored, escaped form) as text.
std::vector<std::pair<std::string, std::string>> FlagsOf(CMusicDb& db, int own);

} // namespace musicrows

class CToolsMusic : public CManagerPage {
public:
    enum { IDD = 239 };
    explicit CToolsMusic(CWnd* parent = nullptr);
    ~CToolsMusic() override;

    // Refills its list from table music (ascending again).
    void Reload();

    void FillList();
    // Sorts by the leading column of the key order, flipping the direction
    // first when toggle is set and the column already led.
    void SortRows(bool toggle);
    void PromoteSortColumn(int column, bool toggle);
    // After a save: the column of "music - colsortglobal" leads.
    void ResortByStoredColumn();

    void ExportToFile(const std::string& path);
    void ExportPerFile();
    void ImportFile(const std::string& path);
    void ImportFolder(const std::string& folder, bool includeSubdirs);

    // Keeps the comments of the marks still in the markers text, drops the others.
    void KeepMarkerComments(const std::string& markers, const std::string& path);
    static int ReadSongLength(const std::string& path);
    void ShowBassError(const std::string& text);

    // What a caller can observe.
    const std::vector<CMemArrayLarge>& Rows() const { return m_rows; }
    CQuickList& List() { return m_list; }
    const managers::KeyOrder& SortState() const { return m_sort; }
    HSTREAM PreviewChannel() const { return m_preview; }
    float PreviewPosition() const { return m_position; }

    // The preview timer's id.
    static constexpr UINT_PTR kPreviewTimer = 2;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void SupplyCell(HWND list, ListCellData& cell) override;
    void HeaderClicked(CListCtrl* list, int column) override;
    void LayoutControls(int width, int height) override;
    void BeforeClose() override;
    void PageTimer(UINT_PTR id) override;
    void AfterFailure() override;

    void OnSave();
    void OnDelete();
    void OnExport();
    void OnImport();
    void OnCheck();
    void OnLoop();
    void OnRowDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnFieldKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    void ImportFolderWalk(const std::string& folder, bool includeSubdirs);
    void FreePreview();
    void ShowCount();

    CQuickList m_list;
    CButtonST m_loopButton;
    std::vector<CMemArrayLarge> m_rows;
    managers::KeyOrder m_sort;
    int m_storedSortColumn = 0;

    // The fields.
    std::string m_path;
    std::string m_comment;
    std::string m_markers;
    std::string m_lengthText;
    int m_speed = 0;
    float m_pitch = 0;
    double m_tempo = 0;
    int m_volume = 0;
    double m_loopStart = 0;
    double m_loopStop = 0;
    int m_eq1 = 0;
    int m_eq2 = 0;
    int m_eq3 = 0;
    int m_eqOn = 0;
    int m_rate = 0;
    int m_keyPitch = 0;
    double m_keyTime = 0;
    int m_flags = 0;
    int m_total = 0;

    int m_length = 0;         // measured at the double click
    std::string m_storedLength; // the row's stored length, kept when the file cannot be measured
    HSTREAM m_preview = 0;
    float m_position = 0;
};
