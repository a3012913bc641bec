#pragma once
// Helpers shared by the files of CChoreoDb; not for other callers.
#include <string>

namespace choreodb {

// Lower case as names and types are stored.
std::string Lower(const std::string& text);

} // namespace choreodb
