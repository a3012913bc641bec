#include "managers/MarriageCsv.h"

#include "managers/ListFile.h"
#include "store/MusicDb.h"
#include "store/TextReplace.h"

namespace marrycsv {

std::string LineOf(const Marriage& m) { return m.music + ";" + m.lyrics + ";"; }

std::optional<Marriage> ParseLine(const std::string& line)
{
    const std::string text = store::TrimRight(line);
    const size_t c = text.find(';');
    if (c == std::string::npos || c == 0)
        return std::nullopt;
    Marriage m{text.substr(0, c), text.substr(c + 1)};
    if (!m.lyrics.empty() && m.lyrics.back() == ';')
        m.lyrics.pop_back();
    return m;
}

bool Write(const std::string& path, const std::vector<Marriage>& marriages)
{
    std::vector<std::string> lines;
    lines.reserve(marriages.size());
    for (const Marriage& m : marriages)
        lines.push_back(LineOf(m));
    return listfile::WriteLines(path, lines);
}

int Import(const std::string& path, CMusicDb& db)
{
    std::vector<std::string> lines;
    if (!listfile::ReadLines(path, lines))
        return 0;
    int stored = 0;
    for (const std::string& line : lines) {
        if (const auto m = ParseLine(line)) {
            db.SetMarriage(m->music, m->lyrics, 0);
            ++stored;
        }
    }
    return stored;
}

} // namespace marrycsv
