#include "managers/ToolsChoreo.h"

#include "controls/FolderPicker.h"
#include "managers/ChoreoListFile.h"
#include "managers/ChoreoSearch.h"
#include "managers/ListFile.h"
#include "managers/ListSelection.h"
#include "managers/PlaylistRows.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/Input.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "texts/DialogImportChooser.h"
#include "texts/SelectLevel.h"

#include <span>

// Sort state of the page: each list's next direction (0 ascending) and the sort in progress.
unsigned char g_choreoLeftDescending = 0;
unsigned char g_choreoRightDescending = 0;
int g_choreoSortColumn = 0;
unsigned char g_choreoSortDescending = 0;

namespace {
constexpr int kLeftGroup = 1091, kSource = 1209, kLeft = 1009, kReload = 1197, kDatabase = 1272, kView = 1206;
constexpr int kDir = 1195, kLeftCount = 1061, kSearch = 1067, kFindFile = 1207, kFindCall = 1198, kAdd = 1089;
constexpr int kRelative = 1208, kChoreo = 1094, kCheckers = 1090, kRightGroup = 1092, kRightPath = 1204;
constexpr int kRight = 1011, kDelete = 1201, kReloadList = 1202, kUp = 1203, kList = 1199, kSave = 1200;
constexpr int kDown = 1093, kRightCount = 1062;
} // namespace

BEGIN_MESSAGE_MAP(CToolsChoreo, CTwoListPage)
    ON_BN_CLICKED(kDir, OnDir)
    ON_BN_CLICKED(kDatabase, OnDatabase)
    ON_BN_CLICKED(kReload, OnReload)
    ON_BN_CLICKED(kView, OnView)
    ON_BN_CLICKED(kRelative, OnRelative)
    ON_BN_CLICKED(kList, OnOpenList)
    ON_BN_CLICKED(kReloadList, OnReloadList)
    ON_BN_CLICKED(kSave, OnSave)
    ON_BN_CLICKED(kDelete, OnDelete)
    ON_BN_CLICKED(kUp, OnUp)
    ON_BN_CLICKED(kDown, OnDown)
    ON_BN_CLICKED(kAdd, OnAdd)
    ON_BN_CLICKED(kChoreo, OnChoreography)
    ON_BN_CLICKED(kCheckers, OnCheckers)
    ON_BN_CLICKED(kFindFile, OnFindFile)
    ON_BN_CLICKED(kFindCall, OnFindCall)
    ON_EN_KILLFOCUS(kSearch, OnSearchKillFocus)
    ON_NOTIFY(NM_DBLCLK, kLeft, OnLeftDoubleClick)
END_MESSAGE_MAP()

CToolsChoreo::CToolsChoreo(CWnd* parent) : CTwoListPage(IDD, CMD_CHOREO_MGR_CLOSED, parent) {}

void CToolsChoreo::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kLeft, m_left);
    DDX_Control(dx, kRight, m_right);
    DDX_Text(dx, kSource, m_sourceText);
    DDX_Text(dx, kRightPath, m_rightPath);
    DDX_Text(dx, kSearch, m_search);
    DDX_Check(dx, kRelative, m_relative);
    DDX_Text(dx, kLeftCount, m_leftCount);
    DDX_Text(dx, kRightCount, m_rightCount);
}

