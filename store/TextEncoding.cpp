#include "store/TextEncoding.h"

#include "platform/win/UnicodeText.h"

namespace store {

bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned int cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + static_cast<size_t>(k) >= n)
                return false;
            const unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view text)
{
    // Code points of 0x80..0x9F; the five bytes Windows leaves undefined map to themselves.
    static const unsigned short high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        unsigned int cp = c;
        if (c >= 0x80 && c <= 0x9F)
            cp = high[c - 0x80];
        win::AppendUtf8(out, cp);
    }
    return out;
}

std::string ToProgramText(std::string_view text)
{
    return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

} // namespace store
