#pragma once
// A separate lyrics window (template 184, menu 221): one document outside the
// main window. Lyrics window 1 shows the current song's lyrics, lyrics window
// 2 documents and the queued song's lyrics. HTML, PDF, MHT and cue sheets of
// the record database show in a browser view, RTF and text files and
// choreographies of the database in a rich-edit view.
//
// The browser view is made only when a document first needs it: the browser
// engine is costly, and a window that shows only texts never pays for it.
#include "controls/ToolDialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/RichEditCtrl.h"
#include "store/MyFunctions.h"
#include "store/ResourceIds.h"

#include <memory>
#include <string>

class CHtmlEditCtrl2;

class CModelessLyrics : public CToolDialog {
public:
    enum { IDD = IDD_LYRICS_WINDOW };
    // The slot says which of the main window's two lyrics windows this is (1 or 2): its
    // closed report (717 or 719) and the globals its moves are kept in follow the slot,
    // whatever place and title its window number gives it.
    explicit CModelessLyrics(CWnd* parent = nullptr, int slot = 1);
    ~CModelessLyrics() override;

    // Shows the document: a file, "[db]" and a record's label, or a choreography reference.
    void ShowDocument(const std::string& path);
    // 0 makes it lyrics window 1, any other number lyrics window 2: its place, size and titles.
    void SetWindowNumber(int n);
    int GetWindowNumber() const { return m_windowNumber; }
    // Scrolls the browser's document by the pixels; nothing while a PDF is shown.
    void ScrollBy(int pixels);
    // Shows the current document again.
    void Reload();
    // Back to lyrics window 1's place and size, shown on top.
    void RestorePlacement();
    // The browser view (on) or the rich-edit view.
    void ShowBrowser(bool on);
    // The rich-edit view's font. size: a stored size, points when positive, a font
    // height as the font dialog gives it when negative; 0 gives the height 12.
    void SetTextFont(int size, int weight, int italic, const std::string& face, int apply);

    int GetSlot() const { return m_slot; }
    const std::string& GetDocument() const { return m_path; }
    // Null until a document needs the browser (and when it cannot be made).
    CHtmlEditCtrl2* GetBrowser() const { return m_browser.get(); }
    CRichEditCtrl& GetTextView() { return m_textView; }
    bool IsBrowserShown() const { return m_browserShown; }
    bool IsPdfShown() const { return m_pdf; }
    const LOGFONT& GetTextFont() const { return m_fontDescription; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnOpenFromFile();
    void OnOpenFromDatabase();
    void OnPrint();
    void OnExit();
    void OnEditCuesheet();

private:
    // The browser view, made when missing; null when it cannot be made (said once).
    CHtmlEditCtrl2* Browser();
    void DropBrowser();
    // Puts the text into the rich-edit view: RTF as formatted text, anything else as it is.
    void ShowText(const std::string& text);
    void ShowFileText(const std::string& path);
    // Both views fill the client area.
    void LayoutViews();
    // The title of a document in this window: window 2 puts its prefix in front.
    std::string Title(const std::string& text, const char* queuePrefix) const;
    // Ends the window the way a dialog ends with OK: it disappears, the main window keeps it.
    void EndLikeOk();

    MyFunctions m_fn;
    int m_slot;
    int m_windowNumber = 0;
    std::string m_path;
    bool m_pdf = false;
    bool m_browserShown = false;
    bool m_browserFailed = false;
    std::unique_ptr<CHtmlEditCtrl2> m_browser;
    CRichEditCtrl m_textView;
    CFont m_font;
    LOGFONT m_fontDescription{};
};
