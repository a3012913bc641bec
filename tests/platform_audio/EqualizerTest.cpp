// The equaliser effect: peaking bands with centre, bandwidth and gain.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/Bass.h"

#include <cmath>

using namespace audiotest;

namespace {

class EqualizerTest : public AudioTest {
protected:
    HSTREAM decodeSine(double frequency, int rate)
    {
        const std::string path = m_dir.file("sine" + std::to_string(int(frequency)) + ".wav");
        writeWav16(path, sine(1.0, frequency, 0.25, rate));
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        EXPECT_NE(s, 0u);
        return s;
    }
};

TEST_F(EqualizerTest, BandRaisesItsCentreByItsGain)
{
    struct Case {
        double frequency;  // of the sine
        float gain;
        double expectDb;
        double tolerance;
    };
    // Centre 1000 Hz, bandwidth 18 semitones, as the player sets its bass band.
    for (const Case c : {Case{1000, 10, 10, 0.5}, Case{1000, -10, -10, 0.5}, Case{1000, 0, 0, 0.05},
                         Case{12000, 10, 0, 0.6}}) {
        SCOPED_TRACE(c.frequency);
        SCOPED_TRACE(c.gain);
        const HSTREAM plain = decodeSine(c.frequency, 44100);
        const std::vector<float> before = decodeAll(plain);
        const HSTREAM s = decodeSine(c.frequency, 44100);
        const HFX fx = BASS_ChannelSetFX(s, BASS_FX_DX8_PARAMEQ, 0);
        ASSERT_NE(fx, 0u) << BASS_ErrorGetCode();
        const BASS_DX8_PARAMEQ band{1000.0f, 18.0f, c.gain};
        ASSERT_TRUE(BASS_FXSetParameters(fx, &band));
        const std::vector<float> after = decodeAll(s);
        ASSERT_EQ(after.size(), before.size());
        // Past the filter's settling time.
        const double gain = rmsDb(after, 2, 0, 4410, after.size() / 2) - rmsDb(before, 2, 0, 4410, before.size() / 2);
        EXPECT_NEAR(gain, c.expectDb, c.tolerance);
        BASS_StreamFree(plain);
        BASS_StreamFree(s);
    }
}

TEST_F(EqualizerTest, ParametersAreKeptWithinTheirRanges)
{
    const HSTREAM s = decodeSine(440, 44100);
    const HFX fx = BASS_ChannelSetFX(s, BASS_FX_DX8_PARAMEQ, 0);
    const BASS_DX8_PARAMEQ wild{50000.0f, 100.0f, -40.0f};
    ASSERT_TRUE(BASS_FXSetParameters(fx, &wild));
    BASS_DX8_PARAMEQ got{};
    ASSERT_TRUE(BASS_FXGetParameters(fx, &got));
    EXPECT_EQ(got.fCenter, 16000.0f);
    EXPECT_EQ(got.fBandwidth, 36.0f);
    EXPECT_EQ(got.fGain, -15.0f);
    const BASS_DX8_PARAMEQ broken{NAN, 12.0f, 0.0f};
    EXPECT_FALSE(BASS_FXSetParameters(fx, &broken));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    // A reset clears the filter's memory, not its parameters.
    ASSERT_TRUE(BASS_FXReset(s));
    ASSERT_TRUE(BASS_FXReset(fx));
    ASSERT_TRUE(BASS_FXGetParameters(fx, &got));
    EXPECT_EQ(got.fGain, -15.0f);
    EXPECT_EQ(BASS_ChannelSetFX(s, 99, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLTYPE);
    // The effect goes with its stream.
    BASS_StreamFree(s);
    EXPECT_FALSE(BASS_FXGetParameters(fx, &got));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(EqualizerTest, BandAboveNyquistStaysStable)
{
    // The player's 16000 Hz band on an 11025 Hz file: the centre is kept
    // inside the band the rate can carry, the sound stays finite.
    const HSTREAM s = decodeSine(440, 11025);
    const HFX fx = BASS_ChannelSetFX(s, BASS_FX_DX8_PARAMEQ, 0);
    const BASS_DX8_PARAMEQ band{16000.0f, 18.0f, 10.0f};
    ASSERT_TRUE(BASS_FXSetParameters(fx, &band));
    const std::vector<float> out = decodeAll(s);
    ASSERT_EQ(out.size(), 11025u * 2);
    for (float v : out)
        ASSERT_TRUE(std::isfinite(v) && std::fabs(v) < 1.0f);
    // Far below the band, the 440 Hz tone keeps its level.
    EXPECT_NEAR(rmsDb(out, 2, 0, 2000, 11025), 20 * std::log10(0.25 / std::sqrt(2.0)), 1.0);
    BASS_StreamFree(s);
}

} // namespace
