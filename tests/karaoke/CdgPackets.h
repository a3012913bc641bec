#pragma once
// Builds CD+G packets (24 bytes: command, instruction, parity Q, 16 data bytes,
// parity P) for tests and benchmarks, and writes them as a ".cdg" file.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace cdgtest {

using Packet = std::array<uint8_t, 24>;
using TileLines = std::array<uint8_t, 12>;

enum : uint8_t {
    kMemoryPreset = 1,
    kBorderPreset = 2,
    kTileNormal = 6,
    kScrollPreset = 20,
    kScrollCopy = 24,
    kTransparent = 28,
    kColorsLow = 30,
    kColorsHigh = 31,
    kTileXor = 38,
};

inline Packet packet(uint8_t instruction, std::initializer_list<uint8_t> data, uint8_t command = 9)
{
    Packet p{};
    p[0] = command;
    p[1] = instruction;
    size_t i = 4;
    for (uint8_t d : data)
        p[i++] = d;
    return p;
}

// A packet of another subchannel mode, ignored by the decoder.
inline Packet empty() { return Packet{}; }

inline Packet memoryPreset(int colour, int repeat = 0)
{
    return packet(kMemoryPreset, {uint8_t(colour), uint8_t(repeat)});
}

inline Packet borderPreset(int colour) { return packet(kBorderPreset, {uint8_t(colour)}); }

inline Packet tile(int colour0, int colour1, int row, int column, const TileLines& lines,
                   bool exclusive = false)
{
    Packet p = packet(exclusive ? kTileXor : kTileNormal,
                      {uint8_t(colour0), uint8_t(colour1), uint8_t(row), uint8_t(column)});
    for (size_t j = 0; j < lines.size(); ++j)
        p[4 + 4 + j] = lines[j];
    return p;
}

// A tile wholly in colour 1.
inline Packet solidTile(int colour, int row, int column, bool exclusive = false)
{
    TileLines full;
    full.fill(0x3F);
    return tile(0, colour, row, column, full, exclusive);
}

inline Packet scroll(int colour, int h, int v, bool copy)
{
    return packet(copy ? kScrollCopy : kScrollPreset, {uint8_t(colour), uint8_t(h), uint8_t(v)});
}

struct Rgb4 {
    int r, g, b; // 0-15 each
};

// Eight colour-table entries, half 0 for entries 0-7, 1 for 8-15.
inline Packet colours(int half, const std::array<Rgb4, 8>& entries)
{
    Packet p = packet(half ? kColorsHigh : kColorsLow, {});
    for (size_t i = 0; i < entries.size(); ++i) {
        const Rgb4& c = entries[i];
        p[4 + 2 * i] = uint8_t((c.r << 2) | (c.g >> 2));
        p[4 + 2 * i + 1] = uint8_t(((c.g & 3) << 4) | c.b);
    }
    return p;
}

inline std::string bytes(const std::vector<Packet>& packets)
{
    std::string out;
    out.reserve(packets.size() * 24);
    for (const Packet& p : packets)
        out.append(reinterpret_cast<const char*>(p.data()), p.size());
    return out;
}

} // namespace cdgtest
