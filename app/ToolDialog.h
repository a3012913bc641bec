#pragma once
// What the tool windows share: the close box reports the window's close code
// to the main window (which destroys it through its slot), Enter does
// nothing, F1 asks for the help file, a move keeps the window's place in its
// globals, and a click on the window's background parks the keyboard focus in
// its hidden sink edit, from where typed keys reach the main window.
#include "platform/win/Dialog.h"

// Where a tool window's place is kept; width and height only for windows the
// user sizes.
struct ToolPlace {
    int* x = nullptr;
    int* y = nullptr;
    int* width = nullptr;
    int* height = nullptr;
};

// A tool window as the main window knows it: its View or Tools menu item, the
// code its close reports and its place.
struct ToolWindowInfo {
    UINT menuId;
    UINT closedCode;
    ToolPlace place;
};

class CToolDialog : public CDialogEx {
public:
    CToolDialog(UINT templateId, const ToolWindowInfo& info, CWnd* parent);
    const ToolWindowInfo& Info() const { return m_info; }

protected:
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
};
