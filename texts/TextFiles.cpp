#include "texts/TextFiles.h"

#include "store/DataFile.h"
#include "store/TextReplace.h"

#include <cstdio>

namespace textfiles {

namespace {

DWORD readFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    FILE* file = reinterpret_cast<FILE*>(cookie);
    *done = LONG(std::fread(buffer, 1, size_t(count), file));
    return std::ferror(file) ? 1 : 0;
}

} // namespace

bool IsRtfPath(const std::string& path)
{
    if (path.size() < 4)
        return false;
    const std::string tail = path.substr(path.size() - 4);
    return tail == ".rtf" || tail == ".RTF";
}

std::string ReadPlainText(const std::string& path)
{
    CDataFile file;
    if (!file.Open(path, CDataFile::modeRead))
        return "Open " + path + " failed!";
    std::string text;
    std::string line;
    while (file.ReadLine(line))
        text += store::TrimRight(line) + "\n";
    file.Close();
    return text;
}

RtfLoad LoadRtf(CRichEditCtrl& view, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return RtfLoad::NotOpened;
    EDITSTREAM es;
    es.dwCookie = reinterpret_cast<DWORD_PTR>(file);
    es.pfnCallback = readFromFile;
    view.StreamIn(SF_RTF, es);
    std::fclose(file);
    return es.dwError ? RtfLoad::ReadError : RtfLoad::Loaded;
}

} // namespace textfiles
