#pragma once
// The web browser control: HTML, MHT, text files and web addresses in Qt
// WebEngine (a real browser engine), PDF files in Qt PDF's view.
//
// Besides browsing, the control offers what an HTML editor needs of the shown
// document: its HTML, design mode, the page's editing commands, the
// selection. These calls answer at once from the caller's point of view: they
// wait inside for a navigation still under way and for the page's answer.
// Every completed load gives the document a new id, so a holder of the
// document can tell that it changed.
//
// The engine starts when a view first shows a document (never before the
// first window of the program has painted, so it never delays the first
// paint) or when a caller needs a document; a hidden view only keeps the
// address it was given.
#include "platform/win/Wnd.h"

#include <memory>
#include <string>

// Status flags of a document command (QueryDocumentCommand).
constexpr int OLECMDF_SUPPORTED = 0x1;
constexpr int OLECMDF_ENABLED = 0x2;
constexpr int OLECMDF_LATCHED = 0x4;

class CWebBrowser2 : public CWnd {
public:
    CWebBrowser2();
    ~CWebBrowser2() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // A path (either slash), a file: URL or a web address; ".pdf" files show in the PDF view.
    void Navigate(const std::string& url);
    void Refresh();
    void SetVisible(BOOL visible);
    BOOL GetVisible() const;
    // True while a navigation is under way.
    BOOL GetBusy() const;
    // The address of what is shown (a local file as its path).
    std::string GetLocationURL() const;

    // The shown HTML document: 0 when there is none (nothing loaded, a PDF,
    // a failed load), otherwise an id that changes with every completed load.
    int DocumentId();
    bool IsShowingPdf() const;

    // The whole document as HTML (UTF-8; its charset declaration says so).
    bool ReadDocumentHtml(std::string& html);
    // Replaces the shown document by the HTML text; relative links resolve
    // against the address shown before.
    bool LoadDocumentHtml(const std::string& html);
    bool SetDocumentDesignMode(bool on);
    // The page's editing command by its name ("bold", "copy", ...); true when it ran.
    bool ExecDocumentCommand(const std::string& name);
    // OLECMDF_ flags of a command; 0 without a document.
    int QueryDocumentCommand(const std::string& name);
    // The selection as HTML and as plain text; false without a selection.
    bool GetSelection(std::string& html, std::string& text);
    bool DeleteSelection();
    void ScrollDocumentBy(int dx, int dy);
    // How far the document is scrolled down, in pixels; 0 without a document.
    int GetDocumentScrollY();

    bool AcceptsWidget(const QWidget* widget) const override;

    struct State;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;

private:
    std::unique_ptr<State> m_state;
};

namespace win {
// Lets the browser engine start now instead of after the first paint (benchmarks, tests):
// views shown with a document start it at once.
void StartWebEngineNow();
// Whether the engine has been started (a view of it made).
bool WebEngineStarted();
// While on, a view that is shown keeps its address like a hidden one and starts the
// engine only when a caller needs the document (tests that never read a document
// need not pay for the engine's processes). Off by default.
void SetWebEngineOnDemandOnly(bool on);
} // namespace win
