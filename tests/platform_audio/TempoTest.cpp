// Tempo streams: tempo, pitch and rate over a decoding stream, in source time.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassFx.h"

#include <chrono>
#include <cmath>
#include <thread>

using namespace audiotest;
using namespace std::chrono_literals;

namespace {

class TempoTest : public AudioTest {
protected:
    // A decoding stream of a sine file and a tempo stream over it.
    HSTREAM tempoOver(const Pcm& pcm, DWORD tempoFlags = BASS_FX_FREESOURCE, HSTREAM* source = nullptr)
    {
        const std::string path = m_dir.file("song.wav");
        writeWav16(path, pcm);
        const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        EXPECT_NE(decode, 0u) << BASS_ErrorGetCode();
        if (source)
            *source = decode;
        const HSTREAM tempo = BASS_FX_TempoCreate(decode, tempoFlags);
        EXPECT_NE(tempo, 0u) << BASS_ErrorGetCode();
        return tempo;
    }

    // Zero crossings per second of the left channel: twice the frequency of a sine.
    static double frequencyOf(const std::vector<float>& stereo, size_t skipFrames, int rate)
    {
        int crossings = 0;
        size_t frames = stereo.size() / 2;
        for (size_t i = skipFrames + 1; i < frames; ++i)
            if ((stereo[2 * (i - 1)] < 0) != (stereo[2 * i] < 0))
                ++crossings;
        return crossings / 2.0 / (double(frames - skipFrames) / rate);
    }
};

TEST_F(TempoTest, TempoTenPercentUpAdvancesSourceTimeTenPercentFaster)
{
    // Against a plain stream playing beside it, which counts output time.
    const std::string clockPath = m_dir.file("clock.wav");
    writeWav16(clockPath, sine(6.0, 440, 0.5));
    const HSTREAM clock = BASS_StreamCreateFile(FALSE, clockPath.c_str(), 0, 0, 0);
    const HSTREAM t = tempoOver(sine(6.0, 440, 0.5));
    ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, 10.0f));
    ASSERT_TRUE(BASS_ChannelPlay(clock, FALSE));
    ASSERT_TRUE(BASS_ChannelPlay(t, FALSE)) << BASS_ErrorGetCode();
    ASSERT_TRUE(waitUntil([&] { return playedSeconds(clock) > 0.3; }));
    const double c0 = playedSeconds(clock);
    const double p0 = playedSeconds(t);
    ASSERT_TRUE(waitUntil([&] { return playedSeconds(clock) > c0 + 2.0; }));
    EXPECT_NEAR((playedSeconds(t) - p0) / (playedSeconds(clock) - c0), 1.10, 0.02);
    BASS_StreamFree(t);
    BASS_StreamFree(clock);
}

TEST_F(TempoTest, RateRatioFollowsEveryChangeAtOnce)
{
    struct Case {
        float tempo;
        float freq;  // 0: the file's rate
        float ratio;
    };
    const HSTREAM t = tempoOver(sine(1.0, 440, 0.5));
    EXPECT_FLOAT_EQ(BASS_FX_TempoGetRateRatio(t), 1.0f);
    for (const Case c : {Case{10, 0, 1.1f}, Case{-20, 0, 0.8f}, Case{0, 48510, 1.1f}, Case{10, 48510, 1.21f},
                         Case{0, 39690, 0.9f}, Case{0, 0, 1.0f}}) {
        ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, c.tempo));
        ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO_FREQ, c.freq));
        EXPECT_NEAR(BASS_FX_TempoGetRateRatio(t), c.ratio, 1e-5) << c.tempo << " % at " << c.freq << " Hz";
    }
    // Not a tempo stream: no ratio.
    EXPECT_EQ(BASS_FX_TempoGetRateRatio(0), 0.0f);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    BASS_StreamFree(t);
}

TEST_F(TempoTest, AttributesStartAtTheFilesOwnValues)
{
    const HSTREAM t = tempoOver(sine(1.0, 440, 0.5, 48000));
    float v = -1;
    ASSERT_TRUE(BASS_ChannelGetAttribute(t, BASS_ATTRIB_TEMPO_FREQ, &v));
    EXPECT_EQ(v, 48000.0f);
    ASSERT_TRUE(BASS_ChannelGetAttribute(t, BASS_ATTRIB_FREQ, &v));
    EXPECT_EQ(v, 48000.0f);
    ASSERT_TRUE(BASS_ChannelGetAttribute(t, BASS_ATTRIB_TEMPO, &v));
    EXPECT_EQ(v, 0.0f);
    ASSERT_TRUE(BASS_ChannelGetAttribute(t, BASS_ATTRIB_TEMPO_PITCH, &v));
    EXPECT_EQ(v, 0.0f);
    // A changed speed does not change what the file's rate reads.
    ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO_FREQ, 52000.0f));
    ASSERT_TRUE(BASS_ChannelGetAttribute(t, BASS_ATTRIB_FREQ, &v));
    EXPECT_EQ(v, 48000.0f);
    // Out of range values are held at the limits.
    ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, -400.0f));
    ASSERT_TRUE(BASS_ChannelGetAttribute(t, BASS_ATTRIB_TEMPO, &v));
    EXPECT_EQ(v, -95.0f);
    EXPECT_FALSE(BASS_ChannelSetAttribute(t, 0x10009, 1.0f));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLTYPE);
    BASS_StreamFree(t);
}

