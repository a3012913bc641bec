#include "app/MirtalDlg.h"

#include "app/AboutDlg.h"
#include "store/ResourceIds.h"
#include "store/CommandCodes.h"
#include "app/Global.h"
#include "app/MirtalApp.h"
#include "store/FailureReport.h"
#include "app/StartWin.h"
#include "options/OptionMusic.h"
#include "options/OptionSeed.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dc.h"
#include "platform/win/Display.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"
#include "platform/win/WinApp.h"
#include "store/StoreGlobals.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {
// Posted by the first paint: its start-up work runs right after the paint.
constexpr UINT WM_FIRST_PAINT_WORK = WM_APP + 0x101;
// Posted by the paint that shows the started window, after all of it is drawn.
constexpr UINT WM_FIRST_PAINT_REPORT = WM_APP + 0x102;
constexpr UINT kPositionSliderId = 1002;
constexpr UINT kCommandSinkId = IDC_FOCUS_SINK;
constexpr UINT kTabAreaId = 1001;
constexpr UINT kHiddenDefaultButton = 1263;
} // namespace

BEGIN_MESSAGE_MAP(CMirtalDlg, CDialogEx)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_BN_CLICKED(kHiddenDefaultButton, ParkFocus)
    ON_COMMAND(32784, OnExit)
    ON_COMMAND(32785, OnOptionsMusic)
    ON_COMMAND(32802, OnHelpAbout)
    ON_MESSAGE(WM_FIRST_PAINT_WORK, OnFirstPaintWork)
    ON_MESSAGE(WM_FIRST_PAINT_REPORT, OnFirstPaintReport)
    // ---- keys block: shutdown, help, position slider and the main menu
    ON_WM_DESTROY()
    ON_WM_HELPINFO()
    ON_MESSAGE(UWM_SLIDER_MOVING, OnPositionSliderMoved)
    ON_COMMAND_RANGE(32787, 32796, OnChangeProgram)
    ON_COMMAND_RANGE(ID_VIEW_JUKEBOX, 32805, OnToolWindowItem)
    ON_COMMAND(ID_VIEW_MARKERS, OnViewMusicMarkers)
    ON_COMMAND_RANGE(ID_VIEW_SQUAREID, 32808, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_VIEW_EQUALIZER, ID_VIEW_EQUALIZER, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_TOOLS_MUSIC_MANAGER, 32829, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_TOOLS_RECORD_DATABASE, ID_TOOLS_RECORD_DATABASE, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_VIEW_CARDS, ID_VIEW_CARDS, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_VIEW_MUSIC_CONTROL, 32852, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_VIEW_KARAOKE, ID_VIEW_KARAOKE, OnToolWindowItem)
    ON_COMMAND_RANGE(ID_VIEW_TAGS, ID_VIEW_TAGS, OnToolWindowItem)
    ON_COMMAND(32847, RunChecker)
    ON_COMMAND(32854, OnOptionsUserSettings)
    ON_COMMAND(32853, OnOptionsLyrics)
    ON_COMMAND(32786, OnOptionsChoreography)
    ON_COMMAND(32813, OnOptionsHotkeys)
    ON_COMMAND(32820, SelectOutputDevice)
    ON_COMMAND_RANGE(32949, 32951, OnFixedBpmListItem)
    ON_COMMAND_RANGE(32952, 32962, OnFixedBpmValueItem)
    ON_COMMAND_RANGE(32971, 32973, OnPitchListItem)
    ON_COMMAND_RANGE(32984, 32993, OnPitchValueItem)
    ON_COMMAND(32849, ImportFromOldDatabase)
    ON_COMMAND(32819, ImportFromOldFiles)
    ON_COMMAND(32844, RestoreAllPaths)
    ON_COMMAND(32821, RestoreDatabase)
    ON_COMMAND(32947, ClearMusicCombos)
    ON_COMMAND(32969, RestoreWindowPositions)
    ON_COMMAND(32800, OnHelpContents)
    // ---- end of the keys block
    // ---- services block: the wheel and the move
    ON_WM_MOUSEWHEEL()
    ON_WM_MOVE()
