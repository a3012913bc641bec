#include "managers/ToolsMusic.h"

#include "managers/ListFile.h"
#include "managers/DatabaseCheck.h"
#include "managers/MusicCsv.h"
#include "managers/MusicManagerExport.h"
#include "controls/FolderPicker.h"
#include "platform/audio/BassFx.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unordered_map>

namespace musicrows {

CMemArrayLarge FromTable(const CppSQLite3Table& music, const std::string& flag, bool integerPitch)
{
    MyFunctions fn;
    auto text = [&](int column) {
        const char* f = music.FieldText(column);
        return std::string(f ? f : "");
    };
    const std::string path = fn.UnescapeSql(text(0));
    CMemArrayLarge row;
    row.SetCol(0, fn.FileTitleFromPath(path));
    row.SetCol(1, path);
    row.SetCol(2, text(1));
    row.SetCol(3, integerPitch ? text(2) : text(24));
    row.SetCol(4, text(3));
    row.SetCol(5, text(4));
    row.SetCol(6, text(5));
    row.SetCol(7, text(6));
    row.SetCol(8, text(7));
    row.SetCol(9, text(8));
    row.SetCol(10, text(9));
    row.SetCol(11, text(15));
    row.SetCol(12, text(10));
    row.SetCol(13, text(11));
    row.SetCol(14, text(12));
    row.SetCol(15, fn.UnescapeSql(text(13)));
    row.SetCol(16, text(22));
    row.SetCol(17, text(23));
    row.SetCol(18, flag);
    return row;
}

std::vector<std::pair<std::string, std::string>> FlagsOf(CMusicDb& db, int own)
{
    CppSQLite3Table t = db.GetAllFlags(own);
    std::vector<std::pair<std::string, std::string>> flags;
    flags.reserve(size_t(t.RowCount()));
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetRow(r);
        const char* path = t.FieldText(0);
        const char* value = t.FieldText(1);
        flags.emplace_back(path ? path : "", std::to_string(MyFunctions().StringToInt(value ? value : "")));
    }
    return flags;
}

} // namespace musicrows

namespace {

constexpr int kList = 1009;
constexpr int kTotal = 1068;
constexpr int kSave = 1184;
constexpr int kDelete = 1183;
constexpr int kExport = 1201;
constexpr int kImport = 1185;
constexpr int kCheck = 1204;
constexpr int kLoop = 1205;
constexpr int kPath = 1186;
constexpr int kComment = 1197;
constexpr int kMarkers = 1196;
constexpr int kLength = 1198;
constexpr int kTempo = 1189;
constexpr int kLoopStart = 1191;
constexpr int kLoopStop = 1192;
constexpr UINT kIconPlaying = 307;
constexpr UINT kIconPaused = 308;

constexpr const char* kCsvFilter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";

struct Column {
    const char* heading;
    int width;
};
constexpr Column kColumns[18] = {
    {"Title", 156},  {"Path", 28},   {"Speed", 44},   {"Pitch", 44},   {"Tempo", 44},          {"Volume", 44},
    {"LoopSet", 44}, {"LoopStop", 44}, {"Eq1", 44},   {"Eq2", 44},     {"Eq3", 44},            {"Eq ON", 44},
    {"Markers", 44}, {"Rate", 34},   {"Length", 44},  {"Comment", 44}, {"Keychange Pitch", 44}, {"Keychange Time", 44},
};

std::string lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CToolsMusic, CManagerPage)
    ON_BN_CLICKED(kSave, OnSave)
    ON_BN_CLICKED(kDelete, OnDelete)
    ON_BN_CLICKED(kExport, OnExport)
    ON_BN_CLICKED(kImport, OnImport)
    ON_BN_CLICKED(kCheck, OnCheck)
    ON_BN_CLICKED(kLoop, OnLoop)
    ON_NOTIFY(NM_DBLCLK, kList, OnRowDoubleClick)
    ON_EN_KILLFOCUS(kComment, OnFieldKillFocus)
    ON_EN_KILLFOCUS(kTempo, OnFieldKillFocus)
    ON_EN_KILLFOCUS(kLoopStart, OnFieldKillFocus)
    ON_EN_KILLFOCUS(kLoopStop, OnFieldKillFocus)
END_MESSAGE_MAP()

CToolsMusic::CToolsMusic(CWnd* parent) : CManagerPage(IDD, CMD_MUSIC_MGR_CLOSED, parent) {}

