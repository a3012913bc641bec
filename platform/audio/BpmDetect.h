#pragma once
// Beats per minute of a range of a decoding channel, by SoundTouch's beat
// detection, folded into a BPM range.
#include "platform/audio/BassFx.h"

namespace audio {

class Channel;

struct BpmRequest {
    double startSec = 0;
    double endSec = 0;
    DWORD minMaxBpm = 0;  // low word lowest, high word highest; 0 = the defaults
    DWORD flags = 0;
    BPMPROC progress = nullptr;
    void* user = nullptr;
};

// The BPM, or 0; `error` gets a BASS_ERROR_... code (BASS_OK also when nothing was found).
float detectBpm(Channel& channel, const BpmRequest& request, int& error);

// Folds a detected BPM into [low, high]: by doubling and halving with
// BASS_FX_BPM_MULT2, otherwise a value outside is dropped (0).
float foldBpm(float bpm, DWORD minMaxBpm, DWORD flags);

} // namespace audio
