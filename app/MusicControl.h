#pragma once
// The music control panel (template 385): eight large player buttons and a
// title line with what is playing. It does nothing itself: every button sends
// its command code to the main window, which passes it to the music page.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"

#include <string>

class CMusicControl : public CDialogEx {
public:
    enum { IDD = 385 };
    explicit CMusicControl(CWnd* parent = nullptr);

    // Shows the dance text of the status bar in its title line.
    void RefreshText();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place and size, kept on the screen.
    void PlaceWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnClose();
    void OnWindowPosChanged(WINDOWPOS* pos);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnSinkChange();
    void OnRewind();
    void OnPlay();
    void OnStop();
    void OnForward();
    void OnLyrics();
    void OnFade();
    void OnTempoDown();
    void OnTempoUp();

    // Closing the window tells the main window (924), which destroys it.
    void OnCancel() override;
    void OnOK() override {}

private:
    void ParkFocus();
    void Send(UINT code);
    void LayOut();

    std::string m_sink;
    bool m_emptyingSink = false;
    CStatic m_title;
    CFont m_titleFont;
    CButton m_rewind, m_play, m_stop, m_forward, m_lyrics, m_fade, m_tempoDown, m_tempoUp;
};
