// MIDI streams: length from the tempo map, sound fonts, playing to the end,
// seeking, and what bad files get.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassMidi.h"

#include <cmath>
#include <cstdint>
#include <filesystem>

using namespace audiotest;

namespace {

const char* const kGmFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A track's bytes written event by event.
class Track {
public:
    Track& delta(std::uint32_t ticks)
    {
        std::uint8_t v[4];
        int n = 0;
        v[n++] = ticks & 0x7F;
        while (ticks >>= 7)
            v[n++] = std::uint8_t(0x80 | (ticks & 0x7F));
        while (n)
            m_bytes += char(v[--n]);
        return *this;
    }
    Track& bytes(std::initializer_list<int> b)
    {
        for (int v : b)
            m_bytes += char(v);
        return *this;
    }
    Track& tempo(std::uint32_t ticks, std::uint32_t usPerQuarter)
    {
        return delta(ticks).bytes({0xFF, 0x51, 3, int(usPerQuarter >> 16), int((usPerQuarter >> 8) & 0xFF),
                                   int(usPerQuarter & 0xFF)});
    }
    Track& note(std::uint32_t after, std::uint32_t length, int key = 60, int channel = 0)
    {
        delta(after).bytes({0x90 | channel, key, 100});
        return delta(length).bytes({0x80 | channel, key, 0});
    }
    Track& end(std::uint32_t after = 0) { return delta(after).bytes({0xFF, 0x2F, 0}); }
    const std::string& str() const { return m_bytes; }

private:
    std::string m_bytes;
};

std::string be(std::uint32_t v, int bytes)
{
    std::string s;
    for (int i = bytes - 1; i >= 0; --i)
        s += char((v >> (8 * i)) & 0xFF);
    return s;
}

std::string smf(int format, int division, const std::vector<Track>& tracks)
{
    std::string s = "MThd" + be(6, 4) + be(std::uint32_t(format), 2) + be(std::uint32_t(tracks.size()), 2)
                  + be(std::uint32_t(division), 2);
    for (const Track& t : tracks)
        s += "MTrk" + be(std::uint32_t(t.str().size()), 4) + t.str();
    return s;
}

std::string rmid(const std::string& midi)
{
    auto le = [](std::uint32_t v) {
        std::string s;
        for (int i = 0; i < 4; ++i)
            s += char((v >> (8 * i)) & 0xFF);
        return s;
    };
    return "RIFF" + le(std::uint32_t(midi.size() + 12)) + "RMID" + "data" + le(std::uint32_t(midi.size())) + midi;
}

QWORD bytesOf(double seconds)
{
    return QWORD(std::ceil(seconds * 44100 - 1e-9)) * 4;
}

class MidiTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        m_font = BASS_MIDI_FontInit(kGmFont, 0);
        ASSERT_NE(m_font, 0u) << BASS_ErrorGetCode();
        const BASS_MIDI_FONT f{m_font, -1, 0};
        ASSERT_TRUE(BASS_MIDI_StreamSetFonts(0, &f, 1));
    }
    void TearDown() override { BASS_MIDI_FontFree(m_font); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir.file(name);
        testsupport::writeFile(path, bytes);
        return path;
    }

    HSOUNDFONT m_font = 0;
};

struct LengthCase {
    const char* name;
    std::string bytes;
    double seconds;
};

TEST_F(MidiTest, LengthFollowsTheTempoMap)
{
    Track twoBeats;
    twoBeats.note(0, 960).end();
    Track tempoTrack;
    tempoTrack.tempo(0, 1000000).tempo(480, 250000).end(480);  // 1 s, then 0.25 s
    Track notes;
    notes.note(0, 480).note(0, 960).end();                     // tick 1440: 1 + 0.25 + 0.25
    Track running;
    running.delta(0).bytes({0x90, 60, 100}).delta(240).bytes({62, 100}).delta(240).bytes({60, 0, 0, 62, 0}).end();
    Track smpte;
    smpte.note(0, 1500).end();                                 // 25 frames of 40 ticks: 1000 ticks a second
    Track cut;
    cut.note(0, 480).delta(480).bytes({0x90, 60});             // the last event is cut off
    const std::vector<LengthCase> cases = {
        {"two beats at 120", smf(0, 480, {twoBeats}), 1.0},
        {"tempo changes in their own track", smf(1, 480, {tempoTrack, notes}), 1.5},
        {"running status", smf(0, 480, {running}), 0.5},
        {"SMPTE division", smf(0, 0xE728, {smpte}), 1.5},
        {"RMID wrapper", rmid(smf(0, 480, {twoBeats})), 1.0},
        {"track cut short", smf(0, 480, {cut}), 0.5},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write("song.mid", c.bytes);
        const HSTREAM s = BASS_MIDI_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE, 0);
        ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
        EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), bytesOf(c.seconds));
        BASS_CHANNELINFO info{};
        ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
        EXPECT_EQ(info.ctype, BASS_CTYPE_STREAM_MIDI);
        EXPECT_EQ(info.freq, 44100u);
        EXPECT_EQ(info.chans, 2u);
        BASS_StreamFree(s);
    }
}

