#include "app/Calls.h"
#include "store/ResourceIds.h"
#include "controls/FocusSink.h"
#include "controls/ToolWindowInfos.h"

#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "store/DataFile.h"

#include "platform/win/UnicodeText.h"
#include "store/TextReplace.h"

#include <algorithm>

std::array<std::vector<std::string>, 10> g_levelCalls;
std::vector<std::string> g_fileCalls;
std::vector<std::string> g_callPool;

namespace {

constexpr UINT_PTR kTick = 1;
constexpr int kSink = IDC_FOCUS_SINK;
constexpr int kLineIds[3] = {1120, 1121, 1122};

// The group names of the calls lists, level 1 to 10.
const char* const kLevelNames[10] = {"Basic",       "Mainstream",  "Plus",         "Advance 1",    "Advance 2",
                                     "Challenge 1", "Challenge 2", "Challenge 3A", "Challenge 3B", "Challenge 4"};
// The settings of the calls file paths, level 1 to 10.
const char* const kPathKeys[10] = {
    "general - callspath_b",   "general - callspath_m",   "general - callspath_p",   "general - callspath_a1",
    "general - callspath_a2",  "general - callspath_c1",  "general - callspath_c2",  "general - callspath_c3a",
    "general - callspath_c3b", "general - callspath_c4"};

int levelIndex() { return std::clamp(g_danceLevel, 1, 10) - 1; }

// Characters, not bytes, decide how long a call is.
int characters(const std::string& text)
{
    return win::TextLength(text);
}

} // namespace

BEGIN_MESSAGE_MAP(CCalls, CToolDialog)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_BN_CLICKED(1124, OnHide)
    ON_BN_CLICKED(1123, OnScrolling)
    ON_CBN_SELCHANGE(1223, OnSourceChange)
    ON_BN_CLICKED(1226, OnChooseFile)
    ON_EN_CHANGE(1159, OnSecondsChange)
    ON_EN_KILLFOCUS(1159, OnSecondsChange)
    ON_EN_CHANGE(kSink, OnSinkChange)
END_MESSAGE_MAP()

CCalls::CCalls(CWnd* parent) : CToolDialog(IDD, toolwindows::kCalls, parent) {}

void CCalls::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    for (int i = 0; i < 3; ++i)
        DDX_Control(dx, kLineIds[i], m_lines[size_t(i)]);
    DDX_Control(dx, 1123, m_scroll);
    DDX_Control(dx, 1124, m_hide);
    DDX_Control(dx, 1160, m_spin);
    DDX_Text(dx, 1159, m_seconds);
    DDX_Check(dx, 1123, m_paused);
    DDX_Text(dx, kSink, m_sink);
    DDX_CBIndex(dx, 1223, m_source);
    DDX_Text(dx, 1227, m_path);
}

BOOL CCalls::OnInitDialog()
{
    if (auto* box = dynamic_cast<CComboBox*>(GetDlgItem(1223)))
        for (const char* s : {"Database only", "File only", "Both Database & File"})
            box->AddString(s);
    m_refreshing = true;
    CToolDialog::OnInitDialog();
    m_refreshing = false;
    for (CNewLabel& line : m_lines)
        line.SetText("").SetTextColor(RGB(0, 0, 255)).SetFontBold(TRUE).SetAlignment(CNewLabel::kCentre | CNewLabel::kVCentre);
    ApplyColors();
    m_scroll.SetImage(206, 211);
    m_hide.MoveWindow(20, 20, 100, 35);
    m_scroll.MoveWindow(125, 20, 100, 35);
    m_seconds = 3;
    m_spin.SetRange32(1, 300);
    m_spin.SetPos32(3);
    for (int i = 0; i < 3; ++i)
        SetLineFont(i, 56);
    m_paused = 0;
    PlaceWindow();
    m_placed = true;
    LayoutLines();
    ParkFocus();
    return FALSE;
}

void CCalls::ParkFocus()
{
    m_refreshing = true;
    ParkFocusOnSink(*this, kSink);
    m_refreshing = false;
}

