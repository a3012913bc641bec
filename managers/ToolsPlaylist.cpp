#include "managers/ToolsPlaylist.h"

#include "controls/FolderPicker.h"
#include "managers/ListFile.h"
#include "managers/ListSelection.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"
#include "store/ShellFileOp.h"

#include <span>

// Sort state of the page. The direction flags are only ever set to 0, so every
// sort here is ascending.
unsigned char g_playlistLeftDescending = 0;
unsigned char g_playlistRightDescending = 0;
int g_playlistSortColumn = 0;
unsigned char g_playlistSortDescending = 0;

namespace {
constexpr int kDir = 1195, kList = 1196, kReload = 1197, kSearchButton = 1198, kSearch = 1067, kPlayLeft = 1237;
constexpr int kAdd = 1089, kTrackInfo = 1177, kDelete = 1201, kReset = 1202, kUp = 1203, kDown = 1093;
constexpr int kOpenRight = 1199, kSave = 1200, kToDir = 1094, kPlayRight = 1238;
constexpr int kLeftPath = 1205, kRightPath = 1204, kLeftCount = 1061, kRightCount = 1062;
constexpr int kLeftGroup = 1091, kRightGroup = 1092, kLeft = 1009, kRight = 1011;
constexpr UINT kPlayIcon = 412, kPauseIcon = 411;
constexpr const char* kPlaylistFilter = "Playlist files (*.M3u)|*.M3u|All Files (*.*)|*.*||";
} // namespace

BEGIN_MESSAGE_MAP(CToolsPlaylist, CTwoListPage)
    ON_BN_CLICKED(kDir, OnOpenFolder)
    ON_BN_CLICKED(kList, OnOpenList)
    ON_BN_CLICKED(kReload, OnReload)
    ON_BN_CLICKED(kSearchButton, OnSearch)
    ON_EN_KILLFOCUS(kSearch, OnSearchKillFocus)
    ON_BN_CLICKED(kPlayLeft, OnPlayLeft)
    ON_BN_CLICKED(kPlayRight, OnPlayRight)
    ON_BN_CLICKED(kAdd, OnAddRows)
    ON_BN_CLICKED(kTrackInfo, OnTrackInfo)
    ON_BN_CLICKED(kDelete, OnDeleteRow)
    ON_BN_CLICKED(kReset, OnReset)
    ON_BN_CLICKED(kUp, OnMoveUp)
    ON_BN_CLICKED(kDown, OnMoveDown)
    ON_BN_CLICKED(kOpenRight, OnOpenPlaylist)
    ON_BN_CLICKED(kSave, OnSave)
    ON_BN_CLICKED(kToDir, OnCopyToFolder)
    ON_NOTIFY(NM_DBLCLK, kLeft, OnLeftDoubleClick)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

CToolsPlaylist::CToolsPlaylist(CWnd* parent) : CTwoListPage(IDD, CMD_PLAYLIST_MGR_CLOSED, parent) {}

void CToolsPlaylist::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kLeft, m_left);
    DDX_Control(dx, kRight, m_right);
    DDX_Control(dx, kPlayLeft, m_playLeft);
    DDX_Control(dx, kPlayRight, m_playRight);
    DDX_Text(dx, kLeftPath, m_leftPath);
    DDX_Text(dx, kRightPath, m_rightPath);
    DDX_Text(dx, kSearch, m_search);
    DDX_Text(dx, kLeftCount, m_leftCount);
    DDX_Text(dx, kRightCount, m_rightCount);
    DDX_Check(dx, kTrackInfo, m_trackInfo);
}

