#pragma once
// The music CSV file: table music with the songs' flags as text, one song a
// line, fields separated by ";" (path, speed, pitch, tempo, volume, loop start
// and stop, equaliser 1 to 3 and on, markers with "*" for ";", rate, length,
// comment, key-change pitch and time, flag), lines ending CR LF. The database
// check adds a message as a 19th field. Written as one file for the table or
// one small file beside each music file; read back into the table.
#include "store/MemArray.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CMusicDb;

namespace musiccsv {

// Fields 1 to lastField of a list row joined by ";" (the markers' ";" as "*").
std::string Line(const CMemArrayLarge& row, int lastField = 18);

// The dated file of the multiple-files export: "<folder>/<YYYYMMDD> MusicDatabase.csv"
// (today: "YYYY-MM-DD").
std::string DatedFileName(const std::string& folder, const std::string& today);
// The file beside a music file: its extension replaced by "csv"; empty for a path without one.
std::string BesideFileName(const std::string& musicPath);
// The music file a beside-file stands for: the CSV path without "csv", then
// the extension of the path it names (field 0), in lower case.
std::string MusicPathBeside(const std::string& csvPath, const std::string& namedPath);


// One song of a file: fields 0 to 17 (18, a message, is dropped), markers with ";" again.
using Song = std::array<std::string, 18>;
// A line as a song; nothing for a blank line, a line beginning with ";", one
// with fewer than 18 fields, without a path, or whose numbers are no numbers.
std::optional<Song> ParseLine(const std::string& line);

// Stores the songs of a file on the caller's batch (or own connection):
// under their own path, or beside the file (besideMusic). Answers the number
// of songs stored; a file that cannot be read stores nothing.
int ImportFile(CMusicDb& db, const std::string& csvPath, bool besideMusic, int own);

} // namespace musiccsv
