// The music page's song opening and its 200 ms position poll, on the silent
// output device: a 4-minute MP3 (made with lame) with stored settings.
#include "BenchApp.h"

#include "player/DlgMp3.h"
#include "platform/audio/Bass.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// A 16-bit stereo WAV at 44.1 kHz: a quiet tone with a click on every beat of 124 BPM.
void WriteBeatWav(const std::string& path, int seconds)
{
    const int rate = 44100, frames = rate * seconds;
    std::vector<int16_t> pcm(size_t(frames) * 2);
    const double beat = 60.0 / 124.0;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double sinceBeat = std::fmod(t, beat);
        double v = 0.1 * std::sin(2 * M_PI * 220 * t);
        if (sinceBeat < 0.03)
            v += 0.8 * std::sin(2 * M_PI * 80 * t) * (1 - sinceBeat / 0.03);
        pcm[size_t(i) * 2] = pcm[size_t(i) * 2 + 1] = int16_t(v * 32000);
    }
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = uint32_t(pcm.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(rate);
    u32(rate * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), std::streamsize(bytes));
}

// A data folder, a host window standing in for the main window, and the page.
struct PlayerRig {
    std::filesystem::path folder;
    std::string song;
    CWnd host;
    std::unique_ptr<CDlgMp3> page;

    PlayerRig()
    {
        bench::EnsureApplication();
        folder = std::filesystem::temp_directory_path() / ("mirtal-player-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        g_baseFolder = folder.string();
        song = (folder / "Four Minutes.mp3").string();
        const std::string wav = (folder / "source.wav").string();
        WriteBeatWav(wav, 240);
        const std::string command = "lame --quiet -b 128 '" + wav + "' '" + song + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            song.clear();
        CMusicDb db;
        db.Init();
        db.SetSetting("music - outputdevice", "0", 1);
        db.SetSetting("music - autostart", "false", 1);
        g_outputDevice = 0;
        g_defaultVolume = 100;
        // The song's stored settings: tempo, pitch, volume and a loop.
        g_speedHz = 44100;
        g_tempo = 3;
        g_pitch = -1;
        g_songVolume = 80;
        g_loopStart = 12;
        g_loopEnd = 230;
        if (!song.empty())
            db.SaveSongSettings(song, 1);
        host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1100, 720), nullptr, 0);
        page = std::make_unique<CDlgMp3>();
        page->Create(CDlgMp3::IDD, &host);
    }
    ~PlayerRig()
    {
        page->DestroyWindow();
        host.DestroyWindow();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

PlayerRig& Rig()
{
    static PlayerRig rig;
    return rig;
}

// Free the old song, open the MP3 with its settings, exact length, the BPM of
// seconds 60 to 90, ready to play.
void BM_OpenSong(benchmark::State& state)
{
    PlayerRig& rig = Rig();
    if (rig.song.empty()) {
        state.SkipWithError("lame is missing");
        return;
    }
    for (auto _ : state) {
        rig.page->OpenSong(4, -1, rig.song, 0, 0, 0);
        benchmark::DoNotOptimize(rig.page->DetectedBpm());
    }
    state.counters["bpm"] = rig.page->DetectedBpm();
    state.counters["length_s"] = g_songLength;
}
BENCHMARK(BM_OpenSong)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);

// One tick of the position poll while the song plays.
void BM_PositionPoll(benchmark::State& state)
{
    PlayerRig& rig = Rig();
    if (rig.song.empty()) {
        state.SkipWithError("lame is missing");
        return;
    }
    rig.page->OpenSong(4, -1, rig.song, 0, 0, 0);
    rig.page->Play();
    for (auto _ : state)
        rig.page->Tick(kTimerPoll);
    rig.page->Pause();
}
BENCHMARK(BM_PositionPoll)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
