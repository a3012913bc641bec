// The audio fuzzer's seeds run through its entry in every test run. The seeds
// themselves are written by the disabled test below:
//   build/bin/test_platform_audio --gtest_also_run_disabled_tests
//       --gtest_filter=AudioFuzzCorpus.DISABLED_WriteSeeds
#include "AudioFixtures.h"
#include "AudioTestEnv.h"
#include "common/FuzzCorpus.h"

#include <sndfile.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>


namespace fs = std::filesystem;
using namespace audiotest;

namespace {

fs::path corpusFolder()
{
    return testsupport::FuzzCorpusFolder("tests/platform_audio/fuzz-corpus");
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Position somewhere, decode floats, go back to the start, decode 16-bit,
// convert a time, read the position.
std::string seedOps()
{
    const std::vector<std::pair<uint8_t, uint32_t>> ops = {
        {0, 1000}, {2, 4096}, {0, 0}, {3, 2048}, {4, 0x3f000000 /* 0.5 */}, {5, 0}, {1, 0xFFFFFFFF}, {2, 512},
    };
    std::string s(1, char(ops.size()));
    for (auto [kind, value] : ops) {
        s += char(kind);
        for (int i = 0; i < 4; ++i)
            s += char((value >> (8 * i)) & 0xFF);
    }
    return s;
}

void writeSndfile(const std::string& path, const Pcm& pcm, int format)
{
    SF_INFO info{};
    info.samplerate = pcm.rate;
    info.channels = pcm.channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(f) << sf_strerror(nullptr);
    sf_writef_float(f, pcm.samples.data(), sf_count_t(pcm.frames()));
    sf_close(f);
}

std::string smallMidi()
{
    // One track: tempo, two short notes, end.
    const std::string track = std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) + std::string("\x00\x90\x3C\x64", 4)
                            + std::string("\x60\x80\x3C\x00", 4) + std::string("\x00\x90\x40\x64", 4)
                            + std::string("\x60\x80\x40\x00", 4) + std::string("\x00\xFF\x2F\x00", 4);
    auto be = [](uint32_t v, int n) {
        std::string s;
        for (int i = n - 1; i >= 0; --i)
            s += char((v >> (8 * i)) & 0xFF);
        return s;
    };
    return "MThd" + be(6, 4) + be(0, 2) + be(1, 2) + be(96, 2) + "MTrk" + be(uint32_t(track.size()), 4) + track;
}

} // namespace

TEST(AudioFuzzCorpus, EverySeedRunsCleanly)
{
    testsupport::RunFuzzCorpus("tests/platform_audio/fuzz-corpus", 10);
}

TEST(AudioFuzzCorpus, DISABLED_WriteSeeds)
{
    useNoSoundDevice();
    testsupport::TempDir dir;
    const fs::path folder = corpusFolder();
    fs::create_directories(folder);
    const Pcm pcm = sweep(0.2, 22050, 1);
    auto add = [&](uint8_t format, const std::string& name, const std::string& file) {
        ASSERT_FALSE(file.empty()) << name;
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        const std::string bytes = std::string(1, char(format)) + seedOps() + file;
        out.write(bytes.data(), std::streamsize(bytes.size()));
    };
    const std::string p = dir.file("seed");
    writeSndfile(p + ".wav", pcm, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    add(0, "wav-pcm16", readAll(p + ".wav"));
    writeSndfile(p + "f.wav", pcm, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    add(0, "wav-float", readAll(p + "f.wav"));
    writeSndfile(p + ".flac", pcm, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    add(1, "flac", readAll(p + ".flac"));
    writeSndfile(p + ".ogg", pcm, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    add(2, "ogg", readAll(p + ".ogg"));
    ASSERT_TRUE(encodeMp3(p + ".mp3", pcm, 32));
    add(3, "mp3", readAll(p + ".mp3"));
    std::string why;
    ASSERT_TRUE(ffmpegEncode(p + ".mp2", pcm, "mp2", "mp2", 64000, nullptr, &why)) << why;
    add(4, "mp2", readAll(p + ".mp2"));
    ASSERT_TRUE(ffmpegEncode(p + ".aac", pcm, "aac", "adts", 32000, nullptr, &why)) << why;
    add(5, "aac", readAll(p + ".aac"));
    ASSERT_TRUE(ffmpegEncode(p + ".m4a", pcm, "aac", "ipod", 32000, nullptr, &why)) << why;
    add(6, "m4a", readAll(p + ".m4a"));
    ASSERT_TRUE(ffmpegEncode(p + ".wma", pcm, "wmav2", "asf", 32000, nullptr, &why)) << why;
    add(7, "wma", readAll(p + ".wma"));
    add(8, "mid", smallMidi());
    // A CUE sheet naming the BIN the fuzz entry writes beside it, and four
    // sectors of 16-bit stereo.
    const std::string sheet = "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n";
    std::string bin(2352 * 4, '\0');
    for (size_t i = 0; i < bin.size(); i += 2)
        bin[i + 1] = char((i / 64) & 0x3F);
    add(9, "cue", std::string(1, char(sheet.size() & 0xFF)) + char(sheet.size() >> 8) + sheet + bin);
}
