#pragma once
// Writing a whole file so that a failure or a crash never leaves half of it:
// the bytes go into a file beside the target, which is then renamed over it.
#include <string>
#include <string_view>

namespace win {

// Makes the bytes the file's whole content. They are written to
// "<path>.saving" and renamed over the file in one step, so the file is
// always the old one or the whole new one. A link is followed (the file it
// names is replaced) and an older file's permissions stay. On failure the
// older file is as it was, no scratch file is left, and reason (when given)
// says why. With toDisk the bytes reach the disk before the rename, so even
// a machine that goes down keeps one of the two; files rewritten very often
// (a log) pass false and are kept whole against a program that stops.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* reason = nullptr,
                    bool toDisk = true);

// The name of the scratch file WriteWholeFile writes beside path.
std::string WholeFileScratch(const std::string& path);

} // namespace win
