// The music page's shape: settings read again after the options, the places of
// its controls for the page's size, the number of song lists and the normal,
// compressed and large views, the switch between the song lists and the lyrics
// view, the page's colours and list fonts, and the keys that arrive on it.
#include "player/DlgMp3.h"

#include "platform/win/Input.h"
#include "platform/win/PropertyGrid.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"
#include "texts/HtmlEditCtrl2.h"

#include <initializer_list>

namespace {

constexpr UINT kListIds[3] = {1009, 1011, 1012};
constexpr UINT kComboIds[3] = {1016, 1017, 1018};
constexpr UINT kRowCountIds[3] = {1061, 1062, 1063};
// The seven buttons above each song list: playlist, folder, save, search, reload, marks, lyrics.
constexpr UINT kListButtons[3][7] = {{1247, 1255, 1256, 1257, 1258, 1259, 1115},
                                     {1199, 1263, 1264, 1207, 1202, 1267, 1116},
                                     {1201, 1265, 1266, 1208, 1203, 1268, 1117}};
constexpr int kButtonSize = 38;

// A control's place in pixels of the page's client area.
struct Place {
    UINT id;
    int x, y, w, h;
};

void Move(CWnd& page, UINT id, int x, int y, int w, int h)
{
    if (CWnd* c = page.GetDlgItem(int(id)))
        c->MoveWindow(x, y, w, h);
}

void Move(CWnd& page, std::initializer_list<Place> places)
{
    for (const Place& p : places)
        Move(page, p.id, p.x, p.y, p.w, p.h);
}

void Show(CWnd& page, std::initializer_list<UINT> ids, bool show)
{
    for (UINT id : ids)
        if (CWnd* c = page.GetDlgItem(int(id)))
            c->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void ShowListControls(CWnd& page, int list, bool show)
{
    for (UINT id : kListButtons[list])
        Show(page, {id}, show);
    Show(page, {kComboIds[list]}, show);
}

int* ColumnWidthGlobals(int list, int slot)
{
    int* const g[3][5] = {{&g_colWidth1_0, &g_colWidth1_1, &g_colWidth1_2, &g_colWidth1_3, &g_colWidth1_4},
                          {&g_colWidth2_0, &g_colWidth2_1, &g_colWidth2_2, &g_colWidth2_3, &g_colWidth2_4},
                          {&g_colWidth3_0, &g_colWidth3_1, &g_colWidth3_2, &g_colWidth3_3, &g_colWidth3_4}};
    return g[list][slot];
}

// Whether the window is the outer window or lies inside it.
bool IsWithin(HWND outer, HWND wnd)
{
    for (CWnd* w = outer ? CWnd::FromHandle(wnd) : nullptr; w; w = w->GetParent())
        if (w->m_hWnd == outer)
            return true;
    return false;
}

// Column headings the naming mode gives when the settings leave them empty.
// "Global" is what the options store for a heading the caller did not name: the
// heading then follows the list's naming mode.
void CompleteHeaders(int naming, std::string& first, std::string& second)
{
    const auto unnamed = [](const std::string& t) { return t.empty() || t == "Global" || t == "global"; };
    if (unnamed(first))
        first = naming != 0 ? "Title" : "Label";
    if (unnamed(second))
        second = naming != 0 ? "Label" : "Title";
}

} // namespace

// ---- settings reload ---------------------------------------------------------------

void CDlgMp3::ReloadSettings()
{
    m_db.BeginBatch();
    LoadMp3PageSettings(m_db, m_set, false);
    if (m_set.bassBuffer > 500)
        BASS_SetConfig(BASS_CONFIG_BUFFER, DWORD(m_set.bassBuffer));
    if (g_compressedView)
        m_set.bothTempoValues = 0;
    m_db.CommitBatch();
    TakeSortSettings(false);
    if (!m_hWnd)
        return;

    m_bpmLabel.SetFontSize(m_set.bothTempoValues ? 12 : 16);
    m_breakMinutes = m_set.breakMinutes;
    m_breakSpin.SetPos32(m_breakMinutes);
    for (CQuickList& list : m_list)
        for (int c = 5; c >= 0; --c)
            list.DeleteColumn(c);
    BuildListColumns();
    ApplyListFonts();
    ApplyClockSettings();
    Show(*this, {1061, 1062, 1063}, !m_set.hideRowCounts);
    m_markersList.SetGridLines(m_set.markersGridLines);
    m_danceCountDown = m_danceLimit = LevelTimerSeconds();

    Show(*this, {1221, 1220, 1222}, m_set.rateActive && !g_compressedView);
    if (m_set.focusTimer)
        ArmTimer(kTimerRefocus, 10000);
    else
        StopTimer(kTimerRefocus);
    ShowQueueLyricsButton();
    ReloadList1();
    ReloadList2();
    ReloadList3();
    if (g_playing && g_autoScrollSec != 0)
        ArmTimer(kTimerAutoScroll, UINT(g_autoScrollSec));
    ApplyAttributes();
    ApplyPageColors();
    ApplyLayout();
    RestoreFocus(1);
}

void CDlgMp3::BuildListColumns()
{
    for (int i = 0; i < 3; ++i) {
        CQuickList& list = m_list[i];
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | (g_gridLines ? LVS_EX_GRIDLINES : 0));
        std::string first = m_set.header1[i], second = m_set.header2[i];
        CompleteHeaders(m_set.namingMode[i], first, second);
        int w[5];
        for (int slot = 0; slot < 5; ++slot)
            w[slot] = *ColumnWidthGlobals(i, slot);
        if (m_set.namingMode[i] == 2) {
            list.InsertColumn(0, "", LVCFMT_LEFT, w[0]);
            list.InsertColumn(1, first, LVCFMT_LEFT, w[1]);
        } else {
            list.InsertColumn(0, first, LVCFMT_LEFT, w[0]);
            list.InsertColumn(1, second, LVCFMT_LEFT, w[1]);
        }
        list.InsertColumn(2, "Rate", LVCFMT_LEFT, w[2]);
        list.InsertColumn(3, "Path", LVCFMT_LEFT, 0);
        list.InsertColumn(4, "Length", LVCFMT_LEFT, w[3]);
        list.InsertColumn(5, "Comment", LVCFMT_LEFT, w[4]);
    }
}

