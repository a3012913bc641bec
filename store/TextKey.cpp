#include "store/TextKey.h"

#include <algorithm>

namespace store {

TextKey::TextKey(std::string_view text, std::size_t offset)
{
    const std::size_t rest = text.size() > offset ? text.size() - offset : 0;
    size = static_cast<std::uint32_t>(std::min<std::size_t>(rest, 0xFFFFFFFFu));
    const std::size_t n = std::min<std::size_t>(rest, 16);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t byte = static_cast<unsigned char>(text[offset + i]);
        if (i < 8)
            high |= byte << (8 * (7 - i));
        else
            low |= byte << (8 * (15 - i));
    }
}

} // namespace store