END_MESSAGE_MAP()

CMirtalDlg::CMirtalDlg(CWnd* parent) : CDialogEx(IDD, parent)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(135) : LoadIconResource(135);
    m_firstPaintDone = 0;
    m_layoutReady = 0;
    m_firstRun = 0;
    m_pageCount = kMaxPages;
}

CMirtalDlg::~CMirtalDlg()
{
    // The window goes while the pages it holds still exist.
    if (m_hWnd && g_mainWnd == m_hWnd)
        g_mainWnd = nullptr;
    if (m_hWnd)
        DestroyWindow();
    RemoveSongSettingsNotifier();
    // Tool windows that went with the window are freed now (keys block).
    toolwin::FreePending();
}

void CMirtalDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kCommandSinkId, m_commandSink);
    DDX_Text(dx, kCommandSinkId, m_commandSinkText);
    DDX_Control(dx, kPositionSliderId, m_slider);
}

BOOL CMirtalDlg::PreTranslateMessage(MSG* msg)
{
    // The music page keeps a few keys to its own controls (Backspace, Ctrl with a letter).
    if (msg->message == WM_KEYDOWN && !m_dlgMp3.KeepsKey(*msg))
        OnKeyDown(UINT(msg->wParam), 0, 0);
    // Esc is never the dialog's Cancel: it goes on to the focused control.
    if (msg->wParam == VK_ESCAPE)
        return FALSE;
    return CDialogEx::PreTranslateMessage(msg);
}

void CMirtalDlg::EqualizerNotifier::SwitchEqualizer(bool on)
{
    if (m_owner.m_hWnd)
        m_owner.SendMessage(WM_KEYDOWN, on ? CMD_EQUALIZER_ON : CMD_EQUALIZER_OFF, 0);
}

// Another window may have installed its own since; that one stays.
void CMirtalDlg::RemoveSongSettingsNotifier()
{
    if (SongSettingsNotifier() == &m_songSettingsNotifier)
        SetSongSettingsNotifier(nullptr);
}

// ---- start-up -----------------------------------------------------------------------