// ---- colours and fonts -------------------------------------------------------------

void CDlgMp3::ApplyPageColors()
{
    const COLORREF c = RGB(g_dlgColorR & 0xFF, g_dlgColorG & 0xFF, g_dlgColorB & 0xFF);
    SetBackgroundColor(c, TRUE);
    for (CNewLabel* l : {&m_positionLabel, &m_loopStartLabel, &m_loopEndLabel, &m_keychangeTimeLabel,
                         &m_danceTimerLabel, &m_lengthLabel, &m_volumeLabel, &m_pitchLabel, &m_bpmLabel,
                         &m_speedLabel, &m_markerTimeLabel})
        if (l->m_hWnd)
            l->SetBkColor(c);
    for (CMFCButton* toggle : {&m_autostartToggle, &m_lyricsOnPlayToggle, &m_trackingToggle, &m_markersToggle})
        if (toggle->m_hWnd)
            toggle->SetFaceColor(c, TRUE);
}

void CDlgMp3::ApplyListFont(int size, int weight, int italic, const std::string& faceName, int target)
{
    CWnd* control = target >= 1 && target <= 3 ? static_cast<CWnd*>(&m_list[target - 1])
                    : target == 5             ? static_cast<CWnd*>(&m_queueBox)
                    : target == 6             ? static_cast<CWnd*>(&m_markersList)
                                              : nullptr;
    if (!control || !control->m_hWnd)
        return;
    CClientDC dc(this);
    int height = win::FontHeightFromPoints(size, dc.GetDeviceCaps(LOGPIXELSY));
    if (height < 1)
        height = 12;
    auto font = std::make_unique<CFont>();
    font->CreateFont(height, 0, 0, 0, weight, BYTE(italic != 0), FALSE, FALSE, BYTE(g_japanese ? 128 : 1), 0, 0, 0,
                     32, faceName.empty() ? "MS Sans Serif" : faceName.c_str());
    control->SetFont(font.get(), TRUE);
    // The control holds the new font now; the one it had before can go.
    m_listFonts[target - 1] = std::move(font);
}

// ---- layout ------------------------------------------------------------------------

void CDlgMp3::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    ApplyLayout();
}

