#pragma once
// The window places and list column widths the main window keeps as
// settings: read at start, read again by Restore Database and written at the
// end. The tool windows' places come from their lines in
// controls/ToolWindowInfos.h, so a window's place cannot be read but never saved.
#include "controls/ToolWindowInfos.h"
#include "store/AppGlobals.h"

#include <array>
#include <iterator>
#include <string>
#include <vector>

namespace mainplaces {

struct Place {
    const char* key;
    int* value;
    // Restore Database reads it again; the karaoke window keeps where it is.
    bool restored;
};

// The window that is no tool window: the About box.
inline constexpr Place kOtherPlaces[] = {
    {"general - aboutpos_x", &g_aboutPosX, true},
    {"general - aboutpos_y", &g_aboutPosY, true},
};

namespace detail {

inline std::array<const PlaceValue*, 4> ValuesOf(const ToolWindowInfo& info)
{
    return {&info.place.x, &info.place.y, &info.place.width, &info.place.height};
}

} // namespace detail

// Every place value the main window keeps, built once at start from the
// tool windows' lines. (Built at run time: a sanitizer build cannot compare
// the globals' addresses while compiling.) A value without a key, or a key or
// global used twice, is a programming error the tool-window tests catch.
inline const std::vector<Place> kPlaces = [] {
    std::vector<Place> all(std::begin(kOtherPlaces), std::end(kOtherPlaces));
    for (const ToolWindowInfo* info : toolwindows::kAll)
        for (const PlaceValue* v : detail::ValuesOf(*info))
            if (v->value && v->key)
                all.push_back({v->key, v->value, info != &toolwindows::kKaraoke});
    return all;
}();

// Whether every place has a key and a global of its own (checked by the tests).
inline bool PlacesAreDistinct()
{
    for (size_t i = 0; i < kPlaces.size(); ++i)
        for (size_t j = i + 1; j < kPlaces.size(); ++j)
            if (std::string(kPlaces[i].key) == kPlaces[j].key || kPlaces[i].value == kPlaces[j].value)
                return false;
    for (const ToolWindowInfo* info : toolwindows::kAll)
        for (const PlaceValue* v : detail::ValuesOf(*info))
            if (v->value && !v->key)
                return false;
    return true;
}

// Song list 1..3 of the music page, columns 0..4.
inline constexpr int* kColumnWidths[3][5] = {
    {&g_colWidth1_0, &g_colWidth1_1, &g_colWidth1_2, &g_colWidth1_3, &g_colWidth1_4},
    {&g_colWidth2_0, &g_colWidth2_1, &g_colWidth2_2, &g_colWidth2_3, &g_colWidth2_4},
    {&g_colWidth3_0, &g_colWidth3_1, &g_colWidth3_2, &g_colWidth3_3, &g_colWidth3_4},
};

inline std::string ColumnWidthKey(int list, int column)
{
    return "music - colwidth" + std::to_string(list + 1) + "_" + std::to_string(column);
}

} // namespace mainplaces