BOOL CMirtalDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    // The About item of the system menu.
    const std::string about = LoadResourceString(101);
    if (CMenu* sys = GetSystemMenu(FALSE); sys && !about.empty()) {
        sys->AppendMenu(MF_SEPARATOR);
        sys->AppendMenu(MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_sliderStyle = 0;

    m_fn.InitGlobals();
    m_fn.InitDataFolder();
    failure::ForgetReported();
    g_mainWnd = m_hWnd;
    SetSongSettingsNotifier(&m_songSettingsNotifier);

    RunStartupSteps();
    if (m_startupFailed)
        return TRUE;

    UpdateData(FALSE);
    return TRUE;
}

namespace {

// The error as the user can read it, also where the exception names only a code.
std::string describe(const std::exception& e)
{
    if (auto* db = dynamic_cast<const CppSQLite3Exception*>(&e); db && db->ErrorCode() < 1000)
        return CppSQLite3Exception::ResultText(db->ErrorCode()) + " (" + db->ErrorMessage() + ")";
    return e.what();
}

} // namespace

void CMirtalDlg::ReportStartupFailure(const std::string& file, const std::string& error)
{
    m_startupFailed = true;
    const std::string path = g_baseFolder.empty() ? file : m_fn.AddBackslash(g_baseFolder) + file;
    MessageBox(m_hWnd,
               "Mirtal cannot start: the database \"" + path + "\" could not be opened or brought up to date.\n\n" +
                   error,
               kAppCaption, MB_OK | MB_ICONERROR);
    // The program never runs half-started.
    EndDialog(IDABORT);
}

void CMirtalDlg::RunStartupSteps()
{
    // The main database: the program cannot work without it.
    bool relocate = false;
    CheckDatabaseAtStart();
    try {
        m_musicDb.Init();
        // Every setting the Options pages know starts at its construction value.
        options::SeedSettings(m_musicDb, g_baseFolder, win::CurrentDisplay().dpiY);
    } catch (const std::exception& e) {
        ReportStartupFailure("mirtal.db", describe(e));
        return;
    }
    // The other two are not needed to start: the user is told and start-up goes on.
    try {
        m_choreoDb.Open();
    } catch (const std::exception& e) {
        failure::Report(failure::Describe("The choreography database could not be opened.", e, "choreo.db"));
    }
    try {
        m_utilityDb.Init();
    } catch (const std::exception& e) {
        failure::Report(failure::Describe("The utility database could not be opened.", e, "utility.db"));
    }

    DetectDisplayDpi();
    try {
        relocate = ReadStartupSettings();
    } catch (const std::exception& e) {
        ReportStartupFailure("mirtal.db", describe(e));
        return;
    }

    // The global lyrics folder (one level) and its style sheet. An empty folder
    // setting names no folder: nothing is written at the root of the file system.
    if (!g_lyricsPathGlobal.empty()) {
        std::error_code ec;
        std::filesystem::create_directory(g_lyricsPathGlobal, ec);
        WriteCueSheetCss(true, m_fn.AddBackslash(g_lyricsPathGlobal) + "cuesheet2.css");
    }

    CreateStatusBar();

    if (relocate) {
        try {
            m_musicDb.RelocatePaths();
        } catch (const std::exception& e) {
            ReportStartupFailure("mirtal.db", describe(e));
            return;
        }
    }
    EnsurePreviewFile();
    WriteCueSheetCss(true, m_fn.AddBackslash(g_baseFolder) + "cuesheet2.css");

    CreatePages();
    m_lyricsWindowKeys = 0;
    m_lastClientWidth = 0;
    m_lastClientHeight = 0;
    m_layoutReady = 1;

    try {
        m_hotkeys.fill(0);
        LoadHotkeyTable();
        m_dlgMp3.InitTrackFilterLabels();
        LoadFixedBpmMenu();
        LoadPitchMenu();
    } catch (const std::exception& e) {
        ReportStartupFailure("mirtal.db", describe(e));
        return;
    }
    if (m_markersPanel)
        m_dlgMp3.OnMarkersButton();
    // ---- keys block: the windows the settings ask for at start
    try {
        if (g_timerVisible)
            ToggleToolWindow(ID_VIEW_TIMER);
        if (m_eqSaveState)
            SwitchEqualizer(true, true);
        if (m_selectOutputAtStart)
            SelectOutputDevice();
    } catch (...) {
        CMirtalApp::HandleFailure(std::current_exception());
    }
}

void CMirtalDlg::DetectDisplayDpi()
{
    CDC dc;
    dc.CreateIC("DISPLAY");
    const int dpi = std::max(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
    if (dpi > 99)
        g_largeLayout = 1;
}

void CMirtalDlg::CreateStatusBar()
{
    if (!m_statusBar.Create(this))
        return;
    const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
    m_statusBar.SetIndicators(indicators, 5);
    m_statusBar.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH | SBPS_POPOUT, 0);
    for (int i = 1; i < 4; ++i)
        m_statusBar.SetPaneInfo(i, ID_SEPARATOR, SBPS_POPOUT, 110);
    m_statusBar.SetPaneInfo(4, ID_SEPARATOR, SBPS_POPOUT, g_largeLayout ? 155 : 110);
    if (g_largeLayout)
        g_compressedView = 0;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
}

// ---- first paint ----------------------------------------------------------------------

void CMirtalDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(rect);
        const int cx = GetSystemMetrics(SM_CXICON);
        const int cy = GetSystemMetrics(SM_CYICON);
        dc.DrawIcon((rect.Width() - cx + 1) / 2, (rect.Height() - cy + 1) / 2, m_hIcon);
    } else {
        CDialogEx::OnPaint();
    }
    StartFirstPaintWork();
}

