#include "managers/ListFile.h"

#include "platform/win/MessageBox.h"
#include "store/DataFile.h"
#include "store/TextReplace.h"

#include <cstdio>

namespace listfile {

bool WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = true;
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), f) != line.size() || std::fputs("\r\n", f) == EOF) {
            ok = false;
            break;
        }
    }
    if (std::fclose(f) != 0)
        ok = false;
    return ok;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    CDataFile file;
    if (!file.Open(path, CDataFile::modeRead))
        return false;
    std::string line;
    while (file.ReadLine(line))
        lines.push_back(store::TrimRight(line));
    file.Close();
    return true;
}

bool IsExtLine(const std::string& line) { return line.compare(0, 4, "#EXT") == 0; }

bool IsReadablePath(const std::string& path) { return path.size() > 4; }

void ReportCannotCreate() { AfxMessageBox("Unable To Open The File!", MB_OK | MB_ICONINFORMATION); }

} // namespace listfile
