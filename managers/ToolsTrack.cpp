#include "managers/ToolsTrack.h"

#include "managers/ListFile.h"
#include "managers/MusicCsv.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/Input.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/TextEncoding.h"

#include <cctype>
#include <fstream>

namespace tracklog {

std::string Line(const CMemArray& row)
{
    return row.Col(1) + ";" + row.Col(2) + ";" + row.Col(0) + ";" + row.Col(3) + ";" + row.Col(4) + ";" +
           row.Col(5) + ";" + row.Col(6);
}

bool ParseLine(const std::string& raw, Entry& entry)
{
    std::string line = raw;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    if (line.empty() || line[0] == ';' || line.rfind(kOldHeaderStart, 0) == 0 || line == kHeader)
        return false;
    std::vector<std::string> fields;
    size_t start = 0;
    while (fields.size() < 6) {
        const size_t semi = line.find(';', start);
        if (semi == std::string::npos)
            break;
        fields.push_back(line.substr(start, semi - start));
        start = semi + 1;
    }
    if (fields.size() < 5)
        return false;
    // Field 6 runs to the sixth separator or the end; field 7 is the rest.
    std::string level;
    if (fields.size() == 5)
        fields.push_back(line.substr(start));
    else
        level = line.substr(start);
    MyFunctions fn;
    entry.date = fields[0];
    entry.time = fields[1];
    entry.title = fields[2];
    entry.name = fields[3];
    entry.list = fn.StringToInt(fields[4]);
    entry.path = fields[5];
    entry.level = fn.LevelFromText(level);
    return true;
}

} // namespace tracklog

namespace {

constexpr int kList = 1009;
constexpr int kCount = 1068;
constexpr int kDelete = 1183;
constexpr int kExport = 1184;
constexpr int kImport = 1185;
constexpr const char* kCsvFilter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";

struct Column {
    const char* heading;
    int width;
    int format;
};
constexpr Column kColumns[7] = {
    {"Title", 170, LVCFMT_LEFT}, {"Date", 110, LVCFMT_LEFT},  {"Time", 50, LVCFMT_CENTER},
    {"Name", 70, LVCFMT_CENTER}, {"List", 50, LVCFMT_CENTER}, {"Path", 0, LVCFMT_CENTER},
    {"Level", 70, LVCFMT_CENTER},
};

} // namespace

BEGIN_MESSAGE_MAP(CToolsTrack, CManagerPage)
    ON_BN_CLICKED(kDelete, OnDelete)
    ON_BN_CLICKED(kExport, OnExport)
    ON_BN_CLICKED(kImport, OnImport)
END_MESSAGE_MAP()

CToolsTrack::CToolsTrack(CWnd* parent) : CManagerPage(IDD, CMD_TRACK_MGR_CLOSED, parent) {}

void CToolsTrack::DoDataExchange(CDataExchange* dx)
{
    CManagerPage::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Text(dx, kCount, m_count);
}

BOOL CToolsTrack::OnInitDialog()
{
    CManagerPage::OnInitDialog();
    managers::CreateTips(m_tips, this);
    m_tips.AddTool(GetDlgItem(kDelete), "Delete a row in the listbox");
    m_tips.AddTool(GetDlgItem(kExport), "Save the content of the listbox to a csv-file");
    m_tips.AddTool(GetDlgItem(kImport), "Import a csv-file to the database");
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    AddList(m_list);
    managers::StyleList(m_list);
    for (const Column& c : kColumns)
        m_list.InsertColumn(m_list.GetColumnCount(), c.heading, c.format, c.width);
    m_sort.Reset(20, 7);
    Guarded("Reading the track manager's settings", [&] {
        m_db.BeginBatch();
        ApplyListFont(0);
        m_db.CommitBatch();
    });
    FillList();
    StartFocusTimer(500);
    UpdateData(FALSE);
    return TRUE;
}

void CToolsTrack::Reload()
{
    m_sort.descending = 0;
    FillList();
}

void CToolsTrack::FillList()
{
    bool limited = false;
    Guarded("Reading the log of played songs", [&] {
        managers::WaitCursor wait(*this);
        m_rows.clear();
        CppSQLite3Table log = m_db.GetTrackLog(1);
        const int count = std::min(log.RowCount(), tracklog::kMaxRows);
        limited = log.RowCount() >= tracklog::kMaxRows;
        m_rows.reserve(size_t(count));
        auto text = [&](int column) {
            const char* f = log.FieldText(column);
            return std::string(f ? f : "");
        };
        for (int r = 0; r < count; ++r) {
            log.SetRow(r);
            CMemArray row;
            row.SetAll(m_fn.UnescapeSql(text(2)), text(0), text(1), m_fn.UnescapeSql(text(3)), text(4),
                       m_fn.UnescapeSql(text(5)), m_fn.LevelDisplayName(m_fn.StringToInt(text(6))), "", "", "");
            m_rows.push_back(row);
        }
    });
    m_count = int(m_rows.size());
    m_list.SetItemCount(m_count);
    m_list.Invalidate();
    UpdateData(FALSE);
    if (limited)
        AfxMessageBox("The limit on the number of records is exceeded.", MB_OK | MB_ICONINFORMATION);
}

