#include "karaoke/CDGFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCommandMask = 0x3F;
constexpr int kTvGraphics = 9;

enum Instruction {
    kMemoryPreset = 1,
    kBorderPreset = 2,
    kTileBlockNormal = 6,
    kScrollPreset = 20,
    kScrollCopy = 24,
    kDefineTransparentColor = 28,
    kLoadColorTableLow = 30,
    kLoadColorTableHigh = 31,
    kTileBlockXor = 38,
};

// The border band and the tile grid: 6 by 12 pixels per tile.
constexpr int kTileWidth = 6;
constexpr int kTileHeight = 12;
constexpr int kLastTileX = CDGFile::kWidth - kTileWidth;   // 294
constexpr int kLastTileY = CDGFile::kHeight - kTileHeight; // 204

// Opens only regular files: a FIFO or a device would block or never end.
std::FILE* OpenRegularFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file)
        ::close(fd);
    return file;
}

} // namespace

CDGFile::CDGFile() = default;

CDGFile::~CDGFile()
{
    Close();
    Reset();
}

int32_t CDGFile::LengthFromSize(uint64_t bytes)
{
    // (packets x 1000) / 300 without the product: packets = 3q + r gives
    // 10q + (10r) / 3, exact for any size.
    const uint64_t packets = bytes / kPacketSize;
    const uint64_t q = packets / 3;
    const uint64_t r = packets % 3;
    constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    if (q > kMax / 10)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::min(kMax, q * 10 + (r * 10) / 3));
}

void CDGFile::Close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_atEnd = false;
}

void CDGFile::ClearPicture()
{
    m_image.fill(0);
    m_colors.fill(0);
    m_borderColor = 0;
    m_hOffset = 0;
    m_vOffset = 0;
}

void CDGFile::Reset()
{
    ClearPicture();
    m_currentTime = 0;
    m_length = 0;
    m_packetsTaken = 0;
    if (m_file) {
        // Keep the file position in step with the current time.
        std::clearerr(m_file);
        m_atEnd = std::fseek(m_file, 0, SEEK_SET) != 0;
    }
    if (m_surface)
        m_surface->Clear();
}

bool CDGFile::Open(const std::string& path)
{
    Close();
    Reset();
    if (!m_surface)
        return false;
    m_file = OpenRegularFile(path);
    m_currentTime = 0;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    m_length = ec ? 0 : LengthFromSize(size);
    return m_file != nullptr;
}

void CDGFile::Rewind()
{
    // A replay starts from a cleared screen, or pictures drawn later in the
    // song would stay on screen.
    ClearPicture();
    m_currentTime = 0;
    m_packetsTaken = 0;
    std::clearerr(m_file);
    m_atEnd = std::fseek(m_file, 0, SEEK_SET) != 0;
}

void CDGFile::RenderTo(int32_t time)
{
    if (!m_file)
        return;
    // Before the start of the music (a play position less the playback
    // buffer) nothing is due yet.
    if (time < 0)
        time = 0;
    if (time < m_currentTime)
        Rewind();
    const int32_t steps = (time - m_currentTime) / 10;
    m_currentTime += 10 * steps;
    const int64_t count = static_cast<int64_t>(steps) * (kPacketsPerSecond / 100);
    Packet packet;
    for (int64_t i = 0; i < count; ++i) {
        if (!ReadPacket(packet))
            break;
        ExecutePacket(packet);
    }
    ComposeFrame();
}

bool CDGFile::ReadPacket(Packet& packet)
{
    if (!m_file || m_atEnd)
        return false;
    // A fragment shorter than a packet at the end is no packet.
    if (std::fread(&packet, 1, kPacketSize, m_file) != static_cast<size_t>(kPacketSize)) {
        m_atEnd = true;
        return false;
    }
    ++m_packetsTaken;
    return true;
}

void CDGFile::ExecutePacket(const Packet& packet)
{
    if ((packet.command & kCommandMask) != kTvGraphics)
        return;
    const uint8_t* data = packet.data;
    switch (packet.instruction & kCommandMask) {
    case kMemoryPreset: MemoryPreset(data); break;
    case kBorderPreset: BorderPreset(data); break;
    case kTileBlockNormal: TileBlock(data, false); break;
    case kScrollPreset: Scroll(data, false); break;
    case kScrollCopy: Scroll(data, true); break;
    case kDefineTransparentColor: break; // no effect on the frame
    case kLoadColorTableLow: LoadColorTable(data, 0); break;
    case kLoadColorTableHigh: LoadColorTable(data, 1); break;
    case kTileBlockXor: TileBlock(data, true); break;
    default: break;
    }
}

