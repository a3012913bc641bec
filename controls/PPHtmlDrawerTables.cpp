// Tables of the drawer: the grid of a table, the widths of its columns and the
// heights of its rows (measured once), and the drawing of rows and cells with
// their borders, fills and nested tables.
#include "controls/PPHtmlDrawer.h"

#include <algorithm>

namespace {

// The next place of one tag from a position that only moves forward; each
// search runs once past any stretch of text, so long tables stay linear.
class TagFinder {
public:
    TagFinder(const std::string& text, std::string name) : m_text(text), m_name(std::move(name)) {}
    // The position of the tag at or after `from`, the text's length when there is none.
    size_t Next(size_t from)
    {
        if (!m_valid || m_at < from) {
            m_at = from;
            CPPHtmlDrawer::SearchTag(m_text, m_at, m_name);
            m_valid = true;
        }
        return m_at;
    }

private:
    const std::string& m_text;
    std::string m_name;
    size_t m_at = 0;
    bool m_valid = false;
};

// The attribute text of the tag that starts at pos ("<td colspan=2>" gives "colspan=2").
std::string TagAttributes(const std::string& text, size_t pos)
{
    const size_t gt = text.find('>', pos);
    std::string tag = text.substr(pos + 1, gt == std::string::npos ? std::string::npos : gt - pos - 1);
    return CPPHtmlDrawer::SplitTag(tag);
}

RECT Deflate(const RECT& r, int by)
{
    return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// Fills and borders are drawn only over a bounded area; anything larger than
// a screen is far outside every drawing.
RECT Bounded(const RECT& r)
{
    constexpr LONG kView = 16384;
    return RECT{std::clamp(r.left, -kView, kView), std::clamp(r.top, -kView, kView), std::clamp(r.right, -kView, kView),
                std::clamp(r.bottom, -kView, kView)};
}

} // namespace

void CPPHtmlDrawer::FindEndOfTable(const std::string& text, size_t& pos)
{
    TagFinder opens(text, "table"), closes(text, "/table");
    int level = 1;
    size_t search = pos + 7;
    for (;;) {
        const size_t close = closes.Next(search);
        if (close >= text.size()) {
            pos = text.size();
            return;
        }
        const size_t open = opens.Next(search);
        if (open < close) {
            ++level;
            search = open + 7;
        } else {
            if (--level == 0) {
                pos = close;
                return;
            }
            search = close + 8;
        }
    }
}

void CPPHtmlDrawer::FindEndOfRow(const std::string& text, size_t& pos)
{
    TagFinder opens(text, "tr"), closes(text, "/tr"), tables(text, "table");
    int level = 1;
    size_t search = pos + 4;
    for (;;) {
        const size_t open = opens.Next(search), close = closes.Next(search), table = tables.Next(search);
        const size_t first = std::min({open, close, table});
        if (first >= text.size()) {
            pos = text.size();
            return;
        }
        if (table == first) {
            size_t end = table;
            FindEndOfTable(text, end);
            search = end + 6;
        } else if (open == first) {
            ++level;
            search = open + 4;
        } else {
            if (--level == 0) {
                pos = close;
                return;
            }
            search = close + 5;
        }
    }
}

void CPPHtmlDrawer::FindEndOfCell(const std::string& text, size_t& pos)
{
    TagFinder closes(text, "/td"), tables(text, "table");
    size_t search = pos + 4;
    for (;;) {
        const size_t close = closes.Next(search), table = tables.Next(search);
        if (table < close) {
            size_t end = table;
            FindEndOfTable(text, end);
            search = end + 6;
            continue;
        }
        pos = std::min(close, text.size());
        return;
    }
}

std::pair<int, int> CPPHtmlDrawer::ParseTableAttributes(const std::string& attributes, HtmlStyle& s,
                                                        bool table) const
{
    int colspan = 1, rowspan = 1;
    if (attributes.empty())
        return {colspan, rowspan};
    ForEachAttribute(attributes, [&](const std::string& name, const std::string& v) {
        if (table && name == "cellpadding") {
            s.margin = ParseLength(v, s.margin, false);
        } else if (table && name == "cellspacing") {
            s.spacing = ParseLength(v, s.spacing, false);
        } else if (table && name == "background") {
            s.bkImage = v;
        } else if (name == "rowspan") {
            rowspan = ParseLength(v, rowspan, false);
        } else if (name == "colspan") {
            colspan = ParseLength(v, colspan, false);
        } else if (name == "border") {
            s.borderWidth = ParseLength(v, s.borderWidth, false);
            if (s.borderWidth == 0)
                s.borderStyle = 0;
            else if (s.borderStyle == 0)
                s.borderStyle = 1;
        } else if (name == "borderstyle") {
            s.borderStyle = ParseBorderStyle(v, s.borderStyle);
            if (s.borderStyle != 0 && s.borderWidth == 0)
                s.borderWidth = 1;
        } else if (name == "bordercolor") {
            s.borderLight = m_enabled ? ParseColor(v, s.borderLight) : m_disabledColor;
            s.borderDark = s.borderLight;
        } else if (name == "bordercolorlight") {
            s.borderLight = m_enabled ? ParseColor(v, s.borderLight) : m_disabledColor;
        } else if (name == "bordercolordark") {
            s.borderDark = m_enabled ? ParseColor(v, s.borderDark) : m_disabledColor;
        } else if (name == "bgcolor") {
            if (m_enabled) {
                s.bkColor = ParseColor(v, s.bkColor);
                if (s.bkEffect == -1)
                    s.bkEffect = 0;
            }
        } else if (name == "bgmidcolor") {
            if (m_enabled)
                s.bkMidColor = ParseColor(v, s.bkMidColor);
        } else if (name == "bgendcolor") {
            if (m_enabled)
                s.bkEndColor = ParseColor(v, s.bkEndColor);
        } else if (name == "bgeffect") {
            if (m_enabled)
                s.bkEffect = ParseBackgroundEffect(v, s.bkEffect);
        } else if (name == "align") {
            s.hAlign = ParseHorzAlign(v, s.hAlign);
        } else if (name == "valign") {
            s.vAlign = ParseVertAlign(v, s.vAlign);
        } else if (name == "width") {
            s.width = ParseLength(v, s.width, false);
        } else if (name == "height") {
            s.height = ParseLength(v, s.height, false);
        }
    });
    if (s.borderStyle == 0)
        s.borderWidth = 0;
    if (s.borderWidth <= 0) {
        s.borderWidth = 0;
        s.borderStyle = 0;
    }
    if (s.borderStyle != 0 && s.borderStyle != 1)
        s.borderWidth = 1;
    if (!table && s.borderWidth != 0)
        s.borderWidth = 1;
    s.margin = std::max(s.margin, 0);
    s.spacing = std::max(s.spacing, 0);
    return {std::clamp(colspan, 1, kMaxTableColumns), std::clamp(rowspan, 1, kMaxTableRows)};
}

std::pair<int, int> CPPHtmlDrawer::MeasureTableGrid(const std::string& text) const
{
    int rows = 0, columns = 0;
    TagFinder trs(text, "tr");
    size_t pos = 0;
    while (rows < kMaxTableRows) {
        const size_t tr = trs.Next(pos);
        if (tr >= text.size())
            break;
        size_t rowEnd = tr;
        FindEndOfRow(text, rowEnd);
        ++rows;
        TagFinder tds(text, "td");
        int sum = 0;
        size_t c = tr;
        for (;;) {
            const size_t td = tds.Next(c);
            if (td >= rowEnd)
                break;
            HtmlStyle scratch;
            sum = std::min(sum + ParseTableAttributes(TagAttributes(text, td), scratch, false).first,
                           kMaxTableColumns);
            size_t cellEnd = td;
            FindEndOfCell(text, cellEnd);
            c = std::max(cellEnd, td + 1);
        }
        columns = std::max(columns, sum);
        pos = std::max(rowEnd, tr + 1);
    }
    return {columns, rows};
}

void CPPHtmlDrawer::PopStyleNamed(const std::string& name)
{
    m_style.name = name;
    PushOrPopStyle(true, name);
    SelectNewFont();
}

void CPPHtmlDrawer::DrawTable(const std::string& text, const RECT& R, SIZE* size)
{
    *size = SIZE{0, 0};
    if (m_tableDepth >= kMaxTableDepth) {
        // Nested too deep: the rest is laid out as text.
        DrawHtmlString(text, R, size);
        return;
    }
    const int index = ++m_tableIndex;
    if (m_measuring) {
        const auto [columns, rows] = MeasureTableGrid(text);
        HtmlTableInfo t;
        t.rows = rows;
        t.columns = columns;
        t.cells.assign(size_t(rows) * size_t(columns), HtmlTableCell{});
        t.columnWidths.assign(size_t(columns), 0);
        t.rowHeights.assign(size_t(rows), 0);
        t.fixedColumns.assign(size_t(columns), 0);
        m_tables.push_back(std::move(t));
    }
    if (index >= int(m_tables.size()))
        return;
    HtmlTableInfo table = m_tables[size_t(index)];
    ++m_tableDepth;

    m_style.name = "table";
    m_styleStack.push_back(m_style);
    ApplyCssRule("table", m_style);
    ParseTableAttributes(TagAttributes(text, 0), m_style, true);
    SelectNewFont();
    const HtmlStyle ts = m_style;
    const int p = ts.spacing;
    const int frame = ts.borderStyle == 6 ? 6 : 2 * ts.borderWidth;
    const auto outer = [&](const std::vector<int>& sizes) {
        // A table without rows or columns takes no room for them (not -1).
        long long sum = p + std::max<long long>((long long)sizes.size() - 1, 0);
        for (int v : sizes)
            sum += (long long)v + p;
        return Clamp(sum + frame);
    };

    RECT inner = R;
    if (!m_measuring) {
        int width = outer(table.columnWidths);
        const int height = outer(table.rowHeights);
        const int available = R.right - R.left;
        if (width < available) {
            long long diff = available - width;
            int free = int(std::count(table.fixedColumns.begin(), table.fixedColumns.end(), 0));
            for (int c = 0; c < table.columns && free > 0; ++c) {
                if (table.fixedColumns[size_t(c)])
                    continue;
                const long long share = diff / free;
                table.columnWidths[size_t(c)] = Clamp(table.columnWidths[size_t(c)] + share);
                diff -= share;
                --free;
            }
            width = outer(table.columnWidths);
        }
        RECT tr{R.left, R.top, 0, 0};
        if (width < available) {
            if (ts.hAlign == 1)
                tr.left += (available - width) / 2;
            else if (ts.hAlign == 2)
                tr.left = R.right - width;
        }
        tr.right = Clamp((long long)tr.left + width);
        tr.bottom = Clamp((long long)tr.top + height);
        const RECT shown = Bounded(tr);
        if (ts.bkEffect >= 0)
            m_drawManager.FillEffect(m_dc, ts.bkEffect, shown, ts.bkColor, ts.bkMidColor, ts.bkEndColor, 5, 0);
        else if (!ts.bkImage.empty())
            DrawBackgroundImage(m_dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
                                ts.bkImage);
        if (ts.borderWidth > 0)
            m_drawManager.DrawRectangle(m_dc, shown, m_enabled ? ts.borderLight : m_disabledColor,
                                        m_enabled ? ts.borderDark : m_disabledColor, ts.borderStyle,
                                        std::min(ts.borderWidth, kMaxImageSide));
        inner = Deflate(tr, ts.borderStyle == 6 ? 3 : ts.borderWidth);
        *size = SIZE{width, height};
    }

    if (table.columns > 0 && table.rows > 0) {
        TagFinder trs(text, "tr");
        size_t rowPos = 0;
        for (int i = 0; i < table.rows; ++i) {
            const size_t tr = trs.Next(rowPos);
            if (tr >= text.size())
                break;
            size_t rowEnd = tr;
            FindEndOfRow(text, rowEnd);
            DrawTableRow(text.substr(tr, rowEnd - tr), inner, table, i);
            rowPos = std::max(rowEnd + 5, tr + 1);
        }
    }

    if (m_measuring) {
        const int columns = table.columns, rows = table.rows;
        for (int s = 1; s <= columns; ++s)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c) {
                    const HtmlTableCell& cell = table.cell(r, c);
                    if (cell.colspan != s)
                        continue;
                    const int span = std::min(s, columns - c);
                    long long sum = 0;
                    for (int k = 0; k < span; ++k) {
                        if (cell.fixedWidth)
                            table.fixedColumns[size_t(c + k)] = 1;
                        sum += table.columnWidths[size_t(c + k)];
                    }
                    if (sum < cell.outerWidth) {
                        const int extra = int(cell.outerWidth - sum);
                        for (int k = 0; k < span; ++k)
                            table.columnWidths[size_t(c + k)] += extra / span;
                        table.columnWidths[size_t(c + span - 1)] += extra % span;
                    }
                }
        for (int s = 1; s <= rows; ++s)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c) {
                    const HtmlTableCell& cell = table.cell(r, c);
                    if (cell.rowspan != s)
                        continue;
                    const int span = std::min(s, rows - r);
                    long long sum = 0;
                    for (int k = 0; k < span; ++k)
                        sum += table.rowHeights[size_t(r + k)];
                    if (sum < cell.outerHeight) {
                        const int extra = int(cell.outerHeight - sum);
                        table.rowHeights[size_t(r)] += extra % span;
                        for (int k = 0; k < span; ++k)
                            table.rowHeights[size_t(r + k)] += extra / span;
                    }
                }
        *size = SIZE{outer(table.columnWidths), outer(table.rowHeights)};
    }

    m_tables[size_t(index)] = std::move(table);
    --m_tableDepth;
    PopStyleNamed("table");
}

