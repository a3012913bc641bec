// The music page: construction, its controls and the small handlers of the page.
#include "player/DlgMp3.h"

#include "platform/win/DataExchange.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The page's picture buttons: id, icon (or bitmap when negative) and tooltip.
struct PictureButton {
    UINT id;
    int image; // > 0 icon id, < 0 bitmap id
    const char* tip;
};

constexpr PictureButton kPictureButtons[] = {
    {1237, 308, "PLAY/PAUSE the music"},
    {1238, 310, "STOP & REWIND the music"},
    {1240, 305, "FAST FORWARD the music 5 seconds"},
    {1239, 479, "FAST REWIND the music 5 seconds"},
    {1269, 480, "Fade in the music"},
    {1270, 481, "Fade out the music"},
    {1242, 306, "PLAY the next queued song"},
    {1261, -355, "Display the Lyrics search dialog"},
    {1243, 312, "Show the lyrics"},
    {1245, 324, "Show lyrics for the queued music"},
    {1244, 325, "Delete one/all items from the queued list"},
    {1247, 334, "Select a playlist to display in the listbox"},
    {1255, 336, "Select a folder to display in the listbox"},
    {1256, 327, "Save the listbox to a playlist"},
    {1257, 333, "Display the search dialog "},
    {1258, 326, "Reload the playlist/folder"},
    {1259, 325, "Delete one/all marks"},
    {1115, 335, "Toggle lyrics on/off"},
    {1199, 334, "Select a playlist to display in the listbox"},
    {1263, 336, "Select a folder to display in the listbox"},
    {1264, 327, "Save the listbox to a playlist"},
    {1207, 333, "Display the search dialog "},
    {1202, 326, "Reload the playlist/folder"},
    {1267, 325, "Delete one/all marks"},
    {1116, 335, "Toggle lyrics on/off"},
    {1201, 334, "Select a playlist to display in the listbox"},
    {1265, 336, "Select a folder to display in the listbox"},
    {1266, 327, "Save the listbox to a playlist"},
    {1208, 333, "Display the search dialog "},
    {1203, 326, "Reload the playlist/folder"},
    {1268, 325, "Delete one/all marks"},
    {1117, 335, "Toggle lyrics on/off"},
    {1246, 326, "Reset music settings to init values"},
    {1200, 327, "Save music settings"},
    {1204, -413, "Insert a comment for the music"},
    {1248, 328, "Auto values for the loop"},
    {1249, 328, "Set start value for the loop"},
    {1250, 328, "Set stop value for the loop"},
    {1262, 328, "Start value for the keychange"},
    {1273, 483, "Move to the previous marker"},
    {1274, 482, "Move to the next marker"},
    {1253, 328, "Make a mark at the current position"},
    {1254, 325, "Delete the selected marker"},
    {1275, 508, "Flag the selected marker"},
    {1276, -413, "Add a comment to the selected marker"},
    {1241, -348, "Start the breaktimer"},
    {1260, -350, "Display the Square ID dialog"},
    {1271, 483, nullptr},
    {1272, 482, nullptr},
};
static_assert(std::size(kPictureButtons) == 49);

void SetPicture(CButtonST& b, int image)
{
    if (image > 0)
        b.SetIcon(UINT(image));
    else
        b.SetBitmaps(UINT(-image), kMagenta);
    b.OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
    b.SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
    b.DrawTransparent();
}

constexpr UINT kListIds[3] = {1009, 1011, 1012};
constexpr UINT kComboIds[3] = {1016, 1017, 1018};
constexpr UINT kLyricsSearchIds[3] = {1115, 1116, 1117};

} // namespace

