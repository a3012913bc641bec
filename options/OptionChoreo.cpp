#include "options/OptionChoreo.h"

#include "store/StoreGlobals.h"

COptionChoreo::COptionChoreo(CWnd* parent) : COptionPage(IDD, parent) {}

std::string COptionChoreo::LevelCaption(const MyFunctions& fn, const std::string& storedName)
{
    return fn.RemoveText(storedName, "Mirtal - ");
}

BOOL COptionChoreo::OnInitDialog()
{
    // The page is built and read in one transaction: the level captions come from it.
    m_batchFailed = false;
    try {
        m_db.BeginBatch();
    } catch (const std::exception&) {
        m_batchFailed = true;
    }
    const BOOL result = COptionPage::OnInitDialog();
    return result;
}

void COptionChoreo::BuildPage()
{
    m_groups.clear();
    m_top.clear();
    m_groups.push_back(options::ChoreoGlobalGroup(g_baseFolder));
    options::PresentKeys present;
    if (!m_batchFailed) {
        try {
            present = options::PresentKeys::Read(m_db);
        } catch (const std::exception&) {
            m_batchFailed = true;
        }
    }
    for (const options::Level& level : options::Levels()) {
        const std::string key = std::string(level.code) + " - levelname";
        std::string caption = level.menuText;
        if (!m_batchFailed && present.Has(options::Table::Ini, key)) {
            try {
                caption = LevelCaption(m_functions, m_db.GetSetting(key, 0));
            } catch (const std::exception&) {
                m_batchFailed = true;
            }
        }
        m_groups.push_back(options::ChoreoLevelGroup(level, caption, g_baseFolder));
    }
    m_groups.push_back(options::ChoreoStylesheetGroup(g_baseFolder));
    for (const options::Group& g : m_groups)
        m_top.push_back(options::BuildGroup(g, Dpi(), [this](CMFCPropertyGridProperty* group) {
            m_propertyGrid.AddProperty(group, TRUE, TRUE);
        }));
    m_globalGroup = m_top.front();
    for (size_t i = 0; i < 10; ++i)
        m_levelGroups[i] = m_top[i + 1];
    m_stylesheetGroup = m_top.back();
}

void COptionChoreo::LoadPage()
{
    if (m_batchFailed || !m_db.IsBatchOpen())
        m_db.BeginBatch(); // raises what stopped the first try: reported, construction values shown
    const options::PresentKeys present = options::PresentKeys::Read(m_db);
    for (size_t i = 0; i < m_groups.size() && i < m_top.size(); ++i) {
        options::ForEachRow(m_top[i], m_groups[i], [&](CMFCPropertyGridProperty* p, const options::Row& row) {
            options::LoadRow(p, row, m_db, present);
        });
        m_propertyGrid.UpdateWindow();
    }
    m_db.CommitBatch();
}

bool COptionChoreo::SaveAll()
{
    BeginWaitCursor();
    for (size_t i = 0; i < m_groups.size() && i < m_top.size(); ++i) {
        try {
            m_db.BeginBatch();
            options::ForEachRow(m_top[i], m_groups[i], [&](CMFCPropertyGridProperty* p, const options::Row& row) {
                options::WriteValues(m_db, options::SaveRow(p, row));
            });
            m_propertyGrid.UpdateWindow();
            m_db.CommitBatch();
        } catch (const std::exception& e) {
            EndWaitCursor();
            ReportDatabaseError(e, true);
            return false;
        }
    }
    EndWaitCursor();
    return true;
}

void COptionChoreo::ForgetGroups()
{
    m_globalGroup = nullptr;
    m_levelGroups.fill(nullptr);
    m_stylesheetGroup = nullptr;
    m_top.clear();
}
