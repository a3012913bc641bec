#pragma once
// The music options page (template 179), run modally from Options > Music:
// groups "Global", "General" and "Music" (with its eight sub-groups), loaded
// in one transaction when it opens and saved in one on OK. Saving also sets
// the shared dialog colour from "Background Color". The two rows of
// "markers - value" ("Listbox General" and "Markers") follow each other.
#include "options/OptionPage.h"
#include "options/OptionTables.h"

#include <vector>

class COptionMusic : public COptionPage {
public:
    enum { IDD = 179 };
    explicit COptionMusic(CWnd* parent = nullptr);

    // The kept groups, in the order the page builds them.
    CMFCPropertyGridProperty* m_globalGroup = nullptr;
    CMFCPropertyGridProperty* m_generalGroup = nullptr;
    CMFCPropertyGridProperty* m_musicGroup = nullptr;
    CMFCPropertyGridProperty* m_queuedMusicGroup = nullptr;
    CMFCPropertyGridProperty* m_listboxGeneralGroup = nullptr;
    CMFCPropertyGridProperty* m_listbox1Group = nullptr;
    CMFCPropertyGridProperty* m_listbox2Group = nullptr;
    CMFCPropertyGridProperty* m_listbox3Group = nullptr;
    CMFCPropertyGridProperty* m_timerGroup = nullptr;
    CMFCPropertyGridProperty* m_breakTimerGroup = nullptr;
    CMFCPropertyGridProperty* m_markersGroup = nullptr;

    void LoadSettings();
    bool SaveSettings();

protected:
    void BuildPage() override;
    void LoadPage() override { LoadSettings(); }
    bool SavePage() override { return SaveSettings(); }
    void ForgetGroups() override;
    void PropertyChanged(CMFCPropertyGridProperty* property) override;

private:
    std::vector<options::Group> m_groups;
    std::vector<CMFCPropertyGridProperty*> m_top;
};