BOOL CToolsChoreo::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    AddList(m_left);
    AddList(m_right);
    for (CQuickList* l : {&m_left, &m_right}) {
        managers::StyleList(*l);
        l->InsertColumn(0, "Title", LVCFMT_LEFT, 280);
        l->InsertColumn(1, "Path", LVCFMT_LEFT, 0);
    }
    g_choreoLeftDescending = g_choreoRightDescending = 0;
    g_choreoSortColumn = 0;
    g_choreoSortDescending = 0;
    Guarded("Opening the choreography manager", [&] {
        m_db.BeginBatch();
        ApplyListFont(0);
        m_listPath = m_db.GetSetting("choreodlg - listpath", 0);
        m_relative = m_db.GetSetting("choreodlg - relative", 0) == "true";
        m_sourcePath = m_db.GetSetting("choreodlg - dirpath", 0);
        LoadSource(m_sourcePath, 0);
        m_db.CommitBatch();
    });
    managers::CreateTips(m_tips, this);
    const std::pair<int, const char*> tips[] = {
        {kReload, "Reload the content of the listbox"},
        {kView, "View the selected file"},
        {kDatabase, "Open from the database to the listbox"},
        {kDir, "Open a folder in the listbox"},
        {kFindCall, "Search for a call in the listbox files"},
        {kFindFile, "Search for filename in the listbox"},
        {kReloadList, "Reload the content of the listbox"},
        {kList, "Open a playlist in the listbox"},
        {kDelete, "Delete a row in the listbox"},
        {kSave, "Save the playlist"},
        {kUp, "Move the row up one position"},
        {kDown, "Move the row down one position"},
        {kAdd, "Add the row(s) from the left listbox to the right listbox"},
        {kChoreo, "Display the add choreography window"},
        {kCheckers, "Open the externa Checkers program"},
    };
    for (const auto& [id, text] : tips)
        m_tips.AddTool(GetDlgItem(id), text);
    m_tips.AddTool(GetDlgItem(kSource), m_sourceText);
    m_tips.AddTool(GetDlgItem(kRightPath), m_rightPath);
    CRect client;
    GetClientRect(client);
    LayoutControls(client.Width(), client.Height());
    UpdateData(FALSE);
    StartFocusTimer(500);
    return TRUE;
}

BOOL CToolsChoreo::PreTranslateMessage(MSG* msg)
{
    // Enter never presses a button here.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        if (g_tooltipsOn && m_tips.m_hWnd)
            m_tips.RelayEvent(msg);
        return FALSE;
    }
    return CTwoListPage::PreTranslateMessage(msg);
}

void CToolsChoreo::ShowLeft()
{
    m_leftCount = int(m_leftRows.size());
    m_left.SetItemCount(m_leftCount);
    m_left.Invalidate();
}

void CToolsChoreo::ShowRight()
{
    m_rightCount = int(m_rightRows.size());
    m_right.SetItemCount(m_rightCount);
    m_right.Invalidate();
}

void CToolsChoreo::AfterFailure()
{
    ShowLeft();
    ShowRight();
    UpdateData(FALSE);
}

void CToolsChoreo::LoadSource(const std::string& path, int own)
{
    m_leftRows.clear();
    m_entries.clear();
    ShowLeft();
    m_sourcePath = path;
    m_sourceText = path;
    if (!path.empty()) {
        if (CChoreoRef::IsReference(path)) {
            LoadDatabase(path);
            return;
        }
        // A folder that cannot be listed shows nothing and is not remembered.
        if (playlistrows::CanEnterFolder(path)) {
            std::vector<std::string> files;
            playlistrows::ScanFolder(path, false, files, false);
            for (const std::string& f : files) {
                m_entries.push_back(f);
                CMemArray row;
                row.SetCol(0, m_fn.FileTitleFromPath(f));
                row.SetCol(1, f);
                m_leftRows.push_back(row);
            }
            ShowLeft();
            m_db.SetSetting("choreodlg - dirpath", path, own);
            managers::ClearSelection(m_left);
        }
    }
    UpdateData(FALSE);
}

