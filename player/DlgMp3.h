#pragma once
// The music page: tab page 0 of the main window (template 130). It owns the
// audio engine: only this page creates, plays and frees song streams; other
// windows read the player state (store/PlayerGlobals.h) and ask the main
// window, which calls the page.
//
// The members are kept in sections (controls, engine, song, transport, lists,
// queue, lyrics, markers, timers, settings), each with its own source file
// (DlgMp3Start.cpp, DlgMp3Engine.cpp, DlgMp3Song.cpp, DlgMp3Transport.cpp,
// ...); add new members to the section they belong to.
#include "controls/BitmapSlider.h"
#include "controls/ButtonST.h"
#include "controls/DigiClock.h"
#include "controls/NewLabel.h"
#include "controls/PPToolTip.h"
#include "controls/PeakMeterCtrl.h"
#include "controls/QuickList.h"
#include "controls/ReportCtrl.h"
#include "controls/XAnalogClock.h"
#include "platform/audio/Bass.h"
#include "platform/audio/BassMidi.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/ImageList.h"
#include "platform/win/ListCtrl.h"
#include "platform/win/ListBox.h"
#include "platform/win/MFCButton.h"
#include "platform/win/SpinButtonCtrl.h"
#include "player/DlgMp3Settings.h"
#include "store/MemArray.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <ctime>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The page's window timers: every purpose has an id of its own.
enum Mp3Timer : UINT_PTR {
    kTimerPoll = 1,          // 200 ms position poll
    kTimerDance = 2,         // dance timer, 500 ms
    kTimerJukeboxFade = 3,   // end of the jukebox fade
    kTimerBreakCheck = 4,    // break timer check, 1 s
    kTimerAutoBreak = 5,     // automatic break count, 1 s
    kTimerAutoScroll = 6,    // lyrics auto-scroll
    kTimerDelayedStart = 8,  // delayed start of a singing call
    kTimerTrackLabels = 9,
    kTimerDpiNotice = 12,
    kTimerFadeOut = 15,
    kTimerRefocus = 20,
    kTimerMarkerTime = 21,   // time since the current marker, 1 s while the markers panel shows
    kTimerAudioRetry = 22,   // the audio start's second attempt
    kTimerLyricsShown = 77,
    kTimerMarkRow = 97,
    kTimerTrackRow = 98,
};

// The sort state of the song lists: each list's key order (row columns, the
// column sorted last first) and descending flag, and the copy the row
// comparison reads.
extern int g_sortKeys1[20];
extern int g_sortKeys2[20];
extern int g_sortKeys3[20];
extern int g_sortKeys[20];
extern int g_sortDescending1;
extern int g_sortDescending2;
extern int g_sortDescending3;
extern int g_sortDescending;
// The full paths that passed the last filter, in the order of the remembered entries.
extern std::vector<std::string> g_filterMatches;

class CMarkerList;
class CHtmlEditCtrl2;
class CMarryDlg;

class CDlgMp3 : public CDialogEx {
public:
    enum { IDD = 130 };
    explicit CDlgMp3(CWnd* parent = nullptr);
    ~CDlgMp3() override;

    // ======== page (controls, focus, small handlers)
    // Gives the keyboard focus back to the page's command sink; refresh refreshes the controls.
    void RestoreFocus(int refresh);
    void InitTooltips();
    void InitButtonImages();
    void SetPlayButtonIcon(bool stopped);
    void SetCommentButtonImage(bool hasComment);
    void CloseLyricsWindow();
    void ShowQueueLyricsButton();
    void OnShowLyricsButton();
    // The list's search-lyrics flag; 0 for any number but 1..3.
    int IsLyricsSearchOn(int list) const;
    // With switchBack, the song lists come back when the lyrics view covers them.
    void ShowSongLists(bool switchBack);
    // Shows the title of the loaded song, its font size chosen by its length.
    void ShowTitle(const std::string& text);
    // Shows the track-filter labels of the song lists.
    void InitTrackFilterLabels();
    // Shows the markers: as a panel (command 912) or in the markers window (723).
    void OnMarkersButton();
    // Loads the three song lists of a dance level.
    void LoadLevelPlaylists(int level);

