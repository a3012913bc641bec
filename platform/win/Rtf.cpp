#include "platform/win/Rtf.h"
#include "platform/win/UnicodeText.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace win::rtf {
namespace {

// Limits that keep hostile files cheap: groups deeper than this are read with
// the deepest kept state, tables stop growing, names are cut.
constexpr size_t kMaxDepth = 512;
constexpr size_t kMaxTableEntries = 4096;
constexpr size_t kMaxNameBytes = 256;
constexpr size_t kMaxWordLetters = 32;
constexpr long kMaxParam = 1000000000L;

// Windows-1252 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// Next code point of UTF-8 text; a byte that starts no valid sequence counts as U+FFFD.
char32_t nextUtf8(std::string_view s, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    const int len = (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + size_t(len) > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b0 & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + size_t(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += size_t(len);
    return cp;
}

enum class Dest { Text, Skip, FontTable, ColorTable };

struct State {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int font = -1;   // font table number, -1: the document's default
    int size = 0;    // half points, 0: the control's
    int color = 0;   // colour table index, 0: automatic
    int ucSkip = 1;  // characters after \u that stand in for it
    Dest dest = Dest::Text;
};

struct Color {
    int red = 0, green = 0, blue = 0;
    bool set = false;
};

class Reader {
public:
    explicit Reader(std::string_view data) : m_in(data) { m_doc.paragraphs.emplace_back(); }

    Document Parse()
    {
        m_stack.push_back(State{});
        while (m_pos < m_in.size() && !m_done) {
            const char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
            } else if (c == '\\') {
                ++m_pos;
                control();
            } else {
                ++m_pos;
                if (c == '\r' || c == '\n')
                    continue;
                byteChar(static_cast<unsigned char>(c));
            }
        }
        return std::move(m_doc);
    }

private:
    State& st() { return m_stack.back(); }

    void openGroup()
    {
        m_pendingSkip = 0;
        if (m_stack.size() >= kMaxDepth) {
            ++m_overflow;
            return;
        }
        if (m_stack.size() == 1)
            m_sawRoot = true;
        m_stack.push_back(m_stack.back());
    }

    void closeGroup()
    {
        m_pendingSkip = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.size() <= 1)
            return; // a stray closing brace
        const Dest closing = st().dest;
        m_stack.pop_back();
        if (closing == Dest::FontTable && st().dest != Dest::FontTable)
            finishFontEntry();
        if (m_stack.size() == 1 && m_sawRoot)
            m_done = true; // the document's outermost group ends the file
    }

    bool readHexDigit(int& v)
    {
        if (m_pos >= m_in.size())
            return false;
        const char c = m_in[m_pos];
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            return false;
        ++m_pos;
        return true;
    }

    void control()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            symbol(c);
            return;
        }
        std::string word;
        while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos]))) {
            if (word.size() < kMaxWordLetters)
                word += m_in[m_pos];
            ++m_pos;
        }
        bool hasParam = false;
        bool negative = false;
        long param = 0;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && m_in[m_pos] >= '0' && m_in[m_pos] <= '9') {
            hasParam = true;
            if (param < kMaxParam)
                param = param * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        param = std::min(param, kMaxParam);
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        controlWord(word, hasParam, param);
    }

    void symbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textChar(char32_t(c));
            break;
        case '\'': {
            int hi = 0, lo = 0;
            if (readHexDigit(hi) && readHexDigit(lo))
                byteChar(static_cast<unsigned char>(hi * 16 + lo));
            break;
        }
        case '~':
            textChar(0xA0);
            break;
        case '_':
            textChar(0x2011);
            break;
        case '*':
            if (m_overflow == 0)
                st().dest = Dest::Skip; // a destination we may not know: skip it whole
            break;
        case '\r':
        case '\n':
            paragraphBreak();
            break;
        default:
            break; // \- and other symbols carry nothing we show
        }
    }

    void controlWord(const std::string& w, bool hasParam, long param)
    {
        m_pendingSkip = 0;
        const bool on = !hasParam || param != 0;
        State& s = st();
        if (w == "bin") {
            // Binary data: skip exactly that many bytes, never past the end.
            const size_t n = param > 0 ? size_t(param) : 0;
            m_pos += std::min(n, m_in.size() - m_pos);
            return;
        }
        if (w == "fonttbl") {
            s.dest = Dest::FontTable;
            return;
        }
        if (w == "colortbl") {
            s.dest = Dest::ColorTable;
            m_colors.clear();
            return;
        }
        if (isSkippedDestination(w)) {
            s.dest = Dest::Skip;
            return;
        }
        if (s.dest == Dest::FontTable) {
            if (w == "f") {
                finishFontEntry();
                m_fontNumber = int(param);
                m_inFontEntry = true;
            }
            return;
        }
        if (s.dest == Dest::ColorTable) {
            const int v = int(std::clamp(param, 0L, 255L));
            if (w == "red")
                m_color.red = v, m_color.set = true;
            else if (w == "green")
                m_color.green = v, m_color.set = true;
            else if (w == "blue")
                m_color.blue = v, m_color.set = true;
            return;
        }
        if (s.dest == Dest::Skip)
            return;

        if (w == "par" || w == "sect" || w == "page" || w == "row") {
            paragraphBreak();
        } else if (w == "line") {
            textChar('\n');
        } else if (w == "tab" || w == "cell") {
            textChar('\t');
        } else if (w == "b") {
            s.bold = on;
        } else if (w == "i") {
            s.italic = on;
        } else if (w == "ul" || w == "uld" || w == "uldb" || w == "uldash" || w == "ulw" ||
                   w == "ulth" || w == "ulwave") {
            s.underline = on;
        } else if (w == "ulnone") {
            s.underline = false;
        } else if (w == "plain") {
            s.bold = s.italic = s.underline = false;
            s.font = -1;
            s.size = 0;
            s.color = 0;
        } else if (w == "f") {
            s.font = int(param);
        } else if (w == "fs") {
            s.size = int(std::clamp(param, 0L, 3276L));
        } else if (w == "cf") {
            s.color = int(std::max(param, 0L));
        } else if (w == "deff") {
            m_defaultFont = int(param);
        } else if (w == "uc") {
            s.ucSkip = int(std::clamp(param, 0L, 16L));
        } else if (w == "u") {
            long v = param;
            if (v < 0)
                v += 65536;
            unicodeChar(char32_t(std::clamp(v, 0L, 0xFFFFL)));
            m_pendingSkip = s.ucSkip;
        } else if (w == "emdash") {
            textChar(0x2014);
        } else if (w == "endash") {
            textChar(0x2013);
        } else if (w == "bullet") {
            textChar(0x2022);
        } else if (w == "lquote") {
            textChar(0x2018);
        } else if (w == "rquote") {
            textChar(0x2019);
        } else if (w == "ldblquote") {
            textChar(0x201C);
        } else if (w == "rdblquote") {
            textChar(0x201D);
        }
    }

    static bool isSkippedDestination(const std::string& w)
    {
        static const char* const kSkipped[] = {
            "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
            "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "listtable",
            "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata",
            "colorschememapping", "datastore", "latentstyles", "filetbl", "pntext", "listtext",
            "nonshppict", "shp", "shpinst", "author", "operator", "title", "subject", "keywords",
            "comment", "doccomm", "company", "bkmkstart", "bkmkend", "annotation", "atnid",
            "atnauthor", "pgdsctbl", "mmathPr"};
        return std::any_of(std::begin(kSkipped), std::end(kSkipped),
                           [&](const char* s) { return w == s; });
    }

    void finishFontEntry()
    {
        if (m_inFontEntry && m_fonts.size() < kMaxTableEntries) {
            std::string name = m_fontName;
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            while (!name.empty() && name.front() == ' ')
                name.erase(name.begin());
            m_fonts[m_fontNumber] = name;
        }
        m_inFontEntry = false;
        m_fontName.clear();
    }

    void byteChar(unsigned char b)
    {
        if (b < 0x20 && b != '\t')
            return;
        textChar(b == '\t' ? char32_t('\t') : FromCp1252(b));
    }

    void unicodeChar(char32_t cp)
    {
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            m_highSurrogate = cp;
            return;
        }
        if (cp >= 0xDC00 && cp <= 0xDFFF && m_highSurrogate) {
            const char32_t full = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (cp - 0xDC00);
            m_highSurrogate = 0;
            textChar(full, true);
            return;
        }
        textChar(cp, true);
    }

    void textChar(char32_t cp, bool fromUnicode = false)
    {
        if (!fromUnicode) {
            if (m_pendingSkip > 0) {
                --m_pendingSkip; // the stand-in for the \u character just read
                return;
            }
            m_highSurrogate = 0;
        }
        if (cp < 0x20 && cp != '\t' && cp != '\n')
            return;
        State& s = st();
        switch (s.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            if (cp == ';')
                finishFontEntry();
            else if (m_inFontEntry && m_fontName.size() < kMaxNameBytes)
                win::AppendUtf8(m_fontName, cp);
            return;
        case Dest::ColorTable:
            if (cp == ';' && m_colors.size() < kMaxTableEntries) {
                m_colors.push_back(m_color);
                m_color = Color{};
            }
            return;
        case Dest::Text:
            break;
        }
        CharFormat f;
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        const int font = s.font >= 0 ? s.font : m_defaultFont;
        if (auto it = m_fonts.find(font); it != m_fonts.end())
            f.face = it->second;
        f.halfPoints = s.size;
        if (s.color > 0 && size_t(s.color) < m_colors.size() && m_colors[size_t(s.color)].set) {
            const Color& c = m_colors[size_t(s.color)];
            f.hasColor = true;
            f.color = uint32_t(c.red) | (uint32_t(c.green) << 8) | (uint32_t(c.blue) << 16);
        }
        auto& runs = m_doc.paragraphs.back().runs;
        if (runs.empty() || !(runs.back().format == f))
            runs.push_back(Run{{}, f});
        win::AppendUtf8(runs.back().text, cp);
    }

    void paragraphBreak()
    {
        if (st().dest != Dest::Text)
            return;
        m_doc.paragraphs.emplace_back();
    }

    std::string_view m_in;
    size_t m_pos = 0;
    bool m_done = false;
    bool m_sawRoot = false;
    std::vector<State> m_stack;
    size_t m_overflow = 0;
    int m_pendingSkip = 0;
    char32_t m_highSurrogate = 0;
    int m_defaultFont = -1;
    std::map<int, std::string> m_fonts;
    int m_fontNumber = 0;
    bool m_inFontEntry = false;
    std::string m_fontName;
    std::vector<Color> m_colors;
    Color m_color;
    Document m_doc;
};

