// Files that are not what they claim get an error code, never a crash; a
// cut-off file either fails or plays exactly the length it reports.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/Bass.h"
#include "platform/audio/BassFx.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

using namespace audiotest;

namespace {

using Creator = HSTREAM (*)(BOOL, const void*, QWORD, QWORD, DWORD);

struct BadCase {
    const char* name;
    const char* file;
    Creator create;
    std::function<void(const std::string& path, const std::string& dir)> make;
    int error;  // 0: a cut-off file, which may open
};

void PrintTo(const BadCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string cut(const std::string& bytes, double keep)
{
    return bytes.substr(0, size_t(double(bytes.size()) * keep));
}

// A valid file of one format written to `path`.
void wav(const std::string& p) { writeWav16(p, sweep(1.0)); }
void mp3(const std::string& p) { encodeMp3(p, sweep(1.0)); }
void flac(const std::string& p) { writeFlac(p, sweep(1.0)); }
void m4a(const std::string& p) { ffmpegEncode(p, sweep(1.0), "aac", "ipod", 128000, nullptr, nullptr); }
void adts(const std::string& p) { ffmpegEncode(p, sweep(1.0), "aac", "adts", 128000, nullptr, nullptr); }
void wma(const std::string& p) { ffmpegEncode(p, sweep(1.0), "wmav2", "asf", 128000, nullptr, nullptr); }

// Writes a valid file under another name, then puts its bytes (or part of them) at `path`.
std::function<void(const std::string&, const std::string&)> as(void (*maker)(const std::string&), double keep = 1.0)
{
    return [maker, keep](const std::string& path, const std::string& dir) {
        const std::string source = dir + "/source.bin";
        maker(source);
        testsupport::writeFile(path, cut(testsupport::readFile(source), keep));
    };
}

void nothing(const std::string&, const std::string&) {}
void empty(const std::string& p, const std::string&) { testsupport::writeFile(p, ""); }
void folder(const std::string& p, const std::string&) { std::filesystem::create_directory(p); }
void text(const std::string& p, const std::string&) { testsupport::writeFile(p, "This is not a song.\r\n"); }
void noise(const std::string& p, const std::string&)
{
    std::mt19937 random(42);
    std::string bytes(200000, '\0');
    for (char& c : bytes)
        c = char(random());
    testsupport::writeFile(p, bytes);
}

const BadCase kCases[] = {
    {"MissingFile", "gone.mp3", BASS_StreamCreateFile, nothing, BASS_ERROR_FILEOPEN},
    {"MissingFlac", "gone.flac", BASS_FLAC_StreamCreateFile, nothing, BASS_ERROR_FILEOPEN},
    {"MissingM4a", "gone.m4a", BASS_AAC_StreamCreateFile, nothing, BASS_ERROR_FILEOPEN},
    {"MissingWma", "gone.wma", BASS_WMA_StreamCreateFile, nothing, BASS_ERROR_FILEOPEN},
    {"Directory", "folder.mp3", BASS_StreamCreateFile, folder, BASS_ERROR_FILEOPEN},
    {"DirectoryWma", "folder.wma", BASS_WMA_StreamCreateFile, folder, BASS_ERROR_FILEOPEN},
    {"EmptyMp3", "empty.mp3", BASS_StreamCreateFile, empty, BASS_ERROR_FILEFORM},
    {"EmptyWav", "empty.wav", BASS_StreamCreateFile, empty, BASS_ERROR_FILEFORM},
    {"EmptyFlac", "empty.flac", BASS_FLAC_StreamCreateFile, empty, BASS_ERROR_FILEFORM},
    {"EmptyM4a", "empty.m4a", BASS_AAC_StreamCreateFile, empty, BASS_ERROR_FILEFORM},
    {"EmptyWma", "empty.wma", BASS_WMA_StreamCreateFile, empty, BASS_ERROR_FILEFORM},
    {"TextAsMp3", "text.mp3", BASS_StreamCreateFile, text, BASS_ERROR_FILEFORM},
    {"NoiseAsMp3", "noise.mp3", BASS_StreamCreateFile, noise, BASS_ERROR_FILEFORM},
    {"NoiseAsAac", "noise.aac", BASS_AAC_StreamCreateFile, noise, BASS_ERROR_FILEFORM},
    {"WavAsMp3", "wav.mp3", BASS_StreamCreateFile, as(wav), BASS_ERROR_FILEFORM},
    {"FlacAsMp3", "flac.mp3", BASS_StreamCreateFile, as(flac), BASS_ERROR_FILEFORM},
    {"Mp3AsWav", "mp3.wav", BASS_StreamCreateFile, as(mp3), BASS_ERROR_FILEFORM},
    {"Mp3ThroughFlac", "mp3.flac", BASS_FLAC_StreamCreateFile, as(mp3), BASS_ERROR_FILEFORM},
    {"WavThroughAac", "wav.m4a", BASS_AAC_StreamCreateFile, as(wav), BASS_ERROR_FILEFORM},
    {"WmaThroughAac", "wma.m4a", BASS_AAC_StreamCreateFile, as(wma), BASS_ERROR_FILEFORM},
    {"M4aThroughWma", "m4a.wma", BASS_WMA_StreamCreateFile, as(m4a), BASS_ERROR_FILEFORM},
    {"UnknownExtension", "song.xyz", BASS_StreamCreateFile, as(wav), BASS_ERROR_FILEFORM},
    {"CutWav", "cut.wav", BASS_StreamCreateFile, as(wav, 0.5), 0},
    {"CutMp3", "cut.mp3", BASS_StreamCreateFile, as(mp3, 0.5), 0},
    {"CutFlac", "cut.flac", BASS_FLAC_StreamCreateFile, as(flac, 0.5), 0},
    {"CutM4a", "cut.m4a", BASS_AAC_StreamCreateFile, as(m4a, 0.5), 0},
    {"CutAac", "cut.aac", BASS_AAC_StreamCreateFile, as(adts, 0.5), 0},
    {"CutWma", "cut.wma", BASS_WMA_StreamCreateFile, as(wma, 0.5), 0},
    {"WavHeaderOnly", "header.wav", BASS_StreamCreateFile, as(wav, 0.0003), 0},
};

class BadInputTest : public AudioTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadInputTest, GetsAnErrorCodeOrPlaysWhatItReports)
{
    const BadCase& c = GetParam();
    const std::string path = m_dir.file(c.file);
    c.make(path, m_dir.str());
    for (const DWORD flags : {BASS_STREAM_DECODE, DWORD(0)}) {
        const HSTREAM s = c.create(FALSE, path.c_str(), 0, 0, flags);
        if (c.error != 0) {
            EXPECT_EQ(s, 0u);
            EXPECT_EQ(BASS_ErrorGetCode(), c.error);
            continue;
        }
        if (s == 0) {
            EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
            continue;
        }
        BASS_CHANNELINFO info{};
        ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
        const QWORD frames = BASS_ChannelGetLength(s, BASS_POS_BYTE) / (2 * info.chans);
        EXPECT_GT(frames, 0u);
        if (flags == BASS_STREAM_DECODE) {
            EXPECT_EQ(decodeAll(s).size() / info.chans, frames);
            EXPECT_TRUE(BASS_ChannelSetPosition(s, (frames / 2) * 2 * info.chans, BASS_POS_BYTE));
        } else {
            EXPECT_TRUE(BASS_ChannelPlay(s, FALSE));
        }
        EXPECT_TRUE(BASS_StreamFree(s));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BadInputTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

} // namespace

namespace {

// Headers that claim odd sample formats: refused with the format error, or
// playing through the tempo chain and beat detection like any other song,
// never hanging the mixer or throwing out of a call.
struct FormatCase {
    int rate;
    int channels;
    bool opens;
};

class OddFormatTest : public AudioTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(OddFormatTest, RefusedOrPlaysThroughTempoAndBpm)
{
    const FormatCase& c = GetParam();
    const std::string path = m_dir.file("odd.wav");
    Pcm pcm;
    pcm.rate = c.rate;
    pcm.channels = c.channels;
    pcm.samples.assign(size_t(std::max(c.rate, 4)) * size_t(c.channels), 0.25f);  // one second
    writeWav16(path, pcm);

