#pragma once
// The document editor (template 219, menu 220): a modeless, resizable window
// for lyrics, cue sheets and choreography texts. The main window makes a new
// one for every edit request; closing it destroys it. Two views share one
// place: the HTML view (design mode) for HTML, MHT and PDF files, web
// addresses, cue sheets of the record database and HTML choreographies, and
// the rich text view for TXT and RTF files, text choreographies and the
// checker's output; an optional read-only pane below the HTML view shows the
// document's HTML text.
//
// Files: DlgEdit.cpp (window, layout, views, design mode, font, edit
// commands, closing), DlgEditDocuments.cpp (document kinds, opening, saving,
// printing), DlgEditDatabase.cpp (cue sheets and choreographies of the
// databases, the checker's output).
#include "controls/PPToolTip.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/RichEditCtrl.h"
#include "platform/win/ToolBar.h"

#include <memory>
#include <string>

class CHtmlEditCtrl2;

class CDlgEdit : public CDialogEx {
public:
    enum { IDD = 219 };
    explicit CDlgEdit(CWnd* parent = nullptr);
    ~CDlgEdit() override;

    // ---- documents (DlgEditDocuments.cpp) ----
    // Opens a document; with remember it becomes the editor's document. An empty path gives a new one.
    void LoadDocument(const std::string& path, bool remember);
    // HTM, HTML, PDF, MHT, "http:" and "[db]" paths, when the window has an HTML view.
    bool IsHtmlDocument(const std::string& path) const;
    // TXT and RTF paths (any case).
    bool IsTextDocument(const std::string& path) const;
    void OpenFromFile();
    // Both answer whether the document was written.
    bool SaveDocument();
    bool SaveDocumentAs();
    // Writes one file whole or not at all (through a file beside it that then replaces it);
    // ".rtf"/".RTF" takes the text view as RTF in place of the text. A failure is reported.
    bool WriteDocumentFile(const std::string& path, const std::string& text);
    void PrintDocument();

    // ---- databases and the checker (DlgEditDatabase.cpp) ----
    void LoadDbCueSheet(const std::string& reference);
    void OpenFromCueSheetDb();
    void OpenFromChoreoDb();
    void SaveToChoreoDb();
    void DeleteFromChoreoDb();
    // Both answer whether the entry was stored.
    bool SaveHtmlToChoreoDb(const std::string& reference);
    bool SaveTextToChoreoDb(const std::string& reference);
    // Offers to pair the loaded song with the saved document as its lyrics.
    void AskMarryLyrics();
    void GetFromSd();
    void FormatSdOutput();

    // ---- the window (DlgEdit.cpp) ----
    void ShowHtmlView(bool html);
    void ArrangeControls();
    void NewDocument();
    void ToggleHtmlSource();
    void ReloadDocument();
    void SelectEditorFont();
    // size: a stored font height (negative for a character height); apply puts it on the text view.
    void ApplyEditorFont(int size, int weight, int italic, const std::string& face, bool apply);
    // Switches the HTML view to design mode when the timer is the design timer.
    void EnterDesignMode(UINT_PTR timerId);
    // Unsaved changes: in the HTML view since design mode began, else in the text view.
    bool IsModified();
    // Asks about unsaved changes; false keeps the window open.
    bool ConfirmClose();

    // What the window holds and shows.
    const std::string& GetDocument() const { return m_path; }
    const std::string& GetDbReference() const { return m_dbReference; }
    const std::string& GetCheckerFile() const { return m_sdPath; }
    bool IsSourceShown() const { return m_sourceShown; }
    CHtmlEditCtrl2* GetBrowser() const { return m_browser.get(); }
    CRichEditCtrl& GetTextView() { return m_textView; }
    CToolBar& GetToolBar() { return m_toolbar; }
    const LOGFONT& GetEditorFont() const { return m_fontDescription; }
    UINT_PTR GetDesignTimer() const { return m_designTimer; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Esc and Exit close like the close box: after the question about unsaved changes.
    void OnCancel() override { CloseEditor(); }
    void OnOK() override {}

    DECLARE_MESSAGE_MAP()
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnTimer(UINT_PTR id);
    void OnClose() { CloseEditor(); }
    void OnDropFiles(HDROP drop);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnTextChange() { UpdateData(TRUE); }
    void OnExit() { CloseEditor(); }
    void OnUndo();
    void OnRedo();
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnDelete();
    void OnBold();
    void OnItalic();
    void OnUnderline();
    void OnLineBreak();
    void OnSaveButton() { SaveDocument(); }
    void OnSaveAs() { SaveDocumentAs(); }

private:
    void CloseEditor();
    // Whether the commands act on the HTML view: HTML documents, and a database
    // choreography while it is shown there.
    bool EditsHtml() const;
    void ToggleTextEffect(DWORD effect);
    // Navigates the HTML view and starts the design timer.
    void NavigateHtmlView(const std::string& path);
    // The text view's text, replaced without counting as an edit.
    void SetViewText(const std::string& text);
    void RememberHtmlState();
    // The HTML view's document text; false (with a box) when the view has none.
    bool TakeHtmlText(std::string& text);
    // After an HTML document was written to path.
    void AfterHtmlSave(const std::string& path);
    std::string ProposedTextName() const;

    std::string m_path;        // the document Save, Print and the HTML test work on
    std::string m_dbReference; // where a database document came from
    std::string m_lyricsFolder;
    std::string m_sdPath;
    bool m_sourceShown = false;
    std::unique_ptr<CHtmlEditCtrl2> m_browser;
    UINT_PTR m_designTimer = 0;
    // The HTML text when design mode began, to tell whether it was edited.
    std::string m_htmlAtDesign;
    bool m_htmlAtDesignKnown = false;

    CFont m_font;
    LOGFONT m_fontDescription{};
    CToolBar m_toolbar;
    CRichEditCtrl m_textView;
    std::string m_text;
    std::string m_source;
    CPPToolTip m_tooltip;
    CMusicDb m_db;
    MyFunctions m_fn;
};
