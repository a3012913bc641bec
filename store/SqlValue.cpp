#include "store/SqlValue.h"

#include "store/CppSQLite3.h"
#include "store/DbAccess.h"

#include <sqlite3.h>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

namespace store {

bool IsSqlNumber(const std::string& text)
{
    const std::string t = trimmed(text);
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < t.size() && isDigit(t[i]))
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (i >= t.size() || !isDigit(t[i]))
            return false;
        while (i < t.size() && isDigit(t[i]))
            ++i;
    }
    return i == t.size();
}

std::string SqlNumber(const std::string& text, const char* column)
{
    if (!IsSqlNumber(text)) {
        const std::string detail = std::string(column) + " is not a number: '" + text + "'";
        throw CppSQLite3Exception(SQLITE_MISMATCH, detail.c_str());
    }
    return trimmed(text);
}

std::string SqlLiteral(const char* field)
{
    if (!field)
        return "NULL";
    if (IsSqlNumber(field))
        return trimmed(field);
    std::string quoted = "'";
    quoted += CDbAccess::Sql(field);
    quoted += '\'';
    return quoted;
}

} // namespace store
