#pragma once
// The square identification window (template 260): the dancers of one square
// around a picture of it, each with a label, a colour button and two name
// boxes; four couples, or six in the hexagon layout. Names come from a boys'
// and a girls' list file; a boys' line "John - Mary" names a couple, and
// picking such a line fills the boy's and the girl's box at once. Names and
// colours live only in the window.
#include "controls/ToolDialog.h"
#include "controls/PPToolTip.h"
#include "platform/win/Controls.h"
#include "platform/win/Gdi.h"
#include "platform/win/MFCButton.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <array>
#include <string>
#include <vector>

class CSquareID : public CToolDialog {
public:
    enum { IDD = 260 };
    explicit CSquareID(CWnd* parent = nullptr);

    // Places every control for the layout g_hexagon selects and shows the window.
    void ApplyLayout();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Focus to its hidden command sink; controls refreshed.
    void ParkFocus() override;

    // Fills the boys' (list 1) or the girls' (list 2) name boxes from a list file.
    void LoadNameList(const std::string& path, int list);

    bool IsEditMode() const { return m_editMode != 0; }
    const std::string& BoysListPath() const { return m_boysPath; }
    const std::string& GirlsListPath() const { return m_girlsPath; }
    CPPToolTip& Tips() { return m_tips; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    void OnEdit();
    void OnHide();
    void OnReset();
    void OnPickBoysList();
    void OnPickGirlsList();
    void OnNameSelected(UINT id);
    void OnNameLeft(UINT id);
    void OnSinkChange();

    DECLARE_MESSAGE_MAP()

private:
    void PickList(int list);

    MyFunctions m_fn;
    CMusicDb m_db;
    CPPToolTip m_tips;
    BYTE m_editMode = 0;
    CFont m_font;
    std::array<CMFCColorButton, 12> m_colors;
    std::array<CStatic, 12> m_labels;
    CMFCButton m_reset;
    CMFCButton m_hide;
    std::string m_sink;
    std::string m_boysPath;
    std::array<CComboBox, 24> m_names;
    std::string m_girlsPath;
    std::vector<std::string> m_coupleGirls;
    bool m_refreshing = false;
};
