#pragma once
// MIDI streams (MID, MIDI, KAR, RMI) rendered with FluidSynth from sound
// fonts (SF2). A stream renders with the default fonts set when it was made;
// without any it opens and plays silence for the song's length.
#include "platform/audio/Bass.h"

using HSOUNDFONT = DWORD;

constexpr DWORD BASS_CTYPE_STREAM_MIDI = 0x10d00;

struct BASS_MIDI_FONT {
    HSOUNDFONT font;
    int preset;  // -1: every preset of the font (the only use the program makes)
    int bank;
};

extern "C" {

// Opens a MIDI file. freq: the rate to render at, 0 = the output device's.
BASSDEF(HSTREAM) BASS_MIDI_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags,
                                            DWORD freq);
// A sound font file: its handle, or 0 (BASS_ERROR_FILEOPEN when it cannot be
// read, BASS_ERROR_FILEFORM when it is no SF2 font).
BASSDEF(HSOUNDFONT) BASS_MIDI_FontInit(const void* file, DWORD flags);
// Forgets a font; it also leaves the defaults. Streams that use it keep their own copy.
BASSDEF(BOOL) BASS_MIDI_FontFree(HSOUNDFONT handle);
// handle 0: the default fonts of every MIDI stream made from now on, the
// first entry on top. count 0 clears them. Other handles: BASS_ERROR_NOTAVAIL.
BASSDEF(BOOL) BASS_MIDI_StreamSetFonts(DWORD handle, const BASS_MIDI_FONT* fonts, DWORD count);

}  // extern "C"
