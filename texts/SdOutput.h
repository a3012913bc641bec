#pragma once
// The text side of the editor's SD menu: the checker's output files read
// without their page headers, and the caller's short notation made from a
// sequence (upper case, fixed rewrites, the checker's warnings dropped,
// SPREAD and ROLL joined to the call before them, CIRCULATE spelled out for
// all eight, runs of empty lines cut to one). Lines are kept whole, however long.
#include <string>
#include <vector>

namespace sdoutput {

// A page header of the checker: the line, upper-cased, starts with a day name ("MON" .. "SUN").
bool IsHeaderLine(const std::string& line);

// The lines upper-cased and without trailing blanks, each followed by "\r\n";
// a header line goes together with the line after it.
std::string WithoutHeaders(const std::vector<std::string>& lines);

// The rewritten sequence: lines separated by "\r\n", none after the last.
std::string Format(const std::string& text);

} // namespace sdoutput