BEGIN_MESSAGE_MAP(CDlgMp3, CDialogEx)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_DROPFILES()
    ON_WM_LBUTTONDOWN()
    ON_WM_WINDOWPOSCHANGED()
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetListCell)
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnCommandEditChange)
    ON_EN_KILLFOCUS(1221, OnRatingKillFocus)
    ON_STN_DBLCLK(1037, OnDanceTimerDoubleClick)
    ON_NOTIFY(NM_DBLCLK, 1009, OnDblClkList1)
    ON_NOTIFY(NM_DBLCLK, 1011, OnDblClkList2)
    ON_NOTIFY(NM_DBLCLK, 1012, OnDblClkList3)
    ON_NOTIFY(NM_CLICK, 1009, OnClickList1)
    ON_NOTIFY(NM_CLICK, 1011, OnClickList2)
    ON_NOTIFY(NM_CLICK, 1012, OnClickList3)
    ON_NOTIFY(HDN_ITEMCHANGED, 0, OnHeaderItemChanged)
    ON_CBN_SELCHANGE(1016, OnSelChangeCombo1)
    ON_CBN_SELCHANGE(1017, OnSelChangeCombo2)
    ON_CBN_SELCHANGE(1018, OnSelChangeCombo3)
    ON_BN_CLICKED(1247, OnOpenPlaylist1)
    ON_BN_CLICKED(1199, OnOpenPlaylist2)
    ON_BN_CLICKED(1201, OnOpenPlaylist3)
    ON_BN_CLICKED(1255, OnBrowseFolder1)
    ON_BN_CLICKED(1263, OnBrowseFolder2)
    ON_BN_CLICKED(1265, OnBrowseFolder3)
    ON_BN_CLICKED(1256, OnSavePlaylist1)
    ON_BN_CLICKED(1264, OnSavePlaylist2)
    ON_BN_CLICKED(1266, OnSavePlaylist3)
    ON_BN_CLICKED(1258, ReloadList1)
    ON_BN_CLICKED(1202, ReloadList2)
    ON_BN_CLICKED(1203, ReloadList3)
    ON_BN_CLICKED(1259, OnUnmarkList1)
    ON_BN_CLICKED(1267, OnUnmarkList2)
    ON_BN_CLICKED(1268, OnUnmarkList3)
    ON_BN_CLICKED(1260, OnSquareIdButton)
    ON_NOTIFY(NM_RDBLCLK, 1009, OnListRightDoubleClick)
    ON_NOTIFY(NM_RDBLCLK, 1011, OnListRightDoubleClick)
    ON_NOTIFY(NM_RDBLCLK, 1012, OnListRightDoubleClick)
    ON_LBN_DBLCLK(1218, OnPlayNextQueued)
    ON_NOTIFY(NM_RCLICK, 1009, OnRClickList1)
    ON_NOTIFY(NM_RCLICK, 1011, OnRClickList2)
    ON_NOTIFY(NM_RCLICK, 1012, OnRClickList3)
    ON_BN_CLICKED(1244, OnQueueDelete)
    ON_BN_CLICKED(1309, OnDeleteAllCheck)
    ON_BN_CLICKED(1271, OnQueueMoveUp)
    ON_BN_CLICKED(1272, OnQueueMoveDown)
    ON_BN_CLICKED(1245, OnQueuedLyricsButton)
    ON_NOTIFY(HDN_ITEMCLICK, 0, OnHeaderItemClick)
    ON_NOTIFY(LVN_BEGINDRAG, 1009, OnBeginDragList1)
    ON_NOTIFY(LVN_BEGINDRAG, 1011, OnBeginDragList2)
    ON_NOTIFY(LVN_BEGINDRAG, 1012, OnBeginDragList3)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_BN_CLICKED(1257, OnSearchList1)
    ON_BN_CLICKED(1207, OnSearchList2)
    ON_BN_CLICKED(1208, OnSearchList3)
    ON_BN_CLICKED(1096, OnCancel)
    ON_BN_CLICKED(1237, OnPlayPauseButton)
    ON_BN_CLICKED(1238, OnStopButton)
    ON_BN_CLICKED(1239, OnRewindButton)
    ON_BN_CLICKED(1240, OnForwardButton)
    ON_BN_CLICKED(1242, OnPlayNextQueued)
    ON_BN_CLICKED(1269, OnFadeButton)
    ON_BN_CLICKED(1270, OnFadeButton)
    ON_BN_CLICKED(1243, OnShowLyricsButton)
    ON_BN_CLICKED(1261, ShowFindLyricsWindow)
    ON_BN_CLICKED(1246, OnResetButton)
    ON_BN_CLICKED(1200, OnSaveButton)
    ON_BN_CLICKED(1204, OnCommentButton)
    ON_BN_CLICKED(1248, OnAutoLoopButton)
    ON_BN_CLICKED(1249, OnLoopStartButton)
    ON_BN_CLICKED(1250, OnLoopStopButton)
    ON_BN_CLICKED(1032, OnLoopButton)
    ON_BN_CLICKED(1064, OnAutostartButton)
    ON_BN_CLICKED(1072, OnTrackingToggle)
    ON_BN_CLICKED(1071, OnLyricsOnPlayToggle)
    ON_BN_CLICKED(1175, OnMarkersButton)
    ON_BN_CLICKED(1115, OnLyricsSearchList1)
    ON_BN_CLICKED(1116, OnLyricsSearchList2)
    ON_BN_CLICKED(1117, OnLyricsSearchList3)
    // tempo, pitch, speed, volume; dance and break timers
    ON_MESSAGE(UWM_SLIDER_MOVING, OnSliderMessage)
    ON_MESSAGE(UWM_SLIDER_MOVED, OnSliderMessage)
    ON_EN_KILLFOCUS(1223, OnKeychangeStepsChanged)
    ON_BN_CLICKED(1262, SetKeychangeTimeHere)
    ON_BN_CLICKED(1241, OnBreakButton)
    ON_EN_KILLFOCUS(1281, OnBreakMinutesChanged)
    // the markers panel
    ON_BN_CLICKED(1273, PreviousMarker)
    ON_BN_CLICKED(1274, NextMarker)
    ON_BN_CLICKED(1253, MakeMarker)
    ON_BN_CLICKED(1254, DeleteMarkers)
    ON_BN_CLICKED(1275, ToggleMarkerFlag)
    ON_BN_CLICKED(1276, EditMarkerComment)
    ON_BN_CLICKED(1144, OnAutoMemoryToggle)
    ON_BN_CLICKED(1145, OnLockToggle)
    ON_BN_CLICKED(1152, OnFadeInToggle)
    ON_NOTIFY(NM_DBLCLK, 1146, OnMarkerListDoubleClick)
    ON_NOTIFY(NM_RCLICK, 1146, OnMarkerListRightClick)
