// MyFunctions: file-name parts, the data folder, the shell and the clipboard.
#include "store/MyFunctions.h"

#include "platform/win/Clipboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "store/PlayerGlobals.h"
#include "store/DataFile.h"
#include "store/StoreGlobals.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

size_t lastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

std::string fileName(const std::string& path)
{
    const size_t sep = lastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string shellErrorText(INT_PTR result)
{
    switch (result) {
    case 0: return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return "The specified file was not found.";
    case SE_ERR_PNF: return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return "There was not enough memory to complete the operation.";
    case SE_ERR_BADFORMAT: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT: return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC: return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "Unknown Error (%lld) occurred.", static_cast<long long>(result));
        return buffer;
    }
    }
}

} // namespace

bool MyFunctions::IsDrivePath(const std::string& path)
{
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool MyFunctions::IsDriveFolder(const std::string& folder)
{
    return folder.size() >= 2 && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0])) &&
           (folder.size() == 2 || folder[2] == '\\' || folder[2] == '/');
}

std::string MyFunctions::GetExtension(const std::string& path) const
{
    const size_t dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

bool MyFunctions::IsAudioFile(const std::string& path) const
{
    static const char* const kinds[] = {"MP4", "MP3", "MP2", "MP1", "M4A", "AAC", "WAV",
                                        "CDA", "WMA", "FLAC", "KAR", "MIDI", "MID"};
    const std::string ext = GetExtension(path);
    for (const char* kind : kinds)
        if (ext == kind)
            return true;
    return false;
}

bool MyFunctions::FileExists(const std::string& path) const
{
    // Only a regular file: opening a named pipe to test it would wait for a writer.
    return CDataFile::Exists(path) == CDataFile::kFileExists;
}

std::string MyFunctions::FileNameFromPath(const std::string& path) const { return fileName(path); }

std::string MyFunctions::FileTitleFromPath(const std::string& path) const
{
    const std::string name = fileName(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string MyFunctions::LabelPart(const std::string& path) const
{
    const std::string name = fileName(path);
    const size_t pos = name.find(" - ");
    return pos == std::string::npos ? std::string() : name.substr(0, pos);
}

std::string MyFunctions::TitlePart(const std::string& path) const
{
    const std::string name = fileName(path);
    const size_t pos = name.find(" - ");
    return pos == std::string::npos ? name : name.substr(pos + 3);
}

std::string MyFunctions::AddBackslash(const std::string& folder) const
{
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        return folder;
    return folder + "/";
}

std::string MyFunctions::ReplaceDrive(const std::string& path) const
{
    // Only a drive path moves, and only to a data folder that has a drive itself.
    if (!IsDrivePath(path) || !IsDriveFolder(g_baseFolder))
        return path;
    return g_baseFolder.substr(0, 1) + path.substr(1);
}

int MyFunctions::ChangeDir(const std::string& folder) const { return win::SetCurrentDirectory(folder) ? 0 : 1; }

void MyFunctions::InitDataFolder() const { g_baseFolder = win::GetCurrentDirectory(); }

void MyFunctions::EnterDataFolder() const
{
    if (!g_baseFolder.empty())
        win::SetCurrentDirectory(g_baseFolder);
}

std::string MyFunctions::GetCurrentSongPath() const { return g_currentSongPath; }

void MyFunctions::OpenDocument(const std::string& path) const
{
    const INT_PTR result = ShellExecute(nullptr, "open", path, "", "", SW_SHOWNORMAL);
    if (result == 33 || result == 42)
        return;
    AfxMessageBox("Unable to open File:\n\n" + shellErrorText(result), MB_ICONEXCLAMATION);
}

void MyFunctions::OpenInFolder(const std::string& path) const
{
    const size_t sep = lastSeparator(path);
    if (sep != std::string::npos)
        ChangeDir(path.substr(0, sep == 0 ? 1 : sep));
    ShellExecute(nullptr, "open", path, "", "", SW_SHOWMAXIMIZED);
}

void MyFunctions::CopyToClipboard(const std::string& text) const { win::SetClipboardText(text); }
