#pragma once
// The lyrics options page (template 399), run modally from Options > Lyrics:
// groups "Global" and "Lyrics" (with "Stylesheet", rows of table stylesheet,
// as its last item), loaded in one transaction when it opens and saved in
// one on OK.
#include "options/OptionPage.h"
#include "options/OptionTables.h"

#include <vector>

class COptionLyrics : public COptionPage {
public:
    enum { IDD = 399 };
    explicit COptionLyrics(CWnd* parent = nullptr);

    CMFCPropertyGridProperty* m_globalGroup = nullptr;
    CMFCPropertyGridProperty* m_lyricsGroup = nullptr;
    CMFCPropertyGridProperty* m_stylesheetGroup = nullptr;

    void LoadSettings();
    bool SaveSettings();

protected:
    void BuildPage() override;
    void LoadPage() override { LoadSettings(); }
    bool SavePage() override { return SaveSettings(); }
    void ForgetGroups() override;

private:
    std::vector<options::Group> m_groups;
    std::vector<CMFCPropertyGridProperty*> m_top;
};
