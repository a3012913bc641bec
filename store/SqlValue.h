#pragma once
// Values that reach the text of an SQL statement from files, imports or the
// user: a number must be a number, and any other text travels as a quoted
// literal, so that no value can change or break the statement around it.
#include <string>

namespace store {

// A decimal number SQLite reads as a numeric literal: an optional sign, digits
// with an optional fraction ("4.75", ".05", "5.") and an optional exponent;
// blanks around it are allowed.
bool IsSqlNumber(const std::string& text);

// The number without the blanks around it. A text that is no number raises
// CppSQLite3Exception with SQLITE_MISMATCH and the column's name.
std::string SqlNumber(const std::string& text, const char* column);

// A field read back from a table, ready to be written again as it was: NULL
// for SQL NULL, a number bare, any other text quoted.
std::string SqlLiteral(const char* field);

} // namespace store
