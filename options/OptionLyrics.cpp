#include "options/OptionLyrics.h"

#include "store/StoreGlobals.h"

COptionLyrics::COptionLyrics(CWnd* parent) : COptionPage(IDD, parent) {}

void COptionLyrics::BuildPage()
{
    m_groups = options::LyricsGroups(g_baseFolder);
    m_top.clear();
    for (const options::Group& g : m_groups)
        m_top.push_back(options::BuildGroup(g, Dpi(), [this](CMFCPropertyGridProperty* group) {
            m_propertyGrid.AddProperty(group, TRUE, TRUE);
        }));
    m_globalGroup = m_top[0];
    m_lyricsGroup = m_top[1];
    m_stylesheetGroup = m_lyricsGroup->GetSubItem(int(m_groups[1].rows.size()));
}

void COptionLyrics::ForgetGroups()
{
    m_globalGroup = m_lyricsGroup = m_stylesheetGroup = nullptr;
    m_top.clear();
}

void COptionLyrics::LoadSettings()
{
    m_db.BeginBatch();
    const options::PresentKeys present = options::PresentKeys::Read(m_db);
    for (size_t i = 0; i < m_groups.size() && i < m_top.size(); ++i)
        options::ForEachRow(m_top[i], m_groups[i], [&](CMFCPropertyGridProperty* p, const options::Row& row) {
            options::LoadRow(p, row, m_db, present);
        });
    m_propertyGrid.UpdateWindow();
    m_db.CommitBatch();
}

bool COptionLyrics::SaveSettings()
{
    try {
        m_db.BeginBatch();
        for (size_t i = 0; i < m_groups.size() && i < m_top.size(); ++i)
            options::ForEachRow(m_top[i], m_groups[i], [&](CMFCPropertyGridProperty* p, const options::Row& row) {
                options::WriteValues(m_db, options::SaveRow(p, row));
            });
        m_propertyGrid.UpdateWindow();
        m_db.CommitBatch();
    } catch (const std::exception& e) {
        ReportDatabaseError(e, true);
        return false;
    }
    return true;
}
