#include "managers/ListFile.h"

#include "platform/win/MessageBox.h"
#include "platform/win/WholeFile.h"
#include "store/DataFile.h"
#include "store/TextReplace.h"

namespace listfile {

bool WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return win::WriteWholeFile(path, bytes);
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
