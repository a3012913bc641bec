#pragma once
// The exports of Karalux, the karaoke add-on: its options, the window its
// streams draw into, and the current CD+G frame of a stream as a bitmap. The
// same library is loaded into the audio layer as the plug-in for ".cdg" files
// (BASS_PluginLoad), so the host's options reach the streams it opens.
#include "platform/audio/Bass.h"

#include <cstdint>

#define KARALUX_API __attribute__((visibility("default")))

// Option 1002: no drawing into a window in the stream procedure (value != 0).
constexpr int KARALUX_CONFIG_NODRAW = 1002;
// Option 1003: the window the renderer of each stream opened later draws into.
constexpr int KARALUX_CONFIG_VIDEOWINDOW = 1003;

extern "C" {

// 0 for a known option, else option - 1003. Options reach streams opened afterwards.
KARALUX_API int KARALUX_SetConfig(int option, std::uintptr_t value);
// Points an open CD+G stream's renderer at a window; other handles are ignored.
KARALUX_API void KARALUX_SetVideoWindow(HSTREAM stream, HWND window);
// The frame at the stream's play position: a new 300 x 216 bitmap of 24 bits
// whose rows run bottom-up (draw it mirrored vertically), owned by the
// caller; null for 0 or a handle that is no open CD+G stream.
KARALUX_API HBITMAP KARALUX_GetCurrentBitmap(HSTREAM stream);

// The plug-in entry the audio layer calls.
KARALUX_API const void* BASSplugin(DWORD face);

} // extern "C"
