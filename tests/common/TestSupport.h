#pragma once
// Fixtures shared by the test programs: a temporary folder per test, and
// small files written into it.
#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder in memory (/dev/shm) where the system has it, else under the
// temporary folder; removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }
    // Full path of a name inside the folder.
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Makes a folder the current directory for its lifetime and restores the old one.
class ScopedCwd {
public:
    explicit ScopedCwd(const std::filesystem::path& dir);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::filesystem::path m_old;
};

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

// A 16-bit PCM WAV file holding a sine wave.
void writeSineWav(const std::string& path, double seconds, int sampleRate = 44100,
                  int channels = 2, double frequency = 440.0);

} // namespace testsupport
