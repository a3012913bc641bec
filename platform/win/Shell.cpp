#include "platform/win/Shell.h"

#include "platform/win/WndImpl.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace win {
namespace {

ShellLauncher& launcher()
{
    static ShellLauncher l;
    return l;
}

std::vector<ShellRequest>& log()
{
    static std::vector<ShellRequest> l;
    return l;
}

bool headless()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    const QString p = QGuiApplication::platformName();
    return p == "offscreen" || p == "minimal";
}

bool isWebAddress(const std::string& file)
{
    return file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0 || file.rfind("www.", 0) == 0;
}

// The file a request names: relative paths against its directory; stored
// Windows-style separators are tried as "/" when the name as given is missing.
fs::path resolve(const std::string& file, const std::string& directory)
{
    fs::path p(file);
    if (p.is_relative() && !directory.empty())
        p = fs::path(directory) / p;
    std::error_code ec;
    if (!fs::exists(p, ec) && file.find('\\') != std::string::npos) {
        std::string slashed = p.string();
        for (char& c : slashed)
            if (c == '\\')
                c = '/';
        if (fs::exists(slashed, ec))
            return fs::path(slashed);
    }
    return p;
}

int defaultLaunch(const ShellRequest& r)
{
    if (headless())
        return SE_OK; // nothing is ever started without a desktop
    const QString file = QString::fromStdString(r.file);
    if (r.verb == "print")
        return QProcess::startDetached("lp", {file}) ? SE_OK : SE_ERR_NOASSOC;
    if (isWebAddress(r.file)) {
        const QUrl url = QUrl::fromUserInput(file);
        return QDesktopServices::openUrl(url) ? SE_OK : SE_ERR_NOASSOC;
    }
    std::error_code ec;
    const fs::perms perms = fs::status(r.file, ec).permissions();
    const bool program = fs::is_regular_file(r.file, ec) && (perms & fs::perms::owner_exec) != fs::perms::none;
    if (program) {
        const QStringList args = QProcess::splitCommand(QString::fromStdString(r.parameters));
        return QProcess::startDetached(file, args, QString::fromStdString(r.directory)) ? SE_OK
                                                                                         : SE_ERR_ACCESSDENIED;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file)) ? SE_OK : SE_ERR_NOASSOC;
}

} // namespace

ShellLauncher SetShellLauncher(ShellLauncher l)
{
    ShellLauncher old = std::move(launcher());
    launcher() = std::move(l);
    return old;
}

const std::vector<ShellRequest>& ShellLog() { return log(); }
void ClearShellLog() { log().clear(); }

std::string GetCurrentDirectory()
{
    std::error_code ec;
    const fs::path p = fs::current_path(ec);
    return ec ? std::string() : p.string();
}

bool SetCurrentDirectory(const std::string& folder)
{
    if (folder.empty())
        return false;
    std::error_code ec;
    fs::current_path(folder, ec);
    return !ec;
}

} // namespace win

INT_PTR ShellExecute(HWND /*owner*/, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory, int show)
{
    win::ShellRequest req{verb.empty() ? std::string("open") : verb, file, parameters, directory, show};
    win::log().push_back(req);
    if (req.verb != "open" && req.verb != "print")
        return SE_ERR_NOASSOC;
    if (!win::isWebAddress(file)) {
        if (file.empty())
            return SE_ERR_FNF;
        const fs::path p = win::resolve(file, directory);
        std::error_code ec;
        if (!fs::exists(p, ec)) {
            const fs::path parent = p.parent_path();
            return !parent.empty() && !fs::is_directory(parent, ec) ? SE_ERR_PNF : SE_ERR_FNF;
        }
        req.file = fs::absolute(p, ec).string();
    }
    return win::launcher() ? win::launcher()(req) : win::defaultLaunch(req);
}

UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size)
{
    if (!drop)
        return 0;
    const std::vector<std::string>& files = drop->files;
    if (index == 0xFFFFFFFF)
        return UINT(files.size());
    if (index >= files.size())
        return 0;
    const std::string& f = files[index];
    if (!buffer)
        return UINT(f.size());
    if (size == 0)
        return 0;
    const size_t n = std::min<size_t>(f.size(), size - 1);
    f.copy(buffer, n);
    buffer[n] = '\0';
    return UINT(n);
}

BOOL DragQueryPoint(HDROP drop, POINT* point)
{
    if (!drop || !point)
        return FALSE;
    *point = drop->point;
    return TRUE;
}

void DragFinish(HDROP) {}

void DragAcceptFiles(HWND hWnd, BOOL accept)
{
    if (CWnd* w = CWnd::FromHandle(hWnd))
        w->ModifyStyleEx(accept ? 0 : WS_EX_ACCEPTFILES, accept ? WS_EX_ACCEPTFILES : 0);
}
