#pragma once
// Plain text on the system clipboard.
#include <string>

namespace win {

// Replaces the clipboard's content by the text; false when there is no clipboard to use.
bool SetClipboardText(const std::string& text);
// The clipboard's text, empty when it holds none.
std::string GetClipboardText();

} // namespace win
