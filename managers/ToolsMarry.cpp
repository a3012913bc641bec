#include "managers/ToolsMarry.h"

#include "controls/FolderPicker.h"
#include "managers/ListFile.h"
#include "managers/ListSelection.h"
#include "managers/MarriageCsv.h"
#include "managers/PlaylistRows.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/Input.h"
#include "store/AppGlobals.h"
#include "store/SendCommand.h"

#include <span>

// Sort state of the page: the direction of each list's next sort (0 ascending).
unsigned char g_marryMusicDescending = 0;
unsigned char g_marryLyricsDescending = 0;
unsigned char g_marryMarriageDescending = 0;
int g_marrySortColumn = 0;
unsigned char g_marrySortDescending = 0;

namespace {
constexpr int kMusicList = 1009, kLyricsList = 1011, kMarriageList = 1446;
constexpr int kMusicCount = 1061, kLyricsCount = 1062, kMarriageCount = 1522;
constexpr int kMusicSource = 1526, kLyricsSource = 1527;
constexpr int kList = 1088, kMusicDir = 1192, kAdd = 1089, kLyricsDir = 1193, kView = 1194, kDatabase = 1085;
constexpr int kDelete = 1090, kExport = 1201, kImport = 1185;
constexpr int kMusicGroup = 1091, kLyricsGroup = 1092, kMarriageGroup = 1093;
constexpr const char* kPlaylistFilter = "Playlist files (*.M3u)|*.M3u|All Files (*.*)|*.*||";
// A header click this far below the window's top edge sorts the marriages.
constexpr int kMarriageTop = 301;
} // namespace

BEGIN_MESSAGE_MAP(CToolsMarry, CManagerPage)
    ON_BN_CLICKED(kList, OnOpenList)
    ON_BN_CLICKED(kMusicDir, OnMusicFolder)
    ON_BN_CLICKED(kLyricsDir, OnLyricsFolder)
    ON_BN_CLICKED(kDatabase, OnDatabase)
    ON_BN_CLICKED(kAdd, OnAdd)
    ON_BN_CLICKED(kDelete, OnDelete)
    ON_BN_CLICKED(kView, OnView)
    ON_BN_CLICKED(kExport, OnExport)
    ON_BN_CLICKED(kImport, OnImport)
END_MESSAGE_MAP()

CToolsMarry::CToolsMarry(CWnd* parent) : CManagerPage(IDD, CMD_MARRY_MGR_CLOSED, parent) {}

void CToolsMarry::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kMusicList, m_music);
    DDX_Control(dx, kLyricsList, m_lyrics);
    DDX_Control(dx, kMarriageList, m_marriages);
    DDX_Text(dx, kMusicCount, m_musicCount);
    DDX_Text(dx, kLyricsCount, m_lyricsCount);
    DDX_Text(dx, kMarriageCount, m_marriageCount);
    DDX_Text(dx, kMusicSource, m_musicSource);
    DDX_Text(dx, kLyricsSource, m_lyricsSource);
}