void CToolsChoreo::LoadDatabase(const std::string& reference)
{
    m_leftRows.clear();
    m_entries.clear();
    const CChoreoRef ref(reference);
    std::string level = reference;
    if (ref.IsReference())
        level = reference.substr(13);
    // A reference may carry more than its level.
    level = level.substr(0, level.find('['));
    std::string shown = level;
    for (char& c : shown)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    m_sourceText = "Database: " + shown;
    CChoreoDb choreo;
    CppSQLite3Table t = choreo.Search(ref.GetEncoded(), 1);
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetRow(r);
        const std::string stored = t.FieldTextOr(0, "");
        const CChoreoRef entry(level, m_fn.UnescapeSql(stored), m_fn.UnescapeSql(t.FieldTextOr(1, "")), "");
        CMemArray row;
        row.SetCol(0, m_fn.UnescapeSql(stored));
        row.SetCol(1, entry.GetEncoded());
        m_leftRows.push_back(row);
        m_entries.push_back(entry.GetEncoded());
    }
    ShowLeft();
    if (!m_leftRows.empty())
        SortLeft(0);
    UpdateData(FALSE);
}

void CToolsChoreo::LoadList(const std::string& path, int own)
{
    m_rightRows = choreolist::Read(path);
    m_rightPath = path;
    m_listPath = path;
    ShowRight();
    m_db.SetSetting("choreodlg - listpath", path, own);
    managers::ClearSelection(m_right);
    UpdateData(FALSE);
}

void CToolsChoreo::SortLeft(int column)
{
    g_choreoSortColumn = column;
    g_choreoSortDescending = g_choreoLeftDescending;
    g_choreoLeftDescending = !g_choreoLeftDescending;
    managers::WaitCursor wait(*this);
    managers::SortRows(m_leftRows, managers::ClickedFirstKeys(column), g_choreoSortDescending != 0);
    m_left.Invalidate();
}

void CToolsChoreo::SortRight(int column)
{
    g_choreoSortColumn = column;
    g_choreoSortDescending = g_choreoRightDescending;
    g_choreoRightDescending = !g_choreoRightDescending;
    managers::WaitCursor wait(*this);
    managers::SortRows(m_rightRows, managers::ClickedFirstKeys(column), g_choreoSortDescending != 0);
    m_right.Invalidate();
}



void CToolsChoreo::SupplyCell(HWND list, ListCellData& cell)
{
    const std::vector<CMemArray>& rows = list == m_left.m_hWnd ? m_leftRows : m_rightRows;
    if (cell.GetItem() >= 0 && cell.GetItem() < int(rows.size()))
        cell.text = rows[size_t(cell.GetItem())].GetCol(cell.GetSubItem() == 0 ? 0 : 1);
}

void CToolsChoreo::RenewTip(int field, const std::string& text)
{
    m_tips.RemoveTool(GetDlgItem(field));
    m_tips.AddTool(GetDlgItem(field), text);
}

void CToolsChoreo::OnDir()
{
    CFolderPicker picker;
    const std::string folder = picker.BrowseEx(this, "Select a folder:", 0, m_sourcePath, BIF_NEWDIALOGSTYLE);
    if (!folder.empty()) {
        managers::WaitCursor wait(*this);
        g_choreoLeftDescending = 0;
        Guarded("Reading the folder", [&] { LoadSource(folder, 1); });
        RenewTip(kSource, m_sourceText);
    }
    UpdateData(FALSE);
}

void CToolsChoreo::OnDatabase()
{
    CSelectLevel picker(this);
    if (picker.DoModal() == IDOK && !picker.GetLevelCode().empty()) {
        g_choreoLeftDescending = 0;
        const std::string reference = std::string(CChoreoRef::kTableTag) + picker.GetLevelCode();
        Guarded("Reading the level table", [&] {
            LoadDatabase(reference);
            m_sourcePath = reference;
            m_db.SetSetting("choreodlg - dirpath", reference, 1);
        });
        RenewTip(kSource, m_sourceText);
    }
    UpdateData(FALSE);
}

void CToolsChoreo::OnReload()
{
    managers::WaitCursor wait(*this);
    Guarded("Reloading the source", [&] { LoadSource(m_sourcePath, 1); });
}

void CToolsChoreo::OnView()
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_left, int(m_leftRows.size()));
    if (mark < 0)
        return;
    g_htmlPath = m_leftRows[size_t(mark)].GetCol(1);
    SendCommand(CMD_SHOW_HTML_PLAIN);
}

