#pragma once
// The program's HTML view and editor: the browser control plus putting HTML
// into the shown document and taking it out, design mode, the editing
// commands, and the selection copied to the clipboard as "HTML Format".
//
// The control acts on the document that is shown now: after every completed
// load (a navigation, a reload, SetDocumentHtml) it takes the new document,
// so an editor never reads or edits the one before. Without an HTML document
// (nothing loaded, a PDF shown) every document operation fails and
// GetDocumentHtml answers an empty text.
#include "platform/win/WebBrowser.h"

#include <string>

// Command group of the editing commands, and their ids.
constexpr int CGID_MSHTML = 1;
constexpr long IDM_COPY = 15;
constexpr long IDM_CUT = 16;
constexpr long IDM_DELETE = 17;
constexpr long IDM_PASTE = 26;
constexpr long IDM_REDO = 29;
constexpr long IDM_UNDO = 43;
constexpr long IDM_BOLD = 52;
constexpr long IDM_ITALIC = 56;
constexpr long IDM_UNDERLINE = 63;
constexpr long IDM_LINEBREAKNORMAL = 2151;
constexpr long OLECMDEXECOPT_DODEFAULT = 0;

class CHtmlEditCtrl2 : public CWebBrowser2 {
public:
    // A text that the document is read from or written into.
    class CStreamOnCString {
    public:
        CStreamOnCString() = default;
        explicit CStreamOnCString(std::string text) : m_data(std::move(text)) {}
        ULONG AddRef() { return 1; }
        ULONG Release() { return 1; }
        HRESULT Read(void* buffer, ULONG count, ULONG* read);
        HRESULT Write(const void* bytes, ULONG count, ULONG* written);
        bool CopyData(std::string& out) const;

    private:
        void AppendBytes(const char* bytes, size_t count);
        std::string m_data;
        std::string m_readCopy;
        int m_readPos = 0;
    };

    CHtmlEditCtrl2() = default;
    ~CHtmlEditCtrl2() override;

    bool EnsureDocument();
    HRESULT SetDocumentHtml(const std::string& html);
    // Empty text and E_FAIL when no HTML document is shown.
    HRESULT GetDocumentHtml(std::string& text, bool clearDirty = false);
    bool SetDesignMode(bool on);

    HRESULT ExecCommand(int group, long id, long option);
    HRESULT ExecEditCommand(long id, long option);
    DWORD QueryCommandStatus(long id);
    HRESULT ExecIfEnabled(long id, DWORD required, long option);

    HRESULT Copy();
    HRESULT Cut();
    HRESULT Delete();
    HRESULT Paste();
    HRESULT Redo();
    HRESULT Undo();
    HRESULT Bold();
    HRESULT Italic();
    HRESULT Underline();
    HRESULT InsertLineBreak();

    HRESULT CopySelectionAsHtml(bool cut);
    HRESULT CopyHtmlToClipboard(const std::string& html, const std::string& text);
    // The clipboard text of "HTML Format" for a fragment.
    static std::string BuildHtmlFormat(const std::string& html);


private:
    HRESULT m_lastResult = E_FAIL;
    // The shown document this control works on; 0 until first needed.
    int m_document = 0;
};
