#include "store/ShellFileOp.h"

#include <fnmatch.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool hasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// The files a source names: itself, or the files its wildcard name matches.
bool expand(const std::string& source, std::vector<fs::path>& files)
{
    const fs::path p(source);
    const std::string name = p.filename().string();
    std::error_code ec;
    if (!hasWildcard(name)) {
        if (!fs::is_regular_file(p, ec))
            return false;
        files.push_back(p);
        return true;
    }
    const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    bool any = false;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && fnmatch(name.c_str(), it->path().filename().c_str(), 0) == 0) {
            files.push_back(it->path());
            any = true;
        }
    }
    return any;
}

} // namespace

void CShellFileOp::AddFile(int toDestination, const std::string& path)
{
    (toDestination ? m_destinations : m_sources).push_back(path);
}

int CShellFileOp::Copy()
{
    if (m_sources.empty())
        return kInvalidFiles;
    std::vector<fs::path> files;
    bool wildcard = false;
    for (const std::string& s : m_sources) {
        wildcard = wildcard || hasWildcard(fs::path(s).filename().string());
        if (!expand(s, files))
            return kNoSource;
    }

    std::error_code ec;
    const fs::path dest = m_destinations.empty() ? fs::current_path(ec) : fs::path(m_destinations.front());
    const std::string destText = dest.string();
    const bool endsWithSeparator = !destText.empty() && (destText.back() == '/' || destText.back() == '\\');
    const bool intoFolder = m_sources.size() > 1 || wildcard || endsWithSeparator || fs::is_directory(dest, ec);

    const fs::path folder = intoFolder ? dest : dest.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec)
            return kAccessDenied;
    }

    const bool replace = (m_flags & FOF_NOCONFIRMATION) != 0;
    for (const fs::path& file : files) {
        const fs::path target = intoFolder ? dest / file.filename() : dest;
        if (fs::exists(target, ec)) {
            if (fs::equivalent(file, target, ec))
                return kSameFile;
            if (!replace)
                return kFileExists;
        }
        fs::copy_file(file, target, fs::copy_options::overwrite_existing, ec);
        if (ec)
            return kAccessDenied;
    }
    return 0;
}
