#include "texts/DialogImportChooser.h"

#include "texts/SelectLevel.h"
#include "controls/FolderPicker.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"

std::string CDialogImportChooser::ChooseFolder()
{
    CFolderPicker picker;
    return picker.BrowseEx(m_owner, "Select a folder:", 0, std::string(), BIF_NEWDIALOGSTYLE);
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
