#pragma once
// Choreography list files (".ini", though not INI syntax): one entry per line,
// a file path or an encoded choreography reference. The choreography manager
// and the memory manager write them; the choreography manager reads them back
// into rows of a title (text 0) and the entry (text 1).
#include "store/MemArray.h"

#include <string>
#include <vector>

namespace choreolist {

// The filter, extension and flags of the dialogs that pick a list file.
constexpr const char* kFilter = "Choreographylist files (*.ini)|*.ini|All Files (*.*)|*.*||";
constexpr const char* kDefaultExt = ".ini";

// Writes the entries in order, nothing escaped. False when the file cannot be
// created or written.
bool Write(const std::string& path, const std::vector<std::string>& entries);

// The rows of a list file: "#EXT" lines skipped (so an M3U playlist reads as a
// list), stored-text markers turned back, title = the file title of the entry.
// A path of four characters or fewer, or a file that cannot be opened, gives
// no rows.
std::vector<CMemArray> Read(const std::string& path);

// The title a list shows for an entry: the text after the last folder
// separator and before the last ".".
std::string TitleOf(const std::string& entry);

} // namespace choreolist
