#include "controls/TextBuffer.h"

#include <algorithm>

int CopyTextToBuffer(const std::string& text, char* buffer, long long size)
{
    if (!buffer || size <= 0)
        return 0;
    size_t n = std::min(text.size(), size_t(size - 1));
    // A cut inside a character would leave half of it: cut before the character instead.
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    text.copy(buffer, n);
    buffer[n] = '\0';
    return int(n);
}