void CToolsChoreo::OnRelative()
{
    m_relative = !m_relative;
    Guarded("Storing the relative path option",
            [&] { m_db.SetSetting("choreodlg - relative", m_fn.BoolToString(m_relative != 0), 1); });
    UpdateData(FALSE);
}

void CToolsChoreo::OnOpenList()
{
    CFileDialog dialog(TRUE, choreolist::kDefaultExt, m_rightPath.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       choreolist::kFilter, this);
    if (dialog.DoModal() == IDOK) {
        managers::WaitCursor wait(*this);
        g_choreoRightDescending = 0;
        Guarded("Reading the choreography list", [&] { LoadList(dialog.GetPathName(), 1); });
        RenewTip(kRightPath, m_rightPath);
    }
    UpdateData(FALSE);
}

void CToolsChoreo::OnReloadList()
{
    managers::WaitCursor wait(*this);
    Guarded("Reading the choreography list", [&] { LoadList(m_rightPath, 1); });
}

void CToolsChoreo::OnSave()
{
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, choreolist::kDefaultExt, m_listPath.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       choreolist::kFilter, this);
    if (dialog.DoModal() == IDOK) {
        m_rightPath = m_listPath = dialog.GetPathName();
        Guarded("Storing the list's path", [&] { m_db.SetSetting("choreodlg - listpath", m_listPath, 1); });
        managers::WaitCursor wait(*this);
        std::vector<std::string> entries;
        for (const CMemArray& row : m_rightRows)
            entries.push_back(row.GetCol(1));
        if (!choreolist::Write(m_listPath, entries))
            listfile::ReportCannotCreate();
        RenewTip(kRightPath, m_rightPath);
    }
    UpdateData(FALSE);
}

void CToolsChoreo::OnDelete()
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_right, int(m_rightRows.size()));
    if (mark >= 0) {
        m_rightRows.erase(m_rightRows.begin() + mark);
        ShowRight();
        m_right.SetSelectionMark(mark);
    }
    UpdateData(FALSE);
}

void CToolsChoreo::MoveMarked(int step)
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_right, int(m_rightRows.size()));
    const int other = mark + step;
    if (mark >= 0 && other >= 0 && other < int(m_rightRows.size())) {
        std::swap(m_rightRows[size_t(mark)], m_rightRows[size_t(other)]);
        m_right.Invalidate();
        m_right.SetSelectionMark(other);
    }
    m_right.SetFocus();
    UpdateData(FALSE);
}

void CToolsChoreo::OnUp() { MoveMarked(-1); }
void CToolsChoreo::OnDown() { MoveMarked(1); }

void CToolsChoreo::OnAdd()
{
    const std::vector<int> selected = managers::SelectedRows(m_left, int(m_leftRows.size()));
    if (selected.empty())
        return;
    managers::WaitCursor wait(*this);
    const std::string prefix = g_baseFolder + "/";
    int at = managers::SelectionMark(m_right, int(m_rightRows.size()));
    if (at < 0)
        at = int(m_rightRows.size());
    for (int i : selected) {
        std::string entry = m_leftRows[size_t(i)].GetCol(1);
        if (m_relative && entry.compare(0, prefix.size(), prefix) == 0)
            entry.erase(0, prefix.size());
        CMemArray row;
        row.SetCol(0, m_leftRows[size_t(i)].GetCol(0));
        row.SetCol(1, entry);
        m_rightRows.insert(m_rightRows.begin() + at++, row);
    }
    ShowRight();
    UpdateData(FALSE);
}

void CToolsChoreo::OnLeftDoubleClick(NMHDR*, LRESULT* result)
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_left, int(m_leftRows.size()));
    if (mark >= 0) {
        CMemArray row;
        row.SetCol(0, m_leftRows[size_t(mark)].GetCol(0));
        row.SetCol(1, m_leftRows[size_t(mark)].GetCol(1));
        playlistrows::InsertRows(m_rightRows, managers::SelectionMark(m_right, int(m_rightRows.size())), {row});
        ShowRight();
    }
    UpdateData(FALSE);
    *result = 0;
}

