#pragma once
// A separate lyrics window (template 184). Lyrics window 1 shows the current
// song's lyrics, lyrics window 2 documents and the queued song's lyrics; the
// window number says which place and closed code it has. This class offers
// what the main window calls; the window's own work comes with the main
// window's tool windows.
#include "platform/win/Dialog.h"
#include "store/ResourceIds.h"

#include <string>

class CModelessLyrics : public CDialogEx {
public:
    enum { IDD = IDD_LYRICS_WINDOW };
    // The slot says which of the main window's two lyrics windows this is (1 or 2): its
    // closed report and its place globals follow the slot, whatever place and title its
    // window number gives it; 0 lets the window number decide.
    explicit CModelessLyrics(CWnd* parent = nullptr, int slot = 0);

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
    int GetSlot() const { return m_slot != 0 ? m_slot : (m_windowNumber == 0 ? 1 : 2); }
    const std::string& GetDocument() const { return m_path; }

protected:
    // Closing the window tells the main window (717 for lyrics window 1, else 719).
    void OnCancel() override;
    void OnOK() override {}
    // Opens at lyrics window 1's place and size.
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
    // A move or resize is kept in the place globals of the window's slot.
    void OnWindowPosChanged(WINDOWPOS* pos);

private:
    // At the place and size of lyrics window 1 (first) or 2, on top.
    void PlaceAs(bool first);

    int m_windowNumber = 0;
    int m_slot = 0;
    bool m_placed = false; // moves are kept from the end of the initialisation on
    std::string m_path;
};