void CDGFile::MemoryPreset(const uint8_t* data)
{
    const int colour = data[0] & 0x0F;
    const int repeat = data[1] & 0x0F;
    m_borderColor = colour;
    // The repeats of a preset only make up for lost packets on a disc.
    if (repeat == 0)
        m_image.fill(static_cast<uint8_t>(colour));
}

void CDGFile::BorderPreset(const uint8_t* data)
{
    const uint8_t colour = data[0] & 0x0F;
    m_borderColor = colour;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = &m_image[static_cast<size_t>(y) * kWidth];
        if (y < kTileHeight || y >= kLastTileY) {
            std::memset(row, colour, kWidth);
        } else {
            std::memset(row, colour, kTileWidth);
            std::memset(row + kLastTileX, colour, kTileWidth);
        }
    }
}

void CDGFile::TileBlock(const uint8_t* data, bool exclusive)
{
    const uint8_t colour0 = data[0] & 0x0F;
    const uint8_t colour1 = data[1] & 0x0F;
    const int y = kTileHeight * (data[2] & 0x1F);
    const int x = kTileWidth * (data[3] & 0x3F);
    if (y > kLastTileY || x > kLastTileX)
        return;
    for (int j = 0; j < kTileHeight; ++j) {
        const int bits = data[4 + j] & 0x3F;
        uint8_t* dst = &m_image[static_cast<size_t>(y + j) * kWidth + x];
        for (int k = 0; k < kTileWidth; ++k) {
            const uint8_t c = (bits >> (5 - k)) & 1 ? colour1 : colour0;
            dst[k] = exclusive ? static_cast<uint8_t>(dst[k] ^ c) : c;
        }
    }
}

void CDGFile::Scroll(const uint8_t* data, bool wrapping)
{
    const uint8_t colour = data[0] & 0x0F;
    const int h = data[1] & 0x3F;
    const int v = data[2] & 0x3F;
    m_hOffset = std::min(h & 0x07, kTileWidth - 1);
    m_vOffset = std::min(v & 0x0F, kTileHeight - 1);

    const int hStep = (h >> 4) & 3;
    const int vStep = (v >> 4) & 3;
    const int dx = hStep == 1 ? kTileWidth : hStep == 2 ? -kTileWidth : 0;
    const int dy = vStep == 1 ? kTileHeight : vStep == 2 ? -kTileHeight : 0;
    if (dx == 0 && dy == 0)
        return;

    m_scratch = m_image;
    const int split = (kWidth - dx) % kWidth; // source column that lands in column 0
    for (int r = 0; r < kHeight; ++r) {
        const uint8_t* src = &m_scratch[static_cast<size_t>(r) * kWidth];
        uint8_t* dst = &m_image[static_cast<size_t>((r + dy + kHeight) % kHeight) * kWidth];
        std::memcpy(dst, src + split, static_cast<size_t>(kWidth - split));
        std::memcpy(dst + (kWidth - split), src, static_cast<size_t>(split));
    }
    if (wrapping)
        return;

    // Scroll Preset fills the band that came in.
    if (dy != 0) {
        const int top = dy > 0 ? 0 : kLastTileY;
        std::memset(&m_image[static_cast<size_t>(top) * kWidth], colour,
                    static_cast<size_t>(kTileHeight) * kWidth);
    }
    if (dx != 0) {
        const int left = dx > 0 ? 0 : kLastTileX;
        for (int r = 0; r < kHeight; ++r)
            std::memset(&m_image[static_cast<size_t>(r) * kWidth + left], colour, kTileWidth);
    }
}

void CDGFile::LoadColorTable(const uint8_t* data, int half)
{
    if (!m_surface)
        return;
    for (int i = 0; i < 8; ++i) {
        const int a = data[2 * i];
        const int b = data[2 * i + 1];
        const int red = (a >> 2) & 0x0F;
        const int green = ((a & 0x03) << 2) | ((b >> 4) & 0x03);
        const int blue = b & 0x0F;
        m_colors[static_cast<size_t>(8 * half + i)] = m_surface->MakePixel(red * 17, green * 17, blue * 17);
    }
}

void CDGFile::ComposeFrame()
{
    if (!m_surface)
        return;
    const uint32_t border = m_colors[static_cast<size_t>(m_borderColor)];
    uint32_t* out = m_surface->pixels.data();
    for (int y = 0; y < kHeight; ++y, out += kWidth) {
        if (y < kTileHeight || y >= kLastTileY) {
            std::fill(out, out + kWidth, border);
            continue;
        }
        std::fill(out, out + kTileWidth, border);
        const uint8_t* src = &m_image[static_cast<size_t>(y + m_vOffset) * kWidth + m_hOffset];
        for (int x = kTileWidth; x < kLastTileX; ++x)
            out[x] = m_colors[src[x]];
        std::fill(out + kLastTileX, out + kWidth, border);
    }
}
