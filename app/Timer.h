#pragma once
// The timer window (template 183): the dance timer in large digits in a
// movable window of its own. Passive: the main window gives it the text and
// the colour state on every tick.
#include "controls/NewLabel.h"
#include "controls/ToolDialog.h"
#include "store/ResourceIds.h"

#include <string>

class CTimer : public CToolDialog {
public:
    enum { IDD = IDD_TIMER };
    explicit CTimer(CWnd* parent = nullptr);

    // Shows the time text.
    void SetTime(const std::string& text);

    // Colour state of the read-out: 1 blue, 2 red (over time), 3 white; other values keep the colour.
    void SetState(int state);

    // Takes the colours of the settings again.
    void ApplyColours();

    // Moves to its saved place, kept off the right and bottom edges.
    void PlaceWindow();

    CNewLabel& ReadOut() { return m_readOut; }

    // Text colour of a timer state, or nothing for a state without one.
    static bool StateColour(int state, COLORREF& colour);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    CNewLabel m_readOut;
};
