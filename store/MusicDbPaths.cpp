// CMusicDb: the settings that point at folders and documents delivered in the data folder.
#include "store/MusicDb.h"

#include "store/MusicDbDetail.h"
#include "store/StoreGlobals.h"

namespace {

const char* const kLevelCodes[10] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};

// List and definitions document of each level, HTML and PDF form.
const struct {
    const char* htmlList;
    const char* htmlDef;
    const char* pdfList;
    const char* pdfDef;
} kDocuments[10] = {
    {"ListAndDefHtml/blist.htm", "ListAndDefHtml/bdef.htm", "ListAndDef/B_List.pdf", "ListAndDef/B_Definitions.pdf"},
    {"ListAndDefHtml/mlist.htm", "ListAndDefHtml/mdef.htm", "ListAndDef/M_List.pdf", "ListAndDef/M_Definitions.pdf"},
    {"ListAndDefHtml/plist.htm", "ListAndDefHtml/pdef.htm", "ListAndDef/Plus_List.pdf",
     "ListAndDef/Plus_Definitions.pdf"},
    {"ListAndDefHtml/a1list.htm", "ListAndDefHtml/a1def.htm", "ListAndDef/Advance_List.pdf",
     "ListAndDef/Advance_Definitions.pdf"},
    {"ListAndDefHtml/a2list.htm", "ListAndDefHtml/a2def.htm", "ListAndDef/Advance_List.pdf",
     "ListAndDef/Advance_Definitions.pdf"},
    {"ListAndDefHtml/c1list.htm", "ListAndDefHtml/c1def.htm", "ListAndDef/C-1_List.pdf",
     "ListAndDef/C-1_Definitions.pdf"},
    {"ListAndDefHtml/c2list.htm", "ListAndDefHtml/c2def.htm", "ListAndDef/C-2_List.pdf",
     "ListAndDef/C-2_Definitions.pdf"},
    {"ListAndDefHtml/c3alist.htm", "ListAndDefHtml/c3adef.htm", "ListAndDef/C-3A_List.pdf",
     "ListAndDef/C-3A_Definitions.pdf"},
    {"ListAndDefHtml/c3blist.htm", "ListAndDefHtml/c3bdef.htm", "ListAndDef/C-3B_List.pdf",
     "ListAndDef/C-3B_Definitions.pdf"},
    {"ListAndDefHtml/c4list.htm", "ListAndDefHtml/c4def.htm", "ListAndDef/C-4_List.pdf",
     "ListAndDef/C-4_Definitions.pdf"},
};

const struct {
    const char* setting;
    const char* suffix;
} kFolders[] = {
    {"music - dirpath1", "mp3"},      {"music - dirpath2", "mp3"},      {"music - dirpath3", "mp3"},
    {"music - pathdefaultmusicfolder", "mp3"}, {"lyrics - pathglobal", "text"}, {"lyrics - latestdir", "text"},
    {"marrydlg - dirpath", "mp3"},    {"playlistdlg - dirpath", "mp3"}, {"general - checkerpath", "sd/sd.exe"},
};

} // namespace

namespace musicdbpaths {

// Every setting the default paths write, for a new database to hold rows for them.
std::vector<std::string> DefaultPathSettings()
{
    std::vector<std::string> names;
    for (const auto& f : kFolders)
        names.push_back(f.setting);
    for (const char* code : kLevelCodes)
        for (const char* tab : {"0list_", "1list_"}) {
            names.push_back(std::string(tab) + code + " - path");
            names.push_back(std::string(tab) + code + " - type");
        }
    return names;
}

// The data folder followed by a part below it.
std::string InDataFolder(const MyFunctions& fn, const std::string& part)
{
    return fn.AddBackslash(g_baseFolder) + part;
}

} // namespace musicdbpaths

void CMusicDb::SetDefaultPaths(int force)
{
    const std::string folder = m_fn.EscapeSql(m_fn.AddBackslash(g_baseFolder));
    const auto update = [](CppSQLite3DB& db, const std::string& setting, const std::string& value) {
        db.Execute("UPDATE ini SET value='" + Sql(value) + "' WHERE name='" + Sql(setting) + "';");
    };

    CppSQLite3DB db;
    OpenLocal(db);
    if (!db.TableExists("ini"))
        CreateSchema();
    if (force)
        for (const auto& f : kFolders)
            update(db, f.setting, folder + f.suffix);
    for (int i = 0; i < 10; ++i) {
        const std::string code = kLevelCodes[i];
        update(db, "0list_" + code + " - path",
               folder + (g_listDefFormatHtml ? kDocuments[i].htmlList : kDocuments[i].pdfList));
        update(db, "1list_" + code + " - path",
               folder + (g_listDefFormatHtml ? kDocuments[i].htmlDef : kDocuments[i].pdfDef));
    }
    for (const char* code : kLevelCodes) {
        update(db, std::string("0list_") + code + " - type", "3");
        update(db, std::string("1list_") + code + " - type", "3");
    }
}
