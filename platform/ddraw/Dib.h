#pragma once
// The bitmap calls of the karaoke add-on: device-independent bitmap sections
// handed to the host as window-layer bitmaps (HBITMAP, deleted with
// DeleteObject by whoever receives them).
#include "platform/win/Gdi.h"

// A black bitmap section of 24 or 32 bits per pixel without compression,
// or null. There is no device context to pass on this platform. `bits`
// receives the pixel memory of a top-down section (rows as the platform
// shows them, each a multiple of 4 bytes); a bottom-up section gives null
// there and is filled with SetBitmapBits.
HBITMAP CreateDIBSection(const BITMAPINFO* info, UINT usage, void** bits);

// Fills the bitmap from its top row (as the platform shows it) downward with
// rows of its own layout (blue, green, red[, unused] per pixel, each row a
// multiple of 4 bytes). Returns the bytes taken, 0 on failure.
LONG SetBitmapBits(HBITMAP bitmap, DWORD bytes, const void* bits);
