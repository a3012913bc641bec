#include "managers/MusicCsv.h"

#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/SqlValue.h"
#include "store/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace musiccsv {
namespace {

constexpr int kMarkers = 11;
constexpr int kComment = 14;
constexpr int kFlag = 17;

std::string replaceAll(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Must hold a number; the empty text only where the table has a default.
bool numberOk(const std::string& text, bool mayBeEmpty)
{
    if (text.empty())
        return mayBeEmpty;
    return store::IsSqlNumber(text);
}

} // namespace

std::string Line(const CMemArrayLarge& row, int lastField)
{
    std::string line;
    for (int f = 1; f <= lastField; ++f) {
        // The row's text f is field f - 1 of the file (the title, text 0, is not written).
        std::string text = row.Col(f);
        if (f == kMarkers + 1)
            text = replaceAll(text, ';', '*');
        line += text;
        if (f < lastField)
            line += ";";
    }
    return line;
}

std::string DatedFileName(const std::string& folder, const std::string& today)
{
    std::string date = today;
    date.erase(std::remove(date.begin(), date.end(), '-'), date.end());
    return MyFunctions().AddBackslash(folder) + date + " MusicDatabase.csv";
}

std::string BesideFileName(const std::string& musicPath)
{
    const size_t dot = musicPath.rfind('.');
    const size_t slash = musicPath.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return musicPath.substr(0, dot + 1) + "csv";
}

std::string MusicPathBeside(const std::string& csvPath, const std::string& namedPath)
{
    const std::string stem = csvPath.size() >= 3 ? csvPath.substr(0, csvPath.size() - 3) : csvPath;
    const size_t dot = namedPath.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : namedPath.substr(dot + 1);
    return stem + lower(ext);
}

std::optional<Song> ParseLine(const std::string& raw)
{
    std::string line = raw;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    if (line.empty() || line[0] == ';')
        return std::nullopt;

    std::vector<std::string> fields;
    size_t start = 0;
    while (fields.size() < 19) {
        const size_t semi = line.find(';', start);
        if (semi == std::string::npos) {
            fields.push_back(line.substr(start));
            break;
        }
        fields.push_back(line.substr(start, semi - start));
        start = semi + 1;
    }
    if (fields.size() < 18 || fields[0].empty())
        return std::nullopt;

    Song song;
    for (int i = 0; i < 18; ++i)
        song[i] = fields[i];
    // Speed, tempo, volume, loop points and equaliser 1-3 have no default in the table.
    for (int i : {1, 3, 4, 5, 6, 7, 8, 9})
        if (!numberOk(song[i], false))
            return std::nullopt;
    for (int i : {2, 10, 12, 13, 15, 16, kFlag})
        if (!numberOk(song[i], true))
            return std::nullopt;
    song[kMarkers] = replaceAll(song[kMarkers], '*', ';');
    return song;
}

int ImportFile(CMusicDb& db, const std::string& csvPath, bool besideMusic, int own)
{
    std::ifstream in(csvPath, std::ios::binary);
    if (!in)
        return 0;
    int stored = 0;
    std::string raw;
    while (std::getline(in, raw)) {
        const std::optional<Song> song = ParseLine(store::ToProgramText(raw));
        if (!song)
            continue;
        const Song& s = *song;
        const std::string path = besideMusic ? MusicPathBeside(csvPath, s[0]) : s[0];
        db.SaveMusicRow(path, s[1], "0", s[3], s[4], s[5], s[6], s[7], s[8], s[9], s[kMarkers], s[12], s[13],
                        s[kComment], s[10], "", "", "", "", "", "", s[15], s[16], s[2], own);
        if (!s[kFlag].empty())
            db.SetFlagValue(path, s[kFlag], own);
        ++stored;
    }
    return stored;
}

} // namespace musiccsv
