#pragma once
// Letter case and length of UTF-8 text by Unicode's rules, for the program
// above the window layer (which alone talks to the toolkit).
#include <string>

namespace win {

std::string ToLower(const std::string& text);
std::string ToUpper(const std::string& text);
// Without white space at either end.
std::string Trim(const std::string& text);
// Length in UTF-16 code units, as text controls count.
int TextLength(const std::string& text);

// Appends one code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
inline void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

} // namespace win