std::string cleanFaceName(const std::string& face)
{
    std::string out;
    for (char c : face)
        if (c != ';' && c != '{' && c != '}' && c != '\\' && static_cast<unsigned char>(c) >= 0x20)
            out += c;
    return out;
}

void writeText(std::string& out, const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = nextUtf8(text, i);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += char(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp == '\n') {
            out += "\\line ";
        } else if (cp < 0x20) {
            continue;
        } else if (cp < 0x80) {
            out += char(cp);
        } else {
            // Characters outside ASCII as \u with '?' for readers without Unicode;
            // those beyond the 16-bit range as a surrogate pair.
            auto unit = [&out](unsigned u) {
                out += "\\u" + std::to_string(int(int16_t(uint16_t(u)))) + "?";
            };
            if (cp >= 0x10000) {
                const char32_t v = cp - 0x10000;
                unit(0xD800 + (v >> 10));
                unit(0xDC00 + (v & 0x3FF));
            } else {
                unit(cp);
            }
        }
    }
}

} // namespace

char32_t FromCp1252(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0)
        return kCp1252High[c - 0x80];
    return c;
}

std::string Document::PlainText() const
{
    std::string out;
    for (size_t p = 0; p < paragraphs.size(); ++p) {
        if (p)
            out += '\n';
        for (const auto& r : paragraphs[p].runs)
            out += r.text;
    }
    return out;
}

