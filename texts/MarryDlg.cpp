#include "texts/MarryDlg.h"

#include "controls/FolderPicker.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/SendCommand.h"
#include "platform/win/DataExchange.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kFirstCaption = 1120;
constexpr int kSecondCaption = 1121;
constexpr int kFirstField = 1267;
constexpr int kSecondField = 1268;
constexpr int kSearchFirst = 1265;
constexpr int kClear = 1264;
constexpr int kView = 1271;
constexpr int kSearchSecond = 1266;
constexpr int kResetFolder = 1096;
constexpr int kChooseFolder = 1273;
constexpr int kDatabaseRadio = 1136;
constexpr int kDirectoryRadio = 1137;
constexpr int kAllLevelsRadio = 1138;
constexpr int kMarryCheck = 1174;
constexpr int kShowModeCombo = 1272;
constexpr int kList = 1009;
constexpr int kOk = 1097;
constexpr int kCancel = 1098;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

const char* const kLevelFolderKeys[11] = {"basic - lyricsdir", "main - lyricsdir", "plus - lyricsdir", "a1 - lyricsdir",
                                          "a2 - lyricsdir",    "c1 - lyricsdir",   "c2 - lyricsdir",   "c3a - lyricsdir",
                                          "c3b - lyricsdir",   "c4 - lyricsdir",   "global - lyricsdir"};

// The two parts of a name: before the first " - " (empty without one) and after it (the whole name without one).
void splitName(const std::string& name, std::string& first, std::string& second)
{
    const size_t pos = name.find(" - ");
    first = pos == std::string::npos ? std::string() : name.substr(0, pos);
    second = pos == std::string::npos ? name : name.substr(pos + 3);
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool isDbEntry(const std::string& entry) { return entry.compare(0, 4, "[db]") == 0; }

} // namespace

int CMarryDlg::s_sortColumn = 0;
int CMarryDlg::s_sortDirection = 0;
int CMarryDlg::s_sortToggle = 0;

BEGIN_MESSAGE_MAP(CMarryDlg, CDialogEx)
    ON_BN_CLICKED(kSearchFirst, OnSearchFirst)
    ON_BN_CLICKED(kSearchSecond, OnSearchSecond)
    ON_BN_CLICKED(kClear, OnClearFields)
    ON_BN_CLICKED(kView, OnView)
    ON_BN_CLICKED(kOk, OnOK)
    ON_BN_CLICKED(kCancel, OnCancelButton)
    ON_BN_CLICKED(kDatabaseRadio, OnSourceDatabase)
    ON_BN_CLICKED(kDirectoryRadio, OnSourceDirectory)
    ON_BN_CLICKED(kAllLevelsRadio, OnSourceAllLevels)
    ON_BN_CLICKED(kMarryCheck, OnMarryToggle)
    ON_BN_CLICKED(kResetFolder, OnResetFolder)
    ON_BN_CLICKED(kChooseFolder, OnChooseFolder)
    ON_EN_KILLFOCUS(kFirstField, OnFieldsLeft)
    ON_EN_KILLFOCUS(kSecondField, OnFieldsLeft)
    ON_CBN_SELCHANGE(kShowModeCombo, OnShowModeChange)
    ON_NOTIFY(LVN_COLUMNCLICK, kList, OnColumnClick)
    ON_NOTIFY(NM_DBLCLK, kList, OnListDoubleClick)
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetListItem)
    ON_WM_CLOSE()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CMarryDlg::CMarryDlg(const LyricsCandidates& candidates, const std::string& musicPath, CWnd* parent)
    : CDialogEx(IDD, parent), m_candidates(candidates), m_musicPath(musicPath)
{
    ReadSettings();
    m_searchFolder = g_lyricsPathGlobal;
    m_source = DefaultSource();
}

CMarryDlg::CMarryDlg(CWnd* parent) : CDialogEx(IDD, parent), m_modeless(true) {}

CMarryDlg::~CMarryDlg() = default;

void CMarryDlg::ReadSettings()
{
    m_db.BeginBatch();
    m_marryOnOk = m_db.GetSettingBool("music - marrysave", 0) ? 1 : 0;
    for (size_t i = 0; i < m_levelFolders.size(); ++i)
        m_levelFolders[i] = m_db.GetSetting(kLevelFolderKeys[i], 0);
    m_searchOrder = m_db.GetSettingInt("lyrics - searchorder", 0);
    m_allLevelsByDefault = m_db.GetSettingBool("lyrics - subdir", 0);
    m_namingMode = m_db.GetSettingInt("music - colnameglobal", 0);
    m_db.CommitBatch();
}

