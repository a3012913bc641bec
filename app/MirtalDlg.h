#pragma once
// The main window: one modal dialog (template 102, menu 195) that opens the
// databases, reads the settings into the shared globals, hosts the music
// page, the lyrics page and the list pages on its tab control, and lays out
// the tab area, the position slider and the status bar.
//
// Its code is spread over files by area: MirtalDlg.cpp (the window, start-up,
// first paint, layout), MirtalDlgSettings.cpp (the settings read at start),
// MirtalDlgPages.cpp (tab pages and dance levels), MirtalDlgStyles.cpp (style
// sheets, preview file), MirtalDlgBackup.cpp (backup, restore, import),
// MirtalDlgKeys.cpp (the dispatcher of keys, hotkeys and command codes),
// MirtalDlgTools.cpp (status bar, position slider, tool windows, help, the end),
// MirtalDlgMenu.cpp (the main menu), MirtalDlgCommands.cpp, MirtalDlgPlaces.cpp
// and MirtalDlgReapply.cpp (window and document commands, places, re-applying).
//
// A command that raises an error (a database error above all) is stopped at
// its entry, OnKeyDown or OnCommand: any open batch is rolled back and the
// error is shown in a box captioned "Mirtal"; the program goes on.
#include "store/AppGlobals.h"
#include "controls/ToolDialog.h"
#include "app/ToolWindow.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "controls/BitmapSlider.h"
#include "controls/TabCtrlComplex.h"
#include "platform/win/StatusBar.h"
#include "player/DlgMp3.h"
#include "store/ChoreoDb.h"
#include "store/DatabaseBackup.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/SongSettingsNotifier.h"
#include "store/UtilityDb.h"
#include "texts/DlgList.h"
#include "texts/DlgLyrics.h"

#include <array>
#include <future>
#include <vector>
#include <string>

class CBreakTime;
class CCalls;
class CComputerCards;
class CCueSheet;
class CDlgEdit;
class CEqualizer;
class CJukeBox;
class CKaraoke;
class CMarkers;
class CModelessLyrics;
class CMusicControl;
class CRecord;
class CSqRecord;
class CSquareID;
class CTagsDlg;
class CTimer;
class CTimerMarkers;
class CToolsChoreo;
class CToolsMarry;
class CToolsMemory;
class CToolsMusic;
class CToolsPlaylist;
class CToolsTrack;
class CViewHotkeys;

// The About item of the system menu.
constexpr UINT IDM_ABOUTBOX = 0x0010;

class CMirtalDlg : public CDialogEx, public TabCtrlNotify {
public:
    enum { IDD = 102 };
    static constexpr int kMaxPages = 17;     // music, lyrics and 15 list pages
    static constexpr int kListPageObjects = 20;

    explicit CMirtalDlg(CWnd* parent = nullptr);
    ~CMirtalDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    // ---- start-up (MirtalDlg.cpp)
    BOOL OnInitDialog() override;
    // Sets the large layout when the display has more than 99 logical pixels per inch.
    void DetectDisplayDpi();
    // Steps of the first paint.
    void ShowSplash();
    void PlaceMainWindow();
    // Gives the keyboard focus to the hidden command sink 1004 and refreshes the controls.
    void ParkFocus();

    // ---- settings (MirtalDlgSettings.cpp)
    // Reads the start-up settings in one batch; true when the relocation of paths is on.
    bool ReadStartupSettings();
    // Titles get "Mirtal - " in front, menu names lose it; the Change Program items show the names.
    void ApplyLevelNames();
    // The position slider's bitmaps: styles 0..2 are the user's (remembered), 3 the overtime look.
    void SetSliderStyle(int style);
    void LoadHotkeyTable();
    void LoadFixedBpmMenu();
    void LoadPitchMenu();

    // ---- tab pages and dance levels (MirtalDlgPages.cpp)
    int CreatePages();
    // Switches to a level (clamped to 1..10).
    void SetLevel(int level);
    int RebuildTabs();
    // The pages (music, lyrics and list pages) a level shows: its own "<n> - nrtabs" or else
    // "global - nrtabs" list tabs, at most 15; read on the open batch.
    int PageCountOfLevel(int level);
    // Makes the list pages up to the page count that have no window yet.
    void MakeListPages();
    void LoadTabCaptions();
    void CheckLevelMenu();
    // Shows a page (0 music, 1 lyrics, 2.. list pages) and gives it the focus.
    void SelectPage(int index);
    int GetCurrentPage();
    bool IsPageInTabs(int page);
    // Adds the list pages up to the page count that are not on the tabs yet, and refreshes the tabs.
    void AddListTabs();