BOOL CToolsPlaylist::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    AddList(m_left);
    AddList(m_right);
    for (CButtonST* play : {&m_playLeft, &m_playRight})
        play->SetIcon(kPlayIcon);
    Guarded("Opening the playlist manager", [&] {
        m_db.BeginBatch();
        m_namingMode = m_db.GetSettingInt("music - colnameglobal", 0);
        m_sortColumn = m_db.GetSettingInt("music - colsortglobal", 0);
        m_folderPath = m_db.GetSetting("playlistdlg - dirpath", 0);
        m_leftPlaylistPath = m_db.GetSetting("playlistdlg - listpath", 0);
        m_savedPlaylistPath = m_db.GetSetting("playlistdlg - playlistpath", 0);
        m_startWithFolder = m_db.GetSettingBool("playlistdlg - startdir", 0);
        m_subfolders = m_db.GetSettingBool("music - subdir", 0);
        m_trackInfo = m_db.GetSettingBool("music - playlisttrack", 0) ? 1 : 0;
        m_lengthOn = m_db.GetSettingBool("music - lengthactive", 0);
        m_useDefaultFolder = m_db.GetSettingInt("music - usedefaultmusicfolder", 0);
        m_defaultFolder = m_db.GetSetting("music - pathdefaultmusicfolder", 0);
        m_heading1 = managers::Heading(m_db, "music - col1nameglobal", "Label");
        m_heading2 = managers::Heading(m_db, "music - col2nameglobal", "Title");
        managers::StyleList(m_left);
        managers::StyleList(m_right);
        g_playlistLeftDescending = g_playlistRightDescending = 0;
        g_playlistSortColumn = 0;
        g_playlistSortDescending = 0;
        InsertColumns();
        ApplyListFont(0);
        if (m_startWithFolder)
            LoadFolder(m_folderPath, 0, kLeftList);
        else
            LoadPlaylistFile(m_leftPlaylistPath, 0, kLeftList);
        m_db.CommitBatch();
    });
    managers::CreateTips(m_tips, this);
    const std::pair<int, const char*> tips[] = {
        {kReload, "Reload the content of the listbox"},
        {kReset, "Reset the content of the listbox"},
        {kList, "Open a playlist in the listbox"},
        {kOpenRight, "Open a playlist in the listbox"},
        {kDir, "Open a folder in the listbox"},
        {kSearchButton, "Search for a label/title in the listbox"},
        {kDelete, "Delete a row in the listbox"},
        {kSave, "Save the playlist"},
        {kUp, "Move the row up one position"},
        {kDown, "Move the row down one position"},
        {kToDir, "Copy all the music to another folder"},
        {kAdd, "Add the row(s) from the left listbox to the right listbox"},
    };
    for (const auto& [id, text] : tips)
        m_tips.AddTool(GetDlgItem(id), text);
    m_tips.AddTool(GetDlgItem(kLeftPath), m_leftPath);
    m_tips.AddTool(GetDlgItem(kRightPath), m_rightPath);
    CRect client;
    GetClientRect(client);
    LayoutControls(client.Width(), client.Height());
    StartFocusTimer(500);
    UpdateData(FALSE);
    return TRUE;
}

void CToolsPlaylist::InsertColumns()
{
    const bool t = m_trackInfo != 0;
    const int less = m_lengthOn ? 48 : 0;
    for (CQuickList* list : {&m_left, &m_right}) {
        switch (m_namingMode) {
        case 2:
            list->InsertColumn(0, "", LVCFMT_LEFT, 0);
            list->InsertColumn(1, m_heading2, LVCFMT_LEFT, (t ? 240 : 280) - less);
            break;
        case 1:
            list->InsertColumn(0, m_heading2, LVCFMT_LEFT, (t ? 160 : 200) - less);
            list->InsertColumn(1, m_heading1, LVCFMT_LEFT, 80);
            break;
        default:
            list->InsertColumn(0, m_heading1, LVCFMT_LEFT, 80);
            list->InsertColumn(1, m_heading2, LVCFMT_LEFT, (t ? 160 : 200) - less);
            break;
        }
        list->InsertColumn(2, "Path", LVCFMT_LEFT, 0);
        list->InsertColumn(3, "Track", LVCFMT_LEFT, t ? 40 : 0);
        list->InsertColumn(4, "Length", LVCFMT_LEFT, m_lengthOn ? 48 : 0);
    }
}

playlistrows::RowOptions CToolsPlaylist::Options() const
{
    return playlistrows::RowOptions{m_namingMode, m_trackInfo != 0, m_lengthOn};
}

CMemArray CToolsPlaylist::MakeRow(const std::string& path, int own)
{
    return playlistrows::MakeRow(path, Options(), m_db, own);
}

