#pragma once
// Encoding a recording through an outside encoder program ("lame") that
// reads the sound, as a WAV stream, from its standard input.
//
// The command line is split into arguments the way a shell would, but no
// shell runs it: blanks separate arguments, "double quotes" group (inside
// them a backslash before " or another backslash takes it literally),
// 'single quotes' group literally. A path with blanks or quotes must be
// quoted; audio::encoderArgument does that.
#include "platform/audio/Bass.h"

#include <string>

using HENCODE = DWORD;
using ENCODEPROC = void(HENCODE handle, DWORD channel, const void* buffer, DWORD length, void* user);

constexpr DWORD BASS_ENCODE_NOHEAD = 1;          // no WAV header before the samples
constexpr DWORD BASS_ENCODE_AUTOFREE = 0x40000;  // the encoder handle goes with its channel

// BASS_Encode_IsActive results.
constexpr DWORD BASS_ACTIVE_ENCODER_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_ENCODER_PLAYING = 1;

extern "C" {

// Starts the program and feeds it everything the recording channel captures
// from now on, as 16-bit samples. The program ends, its file complete, when
// the channel is stopped or freed (BASS_Encode_Stop ends it earlier).
// Errors: BASS_ERROR_FILEOPEN when the program cannot be started (not
// found), BASS_ERROR_NOTAVAIL for a channel that is no recording or with an
// ENCODEPROC (not offered), BASS_ERROR_ILLPARAM for an empty command line.
BASSDEF(HENCODE) BASS_Encode_Start(DWORD handle, const char* cmdline, DWORD flags, ENCODEPROC* proc, void* user);
// Ends an encoder (its input closed, the program waited for); handle may also
// be a channel, which ends all of its encoders.
BASSDEF(BOOL) BASS_Encode_Stop(DWORD handle);
// BASS_ACTIVE_ENCODER_PLAYING while the program runs and takes input.
BASSDEF(DWORD) BASS_Encode_IsActive(DWORD handle);

}  // extern "C"

namespace audio {

// One argument for an encoder command line: as it is when it holds no blank,
// quote or backslash, else in double quotes with " and \ escaped.
std::string encoderArgument(const std::string& text);

} // namespace audio
