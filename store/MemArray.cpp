#include "store/MemArray.h"

#include <utility>

void CMemArray::SetAll(const std::string& c0, const std::string& c1, const std::string& c2, const std::string& c3,
                       const std::string& c4, const std::string& c5, const std::string& c6, const std::string& c7,
                       const std::string& c8, const std::string& c9)
{
    const std::string* cols[10] = {&c0, &c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9};
    for (int i = 0; i < 10; ++i)
        m_col[i] = *cols[i];
}

std::string CMemArray::GetCol(int i) const { return i >= 0 && i < 10 ? m_col[i] : std::string(); }

void CMemArray::SetCol(int i, const std::string& text)
{
    if (i >= 0 && i < 10)
        m_col[i] = text;
}

void CMemArray::SetCol(int i, std::string&& text)
{
    if (i >= 0 && i < 10)
        m_col[i] = std::move(text);
}

namespace {
const std::string kNoText;
}

const std::string& CMemArray::Col(int i) const { return i >= 0 && i < 10 ? m_col[i] : kNoText; }

const std::string& CMemArrayLarge::Col(int i) const { return i >= 0 && i < 25 ? m_col[i] : kNoText; }

void CMemArrayLarge::SetAll(const std::string (&cols)[25])
{
    for (int i = 0; i < 25; ++i)
        m_col[i] = cols[i];
}

std::string CMemArrayLarge::GetCol(int i) const { return i >= 0 && i < 25 ? m_col[i] : std::string(); }

void CMemArrayLarge::SetCol(int i, const std::string& text)
{
    if (i >= 0 && i < 25)
        m_col[i] = text;
}

void CFileList::SetAll(int nr, const std::string& entry, const std::string& shown)
{
    m_nr = nr;
    m_entry = entry;
    m_shown = shown;
}

void MemoryList2::SetAll(const std::string& name, const std::string& path, const std::string& type,
                         const std::string& lyrics, int list, int row, int naming, int nr)
{
    m_name = name;
    m_path = path;
    m_type = type;
    m_lyrics = lyrics;
    m_list = list;
    m_row = row;
    m_naming = naming;
    m_nr = nr;
}
