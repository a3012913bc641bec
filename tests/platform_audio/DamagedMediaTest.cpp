// Damaged media must never break playback: a NaN sample, a damaged FLAC
// frame, an absurd MIDI length, a CUE sheet without its data, a huge time,
// and an FFmpeg stream positioned over and over.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassCd.h"
#include "platform/audio/BassMidi.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <malloc.h>

using namespace audiotest;

namespace {

bool allFinite(const std::vector<float>& v)
{
    for (float x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}

// A float WAV of a sine with one NaN sample at `nanFrame`.
void writeFloatWavWithNan(const std::string& path, size_t nanFrame)
{
    Pcm pcm = sine(1.0, 440, 0.5);
    pcm.samples[nanFrame * 2] = std::nanf("");
    SF_INFO info{};
    info.samplerate = pcm.rate;
    info.channels = pcm.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(f);
    sf_command(f, SFC_SET_NORM_FLOAT, nullptr, SF_FALSE);
    sf_writef_float(f, pcm.samples.data(), sf_count_t(pcm.frames()));
    sf_close(f);
}

} // namespace

class DamagedMediaTest : public AudioTest {};

TEST_F(DamagedMediaTest, NanSampleBecomesSilenceAndLeavesTheEqualizerWorking)
{
    const std::string path = m_dir.file("nan.wav");
    writeFloatWavWithNan(path, 1000);
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE | BASS_SAMPLE_FLOAT);
    ASSERT_NE(h, 0u) << BASS_ErrorGetCode();
    const HFX fx = BASS_ChannelSetFX(h, BASS_FX_DX8_PARAMEQ, 0);
    ASSERT_NE(fx, 0u);
    const BASS_DX8_PARAMEQ band{1000.0f, 12.0f, 6.0f};
    ASSERT_TRUE(BASS_FXSetParameters(fx, &band));

    const std::vector<float> first = decodeAll(h);
    ASSERT_EQ(first.size(), 44100u * 2);
    EXPECT_TRUE(allFinite(first));
    // The band still carries the tone after the damaged sample.
    EXPECT_GT(rmsDb(first, 2, 0, 20000, 44100), -20.0);

    ASSERT_TRUE(BASS_ChannelSetPosition(h, 0, BASS_POS_BYTE));
    const std::vector<float> again = decodeFrames(h, 500, 2);
    EXPECT_TRUE(allFinite(again));
    BASS_StreamFree(h);
}

TEST_F(DamagedMediaTest, SeekClearsTheEffectsMemory)
{
    // A seek back must sound exactly like the first time from that place.
    const std::string path = m_dir.file("tone.wav");
    writeWav16(path, sweep(1.0));
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE | BASS_SAMPLE_FLOAT);
    ASSERT_NE(h, 0u);
    const HFX fx = BASS_ChannelSetFX(h, BASS_FX_DX8_PARAMEQ, 0);
    const BASS_DX8_PARAMEQ band{2000.0f, 6.0f, 12.0f};
    ASSERT_TRUE(BASS_FXSetParameters(fx, &band));
    const std::vector<float> first = decodeFrames(h, 2000, 2);
    decodeFrames(h, 10000, 2);
    ASSERT_TRUE(BASS_ChannelSetPosition(h, 0, BASS_POS_BYTE));
    EXPECT_EQ(decodeFrames(h, 2000, 2), first);
    BASS_StreamFree(h);
}

TEST_F(DamagedMediaTest, DamagedFlacCanStillBePositionedAfterTheDamage)
{
    const std::string path = m_dir.file("damaged.flac");
    writeFlac(path, sweep(3.0));
    std::string bytes = testsupport::readFile(path);
    ASSERT_GT(bytes.size(), 20000u);
    // Garbage over a stretch of frames in the middle.
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 3000; ++i)
        bytes[i] = char((i * 7919) & 0xFF);
    testsupport::writeFile(path, bytes);

    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE | BASS_SAMPLE_FLOAT);
    ASSERT_NE(h, 0u) << BASS_ErrorGetCode();
    const std::vector<float> start = decodeFrames(h, 4410, 2);
    ASSERT_EQ(start.size(), 4410u * 2);
    decodeAll(h);  // past the damage
    for (QWORD pos : {QWORD(0), QWORD(4410 * 4), QWORD(0)}) {
        SCOPED_TRACE(pos);
        ASSERT_TRUE(BASS_ChannelSetPosition(h, pos, BASS_POS_BYTE)) << BASS_ErrorGetCode();
        EXPECT_EQ(BASS_ChannelGetPosition(h, BASS_POS_BYTE), pos);
        if (pos == 0) {
            EXPECT_EQ(decodeFrames(h, 4410, 2), start);
        }
    }
    BASS_StreamFree(h);
}

