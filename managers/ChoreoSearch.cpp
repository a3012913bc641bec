#include "managers/ChoreoSearch.h"

#include "managers/ListFile.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/DataFile.h"
#include "store/MyFunctions.h"
#include "store/TextReplace.h"

namespace choreosearch {

std::string Upper(const std::string& text)
{
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // à..þ (but ÷) -> À..Þ
            const unsigned char n = static_cast<unsigned char>(out[i + 1]);
            if (n >= 0xA0 && n <= 0xBE && n != 0xB7)
                out[i + 1] = static_cast<char>(n - 0x20);
            ++i;
        }
    }
    return out;
}

std::string NameOf(const std::string& entry)
{
    const CChoreoRef ref(entry);
    if (ref.IsReference())
        return ref.GetName();
    return MyFunctions().FileTitleFromPath(entry);
}

std::vector<std::string> FindByName(const std::vector<std::string>& entries, const std::string& text)
{
    const std::string wanted = Upper(text);
    std::vector<std::string> kept;
    for (const std::string& e : entries)
        if (Upper(NameOf(e)).find(wanted) != std::string::npos)
            kept.push_back(e);
    return kept;
}

bool EntryContainsText(const std::string& upperText, const std::string& entry, CChoreoDb& db)
{
    const CChoreoRef ref(entry);
    if (ref.IsReference())
        return Upper(db.GetEntryValue(ref.GetEncoded(), 1)).find(upperText) != std::string::npos;
    CDataFile file;
    if (!file.Open(entry, CDataFile::modeRead))
        return false;
    std::string line;
    while (file.ReadLine(line))
        if (Upper(store::TrimRight(line)).find(upperText) != std::string::npos)
            return true;
    return false;
}

std::vector<std::string> FindByContent(const std::vector<std::string>& entries, const std::string& text, CChoreoDb& db)
{
    const std::string wanted = Upper(text);
    std::vector<std::string> kept;
    for (const std::string& e : entries)
        if (EntryContainsText(wanted, e, db))
            kept.push_back(e);
    return kept;
}

std::optional<TypeRequest> ParseTypeRequest(const std::string& searchText, std::string& error)
{
    const std::string keyword = kTypeKeyword;
    const std::string rest = searchText.size() > keyword.size() + 1 ? searchText.substr(keyword.size() + 1) : "";
    const size_t star = rest.find('*');
    if (star == std::string::npos) {
        error = "Write the level and the type as level*type (or level*updatetype) after the keyword.";
        return std::nullopt;
    }
    TypeRequest r;
    r.level = rest.substr(0, star);
    r.type = rest.substr(star + 1);
    if (!CChoreoDb::IsTable(r.level)) {
        error = "\"" + r.level + "\" is no level of the choreography database.";
        return std::nullopt;
    }
    if (r.type.compare(0, 6, "update") == 0) {
        r.append = true;
        r.type.erase(0, 6);
    }
    return r;
}

} // namespace choreosearch
