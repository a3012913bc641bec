#pragma once
// The edit with a browse button (CMFCEditBrowseCtrl): an edit control whose
// button at its right end chooses a folder or a file through the layer's
// folder and file choices (answered by tests like any file choice) and puts
// the choice in the edit, which then reports EN_CHANGE. It takes over a
// template's edit control.
#include "platform/win/Edit.h"

#include <string>

class QAction;

class CMFCEditBrowseCtrl : public CEdit {
public:
    enum BrowseMode { BrowseMode_None, BrowseMode_Default, BrowseMode_File, BrowseMode_Folder };

    // The button opens the folder choice, starting at the folder in the edit.
    void EnableFolderBrowseButton(const char* title = nullptr);
    // The button opens the file choice (to open a file) at the file in the edit.
    void EnableFileBrowseButton(const char* defaultExt = nullptr, const char* filter = nullptr);
    // BrowseMode_Default: the button calls OnBrowse, which a subclass gives a meaning; FALSE takes the button away.
    void EnableBrowseButton(BOOL enable = TRUE, const char* label = "...");
    BrowseMode GetMode() const { return m_mode; }

protected:
    // What the button does; the folder and file modes ask their choice here.
    virtual void OnBrowse();
    // Called after a choice changed the text.
    virtual void OnAfterUpdate() {}

private:
    void showButton(bool show);
    BrowseMode m_mode = BrowseMode_None;
    std::string m_title;
    std::string m_defaultExt;
    std::string m_filter;
    QAction* m_button = nullptr;
};
