#pragma once
// The decoders whose libraries are large (FFmpeg for WMA and AAC, FluidSynth
// for MIDI) live in modules of their own beside the audio layer, loaded with
// dlopen when a file first needs one: the program starts without them.
#include "platform/audio/Decoder.h"

namespace audio {

enum class FfmpegKind { Wma = 0, Aac = 1 };

// As the decoders' own open; BASS_ERROR_CODEC when the module cannot be loaded.
std::unique_ptr<Decoder> openFfmpegDecoder(const std::string& path, FfmpegKind kind, int& error);
std::unique_ptr<Decoder> openMidiDecoder(const std::string& path, int rate, int& error);

} // namespace audio

// The modules' entries: a new decoder, or null with a BASS_ERROR_... code.
extern "C" {
using MirtalFfmpegOpen = audio::Decoder* (*)(const char* path, int kind, int* error);
using MirtalMidiOpen = audio::Decoder* (*)(const char* path, int rate, int* error);
}
