#pragma once
// The jukebox window (template 261), a modeless tool window of the main
// window: where the next song comes from when a song ends (song list 1 to 3,
// in order or at random, or the queue), and whether each song plays only its
// first seconds. The choice of the next song is the music page's.
#include "controls/ToolDialog.h"
#include "player/ToolWindowKit.h"
#include "controls/ButtonST.h"
#include "controls/PPToolTip.h"
#include "platform/win/MFCButton.h"
#include "platform/win/SpinButtonCtrl.h"

#include <string>

class CJukeBox : public CToolDialog {
public:
    enum { IDD = 261 };
    explicit CJukeBox(CWnd* parent = nullptr);

    // Background and buttons take the dialog colour.
    void ApplyDialogColour();
    // Moves to its saved place at its size, kept on the screen.
    void PlaceWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnClose();
    void OnSourceList1();
    void OnSourceList2();
    void OnSourceList3();
    void OnSourceQueue();
    void OnDisable();
    void OnRandomToggle();
    void OnShortToggle();
    void OnShortTimeChange();
    void OnPlayButton();
    void OnFocusEditChange();

private:
    void ApplyMode();
    void CloseWindow();

    int m_source = 5; // 0..2 list 1..3, 3 the queue, 5 off
    int m_random = 0;
    int m_short = 0;
    int m_shortTime = 0;
    bool m_ready = false;
    toolkit::FocusSinkText m_sink;
    CPPToolTip m_tooltip;
    CMFCButton m_list1, m_list2, m_list3, m_queue, m_disable, m_randomButton, m_shortButton;
    CButtonST m_play;
    CSpinButtonCtrl m_spin;
};