CToolsMusic::~CToolsMusic() { FreePreview(); }

void CToolsMusic::DoDataExchange(CDataExchange* dx)
{
    CManagerPage::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Control(dx, kLoop, m_loopButton);
    DDX_Text(dx, kPath, m_path);
    DDX_Text(dx, kComment, m_comment);
    DDX_Text(dx, kMarkers, m_markers);
    DDX_Text(dx, kLength, m_lengthText);
    DDX_Text(dx, 1187, m_speed);
    DDX_Text(dx, 1188, m_pitch);
    DDX_Text(dx, kTempo, m_tempo);
    DDX_Text(dx, 1190, m_volume);
    DDX_Text(dx, kLoopStart, m_loopStart);
    DDX_Text(dx, kLoopStop, m_loopStop);
    DDX_Text(dx, 1193, m_eq1);
    DDX_Text(dx, 1194, m_eq2);
    DDX_Text(dx, 1195, m_eq3);
    DDX_Text(dx, 1203, m_eqOn);
    DDX_Text(dx, 1221, m_rate);
    DDX_Text(dx, 1199, m_keyPitch);
    DDX_Text(dx, 1200, m_keyTime);
    DDX_Text(dx, 1202, m_flags);
    DDX_Text(dx, kTotal, m_total);
}

BOOL CToolsMusic::OnInitDialog()
{
    CManagerPage::OnInitDialog();
    managers::CreateTips(m_tips, this);
    m_tips.AddTool(GetDlgItem(kSave), "Save the setting for the music");
    m_tips.AddTool(GetDlgItem(kDelete), "Delete the music from the database");
    m_tips.AddTool(GetDlgItem(kImport), "Import a csv-file to the database");
    m_tips.AddTool(GetDlgItem(kExport), "Export the database to a csv-file");
    m_tips.AddTool(GetDlgItem(kCheck), "Check the database");
    m_tips.AddTool(GetDlgItem(kPath), "");
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_loopButton.SetIcon(kIconPaused);

    AddList(m_list);
    managers::StyleList(m_list);
    for (const Column& c : kColumns)
        m_list.InsertColumn(m_list.GetColumnCount(), c.heading, LVCFMT_LEFT, c.width);
    m_sort.Reset(21, 20);
    Guarded("Reading the music manager's settings", [&] {
        m_db.BeginBatch();
        m_storedSortColumn = m_db.GetSettingInt("music - colsortglobal", 0);
        ApplyListFont(0);
        m_db.CommitBatch();
    });
    FillList();
    StartFocusTimer(500);
    UpdateData(FALSE);
    return TRUE;
}

void CToolsMusic::Reload()
{
    m_sort.descending = 0;
    FillList();
    UpdateData(FALSE);
}

void CToolsMusic::ShowCount()
{
    m_total = int(m_rows.size());
    SetDlgItemInt(kTotal, UINT(m_total));
}

void CToolsMusic::FillList()
{
    Guarded("Reading the music database", [&] {
        managers::WaitCursor wait(*this);
        m_rows.clear();
        m_db.BeginBatch();
        CppSQLite3Table music = m_db.GetAllMusic(0);
        std::unordered_map<std::string, std::string> flags;
        for (auto& [path, value] : musicrows::FlagsOf(m_db, 0))
            flags[path] = value;
        m_db.CommitBatch();
        m_rows.reserve(size_t(music.RowCount()));
        for (int r = 0; r < music.RowCount(); ++r) {
            music.SetRow(r);
            const char* stored = music.FieldText(0);
            const std::string path = stored ? stored : "";
            if (path == "dummydb")
                continue;
            const auto flag = flags.find(path);
            m_rows.push_back(musicrows::FromTable(music, flag == flags.end() ? "0" : flag->second, false));
        }
    });
    m_list.SetItemCount(int(m_rows.size()));
    ShowCount();
    m_list.Invalidate();
    if (!m_rows.empty())
        SortRows(false);
}

void CToolsMusic::AfterFailure()
{
    m_list.SetItemCount(int(m_rows.size()));
    ShowCount();
}

void CToolsMusic::PromoteSortColumn(int column, bool toggle) { m_sort.Promote(column, toggle); }

void CToolsMusic::SortRows(bool toggle)
{
    if (m_rows.empty())
        return;
    managers::WaitCursor wait(*this);
    if (toggle)
        m_sort.Promote(m_sort.Leading(), true);
    managers::SortRows(m_rows, m_sort.Keys(), m_sort.descending);
    m_list.Invalidate();
}

