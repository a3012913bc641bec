#pragma once
// The searches of the choreography manager over the entries of its current
// source (file paths and encoded choreography references), and the two hidden
// maintenance keywords of its search field.
#include <optional>
#include <string>
#include <vector>

class CChoreoDb;

namespace choreosearch {

// The whole search text must be this to import a folder of text files into a level.
constexpr const char* kImportKeyword = "plumtaxiweld";
// A search text that begins with this sets the type of the listed entries:
// the keyword, one separator, then "level*type" or "level*updatetype".
constexpr const char* kTypeKeyword = "sorbetfjordlynxa";

// Upper case of a text, the letters of Windows-1252 (in their UTF-8 form) included.
std::string Upper(const std::string& text);

// The name a search looks at: a reference's name part, else the file title.
std::string NameOf(const std::string& entry);

// The entries whose name contains the text, any case, in their order.
std::vector<std::string> FindByName(const std::vector<std::string>& entries, const std::string& text);

// Whether the document or database entry holds the upper-cased text: a
// reference by its stored value, a file line by line. A file that cannot be
// opened, or a reference without an entry, holds nothing.
bool EntryContainsText(const std::string& upperText, const std::string& entry, CChoreoDb& db);

// The entries that hold the text, any case, in their order.
std::vector<std::string> FindByContent(const std::vector<std::string>& entries, const std::string& text, CChoreoDb& db);

// What the type keyword asks for.
struct TypeRequest {
    std::string level; // the table
    std::string type;
    bool append = false;
};

// The request of a search text that begins with the type keyword. Without a
// "*" or with a level that is no table of choreo.db the answer is empty and
// error names what is wrong; nothing has been written then.
std::optional<TypeRequest> ParseTypeRequest(const std::string& searchText, std::string& error);

} // namespace choreosearch
