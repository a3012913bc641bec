#include "managers/ToolsMemory.h"

#include "managers/ChoreoListFile.h"
#include "managers/ListFile.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "store/AppGlobals.h"
#include "store/SendCommand.h"

// The direction of the next sort (1 descending); set to 1 whenever the page opens.
unsigned char g_memorySortDescending = 1;

namespace {
constexpr int kList = 1009;
constexpr int kCount = 1068;
constexpr int kEdit = 1189;
constexpr int kDelete = 1183;
constexpr int kCheckers = 1184;
constexpr int kSave = 1200;
} // namespace

BEGIN_MESSAGE_MAP(CToolsMemory, CManagerPage)
    ON_BN_CLICKED(kEdit, OnEdit)
    ON_BN_CLICKED(kDelete, OnDelete)
    ON_BN_CLICKED(kCheckers, OnCheckers)
    ON_BN_CLICKED(kSave, OnSave)
    ON_NOTIFY(NM_DBLCLK, kList, OnListDoubleClick)
END_MESSAGE_MAP()

CToolsMemory::CToolsMemory(CWnd* parent) : CManagerPage(IDD, CMD_MEMORY_CLOSED, parent) {}

void CToolsMemory::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Text(dx, kCount, m_count);
}

BOOL CToolsMemory::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    managers::CreateTips(m_tips, this);
    m_tips.AddTool(GetDlgItem(kDelete), "Delete a row in the listbox");
    m_tips.AddTool(GetDlgItem(kEdit), "Edit the file from the selected row");
    m_tips.AddTool(GetDlgItem(kCheckers), "Open the externa Checkers program");
    m_tips.AddTool(GetDlgItem(kSave), "Save to a choreography file");
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_count = 0;
    g_memorySortDescending = 1;
    AddList(m_list);
    managers::StyleList(m_list);
    m_list.InsertColumn(0, "Path", LVCFMT_LEFT, 340);
    ApplyListFont(1);
    ReloadList();
    if (!m_rows.empty()) {
        // Descending, then ascending: the page opens in ascending order and the
        // next header click sorts descending.
        SortRows(0);
        SortRows(0);
    }
    CRect client;
    GetClientRect(client);
    LayoutControls(client.Width(), client.Height());
    StartFocusTimer(500);
    UpdateData(FALSE);
    return TRUE;
}

void CToolsMemory::ReloadList()
{
    m_rows.clear();
    m_count = 0;
    m_list.SetItemCount(0);
    CppSQLite3Table t = m_db.GetMemory(1);
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetRow(r);
        CMemArray row;
        row.SetCol(0, m_fn.UnescapeSql(t.FieldTextOr(0, "")));
        m_rows.push_back(row);
    }
    m_count = int(m_rows.size());
    m_list.SetItemCount(m_count);
    m_list.Invalidate();
    UpdateData(FALSE);
}

void CToolsMemory::SortRows(int column)
{
    if (column != 0)
        return;
    managers::WaitCursor wait(*this);
    managers::SortRows(m_rows, {0}, g_memorySortDescending != 0);
    g_memorySortDescending = !g_memorySortDescending;
    m_list.Invalidate();
}

std::vector<std::string> CToolsMemory::Paths() const
{
    std::vector<std::string> paths;
    for (const CMemArray& r : m_rows)
        paths.push_back(r.GetCol(0));
    return paths;
}

void CToolsMemory::SupplyCell(HWND, ListCellData& cell)
{
    if (cell.GetItem() >= 0 && cell.GetItem() < int(m_rows.size()))
        cell.text = m_rows[size_t(cell.GetItem())].GetCol(0);
}

void CToolsMemory::HeaderClicked(CListCtrl*, int column)
{
    if (!m_rows.empty())
        SortRows(column);
}

void CToolsMemory::AfterFailure()
{
    m_count = int(m_rows.size());
    m_list.SetItemCount(m_count);
}

std::string CToolsMemory::MarkedPath() const
{
    const int mark = managers::SelectionMark(m_list, int(m_rows.size()));
    return mark < 0 ? std::string() : m_rows[size_t(mark)].GetCol(0);
}

void CToolsMemory::OnEdit()
{
    UpdateData(TRUE);
    g_htmlPath = MarkedPath();
    SendCommand(CMD_EDIT_HTML);
}

void CToolsMemory::OnListDoubleClick(NMHDR*, LRESULT* result)
{
    OnEdit();
    *result = 0;
}

void CToolsMemory::OnDelete()
{
    const std::string path = MarkedPath();
    g_memorySortDescending = !g_memorySortDescending;
    Guarded("Deleting the remembered file", [&] {
        m_db.DeleteMemory(path, 1);
        ReloadList();
    });
    // The list keeps the order it had.
    if (!m_rows.empty())
        SortRows(0);
    UpdateData(FALSE);
}

void CToolsMemory::OnCheckers()
{
    std::string checker;
    if (Guarded("Reading the checker program's path", [&] { checker = m_db.GetSetting("general - checkerpath", 1); }))
        m_fn.OpenInFolder(checker);
}

void CToolsMemory::OnSave()
{
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, choreolist::kDefaultExt, "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, choreolist::kFilter,
                       this);
    if (dialog.DoModal() == IDOK) {
        managers::WaitCursor wait(*this);
        if (!choreolist::Write(dialog.GetPathName(), Paths()))
            listfile::ReportCannotCreate();
    }
    UpdateData(FALSE);
}

void CToolsMemory::LayoutControls(int w, int h)
{
    if (!m_list.m_hWnd)
        return;
    if (g_largeLayout) {
        m_list.MoveWindow(10, 80, w - 20, h - 90);
        GetDlgItem(kEdit)->MoveWindow(70, 13, 110, 54);
        GetDlgItem(kDelete)->MoveWindow(190, 13, 110, 54);
        GetDlgItem(kCheckers)->MoveWindow(310, 13, 110, 54);
    } else {
        m_list.MoveWindow(10, 70, w - 20, h - 80);
    }
    m_list.SetColumnWidth(0, w - 42);
    UpdateData(FALSE);
}
