#pragma once
// The dance-name prompt (template 227): the music page asks with it for the
// dance name (and level) under which the next plays are logged, offering the
// names already in the log of played songs.
#include "managers/ManagerPage.h"

#include <string>
#include <vector>

class CTrackName : public CDialogEx {
public:
    enum { IDD = 227 };
    CTrackName(const std::string& name, int level, CWnd* parent);

    const std::string& GetDanceName() const { return m_name; }
    int GetLevel() const { return m_level; }

    const std::vector<CMemArray>& Rows() const { return m_rows; }
    CQuickList& List() { return m_list; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnListClick(NMHDR* hdr, LRESULT* result);
    void OnListDoubleClick(NMHDR* hdr, LRESULT* result);
    BOOL OnHelpInfo(HELPINFO* info);
    LRESULT OnGetCell(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    // Sorts by the column, clicked column first, then flips the direction.
    void SortBy(int column);
    // The name and level of the row at the selection mark; false when it names no row.
    bool TakeMarkedRow();

    CQuickList m_list;
    std::vector<CMemArray> m_rows;
    CPPToolTip m_tips; // the dialog has no tips
    MyFunctions m_fn;
    CMusicDb m_db;
    std::string m_name;
    int m_level = 0;
    bool m_noLevel = false;
    int m_descending = 1;
};
