#pragma once
// What the readers of an older version's files share: the files as lines of
// program text, and the value conversions of its settings. The older version
// ran on Windows: its files are Windows-1252 (UTF-8 where a line is valid
// UTF-8) with CR LF line ends.
#include <string>
#include <vector>

namespace legacy {

// Every line of the file, UTF-8, with the white space at its end removed (the
// CR of CR LF included) and a UTF-8 byte-order mark dropped. False when the
// file cannot be opened or read to its end; nothing is handed out then.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// The old file's value conversions into the current settings.
// "false" for exactly "0", else "true".
std::string Flag(const std::string& text);
// "true" for exactly "0", else "false".
std::string InvertedFlag(const std::string& text);
// Old fades of 1000 and more were milliseconds: whole seconds then, smaller values as they are.
std::string FadeTime(const std::string& text);
// 2 and above were choices the new lists do not have: "0"; others as they are.
std::string SortChoice(const std::string& text);
// The kind of a choreography tab from its path: "1" for a list file (a three-letter
// extension), "2" for anything else; empty (write nothing) for a path of five characters or fewer.
std::string ListType(const std::string& path);
// One song marker of the loop file: its seconds as "mm:ss;" (65 -> "01:05;").
std::string MarkerText(const std::string& seconds);

} // namespace legacy
