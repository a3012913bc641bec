#pragma once
// Line-by-line reading and editing of a small text file. Lines end in CR LF
// on disk and are handed out without their break; text that is not UTF-8 is
// read as Windows-1252. An edit rewrites the whole file through a temporary
// file that then replaces it, so a failed write never leaves half a file.
#include <cstdio>
#include <string>
#include <vector>

class CDataFile {
public:
    // Open flags
    static constexpr unsigned modeRead = 0x0000;
    static constexpr unsigned modeWrite = 0x0001;
    static constexpr unsigned modeReadWrite = 0x0002;
    static constexpr unsigned modeCreate = 0x1000;     // create, or empty an existing file
    static constexpr unsigned modeNoTruncate = 0x2000; // with modeCreate: keep an existing file
    static constexpr unsigned typeBinary = 0x8000;     // lines keep their CR and bytes

    // Exists results
    static constexpr int kFileExists = 3000;
    static constexpr int kFileMissing = 3001;

    // EditLine modes
    static constexpr int kInsert = 2000;
    static constexpr int kReplace = 2001;
    static constexpr int kDelete = 2002;

    CDataFile() = default;
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;
    virtual ~CDataFile();

    // 1 on success, 0 on failure (nothing changes then). The current line stays as it was.
    int Open(const std::string& path, unsigned mode);
    int OpenAndClose(const std::string& path, unsigned mode);
    // kFileExists when the path is a file that can be read, else kFileMissing.
    static int Exists(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    bool ReadLine(std::string& line);
    // Reads to the end; 0 when not open.
    int CountLines();
    // Positions on line n (0 and 1 both mean the first); past the end means after the last line.
    int GoToLine(int n);
    int CurrentLine() const { return m_line; }
    // Inserts the text before the current line, replaces or deletes it (a delete hands the
    // deleted line back in text). False when the file is not open or could not be written.
    bool EditLine(std::string& text, int mode);

    // The text as lines are on disk: each line feed not already after a CR becomes CR LF.
    static std::string ToDiskText(const std::string& text);

    // Throws std::filesystem::filesystem_error when the file cannot be deleted.
    static void RemoveFile(const std::string& path);

private:
    bool ReadRaw(std::string& line);
    bool ReadAll(std::vector<std::string>& lines, bool& lastEnded);
    bool WriteAll(const std::vector<std::string>& lines, bool lastEnded);

    std::string m_path;
    int m_line = 1;
    unsigned m_mode = 0;
    std::FILE* m_file = nullptr;
};