    // ======== engine: audio start and errors
    void StartAudio();
    // The audio library's error in a box titled "Mirtal"; codes 9 and 14 open the device choice.
    void ShowBassError(const std::string& message);
    // "message", the code and a hint: "Check the filepath." for an invalid handle.
    static std::string BassErrorText(const std::string& message, int code);
    // After a device change: the song and the library are freed, the new device opened
    // and the song opened again there.
    void RestartAudio();
    void LoadSoundFont();
    BOOL DestroyWindow() override;

    // ======== song opening
    // list 1..3 a song list, 4 a file of no list; row or -1; autostart; naming mode.
    void OpenSong(int list, int row, const std::string& path, int listType, int autostart, int naming);
    void FreeSong();
    void InitSong();
    void ApplyListLoopRules(int list);
    void OpenPreviousSong();
    // Opens a file that belongs to no song list and plays it.
    void OpenFileDirect(const std::string& path);
    void SaveSongSettings();
    void ResetMusicSettings();
    void EditSongComment();
    // A file dropped on the page: a document goes to the lyrics page, a song is opened.
    void DropFile(const std::string& path);

    // ======== transport and position poll
    void Play();
    void Pause();
    // Pause while a song plays (g_playing), else Play.
    void PlayPause();
    void StopAndRewind();
    void PlayFromStart();
    // g_position := the seconds clamped to the song, and the song moves there.
    void SeekTo(float seconds);
    // Moves the song to g_position.
    void SeekToPosition();
    void JumpToMiddle();
    void Rewind();
    void FastForward();
    void OnLoopToggle();
    void OnAutostartToggle();
    void SetAutoLoop();
    void SetLoopStartHere();
    void SetLoopStopHere();
    // Rebuilds the four status texts and sends 900.
    void UpdateStatusTexts();
    // Whether a song counts as loaded: the title is neither the welcome text nor empty.
    bool IsSongLoaded() const;

    // ======== tempo, pitch, volume, equalizer (applied to the song stream)
    void ApplyAttributes();
    // With create the equalizer bands are set up first; then the values reach the stream.
    void ApplyEqualizer(int create);
    void ApplyFixedBpm(float bpm);
    void AdjustPitch(int semitones);
    // 1/2 tempo up/down, 3/4 volume up/down, 5/6 pitch up/down, 7/8 speed up/down,
    // 9/10 jump back/forward, 11 show lyrics, 12..14 focus song list 1..3, 15/16 loop
    // start/end, 17..19 queue the selected row of list 1..3, 20 volume down to the
    // lowest, 21 loop off, 22/23 markers on/off.
    void MusicAction(int action);
    void FadeOut();
    void FadeToNextInList();
    void ToggleVolumeDecrease();
    // A slider of the page (1038 tempo, 1039 pitch, 1040 speed, 1041 volume) was moved.
    void OnSliderMoved(UINT id);
    void OnKeychangeStepsChanged();
    void SetKeychangeTimeHere();
    // The gain in dB that equalizer band 0..2 of the song stream has now.
    float EqualizerGain(int band) const;
    // The beat scan's answer, as a test or a benchmark gives it.
    void SetDetectedBpm(float bpm);

