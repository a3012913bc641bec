// CDlgEdit: the kinds of documents, opening, saving and printing them.
#include "texts/CueSheetCss.h"
#include "texts/DlgEdit.h"
#include "texts/HtmlEditCtrl2.h"
#include "texts/TextFiles.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "store/TextReplace.h"
#include "store/UtilityDb.h"
#include "platform/win/FileDialog.h"
#include "platform/win/Shell.h"
#include "platform/win/WholeFile.h"

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool startsWith(const std::string& text, const char* head) { return text.rfind(head, 0) == 0; }

// Every line break as CR LF, and one after the last line.
std::string withCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out + "\r\n";
}

DWORD appendToText(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size_t(count));
    *done = count;
    return 0;
}

} // namespace

// ---- kinds -------------------------------------------------------------------------------------

bool CDlgEdit::IsHtmlDocument(const std::string& path) const
{
    if (!m_browser)
        return false;
    const std::string ext = m_fn.GetExtension(path);
    return ext == "HTM" || ext == "HTML" || ext == "PDF" || ext == "MHT" || startsWith(path, "http:") ||
           startsWith(path, "[db]");
}

bool CDlgEdit::IsTextDocument(const std::string& path) const
{
    const std::string ext = m_fn.GetExtension(path);
    return ext == "TXT" || ext == "RTF";
}

// ---- opening -----------------------------------------------------------------------------------

void CDlgEdit::LoadDocument(const std::string& path, bool remember)
{
    if (remember)
        m_path = path;
    if (startsWith(path, "[db]") || startsWith(path, "[cho"))
        m_dbReference = path;
    m_fn.EnterDataFolder();
    if (!path.empty()) {
        CChoreoRef ref;
        ref.Parse(path);
        if (ref.IsReference()) {
            const std::string value = CChoreoDb().GetEntryValue(path, 1);
            if (startsWith(value, "[html]") && m_browser) {
                ShowHtmlView(true);
                const std::string page = m_fn.AddBackslash(g_baseFolder) + "edit.html";
                if (WriteDocumentFile(page, value.substr(6)))
                    NavigateHtmlView(page);
            } else {
                // Without an HTML view an HTML choreography shows its text.
                ShowHtmlView(false);
                SetWindowText("Database Choreography: " + m_fn.UnescapeSql(ref.GetName()));
                SetViewText(store::ReplaceAll(value, "<br>", "\n"));
            }
        } else if (IsHtmlDocument(path)) {
            ShowHtmlView(true);
            m_source.clear();
            if (CUtilityDb::IsDbReference(path)) {
                LoadDbCueSheet(path);
                SetWindowText(m_path.substr(std::min<size_t>(4, m_path.size())));
            } else {
                NavigateHtmlView(path);
                SetWindowText(m_path);
            }
        } else if (IsTextDocument(path)) {
            ShowHtmlView(false);
            m_source.clear();
            if (textfiles::IsRtfPath(path)) {
                const textfiles::RtfLoad load = textfiles::LoadRtf(m_textView, path);
                if (load != textfiles::RtfLoad::NotOpened) {
                    m_textView.SetModify(FALSE);
                    UpdateData(TRUE);
                }
                if (load != textfiles::RtfLoad::Loaded)
                    ::MessageBox(m_hWnd, "Unable To Open The File!", "Mirtal", MB_ICONINFORMATION);
            } else {
                SetViewText(textfiles::ReadPlainText(path));
            }
            SetWindowText(m_path);
        } else {
            ShowHtmlView(false);
            m_source.clear();
            m_fn.OpenDocument(path);
        }
    }
    UpdateData(FALSE);
}

void CDlgEdit::OpenFromFile()
{
    CFileDialog dialog(TRUE, ".txt", m_path.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "All Files (*.*)|*.*| Text files (*.txt)|*.txt|RTF files (*.rtf)|*.rtf|"
                       "HTML files (*.html, *.htm)|*.html;*.htm||",
                       this);
    if (dialog.DoModal() == IDOK)
        LoadDocument(dialog.GetPathName(), true);
    UpdateData(FALSE);
}

// ---- saving ------------------------------------------------------------------------------------

bool CDlgEdit::WriteDocumentFile(const std::string& path, const std::string& text)
{
    std::string bytes;
    if (textfiles::IsRtfPath(path)) {
        EDITSTREAM es;
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&bytes);
        es.pfnCallback = appendToText;
        m_textView.StreamOut(SF_RTF, es);
    } else {
        bytes = withCrLf(text);
    }
    std::string failure;
    if (win::WriteWholeFile(path, bytes, &failure))
        return true;
    ::MessageBox(m_hWnd, "Could not save " + path + ":\n" + failure + "\n\nThe file on disk is unchanged.", "Mirtal",
                 MB_ICONEXCLAMATION);
    return false;
}