int CMarryDlg::DefaultSource() const
{
    if (m_searchOrder == 1 || m_searchOrder == 3)
        return m_allLevelsByDefault ? kAllLevels : kDirectory;
    return kDatabase;
}

void CMarryDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Control(dx, kSearchFirst, m_searchFirstButton);
    DDX_Control(dx, kClear, m_clearButton);
    DDX_Control(dx, kView, m_viewButton);
    DDX_Control(dx, kSearchSecond, m_searchSecondButton);
    DDX_Control(dx, kResetFolder, m_resetFolderButton);
    DDX_Control(dx, kChooseFolder, m_chooseFolderButton);
    DDX_Control(dx, kShowModeCombo, m_showModeCombo);
    DDX_Text(dx, kFirstField, m_firstField);
    DDX_Text(dx, kSecondField, m_secondField);
    DDX_Text(dx, kFirstCaption, m_firstCaption);
    DDX_Text(dx, kSecondCaption, m_secondCaption);
    DDX_Radio(dx, kDatabaseRadio, m_source);
    DDX_Check(dx, kMarryCheck, m_marryOnOk);
}

BOOL CMarryDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_chosenPath.clear();

    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | (g_gridLines ? LVS_EX_GRIDLINES : 0));
    m_namingMode = m_db.GetSettingInt("music - colnameglobal", 1);
    const bool titleFirst = m_namingMode == 1;
    m_list.InsertColumn(0, titleFirst ? "Title" : "Label", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, titleFirst ? "Label" : "Title", LVCFMT_LEFT, 165);
    m_list.InsertColumn(2, "Path", LVCFMT_CENTER, 0);
    m_list.InsertColumn(3, "Level", LVCFMT_CENTER, 80);

    s_sortToggle = 0;
    s_sortDirection = 0;
    s_sortColumn = 0;

    SetupButtons();
    for (const char* mode : {"Lyrics Tab", "Music Tab", "Window"})
        m_showModeCombo.AddString(mode);
    m_showModeCombo.SetCurSel(g_lyricsShowMode);

    if (!m_modeless)
        FillList();
    if (m_openedFromLyricsPage)
        m_showModeCombo.EnableWindow(FALSE);
    UpdateData(FALSE);
    return TRUE;
}

void CMarryDlg::SetupButtons()
{
    const std::pair<CButtonST*, UINT> icons[] = {
        {&m_searchFirstButton, 333}, {&m_clearButton, 326}, {&m_viewButton, 324}, {&m_searchSecondButton, 333}};
    for (const auto& [button, icon] : icons)
        button->SetIcon(icon);
    m_resetFolderButton.SetBitmaps(418, kMagenta);
    m_chooseFolderButton.SetBitmaps(417, kMagenta);
    for (CButtonST* button : {&m_searchFirstButton, &m_clearButton, &m_viewButton, &m_searchSecondButton,
                              &m_resetFolderButton, &m_chooseFolderButton}) {
        button->OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        button->SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        button->DrawTransparent(TRUE);
    }
}

void CMarryDlg::Setup(const LyricsCandidates& candidates, const std::string& musicPath)
{
    if (m_list.m_hWnd)
        m_list.SetItemCount(0);
    ReadSettings();
    m_musicPath = musicPath;
    m_searchFolder = g_lyricsPathGlobal;
    m_source = DefaultSource();
    m_candidates = candidates;
    FillList();
}

// ---- rows ---------------------------------------------------------------------------------

void CMarryDlg::AddRow(const std::string& c0, const std::string& c1, const std::string& path, int level)
{
    const std::string levelText = level == 11 ? std::string("Global") : m_fn.LevelDisplayName(level);
    CMemArray row;
    row.SetAll(c0, c1, path, levelText, "", "", "", "", "", "");
    m_rows.push_back(row);
    m_rowCount = int(m_rows.size());
}

void CMarryDlg::AddDatabaseRow(const std::string& label, const std::string& title, int level)
{
    if (m_namingMode == 1)
        AddRow(title, label, "[db]" + label, level);
    else
        AddRow(label, title, "[db]" + label, level);
}

