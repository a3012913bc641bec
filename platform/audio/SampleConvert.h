#pragma once
// The sample conversions every decoded sample passes through once, written
// as loops the compiler vectorises.
#include <cstddef>

namespace audio {

// Replaces NaN and infinite samples (a damaged file's) with silence.
void silenceNonFinite(float* samples, size_t count);

// Interleaves `channels` planes of `frames` samples each into `dst`, with
// NaN and infinite samples as silence: a planar float decoder's frame in
// the one pass over it.
void interleaveFinite(const float* const* planes, int channels, size_t frames, float* dst);

} // namespace audio
