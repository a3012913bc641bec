#pragma once
// The lyrics page: tab page 1 of the main window (template 129). This class
// offers the operations the main window's start calls; the page's own work
// comes with the lyrics and cue-sheet windows.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"

#include <string>

class CDlgLyrics : public CDialogEx {
public:
    enum { IDD = 129 };
    explicit CDlgLyrics(CWnd* parent = nullptr);

    // Moves the keyboard focus to the page's command sink and refreshes the controls.
    void ParkFocus();
    // Shows a document and remembers its path.
    void ShowFile(const std::string& path);
    const std::string& GetShownFile() const { return m_shownFile; }
    // Scrolls the shown HTML document by the pixels; nothing while a PDF is shown.
    void ScrollBy(int pixels, int ignored);
    // Shows the lyrics file chosen in the page's own Find Lyrics window.
    void ShowFindLyricsChoice();
    // Shows g_foundLyricsPath.
    void ShowFoundLyrics();
    // Background and text colours from the settings; the document is shown again.
    void ApplyColors();
    // Shows the remembered document again.
    void ReloadFile();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override { ParkFocus(); }
    void OnCancel() override { ParkFocus(); }

private:
    CEdit m_commandSink;
    std::string m_shownFile;
};
