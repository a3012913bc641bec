#include "texts/SqRecord.h"
#include "controls/RowColours.h"

#include "texts/DialogImportChooser.h"
#include "options/ListFont.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/CommandCodes.h"
#include "store/DataFile.h"
#include "store/FailureReport.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dc.h"
#include "platform/win/MessageBox.h"
#include "store/TextReplace.h"

#include <algorithm>
#include <exception>
#include <numeric>

namespace {

constexpr int kSearchField = 1067;
constexpr int kRecordsField = 1068;
constexpr int kHitsField = 1114;
constexpr int kCompaniesField = 1115;
constexpr int kCallersField = 1116;
constexpr int kTypeList = 1110;
constexpr int kCompanyList = 1111;
constexpr int kCallerList = 1112;
constexpr int kSearchButton = 1117;
constexpr int kClearButton = 1118;
constexpr int kList = 1009;
constexpr int kSink = 1004;
constexpr int kScrollStep = 30;
constexpr int kSortKeys = 4; // the leading entries of the key order that decide

constexpr const char* kTabletKeyword = "zestgoblinry-";
constexpr size_t kTabletKeywordLength = 13;

} // namespace

int CSqRecord::s_keyOrder[20] = {};
int CSqRecord::s_descending = 0;

BEGIN_MESSAGE_MAP(CSqRecord, CDialogEx)
    ON_BN_CLICKED(kSearchButton, OnSearch)
    ON_BN_CLICKED(kClearButton, OnClearAll)
    ON_NOTIFY(LVN_COLUMNCLICK, kList, OnColumnClick)
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetCell)
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_LBUTTONDOWN()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSqRecord::CSqRecord(CWnd* parent) : CDialogEx(IDD, parent) {}

CSqRecord::~CSqRecord() = default;

void CSqRecord::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Control(dx, kTypeList, m_typeList);
    DDX_Control(dx, kCompanyList, m_companyList);
    DDX_Control(dx, kCallerList, m_callerList);
    DDX_Control(dx, kSearchButton, m_searchButton);
    DDX_Control(dx, kClearButton, m_clearButton);
    DDX_Text(dx, kSearchField, m_search);
    DDX_Text(dx, kHitsField, m_hits);
    DDX_Text(dx, kRecordsField, m_records);
    DDX_Text(dx, kCompaniesField, m_companies);
    DDX_Text(dx, kCallersField, m_callers);
}

BOOL CSqRecord::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_tooltip.Create(this, TRUE);
    m_tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);
    m_tooltip.AddTool(&m_searchButton, "Search for records");
    m_tooltip.AddTool(&m_clearButton, "Clear the searchfields");
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));

    for (const char* type : {"Title", "Label", "Caller", "Company"})
        m_typeList.AddString(type);
    m_typeList.SetCurSel(0);

    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.InsertColumn(0, "Label", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "Title", LVCFMT_LEFT, 200);
    m_list.InsertColumn(2, "Caller", LVCFMT_CENTER, 150);
    m_list.InsertColumn(3, "Company", LVCFMT_CENTER, 150);

    CClientDC dc(this);
    const LOGFONT lf = options::ToolsListFont(m_settings, 1, dc.GetDeviceCaps(LOGPIXELSY), g_japanese != 0);
    m_listFont.CreateFontIndirect(&lf);
    m_list.SetFont(&m_listFont);

    m_hits = m_records = m_companies = m_callers = 0;
    std::iota(std::begin(s_keyOrder), std::end(s_keyOrder), 0);
    s_descending = 0;

    FillChoices();
    Layout();
    UpdateData(FALSE);
    return TRUE;
}

void CSqRecord::FillChoices()
{
    CUtilityDb db;
    db.BeginBatch();
    CppSQLite3Table companies = db.GetCompanies(0);
    CppSQLite3Table callers = db.GetCallers(0);
    m_records = db.CountRecords(0);
    db.CommitBatch();

    m_companies = companies.RowCount();
    m_companyList.ResetContent();
    m_companyList.AddString("(All Companys)");
    m_companyList.SetCurSel(0);
    for (int row = 0; row < companies.RowCount(); ++row) {
        companies.SetRow(row);
        m_companyList.AddString(companies.FieldTextOr(0, ""));
    }
    m_callers = callers.RowCount();
    m_callerList.ResetContent();
    m_callerList.AddString("(All Callers)");
    m_callerList.SetCurSel(0);
    for (int row = 0; row < callers.RowCount(); ++row) {
        callers.SetRow(row);
        m_callerList.AddString(m_fn.UnescapeSql(callers.FieldTextOr(0, "")));
    }
}

void CSqRecord::RefreshBackground()
{
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_list.Invalidate();
    UpdateData(FALSE);
}

// ---- searching --------------------------------------------------------------------------------

