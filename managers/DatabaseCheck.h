#pragma once
// The database check (template 463), opened by the music manager: it opens
// the music file of every row of table music and lists the rows whose file is
// missing or cannot be decoded; the list can be sorted, saved as a music CSV
// file and its rows deleted from the database.
#include "managers/ManagerPage.h"

#include <functional>
#include <string>
#include <vector>

class CDatabaseCheck : public CDialogEx {
public:
    enum { IDD = 463 };
    explicit CDatabaseCheck(CWnd* parent = nullptr);

    // A file's length in whole seconds, 0 when it does not open.
    using Probe = std::function<int(const std::string& path)>;
    // Replaces the audio library's probe (tests); an empty function restores it.
    static void SetProbe(Probe probe);

    void RunCheck();
    // The file's length through the probe; 0 when it cannot be opened.
    static int ProbeFile(const std::string& path);

    // The messages of a failing row.
    static constexpr const char* kMissing = "File missing";
    static constexpr const char* kUndecodable = "Cannot be decoded";

    const std::vector<CMemArrayLarge>& Rows() const { return m_rows; }
    CQuickList& List() { return m_list; }
    const managers::KeyOrder& SortState() const { return m_sort; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnSaveToFile();
    void OnDeleteAll();
    BOOL OnHelpInfo(HELPINFO* info);
    LRESULT OnGetCell(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

private:
    // Whether files can be opened now (the music page has started the audio library).
    static bool AudioReady();
    void SortRows();

    CQuickList m_list;
    std::vector<CMemArrayLarge> m_rows;
    managers::KeyOrder m_sort;
    CPPToolTip m_tips;
    CMusicDb m_db;
    MyFunctions m_fn;
};
