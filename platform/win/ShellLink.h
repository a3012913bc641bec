#pragma once
// Desktop shortcuts: the user's desktop folder (the XDG desktop folder) and a
// shortcut in it, written as a freedesktop launcher (a ".desktop" file), the
// Linux form of a shell link.
#include "platform/win/WinTypes.h"

#include <string>

constexpr int MAX_PATH = 260;
constexpr int CSIDL_DESKTOP = 0x0000;

// Copies the folder's path into path (at most MAX_PATH bytes with the zero);
// only CSIDL_DESKTOP is known. create: make the folder when it is missing.
BOOL SHGetSpecialFolderPath(HWND owner, char* path, int folder, BOOL create);

namespace win {

struct ShellLink {
    std::string target; // the program the shortcut starts
    std::string description;
    std::string workingDirectory;
    std::string iconPath; // empty: no icon
    // Launchers have no hot key of their own: kept for the caller, not written.
    WORD hotKey = 0;
};

// Writes the launcher at the path, replacing one there (through a file beside
// it renamed over it), executable as desktops want of a trusted launcher.
// false when it cannot be written; nothing is left half written.
bool SaveShellLink(const ShellLink& link, const std::string& path);

// The program's own executable file.
std::string ProgramPath();

// Tests point the desktop folder elsewhere; empty gives the user's own back.
void SetDesktopFolderOverride(const std::string& folder);

} // namespace win
