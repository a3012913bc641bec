#include "platform/win/ShellLink.h"

#include "platform/win/WholeFile.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string& desktopOverride()
{
    static std::string folder;
    return folder;
}

// A string value of a desktop entry: backslash and line breaks escaped.
std::string entryString(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

// One argument of an Exec line: quoted when it holds a reserved character,
// with '"', '`', '$' and '\' escaped inside the quotes; '%' doubled.
std::string execArgument(const std::string& arg)
{
    const bool quote = arg.empty() || arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string out;
    for (char c : arg) {
        if (c == '%')
            out += "%%";
        else if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            out += std::string("\\") + c;
        else
            out += c;
    }
    return quote ? "\"" + out + "\"" : out;
}

} // namespace

BOOL SHGetSpecialFolderPath(HWND, char* path, int folder, BOOL create)
{
    if (!path || folder != CSIDL_DESKTOP)
        return FALSE;
    std::string desktop = desktopOverride();
    if (desktop.empty())
        desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
    std::error_code ec;
    if (desktop.empty() || desktop.size() >= size_t(MAX_PATH))
        return FALSE;
    if (!fs::is_directory(desktop, ec) && !(create && fs::create_directories(desktop, ec)))
        return FALSE;
    std::memcpy(path, desktop.c_str(), desktop.size() + 1);
    return TRUE;
}

namespace win {

bool SaveShellLink(const ShellLink& link, const std::string& path)
{
    if (link.target.empty() || path.empty())
        return false;
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\nName=Mirtal\n";
    if (!link.description.empty())
        text += "Comment=" + entryString(link.description) + "\n";
    text += "Exec=" + entryString(execArgument(link.target)) + "\n";
    if (!link.workingDirectory.empty())
        text += "Path=" + entryString(link.workingDirectory) + "\n";
    if (!link.iconPath.empty())
        text += "Icon=" + entryString(link.iconPath) + "\n";
    text += "Terminal=false\n";

    if (!WriteWholeFile(path, text))
        return false;
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ec);
    return true;
}

std::string ProgramPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath().toStdString();
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).string();
}

void SetDesktopFolderOverride(const std::string& folder) { desktopOverride() = folder; }

} // namespace win