    // ==== keys block: keys and command codes, tool windows, status bar, shutdown, main menu
    // ---- keys and command codes (MirtalDlgKeys.cpp)
    // Actions of a named key: "F2" to "F12", " ", "A" to "Z", ",", "-", ".", "PAGEUP", "PAGEDN",
    // "HOME", "END", "ARROWLEFT", "ARROWUP", "ARROWRIGHT", "ARROWDOWN".
    void HandleKeyName(const std::string& name);
    // Hotkey function 0..86; any other number does nothing.
    void RunHotkeyFunction(int number);
    // 1 starts playing when nothing plays, 2 pauses a playing song, any other mode nothing.
    void PlayPauseIf(int mode);
    // Sound 1..5 (F8, F9, the selected song, the break music, the ding) on the second player,
    // or a pause of the sound that plays.
    void PlaySoundFile(int number);
    // The main window's box for an error of the audio library.
    void ShowBassError(const std::string& text);
    // The second player's stream (0 before the first sound).
    DWORD SoundStream() const { return m_soundStream; }
    bool GetLyricsWindowKeys() const { return m_lyricsWindowKeys != 0; }

    // ---- lyrics where the lyrics mode says (MirtalDlgPages.cpp)
    void ShowLyrics(const std::string& path, bool forced);

    // ---- status bar, position slider, tool windows, help, shutdown (MirtalDlgTools.cpp)
    void UpdateStatusBar();
    void SetPositionRange(int seconds);
    void ShowPosition();
    // Check mark of a main-menu item: check is MF_CHECKED or MF_UNCHECKED.
    void CheckViewItem(UINT itemId, UINT check);
    // A tool window was closed by the user: its code (700..705, 709, 713, 718, 720, 924, 925,
    // 927, 929, 932..937) unchecks its item and destroys the window when it still exists.
    void OnToolWindowClosed(UINT code);
    // The slot of a View or Tools item's window, null for other items.
    ToolSlotBase* ToolSlotOfItem(UINT itemId);
    // The tool windows the View and Tools menus open, one line each: the
    // window's description (menu item, close code, place) and its slot.
    struct ToolWindowEntry {
        const ToolWindowInfo& info;
        ToolSlotBase& (*slot)(CMirtalDlg&);
    };
    static const std::vector<ToolWindowEntry>& ToolWindows();
    void RefreshTags();
    void RefreshEqualizer();
    void ReloadMarkers();
    void StartMarkersTimer();
    void ShowTimerTick();
    // Opens "Mirtal.chm" in the data folder.
    void OpenHelpFile();

    // ---- main menu (MirtalDlgMenu.cpp)
    // View and Tools items: creates, hides or shows the item's window.
    void ToggleToolWindow(UINT itemId);
    // View > Music Markers: the markers window or, by "markers - show", the panel.
    void OnViewMusicMarkers();
    void OnOptionsUserSettings();
    void OnOptionsLyrics();
    void OnOptionsChoreography();
    void OnOptionsHotkeys();
    void SelectOutputDevice();
    // Fixed BPM and Pitch Adjustment: the switch of song list 1..3, the value (122..132, -5..5).
    void ToggleFixedBpmList(int list);
    void SetFixedBpmValue(int value);
    void TogglePitchList(int list);
    void SetPitchValue(int step);
    void RunChecker();
    void ClearMusicCombos();

    // ---- the tool windows, one slot each (null once the window is gone)
    ToolSlot<CEqualizer> m_equalizer;
    ToolSlot<CRecord> m_recorder;
    ToolSlot<CTimer> m_timerWindow;
    ToolSlot<CDlgEdit> m_editor; // the last editor opened
    ToolSlot<CSquareID> m_squareId;
    ToolSlot<CCalls> m_calls;
    ToolSlot<CJukeBox> m_jukebox;
    ToolSlot<CMarkers> m_markers;
    ToolSlot<CKaraoke> m_karaoke;
    ToolSlot<CTimerMarkers> m_markerTimer;
    ToolSlot<CComputerCards> m_cards;
    ToolSlot<CViewHotkeys> m_hotkeysView;
    ToolSlot<CSqRecord> m_recordDb;
    ToolSlot<CToolsMemory> m_memoryManager;
    ToolSlot<CToolsChoreo> m_choreoManager;
    ToolSlot<CToolsMusic> m_musicManager;
    ToolSlot<CToolsPlaylist> m_playlistManager;
    ToolSlot<CToolsMarry> m_marryManager;
    ToolSlot<CToolsTrack> m_trackManager;
    ToolSlot<CTagsDlg> m_tags;
    ToolSlot<CCueSheet> m_cueSheet;
    ToolSlot<CBreakTime> m_breakTimer;
    ToolSlot<CModelessLyrics> m_lyricsWindow1;
    ToolSlot<CModelessLyrics> m_lyricsWindow2;
    ToolSlot<CMusicControl> m_musicControl;
    // ==== end of the keys block

