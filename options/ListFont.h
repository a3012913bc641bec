#pragma once
// The list font of the tools windows (managers, record search), from the
// "music - toolslist" font the Music page stores. The stored size is the
// font's logical height as the page's font row keeps it (negative for a
// character height, -11 is 8 points at 96 dpi): readers use it as the
// height, never as a point size, so what the page shows is what the lists get.
#include "platform/win/Gdi.h"

#include <string>

class CMusicDb;

namespace options {

struct StoredFont {
    int size = 0; // "fontsize": the logical height, 0 when the key has no row
    int bold = 0; // "fontbold": the weight
    int italic = 0;
    std::string name;
};

// The font of a stored size, weight, italic flag and face: a size of 0 (no
// row) is 8 points at the dpi, an empty face "MS Sans Serif"; character set
// 128 with the Japanese setting, else the default set; swiss family.
LOGFONT ListFontFrom(const StoredFont& stored, int dpi, bool japanese);

// Reads the four "music - toolslist" keys (own: CMusicDb's own-connection flag,
// 0 inside the caller's batch) and makes the font.
LOGFONT ToolsListFont(CMusicDb& db, int own, int dpi, bool japanese);

} // namespace options
