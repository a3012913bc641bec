#pragma once
// The audio library the program plays through: devices, file streams,
// channels, attributes, effects. C-style calls with the names the player code
// uses; every call sets the calling thread's error code (BASS_OK on success).
//
// Devices: 0 is the "No sound" device (plays in real time, writes nowhere),
// 1 and up are the sound cards in PortAudio's order, -1 the default card.
// Positions and lengths are bytes of 16-bit frames at the source's own rate,
// so two streams of one song can be set to the same byte position.
#include "platform/win/WinTypes.h"

#include <cstdint>

#if defined(__GNUC__)
#define BASSDEF(type) __attribute__((visibility("default"))) type
#else
#define BASSDEF(type) type
#endif

using QWORD = std::uint64_t;
using HSTREAM = DWORD;
using HCHANNEL = DWORD;
using HFX = DWORD;
using HPLUGIN = DWORD;
using HRECORD = DWORD;

// Version 2.4: the high word is what callers check.
constexpr DWORD BASSVERSION = 0x204;

// Error codes, read with BASS_ErrorGetCode.
constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_MEM = 1;        // out of memory
constexpr int BASS_ERROR_FILEOPEN = 2;   // the file could not be opened
constexpr int BASS_ERROR_DRIVER = 3;     // the sound system refused the device
constexpr int BASS_ERROR_HANDLE = 5;     // not a valid handle (freed, never made, 0)
constexpr int BASS_ERROR_FORMAT = 6;     // unsupported sample format
constexpr int BASS_ERROR_POSITION = 7;   // position beyond the end
constexpr int BASS_ERROR_INIT = 8;       // no device has been initialised
constexpr int BASS_ERROR_START = 9;      // the output is paused or not started
constexpr int BASS_ERROR_ALREADY = 14;   // already initialised / paused
constexpr int BASS_ERROR_ILLTYPE = 19;   // unknown attribute, option or effect type
constexpr int BASS_ERROR_ILLPARAM = 20;  // an argument is out of range
constexpr int BASS_ERROR_DEVICE = 23;    // no such device
constexpr int BASS_ERROR_NOPLAY = 24;    // the channel is not playing
constexpr int BASS_ERROR_NOTFILE = 27;   // the stream is not a file stream
constexpr int BASS_ERROR_NOTAVAIL = 37;  // not available for this kind of channel
constexpr int BASS_ERROR_DECODE = 38;    // the channel is (or is not) a decoding channel
constexpr int BASS_ERROR_FILEFORM = 41;  // the file's content is not of the expected format
constexpr int BASS_ERROR_CODEC = 44;     // no decoder for the file's codec
constexpr int BASS_ERROR_ENDED = 45;     // the channel has ended
constexpr int BASS_ERROR_UNKNOWN = -1;

// BASS_Init flags.
constexpr DWORD BASS_DEVICE_MONO = 2;  // mix the output to one channel

// BASS_DEVICEINFO flags.
constexpr DWORD BASS_DEVICE_ENABLED = 1;
constexpr DWORD BASS_DEVICE_DEFAULT = 2;
constexpr DWORD BASS_DEVICE_INIT = 4;
constexpr DWORD BASS_DEVICE_LOOPBACK = 8;  // a recording device that captures what is played

// Stream creation flags.
constexpr DWORD BASS_SAMPLE_FLOAT = 0x100;       // BASS_ChannelGetData hands out 32-bit floats
constexpr DWORD BASS_STREAM_DECODE = 0x200000;   // decode only: pulled by the caller, never played

// Position modes.
constexpr DWORD BASS_POS_BYTE = 0;

// BASS_ChannelGetData length flag: hand out 32-bit floats.
constexpr DWORD BASS_DATA_FLOAT = 0x40000000;

// BASS_ChannelIsActive results.
constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;
constexpr DWORD BASS_ACTIVE_STALLED = 2;
constexpr DWORD BASS_ACTIVE_PAUSED = 3;

// Channel attributes.
constexpr DWORD BASS_ATTRIB_FREQ = 1;  // playback rate in Hz; 0 = the source's own rate
constexpr DWORD BASS_ATTRIB_VOL = 2;   // 0 (silent) to 1 (full)
constexpr DWORD BASS_ATTRIB_VOLDSP = 19;  // gain of a recording's data, 1 = unchanged

// Configuration options.
constexpr DWORD BASS_CONFIG_BUFFER = 0;          // decode-ahead per stream, milliseconds (10 to 5000)
constexpr DWORD BASS_CONFIG_AAC_MP4 = 0x10701;   // accepted; MP4 files always play through the AAC creator

