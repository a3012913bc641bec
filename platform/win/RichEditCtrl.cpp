#include "platform/win/RichEditCtrl.h"

#include "platform/win/Rtf.h"
#include "platform/win/WidgetGlue.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using win::detail::Widget;

// Streams larger than this are cut; a rich-edit document of 64 MB is no lyrics sheet.
constexpr size_t kMaxStreamBytes = 64u << 20;

QTextEdit* edit(const CWnd* w) { return qobject_cast<QTextEdit*>(w->widget()); }

QString textFromBytes(const std::string& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString s = utf8(QByteArray::fromStdString(bytes));
    if (!utf8.hasError())
        return s;
    // Not UTF-8: the Windows code page the old files were written in.
    s.clear();
    s.reserve(qsizetype(bytes.size()));
    for (unsigned char c : bytes)
        s += QChar(char16_t(win::rtf::FromCp1252(c)));
    return s;
}

QTextCharFormat toQt(const win::rtf::CharFormat& f)
{
    QTextCharFormat q;
    q.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(f.italic);
    q.setFontUnderline(f.underline);
    if (!f.face.empty())
        q.setFontFamilies(QStringList{QString::fromStdString(f.face)});
    if (f.halfPoints > 0)
        q.setFontPointSize(f.halfPoints / 2.0);
    if (f.hasColor)
        q.setForeground(QColor(GetRValue(f.color), GetGValue(f.color), GetBValue(f.color)));
    return q;
}

win::rtf::CharFormat fromQt(const QTextCharFormat& q)
{
    win::rtf::CharFormat f;
    f.bold = q.fontWeight() >= QFont::DemiBold;
    f.italic = q.fontItalic();
    f.underline = q.fontUnderline();
    if (q.hasProperty(QTextFormat::FontFamilies))
        f.face = q.fontFamilies().toStringList().value(0).toStdString();
    if (q.hasProperty(QTextFormat::FontPointSize))
        f.halfPoints = int(std::lround(q.fontPointSize() * 2));
    if (q.hasProperty(QTextFormat::ForegroundBrush) && q.foreground().style() != Qt::NoBrush) {
        const QColor c = q.foreground().color();
        f.hasColor = true;
        f.color = RGB(c.red(), c.green(), c.blue());
    }
    return f;
}

void fillDocument(QTextDocument& doc, const win::rtf::Document& model)
{
    QTextCursor c(&doc);
    for (size_t p = 0; p < model.paragraphs.size(); ++p) {
        if (p)
            c.insertBlock();
        for (const auto& run : model.paragraphs[p].runs) {
            QString t = QString::fromStdString(run.text);
            t.replace(QChar('\n'), QChar::LineSeparator);
            c.insertText(t, toQt(run.format));
        }
    }
}

win::rtf::Document modelOf(const QTextDocument& doc)
{
    win::rtf::Document model;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        win::rtf::Paragraph para;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            QString t = frag.text();
            t.replace(QChar::LineSeparator, QChar('\n'));
            t.remove(QChar::ObjectReplacementCharacter);
            if (t.isEmpty())
                continue;
            win::rtf::Run run{t.toStdString(), fromQt(frag.charFormat())};
            if (!para.runs.empty() && para.runs.back().format == run.format)
                para.runs.back().text += run.text;
            else
                para.runs.push_back(std::move(run));
        }
        model.paragraphs.push_back(std::move(para));
    }
    return model;
}

// The text with its lines, as the control counts them: a line ends at a
// paragraph break or a line break, each one character.
QString plainText(const QTextEdit* e)
{
    return e ? e->document()->toPlainText() : QString();
}

std::vector<int> lineStarts(const QString& text)
{
    std::vector<int> starts{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QChar('\n'))
            starts.push_back(i + 1);
    return starts;
}

int lineOf(const std::vector<int>& starts, int charIndex)
{
    auto it = std::upper_bound(starts.begin(), starts.end(), charIndex);
    return int(it - starts.begin()) - 1;
}

} // namespace

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("RichEdit20A", "", style | WS_CHILD, rect, parent, id);
}

QWidget* CRichEditCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    auto* e = new Widget<QTextEdit>(parent);
    e->setReadOnly(style & ES_READONLY);
    e->setLineWrapMode((style & WS_HSCROLL) || (style & ES_AUTOHSCROLL) ? QTextEdit::NoWrap
                                                                         : QTextEdit::WidgetWidth);
    e->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    e->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    win::detail::ApplyFocusPolicy(e, style, Qt::ClickFocus);
    return e;
}

bool CRichEditCtrl::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QTextEdit*>(w) != nullptr;
}

