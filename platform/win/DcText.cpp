#include "platform/win/Dc.h"
#include "platform/win/DcImpl.h"

#include "platform/win/Display.h"
#include "platform/win/Wnd.h"
#include "platform/win/WndImpl.h"

#include <QFontMetrics>
#include <QImage>
#include <QVariant>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

using win::detail::DibToImage;
using win::detail::ImageToDib;
using win::detail::MonoOf;
using namespace win::detail::dc;

// ---- Text -----------------------------------------------------------------------------

namespace {

// Extra pixels of the justification for each blank of a text.
std::vector<int> justification(const QString& t, int extra, int breaks)
{
    std::vector<int> add(size_t(t.size()), 0);
    if (extra == 0 || breaks <= 0)
        return add;
    int seen = 0;
    for (int i = 0; i < t.size(); ++i)
        if (t[i] == QLatin1Char(' ')) {
            if (seen >= breaks)
                break;
            add[size_t(i)] = extra / breaks + (seen < std::abs(extra % breaks) ? (extra < 0 ? -1 : 1) : 0);
            ++seen;
        }
    return add;
}

} // namespace

BOOL CDC::SetTextJustification(int extra, int breakCount)
{
    m_state->justifyExtra = breakCount > 0 ? extra : 0;
    m_state->justifyBreaks = breakCount;
    return TRUE;
}

BOOL CDC::GetTextExtentPoint32(const std::string& text, SIZE* size) const
{
    if (!size)
        return FALSE;
    const QFontMetrics fm(font());
    const QString t = QString::fromStdString(text);
    int w = fm.horizontalAdvance(t);
    for (int a : justification(t, m_state->justifyExtra, m_state->justifyBreaks))
        w += a;
    size->cx = w;
    size->cy = fm.ascent() + fm.descent();
    return TRUE;
}

CSize CDC::GetTextExtent(const std::string& text) const
{
    SIZE s;
    GetTextExtentPoint32(text, &s);
    return CSize(s);
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    const QFont f = font();
    const QFontMetrics fm(f);
    *tm = TEXTMETRIC{};
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = std::max(0, int(tm->tmHeight) - f.pixelSize());
    tm->tmExternalLeading = std::max(0, fm.leading());
    tm->tmAveCharWidth = fm.averageCharWidth();
    tm->tmMaxCharWidth = fm.maxWidth();
    tm->tmWeight = f.weight();
    tm->tmItalic = f.italic() ? 1 : 0;
    tm->tmUnderlined = f.underline() ? 1 : 0;
    tm->tmStruckOut = f.strikeOut() ? 1 : 0;
    tm->tmCharSet = m_state->font ? m_state->logFont.lfCharSet : DEFAULT_CHARSET;
    // The low bit set means a variable pitch (GDI's name for it says the opposite).
    tm->tmPitchAndFamily = BYTE(f.fixedPitch() ? 0 : 1);
    const QPoint dpi(win::CurrentDisplay().dpiX, win::CurrentDisplay().dpiY);
    tm->tmDigitizedAspectX = dpi.x();
    tm->tmDigitizedAspectY = dpi.y();
    return TRUE;
}

void CDC::textLine(int x, int y, const QString& text, int prefixAt, bool)
{
    if (m_target->info)
        return;
    const State& s = *m_state;
    const QFont f = font();
    const QFontMetrics fm(f);
    const std::vector<int> add = justification(text, s.justifyExtra, s.justifyBreaks);
    int width = fm.horizontalAdvance(text);
    for (int a : add)
        width += a;
    const bool mono = IsMonochrome();
    const COLORREF textColor = mono ? colorOf(MonoOf(rawOf(s.text))) : s.text;
    if (s.bkMode == OPAQUE)
        fillDeviceRect(QRect(x, y, width, fm.ascent() + fm.descent()), s.bk);
    paintWithPainter([&](QPainter& p) {
        QFont pf = f;
        if (mono)
            pf.setStyleStrategy(QFont::NoAntialias);
        p.setFont(pf);
        p.setPen(qcolor(textColor));
        bool justified = false;
        for (int a : add)
            justified = justified || a != 0;
        if (!justified) {
            p.drawText(QPoint(x, y + fm.ascent()), text);
        } else {
            // Word by word, each blank widened by its share.
            const QFontMetricsF fmf(pf);
            qreal cx = x;
            int start = 0;
            for (int i = 0; i <= text.size(); ++i) {
                if (i == text.size() || text[i] == QLatin1Char(' ')) {
                    const QString part = text.mid(start, i - start);
                    p.drawText(QPointF(cx, y + fm.ascent()), part);
                    cx += fmf.horizontalAdvance(text.mid(start, i - start + (i < text.size() ? 1 : 0)));
                    if (i < text.size())
                        cx += add[size_t(i)];
                    start = i + 1;
                }
            }
        }
        if (prefixAt >= 0 && prefixAt < text.size()) {
            // The prefixed character is underlined just below the base line.
            const int left = x + fm.horizontalAdvance(text.left(prefixAt));
            const int w = fm.horizontalAdvance(text.mid(prefixAt, 1));
            p.fillRect(QRect(left, y + fm.ascent() + 1, std::max(1, w), 1), qcolor(textColor));
        }
    });
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    return ExtTextOut(x, y, 0, nullptr, text, nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const std::string& text, const int* dx)
{
    if (m_target->info)
        return TRUE;
    GUARD_TARGET();
    State& s = *m_state;
    const QString t = QString::fromStdString(text);
    const QFontMetrics fm(font());
    if ((options & ETO_OPAQUE) && rect)
        fillDeviceRect(toDevice(rect->left, rect->top, rect->right, rect->bottom), s.bk);
    SIZE ext;
    GetTextExtentPoint32(text, &ext);
    if (dx) {
        ext.cx = 0;
        for (int i = 0; i < t.size(); ++i)
            ext.cx += dx[i];
    }
    QPoint p = (s.textAlign & TA_UPDATECP) ? toDevice(s.pos.x, s.pos.y) : toDevice(x, y);
    const UINT h = s.textAlign & TA_CENTER;
    if (h == TA_CENTER)
        p.rx() -= ext.cx / 2;
    else if (h == TA_RIGHT)
        p.rx() -= ext.cx;
    if ((s.textAlign & TA_BASELINE) == TA_BASELINE)
        p.ry() -= fm.ascent();
    else if (s.textAlign & TA_BOTTOM)
        p.ry() -= fm.ascent() + fm.descent();
    std::optional<QRegion> savedClip = s.clip;
    if ((options & ETO_CLIPPED) && rect) {
        const QRegion r(toDevice(rect->left, rect->top, rect->right, rect->bottom));
        s.clip = s.clip ? (*s.clip & r) : r;
    }
    const int saveMode = s.bkMode;
    if ((options & ETO_OPAQUE) && rect)
        s.bkMode = TRANSPARENT;
    if (dx) {
        int cx = p.x();
        for (int i = 0; i < t.size(); ++i) {
            textLine(cx, p.y(), t.mid(i, 1), -1);
            cx += dx[i];
        }
    } else {
        textLine(p.x(), p.y(), t, -1);
    }
    s.bkMode = saveMode;
    s.clip = savedClip;
    if (s.textAlign & TA_UPDATECP)
        s.pos.x += ext.cx;
    return TRUE;
}

namespace {

// "&&" is an ampersand; "&x" shows x underlined. Returns the text shown and
// the index of the underlined character (-1 for none).
QString stripPrefix(const QString& in, int& underline, bool hide)
{
    QString out;
    underline = -1;
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] == QLatin1Char('&')) {
            if (i + 1 < in.size() && in[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
                continue;
            }
            if (i + 1 < in.size()) {
                if (!hide)
                    underline = int(out.size());
                continue;
            }
            continue; // a lone "&" at the end shows nothing
        }
        out += in[i];
    }
    return out;
}

} // namespace