TEST_F(TempoTest, PitchAndTempoShapeTheDecodedSound)
{
    // Decoding tempo stream: +12 semitones doubles the frequency, +25 % tempo
    // leaves it and shortens the sound.
    struct Case {
        float tempo;
        float pitch;
        double frequency;
        double seconds;
    };
    for (const Case c : {Case{0, 12, 880, 2.0}, Case{25, 0, 440, 1.6}, Case{0, 0, 440, 2.0}}) {
        SCOPED_TRACE(c.pitch);
        const HSTREAM t = tempoOver(sine(2.0, 440, 0.5), BASS_FX_FREESOURCE | BASS_STREAM_DECODE);
        ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, c.tempo));
        ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO_PITCH, c.pitch));
        const std::vector<float> out = decodeAll(t);
        EXPECT_NEAR(out.size() / 2 / 44100.0, c.seconds, 0.05);
        EXPECT_NEAR(frequencyOf(out, 4410, 44100), c.frequency, c.frequency * 0.02);
        EXPECT_EQ(BASS_ChannelGetPosition(t, BASS_POS_BYTE), BASS_ChannelGetLength(t, BASS_POS_BYTE));
        BASS_StreamFree(t);
    }
}

TEST_F(TempoTest, PositionsAreInSourceTime)
{
    HSTREAM source = 0;
    const HSTREAM t = tempoOver(sine(3.0, 440, 0.5), BASS_FX_FREESOURCE, &source);
    EXPECT_EQ(BASS_ChannelGetLength(t, BASS_POS_BYTE), BASS_ChannelGetLength(source, BASS_POS_BYTE));
    ASSERT_TRUE(BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, 50.0f));
    const QWORD at = BASS_ChannelSeconds2Bytes(t, 2.0);
    ASSERT_TRUE(BASS_ChannelSetPosition(t, at, BASS_POS_BYTE));
    EXPECT_EQ(BASS_ChannelGetPosition(t, BASS_POS_BYTE), at);
    ASSERT_TRUE(BASS_ChannelPlay(t, FALSE));
    // 1 s of source at +50 % takes about 0.67 s; the end is reached at the length.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(t) == BASS_ACTIVE_STOPPED; }));
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(took, 0.6);
    EXPECT_EQ(BASS_ChannelGetPosition(t, BASS_POS_BYTE), BASS_ChannelGetLength(t, BASS_POS_BYTE));
    BASS_StreamFree(t);
}

TEST_F(TempoTest, FreeSourceDecidesWhetherTheSourceGoesToo)
{
    for (const bool freeSource : {true, false}) {
        SCOPED_TRACE(freeSource);
        HSTREAM source = 0;
        const HSTREAM t = tempoOver(sine(0.5, 440, 0.5), freeSource ? BASS_FX_FREESOURCE : 0, &source);
        ASSERT_TRUE(BASS_StreamFree(t));
        EXPECT_EQ(BASS_ChannelGetLength(source, BASS_POS_BYTE) != QWORD(-1), !freeSource);
        BASS_StreamFree(source);
    }
    // Freeing the source first leaves the tempo stream working.
    HSTREAM source = 0;
    const HSTREAM t = tempoOver(sine(0.5, 440, 0.5), BASS_STREAM_DECODE, &source);
    ASSERT_TRUE(BASS_StreamFree(source));
    EXPECT_EQ(decodeAll(t).size(), 22050u * 2);
    BASS_StreamFree(t);
}

TEST_F(TempoTest, OnlyADecodingStreamCanBeTheSource)
{
    const std::string path = m_dir.file("p.wav");
    writeWav16(path, sine(0.5, 440, 0.5));
    const HSTREAM playing = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    EXPECT_EQ(BASS_FX_TempoCreate(playing, BASS_FX_FREESOURCE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DECODE);
    EXPECT_EQ(BASS_FX_TempoCreate(0, BASS_FX_FREESOURCE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    BASS_StreamFree(playing);
}

} // namespace
