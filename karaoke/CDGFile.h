#pragma once
// Decoder of the graphics of a ".cdg" file: karaoke subcode packets of 24 bytes
// in the TV graphics mode, 300 packets to the second of play time. It keeps the
// decoded screen (colour indices, colour table, border colour, fine-scroll
// offsets), decodes up to any play time and composes the visible frame into
// the surface its owner binds.
#include "karaoke/ISurface.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

class CDGFile {
public:
    static constexpr int kPacketSize = 24;
    static constexpr int kPacketsPerSecond = 300;
    static constexpr int kWidth = ISurface::kWidth;
    static constexpr int kHeight = ISurface::kHeight;

    CDGFile();
    virtual ~CDGFile();
    CDGFile(const CDGFile&) = delete;
    CDGFile& operator=(const CDGFile&) = delete;

    // Not owned; bind before Open.
    void SetSurface(ISurface* surface) { m_surface = surface; }
    ISurface* GetSurface() const { return m_surface; }

    // Closes any open file, clears the state and opens the path (UTF-8). False
    // when no surface is bound or the file cannot be opened; the length still
    // comes from the file's size whenever a surface is bound.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }

    // Decodes up to the play time in milliseconds and composes the frame.
    // A time earlier than the current one replays the file from its start.
    void RenderTo(int32_t time);

    // The cleared state: black picture and colours, times 0; clears the
    // bound surface too.
    void Reset();

    int32_t GetLength() const { return m_length; }
    int32_t GetCurrentTime() const { return m_currentTime; }
    // Packets read from the file since it was opened or last replayed.
    int64_t GetPacketsTaken() const { return m_packetsTaken; }

    uint8_t GetIndex(int x, int y) const { return m_image[static_cast<size_t>(y) * kWidth + x]; }
    uint32_t GetColor(int index) const { return m_colors[static_cast<size_t>(index)]; }
    int GetBorderColor() const { return m_borderColor; }
    int GetHorizontalOffset() const { return m_hOffset; }
    int GetVerticalOffset() const { return m_vOffset; }

    // Play time of the whole packets a file of this many bytes holds, in
    // milliseconds, held to the 32-bit range.
    static int32_t LengthFromSize(uint64_t bytes);

private:
    struct Packet {
        uint8_t command;
        uint8_t instruction;
        uint8_t parityQ[2];
        uint8_t data[16];
        uint8_t parityP[4];
    };
    static_assert(sizeof(Packet) == kPacketSize);

    void Close();
    void ClearPicture();
    void Rewind();
    bool ReadPacket(Packet& packet);
    void ExecutePacket(const Packet& packet);
    void MemoryPreset(const uint8_t* data);
    void BorderPreset(const uint8_t* data);
    void TileBlock(const uint8_t* data, bool exclusive);
    void Scroll(const uint8_t* data, bool wrapping);
    void LoadColorTable(const uint8_t* data, int half);
    void ComposeFrame();

    std::array<uint8_t, kWidth * kHeight> m_image{};
    std::array<uint32_t, 16> m_colors{};
    int m_borderColor = 0;
    int m_hOffset = 0;
    int m_vOffset = 0;
    std::FILE* m_file = nullptr;
    bool m_atEnd = false;
    ISurface* m_surface = nullptr;
    int32_t m_currentTime = 0;
    int32_t m_length = 0;
    int64_t m_packetsTaken = 0;
    // Scratch copy for scrolling, kept so that no packet allocates.
    std::array<uint8_t, kWidth * kHeight> m_scratch{};
};
