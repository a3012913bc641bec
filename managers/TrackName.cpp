#include "managers/TrackName.h"
#include "controls/RowColours.h"

#include "platform/win/DataExchange.h"
#include "platform/win/HeaderCtrl.h"
#include "store/AppGlobals.h"
#include "store/FailureReport.h"
#include "store/SendCommand.h"

namespace {
constexpr int kName = 1086;
constexpr int kList = 1191;
constexpr int kOk = 1097;
} // namespace

BEGIN_MESSAGE_MAP(CTrackName, CDialogEx)
    ON_BN_CLICKED(kOk, OnOK)
    ON_NOTIFY(NM_CLICK, kList, OnListClick)
    ON_NOTIFY(NM_DBLCLK, kList, OnListDoubleClick)
    ON_WM_HELPINFO()
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetCell)
END_MESSAGE_MAP()

CTrackName::CTrackName(const std::string& name, int level, CWnd* parent)
    : CDialogEx(IDD, parent), m_name(name), m_level(level)
{
}

void CTrackName::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Text(dx, kName, m_name);
}

BOOL CTrackName::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    SetDefID(kOk);
    m_descending = 1;
    try {
        m_noLevel = m_db.GetSettingBool("music - notracklevel", 1);
    } catch (const std::exception& e) {
        failure::Report(failure::Describe("Reading the dance names", e, m_db.FileName()));
    }
    managers::StyleList(m_list);
    m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 110);
    m_list.InsertColumn(1, "Level", LVCFMT_LEFT, 70);
    Fill();
    UpdateData(FALSE);
    return TRUE;
}

void CTrackName::Fill()
{
    m_rows.clear();
    try {
        CppSQLite3Table names = m_noLevel ? m_db.GetTrackNames(1) : m_db.GetTrackNamesWithLevel(1);
        for (int r = 0; r < names.RowCount(); ++r) {
            names.SetRow(r);
            const char* name = names.FieldText(0);
            std::string level;
            if (!m_noLevel) {
                const char* stored = names.FieldText(1);
                level = m_fn.LevelDisplayName(m_fn.StringToInt(stored ? stored : ""));
            }
            CMemArray row;
            row.SetAll(m_fn.UnescapeSql(name ? name : ""), level, "", "", "", "", "", "", "", "");
            m_rows.push_back(row);
        }
    } catch (const std::exception& e) {
        failure::Report(failure::Describe("Reading the dance names", e, m_db.FileName()));
    }
    m_list.SetItemCount(int(m_rows.size()));
    if (!m_rows.empty()) {
        // Descending then ascending: the list opens by name, ascending, and a
        // first click on a header sorts descending.
        SortBy(0);
        SortBy(0);
    }
    m_list.Invalidate();
    UpdateData(FALSE);
}

void CTrackName::SortBy(int column)
{
    managers::SortRows(m_rows, managers::ClickedFirstKeys(column), m_descending != 0);
    m_descending = m_descending ? 0 : 1;
}

LRESULT CTrackName::OnGetCell(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    if (!cell)
        return 0;
    StripeRow(*cell, g_colorAllRows != 0);
    const int row = cell->GetItem();
    const int column = cell->GetSubItem();
    if (row >= 0 && row < int(m_rows.size()) && (column == 0 || column == 1))
        cell->text = m_rows[size_t(row)].Col(column);
    return 0;
}

BOOL CTrackName::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && hdr->code == HDN_ITEMCLICK) {
        if (!m_rows.empty()) {
            SortBy(reinterpret_cast<const NMHEADER*>(hdr)->iItem);
            m_list.Invalidate();
        }
        return TRUE;
    }
    return CDialogEx::OnNotify(wParam, lParam, result);
}

bool CTrackName::TakeMarkedRow()
{
    const int mark = managers::SelectionMark(m_list, int(m_rows.size()));
    if (mark < 0)
        return false;
    m_name = m_rows[size_t(mark)].Col(0);
    m_level = m_fn.LevelFromText(m_rows[size_t(mark)].Col(1));
    return true;
}

void CTrackName::OnListClick(NMHDR*, LRESULT* result)
{
    if (result)
        *result = 0;
    UpdateData(TRUE);
    if (!TakeMarkedRow()) {
        m_name.clear();
        m_level = 0;
    }
    UpdateData(FALSE);
}

void CTrackName::OnListDoubleClick(NMHDR* hdr, LRESULT* result)
{
    OnListClick(hdr, result);
    OnOK();
}

void CTrackName::OnOK()
{
    UpdateData(TRUE);
    if (TakeMarkedRow())
        UpdateData(FALSE);
    CDialogEx::OnOK();
}

BOOL CTrackName::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}
