#include "texts/SdOutput.h"

#include "store/TextReplace.h"

#include <cctype>
#include <utility>

namespace {

const std::pair<const char*, const char*> kRewrites[] = {
    {"3X3", "3 BY 3"},
    {"4X4", "4 BY 4"},
    {"3X1", "3 BY 1"},
    {"1X3", "1 BY 3"},
    {"3X2", "3 BY 2"},
    {"6X2", "6 BY 2"},
    {" AND ", " & "},
    {"AND CIRCLE", "& CIRCLE"},
    {"(1/2 PROMENADE)", ""},
    {"(1/4 PROMENADE)", ""},
    {"(3/4 PROMENADE)", ""},
    {"(3/8 PROMENADE)", ""},
    {"(7/8 PROMENADE)", ""},
    {"(5/8 PROMENADE)", ""},
    {"(1/8 PROMENADE)", ""},
    {"(AT HOME)", ""},
    {"(HOME)", ""},
    {"[", ""},
    {"]", ""},
    {"{ ", "("},
    {" }", ")"},
    {"TWO COUPLES ONLY", "HEADS"},
    {"SPIN THE WINDMILL, OUTSIDES", "SPIN THE WINDMILL -"},
    {",", ""},
    {"THREE QUARTER", "3/4"},
    {"QUARTER", "1/4"},
    {"AT HOME", "HOME"},
};

// The checker's remarks that the caller does not call; each becomes a line to drop.
const char* const kWarnings[] = {
    "  WARNING:  GENERALIZED BIGBLOCK/STAGGER -- PEOPLE ARE NOT",
    "   ON BLOCK SPOTS.",
    "  WARNING:  REAR BACK FROM THE HANDHOLD.",
    "  WARNING:  TAKE RIGHT HANDS.",
    "  WARNING:  NEW ENDS SHOULD OPT FOR SETUP PERPENDICULAR TO",
    "   THEIR ORIGINAL (CENTER) LINE.",
    "  WARNING:  DO YOUR PART.",
    "  WARNING:  IF IN DOUBT ASSUME A NORMAL HINGE.",
    "   THEIR ORIGINAL LINE.",
    "  WARNING:  CENTERS WORK IN TANDEM ENDS AS COUPLES.",
    "  WARNING:  CENTERS WORK AS COUPLES ENDS IN TANDEM.",
    "  WARNING:  THIS IS AN UNUSUAL SETUP FOR THIS CALL.",
    "  WARNING:  ENDS SHOULD OPT FOR SETUP PERPENDICULAR TO",
    "  WARNING:  COMPLETELY OFFSET PARALLELOGRAM.",
    "  WARNING:  ENDS SHOULD OPT FOR SETUP PARALLEL TO THEIR",
    "   ORIGINAL LINE -- CONCENTRIC RULE DOES NOT APPLY.",
    "  WARNING:  SOME PEOPLE STEP TO A WAVE.",
    "  WARNING:  BIGBLOCK/STAGGER SHAPECHANGER -- GO TO",
    "  FOOTPRINTS.",
    "   FOOTPRINTS.",
    "  WARNING:  CHECK A 'C1 PHANTOM' SETUP.",
    "  WARNING:  SOME PEOPLE REAR BACK.",
    "  WARNING:  IF IN DOUBT ASSUME A NORMAL CAST.",
    "  WARNING:  THIS MAY BE CONTROVERSIAL.",
    "  WARNING:  EACH 2X2.",
    "  WARNING:  GO BACK TO 'O' SPOTS.",
    "  WARNING:  ASSUME A STARTING DPT.",
    "  WARNING:  EACH 1X2.",
    "  WARNING:  THE SETUPS DID NOT INTERACT WITH EACH OTHER.",
    "  WARNING:  USE OF THIS MODIFIER ON THIS CALL IS NOT",
    "  WARNING:  THIS USE OF PHANTOM SETUPS SEEMS SUPERFLUOUS.",
    "   ALLOWED AT THIS LEVEL.",
};

constexpr const char* kDeleteLine = "DELETELINE";

std::string upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The lines of a text broken at "\n" (a "\r" before it goes with the trailing blanks),
// and one empty line past the last, as the text view reads them.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(store::TrimRight(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    lines.emplace_back();
    return lines;
}

} // namespace

namespace sdoutput {

bool IsHeaderLine(const std::string& line)
{
    static const char* const kDays[] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};
    const std::string start = upper(store::TrimRight(line)).substr(0, 3);
    for (const char* day : kDays)
        if (start == day)
            return true;
    return false;
}

std::string WithoutHeaders(const std::vector<std::string>& lines)
{
    std::string text;
    bool dropNext = false;
    bool skip = false;
    for (const std::string& raw : lines) {
        const std::string line = upper(store::TrimRight(raw));
        if (dropNext) {
            dropNext = false;
            skip = true;
        }
        if (IsHeaderLine(line))
            dropNext = skip = true;
        if (!skip)
            text += line + "\r\n";
        skip = false;
    }
    return text;
}

std::string Format(const std::string& input)
{
    std::string text = upper(input);
    for (const auto& [from, to] : kRewrites)
        text = store::ReplaceAll(text, from, to);
    for (const char* warning : kWarnings)
        text = store::ReplaceAll(text, warning, kDeleteLine);
    text = store::ReplaceAll(text, std::string(" ") + kDeleteLine, kDeleteLine);

    // Joins and spelled-out circulates; the result begins with a line break.
    std::string joined;
    for (const std::string& line : linesOf(text)) {
        if (line == kDeleteLine)
            continue;
        if (line == "SPREAD" || line == "ROLL")
            joined += " & " + line;
        else if (line == "CIRCULATE 1-1/2" || line == "CIRCULATE")
            joined += "\r\nALL 8 " + line;
        else
            joined += "\r\n" + line;
    }

    // Empty lines: none at the start or the end, runs between text lines cut to one.
    const std::vector<std::string> lines = linesOf(joined);
    std::string result;
    int pending = 0;
    bool seen = false;
    bool first = true;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) {
            if (seen)
                ++pending;
            continue;
        }
        seen = true;
        if (pending != 0)
            result += "\r\n";
        if (!first)
            result += "\r\n";
        first = false;
        result += line;
        pending = 0;
    }
    return result;
}

} // namespace sdoutput
