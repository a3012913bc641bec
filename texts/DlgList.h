#pragma once
// A choreography viewer page of the main window (template 198), one per list
// tab. It steps through the entries of one source per dance level (a list
// file, a folder, one document or a database selection) and shows the current
// one: HTML, PDF, MHT and web addresses in the browser, RTF, TXT and plain
// database texts in the read-only text view. The page keeps its source, index,
// full-screen flag and font in settings keys N + "list_" + level code + " - ...".
//
// Files: DlgList.cpp (window, display, layout, fonts, clocks),
// DlgListSources.cpp (sources, file list, index steps).
#include "controls/ButtonST.h"
#include "controls/DigiClock.h"
#include "controls/PPToolTip.h"
#include "controls/XAnalogClock.h"
#include "store/MemArray.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/RichEditCtrl.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CHtmlEditCtrl2;

class CDlgList : public CDialogEx {
public:
    enum { IDD = 198 };
    // Source types stored in " - type".
    enum SourceType { kListFile = 1, kFolder = 2, kDocument = 3, kDatabase = 4 };

    explicit CDlgList(CWnd* parent = nullptr);
    ~CDlgList() override;

    // The page's number 0..14, used in its settings keys.
    void SetPageNumber(int n) { m_pageNumber = n; }
    int GetPageNumber() const { return m_pageNumber; }
    // The next settings load reads the font and the clock settings again.
    void MarkFontReload() { m_fontReload = true; }
    void SetFontReload(bool reload) { m_fontReload = reload; }
    bool IsFontReloadMarked() const { return m_fontReload; }
    // Reads the page's settings for the current level and rebuilds its list.
    void LoadSettings();
    int GetLoadCount() const { return m_loads; }
    void ParkFocus();

    // A text document scrolls by the lines, an HTML document (a web address too) by the pixels.
    void ScrollBy(int pixels, int lines);
    // The entry 1 or 10 before or after the current one, not beyond the first or last.
    void OnIndexMinus1();
    void OnIndexPlus1();
    void OnIndexMinus10();
    void OnIndexPlus10();
    // A random entry not shown since the marks were last cleared.
    void OnRandom();
    // Adds the current entry to table memory and tells the main window (926).
    void OnSaveForReview();
    // Flips the page's full-screen layout and stores it.
    void ToggleFullScreen();
    // Re-reads "general - digitalclock" and the clock colours.
    void ApplyClockSettings();

    // Shows an entry: a file, a web address or a choreography reference.
    void ShowEntry(const std::string& entry);
    // The current entry, marked as shown; empty for an empty list.
    std::string GetCurrentEntry();
    void ArrangeControls();
    // size: a stored font height (negative for a character height); apply 1 puts it on the text view.
    void ApplyFont(int size, int weight, int italic, const std::string& faceName, int apply);

    // What the page holds and shows.
    int GetEntryCount() const { return int(m_files.size()); }
    int GetCurrentIndex() const { return m_index; }
    const std::vector<CFileList>& GetFileList() const { return m_files; }
    const std::string& GetSourcePath() const { return m_sourcePath; }
    bool IsFullScreen() const { return m_fullScreen; }
    bool IsAnalogClockChosen() const { return m_analogClock; }
    bool IsTwelveHourClock() const { return m_twelveHour; }
    COLORREF GetClockBackColor() const { return m_clockBack; }
    COLORREF GetClockTextColor() const { return m_clockText; }
    const LOGFONT& GetPageFont() const { return m_fontDescription; }
    CHtmlEditCtrl2* GetBrowser() const { return m_browser.get(); }
    CDigiClock& GetDigitalClock() { return m_digitalClock; }
    CXAnalogClock& GetAnalogClock() { return m_analogClockWnd; }
    CRichEditCtrl& GetTextView() { return m_textView; }
    CButtonST& GetButton(int i) { return m_buttons[size_t(i)]; }
    CPPToolTip& Tips() { return m_tooltip; }

    // The page's buttons.
    void OnSelectFile();
    void OnSelectFolder();
    void OnChoreographyFromDb();
    void OnReload() { LoadSettings(); }
    void OnChangeFont();
    void OnEdit();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override { ParkFocus(); }
    void OnCancel() override { ParkFocus(); }

    DECLARE_MESSAGE_MAP()
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnDropFiles(HDROP drop);
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnFocusSinkChange();
    void OnButtonReload() { LoadSettings(); }
    void OnButtonMinus10() { OnIndexMinus10(); }
    void OnButtonPlus10() { OnIndexPlus10(); }
    void OnButtonMinus1() { OnIndexMinus1(); }
    void OnButtonPlus1() { OnIndexPlus1(); }
    void OnButtonRandom() { OnRandom(); }
    void OnButtonReview() { OnSaveForReview(); }

private:
    std::string Key(const std::string& setting) const;
    void StoreSource(int type, const std::string& path);
    void LoadListFile(const std::string& path);
    void LoadFolder(const std::string& path);
    void LoadDatabase(const std::string& text);
    void ClearShown();
    void SetIndex(int index);
    void ShowCurrent();
    void ResetShownMarks();
    void ShowBrowser(bool show);
    void NavigateTo(const std::string& path);
    void ShowText(const std::string& text);
    void ShowRtf(const std::string& path);
    static void WriteDocument(const std::string& path, const std::string& text);
    void ReadClockSettings();
    void ApplyDialogColor();
    void SetupButtons();

    int m_pageNumber = 0;
    bool m_fontReload = true;
    int m_loads = 0;

    // The page state.
    std::vector<CFileList> m_files;
    int m_index = 0;
    std::string m_sourcePath;
    int m_sourceType = 0;
    bool m_fullScreen = false;

    // Shown texts of the side panel.
    std::string m_nameText;
    std::string m_sourceCaption;
    std::string m_typeCaption;
    int m_shownIndex = 0;
    int m_shownTotal = 0;
    std::string m_sinkText;
    std::string m_docText;

    std::unique_ptr<CHtmlEditCtrl2> m_browser;
    CRichEditCtrl m_textView;
    CFont m_font;
    LOGFONT m_fontDescription{};
    CDigiClock m_digitalClock;
    CXAnalogClock m_analogClockWnd;
    bool m_analogClock = true;
    bool m_twelveHour = false;
    COLORREF m_clockBack = 0;
    COLORREF m_clockText = 0;

    std::array<CButtonST, 12> m_buttons;
    CPPToolTip m_tooltip;
    CEdit m_sink;
    CMusicDb m_db;
    MyFunctions m_fn;
};
