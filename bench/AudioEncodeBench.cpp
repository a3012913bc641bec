// Recording to MP3: how much faster than real time the encoder path takes a
// recording's sound. The same path a recording feeds (samples queued as
// 16-bit, written through the pipe to "lame - file.mp3", the recorder's
// command line), given a minute of sound as fast as it takes it, until lame
// has finished the file.
#include "platform/audio/BassEnc.h"
#include "platform/audio/Encoder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 60;
constexpr int kBlockFrames = 220;  // what the "No sound" input hands over every 5 ms

// A chord that moves, with a little noise: something for the encoder to work on.
std::vector<float> musicLike()
{
    std::vector<float> pcm(size_t(kRate) * kSeconds * 2);
    std::uint32_t noise = 12345;
    for (size_t i = 0; i < pcm.size() / 2; ++i) {
        const double t = double(i) / kRate;
        noise = noise * 1664525u + 1013904223u;
        const double n = (double(noise >> 8) / double(1 << 24) - 0.5) * 0.05;
        const double base = 110.0 * std::pow(2.0, std::floor(t / 2.0) / 12.0);
        const double v = 0.25 * std::sin(2 * M_PI * base * t) + 0.15 * std::sin(2 * M_PI * base * 1.5 * t)
                       + 0.1 * std::sin(2 * M_PI * base * 2.01 * t);
        pcm[2 * i] = float(v + n);
        pcm[2 * i + 1] = float(v * 0.8 - n);
    }
    return pcm;
}

void BM_AudioEncodeMp3(benchmark::State& state)
{
    static const std::vector<float> pcm = musicLike();
    const std::string out = (std::filesystem::temp_directory_path()
                             / ("mirtal encode bench " + std::to_string(getpid()) + ".mp3"))
                                .string();
    const std::string command = "lame - " + audio::encoderArgument(out);
    for (auto _ : state) {
        int error = 0;
        std::unique_ptr<audio::Encoder> encoder = audio::Encoder::start(command, kRate, 2, true, error);
        if (!encoder) {
            state.SkipWithError("lame could not be started");
            return;
        }
        for (size_t at = 0; at < pcm.size() / 2; at += kBlockFrames) {
            const int n = int(std::min<size_t>(kBlockFrames, pcm.size() / 2 - at));
            encoder->write(pcm.data() + at * 2, n);
            // The queue holds 30 s; a minute given at once would overflow it,
            // so keep to the pace the program can take.
            while (encoder->active() && encoder->queuedSeconds() > 20.0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        encoder->finish();
        if (std::filesystem::file_size(out) < 900000)
            state.SkipWithError("lame wrote less than a minute at 128 kbit/s");
    }
    std::filesystem::remove(out);
    state.counters["x_realtime"] =
        benchmark::Counter(double(kSeconds) * double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_AudioEncodeMp3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