LRESULT CRichEditCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QTextEdit* e = edit(this);
    if (!e)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT: {
        QString t = QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : "");
        t.replace("\r\n", "\n");
        e->setPlainText(t);
        return TRUE;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        QString t = plainText(e);
        t.replace("\n", "\r\n");
        const std::string s = t.toStdString();
        return message == WM_GETTEXTLENGTH ? LRESULT(s.size()) : win::detail::CopyTextOut(s, wParam, lParam);
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

long CRichEditCtrl::StreamIn(int format, EDITSTREAM& es)
{
    QTextEdit* e = edit(this);
    es.dwError = 0;
    if (!e || !es.pfnCallback)
        return 0;
    std::string bytes;
    BYTE buffer[4096];
    for (;;) {
        LONG done = 0;
        const DWORD err = es.pfnCallback(es.dwCookie, buffer, LONG(sizeof buffer), &done);
        if (err) {
            es.dwError = err;
            break;
        }
        if (done <= 0)
            break;
        bytes.append(reinterpret_cast<const char*>(buffer), size_t(std::min<LONG>(done, sizeof buffer)));
        if (bytes.size() > kMaxStreamBytes) {
            bytes.resize(kMaxStreamBytes);
            break;
        }
    }

    QTextDocument incoming;
    incoming.setDefaultFont(e->font());
    if ((format & SF_RTF) && win::rtf::LooksLikeRtf(bytes)) {
        fillDocument(incoming, win::rtf::Read(bytes));
    } else {
        QString t = textFromBytes(bytes);
        t.replace("\r\n", "\n");
        t.replace(QChar('\r'), QChar('\n'));
        incoming.setPlainText(t);
    }
    const long chars = long(incoming.characterCount() - 1);

    if (format & SFF_SELECTION) {
        e->textCursor().insertFragment(QTextDocumentFragment(&incoming));
    } else {
        QTextDocument* doc = e->document();
        doc->setUndoRedoEnabled(false);
        doc->clear();
        QTextCursor c(doc);
        c.insertFragment(QTextDocumentFragment(&incoming));
        doc->setUndoRedoEnabled(true);
        doc->setModified(false);
        e->moveCursor(QTextCursor::Start);
    }
    return chars;
}

long CRichEditCtrl::StreamOut(int format, EDITSTREAM& es)
{
    QTextEdit* e = edit(this);
    es.dwError = 0;
    if (!e || !es.pfnCallback)
        return 0;
    QTextDocument selectionDoc;
    const QTextDocument* source = e->document();
    if (format & SFF_SELECTION) {
        QTextCursor(&selectionDoc).insertFragment(e->textCursor().selection());
        source = &selectionDoc;
    }
    std::string bytes;
    if (format & SF_RTF) {
        bytes = win::rtf::Write(modelOf(*source));
    } else {
        QString t = source->toPlainText();
        t.replace("\n", "\r\n");
        bytes = t.toStdString();
    }
    size_t pos = 0;
    while (pos < bytes.size()) {
        const LONG n = LONG(std::min<size_t>(4096, bytes.size() - pos));
        LONG done = 0;
        std::string piece = bytes.substr(pos, size_t(n));
        const DWORD err = es.pfnCallback(es.dwCookie, reinterpret_cast<LPBYTE>(piece.data()), n, &done);
        if (err) {
            es.dwError = err;
            break;
        }
        if (done <= 0)
            break;
        pos += size_t(std::min(done, n));
    }
    return long(pos);
}

int CRichEditCtrl::GetLineCount() const
{
    return int(lineStarts(plainText(edit(this))).size());
}

int CRichEditCtrl::LineFromChar(int charIndex) const
{
    QTextEdit* e = edit(this);
    if (!e)
        return 0;
    if (charIndex < 0)
        charIndex = e->textCursor().position();
    return lineOf(lineStarts(plainText(e)), charIndex);
}

int CRichEditCtrl::LineIndex(int line) const
{
    QTextEdit* e = edit(this);
    if (!e)
        return -1;
    const auto starts = lineStarts(plainText(e));
    if (line < 0)
        line = lineOf(starts, e->textCursor().position());
    return line < int(starts.size()) ? starts[size_t(line)] : -1;
}

int CRichEditCtrl::LineLength(int charIndex) const
{
    // In bytes of the UTF-8 text, so GetLine's copy of that many bytes is the whole line.
    QTextEdit* e = edit(this);
    if (!e)
        return 0;
    const QString text = plainText(e);
    const auto starts = lineStarts(text);
    if (charIndex < 0)
        charIndex = e->textCursor().position();
    if (charIndex > text.size())
        return 0;
    const int line = lineOf(starts, charIndex);
    const int begin = starts[size_t(line)];
    const int end = line + 1 < int(starts.size()) ? starts[size_t(line) + 1] - 1 : int(text.size());
    return int(text.mid(begin, end - begin).toStdString().size());
}

