#pragma once
// Alert sounds: a short WAVE played on the current output device beside the
// program's other streams (the multimedia library's PlaySound).
#include "platform/audio/Bass.h"

#include <cstddef>

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_MEMORY = 0x0004;
constexpr DWORD SND_FILENAME = 0x00020000;

// Plays a WAVE file (SND_FILENAME) or the WAVE image in memory that sound
// points to (SND_MEMORY; copied before the call returns). A new sound ends the
// one still playing. Without SND_ASYNC the call returns when the sound ends.
// FALSE when there is no output device or the sound cannot be read; null
// stops the sound that plays.
BOOL PlaySound(const void* sound, void* module, DWORD flags);
