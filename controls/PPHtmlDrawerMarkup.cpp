// The markup: entities, runs and tags, attributes, the tag table's effects and
// the style stack.
#include "controls/PPHtmlDrawer.h"

#include <cctype>

namespace {

void ReplaceAll(std::string& s, const std::string& from, const std::string& to)
{
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    for (size_t j; (j = s.find(from, i)) != std::string::npos; i = j + from.size())
        out.append(s, i, j - i).append(to);
    out.append(s, i, std::string::npos);
    s.swap(out);
}

bool IsAlnumDot(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.';
}

} // namespace

std::string CPPHtmlDrawer::PrepareText(const std::string& text) const
{
    // Sorted by name; each a plain replace-all, so "&amp;lt;" ends as "<<" (one "<").
    // The replacements are the characters themselves in UTF-8.
    static const std::pair<const char*, const char*> entities[] = {
        {"&amp;", "&"},       {"&bull;", "\u2022"},   {"&copy;", "\u00A9"}, {"&euro;", "\u20AC"},
        {"&gt;", ">"},        {"&iquest;", "\u00BF"}, {"&lt;", "<<"},       {"&nbsp;", " "},
        {"&para;", "\u00B6"}, {"&pound;", "\u00A3"},  {"&quot;", "\""},     {"&reg;", "\u00AE"},
        {"&trade;", "\u2122"},
    };
    std::string s = text;
    if (s.find('&') != std::string::npos)
        for (const auto& [entity, replacement] : entities)
            ReplaceAll(s, entity, replacement);
    ReplaceAll(s, "\r", "");
    ReplaceAll(s, "\n", m_lineBreakConversion ? "<br>" : "");
    ReplaceAll(s, "\t", m_lineBreakConversion ? "<t>" : "");
    return s;
}

std::string CPPHtmlDrawer::GetNextTag(const std::string& text, size_t& pos, std::string& tag)
{
    tag.clear();
    if (pos >= text.size()) {
        pos = text.size();
        return {};
    }
    const size_t lt = text.find('<', pos);
    if (lt == std::string::npos) {
        std::string run = text.substr(pos);
        pos = text.size();
        return run;
    }
    std::string run = text.substr(pos, lt - pos);
    if (lt + 1 >= text.size() || text[lt + 1] == '<') {
        run += '<';
        pos = std::min(lt + 2, text.size());
        return run;
    }
    const size_t gt = text.find('>', lt + 1);
    if (gt == std::string::npos || gt == lt + 1) {
        pos = lt + 1;
        return run;
    }
    tag = text.substr(lt + 1, gt - lt - 1);
    pos = gt + 1;
    return run;
}

std::string CPPHtmlDrawer::SplitTag(std::string& tag)
{
    const size_t end = tag.find_first_of(" =");
    if (end == std::string::npos)
        return {};
    const size_t start = tag.find_first_not_of(' ', end);
    std::string attributes = start == std::string::npos ? std::string() : tag.substr(start);
    tag.erase(end);
    return attributes;
}

std::string CPPHtmlDrawer::GetNextProperty(const std::string& s, size_t& pos, std::string& name)
{
    name.clear();
    while (pos < s.size() && !IsAlnumDot(s[pos]))
        ++pos;
    if (pos >= s.size())
        return {};
    size_t e = pos;
    while (e < s.size() && s[e] != ' ' && s[e] != '=')
        ++e;
    name = s.substr(pos, e - pos);
    pos = e;
    while (pos < s.size() && s[pos] == ' ')
        ++pos;
    if (pos >= s.size() || s[pos] != '=')
        return {};
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '='))
        ++pos;
    if (pos >= s.size())
        return {};
    const char quote = s[pos];
    size_t end;
    std::string value;
    if (quote == '\'' || quote == '"') {
        end = s.find(quote, pos + 1);
        if (end == std::string::npos)
            end = s.size();
        value = s.substr(pos + 1, end - pos - 1);
    } else {
        end = s.find(' ', pos);
        if (end == std::string::npos)
            end = s.size();
        value = s.substr(pos, end - pos);
    }
    pos = std::min(end + 1, s.size());
    return value;
}

int CPPHtmlDrawer::GetTagId(std::string name, std::string& styleName, bool& closing) const
{
    closing = !name.empty() && name[0] == '/';
    if (closing)
        name.erase(0, 1);
    styleName.clear();
    const auto it = m_tags.find(name);
    if (it == m_tags.end())
        return TAG_NONE;
    styleName = it->second.styleName;
    return it->second.kind;
}

