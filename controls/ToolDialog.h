#pragma once
// What the tool windows share: the close box reports the window's close code
// to the main window (which destroys it through its slot), Enter does
// nothing, F1 asks for the help file, a move keeps the window's place in its
// globals, and a click on the window's background parks the keyboard focus in
// its hidden sink edit, from where typed keys reach the main window.
#include "controls/PPToolTip.h"
#include "platform/win/Dialog.h"

#include <string>
#include <utility>
#include <vector>

// One number of a window's place: the global that holds it while the program
// runs and the setting it is kept in between runs.
struct PlaceValue {
    int* value = nullptr;
    const char* key = nullptr;
};

// Where a tool window's place is kept; width and height only for windows the
// user sizes.
struct ToolPlace {
    PlaceValue x{};
    PlaceValue y{};
    PlaceValue width{};
    PlaceValue height{};
};

// A tool window as the main window knows it: its View or Tools menu item, the
// code its close reports and its place.
struct ToolWindowInfo {
    UINT menuId;
    UINT closedCode;
    ToolPlace place;
};

// The balloon tooltips of a dialog: made on the dialog with their shadow and
// one tool per control id (ids the template lacks are skipped).
void CreateBalloonTips(CPPToolTip& tips, CWnd& dialog, const std::vector<std::pair<int, std::string>>& tools);
// Hands a message of the dialog to its tooltips while tooltips are on.
void RelayBalloonTips(CPPToolTip& tips, MSG* msg);

class CToolDialog : public CDialogEx {
public:
    CToolDialog(UINT templateId, const ToolWindowInfo& info, CWnd* parent);
    const ToolWindowInfo& Info() const { return m_info; }

    // Makes the stored place one the window can open at: a stored size that
    // is missing or zero becomes the template's size, and a place that puts
    // the window (of the stored size, else of size) off the screen moves to
    // the nearest edge on it. Changes the place globals.
    void MakePlaceUsable(CSize size = CSize());

protected:
    BOOL OnInitDialog() override;
    // The close box: the main window hears of it and destroys the window.
    void OnCancel() override;
    void OnOK() override {}
    // Keeps the focus where typed keys reach the main window.
    virtual void ParkFocus();

    void OnClose();
    void OnWindowPosChanged(WINDOWPOS* pos);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnLButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    const ToolWindowInfo& m_info;
    CSize m_templateSize;
};
