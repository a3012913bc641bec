#pragma once
// The music page: tab page 0 of the main window (template 130). It holds the
// player; this class offers the operations the main window's start calls,
// and the player's own work comes with the music player.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"

class CDlgMp3 : public CDialogEx {
public:
    enum { IDD = 130 };
    explicit CDlgMp3(CWnd* parent = nullptr);

    // Shows the track-filter labels of the song lists.
    void InitTrackFilterLabels();
    // Shows the markers: as a panel (command 912) or in the markers window (723).
    void OnMarkersButton();
    // Gives the keyboard focus back to the page's command sink; refresh refreshes the controls.
    void RestoreFocus(int refresh);
    // Loads the three song lists of a dance level.
    void LoadLevelPlaylists(int level);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Esc and Enter never close the page; they give the focus back.
    void OnOK() override { RestoreFocus(1); }
    void OnCancel() override { RestoreFocus(1); }

private:
    CEdit m_commandSink;
    std::string m_commandSinkText;
};
