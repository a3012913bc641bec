#pragma once
// Text of the program is UTF-8. Files written by the Windows version are
// Windows-1252; text that is not valid UTF-8 is taken as Windows-1252.
#include <string>
#include <string_view>

namespace store {

bool IsValidUtf8(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
// The text itself when it is UTF-8, else its Windows-1252 bytes converted.
std::string ToProgramText(std::string_view text);

} // namespace store
