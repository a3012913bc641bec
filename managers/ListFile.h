#pragma once
// The line files the Tools pages read and write: M3U playlists, choreography
// lists and the marriage CSV file. One entry per line; every line written,
// the last one too, ends in CR LF, as the Windows version wrote them, so the
// files travel between the two.
#include <string>
#include <vector>

namespace listfile {

// Writes each line followed by CR LF as the file's whole content, replacing
// an older file in one step. False when the file cannot be written (a full
// disk, no such folder); an older file then stays as it was.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines);

// Every line of the file in order, trailing white space (blanks, tabs, line
// breaks) removed. False, with no lines, when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Whether a line is an M3U header or extended-information line ("#EXT...").
bool IsExtLine(const std::string& line);

// Reading is asked for only with a path of more than four characters; a
// shorter text never names a list file.
bool IsReadablePath(const std::string& path);

// The shared answer to a file that cannot be created: "Unable To Open The File!".
void ReportCannotCreate();

} // namespace listfile