void CToolsPlaylist::ShowRows(int list)
{
    const int count = int(RowsOf(list).size());
    (list == kLeftList ? m_leftCount : m_rightCount) = count;
    ListOf(list).SetItemCount(count);
    ListOf(list).Invalidate();
}

void CToolsPlaylist::AfterFailure()
{
    ShowRows(kLeftList);
    ShowRows(kRightList);
    UpdateData(FALSE);
}

void CToolsPlaylist::ClearSelection(int list) { managers::ClearSelection(ListOf(list)); }

void CToolsPlaylist::LoadPlaylistFile(const std::string& path, int own, int target)
{
    RowsOf(target).clear();
    if (target == kLeftList) {
        m_source.clear();
        m_leftPath = m_leftPlaylistPath = path;
        m_startWithFolder = false;
    } else {
        m_rightPath = path;
    }
    ShowRows(target);
    for (const std::string& line : playlistrows::ReadPlaylist(path)) {
        if (target == kLeftList)
            m_source.push_back(line);
        RowsOf(target).push_back(MakeRow(line, own));
    }
    ShowRows(target);
    if (target == kLeftList) {
        m_db.SetSetting("playlistdlg - listpath", path, own);
        m_db.SetSetting("playlistdlg - startdir", "false", own);
    } else {
        m_db.SetSetting("playlistdlg - playlistpath", path, own);
    }
    ClearSelection(target);
    UpdateData(FALSE);
}

void CToolsPlaylist::LoadFolder(const std::string& path, int own, int)
{
    m_leftRows.clear();
    m_source.clear();
    ShowRows(kLeftList);
    m_leftPath = m_folderPath = path;
    m_startWithFolder = true;
    if (playlistrows::CanEnterFolder(path)) {
        ScanFolder(path, kLeftList, own);
        ShowRows(kLeftList);
        if (!m_leftRows.empty())
            SortLeft(m_sortColumn);
        m_db.SetSetting("playlistdlg - dirpath", path, own);
        m_db.SetSetting("playlistdlg - startdir", "true", own);
        ClearSelection(kLeftList);
    }
    UpdateData(FALSE);
}

void CToolsPlaylist::ScanFolder(const std::string& path, int target, int own)
{
    std::vector<std::string> files;
    playlistrows::ScanFolder(path, m_subfolders, files);
    for (const std::string& f : files) {
        if (target == kLeftList) {
            m_source.push_back(f);
            m_leftRows.push_back(MakeRow(f, own));
        } else {
            m_rightRows.push_back(MakeRow(f, own));
        }
    }
}

void CToolsPlaylist::AddFileRow(int target, const std::string& path)
{
    if (target == kLeftList) {
        m_leftRows.push_back(MakeRow(path, 0));
        return;
    }
    playlistrows::InsertRows(m_rightRows, managers::SelectionMark(m_right, int(m_rightRows.size())),
                             {MakeRow(path, 0)});
}

void CToolsPlaylist::AddDroppedPath(const std::string& path)
{
    Guarded("Adding the dropped files", [&] {
        m_db.BeginBatch();
        if (m_fn.IsAudioFile(path))
            AddFileRow(kRightList, path);
        else if (playlistrows::CanEnterFolder(path))
            ScanFolder(path, kRightList, 0);
        m_db.CommitBatch();
    });
    ShowRows(kRightList);
}

void CToolsPlaylist::OnDropFiles(HDROP drop)
{
    const UINT n = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        // The whole path, however long.
        std::string path(DragQueryFile(drop, i, nullptr, 0) + 1, '\0');
        DragQueryFile(drop, i, path.data(), UINT(path.size()));
        path.resize(path.size() - 1);
        AddDroppedPath(path);
    }
    UpdateData(FALSE);
    DragFinish(drop);
}

void CToolsPlaylist::SortLeft(int column)
{
    g_playlistSortColumn = column;
    g_playlistSortDescending = g_playlistLeftDescending;
    managers::WaitCursor wait(*this);
    playlistrows::SortRows(m_leftRows, column, g_playlistSortDescending != 0);
    m_left.Invalidate();
}

void CToolsPlaylist::SortRight(int column)
{
    g_playlistSortColumn = column;
    g_playlistSortDescending = g_playlistRightDescending;
    managers::WaitCursor wait(*this);
    playlistrows::SortRows(m_rightRows, column, g_playlistSortDescending != 0);
    m_right.Invalidate();
}