TEST_F(MidiTest, PlaysToItsEndOnTheNoSoundDevice)
{
    Track t;
    t.bytes({0x00, 0xC0, 0}).note(0, 240, 60).note(0, 240, 64).note(0, 480, 67).end();
    const std::string path = write("tune.kar", smf(0, 480, {t}));
    const HSTREAM s = BASS_MIDI_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0, 44100);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    const QWORD length = BASS_ChannelGetLength(s, BASS_POS_BYTE);
    EXPECT_EQ(length, bytesOf(1.0));
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelGetLevel(s) > 0; }));
    ASSERT_TRUE(waitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10.0));
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), length);
    BASS_StreamFree(s);
}

TEST_F(MidiTest, WithoutAFontItRendersSilenceOfTheSameLength)
{
    Track t;
    t.note(0, 960).end();
    const std::string path = write("song.midi", smf(0, 480, {t}));
    const auto peakOf = [&] {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        EXPECT_NE(s, 0u) << BASS_ErrorGetCode();
        EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), bytesOf(1.0));
        const std::vector<float> all = decodeAll(s);
        EXPECT_EQ(all.size(), bytesOf(1.0) / 2);
        BASS_StreamFree(s);
        float peak = 0;
        for (float v : all)
            peak = std::max(peak, std::fabs(v));
        return peak;
    };
    EXPECT_GT(peakOf(), 0.01f);
    ASSERT_TRUE(BASS_MIDI_StreamSetFonts(0, nullptr, 0));
    EXPECT_EQ(peakOf(), 0.0f);
}

TEST_F(MidiTest, ASeekLandsOnTheFrameAndNotesAfterItSound)
{
    // One note at 0.0 s, the next at exactly 1.0 s (tick 960 at 120 BPM).
    Track t;
    t.note(0, 96, 60).note(864, 480, 72).end();
    const std::string path = write("seek.mid", smf(0, 480, {t}));
    const HSTREAM s = BASS_MIDI_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE, 0);
    ASSERT_NE(s, 0u);
    const QWORD at = 4 * 43000;  // 0.975 s, 1100 frames before the second note, not on a block
    ASSERT_TRUE(BASS_ChannelSetPosition(s, at, BASS_POS_BYTE));
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), at);
    const std::vector<float> after = decodeFrames(s, 4000, 2);
    ASSERT_EQ(after.size(), 8000u);
    EXPECT_EQ(BASS_ChannelGetPosition(s, BASS_POS_BYTE), at + 16000);
    // The first note has been cut by the seek; the second starts within a block of 1.0 s.
    auto firstSound = [](const std::vector<float>& v) {
        for (size_t i = 0; i < v.size(); ++i)
            if (std::fabs(v[i]) > 1e-4f)
                return int(i / 2);
        return -1;
    };
    EXPECT_NEAR(firstSound(after), 1100, 64);
    EXPECT_FALSE(BASS_ChannelSetPosition(s, BASS_ChannelGetLength(s, BASS_POS_BYTE) + 4, BASS_POS_BYTE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
    BASS_StreamFree(s);
}

TEST_F(MidiTest, BadFilesGetAnErrorCode)
{
    Track t;
    t.note(0, 480).end();
    const std::string good = smf(0, 480, {t});
    std::string noDivision = good;
    noDivision[12] = noDivision[13] = 0;
    struct Case {
        const char* name;
        std::string bytes;
    };
    for (const Case& c : std::vector<Case>{{"empty", ""},
                                           {"text", "this is not a MIDI file at all"},
                                           {"header cut", good.substr(0, 10)},
                                           {"no track", good.substr(0, 14)},
                                           {"division 0", noDivision}}) {
        SCOPED_TRACE(c.name);
        const std::string path = write("bad.mid", c.bytes);
        EXPECT_EQ(BASS_MIDI_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE, 0), 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    }
    EXPECT_EQ(BASS_MIDI_StreamCreateFile(FALSE, m_dir.file("missing.mid").c_str(), 0, 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    EXPECT_EQ(BASS_MIDI_StreamCreateFile(FALSE, m_dir.str().c_str(), 0, 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
}

TEST_F(MidiTest, FontCallsCheckTheirHandlesAndFiles)
{
    EXPECT_EQ(BASS_MIDI_FontInit(m_dir.file("none.sf2").c_str(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    const std::string notFont = write("fake.sf2", "RIFF\x10\0\0\0WAVEfmt ");
    EXPECT_EQ(BASS_MIDI_FontInit(notFont.c_str(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);

    const HSOUNDFONT second = BASS_MIDI_FontInit(kGmFont, 0);
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, m_font);
    EXPECT_TRUE(BASS_MIDI_FontFree(second));
    EXPECT_FALSE(BASS_MIDI_FontFree(second));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    const BASS_MIDI_FONT gone{second, -1, 0};
    EXPECT_FALSE(BASS_MIDI_StreamSetFonts(0, &gone, 1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);

    Track t;
    t.note(0, 480).end();
    const std::string path = write("song.mid", smf(0, 480, {t}));
    const HSTREAM s = BASS_MIDI_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE, 0);
    ASSERT_NE(s, 0u);
    const BASS_MIDI_FONT mine{m_font, -1, 0};
    EXPECT_FALSE(BASS_MIDI_StreamSetFonts(s, &mine, 1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    BASS_StreamFree(s);
}

} // namespace
