#include "options/OptionHotkeys.h"

#include <set>

COptionHotkeys::COptionHotkeys(CWnd* parent) : COptionPage(IDD, parent) {}

void COptionHotkeys::BuildPage()
{
    m_hotkeysGroup = new CMFCPropertyGridProperty("Hotkeys");
    for (const options::HotkeyRow& r : options::HotkeyRows()) {
        auto* p = new CMFCPropertyGridProperty(r.label, COleVariant(options::HotkeyFunctionText(r.function)),
                                               r.description);
        for (const char* name : options::HotkeyFunctionNames())
            p->AddOption(name, TRUE);
        p->AllowEdit(FALSE);
        m_hotkeysGroup->AddSubItem(p);
    }
    m_propertyGrid.AddProperty(m_hotkeysGroup, TRUE, TRUE);
}

void COptionHotkeys::LoadHotkeys()
{
    CMusicDb db;
    db.BeginBatch();
    std::set<std::string> present;
    for (std::string& name : db.GetRowNames("hotkeys", 0))
        present.insert(std::move(name));
    int index = 0;
    for (const options::HotkeyRow& r : options::HotkeyRows()) {
        CMFCPropertyGridProperty* p = m_hotkeysGroup->GetSubItem(index++);
        // A key without a row keeps its construction function; a number outside the names shows none.
        if (p && present.count(r.key))
            p->SetValue(COleVariant(options::HotkeyFunctionText(db.GetHotkey(r.key, 0))));
    }
    m_propertyGrid.UpdateWindow();
    db.CommitBatch();
}

bool COptionHotkeys::SaveHotkeys()
{
    CMusicDb db;
    try {
        db.BeginBatch();
        int index = 0;
        for (const options::HotkeyRow& r : options::HotkeyRows()) {
            const CMFCPropertyGridProperty* p = m_hotkeysGroup->GetSubItem(index++);
            db.SetHotkey(r.key, p ? FindFunctionIndex(p->GetValue().Text()) : 0, 0);
        }
        m_propertyGrid.UpdateWindow();
        db.CommitBatch();
    } catch (const std::exception& e) {
        db.AbortBatch();
        ReportDatabaseError(e, true);
        return false;
    }
    return true;
}
