#pragma once
// Sound files the audio tests make for themselves: PCM in memory, then WAV,
// FLAC (libsndfile), MP3 (the lame program), and AAC, M4A, WMA and MP2
// (FFmpeg's encoders).
#include <string>
#include <vector>

namespace audiotest {

// Interleaved samples with their format.
struct Pcm {
    int rate = 44100;
    int channels = 2;
    std::vector<float> samples;
    size_t frames() const { return samples.size() / size_t(channels); }
};

// A sine of `amplitude` (1 = full scale), the same on every channel.
Pcm sine(double seconds, double frequency, double amplitude, int rate = 44100, int channels = 2);
// A tone that also sweeps, so that a frame taken from the wrong place shows.
Pcm sweep(double seconds, int rate = 44100, int channels = 2);
// Short clicks at `bpm`, silence between.
Pcm clickTrack(double seconds, double bpm, int rate = 44100, int channels = 2);

void writeWav16(const std::string& path, const Pcm& pcm);
void writeFlac(const std::string& path, const Pcm& pcm);
// Writes a WAV beside the target and runs lame on it; false when lame fails.
bool encodeMp3(const std::string& path, const Pcm& pcm, int kbps = 128);
// FFmpeg encoder by name into a container by name ("aac"/"ipod", "aac"/"adts",
// "wmav2"/"asf", "mp2"/"mp2"), with encoder options ("aac_pns=0:...", may be
// null); false with the reason when not available.
bool ffmpegEncode(const std::string& path, const Pcm& pcm, const char* codec, const char* container,
                  int bitrate, const char* options, std::string* why);

// Level in dB of the RMS of `samples` (interleaved, one channel taken) over [from, to) frames.
double rmsDb(const std::vector<float>& samples, int channels, int channel, size_t from, size_t to);

} // namespace audiotest
