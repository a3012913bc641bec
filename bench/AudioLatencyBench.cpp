// How soon a change of volume, pitch or tempo is heard: from the change,
// made on another thread as the music page makes it, to the first output
// frame that carries it. Two outputs: a sound card's pace (512-frame periods,
// the card's own buffer not counted) driving a mixer directly, and the
// "No sound" device opened through BASS_Init with the song made as the player
// makes it (a decode stream inside a tempo stream), watched through the
// mixer's monitor. Aim: under 50 ms each.
#include "platform/audio/Bass.h"
#include "platform/audio/BassFx.h"
#include "platform/audio/Engine.h"
#include "platform/audio/FileStream.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/SndfileDecoder.h"
#include "platform/audio/TempoStream.h"
#include "tests/platform_audio/AudioFixtures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kRate = 44100.0;

struct LatencyFiles {
    LatencyFiles()
    {
        dir = std::filesystem::temp_directory_path() / ("mirtal-latency-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        tone = (dir / "tone.wav").string();
        ramp = (dir / "ramp.wav").string();
        audiotest::writeWav16(tone, audiotest::sine(30.0, 441.0, 0.5));
        // The 441 Hz tone (100 frames a cycle) whose amplitude rises from 0.1
        // to 0.9 over every quarter second of the file: its level tells where
        // in the file the sound comes from.
        audiotest::Pcm pcm = audiotest::sine(30.0, 441.0, 1.0);
        for (size_t i = 0; i < pcm.frames(); ++i) {
            const double phase = std::fmod(double(i) / kRate, 0.25) / 0.25;
            pcm.samples[2 * i] *= float(0.1 + 0.8 * phase);
            pcm.samples[2 * i + 1] = pcm.samples[2 * i];
        }
        audiotest::writeWav16(ramp, pcm);
    }
    ~LatencyFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::filesystem::path dir;
    std::string tone, ramp;
};

const LatencyFiles& files()
{
    static LatencyFiles f;
    return f;
}

double ms(double frames) { return frames * 1000.0 / kRate; }

// ---- what the recording shows (left channel, indexed as the mixer counts frames)

// The volume falling from 0.5 to 0.2: the last loud frame after the change.
double volumeHeard(const std::vector<float>& out, double at)
{
    size_t quiet = std::min(out.size(), size_t(at) + size_t(kRate));
    while (quiet > size_t(at) && std::fabs(out[quiet - 1]) < 0.12f)
        --quiet;
    return double(quiet);
}

// An octave up: four zero-crossing gaps in a row of about half the cycle.
double pitchHeard(const std::vector<float>& out, double at)
{
    std::vector<size_t> crossings;
    for (size_t k = size_t(at) + 1; k < out.size(); ++k)
        if ((out[k - 1] < 0) != (out[k] < 0))
            crossings.push_back(k);
    for (size_t k = 0; k + 4 < crossings.size(); ++k) {
        bool all = true;
        for (size_t m = k; m < k + 4; ++m)
            all = all && crossings[m + 1] - crossings[m] >= 20 && crossings[m + 1] - crossings[m] <= 30;
        if (all)
            return double(crossings[k]);
    }
    return double(out.size());
}

// Tempo +100 %: the file's place, read from the ramped tone's level every 50
// frames, runs ahead of one frame per frame.
double tempoHeard(const std::vector<float>& out, double at)
{
    std::vector<double> place;
    double unwrapped = 0;
    double lastPhase = -1;
    for (size_t k = 50; k + 50 < out.size(); k += 50) {
        float peak = 0;
        for (size_t m = k - 50; m < k + 50; ++m)
            peak = std::max(peak, std::fabs(out[m]));
        const double phase = std::clamp((double(peak) - 0.1) / 0.8, 0.0, 1.0);
        if (lastPhase >= 0) {
            double d = phase - lastPhase;
            d -= std::round(d);
            unwrapped += d;
        }
        lastPhase = phase;
        place.push_back(unwrapped * 0.25 * kRate - double(k));
    }
    // The place's step from slot to slot: about 0 before, 50 (a frame ahead
    // per frame) after. A wrap of the ramp misread shows as one huge step,
    // so the first slot counts whose step, and the median of the next nine,
    // are at least half the new one.
    const size_t atSlot = std::min(place.size(), size_t(at) / 50);
    for (size_t k = atSlot; k + 10 < place.size(); ++k) {
        std::vector<double> steps;
        for (size_t m = k; m < k + 9; ++m)
            steps.push_back(place[m + 1] - place[m]);
        std::nth_element(steps.begin(), steps.begin() + 4, steps.end());
        if (place[k + 1] - place[k] >= 25 && steps[4] >= 25)
            return double(k * 50 + 50);
    }
    return double(out.size());
}

using Recorder = std::function<std::vector<float>(const std::string& path, DWORD attrib, float value, double& at)>;

// Volume, pitch and tempo changes, each recorded afresh; counters: median,
// lowest and highest in milliseconds.
void measure(benchmark::State& state, const Recorder& record)
{
    std::vector<double> volume, pitch, tempo;
    for (auto _ : state) {
        double at = 0;
        std::vector<float> out = record(files().tone, BASS_ATTRIB_VOL, 0.2f, at);
        volume.push_back(ms(volumeHeard(out, at) - at));
        out = record(files().tone, BASS_ATTRIB_TEMPO_PITCH, 12.0f, at);
        pitch.push_back(ms(pitchHeard(out, at) - at));
        out = record(files().ramp, BASS_ATTRIB_TEMPO, 100.0f, at);
        tempo.push_back(ms(tempoHeard(out, at) - at));
    }
    auto report = [&](const char* name, std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        state.counters[std::string(name) + "_ms"] = v[v.size() / 2];
        state.counters[std::string(name) + "_min"] = v.front();
        state.counters[std::string(name) + "_max"] = v.back();
    };
    report("volume", volume);
    report("pitch", pitch);
    report("tempo", tempo);
}

// A moment unrelated to the output's periods, half a second into the song.
void waitForTheMoment() { std::this_thread::sleep_for(std::chrono::microseconds(500000 + std::rand() % 12000)); }

// ---- a sound card's pace

// A thread takes 512-frame periods from the mixer at the pace they play,
// while the mixer's own thread keeps its ring filled, as on a card opened by
// BASS_Init. What came from the ring is kept.
class RealTimeCard {
public:
    static constexpr int kPeriod = 512;

