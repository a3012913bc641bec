#pragma once
// The plug-in contract: how a shared library adds a stream format to the
// audio layer. A plug-in includes this header and links the audio layer.
//
// The library exports, unmangled, its plug-in entry:
//     extern "C" const void* BASSplugin(DWORD face);
// face BASSPLUGIN_INFO gives its BASS_PLUGININFO (the formats it serves, by
// file extension), face BASSPLUGIN_CREATE its creation procedure (a
// BASSPLUGIN_CREATEPROC); any other face null.
//
// After BASS_PluginLoad, BASS_StreamCreateFile on a file whose extension the
// plug-in claims (and which no built-in decoder reads) calls the creation
// procedure on the caller's thread with a file object and the creation
// flags. The procedure makes its stream with BASS_PluginStreamCreate, hands
// the file object back with BASS_PluginFileClose, and returns the stream's
// handle; on failure it releases what it made and returns 0, after
// BASS_PluginSetError when it has a better code than BASS_ERROR_FILEFORM.
//
// The stream procedure runs on the layer's decoding threads, ahead of what is
// heard by up to the playback buffer (BASS_GetConfig(BASS_CONFIG_BUFFER)
// milliseconds); the callbacks run on the thread of the call that needs
// them. The host calls Free exactly once, when the stream's handle is freed
// (or, for a decoding source, when its tempo stream frees it), and never
// while the stream procedure runs; after Free nothing of the stream is called
// again. A procedure that returns -1 (an error) or adds BASS_STREAMPROC_END
// ends the stream cleanly: it plays out what it has and stops, and a decoding
// stream reports BASS_ERROR_ENDED.
//
// Byte positions and lengths are those of the layer: 16-bit frames at the
// stream's rate, whatever its sample format. The procedure and the callbacks
// must not call playback, position or data functions on their own stream's
// handle (they would wait for themselves); the byte and second conversions
// and every other handle are fine.
#include "platform/audio/Bass.h"

constexpr DWORD BASSPLUGIN_INFO = 0;
constexpr DWORD BASSPLUGIN_CREATE = 1;

// The version a plug-in is built for: its high word must be the library's (2.4).
constexpr DWORD BASSPLUGIN_VERSION = 0x02040000;

constexpr int BASS_ERROR_VERSION = 43;  // BASS_PluginLoad: built for another version

struct BASS_PLUGINFORM {
    DWORD ctype;       // the BASS_CTYPE_... its streams report
    const char* name;  // the format's description
    const char* exts;  // file filter, "*.cdg" or "*.abc;*.def"
};

struct BASS_PLUGININFO {
    DWORD version;  // BASSPLUGIN_VERSION
    DWORD formatc;  // number of formats
    const BASS_PLUGINFORM* formats;
};

// The file a stream is being created for; valid during the creation procedure only.
struct BASSFILE_OBJECT;
using BASSFILE = BASSFILE_OBJECT*;

using BASSPLUGIN_CREATEPROC = HSTREAM(BASSFILE file, DWORD flags);

// The callbacks of a plug-in's stream, each called with the `inst` value
// given to BASS_PluginStreamCreate. Entries may be null where noted.
struct ADDON_FUNCTIONS {
    DWORD flags;  // 0
    // The stream's handle is being freed: release everything of it.
    void (*Free)(void* inst);
    // The length in bytes for mode BASS_POS_BYTE; -1 (all bits) after
    // BASS_PluginSetError for anything else. Null: the length is not known.
    QWORD (*GetLength)(void* inst, DWORD mode);
    // Not called by this host; may be null.
    const char* (*GetTags)(void* inst, DWORD tags);
    QWORD (*GetFilePosition)(void* inst, DWORD mode);
    // May complete the information BASS_ChannelGetInfo reports; may be null.
    void (*GetInfo)(void* inst, BASS_CHANNELINFO* info);
    // Whether the stream can go to a position (set BASS_ERROR_POSITION or
    // BASS_ERROR_NOTAVAIL when not). Null: it always can, if SetPosition exists.
    BOOL (*CanSetPosition)(void* inst, QWORD pos, DWORD mode);
    // Goes there; the procedure's next data starts at that position. Returns
    // the position, or -1 (all bits). Null: the stream cannot be positioned.
    QWORD (*SetPosition)(void* inst, QWORD pos, DWORD mode);
};

extern "C" {

// Loads a plug-in library (dlopen) and registers its formats. Errors:
// BASS_ERROR_FILEOPEN (no loadable library), BASS_ERROR_FILEFORM (no plug-in
// entry, or one without formats), BASS_ERROR_VERSION, BASS_ERROR_ALREADY
// (that library is loaded). The flags are not used.
BASSDEF(HPLUGIN) BASS_PluginLoad(const char* file, DWORD flags);

// The host's functions for plug-ins.
// The error code of the call in progress (a creation, or a callback).
BASSDEF(void) BASS_PluginSetError(int code);
// A stream fed by `proc`, with the plug-in's callbacks; flags as given to the
// creation procedure (BASS_STREAM_DECODE, BASS_SAMPLE_FLOAT). 0 on failure.
BASSDEF(HSTREAM) BASS_PluginStreamCreate(DWORD freq, DWORD chans, DWORD flags, STREAMPROC* proc, void* inst,
                                         const ADDON_FUNCTIONS* funcs);
// The file's path, UTF-8.
BASSDEF(const char*) BASS_PluginFileName(BASSFILE file);
// The plug-in is done with the file object.
BASSDEF(void) BASS_PluginFileClose(BASSFILE file);

}  // extern "C"
