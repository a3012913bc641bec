#include "platform/win/FileDialog.h"

namespace {

size_t nameStart(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
{
    m_request.open = openFileDialog != FALSE;
    m_request.defaultExt = defaultExt ? defaultExt : "";
    m_request.fileName = fileName ? fileName : "";
    m_request.filter = filter ? filter : "";
    m_request.owner = parent ? parent->m_hWnd : nullptr;
    m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal()
{
    m_paths.clear();
    win::FileDialogRequest r = m_request;
    r.initialDir = m_ofn.lpstrInitialDir;
    r.title = m_ofn.lpstrTitle;
    r.multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    std::optional<std::vector<std::string>> chosen = win::RunFileDialog(r);
    if (!chosen || chosen->empty())
        return IDCANCEL;
    m_paths = *chosen;
    // A save name without an extension gets the default one.
    if (!r.open && !r.defaultExt.empty()) {
        std::string& p = m_paths.front();
        if (p.find('.', nameStart(p)) == std::string::npos)
            p += "." + r.defaultExt;
    }
    return IDOK;
}

std::string CFileDialog::GetPathName() const { return m_paths.empty() ? std::string() : m_paths.front(); }

std::string CFileDialog::GetFileName() const
{
    const std::string p = GetPathName();
    return p.substr(nameStart(p));
}

std::string CFileDialog::GetFileExt() const
{
    const std::string name = GetFileName();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const
{
    const std::string name = GetFileName();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string CFileDialog::GetFolderPath() const
{
    const std::string p = GetPathName();
    const size_t start = nameStart(p);
    return start == 0 ? std::string() : p.substr(0, start - 1);
}
