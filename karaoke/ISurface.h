#pragma once
// The frame surface the CD+G decoder composes into: 300 x 216 pixels of 32 bits,
// row 0 at the top, stored row after row. The pixel format belongs to the
// surface, so the decoder asks it to make every colour.
#include <array>
#include <cstddef>
#include <cstdint>

class ISurface {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 216;
    static constexpr int kPixelCount = kWidth * kHeight;

    virtual ~ISurface() = default;

    // Each channel 0-255.
    virtual uint32_t MakePixel(int red, int green, int blue) const = 0;

    uint32_t Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
    void Clear() { pixels.fill(0); }

    std::array<uint32_t, kPixelCount> pixels{};
};