    const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    if (!c.opens) {
        EXPECT_EQ(decode, 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FORMAT);
        return;
    }
    ASSERT_NE(decode, 0u) << BASS_ErrorGetCode();
    const HSTREAM song = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    ASSERT_NE(song, 0u) << BASS_ErrorGetCode();
    ASSERT_TRUE(BASS_ChannelSetAttribute(song, BASS_ATTRIB_TEMPO, 10.0f));
    ASSERT_TRUE(BASS_ChannelPlay(song, FALSE));
    EXPECT_TRUE(waitUntil([&] { return BASS_ChannelGetPosition(song, BASS_POS_BYTE) > 0; }));
    EXPECT_NE(BASS_ChannelIsActive(song), DWORD(-1));
    EXPECT_TRUE(BASS_StreamFree(song));

    const HSTREAM bpm = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(bpm, 0u);
    EXPECT_EQ(BASS_FX_BPM_DecodeGet(bpm, 0.0, 1.0, 0, BASS_FX_BPM_MULT2 | BASS_FX_FREESOURCE, nullptr, nullptr), 0.0f);
    if (c.rate < 8000) {
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FORMAT);
    }
}

INSTANTIATE_TEST_SUITE_P(Headers, OddFormatTest,
                         ::testing::Values(FormatCase{1, 2, false}, FormatCase{99, 1, false},
                                           FormatCase{100, 2, true}, FormatCase{4000, 1, true},
                                           FormatCase{384000, 2, true}, FormatCase{768000, 8, true},
                                           FormatCase{8000, 9, false}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                             return std::to_string(info.param.rate) + "Hz" + std::to_string(info.param.channels) + "ch";
                         });

} // namespace
