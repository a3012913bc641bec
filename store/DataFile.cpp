#include "store/DataFile.h"

#include "store/TextEncoding.h"
#include "platform/win/WholeFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool writeBytes(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    return written && flushed && closed;
}

} // namespace

CDataFile::~CDataFile() { Close(); }

std::string CDataFile::ToDiskText(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

int CDataFile::Open(const std::string& path, unsigned mode)
{
    std::error_code ec;
    if (path.empty() || fs::is_directory(path, ec))
        return 0;
    if (mode & modeCreate) {
        const bool keep = (mode & modeNoTruncate) && fs::exists(path, ec);
        if (!keep) {
            std::FILE* created = std::fopen(path.c_str(), "wb");
            if (!created)
                return 0;
            std::fclose(created);
        }
    }
    const bool write = (mode & 0x3) != modeRead;
    std::FILE* f = std::fopen(path.c_str(), write ? "r+b" : "rb");
    if (!f)
        return 0;
    Close();
    m_file = f;
    m_path = path;
    m_mode = mode;
    return 1;
}

int CDataFile::OpenAndClose(const std::string& path, unsigned mode)
{
    const int ok = Open(path, mode);
    Close();
    return ok;
}

int CDataFile::Exists(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec))
        return kFileMissing;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return kFileMissing;
    std::fclose(f);
    return kFileExists;
}

void CDataFile::Close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool CDataFile::ReadRaw(std::string& line)
{
    line.clear();
    if (!m_file)
        return false;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(m_file)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line += static_cast<char>(c);
    }
    return any;
}

bool CDataFile::ReadLine(std::string& line)
{
    if (!ReadRaw(line))
        return false;
    if (!(m_mode & typeBinary)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = store::ToProgramText(line);
    }
    return true;
}

int CDataFile::CountLines()
{
    if (!m_file)
        return 0;
    std::rewind(m_file);
    int count = 0;
    std::string line;
    while (ReadRaw(line))
        ++count;
    return count;
}

int CDataFile::GoToLine(int n)
{
    if (!m_file)
        return 0;
    if (n <= 0) {
        m_line = 1;
        std::rewind(m_file);
        return 1;
    }
    const int count = CountLines();
    if (n > count) {
        m_line = count + 1;
        std::fseek(m_file, 0, SEEK_END);
        return 1;
    }
    std::rewind(m_file);
    std::string skipped;
    for (int i = 1; i < n; ++i)
        ReadRaw(skipped);
    // Seeking to where the reads stopped lets a write follow them.
    std::fseek(m_file, std::ftell(m_file), SEEK_SET);
    m_line = n;
    return 1;
}

bool CDataFile::ReadAll(std::vector<std::string>& lines, bool& lastEnded)
{
    lines.clear();
    lastEnded = false;
    std::rewind(m_file);
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, m_file)) > 0)
        bytes.append(buffer, got);
    if (std::ferror(m_file))
        return false;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        size_t end = lf;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
        lastEnded = start == bytes.size();
    }
    return true;
}

bool CDataFile::WriteAll(const std::vector<std::string>& lines, bool lastEnded)
{
    std::string bytes;
    for (size_t i = 0; i < lines.size(); ++i) {
        bytes += ToDiskText(lines[i]);
        if (i + 1 < lines.size() || lastEnded)
            bytes += "\r\n";
    }

    // Written beside the file and renamed over it; a folder that takes no new
    // files may still hold a writable file. The log is rewritten per line: the
    // rename alone keeps it whole.
    if (!win::WriteWholeFile(m_path, bytes, nullptr, false) && !writeBytes(m_path, bytes))
        return false;

    std::FILE* reopened = std::fopen(m_path.c_str(), (m_mode & 0x3) != modeRead ? "r+b" : "rb");
    Close();
    m_file = reopened;
    return m_file != nullptr;
}

bool CDataFile::EditLine(std::string& text, int mode)
{
    if (!m_file || (m_mode & 0x3) == modeRead)
        return false;
    std::vector<std::string> lines;
    bool lastEnded = false;
    if (!ReadAll(lines, lastEnded))
        return false;
    const int count = static_cast<int>(lines.size());
    int line = m_line < 1 ? 1 : m_line;

    switch (mode) {
    case kInsert:
        if (count == 0) {
            lines.push_back(text);
            lastEnded = true;
        } else if (line > count) {
            // Past the last line: the text becomes the new last line, without a break after it.
            lines.push_back(text);
            lastEnded = false;
        } else {
            lines.insert(lines.begin() + (line - 1), text);
        }
        break;
    case kReplace:
        if (count == 0) {
            lines.push_back(text);
        } else {
            line = std::min(line, count);
            lines[line - 1] = text;
            if (line < count)
                break;
        }
        lastEnded = false;
        break;
    case kDelete:
        if (count == 0)
            return true;
        line = std::min(line, count);
        text = (m_mode & typeBinary) ? lines[line - 1] : store::ToProgramText(lines[line - 1]);
        lines.erase(lines.begin() + (line - 1));
        if (line == count)
            lastEnded = false;
        break;
    default:
        return false;
    }
    return WriteAll(lines, lastEnded);
}

void CDataFile::RemoveFile(const std::string& path)
{
    std::error_code ec;
    const bool removed = fs::remove(path, ec);
    if (ec)
        throw fs::filesystem_error("cannot delete the file", path, ec);
    if (!removed)
        throw fs::filesystem_error("cannot delete the file", path,
                                   std::make_error_code(std::errc::no_such_file_or_directory));
}
