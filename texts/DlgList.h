#pragma once
// A choreography viewer (list) page of the main window (template 198). This
// class offers the operations the main window's start and level switch
// call; the page's own work comes with the choreography viewers.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"

class CDlgList : public CDialogEx {
public:
    enum { IDD = 198 };
    explicit CDlgList(CWnd* parent = nullptr);

    // The page's number 0..14, used in its settings keys.
    void SetPageNumber(int n) { m_pageNumber = n; }
    int GetPageNumber() const { return m_pageNumber; }
    // The next settings load reads the fonts and colours again.
    void MarkFontReload() { m_fontReload = true; }
    // Reads the page's settings for the current level and rebuilds its list.
    void LoadSettings();
    void ParkFocus();
    int GetLoadCount() const { return m_loads; }

    // A text document scrolls by the lines, an HTML document (a web address too) by the pixels.
    void ScrollBy(int pixels, int lines);
    // The entry 1 or 10 before or after the current one, not beyond the first or last.
    void OnIndexMinus1();
    void OnIndexPlus1();
    void OnIndexMinus10();
    void OnIndexPlus10();
    // A random entry not shown before.
    void OnRandom();
    // Adds the shown document to table memory and sends 926.
    void OnSaveForReview();
    // Flips the page's full-screen layout and stores it.
    void ToggleFullScreen();
    // The next settings load re-reads the fonts and clock colours (flag set) or not.
    void SetFontReload(bool reload) { m_fontReload = reload; }
    bool IsFontReloadMarked() const { return m_fontReload; }
    // Re-reads "general - digitalclock" and the clock colours.
    void ApplyClockSettings();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override { ParkFocus(); }
    void OnCancel() override { ParkFocus(); }

private:
    CEdit m_commandSink;
    int m_pageNumber = -1;
    bool m_fontReload = false;
    int m_loads = 0;
};
