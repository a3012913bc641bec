#pragma once
// The groups of the four Options pages, row by row in the order the pages
// build, load and save them. Construction values that depend on the data
// folder take it as an argument (it is read when a page opens).
#include "options/OptionRows.h"

#include <array>
#include <string>
#include <vector>

namespace options {

// ---- Music page: "Global", "General", "Music" (its sub-groups after its own rows)
std::vector<Group> MusicGroups(const std::string& dataFolder);
// Where the two rows of "markers - value" sit: ("Listbox General", 4) and ("Markers", 5).
constexpr int kMusicRowCount = 37;

// ---- Lyrics page: "Global", "Lyrics" (with "Stylesheet" as its last item)
std::vector<Group> LyricsGroups(const std::string& dataFolder);

// ---- Choreography page
struct Level {
    const char* code;
    int number;
    const char* menuText; // the Change Program item
};
const std::array<Level, 10>& Levels();
Group ChoreoGlobalGroup(const std::string& dataFolder);
// A level group captioned `caption`; its "Level Name" is built as "Mirtal - " + caption.
Group ChoreoLevelGroup(const Level& level, const std::string& caption, const std::string& dataFolder);
Group ChoreoStylesheetGroup(const std::string& dataFolder);

// ---- Hotkeys page
constexpr int kHotkeyFunctionCount = 87;
const std::array<const char*, kHotkeyFunctionCount>& HotkeyFunctionNames();
struct HotkeyRow {
    const char* label;
    const char* description;
    const char* key;
    int function; // the construction function
};
const std::array<HotkeyRow, 28>& HotkeyRows();
// The name of a stored function number; a number outside the table gives "*** No Function ***".
std::string HotkeyFunctionText(int number);
// The number of a name; a text that is no name gives 0.
int HotkeyFunctionIndex(const std::string& text);

// The data folder followed by a part ("<folder>/sd.exe").
std::string InFolder(const std::string& folder, const std::string& part);

} // namespace options
