#pragma once
// Letter case and length of UTF-8 text by Unicode's rules, for the program
// above the window layer (which alone talks to the toolkit).
#include <string>

namespace win {

std::string ToLower(const std::string& text);
std::string ToUpper(const std::string& text);
// Without white space at either end.
std::string Trim(const std::string& text);
// Length in UTF-16 code units, as text controls count.
int TextLength(const std::string& text);

} // namespace win