void CToolsChoreo::DropRows(CListCtrl* source, CListCtrl* target, int dropIndex, int draggedItem)
{
    if (target && dropIndex >= 0)
        target->SetItemState(dropIndex, 0, LVIS_DROPHILITED);
    const auto copyOf = [&](int i) {
        CMemArray row;
        row.SetCol(0, m_leftRows[size_t(i)].GetCol(0));
        row.SetCol(1, m_leftRows[size_t(i)].GetCol(1));
        return row;
    };
    if (target == &m_right && source == &m_left) {
        std::vector<int> rows = managers::SelectedRows(m_left, int(m_leftRows.size()));
        if (rows.size() <= 1)
            rows = {draggedItem};
        std::vector<CMemArray> added;
        for (int i : rows)
            if (i >= 0 && i < int(m_leftRows.size()))
                added.push_back(copyOf(i));
        playlistrows::InsertRows(m_rightRows, dropIndex, added);
        ShowRight();
    } else if (target == &m_right && source == &m_right && draggedItem >= 0 &&
               draggedItem < int(m_rightRows.size())) {
        playlistrows::MoveBlock(m_rightRows, {draggedItem}, dropIndex);
        ShowRight();
    }
    UpdateData(FALSE);
}





void CToolsChoreo::OnChoreography()
{
    g_htmlPath.clear();
    SendCommand(CMD_EDIT_HTML);
}

void CToolsChoreo::OnCheckers()
{
    std::string checker;
    if (Guarded("Reading the checker program's path", [&] { checker = m_db.GetSetting("general - checkerpath", 1); }))
        m_fn.OpenInFolder(checker);
}

void CToolsChoreo::OnSearchKillFocus() { UpdateData(TRUE); }

void CToolsChoreo::ShowFiltered(const std::vector<std::string>& entries)
{
    m_leftRows.clear();
    for (const std::string& e : entries) {
        CMemArray row;
        row.SetCol(0, choreosearch::NameOf(e));
        row.SetCol(1, e);
        m_leftRows.push_back(row);
    }
    ShowLeft();
}

void CToolsChoreo::OnFindFile()
{
    UpdateData(TRUE);
    if (!m_search.empty()) {
        m_sourceText += ", Search For: " + m_search;
        managers::WaitCursor wait(*this);
        ShowFiltered(choreosearch::FindByName(m_entries, m_search));
    }
    UpdateData(FALSE);
}

bool CToolsChoreo::EntryContainsText(const std::string& upperText, const std::string& entry)
{
    CChoreoDb choreo;
    return choreosearch::EntryContainsText(upperText, entry, choreo);
}

void CToolsChoreo::OnFindCall()
{
    UpdateData(TRUE);
    const std::string keyword = choreosearch::kTypeKeyword;
    if (m_search.compare(0, keyword.size(), keyword) == 0) {
        SetListedEntryTypes();
    } else if (m_search == choreosearch::kImportKeyword) {
        Guarded("Importing the text files", [&] {
            CDialogImportChooser chooser(this);
            CChoreoDb().ImportTextFolder(chooser);
        });
    } else if (!m_search.empty()) {
        m_sourceText += ", Search For: " + m_search;
        managers::WaitCursor wait(*this);
        Guarded("Searching the choreographies", [&] {
            CChoreoDb choreo;
            ShowFiltered(choreosearch::FindByContent(m_entries, m_search, choreo));
        });
    }
    UpdateData(FALSE);
}

