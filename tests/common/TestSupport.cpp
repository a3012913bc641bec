#include "common/TestSupport.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// Where test folders go: memory (/dev/shm) when the system has it, as the tests
// sync their databases often and need no durability; else the temporary folder.
fs::path testRoot()
{
    static const fs::path root = [] {
        std::error_code ec;
        if (fs::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0)
            return fs::path("/dev/shm");
        return fs::temp_directory_path();
    }();
    return root;
}

} // namespace

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = testRoot() / ("mirtal-test-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            m_path = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

ScopedCwd::ScopedCwd(const fs::path& dir) : m_old(fs::current_path())
{
    fs::current_path(dir);
}

ScopedCwd::~ScopedCwd()
{
    std::error_code ec;
    fs::current_path(m_old, ec);
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

namespace {
void put16(std::string& s, uint16_t v)
{
    s.push_back(char(v & 0xff));
    s.push_back(char(v >> 8));
}
void put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(char((v >> (8 * i)) & 0xff));
}
} // namespace

void writeSineWav(const std::string& path, double seconds, int sampleRate, int channels,
                  double frequency)
{
    const uint32_t frames = uint32_t(seconds * sampleRate);
    const uint32_t dataBytes = frames * uint32_t(channels) * 2;
    std::string s;
    s += "RIFF";
    put32(s, 36 + dataBytes);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);
    put16(s, uint16_t(channels));
    put32(s, uint32_t(sampleRate));
    put32(s, uint32_t(sampleRate * channels * 2));
    put16(s, uint16_t(channels * 2));
    put16(s, 16);
    s += "data";
    put32(s, dataBytes);
    s.reserve(s.size() + dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = std::sin(2.0 * M_PI * frequency * i / sampleRate) * 0.5;
        const int16_t sample = int16_t(std::lround(v * 32767.0));
        for (int c = 0; c < channels; ++c)
            put16(s, uint16_t(sample));
    }
    writeFile(path, s);
}

} // namespace testsupport
