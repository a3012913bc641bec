#pragma once
// What every audio test needs: the "No sound" device open, and a temporary
// folder for the test's own sound files.
#include "common/TestSupport.h"
#include "platform/audio/Bass.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace audiotest {

// Opens the "No sound" device at 44100 Hz once per process.
void useNoSoundDevice();

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override { useNoSoundDevice(); }
    testsupport::TempDir m_dir;
};

// Polls until `done` holds or `seconds` have passed; returns whether it held.
template <typename Pred>
bool waitUntil(Pred done, double seconds = 5.0)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Seconds a channel has played.
double playedSeconds(DWORD channel);

// Every frame of a decoding stream from its position, as floats.
std::vector<float> decodeAll(DWORD stream);
// Up to `frames` frames as floats.
std::vector<float> decodeFrames(DWORD stream, int frames, int channels);

} // namespace audiotest
