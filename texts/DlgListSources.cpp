// CDlgList: the page's sources, its file list and the steps through it.
#include "texts/DlgList.h"

#include "texts/ChoreoFromDb.h"
#include "texts/TextFiles.h"
#include "controls/FolderPicker.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "store/DataFile.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "store/TextReplace.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kAssyQuery =
    "sql=select * from basic where typ='assy' UNION select * from main where typ='assy' UNION "
    "select * from plus where typ='assy' UNION select * from a1 where typ='assy' UNION "
    "select * from a2 where typ='assy' UNION select * from c1 where typ='assy' UNION "
    "select * from c2 where typ='assy' UNION select * from c3a where typ='assy'UNION "
    "select * from c3b where typ='assy' UNION select * from c4 where typ='assy';";

// A cursor that waits while the page reads a list or a folder.
class WaitCursor {
public:
    explicit WaitCursor(CWnd& wnd) : m_wnd(wnd) { m_wnd.BeginWaitCursor(); }
    ~WaitCursor() { m_wnd.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    CWnd& m_wnd;
};

} // namespace

std::string CDlgList::Key(const std::string& setting) const
{
    return std::to_string(m_pageNumber) + "list_" + g_levelCode + setting;
}

void CDlgList::LoadSettings()
{
    ++m_loads;
    m_db.BeginBatch();
    if (m_fontReload) {
        const std::string face = m_db.GetSetting(Key(" - fontname"), 0);
        const int italic = m_db.GetSettingInt(Key(" - fontitalic"), 0);
        const int bold = m_db.GetSettingInt(Key(" - fontbold"), 0);
        const int size = m_db.GetSettingInt(Key(" - fontsize"), 0);
        ApplyFont(size, bold, italic, face, 1);
        ReadClockSettings();
        m_fontReload = false;
    }
    m_sourcePath = m_db.GetSetting(Key(" - path"), 0);
    m_sourceType = m_db.GetSettingInt(Key(" - type"), 0);
    m_index = m_db.GetSettingInt(Key(" - index"), 0);
    m_fullScreen = m_db.GetSettingBool(Key(" - fullscreen"), 0);
    m_db.CommitBatch();

    ArrangeControls();
    ClearShown();
    m_files.clear();
    if (m_index < 1)
        m_index = 1;
    switch (m_sourceType) {
    case kListFile: LoadListFile(m_sourcePath); break;
    case kFolder: LoadFolder(m_sourcePath); break;
    case kDocument:
        m_files.assign(1, CFileList());
        m_files[0].SetAll(1, m_sourcePath, "");
        m_index = 1;
        ShowEntry(m_sourcePath);
        m_sourceCaption = m_fn.FileTitleFromPath(m_sourcePath);
        break;
    case kDatabase: LoadDatabase(m_sourcePath); break;
    default: break;
    }
    ParkFocus();
}

void CDlgList::ClearShown()
{
    m_sourceCaption.clear();
    m_nameText.clear();
    m_typeCaption.clear();
    ShowText("");
    m_shownIndex = 0;
    m_shownTotal = 0;
    UpdateData(FALSE);
}

void CDlgList::LoadListFile(const std::string& path)
{
    m_files.clear();
    m_sourceCaption = m_fn.FileTitleFromPath(m_sourcePath);
    CDataFile file;
    if (!file.Open(path, CDataFile::modeRead)) {
        ShowText("Open " + path + " failed!");
        return;
    }
    {
        WaitCursor wait(*this);
        std::string line;
        while (file.ReadLine(line)) {
            CFileList entry;
            entry.SetAll(GetEntryCount() + 1, store::TrimRight(line), "");
            m_files.push_back(entry);
        }
    }
    file.Close();
    m_index = std::min(m_index, GetEntryCount());
    ShowEntry(GetCurrentEntry());
}

void CDlgList::LoadFolder(const std::string& path)
{
    m_files.clear();
    m_sourceCaption = m_sourcePath;
    std::error_code ec;
    const fs::path folder = fs::absolute(path, ec);
    if (ec || m_fn.ChangeDir(path) != 0)
        return;
    {
        WaitCursor wait(*this);
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code typeError;
            if (it->is_directory(typeError))
                continue;
            const std::string file = it->path().string();
            const std::string ext = m_fn.GetExtension(it->path().filename().string());
            if (ext != "TXT" && ext != "RTF" && ext != "HTM" && ext != "HTML" && ext != "MHT" && ext != "PDF")
                continue;
            CFileList entry;
            entry.SetAll(GetEntryCount() + 1, store::TrimRight(file), "");
            m_files.push_back(entry);
        }
    }
    m_index = std::min(m_index, GetEntryCount());
    ShowEntry(GetCurrentEntry());
}