// A candidate path keeps the order of its file name whatever the naming mode.
void CMarryDlg::AddCandidateRow(const std::string& entry, int level)
{
    std::string first;
    std::string second;
    if (isDbEntry(entry)) {
        splitName(entry.substr(4), first, second);
        AddDatabaseRow(first, second, level);
        return;
    }
    splitName(m_fn.FileTitleFromPath(entry), first, second);
    AddRow(first, second, entry, level);
}

void CMarryDlg::ShowRows()
{
    if (m_list.m_hWnd) {
        m_list.SetItemCount(m_rowCount);
        m_list.Invalidate();
    }
}

int CMarryDlg::SelectedRow() const
{
    if (!m_list.m_hWnd)
        return -1;
    const int mark = m_list.GetSelectionMark();
    return mark >= 0 && mark < int(m_rows.size()) ? mark : -1;
}

void CMarryDlg::FillList()
{
    if (m_showModeCombo.m_hWnd)
        m_showModeCombo.SetCurSel(g_lyricsShowMode);
    if (m_list.m_hWnd)
        m_list.SetItemCount(0);
    m_rows.clear();
    m_rowCount = 0;
    const int level = m_source == kAllLevels ? g_danceLevel : 0;
    for (const std::string& entry : m_candidates)
        if (!entry.empty())
            AddCandidateRow(entry, level);
    ShowRows();

    splitName(m_fn.FileTitleFromPath(m_musicPath), m_firstField, m_secondField);
    m_firstCaption = m_namingMode == 1 ? "Title:" : "Label:";
    m_secondCaption = m_namingMode == 1 ? "Label:" : "Title:";
    if (!m_firstField.empty() && m_secondField.empty()) {
        m_secondField = m_firstField;
        m_firstField.clear();
    }
    if (m_hWnd)
        UpdateData(FALSE);
}

// ---- search -------------------------------------------------------------------------------

void CMarryDlg::Search(int field)
{
    BeginWaitCursor();
    m_rowCount = 0;
    if (m_list.m_hWnd)
        m_list.SetItemCount(0);
    m_rows.clear();
    std::string& text = field == 0 ? m_firstField : m_secondField;
    if (m_source == kDatabase) {
        CppSQLite3Table records = m_utilityDb.FindRecordsWithCueSheet(text, 5, 1);
        for (int i = 0; i < records.RowCount(); ++i) {
            records.SetRow(i);
            AddDatabaseRow(m_fn.UnescapeSql(records.FieldTextOr(0, "")), m_fn.UnescapeSql(records.FieldTextOr(1, "")), 0);
        }
    } else {
        text = upper(text);
        ScanFolder(m_searchFolder, 0, text);
        if (m_source == kAllLevels)
            for (size_t i = 0; i < m_levelFolders.size(); ++i)
                if (!m_levelFolders[i].empty())
                    ScanFolder(m_levelFolders[i], int(i) + 1, text);
    }
    ShowRows();
    EndWaitCursor();
    if (m_hWnd)
        UpdateData(FALSE);
}

void CMarryDlg::ScanFolder(const std::string& folder, int level, const std::string& upperText)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        std::error_code kindError;
        if (it->is_directory(kindError))
            continue;
        const std::string path = it->path().string();
        if (m_fn.IsAudioFile(path))
            continue;
        const std::string name = m_fn.FileTitleFromPath(path);
        if (upper(name).find(upperText) == std::string::npos)
            continue;
        std::string first;
        std::string second;
        splitName(name, first, second);
        if (m_namingMode == 1)
            AddRow(second, first, path, level);
        else
            AddRow(first, second, path, level);
    }
}

void CMarryDlg::OnSearchFirst()
{
    UpdateData(TRUE);
    Search(0);
}

void CMarryDlg::OnSearchSecond()
{
    UpdateData(TRUE);
    Search(1);
}

void CMarryDlg::OnClearFields()
{
    m_firstField.clear();
    m_secondField.clear();
    UpdateData(FALSE);
}

// ---- the source, marrying, where lyrics show ----------------------------------------------

void CMarryDlg::SetSource(int source)
{
    UpdateData(TRUE);
    m_source = source;
    UpdateData(FALSE);
}

void CMarryDlg::OnMarryToggle()
{
    // The check box has already changed; the member follows from its own old value.
    m_marryOnOk = m_marryOnOk ? 0 : 1;
    m_db.SetSetting("music - marrysave", m_marryOnOk ? "true" : "false", 1);
    UpdateData(FALSE);
}