TEST_F(DamagedMediaTest, MidiOfCenturiesIsRefusedAsDamaged)
{
    // 40 bytes: the slowest tempo, one tick per quarter note, and the
    // longest delta time before the end of the track.
    std::string track = std::string("\x00\xFF\x51\x03\xFF\xFF\xFF", 7)  // 16.7 s per quarter
                      + std::string("\xFF\xFF\xFF\x7F\xFF\x2F\x00", 7);  // 268 million ticks, end
    std::string midi = std::string("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x01", 14) + "MTrk"
                     + std::string("\x00\x00\x00", 3) + char(track.size()) + track;
    midi += std::string(40 - midi.size(), '\0');
    ASSERT_EQ(midi.size(), 40u);
    const std::string path = m_dir.file("centuries.mid");
    testsupport::writeFile(path, midi);
    EXPECT_EQ(BASS_MIDI_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
}

TEST_F(DamagedMediaTest, CueTrackWithoutItsDataIsAnError)
{
    const std::string cue = m_dir.file("empty.cue");
    testsupport::writeFile(m_dir.file("empty.bin"), "");
    testsupport::writeFile(cue, "FILE \"empty.bin\" BINARY\n"
                                "  TRACK 01 AUDIO\n"
                                "    INDEX 01 00:00:00\n"
                                "  TRACK 02 AUDIO\n"
                                "    INDEX 01 00:30:00\n");
    for (const char* track : {"/Track01.cda", "/Track02.cda"}) {
        SCOPED_TRACE(track);
        const std::string path = cue + track;
        const HSTREAM h = BASS_CD_StreamCreateFile(path.c_str(), BASS_STREAM_DECODE);
        EXPECT_EQ(h, 0u) << "length " << BASS_ChannelGetLength(h, BASS_POS_BYTE);
        EXPECT_NE(BASS_ErrorGetCode(), BASS_OK);
        BASS_StreamFree(h);
    }
}

TEST_F(DamagedMediaTest, TimesNoByteCountHoldsAreRefused)
{
    const std::string path = m_dir.file("short.wav");
    writeWav16(path, sine(0.1, 440, 0.5));
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(h, 2.0), 88200u * 4);
    for (double huge : {1e15, 1e30, double(INFINITY)}) {
        EXPECT_EQ(BASS_ChannelSeconds2Bytes(h, huge), QWORD(-1)) << huge;
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    }
    BASS_StreamFree(h);
}

TEST_F(DamagedMediaTest, RepeatedSeeksInAnM4aHoldNoMemory)
{
    const std::string path = m_dir.file("song.m4a");
    std::string why;
    if (!ffmpegEncode(path, sweep(4.0), "aac", "ipod", 128000, "aac_pns=0", &why))
        GTEST_SKIP() << why;
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE | BASS_SAMPLE_FLOAT);
    ASSERT_NE(h, 0u) << BASS_ErrorGetCode();
    auto seekAround = [&](int times) {
        for (int i = 0; i < times; ++i)
            ASSERT_TRUE(BASS_ChannelSetPosition(h, QWORD(44100 + (i % 7) * 11025) * 4, BASS_POS_BYTE));
    };
    seekAround(50);
    // Under the sanitizers the leak checker reports what is lost; here the heap tells.
    const size_t before = mallinfo2().uordblks;
    seekAround(1000);
    const size_t after = mallinfo2().uordblks;
    if (before > 0) {
        EXPECT_LT(after, before + 100 * 1024) << "grew by " << (after - before);
    }
    EXPECT_FALSE(decodeFrames(h, 1000, 2).empty());
    BASS_StreamFree(h);
}