// The song lists side by side below the controls; w is the width of each list.
void CDlgMp3::PlaceSongLists(int width, int height, int top, int& w)
{
    const int n = m_set.listCount;
    w = n > 0 ? width / n - 2 : width;
    if (!m_listsShown || n < 1 || n > 3)
        return;
    w -= n == 1 ? 20 : n == 2 ? 15 : 10;
    const int h = height - top - 8;
    for (int i = 0; i < 3; ++i) {
        CWnd* list = GetDlgItem(int(kListIds[i]));
        if (!list)
            continue;
        if (i < n) {
            list->MoveWindow(10 + i * (w + 10), top, w, h);
            list->ShowWindow(SW_SHOW);
            if (i > 0)
                ShowListControls(*this, i, true);
        } else {
            list->ShowWindow(SW_HIDE);
            list->MoveWindow(0, 0, 0, 0);
            ShowListControls(*this, i, false);
        }
    }
    for (int i = 0; i < n; ++i)
        Show(*this, {kComboIds[i]}, g_largeLayout || !g_compressedView);
}

// Column widths that follow the list width; extraRest narrows the name column further.
void CDlgMp3::AdjustColumnWidths(int w, int extraRest)
{
    if (m_set.adjustColumnWidth) {
        const int a = w / 5;
        for (int i = 0; i < 3; ++i) {
            CQuickList& list = m_list[i];
            if (!list.m_hWnd)
                continue;
            const int format = m_set.namingMode[i];
            if (format == 0)
                list.SetColumnWidth(0, a);
            else if (format == 1)
                list.SetColumnWidth(1, a);
            else if (format == 2)
                list.SetColumnWidth(0, 0);
            for (int c : {2, 4, 5})
                list.SetColumnWidth(c, 0);
            int rest = w - 22 - a;
            if (m_set.rateActive) {
                list.SetColumnWidth(2, 20);
                rest -= 20;
            }
            if (m_set.lengthActive) {
                list.SetColumnWidth(4, 48);
                rest -= 48;
            }
            if (m_set.commentActive) {
                list.SetColumnWidth(5, 100);
                rest -= 100;
            }
            if (format == 0)
                list.SetColumnWidth(1, rest - extraRest);
            else if (format == 1)
                list.SetColumnWidth(0, rest - extraRest);
            else if (format == 2)
                list.SetColumnWidth(1, a + rest - extraRest);
        }
    }
    // The main window keeps the widths for the next start.
    for (int i = 0; i < 3; ++i) {
        if (!m_list[i].m_hWnd)
            continue;
        const int columns[5] = {0, 1, 2, 4, 5};
        for (int slot = 0; slot < 5; ++slot)
            *ColumnWidthGlobals(i, slot) = m_list[i].GetColumnWidth(columns[slot]);
    }
    for (int i = 0; i < 3; ++i)
        Move(*this, kComboIds[i], 10 + i * (w + 10), 235, w, 21);
}

void CDlgMp3::PlaceListButtonRows(int w, int r)
{
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 7; ++k)
            Move(*this, kListButtons[i][k], 10 + i * (w + 10) + 35 * k, r, kButtonSize, kButtonSize);
    Move(*this, {{1061, w - 26, r + 9, 36, 22}, {1062, 2 * w - 16, r + 9, 36, 22}, {1063, 3 * w - 6, r + 9, 36, 22}});
}

void CDlgMp3::PlaceClocks(int width)
{
    if (m_set.rightAlignClock)
        Move(*this, {{1036, width - 127, 25, 129, 100},
                     {1131, width - 139, 50, 123, 40},
                     {1037, width - 139, 130, 123, 50},
                     {1232, width - 143, 6, 133, 186}});
    else
        Move(*this, {{1036, 862, 25, 129, 100}, {1131, 850, 50, 123, 40}, {1037, 850, 130, 123, 50},
                     {1232, 845, 6, 133, 186}});
}

