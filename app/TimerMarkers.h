#pragma once
// The marker timer bar (template 304): a borderless bar over the top of the
// main window with two read-outs, the dance timer on the left and the time
// since the current marker on the right. Passive: the main window gives it
// the texts and places it again when it moves.
#include "controls/NewLabel.h"
#include "controls/ToolDialog.h"
#include "store/ResourceIds.h"

#include <string>

class CTimerMarkers : public CToolDialog {
public:
    enum { IDD = IDD_MARKER_TIMER };
    explicit CTimerMarkers(CWnd* parent = nullptr);

    // Shows the two time texts.
    void SetTimes(const std::string& left, const std::string& right);

    // Colour state of the left read-out (as the timer window's); the right one stays black.
    void SetState(int state);

    // Takes the colours of the settings again.
    void ApplyColours();

    // Places itself over the main window.
    void Reposition();

    CNewLabel& Left() { return m_left; }
    CNewLabel& Right() { return m_right; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Closing the window only hides it; the main window destroys it.
    void OnCancel() override;

private:
    CNewLabel m_left;
    CNewLabel m_right;
};
