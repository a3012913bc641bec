// Text layout of the drawer: runs with their fonts, word wrapping, lines and
// their alignment and justification, rules, breaks, tabs and link areas.
#include "controls/PPHtmlDrawer.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

int Blanks(const std::string& s)
{
    return int(std::count(s.begin(), s.end(), ' '));
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && IsSpace(s.back()))
        s.pop_back();
    return s;
}

std::string TrimLeft(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return s.substr(i);
}

// The byte after the UTF-8 character that starts at i.
size_t NextChar(const std::string& s, size_t i)
{
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

void Transform(std::string& s, int transform)
{
    if (transform == 1) {
        for (char& c : s)
            c = char(std::toupper(static_cast<unsigned char>(c)));
    } else if (transform == 2 || transform == 3) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (transform == 3)
            for (size_t i = 0; i < s.size(); ++i)
                if ((i == 0 || s[i - 1] == ' ') && s[i] >= 'a' && s[i] <= 'z')
                    s[i] = char(s[i] - 'a' + 'A');
    }
}

} // namespace

void CPPHtmlDrawer::SelectNewFont()
{
    if (!m_dc)
        return;
    if (m_font) {
        if (m_oldFont)
            m_dc->SelectObject(m_oldFont);
        m_font.reset();
    }
    LOGFONT lf;
    lf.lfHeight = std::clamp(m_style.fontHeight, -kMaxFontHeight, kMaxFontHeight);
    lf.lfWeight = std::clamp(m_style.weight, 0, 1000);
    lf.lfItalic = BYTE(m_style.italic != 0);
    lf.lfUnderline = BYTE(m_style.underline != 0);
    lf.lfStrikeOut = BYTE(m_style.strikeout != 0);
    lf.lfCharSet = DEFAULT_CHARSET;
    const size_t n = std::min<size_t>(m_style.face.size(), 31);
    m_style.face.copy(lf.lfFaceName, n);
    lf.lfFaceName[n] = '\0';
    auto font = std::make_unique<CFont>();
    if (font->CreateFontIndirect(&lf)) {
        m_font = std::move(font);
        CFont* previous = m_dc->SelectObject(m_font.get());
        if (!m_oldFont)
            m_oldFont = previous;
    }
    m_dc->SetBkMode(m_style.bkMode == OPAQUE ? OPAQUE : TRANSPARENT);
    m_dc->SetTextColor(m_style.textColor);
    m_dc->SetBkColor(m_style.bkColor);
    ReadMetrics();
}

void CPPHtmlDrawer::DrawHtmlString(const std::string& text, const RECT& rect, SIZE* size)
{
    m_partShadowColor = m_enabled ? m_shadowColor : m_disabledColor;
    // The part is laid out as if enclosed in "<body>" and "</body>", applied
    // apart from the text so that a "<" at either end stays the text's own.
    const std::string& part = text;
    m_outRect = rect;
    m_x = rect.left;
    m_y = rect.top;
    m_widest = 0;
    const int firstLine = m_lineIndex;
    m_x = StartLine(rect.left);
    ApplyStyleTag(TAG_NEWSTYLE, "body", false, {});

    size_t pos = 0;
    std::string tag;
    while (pos < part.size()) {
        const std::string run = GetNextTag(part, pos, tag);
        if (!run.empty())
            PlaceRun(run);
        if (tag.empty())
            continue;
        const std::string attributes = SplitTag(tag);
        std::string styleName;
        bool closing = false;
        const int kind = GetTagId(tag, styleName, closing);
        switch (kind) {
        case TAG_NONE: break;
        case TAG_HLINE: DoHorzLine(attributes); break;
        case TAG_NEWLINE:
        case TAG_TABULATION: DoBreakOrTab(kind, attributes); break;
        case TAG_BITMAP:
        case TAG_ICON:
        case TAG_IMAGELIST: DoImage(kind, attributes); break;
        case TAG_STRING: DoString(attributes); break;
        default: ApplyStyleTag(kind, styleName, closing, attributes); break;
        }
    }
    ApplyStyleTag(TAG_NEWSTYLE, "body", true, {});
    if (m_x != m_lineStartX) {
        m_line.wrapped = 0;
        NewLine(1);
    }
    m_device->Justify(m_dc, 0, 0);

    int width = m_widest;
    for (int i = firstLine; i < m_lineIndex && i < int(m_lines.size()); ++i) {
        const HtmlLineInfo& l = m_lines[size_t(i)];
        if (l.percentWidth)
            width = std::max(width, Clamp((long long)l.width + MulDiv(width, std::min(l.percentWidth, 100000), 100)));
    }
    size->cx = width;
    size->cy = Clamp((long long)m_y - rect.top);
}