    // ======== song lists
    // The rows of song list 1..3 (column 3 is the full path).
    void SetSongRows(int list, const std::vector<CMemArray>& rows);
    const std::vector<CMemArray>& SongRows(int list) const;
    // Opens the row of list 1..3 as a double click does.
    void OpenListRow(int list, int row);
    void MarkRow(int list, int row, const std::string& path);
    // Removes the row of the path from the list it was opened from.
    void RemovePlayedRow(int list, const std::string& path);
    void ReloadList(int list);
    void ReloadAllLists();
    void ToggleListSource(int list);
    void OnTrackingToggle();
    void OnLyricsOnPlayToggle();
    void OnLyricsSearchList1();
    void OnLyricsSearchList2();
    void OnLyricsSearchList3();
    void ToggleSongFlag(int flag);
    void ClearComboHistories();
    // Adds the song of the path to list 1..3 (4: nothing) at the position; below 0 appends.
    void AddSongRow(const std::string& path, int list, int position);
    // Row count := the rows held; the control shows that many and is repainted.
    void RefreshListCount(int list);
    void RemoveSelectedRow(int list);
    void ReloadList1();
    void ReloadList2();
    void ReloadList3();
    // Refills list 1..3 with the remembered songs that pass filter type 1..11.
    void FilterList(int type, const std::string& text, int exact, const std::string& caption, int list);
    // Builds the rows of the paths for list 1..3 (4: only the lengths get stored) with the
    // facts of all of them read in one query; paths that are no songs give no row.
    std::vector<CMemArray> MakeSongRows(const std::vector<std::string>& paths, int list);
    // Whole seconds of the song, 0 when it cannot be opened.
    int MeasureSongLength(const std::string& path);
    void OpenSelectedRow(int list);
    // list 1..3; row -1 with an empty path deletes every mark of the list (unless single-delete).
    void UnmarkRows(int list, int row, const std::string& path);
    void SendLevelCommand(int level);
    // The row last opened from list 1..3 by double click or Enter (-1 none).
    int LastOpenedRow(int list) const { return list >= 1 && list <= 3 ? m_lastOpenedRow[list - 1] : -1; }
    // The text of the source combo of list 1..3: the playlist or folder shown, or a filter caption.
    const std::string& SourceText(int list) const { return m_comboText[std::clamp(list, 1, 3) - 1]; }

    // ======== list sources (DlgMp3Playlists.cpp)
    // target 1..3 a song list, 4 the queue.
    void LoadPlaylistFile(const std::string& path, int target);
    void LoadFolder(const std::string& folder, int list);
    // History of the source combo of list 1..3: index 0 the newest of ten.
    void AddComboHistory(int list, const std::string& path);
    const std::string& ComboHistory(int list, int index) const;
    // The sources the page start shows (step by the page's start).
    void LoadStartSources(bool lengthsLater);
    void OnSelChangeCombo(int list);
    void OnOpenPlaylist(int list);
    void OnBrowseFolder(int list);
    void OnSavePlaylist(int list);

    // ======== queue (DlgMp3Queue.cpp): the records in play order, entry i of box 1218 shows record i
    void QueueSong(const std::string& path, int list, int row, const std::string& type, int naming);
    // Marks and queues the selected row of list 1..3.
    void QueueSelectedRow1() { QueueSelectedRow(1); }
    void QueueSelectedRow2() { QueueSelectedRow(2); }
    void QueueSelectedRow3() { QueueSelectedRow(3); }
    void QueueSelectedRow(int list);
    void OnPlayNextQueued();
    void PlayNextQueued();
    void OnQueueDelete();
    void OnDeleteAllCheck();
    void OnQueueMoveUp();
    void OnQueueMoveDown();
    void OnQueuedLyricsButton();
    void LoadPlaylistIntoQueue();
    // g_queuedLyricsPath := the lyrics of the selected (or first) queue entry.
    void TakeQueuedLyrics();
    // Table queuedfiles := the queue ("music - savequeuedfiles" off: empty).
    void SaveQueue();
    void LoadQueue();
    const std::vector<MemoryList2>& QueuedSongs() const { return m_queue; }
    // Set while a queued song opens, so that its list row is not marked; the next marking clears it.
    bool IsOpenedFromQueue() const { return m_openedFromQueue != 0; }

    // ======== sorting and drag and drop (DlgMp3Sort.cpp)
    // Sorts list 1..3 by the row column; with toggle a second sort of the same column reverses.
    void SortList1(int column, bool toggle) { SortListBy(1, column, toggle); }
    void SortList2(int column, bool toggle) { SortListBy(2, column, toggle); }
    void SortList3(int column, bool toggle) { SortListBy(3, column, toggle); }
    void SortList(int list, int column) { SortListBy(list, column, false); }
    void PromoteSortKey1(int column) { PromoteSortKey(1, column); }
    void PromoteSortKey2(int column) { PromoteSortKey(2, column); }
    void PromoteSortKey3(int column) { PromoteSortKey(3, column); }
    // -1, 0, 1 by the first six keys of g_sortKeys; reversed while g_sortDescending is 1.
    static int CompareRows(const CMemArray& a, const CMemArray& b);
    void DropOnSongList(CListCtrl* source, CListCtrl* target);
    void DropOnQueue(CListCtrl* source);
    bool IsDragging() const { return m_dragging != 0; }

