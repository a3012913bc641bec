#include "store/FailureReport.h"

#include "platform/win/MessageBox.h"
#include "store/MyFunctions.h"
#include "store/StoreGlobals.h"

#include <set>

namespace failure {
namespace {

std::set<std::string>& reported()
{
    static std::set<std::string> texts;
    return texts;
}

} // namespace

std::string Describe(const std::string& doing, const std::exception& error, const std::string& file)
{
    std::string text = doing;
    if (!file.empty()) {
        const std::string path = g_baseFolder.empty() ? file : MyFunctions().AddBackslash(g_baseFolder) + file;
        text += " (file \"" + path + "\")";
    }
    return text + "\n\n" + error.what();
}

std::string Describe(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "Unknown error";
}

bool Report(const std::string& text)
{
    if (!reported().insert(text).second)
        return false;
    std::string line = text;
    for (char& c : line)
        if (c == '\n')
            c = ' ';
    MyFunctions().WriteLog("Error: " + line);
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
    return true;
}

void ForgetReported() { reported().clear(); }

} // namespace failure
