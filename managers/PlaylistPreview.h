#pragma once
// The two previews of the playlist manager (one per list, each with its
// Play/Pause button) and the length probe of its rows, on the audio layer.
#include "platform/audio/Bass.h"

#include <string>

// Whether the preview plays files of the path's extension.
bool IsPreviewable(const std::string& path);

// Length of a music file in whole seconds; 0 when it cannot be measured.
// OGG files are not measured: their rows show no length.
int ProbeLength(const std::string& path);

// "text\n\nBASS error code: N" and the hint for the code: a stream that was
// never made (5) asks to check the path.
std::string BassErrorText(const std::string& text, int code);

class CPlaylistPreview {
public:
    enum class Outcome { Nothing, Paused, Started, Failed };

    CPlaylistPreview() = default;
    CPlaylistPreview(const CPlaylistPreview&) = delete;
    CPlaylistPreview& operator=(const CPlaylistPreview&) = delete;
    ~CPlaylistPreview(); // frees both channels

    // The Play button of a list (0 left, 1 right): pauses the other list's
    // preview when it plays (otherPaused tells), then pauses this list's
    // preview when it plays, or else starts the path from its beginning at
    // the volume (0..1), freeing the channel it replaces. An empty path does
    // nothing. Failed: error holds the box text.
    Outcome Press(int list, const std::string& path, float volume, bool& otherPaused, std::string& error);

    bool IsPlaying(int list) const;
    HSTREAM Channel(int list) const { return m_channel[list & 1]; }
    void FreeAll();

private:
    HSTREAM m_channel[2] = {0, 0};
};
