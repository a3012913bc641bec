#pragma once
// What a file is by its first bytes, before a decoder is asked to open it.
#include <string>

namespace audio {

enum class FileKind {
    Unreadable,  // missing, a directory, or no read permission
    Empty,       // zero bytes
    Riff,        // RIFF/RF64/W64 WAVE
    Flac,
    Ogg,
    Mp4,         // ISO media: MP4, M4A
    Asf,         // WMA
    Aiff,
    Id3,         // an ID3v2 tag: usually MPEG audio, also ADTS AAC
    Adts,        // raw AAC frames
    Unknown,
};

FileKind probeFileKind(const std::string& path);

// A regular file that can be opened for reading.
bool isReadableFile(const std::string& path);

} // namespace audio
