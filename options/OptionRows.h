#pragma once
// The rows of the Options pages as data: one table per group gives each row's
// label, kind, key, construction value, options or range and description, and
// that one table drives building the grid, loading, saving and the seeding of
// missing settings at start, so the order of a group is written only once.
#include "platform/win/PropertyGrid.h"
#include "platform/win/WinTypes.h"

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

class CMusicDb;

namespace options {

enum class Kind { Text, Bool, Number, Choice, Colour, Font, File, Folder };
// Where a row's keys live.
enum class Table { Ini, Style };
// How a choice is stored.
enum class Stored {
    Index,     // the position in the row's number table ("0", "1", ...)
    Text,      // the shown text itself
    HtmlSize,  // "1 (8pt)" .. "7 (36pt)" as 1..7
    PointSize, // the same options as 8..36 points
    TrueFalse, // "HTML" as "true", anything else "false"
};

struct Row {
    std::string label;
    Kind kind = Kind::Text;
    // The settings key; for colour and font rows the stem the channel or field
    // names are built from. Empty: the row is shown but has nothing to store.
    std::string key;
    Table table = Table::Ini;
    std::string description;

    // Construction value, by kind: text, choice, file and folder use text;
    // number uses number; bool uses flag; colour uses colour; font uses text
    // (the face) and number (points).
    std::string text;
    int number = 0;
    bool flag = false;
    COLORREF colour = 0;

    // Choices: the options offered in order, how the value is stored and, for
    // Index, the number-to-text table when it is longer than the options.
    std::vector<std::string> options;
    std::vector<std::string> numbers;
    Stored stored = Stored::Index;

    bool spin = false;
    int min = 0;
    int max = 0;

    std::string filter;     // file rows, the Windows form
    std::string defaultExt; // file rows
    bool automatic = false; // colour rows: a "Default" entry with the construction colour
    bool readOnly = false;  // shown, not editable (a row with nothing to store)
    // Colour keys that put the channel letter inside the name ("choreocolorR1").
    std::array<std::string, 3> rgbKeys;

    // Colour channels: the keys of red, green and blue (stem + "R", "G", "B" unless set).
    std::array<std::string, 3> colourKeys() const;
    // Font fields: stem + "fontsize", "fontbold", "fontitalic", "fontname".
    std::array<std::string, 4> fontKeys() const;
};

struct Group {
    std::string caption;
    std::vector<Row> rows;
    std::vector<Group> subgroups; // items after the rows, in this order
};

// One stored value: a table row the saver writes.
struct StoredValue {
    Table table;
    std::string key;
    std::string value;
    bool operator<(const StoredValue& o) const { return key < o.key || (key == o.key && int(table) < int(o.table)); }
};

// The names that have a row, read once per load.
struct PresentKeys {
    std::set<std::string> ini;
    std::set<std::string> style;
    static PresentKeys Read(CMusicDb& db);
    bool Has(Table table, const std::string& key) const;
};

// ---- number and text tables shared by the pages
// 1 or 8 -> "1 (8pt)", ..., 7 or 36 -> "7 (36pt)"; any other number "4 (14pt)".
std::string HtmlSizeText(int number);
// "1 (8pt)".."7 (36pt)" -> 1..7 (or 8..36 in points); a text that is no option gives 1 (8).
int HtmlSizeFromText(const std::string& text, bool inPoints);
const std::vector<std::string>& HtmlSizeOptions();

// ---- building, loading and saving by the table
// A row's grid property at its construction value (font heights at the given dots per inch).
CMFCPropertyGridProperty* BuildRow(const Row& row, int dpi);
// Builds a group with its rows and sub-groups; `attach` puts the group where it
// belongs (the grid or its parent group) before its first row is added.
CMFCPropertyGridProperty* BuildGroup(const Group& group, int dpi,
                                     const std::function<void(CMFCPropertyGridProperty*)>& attach);
// Reads a row's keys into its property; a key without a row keeps the construction value.
void LoadRow(CMFCPropertyGridProperty* property, const Row& row, CMusicDb& db, const PresentKeys& present);
// The values the row stores for what its property shows.
std::vector<StoredValue> SaveRow(const CMFCPropertyGridProperty* property, const Row& row);
// Visits a group's rows (by index) and then its sub-groups, in the order the loader and saver use.
void ForEachRow(CMFCPropertyGridProperty* groupProperty, const Group& group,
                const std::function<void(CMFCPropertyGridProperty*, const Row&)>& visit);
// Writes stored values on the open batch of the database.
void WriteValues(CMusicDb& db, const std::vector<StoredValue>& values);
// What a group stores when every row shows its construction value.
std::vector<StoredValue> ConstructionValues(const Group& group, int dpi);

} // namespace options