void CCalls::LoadCalls()
{
    m_db.BeginBatch();
    m_seconds = m_db.GetSettingInt("general - showcallssec", 0);
    m_source = std::clamp(m_db.GetSettingInt("general - callscombo", 0), 0, 2);
    m_db.CommitBatch();

    ReadCallsPath();
    m_seconds = std::clamp(m_seconds, 1, 300);
    m_spin.SetPos(m_seconds);
    ParkFocus();

    m_udb.BeginBatch();
    for (int level = 0; level < 10; ++level) {
        std::vector<std::string>& list = g_levelCalls[size_t(level)];
        list.clear();
        CppSQLite3Table rows = m_udb.GetCallsOfLevel(kLevelNames[level], 0);
        for (int r = 0; r < rows.RowCount(); ++r) {
            rows.SetRow(r);
            // Stored escaped; the caller reads the call as it was written.
            list.emplace_back(m_fn.UnescapeSql(rows.FieldTextOr(1)));
        }
    }
    LoadCallsFile(m_path);
    m_udb.CommitBatch();

    CreateBalloonTips(m_tips, *this,
                      {{1124, "Hide the window"},
                       {1123, "Toggle scrolling on/off"},
                       {1223, "Select database, file or both"},
                       {1226, "Select a file with calls"},
                       {1159, "Number of seconds before a new call is displayed"},
                       {1227, m_path}});
    BuildPool();
}

void CCalls::ReadCallsPath()
{
    m_db.BeginBatch();
    m_path = m_db.GetSetting(kPathKeys[levelIndex()], 0);
    m_db.CommitBatch();
}

void CCalls::LoadCallsFile(const std::string& path)
{
    g_fileCalls.clear();
    if (path.empty())
        return;
    m_db.SetSetting(kPathKeys[levelIndex()], path, 1);
    CDataFile file;
    if (!file.Open(path, CDataFile::modeRead))
        return;
    std::string line;
    while (file.ReadLine(line))
        g_fileCalls.push_back(store::TrimRight(line));
    file.Close();
}

void CCalls::BuildPool()
{
    ReadCallsPath();
    ParkFocus();
    LoadCallsFile(m_path);

    g_callPool.clear();
    if (m_source == 1 || m_source == 2)
        g_callPool.insert(g_callPool.end(), g_fileCalls.begin(), g_fileCalls.end());
    if (m_source == 0 || m_source == 2) {
        const std::vector<std::string>& level = g_levelCalls[size_t(levelIndex())];
        g_callPool.insert(g_callPool.end(), level.begin(), level.end());
    }

    const std::string name = m_db.GetSetting(m_fn.LevelCode(levelIndex() + 1) + " - levelname", 1);
    SetWindowText("Mirtal - Show Calls " + m_fn.RemoveText(name, "Mirtal - "));

    if (m_timerId) {
        KillTimer(m_timerId);
        m_timerId = 0;
    }
    StartDisplay();
}

std::string CCalls::PickCall() const
{
    if (g_callPool.empty())
        return std::string();
    return g_callPool[size_t(m_fn.RandomIndex(int(g_callPool.size())))];
}

void CCalls::StartDisplay()
{
    const std::string first = PickCall();
    const int n = characters(first);
    SetLineFont(0, n < 33 ? 56 : n <= 40 ? 40 : 32);
    m_lines[0].SetText(first);
    m_lines[1].SetText("");
    m_lines[2].SetText("");
    if (!g_callPool.empty())
        RestartTimer();
}

void CCalls::RestartTimer()
{
    if (m_timerId)
        KillTimer(m_timerId);
    m_timerId = SetTimer(kTick, UINT(m_seconds) * 1000);
}

std::string CCalls::LineText(int line) const { return m_lines[size_t(line)].GetText(); }

void CCalls::OnTimer(UINT_PTR id)
{
    if (id == kTick && !m_paused)
        ShowNextCall();
}

void CCalls::ShowNextCall()
{
    CRect client;
    GetClientRect(&client);
    const int h = client.Height();
    const int height = h <= 550 ? 48 : h < 700 ? 64 : 96;
    for (int i = 0; i < 3; ++i)
        SetLineFont(i, height);

    const std::string top = LineText(0);
    const std::string second = LineText(1);
    m_lines[2].SetText(second);
    m_lines[1].SetText(top);

    // A call that differs from the two shown on top, drawn with the pool's weights. When the
    // pool holds none, one of the pool is repeated rather than waiting for one that never comes.
    std::vector<const std::string*> fresh;
    for (const std::string& c : g_callPool)
        if (c != top && c != second)
            fresh.push_back(&c);
    std::string next;
    if (!fresh.empty())
        next = *fresh[size_t(m_fn.RandomIndex(int(fresh.size())))];
    else
        next = PickCall();
    m_lines[0].SetText(next);
}

void CCalls::ToggleScrolling()
{
    m_paused = m_paused ? 0 : 1;
    m_scroll.SetWindowText(m_paused ? "Scrolling Off" : "Scrolling On");
    ParkFocus();
}

