#include "player/Compare.h"

#include "platform/win/DataExchange.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/SendCommand.h"

#include <algorithm>
#include <cctype>

namespace {

// The radio buttons of criteria 0..10 and the filter type each asks for.
constexpr int kCriterionIds[11] = {1136, 1137, 1138, 1139, 1144, 1145, 1146, 1147, 1140, 1141, 1142};
constexpr int kCriterionTypes[11] = {7, 6, 4, 5, 8, 11, 3, 1, 2, 9, 10};
constexpr UINT_PTR kFocusTimer = 1;

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

std::string presetKey(const char* what, int preset) { return std::string("music - Compare") + what + std::to_string(preset); }

} // namespace

namespace musicfilter {

int TypeOfCriterion(int criterion) { return criterion >= 0 && criterion <= 10 ? kCriterionTypes[criterion] : 0; }

bool Passes(int type, const std::string& path, const std::string& title, const Search& s, CMusicDb& db)
{
    switch (type) {
    case 1:
        return db.IsInTrackLog(1, title, s.text, s.exact, 0);
    case 2:
        return !db.IsInTrackLog(2, title, s.text, s.exact, 0);
    case 3:
        return db.IsInTrackLog(3, title, s.text, s.exact, 0);
    case 4:
        return db.IsMarked(path, s.list, s.marksListDir, s.source, 0);
    case 5:
        return !db.IsMarked(path, s.list, s.marksListDir, s.source, 0);
    case 6:
        return !db.HasMusicRow(path, 0);
    case 7:
        return !s.findLyrics || s.findLyrics(path).size() < 4;
    case 8:
        return upper(title).find(upper(s.text)) != std::string::npos;
    case 9:
        return db.IsTrackInDateRange(path, s.after, s.before, 0, s.list, 0);
    case 10:
        return db.IsTrackInDateRange(path, s.after, s.before, 1, s.list, 0);
    case 11:
        return db.IsRateInRange(path, s.rateLow, s.rateHigh, 0);
    default:
        return false;
    }
}

} // namespace musicfilter

BEGIN_MESSAGE_MAP(CCompare, CDialogEx)
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
    ON_COMMAND_RANGE(1136, 1147, OnCriterion)
    ON_BN_CLICKED(1172, OnExactToggle)
    ON_EN_SETFOCUS(1173, OnTitleFocus)
    ON_EN_KILLFOCUS(1173, OnTextKillFocus)
    ON_EN_KILLFOCUS(1171, OnTextKillFocus)
    ON_EN_KILLFOCUS(1332, OnRateKillFocus)
    ON_EN_KILLFOCUS(1222, OnRateKillFocus)
    ON_LBN_SELCHANGE(1168, OnNameSelChange)
    ON_LBN_DBLCLK(1168, OnNameDoubleClick)
    ON_WM_TIMER()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CCompare::CCompare(const std::string& danceName, int preset, std::time_t before, std::time_t after, CWnd* parent)
    : CDialogEx(IDD, parent), m_danceName(danceName), m_before(before), m_after(after), m_preset(preset)
{
}

void CCompare::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, 1168, m_names);
    DDX_Control(dx, 1333, m_lowSpin);
    DDX_Control(dx, 1223, m_highSpin);
    DDX_Control(dx, 1311, m_afterPicker);
    DDX_Control(dx, 1312, m_beforePicker);
    DDX_Check(dx, 1172, m_exact);
    DDX_Text(dx, 1173, m_searchText);
    DDX_Text(dx, 1171, m_danceName);
    DDX_Text(dx, 1332, m_rateLow);
    DDX_Text(dx, 1222, m_rateHigh);
    if (dx->m_bSaveAndValidate) {
        m_afterPicker.GetTime(m_after);
        m_beforePicker.GetTime(m_before);
    } else {
        ShowCriterion();
    }
}

void CCompare::ShowCriterion()
{
    for (int i = 0; i < 11; ++i)
        CheckDlgButton(kCriterionIds[i], i == m_criterion ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CCompare::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_searchText.clear();
    m_rateLow = 0;
    m_lowSpin.SetRange32(0, 9);
    m_lowSpin.SetPos32(0);
    m_rateHigh = 9;
    m_highSpin.SetRange32(0, 9);
    m_highSpin.SetPos32(9);
    if (m_preset >= 1 && m_preset <= 3) {
        m_criterion = std::clamp(m_db.GetSettingInt(presetKey("Selection", m_preset), 1), 0, 10);
        m_exact = m_db.GetSettingBool(presetKey("TextExact", m_preset), 1) ? 1 : 0;
        m_rateLow = m_db.GetSettingInt(presetKey("RateLow", m_preset), 1);
        m_rateHigh = m_db.GetSettingInt(presetKey("RateHigh", m_preset), 1);
        m_searchText = m_db.GetSetting(presetKey("Search", m_preset), 1);
    }
    CppSQLite3Table table = m_db.GetTrackNamesWithLevel(1);
    for (int row = 0; row < table.RowCount(); ++row) {
        table.SetRow(row);
        m_names.AddString(m_fn.UnescapeSql(table.FieldTextOr(0)));
    }
    if (m_criterion == 4)
        SetTimer(kFocusTimer, 100);
    m_beforePicker.SetTime(m_before);
    m_afterPicker.SetTime(m_after);
    UpdateData(FALSE);
    return TRUE;
}

void CCompare::OnOkButton()
{
    UpdateData(TRUE);
    BeginWaitCursor();
    if (m_preset >= 1 && m_preset <= 3) {
        m_db.SetSetting(presetKey("Selection", m_preset), std::to_string(m_criterion), 1);
        m_db.SetSetting(presetKey("TextExact", m_preset), m_exact ? "true" : "false", 1);
        m_db.SetSetting(presetKey("RateLow", m_preset), std::to_string(m_rateLow), 1);
        m_db.SetSetting(presetKey("RateHigh", m_preset), std::to_string(m_rateHigh), 1);
        m_db.SetSetting(presetKey("Search", m_preset), m_searchText, 1);
    }
    EndWaitCursor();
    EndDialog(IDOK);
}

void CCompare::OnCriterion(UINT id)
{
    for (int i = 0; i < 11; ++i)
        if (UINT(kCriterionIds[i]) == id)
            m_criterion = i;
    UpdateData(FALSE);
}

void CCompare::OnExactToggle()
{
    m_exact = m_exact ? 0 : 1;
    UpdateData(FALSE);
}

void CCompare::OnTitleFocus()
{
    m_criterion = 4;
    ShowCriterion();
}

void CCompare::OnRateKillFocus()
{
    UpdateData(TRUE);
    m_criterion = 5;
    if (m_rateHigh < m_rateLow)
        m_rateLow = m_rateHigh;
    UpdateData(FALSE);
}

void CCompare::OnNameSelChange()
{
    const int row = m_names.GetCurSel();
    if (row >= 0)
        m_danceName = m_names.GetText(row);
    UpdateData(FALSE);
}

// A double click takes the name and ends the search at once, without the preset.
void CCompare::OnNameDoubleClick()
{
    OnNameSelChange();
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CCompare::OnTimer(UINT_PTR id)
{
    KillTimer(id);
    if (CWnd* title = GetDlgItem(1173))
        title->SetFocus();
    UpdateData(FALSE);
}

BOOL CCompare::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}
