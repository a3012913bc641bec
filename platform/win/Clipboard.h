#pragma once
// Text and HTML on the system clipboard.
#include <string>

namespace win {

// Replaces the clipboard's content by the text; false when there is no clipboard to use.
bool SetClipboardText(const std::string& text);
// The clipboard's text, empty when it holds none.
std::string GetClipboardText();

// Puts the clipboard text of "HTML Format" (the header with offsets and the
// fragment), the fragment as text/html for this desktop's programs, and the
// plain text; false when there is no clipboard to use.
bool SetClipboardHtml(const std::string& htmlFormat, const std::string& fragment, const std::string& text);
// The clipboard's data of a format ("HTML Format", "text/html"), empty when it holds none.
std::string GetClipboardData(const std::string& format);

} // namespace win