void CToolsChoreo::SetListedEntryTypes()
{
    std::string error;
    const auto request = choreosearch::ParseTypeRequest(m_search, error);
    if (!request) {
        AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Guarded("Setting the types", [&] {
        CChoreoDb choreo;
        for (const CMemArray& row : m_rightRows)
            choreo.SetEntryType(request->level, row.GetCol(0), request->type, request->append, 1);
    });
}

void CToolsChoreo::LayoutControls(int w, int h)
{
    if (!m_left.m_hWnd)
        return;
    const int m = w / 2;
    struct Place {
        int id, x, y, cx, cy;
    };
    const Place normal[] = {
        {kLeftGroup, 10, 10, m - 75, h - 20},     {kSource, 22, 28, m - 100, 21},        {kLeft, 22, 55, m - 100, h - 180},
        {kReload, m - 458, h - 116, 92, 42},      {kView, m - 362, h - 116, 92, 42},    {kDatabase, m - 266, h - 116, 92, 42},
        {kDir, m - 170, h - 116, 92, 42},         {kFindFile, m - 266, h - 68, 92, 42}, {kFindCall, m - 170, h - 68, 92, 42},
        {kLeftCount, 22, h - 58, 35, 20},         {kSearch, 62, h - 58, m - 335, 21},   {kAdd, m - 55, 150, 110, 42},
        {kRelative, m - 44, 210, 90, 20},         {kCheckers, m - 55, h - 116, 110, 42}, {kChoreo, m - 55, h - 68, 110, 42},
        {kRightGroup, m + 64, 10, m - 75, h - 20}, {kRightPath, m + 78, 28, m - 100, 21}, {kRight, m + 78, 55, m - 100, h - 180},
        {kDelete, m + 78, h - 116, 92, 42},       {kReloadList, m + 174, h - 116, 92, 42}, {kUp, m + 270, h - 116, 92, 42},
        {kList, m + 78, h - 68, 92, 42},          {kSave, m + 174, h - 68, 92, 42},     {kDown, m + 270, h - 68, 92, 42},
        {kRightCount, w - 56, h - 116, 35, 20},
    };
    const Place large[] = {
        {kLeftGroup, 10, 10, m - 75, h - 20},     {kSource, 22, 28, m - 100, 22},        {kLeft, 22, 55, m - 100, h - 200},
        {kReload, m - 531, h - 134, 110, 54},     {kView, m - 416, h - 134, 110, 54},   {kDatabase, m - 301, h - 134, 110, 54},
        {kDir, m - 186, h - 134, 110, 54},        {kFindFile, m - 301, h - 72, 110, 54}, {kFindCall, m - 186, h - 72, 110, 54},
        {kLeftCount, 22, h - 58, 40, 22},         {kSearch, 74, h - 58, m - 384, 24},   {kAdd, m - 55, 150, 110, 54},
        {kRelative, m - 44, 210, 90, 20},         {kCheckers, m - 55, h - 134, 110, 54}, {kChoreo, m - 55, h - 72, 110, 54},
        {kRightGroup, m + 64, 10, m - 75, h - 22}, {kRightPath, m + 78, 28, m - 100, 22}, {kRight, m + 78, 55, m - 100, h - 200},
        {kDelete, m + 78, h - 134, 110, 54},      {kReloadList, m + 193, h - 134, 110, 54}, {kUp, m + 308, h - 134, 110, 54},
        {kList, m + 78, h - 72, 110, 54},         {kSave, m + 193, h - 72, 110, 54},    {kDown, m + 308, h - 72, 110, 54},
        {kRightCount, w - 62, h - 134, 40, 22},
    };
    for (const Place& p : g_largeLayout ? std::span<const Place>(large) : std::span<const Place>(normal))
        GetDlgItem(p.id)->MoveWindow(p.x, p.y, p.cx, p.cy);
    const int titleWidth = g_largeLayout ? m - 132 : m - 122;
    m_left.SetColumnWidth(0, titleWidth);
    m_right.SetColumnWidth(0, titleWidth);
    if (g_largeLayout)
        GetDlgItem(kChoreo)->SetWindowText("Choreo");
    UpdateData(FALSE);
    Invalidate();
}