void CPPHtmlDrawer::DrawTableRow(const std::string& text, const RECT& rect, HtmlTableInfo& table, int row)
{
    m_style.name = "tr";
    m_styleStack.push_back(m_style);
    ApplyCssRule("tr", m_style);
    ParseTableAttributes(TagAttributes(text, 0), m_style, false);
    SelectNewFont();
    const long long p = m_style.spacing;

    TagFinder tds(text, "td"), ends(text, "/tr");
    int c = 0;
    size_t pos = 0;
    for (;;) {
        const size_t td = tds.Next(pos);
        if (td >= text.size() || ends.Next(pos) < td)
            break;
        while (c < table.columns && table.cell(row, c).colspan == -1)
            ++c;
        size_t cellEnd = td;
        FindEndOfCell(text, cellEnd);
        pos = std::max(cellEnd, td + 1);
        if (c >= table.columns)
            continue; // no place left in the row
        HtmlTableCell& cell = table.cell(row, c);
        RECT cr{0, 0, 0, 0};
        if (!m_measuring) {
            const int cs = std::clamp(cell.colspan, 1, table.columns - c);
            const int rs = std::clamp(cell.rowspan, 1, table.rows - row);
            long long left = rect.left + p, top = rect.top + p;
            for (int k = 0; k < c; ++k)
                left += table.columnWidths[size_t(k)] + p + 1;
            for (int k = 0; k < row; ++k)
                top += table.rowHeights[size_t(k)] + p + 1;
            long long right = left + (cs - 1) * (p + 1), bottom = top + (rs - 1) * (p + 1);
            for (int k = 0; k < cs; ++k)
                right += table.columnWidths[size_t(c + k)];
            for (int k = 0; k < rs; ++k)
                bottom += table.rowHeights[size_t(row + k)];
            cr = RECT{Clamp(left), Clamp(top), Clamp(right), Clamp(bottom)};
        }
        DrawTableCell(text.substr(td, cellEnd - td), cr, cell);
        const int cs = std::clamp(cell.colspan, 1, table.columns - c);
        if (m_measuring) {
            cell.colspan = cs;
            cell.rowspan = std::clamp(cell.rowspan, 1, table.rows - row);
            for (int k = 1; k < cs; ++k)
                table.cell(row, c + k).colspan = table.cell(row, c + k).rowspan = -1;
            for (int k = 1; k < cell.rowspan; ++k)
                table.cell(row + k, c).colspan = table.cell(row + k, c).rowspan = -1;
        }
        c += cs;
    }
    PopStyleNamed("tr");
}

