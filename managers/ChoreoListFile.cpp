#include "managers/ChoreoListFile.h"

#include "managers/ListFile.h"
#include "store/MyFunctions.h"

namespace choreolist {

bool Write(const std::string& path, const std::vector<std::string>& entries)
{
    return listfile::WriteLines(path, entries);
}

std::string TitleOf(const std::string& entry) { return MyFunctions().FileTitleFromPath(entry); }

std::vector<CMemArray> Read(const std::string& path)
{
    std::vector<CMemArray> rows;
    std::vector<std::string> lines;
    if (!listfile::IsReadablePath(path) || !listfile::ReadLines(path, lines))
        return rows;
    const MyFunctions fn;
    for (const std::string& line : lines) {
        if (listfile::IsExtLine(line))
            continue;
        const std::string entry = fn.UnescapeSql(line);
        CMemArray row;
        row.SetCol(0, TitleOf(entry));
        row.SetCol(1, entry);
        rows.push_back(row);
    }
    return rows;
}

} // namespace choreolist