// Effect types.
constexpr DWORD BASS_FX_DX8_PARAMEQ = 7;  // peaking equaliser band

// Channel types reported by BASS_ChannelGetInfo.
constexpr DWORD BASS_CTYPE_RECORD = 2;
constexpr DWORD BASS_CTYPE_STREAM = 0x10000;
constexpr DWORD BASS_CTYPE_STREAM_OGG = 0x10002;
constexpr DWORD BASS_CTYPE_STREAM_MP1 = 0x10003;
constexpr DWORD BASS_CTYPE_STREAM_MP2 = 0x10004;
constexpr DWORD BASS_CTYPE_STREAM_MP3 = 0x10005;
constexpr DWORD BASS_CTYPE_STREAM_WMA = 0x10300;
constexpr DWORD BASS_CTYPE_STREAM_FLAC = 0x10900;
constexpr DWORD BASS_CTYPE_STREAM_AAC = 0x10b00;
constexpr DWORD BASS_CTYPE_STREAM_MP4 = 0x10b01;
constexpr DWORD BASS_CTYPE_STREAM_WAV = 0x40000;
constexpr DWORD BASS_CTYPE_STREAM_TEMPO = 0x1f200;

struct BASS_DEVICEINFO {
    const char* name;    // "No sound" for device 0
    const char* driver;  // the sound system (PortAudio host API) of the device
    DWORD flags;         // BASS_DEVICE_ENABLED, _DEFAULT, _INIT
};

struct BASS_INFO {
    DWORD flags;
    DWORD minbuf;     // milliseconds of output buffering
    DWORD dsver;      // effect support level; 8 and up: the equaliser is available
    DWORD latency;    // milliseconds from a change to the speaker
    DWORD initflags;  // the flags given to BASS_Init
    DWORD speakers;   // output channels
    DWORD freq;       // output rate in Hz
};

struct BASS_CHANNELINFO {
    DWORD freq;   // the source's rate in Hz
    DWORD chans;  // the source's channel count
    DWORD flags;  // creation flags
    DWORD ctype;  // BASS_CTYPE_...
    DWORD origres;  // bits per sample of the source, 0 when not known
    HPLUGIN plugin;
    const char* filename;  // the file of a file stream, else null; valid while the stream lives
};

// BASS_RecordStart flag: the recording starts paused (BASS_ChannelPlay starts it).
constexpr DWORD BASS_RECORD_PAUSE = 0x8000;

// BASS_RecordGetInput / BASS_RecordSetInput flags.
constexpr DWORD BASS_INPUT_OFF = 0x10000;
constexpr DWORD BASS_INPUT_ON = 0x20000;

// A stream procedure: writes up to `length` bytes of the stream's sample
// format (16-bit, or float with BASS_SAMPLE_FLOAT) and returns how many, with
// BASS_STREAMPROC_END added for the last data; -1 (all bits) is an error and
// ends the stream too, as does a call that yields no bytes.
using STREAMPROC = DWORD(HSTREAM handle, void* buffer, DWORD length, void* user);
constexpr DWORD BASS_STREAMPROC_END = 0x80000000;

// Captured data of a recording, in its sample format, on the capture
// thread; FALSE stops the recording.
using RECORDPROC = BOOL(HRECORD handle, const void* buffer, DWORD length, void* user);

struct BASS_DX8_PARAMEQ {
    float fCenter;     // centre frequency in Hz, 80 to 16000, kept below the rate's Nyquist frequency
    float fBandwidth;  // bandwidth in semitones, 1 to 36
    float fGain;       // gain in dB, -15 to +15
};

