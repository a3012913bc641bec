#pragma once
// The hotkey options page (template 235), run modally from Options > Hotkeys:
// one group "Hotkeys" with a choice of the 87 function names for each of the
// 28 keys, read from and written to table hotkeys, each in one transaction.
// Beside the grid the template shows the keys that cannot be changed.
#include "options/OptionPage.h"
#include "options/OptionTables.h"

#include <array>
#include <string>

class COptionHotkeys : public COptionPage {
public:
    enum { IDD = 235 };
    explicit COptionHotkeys(CWnd* parent = nullptr);

    CMFCPropertyGridProperty* m_hotkeysGroup = nullptr;

    void LoadHotkeys();
    bool SaveHotkeys();
    int FindFunctionIndex(const std::string& text) const { return options::HotkeyFunctionIndex(text); }

protected:
    void BuildPage() override;
    void LoadPage() override { LoadHotkeys(); }
    bool SavePage() override { return SaveHotkeys(); }
    void ForgetGroups() override { m_hotkeysGroup = nullptr; }
    bool ResetsUnderWaitCursor() const override { return true; }
};
