#pragma once
// Message boxes. Every box of the program goes through here, so that a test
// can answer it: an installed answerer is asked first; without one, a box on
// a headless (offscreen) display is answered with its default button and
// never blocks. Every box shown is recorded for tests to inspect.
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

namespace win {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;
};

// Returns the button to press, or nothing to let the next rule decide.
using MessageBoxAnswerer = std::function<std::optional<int>(const MessageBoxRequest&)>;

// Installs (or, with an empty function, removes) the answerer; returns the previous one.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// Every box shown since the last ClearMessageBoxLog, oldest first.
const std::vector<MessageBoxRequest>& MessageBoxLog();
void ClearMessageBoxLog();

// The button a box answers with when nobody chooses: its default button.
int DefaultMessageBoxResult(UINT type);

} // namespace win

// The caption of boxes that name none: the program's name.
constexpr const char* kAppCaption = "Mirtal";

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type = MB_OK);
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0);