int CDC::DrawText(const std::string& text, LPRECT rect, UINT format)
{
    if (!rect)
        return 0;
    GUARD_TARGET();
    const QFontMetrics fm(font());
    const int lineHeight = fm.ascent() + fm.descent();
    const int width = rect->right - rect->left;
    QString all = QString::fromStdString(text);
    if (format & DT_EXPANDTABS)
        all.replace(QLatin1Char('\t'), QString(8, QLatin1Char(' ')));
    auto extent = [&](const QString& t) {
        SIZE s;
        GetTextExtentPoint32(t.toStdString(), &s);
        return int(s.cx);
    };
    // Lines of the text, each with its underlined character.
    struct Line {
        QString text;
        int prefix = -1;
    };
    std::vector<Line> lines;
    QStringList paragraphs;
    if (format & DT_SINGLELINE) {
        QString one = all;
        one.remove(QLatin1Char('\r'));
        one.replace(QLatin1Char('\n'), QLatin1Char(' '));
        paragraphs << one;
    } else {
        all.remove(QLatin1Char('\r'));
        paragraphs = all.split(QLatin1Char('\n'));
    }
    for (const QString& para : paragraphs) {
        int prefix = -1;
        const QString shown = (format & DT_NOPREFIX) ? para : stripPrefix(para, prefix, format & DT_HIDEPREFIX);
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || extent(shown) <= width) {
            lines.push_back({shown, prefix});
            continue;
        }
        // Words go on a line while they fit; a word wider than the line stands alone.
        int start = 0;
        while (start < shown.size()) {
            int end = start;
            int lastBreak = -1;
            while (end < shown.size()) {
                if (shown[end] == QLatin1Char(' '))
                    lastBreak = end;
                if (extent(shown.mid(start, end - start + 1)) > width && end > start)
                    break;
                ++end;
            }
            if (end < shown.size() && lastBreak > start)
                end = lastBreak;
            else if (end < shown.size() && lastBreak < 0) {
                // No blank before the edge: the word runs on to its end.
                while (end < shown.size() && shown[end] != QLatin1Char(' '))
                    ++end;
            }
            QString piece = shown.mid(start, end - start);
            const int piecePrefix = (prefix >= start && prefix < end) ? prefix - start : -1;
            while (piece.endsWith(QLatin1Char(' ')))
                piece.chop(1);
            lines.push_back({piece, piecePrefix});
            start = end;
            while (start < shown.size() && shown[start] == QLatin1Char(' '))
                ++start;
        }
    }
    if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT)) {
        for (Line& l : lines) {
            if (extent(l.text) <= width)
                continue;
            QString t = l.text;
            while (!t.isEmpty() && extent(t + "...") > width)
                t.chop(1);
            l.text = t + "...";
            if (l.prefix >= t.size())
                l.prefix = -1;
        }
    }
    int widest = 0;
    for (const Line& l : lines)
        widest = std::max(widest, extent(l.text));
    const int height = lineHeight * int(lines.size());
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    State& s = *m_state;
    const std::optional<QRegion> savedClip = s.clip;
    if (!(format & DT_NOCLIP)) {
        const QRegion r(toDevice(rect->left, rect->top, rect->right, rect->bottom));
        s.clip = s.clip ? (*s.clip & r) : r;
    }
    const int top = y;
    for (const Line& l : lines) {
        const int w = extent(l.text);
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (width - w) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - w;
        const QPoint p = toDevice(x, y);
        textLine(p.x(), p.y(), l.text, l.prefix);
        y += lineHeight;
    }
    s.clip = savedClip;
    return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? top - rect->top + height : height;
}
