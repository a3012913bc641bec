#pragma once
// A choreography of choreo.db addressed by one text, so that lists, the memory
// table and the editor can hold it where they would hold a file path:
//   "[choreotable]" table "[choreoname]" name "[choreotype]" type "[choreocall]" call
// The same text is a search request: table names the level table, name, type
// and call are looked for in the columns name, typ and value. Table, name and
// type are kept lower-cased (as they are stored); the call keeps its case.
// Nothing is escaped: a part must not hold a tag.
#include <string>

class CChoreoRef {
public:
    CChoreoRef() = default;
    explicit CChoreoRef(const std::string& encoded);
    CChoreoRef(const std::string& table, const std::string& name, const std::string& type, const std::string& call);

    // Stores the parts and builds the encoded text from them.
    void Set(const std::string& table, const std::string& name, const std::string& type, const std::string& call);
    // Splits a text into the parts. The first 13 characters are skipped unseen.
    // A missing tag leaves the parts from it on empty (the table keeps its old
    // value when "[choreoname]" is missing, the call when "[choreocall]" is) and
    // the missing tags are added to the encoded text, except "[choreocall]"
    // alone; otherwise the encoded text is the text as given.
    void Parse(const std::string& text);

    std::string GetTable() const { return m_table; }
    std::string GetName() const { return m_name; }
    std::string GetType() const { return m_type; }
    std::string GetCall() const { return m_call; }
    std::string GetEncoded() const { return m_encoded; }
    bool HasTable() const { return !m_table.empty(); }
    bool HasType() const { return !m_type.empty(); }
    // Whether the encoded text begins with "[choreotable]" exactly.
    bool IsReference() const { return IsReference(m_encoded); }
    static bool IsReference(const std::string& text);
    // The reference up to its type, without "[choreocall]": how list entries keep it.
    std::string GetEncodedWithoutCall() const;
    // The search for every row of a level (1..10); the table is empty for another number.
    static std::string LevelQuery(int level);

    static constexpr const char* kTableTag = "[choreotable]";
    static constexpr const char* kNameTag = "[choreoname]";
    static constexpr const char* kTypeTag = "[choreotype]";
    static constexpr const char* kCallTag = "[choreocall]";

private:
    std::string m_table;
    std::string m_name;
    std::string m_type;
    std::string m_call;
    std::string m_encoded;
};