std::string CSqRecord::FilterText(CComboBox& list) const
{
    const int index = list.GetCurSel();
    if (index == 0)
        return {};
    // A name typed into the field (no item chosen) narrows the search as well.
    return store::TrimRight(index > 0 ? list.GetLBText(index) : list.GetWindowText());
}

void CSqRecord::OnSearch()
{
    UpdateData(TRUE);
    if (!RunKeyword(m_search)) {
        BeginWaitCursor();
        m_list.SetItemCount(0);
        m_hits = 0;
        const std::string company = FilterText(m_companyList);
        const std::string caller = FilterText(m_callerList);
        CppSQLite3Table hits = CUtilityDb().SearchRecords(m_search, m_typeList.GetCurSel(), company, caller);
        m_rows.clear();
        m_rows.reserve(size_t(hits.RowCount()));
        for (int row = 0; row < hits.RowCount(); ++row) {
            hits.SetRow(row);
            CMemArray r;
            r.SetCol(0, hits.FieldTextOr(0, ""));
            r.SetCol(1, m_fn.UnescapeSql(hits.FieldTextOr(1, "")));
            r.SetCol(2, m_fn.UnescapeSql(hits.FieldTextOr(2, "")));
            r.SetCol(3, hits.FieldTextOr(3, ""));
            m_rows.push_back(std::move(r));
        }
        m_hits = int(m_rows.size());
        m_list.SetItemCount(m_hits);
        m_list.Invalidate();
        EndWaitCursor();
    }
    FocusSearchField();
}

void CSqRecord::OnClearAll()
{
    m_hits = 0;
    m_rows.clear();
    m_list.SetItemCount(0);
    m_list.Invalidate();
    m_search.clear();
    m_typeList.SetCurSel(0);
    m_companyList.SetCurSel(0);
    m_callerList.SetCurSel(0);
    FocusSearchField();
}

void CSqRecord::FocusSearchField()
{
    if (CWnd* field = GetDlgItem(kSearchField))
        field->SetFocus();
    UpdateData(FALSE);
}

LRESULT CSqRecord::OnGetCell(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    const int row = cell->GetItem();
    if (row < 0 || row >= int(m_rows.size()))
        return 0;
    const int column = cell->GetSubItem();
    cell->text = column >= 0 && column <= 3 ? m_rows[size_t(row)].GetCol(column) : std::string();
    StripeRow(*cell);
    return 0;
}

// ---- sorting ----------------------------------------------------------------------------------

