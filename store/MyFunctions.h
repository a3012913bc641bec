#pragma once
// The program's toolbox: number, time, colour and date texts, file-name parts,
// the data folder, the three forms of a dance level, escaping of stored text,
// the log file, the shell's "open", the clipboard and a random index.
// Embedded by value wherever it is needed; it holds no state of its own.
#include <string>

class MyFunctions {
public:
    MyFunctions() = default;
    virtual ~MyFunctions() = default;

    // Numbers and texts
    std::string IntToString(int value) const;
    std::string BoolToString(bool value) const; // "true" / "false", the stored form of every boolean
    int StringToInt(const std::string& text) const;
    float StringToFloat(const std::string& text) const;
    double StringToDouble(const std::string& text) const;
    std::string FloatToString(float value) const;   // two decimals: 3.14, 0.50, .05, -1.50
    std::string DoubleToString(double value) const;
    std::string SecondsToText(int seconds) const;   // 65 -> "1:05", -65 -> "-1:05"
    float TimeTextToSeconds(const std::string& text) const; // "03:25" and "3:25" -> 205
    std::string ColorToHtml(unsigned long color) const;     // red in the low byte -> "#RRGGBB"
    std::string HtmlSizeToPoints(const std::string& size) const;
    std::string CapitalizeWords(const std::string& text) const;
    std::string FirstWord(const std::string& text) const;
    std::string RemoveText(const std::string& text, const std::string& part) const;
    std::string MonthNumber(const std::string& monthName) const;
    int YearOfDate(const std::string& text) const;
    int MonthOfDate(const std::string& text) const;
    int LastTwoDigits(const std::string& text) const;
    int FirstTwoDigits(const std::string& text) const;
    std::string KeyName(int virtualKey) const;
    std::string FixUtf8Letters(const std::string& text) const;

    // Paths and files ("/" and "\" both separate folders)
    std::string GetExtension(const std::string& path) const; // upper-cased, without the dot
    bool IsAudioFile(const std::string& path) const;
    bool FileExists(const std::string& path) const;
    std::string FileNameFromPath(const std::string& path) const;
    std::string FileTitleFromPath(const std::string& path) const;
    std::string LabelPart(const std::string& path) const;   // "ABC 123 - Song.mp3" -> "ABC 123"
    std::string TitlePart(const std::string& path) const;   // "ABC 123 - Song.mp3" -> "Song.mp3"
    std::string AddBackslash(const std::string& folder) const; // appends the folder separator "/"
    std::string ReplaceDrive(const std::string& path) const;
    int ChangeDir(const std::string& folder) const;          // 0 on success
    void InitDataFolder() const;
    void EnterDataFolder() const;
    std::string GetCurrentSongPath() const;

    // Dates, local time
    std::string NowText() const;   // "2024-03-05 09:07:02"
    std::string TodayText() const; // "2024-03-05"

    // Dance levels: number 1..10, display name, code
    int LevelFromText(const std::string& text) const;
    std::string LevelDisplayName(int level) const;
    std::string LevelCode(int level) const;

    // Shell and clipboard
    void OpenDocument(const std::string& path) const;
    void OpenInFolder(const std::string& path) const;
    void CopyToClipboard(const std::string& text) const;

    // A random index 0..n-1; -1 when n < 1. The generator is seeded once per process.
    int RandomIndex(int n) const;

    // Field 1..9 of a tag text "title -- artist -- album -- ...".
    std::string FieldOf(const std::string& tagText, int n) const;

    // Stored form of text: ' -> "[¤]", " -> "[£]", line feed -> "[$]".
    // With acute set the apostrophe becomes "´" (a form that cannot be read back).
    std::string EscapeSql(const std::string& text, int acute = 0) const;
    std::string UnescapeSql(const std::string& text) const;

    // The log "mirtal.log" in the data folder, newest record first.
    // Returns false when the record could not be written.
    bool WriteLog(const std::string& message) const;
    // Puts the line at the top of the file, creating it when missing; false on failure.
    bool PrependLine(const std::string& line, const std::string& path) const;
    // Throws std::filesystem::filesystem_error when the file exists and cannot be deleted.
    void DeleteFileIfExists(const std::string& path) const;

    // Start values of every shared global.
    void InitGlobals() const;

    // Whether a path starts with a drive ("C:\" or "C:/").
    static bool IsDrivePath(const std::string& path);
    // Whether a folder is on a drive: "C:", "C:\..." or "C:/...".
    static bool IsDriveFolder(const std::string& folder);
};
