#pragma once
// An up-down control in its plain form: two arrow buttons that step the
// number of a buddy edit within a range. Setting the buddy's text makes the
// edit report EN_CHANGE to the dialog, as a spin with a number buddy does.
#include "platform/win/Wnd.h"

class CPlainSpin : public CWnd {
public:
    // Takes the buddy control of the same dialog and the range of its number.
    void Init(int buddyId, int lower, int upper);
    void SetRange(int lower, int upper);
    void SetPos(int pos);
    int GetPos() const { return m_pos; }
    // One step up (delta 1) or down (-1), as a click on an arrow.
    void Step(int delta);

private:
    int m_buddyId = 0;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
    bool m_buttons = false;
};