void CCalls::ApplyColors()
{
    const COLORREF back = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(back);
    for (CNewLabel& line : m_lines)
        if (line.m_hWnd)
            line.SetBkColor(back);
}

void CCalls::SetLineFont(int line, int height)
{
    m_fontHeight[size_t(line)] = height;
    if (m_lines[size_t(line)].m_hWnd)
        m_lines[size_t(line)].SetFontSize(height);
}

void CCalls::PlaceWindow()
{
    MakePlaceUsable();
    if (g_largeLayout) {
        m_hide.MoveWindow(30, 25, 110, 44);
        m_scroll.MoveWindow(155, 25, 110, 44);
        if (CWnd* label = GetDlgItem(1091))
            label->MoveWindow(277, 20, 100, 18);
    }
    SetWindowPos(&wndTopMost, g_callsX, g_callsY, g_callsWidth, g_callsHeight, SWP_SHOWWINDOW);
    ShowWindow(SW_SHOW);
}

void CCalls::LayoutLines()
{
    // Sizes reported while the window is being made are not the user's.
    if (!m_placed)
        return;
    CRect r;
    GetWindowRect(&r);
    g_callsX = r.left;
    g_callsY = r.top;
    g_callsWidth = r.Width();
    g_callsHeight = r.Height();
    const int h = (r.Height() - 80) / 3;
    for (int i = 0; i < 3; ++i)
        m_lines[size_t(i)].MoveWindow(5, 80 + i * h, r.Width() - 10, h);
    Invalidate();
}

void CCalls::OnSize(UINT, int, int) { LayoutLines(); }

void CCalls::OnMove(int, int) { LayoutLines(); }

void CCalls::OnHide()
{
    ParkFocus();
    ShowWindow(SW_HIDE);
}

void CCalls::OnScrolling() { ToggleScrolling(); }

void CCalls::OnSourceChange()
{
    auto* box = dynamic_cast<CComboBox*>(GetDlgItem(1223));
    const int index = box ? box->GetCurSel() : CB_ERR;
    if (index < 0 || index > 2)
        return;
    BeginWaitCursor();
    m_source = index;
    m_db.SetSetting("general - callscombo", m_fn.IntToString(index), 1);
    BuildPool();
    EndWaitCursor();
    ParkFocus();
}

void CCalls::OnChooseFile()
{
    const bool wasOn = m_paused == 0;
    if (wasOn)
        ToggleScrolling();
    CFileDialog dialog(TRUE, "txt", m_path.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Text files (*.txt)|*.txt|Data files (*.dat)|*.dat||", this);
    if (dialog.DoModal() == IDOK) {
        BeginWaitCursor();
        m_path = dialog.GetPathName();
        LoadCallsFile(m_path);
        CreateBalloonTips(m_tips, *this, {{1227, m_path}});
        BuildPool();
        EndWaitCursor();
    }
    if (wasOn && m_paused)
        ToggleScrolling();
    ParkFocus();
}

void CCalls::OnSecondsChange()
{
    if (m_refreshing)
        return;
    BOOL ok = FALSE;
    const int n = int(GetDlgItemInt(1159, &ok, TRUE));
    if (!ok)
        return;
    const int seconds = std::clamp(n, 1, 300);
    // A spin step takes effect at once (the edit never holds the focus to lose it).
    if (seconds != m_seconds) {
        m_seconds = seconds;
        m_spin.SetPos(seconds);
        m_db.SetSetting("general - showcallssec", m_fn.IntToString(seconds), 1);
        if (!g_callPool.empty())
            RestartTimer();
    }
    if (m_paused)
        ToggleScrolling();
    ParkFocus();
}

void CCalls::OnSinkChange()
{
    if (m_refreshing)
        return;
    if (!m_sink.empty() || !GetDlgItem(kSink)->GetWindowText().empty()) {
        m_sink.clear();
        m_refreshing = true;
        SetDlgItemText(kSink, "");
        m_refreshing = false;
    }
}

BOOL CCalls::PreTranslateMessage(MSG* msg)
{
    RelayBalloonTips(m_tips, msg);
    if (msg->message == WM_KEYDOWN) {
        const HWND self = m_hWnd;
        SendCommand(msg->wParam == VK_F1 ? CMD_HELP : UINT(msg->wParam));
        // The main window may have closed us on that key.
        if (CWnd::FromHandle(self) == this)
            ParkFocus();
        return TRUE;
    }
    if (msg->message == WM_CHAR || msg->message == WM_KEYUP)
        return TRUE;
    return CToolDialog::PreTranslateMessage(msg);
}
