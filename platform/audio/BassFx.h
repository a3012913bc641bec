#pragma once
// Tempo, pitch and rate over a decoding stream, and beat detection.
#include "platform/audio/Bass.h"

// BASS_FX_TempoCreate flag: freeing the tempo stream frees its source too.
// Also a BASS_FX_BPM_DecodeGet flag: the channel is freed after detection.
constexpr DWORD BASS_FX_FREESOURCE = 0x10000;

// Tempo stream attributes.
constexpr DWORD BASS_ATTRIB_TEMPO = 0x10000;        // tempo change in percent, -95 to +500
constexpr DWORD BASS_ATTRIB_TEMPO_PITCH = 0x10001;  // pitch change in semitones, -60 to +60
constexpr DWORD BASS_ATTRIB_TEMPO_FREQ = 0x10002;   // playback rate in Hz (tempo and pitch together); 0 = the file's rate

// BASS_FX_BPM_DecodeGet flags.
// BASS_FX_BPM_BKGRND with BASS_FX_FREESOURCE: the detection runs on a worker
// thread and the call returns 0 at once; the next call with the same handle
// gives the result (waiting for it if the worker has not finished).
// Without BASS_FX_FREESOURCE the caller keeps the stream, so it runs on the
// calling thread as without the flag.
constexpr DWORD BASS_FX_BPM_BKGRND = 1;
constexpr DWORD BASS_FX_BPM_MULT2 = 2;   // fold a result outside the range by doubling or halving it into the range

// The range of BASS_FX_BPM_DecodeGet when its minMaxBPM is 0.
constexpr DWORD BASS_FX_BPM_DEFAULT_MIN = 60;
constexpr DWORD BASS_FX_BPM_DEFAULT_MAX = 190;

// Progress of BASS_FX_BPM_DecodeGet, 0 to 100 percent, on the thread that
// detects (the calling thread, or the worker of a background detection).
using BPMPROC = void (*)(DWORD chan, float percent, void* user);

extern "C" {

// Wraps a decoding stream. The tempo stream plays (or decodes, with
// BASS_STREAM_DECODE) the source with tempo, pitch and rate; its positions
// and length are the source's.
BASSDEF(HSTREAM) BASS_FX_TempoCreate(DWORD chan, DWORD flags);
// How much faster than the file the tempo stream plays: tempo and rate together.
BASSDEF(float) BASS_FX_TempoGetRateRatio(DWORD chan);

// Beats per minute of seconds startSec to endSec of a decoding stream.
// minMaxBPM: low word the lowest, high word the highest BPM (0 = the
// defaults above). Returns 0 when nothing is found, when the stream is not
// long enough to reach startSec, or on error. The stream's position moves.
BASSDEF(float) BASS_FX_BPM_DecodeGet(DWORD chan, double startSec, double endSec, DWORD minMaxBPM, DWORD flags,
                                     BPMPROC proc, void* user);
// Release what beat detection kept for a channel: a background detection
// of the handle stops and its result is dropped; FALSE with
// BASS_ERROR_HANDLE for a handle that is neither a channel nor a detection.
BASSDEF(BOOL) BASS_FX_BPM_Free(DWORD handle);
BASSDEF(BOOL) BASS_FX_BPM_BeatFree(DWORD handle);

}  // extern "C"