BOOL CToolsMarry::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    AddList(m_music);
    AddList(m_lyrics);
    AddList(m_marriages);
    Guarded("Opening the marry manager", [&] {
        m_db.BeginBatch();
        for (CQuickList* l : {&m_music, &m_lyrics, &m_marriages})
            managers::StyleList(*l);
        m_music.InsertColumn(0, managers::Heading(m_db, "music - col1nameglobal", "Label"), LVCFMT_LEFT, 90);
        m_music.InsertColumn(1, managers::Heading(m_db, "music - col2nameglobal", "Title"), LVCFMT_LEFT, 150);
        m_music.InsertColumn(2, "Path", LVCFMT_LEFT, 0);
        m_lyrics.InsertColumn(0, "Label", LVCFMT_LEFT, 90);
        m_lyrics.InsertColumn(1, "Title", LVCFMT_LEFT, 150);
        m_lyrics.InsertColumn(2, "Path", LVCFMT_LEFT, 0);
        m_marriages.InsertColumn(0, "Music", LVCFMT_LEFT, 310);
        m_marriages.InsertColumn(1, "Path", LVCFMT_LEFT, 0);
        m_marriages.InsertColumn(2, "Lyrics", LVCFMT_LEFT, 310);
        m_marriages.InsertColumn(3, "Path", LVCFMT_LEFT, 0);
        g_marryMusicDescending = g_marryLyricsDescending = g_marryMarriageDescending = 0;
        g_marrySortColumn = 0;
        g_marrySortDescending = 0;
        ApplyListFont(0);
        m_namingMode = m_db.GetSettingInt("music - colnameglobal", 0);
        m_sortColumn = m_db.GetSettingInt("music - colsortglobal", 0);
        m_sortOnLoad = m_db.GetSettingBool("music - sortplaylist", 0);
        m_subfolders = m_db.GetSettingBool("music - subdir", 0);
        m_useDefaultFolder = m_db.GetSettingInt("music - usedefaultmusicfolder", 0);
        m_defaultFolder = m_db.GetSetting("music - pathdefaultmusicfolder", 0);
        m_musicFolder = m_db.GetSetting("marrydlg - dirpath", 0);
        m_musicPlaylist = m_db.GetSetting("marrydlg - listpath", 0);
        m_lyricsFolder = m_db.GetSetting("marrydlg - lyricspath", 0);
        if (m_db.GetSettingBool("marrydlg - start", 0))
            LoadFolder(m_musicFolder, 0, kMusic);
        else
            LoadPlaylistFile(m_musicPlaylist, 0);
        LoadDatabaseList(0, kMarriages);
        if (m_db.GetSettingBool("marrydlg - lyricsdirstart", 0))
            LoadFolder(m_lyricsFolder, 0, kLyrics);
        else
            LoadDatabaseList(0, kLyrics);
        m_db.CommitBatch();
    });
    managers::CreateTips(m_tips, this);
    const std::pair<int, const char*> tips[] = {
        {kList, "Open a playlist in the listbox"},
        {kMusicDir, "Open a folder in the listbox"},
        {kLyricsDir, "Open a folder in the listbox"},
        {kView, "View the selected file"},
        {kDatabase, "Open from the database to the listbox"},
        {kAdd, "Add the row(s) from the left listbox to the right listbox"},
        {kDelete, "Delete a row in the listbox"},
        {kExport, "Export married music and lyrics"},
        {kImport, "Import married music and lyrics"},
    };
    for (const auto& [id, text] : tips)
        m_tips.AddTool(GetDlgItem(id), text);
    m_tips.AddTool(GetDlgItem(kMusicSource), m_musicSource);
    m_tips.AddTool(GetDlgItem(kLyricsSource), m_lyricsSource);
    CRect client;
    GetClientRect(client);
    LayoutControls(client.Width(), client.Height());
    UpdateData(FALSE);
    StartFocusTimer(1000);
    return TRUE;
}

std::vector<CMemArray>& CToolsMarry::RowsOf(int list)
{
    return list == kMusic ? m_musicRows : list == kLyrics ? m_lyricsRows : m_marriageRows;
}

const std::vector<CMemArray>& CToolsMarry::Rows(int list) const
{
    return list == kMusic ? m_musicRows : list == kLyrics ? m_lyricsRows : m_marriageRows;
}

CQuickList& CToolsMarry::ListOf(int list) { return list == kMusic ? m_music : list == kLyrics ? m_lyrics : m_marriages; }

int& CToolsMarry::CountOf(int list)
{
    return list == kMusic ? m_musicCount : list == kLyrics ? m_lyricsCount : m_marriageCount;
}

void CToolsMarry::ShowRows(int list)
{
    CountOf(list) = int(RowsOf(list).size());
    ListOf(list).SetItemCount(CountOf(list));
    ListOf(list).Invalidate();
}

void CToolsMarry::AfterFailure()
{
    for (int list : {kMusic, kLyrics, kMarriages})
        ShowRows(list);
    UpdateData(FALSE);
}

CMemArray CToolsMarry::FileRow(const std::string& path, bool music) const
{
    std::string label, title;
    playlistrows::LabelAndTitle(path, music ? m_namingMode : 0, label, title);
    CMemArray row;
    row.SetCol(0, label);
    row.SetCol(1, title);
    row.SetCol(2, path);
    return row;
}

void CToolsMarry::LoadPlaylistFile(const std::string& path, int own)
{
    m_musicRows.clear();
    m_musicSource = path;
    m_musicPlaylist = path;
    for (const std::string& line : playlistrows::ReadPlaylist(path))
        m_musicRows.push_back(FileRow(line, true));
    ShowRows(kMusic);
    if (m_sortOnLoad && !m_musicRows.empty())
        SortMusic(m_sortColumn);
    m_db.SetSetting("marrydlg - listpath", path, own);
    m_db.SetSetting("marrydlg - start", "false", own);
    managers::ClearSelection(m_music);
    UpdateData(FALSE);
}

