#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>

namespace win {
namespace {

MessageBoxAnswerer& answerer()
{
    static MessageBoxAnswerer a;
    return a;
}

std::vector<MessageBoxRequest>& log()
{
    static std::vector<MessageBoxRequest> l;
    return l;
}

bool headless()
{
    if (!qApp)
        return true;
    const QString p = QGuiApplication::platformName();
    return p == "offscreen" || p == "minimal";
}

// The buttons of a type, in the order Windows shows them.
std::vector<int> buttons(UINT type)
{
    switch (type & 0xf) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

QMessageBox::StandardButton toQt(int id)
{
    switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

} // namespace

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer a)
{
    MessageBoxAnswerer old = std::move(answerer());
    answerer() = std::move(a);
    return old;
}

const std::vector<MessageBoxRequest>& MessageBoxLog() { return log(); }
void ClearMessageBoxLog() { log().clear(); }

int DefaultMessageBoxResult(UINT type)
{
    const std::vector<int> b = buttons(type);
    const size_t index = (type & 0xf00) >> 8;
    return index < b.size() ? b[index] : b.front();
}

} // namespace win

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    win::MessageBoxRequest req{owner, text, caption.empty() ? kAppCaption : caption, type};
    win::log().push_back(req);
    if (win::answerer()) {
        if (std::optional<int> r = win::answerer()(req))
            return *r;
    }
    if (win::headless())
        return win::DefaultMessageBoxResult(type);

    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(req.caption));
    box.setText(QString::fromStdString(text));
    switch (type & 0xf0) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    for (int id : win::buttons(type))
        box.addButton(win::toQt(id));
    box.setDefaultButton(win::toQt(win::DefaultMessageBoxResult(type)));
    const int pressed = box.exec();
    for (int id : win::buttons(type))
        if (pressed == int(win::toQt(id)))
            return id;
    // Closed with Esc or the title bar: Cancel where there is one, else the default.
    for (int id : win::buttons(type))
        if (id == IDCANCEL)
            return id;
    return win::DefaultMessageBoxResult(type);
}

int AfxMessageBox(const std::string& text, UINT type, UINT /*helpId*/)
{
    return MessageBox(nullptr, text, kAppCaption, type);
}
