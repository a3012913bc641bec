#pragma once
#include "karaoke/ISurface.h"

// The surface of a CD+G stream: pixels 0x00RRGGBB, so that stored little-endian
// each pixel's first three bytes are blue, green, red.
class VideoFrameSurface : public ISurface {
public:
    uint32_t MakePixel(int red, int green, int blue) const override;
};
