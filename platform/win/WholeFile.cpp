#include "platform/win/WholeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

bool fail(std::string* reason, const std::string& why)
{
    if (reason)
        *reason = why;
    return false;
}

} // namespace

namespace win {

std::string WholeFileScratch(const std::string& path) { return path + ".saving"; }

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* reason, bool toDisk)
{
    if (path.empty())
        return fail(reason, "no file name");
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec)
            return fail(reason, ec.message());
        target = resolved.string();
    }
    struct stat old {};
    const bool hadFile = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    const std::string scratch = WholeFileScratch(target);
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(reason, std::strerror(errno));
    bool ok = writeAll(fd, bytes);
    int error = ok ? 0 : errno;
    if (ok && hadFile && ::fchmod(fd, old.st_mode & 07777) != 0) {
        ok = false;
        error = errno;
    }
    if (ok && toDisk && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(scratch.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(scratch.c_str());
        return fail(reason, std::strerror(error ? error : EIO));
    }
    return true;
}

} // namespace win