    // ======== music search (DlgMp3Filter.cpp)
    // Button 1257, 1207, 1208: the search dialog for list 1..3, then its filter.
    void OnSearchList(int list);
    void OnSearchList1() { OnSearchList(1); }
    void OnSearchList2() { OnSearchList(2); }
    void OnSearchList3() { OnSearchList(3); }
    // The list's real playlist or folder (the source combo may hold a filter's caption).
    std::string ListSource(int list) const;

    // ======== lyrics
    void CloseFindLyricsWindow();
    void TakeFoundLyrics();
    void ShowFindLyricsWindow();
    // g_lyricsShowMode 0 -> 1 -> 2 -> 0.
    void CycleLyricsShowMode();
    // The lyrics view scrolls by the HTML amount; otherwise the song list under the pointer moves.
    void ScrollLyricsOrList(int htmlAmount, int textAmount);
    void LoadLyricsDocument(const std::string& path);
    void ShowLyricsView();
    void ShowLyricsButton();
    void ToggleLyricsView();
    bool IsLyricsViewShown();
    void ReloadLyricsDocument();
    // The lyrics reference for a song of list 0..4; empty when none is found.
    std::string FindLyricsForSong(const std::string& musicPath, int list, bool takeFirst);

    // ======== lyrics view and lookup (DlgMp3Lyrics.cpp)
    // A fresh view on the start page; the view is first made for the first document.
    void RecreateLyricsView();
    // The part of the music file's title the lookup searches for (format and part 0..2).
    std::string LyricsSearchName(const std::string& musicPath, int list, int format, int part) const;
    // Appends the folder's non-audio files whose names hold the text to g_lyricsCandidates.
    void ScanLyricsFolder(const std::string& searchName, const std::string& folder);
    void SetLyricsSearchButton(int list, int on);
    CHtmlEditCtrl2* LyricsView() const { return m_lyricsView.get(); }
    CMarryDlg* FindLyricsDialog() const { return m_findLyrics.get(); }
    int LyricsCandidateCount() const { return m_candidateCount; }
    const std::string& LyricsDocumentPath() const { return m_lyricsDocPath; }
    bool IsLyricsOnPlayOn() const { return m_lyricsOnPlayCheck != 0; }

    // ======== markers
    void ShowMarkersPanel(bool show, bool skipLayout);
    // Whether the markers panel is shown inside the page.
    bool IsMarkersPanelShown() const { return m_markersPanelShown; }
    void LoadSongMarkers();
    // Markers command 0..6 of the hotkeys.
    void MarkerCommand(int command);
    // The panel's buttons and list (DlgMp3Markers.cpp).
    void PreviousMarker();
    void NextMarker();
    void MakeMarker();
    void DeleteMarkers();
    void ToggleMarkerFlag();
    void EditMarkerComment();
    void GoToSelectedMarker();
    void OnAutoMemoryToggle();
    void OnLockToggle();
    void OnFadeInToggle();

    // ======== dance timer, break, jukebox
    // 1 count up/down, 2 restart.
    void DanceTimerCommand(int type);
    void StartDanceTimer();
    void ResetDanceTimer();
    void DanceTimerTick();
    void PlayDing();
    // The dance time of the current level (or of every level), in seconds.
    int LevelTimerSeconds() const;
    // Opens or closes the break timer: how 1 automatically, 2 by the button.
    void ToggleBreakTimer(int how);
    void OnBreakButton();
    void OnBreakMinutesChanged();
    void JukeboxPlayNext();
    void StartJukeboxFade();

    // ======== jukebox (DlgMp3Jukebox.cpp)
    // Sets every played mark of list 1..3 back to "0" once all its rows are played.
    void ResetJukeboxMarks(int list);
    // The row the jukebox stands on in list 1..3 (-1 none).
    int JukeboxRow(int list) const { return list >= 1 && list <= 3 ? m_selectedRow[list - 1] : -1; }

