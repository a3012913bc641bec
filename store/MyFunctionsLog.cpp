// MyFunctions: the stored form of text, the log and files built by prepending lines.
#include "store/MyFunctions.h"

#include "platform/win/MessageBox.h"
#include "store/DataFile.h"
#include "store/StoreGlobals.h"
#include "store/TextReplace.h"

#include <exception>

namespace {

const std::string kApostropheToken = "[\xC2\xA4]"; // [¤]
const std::string kQuoteToken = "[\xC2\xA3]";      // [£]
const std::string kLineFeedToken = "[$]";
const std::string kAcute = "\xC2\xB4";             // ´

// The file whose last write failed and was reported: a failing file is reported
// once, not on every line or record, until it can be written again.
std::string& lastReportedFailure()
{
    static std::string path;
    return path;
}

bool prepend(const std::string& line, const std::string& path, const char* failureText)
{
    bool written = false;
    try {
        if (CDataFile::Exists(path) == CDataFile::kFileMissing)
            CDataFile().OpenAndClose(path, CDataFile::modeCreate);
        CDataFile file;
        std::string text = line;
        written = file.Open(path, CDataFile::modeReadWrite) && file.EditLine(text, CDataFile::kInsert);
    } catch (const std::exception&) {
        written = false;
    }
    if (written) {
        if (lastReportedFailure() == path)
            lastReportedFailure().clear();
        return true;
    }
    if (lastReportedFailure() != path) {
        lastReportedFailure() = path;
        AfxMessageBox(failureText);
    }
    return false;
}

} // namespace

std::string MyFunctions::EscapeSql(const std::string& text, int acute) const
{
    std::string out = store::ReplaceAll(text, "'", acute ? kAcute : kApostropheToken);
    out = store::ReplaceAll(out, "\"", kQuoteToken);
    return store::ReplaceAll(out, "\n", kLineFeedToken);
}

std::string MyFunctions::UnescapeSql(const std::string& text) const
{
    std::string out = store::ReplaceAll(text, kApostropheToken, "'");
    out = store::ReplaceAll(out, kQuoteToken, "\"");
    return store::ReplaceAll(out, kLineFeedToken, "\n");
}

bool MyFunctions::WriteLog(const std::string& message) const
{
    if (!g_logEnabled)
        return true;
    const std::string path = (g_baseFolder.empty() ? std::string() : AddBackslash(g_baseFolder)) + "mirtal.log";
    const std::string record = "**********   " + NowText() + "   **********\n" + message + "\n\n";
    return prepend(record, path, "Cant open logfile!");
}

bool MyFunctions::PrependLine(const std::string& line, const std::string& path) const
{
    return prepend(line, path, "Cant open file!");
}

void MyFunctions::DeleteFileIfExists(const std::string& path) const
{
    if (CDataFile::Exists(path) == CDataFile::kFileExists)
        CDataFile::RemoveFile(path);
}
