#pragma once
// Sort keys for long lists of texts: most comparisons of a long sort are decided by a few
// leading bytes held as numbers beside the item, without reaching the text itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace store {

// Up to 16 bytes of a text, from a given offset on, as two numbers: big-endian and zero-padded,
// so that where two keys differ they order as the texts' bytes do (unsigned), a text that ends
// first padding with 0 below any byte the other has there. Equal keys say nothing more unless
// both texts end within the key and have the same length.
struct TextKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::uint32_t size = 0; // bytes of the text past the offset

    TextKey() = default;
    TextKey(std::string_view text, std::size_t offset);

    // -1 or 1 where the keys decide; 0 where the texts may still differ.
    int Compare(const TextKey& other) const
    {
        if (high != other.high)
            return high < other.high ? -1 : 1;
        if (low != other.low)
            return low < other.low ? -1 : 1;
        return 0;
    }
    // Both texts end within their keys and are equal.
    bool SameText(const TextKey& other) const { return size <= 16 && size == other.size && Compare(other) == 0; }
};

// The number of leading bytes the count texts share (textAt(i) answers text i as a
// std::string_view): keys taken past them keep every difference.
template <class TextAt>
std::size_t SharedPrefix(std::size_t count, TextAt textAt)
{
    if (count == 0)
        return 0;
    const std::string_view first = textAt(std::size_t{0});
    std::size_t shared = first.size();
    for (std::size_t i = 1; i < count && shared > 0; ++i) {
        const std::string_view text = textAt(i);
        const std::size_t n = std::min(shared, text.size());
        shared = static_cast<std::size_t>(std::mismatch(first.begin(), first.begin() + n, text.begin()).first -
                                          first.begin());
    }
    return shared;
}

} // namespace store
