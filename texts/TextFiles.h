#pragma once
// Text and RTF files as the viewer pages and the editor show them.
#include "platform/win/RichEditCtrl.h"

#include <string>

namespace textfiles {

// Without the blanks, tabs and line breaks at its end.

// Only the exact endings ".rtf" and ".RTF" are RTF; ".Rtf" and the like are read as plain text.
bool IsRtfPath(const std::string& path);

// The file's lines, each without the blanks at its end and ended by "\n";
// "Open <path> failed!" when the file cannot be opened.
std::string ReadPlainText(const std::string& path);

enum class RtfLoad { Loaded, NotOpened, ReadError };
// Streams an RTF file into the view; a file that cannot be opened leaves the view as it was.
RtfLoad LoadRtf(CRichEditCtrl& view, const std::string& path);

} // namespace textfiles
