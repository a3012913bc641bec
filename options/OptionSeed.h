#pragma once
// The program's default settings are the construction values of the Options
// pages: the same tables that build the pages give every key its first value.
// At every start each key that has no row gets that value, in one batch;
// existing rows are left as they are, so an old data folder gains only the
// keys it lacks.
#include "options/OptionRows.h"

#include <string>
#include <utility>
#include <vector>

class CMusicDb;

namespace options {

// Every value the four pages store when each row shows its construction value
// (the level names "Mirtal - " + the Change Program item), and the few other
// settings a first start needs; one value per key.
std::vector<StoredValue> ConstructionTable(const std::string& dataFolder, int dpi);
// The hotkey rows with their construction functions.
std::vector<std::pair<std::string, int>> HotkeyConstruction();

// Writes the construction value of every key without a row, in one batch. Answers how many rows were added.
int SeedSettings(CMusicDb& db, const std::string& dataFolder, int dpi);

} // namespace options
