// Alert sounds: a WAVE image in memory or a file plays on the current device.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"
#include "platform/audio/PlaySound.h"

#include <fstream>
#include <iterator>

using audiotest::AudioTest;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

class PlaySoundTest : public AudioTest {};

TEST_F(PlaySoundTest, PlaysAWaveFromMemoryOrFileAndANewOneEndsTheOld)
{
    const std::string path = m_dir.file("ding.wav");
    audiotest::writeWav16(path, audiotest::sine(0.3, 880, 0.5, 22050, 1));
    const std::string wav = readAll(path);
    EXPECT_TRUE(PlaySound(wav.data(), nullptr, SND_MEMORY | SND_ASYNC));
    EXPECT_TRUE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    // Synchronous: returns when the sound has ended.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PlaySound(wav.data(), nullptr, SND_MEMORY | SND_SYNC));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
}

TEST_F(PlaySoundTest, SomethingThatIsNoWaveIsRefused)
{
    const std::string junk(64, 'x');
    EXPECT_FALSE(PlaySound(junk.data(), nullptr, SND_MEMORY | SND_ASYNC));
    EXPECT_FALSE(PlaySound(m_dir.file("missing.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC));
}
