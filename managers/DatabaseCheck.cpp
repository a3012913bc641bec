#include "managers/DatabaseCheck.h"
#include "controls/RowColours.h"

#include "controls/ModelessInitDlg.h"
#include "managers/ListFile.h"
#include "managers/MusicCsv.h"
#include "managers/ToolsMusic.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/HeaderCtrl.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/FailureReport.h"
#include "store/SendCommand.h"

#include <unordered_map>

namespace {

constexpr int kList = 1009;
constexpr int kSave = 1184;
constexpr int kDeleteAll = 1183;

CDatabaseCheck::Probe& probeOverride()
{
    static CDatabaseCheck::Probe probe;
    return probe;
}

struct Column {
    const char* heading;
    int width;
};
constexpr Column kColumns[20] = {
    {"Title", 0},   {"Path", 350},   {"Speed", 0},   {"Pitch", 0}, {"Tempo", 0},           {"Volume", 0},
    {"LoopSet", 0}, {"LoopStop", 0}, {"Eq1", 0},     {"Eq2", 0},   {"Eq3", 0},             {"Eq ON", 0},
    {"Markers", 0}, {"Rate", 0},     {"Length", 0},  {"Comment", 0}, {"Keychange Pitch", 0}, {"Keychange Time", 0},
    {"Flags", 0},   {"Message", 80},
};

} // namespace

BEGIN_MESSAGE_MAP(CDatabaseCheck, CDialogEx)
    ON_BN_CLICKED(kSave, OnSaveToFile)
    ON_BN_CLICKED(kDeleteAll, OnDeleteAll)
    ON_WM_HELPINFO()
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetCell)
END_MESSAGE_MAP()

CDatabaseCheck::CDatabaseCheck(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDatabaseCheck::SetProbe(Probe probe) { probeOverride() = std::move(probe); }

int CDatabaseCheck::ProbeFile(const std::string& path)
{
    if (probeOverride())
        return probeOverride()(path);
    return musicrows::SongSeconds(path);
}

bool CDatabaseCheck::AudioReady()
{
    if (probeOverride())
        return true;
    BASS_INFO info{};
    return BASS_GetInfo(&info) != FALSE;
}

void CDatabaseCheck::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
}

BOOL CDatabaseCheck::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    managers::CreateTips(m_tips, this);
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    managers::StyleList(m_list);
    for (const Column& c : kColumns)
        m_list.InsertColumn(m_list.GetColumnCount(), c.heading, LVCFMT_LEFT, c.width);
    m_sort.Reset(21, 20);
    RunCheck();
    return TRUE;
}

void CDatabaseCheck::RunCheck()
{
    m_rows.clear();
    m_list.SetItemCount(0);
    if (!AudioReady()) {
        AfxMessageBox("The music files cannot be checked now: the sound output has not been started.\n\n"
                      "Check the output device in the Options and start the program again.",
                      MB_OK | MB_ICONINFORMATION);
        return;
    }
    CModelessInitDlg* progress = nullptr;
    try {
        m_db.BeginBatch();
        CppSQLite3Table music = m_db.GetAllMusic(0);
        std::unordered_map<std::string, std::string> flags;
        for (auto& [path, value] : musicrows::FlagsOf(m_db, 0))
            flags[path] = value;
        m_db.CommitBatch();

        progress = new CModelessInitDlg;
        progress->Create(CModelessInitDlg::IDD, this);
        progress->ShowWindow(SW_SHOW);
        progress->UpdateWindow();
        progress->SetText("Checking the Database");
        progress->StartProgress(0, std::min(music.RowCount(), 65535), 1);
        for (int r = 0; r < music.RowCount(); ++r) {
            music.SetRow(r);
            const char* stored = music.FieldText(0);
            const std::string path = m_fn.UnescapeSql(stored ? stored : "");
            if (path != "dummydb" && ProbeFile(path) == 0) {
                const auto flag = flags.find(stored ? stored : "");
                CMemArrayLarge row = musicrows::FromTable(music, flag == flags.end() ? "0" : flag->second, true);
                row.SetCol(19, m_fn.FileExists(path) ? kUndecodable : kMissing);
                m_rows.push_back(row);
            }
            progress->Step();
        }
    } catch (const std::exception& e) {
        m_db.AbortBatch();
        failure::Report(failure::Describe("Checking the music database", e, m_db.FileName()));
    }
    if (progress)
        progress->DestroyWindow();
    m_list.SetItemCount(int(m_rows.size()));
    m_list.Invalidate();
    if (!m_rows.empty())
        SortRows();
}

void CDatabaseCheck::SortRows()
{
    managers::SortRows(m_rows, m_sort.Keys(), m_sort.descending);
    m_list.Invalidate();
}

LRESULT CDatabaseCheck::OnGetCell(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    if (!cell)
        return 0;
    StripeRow(*cell, g_colorAllRows != 0);
    const int row = cell->GetItem();
    if (row >= 0 && row < int(m_rows.size()))
        cell->text = m_rows[size_t(row)].Col(cell->GetSubItem());
    return 0;
}

BOOL CDatabaseCheck::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && hdr->code == HDN_ITEMCLICK) {
        if (!m_rows.empty()) {
            managers::WaitCursor wait(*this);
            m_sort.Promote(reinterpret_cast<const NMHEADER*>(hdr)->iItem, true);
            SortRows();
        }
        return TRUE;
    }
    return CDialogEx::OnNotify(wParam, lParam, result);
}

void CDatabaseCheck::OnSaveToFile()
{
    CFileDialog dlg(FALSE, ".csv", "Musicdatabase.csv", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||", this);
    if (dlg.DoModal() != IDOK)
        return;
    managers::WaitCursor wait(*this);
    std::vector<std::string> lines;
    for (const CMemArrayLarge& row : m_rows)
        lines.push_back(musiccsv::Line(row, 19));
    if (!listfile::WriteLines(dlg.GetPathName(), lines))
        AfxMessageBox("Unable To Open The File!", MB_OK | MB_ICONINFORMATION);
    UpdateData(FALSE);
}

void CDatabaseCheck::OnDeleteAll()
{
    if (AfxMessageBox("Do you want delete the music from the Databases?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    try {
        managers::WaitCursor wait(*this);
        m_db.BeginBatch();
        for (const CMemArrayLarge& row : m_rows) {
            const std::string& path = row.Col(1);
            if (path.empty())
                continue;
            m_db.DeleteMusicRow(path, 0);
            m_db.DeleteMarkerComments(path, 0);
        }
        m_db.CommitBatch();
    } catch (const std::exception& e) {
        m_db.AbortBatch();
        failure::Report(failure::Describe("Deleting songs from the music database", e, m_db.FileName()));
    }
    RunCheck();
}

BOOL CDatabaseCheck::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}