void CToolsTrack::AfterFailure()
{
    m_count = int(m_rows.size());
    m_list.SetItemCount(m_count);
    UpdateData(FALSE);
}

void CToolsTrack::PromoteSortColumn(int column, bool toggle) { m_sort.Promote(column, toggle); }

void CToolsTrack::SortRows(bool toggle)
{
    if (m_rows.empty())
        return;
    managers::WaitCursor wait(*this);
    if (toggle)
        m_sort.Promote(m_sort.Leading(), true);
    managers::SortRows(m_rows, m_sort.Keys(), m_sort.descending);
    m_list.Invalidate();
}

void CToolsTrack::HeaderClicked(CListCtrl*, int column)
{
    if (m_rows.empty())
        return;
    m_sort.Promote(column, true);
    SortRows(false);
}

void CToolsTrack::SupplyCell(HWND, ListCellData& cell)
{
    const int row = cell.GetItem();
    if (row < 0 || row >= int(m_rows.size()))
        return;
    const int column = cell.GetSubItem();
    cell.text = m_rows[size_t(row)].Col(column >= 0 && column <= 5 ? column : 6);
}

void CToolsTrack::LayoutControls(int width, int height)
{
    if (!m_list.m_hWnd)
        return;
    int w = (width - 310) / 2;
    if (w < 1)
        w = 0;
    if (g_largeLayout) {
        m_list.MoveWindow(10, 80, width - 20, height - 90);
        m_list.SetColumnWidth(0, std::max(0, w - 10));
    } else {
        m_list.MoveWindow(10, 70, width - 20, height - 80);
        m_list.SetColumnWidth(0, w);
    }
    m_list.SetColumnWidth(3, w);
    UpdateData(FALSE);
}

bool CToolsTrack::PageKey(MSG* msg)
{
    if (msg->wParam != 'A' || !(::GetKeyState(VK_CONTROL) & 0x8000))
        return false;
    managers::SelectAll(m_list);
    UpdateData(FALSE);
    return true;
}

void CToolsTrack::OnDelete()
{
    const std::vector<int> selected = managers::SelectedRows(m_list, int(m_rows.size()));
    if (selected.empty())
        return;
    if (AfxMessageBox("Do you want to delete the selected items?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Guarded("Deleting entries of the log of played songs", [&] {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        for (int i : selected) {
            const CMemArray& row = m_rows[size_t(i)];
            m_db.DeleteTrack(row.Col(0), row.Col(1), row.Col(2), row.Col(3), 0);
        }
        m_db.CommitBatch();
    });
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    m_list.SetSelectionMark(-1);
    FillList();
    if (!m_rows.empty()) {
        m_sort.Promote(1, false);
        SortRows(false);
    }
    UpdateData(FALSE);
}

bool CToolsTrack::ExportTo(const std::string& path)
{
    std::vector<std::string> lines{tracklog::kHeader};
    for (int i : managers::SelectedRows(m_list, int(m_rows.size())))
        lines.push_back(tracklog::Line(m_rows[size_t(i)]));
    return listfile::WriteLines(path, lines);
}

void CToolsTrack::OnExport()
{
    if (managers::SelectedRows(m_list, int(m_rows.size())).empty()) {
        AfxMessageBox("Make a selection first", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CFileDialog dlg(FALSE, ".csv", "Trackdatabase.csv", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kCsvFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    managers::WaitCursor wait(*this);
    if (!ExportTo(dlg.GetPathName()))
        AfxMessageBox("Unable To Open The File!", MB_OK | MB_ICONINFORMATION);
}

void CToolsTrack::ImportFrom(const std::string& path)
{
    Guarded("Importing the log of played songs", [&] {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        std::ifstream in(path, std::ios::binary);
        std::string raw;
        tracklog::Entry e;
        while (in && std::getline(in, raw))
            if (tracklog::ParseLine(store::ToProgramText(raw), e))
                m_db.AddTrack(e.title, e.name, 0, e.date, e.time, e.list, e.path, e.level, 0);
        m_db.CommitBatch();
    });
    m_sort.descending = 0;
    FillList();
}

void CToolsTrack::OnImport()
{
    CFileDialog dlg(TRUE, ".csv", "Trackdatabase.csv", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kCsvFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    ImportFrom(dlg.GetPathName());
}