void CToolsPlaylist::SupplyCell(HWND list, ListCellData& cell)
{
    const std::vector<CMemArray>& rows = list == m_left.m_hWnd ? m_leftRows : m_rightRows;
    if (cell.GetItem() >= 0 && cell.GetItem() < int(rows.size()))
        cell.text = rows[size_t(cell.GetItem())].GetCol(std::min(cell.GetSubItem(), 4));
}

void CToolsPlaylist::RenewTip(int field, const std::string& text)
{
    m_tips.RemoveTool(GetDlgItem(field));
    m_tips.AddTool(GetDlgItem(field), text);
}

void CToolsPlaylist::OnOpenFolder()
{
    CFolderPicker picker;
    const std::string folder =
        picker.BrowseEx(this, "Select a folder:", 0, m_useDefaultFolder ? m_defaultFolder : m_folderPath, 64);
    if (!folder.empty()) {
        managers::WaitCursor wait(*this);
        g_playlistLeftDescending = 0;
        Guarded("Reading the folder", [&] {
            m_db.BeginBatch();
            LoadFolder(folder, 0, kLeftList);
            m_db.CommitBatch();
        });
        RenewTip(kLeftPath, m_leftPath);
        m_left.SetSelectionMark(-1);
    }
    m_useDefaultFolder = 0;
    UpdateData(FALSE);
}

void CToolsPlaylist::OnOpenList()
{
    CFileDialog dialog(TRUE, ".M3u", m_leftPlaylistPath.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kPlaylistFilter, this);
    if (dialog.DoModal() == IDOK) {
        managers::WaitCursor wait(*this);
        g_playlistLeftDescending = 0;
        Guarded("Reading the playlist", [&] {
            m_db.BeginBatch();
            LoadPlaylistFile(dialog.GetPathName(), 0, kLeftList);
            m_db.CommitBatch();
        });
        RenewTip(kLeftPath, m_leftPath);
        m_left.SetSelectionMark(-1);
    }
    UpdateData(FALSE);
}

void CToolsPlaylist::OnReload()
{
    managers::WaitCursor wait(*this);
    const std::string path = m_leftPath;
    Guarded("Reloading the list", [&] {
        m_db.BeginBatch();
        if (m_startWithFolder)
            LoadFolder(path, 0, kLeftList);
        else
            LoadPlaylistFile(path, 0, kLeftList);
        m_db.CommitBatch();
    });
    UpdateData(FALSE);
}

void CToolsPlaylist::OnSearchKillFocus() { UpdateData(TRUE); }

void CToolsPlaylist::OnSearch()
{
    UpdateData(TRUE);
    if (m_search.empty())
        return;
    std::string wanted = m_search;
    for (char& c : wanted)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    m_leftRows.clear();
    for (const std::string& path : m_source) {
        std::string title = m_fn.FileTitleFromPath(path);
        for (char& c : title)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (title.find(wanted) == std::string::npos)
            continue;
        CMemArray row;
        std::string label, name;
        if (m_namingMode == 0 || m_namingMode == 1) {
            playlistrows::LabelAndTitle(path, m_namingMode, label, name);
        } else {
            name = m_fn.FileTitleFromPath(path);
        }
        row.SetCol(playlistrows::kLabel, label);
        row.SetCol(playlistrows::kTitle, name);
        row.SetCol(playlistrows::kPath, path);
        m_leftRows.push_back(row);
    }
    ShowRows(kLeftList);
    UpdateData(FALSE);
}

int CToolsPlaylist::InsertionPoint()
{
    const int mark = managers::SelectionMark(m_right, int(m_rightRows.size()));
    return mark < 0 ? int(m_rightRows.size()) : mark + 1;
}

void CToolsPlaylist::InsertCopies(const std::vector<int>& leftRows, int at)
{
    std::vector<CMemArray> copies;
    for (int i : leftRows) {
        if (i < 0 || i >= int(m_leftRows.size()))
            continue;
        CMemArray row;
        for (int c = 0; c <= playlistrows::kLength; ++c)
            row.SetCol(c, m_leftRows[size_t(i)].GetCol(c));
        copies.push_back(row);
    }
    playlistrows::InsertRows(m_rightRows, at, copies);
    ShowRows(kRightList);
}

