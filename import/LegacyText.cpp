#include "import/LegacyText.h"

#include "store/MyFunctions.h"
#include "store/TextEncoding.h"

#include <cstdio>
#include <memory>

namespace legacy {

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return false;
    std::string bytes;
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, n);
    // A file that cannot be read to its end is not taken in part.
    if (std::ferror(file.get()))
        return false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);

    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        size_t last = end;
        while (last > start && (bytes[last - 1] == ' ' || bytes[last - 1] == '\t' || bytes[last - 1] == '\r'))
            --last;
        lines.push_back(store::ToProgramText(std::string_view(bytes).substr(start, last - start)));
        start = end + 1;
    }
    return true;
}

std::string Flag(const std::string& text) { return text == "0" ? "false" : "true"; }

std::string InvertedFlag(const std::string& text) { return text == "0" ? "true" : "false"; }

std::string FadeTime(const std::string& text)
{
    const MyFunctions fn;
    int n = fn.StringToInt(text);
    if (n >= 1000)
        n /= 1000;
    return fn.IntToString(n);
}

std::string SortChoice(const std::string& text)
{
    const MyFunctions fn;
    const int n = fn.StringToInt(text);
    return n < 2 ? fn.IntToString(n) : "0";
}

std::string ListType(const std::string& path)
{
    // Counted in characters, not bytes: the path is UTF-8.
    std::vector<std::string> chars;
    for (size_t i = 0; i < path.size();) {
        size_t len = 1;
        while (i + len < path.size() && (static_cast<unsigned char>(path[i + len]) & 0xC0) == 0x80)
            ++len;
        chars.push_back(path.substr(i, len));
        i += len;
    }
    if (chars.size() <= 5)
        return std::string();
    return chars[chars.size() - 4] == "." ? "1" : "2";
}

std::string MarkerText(const std::string& seconds)
{
    const MyFunctions fn;
    std::string text = fn.SecondsToText(fn.StringToInt(seconds));
    if (text.size() < 5)
        text.insert(0, 5 - text.size(), '0');
    return text + ";";
}

} // namespace legacy