extern "C" {

// Library and devices.
BASSDEF(DWORD) BASS_GetVersion();
BASSDEF(int) BASS_ErrorGetCode();
BASSDEF(BOOL) BASS_Init(int device, DWORD freq, DWORD flags, HWND win, const void* dsguid);
BASSDEF(BOOL) BASS_Free();
BASSDEF(BOOL) BASS_Start();
BASSDEF(BOOL) BASS_Pause();
BASSDEF(BOOL) BASS_GetDeviceInfo(DWORD device, BASS_DEVICEINFO* info);
BASSDEF(BOOL) BASS_GetInfo(BASS_INFO* info);
BASSDEF(BOOL) BASS_SetConfig(DWORD option, DWORD value);
BASSDEF(DWORD) BASS_GetConfig(DWORD option);
BASSDEF(BOOL) BASS_SetVolume(float volume);
BASSDEF(float) BASS_GetVolume();

// File streams. The file is a path (UTF-8); memory streams and file ranges
// (mem TRUE, offset or length not 0) are not offered.
BASSDEF(HSTREAM) BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BASSDEF(HSTREAM) BASS_WMA_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BASSDEF(HSTREAM) BASS_FLAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BASSDEF(HSTREAM) BASS_AAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BASSDEF(BOOL) BASS_StreamFree(HSTREAM handle);
// A stream fed by a procedure, which runs on the layer's threads, ahead of
// what is heard by up to the playback buffer (BASS_CONFIG_BUFFER). proc null:
// a stream without data of its own, which ends at once. Its length is not
// known (BASS_ChannelGetLength: BASS_ERROR_NOTAVAIL) and it cannot be positioned.
BASSDEF(HSTREAM) BASS_StreamCreate(DWORD freq, DWORD chans, DWORD flags, STREAMPROC* proc, void* user);

// Channels.
BASSDEF(BOOL) BASS_ChannelPlay(DWORD handle, BOOL restart);
BASSDEF(BOOL) BASS_ChannelPause(DWORD handle);
BASSDEF(BOOL) BASS_ChannelStop(DWORD handle);
// BASS_ChannelPlay without restart.
BASSDEF(BOOL) BASS_ChannelStart(DWORD handle);
BASSDEF(DWORD) BASS_ChannelIsActive(DWORD handle);
BASSDEF(BOOL) BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info);
BASSDEF(QWORD) BASS_ChannelGetLength(DWORD handle, DWORD mode);
BASSDEF(QWORD) BASS_ChannelGetPosition(DWORD handle, DWORD mode);
BASSDEF(BOOL) BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode);
BASSDEF(double) BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos);
BASSDEF(QWORD) BASS_ChannelSeconds2Bytes(DWORD handle, double seconds);
BASSDEF(BOOL) BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value);
BASSDEF(BOOL) BASS_ChannelGetAttribute(DWORD handle, DWORD attrib, float* value);
BASSDEF(BOOL) BASS_ChannelSlideAttribute(DWORD handle, DWORD attrib, float value, DWORD time);
// Level of the last ~20 ms heard: low word left, high word right, 0 to 32768.
BASSDEF(DWORD) BASS_ChannelGetLevel(DWORD handle);
// Decoded data of a decoding channel: 16-bit samples, or floats with
// BASS_DATA_FLOAT or a BASS_SAMPLE_FLOAT stream. Returns bytes, -1 on error.
BASSDEF(DWORD) BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length);

// Recording. Devices: 0 is the "No sound" recording device (silence in real
// time), 1 and up the PortAudio input devices, -1 the default one. Every
// device has one input, "Default", with a software level and on/off switch.
// A recording channel is stopped and freed by BASS_ChannelStop, and
// BASS_ChannelGetData drains what it has captured (the newest 2 seconds).
BASSDEF(BOOL) BASS_RecordGetDeviceInfo(DWORD device, BASS_DEVICEINFO* info);
BASSDEF(BOOL) BASS_RecordInit(int device);
// Frees the recording device and its recording channels.
BASSDEF(BOOL) BASS_RecordFree();
// The name of an input of the current recording device; null past the last one.
BASSDEF(const char*) BASS_RecordGetInputName(int input);
// An input's flags (BASS_INPUT_OFF when switched off) and level 0 to 1;
// input -1: the master level. -1 (all bits) on error.
BASSDEF(DWORD) BASS_RecordGetInput(int input, float* volume);
// flags: BASS_INPUT_ON, BASS_INPUT_OFF or 0 (unchanged); volume below 0: unchanged.
BASSDEF(BOOL) BASS_RecordSetInput(int input, DWORD flags, float volume);
// A recording of the current device: freq 0 means 44100; 1 or 2 channels;
// flags BASS_RECORD_PAUSE, BASS_SAMPLE_FLOAT.
BASSDEF(HRECORD) BASS_RecordStart(DWORD freq, DWORD chans, DWORD flags, RECORDPROC* proc, void* user);

// Effects.
BASSDEF(HFX) BASS_ChannelSetFX(DWORD handle, DWORD type, int priority);
BASSDEF(BOOL) BASS_FXSetParameters(HFX handle, const void* params);
BASSDEF(BOOL) BASS_FXGetParameters(HFX handle, void* params);
// Clears the internal state of one effect, or of every effect of a channel; parameters stay.
BASSDEF(BOOL) BASS_FXReset(DWORD handle);

}  // extern "C"
