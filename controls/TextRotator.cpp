#include "controls/TextRotator.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string> nonEmptyLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

CTextRotator::CTextRotator(CDC* target, const std::string& text, int hAlign, int vAlign)
    : m_target(target), m_hAlign(hAlign), m_vAlign(vAlign), m_text(text),
      m_backColor(GetSysColor(COLOR_BTNFACE)), m_textColor(GetSysColor(COLOR_WINDOWTEXT))
{
}

CTextRotator::~CTextRotator() { Clear(); }

void CTextRotator::Clear()
{
    if (m_memory) {
        if (m_oldBitmap)
            m_memory->SelectObject(m_oldBitmap);
        m_memory.reset();
    }
    m_oldBitmap = nullptr;
    m_bitmap.DeleteObject();
    m_rect.SetRectEmpty();
}

BOOL CTextRotator::Render()
{
    Clear();
    if (!m_target)
        return FALSE;
    const std::vector<std::string> lines = nonEmptyLines(m_text);
    int width = 0;
    int lineHeight = 0;
    for (const std::string& line : lines) {
        SIZE size{};
        m_target->GetTextExtentPoint32(line, &size);
        width = std::max(width, int(size.cx));
        lineHeight = std::max(lineHeight, int(size.cy));
    }
    const int height = lineHeight * int(lines.size());
    if (width <= 0 || height <= 0)
        return FALSE;

    auto memory = std::make_unique<CDC>();
    if (!memory->CreateCompatibleDC(m_target) || !m_bitmap.CreateCompatibleBitmap(m_target, width, height))
        return FALSE;
    m_oldBitmap = memory->SelectObject(&m_bitmap);
    m_memory = std::move(memory);
    if (CFont* font = m_target->GetCurrentFont())
        m_memory->SelectObject(font);
    m_memory->SetBkMode(TRANSPARENT);
    m_memory->FillSolidRect(0, 0, width, height, m_backColor);

    const UINT format = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX |
                        (m_hAlign == 1 ? DT_CENTER : m_hAlign == 2 ? DT_RIGHT : DT_LEFT);
    for (size_t i = 0; i < lines.size(); ++i) {
        CRect r(0, int(i) * lineHeight, width, int(i + 1) * lineHeight);
        if (m_disabled) {
            CRect shifted = r;
            shifted.OffsetRect(1, 1);
            m_memory->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
            m_memory->DrawText(lines[i], &shifted, format);
            m_memory->SetTextColor(GetSysColor(COLOR_BTNSHADOW));
        } else {
            m_memory->SetTextColor(m_textColor);
        }
        m_memory->DrawText(lines[i], &r, format);
    }
    m_rect.SetRect(0, 0, width, height);
    return TRUE;
}

void CTextRotator::DrawAligned(const CRect& client)
{
    if (!m_target || !m_memory || m_rect.IsRectEmpty())
        return;
    const int w = std::min(m_rect.Width(), client.Width());
    const int h = std::min(m_rect.Height(), client.Height());
    if (w <= 0 || h <= 0)
        return;
    const int x = m_hAlign == 1 ? (client.Width() - w) / 2 : m_hAlign == 2 ? client.Width() - w : 0;
    const int y = m_vAlign == 1 ? (client.Height() - h) / 2 : m_vAlign == 2 ? client.Height() - h : 0;
    m_target->BitBlt(client.left + x, client.top + y, w, h, m_memory.get(), 0, 0, SRCCOPY);
}
