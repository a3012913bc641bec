#include "platform/audio/FileProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace audio {

bool isReadableFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return ::access(path.c_str(), R_OK) == 0;
}

FileKind probeFileKind(const std::string& path)
{
    if (!isReadableFile(path))
        return FileKind::Unreadable;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileKind::Unreadable;
    unsigned char b[16] = {};
    ssize_t n = 0;
    while (n < ssize_t(sizeof b)) {
        const ssize_t r = ::read(fd, b + n, sizeof b - size_t(n));
        if (r <= 0)
            break;
        n += r;
    }
    ::close(fd);
    if (n == 0)
        return FileKind::Empty;
    auto at = [&](int off, const char* magic) {
        const size_t len = std::strlen(magic);
        return n >= ssize_t(off + len) && std::memcmp(b + off, magic, len) == 0;
    };
    if (at(0, "RIFF") || at(0, "RF64") || at(0, "riff"))
        return FileKind::Riff;
    if (at(0, "fLaC"))
        return FileKind::Flac;
    if (at(0, "OggS"))
        return FileKind::Ogg;
    if (at(4, "ftyp"))
        return FileKind::Mp4;
    if (at(0, "FORM"))
        return FileKind::Aiff;
    static const unsigned char asf[] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11};
    if (n >= 8 && std::memcmp(b, asf, sizeof asf) == 0)
        return FileKind::Asf;
    if (at(0, "ID3"))
        return FileKind::Id3;
    // ADTS: 12 sync bits, then layer bits 00 (MPEG audio never has layer 00).
    if (n >= 2 && b[0] == 0xFF && (b[1] & 0xF6) == 0xF0)
        return FileKind::Adts;
    return FileKind::Unknown;
}

} // namespace audio
