#pragma once
// A separate lyrics window (template 184). Lyrics window 1 shows the current
// song's lyrics, lyrics window 2 documents and the queued song's lyrics; the
// window number says which place and closed code it has. This class offers
// what the main window calls; the window's own work comes with the main
// window's tool windows.
#include "platform/win/Dialog.h"

#include <string>

class CModelessLyrics : public CDialogEx {
public:
    enum { IDD = 184 };
    explicit CModelessLyrics(CWnd* parent = nullptr);

    // Shows the document and remembers its path.
    void ShowDocument(const std::string& path);
    // 0 makes it lyrics window 1, any other number lyrics window 2.
    void SetWindowNumber(int n);
    int GetWindowNumber() const { return m_windowNumber; }
    // Scrolls the shown document by the pixels; nothing while a PDF is shown.
    void ScrollBy(int pixels);
    // Shows the remembered document again.
    void Reload();
    // Back to lyrics window 1's place and size.
    void RestorePlacement();
    const std::string& GetDocument() const { return m_path; }

protected:
    // Closing the window tells the main window (717 for window number 0, else 719).
    void OnCancel() override;
    void OnOK() override {}

private:
    int m_windowNumber = 0;
    std::string m_path;
};
