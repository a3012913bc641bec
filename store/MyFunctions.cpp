#include "store/MyFunctions.h"

#include "store/NumberParse.h"
#include "store/RandomRange.h"
#include "store/TextEncoding.h"

#include "platform/win/UnicodeText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

struct Level {
    const char* name;
    const char* code;
    const char* alias;
};

const Level kLevels[10] = {
    {"Basic", "basic", ""},
    {"Mainstream", "main", "mainstream"},
    {"Plus", "plus", ""},
    {"Advance 1", "a1", "advance 1"},
    {"Advance 2", "a2", "advance 2"},
    {"Challenge 1", "c1", "challenge 1"},
    {"Challenge 2", "c2", "challenge 2"},
    {"Challenge 3A", "c3a", "challenge 3a"},
    {"Challenge 3B", "c3b", "challenge 3b"},
    {"Challenge 4", "c4", "challenge 4"},
};

// Bytes of the UTF-8 character that begins with the byte.
size_t utf8Length(unsigned char lead)
{
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xe)
        return 3;
    if ((lead >> 3) == 0x1e)
        return 4;
    return 1;
}

// One pass of CapitalizeWords: the character after each separator is upper-cased.
std::string capitalizeAfter(const std::string& text, char separator)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t pos = text.find(separator, i);
        if (pos == std::string::npos) {
            out.append(text, i, std::string::npos);
            break;
        }
        out.append(text, i, pos - i + 1);
        i = pos + 1;
        if (i < text.size()) {
            const size_t n = std::min(utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
            out += win::ToUpper(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string twoDecimals(double value)
{
    // The text goes into statements as a number; "nan" or "inf" would break them.
    if (!std::isfinite(value * 100.0))
        return "0.00";
    std::string digits;
    if (value == 0.0) {
        digits = "00";
    } else {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(value) * 100.0);
        digits = buffer;
        if (digits == "0")
            digits.clear(); // below 0.005: no digits at all
    }
    if (digits.size() < 3)
        digits = "0" + digits;
    // The point goes before the last two digits; a single digit gets it in front.
    const size_t split = digits.size() >= 2 ? digits.size() - 2 : 0;
    std::string out = value < 0 ? "-" : "";
    out += digits.substr(0, split);
    out += '.';
    out += digits.substr(split);
    return out;
}

std::tm localNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

} // namespace

// ---------------------------------------------------------------- numbers and texts

std::string MyFunctions::IntToString(int value) const { return std::to_string(value); }

std::string MyFunctions::BoolToString(bool value) const { return value ? "true" : "false"; }

int MyFunctions::StringToInt(const std::string& text) const { return store::LeadingInt(text); }

float MyFunctions::StringToFloat(const std::string& text) const
{
    return static_cast<float>(store::LeadingDouble(text));
}

double MyFunctions::StringToDouble(const std::string& text) const { return store::LeadingDouble(text); }

std::string MyFunctions::FloatToString(float value) const { return twoDecimals(value); }

std::string MyFunctions::DoubleToString(double value) const { return twoDecimals(value); }

std::string MyFunctions::SecondsToText(int seconds) const
{
    const long long s = seconds;
    const long long magnitude = s < 0 ? -s : s;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%lld:%02lld", s < 0 ? "-" : "", magnitude / 60, magnitude % 60);
    return buffer;
}

float MyFunctions::TimeTextToSeconds(const std::string& text) const
{
    const std::string last = text.size() >= 2 ? text.substr(text.size() - 2) : text;
    const std::string first = text.substr(0, 2);
    return static_cast<float>(store::LeadingInt(last) + 60 * store::LeadingInt(first));
}

std::string MyFunctions::ColorToHtml(unsigned long color) const
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", static_cast<unsigned>(color & 0xff),
                  static_cast<unsigned>((color >> 8) & 0xff), static_cast<unsigned>((color >> 16) & 0xff));
    return buffer;
}

std::string MyFunctions::HtmlSizeToPoints(const std::string& size) const
{
    static const char* const points[] = {"8", "10", "12", "14", "18", "24", "36"};
    if (size.size() == 1 && size[0] >= '1' && size[0] <= '7')
        return points[size[0] - '1'];
    return size;
}

