#pragma once
// The C runtime's leading-number readers (atoi, atof) without their traps:
// these ignore the user's locale (a decimal comma would cut "1.5" to 1) and
// clamp instead of overflowing.
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace store {

// Leading blanks, an optional sign, digits; 0 when there are none.
inline int LeadingInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// Leading blanks, an optional sign, a decimal number with fraction and exponent; 0 when there is none.
inline double LeadingDouble(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || text[i] == '+' || text[i] == '-')
        return 0.0;
    double value = 0.0;
    const auto r = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (r.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

} // namespace store
