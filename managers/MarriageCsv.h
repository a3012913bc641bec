#pragma once
// "MarryLyrics.csv": one marriage per line, music path ";" lyrics entry ";",
// no header, nothing quoted. The marry manager exports its marriage list to
// it and imports such a file into table marry.
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CMusicDb;

namespace marrycsv {

constexpr const char* kFileName = "MarryLyrics.csv";
constexpr const char* kFilter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";
constexpr const char* kDefaultExt = ".csv";

struct Marriage {
    std::string music;
    std::string lyrics;
};

// "music;lyrics;"
std::string LineOf(const Marriage& m);

// A line as the reader takes it: split at its first ";", the closing ";" of
// the lyrics part dropped when it is there. Lines without ";" and lines with
// an empty music part give nothing.
std::optional<Marriage> ParseLine(const std::string& line);

// Writes the marriages in order; false when the file cannot be created or written.
bool Write(const std::string& path, const std::vector<Marriage>& marriages);

// Stores every marriage of the file through the database's batch (the caller
// opens and commits it). A file that cannot be opened stores nothing. Answers
// the number of marriages stored.
int Import(const std::string& path, CMusicDb& db);

} // namespace marrycsv