void CSqRecord::OnColumnClick(NMHDR* hdr, LRESULT* result)
{
    if (m_hits > 0)
        SortByColumn(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
    *result = 0;
}

void CSqRecord::SortByColumn(int column)
{
    BeginWaitCursor();
    s_descending = s_keyOrder[0] == column ? !s_descending : 0;
    // The clicked column first; the others keep their order, the latest clicked first.
    int* at = std::find(std::begin(s_keyOrder), std::end(s_keyOrder), column);
    if (at != std::end(s_keyOrder))
        std::rotate(std::begin(s_keyOrder), at, at + 1);
    int keys[kSortKeys];
    std::copy_n(std::begin(s_keyOrder), kSortKeys, keys);
    const bool descending = s_descending != 0;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const CMemArray& a, const CMemArray& b) {
        for (const int key : keys) {
            const int cmp = a.GetCol(key).compare(b.GetCol(key));
            if (cmp != 0)
                return descending ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    m_list.Invalidate();
    EndWaitCursor();
}

// ---- maintenance keywords ---------------------------------------------------------------------

void CSqRecord::Report(const std::string& text, UINT icon)
{
    ::MessageBox(m_hWnd, text.c_str(), "Mirtal", MB_OK | icon);
}

bool CSqRecord::RunKeyword(const std::string& text)
{
    const bool tablet = text.compare(0, kTabletKeywordLength, kTabletKeyword) == 0;
    static const char* const kKeywords[] = {"loadtrebquemix", "brimfoxtale",  "glenpodwarbcut", "hollyvanecropsteamy",
                                            "quiltmarbdoven", "vapkern",      "driftwelkpon"};
    if (!tablet && std::find(std::begin(kKeywords), std::end(kKeywords), text) == std::end(kKeywords))
        return false;

    // Each operation says what it did; a failure is a message, and the window goes on.
    std::string doing;
    try {
        CDialogImportChooser chooser(this);
        if (text == "loadtrebquemix") {
            doing = "Importing the record list failed.";
            const CUtilityDb::RecordImport result = CUtilityDb().ImportRecordList(chooser);
            if (result.replaced) {
                FillChoices();
                Report("The record catalogue now holds " + m_fn.IntToString(result.records) + " records.");
            }
        } else if (text == "brimfoxtale") {
            doing = "Importing the calls list failed.";
            if (CUtilityDb().ImportCallsList(chooser))
                Report("The calls lists are replaced.");
        } else if (text == "glenpodwarbcut") {
            doing = "Importing the cue sheets failed.";
            if (CUtilityDb().ImportCueSheets(chooser))
                Report("The cue sheets are replaced.");
        } else if (text == "hollyvanecropsteamy") {
            doing = "Building the short cue sheets failed.";
            CUtilityDb().BuildShortCueSheets();
            Report("The short cue sheets are rebuilt.");
        } else if (text == "quiltmarbdoven") {
            doing = "Writing the cue-sheet files failed.";
            static const char* const kFiles[] = {"cuesheet.txt", "cuesheetshort.txt", "cuesheetcsv.csv",
                                                 "cuesheetshortcsv.csv"};
            std::string written;
            std::string failed;
            CUtilityDb db;
            for (int type = 1; type <= 4; ++type)
                (db.WriteCueSheetFiles(type) ? written : failed) += std::string("\n") + kFiles[type - 1];
            if (!written.empty())
                Report("Written in " + g_baseFolder + ":" + written);
            if (!failed.empty())
                Report("Can't write in " + g_baseFolder + ":" + failed, MB_ICONEXCLAMATION);
        } else if (tablet) {
            const std::string folder = text.substr(kTabletKeywordLength);
            if (folder.empty()) {
                Report("Write the tablet's music folder after \"zestgoblinry-\".", MB_ICONEXCLAMATION);
            } else {
                doing = "Writing the tablet database failed.";
                CMusicDb().WriteTabletDatabase(folder);
                Report("The tablet database mirtaltablet.db is written for the folder " + folder + ".");
            }
        } else if (text == "vapkern") {
            if (m_openTextCaseTool)
                m_openTextCaseTool(*this);
            else
                Report("The text-case tool is not available here.", MB_ICONEXCLAMATION);
        } else if (text == "driftwelkpon") {
            doing = "Writing the choreography statistics failed.";
            CChoreoDb().ExportStatistics();
            const std::string path = CChoreoDb::StatisticsPath();
            if (CDataFile::Exists(path) == CDataFile::kFileExists)
                Report("The choreography statistics are written to " + path + ".");
        }
    } catch (const std::exception& e) {
        EndWaitCursor();
        Report(failure::Describe(doing, e), MB_ICONEXCLAMATION);
    }
    return true;
}

// ---- window -----------------------------------------------------------------------------------

void CSqRecord::OnClose()
{
    const HWND self = m_hWnd;
    SendCommand(CMD_RECORDDB_CLOSED);
    // The report has normally destroyed the window.
    if (::IsWindow(self))
        ShowWindow(SW_HIDE);
}

BOOL CSqRecord::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

void CSqRecord::OnLButtonDown(UINT flags, CPoint point)
{
    CDialogEx::OnLButtonDown(flags, point);
    if (CWnd* sink = GetDlgItem(kSink))
        sink->SetFocus();
    UpdateData(FALSE);
}

void CSqRecord::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    Layout();
}

void CSqRecord::Layout()
{
    if (!m_hWnd || !m_list.m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    const int width = client.Width();
    const int height = client.Height();
    const int w = (width - 382) / 3;
    if (g_largeLayout) {
        m_list.MoveWindow(300, 10, width - 310, height - 20);
        m_list.SetColumnWidth(1, w);
        m_list.SetColumnWidth(2, w - 15);
        m_list.SetColumnWidth(3, w - 20);
    } else {
        m_list.MoveWindow(270, 10, width - 280, height - 20);
        for (int column = 1; column <= 3; ++column)
            m_list.SetColumnWidth(column, w);
    }
}

bool CSqRecord::SinkHasFocus() const
{
    const CWnd* focus = CWnd::GetFocus();
    const CWnd* sink = GetDlgItem(kSink);
    return focus && sink && focus->m_hWnd == sink->m_hWnd;
}

BOOL CSqRecord::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(msg);
    if (SinkHasFocus()) {
        if (msg->message == WM_KEYDOWN) {
            const WPARAM key = msg->wParam;
            if (key == VK_PRIOR || key == VK_UP)
                m_list.Scroll(CSize(0, -kScrollStep));
            else if (key == VK_NEXT || key == VK_DOWN)
                m_list.Scroll(CSize(0, kScrollStep));
        } else if (msg->message == WM_MOUSEWHEEL) {
            const int notches = GET_WHEEL_DELTA_WPARAM(msg->wParam) / 120;
            if (notches != 0)
                m_list.Scroll(CSize(0, -notches * kScrollStep));
            return TRUE;
        }
    }
    return CDialogEx::PreTranslateMessage(msg);
}
