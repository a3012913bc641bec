// CChoreoDb: the entry counts per level and category written as a ";"-separated file.
#include "store/ChoreoDb.h"

#include "platform/win/MessageBox.h"
#include "store/StoreGlobals.h"

#include <filesystem>
#include <vector>

namespace {

struct Row {
    std::string nameWord;
    std::string typeWord;
    std::string line; // the line without its count
};

// The rows of a level in the order they are counted and written.
std::vector<Row> rowsOf(const std::string& level)
{
    std::vector<Row> rows;
    if (level != "c4") {
        const std::string label = level == "basic" ? "Basic" : level;
        const bool extreme = level == "c1" || level == "c2" || level == "c3a" || level == "c3b";
        rows.push_back({"start", "", label + ";Start;;"});
        rows.push_back({"figure", "easy", label + ";Figure;Easy;"});
        rows.push_back({"figure", "hard", label + ";Figure;Hard;"});
        if (extreme)
            rows.push_back({"figure", "extreme", label + ";Figure;Extreme;"});
        rows.push_back({"figure", "assy", label + ";Figure;Assymetric;"});
        rows.push_back({"home", "", label + ";Home;;"});
        rows.push_back({"sing", "", label + ";Singingcall;;"});
        return rows;
    }

    // Challenge 4 is counted by the weeks and modules of its course.
    struct Part {
        const char* suffix; // "w" or "m"
        const char* word;   // "Week" or "Module"
    };
    const Part parts[] = {{"w", "Week"}, {"m", "Module"}};
    const auto each = [&](const std::string& nameWord, const std::string& category, auto add) {
        for (const Part& part : parts)
            for (int n = 1; n <= 6; ++n)
                add(nameWord + part.suffix + std::to_string(n), category, part.word + std::to_string(n));
    };
    const auto plain = [&](const std::string& name, const std::string& category, const std::string& detail) {
        rows.push_back({name, "", "c4;" + category + ";" + detail + ";"});
    };
    each("start", "Start", plain);
    each("concept", "Concept", plain);
    each("figure", "Figure", [&](const std::string& name, const std::string& category, const std::string& detail) {
        const struct {
            const char* type;
            const char* text;
        } types[] = {{"easy", "Easy"}, {"hard", "Hard"}, {"extreme", "Extreme"}, {"assy", "Assymetric"}};
        for (const auto& t : types)
            rows.push_back({name, t.type, "c4;" + category + ";" + detail + " " + t.text + ";"});
    });
    each("home", "Home", [&](const std::string& name, const std::string& category, const std::string& detail) {
        // The file has always spelt this one line in lower case; readers may match it as it is.
        plain(name, name == "homem4" ? "home" : category, detail);
    });
    return rows;
}

} // namespace

std::string CChoreoDb::StatisticsPath()
{
    return MyFunctions().AddBackslash(g_baseFolder) + "driftwelkpon.csv";
}

void CChoreoDb::ExportStatistics()
{
    const std::string path = StatisticsPath();
    try {
        m_fn.DeleteFileIfExists(path);
    } catch (const std::filesystem::filesystem_error&) {
        AfxMessageBox("Cant open file!", MB_ICONEXCLAMATION);
        return;
    }

    // Each line goes before the first, so the file reads from the grand total down to Basic's first row.
    const auto write = [&](const std::string& line) { m_fn.PrependLine(line, path); };
    int grandTotal = 0;
    for (const char* level : Tables()) {
        if (std::string(level) == "any")
            continue;
        int levelTotal = 0;
        for (const Row& row : rowsOf(level)) {
            const std::string reference = std::string("[choreotable]") + level + "[choreoname]" + row.nameWord +
                                          "[choreotype]" + row.typeWord + "[choreocall]";
            const int count = Search(reference, 1).RowCount();
            write(row.line + m_fn.IntToString(count));
            levelTotal += count;
        }
        write((std::string(level) == "basic" ? std::string("Basic") : std::string(level)) + ";Total;;" +
              m_fn.IntToString(levelTotal));
        write("");
        write("");
        grandTotal += levelTotal;
    }
    write("Total;;;" + m_fn.IntToString(grandTotal));
}
