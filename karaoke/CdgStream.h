#pragma once
// The ".cdg" stream of the audio layer: the CD+G graphics of a file played in
// step with the music file beside it (the companion). Each open stream has one
// record in a table of 40 slots, where the exports find it by the handle of
// the stream the host plays.
#include "karaoke/CDGFile.h"
#include "karaoke/VideoFrameSurface.h"
#include "karaoke/VideoWindowRenderer.h"
#include "platform/audio/BassPlugin.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct CdgStream {
    static constexpr int kFrameBytes = ISurface::kPixelCount * 3;

    std::unique_ptr<VideoWindowRenderer> renderer;
    VideoFrameSurface surface;
    DWORD bufferOffset = 0;               // the playback buffer in ms when the record was made
    std::atomic<HSTREAM> outputStream{0};  // the host's stream
    HSTREAM decodeStream = 0;             // the companion, or the fallback stream
    bool noDraw = false;
    int slot = -1;
    std::unique_ptr<CDGFile> decoder;
    DWORD flags = 0;

    // Guards the decoder, the surface and the frame: the playback thread draws
    // while the host's thread asks for bitmaps.
    std::mutex renderMutex;
    // One 24-bit frame (blue, green, red, top row first), made with the
    // record so that drawing on the playback thread allocates nothing.
    std::vector<std::uint8_t> frame = std::vector<std::uint8_t>(kFrameBytes);

    bool Open(const std::string& name);
    // Renders at the decode position less the playback buffer and presents.
    void DrawFrame();
    // The frame at a play time as a bottom-up 24-bit bitmap, or null.
    HBITMAP MakeBitmap(int32_t time);
};

constexpr int kCdgSlots = 40;
constexpr DWORD kCdgCtype = 0x11066;

// The plug-in side: creation, the stream procedure and the callbacks.
HSTREAM CreateCdgStream(BASSFILE file, DWORD flags);
DWORD CdgStreamProc(HSTREAM handle, void* buffer, DWORD length, void* user);
void CdgFree(void* record);
QWORD CdgGetLength(void* record, DWORD mode);
void CdgGetInfo(void* record, BASS_CHANNELINFO* info);
BOOL CdgCanSetPosition(void* record, QWORD position, DWORD mode);
QWORD CdgSetPosition(void* record, QWORD position, DWORD mode);

// The music file beside a ".cdg" file: the name with its extension replaced
// by mp3, ogg or flac (in that order, case ignored), or none.
std::optional<std::string> FindCompanionAudio(const std::string& name);

// Rows in reverse order, each pixel's three bytes reversed, each row filled
// up to a multiple of 4 bytes; empty for no buffer or a zero size.
std::vector<std::uint8_t> MakeBottomUpBgr(const std::uint8_t* rgb, int width, int height);

// Milliseconds of a time in seconds, truncated and held to the 32-bit range.
int32_t MillisecondsOf(double seconds);

// The options of the exports, read when a stream is opened.
extern std::atomic<bool> g_noDraw;
extern std::atomic<HWND> g_defaultVideoWindow;

// Runs fn on the record of a stream handle with the table locked, so that
// the record cannot be freed meanwhile; false when no record has the handle.
template <class Fn>
bool WithCdgStream(HSTREAM stream, Fn&& fn);

// The table: its lock and its slots.
std::mutex& CdgTableMutex();
CdgStream** CdgTable();
// Records open now.
int CdgStreamCount();

template <class Fn>
bool WithCdgStream(HSTREAM stream, Fn&& fn)
{
    if (!stream)
        return false;
    std::lock_guard lock(CdgTableMutex());
    CdgStream** table = CdgTable();
    for (int i = 0; i < kCdgSlots; ++i) {
        if (table[i] && table[i]->outputStream.load() == stream) {
            fn(*table[i]);
            return true;
        }
    }
    return false;
}