void CToolsMarry::LoadFolder(const std::string& path, int own, int list)
{
    RowsOf(list).clear();
    ShowRows(list);
    if (list == kMusic)
        m_musicSource = m_musicFolder = path;
    else
        m_lyricsSource = m_lyricsFolder = path;
    if (playlistrows::CanEnterFolder(path)) {
        std::vector<std::string> files;
        playlistrows::ScanFolder(path, m_subfolders, files, false);
        for (const std::string& f : files)
            RowsOf(list).push_back(FileRow(f, list == kMusic));
        ShowRows(list);
        if (list == kMusic) {
            if (m_sortOnLoad && !m_musicRows.empty())
                SortMusic(m_sortColumn);
            m_db.SetSetting("marrydlg - dirpath", path, own);
            m_db.SetSetting("marrydlg - start", "true", own);
        } else {
            m_db.SetSetting("marrydlg - lyricspath", path, own);
            m_db.SetSetting("marrydlg - lyricsdirstart", "true", own);
        }
        managers::ClearSelection(ListOf(list));
    }
    UpdateData(FALSE);
}

void CToolsMarry::LoadDatabaseList(int own, int list)
{
    if (list == kLyrics) {
        m_lyricsRows.clear();
        m_lyricsSource = "Cuesheet Database";
        CppSQLite3Table t = m_utility.GetRecordsWithCueSheet();
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            const std::string label = t.FieldTextOr(0, "");
            CMemArray row;
            row.SetCol(0, m_fn.UnescapeSql(label));
            row.SetCol(1, m_fn.UnescapeSql(t.FieldTextOr(1, "")));
            row.SetCol(2, "[db]" + label);
            m_lyricsRows.push_back(row);
        }
        ShowRows(kLyrics);
        m_db.SetSetting("marrydlg - lyricsdirstart", "false", own);
        managers::ClearSelection(m_lyrics);
    } else {
        m_marriageRows.clear();
        CppSQLite3Table t = m_db.GetAllMarriages(own);
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            const std::string music = m_fn.UnescapeSql(t.FieldTextOr(0, ""));
            CMemArray row;
            row.SetCol(0, m_fn.FileTitleFromPath(music));
            row.SetCol(1, music);
            row.SetCol(2, m_fn.UnescapeSql(t.FieldTextOr(1, "")));
            m_marriageRows.push_back(row);
        }
        ShowRows(kMarriages);
    }
    UpdateData(FALSE);
}

void CToolsMarry::ReloadMarriages()
{
    Guarded("Reading the marriages", [&] { LoadDatabaseList(1, kMarriages); });
}

void CToolsMarry::Sort(int list, int column)
{
    unsigned char& flag = list == kMusic ? g_marryMusicDescending
                          : list == kLyrics ? g_marryLyricsDescending
                                            : g_marryMarriageDescending;
    g_marrySortColumn = column;
    g_marrySortDescending = flag;
    flag = !flag;
    managers::WaitCursor wait(*this);
    managers::SortRows(RowsOf(list), managers::ClickedFirstKeys(column), g_marrySortDescending != 0);
    ListOf(list).Invalidate();
}

void CToolsMarry::SortMusic(int column) { Sort(kMusic, column); }
void CToolsMarry::SortLyrics(int column) { Sort(kLyrics, column); }
void CToolsMarry::SortMarriages(int column) { Sort(kMarriages, column); }

void CToolsMarry::HeaderClicked(CListCtrl* list, int column)
{
    int which = 0;
    if (list == &m_marriages || list == &m_music || list == &m_lyrics) {
        which = list == &m_marriages ? kMarriages : list == &m_music ? kMusic : kLyrics;
    } else {
        CPoint at;
        ::GetCursorPos(&at);
        CRect window;
        GetWindowRect(window);
        which = at.y - window.top >= kMarriageTop ? kMarriages : at.x < window.CenterPoint().x ? kMusic : kLyrics;
    }
    if (which == kMarriages || !RowsOf(which).empty())
        Sort(which, column);
}

CListCtrl* CToolsMarry::ScrollTarget(CPoint at)
{
    CWnd* focus = CWnd::GetFocus();
    if (focus == &m_music || focus == &m_lyrics || focus == &m_marriages)
        return nullptr;
    CRect group;
    GetDlgItem(kMarriageGroup)->GetWindowRect(group);
    if (at.y >= group.top)
        return &m_marriages;
    CRect window;
    GetWindowRect(window);
    return at.x < window.CenterPoint().x ? static_cast<CListCtrl*>(&m_music) : &m_lyrics;
}

