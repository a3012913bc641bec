#include "karaoke/VideoFrameSurface.h"

uint32_t VideoFrameSurface::MakePixel(int red, int green, int blue) const
{
    return (static_cast<uint32_t>(red & 0xFF) << 16) | (static_cast<uint32_t>(green & 0xFF) << 8)
        | static_cast<uint32_t>(blue & 0xFF);
}