END_MESSAGE_MAP()

CDlgMp3::CDlgMp3(CWnd* parent) : CDialogEx(IDD, parent) {}

CDlgMp3::~CDlgMp3() = default;

CButtonST* CDlgMp3::Button(int id)
{
    for (size_t i = 0; i < std::size(kPictureButtons); ++i)
        if (int(kPictureButtons[i].id) == id)
            return &m_buttons[i];
    return nullptr;
}

void CDlgMp3::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOCUS_SINK, m_commandSink);
    DDX_Control(dx, 1010, m_title);
    DDX_Control(dx, 1020, m_positionLabel);
    DDX_Control(dx, 1021, m_lengthLabel);
    DDX_Control(dx, 1022, m_loopStartLabel);
    DDX_Control(dx, 1023, m_loopEndLabel);
    DDX_Control(dx, 1028, m_bpmLabel);
    DDX_Control(dx, 1029, m_pitchLabel);
    DDX_Control(dx, 1030, m_speedLabel);
    DDX_Control(dx, 1031, m_volumeLabel);
    DDX_Control(dx, 1033, m_keychangeTimeLabel);
    DDX_Control(dx, 1037, m_danceTimerLabel);
    DDX_Control(dx, 1151, m_markerTimeLabel);
    DDX_Control(dx, 1034, m_peakMeter);
    DDX_Control(dx, 1036, m_analogClock);
    DDX_Control(dx, 1131, m_digitalClock);
    DDX_Control(dx, 1038, m_tempoSlider);
    DDX_Control(dx, 1039, m_pitchSlider);
    DDX_Control(dx, 1040, m_speedSlider);
    DDX_Control(dx, 1041, m_volumeSlider);
    for (int i = 0; i < 3; ++i) {
        DDX_Control(dx, kListIds[i], m_list[i]);
        DDX_Control(dx, kComboIds[i], m_combo[i]);
    }
    DDX_Control(dx, 1218, m_queueBox);
    DDX_Control(dx, 1220, m_ratingSpin);
    DDX_Control(dx, 1224, m_keychangeSpin);
    DDX_Control(dx, 1280, m_breakSpin);
    DDX_Control(dx, 1146, m_markersList);
    DDX_Control(dx, 1072, m_trackingToggle);
    DDX_Control(dx, 1175, m_markersToggle);
    DDX_Control(dx, 1064, m_autostartToggle);
    DDX_Control(dx, 1071, m_lyricsOnPlayToggle);
    for (size_t i = 0; i < std::size(kPictureButtons); ++i)
        DDX_Control(dx, kPictureButtons[i].id, m_buttons[i]);

    for (int i = 0; i < 3; ++i)
        DDX_CBString(dx, kComboIds[i], m_comboText[i]);
    DDX_Check(dx, 1032, m_loopCheck);
    DDX_Check(dx, 1064, m_autostartCheck);
    DDX_Check(dx, 1071, m_lyricsOnPlayCheck);
    DDX_Text(dx, 1061, m_rowCount[0]);
    DDX_Text(dx, 1062, m_rowCount[1]);
    DDX_Text(dx, 1063, m_rowCount[2]);
    DDX_Text(dx, IDC_FOCUS_SINK, m_commandText);
    DDX_Check(dx, 1072, m_trackingCheck);
    DDX_Text(dx, 1221, m_rating);
    DDX_Check(dx, 1144, m_autoMemoryCheck);
    DDX_Check(dx, 1145, m_lockCheck);
    DDX_Check(dx, 1175, m_markersCheck);
    DDX_Text(dx, 1281, m_breakMinutes);
    DDX_Text(dx, 1223, m_keychangeStepsValue);
    DDX_Check(dx, 1309, m_deleteAllCheck);
}

