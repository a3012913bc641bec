#pragma once
// Rows of the playlist manager: label and title from a song's file title, its
// path, how often it was logged as played and its length (measured once and
// kept in table music). Also the sources of rows (M3U lines, audio files of a
// folder) and the editing of a row list that the page's buttons and drags do.
#include "store/MemArray.h"

#include <string>
#include <vector>

class CMusicDb;

namespace playlistrows {

// Texts of a row: 0 label, 1 title, 2 path, 3 track count, 4 length.
enum { kLabel = 0, kTitle = 1, kPath = 2, kTrack = 3, kLength = 4 };

struct RowOptions {
    int namingMode = 0;      // "music - colnameglobal"
    bool trackInfo = false;  // Track DB Info: text 3
    bool lengthOn = false;   // "music - lengthactive": text 4
};

// Label and title of a path; in naming mode 1 a title without label becomes the label.
void LabelAndTitle(const std::string& path, int namingMode, std::string& label, std::string& title);

// "mm:ss" with two-digit minutes under ten minutes, so lengths sort as texts: 205 -> "03:25".
std::string LengthText(int seconds);

// The stored length of the song, or (when none is stored) its measured length,
// which is then stored when the song has a row in table music.
int LengthOf(const std::string& path, CMusicDb& db, int own);

// The row of one path. Database work goes through the connection own names.
CMemArray MakeRow(const std::string& path, const RowOptions& options, CMusicDb& db, int own);

// The path lines of an M3U playlist: "#EXT" lines skipped, trailing blanks
// removed, empty lines kept. A path of four characters or fewer, or a file
// that cannot be opened, gives none.
std::vector<std::string> ReadPlaylist(const std::string& path);

// Whether the folder exists and can be listed.
bool CanEnterFolder(const std::string& folder);

// Appends the audio files (every file without audioOnly) of a folder in the
// order the file system lists them; with subfolders each subfolder is scanned
// where it is met (depth first).
void ScanFolder(const std::string& folder, bool subfolders, std::vector<std::string>& paths, bool audioOnly = true);

// Sorts by texts 0 to 5, the clicked column first and the others in their
// order (a column above 5 only in the natural order), byte-wise.
void SortRows(std::vector<CMemArray>& rows, int column, bool descending);

// Inserts the rows at the index, or appends them when the index is -1 or past the end.
void InsertRows(std::vector<CMemArray>& rows, int at, const std::vector<CMemArray>& added);

// Moves each selected row one place up (down); nothing moves when the first
// (last) row is selected. Answers the selection after the move.
std::vector<int> MoveUp(std::vector<CMemArray>& rows, const std::vector<int>& selected);
std::vector<int> MoveDown(std::vector<CMemArray>& rows, const std::vector<int>& selected);

// Takes the selected rows out and puts them back as one block at the drop
// index counted without them (the end for -1 or an index past the end).
void MoveBlock(std::vector<CMemArray>& rows, const std::vector<int>& selected, int dropIndex);

} // namespace playlistrows
