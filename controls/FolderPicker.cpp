#include "controls/FolderPicker.h"

#include "platform/win/MessageBox.h"

#include <filesystem>
#include <system_error>

const std::string& CFolderPicker::Browse(const std::string& startPath)
{
    return BrowseEx(nullptr, "Select a folder:", 0, startPath, BIF_NEWDIALOGSTYLE);
}

const std::string& CFolderPicker::BrowseEx(CWnd* owner, const std::string& title, int, const std::string& startPath,
                                           UINT)
{
    // A start folder that is not there selects nothing, as the shell's browser does.
    std::error_code ec;
    const bool exists = !startPath.empty() && std::filesystem::is_directory(startPath, ec);
    m_result = win::BrowseForFolder(owner ? owner->GetSafeHwnd() : nullptr, title, exists ? startPath : std::string());
    return m_result;
}
