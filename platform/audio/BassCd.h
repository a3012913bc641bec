#pragma once
// CD audio tracks through libcdio (with paranoia on a real drive).
//
// A track is named like a file: the disc's path, then "/TrackNN.cda" with
// the track number as on the disc ("Track01.cda", any case). The disc is a
// drive's device ("/dev/sr0/Track03.cda", "/dev/cdrom/Track03.cda") or a disc
// image that libcdio reads: BIN/CUE ("/music/album.cue/Track02.cda"),
// cdrdao TOC or Nero NRG. A "\" before the track name works as well.
#include "platform/audio/Bass.h"

constexpr DWORD BASS_CTYPE_STREAM_CD = 0x10200;

// Errors of CD streams beyond the library's own.
constexpr int BASS_ERROR_NOCD = 12;      // the drive holds no disc, or the image is no disc image
constexpr int BASS_ERROR_CDTRACK = 13;   // the disc has no such track
constexpr int BASS_ERROR_NOTAUDIO = 17;  // the track is a data track

extern "C" {

// A stream of one track, 44100 Hz stereo; BASS_STREAM_DECODE as for files.
BASSDEF(HSTREAM) BASS_CD_StreamCreateFile(const char* file, DWORD flags);

}  // extern "C"