void CMarryDlg::OnShowModeChange()
{
    UpdateData(TRUE);
    BeginWaitCursor();
    const int selected = m_showModeCombo.GetCurSel();
    if (selected >= 0) {
        g_lyricsShowMode = selected;
        m_db.SetSetting("lyrics - show", std::to_string(selected), 1);
    }
    EndWaitCursor();
}

void CMarryDlg::OnResetFolder()
{
    UpdateData(TRUE);
    m_searchFolder = g_lyricsPathGlobal;
    m_source = DefaultSource();
    UpdateData(FALSE);
}

void CMarryDlg::OnChooseFolder()
{
    UpdateData(TRUE);
    CFolderPicker picker;
    const std::string folder = picker.BrowseEx(this, "Select a folder:", 0, m_searchFolder, 64);
    if (!folder.empty()) {
        m_searchFolder = folder;
        m_source = kDirectory;
    }
    UpdateData(FALSE);
}

// ---- View and OK --------------------------------------------------------------------------

void CMarryDlg::OnView()
{
    const int row = SelectedRow();
    if (row < 0) {
        ::MessageBox(m_hWnd, "Select lyrics first!", "Mirtal", MB_OK);
        return;
    }
    UpdateData(TRUE);
    g_foundLyricsPath = m_rows[size_t(row)].GetCol2();
    SendCommand(m_openedFromLyricsPage ? CMD_LYRICS_PAGE_FOUND : CMD_SHOW_FOUND_LYRICS);
    UpdateData(FALSE);
}

void CMarryDlg::OnOK()
{
    UpdateData(TRUE);
    const int row = SelectedRow();
    if (row < 0) {
        ::MessageBox(m_hWnd, "Select lyrics first!", "Mirtal", MB_OK);
        return;
    }
    m_chosenPath = m_rows[size_t(row)].GetCol2();
    if (!m_musicPath.empty() && !m_chosenPath.empty() && m_marryOnOk) {
        m_db.SetMarriage(m_musicPath, m_chosenPath, 1);
        SendCommand(CMD_MARRY_MGR_REFRESH);
    }
    if (m_modeless)
        SendCommand(m_openedFromLyricsPage ? CMD_LYRICS_PAGE_PICKED : CMD_LYRICS_PICKED);
    CDialogEx::OnOK();
}

void CMarryDlg::OnListDoubleClick(NMHDR*, LRESULT* result)
{
    OnOK();
    *result = 0;
}

void CMarryDlg::OnClose()
{
    // Only the music page keeps its window by this report; closing the lyrics page's
    // window or a modal one must not take the music page's window with it.
    if (m_modeless && !m_openedFromLyricsPage)
        SendCommand(CMD_FIND_LYRICS_CLOSED);
    OnCancel();
}

BOOL CMarryDlg::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

// ---- the list -----------------------------------------------------------------------------

void CMarryDlg::SortByColumn(int column)
{
    BeginWaitCursor();
    s_sortColumn = column;
    s_sortDirection = s_sortToggle;
    s_sortToggle = s_sortToggle == 0 ? 1 : 0;
    // The clicked column decides first, then columns 0 to 5 in their order.
    std::vector<int> keys{column};
    for (int c = 0; c < 6; ++c)
        if (c != column)
            keys.push_back(c);
    const bool descending = s_sortDirection == 1;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const CMemArray& a, const CMemArray& b) {
        for (int c : keys) {
            const int order = a.GetCol(c).compare(b.GetCol(c));
            if (order != 0)
                return descending ? order > 0 : order < 0;
        }
        return false;
    });
    EndWaitCursor();
}

void CMarryDlg::OnColumnClick(NMHDR* hdr, LRESULT* result)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
    m_list.Invalidate();
    *result = 0;
}

LRESULT CMarryDlg::OnGetListItem(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    const int row = cell->GetItem();
    if (row < 0 || row >= int(m_rows.size()))
        return 0;
    cell->text = m_rows[size_t(row)].GetCol(cell->GetSubItem());
    if (row % 2 == 0 || g_colorAllRows) {
        cell->textColor = RGB(10, 5, 20);
        cell->backColor = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
        cell->hotTextColor = RGB(170, 10, 150);
        cell->selTextColor = RGB(240, 200, 128);
        cell->selBackColor = RGB(30, 0, 96);
        cell->selBackColorNoFocus = RGB(20, 20, 120);
    }
    return 0;
}
