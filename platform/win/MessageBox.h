#pragma once
// Message boxes and modal dialogs. Every box and every modal dialog of the
// program goes through here, so that a test can answer it: an installed
// answerer is asked first (it sees the caption, the text and, for dialogs,
// the dialog's template id and window); without one, a box on a headless
// (offscreen) display is answered with its default button, and a modal
// dialog with Cancel, so nothing ever blocks. Everything shown is recorded
// for tests to inspect. File and folder choices have an answerer of their own.
#include "platform/win/WinTypes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Buttons
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
// Icons
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
// Default button
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
// Modality and placement flags (accepted; the box is always modal to the program)
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_TOPMOST = 0x40000;
constexpr UINT MB_SETFOREGROUND = 0x10000;

// Results
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class CWnd;

namespace win {

enum class DialogKind { MessageBox, Dialog };

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;
    DialogKind kind = DialogKind::MessageBox;
    UINT dialogId = 0;      // the template id of a modal dialog
    CWnd* window = nullptr; // a modal dialog's window, initialised and not yet shown
};

// An answer that lets a modal dialog run its own loop (the test ends it).
constexpr int kRunModalLoop = -100;

// True on a display nobody looks at (Qt's offscreen or minimal platform).
bool IsHeadless();

// Records a box or dialog and asks the answerer; nothing when it gives no answer.
std::optional<int> AskAnswerer(const MessageBoxRequest& request);

// Returns the button to press, or nothing to let the next rule decide.
using MessageBoxAnswerer = std::function<std::optional<int>(const MessageBoxRequest&)>;

// Installs (or, with an empty function, removes) the answerer; returns the previous one.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// Every box shown since the last ClearMessageBoxLog, oldest first.
const std::vector<MessageBoxRequest>& MessageBoxLog();
void ClearMessageBoxLog();

// The button a box answers with when nobody chooses: its default button.
int DefaultMessageBoxResult(UINT type);

// File and folder choices.
struct FileDialogRequest {
    HWND owner = nullptr;
    bool folder = false;     // a folder choice
    bool open = true;        // open (else save as)
    bool multiple = false;   // several files may be chosen
    std::string title;
    std::string initialDir;
    std::string fileName;    // proposed file name
    std::string filter;      // "Text (*.txt)|*.txt|All (*.*)|*.*||"
    std::string defaultExt;
};
// A filter in the Windows form ("Exe Files(*.exe)|*.exe|All Files(*.*)|*.*||") in Qt's
// ("Exe Files (*.exe);;All Files (*)"); the real file dialog shows this form.
std::string QtFileFilter(const std::string& windowsFilter);
// The chosen paths; nothing for Cancel.
using FileDialogAnswerer =
    std::function<std::optional<std::vector<std::string>>(const FileDialogRequest&)>;
FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer);
const std::vector<FileDialogRequest>& FileDialogLog();
void ClearFileDialogLog();
// Asks the user (or the answerer); headless and unanswered it is Cancel.
std::optional<std::vector<std::string>> RunFileDialog(const FileDialogRequest& request);
// A folder, or the empty text for Cancel.
std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& startFolder);

} // namespace win

// The caption of boxes that name none: the program's name.
constexpr const char* kAppCaption = "Mirtal";

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type = MB_OK);
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0);
