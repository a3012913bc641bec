#pragma once
// The display: screen size, work area and logical pixels per inch, and
// dialog units. Tests can stand in a display of their choice.
#include "platform/win/Geometry.h"

#include <optional>

namespace win {

struct DisplayMetrics {
    int width = 0;  // screen size in pixels
    int height = 0;
    int dpiX = 96;  // logical pixels per inch
    int dpiY = 96;
};

// The primary screen, or the stand-in a test installed.
DisplayMetrics CurrentDisplay();
void SetDisplayOverride(std::optional<DisplayMetrics> metrics);

// The screen less the desktop's panels (the whole stand-in screen in tests).
CRect WorkArea();

// Dialog units to pixels: base units of 6 by 13 pixels at 96 dots per inch,
// scaled by the display's logical dots per inch; a dialog unit is a quarter
// of the horizontal and an eighth of the vertical base unit.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
// Maps a rectangle's place and size (x, y, width, height) to pixels.
CRect DialogRectToPixels(int x, int y, int width, int height);

} // namespace win

int GetSystemMetrics(int index);
