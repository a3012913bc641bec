#include "options/OptionMusic.h"

#include "store/AppGlobals.h"
#include "store/StoreGlobals.h"

COptionMusic::COptionMusic(CWnd* parent) : COptionPage(IDD, parent) {}

void COptionMusic::BuildPage()
{
    m_groups = options::MusicGroups(g_baseFolder);
    m_top.clear();
    for (const options::Group& g : m_groups)
        m_top.push_back(options::BuildGroup(g, Dpi(), [this](CMFCPropertyGridProperty* group) {
            m_propertyGrid.AddProperty(group, TRUE, TRUE);
        }));
    m_globalGroup = m_top[0];
    m_generalGroup = m_top[1];
    m_musicGroup = m_top[2];
    CMFCPropertyGridProperty** subs[] = {&m_queuedMusicGroup, &m_listboxGeneralGroup,
                                         &m_listbox1Group, &m_listbox2Group, &m_listbox3Group, &m_timerGroup,
                                         &m_breakTimerGroup, &m_markersGroup};
    for (int i = 0; i < 8; ++i)
        *subs[i] = m_musicGroup->GetSubItem(options::kMusicRowCount + i);
}

void COptionMusic::ForgetGroups()
{
    m_globalGroup = m_generalGroup = m_musicGroup = nullptr;
    m_queuedMusicGroup = m_listboxGeneralGroup = m_listbox1Group = m_listbox2Group = m_listbox3Group = nullptr;
    m_timerGroup = m_breakTimerGroup = m_markersGroup = nullptr;
    m_top.clear();
}

void COptionMusic::LoadSettings()
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

bool COptionMusic::SaveSettings()
{
    COLORREF background = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    try {
        m_db.BeginBatch();
        for (size_t i = 0; i < m_groups.size() && i < m_top.size(); ++i)
            options::ForEachRow(m_top[i], m_groups[i], [&](CMFCPropertyGridProperty* p, const options::Row& row) {
                options::WriteValues(m_db, options::SaveRow(p, row));
                if (row.key == "general - dlgcolor")
                    if (auto* c = dynamic_cast<CMFCPropertyGridColorProperty*>(p))
                        background = c->GetColor();
            });
        m_propertyGrid.UpdateWindow();
        m_db.CommitBatch();
    } catch (const std::exception& e) {
        ReportDatabaseError(e, true);
        return false;
    }
    // Only a committed save changes what every dialog paints with.
    g_dlgColorR = GetRValue(background);
    g_dlgColorG = GetGValue(background);
    g_dlgColorB = GetBValue(background);
    return true;
}

void COptionMusic::PropertyChanged(CMFCPropertyGridProperty* property)
{
    // "markers - value" is shown twice: the other copy follows, so neither overwrites the other on OK.
    CMFCPropertyGridProperty* copies[2] = {m_listboxGeneralGroup ? m_listboxGeneralGroup->GetSubItem(4) : nullptr,
                                           m_markersGroup ? m_markersGroup->GetSubItem(5) : nullptr};
    for (int i = 0; i < 2; ++i)
        if (property && property == copies[i] && copies[1 - i])
            copies[1 - i]->SetValue(property->GetValue());
}
