#include "store/ChoreoRef.h"

#include "store/MyFunctions.h"
#include "platform/win/UnicodeText.h"

#include <cstring>

namespace {
constexpr size_t kTableTagLength = 13;
} // namespace

CChoreoRef::CChoreoRef(const std::string& encoded) { Parse(encoded); }

CChoreoRef::CChoreoRef(const std::string& table, const std::string& name, const std::string& type,
                       const std::string& call)
{
    Set(table, name, type, call);
}

void CChoreoRef::Set(const std::string& table, const std::string& name, const std::string& type,
                     const std::string& call)
{
    m_table = win::ToLower(table);
    m_name = win::ToLower(name);
    m_type = win::ToLower(type);
    m_call = call;
    m_encoded = GetEncodedWithoutCall() + kCallTag + m_call;
}

void CChoreoRef::Parse(const std::string& text)
{
    m_encoded = text;
    const std::string rest = text.size() > kTableTagLength ? text.substr(kTableTagLength) : std::string();
    const size_t name = rest.find(kNameTag);
    if (name == std::string::npos) {
        m_name.clear();
        m_type.clear();
        m_call.clear();
        m_encoded += std::string(kNameTag) + kTypeTag + kCallTag;
    } else {
        m_table = rest.substr(0, name);
        const size_t nameStart = name + std::strlen(kNameTag);
        const size_t type = rest.find(kTypeTag, nameStart);
        if (type == std::string::npos) {
            m_name = rest.substr(nameStart);
            m_type.clear();
            m_call.clear();
            m_encoded += std::string(kTypeTag) + kCallTag;
        } else {
            m_name = rest.substr(nameStart, type - nameStart);
            const size_t typeStart = type + std::strlen(kTypeTag);
            const size_t call = rest.find(kCallTag, typeStart);
            if (call == std::string::npos) {
                m_type = rest.substr(typeStart);
            } else {
                m_type = rest.substr(typeStart, call - typeStart);
                m_call = rest.substr(call + std::strlen(kCallTag));
            }
        }
    }
    m_table = win::ToLower(m_table);
    m_name = win::ToLower(m_name);
    m_type = win::ToLower(m_type);
}

bool CChoreoRef::IsReference(const std::string& text) { return text.compare(0, kTableTagLength, kTableTag) == 0; }

std::string CChoreoRef::GetEncodedWithoutCall() const
{
    return kTableTag + m_table + kNameTag + m_name + kTypeTag + m_type;
}

std::string CChoreoRef::LevelQuery(int level)
{
    return kTableTag + MyFunctions().LevelCode(level) + kNameTag + kTypeTag + kCallTag;
}
