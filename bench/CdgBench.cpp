// The CD+G decoder on a 4-minute song (72,000 packets): decoding it from start
// to end, one seek back to the middle (a replay from the start), and playing
// it through in 50 ms steps as the karaoke window repaints.
#include "karaoke/CDGFile.h"
#include "karaoke/VideoFrameSurface.h"
#include "tests/karaoke/CdgPackets.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSongMs = 4 * 60 * 1000;
constexpr int kSongPackets = kSongMs * 300 / 1000;

// A busy karaoke song: per second 120 tiles, 60 exclusive-or tiles, a scroll
// every 2 s, a colour table every 10 s, a cleared screen every 30 s; the rest
// are packets of other modes.
struct SongFile {
    SongFile();
    ~SongFile() { std::filesystem::remove(path); }
    std::string path;
};

const std::string& SongPath()
{
    static const SongFile song;
    return song.path;
}

SongFile::SongFile()
{
    using namespace cdgtest;
    std::mt19937 rng(4);
    std::vector<Packet> packets;
    packets.reserve(kSongPackets);
    for (int i = 0; i < kSongPackets; ++i) {
        const int inSecond = i % 300;
        TileLines lines;
        for (auto& l : lines)
            l = uint8_t(rng());
        if (i % 9000 == 0)
            packets.push_back(memoryPreset(int(rng() % 16)));
        else if (i % 3000 == 1) {
            std::array<Rgb4, 8> e;
            for (auto& c : e)
                c = {int(rng() % 16), int(rng() % 16), int(rng() % 16)};
            packets.push_back(colours(int(i / 3000) % 2, e));
        } else if (i % 600 == 2)
            packets.push_back(scroll(int(rng() % 16), 0x10 | int(rng() % 6), int(rng() % 12), rng() % 2));
        else if (inSecond < 120)
            packets.push_back(tile(int(rng() % 16), int(rng() % 16), int(rng() % 18), int(rng() % 50), lines));
        else if (inSecond < 180)
            packets.push_back(tile(int(rng() % 16), int(rng() % 16), int(rng() % 18), int(rng() % 50), lines, true));
        else
            packets.push_back(empty());
    }
    path = (std::filesystem::temp_directory_path()
            / ("mirtal-bench-" + std::to_string(::getpid()) + ".cdg")).string();
    std::ofstream(path, std::ios::binary) << bytes(packets);
}

struct Decoder {
    Decoder()
    {
        cdg->SetSurface(surface.get());
        if (!cdg->Open(SongPath()))
            std::abort();
    }
    std::unique_ptr<VideoFrameSurface> surface = std::make_unique<VideoFrameSurface>();
    std::unique_ptr<CDGFile> cdg = std::make_unique<CDGFile>();
};

void BM_CdgDecodeWholeSong(benchmark::State& state)
{
    Decoder d;
    for (auto _ : state) {
        d.cdg->RenderTo(0); // back to the start
        d.cdg->RenderTo(kSongMs);
        benchmark::DoNotOptimize(d.surface->pixels.data());
    }
    if (d.cdg->GetPacketsTaken() != kSongPackets)
        state.SkipWithError("not every packet was decoded");
    state.SetItemsProcessed(state.iterations() * kSongPackets);
}
BENCHMARK(BM_CdgDecodeWholeSong)->Unit(benchmark::kMillisecond);

void BM_CdgSeekBackToMiddle(benchmark::State& state)
{
    Decoder d;
    for (auto _ : state) {
        state.PauseTiming();
        d.cdg->RenderTo(kSongMs);
        state.ResumeTiming();
        d.cdg->RenderTo(kSongMs / 2);
        benchmark::DoNotOptimize(d.surface->pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kSongPackets / 2);
}
BENCHMARK(BM_CdgSeekBackToMiddle)->Unit(benchmark::kMillisecond);

void BM_CdgPlayInStep(benchmark::State& state)
{
    constexpr int kStepMs = 50;
    Decoder d;
    for (auto _ : state) {
        for (int t = 0; t <= kSongMs; t += kStepMs) {
            d.cdg->RenderTo(t);
            benchmark::DoNotOptimize(d.surface->pixels.data());
        }
        d.cdg->RenderTo(0);
    }
    state.counters["frames"] = kSongMs / kStepMs + 1;
    state.SetItemsProcessed(state.iterations() * (kSongMs / kStepMs + 1));
}
BENCHMARK(BM_CdgPlayInStep)->Unit(benchmark::kMillisecond);

} // namespace
