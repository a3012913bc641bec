#pragma once
// Helpers shared by the files of CChoreoDb; not for other callers.
#include <string>

namespace choreodb {

// The parts of an encoded choreography reference "[choreotable]" table
// "[choreoname]" name "[choreotype]" type "[choreocall]" call. The first 13
// characters are skipped unseen; a missing tag leaves the parts from it on
// empty (no "[choreoname]": all four). Table, name and type come lower-cased.
struct RefParts {
    std::string table;
    std::string name;
    std::string type;
    std::string call;
};
RefParts ParseReference(const std::string& text);

// Lower case as names and types are stored.
std::string Lower(const std::string& text);

} // namespace choreodb
