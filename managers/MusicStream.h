#pragma once
// Music files opened as streams of the audio layer, by their extension: the
// music manager's preview and length check, and the playlist manager's
// previews and length probe.
#include "platform/audio/Bass.h"

#include <string>

namespace musicrows {

// Whether files of the path's extension open as music: MP1-3, WAV, OGG, CDA,
// MID, MIDI, KAR, WMA, FLAC, AAC, MP4, M4A, in any case.
bool IsMusicFile(const std::string& path);

// Opens a music file by its extension; 0 for any other type or a file that
// does not open. midiFrequency: the sample rate of a MIDI stream (0 the
// device's).
HSTREAM OpenByExtension(const std::string& path, DWORD flags, DWORD midiFrequency = 0);

// The file's length in whole seconds; 0 when it does not open.
int SongSeconds(const std::string& path);

} // namespace musicrows