    // ==== window and document commands the dispatcher calls (MirtalDlgCommands.cpp, MirtalDlgPlaces.cpp)
    void OnRecorderMusicStarted();
    void OnRecorderMusicStopped();
    // Window 1 or 2.
    void CloseLyricsWindow(int window);
    void OpenBreakTimer();
    void CloseBreakTimer();
    void OpenBreakTimerAuto();
    void NextCardTip();
    void OnSongLoaded();
    void OnPlayStarted();
    void ShowHtmlFile(const std::string& path, bool edit, int mode);
    void ToggleQueuedLyrics();
    void ToggleMarkerPanel();
    void RepositionMarkerTimer();
    void AutoScrollLyrics();
    void RefreshMemoryManager();
    void ReloadLyrics();
    // 938 music, 939 track, 940 marry manager.
    void RefreshManager(UINT code);
    void SwitchEqualizer(bool on, bool selectStored);
    void ToggleLyricsWindowKeys();
    void AdjustBreakMinute(bool up);
    void RefreshMusicControl();
    void ShowMarkerTimer(bool show);
    void RestoreWindowPositions();
    // ==== end of the window and document commands

    // ==== services block: style sheets, backup and restore, re-applying settings,
    // ==== window places, window and document commands
    // ---- style sheets and preview file (MirtalDlgStyles.cpp)
    // Writes "cuesheet2.css" to the path; with keepExisting an existing file stays as it is.
    bool WriteCueSheetCss(bool keepExisting, const std::string& path);
    // Rewrites "cuesheet2.css" in the data folder and in every lyrics folder the settings name.
    void WriteCssToLyricsFolders();
    // Writes the choreography style sheet to the path of the setting "csspath".
    void WriteChoreoCss();
    // Creates the empty preview document "temp.htm" in the data folder when it is missing.
    void EnsurePreviewFile();
    // Reads the style-sheet fonts and colours into the shared globals, on the open batch.
    void ReadStyleSheetValues(CMusicDb& db);

    // ---- re-applying settings (MirtalDlgReapply.cpp)
    // After a settings dialog ended with OK: tool windows, shared globals and pages take the new values.
    void ApplySettings();

    // ---- backup, restore and import (MirtalDlgBackup.cpp)
    // A consistent copy of mirtal.db as mirtal.dbtmp in the data folder, the two before it kept as
    // mirtal.dbtmp1 and 2; a damaged or empty mirtal.db never replaces them.
    void BackupDatabase();
    // The same copy on a worker thread, so the window is shown and answers while it is made;
    // its outcome is reported, and the first paint's work ended, when it is done.
    void StartBackup();
    bool IsBackupRunning() const { return m_backup.valid(); }
    // Before mirtal.db is opened: a missing, empty or damaged one with a good backup
    // beside it gets the backup offered; a data folder that cannot be written is named.
    void CheckDatabaseAtStart();
    // File > Restore Database: every table but the settings to its start rows, after a question.
    void RestoreDatabase();
    // File > Restore All Paths: the level documents back to their defaults.
    void RestoreAllPaths();
    // File > Import from Mirtal Database, File > Import from old version of Mirtal.
    void ImportFromOldDatabase();
    void ImportFromOldFiles();
    // ==== end of the services block