void CToolsMarry::SupplyCell(HWND list, ListCellData& cell)
{
    const std::vector<CMemArray>& rows = list == m_music.m_hWnd    ? m_musicRows
                                         : list == m_lyrics.m_hWnd ? m_lyricsRows
                                                                   : m_marriageRows;
    if (cell.GetItem() < 0 || cell.GetItem() >= int(rows.size()))
        return;
    cell.text = rows[size_t(cell.GetItem())].GetCol(std::min(cell.GetSubItem(), 3));
}

void CToolsMarry::RenewTip(int field, const std::string& text)
{
    m_tips.RemoveTool(GetDlgItem(field));
    m_tips.AddTool(GetDlgItem(field), text);
}

std::string CToolsMarry::ChooseFolder(const std::string& start)
{
    CFolderPicker picker;
    return picker.BrowseEx(this, "Select a folder:", 0, start, BIF_NEWDIALOGSTYLE);
}

void CToolsMarry::OnOpenList()
{
    CFileDialog dialog(TRUE, ".M3u", m_musicPlaylist.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlaylistFilter,
                       this);
    if (dialog.DoModal() == IDOK) {
        managers::WaitCursor wait(*this);
        g_marryMusicDescending = 0;
        m_musicPlaylist = dialog.GetPathName();
        Guarded("Reading the playlist", [&] { LoadPlaylistFile(m_musicPlaylist, 1); });
        RenewTip(kMusicSource, m_musicSource);
    }
    UpdateData(FALSE);
}

void CToolsMarry::OnMusicFolder()
{
    const std::string folder = ChooseFolder(m_useDefaultFolder ? m_defaultFolder : m_musicFolder);
    if (!folder.empty()) {
        managers::WaitCursor wait(*this);
        g_marryMusicDescending = 0;
        Guarded("Reading the music folder", [&] { LoadFolder(folder, 1, kMusic); });
        RenewTip(kMusicSource, m_musicSource);
    }
    UpdateData(FALSE);
}

void CToolsMarry::OnLyricsFolder()
{
    const std::string folder = ChooseFolder(m_lyricsFolder);
    if (!folder.empty()) {
        managers::WaitCursor wait(*this);
        g_marryLyricsDescending = 0;
        Guarded("Reading the lyrics folder", [&] { LoadFolder(folder, 1, kLyrics); });
        RenewTip(kLyricsSource, m_lyricsSource);
    }
    UpdateData(FALSE);
}

void CToolsMarry::OnDatabase()
{
    managers::WaitCursor wait(*this);
    g_marryLyricsDescending = 0;
    Guarded("Reading the cue sheets", [&] { LoadDatabaseList(1, kLyrics); });
    RenewTip(kLyricsSource, m_lyricsSource);
    UpdateData(FALSE);
}

void CToolsMarry::OnAdd()
{
    const int music = managers::SelectionMark(m_music, int(m_musicRows.size()));
    const int lyrics = managers::SelectionMark(m_lyrics, int(m_lyricsRows.size()));
    if (music >= 0 && lyrics >= 0) {
        Guarded("Storing the marriage", [&] {
            m_db.SetMarriage(m_musicRows[size_t(music)].GetCol(2), m_lyricsRows[size_t(lyrics)].GetCol(2), 1);
            LoadDatabaseList(1, kMarriages);
        });
    }
    UpdateData(FALSE);
}

void CToolsMarry::OnDelete()
{
    const int mark = managers::SelectionMark(m_marriages, int(m_marriageRows.size()));
    if (mark >= 0) {
        Guarded("Deleting the marriage", [&] {
            m_db.DeleteMarriage(m_marriageRows[size_t(mark)].GetCol(1), 1);
            LoadDatabaseList(1, kMarriages);
        });
    }
    UpdateData(FALSE);
}

void CToolsMarry::OnView()
{
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_lyrics, int(m_lyricsRows.size()));
    if (mark >= 0) {
        g_htmlPath = m_lyricsRows[size_t(mark)].GetCol(2);
        SendCommand(CMD_SHOW_HTML);
    }
}

void CToolsMarry::WriteMarriageCsv(const std::string& path)
{
    managers::WaitCursor wait(*this);
    std::vector<marrycsv::Marriage> list;
    for (const CMemArray& row : m_marriageRows)
        list.push_back({row.GetCol(1), row.GetCol(2)});
    if (!marrycsv::Write(path, list))
        listfile::ReportCannotCreate();
}

