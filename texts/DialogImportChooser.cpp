#include "texts/DialogImportChooser.h"

#include "texts/SelectLevel.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"

std::string CDialogImportChooser::ChooseFolder()
{
    // TODO(folder picker): CFolderPicker::BrowseEx once the control kit has it.
    return win::BrowseForFolder(m_owner ? m_owner->m_hWnd : nullptr, "Select a folder:", std::string());
}

std::string CDialogImportChooser::ChooseFile(const std::string& defaultExt, const std::string& filter)
{
    CFileDialog dialog(TRUE, defaultExt.c_str(), nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str(),
                       m_owner);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : std::string();
}

std::string CDialogImportChooser::ChooseLevel()
{
    CSelectLevel picker(m_owner);
    return picker.DoModal() == IDOK ? picker.GetLevelCode() : std::string();
}