void CDlgMp3::InitTooltips()
{
    m_tooltip.Create(this, TRUE);
    m_tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);
    for (size_t i = 0; i < std::size(kPictureButtons); ++i)
        if (kPictureButtons[i].tip)
            m_tooltip.AddTool(&m_buttons[i], kPictureButtons[i].tip);
    m_tooltip.AddTool(GetDlgItem(1144), "Auto memory for markers");
    m_tooltip.AddTool(GetDlgItem(1145), "Lock markers");
    m_tooltip.AddTool(GetDlgItem(1152), "Fade in on play");
    m_tooltip.AddTool(&m_trackingToggle, "Toggle tracking on/off");
    m_tooltip.AddTool(&m_markersToggle, "Toggle markers on/off");
    m_tooltip.AddTool(&m_autostartToggle, "Toggle autostart on/off");
    m_tooltip.AddTool(&m_lyricsOnPlayToggle, "Toggle show lyrics on play on/off");
    m_tooltip.AddTool(GetDlgItem(1032), "Toggle loop on/off");
    for (int i = 0; i < 3; ++i)
        m_tooltip.AddTool(&m_combo[i], m_comboText[i]);
}

void CDlgMp3::SetButtonTip(UINT id, bool add)
{
    for (size_t i = 0; i < std::size(kPictureButtons); ++i) {
        if (kPictureButtons[i].id != id || !kPictureButtons[i].tip || !m_buttons[i].m_hWnd || !m_tooltip.m_hWnd)
            continue;
        if (add)
            m_tooltip.AddTool(&m_buttons[i], kPictureButtons[i].tip);
        else
            m_tooltip.RemoveTool(&m_buttons[i]);
    }
}

void CDlgMp3::InitButtonImages()
{
    for (CMFCButton* toggle : {&m_autostartToggle, &m_lyricsOnPlayToggle, &m_trackingToggle, &m_markersToggle})
        toggle->SetImage(211, 206);
    for (size_t i = 0; i < std::size(kPictureButtons); ++i)
        SetPicture(m_buttons[i], kPictureButtons[i].image);
}

void CDlgMp3::SetPlayButtonIcon(bool stopped)
{
    if (CButtonST* b = Button(1237); b && b->m_hWnd)
        SetPicture(*b, stopped ? 308 : 307);
}

void CDlgMp3::SetCommentButtonImage(bool hasComment)
{
    if (CButtonST* b = Button(1204); b && b->m_hWnd)
        SetPicture(*b, hasComment ? -485 : -413);
}

void CDlgMp3::CloseLyricsWindow() { SendCommand(CMD_LYRICS_WINDOW_CLOSE); }

