#pragma once
// What the player's tool windows share beyond CToolDialog: their balloon
// tips, the relay of mouse messages to them with every key passed on to the
// main window, and the hidden focus edit that is emptied after each change.
#include "controls/PPToolTip.h"

#include <initializer_list>
#include <string>

namespace toolkit {

struct Tip {
    int id;
    const char* text;
};

// Balloon tips with the program's shadow, one per control of the dialog.
void CreateBalloonTips(CPPToolTip& tooltip, CWnd& dialog, std::initializer_list<Tip> tips);

// Mouse messages reach the tips while tips are on; a key-down also goes to
// the main window with the same key.
void RelayAndForwardKeys(CPPToolTip& tooltip, const MSG* msg);

// The text of the hidden focus edit, emptied after every change so typed
// keys leave nothing behind.
class FocusSinkText {
public:
    std::string text;
    void Empty(CWnd& dialog, int sinkId);

private:
    bool m_emptying = false;
};

} // namespace toolkit
