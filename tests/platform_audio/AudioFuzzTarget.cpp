// Fuzz entry for the audio layer: a mutated media file is opened as a decoding
// stream, then measured, positioned and decoded in an order the input gives.
// Built with libFuzzer by tests/platform_audio/build-fuzzer.sh; the seed corpus
// also runs in test_platform_audio.
//
// Input: byte 0 picks the format (the extension the file gets), byte 1 the
// number of operations (0-8), then five bytes per operation (kind, 32-bit
// little-endian value), then the file. A "cue" file is a CUE sheet and its BIN:
// two bytes (little-endian) give the sheet's length, the rest is the BIN.
// Byte 0 indexes wav, flac, ogg, mp3, mp2, aac, m4a, wma, mid, cue (modulo
// ten); AUDIO_FUZZ_FAMILY (sndfile, mpg123, ffmpeg, midi, cd) maps the others
// into one family of decoders, for a run that fuzzes that family only.
#include "platform/audio/Bass.h"
#include "platform/audio/BassCd.h"

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Family {
    const char* name;
    std::vector<const char*> extensions;
};

const std::vector<Family>& families()
{
    static const std::vector<Family> all = {
        {"sndfile", {"wav", "flac", "ogg"}},
        {"mpg123", {"mp3", "mp2"}},
        {"ffmpeg", {"aac", "m4a", "wma"}},
        {"midi", {"mid"}},
        {"cd", {"cue"}},
    };
    return all;
}

std::vector<const char*> allExtensions()
{
    std::vector<const char*> out;
    for (const Family& f : families())
        out.insert(out.end(), f.extensions.begin(), f.extensions.end());
    return out;
}

const Family* chosenFamily()
{
    const char* only = std::getenv("AUDIO_FUZZ_FAMILY");
    if (!only || !*only)
        return nullptr;
    for (const Family& f : families())
        if (std::strcmp(only, f.name) == 0)
            return &f;
    std::abort();
}

std::string extensionFor(uint8_t pick)
{
    static const std::vector<const char*> all = allExtensions();
    static const Family* family = chosenFamily();
    const char* ext = all[pick % all.size()];
    if (!family)
        return ext;
    for (const char* mine : family->extensions)
        if (std::strcmp(mine, ext) == 0)
            return ext;
    return family->extensions[pick % family->extensions.size()];
}

void Require(bool ok)
{
    if (!ok)
        std::abort();
}

const std::filesystem::path& folder()
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("mirtal-audio-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void writeFile(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    Require(bool(out));
}

// Decodes up to `bytes`; every sample handed out must be a finite number.
void decode(HSTREAM h, DWORD bytes, bool asFloat)
{
    std::vector<char> buffer(bytes + 16);
    const DWORD got = BASS_ChannelGetData(h, buffer.data(), bytes | (asFloat ? BASS_DATA_FLOAT : 0));
    if (got == DWORD(-1))
        return;
    Require(got <= bytes);
    if (asFloat) {
        for (DWORD i = 0; i + sizeof(float) <= got; i += sizeof(float)) {
            float v;
            std::memcpy(&v, buffer.data() + i, sizeof v);
            Require(std::isfinite(v));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        BASS_DEVICEINFO info{};
        if (BASS_GetDeviceInfo(0, &info) && (info.flags & BASS_DEVICE_INIT))
            return true;
        return BASS_Init(0, 44100, 0, nullptr, nullptr) != FALSE;
    }();
    Require(ready);
    if (size < 2)
        return 0;
    const std::string ext = extensionFor(data[0]);
    const size_t ops = data[1] % 9;
    const size_t header = 2 + 5 * ops;
    if (size < header)
        return 0;
    const uint8_t* file = data + header;
    size_t fileSize = size - header;

    HSTREAM h = 0;
    if (ext == "cue") {
        if (fileSize < 2)
            return 0;
        const size_t sheet = std::min<size_t>(file[0] | (file[1] << 8), fileSize - 2);
        writeFile(folder() / "disc.cue", file + 2, sheet);
        writeFile(folder() / "disc.bin", file + 2 + sheet, fileSize - 2 - sheet);
        const std::string track = (folder() / "disc.cue" / "Track01.cda").string();
        h = BASS_CD_StreamCreateFile(track.c_str(), BASS_STREAM_DECODE);
    } else {
        const auto path = folder() / ("input." + ext);
        writeFile(path, file, fileSize);
        const std::string name = path.string();
        h = BASS_StreamCreateFile(FALSE, name.c_str(), 0, 0, BASS_STREAM_DECODE | BASS_SAMPLE_FLOAT);
    }
    static const bool verbose = std::getenv("AUDIO_FUZZ_VERBOSE") != nullptr;
    if (verbose)
        std::fprintf(stderr, "%s: %s, error %d, length %lld\n", ext.c_str(), h ? "opened" : "refused",
                     BASS_ErrorGetCode(), h ? (long long)BASS_ChannelGetLength(h, BASS_POS_BYTE) : -1LL);
    if (!h)
        return 0;

    BASS_CHANNELINFO info{};
    Require(BASS_ChannelGetInfo(h, &info));
    Require(info.chans >= 1 && info.chans <= 8 && info.freq >= 100);
    const QWORD frameBytes = QWORD(info.chans) * 2;
    const QWORD length = BASS_ChannelGetLength(h, BASS_POS_BYTE);
    Require(length == QWORD(-1) || length % frameBytes == 0);
    const double seconds = length == QWORD(-1) ? 0 : BASS_ChannelBytes2Seconds(h, length);
    Require(std::isfinite(seconds) && seconds >= 0);

    for (size_t i = 0; i < ops; ++i) {
        const uint8_t* op = data + 2 + 5 * i;
        uint32_t raw;
        std::memcpy(&raw, op + 1, 4);
        switch (op[0] % 6) {
        case 0: { // a position within the length (or a little past it)
            const QWORD span = (length == QWORD(-1) ? 0 : length / frameBytes) + 64;
            const QWORD pos = (QWORD(raw) % span) * frameBytes;
            if (BASS_ChannelSetPosition(h, pos, BASS_POS_BYTE))
                Require(BASS_ChannelGetPosition(h, BASS_POS_BYTE) == pos);
            break;
        }
        case 1: // any position, far beyond the end included
            BASS_ChannelSetPosition(h, QWORD(raw) << (op[0] >> 3), BASS_POS_BYTE);
            break;
        case 2:
            decode(h, raw % 65536, true);
            break;
        case 3:
            decode(h, raw % 16384, false);
            break;
        case 4: { // seconds from any float, huge and not-a-number included
            float s;
            std::memcpy(&s, &raw, sizeof s);
            const QWORD bytes = BASS_ChannelSeconds2Bytes(h, double(s));
            if (bytes != QWORD(-1))
                Require(bytes % frameBytes == 0);
            break;
        }
        case 5: {
            const QWORD pos = BASS_ChannelGetPosition(h, BASS_POS_BYTE);
            Require(pos != QWORD(-1));
            Require(std::isfinite(BASS_ChannelBytes2Seconds(h, pos)));
            break;
        }
        }
    }
    Require(BASS_StreamFree(h));
    return 0;
}