void CDlgMp3::ShowQueueLyricsButton()
{
    if (CButtonST* b = Button(1245); b && b->m_hWnd)
        b->ShowWindow(m_set.lyricsSearchQueue ? SW_SHOW : SW_HIDE);
}

void CDlgMp3::OnShowLyricsButton()
{
    if (CButtonST* b = Button(1243); b && b->m_hWnd && b->IsWindowVisible())
        SendCommand(CMD_SHOW_LYRICS);
    RestoreFocus(1);
}

int CDlgMp3::IsLyricsSearchOn(int list) const
{
    return list >= 1 && list <= 3 ? m_set.searchLyrics[list - 1] : 0;
}

void CDlgMp3::ShowSongLists(bool switchBack)
{
    if (m_lyricsViewShown && switchBack)
        ToggleLyricsView();
}

void CDlgMp3::ShowTitle(const std::string& text)
{
    const int size = text.size() >= 48 ? 12 : text.size() >= 39 ? 14 : 18;
    if (m_title.m_hWnd)
        m_title.SetFontSize(size).SetText(text);
}

bool CDlgMp3::IsSongLoaded() const
{
    if (!m_title.m_hWnd)
        return false;
    const std::string t = m_title.GetText();
    return !t.empty() && t != "Welcome to Mirtal";
}

void CDlgMp3::RestoreFocus(int refresh)
{
    m_commandText.clear();
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    if (refresh && m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::OnCommandEditChange()
{
    if (m_commandSink.m_hWnd && !m_commandSink.GetWindowText().empty())
        m_commandSink.SetWindowText("");
    m_commandText.clear();
}

void CDlgMp3::OnLButtonDown(UINT flags, CPoint point)
{
    RestoreFocus(1);
    CDialogEx::OnLButtonDown(flags, point);
}

void CDlgMp3::OnRatingKillFocus()
{
    UpdateData(TRUE);
    g_songRating = m_rating;
}

void CDlgMp3::OnDanceTimerDoubleClick()
{
    ResetDanceTimer();
    StartDanceTimer();
}

void CDlgMp3::OnListRightDoubleClick(NMHDR*, LRESULT* result) { *result = 1; }

void CDlgMp3::OnDropFiles(HDROP drop)
{
    char name[261] = {};
    ::DragQueryFile(drop, 0, name, sizeof name);
    DropFile(name);
    RestoreFocus(1);
    ::DragFinish(drop);
}

// ---- song lists (the rows a list shows; their sources come with the list loaders)

void CDlgMp3::SetSongRows(int list, const std::vector<CMemArray>& rows)
{
    if (list < 1 || list > 3)
        return;
    m_rows[list - 1] = rows;
    RefreshListCount(list);
}

const std::vector<CMemArray>& CDlgMp3::SongRows(int list) const { return m_rows[std::clamp(list, 1, 3) - 1]; }

void CDlgMp3::OpenListRow(int list, int row)
{
    if (list < 1 || list > 3 || row < 0 || row >= int(m_rows[list - 1].size()))
        return;
    m_selectedRow[list - 1] = row;
    g_selectedSongPath = m_rows[list - 1][size_t(row)].GetCol(3);
    OpenSong(list, row, g_selectedSongPath, m_set.listType[list - 1], 1, m_set.namingMode[list - 1]);
}

void CDlgMp3::OnDblClkList1(NMHDR*, LRESULT* result)
{
    OpenListRow(1, m_list[0].GetSelectionMark());
    *result = 0;
}
void CDlgMp3::OnDblClkList2(NMHDR*, LRESULT* result)
{
    OpenListRow(2, m_list[1].GetSelectionMark());
    *result = 0;
}
void CDlgMp3::OnDblClkList3(NMHDR*, LRESULT* result)
{
    OpenListRow(3, m_list[2].GetSelectionMark());
    *result = 0;
}

// ---- markers panel

void CDlgMp3::OnMarkersButton()
{
    SendCommand(g_markersShow ? CMD_TOGGLE_MARKER_PANEL : CMD_TOGGLE_MARKERS);
}

// ---- lyrics view

bool CDlgMp3::IsLyricsViewShown() { return m_lyricsViewShown; }

