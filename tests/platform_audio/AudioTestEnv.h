#pragma once
// What every audio test needs: the "No sound" device open, and a temporary
// folder for the test's own sound files.
#include "common/TestSupport.h"
#include "platform/audio/Bass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace audiotest {

// Opens the "No sound" device at 44100 Hz once per process.
void useNoSoundDevice();

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override { useNoSoundDevice(); }
    testsupport::TempDir m_dir;
};

// Every frame of a decoding stream from its position, as floats.
std::vector<float> decodeAll(DWORD stream);
// Up to `frames` frames as floats.
std::vector<float> decodeFrames(DWORD stream, int frames, int channels);

} // namespace audiotest