    // ======== markers panel (DlgMp3Markers.cpp)
    // The panel's marker list (list 1146) with its flags.
    CMarkerList& PanelMarkers();

    // ======== settings and layout (DlgMp3Layout.cpp)
    void ReloadSettings();
    // Places the page's controls for its size, layout and shown views.
    void ApplyLayout();
    // The page, its labels and toggles take the dialog colour.
    void ApplyPageColors();
    // A font from stored values (size as the font dialog gave it) for target 1..3 song
    // list, 5 the queue, 6 the markers list; 4 receives nothing.
    void ApplyListFont(int size, int weight, int italic, const std::string& faceName, int target);
    // Whether the main window leaves this key to the page: the page keeps Backspace and
    // Ctrl with a letter key to its controls (their other keys reach the main window).
    bool KeepsKey(const MSG& msg) const;
    void LoadFixedBpmSettings();
    void LoadAdjustPitchSettings();
    const Mp3PageSettings& Settings() const { return m_set; }

    // ======== what the engine holds (read by tests and the benchmarks)
    HSTREAM SongStream() const { return m_stream; }
    HSOUNDFONT SoundFont() const { return m_soundFont; }
    float DetectedBpm();
    float FileRate() const { return m_fileRate; }
    int LoopCounter() const { return m_loopCounter; }
    int CurrentList() const { return m_currentList; }
    int CurrentRow() const { return m_currentRow; }
    int CurrentListType() const { return m_listType; }
    bool IsTrackRowPending() const { return m_trackPending != 0; }
    bool IsLoopOn() const { return m_loopCheck != 0; }
    bool IsAutostartOn() const { return m_autostartCheck != 0; }
    // Runs the page's timer handler as a tick of the timer would.
    void Tick(UINT_PTR id) { OnTimer(id); }
    bool IsTimerArmed(UINT_PTR id) const { return id < 100 && m_timerIds[id] != 0; }
    UINT TimerPeriod(UINT_PTR id) const { return id < 100 ? m_timerPeriods[id] : 0; }
    // The audio library's device opening; a test can look at what the start asks for.
    static std::function<BOOL(int device, DWORD freq, DWORD flags)>& InitHook();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Esc and Enter never close the page; they give the focus back.
    void OnOK() override { RestoreFocus(1); }
    void OnCancel() override { RestoreFocus(1); }