std::string MyFunctions::CapitalizeWords(const std::string& text) const
{
    std::string s(1, ' ');
    s += win::ToLower(win::Trim(text));
    s = capitalizeAfter(s, ' ').substr(1);
    s = capitalizeAfter(s, '/');
    return capitalizeAfter(s, '-');
}

std::string MyFunctions::FirstWord(const std::string& text) const
{
    const size_t blank = text.find(' ');
    return blank == std::string::npos ? text : text.substr(0, blank);
}

std::string MyFunctions::RemoveText(const std::string& text, const std::string& part) const
{
    if (part.empty())
        return text;
    const size_t pos = text.find(part);
    if (pos == std::string::npos)
        return text;
    return text.substr(0, pos) + text.substr(pos + part.size());
}

std::string MyFunctions::MonthNumber(const std::string& monthName) const
{
    static const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    for (int i = 0; i < 12; ++i)
        if (monthName == months[i])
            return std::string(i < 9 ? "0" : "") + std::to_string(i + 1);
    return "00";
}

int MyFunctions::YearOfDate(const std::string& text) const { return store::LeadingInt(text.substr(0, 4)); }

int MyFunctions::MonthOfDate(const std::string& text) const
{
    return text.size() > 5 ? store::LeadingInt(text.substr(5, 2)) : 0;
}

int MyFunctions::LastTwoDigits(const std::string& text) const
{
    return store::LeadingInt(text.size() >= 2 ? text.substr(text.size() - 2) : text);
}

int MyFunctions::FirstTwoDigits(const std::string& text) const { return store::LeadingInt(text.substr(0, 2)); }

std::string MyFunctions::KeyName(int virtualKey) const
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return std::string(1, static_cast<char>(virtualKey));
    switch (virtualKey) {
    case 192: return "\xC3\x96"; // Ö
    case 221: return "\xC3\x85"; // Å
    case 222: return "\xC3\x84"; // Ä
    default: return "";
    }
}

std::string MyFunctions::FixUtf8Letters(const std::string& text) const
{
    // The program's own text is UTF-8 already; only a Windows-1252 list needs converting.
    return store::ToProgramText(text);
}

// ---------------------------------------------------------------- dates

std::string MyFunctions::NowText() const
{
    const std::tm tm = localNow();
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buffer;
}

std::string MyFunctions::TodayText() const { return NowText().substr(0, 10); }

// ---------------------------------------------------------------- dance levels

int MyFunctions::LevelFromText(const std::string& text) const
{
    const std::string lower = win::ToLower(text);
    for (int i = 0; i < 10; ++i)
        if (lower == kLevels[i].code || (kLevels[i].alias[0] && lower == kLevels[i].alias))
            return i + 1;
    return 0;
}

std::string MyFunctions::LevelDisplayName(int level) const
{
    return level >= 1 && level <= 10 ? kLevels[level - 1].name : "";
}

std::string MyFunctions::LevelCode(int level) const
{
    return level >= 1 && level <= 10 ? kLevels[level - 1].code : "";
}

// ---------------------------------------------------------------- random index and tags

int MyFunctions::RandomIndex(int n) const
{
    if (n < 1)
        return -1;
    CRandomRange range(0, n - 1);
    return range.Next();
}

std::string MyFunctions::FieldOf(const std::string& tagText, int n) const
{
    if (tagText.size() <= 29 || n < 1 || n > 9)
        return "";
    static const std::string separator = " -- ";
    std::string rest = tagText;
    std::string fields[10];
    for (int i = 1; i <= 8; ++i) {
        const size_t pos = rest.find(separator);
        if (pos == std::string::npos) {
            // Fewer fields than nine: the rest is this field and the later ones are empty.
            fields[i] = rest;
            rest.clear();
            continue;
        }
        fields[i] = rest.substr(0, pos);
        rest = rest.substr(pos + separator.size());
    }
    fields[9] = rest;
    return fields[n];
}