void CPPHtmlDrawer::PlaceRun(std::string run)
{
    Transform(run, m_style.textTransform);
    const int W = m_outRect.right - m_outRect.left;
    while (!run.empty()) {
        m_device->Justify(m_dc, 0, 0);
        const int room = Clamp((long long)W + m_outRect.left - m_x);
        const bool mayWrap = m_maxWidth > 0 && W != 0;
        SIZE sz{0, 0};
        // A long run that wraps needs no measure of its whole length.
        if (mayWrap && run.size() > 256) {
            size_t cut = 256;
            while (cut < run.size() && (static_cast<unsigned char>(run[cut]) & 0xC0) == 0x80)
                ++cut;
            sz = Extent(run.substr(0, cut));
            if (sz.cx <= room)
                sz = Extent(run);
        } else {
            sz = Extent(run);
        }
        int cx = sz.cx;
        const int cy = sz.cy;
        const int y = VerticalTextPlace(cy);
        std::string piece;
        if (mayWrap && cx > room) {
            int r = room;
            piece = WrapText(run, W, r);
            cx = r;
        } else {
            piece.swap(run);
        }
        if (m_measuring) {
            m_line.align = m_style.hAlign;
            m_line.spaceCount += Blanks(piece);
        } else if (cx != 0) {
            if (m_lineRoom == cx && !piece.empty() && piece.back() == ' ') {
                const std::string trimmed = TrimRight(piece);
                const int removed = cx - Extent(trimmed).cx;
                piece = trimmed;
                m_lineSpaces = Blanks(piece);
                m_lineRoom -= removed;
            }
            if (m_line.align == 3 && m_line.wrapped == 1)
                m_device->Justify(m_dc, room - m_lineRoom, m_lineSpaces);
            m_lineRoom -= cx;
            cx = Extent(piece).cx;
            AddLinkArea(m_x, y, m_x + cx, y + cy);
            m_device->Output(m_dc, m_x, y, piece);
            m_lineSpaces -= Blanks(piece);
            if (m_style.overline)
                m_drawManager.DrawLine(m_dc, m_x, y, m_x + cx, y, m_style.textColor, CPPDrawManager::PEN_SOLID,
                                       m_style.weight >= 700 ? 2 : 1);
        }
        m_x = Clamp((long long)m_x + cx);
        if (!run.empty()) {
            m_line.wrapped = 1;
            NewLine(1);
        }
    }
}

std::string CPPHtmlDrawer::WrapText(std::string& text, int lineWidth, int& room)
{
    static constexpr std::string_view breaks = " -.,!:;)}]?";
    size_t kept = std::string::npos;
    for (size_t i = 1; i < text.size(); ++i) {
        if (breaks.find(text[i]) == std::string_view::npos)
            continue;
        if (Extent(text.substr(0, i)).cx <= room)
            kept = i;
        else
            break;
    }
    std::string piece;
    if (kept != std::string::npos) {
        piece = TrimRight(text.substr(0, kept + 1));
        text = TrimLeft(text.substr(kept + 1));
        room = Extent(piece).cx;
    } else if (lineWidth == room || m_x == m_lineStartX) {
        // Nothing on the line yet: cut between characters, at least one.
        size_t end = NextChar(text, 0);
        while (end < text.size()) {
            const size_t next = NextChar(text, end);
            if (Extent(text.substr(0, next)).cx > room)
                break;
            end = next;
        }
        piece = text.substr(0, end);
        text.erase(0, end);
        room = Extent(piece).cx;
    } else {
        room = 0;
    }
    return piece;
}

int CPPHtmlDrawer::StartLine(int x)
{
    if (m_measuring) {
        const int wrapped = m_line.wrapped;
        m_line = HtmlLineInfo{};
        m_line.align = m_style.hAlign;
        m_line.wrapped = wrapped;
        m_lines.push_back(m_line);
        m_lineStartX = x;
        return x;
    }
    m_line = m_lineIndex >= 0 && m_lineIndex < int(m_lines.size()) ? m_lines[size_t(m_lineIndex)] : HtmlLineInfo{};
    const int room = m_outRect.right - m_outRect.left;
    if (m_line.percentWidth)
        m_line.width = Clamp((long long)m_line.width + MulDiv(room, std::min(m_line.percentWidth, 100000), 100));
    if (m_line.align == 3 && m_line.wrapped)
        m_device->Justify(m_dc, room - m_line.width, m_line.spaceCount);
    else
        m_device->Justify(m_dc, 0, 0);
    m_lineRoom = m_line.width;
    m_lineSpaces = m_line.spaceCount;
    if (m_line.align == 1)
        x = m_outRect.left + (room - m_line.width) / 2;
    else if (m_line.align == 2)
        x = m_outRect.left + room - m_line.width;
    m_lineStartX = x;
    return x;
}