void CToolsMusic::ResortByStoredColumn()
{
    m_sort.Promote(m_storedSortColumn, false);
    SortRows(false);
}

void CToolsMusic::HeaderClicked(CListCtrl*, int column)
{
    if (m_rows.empty())
        return;
    m_sort.Promote(column, true);
    SortRows(false);
}

void CToolsMusic::SupplyCell(HWND, ListCellData& cell)
{
    const int row = cell.GetItem();
    if (row >= 0 && row < int(m_rows.size()))
        cell.text = m_rows[size_t(row)].Col(cell.GetSubItem());
}

void CToolsMusic::LayoutControls(int width, int height)
{
    // The fields are not refreshed here: a move must not undo what is being typed.
    if (!m_list.m_hWnd)
        return;
    if (g_largeLayout) {
        m_list.MoveWindow(10, 140, width - 20, height - 150);
        m_list.SetColumnWidth(1, std::max(0, width - 945));
    } else {
        m_list.MoveWindow(10, 120, width - 20, height - 130);
        m_list.SetColumnWidth(1, std::max(0, width - 935));
    }
}

void CToolsMusic::OnFieldKillFocus() { UpdateData(TRUE); }

void CToolsMusic::OnRowDoubleClick(NMHDR*, LRESULT* result)
{
    if (result)
        *result = 0;
    UpdateData(TRUE);
    const int mark = managers::SelectionMark(m_list, int(m_rows.size()));
    const CMemArrayLarge row = mark >= 0 ? m_rows[size_t(mark)] : CMemArrayLarge();
    m_path = row.Col(1);
    m_speed = m_fn.StringToInt(row.Col(2));
    m_pitch = m_fn.StringToFloat(row.Col(3));
    m_tempo = m_fn.StringToDouble(row.Col(4));
    m_volume = m_fn.StringToInt(row.Col(5));
    m_loopStart = m_fn.StringToDouble(row.Col(6));
    m_loopStop = m_fn.StringToDouble(row.Col(7));
    m_eq1 = m_fn.StringToInt(row.Col(8));
    m_eq2 = m_fn.StringToInt(row.Col(9));
    m_eq3 = m_fn.StringToInt(row.Col(10));
    m_eqOn = m_fn.StringToInt(row.Col(11));
    m_markers = row.Col(12);
    m_rate = m_fn.StringToInt(row.Col(13));
    m_storedLength = row.Col(14);
    m_comment = row.Col(15);
    m_keyPitch = m_fn.StringToInt(row.Col(16));
    m_keyTime = m_fn.StringToDouble(row.Col(17));
    m_flags = m_fn.StringToInt(row.Col(18));

    m_length = m_path.empty() ? 0 : ReadSongLength(m_path);
    m_lengthText = m_fn.SecondsToText(m_length);
    if (m_lengthText.size() == 4)
        m_lengthText = "0" + m_lengthText;
    m_tips.AddTool(GetDlgItem(kPath), m_path);
    UpdateData(FALSE);
}

int CToolsMusic::ReadSongLength(const std::string& path) { return musicrows::SongSeconds(path); }