void CPPHtmlDrawer::DrawTableCell(const std::string& text, const RECT& rect, HtmlTableCell& cell)
{
    if (m_measuring)
        cell.contentWidth = cell.contentHeight = 0;
    m_style.name = "td";
    m_styleStack.push_back(m_style);
    ApplyCssRule("td", m_style);
    m_style.width = m_style.height = 0;
    const auto [colspan, rowspan] = ParseTableAttributes(TagAttributes(text, 0), m_style, false);
    SelectNewFont();
    const HtmlStyle cs = m_style;
    const int requestedWidth = std::max(cs.width, 0), requestedHeight = std::max(cs.height, 0);

    RECT content = rect;
    if (m_measuring) {
        cell.colspan = colspan;
        cell.rowspan = rowspan;
        cell.contentWidth = requestedWidth;
        cell.contentHeight = 0;
        cell.fixedWidth = requestedWidth > 0;
        content = RECT{rect.left, rect.top, rect.left + requestedWidth, rect.top};
    } else {
        const RECT shown = Bounded(rect);
        if (cs.bkEffect >= 0)
            m_drawManager.FillEffect(m_dc, cs.bkEffect, shown, cs.bkColor, cs.bkMidColor, cs.bkEndColor, 5, 0);
        m_drawManager.DrawRectangle(m_dc, shown, m_enabled ? cs.borderDark : m_disabledColor,
                                    m_enabled ? cs.borderLight : m_disabledColor, cs.borderStyle, 1);
        content = Deflate(rect, Clamp((long long)cs.margin + cs.borderWidth));
        if (cs.vAlign == 1)
            content.top += (content.bottom - content.top - cell.contentHeight) / 2;
        else if (cs.vAlign == 2)
            content.top = content.bottom - cell.contentHeight;
    }

    TagFinder ends(text, "/td"), tables(text, "table");
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = ends.Next(pos), table = tables.Next(pos);
        const size_t nearer = std::min(end, table);
        SIZE piece{0, 0};
        if (nearer > pos) {
            DrawHtmlString(text.substr(pos, nearer - pos), content, &piece);
            pos = nearer;
        } else if (table < end) {
            size_t tableEnd = table;
            FindEndOfTable(text, tableEnd);
            DrawTable(text.substr(table, tableEnd - table), content, &piece);
            pos = std::max(tableEnd, table + 1);
        } else {
            break;
        }
        content.top = Clamp((long long)content.top + piece.cy);
        if (m_measuring) {
            cell.contentWidth = std::max<int>(cell.contentWidth, piece.cx);
            cell.contentHeight = Clamp((long long)cell.contentHeight + piece.cy);
        }
    }
    if (m_measuring) {
        const long long frame = 2LL * cs.borderWidth + 2LL * cs.margin;
        cell.outerWidth = Clamp(std::max(cell.contentWidth, requestedWidth) + frame);
        cell.outerHeight = Clamp(std::max(cell.contentHeight, requestedHeight) + frame);
    }
    PopStyleNamed("td");
}