bool CDlgEdit::TakeHtmlText(std::string& text)
{
    text.clear();
    if (m_browser && m_browser->GetDocumentHtml(text, false) == S_OK)
        return true;
    // A PDF or a page that did not load has no HTML text: writing would leave an empty file.
    ::MessageBox(m_hWnd, "This document has no HTML text that could be saved (a PDF file or a web page that is not "
                         "shown).\n\nNothing was saved.",
                 "Mirtal", MB_ICONINFORMATION);
    return false;
}

void CDlgEdit::AfterHtmlSave(const std::string& path)
{
    // The saved page links "cuesheet2.css" in its own folder.
    const fs::path folder = fs::path(path).parent_path();
    WriteCueSheetCss(true, (folder.empty() ? fs::path("cuesheet2.css") : folder / "cuesheet2.css").string());
    AskMarryLyrics();
    RememberHtmlState();
}

bool CDlgEdit::SaveDocument()
{
    UpdateData(TRUE);
    // Without a file of its own (new, a web address, a database choreography, a file the
    // editor only handed to the shell) the document is saved under a name the user chooses.
    if (m_path.empty() || startsWith(m_path, "http:") || startsWith(m_path, CChoreoRef::kTableTag))
        return SaveDocumentAs();
    bool saved = false;
    if (IsHtmlDocument(m_path)) {
        std::string text;
        if (!TakeHtmlText(text))
            return false;
        std::string target = m_path;
        if (CUtilityDb::IsDbReference(m_path)) {
            if (m_lyricsFolder.empty())
                return SaveDocumentAs();
            win::SetCurrentDirectory(m_lyricsFolder);
            target = m_fn.AddBackslash(m_lyricsFolder) + m_path.substr(4) + ".html";
        }
        if (!WriteDocumentFile(target, text))
            return false;
        m_path = target;
        AfterHtmlSave(m_path);
        SetWindowText(m_path);
        SendCommand(CMD_RELOAD_LYRICS);
        saved = true;
    } else if (!IsTextDocument(m_path)) {
        return SaveDocumentAs();
    } else {
        if (!WriteDocumentFile(m_path, m_text))
            return false;
        m_textView.SetModify(FALSE);
        SetWindowText(m_path);
        saved = true;
    }
    UpdateData(FALSE);
    return saved;
}

std::string CDlgEdit::ProposedTextName() const
{
    if (!startsWith(m_path, CChoreoRef::kTableTag))
        return m_path;
    const size_t from = std::strlen(CChoreoRef::kTableTag);
    const size_t to = m_path.find(CChoreoRef::kTypeTag);
    if (to == std::string::npos || to < from)
        return {};
    return store::ReplaceAll(m_path.substr(from, to - from), CChoreoRef::kNameTag, " - ");
}

bool CDlgEdit::SaveDocumentAs()
{
    UpdateData(TRUE);
    bool saved = false;
    if (EditsHtml()) {
        std::string text;
        if (!TakeHtmlText(text))
            return false;
        std::string proposed = m_path;
        if (CUtilityDb::IsDbReference(m_path)) {
            if (!m_lyricsFolder.empty())
                win::SetCurrentDirectory(m_lyricsFolder);
            proposed = (m_lyricsFolder.empty() ? std::string() : m_fn.AddBackslash(m_lyricsFolder)) + m_path.substr(4);
        }
        CFileDialog dialog(FALSE, ".html", proposed.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "Html (*.html, *.html)|*.html;*.htm|All Files (*.*)|*.*||", this);
        if (dialog.DoModal() == IDOK && WriteDocumentFile(dialog.GetPathName(), text)) {
            m_path = dialog.GetPathName();
            AfterHtmlSave(m_path);
            saved = true;
        }
        SetWindowText(m_path);
        SendCommand(CMD_RELOAD_LYRICS);
    } else {
        const std::string proposed = ProposedTextName();
        CFileDialog dialog(FALSE, ".txt", proposed.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "Text files (*.txt)|*.txt|RTF files (*.rtf)|*.rtf|All Files (*.*)|*.*||", this);
        if (dialog.DoModal() == IDOK && WriteDocumentFile(dialog.GetPathName(), m_text)) {
            m_textView.SetModify(FALSE);
            m_path = dialog.GetPathName();
            saved = true;
        }
        SetWindowText(m_path);
    }
    UpdateData(FALSE);
    return saved;
}

// ---- printing ----------------------------------------------------------------------------------

void CDlgEdit::PrintDocument()
{
    if (m_path.empty()) {
        ::MessageBox(m_hWnd, "Save the file first!", "Mirtal", MB_ICONINFORMATION);
        return;
    }
    ShellExecute(m_hWnd, "print", m_path, "", "", SW_SHOWMINIMIZED);
}
