// The played position between the output's pulls: a sound card takes whole
// periods, but the position a poll reads must move with what is heard.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/Mixer.h"

#include <random>

using namespace audiotest;

namespace {

constexpr int kRate = 44100;
constexpr int kPeriod = 512;
constexpr double kFiveMsFrames = 0.005 * kRate;

// A card playing at exactly the rate, which takes each 512-frame period
// somewhere between 0 and 3 ms before it starts playing it (as a callback
// woken a little early or late does), polled every 0.3 ms in between.
TEST(SmoothPosition, FollowsThePlayedFramesOfACardThatPullsWholePeriods)
{
    audio::Mixer mixer(kRate, 2, 4 * kPeriod);
    std::vector<float> out(size_t(kPeriod) * 2);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> early(0.0, 0.003);
    const std::int64_t origin = 1'000'000'000;
    auto ns = [&](double seconds) { return origin + std::int64_t(seconds * 1e9); };

    double last = 0;
    double worst = 0;
    int polls = 0;
    double pullAt = 0;
    for (int k = 0; k < 400; ++k) {
        while (mixer.renderBlock()) {
        }
        const double startsPlaying = double(k) * kPeriod / kRate;
        pullAt = std::max(pullAt, startsPlaying - early(random));
        mixer.pull(out.data(), kPeriod, ns(pullAt));
        const double nextPull = double(k + 1) * kPeriod / kRate - 0.003;
        for (double t = pullAt; t < std::max(nextPull, pullAt + 0.0003); t += 0.0003) {
            const double position = mixer.playedFrames(ns(t));
            ASSERT_GE(position, last) << "at " << t << " s";
            last = position;
            const double played = std::max(0.0, t * kRate);
            worst = std::max(worst, std::fabs(position - played));
            ++polls;
        }
    }
    EXPECT_GT(polls, 3000);
    EXPECT_LE(worst, kFiveMsFrames) << worst * 1000.0 / kRate << " ms";
}

// A late pull (the machine stalled) leaves the position standing at what
// was taken instead of running past it, and paused output holds it.
TEST(SmoothPosition, StopsAtWhatWasTakenAndHoldsWhilePaused)
{
    audio::Mixer mixer(kRate, 2, 4 * kPeriod);
    std::vector<float> out(size_t(kPeriod) * 2);
    while (mixer.renderBlock()) {
    }
    const std::int64_t t0 = 5'000'000'000;
    mixer.pull(out.data(), kPeriod, t0);
    EXPECT_DOUBLE_EQ(mixer.playedFrames(t0), 0.0);
    EXPECT_NEAR(mixer.playedFrames(t0 + 5'000'000), 0.005 * kRate, 1.0);
    EXPECT_DOUBLE_EQ(mixer.playedFrames(t0 + 100'000'000), double(kPeriod));
    mixer.setPaused(true);
    EXPECT_DOUBLE_EQ(mixer.playedFrames(t0 + 200'000'000), double(kPeriod));
}

class PlayedPositionTest : public AudioTest {};

// On the "No sound" device: polled every millisecond, a playing stream's
// position never goes back and hardly ever stands still.
TEST_F(PlayedPositionTest, PollsSeeAPositionThatOnlyMovesForward)
{
    const std::string path = m_dir.file("tone.wav");
    writeWav16(path, sine(5.0, 441.0, 0.3));
    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelGetPosition(s, BASS_POS_BYTE) > 0; }));
    // The output takes 5 ms at a time: standing still between its pulls
    // would leave most polls unmoved. A loaded machine can starve the output
    // thread for a while, so the best of three windows counts.
    int best = 0;
    int bestPolls = 1;
    for (int window = 0; window < 3 && best <= bestPolls / 2; ++window) {
        QWORD last = BASS_ChannelGetPosition(s, BASS_POS_BYTE);
        int moved = 0;
        int polls = 0;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        while (std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const QWORD now = BASS_ChannelGetPosition(s, BASS_POS_BYTE);
            ASSERT_GE(now, last);
            moved += now > last;
            last = now;
            ++polls;
        }
        if (moved * bestPolls > best * polls) {
            best = moved;
            bestPolls = polls;
        }
    }
    EXPECT_GT(best, bestPolls / 2) << best << " of " << bestPolls;
    BASS_StreamFree(s);
}

} // namespace