    RealTimeCard(audio::Mixer& mixer, double seconds) : m_mixer(mixer)
    {
        m_left.reserve(size_t(seconds * kRate) + 2 * kPeriod);
        m_thread = std::thread([this] { run(); });
    }
    ~RealTimeCard() { stop(); }
    void stop()
    {
        m_running = false;
        if (m_thread.joinable())
            m_thread.join();
    }
    const std::vector<float>& left() const { return m_left; }

private:
    void run()
    {
        std::vector<float> out(size_t(kPeriod) * 2);
        auto next = Clock::now();
        const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kPeriod / kRate));
        while (m_running) {
            std::this_thread::sleep_until(next);
            next += period;
            const int n = m_mixer.pull(out.data(), kPeriod);
            for (int k = 0; k < n && m_left.size() < m_left.capacity(); ++k)
                m_left.push_back(out[size_t(k) * 2]);
        }
    }
    audio::Mixer& m_mixer;
    std::vector<float> m_left;
    std::atomic<bool> m_running{true};
    std::thread m_thread;
};

std::vector<float> recordOnCard(const std::string& path, DWORD attrib, float value, double& at)
{
    auto mixer = std::make_shared<audio::Mixer>(44100, 2, audio::Mixer::leadFor(RealTimeCard::kPeriod));
    int err = 0;
    auto source = std::make_shared<audio::FileStream>(
        audio::SndfileDecoder::open(path, audio::SndfileDecoder::Kind::Wav, err), path, BASS_STREAM_DECODE, nullptr,
        500);
    auto song = std::make_shared<audio::TempoStream>(source, 0, false, mixer);
    mixer->attach(song);
    song->play(false);
    mixer->start();
    std::vector<float> left;
    {
        RealTimeCard card(*mixer, 2.0);
        waitForTheMoment();
        // Read before the change: a change is never counted as heard early.
        at = mixer->playedFrames();
        song->setAttribute(attrib, value);
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        card.stop();
        left = card.left();
    }
    mixer->detach(song.get());
    mixer->stop();
    return left;
}

void BM_AudioChangeLatency(benchmark::State& state) { measure(state, recordOnCard); }

// ---- the "No sound" device, as the player uses it

// Keeps the left channel of what the device's output takes from `origin` on.
class Tap : public audio::Mixer::Monitor {
public:
    Tap(size_t frames, std::uint64_t origin) : m_left(frames, 0.0f), m_origin(origin) {}
    void taken(const float* out, int frames, std::uint64_t first) override
    {
        for (int k = 0; k < frames; ++k) {
            const std::uint64_t i = first + std::uint64_t(k);
            if (i >= m_origin && i - m_origin < m_left.size())
                m_left[size_t(i - m_origin)] = out[size_t(k) * 2];
        }
        if (first + std::uint64_t(frames) > m_origin)
            m_end.store(first + std::uint64_t(frames) - m_origin, std::memory_order_release);
    }
    std::uint64_t origin() const { return m_origin; }
    std::vector<float> recording() const
    {
        const size_t n = std::min(m_left.size(), size_t(m_end.load(std::memory_order_acquire)));
        return std::vector<float>(m_left.begin(), m_left.begin() + std::ptrdiff_t(n));
    }

private:
    std::vector<float> m_left;
    const std::uint64_t m_origin;
    std::atomic<std::uint64_t> m_end{0};
};

std::vector<float> recordOnNoSound(const std::string& path, DWORD attrib, float value, double& at)
{
    if (!BASS_Init(0, 44100, 0, nullptr, nullptr))
        return {};
    std::shared_ptr<audio::Mixer> mixer;
    audio::Engine::instance().currentMixer(mixer);
    Tap tap(size_t(3 * kRate), mixer->consumedFrames());
    mixer->setMonitor(&tap);
    const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    const HSTREAM song = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    BASS_ChannelPlay(song, FALSE);
    waitForTheMoment();
    at = mixer->playedFrames() - double(tap.origin());
    BASS_ChannelSetAttribute(song, attrib, value);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    mixer->setMonitor(nullptr);
    std::vector<float> out = tap.recording();
    BASS_StreamFree(song);
    BASS_Free(); // the output stops before the tap goes
    return out;
}

void BM_PlayerChangeLatencyNoSound(benchmark::State& state) { measure(state, recordOnNoSound); }

} // namespace

BENCHMARK(BM_AudioChangeLatency)->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(BM_PlayerChangeLatencyNoSound)->Unit(benchmark::kMillisecond)->Iterations(9);
