#pragma once
// Helpers shared by the files of CUtilityDb; not for other callers.
#include "store/TextReplace.h"

#include <string>
#include <vector>

namespace utilitydb {

// The lines of a text file without their breaks (LF or CR LF), each line that
// is not UTF-8 taken as Windows-1252. False when the file cannot be opened or read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Characters (not bytes) from index first on, at most count of them.
std::string MidChars(const std::string& text, size_t first, size_t count);

using store::TrimRight;
using store::ReplaceAll;

// Writes the text with CR LF line ends to a temporary file and puts it in place; false on failure.
bool WriteTextFile(const std::string& path, const std::string& text);

} // namespace utilitydb
