// The audio layer's speed targets: decoding each format against its library
// decoding the same file alone, the tempo and pitch chain with the equaliser,
// opening a 4-minute MP3 until the player has what it needs (stream, exact
// length, BPM of seconds 60 to 90), and the output callback's cost.
#include "platform/audio/Bass.h"
#include "platform/audio/BassFx.h"
#include "platform/audio/FileStream.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/SndfileDecoder.h"
#include "platform/audio/TempoStream.h"
// The sound files are made by the test's own fixture writer.
#include "tests/platform_audio/AudioFixtures.cpp"
#include "tests/platform_audio/FfmpegAlone.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}
#include <mpg123.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kDecodeSeconds = 60.0;
constexpr double kSongSeconds = 240.0;

// Music-like content to decode: a click track under a wandering tone.
audiotest::Pcm musicLike(double seconds)
{
    audiotest::Pcm clicks = audiotest::clickTrack(seconds, 126.0);
    const audiotest::Pcm tone = audiotest::sweep(std::min(seconds, 20.0));
    for (size_t i = 0; i < clicks.samples.size(); ++i)
        clicks.samples[i] = 0.6f * clicks.samples[i] + 0.4f * tone.samples[i % tone.samples.size()];
    return clicks;
}

struct Files {
    Files()
    {
        dir = std::filesystem::temp_directory_path() / ("mirtal-audio-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const audiotest::Pcm pcm = musicLike(kDecodeSeconds);
        auto at = [&](const char* name) { return (dir / name).string(); };
        audiotest::writeWav16(at("a.wav"), pcm);
        audiotest::writeFlac(at("a.flac"), pcm);
        audiotest::encodeMp3(at("a.mp3"), pcm);
        audiotest::ffmpegEncode(at("a.mp2"), pcm, "mp2", "mp2", 192000, nullptr, nullptr);
        audiotest::ffmpegEncode(at("a.m4a"), pcm, "aac", "ipod", 128000, nullptr, nullptr);
        audiotest::ffmpegEncode(at("a.aac"), pcm, "aac", "adts", 128000, nullptr, nullptr);
        audiotest::ffmpegEncode(at("a.wma"), pcm, "wmav2", "asf", 128000, nullptr, nullptr);
        // The song is clicks alone: tones under them can read as another tempo.
        audiotest::encodeMp3(at("song.mp3"), audiotest::clickTrack(kSongSeconds, 126.0));
        audiotest::ffmpegEncode(at("song.wma"), musicLike(kSongSeconds), "wmav2", "asf", 128000, nullptr, nullptr);
        BASS_Init(0, 44100, 0, nullptr, nullptr);
    }
    ~Files()
    {
        BASS_Free();
        std::filesystem::remove_all(dir);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

const Files& files()
{
    static const Files f;
    return f;
}

// The libraries alone, decoding a whole file to floats.
size_t mpg123Alone(const std::string& path)
{
    mpg123_init();
    mpg123_handle* h = mpg123_new(nullptr, nullptr);
    mpg123_param(h, MPG123_FLAGS, MPG123_QUIET | MPG123_FORCE_FLOAT, 0.0);
    mpg123_format_none(h);
    mpg123_format(h, 44100, MPG123_STEREO, MPG123_ENC_FLOAT_32);
    mpg123_open(h, path.c_str());
    std::vector<float> buffer(8192);
    size_t total = 0;
    for (;;) {
        size_t done = 0;
        const int r = mpg123_read(h, buffer.data(), buffer.size() * sizeof(float), &done);
        total += done / sizeof(float) / 2;
        if (r != MPG123_OK && r != MPG123_NEW_FORMAT)
            break;
    }
    mpg123_delete(h);
    return total;
}

size_t sndfileAlone(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<float> buffer(8192);
    size_t total = 0;
    for (sf_count_t n; (n = sf_readf_float(f, buffer.data(), 4096)) > 0;)
        total += size_t(n);
    sf_close(f);
    return total;
}

// FFmpeg alone, giving what the layer gives: interleaved floats (its AAC
// and WMA decoders give planes), in a loop the compiler vectorises.
size_t ffmpegAlone(const std::string& path)
{
    std::vector<float> out;
    size_t total = 0;
    audiotest::ForEachFfmpegFrame(path, [&](const AVFrame& frame) {
        const size_t ch = size_t(frame.ch_layout.nb_channels);
        const size_t n = size_t(frame.nb_samples);
        out.resize(n * ch);
        const auto* const* planes = reinterpret_cast<const float* const*>(frame.extended_data);
        if (ch == 2) {
            const float* l = planes[0];
            const float* r = planes[1];
            float* dst = out.data();
            for (size_t i = 0; i < n; ++i) {
                dst[2 * i] = l[i];
                dst[2 * i + 1] = r[i];
            }
        } else {
            for (size_t k = 0; k < ch; ++k)
                for (size_t i = 0; i < n; ++i)
                    out[i * ch + k] = planes[k][i];
        }
        total += n;
    });
    return total;
}

size_t layer(const std::string& path, HSTREAM (*create)(BOOL, const void*, QWORD, QWORD, DWORD))
{
    const HSTREAM s = create(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    std::vector<float> buffer(8192);
    size_t total = 0;
    for (DWORD got; (got = BASS_ChannelGetData(s, buffer.data(), DWORD(buffer.size() * 4) | BASS_DATA_FLOAT)) != DWORD(-1)
                    && got > 0;)
        total += got / 8;
    BASS_StreamFree(s);
    return total;
}

struct Format {
    const char* file;
    HSTREAM (*create)(BOOL, const void*, QWORD, QWORD, DWORD);
    size_t (*alone)(const std::string&);
};

const std::map<std::string, Format> kFormats = {
    {"mp3", {"a.mp3", BASS_StreamCreateFile, mpg123Alone}},
    {"mp2", {"a.mp2", BASS_StreamCreateFile, mpg123Alone}},
    {"wav", {"a.wav", BASS_StreamCreateFile, sndfileAlone}},
    {"flac", {"a.flac", BASS_FLAC_StreamCreateFile, sndfileAlone}},
    {"m4a", {"a.m4a", BASS_AAC_StreamCreateFile, ffmpegAlone}},
    {"aac", {"a.aac", BASS_AAC_StreamCreateFile, ffmpegAlone}},
    {"wma", {"a.wma", BASS_WMA_StreamCreateFile, ffmpegAlone}},
};

// Per iteration: the library alone, then the layer (open, exact length, full
// decode). Counters: each as times real time, and their ratio.
void BM_AudioDecode(benchmark::State& state, const std::string& name)
{
    const Format& f = kFormats.at(name);
    const std::string path = files().path(f.file);
    double alone = 0;
    double ours = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(f.alone(path));
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(layer(path, f.create));
        auto t2 = Clock::now();
        alone += std::chrono::duration<double>(t1 - t0).count();
        ours += std::chrono::duration<double>(t2 - t1).count();
    }
    const double audio = kDecodeSeconds * double(state.iterations());
    state.counters["library_x_rt"] = audio / alone;
    state.counters["layer_x_rt"] = audio / ours;
    state.counters["ratio"] = alone / ours;
}

// Tempo +7 %, pitch +1 semitone, rate 44500 Hz and three equaliser bands on
// a minute of WAV, pulled as the mixer pulls it. Counter: times real time.
void BM_AudioTempoChain(benchmark::State& state)
{
    const std::string path = files().path("a.wav");
    double seconds = 0;
    for (auto _ : state) {
        const HSTREAM src = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        const HSTREAM t = BASS_FX_TempoCreate(src, BASS_FX_FREESOURCE | BASS_STREAM_DECODE);
        BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO, 7.0f);
        BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO_PITCH, 1.0f);
        BASS_ChannelSetAttribute(t, BASS_ATTRIB_TEMPO_FREQ, 44500.0f);
        const float centres[] = {1000.0f, 6000.0f, 16000.0f};
        for (float centre : centres) {
            const BASS_DX8_PARAMEQ p{centre, 18.0f, 6.0f};
            BASS_FXSetParameters(BASS_ChannelSetFX(t, BASS_FX_DX8_PARAMEQ, 0), &p);
        }
        std::vector<float> block(512 * 2);
        size_t frames = 0;
        for (DWORD got; (got = BASS_ChannelGetData(t, block.data(), DWORD(block.size() * 4) | BASS_DATA_FLOAT)) != DWORD(-1)
                        && got > 0;)
            frames += got / 8;
        BASS_StreamFree(t);
        seconds += double(frames) / 44100.0;
    }
    state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}

// What OpenSong and InitSong ask of the layer for a 4-minute MP3, until the
// song is ready to play: stream, tempo stream, exact length, rate, and the
// beat detection of seconds 60 to 90 on a second stream. Argument 1: as the
// player asks, in the background (the BPM is asked for again afterwards,
// untimed); 0: the same detection in the foreground, the baseline.
void BM_AudioOpenToReady(benchmark::State& state)
{
    const std::string path = files().path("song.mp3");
    const DWORD flags = (state.range(0) ? BASS_FX_BPM_BKGRND : 0) | BASS_FX_BPM_MULT2 | BASS_FX_FREESOURCE;
    float bpm = 0;
    for (auto _ : state) {
        const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        const HSTREAM song = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
        benchmark::DoNotOptimize(BASS_ChannelBytes2Seconds(song, BASS_ChannelGetLength(song, BASS_POS_BYTE)));
        float rate = 0;
        BASS_ChannelGetAttribute(song, BASS_ATTRIB_TEMPO_FREQ, &rate);
        const HSTREAM scan = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        bpm = BASS_FX_BPM_DecodeGet(scan, 60.0, 90.0, 0, flags, nullptr, nullptr);
        state.PauseTiming();
        if (state.range(0))
            bpm = BASS_FX_BPM_DecodeGet(scan, 60.0, 90.0, 0, flags, nullptr, nullptr);
        BASS_StreamFree(song);
        state.ResumeTiming();
    }
    state.counters["bpm"] = bpm;
}

// Opening a 4-minute WMA until its exact length is known, against FFmpeg
// opening the same file alone (container and stream headers read) in the
// same iteration. Counters: the library's open in milliseconds, and ours.
void BM_AudioWmaOpenToReady(benchmark::State& state)
{
    const std::string path = files().path("song.wma");
    double alone = 0;
    double ours = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        AVFormatContext* fmt = nullptr;
        avformat_open_input(&fmt, path.c_str(), nullptr, nullptr);
        avformat_find_stream_info(fmt, nullptr);
        avformat_close_input(&fmt);
        const auto t1 = Clock::now();
        const HSTREAM s = BASS_WMA_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        benchmark::DoNotOptimize(BASS_ChannelGetLength(s, BASS_POS_BYTE));
        const auto t2 = Clock::now();
        BASS_StreamFree(s);
        alone += std::chrono::duration<double, std::milli>(t1 - t0).count();
        ours += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    state.counters["library_open_ms"] = alone / double(state.iterations());
    state.counters["layer_ready_ms"] = ours / double(state.iterations());
}

// The output callback: 512 frames out of the mixer's ring, which the mixing
// thread keeps filled. Counters: median and 99th percentile in microseconds.
void BM_AudioOutputCallback(benchmark::State& state)
{
    audio::Mixer mixer(44100, 2, 1024);
    std::vector<float> out(512 * 2);
    std::vector<double> costs;
    costs.reserve(1 << 20);
    for (auto _ : state) {
        state.PauseTiming();
        while (mixer.renderBlock()) {
        }
        state.ResumeTiming();
        const auto t0 = Clock::now();
        mixer.pull(out.data(), 512);
        costs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    std::sort(costs.begin(), costs.end());
    state.counters["p50_us"] = costs[costs.size() / 2];
    state.counters["p99_us"] = costs[costs.size() * 99 / 100];
}

} // namespace

BENCHMARK_CAPTURE(BM_AudioDecode, mp3, std::string("mp3"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AudioDecode, mp2, std::string("mp2"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AudioDecode, wav, std::string("wav"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AudioDecode, flac, std::string("flac"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AudioDecode, m4a, std::string("m4a"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AudioDecode, aac, std::string("aac"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AudioDecode, wma, std::string("wma"))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AudioTempoChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AudioOpenToReady)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_AudioWmaOpenToReady)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_AudioOutputCallback);