void CMirtalDlg::StartFirstPaintWork()
{
    if (m_reportNextPaint) {
        m_reportNextPaint = false;
        PostMessage(WM_FIRST_PAINT_REPORT);
    }
    if (m_firstPaintStarted || m_startupFailed)
        return;
    // Once only, even when the work itself paints (its dialogs run their own loops);
    // it runs right after this paint rather than inside it.
    m_firstPaintStarted = true;
    PostMessage(WM_FIRST_PAINT_WORK);
}

LRESULT CMirtalDlg::OnFirstPaintWork(WPARAM, LPARAM)
{
    ShowSplash();
    PlaceMainWindow();
    // For timing the whole start from outside (the start-up benchmark): the paint that
    // shows the placed window with its level and page is the one the user waits for.
    if (std::getenv("MIRTAL_REPORT_FIRST_PAINT")) {
        m_reportNextPaint = true;
        Invalidate();
    }
    if (m_firstRun) {
        m_firstRun = 0;
        CGlobal settings;
        settings.DoModal();
    }
    BeginWaitCursor();
    StartBackup();
    return 0;
}

LRESULT CMirtalDlg::OnFirstPaintReport(WPARAM, LPARAM)
{
    std::fputs("first paint\n", stderr);
    std::fflush(stderr);
    return 0;
}

void CMirtalDlg::ShowSplash()
{
    CStartWin splash;
    splash.Create(CStartWin::IDD, this);
    splash.ShowWindow(SW_SHOW);
    splash.UpdateWindow();
    int level = 1;
    try {
        level = m_musicDb.GetSettingInt("general - level", 1);
    } catch (const std::exception& e) {
        m_fn.WriteLog(std::string("The stored level could not be read: ") + e.what());
    }
    SetLevel(level);
    SelectPage(0);
    splash.DestroyWindow();
}

void CMirtalDlg::PlaceMainWindow()
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (height <= 600) {
        ShowWindow(SW_MAXIMIZE);
    } else {
        MoveWindow((width - 1024) / 2, (height - 768) / 2, 1024, 730);
        CenterWindow();
    }
    if (m_maxStart)
        ShowWindow(SW_MAXIMIZE);
}

void CMirtalDlg::OnTimer(UINT_PTR id)
{
    if (m_backupPollId && id == m_backupPollId) {
        FinishBackupIfDone();
        return;
    }
    if (m_timer1Id && id == m_timer1Id) {
        KillTimer(m_timer1Id);
        m_timer1Id = 0;
        EndWaitCursor();
        m_dlgMp3.RestoreFocus(1);
        UpdateData(FALSE);
    }
    CDialogEx::OnTimer(id);
}

void CMirtalDlg::ParkFocus()
{
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    UpdateData(FALSE);
}

// ---- window --------------------------------------------------------------------------

void CMirtalDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialogEx::OnSysCommand(id, lParam);
    }
}

void CMirtalDlg::OnHelpAbout()
{
    CAboutDlg about;
    about.DoModal();
}

HCURSOR CMirtalDlg::OnQueryDragIcon() { return m_hIcon; }

void CMirtalDlg::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    const int w = client.Width();
    const int h = client.Height();
    if ((w == m_lastClientWidth && h == m_lastClientHeight) || !m_layoutReady)
        return;
    m_lastClientWidth = w;
    m_lastClientHeight = h;
    if (m_tabCtrl.m_hWnd) {
        m_tabCtrl.MoveWindow(5, 5, w - 10, h - 55);
        m_tabCtrl.Invalidate();
    }
    if (m_slider.m_hWnd) {
        m_slider.MoveWindow((w - 1010) / 2 + 5, h - 45, 1010, 20);
        m_slider.Invalidate();
    }
}

void CMirtalDlg::OnSize(UINT type, int cx, int cy)
{
    CDialogEx::OnSize(type, cx, cy);
    // A minimised window is not painted here: its first paint's work starts now.
    if (type == SIZE_MINIMIZED)
        StartFirstPaintWork();
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
}

// ---- options --------------------------------------------------------------------------

void CMirtalDlg::OnOptionsMusic()
{
    COptionMusic options;
    if (options.DoModal() == IDOK)
        ApplySettings();
}
