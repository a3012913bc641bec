#include "platform/audio/Encoder.h"

#include "platform/audio/Bass.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace audio {

namespace {

constexpr auto kFinishTimeout = std::chrono::seconds(30);

// A 16-bit PCM WAV header whose sizes say "unknown": the encoder reads to the end of its input.
std::vector<std::uint8_t> wavHeader(int rate, int channels)
{
    std::vector<std::uint8_t> h(44, 0);
    auto text = [&](size_t at, const char* t) { std::memcpy(h.data() + at, t, 4); };
    auto number = [&](size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            h[at + size_t(i)] = std::uint8_t((v >> (8 * i)) & 0xFF);
    };
    text(0, "RIFF");
    number(4, 0xFFFFFFFF, 4);
    text(8, "WAVE");
    text(12, "fmt ");
    number(16, 16, 4);
    number(20, 1, 2);  // PCM
    number(22, std::uint32_t(channels), 2);
    number(24, std::uint32_t(rate), 4);
    number(28, std::uint32_t(rate * channels * 2), 4);
    number(32, std::uint32_t(channels * 2), 2);
    number(34, 16, 2);
    text(36, "data");
    number(40, 0xFFFFFFFF, 4);
    return h;
}

} // namespace

std::vector<std::string> Encoder::splitCommandLine(const std::string& command)
{
    std::vector<std::string> args;
    std::string arg;
    bool inArg = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (inArg)
                args.push_back(arg);
            arg.clear();
            inArg = false;
            continue;
        }
        inArg = true;
        if (c == '"') {
            for (++i; i < command.size() && command[i] != '"'; ++i) {
                if (command[i] == '\\' && i + 1 < command.size() && (command[i + 1] == '"' || command[i + 1] == '\\'))
                    ++i;
                arg += command[i];
            }
        } else if (c == '\'') {
            const size_t end = command.find('\'', i + 1);
            arg += command.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            i = end == std::string::npos ? command.size() : end;
        } else {
            arg += c;
        }
    }
    if (inArg)
        args.push_back(arg);
    return args;
}

std::unique_ptr<Encoder> Encoder::start(const std::string& command, int rate, int channels, bool header, int& error)
{
    const std::vector<std::string> args = splitCommandLine(command);
    if (args.empty()) {
        error = BASS_ERROR_ILLPARAM;
        return nullptr;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = BASS_ERROR_MEM;
        return nullptr;
    }
    if (fds[0] <= STDERR_FILENO) {
        // The read end must not be one of the standard descriptors it is put in place of.
        const int moved = fcntl(fds[0], F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        close(fds[0]);
        fds[0] = moved;
    }
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    // The program's own messages go nowhere, as for a program without a console.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &pipeSignal);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int rc = fds[0] < 0 ? EMFILE : posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (fds[0] >= 0)
        close(fds[0]);
    if (rc != 0) {
        close(fds[1]);
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    std::unique_ptr<Encoder> e(new Encoder(fds[1], pid, rate, channels));
    e->m_maxQueue = size_t(kMaxQueuedSeconds) * size_t(rate) * size_t(channels) * 2;
    if (header)
        e->m_queue = wavHeader(rate, channels);
    e->m_thread = std::thread([p = e.get()] { p->writerLoop(); });
    error = BASS_OK;
    return e;
}

Encoder::Encoder(int fd, pid_t pid, int rate, int channels) : m_rate(rate), m_channels(channels), m_fd(fd), m_pid(pid)
{
}

double Encoder::queuedSeconds() const
{
    std::lock_guard lock(m_mutex);
    return double(m_queue.size()) / (2.0 * m_rate * m_channels);
}

Encoder::~Encoder()
{
    finish();
}

void Encoder::write(const float* frames, int count)
{
    if (count <= 0 || !m_alive.load())
        return;
    const size_t samples = size_t(count) * size_t(m_channels);
    {
        std::lock_guard lock(m_mutex);
        if (m_closing || m_queue.size() + samples * 2 > m_maxQueue)
            return;
        for (size_t i = 0; i < samples; ++i) {
            const auto s = std::int16_t(std::lrint(std::clamp(frames[i] * 32768.0f, -32768.0f, 32767.0f)));
            m_queue.push_back(std::uint8_t(s & 0xFF));
            m_queue.push_back(std::uint8_t((std::uint16_t(s) >> 8) & 0xFF));
        }
    }
    m_wake.notify_one();
}

void Encoder::writerLoop()
{
    // A program that has died must not take the whole process with it:
    // its broken pipe becomes an error of write() on this thread.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    std::vector<std::uint8_t> chunk;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_closing || !m_queue.empty(); });
            if (m_queue.empty())
                break;  // closing, and everything written
            chunk.swap(m_queue);
            m_queue.clear();
        }
        size_t at = 0;
        while (m_alive.load() && at < chunk.size()) {
            const ssize_t n = ::write(m_fd, chunk.data() + at, chunk.size() - at);
            if (n > 0)
                at += size_t(n);
            else if (n < 0 && errno != EINTR)
                m_alive = false;
        }
        chunk.clear();
    }
    close(m_fd);
    m_fd = -1;
    const timespec now{0, 0};
    while (sigtimedwait(&pipeSignal, nullptr, &now) > 0) {
    }
}

void Encoder::finish()
{
    std::lock_guard finishLock(m_finishMutex);
    if (m_finished.load())
        return;
    m_closingFlag = true;
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    const auto end = std::chrono::steady_clock::now() + kFinishTimeout;
    int status = 0;
    pid_t r = 0;
    while ((r = waitpid(m_pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (r == 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
    }
    m_alive = false;
    m_finished = true;
}

} // namespace audio