void CDlgMp3::ApplyLayout()
{
    if (!m_hWnd || !m_commandSink.m_hWnd)
        return; // the page's start lays it out once its controls are attached
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    m_markersCheck = m_markersPanelShown ? 1 : 0;
    m_markersToggle.SetCheck(m_markersCheck ? BST_CHECKED : BST_UNCHECKED);

    if (g_largeLayout) {
        ApplyLargeLayout(width, height);
    } else {
        const bool compressed = g_compressedView != 0;
        const int top = compressed ? 200 : 262;
        if (m_lyricsViewShown && m_lyricsView && m_lyricsView->m_hWnd)
            m_lyricsView->MoveWindow(9, 194, width - 18, height - 204);
        int w = 0;
        PlaceSongLists(width, height, top, w);
        if (compressed)
            Show(*this, {1016, 1017, 1018}, false);
        AdjustColumnWidths(w, 0);

        const bool keychange = m_keychangeArea && m_set.keychangeVisible;
        const bool breakBox = !m_markersPanelShown && m_set.breakTimerVisible;
        int r = 192;
        if (!compressed) {
            Show(*this, {1204, 1246, 1175, 1271, 1272, 1309, 1037}, true);
            // The queue's lyrics button keeps to "lyrics - searchqueue".
            ShowQueueLyricsButton();
            Move(*this, {{1245, 320, 91, 38, 38},
                         {1244, 320, 129, 38, 38},
                         {1034, 364, 22, 12, 162},
                         {1218, 15, 95, 273, 90},
                         {1120, 8, 6, 374, 186},
                         {1121, 386, 6, 294, 186},
                         {1122, 684, 6, 156, 186},
                         {1072, 740, 58, 90, 25},
                         {1175, 740, 90, 90, 25},
                         {1064, 740, 122, 90, 25},
                         {1071, 740, 154, 90, 25},
                         {1225, 496, 82, 60, 16},
                         {1223, 502, 100, 26, 20},
                         {1224, 525, 100, 15, 20},
                         {1262, 500, 125, 38, 38},
                         {1033, 490, 165, 45, 20},
                         {1204, 466, 15, 38, 38},
                         {1246, 390, 15, 38, 38},
                         {1200, 428, 15, 38, 38},
                         {1248, 390, 60, 38, 38},
                         {1249, 390, 102, 38, 38},
                         {1250, 390, 145, 38, 38},
                         {1032, 434, 70, 45, 20},
                         {1233, 445, 105, 26, 15},
                         {1022, 428, 120, 45, 20},
                         {1234, 445, 150, 26, 15},
                         {1023, 428, 165, 45, 20},
                         {1222, 520, 15, 40, 16},
                         {1221, 512, 30, 26, 20},
                         {1220, 535, 30, 15, 20},
                         {1144, 584, 130, 90, 20},
                         {1145, 584, 150, 65, 20},
                         {1152, 584, 170, 90, 20},
                         {1146, 390, 59, 188, 127}});
            Move(*this, 1028, 598, m_set.bothTempoValues ? 22 : 20, m_set.bothTempoValues ? 72 : 60, 20);
            Show(*this, {1027, 1031, 1041}, !m_markersPanelShown);
            Show(*this, {1151}, m_markersPanelShown);
            Show(*this, {1225, 1223, 1224, 1262, 1033}, keychange);
            PlaceClocks(width);
        } else {
            r = 160;
            Show(*this, {1245, 1271, 1272, 1309, 1175, 1027, 1031, 1041, 1151, 1037, 1225, 1223, 1224, 1262, 1033, 1204},
                 false);
            Move(*this, {{1244, 320, 91, 38, 38},
                         {1034, 364, 22, 12, 122},
                         {1218, 15, 95, 273, 50},
                         {1120, 8, 6, 374, 150},
                         {1121, 386, 6, 294, 150},
                         {1122, 684, 6, 156, 150},
                         {1232, 834, 6, 150, 150},
                         {1072, 740, 60, 90, 25},
                         {1064, 740, 90, 90, 25},
                         {1071, 740, 120, 90, 25},
                         {1200, 500, 15, 38, 38},
                         {1246, 500, 55, 38, 38},
                         {1248, 390, 15, 38, 38},
                         {1249, 390, 60, 38, 38},
                         {1250, 390, 110, 38, 38},
                         {1032, 434, 30, 45, 20},
                         {1233, 450, 65, 26, 15},
                         {1022, 428, 80, 45, 20},
                         {1234, 450, 115, 26, 15},
                         {1023, 428, 130, 45, 20},
                         {1144, 420, 116, 65, 20},
                         {1145, 420, 134, 65, 20},
                         {1152, 420, 152, 65, 20},
                         {1146, 394, 20, 100, 96}});
        }
        Show(*this, {1281, 1280}, breakBox);
        Move(*this, {{1281, 692, 128, 24, 20}, {1280, 716, 128, 15, 20}});
        PlaceListButtonRows(w, r);
        if (compressed && m_markersPanelShown) {
            // The compressed view has no room for the markers panel.
            ShowMarkersPanel(false, false);
            Show(*this, {1246, 1281, 1280}, false);
            Show(*this, {1064, 1071}, true);
        }
    }

    SendCommand(CMD_MARKER_TIMER_REFRESH);
    Invalidate(TRUE);
    // A page behind another tab leaves the focus where it is.
    if (IsWindowVisible())
        RestoreFocus(1);
}

