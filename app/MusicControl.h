#pragma once
// The music control panel (template 385): eight large player buttons and a
// title line with what is playing. It does nothing itself: every button sends
// its command code to the main window, which passes it to the music page.
#include "platform/win/Controls.h"
#include "app/ToolDialog.h"
#include "store/ResourceIds.h"
#include "platform/win/Gdi.h"

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

    std::string m_sink;
    bool m_emptyingSink = false;
    CStatic m_title;
    CFont m_titleFont;
    CButton m_rewind, m_play, m_stop, m_forward, m_lyrics, m_fade, m_tempoDown, m_tempoUp;
};
