#pragma once
// The window places and list column widths the main window keeps as
// settings: read at start, read again by Restore Database and written at the
// end. The tool windows' places come from their lines in
// app/ToolWindowInfos.h, so a window's place cannot be read but never saved.
#include "app/ToolWindowInfos.h"
#include "store/AppGlobals.h"

#include <array>
#include <iterator>
#include <string>

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

constexpr std::array<const PlaceValue*, 4> ValuesOf(const ToolWindowInfo& info)
{
    return {&info.place.x, &info.place.y, &info.place.width, &info.place.height};
}

constexpr size_t ToolPlaceCount()
{
    size_t n = 0;
    for (const ToolWindowInfo* info : toolwindows::kAll)
        for (const PlaceValue* v : ValuesOf(*info))
            n += v->value ? 1 : 0;
    return n;
}

constexpr bool SameKey(const char* a, const char* b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

} // namespace detail

// Every place value the main window keeps. Built while compiling: a value
// without a key, or a key used twice, stops the build.
inline constexpr auto kPlaces = [] {
    std::array<Place, std::size(kOtherPlaces) + detail::ToolPlaceCount()> all{};
    size_t n = 0;
    for (const Place& place : kOtherPlaces)
        all[n++] = place;
    for (const ToolWindowInfo* info : toolwindows::kAll)
        for (const PlaceValue* v : detail::ValuesOf(*info)) {
            if (!v->value)
                continue;
            if (!v->key)
                throw "a tool window's place value needs its settings key";
            all[n++] = {v->key, v->value, info != &toolwindows::kKaraoke};
        }
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            if (detail::SameKey(all[i].key, all[j].key) || all[i].value == all[j].value)
                throw "each place value has a key and a global of its own";
    return all;
}();

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
