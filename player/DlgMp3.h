#pragma once
// The music page: tab page 0 of the main window (template 130). It holds the
// player; this class offers the operations the main window calls, and the
// player's own work comes with the music player.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"

#include <string>

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

    // ---- playback
    // 1/2 tempo up/down, 3/4 volume up/down, 5/6 pitch up/down, 7/8 speed up/down,
    // 9/10 jump back/forward, 11 show lyrics, 12..14 focus song list 1..3, 15/16 loop
    // start/end, 17..19 queue the selected row of list 1..3, 20 volume down to the
    // lowest, 21 loop off, 22/23 markers on/off.
    void MusicAction(int action);
    void Play();
    void Pause();
    // Pause while a song plays (g_playing), else Play.
    void PlayPause();
    void FadeOut();
    void PlayFromStart();
    // With create the equalizer bands are set up first; then the values reach the stream.
    void ApplyEqualizer(int create);
    // Rebuilds the four status texts and sends 900.
    void UpdateStatusTexts();
    // Moves the song to g_position.
    void SeekToPosition();
    // g_position := the seconds clamped to the song, and the song moves there.
    void SeekTo(float seconds);
    void SaveSongSettings();
    // Opens a file that belongs to no song list and plays it.
    void OpenFileDirect(const std::string& path);
    void CloseFindLyricsWindow();
    void TakeFoundLyrics();
    void JukeboxPlayNext();
    void ReloadAllLists();
    void OnLoopToggle();
    void OnAutostartToggle();
    void OnTrackingToggle();
    void OnLyricsOnPlayToggle();
    void OnLyricsSearchList1();
    void OnLyricsSearchList2();
    void OnLyricsSearchList3();
    void SetAutoLoop();
    void OnPlayNextQueued();
    // Switches song list 1..3 between its playlist and its folder.
    void ToggleListSource(int list);
    // 1 count up/down, 2 restart.
    void DanceTimerCommand(int type);
    void ToggleVolumeDecrease();
    void ShowFindLyricsWindow();
    // Markers command 0..6 of the hotkeys.
    void MarkerCommand(int command);
    void FadeToNextInList();
    void ToggleSongFlag(int flag);
    void JumpToMiddle();
    void LoadPlaylistIntoQueue();
    void OpenPreviousSong();
    // g_lyricsShowMode 0 -> 1 -> 2 -> 0.
    void CycleLyricsShowMode();
    // The lyrics view scrolls by the HTML amount; otherwise the song list under the pointer moves.
    void ScrollLyricsOrList(int htmlAmount, int textAmount);

    // ---- the page's lyrics view and markers
    void LoadLyricsDocument(const std::string& path);
    void ShowLyricsView();
    void ShowLyricsButton();
    void ToggleLyricsView();
    bool IsLyricsViewShown();
    void ReloadLyricsDocument();
    void ShowMarkersPanel(bool show, bool skipLayout);
    // Whether the markers panel is shown inside the page.
    bool IsMarkersPanelShown() const { return m_markersPanelShown; }
    void LoadSongMarkers();
    // g_queuedLyricsPath := the lyrics of the selected (or first) queue entry.
    void TakeQueuedLyrics();

    // ---- settings and audio
    void ClearComboHistories();
    void RestartAudio();
    void LoadFixedBpmSettings();
    void LoadAdjustPitchSettings();
    void ReloadSettings();
    void LoadSoundFont();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Esc and Enter never close the page; they give the focus back.
    void OnOK() override { RestoreFocus(1); }
    void OnCancel() override { RestoreFocus(1); }

private:
    CEdit m_commandSink;
    std::string m_commandSinkText;
    bool m_lyricsViewShown = false;
    bool m_markersPanelShown = false;
};