void CToolsPlaylist::OnAddRows()
{
    const std::vector<int> selected = managers::SelectedRows(m_left, int(m_leftRows.size()));
    if (!selected.empty()) {
        managers::WaitCursor wait(*this);
        InsertCopies(selected, InsertionPoint());
    }
    UpdateData(FALSE);
}

void CToolsPlaylist::OnLeftDoubleClick(NMHDR*, LRESULT* result)
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_left, int(m_leftRows.size()));
    if (mark >= 0)
        InsertCopies({mark}, InsertionPoint());
    *result = 0;
}

void CToolsPlaylist::DropRows(CListCtrl* source, CListCtrl* target, int dropIndex, int draggedItem)
{
    if (target && dropIndex >= 0)
        target->SetItemState(dropIndex, 0, LVIS_DROPHILITED);
    if (target != &m_right)
        return;
    if (source == &m_left) {
        std::vector<int> rows = managers::SelectedRows(m_left, int(m_leftRows.size()));
        if (rows.size() <= 1)
            rows = {draggedItem};
        InsertCopies(rows, dropIndex < 0 ? -1 : dropIndex + 1);
    } else if (source == &m_right) {
        std::vector<int> rows = managers::SelectedRows(m_right, int(m_rightRows.size()));
        if (rows.size() <= 1)
            rows = {draggedItem};
        playlistrows::MoveBlock(m_rightRows, rows, dropIndex);
        ShowRows(kRightList);
    }
    UpdateData(FALSE);
}





void CToolsPlaylist::OnDeleteRow()
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_right, int(m_rightRows.size()));
    if (mark >= 0) {
        m_rightRows.erase(m_rightRows.begin() + mark);
        ShowRows(kRightList);
        m_right.SetSelectionMark(mark);
    }
    UpdateData(FALSE);
}

void CToolsPlaylist::OnReset()
{
    managers::WaitCursor wait(*this);
    m_rightRows.clear();
    m_rightPath.clear();
    ShowRows(kRightList);
    ClearSelection(kRightList);
    UpdateData(FALSE);
}

void CToolsPlaylist::Move(bool up)
{
    UpdateData(TRUE);
    const std::vector<int> selected = managers::SelectedRows(m_right, int(m_rightRows.size()));
    if (!selected.empty()) {
        managers::WaitCursor wait(*this);
        const std::vector<int> now =
            up ? playlistrows::MoveUp(m_rightRows, selected) : playlistrows::MoveDown(m_rightRows, selected);
        managers::SelectOnly(m_right, now);
        ShowRows(kRightList);
    }
    m_right.SetFocus();
    UpdateData(FALSE);
}

void CToolsPlaylist::OnMoveUp() { Move(true); }
void CToolsPlaylist::OnMoveDown() { Move(false); }

void CToolsPlaylist::OnOpenPlaylist()
{
    CFileDialog dialog(TRUE, ".M3u", m_savedPlaylistPath.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kPlaylistFilter, this);
    if (dialog.DoModal() == IDOK) {
        managers::WaitCursor wait(*this);
        g_playlistRightDescending = 0;
        Guarded("Reading the playlist", [&] {
            m_db.BeginBatch();
            LoadPlaylistFile(dialog.GetPathName(), 0, kRightList);
            m_db.CommitBatch();
        });
        RenewTip(kRightPath, m_rightPath);
        m_right.SetSelectionMark(-1);
    }
    UpdateData(FALSE);
}

void CToolsPlaylist::OnSave()
{
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, ".M3u", m_rightPath.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlaylistFilter,
                       this);
    if (dialog.DoModal() == IDOK) {
        m_rightPath = m_savedPlaylistPath = dialog.GetPathName();
        Guarded("Storing the playlist's path",
                [&] { m_db.SetSetting("playlistdlg - playlistpath", m_savedPlaylistPath, 1); });
        managers::WaitCursor wait(*this);
        std::vector<std::string> paths;
        for (const CMemArray& row : m_rightRows)
            paths.push_back(row.GetCol(playlistrows::kPath));
        if (!listfile::WriteLines(m_rightPath, paths))
            listfile::ReportCannotCreate();
        RenewTip(kRightPath, m_rightPath);
    }
    UpdateData(FALSE);
}