void CDlgMp3::ApplyLargeLayout(int width, int height)
{
    constexpr int top = 262;
    if (m_lyricsViewShown && m_lyricsView && m_lyricsView->m_hWnd)
        m_lyricsView->MoveWindow(9, 194, width - 18, height - 204);
    int w = 0;
    PlaceSongLists(width, height, top, w);
    AdjustColumnWidths(w, 8);

    constexpr int b = kButtonSize;
    Move(*this, {{1010, 20, 25, 330, 30},
                 {1237, 20, 60, b, b},
                 {1238, 62, 60, b, b},
                 {1239, 104, 60, b, b},
                 {1240, 146, 60, b, b},
                 {1242, 188, 60, b, b},
                 {1269, 230, 60, b, b},
                 {1270, 230, 60, b, b},
                 {1261, 272, 60, b, b},
                 {1243, 314, 60, b, b},
                 {1218, 20, 105, 273, 80},
                 {1245, 320, 100, b, b},
                 {1244, 320, 143, b, b},
                 {1271, 289, 101, b, b},
                 {1272, 289, 143, b, b},
                 {1034, 364, 22, 12, 162},
                 {1246, 390, 15, b, b},
                 {1200, 428, 15, b, b},
                 {1204, 466, 15, b, b},
                 {1248, 390, 60, b, b},
                 {1249, 390, 102, b, b},
                 {1250, 390, 145, b, b},
                 {1032, 434, 77, 50, 20},
                 {1233, 450, 105, 30, 15},
                 {1022, 433, 120, 45, 20},
                 {1234, 450, 150, 26, 15},
                 {1023, 433, 165, 45, 20},
                 {1225, 492, 80, 62, 20},
                 {1223, 502, 100, 28, 20},
                 {1224, 525, 100, 15, 20},
                 {1262, 500, 125, b, b},
                 {1033, 490, 165, 45, 20},
                 {1222, 516, 20, 40, 20},
                 {1221, 512, 40, 28, 20},
                 {1220, 535, 40, 15, 20},
                 {1120, 8, 6, 374, 186},
                 {1121, 386, 6, 294, 186},
                 {1122, 684, 6, 156, 186},
                 {1020, 690, 20, 60, 25},
                 {1296, 756, 25, 38, 25},
                 {1021, 772, 20, 60, 25},
                 {1260, 690, 58, b, b},
                 {1241, 690, 90, b, b},
                 {1072, 732, 60, 100, 25},
                 {1175, 732, 90, 100, 25},
                 {1064, 732, 120, 100, 25},
                 {1071, 732, 150, 100, 25},
                 {1024, 560, 20, 60, 20},
                 {1038, 560, 40, 60, 20},
                 {1025, 560, 65, 60, 20},
                 {1039, 560, 85, 85, 20},
                 {1029, 600, 65, 60, 20},
                 {1026, 560, 110, 60, 20},
                 {1040, 560, 130, 60, 20},
                 {1030, 600, 110, 60, 20},
                 {1027, 560, 155, 90, 20},
                 {1041, 560, 175, 60, 20},
                 {1031, 605, 155, 55, 20},
                 {1273, 480, 65, b, b},
                 {1274, 515, 65, b, b},
                 {1253, 480, 100, b, b},
                 {1254, 515, 100, b, b},
                 {1275, 515, 100, b, b},
                 {1276, 515, 100, b, b},
                 {1151, 690, 130, 140, 60},
                 {1144, 480, 140, 80, 25},
                 {1145, 480, 160, 65, 20},
                 {1152, 480, 180, 65, 20},
                 {1146, 394, 56, 82, 130}});
    Move(*this, 1028, 600, 20, m_set.bothTempoValues ? 70 : 60, 20);
    Show(*this, {1175}, true);
    ShowQueueLyricsButton();
    Show(*this, {1309}, false);
    Show(*this, {1225, 1223, 1224, 1262, 1033}, m_keychangeArea && m_set.keychangeVisible);
    Show(*this, {1027, 1031, 1041}, !m_markersPanelShown);
    Show(*this, {1151}, m_markersPanelShown);
    Show(*this, {1281, 1280}, !m_markersPanelShown && m_set.breakTimerVisible);
    PlaceClocks(width);
    Move(*this, {{1281, 692, 128, 24, 20}, {1280, 716, 128, 15, 20}});
    PlaceListButtonRows(w, 192);
}

