// Fuzz entry for the CD+G decoder: arbitrary file contents and a sequence of
// render times, truncations and reopenings. Built with libFuzzer by
// tests/karaoke/build-fuzzer.sh; the seed corpus also runs in test_karaoke.
//
// Input: byte 0 gives the number of operations (0-16), each operation is one
// kind byte and a 32-bit little-endian value; the rest is the ".cdg" file.
#include "karaoke/CDGFile.h"
#include "karaoke/VideoFrameSurface.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace {

void Require(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckState(const CDGFile& cdg, const ISurface& surface, uint64_t fileBytes)
{
    Require(cdg.GetCurrentTime() >= 0);
    Require(cdg.GetPacketsTaken() >= 0);
    Require(static_cast<uint64_t>(cdg.GetPacketsTaken()) * CDGFile::kPacketSize <= fileBytes);
    Require(cdg.GetBorderColor() >= 0 && cdg.GetBorderColor() < 16);
    Require(cdg.GetHorizontalOffset() >= 0 && cdg.GetHorizontalOffset() <= 5);
    Require(cdg.GetVerticalOffset() >= 0 && cdg.GetVerticalOffset() <= 11);
    Require(surface.Pixel(0, 0) == cdg.GetColor(cdg.GetBorderColor()));
    Require((surface.Pixel(150, 100) & 0xFF000000u) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t ops = data[0] % 17;
    const size_t header = 1 + 5 * ops;
    if (size < header)
        return 0;
    const uint8_t* file = data + header;
    const size_t fileSize = size - header;

    const int fd = memfd_create("cdg-fuzz", MFD_CLOEXEC);
    if (fd < 0)
        return 0;
    if (fileSize && ::write(fd, file, fileSize) != static_cast<ssize_t>(fileSize)) {
        ::close(fd);
        return 0;
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    auto surface = std::make_unique<VideoFrameSurface>();
    auto cdg = std::make_unique<CDGFile>();
    cdg->SetSurface(surface.get());
    Require(cdg->Open(path));
    Require(cdg->GetLength() == CDGFile::LengthFromSize(fileSize));

    for (size_t i = 0; i < ops; ++i) {
        const uint8_t* op = data + 1 + 5 * i;
        uint32_t raw;
        std::memcpy(&raw, op + 1, 4);
        const int32_t value = static_cast<int32_t>(raw);
        switch (op[0] % 4) {
        case 0: // any time, far jumps included
            cdg->RenderTo(value);
            if (cdg->IsOpen())
                Require(cdg->GetCurrentTime() <= (value < 0 ? 0 : value));
            break;
        case 1: // times within the file's length, so replays take packets
            cdg->RenderTo(static_cast<int32_t>(raw % (static_cast<uint32_t>(cdg->GetLength()) + 20)) - 10);
            break;
        case 2: // the file shrinks under the decoder
            if (::ftruncate(fd, static_cast<off_t>(raw % (fileSize + 1))) != 0)
                std::abort();
            break;
        case 3:
            cdg->Open(path);
            break;
        }
        CheckState(*cdg, *surface, fileSize);
    }
    for (int y = 0; y < CDGFile::kHeight; ++y)
        for (int x = 0; x < CDGFile::kWidth; ++x)
            Require(cdg->GetIndex(x, y) < 16);
    cdg.reset();
    ::close(fd);
    return 0;
}
