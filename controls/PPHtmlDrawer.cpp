// The HTML drawer as a whole: settings, the measuring and drawing passes over
// a text, links under the pointer and the animation tick.
#include "controls/PPHtmlDrawer.h"

#include "platform/win/Input.h"
#include "platform/win/Resources.h"
#include "platform/win/Shell.h"
#include "platform/win/Wnd.h"

#include <algorithm>
#include <filesystem>

SIZE HtmlTextDevice::Extent(CDC* dc, const std::string& text)
{
    SIZE s{0, 0};
    dc->GetTextExtentPoint32(text, &s);
    return s;
}

void HtmlTextDevice::Metrics(CDC* dc, TEXTMETRIC* tm)
{
    dc->GetTextMetrics(tm);
}

void HtmlTextDevice::Justify(CDC* dc, int extra, int breaks)
{
    dc->SetTextJustification(extra, breaks);
}

void HtmlTextDevice::Output(CDC* dc, int x, int y, const std::string& text)
{
    dc->TextOut(x, y, text);
}

CPPHtmlDrawer::CPPHtmlDrawer()
{
    m_disabledColor = GetSysColor(COLOR_BTNSHADOW);
    BuildTables();
    SetDefaultCursor();
    SetImageShadow(4, 4, 50, TRUE, 7, 7);
    SetDefaultCssStyles();
}

CPPHtmlDrawer::~CPPHtmlDrawer() = default;

int CPPHtmlDrawer::Clamp(long long v, int limit)
{
    return int(std::clamp<long long>(v, -limit, limit));
}