    // ---- what tests and the other windows read
    CDlgMp3& MusicPage() { return m_dlgMp3; }
    CDlgLyrics& LyricsPage() { return m_dlgLyrics; }
    CDlgList& ListPage(int n) { return m_dlgList[size_t(n)]; }
    TabCtrlComplex& TabControl() { return m_tabCtrl; }
    CBitmapSlider& PositionSlider() { return m_slider; }
    // The bitmaps the position slider shows now (resource ids).
    UINT SliderChannelBitmap() const { return m_sliderChannel; }
    UINT SliderThumbBitmap() const { return m_sliderThumb; }
    CStatusBar& StatusBar() { return m_statusBar; }
    int GetPageCount() const { return m_pageCount; }
    const std::string& LevelTitle(int level) const { return m_levelTitles[size_t(level - 1)]; }
    int GetHotkeyEntry(int index) const { return m_hotkeys[size_t(index)]; }
    int GetSliderStyle() const { return m_sliderStyle; }
    bool IsFirstPaintDone() const { return m_firstPaintDone != 0; }
    // The start could not open or upgrade the main database; the window ends at once.
    bool StartupFailed() const { return m_startupFailed; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Closing the window ends it exactly like Exit.
    void OnCancel() override { OnOK(); }

    DECLARE_MESSAGE_MAP()
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnHelpAbout();
    void OnOptionsMusic();
    void OnExit() { OnOK(); }
    LRESULT OnFirstPaintWork(WPARAM, LPARAM);
    LRESULT OnFirstPaintReport(WPARAM, LPARAM);
    // ---- services block: wheel and move (MirtalDlgPlaces.cpp)
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMove(int x, int y);
    // ---- keys block
    // Every menu command runs here: a database error ends the command, not the program.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy();
    BOOL OnHelpInfo(HELPINFO* info);
    LRESULT OnPositionSliderMoved(WPARAM id, LPARAM pos);
    void OnChangeProgram(UINT id);
    void OnToolWindowItem(UINT id);
    void OnFixedBpmListItem(UINT id);
    void OnFixedBpmValueItem(UINT id);
    void OnPitchListItem(UINT id);
    void OnPitchValueItem(UINT id);
    void OnHelpContents() { OpenHelpFile(); }

private:
    void RunStartupSteps();
    // The first paint's work, once: after the first paint, or when the window is first minimised.
    void StartFirstPaintWork();
    void CreateStatusBar();
    struct BackupOutcome {
        store::BackupResult result = store::BackupResult::Failed;
        std::string detail;
    };
    void ReportBackup(const BackupOutcome& outcome);
    // Polled by a timer: reports a finished backup and ends the first paint's work.
    void FinishBackupIfDone();
    void WaitForBackup();
    void ReportStartupFailure(const std::string& file, const std::string& error);

    // Settings read at start, in the order they are read
    int m_arrowScrollText = 0;
    int m_pageScrollText = 0;
    int m_arrowScrollHtml = 0;
    int m_pageScrollHtml = 0;
    std::string m_breakMusicPath;
    std::array<int, 3> m_fixBpm{};
    std::array<int, 3> m_adjustPitch{};
    int m_firstRun = 0;
    int m_lyricsWindowKeys = 0;
    std::array<std::string, 10> m_levelTitles;
    std::array<std::string, 10> m_levelMenuNames;
    int m_sliderStyle = 0;
    int m_markersPanel = 0;
    std::string m_f8SoundPath;
    std::string m_f9SoundPath;
    DWORD m_soundStream = 0; // the second player's stream, beside the music page's song
    int m_maxStart = 0;
    bool m_eqSaveState = false;
    bool m_selectOutputAtStart = false;

    CChoreoDb m_choreoDb;
    CMusicDb m_musicDb;
    CUtilityDb m_utilityDb;
    std::array<int, 30> m_hotkeys{};

    std::array<CDlgList, kListPageObjects> m_dlgList;
    std::array<HTAB, kMaxPages> m_tabs{};
    CDlgLyrics m_dlgLyrics;
    CDlgMp3 m_dlgMp3;
    TabCtrlComplex m_tabCtrl;
    MyFunctions m_fn;
    CStatusBar m_statusBar;
    BYTE m_firstPaintDone = 0;
    bool m_firstPaintStarted = false;
    // Set once the first paint's work has shown the page and placed the window: the next
    // paint is the one the start-up report names.
    bool m_reportNextPaint = false;
    std::future<BackupOutcome> m_backup;
    UINT_PTR m_backupPollId = 0;
    int m_lastClientWidth = 0;
    int m_lastClientHeight = 0;
    BYTE m_layoutReady = 0;
    HICON m_hIcon = nullptr;
    UINT_PTR m_timer1Id = 0;
    CEdit m_commandSink;
    std::string m_commandSinkText;
    CBitmapSlider m_slider;
    UINT m_sliderChannel = 0;
    UINT m_sliderThumb = 0;
    int m_pageCount = kMaxPages;
    bool m_startupFailed = false;

    // ---- keys block
    // The key or command code of a key-down, run on behalf of OnKeyDown.
    void DispatchKey(UINT key, UINT repeat);
    void RunCommandCode(UINT code, UINT repeat);
    // Runs a command; an error it raises ends as CMirtalApp::HandleFailure.
    template <class F>
    void RunGuarded(F&& command);
    // Stores one setting on a connection of its own; a failure is reported (once per
    // cause) as what was being done, with the file, and answers false.
    bool StoreSetting(const std::string& doing, const std::string& name, const std::string& value);
    void SaveWindowState();

    // A song's stored settings switch the equalizer through the window's own
    // command codes, so the switch runs like any other command. Installed
    // while the window exists.
    class EqualizerNotifier : public CSongSettingsNotifier {
    public:
        explicit EqualizerNotifier(CMirtalDlg& owner) : m_owner(owner) {}
        void SwitchEqualizer(bool on) override;

    private:
        CMirtalDlg& m_owner;
    };
    EqualizerNotifier m_songSettingsNotifier{*this};
    void RemoveSongSettingsNotifier();
};