int CRichEditCtrl::GetLine(int line, char* buffer, int maxLength) const
{
    QTextEdit* e = edit(this);
    if (!e || !buffer || maxLength <= 0 || line < 0)
        return 0;
    const QString text = plainText(e);
    const auto starts = lineStarts(text);
    if (line >= int(starts.size()))
        return 0;
    const int begin = starts[size_t(line)];
    const int end = line + 1 < int(starts.size()) ? starts[size_t(line) + 1] - 1 : int(text.size());
    const std::string s = text.mid(begin, end - begin).toStdString();
    const size_t n = std::min(s.size(), size_t(maxLength));
    std::memcpy(buffer, s.data(), n);
    return int(n);
}

void CRichEditCtrl::LineScroll(int lines, int chars)
{
    QTextEdit* e = edit(this);
    if (!e)
        return;
    const int step = e->fontMetrics().lineSpacing();
    e->verticalScrollBar()->setValue(e->verticalScrollBar()->value() + lines * step);
    e->horizontalScrollBar()->setValue(e->horizontalScrollBar()->value() +
                                       chars * e->fontMetrics().averageCharWidth());
}

void CRichEditCtrl::GetSel(long& start, long& end) const
{
    start = end = 0;
    if (QTextEdit* e = edit(this)) {
        const QTextCursor c = e->textCursor();
        start = c.selectionStart();
        end = c.selectionEnd();
    }
}

void CRichEditCtrl::SetSel(long start, long end)
{
    QTextEdit* e = edit(this);
    if (!e)
        return;
    const long last = e->document()->characterCount() - 1;
    QTextCursor c = e->textCursor();
    if (start < 0) { // (-1, ...) removes the selection
        c.clearSelection();
    } else {
        if (end < 0 || end > last)
            end = last;
        start = std::min(start, last);
        c.setPosition(int(start));
        c.setPosition(int(end), QTextCursor::KeepAnchor);
    }
    e->setTextCursor(c);
}

std::string CRichEditCtrl::GetSelText() const
{
    QTextEdit* e = edit(this);
    if (!e)
        return {};
    QString t = e->textCursor().selectedText();
    t.replace(QChar::ParagraphSeparator, "\r\n");
    t.replace(QChar::LineSeparator, "\r\n");
    return t.toStdString();
}

void CRichEditCtrl::ReplaceSel(const std::string& text, BOOL canUndo)
{
    QTextEdit* e = edit(this);
    if (!e)
        return;
    QString t = QString::fromStdString(text);
    t.replace("\r\n", "\n");
    QTextDocument* doc = e->document();
    const bool undo = doc->isUndoRedoEnabled();
    if (!canUndo)
        doc->setUndoRedoEnabled(false);
    e->textCursor().insertText(t);
    if (!canUndo)
        doc->setUndoRedoEnabled(undo);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.dwMask = 0;
    cf.dwEffects = 0;
    QTextEdit* e = edit(this);
    if (!e)
        return 0;
    const QTextCursor cur = e->textCursor();
    std::vector<QTextCharFormat> formats;
    if (!cur.hasSelection()) {
        formats.push_back(cur.charFormat());
    } else {
        const int a = cur.selectionStart(), b = cur.selectionEnd();
        for (QTextBlock bl = e->document()->findBlock(a); bl.isValid() && bl.position() < b; bl = bl.next())
            for (auto it = bl.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.position() < b && f.position() + f.length() > a)
                    formats.push_back(f.charFormat());
            }
        if (formats.empty())
            formats.push_back(cur.charFormat());
    }
    const QFont base = e->font();
    auto all = [&](auto get) {
        return std::all_of(formats.begin(), formats.end(),
                           [&](const QTextCharFormat& f) { return get(f) == get(formats.front()); });
    };
    const auto bold = [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::DemiBold; };
    const auto italic = [](const QTextCharFormat& f) { return f.fontItalic(); };
    const auto underline = [](const QTextCharFormat& f) { return f.fontUnderline(); };
    const auto face = [&](const QTextCharFormat& f) {
        const QString fam = f.fontFamilies().toStringList().value(0);
        return fam.isEmpty() ? base.family() : fam;
    };
    const auto size = [&](const QTextCharFormat& f) {
        const double pt = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : base.pointSizeF();
        return long(std::lround(pt * 20));
    };
    const auto color = [](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().rgb() : 0u;
    };
    const QTextCharFormat& first = formats.front();
    if (all(bold))
        cf.dwMask |= CFM_BOLD;
    if (all(italic))
        cf.dwMask |= CFM_ITALIC;
    if (all(underline))
        cf.dwMask |= CFM_UNDERLINE;
    if (all(face))
        cf.dwMask |= CFM_FACE;
    if (all(size))
        cf.dwMask |= CFM_SIZE;
    if (all(color))
        cf.dwMask |= CFM_COLOR;
    if (bold(first))
        cf.dwEffects |= CFE_BOLD;
    if (italic(first))
        cf.dwEffects |= CFE_ITALIC;
    if (underline(first))
        cf.dwEffects |= CFE_UNDERLINE;
    if (first.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = first.foreground().color();
        cf.crTextColor = RGB(c.red(), c.green(), c.blue());
    } else {
        cf.dwEffects |= CFE_AUTOCOLOR;
    }
    cf.yHeight = LONG(size(first));
    const std::string f = face(first).toStdString();
    std::memset(cf.szFaceName, 0, sizeof cf.szFaceName);
    std::memcpy(cf.szFaceName, f.data(), std::min(f.size(), sizeof cf.szFaceName - 1));
    return cf.dwMask;
}