    // ---- message handlers
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnDropFiles(HDROP drop);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnCommandEditChange();
    void OnRatingKillFocus();
    void OnDanceTimerDoubleClick();
    void OnStopButton() { StopAndRewind(); }
    void OnRewindButton() { Rewind(); }
    void OnForwardButton() { FastForward(); }
    void OnPlayPauseButton() { PlayPause(); }
    void OnLoopButton();
    void OnAutostartButton();
    void OnAutoLoopButton() { SetAutoLoop(); }
    void OnLoopStartButton() { SetLoopStartHere(); }
    void OnLoopStopButton() { SetLoopStopHere(); }
    void OnSaveButton() { SaveSongSettings(); }
    void OnResetButton() { ResetMusicSettings(); }
    void OnCommentButton() { EditSongComment(); }
    void OnFadeButton() { FadeOut(); }
    LRESULT OnSliderMessage(WPARAM id, LPARAM pos);
    void OnDblClkList1(NMHDR* hdr, LRESULT* result);
    void OnDblClkList2(NMHDR* hdr, LRESULT* result);
    void OnDblClkList3(NMHDR* hdr, LRESULT* result);
    void OnListRightDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnRClickList1(NMHDR* hdr, LRESULT* result);
    void OnRClickList2(NMHDR* hdr, LRESULT* result);
    void OnRClickList3(NMHDR* hdr, LRESULT* result);
    void OnHeaderItemClick(NMHDR* hdr, LRESULT* result);
    void OnBeginDragList1(NMHDR* hdr, LRESULT* result);
    void OnBeginDragList2(NMHDR* hdr, LRESULT* result);
    void OnBeginDragList3(NMHDR* hdr, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    LRESULT OnGetListCell(WPARAM wParam, LPARAM lParam);
    void OnMarkerListDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnMarkerListRightClick(NMHDR* hdr, LRESULT* result);
    // ---- song lists and their sources
    void OnClickList1(NMHDR* hdr, LRESULT* result);
    void OnClickList2(NMHDR* hdr, LRESULT* result);
    void OnClickList3(NMHDR* hdr, LRESULT* result);
    void OnHeaderItemChanged(NMHDR* hdr, LRESULT* result);
    void OnUnmarkList1();
    void OnUnmarkList2();
    void OnUnmarkList3();
    void OnSquareIdButton();
    void OnSelChangeCombo1() { OnSelChangeCombo(1); }
    void OnSelChangeCombo2() { OnSelChangeCombo(2); }
    void OnSelChangeCombo3() { OnSelChangeCombo(3); }
    void OnOpenPlaylist1() { OnOpenPlaylist(1); }
    void OnOpenPlaylist2() { OnOpenPlaylist(2); }
    void OnOpenPlaylist3() { OnOpenPlaylist(3); }
    void OnBrowseFolder1() { OnBrowseFolder(1); }
    void OnBrowseFolder2() { OnBrowseFolder(2); }
    void OnBrowseFolder3() { OnBrowseFolder(3); }
    void OnSavePlaylist1() { OnSavePlaylist(1); }
    void OnSavePlaylist2() { OnSavePlaylist(2); }
    void OnSavePlaylist3() { OnSavePlaylist(3); }

    DECLARE_MESSAGE_MAP()

private:
    // ---- transport steps
    void MoveStreams(float seconds);
    void UpdateLevelMeter();
    void WriteTrackRow();
    void StartMarkerTimers();
    void NotifyMusicStarted();
    void NotifyMusicStopped();
    void SendPosition();
    void SendTimerTick();
    void EnableSourceCombos(bool enable);
    void ShowFadeInButton(bool fadeIn);
    void PollPosition();
    void EndOfSong();
    void StartAutoBreakCount();
    void EndFadeOut();
    void KillPlayTimers();
    void ArmTimer(UINT_PTR id, UINT ms);
    void StopTimer(UINT_PTR id);
    int ListTypeOf(int list) const;
    void SortListBy(int list, int column, bool toggle);
    // Before a sort by the rate (2) or the last play (5): that column of every row from the store.
    void RefreshSortedFacts(int list, int column);
    // Sorts by CompareRows; rows that compare equal keep their order.
    static void SortRows(std::vector<CMemArray>& rows);
    // The descending flags from the settings; with resetKeys the key orders start again at 0..19.
    void TakeSortSettings(bool resetKeys);
    void PromoteSortKey(int list, int column);
    void BeginRowDrag(int list, NMHDR* hdr);
    // 1..3 for the song list controls, 4 for any other window.
    int ListNumberOf(const CWnd* control) const;
    void ClearDropHighlight();
    // MarkRow and QueueSong for row R of list 1..3; false when there is no such row.
    bool MarkAndQueueRow(int list, int row);
    void AppendQueueEntry(const MemoryList2& record);
    void RemoveQueueEntry(int index);
    void MoveQueueEntry(int from, int to);
    void OpenAudioDevice();
    void ReportNoDevice();
    HSTREAM CreateDecodeStream(const std::string& path, const std::string& ext) const;
    void ShowTimeLabels();
    // ---- tempo and timer steps
    float ShownBpm();
    std::string BpmText(float effectiveTempo);
    std::string SpeedText() const;
    void ShowDanceTimer(int seconds, COLORREF colour);
    void AutoBreakTick();
    void BreakCheckTick();
    void ApplySettingsToControls();
    // ---- layout steps (DlgMp3Layout.cpp)
    void ApplyLargeLayout(int width, int height);
    void PlaceSongLists(int width, int height, int top, int& listWidth);
    void AdjustColumnWidths(int listWidth, int extraRest);
    void PlaceListButtonRows(int listWidth, int top);
    void PlaceClocks(int width);
    void BuildListColumns();
    void ApplyListFonts();
    void ApplyClockSettings();
    // 1..3 when the window is song list 1..3 or inside it, else 0.
    int SongListOf(HWND wnd) const;
    // A key press on the page: true when the page used it up.
    bool HandleKey(const MSG& msg);
    void SeekToSelectedMarker();
    // The button's tooltip registered again (add) or taken away.
    void SetButtonTip(UINT id, bool add);
    void OnWindowPosChanged(WINDOWPOS* pos);

    // ======== controls of template 130
    CEdit m_commandSink;                     // 1004
    std::string m_commandText;
    CNewLabel m_title;                       // 1010
    CNewLabel m_positionLabel;               // 1020
    CNewLabel m_lengthLabel;                 // 1021
    CNewLabel m_loopStartLabel;              // 1022
    CNewLabel m_loopEndLabel;                // 1023
    CNewLabel m_bpmLabel;                    // 1028
    CNewLabel m_pitchLabel;                  // 1029
    CNewLabel m_speedLabel;                  // 1030
    CNewLabel m_volumeLabel;                 // 1031
    CNewLabel m_keychangeTimeLabel;          // 1033
    CNewLabel m_danceTimerLabel;             // 1037
    CNewLabel m_markerTimeLabel;             // 1151
    CPeakMeterCtrl m_peakMeter;              // 1034
    CXAnalogClock m_analogClock;             // 1036
    CDigiClock m_digitalClock;               // 1131
    CBitmapSlider m_tempoSlider;             // 1038
    CBitmapSlider m_pitchSlider;             // 1039
    CBitmapSlider m_speedSlider;             // 1040
    CBitmapSlider m_volumeSlider;            // 1041
    CQuickList m_list[3];                    // 1009, 1011, 1012
    CComboBox m_combo[3];                    // 1016, 1017, 1018
    std::string m_comboText[3];
    int m_rowCount[3] = {0, 0, 0};           // 1061..1063
    CListBox m_queueBox;                     // 1218
    CSpinButtonCtrl m_ratingSpin;            // 1220
    CSpinButtonCtrl m_keychangeSpin;         // 1224
    CSpinButtonCtrl m_breakSpin;             // 1280
    CReportCtrl m_markersList;               // 1146
    CMFCButton m_trackingToggle;             // 1072
    CMFCButton m_markersToggle;              // 1175
    CMFCButton m_autostartToggle;            // 1064
    CMFCButton m_lyricsOnPlayToggle;         // 1071
    CButtonST m_buttons[49];                 // the picture buttons, in the order of kPictureButtons
    CButtonST* Button(int id);
    CPPToolTip m_tooltip;

    // values exchanged with the controls
    int m_loopCheck = 0;                     // 1032
    int m_autostartCheck = 0;                // 1064
    int m_lyricsOnPlayCheck = 0;             // 1071
    int m_trackingCheck = 0;                 // 1072
    int m_rating = 0;                        // 1221
    int m_autoMemoryCheck = 0;               // 1144
    int m_lockCheck = 0;                     // 1145
    int m_markersCheck = 0;                  // 1175
    int m_breakMinutes = 1;                  // 1281
    int m_keychangeStepsValue = 0;           // 1223
    int m_deleteAllCheck = 0;                // 1309

    // ======== stores
    CMusicDb m_db;
    MyFunctions m_fn;

    // ======== engine
    HSTREAM m_stream = 0;                    // the played tempo stream, 0 = no song
    float m_fileRate = 0;
    float m_detectedBpm = 0;
    HSTREAM m_bpmScan = 0;                   // a beat scan still running in the background
    HFX m_eqBands[3] = {0, 0, 0};
    HSOUNDFONT m_soundFont = 0;
    int m_audioStarted = 0;

    // ======== song
    int m_currentList = 0;                   // 0 none, 1..3 a song list, 4 direct
    int m_currentRow = -1;
    int m_listType = 0;
    int m_namingMode = 0;
    std::string m_prevPath;
    int m_prevRow = -1;
    int m_prevList = 0;
    int m_prevListType = 0;
    int m_prevNaming = 0;
    int m_trackPending = 0;
    int m_playedRowRemoved = 0;
    int m_loopCounter = 0;
    int m_keychangeDone = 0;
    std::string m_danceName;

    // ======== song lists and queue
    std::vector<CMemArray> m_rows[3];
    int m_selectedRow[3] = {-1, -1, -1};
    std::vector<MemoryList2> m_queue;        // in play order, one per entry of box 1218
    int m_openedFromQueue = 0;

    // ======== drag state
    int m_dragging = 0;
    int m_dragRow = -1;
    std::unique_ptr<CImageList> m_dragImage;
    CListCtrl* m_dragSource = nullptr;
    CWnd* m_dropTarget = nullptr;
    int m_dropRow = -1;
    CListCtrl* m_dropList = nullptr;

    // ======== music search state
    std::time_t m_searchAfter = 0;
    std::time_t m_searchBefore = 0;
    int m_searchRateLow = 0;
    int m_searchRateHigh = 9;
    int m_lastOpenedRow[3] = {-1, -1, -1};
    // Puts the rows into list 1..3 and its remembered entries (the whole source as loaded).
    void TakeLoadedRows(int list, std::vector<CMemArray> rows, const std::vector<std::string>& remembered);
    void SortAfterLoad(int list, bool playlist);
    void RecordSource(int list, const char* kind, const std::string& key, const std::string& value);
    // The list shows the playlist (folder) as its source, and the settings remember it.
    void ShowPlaylist(int list, const std::string& path);
    void ShowFolder(int list, const std::string& folder);
    void ShowSourceLoaded(int list);
    // Rows of many songs in steps of some thousand, with the please-wait window.
    std::vector<CMemArray> BuildRowsWithProgress(const std::vector<std::string>& paths, int list);
    // The thirty history texts into the settings, in one batch.
    void SaveComboHistories();

    // ======== view state
    bool m_listsShown = true;
    bool m_lyricsViewShown = false;
    bool m_markersPanelShown = false;
    int m_keychangeArea = 1;
    std::unique_ptr<CFont> m_listFonts[6];   // the fonts of the ApplyListFont targets

    // ======== dance timer and break
    int m_danceTimerStarted = 0;
    int m_danceTimerPeriod = 500;
    int m_danceHalfTick = 0;
    int m_danceCountUp = 0;
    int m_danceCountDown = 0;
    int m_danceLimit = 0;                    // the level time at start: the count-up's overtime
    int m_danceBlink = 0;
    int m_danceAlarmDone = 0;
    int m_autoBreakCount = 0;                // seconds since the music stopped

    // ======== volume decrease (kept across songs)
    int m_volumeDecreased = 0;
    int m_savedVolume = 100;

    // ======== timers: the id each running timer got when it was armed (0 = not running)
    UINT_PTR m_timerIds[100] = {};
    UINT m_timerPeriods[100] = {};

    // ======== settings
    Mp3PageSettings m_set;

    // ======== markers panel
    std::shared_ptr<CMarkerList> m_panelMarkers;
    void SwapMarkerTips(bool panel);
    // The seconds since the current marker, and the list following the position.
    void MarkerTick();
    void MoveToMarker(bool next);

    // ======== lyrics view and lookup
    std::shared_ptr<CHtmlEditCtrl2> m_lyricsView;  // made for the first document shown
    std::shared_ptr<CMarryDlg> m_findLyrics;       // the page's modeless Find Lyrics
    std::string m_lyricsDocPath;
    int m_pdfShown = 0;
    int m_candidateCount = 0;
    // Above 0 while a song is opened that plays by itself (jukebox, autostart):
    // the lookup then opens no dialog.
    int m_unattendedOpen = 0;
    void ToggleLyricsSearch(int list);
    void ReleaseLyricsWindows();
    class UnattendedOpen {
    public:
        UnattendedOpen(CDlgMp3& page, bool on) : m_page(page), m_on(on ? 1 : 0) { m_page.m_unattendedOpen += m_on; }
        ~UnattendedOpen() { m_page.m_unattendedOpen -= m_on; }
        UnattendedOpen(const UnattendedOpen&) = delete;
        UnattendedOpen& operator=(const UnattendedOpen&) = delete;

    private:
        CDlgMp3& m_page;
        int m_on;
    };
};
