// CChoreoDb: a folder of plain-text choreographies read into one level table.
#include "store/ChoreoDb.h"

#include "store/ChoreoDbDetail.h"
#include "store/DataFile.h"
#include "store/ImportChooser.h"
#include "store/TextReplace.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The files of a folder (not its sub-folders), in name order so that an import is repeatable.
std::vector<fs::path> filesOf(const std::string& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int CChoreoDb::ImportTextFolder(CImportChooser& chooser)
{
    const std::string folder = chooser.ChooseFolder();
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return 0;
    // A cancelled level choice is no choice of Basic.
    const std::string level = chooser.ChooseLevel();
    if (!IsTable(level) || level == "any")
        return 0;

    Create();
    BeginBatch();
    int added = 0;
    for (const fs::path& file : filesOf(folder)) {
        const std::string fileName = file.filename().string();
        if (m_fn.GetExtension(fileName) != "TXT")
            continue;
        CDataFile text;
        if (!text.Open(file.string(), CDataFile::modeRead))
            continue;
        std::string value;
        std::string line;
        while (text.ReadLine(line))
            value += line + "<br>";
        text.Close();

        const std::string name = store::ReplaceAll(choreodb::Lower(m_fn.FileTitleFromPath(fileName)), "m53_", "b_");
        if (HasEntry(level, name, 0))
            continue; // the stored entry keeps its type and text
        SaveEntry(level, name, std::string(), value, 0, 0);
        ++added;
    }
    CommitBatch();
    return added;
}
