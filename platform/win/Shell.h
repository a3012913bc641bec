#pragma once
// The shell's "open" and "print" of a document, with the result numbers of
// the Windows shell (above 32 success; 2 file not found, 3 path not found,
// 31 no program for the file), and the process's current directory.
//
// Opening hands the file to the desktop's default program. A test installs a
// launcher (win::SetShellLauncher) to answer in its place; on a headless
// display nothing is ever started.
#include "platform/win/WinDefs.h" // window states of the started program (SW_...)
#include "platform/win/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

// Failure results
constexpr int SE_ERR_OUTOFMEMORY = 0;
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_BADFORMAT = 11;
constexpr int SE_ERR_SHARE = 26;
constexpr int SE_ERR_ASSOCINCOMPLETE = 27;
constexpr int SE_ERR_DDETIMEOUT = 28;
constexpr int SE_ERR_DDEFAIL = 29;
constexpr int SE_ERR_DDEBUSY = 30;
constexpr int SE_ERR_NOASSOC = 31;
constexpr int SE_ERR_DLLNOTFOUND = 32;
// The result of a started program
constexpr int SE_OK = 42;

// Flags of a shell file operation (CShellFileOp)
constexpr unsigned FOF_MULTIDESTFILES = 0x0001;
constexpr unsigned FOF_SILENT = 0x0004;
constexpr unsigned FOF_NOCONFIRMATION = 0x0010;
constexpr unsigned FOF_FILESONLY = 0x0080;
constexpr unsigned FOF_NOCONFIRMMKDIR = 0x0200;

namespace win {

struct ShellRequest {
    std::string verb;       // "open" or "print"
    std::string file;       // as passed: a path, relative ones against the directory, or a web address
    std::string parameters;
    std::string directory;
    int show = SW_SHOWNORMAL;
};

// Starts the program for a request whose file exists; answers the shell result.
using ShellLauncher = std::function<int(const ShellRequest&)>;

// Installs (or, with an empty function, removes) the launcher; returns the previous one.
ShellLauncher SetShellLauncher(ShellLauncher launcher);

// Every request since the last ClearShellLog, oldest first.
const std::vector<ShellRequest>& ShellLog();
void ClearShellLog();

// The process's current directory; empty when it cannot be read.
std::string GetCurrentDirectory();
// false when the folder cannot be entered.
bool SetCurrentDirectory(const std::string& folder);

} // namespace win

// Opens or prints a file with the program the desktop associates with it.
INT_PTR ShellExecute(HWND owner, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory, int show);

// Files dropped on a window that accepts them (WS_EX_ACCEPTFILES or
// DragAcceptFiles) arrive as WM_DROPFILES with the drop in wParam: a drop on
// a control goes to the nearest window up its parents that accepts files.
// The drop is valid while the message is handled; DragFinish may be called
// and frees nothing.
// With index 0xFFFFFFFF: the number of files. Otherwise the length of the
// file's path in bytes; with a buffer, the path copied into it (at most
// size - 1 bytes and a terminating zero).
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
// Where the files were dropped, in the client coordinates of the window that received them.
BOOL DragQueryPoint(HDROP drop, POINT* point);
void DragFinish(HDROP drop);
void DragAcceptFiles(HWND hWnd, BOOL accept);