void CToolsMarry::ReadMarriageCsv(const std::string& path)
{
    managers::WaitCursor wait(*this);
    Guarded("Importing the marriages", [&] {
        m_db.BeginBatch();
        marrycsv::Import(path, m_db);
        m_db.CommitBatch();
    });
    UpdateData(FALSE);
}

void CToolsMarry::OnExport()
{
    CFileDialog dialog(FALSE, marrycsv::kDefaultExt, marrycsv::kFileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       marrycsv::kFilter, this);
    if (dialog.DoModal() == IDOK)
        WriteMarriageCsv(dialog.GetPathName());
}

void CToolsMarry::OnImport()
{
    CFileDialog dialog(TRUE, marrycsv::kDefaultExt, marrycsv::kFileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       marrycsv::kFilter, this);
    if (dialog.DoModal() == IDOK)
        ReadMarriageCsv(dialog.GetPathName());
    ReloadMarriages();
}

void CToolsMarry::LayoutControls(int w, int h)
{
    if (!m_music.m_hWnd)
        return;
    const int a = w / 2;
    const bool large = g_largeLayout != 0;
    struct Place {
        int id, x, y, cx, cy;
    };
    const Place normal[] = {
        {kMusicGroup, 10, 10, a - 65, 370},   {kMusicSource, 22, 28, a - 90, 21},  {kMusicList, 22, 55, a - 90, 260},
        {kList, a - 254, 328, 92, 42},        {kMusicDir, a - 158, 328, 92, 42},   {kMusicCount, 22, 328, 38, 20},
        {kAdd, a - 46, 150, 92, 42},          {kLyricsGroup, a + 54, 10, a - 65, 370}, {kLyricsSource, a + 68, 28, a - 90, 21},
        {kLyricsList, a + 68, 55, a - 90, 260}, {kLyricsDir, a + 68, 328, 92, 42}, {kView, a + 164, 328, 92, 42},
        {kDatabase, a + 260, 328, 92, 42},    {kLyricsCount, w - 59, 328, 38, 20}, {kMarriageGroup, 10, 384, w - 20, h - 394},
        {kMarriageCount, 79, 398, 35, 20},    {kDelete, 22, 430, 92, 42},          {kExport, 22, 475, 92, 42},
        {kImport, 22, 520, 92, 42},           {kMarriageList, 120, 398, w - 140, h - 418},
    };
    const Place largePlaces[] = {
        {kMusicGroup, 10, 10, a - 65, 370},   {kMusicSource, 22, 28, a - 90, 22},  {kMusicList, 22, 58, a - 90, 250},
        {kList, a - 291, 318, 110, 54},       {kMusicDir, a - 176, 318, 110, 54},  {kMusicCount, 22, 318, 40, 22},
        {kAdd, a - 46, 150, 92, 54},          {kLyricsGroup, a + 54, 10, a - 65, 370}, {kLyricsSource, a + 68, 28, a - 90, 22},
        {kLyricsList, a + 68, 58, a - 90, 250}, {kLyricsDir, a + 68, 318, 110, 54}, {kView, a + 183, 318, 110, 54},
        {kDatabase, a + 298, 318, 110, 54},   {kLyricsCount, w - 62, 318, 40, 22}, {kMarriageGroup, 10, 384, w - 20, h - 394},
        {kMarriageCount, 92, 402, 40, 22},    {kDelete, 22, 434, 110, 54},         {kExport, 22, 494, 110, 54},
        {kImport, 22, 554, 110, 54},          {kMarriageList, 140, 402, w - 160, h - 424},
    };
    for (const Place& p : large ? std::span<const Place>(largePlaces) : std::span<const Place>(normal))
        GetDlgItem(p.id)->MoveWindow(p.x, p.y, p.cx, p.cy);
    const int d = large ? 192 : 182;
    const int e = large ? 122 : 112;
    switch (m_namingMode) {
    case 0:
        m_music.SetColumnWidth(0, 70);
        m_music.SetColumnWidth(1, a - d);
        break;
    case 1:
        m_music.SetColumnWidth(1, 70);
        m_music.SetColumnWidth(0, a - d);
        break;
    case 2:
        m_music.SetColumnWidth(0, 0);
        m_music.SetColumnWidth(1, a - e);
        break;
    default: break;
    }
    m_lyrics.SetColumnWidth(0, 70);
    m_lyrics.SetColumnWidth(1, a - d);
    const int half = (w - 162) / 2 - (large ? 15 : 0);
    m_marriages.SetColumnWidth(0, half);
    m_marriages.SetColumnWidth(2, half);
    UpdateData(FALSE);
}
