#pragma once
// The main window: one modal dialog (template 102, menu 195) that opens the
// databases, reads the settings into the shared globals, hosts the music
// page, the lyrics page and the list pages on its tab control, and lays out
// the tab area, the position slider and the status bar.
//
// Its code is spread over files by area: MirtalDlg.cpp (the window, start-up,
// first paint, layout), MirtalDlgSettings.cpp (the settings read at start),
// MirtalDlgPages.cpp (tab pages and dance levels), MirtalDlgStyles.cpp (style
// sheets, preview file), MirtalDlgBackup.cpp (backup, restore, import).
#include "app/AppGlobals.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/PlainSlider.h"
#include "platform/win/PlainTabCtrl.h"
#include "platform/win/StatusBar.h"
#include "player/DlgMp3.h"
#include "store/ChoreoDb.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/UtilityDb.h"
#include "texts/DlgList.h"
#include "texts/DlgLyrics.h"

#include <array>
#include <string>

// The About item of the system menu.
constexpr UINT IDM_ABOUTBOX = 0x0010;

class CMirtalDlg : public CDialogEx, public CPlainTabCtrl::Notify {
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
    // Re-reads the shared settings after an Options dialog ended with OK.
    void ApplySettings();

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
    void LoadTabCaptions();
    void CheckLevelMenu();
    // Shows a page (0 music, 1 lyrics, 2.. list pages) and gives it the focus.
    void SelectPage(int index);
    int GetCurrentPage();
    bool IsPageInTabs(int page);

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

    // ---- backup, restore and import (MirtalDlgBackup.cpp)
    // A consistent copy of mirtal.db as mirtal.dbtmp in the data folder.
    void BackupDatabase();
    // ==== end of the services block

    // ---- what tests and the other windows read
    CDlgMp3& MusicPage() { return m_dlgMp3; }
    CDlgLyrics& LyricsPage() { return m_dlgLyrics; }
    CDlgList& ListPage(int n) { return m_dlgList[size_t(n)]; }
    CPlainTabCtrl& TabControl() { return m_tabCtrl; }
    CPlainSlider& PositionSlider() { return m_slider; }
    CStatusBar& StatusBar() { return m_statusBar; }
    int GetPageCount() const { return m_pageCount; }
    const std::string& LevelTitle(int level) const { return m_levelTitles[size_t(level - 1)]; }
    const std::string& LevelMenuName(int level) const { return m_levelMenuNames[size_t(level - 1)]; }
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

private:
    void RunStartupSteps();
    // The first paint's work, once: after the first paint, or when the window is first minimised.
    void StartFirstPaintWork();
    void CreateStatusBar();
    void ReportStartupFailure(const std::string& file, const std::string& error);

    // Settings read at start (Part order)
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
    int m_maxStart = 0;
    bool m_eqSaveState = false;
    bool m_selectOutputAtStart = false;

    CChoreoDb m_choreoDb;
    CMusicDb m_musicDb;
    CUtilityDb m_utilityDb;
    std::array<int, 30> m_hotkeys{};

    std::array<CDlgList, kListPageObjects> m_dlgList;
    std::array<CPlainTabCtrl::HTAB, kMaxPages> m_tabs{};
    CDlgLyrics m_dlgLyrics;
    CDlgMp3 m_dlgMp3;
    CPlainTabCtrl m_tabCtrl;
    CPlainTabCtrl::Style m_tabStyle;
    MyFunctions m_fn;
    CStatusBar m_statusBar;
    BYTE m_firstPaintDone = 0;
    bool m_firstPaintStarted = false;
    int m_lastClientWidth = 0;
    int m_lastClientHeight = 0;
    BYTE m_layoutReady = 0;
    HICON m_hIcon = nullptr;
    UINT_PTR m_timer1Id = 0;
    CEdit m_commandSink;
    std::string m_commandSinkText;
    CPlainSlider m_slider;
    int m_pageCount = kMaxPages;
    bool m_startupFailed = false;
};