void CToolsMusic::OnSave()
{
    UpdateData(TRUE);
    int found = -1;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].Col(1) == m_path)
            found = int(i);
    if (found < 0) {
        if (!m_path.empty())
            AfxMessageBox("This song is no longer in the list, so its settings were not saved:\n" + m_path,
                          MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string path = m_path;
    // A file that cannot be measured now keeps the length stored before.
    const std::string length =
        m_length > 0 ? std::to_string(m_length) : std::to_string(m_fn.StringToInt(m_rows[size_t(found)].Col(14)));
    const bool saved = Guarded("Saving the song's settings", [&] {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        m_db.SaveMusicRow(path, std::to_string(m_speed), "0", m_fn.DoubleToString(m_tempo), std::to_string(m_volume),
                          m_fn.DoubleToString(m_loopStart), m_fn.DoubleToString(m_loopStop), std::to_string(m_eq1),
                          std::to_string(m_eq2), std::to_string(m_eq3), m_markers, std::to_string(m_rate), length,
                          m_comment, std::to_string(m_eqOn), "0", "0", "0", "0", "0", "0", std::to_string(m_keyPitch),
                          m_fn.DoubleToString(m_keyTime), m_fn.DoubleToString(m_pitch), 0);
        if (m_flags == 0)
            m_db.DeleteFlag(path, 0);
        else
            m_db.SetFlagValue(path, std::to_string(m_flags), 0);
        m_db.CommitBatch();
        KeepMarkerComments(m_markers, path);
    });
    if (!saved)
        return;
    FillList();
    ResortByStoredColumn();
    SendCommand(CMD_RELOAD_MUSIC_LISTS);
}

void CToolsMusic::KeepMarkerComments(const std::string& markers, const std::string& path)
{
    struct Kept {
        std::string mark;
        std::string comment;
    };
    std::vector<Kept> kept;
    std::string rest = markers;
    m_db.BeginBatch();
    for (size_t semi = rest.find(';'); semi != std::string::npos && semi >= 2; semi = rest.find(';')) {
        std::string token = rest.substr(0, semi);
        rest = rest.substr(semi + 1);
        if (!token.empty() && token[0] == 'r')
            token.erase(0, 1);
        const std::string mark = std::to_string(int(m_fn.TimeTextToSeconds(token)));
        const std::string comment = m_db.GetMarkerComment(path, mark, 0);
        if (!comment.empty())
            kept.push_back({mark, comment});
    }
    m_db.DeleteMarkerComments(path, 0);
    for (const Kept& k : kept)
        m_db.SetMarkerComment(path, k.mark, k.comment, 0);
    m_db.CommitBatch();
}

void CToolsMusic::OnDelete()
{
    const std::vector<int> selected = managers::SelectedRows(m_list, int(m_rows.size()));
    if (selected.empty())
        return;
    Guarded("Deleting songs from the music database", [&] {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        for (int i : selected) {
            const std::string path = m_rows[size_t(i)].Col(1);
            m_db.DeleteMusicRow(path, 0);
            m_db.DeleteFlag(path, 0);
        }
        m_db.CommitBatch();
    });
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    m_list.SetSelectionMark(-1);
    FillList();
}

void CToolsMusic::ExportToFile(const std::string& path)
{
    managers::WaitCursor wait(*this);
    std::vector<std::string> lines;
    lines.reserve(m_rows.size());
    for (const CMemArrayLarge& row : m_rows)
        lines.push_back(musiccsv::Line(row));
    if (!listfile::WriteLines(path, lines))
        AfxMessageBox("Unable To Open The File!", MB_OK | MB_ICONINFORMATION);
}

void CToolsMusic::ExportPerFile()
{
    ExportToFile(musiccsv::DatedFileName(g_baseFolder, m_fn.TodayText()));
    managers::WaitCursor wait(*this);
    for (const CMemArrayLarge& row : m_rows) {
        const std::string file = musiccsv::BesideFileName(row.Col(1));
        if (file.empty() || !listfile::WriteLines(file, {musiccsv::Line(row)}))
            AfxMessageBox("Unable To Open The File!", MB_OK | MB_ICONINFORMATION);
    }
}

void CToolsMusic::OnExport()
{
    CMusicManagerExport choice(0, this);
    choice.DoModal();
    switch (choice.GetMode()) {
    case 0: {
        CFileDialog dlg(FALSE, ".csv", "Musicdatabase.csv", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kCsvFilter, this);
        if (dlg.DoModal() == IDOK)
            ExportToFile(dlg.GetPathName());
        break;
    }
    case 1: ExportPerFile(); break;
    default: break;
    }
}

void CToolsMusic::ImportFile(const std::string& path)
{
    Guarded("Importing the music CSV file", [&] {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        musiccsv::ImportFile(m_db, path, false, 0);
        m_db.CommitBatch();
    });
    m_list.SetSelectionMark(-1);
    UpdateData(FALSE);
}

void CToolsMusic::ImportFolder(const std::string& folder, bool includeSubdirs)
{
    Guarded("Importing the music CSV files of a folder", [&] {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        ImportFolderWalk(folder, includeSubdirs);
        m_db.CommitBatch();
    });
    m_fn.EnterDataFolder();
    m_list.SetSelectionMark(-1);
    UpdateData(FALSE);
}

void CToolsMusic::ImportFolderWalk(const std::string& folder, bool includeSubdirs)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(fs::u8path(folder), ec);
    if (ec)
        return; // a folder that cannot be entered is passed over
    std::vector<fs::path> files;
    std::vector<fs::path> folders;
    for (const fs::directory_entry& e : it) {
        std::error_code kind;
        if (e.is_directory(kind))
            folders.push_back(e.path());
        else if (lower(e.path().extension().string()) == ".csv")
            files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const fs::path& f : files)
        musiccsv::ImportFile(m_db, f.string(), true, 0);
    if (includeSubdirs)
        for (const fs::path& f : folders)
            ImportFolderWalk(f.string(), true);
}