bool CPPHtmlDrawer::SearchTag(const std::string& text, size_t& pos, const std::string& name)
{
    size_t i = pos;
    while (i < text.size()) {
        const size_t lt = text.find('<', i);
        if (lt == std::string::npos)
            break;
        if (lt + 1 < text.size() && text[lt + 1] == '<') {
            i = lt + 2; // an escaped "<"
            continue;
        }
        if (text.compare(lt + 1, name.size(), name) == 0) {
            pos = lt;
            return true;
        }
        i = lt + 1;
    }
    pos = text.size();
    return false;
}

bool CPPHtmlDrawer::PushOrPopStyle(bool closing, const std::string& styleName)
{
    if (!closing) {
        m_style.name = styleName;
        m_styleStack.push_back(m_style);
        return true;
    }
    if (!m_styleStack.empty() && m_styleStack.back().name == styleName) {
        m_style = std::move(m_styleStack.back());
        m_styleStack.pop_back();
        return true;
    }
    return false;
}

void CPPHtmlDrawer::ApplyStyleTag(int kind, const std::string& styleName, bool closing, const std::string& attributes)
{
    PushOrPopStyle(closing, styleName);
    if (!closing) {
        HtmlStyle& s = m_style;
        switch (kind) {
        case TAG_BOLD: s.weight = std::min(s.weight * 2, 900); break;
        case TAG_ITALIC: s.italic = !s.italic; break;
        case TAG_UNDERLINE: s.underline = !s.underline; break;
        case TAG_STRIKEOUT: s.strikeout = !s.strikeout; break;
        case TAG_LEFT: s.hAlign = 0; break;
        case TAG_CENTER: s.hAlign = 1; break;
        case TAG_RIGHT: s.hAlign = 2; break;
        case TAG_JUSTIFY: s.hAlign = 3; break;
        case TAG_BASELINE: s.vAlign = 3; break;
        case TAG_TOP: s.vAlign = 0; break;
        case TAG_VCENTER: s.vAlign = 1; break;
        case TAG_BOTTOM: s.vAlign = 2; break;
        case TAG_NEWSTYLE: ApplyCssRule(styleName, s); break;
        case TAG_FONT: {
            ForEachAttribute(attributes, [&](const std::string& name, const std::string& value) {
                if (name == "face") {
                    if (!value.empty())
                        s.face = value;
                } else if (name == "size") {
                    s.fontHeight = ParseLength(value, s.fontHeight, true);
                } else if (name == "color") {
                    s.textColor = m_enabled ? ParseColor(value, s.textColor) : m_disabledColor;
                } else if (name == "style") {
                    bool on = true;
                    for (char c : value) {
                        int* flag = nullptr;
                        switch (c) {
                        case 'b': s.weight = on ? 700 : 400; on = true; continue;
                        case 'i': flag = &s.italic; break;
                        case 'u': flag = &s.underline; break;
                        case 's': flag = &s.strikeout; break;
                        case 'o': flag = &s.overline; break;
                        case '-': on = false; continue;
                        case '+': on = true; continue;
                        default: continue;
                        }
                        *flag = on ? 1 : 0;
                        on = true;
                    }
                } else if (name == "weight") {
                    s.weight = ParseFontWeight(value, s.weight);
                } else if (name == "bkgnd") {
                    if (value == "transparent" || value.empty() || !m_enabled) {
                        s.bkMode = TRANSPARENT;
                    } else {
                        s.bkMode = OPAQUE;
                        s.bkColor = ParseColor(value, s.bkColor);
                    }
                }
            });
            break;
        }
        case TAG_SPAN: {
            std::string cls;
            bool found = false;
            ForEachAttribute(attributes, [&](const std::string& name, const std::string& value) {
                if (name == "class") {
                    cls = value;
                    found = true;
                }
            });
            if (found)
                ApplyCssRule("." + cls, s);
            break;
        }
        case TAG_HYPERLINK: {
            s.linkKind = 2;
            s.linkTarget.clear();
            ForEachAttribute(attributes, [&](const std::string& name, const std::string& value) {
                if (name == "href" || name == "msg") {
                    s.linkKind = name == "href" ? 1 : 2;
                    if (!value.empty())
                        s.linkTarget = value;
                }
            });
            ++m_linkIndex;
            ApplyCssRule(m_linkIndex == m_hotLink ? "a:hover" : "a:link", s);
            break;
        }
        default: break;
        }
    }
    SelectNewFont();
}
