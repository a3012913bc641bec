#include "platform/win/Edit.h"

#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

using namespace win::detail;

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "Edit", "", style, rect, parent, id);
}

QWidget* CEdit::CreateWidget(QWidget* parent, DWORD style)
{
    QWidget* w = nullptr;
    if (style & ES_MULTILINE) {
        auto* e = new Widget<QPlainTextEdit>(parent);
        e->setReadOnly(style & ES_READONLY);
        e->setLineWrapMode((style & WS_HSCROLL) || (style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                                             : QPlainTextEdit::WidgetWidth);
        e->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        QObject::connect(e, &QPlainTextEdit::textChanged, [e] { NotifyParentOf(e, EN_CHANGE); });
        w = e;
    } else {
        auto* e = new Widget<QLineEdit>(parent);
        e->setReadOnly(style & ES_READONLY);
        e->setFrame((style & WS_BORDER) != 0);
        if (style & ES_PASSWORD)
            e->setEchoMode(QLineEdit::Password);
        if (style & ES_NUMBER)
            e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
        if (style & ES_CENTER)
            e->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        else if (style & ES_RIGHT)
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QObject::connect(e, &QLineEdit::textChanged, [e] { NotifyParentOf(e, EN_CHANGE); });
        w = e;
    }
    ApplyFocusPolicy(w, style, Qt::ClickFocus);
    return w;
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT: {
        const QString t = QString::fromUtf8(lParam ? reinterpret_cast<const char*>(lParam) : "");
        if (auto* e = qobject_cast<QLineEdit*>(widget())) {
            e->setText(t);
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) {
            QString plain = t;
            plain.replace("\r\n", "\n");
            p->setPlainText(plain);
        } else {
            return CWnd::DefWindowProc(message, wParam, lParam);
        }
        return TRUE;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        std::string text;
        if (auto* e = qobject_cast<QLineEdit*>(widget())) {
            text = e->text().toStdString();
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) {
            // Multi-line fields break lines with CR LF, as they did on Windows.
            QString t = p->toPlainText();
            t.replace("\n", "\r\n");
            text = t.toStdString();
        } else {
            return CWnd::DefWindowProc(message, wParam, lParam);
        }
        return message == WM_GETTEXTLENGTH ? LRESULT(text.size()) : CopyTextOut(text, wParam, lParam);
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CEdit::SetSel(int start, int end, BOOL)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget())) {
        const int len = int(e->text().size());
        if (start < 0) {
            e->deselect();
            return;
        }
        if (end < 0 || end > len)
            end = len;
        e->setSelection(start, end - start);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) {
        QTextCursor c = p->textCursor();
        if (start < 0) {
            c.clearSelection();
        } else {
            const int len = p->document()->characterCount() - 1;
            c.setPosition(std::min(start, len));
            c.setPosition(end < 0 ? len : std::min(end, len), QTextCursor::KeepAnchor);
        }
        p->setTextCursor(c);
    }
}

void CEdit::GetSel(int& start, int& end) const
{
    start = end = 0;
    if (auto* e = qobject_cast<QLineEdit*>(widget())) {
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            end = e->selectionEnd();
        } else {
            start = end = e->cursorPosition();
        }
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) {
        start = p->textCursor().selectionStart();
        end = p->textCursor().selectionEnd();
    }
}

void CEdit::ReplaceSel(const std::string& text, BOOL)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget()))
        e->insert(QString::fromStdString(text));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(widget()))
        p->insertPlainText(QString::fromStdString(text));
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget()))
        e->setReadOnly(readOnly);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(widget()))
        p->setReadOnly(readOnly);
    else
        return FALSE;
    return TRUE;
}

void CEdit::LimitText(int maxChars)
{
    if (auto* e = qobject_cast<QLineEdit*>(widget()))
        e->setMaxLength(maxChars > 0 ? maxChars : 32767);
}

bool CEdit::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}