// ---- song lists and lyrics view ----------------------------------------------------

void CDlgMp3::ToggleLyricsView()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const bool view = m_lyricsView && m_lyricsView->m_hWnd;
    if (m_listsShown) {
        for (const auto& row : kListButtons)
            for (UINT id : row) {
                Show(*this, {id}, false);
                SetButtonTip(id, false);
            }
        for (int i = 0; i < 3; ++i) {
            Show(*this, {kRowCountIds[i], kComboIds[i], kListIds[i]}, false);
            if (m_tooltip.m_hWnd)
                m_tooltip.RemoveTool(&m_combo[i]);
        }
        if (!m_lyricsViewShown) {
            if (view)
                m_lyricsView->MoveWindow(9, 194, client.Width() - 18, client.Height() - 204);
            m_lyricsViewShown = true;
        } else {
            if (view)
                m_lyricsView->MoveWindow(9, 194, 0, 0);
            m_lyricsViewShown = false;
        }
        m_listsShown = false;
    } else {
        for (const auto& row : kListButtons)
            for (UINT id : row) {
                Show(*this, {id}, true);
                SetButtonTip(id, true);
            }
        for (int i = 0; i < 3; ++i) {
            Show(*this, {kListIds[i]}, true);
            Show(*this, {kRowCountIds[i]}, !m_set.hideRowCounts);
            if (m_tooltip.m_hWnd)
                m_tooltip.AddTool(&m_combo[i], m_combo[i].GetWindowText());
            Show(*this, {kComboIds[i]}, !g_compressedView);
        }
        m_listsShown = true;
        if (m_lyricsViewShown) {
            if (view)
                m_lyricsView->MoveWindow(9, 194, 0, 0);
            m_lyricsViewShown = false;
        }
        ApplyLayout();
    }
    RestoreFocus(1);
}

void CDlgMp3::ShowLyricsView()
{
    if (m_listsShown)
        ToggleLyricsView();
}

// ---- keys --------------------------------------------------------------------------

int CDlgMp3::SongListOf(HWND wnd) const
{
    for (int i = 0; i < 3; ++i)
        if (IsWithin(m_list[i].m_hWnd, wnd))
            return i + 1;
    return 0;
}

BOOL CDlgMp3::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(msg);
    if (msg->message == WM_KEYDOWN && HandleKey(*msg))
        return TRUE;
    // Every other key goes on to its control and, through the main window's own
    // pre-translation, to its key dispatcher (unless KeepsKey holds it back).
    return CDialogEx::PreTranslateMessage(msg);
}

bool CDlgMp3::HandleKey(const MSG& msg)
{
    const int list = SongListOf(msg.hwnd);
    if (msg.wParam == VK_BACK) {
        if (list)
            RemoveSelectedRow(list);
        return list != 0;
    }
    if (msg.wParam != VK_RETURN)
        return false;
    if (IsWithin(m_markersList.m_hWnd, msg.hwnd)) {
        SeekToSelectedMarker();
        return true;
    }
    if (!list)
        return false;
    if (GetKeyState(VK_CONTROL) < 0)
        QueueSelectedRow(list);
    else
        OpenListRow(list, m_list[list - 1].GetSelectionMark());
    return true;
}

bool CDlgMp3::KeepsKey(const MSG& msg) const
{
    if (msg.message != WM_KEYDOWN || !IsWithin(m_hWnd, msg.hwnd))
        return false;
    if (msg.wParam == VK_BACK)
        return true;
    return GetKeyState(VK_CONTROL) < 0 && !m_fn.KeyName(int(msg.wParam)).empty();
}

void CDlgMp3::SeekToSelectedMarker()
{
    int selected = -1;
    if (POSITION pos = m_markersList.GetFirstSelectedItemPosition())
        selected = m_markersList.GetNextSelectedItem(pos);
    const std::string time = selected >= 0 ? m_markersList.GetItemText(selected, 0) : std::string();
    g_position = time.empty() ? 0.0f : m_fn.TimeTextToSeconds(time);
    SendCommand(CMD_SEEK_TO_MARKER);
    if (!g_playing) {
        g_fadeInNextPlay = m_set.markersFadeIn;
        SendCommand(CMD_PLAY_PAUSE);
    }
}