void CToolsPlaylist::OnCopyToFolder()
{
    CFolderPicker picker;
    const std::string folder = picker.Browse(m_savedPlaylistPath);
    if (folder.empty() || m_rightRows.empty())
        return;
    managers::WaitCursor wait(*this);
    CShellFileOp copy;
    copy.SetOwnerWindow(m_hWnd);
    copy.SetFlags(0x294);
    copy.AddFile(1, m_fn.AddBackslash(folder)); // always a folder, even one not made yet
    for (const CMemArray& row : m_rightRows)
        copy.AddFile(0, row.GetCol(playlistrows::kPath));
    if (copy.Copy() != 0)
        AfxMessageBox("Can't copy music to " + folder, MB_OK | MB_ICONEXCLAMATION);
    else
        AfxMessageBox("The music is copied to " + folder, MB_OK | MB_ICONINFORMATION);
}

void CToolsPlaylist::OnTrackInfo()
{
    m_trackInfo = !m_trackInfo;
    Guarded("Storing the Track DB Info option", [&] {
        m_db.SetSetting("music - playlisttrack", m_fn.BoolToString(m_trackInfo != 0), 1);
    });
    OnReload();
    // The playlist being built stays; its play counts follow the switch.
    Guarded("Counting the plays", [&] {
        m_db.BeginBatch();
        for (CMemArray& row : m_rightRows)
            row.SetCol(playlistrows::kTrack,
                       m_trackInfo ? m_db.CountTracksForFile(row.GetCol(playlistrows::kPath), 0) : std::string());
        m_db.CommitBatch();
    });
    ShowRows(kRightList);
    CRect client;
    GetClientRect(client);
    LayoutControls(client.Width(), client.Height());
    UpdateData(FALSE);
}

void CToolsPlaylist::SetPlayButton(int list, bool playing)
{
    CButtonST& button = list == kLeftList ? m_playLeft : m_playRight;
    button.SetWindowText(playing ? "Pause" : "Play");
    button.SetIcon(playing ? kPauseIcon : kPlayIcon);
}

void CToolsPlaylist::Play(int list)
{
    UpdateData(TRUE);
    const std::vector<CMemArray>& rows = RowsOf(list);
    const int mark = managers::SelectionMark(ListOf(list), int(rows.size()));
    const std::string path = mark < 0 ? std::string() : rows[size_t(mark)].GetCol(playlistrows::kPath);
    bool otherPaused = false;
    std::string error;
    const auto outcome =
        m_preview.Press(list == kLeftList ? 0 : 1, path, float(g_defaultVolume) / 100.0f, otherPaused, error);
    if (otherPaused) {
        SetPlayButton(list == kLeftList ? kRightList : kLeftList, false);
        Invalidate();
    }
    switch (outcome) {
    case CPlaylistPreview::Outcome::Paused: SetPlayButton(list, false); break;
    case CPlaylistPreview::Outcome::Started: SetPlayButton(list, true); break;
    case CPlaylistPreview::Outcome::Failed:
        SetPlayButton(list, false);
        ::MessageBox(m_hWnd, error, "Mirtal", MB_OK | MB_ICONERROR);
        break;
    case CPlaylistPreview::Outcome::Nothing: break;
    }
}

void CToolsPlaylist::OnPlayLeft() { Play(kLeftList); }
void CToolsPlaylist::OnPlayRight() { Play(kRightList); }

void CToolsPlaylist::ShowBassError(const std::string& text)
{
    ::MessageBox(m_hWnd, BassErrorText(text, BASS_ErrorGetCode()), "Mirtal", MB_OK | MB_ICONERROR);
}

void CToolsPlaylist::BeforeClose() { m_preview.FreeAll(); }

