#pragma once
// The music control panel (template 385): eight large player buttons and a
// title line with what is playing. It does nothing itself: every button sends
// its command code to the main window, which passes it to the music page.
#include "controls/ButtonST.h"
#include "controls/NewLabel.h"
#include "controls/PPToolTip.h"
#include "controls/ToolDialog.h"
#include "store/ResourceIds.h"
#include "platform/win/Gdi.h"

#include <array>
#include <string>

class CMusicControl : public CToolDialog {
public:
    enum { IDD = IDD_MUSIC_CONTROL };
    explicit CMusicControl(CWnd* parent = nullptr);

    // Shows the dance text of the status bar in its title line.
    void RefreshText();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place and size, kept on the screen.
    void PlaceWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

    CNewLabel& Title() { return m_title; }
    CButtonST& Button(int index) { return m_buttons[size_t(index)]; }
    CPPToolTip& Tips() { return m_tips; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSinkChange();
    void OnRewind();
    void OnPlay();
    void OnStop();
    void OnForward();
    void OnLyrics();
    void OnFade();
    void OnTempoDown();
    void OnTempoUp();

private:
    void Send(UINT code);
    void LayOut();

    CPPToolTip m_tips;
    std::string m_sink;
    bool m_emptyingSink = false;
    CNewLabel m_title;
    // Rewind, play, stop, forward; lyrics, fade, tempo down, tempo up.
    std::array<CButtonST, 8> m_buttons;
};
