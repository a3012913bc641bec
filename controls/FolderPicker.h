#pragma once
// The folder choice of every dialog that asks for a folder: the layer's
// folder browser (answered by tests like the file choices), opened on a
// start folder. A local object, used for one browse.
#include "platform/win/Wnd.h"

#include <string>

// Flags of the browser, as callers pass them.
constexpr UINT BIF_NEWDIALOGSTYLE = 0x40;

class CFolderPicker {
public:
    CFolderPicker() = default;

    // Browses with no owner and the title "Select a folder:"; the chosen folder, "" on Cancel.
    const std::string& Browse(const std::string& startPath);
    // The browser opens on the start folder when it exists (else with nothing
    // selected). The folder code names the root (0, the desktop: every folder)
    // and the flags the browser's look (BIF_NEWDIALOGSTYLE); here every folder
    // is offered in the desktop's own folder dialog. Answers the chosen
    // folder, "" when the user cancels.
    const std::string& BrowseEx(CWnd* owner, const std::string& title, int folderCode, const std::string& startPath,
                                UINT flags);

private:
    std::string m_result;
};