void CToolsMusic::OnImport()
{
    CMusicManagerExport choice(1, this);
    choice.DoModal();
    switch (choice.GetMode()) {
    case 1: {
        const bool subdirs = choice.GetIncludeSubdirs() != 0;
        CFolderPicker picker;
        const std::string folder = picker.BrowseEx(this, "Select a folder:", 0, g_baseFolder, 0);
        if (!folder.empty())
            ImportFolder(folder, subdirs);
        FillList();
        break;
    }
    case 0: {
        CFileDialog dlg(TRUE, ".csv", "Musicdatabase.csv", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kCsvFilter, this);
        if (dlg.DoModal() == IDOK)
            ImportFile(dlg.GetPathName());
        FillList();
        break;
    }
    default: break;
    }
}

void CToolsMusic::OnCheck()
{
    CDatabaseCheck check;
    check.DoModal();
    FillList();
    UpdateData(FALSE);
}

void CToolsMusic::FreePreview()
{
    if (!m_preview)
        return;
    BASS_FX_BPM_Free(m_preview);
    BASS_FX_BPM_BeatFree(m_preview);
    BASS_StreamFree(m_preview);
    m_preview = 0;
}

void CToolsMusic::OnLoop()
{
    if (m_path.empty())
        return;
    if (m_preview && BASS_ChannelIsActive(m_preview) == BASS_ACTIVE_PLAYING) {
        BASS_ChannelPause(m_preview);
        m_loopButton.SetIcon(kIconPaused);
        return;
    }
    BASS_Start();
    KillTimer(kPreviewTimer);
    FreePreview();

    const HSTREAM source = musicrows::OpenByExtension(m_path, BASS_STREAM_DECODE);
    m_preview = source ? BASS_FX_TempoCreate(source, BASS_FX_FREESOURCE) : 0;
    if (!m_preview) {
        if (source)
            BASS_StreamFree(source);
        ShowBassError("Can't play stream");
        return;
    }
    BASS_ChannelSetAttribute(m_preview, BASS_ATTRIB_TEMPO_PITCH, m_pitch);
    BASS_ChannelSetAttribute(m_preview, BASS_ATTRIB_TEMPO_FREQ, float(m_speed));
    BASS_ChannelSetAttribute(m_preview, BASS_ATTRIB_TEMPO, float(m_tempo));
    const double start = m_loopStop > 5 ? m_loopStop - 5 : 0;
    BASS_ChannelSetPosition(m_preview, BASS_ChannelSeconds2Bytes(m_preview, start), BASS_POS_BYTE);
    SetTimer(kPreviewTimer, 500);
    m_loopButton.SetIcon(kIconPlaying);
    if (!BASS_ChannelPlay(m_preview, FALSE)) {
        KillTimer(kPreviewTimer);
        m_loopButton.SetIcon(kIconPaused);
        ShowBassError("Can't play stream");
    }
}

void CToolsMusic::PageTimer(UINT_PTR id)
{
    if (id != kPreviewTimer || !m_preview)
        return;
    m_position = float(BASS_ChannelBytes2Seconds(m_preview, BASS_ChannelGetPosition(m_preview, BASS_POS_BYTE)));
    if (m_loopStop > 1 && m_loopStop <= m_position)
        BASS_ChannelSetPosition(m_preview, BASS_ChannelSeconds2Bytes(m_preview, m_loopStart), BASS_POS_BYTE);
}

void CToolsMusic::ShowBassError(const std::string& text)
{
    const int code = BASS_ErrorGetCode();
    std::string message = text + "\n\nBASS error code: " + std::to_string(code);
    message += code == 5 ? "\r\n\r\nCheck the filepath." : "\r\n\r\nSee the helpfile for more information.";
    AfxMessageBox(message, MB_OK | MB_ICONERROR);
}

void CToolsMusic::BeforeClose()
{
    if (m_preview && BASS_ChannelIsActive(m_preview) == BASS_ACTIVE_PLAYING)
        BASS_ChannelPause(m_preview);
    KillTimer(kPreviewTimer);
    FreePreview();
}
