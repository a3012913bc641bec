#include "managers/PlaylistRows.h"

#include "managers/ListFile.h"
#include "managers/ManagerPage.h"
#include "managers/PlaylistPreview.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace playlistrows {

void LabelAndTitle(const std::string& path, int namingMode, std::string& label, std::string& title)
{
    const MyFunctions fn;
    const std::string fileTitle = fn.FileTitleFromPath(path);
    label = fn.LabelPart(fileTitle);
    title = fn.TitlePart(fileTitle);
    if (namingMode == 1 && label.empty()) {
        label = title;
        title.clear();
    }
}

std::string LengthText(int seconds)
{
    std::string text = MyFunctions().SecondsToText(seconds);
    if (text.size() == 4)
        text = "0" + text;
    return text;
}

int LengthOf(const std::string& path, CMusicDb& db, int own)
{
    int seconds = db.GetLength(path, own);
    if (seconds == 0) {
        seconds = ProbeLength(path);
        db.SetLength(path, seconds, own);
    }
    return seconds;
}

CMemArray MakeRow(const std::string& path, const RowOptions& options, CMusicDb& db, int own)
{
    std::string label, title;
    LabelAndTitle(path, options.namingMode, label, title);
    CMemArray row;
    row.SetCol(kLabel, label);
    row.SetCol(kTitle, title);
    row.SetCol(kPath, path);
    if (options.trackInfo)
        row.SetCol(kTrack, db.CountTracksForFile(path, own));
    if (options.lengthOn)
        row.SetCol(kLength, LengthText(LengthOf(path, db, own)));
    return row;
}

std::vector<std::string> ReadPlaylist(const std::string& path)
{
    std::vector<std::string> lines, paths;
    if (!listfile::IsReadablePath(path) || !listfile::ReadLines(path, lines))
        return paths;
    for (const std::string& line : lines)
        if (!listfile::IsExtLine(line))
            paths.push_back(line);
    return paths;
}

bool CanEnterFolder(const std::string& folder)
{
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return false;
    fs::directory_iterator it(folder, ec);
    return !ec;
}

void ScanFolder(const std::string& folder, bool subfolders, std::vector<std::string>& paths, bool audioOnly)
{
    const MyFunctions fn;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (subfolders)
                ScanFolder(p.string(), true, paths, audioOnly);
        } else if (!audioOnly || fn.IsAudioFile(p.string())) {
            paths.push_back(p.string());
        }
    }
}

void SortRows(std::vector<CMemArray>& rows, int column, bool descending)
{
    managers::SortRows(rows, managers::ClickedFirstKeys(column), descending);
}

void InsertRows(std::vector<CMemArray>& rows, int at, const std::vector<CMemArray>& added)
{
    if (at < 0 || at > static_cast<int>(rows.size()))
        at = static_cast<int>(rows.size());
    rows.insert(rows.begin() + at, added.begin(), added.end());
}

namespace {

std::vector<int> sortedValid(const std::vector<CMemArray>& rows, std::vector<int> selected)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::erase_if(selected, [&](int i) { return i < 0 || i >= static_cast<int>(rows.size()); });
    return selected;
}

} // namespace

std::vector<int> MoveUp(std::vector<CMemArray>& rows, const std::vector<int>& selected)
{
    std::vector<int> sel = sortedValid(rows, selected);
    if (sel.empty() || sel.front() == 0)
        return sel;
    for (int& i : sel) {
        std::swap(rows[i], rows[i - 1]);
        --i;
    }
    return sel;
}

std::vector<int> MoveDown(std::vector<CMemArray>& rows, const std::vector<int>& selected)
{
    std::vector<int> sel = sortedValid(rows, selected);
    if (sel.empty() || sel.back() == static_cast<int>(rows.size()) - 1)
        return sel;
    for (auto it = sel.rbegin(); it != sel.rend(); ++it) {
        std::swap(rows[*it], rows[*it + 1]);
        ++*it;
    }
    return sel;
}

void MoveBlock(std::vector<CMemArray>& rows, const std::vector<int>& selected, int dropIndex)
{
    const std::vector<int> sel = sortedValid(rows, selected);
    if (sel.empty())
        return;
    std::vector<CMemArray> block;
    for (auto it = sel.rbegin(); it != sel.rend(); ++it) {
        block.insert(block.begin(), rows[*it]);
        rows.erase(rows.begin() + *it);
    }
    InsertRows(rows, dropIndex, block);
}

} // namespace playlistrows
