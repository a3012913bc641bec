#pragma once
// The choreography options page (template 176), run modally from Options >
// Choreography: "Global", one group per dance level captioned with its stored
// level name, and "Stylesheet". Built and loaded in one transaction; OK saves
// each group in a transaction of its own under the wait cursor, so a failure
// keeps the groups saved before it and nothing of the rest.
#include "options/OptionPage.h"
#include "options/OptionTables.h"

#include <array>
#include <vector>

class COptionChoreo : public COptionPage {
public:
    enum { IDD = 176 };
    explicit COptionChoreo(CWnd* parent = nullptr);

    CMFCPropertyGridProperty* m_globalGroup = nullptr;
    std::array<CMFCPropertyGridProperty*, 10> m_levelGroups{};
    CMFCPropertyGridProperty* m_stylesheetGroup = nullptr;

    bool SaveAll();
    // A level group's caption: the stored name without its first "Mirtal - ".
    static std::string LevelCaption(const MyFunctions& fn, const std::string& storedName);

protected:
    BOOL OnInitDialog() override;
    void BuildPage() override;
    void LoadPage() override;
    bool SavePage() override { return SaveAll(); }
    void ForgetGroups() override;
    bool OpensExpanded() const override { return false; }
    bool ResetsUnderWaitCursor() const override { return true; }

private:
    // The twelve groups in order: "Global", the ten levels, "Stylesheet".
    std::vector<options::Group> m_groups;
    std::vector<CMFCPropertyGridProperty*> m_top;
    bool m_batchFailed = false;
};
