#pragma once
// The lyrics page: tab page 1 of the main window (template 129). One document
// at a time in the browser: the lyrics of the current song, a cue sheet of the
// record catalogue ("[db]" + label), a dropped file, the choice of Find Lyrics
// or a web address. Beside it: Find Lyrics, edit, and save as HTML.
#include "controls/ButtonST.h"
#include "controls/PPToolTip.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/UtilityDb.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"

#include <memory>
#include <string>

class CHtmlEditCtrl2;
class CMarryDlg;

class CDlgLyrics : public CDialogEx {
public:
    enum { IDD = 129 };
    explicit CDlgLyrics(CWnd* parent = nullptr);
    ~CDlgLyrics() override;

    // Moves the keyboard focus to the page's focus sink (only while the page is shown).
    void ParkFocus();
    // Shows a document and remembers its path; an empty path shows nothing.
    void ShowFile(const std::string& path);
    const std::string& GetShownFile() const { return m_shownFile; }
    // Scrolls the shown document by the pixels (negative: up); nothing while a PDF is shown.
    // The second amount (text lines) means nothing to a browser page.
    void ScrollBy(int pixels, int lines);
    // Shows the lyrics chosen with OK in the page's own Find Lyrics window.
    void ShowFindLyricsChoice();
    // Shows g_foundLyricsPath (View in the page's Find Lyrics window).
    void ShowFoundLyrics();
    // The dialog colour again, and the shown document again.
    void ApplyColors();
    // Shows the remembered document again (after the editor saved it).
    void ReloadFile();

    CHtmlEditCtrl2* GetBrowser() const { return m_browser.get(); }
    CMarryDlg* GetFindLyricsDialog() const { return m_findLyrics.get(); }
    bool IsPdfShown() const { return m_pdfShown; }

    BOOL PreTranslateMessage(MSG* msg) override;

    // Button handlers.
    void OnFindLyrics();
    void OnEditDocument();
    void OnSaveAsHtml();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override { ParkFocus(); }
    void OnCancel() override { ParkFocus(); }

    DECLARE_MESSAGE_MAP()
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnDropFiles(HDROP drop);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    void OnFocusSinkChange();

private:
    // Makes the browser and loads the scratch page; a box says when it cannot be made.
    void CreateBrowser();
    void RecreateBrowser();
    void LayoutBrowser();
    void ApplyDialogColor();
    // The text Save as HTML writes for the shown document; false (and a box) when there is none.
    bool TextToSave(bool cueSheet, std::string& text);

    CPPToolTip m_tooltip;
    CMusicDb m_db;
    CUtilityDb m_utilityDb;
    MyFunctions m_fn;
    std::string m_shownFile;
    std::unique_ptr<CHtmlEditCtrl2> m_browser;
    CButtonST m_findButton;
    CButtonST m_editButton;
    CButtonST m_saveButton;
    std::unique_ptr<CMarryDlg> m_findLyrics;
    CEdit m_sink;
    std::string m_sinkText;
    bool m_pdfShown = false;
    UINT_PTR m_timer = 0;
};