bool LooksLikeRtf(std::string_view data)
{
    return data.substr(0, 5) == "{\\rtf";
}

Document Read(std::string_view data)
{
    return Reader(data).Parse();
}

std::string Write(const Document& doc)
{
    std::vector<std::string> faces;
    std::vector<uint32_t> colors;
    for (const auto& p : doc.paragraphs)
        for (const auto& r : p.runs) {
            const std::string face = cleanFaceName(r.format.face);
            if (!face.empty() && std::find(faces.begin(), faces.end(), face) == faces.end())
                faces.push_back(face);
            if (r.format.hasColor &&
                std::find(colors.begin(), colors.end(), r.format.color) == colors.end())
                colors.push_back(r.format.color);
        }

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\uc1";
    if (!faces.empty()) {
        out += "{\\fonttbl";
        for (size_t i = 0; i < faces.size(); ++i)
            out += "{\\f" + std::to_string(i) + " " + faces[i] + ";}";
        out += "}";
    }
    if (!colors.empty()) {
        out += "{\\colortbl ;";
        for (uint32_t c : colors)
            out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
                   "\\blue" + std::to_string((c >> 16) & 0xFF) + ";";
        out += "}";
    }
    out += "\r\n";
    for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
        if (p)
            out += "\\par\r\n";
        for (const auto& r : doc.paragraphs[p].runs) {
            if (r.text.empty())
                continue;
            std::string words;
            const CharFormat& f = r.format;
            if (f.bold)
                words += "\\b";
            if (f.italic)
                words += "\\i";
            if (f.underline)
                words += "\\ul";
            const std::string face = cleanFaceName(f.face);
            if (!face.empty())
                words += "\\f" +
                         std::to_string(std::find(faces.begin(), faces.end(), face) - faces.begin());
            if (f.halfPoints > 0)
                words += "\\fs" + std::to_string(f.halfPoints);
            if (f.hasColor)
                words += "\\cf" + std::to_string(std::find(colors.begin(), colors.end(), f.color) -
                                                 colors.begin() + 1);
            out += "{";
            if (!words.empty())
                out += words + " ";
            writeText(out, r.text);
            out += "}";
        }
    }
    out += "}\r\n";
    return out;
}

} // namespace win::rtf