void CDlgList::LoadDatabase(const std::string& text)
{
    m_files.clear();
    CChoreoDb choreo;
    const CChoreoRef ref(text);
    // The rows' names come in their stored form; the entries carry them as typed.
    const auto addRows = [&](CppSQLite3Table& rows, const std::string* table) {
        for (int row = 0; row < rows.RowCount(); ++row) {
            rows.SetRow(row);
            const std::string name = m_fn.UnescapeSql(rows.FieldTextOr(0, ""));
            const std::string type = m_fn.UnescapeSql(rows.FieldTextOr(1, ""));
            const CChoreoRef entry(table ? *table : CChoreoDb::NamePrefix(name), name, type, "");
            CFileList item;
            item.SetAll(GetEntryCount() + 1, entry.GetEncodedWithoutCall(), "");
            m_files.push_back(item);
        }
    };
    if (text.compare(0, 4, "sql=") == 0) {
        m_sourceCaption = text;
        CppSQLite3Table rows = choreo.Search(text == "sql=assy" ? std::string(kAssyQuery) : text, 1);
        addRows(rows, nullptr);
    } else {
        m_sourceCaption = "DB: " + ref.GetTable();
        if (!ref.GetName().empty())
            m_sourceCaption += ", Name: " + ref.GetName();
        if (ref.HasType())
            m_typeCaption = "Type: " + ref.GetType();
        if (!ref.GetCall().empty())
            m_typeCaption += (ref.HasType() ? ", " : "") + std::string("Call: ") + ref.GetCall();
        CppSQLite3Table rows = choreo.Search(ref.GetEncoded(), 1);
        const std::string table = ref.GetTable();
        addRows(rows, &table);
    }
    m_index = std::min(m_index, GetEntryCount());
    ShowEntry(GetCurrentEntry());
}

std::string CDlgList::GetCurrentEntry()
{
    for (CFileList& entry : m_files)
        if (entry.GetNr() == m_index) {
            entry.SetShown("1");
            return entry.GetCol1();
        }
    return std::string();
}

void CDlgList::StoreSource(int type, const std::string& path)
{
    m_db.SetSetting(Key(" - path"), path, 1);
    m_db.SetSetting(Key(" - type"), std::to_string(type), 1);
}

// ---- steps through the list -------------------------------------------------------------------

void CDlgList::SetIndex(int index)
{
    if (!m_files.empty())
        m_index = std::clamp(index, 1, GetEntryCount());
    ShowCurrent();
}

void CDlgList::ShowCurrent()
{
    ShowEntry(GetCurrentEntry());
    ParkFocus();
}

void CDlgList::OnIndexMinus10() { SetIndex(m_index - 10); }
void CDlgList::OnIndexPlus10() { SetIndex(m_index + 10); }
void CDlgList::OnIndexMinus1() { SetIndex(m_index - 1); }
void CDlgList::OnIndexPlus1() { SetIndex(m_index + 1); }

void CDlgList::ResetShownMarks()
{
    for (const CFileList& entry : m_files)
        if (entry.GetCol2() != "1")
            return;
    for (CFileList& entry : m_files)
        entry.SetShown("0");
}

void CDlgList::OnRandom()
{
    if (m_shownTotal <= 0)
        return;
    ResetShownMarks();
    std::vector<int> candidates;
    for (const CFileList& entry : m_files)
        if (entry.GetCol2() != "1")
            candidates.push_back(entry.GetNr());
    if (!candidates.empty())
        m_index = candidates[size_t(m_fn.RandomIndex(int(candidates.size())))];
    ShowCurrent();
}

void CDlgList::OnSaveForReview()
{
    const std::string entry = GetCurrentEntry();
    m_db.AddMemory(entry, 1);
    SendCommand(CMD_MEMORY_REFRESH);
    ParkFocus();
}

// ---- choosing a source ------------------------------------------------------------------------

void CDlgList::OnSelectFile()
{
    const std::string start = CChoreoRef::IsReference(m_sourcePath) ? g_baseFolder : m_sourcePath;
    CFileDialog dialog(TRUE, ".ini", start.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "All Files (*.*)|*.*|Ini files (*.ini)|*.ini|HTML files (*.html, *.htm)|*.html;*.htm|"
                       "PDF files (*.pdf)|*.pdf|Text files (*.txt)|*.txt||",
                       this);
    if (dialog.DoModal() == IDOK) {
        m_sourcePath = dialog.GetPathName();
        StoreSource(m_fn.GetExtension(m_sourcePath) == "INI" ? kListFile : kDocument, m_sourcePath);
        LoadSettings();
    }
    ParkFocus();
}

void CDlgList::OnSelectFolder()
{
    const std::string start = CChoreoRef::IsReference(m_sourcePath) ? g_baseFolder : m_sourcePath;
    CFolderPicker picker;
    const std::string chosen = picker.Browse(start);
    if (!chosen.empty()) {
        m_sourcePath = chosen;
        StoreSource(kFolder, chosen);
        LoadSettings();
    }
    ParkFocus();
}

void CDlgList::OnChoreographyFromDb()
{
    const bool keep = m_sourcePath.compare(0, 4, "sql=") == 0 || CChoreoRef::IsReference(m_sourcePath);
    CChoreoFromDb dialog(keep ? m_sourcePath : CChoreoRef::LevelQuery(g_danceLevel));
    if (dialog.DoModal() == IDOK) {
        m_sourcePath = dialog.GetResult();
        StoreSource(kDatabase, m_sourcePath);
        LoadSettings();
    }
    ParkFocus();
}
