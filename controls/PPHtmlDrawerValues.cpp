// Values of the markup (colours, lengths, keywords) and its small style-sheet
// language.
#include "controls/PPHtmlDrawer.h"

#include <cctype>
#include <cstdlib>
#include <initializer_list>

namespace {

bool IsAlnumDot(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.';
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The leading decimal integer (0 when there is none), kept within the bound.
long long LeadingInt(const std::string& s, size_t from = 0)
{
    long long n = 0;
    for (size_t i = from; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        n = std::min<long long>(n * 10 + (s[i] - '0'), 1LL << 40);
    return n;
}

struct Keyword {
    const char* word;
    int value;
};

// The value of a keyword of a style property; no value at all is the first
// keyword (the property's initial value), an unknown one keeps current.
int KeywordValue(const std::string& value, std::initializer_list<Keyword> keywords, int current)
{
    if (value.empty())
        return keywords.begin()->value;
    for (const Keyword& k : keywords)
        if (value == k.word)
            return k.value;
    return current;
}

// A whole value read with the C prefix rules (decimal, 0x hexadecimal, 0 octal).
unsigned long long CNumber(const std::string& s)
{
    return std::strtoull(s.c_str(), nullptr, 0);
}

} // namespace

const std::vector<std::pair<const char*, COLORREF>>& HtmlColorNames()
{
    static const std::vector<std::pair<const char*, COLORREF>> names = {
    {"aqua", RGB(0, 255, 255)}, {"black", RGB(0, 0, 0)}, {"blue", RGB(0, 0, 255)}, {"brown", RGB(165, 42, 42)},
    {"cyan", RGB(0, 255, 255)}, {"gold", RGB(255, 215, 0)}, {"gray", RGB(128, 128, 128)},
    {"green", RGB(0, 128, 0)}, {"magenta", RGB(255, 0, 255)}, {"maroon", RGB(128, 0, 0)}, {"navy", RGB(0, 0, 128)},
    {"olive", RGB(128, 128, 0)}, {"orange", RGB(255, 165, 0)}, {"pink", RGB(255, 192, 203)},
    {"purple", RGB(128, 0, 128)}, {"red", RGB(255, 0, 0)}, {"silver", RGB(192, 192, 192)},
    {"snow", RGB(255, 250, 250)}, {"violet", RGB(238, 130, 238)}, {"white", RGB(255, 255, 255)},
    {"yellow", RGB(255, 255, 0)}, {"aliceblue", RGB(240, 248, 255)}, {"antiquewhite", RGB(250, 235, 215)},
    {"aquamarine", RGB(127, 255, 212)}, {"azure", RGB(240, 255, 255)}, {"beige", RGB(245, 245, 220)},
    {"bisque", RGB(255, 228, 196)}, {"blanchedalmond", RGB(255, 235, 205)}, {"blueviolet", RGB(138, 43, 226)},
    {"burlywood", RGB(222, 184, 135)}, {"cadetblue", RGB(95, 158, 160)}, {"chartreuse", RGB(127, 255, 0)},
    {"chocolate", RGB(210, 105, 30)}, {"coral", RGB(255, 127, 80)}, {"cornflowerblue", RGB(100, 149, 237)},
    {"cornsilk", RGB(255, 248, 220)}, {"crimson", RGB(220, 20, 60)}, {"darkblue", RGB(0, 0, 139)},
    {"darkcyan", RGB(0, 139, 139)}, {"darkgoldenrod", RGB(184, 134, 11)}, {"darkgray", RGB(169, 169, 169)},
    {"darkgreen", RGB(0, 100, 0)}, {"darkkhaki", RGB(189, 183, 107)}, {"darkmagenta", RGB(139, 0, 139)},
    {"darkolivegreen", RGB(85, 107, 47)}, {"darkorange", RGB(255, 140, 0)}, {"darkorchid", RGB(153, 50, 204)},
    {"darkred", RGB(139, 0, 0)}, {"darksalmon", RGB(233, 150, 122)}, {"darkseagreen", RGB(143, 188, 139)},
    {"darkslateblue", RGB(72, 61, 139)}, {"darkslategray", RGB(47, 79, 79)}, {"darkturquoise", RGB(0, 206, 209)},
    {"darkviolet", RGB(148, 0, 211)}, {"deeppink", RGB(255, 20, 147)}, {"deepskyblue", RGB(0, 191, 255)},
    {"dimgray", RGB(105, 105, 105)}, {"dodgerblue", RGB(30, 144, 255)}, {"firebrick", RGB(178, 34, 34)},
    {"floralwhite", RGB(255, 250, 240)}, {"forestgreen", RGB(34, 139, 34)}, {"fuchsia", RGB(255, 0, 255)},
    {"gainsboro", RGB(220, 220, 220)}, {"ghostwhite", RGB(248, 248, 255)}, {"goldenrod", RGB(218, 165, 32)},
    {"greenyellow", RGB(173, 255, 47)}, {"honeydew", RGB(240, 255, 240)}, {"hotpink", RGB(255, 105, 180)},
    {"indianred", RGB(205, 92, 92)}, {"indigo", RGB(75, 0, 130)}, {"ivory", RGB(255, 255, 240)},
    {"khaki", RGB(240, 230, 140)}, {"lavender", RGB(230, 230, 250)}, {"lavenderblush", RGB(255, 240, 245)},
    {"lawngreen", RGB(124, 252, 0)}, {"lemonchiffon", RGB(255, 250, 205)}, {"lightblue", RGB(173, 216, 230)},
    {"lightcoral", RGB(240, 128, 128)}, {"lightcyan", RGB(224, 255, 255)},
    {"lightgoldenrodyellow", RGB(250, 250, 210)}, {"lightgreen", RGB(144, 238, 144)},
    {"lightgrey", RGB(211, 211, 211)}, {"lightpink", RGB(255, 182, 193)}, {"lightsalmon", RGB(255, 160, 122)},
    {"lightseagreen", RGB(32, 178, 170)}, {"lightskyblue", RGB(135, 206, 250)},
    {"lightslategray", RGB(119, 136, 153)}, {"lightsteelblue", RGB(176, 196, 222)},
    {"lightyellow", RGB(255, 255, 224)}, {"lime", RGB(0, 255, 0)}, {"limegreen", RGB(50, 205, 50)},
    {"linen", RGB(250, 240, 230)}, {"mediumaquamarine", RGB(102, 205, 170)}, {"mediumblue", RGB(0, 0, 205)},
    {"mediumorchid", RGB(186, 85, 211)}, {"mediumpurple", RGB(147, 112, 219)},
    {"mediumseagreen", RGB(60, 179, 113)}, {"mediumslateblue", RGB(123, 104, 238)},
    {"mediumspringgreen", RGB(0, 250, 154)}, {"mediumturquoise", RGB(72, 209, 204)},
    {"mediumvioletred", RGB(199, 21, 133)}, {"midnightblue", RGB(25, 25, 112)}, {"mintcream", RGB(245, 255, 250)},
    {"mistyrose", RGB(255, 228, 225)}, {"moccasin", RGB(255, 228, 181)}, {"navajowhite", RGB(255, 222, 173)},
    {"oldlace", RGB(253, 245, 230)}, {"olivedrab", RGB(107, 142, 35)}, {"orangered", RGB(255, 69, 0)},
    {"orchid", RGB(218, 112, 214)}, {"palegoldenrod", RGB(238, 232, 170)}, {"palegreen", RGB(152, 251, 152)},
    {"paleturquoise", RGB(175, 238, 238)}, {"palevioletred", RGB(219, 112, 147)},
    {"papayawhip", RGB(255, 239, 213)}, {"peachpuff", RGB(255, 218, 185)}, {"peru", RGB(205, 133, 63)},
    {"plum", RGB(221, 160, 221)}, {"powderblue", RGB(176, 224, 230)}, {"rosybrown", RGB(188, 143, 143)},
    {"royalblue", RGB(65, 105, 225)}, {"saddlebrown", RGB(139, 69, 19)}, {"salmon", RGB(250, 128, 114)},
    {"sandybrown", RGB(244, 164, 96)}, {"seagreen", RGB(46, 139, 87)}, {"seashell", RGB(255, 245, 238)},
    {"sienna", RGB(160, 82, 45)}, {"skyblue", RGB(135, 206, 235)}, {"slateblue", RGB(106, 90, 205)},
    {"slategray", RGB(112, 128, 144)}, {"springgreen", RGB(0, 255, 127)}, {"steelblue", RGB(70, 130, 180)},
    {"tan", RGB(210, 180, 140)}, {"teal", RGB(0, 128, 128)}, {"thistle", RGB(216, 191, 216)},
    {"tomato", RGB(255, 99, 71)}, {"turquoise", RGB(64, 224, 208)}, {"wheat", RGB(245, 222, 179)},
    {"whitesmoke", RGB(245, 245, 245)}, {"yellowgreen", RGB(154, 205, 50)},
    };
    return names;
}

void CPPHtmlDrawer::BuildTables()
{
    static const std::pair<const char*, HtmlTagEntry> tags[] = {
        {"b", {TAG_BOLD, "bold"}}, {"i", {TAG_ITALIC, "italic"}}, {"em", {TAG_ITALIC, "italic"}},
        {"u", {TAG_UNDERLINE, "underline"}}, {"s", {TAG_STRIKEOUT, "strikeout"}},
        {"strike", {TAG_STRIKEOUT, "strikeout"}}, {"font", {TAG_FONT, "font"}}, {"hr", {TAG_HLINE, ""}},
        {"br", {TAG_NEWLINE, ""}}, {"t", {TAG_TABULATION, ""}}, {"left", {TAG_LEFT, "left"}},
        {"center", {TAG_CENTER, "center"}}, {"right", {TAG_RIGHT, "right"}}, {"justify", {TAG_JUSTIFY, "justify"}},
        {"baseline", {TAG_BASELINE, "baseline"}}, {"top", {TAG_TOP, "top"}}, {"vcenter", {TAG_VCENTER, "vcenter"}},
        {"middle", {TAG_VCENTER, "vcenter"}}, {"bottom", {TAG_BOTTOM, "vcenter"}}, {"bmp", {TAG_BITMAP, ""}},
        {"icon", {TAG_ICON, ""}}, {"ilst", {TAG_IMAGELIST, ""}}, {"string", {TAG_STRING, ""}},
        {"body", {TAG_NEWSTYLE, "body"}}, {"h1", {TAG_NEWSTYLE, "h1"}}, {"h2", {TAG_NEWSTYLE, "h2"}},
        {"h3", {TAG_NEWSTYLE, "h3"}}, {"h4", {TAG_NEWSTYLE, "h4"}}, {"h5", {TAG_NEWSTYLE, "h5"}},
        {"h6", {TAG_NEWSTYLE, "h6"}}, {"code", {TAG_NEWSTYLE, "code"}}, {"pre", {TAG_NEWSTYLE, "pre"}},
        {"big", {TAG_NEWSTYLE, "big"}}, {"small", {TAG_NEWSTYLE, "small"}}, {"sub", {TAG_NEWSTYLE, "sub"}},
        {"sup", {TAG_NEWSTYLE, "sup"}}, {"span", {TAG_SPAN, "span"}}, {"a", {TAG_HYPERLINK, "link"}},
    };
    for (const auto& [name, entry] : tags)
        m_tags[name] = entry;
    for (const auto& [name, color] : HtmlColorNames())
        m_colors[name] = color;
    static const std::pair<const char*, int> system[] = {
        {"scrollbar", 0}, {"background", 1}, {"activecaption", 2}, {"inactivecaption", 3}, {"menu", 4},
        {"window", 5}, {"windowframe", 6}, {"menutext", 7}, {"windowtext", 8}, {"captiontext", 9},
        {"activeborder", 10}, {"inactiveborder", 11}, {"appworkspace", 12}, {"highlight", 13},
        {"highlighttext", 14}, {"buttonface", 15}, {"threedface", 15}, {"buttonshadow", 16},
        {"threedshadow", 16}, {"graytext", 17}, {"buttontext", 18}, {"inactivecaptiontext", 19},
        {"buttonhighlight", 20}, {"threedhighlight", 20}, {"threeddarkshadow", 21}, {"threedlightshadow", 22},
        {"infotext", 23}, {"infobackground", 24},
    };
    for (const auto& [name, index] : system)
        m_colors[name] = GetSysColor(index);
}

COLORREF CPPHtmlDrawer::ParseColor(const std::string& value, COLORREF current) const
{
    if (value.empty())
        return current;
    if (value[0] != '#') {
        if (std::isdigit(static_cast<unsigned char>(value[0])))
            return COLORREF(CNumber(value) & 0xFFFFFF);
        return GetColorByName(value, current);
    }
    if (value.size() != 7)
        return current;
    const std::string bgr = value.substr(5, 2) + value.substr(3, 2) + value.substr(1, 2);
    return COLORREF(std::strtoul(bgr.c_str(), nullptr, 16) & 0xFFFFFF);
}

COLORREF CPPHtmlDrawer::GetColorByName(const std::string& name, COLORREF def) const
{
    if (!m_enabled)
        return m_disabledColor;
    const auto it = m_colors.find(name);
    return it == m_colors.end() ? def : it->second;
}

int CPPHtmlDrawer::ParseLength(const std::string& raw, int current, bool htmlSize) const
{
    if (raw.empty())
        return current;
    // A sign is dropped: the rest counts as an absolute length.
    const std::string value = (raw[0] == '+' || raw[0] == '-') ? raw.substr(1) : raw;
    if (value.empty())
        return current;
    if (value.back() == '%')
        return Clamp(MulDiv(Clamp(current, kMaxLength), int(std::min<long long>(LeadingInt(value), kMaxRepeat * 100)),
                            100),
                     kMaxLength);
    const long long n = std::min<long long>(LeadingInt(value), kMaxLength);
    const std::string unit = value.size() >= 2 ? value.substr(value.size() - 2) : std::string();
    long long result = 0;
    if (unit == "px") {
        result = n;
    } else if (unit == "ex" || unit == "em") {
        int h = m_style.fontHeight;
        if (m_dc) {
            if (unit == "ex") {
                SIZE s = const_cast<CPPHtmlDrawer*>(this)->Extent("x");
                h = s.cy;
            } else {
                h = m_tm.tmHeight;
            }
        }
        result = n * h;
    } else if (unit == "in" || unit == "cm" || unit == "mm" || unit == "pt" || unit == "pc") {
        const long long m = n * (m_dc ? m_dc->GetDeviceCaps(LOGPIXELSY) : 96);
        if (unit == "in")
            result = m;
        else if (unit == "cm")
            result = (long long)(double(m) / 2.54);
        else if (unit == "mm")
            result = (long long)(double(m) / 25.4);
        else if (unit == "pt")
            result = m / 72;
        else
            result = m / 6;
    } else {
        const unsigned long long v = CNumber(value);
        result = (long long)std::min<unsigned long long>(v, kMaxLength);
        if (htmlSize && v >= 1 && v <= 7) {
            static const int sizes[] = {8, 10, 12, 14, 18, 24, 36};
            result = sizes[v - 1];
        }
    }
    return Clamp(result, kMaxLength);
}

int CPPHtmlDrawer::ParseFontStyle(const std::string& v, int current)
{
    return KeywordValue(v, {{"normal", 0}, {"italic", 1}, {"oblique", 1}}, current);
}

int CPPHtmlDrawer::ParseFontWeight(const std::string& v, int)
{
    const int weight = KeywordValue(v, {{"normal", 400}, {"bold", 700}, {"bolder", 900}, {"lighter", 100}}, -1);
    return weight >= 0 ? weight : int(std::min<long long>(LeadingInt(v), 1000));
}

int CPPHtmlDrawer::ParseHorzAlign(const std::string& v, int current)
{
    return KeywordValue(v, {{"left", 0}, {"center", 1}, {"right", 2}}, current);
}

int CPPHtmlDrawer::ParseVertAlign(const std::string& v, int current)
{
    return KeywordValue(v, {{"baseline", 3}, {"middle", 1}, {"vcenter", 1}, {"top", 0}, {"bottom", 2}}, current);
}

int CPPHtmlDrawer::ParseTextTransform(const std::string& v, int current)
{
    return KeywordValue(v, {{"none", 0}, {"uppercase", 1}, {"lowercase", 2}, {"capitalize", 3}}, current);
}

int CPPHtmlDrawer::ParseBorderStyle(const std::string& v, int current)
{
    return KeywordValue(v, {{"none", 0}, {"solid", 1}, {"dashed", 2}, {"dotted", 3}, {"double", 6}}, current);
}

int CPPHtmlDrawer::ParseBorderWidth(const std::string& v, int current) const
{
    if (v == "thin")
        return MulDiv(75, current, 100);
    if (v == "thick")
        return MulDiv(125, current, 100);
    if (v == "medium")
        return current;
    return ParseLength(v, current, false);
}

int CPPHtmlDrawer::ParseBackgroundEffect(const std::string& v, int current) const
{
    if (v.empty())
        return current;
    static const char* const effects[] = {"solid", "hgradient", "vgradient", "hcgradient", "vcgradient",
                                          "3hgradient", "3vgradient", "noise", "diagshade", "hshade", "vshade",
                                          "hbump", "vbump", "softbump", "hardbump", "metal"};
    if (v == "transparent")
        return -1;
    for (int i = 0; i < int(std::size(effects)); ++i)
        if (v == effects[i])
            return i;
    // A number beyond the known effects fills solid.
    const int n = ParseLength(v, current, false);
    return n < -1 || n > CPPDrawManager::EFFECT_METAL ? 0 : n;
}

void CPPHtmlDrawer::ParseTextDecoration(const std::string& value, HtmlStyle& style)
{
    const std::string v = value.empty() ? std::string("none") : value;
    size_t i = 0;
    while (i < v.size()) {
        while (i < v.size() && (v[i] == ' ' || v[i] == ','))
            ++i;
        size_t e = i;
        while (e < v.size() && v[e] != ' ' && v[e] != ',')
            ++e;
        const std::string word = v.substr(i, e - i);
        if (word == "none")
            style.underline = style.strikeout = style.overline = 0;
        else if (word == "underline")
            style.underline = 1;
        else if (word == "line-through")
            style.strikeout = 1;
        else if (word == "overline")
            style.overline = 1;
        i = e;
    }
}

CPPHtmlDrawer& CPPHtmlDrawer::SetCssStyles(const char* text)
{
    m_cssRules.clear();
    if (!text)
        return SetDefaultCssStyles();
    m_cssText = text;
    const std::string& s = m_cssText;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && !IsAlnumDot(s[i]))
            ++i;
        if (i >= s.size())
            break;
        size_t e = i;
        while (e < s.size() && s[e] != ' ' && s[e] != '{')
            ++e;
        if (e >= s.size())
            break;
        const std::string selector = s.substr(i, e - i);
        const size_t open = s.find('{', e);
        if (open == std::string::npos)
            break;
        const size_t close = s.find('}', open + 1);
        if (close == std::string::npos)
            break;
        if (!selector.empty() && close > open + 1)
            SetCssRule(Lower(selector), s.substr(open + 1, close - open - 1));
        i = close + 1;
    }
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetDefaultCssStyles()
{
    static const char* const rules[] = {
        "body {font-size: 10pt; color:black; font-family:Verdana}",
        "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
        "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}",
        "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
        "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}",
        "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
        "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
        "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}",
        "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}",
        "code {color:#990000; font-family:Arial}",
        "a:link {text-decoration:none; color:blue}",
        "a:hover {text-decoration:underline; color:blue}",
        "sub {font-size:65%; vertical-align:bottom}",
        "sup {font-size:65%; vertical-align:top}",
        "big {font-size:125%}",
        "small {font-size:75%}",
        ".cpp-comment {color:green; font-style:italic}",
    };
    std::string sheet;
    for (const char* r : rules)
        sheet += std::string(r) + "\r\n";
    return SetCssStyles(sheet.c_str());
}

void CPPHtmlDrawer::SetCssRule(const std::string& selector, const std::string& declarations)
{
    m_cssRules[selector] = declarations;
}

void CPPHtmlDrawer::ApplyCssRule(const std::string& selector, HtmlStyle& style) const
{
    const auto it = m_cssRules.find(Lower(selector));
    if (it != m_cssRules.end())
        ParseCssDeclarations(it->second, style);
}

void CPPHtmlDrawer::ParseCssDeclarations(const std::string& declarations, HtmlStyle& style) const
{
    const std::string s = Lower(declarations);
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && !IsAlnumDot(s[i]))
            ++i;
        if (i >= s.size())
            break;
        size_t e = i;
        while (e < s.size() && s[e] != ' ' && s[e] != ':')
            ++e;
        if (e >= s.size())
            break;
        const std::string property = s.substr(i, e - i);
        i = e;
        while (i < s.size() && s[i] == ' ')
            ++i;
        std::string value;
        if (i < s.size() && s[i] == ':') {
            ++i;
            while (i < s.size() && (s[i] == ' ' || s[i] == ';'))
                ++i;
            if (i < s.size() && s[i] == '"') {
                const size_t q = s.find('"', i + 1);
                if (q == std::string::npos) {
                    i = s.size();
                } else {
                    value = s.substr(i + 1, q - i - 1);
                    i = q + 1;
                }
            } else {
                const size_t end = std::min(s.find(';', i), s.size());
                value = s.substr(i, end - i);
                i = end;
            }
        }
        if (property == "font-size") {
            style.fontHeight = ParseLength(value, style.fontHeight, true);
        } else if (property == "font-family") {
            if (!value.empty())
                style.face = value;
        } else if (property == "font-style") {
            style.italic = ParseFontStyle(value, style.italic);
        } else if (property == "font-weight") {
            style.weight = ParseFontWeight(value, style.weight);
        } else if (property == "text-align") {
            style.hAlign = ParseHorzAlign(value, style.hAlign);
        } else if (property == "text-transform") {
            style.textTransform = ParseTextTransform(value, style.textTransform);
        } else if (property == "color") {
            style.textColor = m_enabled ? ParseColor(value, style.textColor) : m_disabledColor;
        } else if (property == "background-color") {
            if (value == "transparent" || value.empty() || !m_enabled) {
                style.bkMode = TRANSPARENT;
            } else {
                style.bkMode = OPAQUE;
                style.bkColor = ParseColor(value, style.bkColor);
            }
        } else if (property == "text-decoration") {
            ParseTextDecoration(value, style);
        } else if (property == "vertical-align") {
            style.vAlign = ParseVertAlign(value, style.vAlign);
        } else if (property == "border-color") {
            style.borderLight = m_enabled ? ParseColor(value, style.borderLight) : m_disabledColor;
            style.borderDark = style.borderLight;
        } else if (property == "border-width" || property == "size") {
            style.borderWidth = ParseBorderWidth(value, style.borderWidth);
            if (style.borderWidth == 0)
                style.borderStyle = 0;
            else if (style.borderStyle == 0)
                style.borderStyle = 1;
        } else if (property == "border-style") {
            style.borderStyle = ParseBorderStyle(value, style.borderStyle);
            if (style.borderStyle != 0 && style.borderWidth == 0)
                style.borderWidth = 1;
        } else if (property == "margin") {
            style.margin = ParseLength(value, style.margin, false);
        } else if (property == "padding") {
            style.spacing = ParseLength(value, style.spacing, false);
        }
    }
}