namespace {

QTextCharFormat mergeFormatOf(const CHARFORMAT& cf)
{
    QTextCharFormat f;
    if (cf.dwMask & CFM_BOLD)
        f.setFontWeight((cf.dwEffects & CFE_BOLD) ? QFont::Bold : QFont::Normal);
    if (cf.dwMask & CFM_ITALIC)
        f.setFontItalic(cf.dwEffects & CFE_ITALIC);
    if (cf.dwMask & CFM_UNDERLINE)
        f.setFontUnderline(cf.dwEffects & CFE_UNDERLINE);
    if ((cf.dwMask & CFM_FACE) && cf.szFaceName[0])
        f.setFontFamilies(QStringList{QString::fromUtf8(cf.szFaceName, int(strnlen(cf.szFaceName, sizeof cf.szFaceName)))});
    if ((cf.dwMask & CFM_SIZE) && cf.yHeight > 0)
        f.setFontPointSize(cf.yHeight / 20.0);
    if ((cf.dwMask & CFM_COLOR) && !(cf.dwEffects & CFE_AUTOCOLOR))
        f.setForeground(QColor(GetRValue(cf.crTextColor), GetGValue(cf.crTextColor), GetBValue(cf.crTextColor)));
    return f;
}

} // namespace

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    QTextEdit* e = edit(this);
    if (!e)
        return FALSE;
    e->mergeCurrentCharFormat(mergeFormatOf(cf));
    return TRUE;
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    QTextEdit* e = edit(this);
    if (!e)
        return FALSE;
    QTextCursor all(e->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(mergeFormatOf(cf));
    return TRUE;
}

BOOL CRichEditCtrl::CanUndo() const
{
    QTextEdit* e = edit(this);
    return e && e->document()->isUndoAvailable();
}

BOOL CRichEditCtrl::CanRedo() const
{
    QTextEdit* e = edit(this);
    return e && e->document()->isRedoAvailable();
}

BOOL CRichEditCtrl::Undo()
{
    if (!CanUndo())
        return FALSE;
    edit(this)->undo();
    return TRUE;
}

BOOL CRichEditCtrl::Redo()
{
    if (!CanRedo())
        return FALSE;
    edit(this)->redo();
    return TRUE;
}

void CRichEditCtrl::EmptyUndoBuffer()
{
    if (QTextEdit* e = edit(this))
        e->document()->clearUndoRedoStacks();
}

void CRichEditCtrl::Copy()
{
    if (QTextEdit* e = edit(this))
        e->copy();
}

void CRichEditCtrl::Cut()
{
    if (QTextEdit* e = edit(this); e && !e->isReadOnly())
        e->cut();
}

void CRichEditCtrl::Paste()
{
    if (QTextEdit* e = edit(this); e && !e->isReadOnly())
        e->paste();
}

void CRichEditCtrl::Clear()
{
    if (QTextEdit* e = edit(this); e && !e->isReadOnly())
        e->textCursor().removeSelectedText();
}

BOOL CRichEditCtrl::GetModify() const
{
    QTextEdit* e = edit(this);
    return e && e->document()->isModified();
}

void CRichEditCtrl::SetModify(BOOL modified)
{
    if (QTextEdit* e = edit(this))
        e->document()->setModified(modified);
}

BOOL CRichEditCtrl::SetReadOnly(BOOL readOnly)
{
    QTextEdit* e = edit(this);
    if (!e)
        return FALSE;
    e->setReadOnly(readOnly);
    SetStyleBits(readOnly ? (GetStyle() | ES_READONLY) : (GetStyle() & ~ES_READONLY));
    return TRUE;
}
