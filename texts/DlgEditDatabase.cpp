// CDlgEdit: cue sheets of the record database, choreographies of choreo.db,
// pairing a saved document with the loaded song, and the checker's output.
#include "texts/ChoreoSaveToDb.h"
#include "texts/DlgEdit.h"
#include "texts/GetFromMusicDb.h"
#include "texts/HtmlEditCtrl2.h"
#include "texts/SdOutput.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/DataFile.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/FileDialog.h"

#include <cstdio>
#include <vector>

// ---- cue sheets --------------------------------------------------------------------------------

void CDlgEdit::LoadDbCueSheet(const std::string& reference)
{
    const std::string label = reference.size() > 4 ? reference.substr(4) : std::string();
    CUtilityDb utility;
    const std::string page = m_fn.AddBackslash(g_baseFolder) + "edit.html";
    const bool written = WriteDocumentFile(page, utility.RenderCueSheetCss(label));
    CppSQLite3Table record = utility.GetRecordWithCueSheet(label);
    std::string title = label;
    if (record.RowCount() > 0) {
        record.SetRow(0);
        title = m_fn.UnescapeSql(record.FieldTextOr(4));
    }
    m_path = "[db]" + title;
    if (written)
        NavigateHtmlView(page);
    UpdateData(FALSE);
}

void CDlgEdit::OpenFromCueSheetDb()
{
    CGetFromMusicDb picker(1, this);
    // Select without a marked record hands back no label: nothing to open.
    if (picker.DoModal() == IDOK && !picker.GetLabel().empty())
        LoadDocument("[db]" + picker.GetLabel(), true);
    UpdateData(FALSE);
}

// ---- choreographies ----------------------------------------------------------------------------

bool CDlgEdit::EditsHtml() const
{
    // A database choreography has no extension: the view it was opened in tells.
    if (CChoreoRef::IsReference(m_path))
        return m_browser && m_browser->GetVisible();
    return IsHtmlDocument(m_path);
}

void CDlgEdit::OpenFromChoreoDb()
{
    CChoreoSaveToDb dialog(m_dbReference, CChoreoSaveToDb::kOpen, this);
    if (dialog.DoModal() == IDOK) {
        const CChoreoRef ref(dialog.GetLevelCode(), dialog.GetName(), dialog.GetType(), "");
        m_path = ref.GetEncoded();
        LoadDocument(m_path, false);
        m_dbReference = m_path;
    }
    UpdateData(FALSE);
}

void CDlgEdit::SaveToChoreoDb()
{
    UpdateData(TRUE);
    const bool html = EditsHtml();
    CChoreoSaveToDb dialog(m_dbReference, CChoreoSaveToDb::kSave, this);
    if (dialog.DoModal() == IDOK) {
        const CChoreoRef ref(dialog.GetLevelCode(), dialog.GetName(), dialog.GetType(), "");
        const bool saved = html ? SaveHtmlToChoreoDb(ref.GetEncoded()) : SaveTextToChoreoDb(ref.GetEncoded());
        if (saved) {
            m_path = ref.GetEncoded();
            SetWindowText("Database: " + dialog.GetLevelCode() + " - " + dialog.GetName());
            m_dbReference = m_path;
        }
    }
    UpdateData(FALSE);
}

bool CDlgEdit::SaveHtmlToChoreoDb(const std::string& reference)
{
    std::string text;
    if (!TakeHtmlText(text))
        return false;
    const CChoreoRef ref(reference);
    CChoreoDb().SaveEntry(ref.GetTable(), ref.GetName(), ref.GetType(), "[html]" + text, 1, 1);
    RememberHtmlState();
    return true;
}

bool CDlgEdit::SaveTextToChoreoDb(const std::string& reference)
{
    std::string value;
    const int lines = m_textView.GetLineCount();
    for (int i = 0; i < lines; ++i) {
        const int length = m_textView.LineLength(m_textView.LineIndex(i));
        if (length > 0) {
            std::vector<char> line(size_t(length) + 1);
            const int got = m_textView.GetLine(i, line.data(), length);
            value.append(line.data(), size_t(std::max(0, got)));
        }
        value += "<br>";
    }
    const CChoreoRef ref(reference);
    CChoreoDb().SaveEntry(ref.GetTable(), ref.GetName(), ref.GetType(), value, 1, 1);
    m_textView.SetModify(FALSE);
    return true;
}

void CDlgEdit::DeleteFromChoreoDb()
{
    CChoreoSaveToDb dialog(m_dbReference, CChoreoSaveToDb::kDelete, this);
    if (dialog.DoModal() == IDOK)
        CChoreoDb().DeleteEntry(dialog.GetLevelCode(), dialog.GetName(), 1);
    UpdateData(FALSE);
}

// ---- pairing with the song ---------------------------------------------------------------------

void CDlgEdit::AskMarryLyrics()
{
    if (g_currentSongPath.empty())
        return;
    const std::string question = "Use this lyric when \"" + g_currentSongPath + "\" is played next time?";
    if (::MessageBox(m_hWnd, question, "Mirtal", MB_YESNO | MB_ICONQUESTION) == IDYES)
        CMusicDb().SetMarriage(g_currentSongPath, m_path, 1);
}

// ---- the checker's output ----------------------------------------------------------------------

void CDlgEdit::GetFromSd()
{
    CFileDialog dialog(TRUE, ".txt", m_sdPath.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Text files (*.txt)|*.txt|All Files (*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    BeginWaitCursor();
    m_sdPath = dialog.GetPathName();
    m_path = m_sdPath;
    m_db.SetSetting("general - sdpath", m_sdPath, 1);
    SetWindowText(m_path);
    CDataFile file;
    if (!file.Open(m_sdPath, CDataFile::modeRead)) {
        EndWaitCursor();
        SetViewText("");
        UpdateData(FALSE);
        return;
    }
    ShowHtmlView(false);
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line))
        lines.push_back(line);
    file.Close();
    const std::string text = sdoutput::WithoutHeaders(lines);
    EndWaitCursor();
    const bool deleted =
        ::MessageBox(m_hWnd, "Do you want to delete " + m_sdPath + " ?", "Mirtal", MB_YESNO | MB_ICONQUESTION) ==
            IDYES &&
        std::remove(m_sdPath.c_str()) == 0;
    SetViewText(text);
    // With its file gone, the imported text is kept only by saving it.
    m_textView.SetModify(deleted);
    UpdateData(FALSE);
}

void CDlgEdit::FormatSdOutput()
{
    UpdateData(TRUE);
    m_text = sdoutput::Format(m_text);
    m_textView.SetWindowText(m_text);
    m_textView.SetModify(TRUE);
    UpdateData(TRUE);
}