void CPPHtmlDrawer::NewLine(int count)
{
    if (m_measuring) {
        if (m_line.height == 0)
            m_line.height = m_tm.tmHeight;
        const int width = Clamp((long long)m_x - m_outRect.left);
        m_widest = std::max(m_widest, width);
        m_line.width = width;
        m_line.height = Clamp((long long)m_line.height + m_line.descent, kMaxLength);
        if (m_lineIndex < int(m_lines.size()))
            m_lines[size_t(m_lineIndex)] = m_line;
        else
            m_lines.push_back(m_line);
    }
    ++m_lineIndex;
    m_y = Clamp((long long)m_y + (long long)std::clamp(count, 1, kMaxRepeat) * m_line.height);
    m_x = StartLine(m_outRect.left);
}

int CPPHtmlDrawer::VerticalTextPlace(int h)
{
    if (m_measuring) {
        m_line.descent = std::max<int>(m_line.descent, h - m_tm.tmAscent);
        m_line.height = std::max<int>(m_line.height, m_tm.tmAscent);
        return m_y;
    }
    switch (m_style.vAlign) {
    case 1: return m_y + (m_line.height - m_tm.tmHeight) / 2;
    case 2: return m_y + m_line.height - m_tm.tmAscent;
    case 3: return m_y + m_line.height - m_line.descent - m_tm.tmAscent;
    default: return m_y;
    }
}

int CPPHtmlDrawer::VerticalImagePlace(int h)
{
    if (m_measuring) {
        m_line.height = std::max(m_line.height, h);
        return m_y;
    }
    switch (m_style.vAlign) {
    case 1: return m_y + (m_line.height - h) / 2;
    case 2: return m_y + m_line.height - h;
    case 3: return m_y + m_line.height - m_line.descent - h;
    default: return m_y;
    }
}

void CPPHtmlDrawer::DoHorzLine(const std::string& attributes)
{
    HtmlStyle s = m_style;
    ApplyCssRule("hr", s);
    COLORREF color = s.textColor;
    int thickness = 1, width = 100;
    bool percent = true;
    ForEachAttribute(attributes, [&](const std::string& name, const std::string& value) {
        if (name == "width") {
            percent = !value.empty() && value.back() == '%';
            width = ParseLength(value, 100, false);
        } else if (name == "size") {
            thickness = ParseLength(value, thickness, false);
        } else if (name == "color") {
            color = m_enabled ? ParseColor(value, color) : m_disabledColor;
        }
    });
    thickness = std::clamp(thickness, 0, kMaxImageSide);
    width = std::max(width, 0);
    const int W = m_outRect.right - m_outRect.left;
    if (percent) {
        if (m_measuring) {
            m_line.percentWidth = Clamp((long long)m_line.percentWidth + width, 100000);
            width = 1;
        } else {
            width = MulDiv(W, width, 100);
        }
    }
    if (m_measuring) {
        m_line.height = std::max(m_line.height, thickness + 8);
        m_line.align = m_style.hAlign;
    } else {
        const int y = m_y + m_line.height / 2;
        m_drawManager.DrawLine(m_dc, m_x, y, m_x + width, y, color, CPPDrawManager::PEN_SOLID, thickness);
    }
    m_x = Clamp((long long)m_x + width);
}

void CPPHtmlDrawer::DoBreakOrTab(int kind, const std::string& attributes)
{
    int count = attributes.empty() ? 1 : ParseLength(attributes.substr(1), 1, false);
    count = std::clamp(count, 0, kMaxRepeat);
    if (kind == TAG_NEWLINE) {
        m_line.wrapped = 0;
        NewLine(count);
    } else {
        TabStop(count);
    }
}

void CPPHtmlDrawer::TabStop(int count)
{
    if (m_tabSize <= 0)
        return;
    const int r = (m_x - m_outRect.left) % m_tabSize;
    if (r != 0) {
        m_x = Clamp((long long)m_x + (r > 0 ? m_tabSize - r : -r));
        count = std::max(count - 1, 0);
    }
    m_x = Clamp((long long)m_x + (long long)count * m_tabSize);
}

void CPPHtmlDrawer::AddLinkArea(int left, int top, int right, int bottom)
{
    if (m_style.linkKind == 0 || m_measuring)
        return;
    m_linkAreas.push_back(HtmlLinkArea{RECT{left, top, right, bottom}, m_style.linkKind, m_linkIndex, m_style.linkTarget});
}
