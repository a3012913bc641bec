#include "controls/DateText.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

struct Token {
    enum Kind { Number, Word, Separator } kind;
    std::string text;
    long value = 0; // of a number
    int digits = 0; // of a number
};

std::vector<Token> tokenize(const std::string& s, bool& ok)
{
    std::vector<Token> out;
    ok = true;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        if (std::isdigit(c)) {
            size_t j = i;
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                ++j;
            if (j - i > 9) {
                ok = false;
                return out;
            }
            out.push_back({Token::Number, s.substr(i, j - i), std::strtol(s.substr(i, j - i).c_str(), nullptr, 10),
                           int(j - i)});
            i = j;
        } else if (std::isalpha(c)) {
            size_t j = i;
            while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j])))
                ++j;
            std::string w;
            for (size_t k = i; k < j; ++k)
                w += char(std::tolower(static_cast<unsigned char>(s[k])));
            out.push_back({Token::Word, w});
            i = j;
        } else if (c == '/' || c == '-' || c == '.' || c == ':' || c == ',') {
            out.push_back({Token::Separator, std::string(1, char(c))});
            ++i;
        } else {
            ok = false;
            return out;
        }
    }
    return out;
}

int monthOf(const std::string& word)
{
    static const std::array<const char*, 12> names = {"january", "february", "march",     "april",   "may",      "june",
                                                      "july",    "august",   "september", "october", "november", "december"};
    if (word.size() < 3)
        return 0;
    for (size_t m = 0; m < names.size(); ++m) {
        const std::string full = names[m];
        if (word == full || word == full.substr(0, 3) || (m == 8 && word == "sept"))
            return int(m) + 1;
    }
    return 0;
}

bool leapYear(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool validDate(long y, long m, long d)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    return d <= days[m - 1] + ((m == 2 && leapYear(y)) ? 1 : 0);
}

long fullYear(const Token& t) { return t.digits <= 2 ? (t.value < 30 ? 2000 + t.value : 1900 + t.value) : t.value; }

// Days from 1970-01-01 (proleptic Gregorian calendar).
long daysFromCivil(long y, long m, long d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

class Reader {
public:
    explicit Reader(const std::vector<Token>& t) : m_t(t) {}
    bool done() const { return m_i >= m_t.size(); }
    const Token* peek(size_t ahead = 0) const { return m_i + ahead < m_t.size() ? &m_t[m_i + ahead] : nullptr; }
    bool isNumber(size_t ahead = 0) const { return peek(ahead) && peek(ahead)->kind == Token::Number; }
    bool isSep(const char* s, size_t ahead = 0) const
    {
        return peek(ahead) && peek(ahead)->kind == Token::Separator && peek(ahead)->text == s;
    }
    bool isMonthWord(size_t ahead = 0) const
    {
        return peek(ahead) && peek(ahead)->kind == Token::Word && monthOf(peek(ahead)->text) > 0;
    }
    void skip(size_t n = 1) { m_i += n; }
    size_t pos() const { return m_i; }
    void reset(size_t p) { m_i = p; }

    // A date in one of the numeric or month-name forms; true with the day's number.
    bool date(long& days)
    {
        long y = 0, m = 0, d = 0;
        if (isNumber() && peek(1) && peek(1)->kind == Token::Separator && peek(1)->text != ":" &&
            peek(1)->text != "," && isNumber(2) && isSep(peek(1)->text.c_str(), 3) && isNumber(4)) {
            const Token &a = *peek(), &b = *peek(2), &c = *peek(4);
            const std::string sep = peek(1)->text;
            if (a.digits == 4) {
                y = a.value, m = b.value, d = c.value;
            } else if (sep == ".") {
                d = a.value, m = b.value, y = fullYear(c);
            } else {
                m = a.value, d = b.value, y = fullYear(c);
            }
            skip(5);
        } else if (isMonthWord() && isNumber(1)) { // Mar 5, 2024
            m = monthOf(peek()->text);
            d = peek(1)->value;
            skip(2);
            if (isSep(","))
                skip();
            if (!isNumber())
                return false;
            y = fullYear(*peek());
            skip();
        } else if (isNumber() && (isMonthWord(1) || ((isSep("-", 1) || isSep(".", 1)) && isMonthWord(2)))) {
            d = peek()->value; // 5 March 2024, 5-Mar-2024
            skip(isMonthWord(1) ? 1 : 2);
            m = monthOf(peek()->text);
            skip();
            if (isSep("-") || isSep(".") || isSep(","))
                skip();
            if (!isNumber())
                return false;
            y = fullYear(*peek());
            skip();
        } else {
            return false;
        }
        if (!validDate(y, m, d))
            return false;
        days = daysFromCivil(y, m, d) - daysFromCivil(1899, 12, 30);
        return true;
    }

    // A time of day: h:mm[:ss[.fraction]] [am|pm], or h am|pm.
    bool time(double& seconds)
    {
        if (!isNumber())
            return false;
        long h = peek()->value, mi = 0;
        double s = 0;
        skip();
        bool clock = false;
        if (isSep(":") && isNumber(1)) {
            mi = peek(1)->value;
            skip(2);
            clock = true;
            if (isSep(":") && isNumber(1)) {
                s = double(peek(1)->value);
                skip(2);
                if (isSep(".") && isNumber(1)) {
                    s += std::strtod(("0." + peek(1)->text).c_str(), nullptr);
                    skip(2);
                }
            }
        }
        const Token* w = peek();
        const bool am = w && w->kind == Token::Word && (w->text == "am" || w->text == "a");
        const bool pm = w && w->kind == Token::Word && (w->text == "pm" || w->text == "p");
        if (am || pm) {
            if (h < 1 || h > 12)
                return false;
            h = (h % 12) + (pm ? 12 : 0);
            skip();
        } else if (!clock) {
            return false;
        }
        if (h > 23 || mi > 59 || s >= 60)
            return false;
        seconds = double(h * 3600 + mi * 60) + s;
        return true;
    }

private:
    const std::vector<Token>& m_t;
    size_t m_i = 0;
};

} // namespace

bool ParseDateTimeText(const std::string& text, double& serial)
{
    bool ok = false;
    const std::vector<Token> tokens = tokenize(text, ok);
    if (!ok || tokens.empty())
        return false;
    Reader r(tokens);
    long days = 0;
    double seconds = 0;
    const bool hasDate = r.date(days);
    if (!hasDate)
        r.reset(0);
    const size_t beforeTime = r.pos();
    const bool hasTime = !r.done() && r.time(seconds);
    if (!hasTime)
        r.reset(beforeTime);
    if ((!hasDate && !hasTime) || !r.done())
        return false;
    serial = double(days) + seconds / 86400.0;
    return true;
}