void CToolsPlaylist::LayoutControls(int w, int h)
{
    if (!m_left.m_hWnd)
        return;
    const int hw = w / 2;
    struct Place {
        int id, x, y, cx, cy;
    };
    const Place normal[] = {
        {kAdd, hw - 46, 150, 92, 42},          {kTrackInfo, hw - 46, 210, 92, 22},   {kLeftPath, 22, 28, hw - 130, 21},
        {kLeftCount, hw - 103, 28, 35, 21},    {kDir, hw - 158, h - 116, 92, 42},   {kList, hw - 254, h - 116, 92, 42},
        {kReload, hw - 350, h - 116, 92, 42},  {kSearchButton, hw - 254, h - 68, 92, 42}, {kPlayLeft, hw - 158, h - 68, 92, 42},
        {kSearch, hw - 444, h - 54, 186, 19},  {kLeftGroup, 10, 10, hw - 65, h - 20}, {kLeft, 22, 55, hw - 90, h - 180},
        {kRightPath, hw + 68, 28, hw - 130, 21}, {kRightCount, w - 58, 28, 35, 21}, {kDelete, hw + 68, h - 116, 92, 42},
        {kReset, hw + 164, h - 116, 92, 42},   {kUp, hw + 260, h - 116, 92, 42},    {kPlayRight, hw + 356, h - 116, 92, 42},
        {kOpenRight, hw + 68, h - 68, 92, 42}, {kSave, hw + 164, h - 68, 92, 42},   {kDown, hw + 260, h - 68, 92, 42},
        {kToDir, hw + 356, h - 68, 92, 42},    {kRightGroup, hw + 54, 10, hw - 65, h - 20}, {kRight, hw + 68, 55, hw - 90, h - 180},
    };
    // In the large layout the right Play sits above To Dir, like in the normal one.
    const Place large[] = {
        {kAdd, hw - 46, 150, 92, 54},          {kTrackInfo, hw - 48, 210, 100, 22},  {kLeftPath, 22, 28, hw - 90, 22},
        {kLeftCount, 22, h - 134, 40, 22},     {kDir, hw - 168, h - 134, 100, 54},  {kList, hw - 278, h - 134, 100, 54},
        {kReload, hw - 388, h - 134, 100, 54}, {kSearchButton, hw - 278, h - 72, 100, 54}, {kPlayLeft, hw - 168, h - 72, 100, 54},
        {kSearch, hw - 498, h - 58, 210, 24},  {kLeftGroup, 10, 10, hw - 65, h - 20}, {kLeft, 22, 55, hw - 90, h - 200},
        {kRightPath, hw + 68, 28, hw - 90, 22}, {kRightCount, w - 62, h - 134, 40, 22}, {kDelete, hw + 68, h - 134, 100, 54},
        {kReset, hw + 178, h - 134, 100, 54},  {kUp, hw + 288, h - 134, 100, 54},   {kPlayRight, hw + 398, h - 134, 100, 54},
        {kOpenRight, hw + 68, h - 72, 100, 54}, {kSave, hw + 178, h - 72, 100, 54},  {kDown, hw + 288, h - 72, 100, 54},
        {kToDir, hw + 398, h - 72, 100, 54},   {kRightGroup, hw + 54, 10, hw - 65, h - 20}, {kRight, hw + 68, 55, hw - 90, h - 200},
    };
    for (const Place& p : g_largeLayout ? std::span<const Place>(large) : std::span<const Place>(normal))
        GetDlgItem(p.id)->MoveWindow(p.x, p.y, p.cx, p.cy);

    const bool t = m_trackInfo != 0;
    const int l = m_lengthOn ? 48 : 0;
    for (CQuickList* list : {&m_left, &m_right}) {
        switch (m_namingMode) {
        case 0:
            list->SetColumnWidth(0, int(0.2 * hw));
            list->SetColumnWidth(1, int(0.8 * hw) - (t ? 152 : 112) - l);
            break;
        case 1:
            list->SetColumnWidth(0, int(0.8 * hw) - 112);
            list->SetColumnWidth(1, int(0.2 * hw) - (t && m_lengthOn ? 48 : 0));
            break;
        case 2:
            list->SetColumnWidth(0, 0);
            list->SetColumnWidth(1, hw - (t ? 152 : 112) - l);
            break;
        default: continue;
        }
        list->SetColumnWidth(3, t ? 40 : 0);
        list->SetColumnWidth(4, m_lengthOn ? 48 : 0);
    }
    UpdateData(FALSE);
}
