#include "platform/audio/TagTemplate.h"

#include <cstring>
#include <vector>

namespace audio {

namespace {

// UTF-8 decoding that passes bytes of broken sequences through one by one.
std::vector<char32_t> decode(const std::string& s)
{
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = len > 0 && i + size_t(len) <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + size_t(k)]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(0xDC00 + b);  // kept apart, written back as the byte itself
            ++i;
            continue;
        }
        out.push_back(cp);
        i += size_t(len);
    }
    return out;
}

std::string encode(const std::vector<char32_t>& cps)
{
    std::string s;
    for (char32_t cp : cps) {
        if (cp >= 0xDC80 && cp <= 0xDCFF) {
            s += char(cp - 0xDC00);
        } else if (cp < 0x80) {
            s += char(cp);
        } else if (cp < 0x800) {
            s += char(0xC0 | (cp >> 6));
            s += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            s += char(0xE0 | (cp >> 12));
            s += char(0x80 | ((cp >> 6) & 0x3F));
            s += char(0x80 | (cp & 0x3F));
        } else {
            s += char(0xF0 | (cp >> 18));
            s += char(0x80 | ((cp >> 12) & 0x3F));
            s += char(0x80 | ((cp >> 6) & 0x3F));
            s += char(0x80 | (cp & 0x3F));
        }
    }
    return s;
}

// Case pairs of Latin-1 and Latin Extended-A, which covers the languages of
// the song titles the program meets; other scripts keep their case.
bool pairedEvenUpper(char32_t cp)
{
    return (cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
}
bool pairedOddUpper(char32_t cp)
{
    return (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
}

char32_t toUpper(char32_t cp)
{
    if ((cp >= 'a' && cp <= 'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7))
        return cp - 0x20;
    if (cp == 0xFF)
        return 0x178;
    if (pairedEvenUpper(cp) && (cp & 1))
        return cp - 1;
    if (pairedOddUpper(cp) && !(cp & 1))
        return cp - 1;
    return cp;
}

char32_t toLower(char32_t cp)
{
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))
        return cp + 0x20;
    if (cp == 0x178)
        return 0xFF;
    if (pairedEvenUpper(cp) && !(cp & 1))
        return cp + 1;
    if (pairedOddUpper(cp) && (cp & 1))
        return cp + 1;
    return cp;
}

// Letters and digits continue a word, and so does an apostrophe ("Don't").
bool continuesWord(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') || cp == '\'';
    if (cp == 0x2019)
        return true;
    if (cp <= 0xBF)
        return cp == 0xAA || cp == 0xB5 || cp == 0xBA;
    if (cp == 0xD7 || cp == 0xF7 || (cp >= 0x2000 && cp <= 0x206F) || (cp >= 0xDC80 && cp <= 0xDCFF))
        return false;
    return true;
}

bool isFunction(const std::string& code)
{
    return code == "IFV1" || code == "IFV2" || code == "ITRM" || code == "ICAP";
}

class Expander {
public:
    Expander(const std::string& fmt, const TagTemplate::Lookup& tags) : m_s(fmt), m_tags(tags) {}

    // Text up to the end, or, inside a function's arguments, up to the ","
    // or ")" that ends this argument.
    std::string sequence(bool inArgs)
    {
        std::string out;
        while (m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (inArgs && (c == ',' || c == ')'))
                break;
            if (c != '%') {
                out += c;
                ++m_i;
                continue;
            }
            if (m_i + 1 < m_s.size() && std::strchr("%(),", m_s[m_i + 1])) {
                out += m_s[m_i + 1];
                m_i += 2;
                continue;
            }
            const std::string code = m_s.substr(m_i + 1, 4);
            std::string value;
            if (code.size() == 4 && isFunction(code) && m_i + 5 < m_s.size() && m_s[m_i + 5] == '(') {
                m_i += 6;
                out += apply(code, arguments());
            } else if (code.size() == 4 && m_tags(code, value)) {
                out += value;
                m_i += 5;
            } else {
                out += c;
                ++m_i;
            }
        }
        return out;
    }

private:
    std::vector<std::string> arguments()
    {
        std::vector<std::string> args;
        for (;;) {
            args.push_back(sequence(true));
            if (m_i >= m_s.size())
                break;  // no closing bracket: what was there counts
            if (m_s[m_i++] == ')')
                break;
        }
        return args;
    }

    static std::string apply(const std::string& code, const std::vector<std::string>& args)
    {
        auto arg = [&](size_t n) { return n < args.size() ? args[n] : std::string(); };
        if (code == "IFV1")
            return arg(0).empty() ? std::string() : arg(1);
        if (code == "IFV2")
            return arg(0).empty() ? arg(2) : arg(1);
        if (code == "ITRM")
            return TagTemplate::trim(arg(0));
        return TagTemplate::capitalise(arg(0));
    }

    const std::string& m_s;
    const TagTemplate::Lookup& m_tags;
    size_t m_i = 0;
};

} // namespace

std::string TagTemplate::expand(const std::string& fmt, const Lookup& tags)
{
    return Expander(fmt, tags).sequence(false);
}

std::string TagTemplate::trim(const std::string& s)
{
    const char* blanks = " \t\r\n";
    const size_t from = s.find_first_not_of(blanks);
    if (from == std::string::npos)
        return {};
    return s.substr(from, s.find_last_not_of(blanks) - from + 1);
}

std::string TagTemplate::capitalise(const std::string& s)
{
    std::vector<char32_t> cps = decode(s);
    bool inWord = false;
    for (char32_t& cp : cps) {
        const char32_t up = toUpper(cp);
        cp = inWord ? toLower(cp) : up;
        inWord = continuesWord(cp);
    }
    return encode(cps);
}

} // namespace audio
