#pragma once
// The document editor (template 219): a new modeless window per request, for
// lyrics, cue sheets and choreography texts. This class offers what the main
// window calls; the editor's own work comes with the lyrics and cue-sheet
// windows.
#include "platform/win/Dialog.h"

#include <string>

class CDlgEdit : public CDialogEx {
public:
    enum { IDD = 219 };
    explicit CDlgEdit(CWnd* parent = nullptr);

    // Opens the document; with remember it becomes the editor's document. An empty path gives a new one.
    void LoadDocument(const std::string& path, bool remember);
    const std::string& GetDocument() const { return m_path; }

protected:
    // Closing the editor ends it; the main window is not told.
    void OnCancel() override;
    void OnOK() override {}

private:
    std::string m_path;
};
