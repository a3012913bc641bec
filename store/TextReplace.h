#pragma once
#include <string>

namespace store {

// Every occurrence of from, left to right, without rescanning what was put in;
// built in one pass, so long texts with many matches stay linear.
inline std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, start)) {
        out.append(text, start, pos - start);
        out += to;
        start = pos + from.size();
    }
    out.append(text, start, std::string::npos);
    return out;
}

// The text without the blanks at its end (spaces, tabs, line breaks, vertical
// tabs and form feeds): lines read from files and texts shown in controls.
inline std::string TrimRight(const std::string& text)
{
    const size_t last = text.find_last_not_of(" \t\r\n\v\f");
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

} // namespace store
