#pragma once
// How the program tells the user that something failed: what it was doing,
// the file, and the error's own words, in a box captioned "Mirtal", written to
// the log too. The same text is shown and logged once per run, so a failure
// that repeats (a timer's tick, a key held down) gives one box, not one per try.
#include <exception>
#include <string>

namespace failure {

// "<doing>\n\n<the error's text>"; for a database error also the file it concerns.
std::string Describe(const std::string& doing, const std::exception& error, const std::string& file = std::string());
// The text of any exception (what() of a standard one, else "Unknown error").
std::string Describe(std::exception_ptr error);

// Logs the text and shows it, each distinct text once; answers whether it was shown now.
bool Report(const std::string& text);
// Forgets what was shown (tests, and a new start of the main window).
void ForgetReported();

} // namespace failure
