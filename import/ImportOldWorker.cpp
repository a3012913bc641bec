// CImportOldWorker: the readers of the older version's data files.
#include "import/ImportOldWorker.h"

#include "import/LegacyText.h"
#include "platform/win/MessageBox.h"
#include "store/SqlValue.h"

#include <array>

void CImportOldWorker::InBatch(const std::function<void()>& rows)
{
    m_musicDb.BeginBatch();
    try {
        rows();
        m_musicDb.CommitBatch();
    } catch (...) {
        m_musicDb.AbortBatch();
        throw;
    }
}

void CImportOldWorker::ReportSkipped(const std::string& source, size_t firstOfStep)
{
    const size_t count = m_skipped.size() - firstOfStep;
    if (count == 0)
        return;
    std::string text = std::to_string(count) + (count == 1 ? " entry" : " entries") + " of " + source +
                       " could not be imported:";
    // The first few name the problem; the rest are only counted.
    constexpr size_t kShown = 5;
    for (size_t i = firstOfStep; i < m_skipped.size() && i < firstOfStep + kShown; ++i)
        text += "\n" + m_skipped[i];
    if (count > kShown)
        text += "\n...";
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

bool CImportOldWorker::ImportMarkedFile(const std::string& file, int list)
{
    std::vector<std::string> lines;
    if (!legacy::ReadLines(file, lines))
        return false;
    InBatch([&] {
        for (const std::string& line : lines)
            if (!line.empty()) // a blank line names no song
                m_musicDb.AddMark(list, line, 0, "", 0);
    });
    return true;
}

bool CImportOldWorker::ImportMemoryFile(const std::string& file)
{
    std::vector<std::string> lines;
    if (!legacy::ReadLines(file, lines))
        return false;
    InBatch([&] {
        for (const std::string& line : lines)
            if (!line.empty())
                m_musicDb.AddMemory(line, 0);
    });
    return true;
}

bool CImportOldWorker::ImportMarryFile(const std::string& file)
{
    std::vector<std::string> lines;
    if (!legacy::ReadLines(file, lines))
        return false;
    InBatch([&] {
        std::string music;
        for (const std::string& line : lines) {
            if (line.size() < 6)
                continue;
            if (line[0] == '[') {
                music = line.substr(1, line.size() - 2);
                continue;
            }
            // The lyrics follow a six-letter key and "=". A pair with an empty side is no
            // pairing, and storing it would wipe a pairing the current database holds.
            const std::string lyrics = line.size() > 7 ? line.substr(7) : std::string();
            if (!music.empty() && !lyrics.empty())
                m_musicDb.SetMarriage(music, lyrics, 0);
        }
    });
    return true;
}

bool CImportOldWorker::ImportTrackFile(const std::string& file)
{
    std::vector<std::string> lines;
    if (!legacy::ReadLines(file, lines))
        return false;
    InBatch([&] {
        for (const std::string& line : lines) {
            // date;time;title;dance name;list; and, in later files, the song's full path.
            std::array<std::string, 3> fields;
            size_t from = 0;
            bool complete = true;
            for (std::string& field : fields) {
                const size_t semi = line.find(';', from);
                if (semi == std::string::npos || (from == 0 && semi == 0)) {
                    complete = false;
                    break;
                }
                field = line.substr(from, semi - from);
                from = semi + 1;
            }
            if (!complete)
                continue;
            const std::string rest = line.substr(from);
            std::string dance = rest;
            std::string listText = "0";
            std::string fullPath;
            const size_t semi = rest.find(';');
            if (semi != std::string::npos) {
                dance = rest.substr(0, semi);
                // The list number and the character that closes it.
                listText = rest.substr(semi + 1);
                if (!listText.empty())
                    listText.pop_back();
                const size_t more = listText.find(';');
                if (more != std::string::npos) {
                    fullPath = listText.substr(more + 1);
                    listText.erase(more);
                }
            }
            // The log matches plays by their full path; a play without one goes by its title.
            if (fullPath.empty())
                fullPath = fields[2];
            m_musicDb.AddTrack(fields[2], dance, 0, fields[0], fields[1], m_fn.StringToInt(listText), fullPath, 0, 0);
        }
    });
    return true;
}

bool CImportOldWorker::ImportSettingsFile(const std::string& file)
{
    std::vector<std::string> lines;
    const bool read = legacy::ReadLines(file, lines);
    m_musicDb.ResetTemp();
    if (!read)
        return false; // nothing to convert: the current settings stay as they are
    InBatch([&] {
        std::string section;
        for (const std::string& line : lines) {
            if (line.size() < 3)
                continue;
            if (line[0] == '[') {
                section = line.substr(1, line.size() - 2);
                continue;
            }
            const size_t eq = line.find('=');
            if (eq == std::string::npos)
                m_musicDb.AddTempRow(section, "", line, 0);
            else
                m_musicDb.AddTempRow(section, line.substr(0, eq), line.substr(eq + 1), 0);
        }
    });
    ConvertSettings();
    return true;
}

namespace {

// The keys of a section of the loop file, in the order they are tested: the first
// whose name begins the line takes it ("Keychange_value" before "Keychange").
enum LoopKey { kSpeed, kPitch, kTempo, kVolume, kLoopSet, kLoopStop, kKeyTime, kKeyPitch, kRate, kMem, kKeyCount };
constexpr std::array<const char*, kKeyCount> kLoopKeys = {"Speed",    "Pitch",           "Tempo",     "Volume",
                                                          "LoopSet",  "LoopStop",        "Keychange_value",
                                                          "Keychange", "Rate",           "Mem"};

struct LoopSection {
    std::string path;
    std::array<std::string, kKeyCount> values;
    std::string markers;
};

} // namespace

bool CImportOldWorker::ImportLoopFile(const std::string& file)
{
    std::vector<std::string> lines;
    if (!legacy::ReadLines(file, lines))
        return false;
    const size_t firstOfStep = m_skipped.size();
    InBatch([&] {
        LoopSection s;
        const auto store = [&] {
            if (s.path.empty())
                return;
            std::string speed = s.values[kSpeed];
            if (speed.size() < 5)
                speed = "44100";
            const auto orDefault = [&](LoopKey key, const char* whenEmpty) {
                return s.values[key].empty() ? std::string(whenEmpty) : s.values[key];
            };
            const std::array<std::pair<const char*, std::string>, 9> numbers = {{
                {"Speed", speed},
                {"Pitch", orDefault(kPitch, "0")},
                {"Tempo", orDefault(kTempo, "0")},
                {"Volume", orDefault(kVolume, "100")},
                {"LoopSet", orDefault(kLoopSet, "0.00")},
                {"LoopStop", orDefault(kLoopStop, "0.00")},
                {"Rate", orDefault(kRate, "0")},
                {"Keychange", orDefault(kKeyPitch, "0")},
                {"Keychange_value", orDefault(kKeyTime, "0.00")},
            }};
            // A value that is no number would break the row: the section is passed over.
            for (const auto& [key, value] : numbers)
                if (!store::IsSqlNumber(value)) {
                    m_skipped.push_back("[" + s.path + "] " + key + "=" + value);
                    return;
                }
            m_musicDb.ImportLoopRow(s.path, numbers[0].second, numbers[1].second, numbers[2].second,
                                    numbers[3].second, numbers[4].second, numbers[5].second, s.markers,
                                    numbers[6].second, numbers[7].second, numbers[8].second, "", 0);
        };
        bool beforeFirstSection = true;
        for (const std::string& line : lines) {
            if (line.size() < 3)
                continue;
            if (line[0] == '[') {
                // Key lines before the first section line go with the first section.
                if (!beforeFirstSection) {
                    store();
                    s = LoopSection();
                }
                s.path = line.substr(1, line.size() - 2);
                beforeFirstSection = false;
                continue;
            }
            const size_t eq = line.find('=');
            const std::string value = eq == std::string::npos ? line : line.substr(eq + 1);
            for (int key = 0; key < kKeyCount; ++key) {
                if (line.compare(0, std::char_traits<char>::length(kLoopKeys[size_t(key)]), kLoopKeys[size_t(key)]) != 0)
                    continue;
                if (key == kMem)
                    s.markers += legacy::MarkerText(value);
                else
                    s.values[size_t(key)] = value;
                break;
            }
        }
        store();
    });
    ReportSkipped(file, firstOfStep);
    return true;
}