CPPHtmlDrawer& CPPHtmlDrawer::SetMaxWidth(int width)
{
    m_maxWidth = std::clamp(width, 0, kMaxCoord);
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetTabSize(int size)
{
    m_tabSize = std::clamp(size, 0, kMaxLength);
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetEnabled(BOOL enabled)
{
    m_enabled = enabled != FALSE;
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetDisabledColor(COLORREF color)
{
    m_disabledColor = color;
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetLineBreakConversion(BOOL convert)
{
    m_lineBreakConversion = convert != FALSE;
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetImageShadow(int offsetX, int offsetY, int darkness, BOOL blurred, int depthX,
                                             int depthY)
{
    m_shadowDx = std::clamp(offsetX, -kMaxLength, kMaxLength);
    m_shadowDy = std::clamp(offsetY, -kMaxLength, kMaxLength);
    m_shadowDarkness = std::clamp(darkness, 0, 100);
    m_shadowBlurred = blurred != FALSE;
    m_shadowDepthX = std::clamp(depthX, 0, 64);
    m_shadowDepthY = std::clamp(depthY, 0, 64);
    const int grey = MulDiv(255, 100 - m_shadowDarkness, 100);
    m_shadowColor = RGB(grey, grey, grey);
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetHyperlinkCursor(HCURSOR cursor)
{
    // The standard cursors are shared: nothing to destroy.
    if (!cursor)
        return SetDefaultCursor();
    m_linkCursor = cursor;
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetDefaultCursor()
{
    m_linkCursor = LoadCursor(nullptr, IDC_HAND);
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetImageList(HIMAGELIST list, int frameCx, int frameCy)
{
    m_imageList = list;
    m_imageListCx = std::clamp(frameCx, 0, kMaxImageSide);
    m_imageListCy = std::clamp(frameCy, 0, kMaxImageSide);
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetCallbackRepaint(HWND wnd, UINT message, LPARAM value)
{
    m_repaintWnd = wnd;
    m_repaintMsg = wnd ? message : 0;
    m_repaintValue = wnd ? value : 0;
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetCallbackMessage(HWND wnd, UINT message, LPARAM value)
{
    m_messageWnd = wnd;
    m_messageMsg = wnd ? message : 0;
    m_messageValue = wnd ? value : 0;
    return *this;
}

CPPHtmlDrawer& CPPHtmlDrawer::SetTextDevice(HtmlTextDevice* device)
{
    m_device = device ? device : &m_defaultDevice;
    return *this;
}

SIZE CPPHtmlDrawer::Extent(const std::string& text)
{
    if (!m_dc || text.empty()) {
        SIZE s{0, 0};
        if (m_dc)
            s.cy = m_device->Extent(m_dc, " ").cy;
        return s;
    }
    return m_device->Extent(m_dc, text);
}

void CPPHtmlDrawer::ReadMetrics()
{
    m_tm = TEXTMETRIC{};
    if (m_dc)
        m_device->Metrics(m_dc, &m_tm);
}

void CPPHtmlDrawer::PrepareOutput(CDC* dc, const std::string& text, SIZE* size)
{
    SIZE result{0, 0};
    m_dc = dc;
    m_text.clear();
    m_tables.clear();
    if (dc) {
        m_device->Justify(dc, 0, 0);
        m_outRect = RECT{0, 0, m_maxWidth, 0};
        m_text = PrepareText(text);
        if (!m_text.empty()) {
            m_measuring = true;
            DrawHtml(&result, m_outRect);
            if (result.cx == 0 && result.cy == 0)
                m_text.clear();
            if (m_maxWidth > 0 && result.cx > m_maxWidth)
                result.cx = m_maxWidth;
            result.cx += 1;
            result.cy += 1;
        }
    }
    if (m_text.empty())
        result = SIZE{0, 0};
    m_dc = nullptr;
    if (size)
        *size = result;
}

void CPPHtmlDrawer::DrawPreparedOutput(CDC* dc, const RECT* rect)
{
    if (m_text.empty() || !dc || !rect)
        return;
    m_dc = dc;
    m_measuring = false;
    SIZE size{0, 0};
    DrawHtml(&size, *rect);
    m_dc = nullptr;
}

void CPPHtmlDrawer::DrawHtml(SIZE* size, const RECT& rect)
{
    if (m_measuring)
        m_lines.clear(), m_animations.clear();
    // Each drawing pass records the link areas it draws, in place of the last pass's.
    m_linkAreas.clear();
    m_lineIndex = 0;
    m_tableIndex = -1;
    m_linkIndex = -1;
    m_animationIndex = -1;
    m_tableDepth = 0;
    m_styleStack.clear();
    m_line = HtmlLineInfo{};
    m_style = HtmlStyle{};
    ApplyCssRule("body", m_style);

    const int oldMode = m_dc->GetBkMode();
    const COLORREF oldText = m_dc->GetTextColor();
    const COLORREF oldBk = m_dc->GetBkColor();
    m_oldFont = nullptr;
    SelectNewFont();

    RECT r = rect;
    *size = SIZE{0, 0};
    size_t pos = 0;
    while (pos < m_text.size()) {
        size_t tablePos = pos;
        const bool found = SearchTag(m_text, tablePos, "table");
        if (tablePos > pos) {
            SIZE part{0, 0};
            DrawHtmlString(m_text.substr(pos, tablePos - pos), r, &part);
            size->cx = std::max(size->cx, part.cx);
            size->cy = Clamp((long long)size->cy + part.cy);
            if (!m_measuring)
                r.top = Clamp((long long)r.top + part.cy);
        }
        if (!found)
            break;
        size_t end = tablePos;
        FindEndOfTable(m_text, end);
        SIZE part{0, 0};
        DrawTable(m_text.substr(tablePos, end - tablePos), r, &part);
        size->cx = std::max(size->cx, part.cx);
        size->cy = Clamp((long long)size->cy + part.cy);
        if (!m_measuring)
            r.top = Clamp((long long)r.top + part.cy);
        pos = std::max(end, tablePos + 1);
    }

    m_dc->SetBkMode(oldMode);
    m_dc->SetBkColor(oldBk);
    m_dc->SetTextColor(oldText);
    if (m_oldFont)
        m_dc->SelectObject(m_oldFont);
    m_oldFont = nullptr;
    m_styleStack.clear();
    m_font.reset();
}

int CPPHtmlDrawer::FindLinkArea(POINT p) const
{
    for (size_t i = 0; i < m_linkAreas.size(); ++i) {
        const RECT& r = m_linkAreas[i].rect;
        if (p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom)
            return int(i);
    }
    return -1;
}

void CPPHtmlDrawer::SendRepaint()
{
    if (m_repaintWnd && m_repaintMsg)
        ::SendMessage(m_repaintWnd, m_repaintMsg, WPARAM(INT_PTR(m_hotLink)), m_repaintValue);
}

BOOL CPPHtmlDrawer::OnSetCursor(POINT point)
{
    const int i = FindLinkArea(point);
    if (i < 0) {
        if (m_hotLink != -2) {
            m_hotLink = -2;
            SendRepaint();
        }
        return FALSE;
    }
    const HtmlLinkArea& area = m_linkAreas[size_t(i)];
    const bool hasTarget = !area.target.empty();
    if (area.index != m_hotLink) {
        m_hotLink = area.index;
        SendRepaint(); // the window may draw again and renew the areas
    }
    if (hasTarget && m_linkCursor) {
        ::SetCursor(m_linkCursor);
        return TRUE;
    }
    return FALSE;
}

void CPPHtmlDrawer::JumpToHyperlink(POINT point)
{
    const int i = FindLinkArea(point);
    if (i < 0)
        return;
    const HtmlLinkArea area = m_linkAreas[size_t(i)];
    if (area.target.empty())
        return;
    if (area.kind == 1)
        OpenLink(area.target, SW_SHOW);
    else if (area.kind == 2 && m_messageWnd && m_messageMsg)
        ::SendMessage(m_messageWnd, m_messageMsg, WPARAM(area.target.c_str()), m_messageValue);
}

namespace {

// Whether a link names a program on this machine (directly or as a file
// address): such a link is never opened, since opening would start it.
bool NamesProgram(const std::string& target)
{
    namespace fs = std::filesystem;
    std::string path = target;
    if (path.rfind("file://", 0) == 0)
        path.erase(0, 7);
    else if (path.find("://") != std::string::npos || path.rfind("mailto:", 0) == 0 || path.rfind("www.", 0) == 0)
        return false;
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    for (const std::string& candidate : {path, slashed}) {
        std::error_code ec;
        const fs::file_status st = fs::status(candidate, ec);
        if (!ec && fs::is_regular_file(st) &&
            (st.permissions() & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
                fs::perms::none)
            return true;
    }
    return false;
}

} // namespace

INT_PTR CPPHtmlDrawer::OpenLink(const std::string& target, int showCommand)
{
    // The target goes to the desktop's open service as one argument; it never
    // reaches a command line, and a link to a program does not start it.
    if (target.empty() || NamesProgram(target))
        return SE_ERR_ACCESSDENIED;
    return ShellExecute(nullptr, "open", target, "", "", showCommand);
}

BOOL CPPHtmlDrawer::OnTimer()
{
    BOOL changed = FALSE;
    for (HtmlAnimation& a : m_animations) {
        if (a.frames <= 0)
            continue;
        if (++a.tick >= a.speed) {
            a.tick = 0;
            a.frame = (a.frame + 1) % a.frames;
            changed = TRUE;
        }
    }
    return changed;
}

std::string CPPHtmlDrawer::GetStringFromResource(UINT id, int line) const
{
    const std::string s = LoadResourceString(id);
    size_t start = 0;
    for (int i = 0; i < line; ++i) {
        const size_t lf = s.find('\n', start);
        if (lf == std::string::npos)
            return {};
        start = lf + 1;
    }
    const size_t lf = s.find('\n', start);
    return s.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
}
