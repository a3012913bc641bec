#pragma once
// The file open and save dialog. It asks through win::RunFileDialog, so a
// test answers it with win::SetFileDialogAnswerer and a headless run never
// blocks (unanswered it is cancelled).
#include "platform/win/MessageBox.h"
#include "platform/win/Wnd.h"

#include <string>
#include <vector>

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

class CFileDialog {
public:
    // filter: "Text (*.txt)|*.txt|All (*.*)|*.*||"
    explicit CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                         CWnd* parent = nullptr);

    // IDOK with the chosen file(s), IDCANCEL otherwise.
    INT_PTR DoModal();

    std::string GetPathName() const; // the (first) chosen file
    std::string GetFileName() const; // its name with the extension
    std::string GetFileExt() const;  // its extension without the dot
    std::string GetFileTitle() const; // its name without the extension
    std::string GetFolderPath() const;
    const std::vector<std::string>& GetPathNames() const { return m_paths; }

    // What the dialog starts with, as the program sets it before DoModal.
    struct {
        std::string lpstrInitialDir;
        std::string lpstrTitle;
        DWORD Flags = 0;
    } m_ofn;

private:
    win::FileDialogRequest m_request;
    std::vector<std::string> m_paths;
};
