#pragma once
// The cue-sheet style sheet "cuesheet2.css": six rules (body text, lyrics,
// headers, artist, label, title) built from the style globals that the main
// window reads from table stylesheet. Cue sheets and lyrics pages link it by
// its relative name, so a copy sits beside them in each folder.
#include <string>

// Writes the sheet at path; with onlyWhenMissing an existing file stays as it
// is. An empty path, a missing folder or a place that cannot be written
// (a folder of that name) are passed over silently, so that a caller writing
// several copies gets the others; the answer is always true.
bool WriteCueSheetCss(bool onlyWhenMissing, const std::string& path);

// The six lines of the sheet, top first, as WriteCueSheetCss writes them.
std::string CueSheetCssText();
