#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QFileDialog>
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

FileDialogAnswerer& fileAnswerer()
{
    static FileDialogAnswerer a;
    return a;
}

std::vector<FileDialogRequest>& fileLog()
{
    static std::vector<FileDialogRequest> l;
    return l;
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

bool IsHeadless()
{
    if (!qApp)
        return true;
    const QString p = QGuiApplication::platformName();
    return p == "offscreen" || p == "minimal";
}

std::optional<int> AskAnswerer(const MessageBoxRequest& request)
{
    log().push_back(request);
    // Copied: the answerer may install another one while it runs.
    MessageBoxAnswerer a = answerer();
    if (a)
        return a(request);
    return std::nullopt;
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer a)
{
    MessageBoxAnswerer old = std::move(answerer());
    answerer() = std::move(a);
    return old;
}

const std::vector<MessageBoxRequest>& MessageBoxLog() { return log(); }
void ClearMessageBoxLog() { log().clear(); }

FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer a)
{
    FileDialogAnswerer old = std::move(fileAnswerer());
    fileAnswerer() = std::move(a);
    return old;
}

const std::vector<FileDialogRequest>& FileDialogLog() { return fileLog(); }
void ClearFileDialogLog() { fileLog().clear(); }

std::string QtFileFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        // The label's own pattern in brackets goes; Qt shows the patterns itself.
        QString label = parts[i].trimmed();
        if (label.endsWith(')')) {
            const qsizetype open = label.lastIndexOf('(');
            if (open > 0)
                label = label.left(open).trimmed();
        }
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts))
            patterns << (p.trimmed() == "*.*" ? QString("*") : p.trimmed());
        out << label + " (" + patterns.join(' ') + ")";
    }
    return out.join(";;").toStdString();
}

namespace {

QString qtFilter(const std::string& filter) { return QString::fromStdString(QtFileFilter(filter)); }

} // namespace

std::optional<std::vector<std::string>> RunFileDialog(const FileDialogRequest& request)
{
    fileLog().push_back(request);
    FileDialogAnswerer a = fileAnswerer();
    if (a)
        return a(request);
    if (IsHeadless())
        return std::nullopt;
    const QString title = QString::fromStdString(request.title);
    const QString dir = QString::fromStdString(request.initialDir.empty() ? request.fileName
                                                                          : request.initialDir + "/" + request.fileName);
    std::vector<std::string> paths;
    if (request.folder) {
        const QString d = QFileDialog::getExistingDirectory(nullptr, title, QString::fromStdString(request.initialDir));
        if (!d.isEmpty())
            paths.push_back(d.toStdString());
    } else if (!request.open) {
        const QString f = QFileDialog::getSaveFileName(nullptr, title, dir, qtFilter(request.filter));
        if (!f.isEmpty())
            paths.push_back(f.toStdString());
    } else if (request.multiple) {
        for (const QString& f : QFileDialog::getOpenFileNames(nullptr, title, dir, qtFilter(request.filter)))
            paths.push_back(f.toStdString());
    } else {
        const QString f = QFileDialog::getOpenFileName(nullptr, title, dir, qtFilter(request.filter));
        if (!f.isEmpty())
            paths.push_back(f.toStdString());
    }
    if (paths.empty())
        return std::nullopt;
    return paths;
}

std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& startFolder)
{
    FileDialogRequest r;
    r.owner = owner;
    r.folder = true;
    r.title = title;
    r.initialDir = startFolder;
    std::optional<std::vector<std::string>> paths = RunFileDialog(r);
    return paths && !paths->empty() ? paths->front() : std::string();
}

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
    if (std::optional<int> r = win::AskAnswerer(req))
        return *r;
    if (win::IsHeadless())
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
